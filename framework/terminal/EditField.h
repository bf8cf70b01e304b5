#pragma once
// A one-line edit: typing inserts at the caret, Left/Right/Home/End move it, Backspace and
// Delete remove; the text scrolls inside the field to keep the caret in view. Focus that
// arrives from the keyboard or the window's logic selects the whole text, so that typing (or
// Backspace, Delete, a paste) replaces it; a move of the caret drops the selection. A password
// shows a star per character; a read-only field shows its text and takes no typing; a
// digits-only field takes digits alone.

#include <string>

#include "framework/terminal/Field.h"

class EditField : public Field {
 public:
  using Field::Field;
  bool TakesFocus() const override;
  void Draw(Canvas& canvas, bool focused) const override;
  bool HandleKey(const Key& key) override;
  void FocusArrived() override { m_selected = true; }
  bool TakesPaste() const override { return true; }

 private:
  // Follows a text the program set: the caret goes to its end.
  void Follow() const;
  bool Type(const std::u32string& text);
  bool Erase(size_t at);
  // Removes the selected text; false when none was selected.
  bool EraseSelection();
  void MoveCaret(size_t to);
  void Store();

  mutable std::u32string m_text;
  mutable std::string m_followed;  // the control's text m_text was taken from
  mutable bool m_started = false;
  mutable size_t m_caret = 0;
  mutable size_t m_scroll = 0;  // the first character shown
  bool m_selected = false;      // the whole text is selected
};
