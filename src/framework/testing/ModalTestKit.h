#pragma once
// Drives modal windows from a test. A modal window runs its own loop inside the call that
// opens it (DoModal, exec), so a test queues what it wants done before that call; the kit
// runs it on the window once the window is shown, and ends the window afterwards if the action
// left it open or a check in it failed. A watchdog ends whatever is still open after the limit.
//
//   ModalTestKit kit;
//   kit.OnNextModal<COpenUrlDlg>([](COpenUrlDlg& dialog) {
//     ASSERT_NE(dialog.GetDlgItem(IDC_URL_COMBO), nullptr);  // a failure ends the dialog
//     dialog.SetDlgItemText(IDC_URL_COMBO, "example.org");
//     dialog.RouteCommand(IDOK);
//   });
//   EXPECT_EQ(openUrl.DoModal(), IDOK);
//
// CDialog actions are taken in the order in which dialogs go modal, nested ones included
// (a dialog opened inside an action takes the next CDialog action). Actions for other modal
// windows (a real QMessageBox or QFileDialog) wait, in their own queue, for the next modal
// window of their class. When the kit is destroyed, each action that never ran fails the test,
// and the pending CDialog actions are dropped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <vector>

#include "framework/CDialog.h"
#include "framework/testing/ModalGuard.h"
#include "framework/testing/ModalWatchdog.h"

namespace linkrake::testing {

class ModalTestKit {
 public:
  explicit ModalTestKit(std::chrono::milliseconds watchdogLimit = std::chrono::seconds(20));
  ~ModalTestKit();
  ModalTestKit(const ModalTestKit&) = delete;
  ModalTestKit& operator=(const ModalTestKit&) = delete;

  // Runs `action` on the next CDialog that goes modal, which must be a D (else the test fails
  // and the dialog is ended).
  template <class D = CDialog>
  void OnNextModal(std::type_identity_t<std::function<void(D&)>> action) {
    QueueDialogAction(typeid(D).name(), [action = std::move(action)](CDialog& dialog) {
      auto* typed = dynamic_cast<D*>(&dialog);
      if (!typed) {
        ADD_FAILURE() << "the next modal dialog was " << DescribeWindow(dialog) << ", not a "
                      << typeid(D).name();
        return;
      }
      action(*typed);
    });
  }

  // Runs `action` on the next modal window of class W (QMessageBox, QFileDialog, ...).
  template <class W>
  void OnNextModalWidget(std::type_identity_t<std::function<void(W&)>> action) {
    QueueWidgetAction(typeid(W).name(), [](QWidget& window) { return dynamic_cast<W*>(&window) != nullptr; },
                      [action = std::move(action)](QWidget& window) { action(dynamic_cast<W&>(window)); });
  }

  // True when every queued action has run.
  bool AllRan() const;
  const ModalWatchdog& Watchdog() const { return watchdog_; }

 private:
  struct Tracked {
    std::string what;
    bool ran = false;
  };
  struct WidgetAction {
    std::shared_ptr<Tracked> tracked;
    std::function<bool(QWidget&)> matches;
    std::function<void(QWidget&)> run;
  };

  void QueueDialogAction(std::string what, std::function<void(CDialog&)> action);
  void QueueWidgetAction(std::string what, std::function<bool(QWidget&)> matches,
                         std::function<void(QWidget&)> run);
  void PollWidgets();

  ModalWatchdog watchdog_;
  std::vector<std::shared_ptr<Tracked>> tracked_;
  std::deque<WidgetAction> widgetActions_;
  QTimer poll_;
  QPointer<QWidget> lastHandled_;
};

// Runs `action` guarded: a check that fails (an ASSERT returns from the action) or an
// exception ends `window` if it is still open. What the kit does around every action; for a
// test's own timers.
void RunGuarded(QWidget& window, const std::function<void()>& action);

}  // namespace linkrake::testing
