#pragma once
// The desktop for a test: it records what is opened and counts the beeps, and opens nothing.
// It stands in for the real desktop while it lives.
//
//   RecordingShell shell;
//   shell.Fail();                    // the next open fails
//   link.Click();
//   EXPECT_EQ(shell.beeps, 1);
#include <deque>
#include <string>
#include <vector>

#include "framework/Shell.h"

namespace linkrake::testing {

class RecordingShell : public IShellService {
 public:
  RecordingShell();
  ~RecordingShell() override;
  RecordingShell(const RecordingShell&) = delete;
  RecordingShell& operator=(const RecordingShell&) = delete;

  bool Open(const std::string& target) override;
  void Beep() override { ++beeps; }

  // Queues the result of the next open that has none yet.
  void Succeed() { answers_.push_back(true); }
  void Fail() { answers_.push_back(false); }

  std::vector<std::string> opened;  // every target asked for, failed ones included
  int beeps = 0;
  // The result once the queue is empty.
  bool defaultResult = true;

 private:
  std::deque<bool> answers_;
  IShellService* previous_;
};

}  // namespace linkrake::testing
