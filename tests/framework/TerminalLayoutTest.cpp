// The terminal layout of every real template: nothing overlaps, everything stays inside its
// window and its group's frame, no text is cut, the sheet's pages fit an 80x24 terminal and
// grow for a larger one, and a squeezed page gives up empty rows before its list's.

#include <gtest/gtest.h>

#include "framework/terminal/CellLayout.h"
#include "framework/terminal/Utf8.h"
#include "res/DialogTemplate.h"
#include "res/ResourceIds.h"

namespace {

constexpr int kPages[] = {IDD_GENERAL, IDD_ABOUT, IDD_USERS, IDD_VIRTUAL_SERVERS};
constexpr int kDialogs[] = {IDD_ADD_USER, IDD_ADD_VIRTUAL_SERVER, IDD_ADD_COMPUTER, IDD_PREFERENCES,
                            IDD_LOG_IN,   IDD_CHANGE_PASSWORD};
// An 80x24 terminal less the sheet's frame, tabs and buttons.
constexpr int kPageRowsAt80x24 = 20;

bool IsGroup(const res::ControlTemplate& control) {
  return control.kind == res::ControlKind::Button && (control.style & res::BS_TYPEMASK) == res::BS_GROUPBOX;
}

bool Overlap(const CellRect& a, const CellRect& b) {
  return a.row <= b.Bottom() && b.row <= a.Bottom() && a.col <= b.Right() && b.col <= a.Right();
}

bool Inside(const CellRect& inner, const CellRect& frame) {
  return inner.row > frame.row && inner.Bottom() < frame.Bottom() && inner.col > frame.col &&
         inner.Right() < frame.Right();
}

bool DluInside(const res::Rect& inner, const res::Rect& frame) {
  return inner.x >= frame.x && inner.y >= frame.y && inner.x + inner.cx <= frame.x + frame.cx &&
         inner.y + inner.cy <= frame.y + frame.cy;
}

// The cells a control needs to show its text whole as the terminal draws it: a label's text,
// a button's between brackets, a check box's after its box, a group's title between the
// frame's corners. Zero for a control without such a text.
int WholeTextCells(const res::ControlTemplate& control) {
  const int text = CellWidth(DecodeUtf8(WithoutMnemonic(control.text)));
  if (control.kind == res::ControlKind::Static)
    return (control.style & res::SS_TYPEMASK) == res::SS_BITMAP ? 0 : text;
  if (control.kind != res::ControlKind::Button) return 0;
  if (IsGroup(control)) return text == 0 ? 0 : text + 4;
  return text + ((control.style & res::BS_TYPEMASK) == res::BS_AUTOCHECKBOX ? 4 : 2);
}

void ExpectWholeTexts(const res::DialogTemplate& tmpl, const CellLayout& layout) {
  for (size_t i = 0; i < layout.cells.size(); ++i)
    EXPECT_GE(layout.cells[i].cols, WholeTextCells(tmpl.controls[i]))
        << tmpl.id << ": \"" << tmpl.controls[i].text << "\" is cut";
}

void ExpectSound(const res::DialogTemplate& tmpl, const CellLayout& layout) {
  ASSERT_EQ(layout.cells.size(), tmpl.controls.size());
  for (size_t i = 0; i < layout.cells.size(); ++i) {
    const CellRect& cell = layout.cells[i];
    EXPECT_GE(cell.col, 0);
    EXPECT_LE(cell.Right(), layout.cols - 1) << tmpl.id << " control " << i;
    EXPECT_LE(cell.Bottom(), layout.rows - 1) << tmpl.id << " control " << i;
    for (size_t j = 0; j < i; ++j) {
      const bool iGroup = IsGroup(tmpl.controls[i]), jGroup = IsGroup(tmpl.controls[j]);
      if (!jGroup || iGroup) {
        EXPECT_FALSE(Overlap(cell, layout.cells[j]) && iGroup == jGroup)
            << tmpl.id << ": " << j << " and " << i;
      } else if (DluInside(tmpl.controls[i].rect, tmpl.controls[j].rect)) {
        EXPECT_TRUE(Inside(cell, layout.cells[j])) << tmpl.id << ": control " << i << " leaves its group";
      }
    }
  }
}

}  // namespace

TEST(TerminalLayout, EveryTemplateLaysOutWithoutOverlapOrCutTextsAtFullSizeAndSqueezed) {
  for (int id : kDialogs) {
    const res::DialogTemplate& tmpl = *res::FindDialogTemplate(id);
    ExpectSound(tmpl, CellLayout::Of(tmpl, 1000));
    ExpectWholeTexts(tmpl, CellLayout::Of(tmpl, 22));
  }
  for (int id : kPages) {
    const res::DialogTemplate& tmpl = *res::FindDialogTemplate(id);
    ExpectSound(tmpl, CellLayout::Of(tmpl, 1000));
    const CellLayout squeezed = CellLayout::Of(tmpl, kPageRowsAt80x24);
    ExpectSound(tmpl, squeezed);
    ExpectWholeTexts(tmpl, squeezed);
    EXPECT_LE(squeezed.rows, kPageRowsAt80x24) << id;
    EXPECT_LE(squeezed.cols + 2, 80) << id;
    // Grown for a 132x43 terminal: pages with a list fill it, and stay sound.
    CellLayout grown = squeezed;
    grown.Grow(tmpl, 39, 130);
    ExpectSound(tmpl, grown);
    if (id == IDD_USERS || id == IDD_VIRTUAL_SERVERS) {
      EXPECT_EQ(grown.rows, 39) << id;
      EXPECT_EQ(grown.cols, 130) << id;
    }
  }
}

TEST(TerminalLayout, SqueezingDropsEmptyRowsBeforeListRowsAndKeepsTheOrder) {
  const res::DialogTemplate& users = *res::FindDialogTemplate(IDD_USERS);
  const CellLayout full = CellLayout::Of(users, 1000);
  const CellLayout squeezed = CellLayout::Of(users, 12);
  EXPECT_LE(squeezed.rows, 12);
  EXPECT_LT(squeezed.cells[4].rows, full.cells[4].rows) << "the list gave rows";
  for (int row = 0; row < squeezed.rows; ++row) {
    bool held = false;
    for (const CellRect& cell : squeezed.cells) held = held || (cell.row <= row && row <= cell.Bottom());
    EXPECT_TRUE(held) << "row " << row << " was left empty while the list gave rows";
  }
  for (size_t i = 1; i < squeezed.cells.size(); ++i)
    EXPECT_LE(squeezed.cells[i - 1].row, squeezed.cells[i].row) << "controls keep their order down the page";
}
