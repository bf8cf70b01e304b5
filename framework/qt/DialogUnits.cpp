#include "framework/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <cmath>

namespace {

// The system's dialog font is 8 points; a template's font size is read against it.
constexpr int kSystemFontSize = 8;

}  // namespace

DialogUnits DialogUnits::ForFont(const QFont& font) {
  const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
  return DialogUnits(QFontMetricsF(font).horizontalAdvance(letters) / letters.size(),
                     QFontMetrics(font).height());
}

int DialogUnits::X(int dlu) const { return static_cast<int>(std::lround(dlu * m_baseX / 4)); }

int DialogUnits::Y(int dlu) const { return static_cast<int>(std::lround(dlu * m_baseY / 8.0)); }

int DialogUnits::FromSystemPixels(int pixels) const {
  return static_cast<int>(std::lround(pixels * m_baseX / kSystemBaseX));
}

QRect DialogUnits::ToPixels(const res::Rect& rect) const {
  return QRect(X(rect.x), Y(rect.y), X(rect.cx), Y(rect.cy));
}

QSize DialogUnits::ToPixels(int cx, int cy) const { return QSize(X(cx), Y(cy)); }

QFont TemplateFont(const res::DialogTemplate& tmpl) {
  const int size = tmpl.fontSize > 0 ? tmpl.fontSize : kSystemFontSize;
  if (!tmpl.fontName.empty() && tmpl.fontName != "MS Sans Serif") {
    QFont named(QString::fromStdString(tmpl.fontName), size);
    named.setStyleHint(QFont::SansSerif);
    return named;
  }
  // The desktop's own face, scaled as the template's size is to the system's dialog font.
  QFont desktop = QGuiApplication::font();
  if (desktop.pointSizeF() > 0)
    desktop.setPointSizeF(desktop.pointSizeF() * size / kSystemFontSize);
  else
    desktop.setPixelSize(desktop.pixelSize() * size / kSystemFontSize);
  return desktop;
}
