// The main of a widget test: a QApplication on the offscreen platform around GoogleTest, and a
// watchdog per test that ends any modal window left open (the test fails instead of hanging).
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <chrono>
#include <memory>

#include "framework/testing/ModalWatchdog.h"

namespace {

class WatchdogPerTest : public ::testing::EmptyTestEventListener {
 public:
  void OnTestStart(const ::testing::TestInfo&) override {
    watchdog_ = std::make_unique<linkrake::testing::ModalWatchdog>(std::chrono::seconds(30));
  }
  void OnTestEnd(const ::testing::TestInfo&) override { watchdog_.reset(); }

 private:
  std::unique_ptr<linkrake::testing::ModalWatchdog> watchdog_;
};

// The offscreen platform says so for every window with a fixed size; nothing to act on.
QtMessageHandler previousHandler = nullptr;

void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QLatin1String("does not support propagateSizeHints"))) return;
  if (previousHandler) previousHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  // Test discovery runs the program outside ctest's environment.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  // A widget test that forgets to point the settings at a folder of its own must not read or
  // change the settings of whoever runs the tests.
  QTemporaryDir configHome;
  if (!configHome.isValid()) return 1;
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  previousHandler = qInstallMessageHandler(QuietMessages);
  QApplication app(argc, argv);
  ::testing::UnitTest::GetInstance()->listeners().Append(new WatchdogPerTest);
  return RUN_ALL_TESTS();
}
