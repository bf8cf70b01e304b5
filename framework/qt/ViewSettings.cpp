#include "framework/qt/ViewSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace {

bool ProgramNamed() { return !QCoreApplication::organizationName().isEmpty(); }

QString WindowKey(const QString& window) { return QStringLiteral("Windows/%1/Scale").arg(window); }

QString ListKey(const QString& list) { return QStringLiteral("Lists/%1/ColumnWidths").arg(list); }

}  // namespace

QSizeF SavedWindowScale(const QString& window) {
  if (!ProgramNamed()) return {};
  const QSizeF scale = QSettings().value(WindowKey(window)).toSizeF();
  return scale.width() >= 1 && scale.height() >= 1 ? scale : QSizeF();  // a damaged entry counts as none
}

void SaveWindowScale(const QString& window, const QSizeF& scale) {
  if (ProgramNamed()) QSettings().setValue(WindowKey(window), scale);
}

QList<int> SavedColumnWidths(const QString& list) {
  QList<int> widths;
  if (!ProgramNamed()) return widths;
  for (const QString& width : QSettings().value(ListKey(list)).toStringList()) {
    bool number = false;
    const int pixels = width.toInt(&number);
    if (!number || pixels <= 0) return {};  // a damaged entry counts as none
    widths.append(pixels);
  }
  return widths;
}

void SaveColumnWidths(const QString& list, const QList<int>& widths) {
  if (!ProgramNamed()) return;
  QStringList texts;
  for (int width : widths) texts.append(QString::number(width));
  QSettings().setValue(ListKey(list), texts);
}
