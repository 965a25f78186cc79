// The main dialog's menu bar.
#include "res/MenuTemplate.h"
#include "res/ResourceIds.h"

namespace linkrake {

const MenuTemplate* FindMenuTemplate(int id) {
  using Item = MenuItemTemplate;
  static const MenuTemplate mainMenu{
      IDR_MAIN_MENU,
      {
          Item::Popup("&File", {Item::Command("&Open...", ID_FILE_OPEN),
                                Item::Command("&Save as...", ID_FILE_SAVE_RESULTS), Item::Separator(),
                                Item::Command("&Exit", ID_FILE_EXIT)}),
          Item::Popup("H&TML", {Item::Command("&Open URL...", ID_HTML_OPEN_URL)}),
          Item::Popup("&Help", {Item::Command("&General help", ID_HELP_GENERAL),
                                Item::Command("&About Linkrake", ID_HELP_ABOUT),
                                Item::Command("&Uninstall", ID_HELP_UNINSTALL)}),
      }};
  return id == IDR_MAIN_MENU ? &mainMenu : nullptr;
}

}  // namespace linkrake
