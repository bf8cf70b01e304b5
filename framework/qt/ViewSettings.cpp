#include "framework/qt/ViewSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace {

bool ProgramNamed() { return !QCoreApplication::organizationName().isEmpty(); }

QString WindowKey(const QString& window) { return QStringLiteral("Windows/%1/Size").arg(window); }

QString ListKey(const QString& list) { return QStringLiteral("Lists/%1/ColumnWidths").arg(list); }

}  // namespace

QSize SavedWindowSize(const QString& window) {
  if (!ProgramNamed()) return {};
  return QSettings().value(WindowKey(window)).toSize();
}

void SaveWindowSize(const QString& window, const QSize& size) {
  if (ProgramNamed()) QSettings().setValue(WindowKey(window), size);
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
