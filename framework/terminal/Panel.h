#pragma once
// The framed, cleared panel every modal thing stands on, with its caption in the top line and
// the keys it takes (its help line) in the bottom one.
// Drawn over what is below, so the windows underneath do not show through.

#include <string>

#include "framework/terminal/Canvas.h"

void DrawPanel(Canvas& canvas, int rows, int cols, const std::string& caption, const std::string& help = "");
