#include "framework/qt/ViewSettings.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStringList>

namespace {

bool ProgramNamed() { return !QCoreApplication::organizationName().isEmpty(); }

QString WindowKey(const QString& window) { return QStringLiteral("Windows/%1/Scale").arg(window); }

QString ListKey(const QString& list) { return QStringLiteral("Lists/%1/ColumnWidths").arg(list); }

QString SortKey(const QString& list) { return QStringLiteral("Lists/%1/SortedBy").arg(list); }

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

// Kept as "COLUMN ascending" or "COLUMN descending".
SortChoice SavedSortChoice(const QString& list) {
  if (!ProgramNamed()) return {};
  const QStringList words = QSettings().value(SortKey(list)).toString().split(u' ');
  bool number = false;
  const int column = words.value(0).toInt(&number);
  if (words.size() != 2 || !number || column < 0) return {};  // none, or a damaged entry
  if (words[1] != QLatin1String("ascending") && words[1] != QLatin1String("descending")) return {};
  return {column, words[1] == QLatin1String("descending")};
}

void SaveSortChoice(const QString& list, const SortChoice& choice) {
  if (!ProgramNamed() || choice.column < 0) return;
  QSettings().setValue(
      SortKey(list), QStringLiteral("%1 %2")
                         .arg(choice.column)
                         .arg(choice.descending ? QLatin1String("descending") : QLatin1String("ascending")));
}
