#pragma once
#include <ostream>
#include <string>
#include <string_view>

#include "extract/SearchRun.h"

namespace linkrake {

// The search's view of the command line: the choices come from the options, messages go to
// standard error as one line each, and the progress bar, when asked for, is drawn there too.
class CliHost : public ISearchHost {
 public:
  CliHost(std::ostream& err, PassChoice kind, bool removeDuplicates, bool exclude, std::string base,
          std::string excludeText, bool drawProgress);

  LinkList& List() override { return list_; }
  void DeleteColumn() override {}
  void InsertColumn() override {}
  std::string& Base() override { return base_; }
  std::string& Exclude() override { return exclude_; }
  void UpdateData(bool) override {}
  PassChoice GetPassChoice() override { return kind_; }
  bool IsRemoveDupsChecked() override { return removeDuplicates_; }
  bool IsRemoveLinesChecked() override { return excludeOn_; }
  void SetItemCountText(const std::string&) override {}
  void ShowMessage(std::string_view text, MessageIcon icon) override;
  void SetRange(int low, int high) override;
  void SetPos(int pos) override;
  bool ShowsProgress() override { return drawProgress_; }

  // Ends the progress line, if one was drawn.
  void EndProgress();

 private:
  std::ostream& err_;
  LinkList list_;
  PassChoice kind_;
  bool removeDuplicates_;
  bool excludeOn_;
  std::string base_;
  std::string exclude_;
  bool drawProgress_;
  int low_ = 0;
  int high_ = 1;
  int drawnPercent_ = -1;
};

// Prints a message as one line prefixed with the tool's name; line breaks become blanks.
void PrintCliMessage(std::ostream& err, std::string_view text);

}  // namespace linkrake
