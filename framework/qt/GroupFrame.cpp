#include "framework/qt/GroupFrame.h"

#include <algorithm>

#include <QPainter>
#include <QStyle>

GroupFrame::GroupFrame(QWidget* parent) : QGroupBox(parent) {}

// The title starts one average letter in from the frame's left edge, with half a letter of
// space either side of its text.
QRect GroupFrame::TitleRect() const {
  if (title().isEmpty()) return {};
  const QFontMetrics metrics = fontMetrics();
  const int letter = metrics.averageCharWidth();
  const int width = metrics.horizontalAdvance(title()) + letter;
  return QRect(letter / 2, 0, std::min(width, this->width() - letter), metrics.height());
}

// A plain line in the palette's frame colour: the styles' own group box frames keep room for
// a title above them.
void GroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect titleRect = TitleRect();
  painter.save();
  painter.setClipRegion(QRegion(rect()).subtracted(titleRect));
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRect(rect().adjusted(0, fontMetrics().height() / 2, -1, -1));
  painter.restore();
  style()->drawItemText(&painter, titleRect, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                        title(), QPalette::WindowText);
}
