#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "res/DialogTemplate.h"

namespace res {
namespace {

struct Expected {
  int id;
  const char* caption;
  int cx, cy;
  bool page;
};

constexpr Expected kTemplates[] = {
    {129, "General", 290, 210, true},
    {132, "About", 290, 186, true},
    {134, "Add User", 246, 143, false},
    {2002, "Users", 290, 186, true},
    {7013, "Add Virtual Server", 242, 69, false},
    {7015, "Add Computer", 190, 62, false},
    {7016, "Virtual Servers", 290, 191, true},
    {7017, "Edit Preferences", 287, 143, false},
    {7019, "Log In", 185, 62, false},
    {7020, "Change Password", 185, 81, false},
};

const ControlTemplate& Control(int dialogId, int controlId) {
  const DialogTemplate* dialog = FindDialogTemplate(dialogId);
  for (const ControlTemplate& control : dialog->controls) {
    if (control.id == controlId) return control;
  }
  throw std::out_of_range("no control " + std::to_string(controlId));
}

bool Has(int dialogId, int controlId, uint32_t bits) {
  return (Control(dialogId, controlId).style & bits) == bits;
}

TEST(DialogTemplates, EveryTemplateHasItsCaptionSizeFontAndFrame) {
  for (const Expected& expected : kTemplates) {
    SCOPED_TRACE(expected.id);
    const DialogTemplate* dialog = FindDialogTemplate(expected.id);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->id, expected.id);
    EXPECT_EQ(dialog->caption, expected.caption);
    EXPECT_EQ(dialog->cx, expected.cx);
    EXPECT_EQ(dialog->cy, expected.cy);
    EXPECT_EQ(dialog->fontName, "MS Sans Serif");
    EXPECT_EQ(dialog->fontSize, 8);
    const uint32_t modal = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    EXPECT_EQ(dialog->style, expected.page ? WS_CHILD : modal);
  }
  EXPECT_EQ(FindDialogTemplate(0), nullptr);
  EXPECT_EQ(FindDialogTemplate(130), nullptr);
}

TEST(DialogTemplates, ControlIdsAreUniqueAndControlsLieInsideTheDialog) {
  for (const Expected& expected : kTemplates) {
    const DialogTemplate* dialog = FindDialogTemplate(expected.id);
    std::set<int> ids;
    for (const ControlTemplate& control : dialog->controls) {
      SCOPED_TRACE(std::to_string(expected.id) + " / " + std::to_string(control.id) + " " +
                   control.text);
      if (control.id != IDC_STATIC) {
        EXPECT_TRUE(ids.insert(control.id).second) << "duplicate id";
      }
      const Rect& r = control.rect;
      EXPECT_GT(r.cx, 0);
      EXPECT_GT(r.cy, 0);
      EXPECT_GE(r.x, 0);
      EXPECT_GE(r.y, 0);
      EXPECT_LE(r.x + r.cx, dialog->cx);
      EXPECT_LE(r.y + r.cy, dialog->cy);
      EXPECT_EQ(control.style & (WS_CHILD | WS_VISIBLE), WS_CHILD | WS_VISIBLE);
    }
  }
}

TEST(DialogTemplates, ModalDialogsHaveExactlyOneDefaultButton) {
  for (const Expected& expected : kTemplates) {
    if (expected.page) continue;
    SCOPED_TRACE(expected.id);
    int defaults = 0;
    for (const ControlTemplate& control : FindDialogTemplate(expected.id)->controls) {
      const bool button = control.kind == ControlKind::Button;
      if (button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) ++defaults;
    }
    EXPECT_EQ(defaults, 1);
  }
  // Enter saves in Add Computer; its OK button only closes.
  EXPECT_EQ(Control(7015, 7011).style & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(Control(7015, 1).style & BS_TYPEMASK, BS_PUSHBUTTON);
}

TEST(DialogTemplates, PasswordsAreMaskedAndFixedNamesReadOnly) {
  EXPECT_TRUE(Has(7019, 1013, ES_PASSWORD | ES_AUTOHSCROLL | WS_TABSTOP));
  EXPECT_TRUE(Has(134, 1013, ES_PASSWORD));
  EXPECT_TRUE(Has(134, 1014, ES_PASSWORD));
  EXPECT_TRUE(Has(7020, 1013, ES_PASSWORD));
  EXPECT_TRUE(Has(7020, 1014, ES_PASSWORD));
  EXPECT_TRUE(Has(7019, 1028, ES_READONLY));
  EXPECT_TRUE(Has(7020, 1028, ES_READONLY));
  EXPECT_FALSE(Has(134, 1028, ES_READONLY));  // the page makes it read-only only when editing
  EXPECT_TRUE(Has(134, 1084, ES_READONLY));   // set through the folder browser alone
}

TEST(DialogTemplates, LogInFocusesThePasswordFirst) {
  const DialogTemplate* logIn = FindDialogTemplate(7019);
  for (const ControlTemplate& control : logIn->controls) {
    if (control.style & WS_TABSTOP) {
      EXPECT_EQ(control.id, 1013);
      break;
    }
  }
}

TEST(DialogTemplates, NumericFieldsTakeDigitsOnlyWhereNoMinusIsAllowed) {
  for (int id : {7019, 7026}) EXPECT_TRUE(Has(129, id, ES_NUMBER | ES_READONLY)) << id;
  EXPECT_TRUE(Has(134, 7010, ES_NUMBER));
  EXPECT_TRUE(Has(7017, 1033, ES_NUMBER));
  EXPECT_TRUE(Has(7017, 1037, ES_NUMBER));
  // These three accept a minus sign.
  for (int id : {1036, 1039, 1041}) EXPECT_FALSE(Has(7017, id, ES_NUMBER)) << id;
}

TEST(DialogTemplates, GeneralPageStartsWithServiceButtonsDisabledAndFieldsReadOnly) {
  EXPECT_TRUE(Has(129, 7001, WS_DISABLED));
  EXPECT_TRUE(Has(129, 7002, WS_DISABLED));
  for (int id : {7000, 7019, 7020, 7021, 7023, 7024, 7025, 7026}) {
    EXPECT_TRUE(Has(129, id, ES_READONLY)) << id;
  }
}

TEST(DialogTemplates, ListsAndCombosHaveTheirKindsAndStyles) {
  const uint32_t list = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  for (auto [dialogId, controlId] : {std::pair{7016, 7007}, std::pair{2002, 2007}}) {
    EXPECT_EQ(Control(dialogId, controlId).kind, ControlKind::ListView);
    EXPECT_TRUE(Has(dialogId, controlId, list)) << dialogId;
  }
  for (auto [dialogId, controlId] : {std::pair{129, 7007}, std::pair{129, 7018},
                                     std::pair{7016, 7008}, std::pair{2002, 7008},
                                     std::pair{2002, 7030}, std::pair{7015, 7027}}) {
    const ControlTemplate& combo = Control(dialogId, controlId);
    EXPECT_EQ(combo.kind, ControlKind::ComboBox);
    EXPECT_TRUE(Has(dialogId, controlId, CBS_DROPDOWNLIST | WS_VSCROLL)) << dialogId;
    EXPECT_FALSE(Has(dialogId, controlId, CBS_SORT)) << dialogId;
  }
}

TEST(DialogTemplates, AboutPageShowsTheBannerBitmap) {
  const DialogTemplate* about = FindDialogTemplate(132);
  int bitmaps = 0;
  for (const ControlTemplate& control : about->controls) {
    if (control.kind == ControlKind::Static && (control.style & SS_TYPEMASK) == SS_BITMAP) {
      EXPECT_EQ(control.text, "130");
      ++bitmaps;
    }
  }
  EXPECT_EQ(bitmaps, 1);
}

// A frame drawn after the controls inside it would cover them.
TEST(DialogTemplates, GroupBoxesComeBeforeTheControlsTheyEnclose) {
  for (const Expected& expected : kTemplates) {
    const auto& controls = FindDialogTemplate(expected.id)->controls;
    for (size_t frame = 0; frame < controls.size(); ++frame) {
      const ControlTemplate& box = controls[frame];
      if (box.kind != ControlKind::Button || (box.style & BS_TYPEMASK) != BS_GROUPBOX) continue;
      for (size_t i = 0; i < frame; ++i) {
        const Rect& r = controls[i].rect;
        const bool inside = r.x >= box.rect.x && r.y >= box.rect.y &&
                            r.x + r.cx <= box.rect.x + box.rect.cx &&
                            r.y + r.cy <= box.rect.y + box.rect.cy;
        EXPECT_FALSE(inside) << expected.id << ": " << controls[i].id << " before " << box.text;
      }
    }
  }
}

}  // namespace
}  // namespace res
