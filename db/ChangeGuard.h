#pragma once
// Checks run before every statement that changes rows (a recordset's insert, update or
// delete, and every change statement). A session installs one while it holds its lock, so
// that a session that has lost the lock changes nothing more: the check throws, and the
// change's guarded region reports why.

#include <functional>

// Installs `owner`'s check, replacing one it installed before.
void AddChangeGuard(const void* owner, std::function<void()> check);
void RemoveChangeGuard(const void* owner);

// Runs every installed check, unless an UnguardedChanges object lives.
void GuardChange();

// While it lives, changes run unchecked: the session lock's own bookkeeping, which is no
// change of the configuration and must not be refused by another session's check.
class UnguardedChanges {
 public:
  UnguardedChanges();
  ~UnguardedChanges();
  UnguardedChanges(const UnguardedChanges&) = delete;
  UnguardedChanges& operator=(const UnguardedChanges&) = delete;
};
