#include "cli/Usage.h"

namespace {

constexpr const char* kHeader = R"(Usage: veltrane-admin [-q] [--wait SECONDS] COMMAND [ARGUMENTS]
       veltrane-admin help [COMMAND] | --help | --version

Sets up, checks and manages the Veltrane Server configuration from a shell, on the same
database, session lock and messages as the configuration sheet.

)";

struct CommandText {
  const char* name;
  const char* text;
};

constexpr CommandText kCommands[] = {
    {"init", R"(  init [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
      Makes the missing tables and indexes, stores the connection string and makes the
      built-in accounts. Without an option: the embedded SQLite database beside the registry
      store. Write the database password as Pwd=- and it is asked for (or read from standard
      input), so that it never stands on the command line.
)"},
    {"check", R"(  check
      Reports the registry store, the connection string (password masked), the tables,
      the session lock and the FTP service; exits 0 only when a log-in would succeed now.
)"},
    {"unlock", R"(  unlock
      Frees a session lock left behind by a session that ended without closing.
)"},
    {"computer", R"(  computer list | add NAME | rename NAME NEW | delete NAME [--yes]
)"},
    {"vserver", R"(  vserver list [--computer NAME]
        | add ADDRESS --computer NAME [--description TEXT]
        | edit ADDRESS [--computer NAME] [--address NEW] [--description TEXT]
        | delete ADDRESS [--computer NAME] [--yes]
)"},
    {"user", R"(  user list [--computer NAME] [--vserver ADDRESS] [--match TEXT] | show NAME
        | add NAME --vserver ADDRESS [--computer NAME] --home DIR [--quota MB] [--permissions LETTERS]
        | edit NAME [--home DIR] [--quota MB] [--permissions LETTERS]
        | passwd NAME | delete NAME [--yes]
        | import FILE [--dry-run] [--replace]
      user list --match keeps the accounts whose name or home folder contains TEXT (ASCII
      letters in any case; % and _ are plain characters).
      user import adds accounts alone from a JSON document (as export writes, or an array of
      accounts) or from CSV with a header line naming the columns name, home, quota,
      permissions, vserver (an address), computer (optional), and password or digest.
)"},
    {"prefs", R"(  prefs show [--vserver ADDRESS [--computer NAME]]
        | set --vserver ADDRESS [--computer NAME] KEY=VALUE...
)"},
    {"service", R"(  service status | start | stop [--unit NAME]
      status needs no password and leaves the session lock alone.
)"},
    {"export", R"(  export [--computer NAME]
      Writes the configuration (computers, virtual servers, preferences and accounts with
      their password digests) as one JSON document; with --computer, that computer's alone.
)"},
    {"import", R"(  import FILE [--dry-run] [--replace]
      Applies a document written by export in one transaction: all of it or nothing. Prints
      what it adds, changes and refuses; --dry-run prints that and changes nothing. A name
      or address already in use is refused (nothing is imported) unless --replace, which
      changes the existing row to the document's. Keys are given anew, so a document from
      one database imports into another.
)"},
    {"migrate", R"(  migrate [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
      Moves the configuration to another database: export from the one in use, init of the
      new one (as init takes it), then import with --replace. Asks the administrator's
      password of the database in use, then that of the new one (a new one has its first).
      When anything fails, this computer goes on using the database it used.
)"},
};

constexpr const char* kNotes = R"(
Lists and shows print a table, control characters escaped (\e, \n, \x7f); with --json,
one JSON document, where a byte that is not UTF-8 is written as \u00XX (its value).
Lists come by name (address for virtual servers), then by key. A list cut short by
Ctrl-C says so on standard error and leaves its JSON unterminated.
--computer chooses among virtual servers that share an address.
--permissions takes the letters U (upload), D (download), R (rename), C (create
directories) and E (erase) in any order and case, with or without dashes as lists print
them (-U-D-), or "all"; "-" is none.
prefs keys: port, welcome, goodbye, anonymous (0 or 1), max-connections, max-per-ip,
max-per-user, timeout (minutes). prefs show without --vserver shows the defaults.
--unit stores the FTP server's systemd unit in the configuration (the environment
variable VELTRANE_SERVICE_UNIT still overrides it).
Options may be written --name VALUE or --name=VALUE; after -- every word is an argument,
so a name may begin with a dash. -q (--quiet) prints nothing when a change is done.

Every command but init, check, unlock and service status logs in as "admin" and holds the
session lock while it runs; --wait SECONDS tries the log-in again while another session
holds the lock, for at most that long. Passwords are never taken from the command line:
they are asked on the terminal without echo (a new one twice), or, when standard input is
not a terminal, read from its lines: the administrator's first, then the new one. An
empty one is refused.

Exit status:
  0  done
  1  refused (the reason is printed), or the output could not be written
  2  usage error
  3  the session lock is held by another session (after --wait: still held)
  4  the database cannot be reached, or the connection was lost: nothing was changed;
     or the registry store cannot be used: outside its group, or, as root, a connection
     string that another user wrote
  5  done, but the session lock could not be released (veltrane-admin unlock frees it;
     a lock tied to the session's life goes with it instead)
  6  the connection was lost while the change was committed: it may or may not have
     been made (look with the matching list or show command)
  128+N  ended by signal N
)";

}  // namespace

std::string Usage() {
  std::string text = kHeader;
  for (const CommandText& command : kCommands) text += command.text;
  return text + kNotes;
}

std::optional<std::string> CommandUsage(const std::string& name) {
  for (const CommandText& command : kCommands)
    if (name == command.name)
      return "Usage: veltrane-admin [-q] [--wait SECONDS]\n" + std::string(command.text) + kNotes;
  return std::nullopt;
}
