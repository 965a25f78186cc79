#pragma once
#include <cstdio>

namespace linkrake {

// The whole command-line tool: parses the arguments, runs the search and prints the links.
// Returns the exit status: 0 done, 1 the input cannot be opened, 2 bad usage.
int RunCli(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err);

}  // namespace linkrake
