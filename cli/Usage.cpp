#include "cli/Usage.h"

const char* const kUsage = R"(Usage: veltrane-admin COMMAND [ARGUMENTS]

Sets up, checks and manages the Veltrane Server configuration from a shell, on the same
database, session lock and messages as the configuration sheet.

  init [--sqlite FILE | --connect "CONNECTION STRING" | --dsn NAME] [--unit NAME]
      Makes the missing tables, stores the connection string and makes the built-in
      accounts. Without an option: the embedded SQLite database beside the registry store.
  check
      Reports the registry store, the connection string (password masked), the tables,
      the session lock and the FTP service; exits 0 only when a log-in can work.
  unlock
      Frees a session lock left behind by a session that ended without closing.

  computer list | add NAME | rename NAME NEW | delete NAME [--yes]
  vserver list [--computer NAME]
        | add ADDRESS --computer NAME [--description TEXT]
        | edit ADDRESS [--computer NAME] [--address NEW] [--description TEXT]
        | delete ADDRESS [--computer NAME] [--yes]
  user list [--computer NAME] [--vserver ADDRESS] | show NAME
        | add NAME --vserver ADDRESS [--computer NAME] --home DIR [--quota MB] [--permissions LETTERS]
        | edit NAME [--home DIR] [--quota MB] [--permissions LETTERS]
        | passwd NAME | delete NAME [--yes]
  prefs show [--vserver ADDRESS [--computer NAME]]
        | set --vserver ADDRESS [--computer NAME] KEY=VALUE...
  service status | start | stop [--unit NAME]

Lists and shows print a table; with --json, one JSON document.
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
from its lines: the administrator's first, then the new one.

Exit status: 0 done; 1 refused (the reason is printed); 2 usage error; 3 the session lock
is held by another session; 4 the database cannot be reached.
)";
