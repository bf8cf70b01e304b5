#pragma once
// What veltrane-admin asks: passwords and confirmations. From a terminal, a password is read
// without echo and a new one twice; when standard input is not a terminal, each answer is
// its next line. Passwords never come from the command line. A termination signal
// (platform/TerminationSignals.h) while waiting ends the wait (CliError, nothing done).

#include <string>

// The administrator's password; `why`, when not empty, is said first on a terminal. An empty
// one is refused: nothing is connected with it.
std::string AskAdministratorPassword(const std::string& why = {});

// The password of the database's own account, for a connection string that says "Pwd=-";
// an empty one is refused.
std::string AskDatabasePassword();

// A new password for `account`: asked twice on a terminal, refused when the two differ or it
// is empty.
std::string AskNewPassword(const std::string& account);

// Says what a delete will remove and asks; an answer other than "y" or "yes" (any case) ends
// the command with nothing deleted. `yes` (the command's --yes) answers without asking.
void ConfirmDeletion(const std::string& what, bool yes);
