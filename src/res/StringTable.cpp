#include "res/StringTable.h"

#include <map>

#include "res/ResourceIds.h"

namespace linkrake {

std::string LoadResourceString(int id) {
  // Besides the About item's text, the table holds the menu commands' prompts, which
  // nothing in a dialog application shows.
  static const std::map<int, std::string> table{
      {IDS_ABOUTBOX, "&About Linkrake..."},
      {ID_HELP_ABOUT, "About Linkrake"},
      {ID_HELP_GENERAL, "General help on topics"},
      {ID_FILE_SAVE_RESULTS, "Save file as ..."},
      {ID_HTML_OPEN_URL, "Open an URL to analyze"},
      {ID_HELP_UNINSTALL, "Uninstall the program"},
      {ID_FILE_OPEN, "Open file"},
      {ID_FILE_MRU_FILE1, "Open this document"},
  };
  auto it = table.find(id);
  return it == table.end() ? std::string() : it->second;
}

}  // namespace linkrake
