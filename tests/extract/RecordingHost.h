#pragma once
#include <string>
#include <vector>

#include "extract/SearchRun.h"

namespace linkrake::testing {

// The main dialog as a search sees it, with every call written down.
class RecordingHost : public ISearchHost {
 public:
  LinkList& List() override { return list; }
  void DeleteColumn() override {
    hasColumn = false;
    log.push_back("DeleteColumn");
  }
  void InsertColumn() override {
    hasColumn = true;
    log.push_back("InsertColumn");
  }
  std::string& Base() override { return base; }
  std::string& Exclude() override { return exclude; }
  void UpdateData(bool save) override {
    if (save) {
      base = baseEdit;
      exclude = excludeEdit;
    } else {
      baseEdit = base;
      excludeEdit = exclude;
    }
    log.push_back(save ? "UpdateData(TRUE)" : "UpdateData(FALSE)");
  }
  PassChoice GetPassChoice() override { return choice; }
  bool IsRemoveDupsChecked() override { return removeDups; }
  bool IsRemoveLinesChecked() override { return removeLines; }
  void SetItemCountText(const std::string& text) override {
    countText = text;
    log.push_back("Count " + text);
  }
  void ShowMessage(std::string_view text, MessageIcon icon) override {
    messages.emplace_back(text);
    icons.push_back(icon);
    log.push_back("Message " + std::string(text));
  }
  void SetRange(int low, int high) override {
    log.push_back("Range " + std::to_string(low) + " " + std::to_string(high));
  }
  void SetPos(int pos) override { positions.push_back(pos); }

  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (std::size_t i = 0; i < list.GetItemCount(); ++i) items.emplace_back(list.GetItemText(i));
    return items;
  }

  LinkList list;
  bool hasColumn = true;
  std::string base, exclude;          // the dialog's members
  std::string baseEdit = "http://site", excludeEdit;  // what the edits show
  PassChoice choice = PassChoice::All;
  bool removeDups = true;
  bool removeLines = false;
  std::string countText = "unchanged";
  std::vector<std::string> messages;
  std::vector<MessageIcon> icons;
  std::vector<int> positions;
  std::vector<std::string> log;
};

}  // namespace linkrake::testing
