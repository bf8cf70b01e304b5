#pragma once
// What the user made of windows and lists, kept between runs in the user's Qt settings
// (QSettings under the organisation and application names the program gave itself): a
// window's size and a list's column widths, each under a key naming the template it comes
// from. A program that gave no organisation name keeps nothing.

#include <QList>
#include <QSize>
#include <QString>

// An invalid size when none was kept.
QSize SavedWindowSize(const QString& window);
void SaveWindowSize(const QString& window, const QSize& size);

// Empty when none were kept.
QList<int> SavedColumnWidths(const QString& list);
void SaveColumnWidths(const QString& list, const QList<int>& widths);
