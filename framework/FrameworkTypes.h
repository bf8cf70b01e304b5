#pragma once
// The integer types and constants the dialog framework speaks, with their Windows widths and
// values, so that page code reads as it would against the platform's own framework.

#include <cstdint>

#include "platform/WinTypes.h"

using UINT = uint32_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using DWORD_PTR = uintptr_t;

// Notification codes sent with a control's id to its window.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT CBN_SELCHANGE = 1;
// Our own: the user changed a list view's filter text (Control::FilterText).
inline constexpr UINT LVN_FILTERCHANGED = 0x0F01;

// Combo box results.
inline constexpr int CB_ERR = -1;

// List view: column formats, item states, search flags, extended styles.
inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr int LVNI_ALL = 0x0000;
inline constexpr int LVNI_SELECTED = 0x0002;
inline constexpr DWORD LVS_EX_GRIDLINES = 0x00000001;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x00000020;

// Check box states.
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;

// Property sheet header flags and the ids of the sheet's own buttons.
inline constexpr DWORD PSH_PROPSHEETPAGE = 0x00000008;
inline constexpr DWORD PSH_NOAPPLYNOW = 0x00000080;
inline constexpr DWORD PSH_HASHELP = 0x00000200;
inline constexpr int IDHELP = 9;
inline constexpr int ID_APPLY_NOW = 0x3021;

// Folder browser flags.
inline constexpr UINT BIF_RETURNONLYFSDIRS = 0x0001;
