#!/usr/bin/env bash
# The benchmark: builds a Release build in build-release/, makes its own data, and prints one
# line per figure next to its floor measured in the same run (these machines are shared, so
# read the ratios). A missed goal is marked MISSED; it does not fail the run. The terminal
# backend's figures run it on a pseudo-terminal of its own, so none is needed here.
#   --engine sqlite|postgresql|both   (default both)
#   --million                         also the Users page (memory, Qt fill) and the filtered
#                                     listings at 1,000,000 accounts
#
# Data, made with set-based SQL on fresh databases from schema/: 100,000 accounts on 10
# computers with 100 virtual servers each (100 accounts and 8 preference rows a server), and
# a computer "spare1" that runs nothing. The deletes run on copies that add a computer
# "doomed1" with 100 virtual servers and 10,000 accounts, and a computer "crowded1" with one
# virtual server of 1,000 accounts. Export and import run on the 100,000 accounts, each import
# into a fresh database, against sqlite3 or psql inserting the same rows.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
root=$PWD

engines=(sqlite postgresql)
million=0
while [ $# -gt 0 ]; do
  case "$1" in
    --engine)
      case "${2:-}" in
        sqlite | postgresql) engines=("$2") ;;
        both) engines=(sqlite postgresql) ;;
        *) echo "bench: --engine takes sqlite, postgresql or both" >&2; exit 2 ;;
      esac
      shift 2 ;;
    --million) million=1; shift ;;
    *) echo "usage: bash scripts/bench.sh [--engine sqlite|postgresql|both] [--million]" >&2; exit 2 ;;
  esac
done

bash scripts/setup.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if ! build_log=$(cmake --build build-release -j2 --target veltrane_bench 2>&1); then
  echo "$build_log" >&2
  exit 1
fi

bin=$root/build-release/bench
host=$root/build-release/bin/veltrane-control
admin=$root/build-release/bin/veltrane-admin
work=$(mktemp -d /tmp/veltrane-bench.XXXXXX)
chmod 755 "$work"
. scripts/odbc-private.sh
odbc_private_config "$work/odbc"
export ODBCINI=$work/odbc/odbc.ini  # no data sources: every connection string names its driver
: >"$ODBCINI"
. scripts/pg-throwaway.sh
# Ports of its own, away from those of a test run that may be starting at the same time.
export VELTRANE_PG_PORT=${VELTRANE_PG_PORT:-54429}
cleanup() { pg_stop; rm -rf "$work"; }
trap cleanup EXIT

LOGIN_RUNS=11     # log-in runs and cancelled runs of veltrane-control, after one to warm up
LISTING_RUNS=7    # runs of the listing and of its floor
QT_RUNS=3         # runs of the Qt listing (the slowest turn and the peak of all), and as many floors
DELETE_RUNS=5     # fresh copies for the model's deletes, and as many for the plain ones
ADD_ROUNDS=9      # runs adding ADDED_USERS accounts one by one, to each database
ADDED_USERS=5
IMPORT_RUNS=3     # imports of the exported 100,000 accounts into fresh databases, and as many floors

# --- Databases: a name is a file in $work for SQLite, a database on the cluster for PostgreSQL.
# Connection strings carry the options an installed system uses (README): the embedded data
# source's for SQLite, those of the test server's string for PostgreSQL (results streamed).

db_conn() {
  if [ "$engine" = sqlite ]; then echo "Driver=SQLite3;Database=$work/$1.db;Timeout=5000;StepAPI=1;"
  else echo "${VELTRANE_TEST_PG/Database=veltrane/Database=$1}"; fi
}
db_sql() {  # runs SQL from standard input on database $1
  if [ "$engine" = sqlite ]; then sqlite3 -bail "$work/$1.db" >/dev/null
  else PGPASSWORD=veltrane-pw "$PG_BIN/psql" -X -q -v ON_ERROR_STOP=1 -h 127.0.0.1 -p "$PG_PORT" -U veltrane -d "$1" >/dev/null; fi
}
db_value() {  # the one value that the query $2 answers on database $1
  if [ "$engine" = sqlite ]; then sqlite3 "$work/$1.db" "$2"
  else PGPASSWORD=veltrane-pw "$PG_BIN/psql" -X -A -t -h 127.0.0.1 -p "$PG_PORT" -U veltrane -d "$1" -c "$2"; fi
}
db_create() {
  if [ "$engine" = postgresql ]; then echo "CREATE DATABASE $1" | db_sql veltrane; fi
  db_sql "$1" <"schema/$engine.sql"
}
db_copy() {
  if [ "$engine" = sqlite ]; then cp "$work/$1.db" "$work/$2.db"
  else echo "CREATE DATABASE $2 TEMPLATE $1" | db_sql veltrane; fi
}
add_computers() {  # DATABASE PREFIX COUNT SERVERS USERS
  sed -e "s/@PREFIX@/$2/g; s/@COUNT@/$3/g; s/@SERVERS@/$4/g; s/@USERS@/$5/g" bench/data/computers.sql | db_sql "$1"
}
db_finish() {  # the planner statistics a PostgreSQL database in use would have
  if [ "$engine" = postgresql ]; then echo "VACUUM ANALYZE Users, Preferences, VirtualServers, VirtualServerGroup" | db_sql "$1"; fi
}

make_data() {
  db_create accounts
  add_computers accounts host 10 100 100
  add_computers accounts spare 1 0 0
  db_finish accounts
  db_copy accounts deletable
  add_computers deletable doomed 1 100 100
  add_computers deletable crowded 1 1 1000
  db_finish deletable
  for i in $(seq "$DELETE_RUNS"); do db_copy deletable "model$i"; db_copy deletable "floor$i"; done
  db_copy accounts added
  db_create empty
  add_computers empty host 1 1 0
  db_finish empty
}

# --- Measuring.

median() { sort -g | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }'; }
# RUNS A B: runs the commands A and B in turn, RUNS times each, so that a change in the load of
# this shared machine falls on both alike; each one's lines of output go to the file $work/A or
# $work/B.
alternate() {
  : >"$work/$2"
  : >"$work/$3"
  for _ in $(seq "$1"); do
    "$2" >>"$work/$2"
    "$3" >>"$work/$3"
  done
}
median_in() { cut -d' ' -f"$2" "$work/$1" | median; }         # FILE FIELD
# COMMAND...: runs it with its standard output thrown away; prints its wall-clock seconds.
timed() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  calc "($end - $start) / 1e9"
  echo
}
largest_in() { cut -d' ' -f"$2" "$work/$1" | sort -g | tail -1; }  # FILE FIELD
# COMMAND...: runs it with its standard error kept aside, and shown only when it fails.
quietly() {
  if ! "$@" 2>"$work/stderr.log"; then
    cat "$work/stderr.log" >&2
    return 1
  fi
}

# The bench programs store the connection string they are given in a registry store of their
# own; veltrane-control finds its database in a store per database.
model() { VELTRANE_REGISTRY_ROOT=$work/registry-bench "$bin/veltrane-bench-model" "$@"; }
bench_program() { VELTRANE_REGISTRY_ROOT=$work/registry-bench quietly "$bin/$1" "${@:2}"; }  # NAME ARGUMENTS...
listing() { bench_program veltrane-bench-listing "$@"; }
registry_for() { VELTRANE_REGISTRY_ROOT=$work/registry-$engine-$1 "$bin/veltrane-bench-model" "$(db_conn "$1")" register; }
# DATABASE SCRIPT: replays the script on the database once; prints its seconds and peak RSS.
replay() { VELTRANE_REGISTRY_ROOT=$work/registry-$engine-$1 "$bin/veltrane-bench-run" "$host" --ui-script "$2"; }

write_scripts() {
  cat >"$work/cancel.script" <<'EOF'
expect-dialog IDD_LOG_IN
click IDCANCEL
EOF
  cat >"$work/login.script" <<'EOF'
expect-dialog IDD_LOG_IN
expect-text IDC_USER_NAME "admin"
set IDC_PASSWORD "brelk"
click IDOK
expect-sheet "Veltrane Properties"
close-sheet cancel
EOF
}

# A script that logs in, finds ROWS accounts on the Users page and closes the sheet.
listing_script() {
  local script=$work/list-$engine-$1.script
  head -5 "$work/login.script" >"$script"
  printf 'tab 2\nexpect-count IDC_USER_LIST %s\nclose-sheet cancel\n' "$1" >>"$script"
  echo "$script"
}

# --- Reporting.

calc() { awk "BEGIN { printf \"%s\", $1 }"; }
duration() { calc "$1 < 1 ? sprintf(\"%.1f ms\", $1 * 1000) : sprintf(\"%.2f s\", $1)"; }
mib() { calc "sprintf(\"%.0f MiB\", $1 / 1024)"; }
ratio() { calc "sprintf(\"%.1fx\", $1 / $2)"; }
met() { calc "($1) ? 1 : 0"; }
grouped() { sed ':a; s/\B[0-9]\{3\}\>/,&/; ta' <<<"$1"; }

# LABEL VALUE BASELINE RATIO GOAL MET(1, 0, or - where there is no goal)
report() {
  local mark=""
  [ "$6" = 0 ] && mark="   MISSED"
  printf '%-10s  %-46s  %9s   %-28s  %6s   %s%s\n' "$engine" "$1" "$2" "$3" "$4" "$5" "$mark"
}

# --- Figures.

cancel_kib=0  # the peak RSS of a cancelled run, from the log-in figure

cancelled_run() { replay accounts "$work/cancel.script"; }
login_run() { replay accounts "$work/login.script"; }

figure_login() {
  local goal cancel login net
  goal=$([ "$engine" = sqlite ] && echo 0.050 || echo 0.150)
  registry_for accounts
  login_run >/dev/null  # the first log-in adds the built-in accounts
  alternate "$LOGIN_RUNS" cancelled_run login_run
  cancel=$(median_in cancelled_run 1)
  cancel_kib=$(largest_in cancelled_run 2)
  login=$(median_in login_run 1)
  net=$(calc "$login - $cancel")
  report "log-in, sheet, close (100,000 users)" "$(duration "$net")" \
    "run $(duration "$login") - cancelled $(duration "$cancel")" "" "goal <= $(duration "$goal")" "$(met "$net <= $goal")"
}

# The listings come by name, then key; their floor fetches the rows in that order too.
fetch_floor() { "$bin/veltrane-bench-floor" "$(db_conn accounts)" fetch "UserName, UserID"; }
page_listing() { listing "$(db_conn accounts)" spare1; }

figure_listing_time() {
  local floor time rows
  alternate "$LISTING_RUNS" fetch_floor page_listing
  floor=$(median_in fetch_floor 1)
  time=$(median_in page_listing 1)
  rows=$(median_in page_listing 2)
  report "Users page lists $(grouped "$rows") accounts" "$(duration "$time")" "floor $(duration "$floor") raw fetch" \
    "$(ratio "$time" "$floor")" "goal <= 1.5x floor" "$(met "$time <= 1.5 * $floor")"
}

# The Users page of the terminal backend on an 80x24 pseudo-terminal, against switching to it on
# the scripted backend: the key that switches until the next key is answered, then each key of
# a user's session on the filled page (list, tabs, a dialog's fields).
scripted_switch() { bench_program veltrane-bench-terminal --scripted "$(db_conn accounts)"; }
terminal_keys() { bench_program veltrane-bench-terminal "$(db_conn accounts)"; }

figure_terminal() {
  local fill next worst median keys
  alternate "$LISTING_RUNS" scripted_switch terminal_keys
  fill=$(median_in scripted_switch 1)
  next=$(median_in terminal_keys 1)
  worst=$(largest_in terminal_keys 2)
  median=$(median_in terminal_keys 3)
  keys=$(median_in terminal_keys 4)
  report "terminal: Users tab until the next key" "$(duration "$next")" "scripted switch $(duration "$fill")" \
    "$(ratio "$next" "$fill")" "goal <= 1.5x scripted" "$(met "$next <= 1.5 * $fill")"
  report "terminal 80x24: slowest of $keys keys" "$(duration "$worst")" "median key $(duration "$median")" \
    "" "goal < 50 ms" "$(met "$worst < 0.050")"
}

# A connection string that names no streaming option, as data sources made before this version.
old_conn() { db_conn "$1" | sed -e 's/StepAPI=1;//; s/;UseDeclareFetch=1//; s/;Fetch=1000//'; }
# DATABASE: a registry store "old-DATABASE" that names the database by old_conn.
old_registry_for() {
  VELTRANE_REGISTRY_ROOT=$work/registry-$engine-old-$1 "$bin/veltrane-bench-model" "$(old_conn "$1")" register
}

# The Qt listing of the database $listed_db, and its floor: the raw fetch in the page's order.
qt_listing() { XDG_RUNTIME_DIR=$work/runtime QT_QPA_PLATFORM=offscreen listing --qt "$(old_conn "$listed_db")" spare1; }
ordered_fetch() { "$bin/veltrane-bench-floor" "$(db_conn "$listed_db")" fetch "UserName, UserID"; }

# DATABASE COMPARISON LIMIT-MIB: the peak RSS of listing every account, replayed by
# veltrane-control and on the Qt backend, from a data source that names no streaming option.
figure_listing_rss() {
  local out rows kib qt_time qt_rows qt_before qt_peak qt_first qt_turn floor
  old_registry_for "$1"
  replay "old-$1" "$work/login.script" >/dev/null  # the first log-in adds the built-in accounts
  rows=$(db_value "$1" "SELECT COUNT(*) FROM Users")
  out=$(replay "old-$1" "$(listing_script "$rows")")
  read -r _ kib <<<"$out"
  report "peak RSS, $(grouped "$rows") accounts listed (script)" "$(mib "$kib")" "cancelled run $(mib "$cancel_kib")" \
    "$(ratio "$kib" "$cancel_kib")" "goal $2 $3 MiB" "$(met "$kib / 1024 $2 $3")"
  listed_db=$1
  alternate "$QT_RUNS" ordered_fetch qt_listing
  qt_time=$(median_in qt_listing 1)
  qt_rows=$(median_in qt_listing 2)
  qt_before=$(median_in qt_listing 3)
  qt_peak=$(largest_in qt_listing 4)
  qt_first=$(median_in qt_listing 5)
  qt_turn=$(largest_in qt_listing 6)
  floor=$(median_in ordered_fetch 1)
  report "peak RSS, $(grouped "$qt_rows") accounts listed (Qt)" "$(mib "$qt_peak")" "before listing $(mib "$qt_before")" \
    "$(ratio "$qt_peak" "$qt_before")" "goal $2 $3 MiB" "$(met "$qt_peak / 1024 $2 $3")"
  report "Qt: first rows of $(grouped "$qt_rows")" "$(duration "$qt_first")" "full fill $(duration "$qt_time")" "" \
    "goal <= 100 ms" "$(met "$qt_first <= 0.100")"
  report "Qt: longest event-loop turn while filling" "$(duration "$qt_turn")" "" "" "goal <= 50 ms" \
    "$(met "$qt_turn <= 0.050")"
  report "Qt: full fill of $(grouped "$qt_rows")" "$(duration "$qt_time")" "floor $(duration "$floor") raw fetch" \
    "$(ratio "$qt_time" "$floor")" "goal <= 1.2x floor" "$(met "$qt_time <= 1.2 * $floor")"
}

# --- veltrane-admin, whole runs of the program: the administrator's password on its input.
admin_on() { VELTRANE_REGISTRY_ROOT=$work/registry-$engine-$1 "$admin" "${@:2}"; }
admin_listing() { admin_on accounts user list --json <<<brelk; }
fetch_process() { timed "$bin/veltrane-bench-floor" "$(db_conn accounts)" fetch "UserName, UserID"; }
# Export reads the accounts in key order.
fetch_by_key_process() { timed "$bin/veltrane-bench-floor" "$(db_conn accounts)" fetch UserID; }
admin_listing_run() { timed admin_listing; }

figure_admin_listing() {
  local floor time
  alternate "$LISTING_RUNS" fetch_process admin_listing_run
  floor=$(median_in fetch_process 1)
  time=$(median_in admin_listing_run 1)
  report "veltrane-admin user list --json (100,000)" "$(duration "$time")" "floor $(duration "$floor") raw fetch run" \
    "$(ratio "$time" "$floor")" "goal <= 1.5x floor" "$(met "$time <= 1.5 * $floor")"
}

# --- Filtered listings and the data source's own options, whole runs of veltrane-admin: the
# peak RSS of each listing against the unfiltered one, and --match against the same query in
# sqlite3 / psql (a whole process each).
MATCH_TEXT=user77-  # 100 accounts of 100,000, 1,000 of 1,000,000
match_sql() {
  local like="LIKE LOWER('%$MATCH_TEXT%') ESCAPE '!'"
  echo "SELECT * FROM Users WHERE (LOWER(UserName) $like OR LOWER(HomeDir) $like) ORDER BY UserName || '', UserID"
}
# DATABASE ARGUMENTS...: the peak RSS of veltrane-admin ARGUMENTS, in KiB.
admin_rss() {
  VELTRANE_REGISTRY_ROOT=$work/registry-$engine-$1 "$bin/veltrane-bench-run" "$admin" "${@:2}" <<<brelk 2>/dev/null |
    cut -d' ' -f2
}
match_admin() { timed admin_on "$1" user list --match "$MATCH_TEXT" --json <<<brelk; }
match_client() {
  if [ "$engine" = sqlite ]; then timed sqlite3 "$work/$1.db" "$(match_sql)"
  else timed env PGPASSWORD=veltrane-pw "$PG_BIN/psql" -X -A -t -h 127.0.0.1 -p "$PG_PORT" -U veltrane -d "$1" -c "$(match_sql)"; fi
}
match_admin_accounts() { match_admin "$match_db"; }
match_client_accounts() { match_client "$match_db"; }

# DATABASE: the filtered listings' peak RSS (goal <= 20 MiB) and the --match time (goal <= 1.5x).
figure_filtered_listings() {
  local all rows kib client admin_time
  registry_for "$1"
  all=$(admin_rss "$1" user list --json)
  rows=$(db_value "$1" "SELECT COUNT(*) FROM Users WHERE VirtualServerID IN
    (SELECT VServerID FROM VirtualServers s JOIN VirtualServerGroup g ON g.ID = s.VServerGroupID WHERE g.Name = 'host1')")
  kib=$(admin_rss "$1" user list --computer host1 --json)
  report "admin user list --computer ($(grouped "$rows")) RSS" "$(mib "$kib")" "unfiltered $(mib "$all")" \
    "$(ratio "$kib" "$all")" "goal <= 20 MiB" "$(met "$kib / 1024 <= 20")"
  kib=$(admin_rss "$1" user list --match "$MATCH_TEXT" --json)
  report "admin user list --match RSS" "$(mib "$kib")" "unfiltered $(mib "$all")" \
    "$(ratio "$kib" "$all")" "goal <= 20 MiB" "$(met "$kib / 1024 <= 20")"
  match_db=$1
  alternate "$LISTING_RUNS" match_client_accounts match_admin_accounts
  client=$(median_in match_client_accounts 1)
  admin_time=$(median_in match_admin_accounts 1)
  report "admin user list --match ($(grouped "$(db_value "$1" "SELECT COUNT(*) FROM Users")"))" \
    "$(duration "$admin_time")" "$([ "$engine" = sqlite ] && echo sqlite3 || echo psql) $(duration "$client")" \
    "$(ratio "$admin_time" "$client")" "goal <= 1.5x" "$(met "$admin_time <= 1.5 * $client")"
  kib=$(admin_rss "old-$1" user list --json)
  report "admin user list, source without streaming" "$(mib "$kib")" "streaming source $(mib "$all")" \
    "$(ratio "$kib" "$all")" "goal about 1x (<= 1.2x)" "$(met "$kib <= 1.2 * $all")"
}

admin_added=0
# DATABASE: adds one account on the first computer's first virtual server, as a script would.
admin_add() {
  admin_added=$((admin_added + 1))
  admin_on "$1" user add "cli$admin_added" --vserver 10.1.0.1 --home /srv/ftp/cli <<<$'brelk\npw'
}
admin_add_many() { timed admin_add added; }
admin_add_none() { timed admin_add empty; }

# LABEL MANY NONE: adding accounts to 100,000 (the runs MANY) against adding them to none.
figure_same_cost() {
  local many none
  alternate "$ADD_ROUNDS" "$2" "$3"
  many=$(median_in "$2" 1)
  none=$(median_in "$3" 1)
  report "$1" "$(duration "$many")" "with none $(duration "$none")" \
    "$(ratio "$many" "$none")" "goal about 1x (<= 1.5x)" "$(met "$many <= 1.5 * $none")"
}

figure_admin_add() {
  registry_for added
  registry_for empty
  figure_same_cost "veltrane-admin user add (100,000 users)" admin_add_many admin_add_none
}

add_to_many() { model "$(db_conn added)" add-user "$ADDED_USERS"; }
add_to_none() { model "$(db_conn empty)" add-user "$ADDED_USERS"; }
figure_add_user() { figure_same_cost "add one user (100,000 users)" add_to_many add_to_none; }

# The rows of each table, the built-in accounts aside (the model's session adds them when it
# connects; the floor's connection does not).
table_counts() {
  db_value "$1" "SELECT (SELECT COUNT(*) FROM Users WHERE VirtualServerID <> -1) || ' ' ||
    (SELECT COUNT(*) FROM Preferences) || ' ' || (SELECT COUNT(*) FROM VirtualServers) || ' ' ||
    (SELECT COUNT(*) FROM VirtualServerGroup)"
}

copy=0  # the fresh copies the next delete runs take, model$copy and floor$copy
doomed=0 crowded=0 server=0
model_deletes() {
  copy=$((copy + 1))
  echo "$(model "$(db_conn "model$copy")" delete-computer "$doomed")" \
    "$(model "$(db_conn "model$copy")" delete-server "$crowded" "$server")"
}
floor_deletes() {
  echo "$("$bin/veltrane-bench-floor" "$(db_conn "floor$copy")" delete computer "$doomed")" \
    "$("$bin/veltrane-bench-floor" "$(db_conn "floor$copy")" delete server "$server")"
  if [ "$(table_counts "model$copy")" != "$(table_counts "floor$copy")" ]; then
    echo "bench: rows left after the model's deletes: $(table_counts "model$copy");" \
      "after the plain ones: $(table_counts "floor$copy")" >&2
  fi
}

figure_deletes() {
  local goal model_c floor_c model_s floor_s
  goal=$([ "$engine" = sqlite ] && echo 2 || echo 5)
  doomed=$(db_value deletable "SELECT ID FROM VirtualServerGroup WHERE Name = 'doomed1'")
  crowded=$(db_value deletable "SELECT ID FROM VirtualServerGroup WHERE Name = 'crowded1'")
  server=$(db_value deletable "SELECT VServerID FROM VirtualServers WHERE VServerGroupID = $crowded")
  copy=0
  alternate "$DELETE_RUNS" model_deletes floor_deletes
  model_c=$(median_in model_deletes 1)
  floor_c=$(median_in floor_deletes 1)
  model_s=$(median_in model_deletes 2)
  floor_s=$(median_in floor_deletes 2)
  report "delete computer (100 vservers, 10,000 users)" "$(duration "$model_c")" "floor $(duration "$floor_c")" \
    "$(ratio "$model_c" "$floor_c")" "goal <= $goal s and <= 20x floor" \
    "$(met "$model_c <= $goal && $model_c <= 20 * $floor_c")"
  report "delete vserver (1,000 users)" "$(duration "$model_s")" "floor $(duration "$floor_s")" \
    "$(ratio "$model_s" "$floor_s")" "informational" -
}

# --- Export and import of the whole configuration (100,000 accounts, 1,000 servers, 8,000
# preference rows), whole runs of veltrane-admin.
admin_export() {  # prints the seconds and the peak RSS in KiB
  VELTRANE_REGISTRY_ROOT=$work/registry-$engine-accounts "$bin/veltrane-bench-run" "$admin" export <<<brelk 2>/dev/null
}

figure_export() {
  local floor time kib
  alternate "$LISTING_RUNS" fetch_by_key_process admin_export
  floor=$(median_in fetch_by_key_process 1)
  time=$(median_in admin_export 1)
  kib=$(largest_in admin_export 2)
  report "veltrane-admin export (100,000 accounts)" "$(duration "$time")" "floor $(duration "$floor") raw fetch run" \
    "$(ratio "$time" "$floor")" "goal <= 1.5x floor" "$(met "$time <= 1.5 * $floor")"
  report "peak RSS of that export" "$(mib "$kib")" "" "" "goal <= 20 MiB" "$(met "$kib <= 20 * 1024")"
}

# TABLE-AND-COLUMNS: the parenthesised rows of standard input as INSERTs of 1,000 rows each.
rows_insert() {
  awk -v head="INSERT INTO $1 VALUES " \
    'NR % 1000 == 1 { if (NR > 1) print ";"; printf "%s%s", head, $0; next } { printf ",%s", $0 } END { if (NR) print ";" }'
}

# The floor of the import: the same rows (keys as they were, nothing to look up or remap) as
# plain multi-row INSERTs in one transaction, run by sqlite3 or psql.
write_floor_sql() {
  {
    echo "BEGIN;"
    db_value accounts "SELECT '(''' || Name || ''', '''')' FROM VirtualServerGroup" |
      rows_insert "VirtualServerGroup (Name, CurrentSite)"
    db_value accounts "SELECT '(''' || VServerIPAddr || ''', ''' || VServerDesc || ''', ' || VServerGroupID || ')'
      FROM VirtualServers" | rows_insert "VirtualServers (VServerIPAddr, VServerDesc, VServerGroupID)"
    db_value accounts "SELECT '(''' || Description || ''', ''' || Settings || ''', ' || VirtualServerID || ')'
      FROM Preferences" | rows_insert "Preferences (Description, Settings, VirtualServerID)"
    db_value accounts "SELECT '(''' || UserName || ''', ''' || Password || ''', ''' || HomeDir || ''', ' ||
      Permissions || ', ' || VirtualServerID || ', 0, ' || DiskQuota || ')' FROM Users" |
      rows_insert "Users (UserName, Password, HomeDir, Permissions, VirtualServerID, Flag, DiskQuota)"
    echo "COMMIT;"
  } >"$work/floor-$engine.sql"
}

import_copy=0  # the fresh databases the next runs take, import$import_copy and bulk$import_copy
import_run() {
  import_copy=$((import_copy + 1))
  VELTRANE_REGISTRY_ROOT=$work/registry-$engine-import$import_copy \
    timed "$admin" -q import --replace "$work/export-$engine.json" <<<brelk
}
bulk_run() {
  timed db_sql "bulk$import_copy" <"$work/floor-$engine.sql"
  if [ "$(table_counts "import$import_copy")" != "$(table_counts "bulk$import_copy")" ]; then
    echo "bench: rows after the import: $(table_counts "import$import_copy");" \
      "after the bulk INSERT: $(table_counts "bulk$import_copy")" >&2
  fi
}

figure_import() {
  local goal floor time
  goal=$([ "$engine" = sqlite ] && echo 10 || echo 20)
  admin_on accounts export <<<brelk >"$work/export-$engine.json"
  write_floor_sql
  for i in $(seq "$IMPORT_RUNS"); do
    db_create "import$i"
    db_create "bulk$i"
    registry_for "import$i"
  done
  import_copy=0
  alternate "$IMPORT_RUNS" import_run bulk_run
  time=$(median_in import_run 1)
  floor=$(median_in bulk_run 1)
  report "veltrane-admin import (100,000 accounts)" "$(duration "$time")" "floor $(duration "$floor") bulk INSERT" \
    "$(ratio "$time" "$floor")" "goal <= $goal s and <= 3x floor" "$(met "$time <= $goal && $time <= 3 * $floor")"
}

run_engine() {
  if [ "$engine" = postgresql ]; then pg_start; fi
  make_data
  figure_login
  figure_listing_time
  figure_terminal
  figure_listing_rss accounts "<=" 100
  if [ "$million" = 1 ]; then
    db_create million
    add_computers million host 10 100 1000
    add_computers million spare 1 0 0
    db_finish million
    figure_listing_rss million "<=" 150
  fi
  figure_add_user
  figure_admin_listing
  figure_filtered_listings accounts
  if [ "$million" = 1 ]; then figure_filtered_listings million; fi
  figure_admin_add
  figure_export
  figure_import
  figure_deletes
  if [ "$engine" = postgresql ]; then pg_stop; fi
}

mkdir -m 700 "$work/runtime"
write_scripts
for engine in "${engines[@]}"; do run_engine; done
