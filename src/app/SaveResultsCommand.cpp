#include <string>

#include "app/CExtractDlg.h"
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "output/SaveFilters.h"
#include "output/SaveResults.h"

namespace linkrake {
namespace {

// The save dialog's filters as one block: description and pattern, each NUL-ended, and one
// more NUL at the end.
const std::string& SaveFilterBlock() {
  static const std::string block = [] {
    std::string text;
    for (const SaveFilter& filter : kSaveFilters) {
      text.append(filter.description).push_back('\0');
      text.append(filter.pattern).push_back('\0');
    }
    text.push_back('\0');
    return text;
  }();
  return block;
}

}  // namespace

void CExtractDlg::OnFileSaveResults() {
  CFileDialog dlg(false, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, nullptr, nullptr);
  dlg.m_ofn.lpstrFilter = SaveFilterBlock().data();
  if (dlg.DoModal() != IDOK) return;

  const std::string path = dlg.GetPathName();
  const std::string extension = dlg.GetFileExt();
  const int filterIndex = dlg.m_ofn.nFilterIndex;
  // The page's title shows the base location as the edit has it now.
  if (filterIndex == kHtmlFilterIndex) UpdateData(true);

  const SaveOutcome outcome = SaveLinks(m_linkList, path, extension, filterIndex, m_strBase);
  if (!outcome.Saved()) {
    AfxMessageBox(outcome.message.empty() ? SaveFailureMessage(outcome.target.path) : outcome.message,
                  MB_OK);
  }
}

}  // namespace linkrake
