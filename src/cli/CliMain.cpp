#include "cli/CliMain.h"

#include <optional>
#include <string>
#include <vector>

#include "cli/CliDownload.h"
#include "sources/OpenUrlCommand.h"
#include "cli/CliHost.h"
#include "cli/CliOptions.h"
#include "cli/CliResults.h"
#include "extract/Product.h"

namespace linkrake {
namespace {

constexpr int kExitDone = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;
constexpr int kExitDownloadFailed = 3;

}  // namespace

int RunCli(int argc, char** argv, std::istream& in, std::ostream& out, std::ostream& err) {
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  const CliParse parse = ParseCliOptions(args);
  if (!parse.options) {
    PrintCliMessage(err, parse.error);
    err << kCliUsage << std::flush;
    return kExitUsage;
  }
  const CliOptions& options = *parse.options;
  if (options.help) {
    out << kCliUsage << kCliHelp << std::flush;
    return kExitDone;
  }
  if (options.version) {
    out << "linkrake-cli " LINKRAKE_VERSION "\n" << std::flush;
    return kExitDone;
  }

  // A downloaded page is searched where it lies, in memory: its bytes are what the window
  // would write to its temporary file, and the reading rules treat them alike.
  std::optional<CliPage> page;
  if (options.url) {
    page = DownloadPage(*options.url);
    if (!page->result.ok) {
      PrintCliMessage(err, DownloadFailureMessage(page->result));
      return kExitDownloadFailed;
    }
  }
  const std::string base = options.base ? *options.base : page ? page->address : kMakerSite;

  CliHost host(err, options.kind, options.removeDuplicates, options.exclude, base,
               options.excludeText, options.progress);
  CSearchRun::Outcome outcome;
  bool addedNoLinksItem = false;
  if (page) {
    MemoryByteSource source(page->result.page);
    CSearchRun run(host, source, page->result.page.size());
    outcome = run.Run();
    addedNoLinksItem = run.AddedNoLinksItem();
  } else if (options.input == "-") {
    StreamByteSource source(in);
    CSearchRun run(host, source, 0);
    outcome = run.Run();
    addedNoLinksItem = run.AddedNoLinksItem();
  } else {
    CSearchRun run(host, options.input, {});
    outcome = run.Run();
    addedNoLinksItem = run.AddedNoLinksItem();
  }
  host.EndProgress();
  if (outcome != CSearchRun::Outcome::Done) return kExitFailed;

  if (options.outputPath) {
    // The file holds what Save as would write from the window's list, the item that says
    // nothing was found included.
    const std::string failure =
        SaveResultsFile(host.List(), options.format, host.Base(), *options.outputPath);
    if (!failure.empty()) {
      PrintCliMessage(err, failure);
      return kExitFailed;
    }
    return kExitDone;
  }
  if (!PrintResults(host.List(), NoLinksItemIndex(host.List(), addedNoLinksItem), options.format,
                    host.Base(), out)) {
    PrintCliMessage(err, "Unable to write the results to standard output.");
    return kExitFailed;
  }
  return kExitDone;
}

}  // namespace linkrake
