#pragma once
// Whether a folder is out of reach because the process lacks the group that owns it, as for
// a user outside the group veltrane, or one added to it after the session began (a session
// keeps the groups it started with).

#include <string>

// The first folder on the way to (and including) `folder` that the process may not enter or
// read, when that folder's group could and the process is not in that group:
// "you are not in the group G (or your session started before you were added): FOLDER
// cannot be read; an administrator adds you with "sudo adduser USER G", then log in again".
// Empty when nothing on the way is refused that way.
std::string MissingGroupCause(const std::string& folder);
