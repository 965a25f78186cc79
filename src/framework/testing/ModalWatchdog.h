#pragma once
// Ends every modal window still open when a time limit has passed, and fails the running test
// for it, so that a dialog nobody answers cannot hang a test. The widget test main keeps one
// per test; a test may hold a shorter one of its own.
//
//   ModalWatchdog watchdog(std::chrono::seconds(5));
//   dialog.DoModal();  // returns after at most 5 s, the test failed if it had to end it
#include <QTimer>
#include <chrono>

namespace linkrake::testing {

class ModalWatchdog {
 public:
  explicit ModalWatchdog(std::chrono::milliseconds limit);
  ~ModalWatchdog();
  ModalWatchdog(const ModalWatchdog&) = delete;
  ModalWatchdog& operator=(const ModalWatchdog&) = delete;

  // True once the limit has passed (whether or not a window was open then).
  bool Expired() const { return expired_; }
  // The number of windows it had to end.
  int Ended() const { return ended_; }

 private:
  void Tick();

  QTimer timer_;
  std::chrono::milliseconds limit_;
  bool expired_ = false;
  int ended_ = 0;
};

}  // namespace linkrake::testing
