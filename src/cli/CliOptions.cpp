#include "cli/CliOptions.h"

namespace linkrake {

const char kCliUsage[] =
    "usage: linkrake-cli [--kind all|ahref|http|ftp] [--keep-duplicates] [--exclude TEXT]\n"
    "                    [--base TEXT] [--format text|html|getright] [-o FILE] [--progress]\n"
    "                    FILE | --url ADDRESS\n";

const char kCliHelp[] =
    "\nLists the links in FILE (- reads standard input), or in the page at ADDRESS, one a line,\n"
    "sorted.\n"
    "  --kind KIND         which links: all (default), ahref (<a href=\"...\">), http, ftp\n"
    "  --keep-duplicates   keep links that occur more than once\n"
    "  --exclude TEXT      leave out links that contain TEXT (\"*\" in TEXT are dropped)\n"
    "  --base TEXT         base location for relative links (default: the maker's site, or\n"
    "                      the address given with --url)\n"
    "  --url ADDRESS       download the page at ADDRESS (http://, https:// or ftp://; a bare\n"
    "                      name gets http://) and search it\n"
    "  --format FORMAT     text (default), html (a page of links) or getright (a download list)\n"
    "  -o, --output FILE   write the results to FILE, as the window's Save as does: CR LF line\n"
    "                      ends, no extension added; FILE is replaced only once it is complete\n"
    "  --progress          draw a progress bar on standard error\n"
    "  --help, --version\n"
    "Exit status: 0 done, 1 the input cannot be opened or the output file cannot be written,\n"
    "2 bad usage, 3 the download failed.\n";

namespace {

std::optional<PassChoice> ParseKind(const std::string& text) {
  if (text == "all") return PassChoice::All;
  if (text == "ahref") return PassChoice::Ahref;
  if (text == "http") return PassChoice::Http;
  if (text == "ftp") return PassChoice::Ftp;
  return std::nullopt;
}

std::optional<SaveFormat> ParseFormat(const std::string& text) {
  if (text == "text") return SaveFormat::PlainText;
  if (text == "html") return SaveFormat::Html;
  if (text == "getright") return SaveFormat::DownloadList;
  return std::nullopt;
}

}  // namespace

CliParse ParseCliOptions(const std::vector<std::string>& args) {
  CliOptions options;
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
    } else if (arg == "--format") {
      const auto text = value();
      const auto format = text ? ParseFormat(*text) : std::nullopt;
      if (!format) return {std::nullopt, "--format takes text, html or getright"};
      options.format = *format;
    } else if (arg == "-o" || arg == "--output") {
      const auto path = value();
      if (!path || path->empty()) return {std::nullopt, arg + " needs a FILE"};
      options.outputPath = *path;
    } else if (arg == "--url") {
      const auto address = value();
      if (!address) return {std::nullopt, "--url needs an ADDRESS"};
      options.url = *address;
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
  if (options.help || options.version) return {options, {}};
  if (options.url && haveInput) return {std::nullopt, "give either FILE or --url ADDRESS, not both"};
  if (!options.url && !haveInput) return {std::nullopt, "no FILE given"};
  return {options, {}};
}

}  // namespace linkrake
