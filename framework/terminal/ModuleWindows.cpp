#include "framework/terminal/ModuleWindows.h"

#include <vector>

#include "framework/ModuleResources.h"
#include "framework/terminal/DialogSurface.h"
#include "framework/terminal/SheetSurface.h"

namespace {

CellSize Larger(CellSize a, CellSize b) { return {std::max(a.rows, b.rows), std::max(a.cols, b.cols)}; }

}  // namespace

CellSize SmallestScreenFor(const ModuleResources& module) {
  CellSize smallest;
  std::vector<const res::DialogTemplate*> pages;
  for (const res::DialogTemplate* tmpl : module.DialogTemplates()) {
    if (tmpl->style & res::WS_CHILD)
      pages.push_back(tmpl);
    else
      smallest = Larger(smallest, DialogSurface::SmallestFor(*tmpl));
  }
  if (!pages.empty()) smallest = Larger(smallest, SheetSurface::SmallestFor(pages));
  return smallest;
}
