#include "app/DialogSearchHost.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>

#include "app/CExtractDlg.h"
#include "framework/ControlProperties.h"
#include "framework/MessageBox.h"

namespace linkrake {

unsigned MessageBoxTypeFor(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Error: return MB_OK | MB_ICONERROR;
    case MessageIcon::Information: return MB_OK | MB_ICONINFORMATION;
    case MessageIcon::Question: return MB_OK | MB_ICONQUESTION;
    case MessageIcon::Default: break;
  }
  return MB_OK;
}

void DialogSearchHost::ShowMessage(std::string_view text, MessageIcon icon) {
  // The box runs its own loop: let the list show what the run has found so far behind it.
  dialog_.RefreshList();
  AfxMessageBox(std::string(text), MessageBoxTypeFor(icon));
}

void DialogSearchHost::SetRange(int low, int high) {
  if (dialog_.m_progress) dialog_.m_progress->setRange(low, high);
}

void DialogSearchHost::SetPos(int pos) { dialog_.SetProgressPos(pos); }

LinkList& DialogSearchHost::List() { return dialog_.m_linkList; }

void DialogSearchHost::DeleteColumn() { dialog_.DeleteListColumn(); }

void DialogSearchHost::InsertColumn() { dialog_.InsertListColumn(); }

std::string& DialogSearchHost::Base() { return dialog_.m_strBase; }

std::string& DialogSearchHost::Exclude() { return dialog_.m_strExclude; }

void DialogSearchHost::UpdateData(bool saveAndValidate) { dialog_.UpdateData(saveAndValidate); }

PassChoice DialogSearchHost::GetPassChoice() {
  if (dialog_.m_ahrefRadio && dialog_.m_ahrefRadio->isChecked()) return PassChoice::Ahref;
  if (dialog_.m_httpRadio && dialog_.m_httpRadio->isChecked()) return PassChoice::Http;
  if (dialog_.m_ftpRadio && dialog_.m_ftpRadio->isChecked()) return PassChoice::Ftp;
  return PassChoice::All;
}

bool DialogSearchHost::IsRemoveDupsChecked() {
  return dialog_.m_removeDupsCheck && dialog_.m_removeDupsCheck->isChecked();
}

bool DialogSearchHost::IsRemoveLinesChecked() {
  return dialog_.m_removeLinesCheck && dialog_.m_removeLinesCheck->isChecked();
}

void DialogSearchHost::SetItemCountText(const std::string& text) {
  if (dialog_.m_itemCountEdit) SetWindowText(dialog_.m_itemCountEdit, text);
}

}  // namespace linkrake
