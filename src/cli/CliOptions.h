#pragma once
#include <optional>
#include <string>
#include <vector>

#include "extract/Passes.h"

namespace linkrake {

struct CliOptions {
  PassChoice kind = PassChoice::All;
  bool removeDuplicates = true;
  bool exclude = false;  // --exclude given
  std::string excludeText;
  std::string base;  // completed by the base rule before the search
  bool progress = false;
  bool help = false;
  bool version = false;
  std::string input;  // a path, or "-" for standard input
};

struct CliParse {
  std::optional<CliOptions> options;
  std::string error;  // why the arguments were refused
};

CliParse ParseCliOptions(const std::vector<std::string>& args);

extern const char kCliUsage[];

}  // namespace linkrake
