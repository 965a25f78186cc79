#include "framework/ModalHook.h"

#include <deque>

namespace linkrake {
namespace {
std::deque<ModalHook::Action>& Queue() {
  static std::deque<ModalHook::Action> queue;
  return queue;
}
}  // namespace

void ModalHook::Enqueue(Action action) { Queue().push_back(std::move(action)); }
std::size_t ModalHook::Pending() { return Queue().size(); }
void ModalHook::Clear() { Queue().clear(); }

void ModalHook::DialogIsRunning(CDialog& dialog) {
  if (Queue().empty()) return;
  Action action = std::move(Queue().front());
  Queue().pop_front();
  action(dialog);
}

}  // namespace linkrake
