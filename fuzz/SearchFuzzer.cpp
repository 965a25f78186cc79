// A whole search on arbitrary bytes and choices: the file is read, scanned and filtered by the
// engine, and the result is held against the same rules applied the slow, obvious way.
//
// Input: one byte of choices (bits 0-1 which links, bit 2 remove duplicates, bit 3 exclude,
// bit 4 nobody watches the progress, bit 5 read from memory instead of a file, bit 6 the read
// fails part-way), the exclusion text and the base text (each a length byte and that many
// bytes), a byte that places the read failure, then the file.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "FuzzBytes.h"
#include "Reference.h"
#include "extract/BaseRule.h"
#include "extract/LineReader.h"
#include "extract/LinkScanner.h"
#include "extract/SearchRun.h"

namespace linkrake::fuzz {
namespace {

class CountingSink : public IMessageSink {
 public:
  void ShowMessage(std::string_view text, MessageIcon) override {
    if (text == kCapMessage) {
      ++caps;
    } else if (text == kDoneMessage) {
      ++done;
    } else if (text == kOpenFailedMessage) {
      ++failed;
    } else {
      ++other;
    }
  }
  int caps = 0;
  int done = 0;
  int failed = 0;
  int other = 0;
};

class FuzzHost : public ISearchHost {
 public:
  FuzzHost(PassChoice choice, bool dups, bool exclude, std::string base, std::string excludeText)
      : choice_(choice), dups_(dups), excludeOn_(exclude), base_(std::move(base)),
        exclude_(std::move(excludeText)) {}

  LinkList& List() override { return list_; }
  void DeleteColumn() override { columns_ = 0; }
  void InsertColumn() override { ++columns_; }
  std::string& Base() override { return base_; }
  std::string& Exclude() override { return exclude_; }
  void UpdateData(bool) override {}
  PassChoice GetPassChoice() override { return choice_; }
  bool IsRemoveDupsChecked() override { return dups_; }
  bool IsRemoveLinesChecked() override { return excludeOn_; }
  void SetItemCountText(const std::string& text) override { countText_ = text; }
  bool ShowsProgress() override { return showsProgress_; }
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    messages_.ShowMessage(text, icon);
  }
  void SetRange(int low, int high) override {
    Check(low == 0 && high == ProgressTracker::kRange, "progress range is 0..30000");
    ranged_ = true;
  }
  void SetPos(int pos) override {
    Check(ranged_, "progress moves only after its range is set");
    // A bar shows a position past its range as full, so only the shown position counts.
    const int shown = std::clamp(pos, 0, ProgressTracker::kRange);
    Check(positions_.empty() || shown >= positions_.back(), "progress never goes back");
    positions_.push_back(shown);
  }

  LinkList list_;
  PassChoice choice_;
  bool dups_;
  bool excludeOn_;
  std::string base_;
  std::string exclude_;
  std::string countText_;
  CountingSink messages_;
  std::vector<int> positions_;
  bool ranged_ = false;
  int columns_ = 0;
  bool showsProgress_ = true;
  bool addedNoLinksItem_ = false;
};

// A page in memory whose reading breaks down after a number of bytes.
class FailingSource : public IByteSource {
 public:
  FailingSource(std::string_view bytes, std::size_t failAt)
      : good_(bytes.substr(0, std::min(failAt, bytes.size()))) {}
  std::size_t Read(char* into, std::size_t size) override {
    const std::size_t n = good_.Read(into, size);
    if (n < size) failed_ = true;
    return n;
  }
  bool Failed() const override { return failed_; }

 private:
  MemoryByteSource good_;
  bool failed_ = false;
};

const std::string& InputPath() {
  static const std::string path =
      (std::filesystem::temp_directory_path() / ("linkrake-fuzz-" + std::to_string(getpid())))
          .string();
  return path;
}

void WriteInput(std::string_view bytes) {
  std::FILE* file = std::fopen(InputPath().c_str(), "wb");
  if (!file) Fail("cannot write the input file");
  if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) Fail("short write");
  std::fclose(file);
}

// A found link comes from the input: as it stands, or behind the base (with a "/" between).
bool ComesFromInput(std::string_view link, std::string_view data, std::string_view base) {
  if (Contains(data, link)) return true;
  if (!link.starts_with(base)) return false;
  std::string_view rest = link.substr(base.size());
  if (Contains(data, rest)) return true;
  return rest.starts_with('/') && Contains(data, rest.substr(1));
}

bool HasLinkPattern(std::string_view line) {
  return Contains(line, "<a href=\"") || Contains(line, "http://") || Contains(line, "ftp://");
}

// The line reader hands on exactly the lines of the obvious reading, and only lines without
// any link pattern as unable to hold a link; asked for the link lines only, it leaves out
// none that holds a pattern.
void CheckLines(std::string_view data) {
  // One reader for every input: its megabyte of buffer would otherwise cost more than the check.
  static MemoryByteSource source;
  static LineReader reader(source);
  const std::vector<std::string> expected = ReferenceLines(data);
  source.Reset(data);
  std::size_t index = 0;
  bool read = reader.ForEachLine([&](std::string_view line, bool mayHoldLink) {
    Check(index < expected.size(), "no more lines than the input has");
    Check(line == expected[index], "each line as the input has it");
    Check(mayHoldLink || !HasLinkPattern(line), "a line with a link pattern is scanned");
    ++index;
  });
  Check(read, "a readable input reads to its end");
  Check(index == expected.size(), "every line of the input is handed on");

  source.Reset(data);
  std::size_t next = 0;  // the first expected line not yet matched
  read = reader.ForEachLinkLine([&](std::string_view line) {
    while (next < expected.size() && expected[next] != line) {
      Check(!HasLinkPattern(expected[next]), "no line with a link pattern is left out");
      ++next;
    }
    Check(next < expected.size(), "only lines of the input, in order");
    ++next;
  });
  Check(read, "a readable input reads to its end");
  for (; next < expected.size(); ++next) {
    Check(!HasLinkPattern(expected[next]), "no line with a link pattern is left out");
  }
}

}  // namespace
}  // namespace linkrake::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace linkrake;
  using namespace linkrake::fuzz;
  FuzzBytes bytes(data, size);
  const std::uint8_t choices = bytes.TakeByte();
  const auto choice = static_cast<PassChoice>(choices & 3);
  const bool removeDups = (choices & 4) != 0;
  const bool excludeOn = (choices & 8) != 0;
  const bool showsProgress = (choices & 16) == 0;
  const bool fromMemory = (choices & 32) != 0;
  const bool readFails = (choices & 64) != 0;
  const std::string excludeText(bytes.TakeText(16));
  const std::string rawBase(bytes.TakeText(32));
  const std::size_t failAt = std::size_t{bytes.TakeByte()} * 97;
  const std::string_view file = bytes.Rest();

  CheckLines(file);

  FuzzHost host(choice, removeDups, excludeOn, rawBase, excludeText);
  host.showsProgress_ = showsProgress;
  if (readFails) {
    // Nothing read before the failure may pass for the whole list.
    FailingSource source(file, failAt);
    CSearchRun run(host, source, file.size(), {});
    Check(run.Run() == CSearchRun::Outcome::InputFailed, "a read error ends the search");
    Check(host.List().GetItemCount() == 0, "a failed read leaves no links");
    Check(host.messages_.failed == 1 && host.messages_.done == 0 && host.messages_.other == 0,
          "the failure is reported, and nothing else");
    return 0;
  }
  CSearchRun::Outcome outcome;
  if (fromMemory) {
    MemoryByteSource source(file);
    CSearchRun run(host, source, file.size(), {});
    outcome = run.Run();
    host.addedNoLinksItem_ = run.AddedNoLinksItem();
  } else {
    WriteInput(file);
    CSearchRun run(host, InputPath(), InputPath());
    outcome = run.Run();
    Check(!std::filesystem::exists(InputPath()), "the temporary file is gone after the run");
    host.addedNoLinksItem_ = run.AddedNoLinksItem();
  }
  Check(outcome == CSearchRun::Outcome::Done, "a readable input is searched to the end");

  // The base as completed: it names a scheme, and only "http://" was ever put in front.
  const std::string& base = host.Base();
  Check(base == rawBase || base == "http://" + rawBase, "the base rule only prefixes http://");
  Check(Contains(base, "http://") || Contains(base, "https://") || Contains(base, "ftp://"),
        "the completed base names a scheme");

  // The same search the slow way: every line scanned, sorted, then the filters as plain loops.
  LinkList scanned;
  CountingSink referenceMessages;
  CLinkScanner scanner(scanned, referenceMessages);
  const Passes passes = Passes::For(choice);
  for (const std::string& line : ReferenceLines(file)) {
    scanner.ScanLine(line, passes.anchor, passes.http, passes.ftp, base);
  }
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < scanned.GetItemCount(); ++i) {
    expected.emplace_back(scanned.GetItemText(i));
  }
  std::sort(expected.begin(), expected.end(), ByteLess);
  if (removeDups) expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
  if (excludeOn && !excludeText.empty()) {
    const std::string pattern = ReferencePattern(excludeText);
    std::erase_if(expected, [&](const std::string& link) { return Contains(link, pattern); });
  }

  Check(host.messages_.caps == referenceMessages.caps, "the cap message for every capped pass");
  Check(host.messages_.done == 1 && host.messages_.other == 0, "one done message, nothing else");
  Check(host.messages_.failed == 0, "no failure on a readable input");
  Check(host.countText_ == std::to_string(expected.size()), "the count shows the links found");
  Check(!host.positions_.empty() && host.positions_.back() == ProgressTracker::kRange,
        "the bar ends full");
  Check(host.columns_ == 1, "the list has its one column again");

  std::vector<std::string> listed;
  const LinkList& list = host.List();
  for (std::size_t i = 0; i < list.GetItemCount(); ++i) listed.emplace_back(list.GetItemText(i));
  Check(std::is_sorted(listed.begin(), listed.end(), ByteLess), "the list is in byte order");
  const bool placeholder = expected.empty() || expected.front().empty();
  Check(host.addedNoLinksItem_ == placeholder, "the placeholder exactly when nothing leads");
  if (placeholder) {
    const auto at = std::find(listed.begin(), listed.end(), std::string(kNoLinksItem));
    Check(at != listed.end(), "the placeholder is listed");
    listed.erase(at);
  }
  Check(listed == expected, "the list is that of the obvious search");

  for (const std::string& link : listed) {
    Check(ComesFromInput(link, file, base), "every link comes from the input");
    Check(!Contains(link, "\n") || Contains(base, "\n"), "no link spans a line break");
  }
  if (removeDups) {
    Check(std::adjacent_find(listed.begin(), listed.end()) == listed.end(), "no duplicates");
  }
  if (excludeOn && !excludeText.empty()) {
    const std::string pattern = ReferencePattern(excludeText);
    Check(std::none_of(listed.begin(), listed.end(),
                       [&](const std::string& link) { return Contains(link, pattern); }),
          "no link holds the excluded text");
  }
  return 0;
}
