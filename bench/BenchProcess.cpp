#include "BenchProcess.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

namespace linkrake::bench {

ProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& outPath) {
  std::vector<std::string> words = argv;
  std::vector<char*> pointers;
  for (auto& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) return {};
  if (child == 0) {
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0) ::_exit(126);
    ::dup2(out, 1);
    ::close(out);
    ::execvp(pointers[0], pointers.data());
    ::_exit(127);
  }
  int status = 0;
  struct rusage usage {};
  if (::wait4(child, &status, 0, &usage) != child) return {};
  const auto end = std::chrono::steady_clock::now();
  ProcessRun run;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.seconds = std::chrono::duration<double>(end - start).count();
  run.peakKiB = usage.ru_maxrss;
  return run;
}

}  // namespace linkrake::bench
