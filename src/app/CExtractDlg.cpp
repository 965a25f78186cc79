#include "app/CExtractDlg.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/CExtractApp.h"
#include "app/IconPlacement.h"
#include "app/LinkListModel.h"
#include "extract/Product.h"
#include "framework/ControlProperties.h"
#include "framework/DataExchange.h"
#include "framework/FileDialog.h"
#include "res/Icons.h"

namespace linkrake {
namespace {

// The open dialog's filters, first one current.
constexpr char kOpenFilters[] =
    "Text files (*.txt)\0*.txt\0HTML files (*.html, *.htm)\0*.htm*\0All files(*.*)\0*.*\0";

// How often the progress bar is painted while a search holds the window.
constexpr qint64 kProgressPaintMs = 40;

QElapsedTimer& ProgressPaintClock() {
  static QElapsedTimer clock;
  return clock;
}

}  // namespace

CExtractDlg::CExtractDlg(QWidget* parent)
    : CDialog(IDD_MAIN, parent),
      m_linkModel(std::make_unique<LinkListModel>(m_linkList)),
      m_hIcon(LoadIconResource(IDR_MAINFRAME)) {
  OnCommand(IDC_SEARCH, &CExtractDlg::OnSearch);
  OnCommand(ID_FILE_OPEN, &CExtractDlg::OnFileOpen);
  OnCommand(ID_FILE_SAVE_RESULTS, &CExtractDlg::OnFileSaveResults);
  OnCommand(ID_HELP_ABOUT, &CExtractDlg::OnHelpAbout);
  OnCommand(ID_HELP_GENERAL, &CExtractDlg::OnHelpGeneral);
  OnCommand(ID_HTML_OPEN_URL, &CExtractDlg::OnHtmlOpenUrl);
  OnCommand(ID_FILE_EXIT, &CExtractDlg::OnFileExit);
  OnCommand(ID_HELP_UNINSTALL, &CExtractDlg::OnHelpUninstall);
}

CExtractDlg::~CExtractDlg() {
  // The view must not outlive the model it shows.
  if (m_linkListView) m_linkListView->setModel(nullptr);
}

void CExtractDlg::DoDataExchange(CDataExchange& dx) {
  DDX_Control(dx, IDC_PROGRESS, m_progress);
  DDX_Control(dx, IDC_BASE_LABEL, m_baseLabel);
  DDX_Control(dx, IDC_REMOVE_DUPS, m_removeDupsCheck);
  DDX_Control(dx, IDC_REMOVE_LINES, m_removeLinesCheck);
  DDX_Control(dx, IDC_EXCLUDE_EDIT, m_excludeEdit);
  DDX_Control(dx, IDC_ITEM_COUNT, m_itemCountEdit);
  DDX_Control(dx, IDC_OPT_HTTP, m_httpRadio);
  DDX_Control(dx, IDC_OPT_ALL, m_allRadio);
  DDX_Control(dx, IDC_OPT_AHREF, m_ahrefRadio);
  DDX_Control(dx, IDC_SEARCH, m_searchButton);
  DDX_Control(dx, IDC_BASE_EDIT, m_baseEdit);
  DDX_Control(dx, IDC_LINK_LIST, m_linkListView);
  DDX_Text(dx, IDC_BASE_EDIT, m_strBase);
  DDX_Text(dx, IDC_EXCLUDE_EDIT, m_strExclude);
  DDX_Control(dx, IDC_OPT_FTP, m_ftpRadio);
}

bool CExtractDlg::OnInitDialog() {
  CDialog::OnInitDialog();

  // Seen once before the window itself appears.
  ShowAboutBox();
  AppendAboutMenuItem();

  setWindowIcon(m_hIcon);
  m_searchButton->setEnabled(false);
  SetWindowText(m_baseEdit, "-");
  m_allRadio->setChecked(true);
  SetWindowText(m_itemCountEdit, "0");
  m_removeDupsCheck->setChecked(true);
  m_baseEdit->setEnabled(false);
  MakeTempPath();

  // The view shows the results; its column "Address" comes with the first search.
  m_linkModel->SetColumn(false);
  m_linkListView->setModel(m_linkModel.get());
  m_linkListView->header()->setStretchLastSection(false);
  return true;
}

void CExtractDlg::MakeTempPath() {
  m_szTempPath[0] = '\0';
  std::error_code error;
  std::string folder = std::filesystem::temp_directory_path(error).string();
  if (error || folder.empty()) return;
  if (folder.back() != '/') folder += '/';
  const std::string path = folder + kTempFileName;
  // A path that does not fit leaves none: no download can then be written anywhere.
  if (path.size() >= kTempPathSize) return;
  std::memcpy(m_szTempPath, path.c_str(), path.size() + 1);
}

void CExtractDlg::OnDestroy() {
  CDialog::OnDestroy();
  // Usually there is nothing to delete: no page was downloaded, or a search took it already.
  if (m_szTempPath[0] != '\0') std::remove(m_szTempPath);
}

void CExtractDlg::paintEvent(QPaintEvent* event) {
  if (!isMinimized()) {
    CDialog::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  const QSize icon(32, 32);
  painter.drawPixmap(IconOrigin(width(), height(), icon.width(), icon.height()),
                     m_hIcon.pixmap(icon));
}

void CExtractDlg::OnFileOpen() {
  CFileDialog dlg(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr);
  dlg.m_ofn.lpstrFilter = kOpenFilters;
  if (dlg.DoModal() != IDOK) return;

  m_strInputPath = dlg.GetPathName();
  if (CExtractApp* app = AfxGetApp()) app->AddToRecentFileList(m_strInputPath);
  m_baseEdit->setEnabled(true);
  m_strBase = kMakerSite;
  SetWindowText(m_baseLabel, "Base location:");
  m_searchButton->setEnabled(true);
  UpdateData(false);
  UpdateWindow();
}

void CExtractDlg::OnFileExit() { CDialog::OnOK(); }

void CExtractDlg::DeleteListColumn() { m_linkModel->SetColumn(false); }

void CExtractDlg::InsertListColumn() {
  m_linkModel->SetColumn(true);
  if (m_linkListView) m_linkListView->header()->resizeSection(0, LinkListModel::kColumnWidth);
}

void CExtractDlg::RefreshList() { m_linkModel->Refresh(); }

void CExtractDlg::SetProgressPos(int pos) {
  if (!m_progress) return;
  // The bar drops a value outside its range; past the end it is simply full.
  m_progress->setValue(std::clamp(pos, m_progress->minimum(), m_progress->maximum()));
  // A search holds the window without returning to the event loop: paint the bar now and then
  // so that it moves.
  QElapsedTimer& clock = ProgressPaintClock();
  if (!clock.isValid() || clock.elapsed() >= kProgressPaintMs) {
    if (m_progress->isVisible()) m_progress->repaint();
    clock.start();
  }
}

}  // namespace linkrake
