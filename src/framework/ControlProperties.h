#pragma once
// What a built control carries besides its Qt state: its template id and its style word,
// and its "window text" whatever kind of widget it is.
#include <QWidget>
#include <cstdint>
#include <string>

namespace linkrake {

// The control's id from its template; IDC_STATIC (-1) for a widget that has none.
int GetControlId(const QWidget* control);
void SetControlId(QWidget* control, int id);

// The style word. WS_VISIBLE and WS_DISABLED follow the widget's own state (shown or hidden
// by itself, enabled or disabled by itself), as they do after showing or enabling a window.
std::uint32_t GetStyle(const QWidget* control);
// Stores the style word. WS_VISIBLE, WS_DISABLED and WS_TABSTOP take effect on the widget;
// every other bit is kept for whoever reads it back (a static link reads SS_NOTIFY).
void SetStyle(QWidget* control, std::uint32_t style);
// Stores the style word without touching the widget (the builder's first assignment).
void StoreStyle(QWidget* control, std::uint32_t style);

// The text a control shows: an edit's or a combo box's edit text, a button's, label's or
// group box's caption; the window title of anything else. Bytes are UTF-8.
std::string GetWindowText(const QWidget* control);
void SetWindowText(QWidget* control, const std::string& text);

}  // namespace linkrake
