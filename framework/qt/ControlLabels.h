#pragma once
// What names the controls of a window built from a template: each text label belongs to the
// nearest control beside it on its line, and every control gets an accessible name and
// description for screen readers from its label, its own caption, the frame around it or the
// window's caption (a list adds its column headings itself).

#include <memory>
#include <vector>

#include <QString>

#include "framework/qt/ControlView.h"

using ControlViews = std::vector<std::unique_ptr<ControlView>>;

// For each view, when it is a text label, the index of the control it labels; else -1.
std::vector<int> ControlBesideEachLabel(const ControlViews& views);

void NameForAccessibility(const ControlViews& views, const std::vector<int>& labelled,
                          const QString& caption);
