#include "db/ChangeGuard.h"

#include <map>

namespace {

// Never destroyed: a session may still close while the process exits.
std::map<const void*, std::function<void()>>& Guards() {
  static auto* const guards = new std::map<const void*, std::function<void()>>;
  return *guards;
}

int unguardedDepth = 0;

}  // namespace

void AddChangeGuard(const void* owner, std::function<void()> check) { Guards()[owner] = std::move(check); }

void RemoveChangeGuard(const void* owner) { Guards().erase(owner); }

void GuardChange() {
  if (unguardedDepth > 0) return;
  for (const auto& [owner, check] : Guards()) check();
}

UnguardedChanges::UnguardedChanges() { ++unguardedDepth; }

UnguardedChanges::~UnguardedChanges() { --unguardedDepth; }
