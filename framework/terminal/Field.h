#pragma once
// The terminal form of one control: where it stands, how it draws, and what it does with a
// key. User input is written into the Control first, then the control's notification is
// sent, as with the other backends.

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "framework/FrameworkTypes.h"
#include "framework/terminal/Canvas.h"
#include "framework/terminal/CellLayout.h"
#include "framework/terminal/Key.h"

class Control;

class Field {
 public:
  using Notify = std::function<void(UINT code)>;

  Field(Control& control, Notify notify) : m_control(control), m_notify(std::move(notify)) {}
  virtual ~Field() = default;
  Field(const Field&) = delete;
  Field& operator=(const Field&) = delete;

  Control& GetControl() const { return m_control; }
  const CellRect& Cell() const { return m_cell; }
  void SetCell(const CellRect& cell) { m_cell = cell; }

  // Enabled, a tab stop, and able to take input.
  virtual bool TakesFocus() const;
  virtual void Draw(Canvas& canvas, bool focused) const = 0;
  // What draws over the rest of the window (an open drop-down list).
  virtual void DrawOver(Canvas&) const {}
  // The focus arrived from the keyboard or the window's logic (not a click).
  virtual void FocusArrived() {}
  // The keys it takes beyond typing, for the help line ("" when none).
  virtual std::string KeyHelp() const { return ""; }
  // Whether it takes pasted text (the rest of the window ignores it).
  virtual bool TakesPaste() const { return false; }
  // Handles the key when it means something to this control; false leaves it to the window.
  virtual bool HandleKey(const Key&) { return false; }
  // A change it holds back until the typing pauses (a filter): when that is due, or none.
  virtual std::optional<std::chrono::steady_clock::time_point> Due() const { return std::nullopt; }
  // Makes the change it holds back, if any.
  virtual void Settle() {}
  // Its mnemonic was typed: a button is pressed, a check box toggled. False when the focus
  // should go to the control instead (a label's goes to the next one).
  virtual bool Activate() { return false; }
  // A mouse click at this cell of the window, which lies inside the field (or, for an open
  // drop-down list, anywhere); the field has been given the focus.
  virtual void Click(int /*row*/, int /*col*/) {}
  // Whether it takes clicks outside itself too (an open drop-down list).
  virtual bool TakesEveryClick() const { return false; }
  bool Contains(int row, int col) const {
    return row >= m_cell.row && row <= m_cell.Bottom() && col >= m_cell.col && col <= m_cell.Right();
  }
  bool IsPushButton() const;
  bool IsDefaultButton() const;
  // An access letter chosen for a text that marks none: its index among the characters
  // shown, or -1.
  void SetChosenAccess(int index) { m_chosenAccess = index; }
  // The letter that reaches it with Alt, folded to lower case; 0 when none.
  char32_t AccessLetter() const;

 protected:
  Control& m_control;
  Notify m_notify;
  CellRect m_cell;
  int m_chosenAccess = -1;
};

// The field for a control of any kind.
std::unique_ptr<Field> MakeField(Control& control, Field::Notify notify);
