#include "about/CAboutDlg.h"

#include "res/ResourceIds.h"

namespace linkrake {

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX, nullptr) {}

CAboutDlg::~CAboutDlg() = default;

bool CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SubclassDlgItem(IDC_LINK, m_link);
  return true;
}

void ShowAboutBox() {
  CAboutDlg about;
  about.DoModal();
}

}  // namespace linkrake
