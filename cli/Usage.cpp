#include "cli/Usage.h"

const char* const kUsage =
    R"(Usage: veltrane-admin init [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
  or:  veltrane-admin check
  or:  veltrane-admin unlock
  or:  veltrane-admin computer list | add NAME | rename NAME NEW | delete NAME [--yes]
  or:  veltrane-admin vserver list [--computer NAME]
  or:  veltrane-admin vserver add ADDRESS --computer NAME [--description TEXT]
  or:  veltrane-admin vserver edit ADDRESS [--computer NAME] [--address NEW] [--description TEXT]
  or:  veltrane-admin vserver delete ADDRESS [--computer NAME] [--yes]
  or:  veltrane-admin user list [--computer NAME] [--vserver ADDRESS] | show NAME
  or:  veltrane-admin user add NAME --vserver ADDRESS [--computer NAME] --home DIR [--quota MB] [--permissions LETTERS]
  or:  veltrane-admin user edit NAME [--home DIR] [--quota MB] [--permissions LETTERS]
  or:  veltrane-admin user passwd NAME | delete NAME [--yes]
  or:  veltrane-admin prefs show [--vserver ADDRESS [--computer NAME]]
  or:  veltrane-admin prefs set --vserver ADDRESS [--computer NAME] KEY=VALUE...
  or:  veltrane-admin service status | start | stop [--unit NAME]

Sets up, checks and manages the Veltrane Server configuration from a shell, on the same
database, session lock and messages as the configuration sheet.

init makes the missing tables and indexes, stores the connection string and makes the
built-in accounts; without an option, the embedded SQLite database beside the registry
store. Write the database password as Pwd=- and it is asked for (or read from standard
input), so that it never stands on the command line.
check reports the registry store, the connection string (password masked), the tables,
the session lock and the FTP service, and exits 0 only when a log-in would succeed now.
unlock frees a session lock left behind by a session that ended without closing.

Lists and shows print a table, control characters escaped (\e, \n, \x7f); with --json,
one JSON document, where a byte that is not UTF-8 is written as \u00XX (its value).
A list cut short by Ctrl-C says so on standard error and leaves its JSON unterminated.
--computer chooses among virtual servers that share an address.
--permissions takes the letters U (upload), D (download), R (rename), C (create
directories) and E (erase) in any order, or "all".
prefs keys: port, welcome, goodbye, anonymous (0 or 1), max-connections, max-per-ip,
max-per-user, timeout (minutes). prefs show without --vserver shows the defaults.
--unit stores the FTP server's systemd unit in the configuration (the environment
variable VELTRANE_SERVICE_UNIT still overrides it).

Every command but init, check and unlock logs in as "admin" and holds the session lock
while it runs. Passwords are never taken from the command line: they are asked on the
terminal without echo (a new one twice), or, when standard input is not a terminal, read
from its lines: the administrator's first, then the new one. An empty one is refused.

Exit status:
  0  done
  1  refused (the reason is printed), or the output could not be written
  2  usage error
  3  the session lock is held by another session
  4  the database cannot be reached, or the connection was lost: nothing was changed;
     or the registry store cannot be used: outside its group, or, as root, a connection
     string that another user wrote
  5  done, but the session lock could not be released (veltrane-admin unlock frees it)
  6  the connection was lost while the change was committed: it may or may not have
     been made (look with the matching list or show command)
  128+N  ended by signal N
)";
