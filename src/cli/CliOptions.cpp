#include "cli/CliOptions.h"

#include "extract/Product.h"

namespace linkrake {

const char kCliUsage[] =
    "usage: linkrake-cli [--kind all|ahref|http|ftp] [--keep-duplicates] [--exclude TEXT]\n"
    "                    [--base TEXT] [--progress] FILE\n";

namespace {

std::optional<PassChoice> ParseKind(const std::string& text) {
  if (text == "all") return PassChoice::All;
  if (text == "ahref") return PassChoice::Ahref;
  if (text == "http") return PassChoice::Http;
  if (text == "ftp") return PassChoice::Ftp;
  return std::nullopt;
}

}  // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions options;
  options.base = kMakerSite;
  bool haveInput = false;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      if (haveInput) return {std::nullopt, "only one FILE can be searched"};
      options.input = arg;
      haveInput = true;
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    // --name=value and --name value are the same.
    std::optional<std::string> inlineValue;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string::npos) {
      inlineValue = arg.substr(eq + 1);
      arg.resize(eq);
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    auto flag = [&](bool& target) {
      if (inlineValue) return false;
      target = true;
      return true;
    };
    bool ok = true;
    if (arg == "--kind") {
      const auto text = value();
      const auto kind = text ? ParseKind(*text) : std::nullopt;
      if (!kind) return {std::nullopt, "--kind takes all, ahref, http or ftp"};
      options.kind = *kind;
    } else if (arg == "--keep-duplicates") {
      bool keep = false;
      ok = flag(keep);
      options.removeDuplicates = !keep;
    } else if (arg == "--exclude") {
      const auto text = value();
      if (!text) return {std::nullopt, "--exclude needs a TEXT"};
      options.exclude = true;
      options.excludeText = *text;
    } else if (arg == "--base") {
      const auto text = value();
      if (!text) return {std::nullopt, "--base needs a TEXT"};
      options.base = *text;
    } else if (arg == "--progress") {
      ok = flag(options.progress);
    } else if (arg == "--help" || arg == "-h") {
      ok = flag(options.help);
    } else if (arg == "--version") {
      ok = flag(options.version);
    } else {
      return {std::nullopt, "unknown option " + arg};
    }
    if (!ok) return {std::nullopt, arg + " takes no value"};
  }
  if (!haveInput && !options.help && !options.version) return {std::nullopt, "no FILE given"};
  return {options, {}};
}

}  // namespace linkrake
