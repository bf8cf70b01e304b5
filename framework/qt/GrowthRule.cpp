#include "framework/qt/GrowthRule.h"

#include <algorithm>
#include <optional>

namespace {

// A control counts as spanning the window when its edges lie within this share of the width
// from the window's edges.
constexpr int kSpanMarginDivisor = 20;

bool Has(const std::vector<res::ControlKind>& kinds, res::ControlKind kind) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool OverlapVertically(const QRect& a, const QRect& b) {
  return a.top() <= b.bottom() && b.top() <= a.bottom();
}

bool OverlapHorizontally(const QRect& a, const QRect& b) {
  return a.left() <= b.right() && b.left() <= a.right();
}

// The kind of control that stretches in this window, if any.
std::optional<res::ControlKind> StretchingKind(const std::vector<res::ControlKind>& kinds) {
  if (Has(kinds, res::ControlKind::ListView)) return res::ControlKind::ListView;
  if (Has(kinds, res::ControlKind::ComboBox)) return res::ControlKind::ComboBox;
  return std::nullopt;
}

// Lists and what grows with them: enclosing frames, controls in their column, spanning ones.
void GrowWithLists(const std::vector<PlacedControl>& controls, const QSize& client,
                   res::ControlKind stretching, std::vector<Growth>& growth) {
  const int margin = client.width() / kSpanMarginDivisor;
  const bool tall = stretching == res::ControlKind::ListView;
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect& rect = controls[i].rect;
    if (controls[i].kind == stretching) {
      growth[i].wider = true;
      growth[i].taller = tall;
      continue;
    }
    growth[i].wider = rect.left() <= margin && rect.right() >= client.width() - 1 - margin;
    for (const PlacedControl& list : controls) {
      if (list.kind != stretching) continue;
      if (controls[i].frame && rect.contains(list.rect)) {
        growth[i].wider = true;
        growth[i].taller = growth[i].taller || tall;
      }
      if (rect.left() == list.rect.left() && rect.right() == list.rect.right()) growth[i].wider = true;
    }
  }
}

// Controls right of something wider move right; those below something taller move down.
void MoveAroundGrowers(const std::vector<PlacedControl>& controls, std::vector<Growth>& growth) {
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect& rect = controls[i].rect;
    for (size_t g = 0; g < controls.size(); ++g) {
      const QRect& grower = controls[g].rect;
      if (growth[g].wider && rect.left() > grower.right() && OverlapVertically(rect, grower))
        growth[i].moveRight = true;
      if (growth[g].taller && rect.top() > grower.bottom() && OverlapHorizontally(rect, grower))
        growth[i].moveDown = true;
    }
  }
}

}  // namespace

WindowGrowth GrowthOfWindow(const res::DialogTemplate& tmpl) {
  std::vector<res::ControlKind> kinds;
  for (const res::ControlTemplate& control : tmpl.controls) kinds.push_back(control.kind);
  const std::optional<res::ControlKind> stretching = StretchingKind(kinds);
  return {stretching.has_value(), stretching == res::ControlKind::ListView};
}

std::vector<Growth> GrowthOfControls(const std::vector<PlacedControl>& controls, const QSize& client) {
  std::vector<Growth> growth(controls.size());
  std::vector<res::ControlKind> kinds;
  for (const PlacedControl& control : controls) kinds.push_back(control.kind);
  const std::optional<res::ControlKind> stretching = StretchingKind(kinds);
  if (!stretching) return growth;
  GrowWithLists(controls, client, *stretching, growth);
  MoveAroundGrowers(controls, growth);
  return growth;
}
