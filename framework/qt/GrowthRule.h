#pragma once
// How a window's controls follow it when it is made larger than its template, read from the
// template's own arrangement. The controls that stretch are the window's report lists, in
// width and height; a window without one stretches its drop-down lists and text fields, in
// width only. Around them:
// - a frame that encloses a stretching list grows with it, and a control in the same column
//   as one (same left and right edge) grows in width with it;
// - a control that spans the window's width grows in width;
// - where several controls on one line stretch, they share the extra width in proportion to
//   their own, so that the line keeps its proportions and ends at the window's edge;
// - a control right of something that grows wider moves right by as much as that grew (a
//   label keeps its gap to its field), one below something that grows taller moves down;
//   everything else keeps its place.
// A window with neither a list nor a drop-down list keeps its template size.

#include <vector>

#include <QRect>

#include "res/DialogTemplate.h"

struct PlacedControl {
  res::ControlKind kind;
  bool frame;  // a group box
  QRect rect;  // as placed at the template's size
};

// Shares of the window's extra width and height: a control moves right by `right` of the
// extra width and grows by `wider` of it (0 to 1).
struct Growth {
  double right = 0;
  double wider = 0;
  bool moveDown = false;
  bool taller = false;
};

// Whether a window made from `tmpl` can grow in width and in height.
struct WindowGrowth {
  bool wide = false;
  bool tall = false;
};
WindowGrowth GrowthOfWindow(const res::DialogTemplate& tmpl);

// The growth of each control, in the order given, in a window of `client` size.
std::vector<Growth> GrowthOfControls(const std::vector<PlacedControl>& controls, const QSize& client);
