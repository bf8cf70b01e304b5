#include "framework/GrowthRule.h"

#include <algorithm>
#include <optional>

namespace growth {
namespace {

// A control counts as spanning the window when its edges lie within this share of the width
// from the window's edges.
constexpr int kSpanMarginDivisor = 20;

int Right(const res::Rect& rect) { return rect.x + rect.cx - 1; }
int Bottom(const res::Rect& rect) { return rect.y + rect.cy - 1; }

bool Contains(const res::Rect& outer, const res::Rect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && Right(inner) <= Right(outer) &&
         Bottom(inner) <= Bottom(outer);
}

bool OverlapVertically(const res::Rect& a, const res::Rect& b) {
  return a.y <= Bottom(b) && b.y <= Bottom(a);
}

bool OverlapHorizontally(const res::Rect& a, const res::Rect& b) {
  return a.x <= Right(b) && b.x <= Right(a);
}

bool IsFrame(const res::ControlTemplate& control) {
  return control.kind == res::ControlKind::Button && (control.style & res::BS_TYPEMASK) == res::BS_GROUPBOX;
}

// The kind of control that stretches in this window, if any.
std::optional<res::ControlKind> StretchingKind(const res::DialogTemplate& tmpl) {
  const auto has = [&tmpl](res::ControlKind kind) {
    return std::any_of(tmpl.controls.begin(), tmpl.controls.end(),
                       [kind](const res::ControlTemplate& control) { return control.kind == kind; });
  };
  if (has(res::ControlKind::ListView)) return res::ControlKind::ListView;
  if (has(res::ControlKind::ComboBox)) return res::ControlKind::ComboBox;
  return std::nullopt;
}

// Lists and what grows with them: enclosing frames, controls in their column, spanning ones.
void GrowWithLists(const res::DialogTemplate& tmpl, res::ControlKind stretching,
                   std::vector<Growth>& growth) {
  const int margin = tmpl.cx / kSpanMarginDivisor;
  const bool tall = stretching == res::ControlKind::ListView;
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const res::Rect& rect = tmpl.controls[i].rect;
    if (tmpl.controls[i].kind == stretching) {
      growth[i].wider = true;
      growth[i].taller = tall;
      continue;
    }
    growth[i].wider = rect.x <= margin && Right(rect) >= tmpl.cx - 1 - margin;
    for (const res::ControlTemplate& list : tmpl.controls) {
      if (list.kind != stretching) continue;
      if (IsFrame(tmpl.controls[i]) && Contains(rect, list.rect)) {
        growth[i].wider = true;
        growth[i].taller = growth[i].taller || tall;
      }
      if (rect.x == list.rect.x && Right(rect) == Right(list.rect)) growth[i].wider = true;
    }
  }
}

// Controls right of something wider move right; those below something taller move down.
void MoveAroundGrowers(const res::DialogTemplate& tmpl, std::vector<Growth>& growth) {
  for (size_t i = 0; i < tmpl.controls.size(); ++i) {
    const res::Rect& rect = tmpl.controls[i].rect;
    for (size_t g = 0; g < tmpl.controls.size(); ++g) {
      const res::Rect& grower = tmpl.controls[g].rect;
      if (growth[g].wider && rect.x > Right(grower) && OverlapVertically(rect, grower))
        growth[i].moveRight = true;
      if (growth[g].taller && rect.y > Bottom(grower) && OverlapHorizontally(rect, grower))
        growth[i].moveDown = true;
    }
  }
}

}  // namespace

WindowGrowth OfWindow(const res::DialogTemplate& tmpl) {
  const std::optional<res::ControlKind> stretching = StretchingKind(tmpl);
  return {stretching.has_value(), stretching == res::ControlKind::ListView};
}

std::vector<Growth> OfControls(const res::DialogTemplate& tmpl) {
  std::vector<Growth> growth(tmpl.controls.size());
  const std::optional<res::ControlKind> stretching = StretchingKind(tmpl);
  if (!stretching) return growth;
  GrowWithLists(tmpl, *stretching, growth);
  MoveAroundGrowers(tmpl, growth);
  return growth;
}

}  // namespace growth
