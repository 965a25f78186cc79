#pragma once
// Data exchange between a dialog's members and its controls, run by CDialog::UpdateData.
#include <string>

#include "framework/CDialog.h"

namespace linkrake {

class CDataExchange {
 public:
  CDataExchange(CDialog& dialog, bool saveAndValidate)
      : m_pDlgWnd(&dialog), m_bSaveAndValidate(saveAndValidate) {}

  CDialog* const m_pDlgWnd;
  // true: controls -> members; false: members -> controls.
  const bool m_bSaveAndValidate;

  // Marks the exchange failed at control `id`; UpdateData then returns false.
  void Fail(int id);
  bool failed() const { return failed_; }
  int failedId() const { return failedId_; }

 private:
  bool failed_ = false;
  int failedId_ = 0;
};

// A control's text with a string, UTF-8 bytes both ways (edit, label, button, combo box).
void DDX_Text(CDataExchange& dx, int id, std::string& value);

// A combo box with a string. Towards the control: the first list item, from the top, that
// begins with `value` ignoring case is selected and shown; when none does (or `value` is
// empty) the edit text is set to `value`. From the control: its edit text.
void DDX_CBString(CDataExchange& dx, int id, std::string& value);

// Binds a control member: `control` becomes the widget of `id` as a T (in both directions).
template <class T>
void DDX_Control(CDataExchange& dx, int id, T*& control) {
  control = dx.m_pDlgWnd->GetDlgItem<T>(id);
  if (!control) dx.Fail(id);
}

}  // namespace linkrake
