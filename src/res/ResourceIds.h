#pragma once
// Resource and command ids of the program's dialogs, menu, strings and icon. The numbers are
// part of the program's contract: command handlers, data exchange and tests refer to them.
namespace linkrake {

// Dialog end codes that double as the ids of the standard buttons.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
// Id of controls that nothing refers to (labels, frames, pictures).
inline constexpr int IDC_STATIC = -1;

// Dialog templates.
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_MAIN = 102;
inline constexpr int IDD_OPEN_URL = 132;

// Icon, menu, strings.
inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDR_MAIN_MENU = 131;
inline constexpr int IDS_ABOUTBOX = 101;

// System-menu command that opens the About box.
inline constexpr unsigned IDM_ABOUTBOX = 16;

// Controls of the main dialog.
inline constexpr int IDC_SEARCH = 1001;
inline constexpr int IDC_LINK_LIST = 1004;
inline constexpr int IDC_BASE_EDIT = 1005;
inline constexpr int IDC_OPT_AHREF = 1009;
inline constexpr int IDC_OPT_HTTP = 1010;
inline constexpr int IDC_OPT_ALL = 1011;
inline constexpr int IDC_ITEM_COUNT = 1013;
inline constexpr int IDC_REMOVE_DUPS = 1016;
inline constexpr int IDC_REMOVE_LINES = 1017;
inline constexpr int IDC_EXCLUDE_EDIT = 1018;
inline constexpr int IDC_BASE_LABEL = 1023;
inline constexpr int IDC_OPT_FTP = 1025;
inline constexpr int IDC_PROGRESS = 1029;
// Control of the About box.
inline constexpr int IDC_LINK = 1020;
// Control of the Open URL dialog.
inline constexpr int IDC_URL_COMBO = 1030;

// Menu commands.
inline constexpr int ID_HELP_ABOUT = 32771;
inline constexpr int ID_HELP_GENERAL = 32772;
inline constexpr int ID_FILE_SAVE_RESULTS = 32774;
inline constexpr int ID_HTML_OPEN_URL = 32775;
inline constexpr int ID_FILE_EXIT = 32777;
inline constexpr int ID_HELP_UNINSTALL = 32778;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_HELP = 57670;

// System commands (the window menu); only the high 12 bits name the command.
inline constexpr unsigned SC_SIZE = 0xF000;
inline constexpr unsigned SC_MOVE = 0xF010;
inline constexpr unsigned SC_MINIMIZE = 0xF020;
inline constexpr unsigned SC_MAXIMIZE = 0xF030;
inline constexpr unsigned SC_CLOSE = 0xF060;
inline constexpr unsigned SC_RESTORE = 0xF120;

}  // namespace linkrake
