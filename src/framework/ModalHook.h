#pragma once
// Lets a test act on a CDialog while it runs modally: each queued action runs once, on the
// next CDialog that enters its modal loop, after the dialog is shown and OnInitDialog has run.
// Dialogs take the actions in the order in which they go modal, nested ones included.
// The test kit (framework/testing/ModalTestKit.h) wraps this with a guard that ends the
// dialog when the action leaves it open, so a failed check cannot hang a test.
#include <cstddef>
#include <functional>

namespace linkrake {

class CDialog;

class ModalHook {
 public:
  using Action = std::function<void(CDialog&)>;
  static void Enqueue(Action action);
  static std::size_t Pending();
  static void Clear();
  // Called by CDialog once its modal loop runs: hands the dialog to the oldest queued action.
  static void DialogIsRunning(CDialog& dialog);
};

}  // namespace linkrake
