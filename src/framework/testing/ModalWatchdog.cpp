#include "framework/testing/ModalWatchdog.h"

#include <QApplication>
#include <gtest/gtest.h>

#include "framework/testing/ModalGuard.h"

namespace linkrake::testing {

ModalWatchdog::ModalWatchdog(std::chrono::milliseconds limit) : limit_(limit) {
  timer_.setSingleShot(false);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
  timer_.start(limit);
}

ModalWatchdog::~ModalWatchdog() { timer_.stop(); }

void ModalWatchdog::Tick() {
  if (!expired_) {
    expired_ = true;
    // From now on every window that is (or becomes) modal is ended at once; nested loops
    // unwind one per tick.
    timer_.setInterval(20);
  }
  QWidget* window = QApplication::activePopupWidget();
  if (!window) window = QApplication::activeModalWidget();
  if (!window) return;
  ++ended_;
  ADD_FAILURE() << DescribeWindow(*window) << " was still open after " << limit_.count()
                << " ms; the watchdog ended it";
  if (IsModalOpen(*window)) EndModal(*window);
  else window->hide();  // a dialog whose loop has ended but that still shows
}

}  // namespace linkrake::testing
