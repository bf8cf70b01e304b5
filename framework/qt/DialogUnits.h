#pragma once
// Dialog units to pixels. A dialog's base units come from its font the way the system
// computes them: horizontal, the average width of the 52 Latin letters (halved and rounded);
// vertical, the font's height. Four horizontal and eight vertical units make one base unit.

#include <QFont>
#include <QRect>
#include <QSize>

#include "res/DialogTemplate.h"

class DialogUnits {
public:
  static DialogUnits ForFont(const QFont& font);

  QRect ToPixels(const res::Rect& rect) const;
  QSize ToPixels(int cx, int cy) const;
  int BaseX() const { return m_baseX; }
  int BaseY() const { return m_baseY; }

private:
  DialogUnits(int baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
  int X(int dlu) const;
  int Y(int dlu) const;

  int m_baseX;
  int m_baseY;
};

// The font a template names, at its size. The templates' "MS Sans Serif" is not on Linux:
// it becomes the system's default sans-serif face.
QFont TemplateFont(const res::DialogTemplate& tmpl);
