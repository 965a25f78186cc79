#include "framework/testing/ModalGuard.h"

#include <QDialog>

#include "framework/CDialog.h"

namespace linkrake::testing {

bool IsModalOpen(const QWidget& window) {
  if (auto* dialog = qobject_cast<const CDialog*>(&window)) return dialog->IsRunning();
  return window.isVisible();
}

void EndModal(QWidget& window) {
  if (auto* dialog = qobject_cast<CDialog*>(&window)) {
    // reject() would go through the dialog's own OnCancel, which a dialog may override.
    if (dialog->IsRunning()) dialog->EndDialog(IDCANCEL);
    return;
  }
  if (auto* dialog = qobject_cast<QDialog*>(&window)) {
    dialog->reject();
    return;
  }
  window.close();
}

std::string DescribeWindow(const QWidget& window) {
  return std::string(window.metaObject()->className()) + " \"" + window.windowTitle().toStdString() + "\"";
}

ModalGuard::~ModalGuard() {
  if (window_ && IsModalOpen(*window_)) EndModal(*window_);
}

}  // namespace linkrake::testing
