#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "res/DialogTemplate.h"

namespace res {
namespace {

constexpr int kPages[] = {129, 132, 2002, 7016};
constexpr int kDialogs[] = {134, 7013, 7015, 7017, 7019, 7020};

bool Has(int dialogId, int controlId, uint32_t bits) {
  for (const ControlTemplate& control : FindDialogTemplate(dialogId)->controls)
    if (control.id == controlId) return (control.style & bits) == bits;
  ADD_FAILURE() << "no control " << controlId << " in " << dialogId;
  return false;
}

// Every template: its frame and font; unique ids; every control visible, inside the dialog and
// after any group box around it (a frame drawn later would cover it); one default button in a dialog.
TEST(DialogTemplates, EveryTemplateIsWellFormed) {
  std::vector<std::pair<int, bool>> templates;
  for (int id : kPages) templates.emplace_back(id, true);
  for (int id : kDialogs) templates.emplace_back(id, false);
  for (const auto& [id, page] : templates) {
    SCOPED_TRACE(id);
    const DialogTemplate* dialog = FindDialogTemplate(id);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
    EXPECT_EQ(dialog->fontSize, 8);
    EXPECT_EQ(dialog->style, page ? WS_CHILD : DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU);
    std::set<int> ids;
    int defaults = 0;
    for (size_t i = 0; i < dialog->controls.size(); ++i) {
      const ControlTemplate& control = dialog->controls[i];
      const Rect& r = control.rect;
      SCOPED_TRACE(std::to_string(control.id) + " " + control.text);
      EXPECT_TRUE(control.id == IDC_STATIC || ids.insert(control.id).second) << "duplicate id";
      EXPECT_TRUE(r.cx > 0 && r.cy > 0 && r.x >= 0 && r.y >= 0);
      EXPECT_TRUE(r.x + r.cx <= dialog->cx && r.y + r.cy <= dialog->cy);
      EXPECT_EQ(control.style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
      if (control.kind != ControlKind::Button) continue;
      defaults += (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      if ((control.style & BS_TYPEMASK) != BS_GROUPBOX) continue;
      for (size_t before = 0; before < i; ++before) {
        const Rect& b = dialog->controls[before].rect;
        EXPECT_FALSE(b.x >= r.x && b.y >= r.y && b.x + b.cx <= r.x + r.cx && b.y + b.cy <= r.y + r.cy)
            << dialog->controls[before].id << " comes before its frame";
      }
    }
    EXPECT_EQ(defaults, page ? 0 : 1);
  }
  EXPECT_EQ(FindDialogTemplate(130), nullptr);
}

TEST(DialogTemplates, ControlsThatGuardTheirInputHaveTheirStyles) {
  for (auto [dialog, edit] : {std::pair{7019, 1013}, {134, 1013}, {134, 1014}, {7020, 1013}, {7020, 1014}})
    EXPECT_TRUE(Has(dialog, edit, ES_PASSWORD)) << dialog << "/" << edit;
  for (int dialog : {7019, 7020}) EXPECT_TRUE(Has(dialog, 1028, ES_READONLY)) << dialog;
  EXPECT_FALSE(Has(134, 1028, ES_READONLY));  // the page makes it read-only only when editing
  EXPECT_TRUE(Has(134, 1084, ES_READONLY));   // set through the folder browser alone
  for (int edit : {1036, 1039, 1041}) EXPECT_FALSE(Has(7017, edit, ES_NUMBER)) << edit;  // these take a minus
  // Enter saves in Add Computer; its OK button only closes.
  EXPECT_TRUE(Has(7015, 7011, BS_DEFPUSHBUTTON));
  for (const ControlTemplate& control : FindDialogTemplate(7019)->controls) {
    if (control.style & WS_TABSTOP) {
      EXPECT_EQ(control.id, 1013) << "Log In begins on the password";
      break;
    }
  }
  for (auto [dialog, combo] : {std::pair{129, 7007}, {129, 7018}, {7016, 7008}, {2002, 7008}, {2002, 7030},
                               {7015, 7027}}) {
    EXPECT_TRUE(Has(dialog, combo, CBS_DROPDOWNLIST | WS_VSCROLL)) << dialog << "/" << combo;
    EXPECT_FALSE(Has(dialog, combo, CBS_SORT)) << dialog << "/" << combo;  // entries stay in the order added
  }
  for (auto [dialog, list] : {std::pair{7016, 7007}, {2002, 2007}})
    EXPECT_TRUE(Has(dialog, list, LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS)) << dialog;
}

}  // namespace
}  // namespace res
