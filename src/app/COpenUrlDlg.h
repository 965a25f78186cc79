#pragma once
// The Open URL dialog: a combo box in which the user types an address or picks one of the last
// five. The list comes from the recent-address store when the dialog opens, and whatever the
// combo box holds when the dialog goes away is recorded there, however it was closed.
#include <QWidget>
#include <string>

#include "framework/CDialog.h"

class QComboBox;

namespace linkrake {

class COpenUrlDlg : public CDialog {
 public:
  explicit COpenUrlDlg(QWidget* parent = nullptr);
  ~COpenUrlDlg() override;

  // The combo box's text when the window went away; empty until then.
  const std::string& ChosenUrl() const { return m_strChosenUrl; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  bool OnInitDialog() override;
  void OnDestroy() override;

 private:
  void LoadRecentUrls();
  void SaveRecentUrl();

  std::string m_strChosenUrl;
  QComboBox* m_cbUrl = nullptr;
  std::string m_strUrl;
};

}  // namespace linkrake
