#pragma once
// Window and control style bits used by the dialog templates. The values are the classic
// 32-bit style words, so a template reads like the original resource script and a style
// read back from a control can be tested bit by bit.
#include <cstdint>

namespace linkrake {

// Any window.
inline constexpr std::uint32_t WS_OVERLAPPED = 0x00000000u;
inline constexpr std::uint32_t WS_POPUP = 0x80000000u;
inline constexpr std::uint32_t WS_CHILD = 0x40000000u;
inline constexpr std::uint32_t WS_MINIMIZE = 0x20000000u;
inline constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
inline constexpr std::uint32_t WS_DISABLED = 0x08000000u;
inline constexpr std::uint32_t WS_CLIPSIBLINGS = 0x04000000u;
inline constexpr std::uint32_t WS_CLIPCHILDREN = 0x02000000u;
inline constexpr std::uint32_t WS_MAXIMIZE = 0x01000000u;
inline constexpr std::uint32_t WS_BORDER = 0x00800000u;
inline constexpr std::uint32_t WS_DLGFRAME = 0x00400000u;
inline constexpr std::uint32_t WS_CAPTION = WS_BORDER | WS_DLGFRAME;
inline constexpr std::uint32_t WS_VSCROLL = 0x00200000u;
inline constexpr std::uint32_t WS_HSCROLL = 0x00100000u;
inline constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
inline constexpr std::uint32_t WS_THICKFRAME = 0x00040000u;
// The same two bits mean "group start" and "tab stop" on a child, and the minimise and
// maximise boxes on a top-level window.
inline constexpr std::uint32_t WS_GROUP = 0x00020000u;
inline constexpr std::uint32_t WS_TABSTOP = 0x00010000u;
inline constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000u;
inline constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000u;

// Extended window style.
inline constexpr std::uint32_t WS_EX_APPWINDOW = 0x00040000u;

// Dialog.
inline constexpr std::uint32_t DS_SETFONT = 0x0040u;
inline constexpr std::uint32_t DS_MODALFRAME = 0x0080u;

// Edit.
inline constexpr std::uint32_t ES_LEFT = 0x0000u;
inline constexpr std::uint32_t ES_CENTER = 0x0001u;
inline constexpr std::uint32_t ES_RIGHT = 0x0002u;
inline constexpr std::uint32_t ES_AUTOHSCROLL = 0x0080u;
inline constexpr std::uint32_t ES_READONLY = 0x0800u;

// Button; the low four bits are the button's kind.
inline constexpr std::uint32_t BS_PUSHBUTTON = 0x0u;
inline constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1u;
inline constexpr std::uint32_t BS_CHECKBOX = 0x2u;
inline constexpr std::uint32_t BS_AUTOCHECKBOX = 0x3u;
inline constexpr std::uint32_t BS_RADIOBUTTON = 0x4u;
inline constexpr std::uint32_t BS_GROUPBOX = 0x7u;
inline constexpr std::uint32_t BS_AUTORADIOBUTTON = 0x9u;
inline constexpr std::uint32_t BS_TYPEMASK = 0xFu;

// Static; the low five bits are the static's kind.
inline constexpr std::uint32_t SS_LEFT = 0x00u;
inline constexpr std::uint32_t SS_CENTER = 0x01u;
inline constexpr std::uint32_t SS_RIGHT = 0x02u;
inline constexpr std::uint32_t SS_ICON = 0x03u;
inline constexpr std::uint32_t SS_SIMPLE = 0x0Bu;
inline constexpr std::uint32_t SS_LEFTNOWORDWRAP = 0x0Cu;
inline constexpr std::uint32_t SS_TYPEMASK = 0x1Fu;
inline constexpr std::uint32_t SS_NOPREFIX = 0x80u;
inline constexpr std::uint32_t SS_NOTIFY = 0x100u;

// List view.
inline constexpr std::uint32_t LVS_ICON = 0x0000u;
inline constexpr std::uint32_t LVS_REPORT = 0x0001u;
inline constexpr std::uint32_t LVS_TYPEMASK = 0x0003u;
inline constexpr std::uint32_t LVS_SINGLESEL = 0x0004u;
inline constexpr std::uint32_t LVS_SHOWSELALWAYS = 0x0008u;
inline constexpr std::uint32_t LVS_SORTASCENDING = 0x0010u;
inline constexpr std::uint32_t LVS_SORTDESCENDING = 0x0020u;
inline constexpr std::uint32_t LVS_EDITLABELS = 0x0200u;
inline constexpr std::uint32_t LVS_NOCOLUMNHEADER = 0x4000u;
inline constexpr std::uint32_t LVS_NOSORTHEADER = 0x8000u;

// Progress bar.
inline constexpr std::uint32_t PBS_SMOOTH = 0x01u;

// Combo box.
inline constexpr std::uint32_t CBS_SIMPLE = 0x0001u;
inline constexpr std::uint32_t CBS_DROPDOWN = 0x0002u;
inline constexpr std::uint32_t CBS_DROPDOWNLIST = 0x0003u;
inline constexpr std::uint32_t CBS_AUTOHSCROLL = 0x0040u;
inline constexpr std::uint32_t CBS_SORT = 0x0100u;

}  // namespace linkrake
