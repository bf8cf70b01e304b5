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

// How far the stretching controls left of `g` on its line have grown: where `g` starts.
double LeftShare(const std::vector<PlacedControl>& controls, const std::vector<Growth>& growth, size_t g) {
  double share = 0;
  for (size_t other = 0; other < controls.size(); ++other)
    if (other != g && growth[other].wider > 0 && controls[other].rect.right() < controls[g].rect.left() &&
        OverlapVertically(controls[other].rect, controls[g].rect))
      share += growth[other].wider;
  return share;
}

// The kind of control that stretches in this window, if any.
std::optional<res::ControlKind> StretchingKind(const std::vector<res::ControlKind>& kinds) {
  if (Has(kinds, res::ControlKind::ListView)) return res::ControlKind::ListView;
  if (Has(kinds, res::ControlKind::ComboBox)) return res::ControlKind::ComboBox;
  return std::nullopt;
}

bool Stretches(res::ControlKind kind, res::ControlKind stretching) {
  if (stretching == res::ControlKind::ComboBox) return kind == stretching || kind == res::ControlKind::Edit;
  return kind == stretching;
}

// The stretching controls: on each line, a share of the extra width in proportion to their
// widths (a line is the controls beside the one given, whatever their heights).
void StretchAlongLines(const std::vector<PlacedControl>& controls, res::ControlKind stretching,
                       std::vector<Growth>& growth) {
  for (size_t i = 0; i < controls.size(); ++i) {
    if (!Stretches(controls[i].kind, stretching)) continue;
    int lineWidth = 0;
    for (const PlacedControl& other : controls)
      if (Stretches(other.kind, stretching) && OverlapVertically(other.rect, controls[i].rect))
        lineWidth += other.rect.width();
    growth[i].wider = static_cast<double>(controls[i].rect.width()) / lineWidth;
    growth[i].taller = stretching == res::ControlKind::ListView;
  }
}

// What grows with the lists: enclosing frames, controls in their column, spanning ones.
void GrowWithLists(const std::vector<PlacedControl>& controls, const QSize& client,
                   res::ControlKind stretching, std::vector<Growth>& growth) {
  const int margin = client.width() / kSpanMarginDivisor;
  const bool tall = stretching == res::ControlKind::ListView;
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect& rect = controls[i].rect;
    if (Stretches(controls[i].kind, stretching)) continue;
    if (rect.left() <= margin && rect.right() >= client.width() - 1 - margin) growth[i].wider = 1;
    for (const PlacedControl& list : controls) {
      if (!Stretches(list.kind, stretching)) continue;
      if (controls[i].frame && rect.contains(list.rect)) {
        growth[i].wider = 1;
        growth[i].taller = growth[i].taller || tall;
      }
      if (rect.left() == list.rect.left() && rect.right() == list.rect.right()) growth[i].wider = 1;
    }
  }
}

// Controls right of something wider move right by the most that grew left of them on their
// line; those below something taller move down.
void MoveAroundGrowers(const std::vector<PlacedControl>& controls, std::vector<Growth>& growth) {
  for (size_t i = 0; i < controls.size(); ++i) {
    const QRect& rect = controls[i].rect;
    for (size_t g = 0; g < controls.size(); ++g) {
      const QRect& grower = controls[g].rect;
      if (growth[g].wider > 0 && rect.left() > grower.right() && OverlapVertically(rect, grower))
        growth[i].right = std::max(growth[i].right, LeftShare(controls, growth, g) + growth[g].wider);
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
  StretchAlongLines(controls, *stretching, growth);
  GrowWithLists(controls, client, *stretching, growth);
  MoveAroundGrowers(controls, growth);
  return growth;
}
