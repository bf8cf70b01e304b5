#pragma once
// The fields of one window (a dialog, a property page, or a sheet's own buttons) in tab
// order, with the focus among them. Focus requests of the window's logic (SetFocus, the
// first tab stop) are followed once each, as they are made.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "framework/terminal/CellLayout.h"
#include "framework/terminal/Field.h"

class CWnd;

class WindowForm {
 public:
  // Runs a piece of the window's logic for one user action.
  using Deliver = std::function<void(const std::function<void()>&)>;

  // `chooseAccessKeys`: whether controls whose text marks no access letter get one.
  WindowForm(CWnd& window, Deliver deliver, bool chooseAccessKeys = true);

  // Places the fields from the window's template, in at most `maxRows` rows where it can;
  // given `growCols`, a window that can grow fills `maxRows` x `growCols` in those directions.
  void LayOut(int maxRows, int growCols = 0);
  // Places the fields where the caller says (a window without a template).
  void Place(const std::vector<CellRect>& cells, int rows, int cols);
  int Rows() const { return m_rows; }
  int Cols() const { return m_cols; }

  void Draw(Canvas& canvas, bool active) const;
  // Keys for the focused field and mnemonics; false when the key is left to the window.
  bool HandleKey(const Key& key);
  // Moves the focus to the next (or previous) field that takes it; false when it ran off the
  // end, which leaves the form without focus.
  bool MoveFocus(bool forward);
  // Focuses the first (or last) field that takes it; false when none does.
  bool FocusEdge(bool forward);
  // A mouse click at a cell of the form: the field there takes the focus and the click.
  // False when no field that takes input is there.
  bool Click(int row, int col);
  // Presses the default button; false when the form has none that is enabled.
  bool PressDefault();
  // A focus request of the window's logic that has not been followed yet.
  bool FollowFocusRequest();
  bool HasFocus() const { return m_focus >= 0; }
  // What the focused field's help line says ("" when nothing has the focus).
  std::string KeyHelp() const { return HasFocus() ? m_fields[m_focus]->KeyHelp() : ""; }
  void DropFocus() { m_focus = -1; }
  // The first change a field holds back (Field::Due), and making those due by `now`.
  std::optional<std::chrono::steady_clock::time_point> Due() const;
  void SettleDue(std::chrono::steady_clock::time_point now);

 private:
  bool Mnemonic(char32_t letter);
  // Chooses access letters for the buttons, check boxes and field labels whose texts have none
  // (the texts may have changed since).
  void ChooseAccessKeys() const;
  // Gives the focus to the field (from the keyboard or the window's logic); false for -1.
  bool FocusOn(int index);
  int NextTaking(int from, bool forward) const;

  CWnd& m_window;
  std::vector<std::unique_ptr<Field>> m_fields;
  int m_rows = 0, m_cols = 0;
  int m_focus = -1;
  unsigned m_focusSerial = 0;
  bool m_chooseAccessKeys;
};
