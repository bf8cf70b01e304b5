#pragma once
// What the user made of windows and lists, kept between runs in the user's Qt settings
// (QSettings under the organisation and application names the program gave itself): a
// window's size and a list's column widths, each under a key naming the template it comes
// from. A program that gave no organisation name keeps nothing.

#include <QList>
#include <QSize>
#include <QSizeF>
#include <QString>

// A window's size over its smallest (the template's) size, so that it keeps its proportions
// when the desktop's scale or font changes; an invalid size when none was kept.
QSizeF SavedWindowScale(const QString& window);
void SaveWindowScale(const QString& window, const QSizeF& scale);

// Empty when none were kept.
QList<int> SavedColumnWidths(const QString& list);
void SaveColumnWidths(const QString& list, const QList<int>& widths);

// The column a list is sorted by and its order; a column of -1 when it was never sorted.
struct SortChoice {
  int column = -1;
  bool descending = false;
};
SortChoice SavedSortChoice(const QString& list);
void SaveSortChoice(const QString& list, const SortChoice& choice);
