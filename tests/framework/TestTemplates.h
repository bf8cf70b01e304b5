#pragma once
// Small dialog templates for the framework's tests, served as the current module's resources.

#include <span>
#include <vector>

#include "framework/MessageBox.h"
#include "framework/ModuleResources.h"

namespace test_templates {

// Dialog 100 "Record": name edit 10 with its label, count edit 11 (int), digits edit 12,
// read-only edit 13, check box 14, combo box 15, list view 16, button 17 "Add", disabled
// button 18, OK, Cancel.
inline constexpr int kRecord = 100;
// Dialog 101 "Nested": edit 20, OK, Cancel.
inline constexpr int kNested = 101;
// Pages 200 "First", 201 "Second" (int edit 30), 202 "Third".
inline constexpr int kFirstPage = 200;
inline constexpr int kSecondPage = 201;
inline constexpr int kThirdPage = 202;

inline std::span<const res::DialogTemplate* const> All() {
  using namespace res;
  using K = ControlKind;
  constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE, kTab = kChild | WS_TABSTOP;
  constexpr uint32_t kButton = kTab | BS_PUSHBUTTON, kEdit = kTab | WS_BORDER | ES_AUTOHSCROLL;
  constexpr uint32_t kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU, kPage = kChild | WS_CAPTION;
  static const ControlTemplate ok{IDOK, K::Button, "OK", {50, 143, 50, 14}, kTab | BS_DEFPUSHBUTTON};
  static const ControlTemplate cancel{IDCANCEL, K::Button, "Cancel", {110, 143, 50, 14}, kButton};
  static const auto dialog = [](int id, const char* caption, int cx, int cy, uint32_t style,
                                std::vector<ControlTemplate> controls) {
    return DialogTemplate{id, caption, cx, cy, "MS Sans Serif", 8, style, std::move(controls)};
  };
  static const std::vector<DialogTemplate> templates = {
      dialog(kRecord, "Record", 220, 160, kModal,
             {{IDC_STATIC, K::Static, "&Name:", {7, 9, 40, 8}, kChild | SS_LEFT},
              {10, K::Edit, "", {50, 7, 100, 12}, kEdit},
              {11, K::Edit, "", {50, 23, 50, 12}, kEdit},
              {12, K::Edit, "", {50, 39, 50, 12}, kEdit | ES_NUMBER},
              {13, K::Edit, "", {110, 39, 100, 12}, kEdit | ES_READONLY},
              {14, K::Button, "Allow", {50, 55, 60, 10}, kTab | BS_AUTOCHECKBOX},
              {15, K::ComboBox, "", {50, 70, 100, 44}, kTab | WS_VSCROLL | CBS_DROPDOWNLIST},
              {16, K::ListView, "", {7, 88, 150, 50}, kTab | WS_BORDER | LVS_REPORT | LVS_SINGLESEL},
              {17, K::Button, "Add", {163, 88, 50, 14}, kButton},
              {18, K::Button, "Off", {163, 106, 50, 14}, kButton | WS_DISABLED},
              ok,
              cancel}),
      dialog(kNested, "Nested", 220, 160, kModal, {{20, K::Edit, "", {7, 7, 100, 12}, kEdit}, ok, cancel}),
      dialog(kFirstPage, "First", 200, 100, kPage, {}),
      dialog(kSecondPage, "Second", 200, 100, kPage, {{30, K::Edit, "", {7, 7, 50, 12}, kEdit}}),
      dialog(kThirdPage, "Third", 220, 120, kPage, {}),
  };
  static const std::vector<const DialogTemplate*> all = [] {
    std::vector<const DialogTemplate*> pointers;
    for (const DialogTemplate& tmpl : templates) pointers.push_back(&tmpl);
    return pointers;
  }();
  return all;
}

inline const ModuleResources& Module() {
  static const ModuleResources module{&All, nullptr, nullptr};
  return module;
}

}  // namespace test_templates
