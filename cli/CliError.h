#pragma once
// How veltrane-admin ends: its exit statuses, and the error that carries one out of a command
// to main, which prints its message (when it has one) and exits with its status.

#include <string>

inline constexpr int kExitRefused = 1;        // the model refused, or a value was wrong
inline constexpr int kExitUsage = 2;          // the command line itself was wrong
inline constexpr int kExitLocked = 3;         // another session holds the lock
inline constexpr int kExitNoConnection = 4;   // the database cannot be reached, or was lost
inline constexpr int kExitLockLeftSet = 5;    // done, but the session lock could not be released
inline constexpr int kExitCommitUnknown = 6;  // the connection was lost at a commit: maybe done

struct CliError {
  int status;
  std::string message;  // empty when it was shown already (a model's refusal)
};

inline CliError Refused(std::string message = {}) { return {kExitRefused, std::move(message)}; }
inline CliError UsageError(std::string message) { return {kExitUsage, std::move(message)}; }
