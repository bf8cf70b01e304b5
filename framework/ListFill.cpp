#include "framework/ListFill.h"

#include <algorithm>
#include <vector>

namespace {

// Never destroyed: a control may outlive the static objects of this library.
std::vector<FillingList*>& Filling() {
  static auto* const lists = new std::vector<FillingList*>;
  return *lists;
}

}  // namespace

bool ContinueListFills(int rows) {
  // A list may end, or another begin, while one is fed: each is looked up afresh.
  const std::vector<FillingList*> lists = Filling();
  for (FillingList* list : lists)
    if (std::find(Filling().begin(), Filling().end(), list) != Filling().end()) list->FillSome(rows);
  return AnyListFilling();
}

bool AnyListFilling() { return !Filling().empty(); }

void RegisterListFill(FillingList* list) {
  if (std::find(Filling().begin(), Filling().end(), list) == Filling().end()) Filling().push_back(list);
}

void UnregisterListFill(FillingList* list) { std::erase(Filling(), list); }
