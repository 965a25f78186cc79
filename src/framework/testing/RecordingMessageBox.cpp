#include "framework/testing/RecordingMessageBox.h"

namespace linkrake::testing {

RecordingMessageBox::RecordingMessageBox() : previous_(SetMessageBoxService(this)) {}
RecordingMessageBox::~RecordingMessageBox() { SetMessageBoxService(previous_); }

int RecordingMessageBox::Show(const MessageBoxRequest& request) {
  requests.push_back(request);
  if (onShow) onShow(request);
  if (answers_.empty()) return defaultAnswer;
  const int answer = answers_.front();
  answers_.pop_front();
  return answer;
}

std::vector<std::string> RecordingMessageBox::Texts() const {
  std::vector<std::string> texts;
  for (const MessageBoxRequest& request : requests) texts.push_back(request.text);
  return texts;
}

}  // namespace linkrake::testing
