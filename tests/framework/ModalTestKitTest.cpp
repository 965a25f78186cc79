// The test kit must turn a dialog nobody answers into a failed test, never a hang. These
// tests catch the kit's own failure reports to see that it gives them.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "framework/CDialog.h"
#include "framework/MessageBox.h"
#include "framework/ModalHook.h"
#include "framework/testing/ModalTestKit.h"
#include "framework/testing/RecordingFileDialog.h"
#include "framework/testing/RecordingMessageBox.h"
#include "framework/testing/RecordingShell.h"
#include "res/ResourceIds.h"

namespace linkrake {
namespace {

using testing::ModalTestKit;
using testing::ModalWatchdog;

class CountingDialog : public CDialog {
 public:
  CountingDialog() : CDialog(IDD_OPEN_URL) {}
  int destroyed = 0;

 protected:
  void OnDestroy() override {
    CDialog::OnDestroy();
    ++destroyed;
  }
};

// The failures reported while it lives, kept from the running test.
class CaughtFailures {
 public:
  CaughtFailures()
      : reporter_(::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results_) {}
  int Count() const { return results_.size(); }
  std::string Text(int i) const { return results_.GetTestPartResult(i).message(); }

 private:
  ::testing::TestPartResultArray results_;
  ::testing::ScopedFakeTestPartResultReporter reporter_;
};

TEST(ModalTestKit, ActionRunsOnTheRunningDialogAndItsEndCodeIsReturned) {
  ModalTestKit kit;
  CountingDialog dialog;
  bool sawRunning = false;
  kit.OnNextModal<CountingDialog>([&](CountingDialog& d) {
    sawRunning = d.IsRunning() && d.isVisible();
    d.EndDialog(IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(sawRunning);
  EXPECT_TRUE(kit.AllRan());
  EXPECT_EQ(dialog.destroyed, 1);
}

TEST(ModalTestKit, ActionThatLeavesTheDialogOpenEndsItWithCancel) {
  ModalTestKit kit;
  CountingDialog dialog;
  kit.OnNextModal([](CDialog&) {});
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.destroyed, 1);
}

TEST(ModalTestKit, FailedAssertionInsideTheActionEndsTheDialog) {
  CountingDialog dialog;
  int result = 0;
  bool reachedAfterAssert = false;
  CaughtFailures failures;
  {
    ModalTestKit kit;
    kit.OnNextModal([&](CDialog& d) {
      ASSERT_EQ(d.GetDlgItem(4242), reinterpret_cast<QWidget*>(1));
      reachedAfterAssert = true;
    });
    result = dialog.DoModal();
  }
  EXPECT_EQ(failures.Count(), 1);
  EXPECT_FALSE(reachedAfterAssert);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dialog.destroyed, 1);
}

TEST(ModalTestKit, ExceptionInsideTheActionFailsAndEndsTheDialog) {
  CountingDialog dialog;
  int result = 0;
  CaughtFailures failures;
  {
    ModalTestKit kit;
    kit.OnNextModal([](CDialog&) { throw std::runtime_error("boom"); });
    result = dialog.DoModal();
  }
  ASSERT_EQ(failures.Count(), 1);
  EXPECT_NE(failures.Text(0).find("boom"), std::string::npos);
  EXPECT_EQ(result, IDCANCEL);
}

TEST(ModalTestKit, ActionForAnotherDialogClassFailsAndEndsTheDialog) {
  class OtherDialog : public CDialog {
   public:
    OtherDialog() : CDialog(IDD_ABOUTBOX) {}
  };
  CountingDialog dialog;
  bool ran = false;
  int result = 0;
  CaughtFailures failures;
  {
    ModalTestKit kit;
    kit.OnNextModal<OtherDialog>([&](OtherDialog&) { ran = true; });
    result = dialog.DoModal();
  }
  EXPECT_EQ(failures.Count(), 1);
  EXPECT_FALSE(ran);
  EXPECT_EQ(result, IDCANCEL);
}

TEST(ModalTestKit, ActionThatNeverRanFailsTheTestAndIsDropped) {
  CaughtFailures failures;
  {
    ModalTestKit kit;
    kit.OnNextModal([](CDialog&) {});
    EXPECT_FALSE(kit.AllRan());
  }
  EXPECT_EQ(failures.Count(), 1);
  EXPECT_EQ(ModalHook::Pending(), 0u);
}

TEST(ModalTestKit, NestedDialogsTakeTheActionsInTheOrderTheyGoModal) {
  ModalTestKit kit;
  CountingDialog outer;
  CountingDialog inner;
  std::vector<std::string> order;
  kit.OnNextModal([&](CDialog& d) {
    order.push_back("outer");
    EXPECT_EQ(&d, &outer);
    EXPECT_EQ(inner.DoModal(), IDOK);
    order.push_back("outer again");
    d.EndDialog(IDOK);
  });
  kit.OnNextModal([&](CDialog& d) {
    order.push_back("inner");
    EXPECT_EQ(&d, &inner);
    d.EndDialog(IDOK);
  });
  EXPECT_EQ(outer.DoModal(), IDOK);
  EXPECT_EQ(order, (std::vector<std::string>{"outer", "inner", "outer again"}));
}

TEST(ModalTestKit, WatchdogEndsADialogNobodyAnswers) {
  CountingDialog dialog;
  int result = 0;
  int ended = 0;
  CaughtFailures failures;
  {
    ModalWatchdog watchdog(std::chrono::milliseconds(200));
    result = dialog.DoModal();
    ended = watchdog.Ended();
  }
  EXPECT_EQ(ended, 1);
  ASSERT_EQ(failures.Count(), 1);
  EXPECT_NE(failures.Text(0).find("Open URL..."), std::string::npos) << failures.Text(0);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dialog.destroyed, 1);
}

TEST(ModalTestKit, WatchdogUnwindsNestedDialogsAndQtBoxes) {
  CountingDialog outer;
  CaughtFailures failures;
  int innerResult = 0;
  {
    ModalTestKit kit(std::chrono::milliseconds(200));
    kit.OnNextModal([&](CDialog&) {
      QMessageBox box(QMessageBox::Warning, "t", "nobody answers", QMessageBox::Ok | QMessageBox::Cancel);
      innerResult = box.exec();
    });
    outer.DoModal();
  }
  EXPECT_EQ(failures.Count(), 1);  // only the box was still open; the guard ended the dialog
  EXPECT_EQ(innerResult, QMessageBox::Cancel);
  EXPECT_EQ(outer.destroyed, 1);
}

TEST(ModalTestKit, WidgetActionAnswersARealMessageBox) {
  ModalTestKit kit;
  QString seen;
  kit.OnNextModalWidget<QMessageBox>([&](QMessageBox& box) {
    seen = box.text();
    box.button(QMessageBox::No)->click();
  });
  QMessageBox box(QMessageBox::Question, "t", "Really?", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.exec(), QMessageBox::No);
  EXPECT_EQ(seen, "Really?");
}

TEST(RecordingServices, StandInWhileAliveAndAnswerFromTheirQueues) {
  {
    testing::RecordingMessageBox boxes;
    boxes.Answer(IDYES);
    EXPECT_EQ(AfxMessageBox("one", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox("two"), IDOK);
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"one", "two"}));
  }
  {
    testing::RecordingFileDialog files;
    files.Accept("/tmp/a.txt");
    CFileDialog first(false, nullptr, nullptr, OFN_OVERWRITEPROMPT, "Text\0*.txt\0All\0*.*\0\0");
    first.m_ofn.nFilterIndex = 2;
    ASSERT_EQ(first.DoModal(), IDOK);
    EXPECT_EQ(first.m_ofn.nFilterIndex, 2);  // the current filter stays current
    CFileDialog second(true);
    EXPECT_EQ(second.DoModal(), IDCANCEL);  // an empty queue cancels
    EXPECT_EQ(files.requests.size(), 2u);
  }
  {
    testing::RecordingShell shell;
    shell.Fail();
    EXPECT_FALSE(ShellOpen("http://a.example/"));
    EXPECT_TRUE(ShellOpen("http://b.example/"));
    MessageBeep();
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"http://a.example/", "http://b.example/"}));
    EXPECT_EQ(shell.beeps, 1);
  }
}

}  // namespace
}  // namespace linkrake
