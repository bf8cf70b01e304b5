#pragma once
// Shorthands for the templates' entries: each makes one control with the style bits a
// resource script gives that kind of control by default, plus the extra bits passed.

#include <string>
#include <utility>

#include "res/DialogTemplate.h"

namespace res::build {

inline constexpr const char* kFontName = "MS Sans Serif";
inline constexpr int kFontSize = 8;
inline constexpr uint32_t kPageStyle = WS_CHILD;
inline constexpr uint32_t kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

inline constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;

inline ControlTemplate Edit(int id, Rect rect, uint32_t extraStyle = 0) {
  return {id, ControlKind::Edit, "", rect, kChild | WS_BORDER | WS_TABSTOP | extraStyle};
}

// Left-aligned static text; the caption line of some dialogs has an id of its own.
inline ControlTemplate Label(std::string text, Rect rect, int id = IDC_STATIC) {
  return {id, ControlKind::Static, std::move(text), rect, kChild | SS_LEFT | WS_GROUP};
}

inline ControlTemplate GroupBox(std::string text, Rect rect) {
  return {IDC_STATIC, ControlKind::Button, std::move(text), rect, kChild | BS_GROUPBOX};
}

inline ControlTemplate PushButton(int id, std::string text, Rect rect, uint32_t extraStyle = 0) {
  return {id, ControlKind::Button, std::move(text), rect, kChild | BS_PUSHBUTTON | WS_TABSTOP | extraStyle};
}

inline ControlTemplate DefPushButton(int id, std::string text, Rect rect) {
  return {id, ControlKind::Button, std::move(text), rect, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP};
}

inline ControlTemplate AutoCheckBox(int id, std::string text, Rect rect) {
  return {id, ControlKind::Button, std::move(text), rect, kChild | BS_AUTOCHECKBOX | WS_TABSTOP};
}

// A drop-down list, not sorted, with a vertical scroll bar; the height includes the list.
inline ControlTemplate DropDownList(int id, Rect rect) {
  return {id, ControlKind::ComboBox, "", rect, kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP};
}

// A report-view list with single selection that keeps showing its selection.
inline ControlTemplate ReportList(int id, Rect rect) {
  return {id, ControlKind::ListView, "", rect,
          kChild | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_BORDER | WS_TABSTOP};
}

// A static showing the bitmap resource with that id.
inline ControlTemplate Bitmap(int bitmapId, Rect rect) {
  return {IDC_STATIC, ControlKind::Static, std::to_string(bitmapId), rect, kChild | SS_BITMAP};
}

}  // namespace res::build
