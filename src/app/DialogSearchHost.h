#pragma once
// The main dialog as the search engine sees it: its list, progress bar, count display, option
// buttons, text members and message boxes.
#include <string>
#include <string_view>

#include "extract/SearchRun.h"

namespace linkrake {

class CExtractDlg;

class DialogSearchHost : public ISearchHost {
 public:
  explicit DialogSearchHost(CExtractDlg& dialog) : dialog_(dialog) {}

  void ShowMessage(std::string_view text, MessageIcon icon) override;
  void SetRange(int low, int high) override;
  void SetPos(int pos) override;

  LinkList& List() override;
  void DeleteColumn() override;
  void InsertColumn() override;

  std::string& Base() override;
  std::string& Exclude() override;
  void UpdateData(bool saveAndValidate) override;

  PassChoice GetPassChoice() override;
  bool IsRemoveDupsChecked() override;
  bool IsRemoveLinesChecked() override;
  void SetItemCountText(const std::string& text) override;

 private:
  CExtractDlg& dialog_;
};

// The message box type for an engine message: the icon it names, or none so that the box
// gets the usual one.
unsigned MessageBoxTypeFor(MessageIcon icon);

}  // namespace linkrake
