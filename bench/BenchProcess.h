#pragma once
// Runs a program as a child process and measures it.
#include <string>
#include <vector>

namespace linkrake::bench {

struct ProcessRun {
  bool ok = false;          // started and exited with status 0
  double seconds = 0;       // wall-clock time
  long peakKiB = 0;         // the child's peak resident memory (the largest of its own children)
};

// argv[0] is the program's path; standard output goes to `outPath`, standard error is kept.
ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& outPath);

}  // namespace linkrake::bench
