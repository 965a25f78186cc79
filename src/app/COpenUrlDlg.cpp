#include "app/COpenUrlDlg.h"

#include <QComboBox>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/ResourceIds.h"
#include "sources/CRegistryAccess.h"
#include "sources/RecentUrlStore.h"

namespace linkrake {

COpenUrlDlg::COpenUrlDlg(QWidget* parent) : CDialog(IDD_OPEN_URL, parent), m_strUrl("") {}

COpenUrlDlg::~COpenUrlDlg() = default;

void COpenUrlDlg::DoDataExchange(CDataExchange& dx) {
  CDialog::DoDataExchange(dx);
  DDX_Control(dx, IDC_URL_COMBO, m_cbUrl);
  DDX_CBString(dx, IDC_URL_COMBO, m_strUrl);
}

bool COpenUrlDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  LoadRecentUrls();
  return true;
}

void COpenUrlDlg::OnDestroy() {
  CDialog::OnDestroy();
  UpdateData(true);
  m_strChosenUrl = m_strUrl;
  SaveRecentUrl();
}

void COpenUrlDlg::LoadRecentUrls() {
  if (!m_cbUrl) return;
  CRegistryAccess registry;
  RecentUrlStore store(registry);
  for (const std::string& address : store.Load()) {
    m_cbUrl->addItem(QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size())));
  }
  // Adding the first item to an empty list selects it; the user starts from an empty field.
  m_cbUrl->setCurrentIndex(-1);
  m_cbUrl->setEditText(QString());
}

void COpenUrlDlg::SaveRecentUrl() {
  CRegistryAccess registry;
  RecentUrlStore store(registry);
  if (store.Save(m_strUrl) == RecentUrlSaveResult::Failed) {
    AfxMessageBox(kRecentUrlSaveFailedMessage, MB_OK | MB_ICONERROR);
  }
}

}  // namespace linkrake
