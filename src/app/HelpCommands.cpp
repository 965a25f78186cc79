#include "app/CExtractDlg.h"

namespace linkrake {

void CExtractDlg::ShowAboutBox() {}

void CExtractDlg::AppendAboutMenuItem() {}

void CExtractDlg::OnSysCommand(unsigned id, long lParam) { CDialog::OnSysCommand(id, lParam); }

void CExtractDlg::OnHelpAbout() {}

void CExtractDlg::OnHelpGeneral() {}

void CExtractDlg::OnHelpUninstall() {}

}  // namespace linkrake
