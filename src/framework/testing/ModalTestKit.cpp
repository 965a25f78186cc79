#include "framework/testing/ModalTestKit.h"

#include <gtest/gtest.h>

#include <exception>

#include "framework/ModalHook.h"

namespace linkrake::testing {

void RunGuarded(QWidget& window, const std::function<void()>& action) {
  ModalGuard guard(window);
  // An exception must not cross the window's event loop.
  try {
    action();
  } catch (const std::exception& e) {
    ADD_FAILURE() << "exception in an action on " << DescribeWindow(window) << ": " << e.what();
  } catch (...) {
    ADD_FAILURE() << "unknown exception in an action on " << DescribeWindow(window);
  }
}

ModalTestKit::ModalTestKit(std::chrono::milliseconds watchdogLimit) : watchdog_(watchdogLimit) {
  poll_.setInterval(10);
  QObject::connect(&poll_, &QTimer::timeout, [this] { PollWidgets(); });
}

ModalTestKit::~ModalTestKit() {
  poll_.stop();
  for (const auto& tracked : tracked_)
    if (!tracked->ran) ADD_FAILURE() << "a queued action for a modal " << tracked->what << " never ran";
  ModalHook::Clear();
}

bool ModalTestKit::AllRan() const {
  for (const auto& tracked : tracked_)
    if (!tracked->ran) return false;
  return true;
}

void ModalTestKit::QueueDialogAction(std::string what, std::function<void(CDialog&)> action) {
  auto tracked = std::make_shared<Tracked>(Tracked{std::move(what)});
  tracked_.push_back(tracked);
  ModalHook::Enqueue([tracked, action = std::move(action)](CDialog& dialog) {
    tracked->ran = true;
    RunGuarded(dialog, [&] { action(dialog); });
  });
}

void ModalTestKit::QueueWidgetAction(std::string what, std::function<bool(QWidget&)> matches,
                                     std::function<void(QWidget&)> run) {
  auto tracked = std::make_shared<Tracked>(Tracked{std::move(what)});
  tracked_.push_back(tracked);
  widgetActions_.push_back({tracked, std::move(matches), std::move(run)});
  if (!poll_.isActive()) poll_.start();
}

void ModalTestKit::PollWidgets() {
  if (widgetActions_.empty()) {
    poll_.stop();
    return;
  }
  QWidget* window = QApplication::activeModalWidget();
  // Each window takes one action; a window that is still open after its action is ended.
  if (!window || window == lastHandled_ || !window->isVisible() || !widgetActions_.front().matches(*window))
    return;
  auto next = std::make_shared<WidgetAction>(std::move(widgetActions_.front()));
  widgetActions_.pop_front();
  lastHandled_ = window;
  next->tracked->ran = true;
  // Run outside this timer: Qt does not fire a timer again while its slot runs, and the action
  // may open a window of its own (a confirmation) that the next action waits for.
  QPointer<QWidget> target(window);
  QTimer::singleShot(0, window, [next, target] {
    if (target) RunGuarded(*target, [&] { next->run(*target); });
  });
}

}  // namespace linkrake::testing
