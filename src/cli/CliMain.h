#pragma once
#include <istream>
#include <ostream>

namespace linkrake {

// The whole command-line tool: parses the arguments, reads the input (a file, standard input
// or a downloaded page), runs the search and writes the results. Returns the exit status:
// 0 done, 1 the input cannot be opened or the output file cannot be written, 2 bad usage,
// 3 the download failed.
int RunCli(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace linkrake
