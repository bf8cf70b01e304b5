#include "framework/ListFill.h"

#include <algorithm>
#include <vector>

#include "framework/Control.h"

namespace {

// Never destroyed: a control may outlive the static objects of this library.
std::vector<Control*>& Filling() {
  static auto* const lists = new std::vector<Control*>;
  return *lists;
}

}  // namespace

bool ContinueListFills(int rows) {
  // A list may end, or another begin, while one is fed: each is looked up afresh.
  const std::vector<Control*> lists = Filling();
  for (Control* list : lists)
    if (std::find(Filling().begin(), Filling().end(), list) != Filling().end()) list->FillSome(rows);
  return AnyListFilling();
}

bool AnyListFilling() { return !Filling().empty(); }

void RegisterListFill(Control* control) {
  if (std::find(Filling().begin(), Filling().end(), control) == Filling().end()) Filling().push_back(control);
}

void UnregisterListFill(Control* control) { std::erase(Filling(), control); }
