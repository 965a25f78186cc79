#pragma once
// A file dialog that shows nothing: it records every dialog asked for and answers from a queue;
// once the queue is empty it answers as if the user cancelled. It stands in for the real dialog
// while it lives.
//
//   RecordingFileDialog files;
//   files.Accept(dir.File("links.html"), 2);   // the user picks a name with filter 2 current
//   dialog.RouteCommand(ID_FILE_SAVE_RESULTS);
//   EXPECT_FALSE(files.requests.at(0).open);
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/FileDialog.h"

namespace linkrake::testing {

class RecordingFileDialog : public IFileDialogService {
 public:
  RecordingFileDialog();
  ~RecordingFileDialog() override;
  RecordingFileDialog(const RecordingFileDialog&) = delete;
  RecordingFileDialog& operator=(const RecordingFileDialog&) = delete;

  FileDialogResult Run(const FileDialogRequest& request) override;

  // Queues an answer: the user confirmed `pathName` with filter `filterIndex` current (by
  // default the filter that was current when the dialog opened, 0 without filters).
  void Accept(std::string pathName, int filterIndex = -1);
  // Queues a cancelled dialog.
  void Cancel();
  void Answer(FileDialogResult result) { answers_.push_back(std::move(result)); }

  std::vector<FileDialogRequest> requests;
  // Runs while the dialog "is open", before it answers.
  std::function<void(const FileDialogRequest&)> onRun;

 private:
  std::deque<FileDialogResult> answers_;
  IFileDialogService* previous_;
};

}  // namespace linkrake::testing
