#include "tests/framework/TestTemplates.h"

#include <map>

#include "framework/MessageBox.h"

namespace test_templates {
namespace {

using namespace res;
using K = ControlKind;

constexpr uint32_t kChild = WS_CHILD | WS_VISIBLE;
constexpr uint32_t kEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr uint32_t kModal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const std::map<int, DialogTemplate>& Templates() {
  static const std::map<int, DialogTemplate> templates = {
      {kRecord,
       {kRecord, "Record", 220, 160, "MS Sans Serif", 8, kModal,
        {
            {IDC_STATIC, K::Static, "&Name:", {7, 9, 40, 8}, kChild | SS_LEFT},
            {10, K::Edit, "", {50, 7, 100, 12}, kEdit},
            {11, K::Edit, "", {50, 23, 50, 12}, kEdit},
            {12, K::Edit, "", {50, 39, 50, 12}, kEdit | ES_NUMBER},
            {13, K::Edit, "", {110, 39, 100, 12}, kEdit | ES_READONLY},
            {14, K::Button, "Allow", {50, 55, 60, 10}, kChild | WS_TABSTOP | BS_AUTOCHECKBOX},
            {15, K::ComboBox, "", {50, 70, 100, 44}, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
            {16, K::ListView, "", {7, 88, 150, 50}, kChild | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS},
            {17, K::Button, "Add", {163, 88, 50, 14}, kChild | WS_TABSTOP | BS_PUSHBUTTON},
            {18, K::Button, "Off", {163, 106, 50, 14}, kChild | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON},
            {IDC_STATIC, K::Button, "Group", {4, 2, 212, 140}, kChild | BS_GROUPBOX},
            {IDOK, K::Button, "OK", {50, 143, 50, 14}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, K::Button, "Cancel", {110, 143, 50, 14}, kChild | WS_TABSTOP | BS_PUSHBUTTON},
        }}},
      {kNested,
       {kNested, "Nested", 120, 50, "MS Sans Serif", 8, kModal,
        {
            {20, K::Edit, "", {7, 7, 100, 12}, kEdit},
            {IDOK, K::Button, "OK", {7, 30, 50, 14}, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
            {IDCANCEL, K::Button, "Cancel", {63, 30, 50, 14}, kChild | WS_TABSTOP | BS_PUSHBUTTON},
        }}},
      {kFirstPage,
       {kFirstPage, "First", 200, 100, "MS Sans Serif", 8, kChild | WS_CAPTION,
        {
            {40, K::Button, "Go", {7, 7, 50, 14}, kChild | WS_TABSTOP | BS_PUSHBUTTON},
        }}},
      {kSecondPage,
       {kSecondPage, "Second", 200, 100, "MS Sans Serif", 8, kChild | WS_CAPTION,
        {
            {30, K::Edit, "", {7, 7, 50, 12}, kEdit},
        }}},
      {kThirdPage,
       {kThirdPage, "Third", 220, 120, "MS Sans Serif", 8, kChild | WS_CAPTION,
        {
            {IDC_STATIC, K::Static, "300", {7, 7, 100, 30}, kChild | SS_BITMAP},
        }}},
  };
  return templates;
}

const DialogTemplate* Find(int id) {
  const auto found = Templates().find(id);
  return found == Templates().end() ? nullptr : &found->second;
}

// A 4x2 two-colour picture.
const char* const kBitmapXpm[] = {"4 2 2 1", "a c #000080", "b c #FFFFFF", "abab", "baba"};

const char* const* FindBitmap(int id) { return id == kBitmap ? kBitmapXpm : nullptr; }

}  // namespace

const ModuleResources& Module() {
  static const ModuleResources module{&Find, &FindBitmap};
  return module;
}

}  // namespace test_templates
