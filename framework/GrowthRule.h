#pragma once
// How a window's controls follow it when it is made larger than its template, read from the
// template's own arrangement, for any backend. The controls that stretch are the window's
// report lists, in width and height; a window without one stretches its drop-down lists, in
// width only. Around them:
// - a frame that encloses a stretching list grows with it, and a control in the same column
//   as one (same left and right edge) grows in width with it;
// - a control that spans the window's width grows in width;
// - a control right of something that grows wider moves right, one below something that
//   grows taller moves down; everything else keeps its place.
// A window without a list keeps its template size.

#include <vector>

#include "res/DialogTemplate.h"

namespace growth {

struct Growth {
  bool moveRight = false;
  bool moveDown = false;
  bool wider = false;
  bool taller = false;
};

// Whether a window made from the template can grow in width and in height.
struct WindowGrowth {
  bool wide = false;
  bool tall = false;
};
WindowGrowth OfWindow(const res::DialogTemplate& tmpl);

// The growth of each of the template's controls, in its order.
std::vector<Growth> OfControls(const res::DialogTemplate& tmpl);

}  // namespace growth
