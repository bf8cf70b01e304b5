#pragma once
// One modal thing on the terminal: a dialog, a property sheet, a message box or the folder
// chooser. The backend stacks them, draws them bottom to top, and gives the top one the keys.

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "framework/terminal/Canvas.h"
#include "framework/terminal/Key.h"

class CWnd;

struct CellSize {
  int rows = 0, cols = 0;
  bool Holds(const CellSize& other) const { return rows >= other.rows && cols >= other.cols; }
};

class Surface {
 public:
  virtual ~Surface() = default;
  // Lays itself out for a screen of this size, centred.
  virtual void Fit(CellSize screen) = 0;
  // The smallest screen it can be laid out on.
  virtual CellSize Smallest() const = 0;
  virtual void Draw(Canvas& canvas, bool active) = 0;
  virtual void HandleKey(const Key& key) = 0;
  virtual bool Done() const = 0;
  // Ends it as its most cautious answer would (a window with Cancel).
  virtual void Abandon() = 0;
  // The windows whose timers run while it is open.
  virtual std::vector<CWnd*> TimedWindows() const { return {}; }
  // The first change one of its fields holds back until the typing pauses (Field::Due), and
  // making those that are due by `now`.
  virtual std::optional<std::chrono::steady_clock::time_point> Due() { return std::nullopt; }
  virtual void SettleDue(std::chrono::steady_clock::time_point /*now*/) {}
};

// The corner where something of `size` stands centred on `screen`.
inline CellSize Centred(CellSize size, CellSize screen) {
  return {std::max(0, (screen.rows - size.rows) / 2), std::max(0, (screen.cols - size.cols) / 2)};
}
