#include "framework/testing/RecordingFileDialog.h"

namespace linkrake::testing {

RecordingFileDialog::RecordingFileDialog() : previous_(SetFileDialogService(this)) {}
RecordingFileDialog::~RecordingFileDialog() { SetFileDialogService(previous_); }

void RecordingFileDialog::Accept(std::string pathName, int filterIndex) {
  FileDialogResult result;
  result.accepted = true;
  result.pathName = std::move(pathName);
  result.filterIndex = filterIndex;
  answers_.push_back(std::move(result));
}

void RecordingFileDialog::Cancel() { answers_.push_back(FileDialogResult{}); }

FileDialogResult RecordingFileDialog::Run(const FileDialogRequest& request) {
  requests.push_back(request);
  if (onRun) onRun(request);
  if (answers_.empty()) return {};
  FileDialogResult result = std::move(answers_.front());
  answers_.pop_front();
  // As the real dialog does: the filter that was current stays current.
  if (result.accepted && result.filterIndex < 0)
    result.filterIndex = request.filters.empty() ? 0 : request.filterIndex;
  return result;
}

}  // namespace linkrake::testing
