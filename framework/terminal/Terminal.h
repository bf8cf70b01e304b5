#pragma once
// What the terminal backend draws on and reads keys from: the real terminal (TerminalScreen)
// or, in tests, a grid of characters fed with keys.

#include <optional>

#include "framework/terminal/Canvas.h"
#include "framework/terminal/Key.h"
#include "framework/terminal/Surface.h"

class Terminal {
 public:
  virtual ~Terminal() = default;
  virtual CellSize Size() const = 0;
  // Starts a frame: the canvas to draw on, cleared.
  virtual Canvas& BeginFrame() = 0;
  // Shows what was drawn since BeginFrame.
  virtual void EndFrame() = 0;
  // The next key; nothing when `timeoutMs` passed first or `wakeDescriptor` (when not -1)
  // became readable.
  virtual std::optional<Key> WaitForKey(int timeoutMs, int wakeDescriptor) = 0;
  // The terminal went away (end of file or a read error on it): nothing more can be shown.
  virtual bool Gone() const { return false; }
};
