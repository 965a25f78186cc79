#include "cli/CliMain.h"

#include <string>
#include <vector>

#include "cli/CliHost.h"
#include "cli/CliOptions.h"

namespace linkrake {
namespace {

void PrintList(const LinkList& list, bool skipNoLinksItem, std::FILE* out) {
  std::string chunk;
  chunk.reserve(1 << 16);
  for (std::size_t i = 0, count = list.GetItemCount(); i < count; ++i) {
    const std::string_view text = list.GetItemText(i);
    if (skipNoLinksItem && text == kNoLinksItem) {
      skipNoLinksItem = false;  // only the item the search added, not a link that reads the same
      continue;
    }
    chunk.append(text);
    chunk += '\n';
    if (chunk.size() >= (1 << 16)) {
      std::fwrite(chunk.data(), 1, chunk.size(), out);
      chunk.clear();
    }
  }
  std::fwrite(chunk.data(), 1, chunk.size(), out);
  std::fflush(out);
}

}  // namespace

int RunCli(int argc, char** argv, std::FILE* in, std::FILE* out, std::FILE* err) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CliParse parse = ParseCliOptions(args);
  if (!parse.options) {
    PrintCliMessage(err, parse.error);
    std::fputs(kCliUsage, err);
    return 2;
  }
  const CliOptions& options = *parse.options;
  if (options.help) {
    std::fputs(kCliUsage, out);
    std::fputs(
        "\nLists the links in FILE (- reads standard input), one a line, sorted.\n"
        "  --kind KIND         which links: all (default), ahref (<a href=\"...\">), http, ftp\n"
        "  --keep-duplicates   keep links that occur more than once\n"
        "  --exclude TEXT      leave out links that contain TEXT (\"*\" in TEXT are dropped)\n"
        "  --base TEXT         base location for relative links (default: the maker's site)\n"
        "  --progress          draw a progress bar on standard error\n"
        "  --help, --version\n"
        "Exit status: 0 done, 1 the input cannot be opened, 2 bad usage.\n",
        out);
    return 0;
  }
  if (options.version) {
    std::fputs("linkrake-cli " LINKRAKE_VERSION "\n", out);
    return 0;
  }

  CliHost host(err, options.kind, options.removeDuplicates, options.exclude, options.base,
               options.excludeText, options.progress);
  const bool fromStdin = options.input == "-";
  CSearchRun run(host, fromStdin ? std::string{} : options.input, {}, fromStdin ? in : nullptr);
  const CSearchRun::Outcome outcome = run.Run();
  host.EndProgress();
  if (outcome != CSearchRun::Outcome::Done) return 1;
  PrintList(host.List(), run.AddedNoLinksItem(), out);
  return 0;
}

}  // namespace linkrake
