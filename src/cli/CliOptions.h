#pragma once
#include <optional>
#include <string>
#include <vector>

#include "extract/Passes.h"
#include "output/SaveFormat.h"

namespace linkrake {

struct CliOptions {
  PassChoice kind = PassChoice::All;
  bool removeDuplicates = true;
  bool exclude = false;  // --exclude given
  std::string excludeText;
  // Completed by the base rule before the search. Not given: the maker's site for a file,
  // the completed address for a download.
  std::optional<std::string> base;
  SaveFormat format = SaveFormat::PlainText;
  std::optional<std::string> outputPath;  // -o: the file the results go to, as given
  std::optional<std::string> url;         // --url: the page to download in place of a file
  bool progress = false;
  bool help = false;
  bool version = false;
  std::string input;  // a path, or "-" for standard input; empty with --url
};

struct CliParse {
  std::optional<CliOptions> options;
  std::string error;  // why the arguments were refused
};

CliParse ParseCliOptions(const std::vector<std::string>& args);

extern const char kCliUsage[];
extern const char kCliHelp[];

}  // namespace linkrake
