#pragma once
// Ends a modal window that a test leaves open, so that a failed check returns from the
// window's loop instead of hanging the test.
//
//   QTimer::singleShot(0, [&] {
//     ModalGuard guard(*QApplication::activeModalWidget());
//     ASSERT_TRUE(...);  // on failure the guard ends the window
//     ...
//   });
#include <QPointer>
#include <QWidget>
#include <string>

namespace linkrake::testing {

// True while `window` runs modally: a CDialog from DoModal until its loop ends, any other
// window while it is shown.
bool IsModalOpen(const QWidget& window);

// Ends `window`: a running CDialog with EndDialog(IDCANCEL), another dialog with reject()
// (a message box or file dialog answers Cancel), any other window with close().
void EndModal(QWidget& window);

// A short name for messages: the window's class and title.
std::string DescribeWindow(const QWidget& window);

class ModalGuard {
 public:
  explicit ModalGuard(QWidget& window) : window_(&window) {}
  ~ModalGuard();
  ModalGuard(const ModalGuard&) = delete;
  ModalGuard& operator=(const ModalGuard&) = delete;

  // The window stays open when the guard ends (the test closes it later itself).
  void Release() { window_ = nullptr; }

 private:
  QPointer<QWidget> window_;
};

}  // namespace linkrake::testing
