// The program's three dialog templates: the main dialog, the About box and the Open URL dialog.
#include "extract/Product.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"
#include "res/WindowStyles.h"

namespace linkrake {
namespace {

constexpr std::uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr std::uint32_t kModalDialog = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr std::uint32_t kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr std::uint32_t kRadio = kChild | BS_AUTORADIOBUTTON;
constexpr std::uint32_t kCheck = kChild | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr std::uint32_t kLabel = kChild | WS_GROUP | SS_LEFT;

const DialogTemplate& MainDialog() {
  static const DialogTemplate t{
      IDD_MAIN, "Linkrake 2.2", 0, 0, 299, 281,
      kModalDialog | WS_VISIBLE | WS_MINIMIZEBOX, WS_EX_APPWINDOW,
      "MS Sans Serif", 8, 0, false, 1, true, IDR_MAIN_MENU,
      {
          {IDC_BASE_EDIT, ControlClass::Edit, "", 55, 7, 170, 14, kEdit},
          {IDC_OPT_AHREF, ControlClass::Button, "<a href=\"...\">", 11, 36, 54, 10, kRadio | WS_GROUP},
          {IDC_OPT_HTTP, ControlClass::Button, "http://", 68, 36, 34, 10, kRadio},
          {IDC_OPT_FTP, ControlClass::Button, "ftp://", 105, 36, 31, 10, kRadio},
          {IDC_OPT_ALL, ControlClass::Button, "All", 139, 36, 25, 10, kRadio},
          {IDC_REMOVE_DUPS, ControlClass::Button, "Remove duplicates", 11, 49, 75, 10, kCheck},
          {IDC_REMOVE_LINES, ControlClass::Button, "Remove lines that contain:", 11, 61, 98, 10, kCheck},
          {IDC_EXCLUDE_EDIT, ControlClass::Edit, "", 113, 60, 108, 14, kEdit},
          {IDC_SEARCH, ControlClass::Button, "Linkrake", 242, 7, 50, 15,
           kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {IDOK, ControlClass::Button, "Exit", 242, 82, 50, 15, kChild | WS_TABSTOP | BS_PUSHBUTTON},
          {IDC_LINK_LIST, ControlClass::ListView, "List1", 7, 103, 285, 172,
           kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SORTASCENDING |
               LVS_EDITLABELS | LVS_NOSORTHEADER},
          {IDC_BASE_LABEL, ControlClass::Static, "Base location:", 7, 8, 46, 8, kLabel},
          {IDC_STATIC, ControlClass::Static, "Number of items:", 7, 84, 56, 8, kLabel},
          {IDC_ITEM_COUNT, ControlClass::Edit, "", 65, 84, 40, 14,
           kChild | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL},
          {IDC_STATIC, ControlClass::Button, "Options", 7, 25, 219, 54, kChild | BS_GROUPBOX},
          {IDC_STATIC, ControlClass::Static, "", 253, 41, 21, 20, kChild | SS_ICON, IDR_MAINFRAME},
          {IDC_PROGRESS, ControlClass::ProgressBar, "Progress1", 113, 82, 113, 14,
           kChild | WS_BORDER | PBS_SMOOTH},
      }};
  return t;
}

const DialogTemplate& AboutBox() {
  static const DialogTemplate t{
      IDD_ABOUTBOX, "About Linkrake", 0, 0, 235, 55, kModalDialog, 0,
      "MS Sans Serif", 8, 0, false, 1, false, 0,
      {
          {IDC_STATIC, ControlClass::Static, "Linkrake Version 2.2", 40, 10, 119, 8, kLabel | SS_NOPREFIX},
          {IDC_LINK, ControlClass::Static, kMakerSite, 40, 25, 119, 8, kLabel},
          {IDOK, ControlClass::Button, "OK", 178, 7, 50, 14,
           kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {IDC_STATIC, ControlClass::Static, "", 14, 13, 20, 20, kChild | SS_ICON, IDR_MAINFRAME},
      }};
  return t;
}

const DialogTemplate& OpenUrlDialog() {
  static const DialogTemplate t{
      IDD_OPEN_URL, "Open URL...", 0, 0, 247, 63, kModalDialog, 0,
      "MS Sans Serif", 8, 0, false, 1, false, 0,
      {
          {IDC_URL_COMBO, ControlClass::ComboBox, "", 7, 18, 233, 83,
           kChild | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN | CBS_AUTOHSCROLL},
          {IDOK, ControlClass::Button, "OK", 7, 42, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {IDCANCEL, ControlClass::Button, "Cancel", 190, 42, 50, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
          {IDC_STATIC, ControlClass::Static,
           "Enter URL location or select a previous location on the list:", 7, 7, 233, 8, kLabel},
      }};
  return t;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(int id) {
  switch (id) {
    case IDD_MAIN: return &MainDialog();
    case IDD_ABOUTBOX: return &AboutBox();
    case IDD_OPEN_URL: return &OpenUrlDialog();
    default: return nullptr;
  }
}

}  // namespace linkrake
