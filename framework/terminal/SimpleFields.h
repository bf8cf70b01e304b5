#pragma once
// The fields that show a text and at most take a press: labels, group boxes, push buttons
// and check boxes.

#include "framework/terminal/Field.h"

class LabelField : public Field {
 public:
  using Field::Field;
  bool TakesFocus() const override { return false; }
  void Draw(Canvas& canvas, bool focused) const override;
};

class GroupField : public Field {
 public:
  using Field::Field;
  bool TakesFocus() const override { return false; }
  void Draw(Canvas& canvas, bool focused) const override;
};

// A push button: "[ OK ]", the default one "< OK >"; Space and Enter press it.
class ButtonField : public Field {
 public:
  using Field::Field;
  void Draw(Canvas& canvas, bool focused) const override;
  bool HandleKey(const Key& key) override;
  bool Activate() override;
  void Click(int, int) override { Activate(); }
  std::string KeyHelp() const override { return "Space press"; }
};

// "[x] Text"; Space toggles it.
class CheckField : public Field {
 public:
  using Field::Field;
  void Draw(Canvas& canvas, bool focused) const override;
  bool HandleKey(const Key& key) override;
  bool Activate() override;
  void Click(int, int) override { Activate(); }
  std::string KeyHelp() const override { return "Space toggle"; }
};
