#pragma once
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

namespace linkrake::testing {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the tool in this process with the arguments after its name; `input` is standard input.
inline CliResult RunCliWith(const std::vector<std::string>& args, const std::string& input = {}) {
  std::vector<std::string> words = {"linkrake-cli"};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  CliResult result;
  result.status = RunCli(static_cast<int>(words.size()), argv.data(), in, out, err);
  result.out = out.str();
  result.err = err.str();
  return result;
}

// The lines of a text, each without its line break.
inline std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t lf = text.find('\n'); lf != std::string::npos; lf = text.find('\n', start)) {
    lines.push_back(text.substr(start, lf - start));
    start = lf + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace linkrake::testing
