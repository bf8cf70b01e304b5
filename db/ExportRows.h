#pragma once
// The rows a front end writes out whole (export), each table in one query in key order: the
// order the tables are stored in, so reading them costs no sort and no lookups by an index.

#include <cstdint>
#include <functional>

#include "db/PreferenceRecord.h"
#include "db/UserRecord.h"

// Each returns 1, or, after a failure (reported unless quiet) that ended the list, 0.

// Hands each preference row to `take`, by VirtualServerID and then key.
int ListAllPreferenceRows(int quiet, const std::function<void(const PreferenceRecord&)>& take);

// Hands each account to `take` by key: all of them, or, for a computer's key, those of its
// virtual servers.
int ListUsersByKey(int quiet, const std::function<void(const UserRecord&)>& take);
int ListUsersOfComputerByKey(int quiet, int32_t computerId,
                             const std::function<void(const UserRecord&)>& take);
