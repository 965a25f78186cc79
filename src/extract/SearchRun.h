#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "extract/ByteSources.h"
#include "extract/LinkList.h"
#include "extract/Messages.h"
#include "extract/Passes.h"
#include "extract/Progress.h"

namespace linkrake {

// What a search needs of the main dialog: its list, its progress bar and count display, its
// option buttons, its two text members with their data exchange, and its message boxes.
class ISearchHost : public IMessageSink, public IProgressBar {
 public:
  virtual LinkList& List() = 0;
  // The list's only column, "Address": taken away at the start of every run, put back once
  // the input has opened.
  virtual void DeleteColumn() = 0;
  virtual void InsertColumn() = 0;

  // The base location and exclusion texts, and the exchange with their edits.
  virtual std::string& Base() = 0;
  virtual std::string& Exclude() = 0;
  virtual void UpdateData(bool saveAndValidate) = 0;

  virtual PassChoice GetPassChoice() = 0;
  virtual bool IsRemoveDupsChecked() = 0;
  virtual bool IsRemoveLinesChecked() = 0;
  virtual void SetItemCountText(const std::string& text) = 0;
  // Whether anybody sees the bar move while the file is read. When nobody does, the lines that
  // cannot hold a link are skipped unseen rather than counted one by one.
  virtual bool ShowsProgress() { return true; }
};

// One click of the search button: reads the input file, scans every line, filters the links,
// shows the count and says it is done; then the temporary download file goes.
class CSearchRun {
 public:
  enum class Outcome { Done, InputFailed };

  // inputPath is the file to read; tempPath names the temporary download file, removed at the
  // end of every run (empty: there is none). With input set, that stream is read in place of
  // inputPath and its length counts as 0.
  CSearchRun(ISearchHost& host, std::string inputPath, std::string tempPath,
             std::FILE* input = nullptr);
  // Reads input in place of a file; inputLength scales the progress as a file's length does
  // (0 when it is not known).
  CSearchRun(ISearchHost& host, IByteSource& input, std::uint64_t inputLength,
             std::string tempPath = {});

  Outcome Run();
  // Whether the run added the item that says nothing was found.
  bool AddedNoLinksItem() const { return addedNoLinksItem_; }

 private:
  Outcome FailureEnd();
  void RemoveTempFile();

  ISearchHost& host_;
  std::string inputPath_;
  std::string tempPath_;
  std::unique_ptr<FileByteSource> ownInput_;
  IByteSource* input_ = nullptr;
  std::uint64_t inputLength_ = 0;
  bool addedNoLinksItem_ = false;
};

}  // namespace linkrake
