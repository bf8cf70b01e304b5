#pragma once
// Dialog units to pixels. A dialog's base units come from its font as the system's do:
// horizontal, the average width of the 52 Latin letters; vertical, the font's height. Four
// horizontal and eight vertical units make one base unit. The system rounds the average
// width to whole pixels; here it is kept exact, so that rounding neither squeezes a
// template's texts nor stretches its spaces, whatever the font's size.

#include <QFont>
#include <QRect>
#include <QSize>

#include "res/DialogTemplate.h"

class DialogUnits {
 public:
  static DialogUnits ForFont(const QFont& font);

  QRect ToPixels(const res::Rect& rect) const;
  QSize ToPixels(int cx, int cy) const;
  // A width in pixels of the system's dialog font, as pages give column widths, in this font's.
  int FromSystemPixels(int pixels) const;

 private:
  static constexpr int kSystemBaseX = 6;  // the horizontal base unit of the system's 8-point dialog font

  DialogUnits(double baseX, int baseY) : m_baseX(baseX), m_baseY(baseY) {}
  int X(int dlu) const;
  int Y(int dlu) const;

  double m_baseX;
  int m_baseY;
};

// The font a template names, at its size. The templates' "MS Sans Serif" is the system's
// dialog font: it becomes the desktop's general font, at the desktop's size for 8 points, so
// that windows follow the desktop while keeping the template's proportions.
QFont TemplateFont(const res::DialogTemplate& tmpl);
