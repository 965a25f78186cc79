#pragma once
// The About item of a window's system menu: a separator and "&About Linkrake..." (string
// IDS_ABOUTBOX) with command IDM_ABOUTBOX. The window manager owns the real window menu on
// X11 and Wayland, so the main dialog offers its own system menu, with this item, on a right
// click of its background as well.
class QMenu;
class QWidget;

namespace linkrake {

class CDialog;

// Appends the separator and the item; nothing without a menu or when the string is empty.
// True when the item was added.
bool AppendAboutItem(QMenu* systemMenu);

// Any system command whose id AND 0xFFF0 is IDM_ABOUTBOX (16 to 31) opens the About box.
bool IsAboutCommand(unsigned id);

// A right click on `background` (and on children that have no menu of their own) pops up
// `dialog`'s system menu; its commands go to the dialog's OnSysCommand as the window menu's do.
void OfferSystemMenuOnRightClick(CDialog& dialog, QWidget& background);

}  // namespace linkrake
