#pragma once
// Dialog templates as data: what a Windows resource script would say of a dialog. Sizes and
// positions are dialog units; style bits carry the Windows values, read according to the
// control's kind (an edit's ES_ bits, a button's BS_ bits, ...).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace res {

// Window styles shared by all kinds.
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
// Dialog styles.
inline constexpr uint32_t DS_MODALFRAME = 0x00000080;
// Edit styles.
inline constexpr uint32_t ES_PASSWORD = 0x00000020;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x00000080;
inline constexpr uint32_t ES_READONLY = 0x00000800;
inline constexpr uint32_t ES_NUMBER = 0x00002000;
// Button styles (the low four bits are the button's type).
inline constexpr uint32_t BS_PUSHBUTTON = 0x00000000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x00000001;
inline constexpr uint32_t BS_AUTOCHECKBOX = 0x00000003;
inline constexpr uint32_t BS_GROUPBOX = 0x00000007;
inline constexpr uint32_t BS_TYPEMASK = 0x0000000F;
// Static styles.
inline constexpr uint32_t SS_LEFT = 0x00000000;
inline constexpr uint32_t SS_BITMAP = 0x0000000E;
inline constexpr uint32_t SS_TYPEMASK = 0x0000001F;
// Combo box styles.
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x00000003;
inline constexpr uint32_t CBS_SORT = 0x00000100;
// List view styles.
inline constexpr uint32_t LVS_REPORT = 0x00000001;
inline constexpr uint32_t LVS_SINGLESEL = 0x00000004;
inline constexpr uint32_t LVS_SHOWSELALWAYS = 0x00000008;

enum class ControlKind { Edit, Static, Button, ComboBox, ListView };

// Controls without an id of their own (labels, frames) carry IDC_STATIC.
inline constexpr int IDC_STATIC = -1;

struct Rect {
  int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct ControlTemplate {
  int id = IDC_STATIC;
  ControlKind kind = ControlKind::Static;
  std::string text;  // for an SS_BITMAP static: the bitmap's resource id in decimal
  Rect rect;
  uint32_t style = 0;
};

struct DialogTemplate {
  int id = 0;
  std::string caption;
  int cx = 0, cy = 0;  // dialog units
  std::string fontName;
  int fontSize = 8;  // points
  uint32_t style = 0;
  std::vector<ControlTemplate> controls;  // in tab order
};

// Every template, and the one with that resource id (null when there is none).
std::span<const DialogTemplate* const> DialogTemplates();
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace res
