#pragma once
// A drop-down list. Closed, it shows the selected entry; arrows and letters choose another
// at once. Space or Alt-Down open the list below it, where the same keys move a
// highlight, Enter or Space chooses and Escape closes without a change. Each choice sends
// CBN_SELCHANGE.

#include "framework/terminal/Field.h"
#include "framework/terminal/RowMotion.h"

class ComboField : public Field {
 public:
  using Field::Field;
  void Draw(Canvas& canvas, bool focused) const override;
  void DrawOver(Canvas& canvas) const override;
  bool HandleKey(const Key& key) override;
  void Click(int row, int col) override;
  bool TakesEveryClick() const override { return m_open; }
  std::string KeyHelp() const override;
  bool IsOpen() const { return m_open; }

 private:
  bool HandleOpenKey(const Key& key);
  void Choose(int row);
  int ShownRows() const;

  RowMotion m_motion;
  bool m_open = false;
  int m_highlight = -1;
  mutable int m_top = 0;  // the first entry shown in the open list
};
