#include "about/Uninstall.h"

#include "framework/MessageBox.h"
#include "registry/ProductKeys.h"

namespace linkrake {

UninstallResult RunUninstall(SettingsStore store) {
  if (AfxMessageBox(kUninstallConfirmMessage, MB_YESNOCANCEL | MB_ICONQUESTION) != IDYES)
    return UninstallResult::NotConfirmed;
  // A key that is not there counts as removed.
  if (!store.deleteTree(kProductKey)) {
    AfxMessageBox(kUninstallFailedMessage, MB_OK | MB_ICONERROR);
    return UninstallResult::Failed;
  }
  AfxMessageBox(kUninstallDoneMessage, MB_OK | MB_ICONINFORMATION);
  return UninstallResult::Removed;
}

}  // namespace linkrake
