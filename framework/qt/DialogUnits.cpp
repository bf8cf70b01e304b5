#include "framework/qt/DialogUnits.h"

#include <QFontMetrics>

namespace {

// a * b / c, rounded half away from zero, as the system's MulDiv does.
int MulDiv(int a, int b, int c) {
  const long long product = static_cast<long long>(a) * b;
  return static_cast<int>((product >= 0 ? product + c / 2 : product - c / 2) / c);
}

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return DialogUnits((letters / 26 + 1) / 2, metrics.height());
}

int DialogUnits::X(int dlu) const { return MulDiv(dlu, m_baseX, 4); }

int DialogUnits::Y(int dlu) const { return MulDiv(dlu, m_baseY, 8); }

QRect DialogUnits::ToPixels(const res::Rect& rect) const {
  return QRect(X(rect.x), Y(rect.y), X(rect.cx), Y(rect.cy));
}

QSize DialogUnits::ToPixels(int cx, int cy) const { return QSize(X(cx), Y(cy)); }

QFont TemplateFont(const res::DialogTemplate& tmpl) {
  const bool substitute = tmpl.fontName.empty() || tmpl.fontName == "MS Sans Serif";
  QFont font(substitute ? QStringLiteral("Sans Serif") : QString::fromStdString(tmpl.fontName));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(tmpl.fontSize > 0 ? tmpl.fontSize : 8);
  return font;
}
