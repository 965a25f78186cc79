#pragma once
// A message box that shows nothing: it records every box asked for and answers from a queue.
// It stands in for the real box while it lives.
//
//   RecordingMessageBox boxes;
//   boxes.Answer(IDYES);                    // the first box answers Yes, later ones IDOK
//   command.Run();
//   ASSERT_EQ(boxes.requests.size(), 1u);
//   EXPECT_EQ(boxes.requests[0].text, "Done searching the file.");
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/MessageBox.h"
#include "res/ResourceIds.h"

namespace linkrake::testing {

class RecordingMessageBox : public IMessageBoxService {
 public:
  RecordingMessageBox();
  ~RecordingMessageBox() override;
  RecordingMessageBox(const RecordingMessageBox&) = delete;
  RecordingMessageBox& operator=(const RecordingMessageBox&) = delete;

  int Show(const MessageBoxRequest& request) override;

  // Queues the answer of the next box that has no answer yet.
  void Answer(int code) { answers_.push_back(code); }
  // The texts of the boxes shown so far, in order.
  std::vector<std::string> Texts() const;

  std::vector<MessageBoxRequest> requests;
  // The answer once the queue is empty.
  int defaultAnswer = IDOK;
  // Runs while the box "is open", before it answers (to look at the program's state then).
  std::function<void(const MessageBoxRequest&)> onShow;

 private:
  std::deque<int> answers_;
  IMessageBoxService* previous_;
};

}  // namespace linkrake::testing
