#include "extract/SearchRun.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "extract/BaseRule.h"
#include "extract/Filters.h"
#include "extract/LineReader.h"
#include "extract/LinkScanner.h"

namespace linkrake {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

FilePtr OpenForReading(const std::string& path) { return FilePtr(std::fopen(path.c_str(), "rb")); }

}  // namespace

CSearchRun::CSearchRun(ISearchHost& host, std::string inputPath, std::string tempPath,
                       std::FILE* input)
    : host_(host), inputPath_(std::move(inputPath)), tempPath_(std::move(tempPath)) {
  if (input) {
    ownInput_ = std::make_unique<FileByteSource>(input);
    input_ = ownInput_.get();
  }
}

CSearchRun::CSearchRun(ISearchHost& host, IByteSource& input, std::uint64_t inputLength,
                       std::string tempPath)
    : host_(host), tempPath_(std::move(tempPath)), input_(&input), inputLength_(inputLength) {}

CSearchRun::Outcome CSearchRun::Run() {
  addedNoLinksItem_ = false;
  LinkList& list = host_.List();
  list.DeleteAllItems();
  host_.DeleteColumn();

  // The length decides the progress scale; 64 bits, as inputs may be larger than 4 GiB.
  std::uint64_t length = inputLength_;
  if (!input_) {
    if (!OpenForReading(inputPath_)) return FailureEnd();
    std::error_code error;
    const auto size = std::filesystem::file_size(inputPath_, error);
    if (!error) length = size;
  }

  host_.UpdateData(true);
  if (ApplyBaseRule(host_.Base())) host_.UpdateData(false);

  FilePtr opened;
  if (!input_) {
    opened = OpenForReading(inputPath_);
    if (!opened) return FailureEnd();
  }
  host_.InsertColumn();

  ProgressTracker progress(host_);
  progress.Start(length);

  const Passes passes = Passes::For(host_.GetPassChoice());
  const std::string base = host_.Base();
  CLinkScanner scanner(list, host_);
  FileByteSource openedSource(opened.get());
  LineReader reader(input_ ? *input_ : openedSource);
  const bool readAll =
      host_.ShowsProgress()
          ? reader.ForEachLine([&](std::string_view line, bool mayHoldLink) {
              if (mayHoldLink) scanner.ScanLine(line, passes.anchor, passes.http, passes.ftp, base);
              progress.AdvanceByLine(line.size());
            })
          : reader.ForEachLinkLine([&](std::string_view line) {
              scanner.ScanLine(line, passes.anchor, passes.http, passes.ftp, base);
            });
  if (!readAll) {
    // A file that cannot be read to its end is no better than one that cannot be opened:
    // half a list would pass for the whole.
    list.DeleteAllItems();
    host_.DeleteColumn();
    return FailureEnd();
  }

  if (host_.IsRemoveDupsChecked()) {
    RemoveDuplicateLinks(list, progress);
  } else {
    progress.AdvanceProgress(10000);
  }
  if (host_.IsRemoveLinesChecked() && !host_.Exclude().empty()) {
    RemoveExcludedLinks(list, host_.Exclude(), progress);
  } else {
    progress.AdvanceProgress(10000);
  }

  host_.SetItemCountText(std::to_string(list.GetItemCount()));
  progress.Finish();
  host_.ShowMessage(kDoneMessage, MessageIcon::Default);
  if (list.GetItemText(0).empty()) {
    list.InsertItem(kNoLinksItem);
    addedNoLinksItem_ = true;
  }
  opened.reset();  // a file still open cannot be removed everywhere
  RemoveTempFile();
  return Outcome::Done;
}

CSearchRun::Outcome CSearchRun::FailureEnd() {
  host_.ShowMessage(kOpenFailedMessage, MessageIcon::Default);
  RemoveTempFile();
  return Outcome::InputFailed;
}

void CSearchRun::RemoveTempFile() {
  if (tempPath_.empty()) return;
  std::error_code ignored;  // it may well not exist; nobody needs to hear about that
  std::filesystem::remove(tempPath_, ignored);
}

}  // namespace linkrake
