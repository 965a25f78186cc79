#pragma once
// The main dialog: every control of the window and the state its commands share — the file the
// search reads, the temporary download file, the base location and the exclusion words — with
// the handlers of its menu and its search button.
#include <QIcon>
#include <QWidget>
#include <cstddef>
#include <memory>
#include <string>

#include "extract/LinkList.h"
#include "framework/CDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeView;

namespace linkrake {

class CDataExchange;
class DialogSearchHost;
class LinkListModel;

// Room for the temporary file's path and its terminating NUL.
inline constexpr std::size_t kTempPathSize = 260;
// The name of the temporary file in the user's temporary folder.
inline constexpr char kTempFileName[] = "_tmp_morvane";

class CExtractDlg : public CDialog {
  Q_OBJECT

 public:
  explicit CExtractDlg(QWidget* parent = nullptr);
  ~CExtractDlg() override;

  // The search results the list shows (read by Save as and by tests).
  const LinkList& Links() const { return m_linkList; }
  const std::string& InputPath() const { return m_strInputPath; }
  const char* TempPath() const { return m_szTempPath; }
  const std::string& Base() const { return m_strBase; }
  const std::string& Exclude() const { return m_strExclude; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  bool OnInitDialog() override;
  void OnDestroy() override;
  // The window menu; the About item is handled here, the rest goes to the base.
  void OnSysCommand(unsigned id, long lParam) override;
  // Minimised, the window shows its icon centred; otherwise it paints as any dialog.
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class DialogSearchHost;

  // Commands of the menu and the search button.
  void OnSearch();
  void OnFileOpen();
  void OnFileSaveResults();
  void OnFileExit();
  void OnHtmlOpenUrl();
  void OnHelpAbout();
  void OnHelpGeneral();
  void OnHelpUninstall();

  // Shows the About box modally (start-up, the window menu, Help > About).
  void ShowAboutBox();
  // Adds the separator and the About item to the window menu.
  void AppendAboutMenuItem();

  // The list's only column, "Address", taken away and put back by every search.
  void DeleteListColumn();
  void InsertListColumn();
  // Lets the view catch up with what the search did to the list.
  void RefreshList();
  void SetProgressPos(int pos);
  // The temporary file's path: the user's temporary folder and kTempFileName; empty when the
  // two do not fit the buffer.
  void MakeTempPath();

  std::string m_strInputPath;
  char m_szTempPath[kTempPathSize] = {};
  QProgressBar* m_progress = nullptr;
  QLabel* m_baseLabel = nullptr;
  QCheckBox* m_removeDupsCheck = nullptr;
  QCheckBox* m_removeLinesCheck = nullptr;
  QLineEdit* m_excludeEdit = nullptr;
  QLineEdit* m_itemCountEdit = nullptr;
  QRadioButton* m_httpRadio = nullptr;
  QRadioButton* m_allRadio = nullptr;
  QRadioButton* m_ahrefRadio = nullptr;
  QPushButton* m_searchButton = nullptr;
  QLineEdit* m_baseEdit = nullptr;
  // The list view and the results it shows: the view is a window onto m_linkList.
  QTreeView* m_linkListView = nullptr;
  LinkList m_linkList;
  std::unique_ptr<LinkListModel> m_linkModel;
  std::string m_strBase;
  std::string m_strExclude;
  QRadioButton* m_ftpRadio = nullptr;
  QIcon m_hIcon;
};

}  // namespace linkrake
