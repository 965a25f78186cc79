#include "BenchStages.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

#include "cli/CliResults.h"
#include "extract/LineReader.h"
#include "extract/LinkList.h"
#include "extract/LinkScanner.h"

namespace linkrake::bench {
namespace {

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct Silent : IMessageSink {
  void ShowMessage(std::string_view, MessageIcon) override {}
};

}  // namespace

StageTimes TimeStages(const std::string& path) {
  StageTimes times;
  {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return times;
    std::size_t bytes = 0;
    const auto start = Clock::now();
    LineReader(file.get()).ForEachLine([&](std::string_view line, bool) { bytes += line.size(); });
    times.lines = Since(start);
    if (bytes == 0) return times;
  }
  LinkList list;
  Silent silent;
  CLinkScanner scanner(list, silent);
  {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    const auto start = Clock::now();
    LineReader(file.get()).ForEachLinkLine([&](std::string_view line) {
      scanner.ScanLine(line, true, true, true, "http://www.morvane.example");
    });
    times.scan = Since(start);
  }
  times.links = list.GetItemCount();
  auto start = Clock::now();
  (void)list.GetItemText(0);
  times.sort = Since(start);
  start = Clock::now();
  list.RemoveAdjacentDuplicates();
  times.unique = Since(start);
  times.kept = list.GetItemCount();
  std::ofstream null("/dev/null", std::ios::binary);
  start = Clock::now();
  PrintResults(list, kNoItem, SaveFormat::PlainText, "", null);
  times.write = Since(start);
  return times;
}

}  // namespace linkrake::bench
