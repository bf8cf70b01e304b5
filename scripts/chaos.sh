#!/usr/bin/env bash
# The configuration and its session lock under chaos: several workers do real operations
# through veltrane-admin and the sheet's UI scripts, all on one database, while clients are
# killed (SIGKILL and SIGTERM) and, on PostgreSQL, the server is crashed (immediate stop or
# SIGKILL of the postmaster) and restarted, at seeded random moments.
#
#   bash scripts/chaos.sh [--ops N] [--seed S] [--engine postgresql|sqlite|both] [--workers W]
#
# N operations per engine (default 200), W workers (default 3). Needs the build (build/, or
# the folder VELTRANE_BUILD names). Every few seconds the workers pause at a check point, with
# no client alive: the session lock must not stay stuck (a log-in succeeds, taking over a lock
# whose holder is gone). At the end: every change reported done is there, every delete
# reported done removed its rows, and a change that lost its connection (status 4) changed
# nothing; nothing failed or killed left a partial change (no row refers to a missing one);
# no duplicate names or built-in accounts; every row a client added was written while the
# lock named that client as its holder (never two holders at once); no operation ran over
# 60 seconds. Prints the figures; exits 1 when any of these failed.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

ops=200 seed=1 engine=both workers=3
while [ $# -gt 0 ]; do
  case $1 in
    --ops) ops=$2 ;;
    --seed) seed=$2 ;;
    --engine) engine=$2 ;;
    --workers) workers=$2 ;;
    *) echo "usage: chaos.sh [--ops N] [--seed S] [--engine postgresql|sqlite|both] [--workers W]" >&2; exit 2 ;;
  esac
  shift 2
done
case $engine in postgresql | sqlite | both) ;; *) echo "chaos.sh: unknown engine $engine" >&2; exit 2 ;; esac

build=$root/${VELTRANE_BUILD:-build}
admin=$build/bin/veltrane-admin
control=$build/bin/veltrane-control
[ -x "$admin" ] && [ -x "$control" ] || { echo "chaos.sh: build first (cmake --build build)" >&2; exit 2; }
. scripts/odbc-private.sh
. scripts/pg-throwaway.sh

kill_percent=15          # of client runs, killed 0 to 300 ms after they start (two of three with SIGKILL)
checkpoint_seconds=8     # between two check points
hang_ms=60000            # an operation longer than this counts as hung
host=$(hostname)

# Waits without starting a process (a read on a FIFO that never gets data).
pause_for() { read -r -t "$1" -u 8 || true; }
now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# ---- the database ---------------------------------------------------------------------------

q() {
  if [ "$db_engine" = postgresql ]; then
    PGPASSWORD=veltrane-pw PGCONNECT_TIMEOUT=5 "$PG_BIN/psql" -qAtX -h 127.0.0.1 -p "$PG_PORT" -U veltrane veltrane -c "$1"
  else
    sqlite3 -cmd '.timeout 10000' "$work/veltrane.db" "$1"
  fi
}

# Waits until the database answers (a restarted PostgreSQL may still be recovering).
q_ready() {
  local tries
  for tries in $(seq 120); do q "SELECT 1" >/dev/null 2>&1 && return 0; pause_for 0.5; done
  return 1
}

# Records who held the lock when each row was added: two holders at once would show as a row
# added by a client that the lock did not name.
install_audit() {
  local holder="(SELECT Holder FROM SessionLocks WHERE UserID = (SELECT UserID FROM Users WHERE UserName = 'admin'))"
  q "CREATE TABLE ChaosAudit (Name VARCHAR(255), Holder VARCHAR(255))" >/dev/null
  if [ "$db_engine" = postgresql ]; then
    q "CREATE FUNCTION chaos_audit() RETURNS trigger AS \$\$ BEGIN
         INSERT INTO ChaosAudit VALUES (to_jsonb(NEW) ->> TG_ARGV[0], $holder); RETURN NEW; END \$\$ LANGUAGE plpgsql" >/dev/null
    q "CREATE TRIGGER chaos_c AFTER INSERT ON VirtualServerGroup FOR EACH ROW EXECUTE FUNCTION chaos_audit('name')" >/dev/null
    q "CREATE TRIGGER chaos_v AFTER INSERT ON VirtualServers FOR EACH ROW EXECUTE FUNCTION chaos_audit('vserveripaddr')" >/dev/null
    q "CREATE TRIGGER chaos_u AFTER INSERT ON Users FOR EACH ROW EXECUTE FUNCTION chaos_audit('username')" >/dev/null
  else
    q "CREATE TRIGGER chaos_c AFTER INSERT ON VirtualServerGroup BEGIN INSERT INTO ChaosAudit VALUES (NEW.Name, $holder); END;
       CREATE TRIGGER chaos_v AFTER INSERT ON VirtualServers BEGIN INSERT INTO ChaosAudit VALUES (NEW.VServerIPAddr, $holder); END;
       CREATE TRIGGER chaos_u AFTER INSERT ON Users BEGIN INSERT INTO ChaosAudit VALUES (NEW.UserName, $holder); END;" >/dev/null
  fi
}

# ---- one client run -------------------------------------------------------------------------

# Runs a client with INPUT on its standard input, maybe killing it at a random moment. Sets
# status (128 + signal when killed), killed (KILL, TERM or empty), client_pid and elapsed_ms;
# its output is in $work/out.$w and $work/err.$w.
client() {
  local input=$1 kill_at=-1 signal= state t0
  shift
  "$@" <<<"$input" >"$work/out.$w" 2>"$work/err.$w" &
  client_pid=$! killed= t0=$(now_ms)
  if ((RANDOM % 100 < kill_percent)); then
    kill_at=$((RANDOM % 300))
    signal=$( ((RANDOM % 3 == 0)) && echo TERM || echo KILL)
  fi
  while :; do
    read -r _ _ state _ 2>/dev/null <"/proc/$client_pid/stat" || break
    [ "$state" = Z ] && break
    elapsed_ms=$(($(now_ms) - t0))
    if ((kill_at >= 0 && elapsed_ms >= kill_at)); then
      kill -s "$signal" "$client_pid" 2>/dev/null && killed=$signal
      kill_at=-1
    fi
    ((elapsed_ms > 2 * hang_ms)) && kill -s KILL "$client_pid" 2>/dev/null
    pause_for 0.01
  done
  wait "$client_pid" 2>/dev/null
  status=$?
  elapsed_ms=$(($(now_ms) - t0))
}

# Runs one operation until it is neither refused for the lock nor unable to connect (for at
# most 60 s). Logs "op KIND NAME PID OUTCOME MS [SIGNAL]" per run; sets outcome: done, killed,
# refused, lost (the connection went, nothing changed), failed, or after 60 s locked or
# unreachable.
operation() {
  local kind=$1 name=$2 input=$3 started
  shift 3
  started=$(now_ms)
  while :; do
    client "$input" "$@"
    grep -h "took over the session lock" "$work/err.$w" >>"$work/takeovers" 2>/dev/null
    if [ -n "$killed" ]; then outcome=killed
    elif [ "$status" = 0 ]; then outcome=done
    elif grep -q "Database Access is locked" "$work/err.$w"; then outcome=locked
    elif grep -q "unable to connect to the database" "$work/err.$w"; then outcome=unreachable
    elif [ "$status" = 4 ]; then outcome=lost  # veltrane-admin: the connection was lost, nothing was changed
    elif [ "$status" = 1 ] && ! grep -qi "error\|connect\|database\|lost\|taken over" "$work/err.$w"; then outcome=refused
    else outcome=failed
    fi
    echo "op $kind $name $client_pid $outcome $elapsed_ms ${killed:-}" >>"$work/log.$w"
    { echo "== op $kind $name $client_pid $outcome status $status"; cat "$work/out.$w" "$work/err.$w"; } >>"$work/transcript.$w"
    [ "$outcome" = failed ] && tr '\n' ' ' <"$work/err.$w" | cut -c1-300 >>"$work/failures" && echo >>"$work/failures"
    # Refused for the lock, or the database was down before anything ran: again, for up to 60 s.
    [ "$outcome" = locked ] || [ "$outcome" = unreachable ] || break
    (($(now_ms) - started < 60000)) || break
    if [ "$outcome" = locked ]; then pause_for "0.0$((RANDOM % 9 + 1))"; else pause_for "0.$((RANDOM % 4 + 1))"; fi
  done
}

# ---- the workers ----------------------------------------------------------------------------

wait_while_paused() {
  [ -e "$work/pause" ] || return 0
  : >"$work/paused.$1"
  while [ -e "$work/pause" ]; do pause_for 0.05; done
  rm -f "$work/paused.$1"
}

# Removes NAME from the array named ARRAY.
without() {
  local -n list=$2
  local kept=() item
  for item in "${list[@]}"; do [ "$item" = "$1" ] || kept+=("$item"); done
  list=("${kept[@]}")
}

# Each worker changes only its own computers, virtual servers and accounts, so that what is
# expected of each is known; the lock makes them wait for one another.
worker() {
  w=$1
  local count=$2 k name computer address choice
  local -a computers=() addresses=()
  local -A serverOf=() usersOf=()
  RANDOM=$((seed * 100 + w))
  exec 8<>"$work/tick"
  for ((k = 0; k < count; k++)); do
    wait_while_paused "w$w"
    choice=$((RANDOM % 100))
    ((${#computers[@]} == 0)) && choice=0
    if ((choice < 35)); then
      name="c-$w-$k"
      operation computer "$name" brelk "$admin" computer add "$name"
      [ "$outcome" = done ] && computers+=("$name") && echo "expect present computer $name" >>"$work/ledger.$w"
      [ "$outcome" = killed ] || [ "$outcome" = failed ] && echo "expect unknown computer $name" >>"$work/ledger.$w"
      [ "$outcome" = lost ] && echo "expect absent computer $name" >>"$work/ledger.$w"
    elif ((choice < 55)); then
      computer=${computers[RANDOM % ${#computers[@]}]}
      address="10.$w.$((k / 250)).$((k % 250))"
      operation vserver "$address" brelk "$admin" vserver add "$address" --computer "$computer"
      if [ "$outcome" = done ]; then
        addresses+=("$address") serverOf[$computer]+=" $address"
        echo "expect present vserver $address" >>"$work/ledger.$w"
      fi
      [ "$outcome" = lost ] && echo "expect absent vserver $address" >>"$work/ledger.$w"
    elif ((choice < 75)); then
      ((${#addresses[@]} == 0)) && continue
      address=${addresses[RANDOM % ${#addresses[@]}]}
      name="u-$w-$k"
      operation user "$name" $'brelk\npw-'"$k" "$admin" user add "$name" --vserver "$address" --home "/srv/$name"
      [ "$outcome" = done ] && usersOf[$address]+=" $name" && echo "expect present user $name" >>"$work/ledger.$w"
      [ "$outcome" = lost ] && echo "expect absent user $name" >>"$work/ledger.$w"
    elif ((choice < 85)); then
      computer=${computers[RANDOM % ${#computers[@]}]}
      operation delete "$computer" brelk "$admin" computer delete "$computer" --yes
      [ "$outcome" = refused ] || [ "$outcome" = lost ] && continue
      local state=absent
      [ "$outcome" = done ] || state=unknown
      [ "$outcome" = locked ] || [ "$outcome" = unreachable ] && continue
      echo "expect $state computer $computer" >>"$work/ledger.$w"
      for address in ${serverOf[$computer]:-}; do
        echo "expect $state vserver $address" >>"$work/ledger.$w"
        for name in ${usersOf[$address]:-}; do echo "expect $state user $name" >>"$work/ledger.$w"; done
        without "$address" addresses
      done
      without "$computer" computers
    else
      operation sheet "-" "" "$control" --ui-script "$work/sheet.txt"
    fi
  done
  : >"$work/finished.$w"
}

# ---- the server crasher (PostgreSQL) --------------------------------------------------------

crasher() {
  RANDOM=$((seed * 100 + 99))
  exec 8<>"$work/tick"
  local postmaster tries
  while [ ! -e "$work/stop" ]; do
    wait_while_paused crasher
    pause_for "$((RANDOM % 3)).$((RANDOM % 10 + 5))"
    [ -e "$work/stop" ] && break
    [ -e "$work/pause" ] && continue
    if ((RANDOM % 2)); then
      runuser -u postgres -- "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null 2>&1
      echo immediate >>"$work/crashes"
    else
      # Only this cluster's postmaster: a stale pid file may name a process that has its number now.
      postmaster=$(head -1 "$PG_DIR/data/postmaster.pid" 2>/dev/null)
      [ -n "$postmaster" ] && grep -qaF "$PG_DIR/data" "/proc/$postmaster/cmdline" 2>/dev/null &&
        kill -KILL "$postmaster" 2>/dev/null
      echo sigkill >>"$work/crashes"
    fi
    pause_for "$((RANDOM % 3)).$((RANDOM % 8 + 2))"
    # After a SIGKILL the old server processes may still hold shared memory for a moment.
    for tries in $(seq 60); do
      eval "$VELTRANE_PG_START" >/dev/null 2>&1 && break
      pause_for 0.5
    done
  done
}

# ---- check points and final checks ----------------------------------------------------------

violation() { echo "  VIOLATION: $*" | tee -a "$work/violations"; }

# With every worker paused and no client alive: a log-in must not be refused for the lock.
checkpoint() {
  checkpoints=$((checkpoints + 1))
  q_ready || { violation "the database did not come back"; return; }
  local flag
  flag=$(q "SELECT Flag FROM Users WHERE UserName = 'admin'" 2>/dev/null)
  [ "$flag" = 1 ] && left_set=$((left_set + 1))
  w=check
  kill_percent=0 client brelk "$admin" computer list
  grep -h "took over the session lock" "$work/err.check" >>"$work/takeovers"
  if grep -q "Database Access is locked" "$work/err.check"; then
    stuck=$((stuck + 1))
    violation "check point $checkpoints: the lock is stuck with no client alive ($(q 'SELECT * FROM SessionLocks'))"
  elif [ "$status" != 0 ]; then
    violation "check point $checkpoints: a log-in failed: $(head -c 300 "$work/err.check")"
  fi
}

pause_all() {
  : >"$work/pause"
  local expected=$1 tries
  for tries in $(seq 3600); do
    (($(ls "$work" | grep -c '^paused\.\|^finished\.') >= expected)) && return 0
    pause_for 0.05
  done
  violation "the workers did not pause within 180 s"
}

final_checks() {
  q_ready || { violation "the database did not come back"; return; }
  local -A present=()
  local kind name state
  while read -r name; do present[computer:$name]=1; done < <(q "SELECT Name FROM VirtualServerGroup")
  while read -r name; do present[vserver:$name]=1; done < <(q "SELECT VServerIPAddr FROM VirtualServers")
  while read -r name; do present[user:$name]=1; done < <(q "SELECT UserName FROM Users")
  local -A expected=()
  while read -r _ state kind name; do expected[$kind:$name]=$state; done < <(cat "$work"/ledger.* 2>/dev/null)
  for key in "${!expected[@]}"; do
    case ${expected[$key]} in
      present) [ -n "${present[$key]:-}" ] || violation "$key was reported done but is missing" ;;
      absent) [ -z "${present[$key]:-}" ] || violation "$key is there, though it was reported deleted or its change lost the connection (status 4)" ;;
    esac
  done
  local rows
  rows=$(q "SELECT COUNT(*) FROM VirtualServers WHERE VServerGroupID NOT IN (SELECT ID FROM VirtualServerGroup)")
  [ "$rows" = 0 ] || violation "$rows virtual servers of a missing computer"
  rows=$(q "SELECT COUNT(*) FROM Users WHERE VirtualServerID <> -1 AND VirtualServerID NOT IN (SELECT VServerID FROM VirtualServers)")
  [ "$rows" = 0 ] || violation "$rows accounts of a missing virtual server"
  rows=$(q "SELECT COUNT(*) FROM Preferences WHERE VirtualServerID NOT IN (SELECT VServerID FROM VirtualServers)")
  [ "$rows" = 0 ] || violation "$rows preference rows of a missing virtual server"
  rows=$(q "SELECT COUNT(*) FROM (SELECT Name FROM VirtualServerGroup GROUP BY Name HAVING COUNT(*) > 1) d")
  [ "$rows" = 0 ] || violation "$rows computer names twice"
  rows=$(q "SELECT COUNT(*) FROM (SELECT UserName FROM Users GROUP BY UserName HAVING COUNT(*) > 1) d")
  [ "$rows" = 0 ] || violation "$rows account names twice"
  rows=$(q "SELECT COUNT(*) FROM Users WHERE UserName IN ('admin', 'ftp')")
  [ "$rows" = 2 ] || violation "$rows built-in accounts instead of 2"
  # Two holders at once: a row added by a client that the lock did not name as its holder.
  local -A holderOf=()
  while read -r _ kind name pid _; do
    [ "$kind" = delete ] || [ "$kind" = sheet ] || holderOf[$name]=$host:$pid
  done < <(cat "$work"/log.[0-9]* 2>/dev/null)
  while IFS='|' read -r name holder; do
    [ -n "${holderOf[$name]:-}" ] || continue
    [ "$holder" = "${holderOf[$name]}" ] || {
      two_holders=$((two_holders + 1))
      violation "$name was added by ${holderOf[$name]} while the lock named ${holder:-nobody}"
    }
  done < <(q "SELECT Name, Holder FROM ChaosAudit")
}

# ---- one engine -----------------------------------------------------------------------------

run_engine() {
  db_engine=$1
  work=$(mktemp -d /tmp/veltrane-chaos.XXXXXX)
  chmod 755 "$work"
  mkfifo "$work/tick"
  exec 8<>"$work/tick"
  export VELTRANE_REGISTRY_ROOT=$work/registry
  odbc_private_config "$work/odbc"
  cat >"$work/sheet.txt" <<'SCRIPT'
expect-dialog IDD_LOG_IN
set IDC_PASSWORD "brelk"
click IDOK
expect-sheet "Veltrane Properties"
tab 1
tab 2
tab 0
close-sheet ok
SCRIPT
  if [ "$db_engine" = postgresql ]; then
    # Far from the ports other throwaway clusters start from: while this server is down its
    # port is free, and a cluster started meanwhile must not take it.
    VELTRANE_PG_PORT=${VELTRANE_PG_PORT:-56329} pg_start
    "$admin" init --connect "$VELTRANE_TEST_PG" >/dev/null
  else
    "$admin" init --sqlite "$work/veltrane.db" >/dev/null
  fi
  install_audit
  checkpoints=0 left_set=0 stuck=0 two_holders=0
  : >"$work/takeovers" >"$work/violations" >"$work/failures" >"$work/crashes"

  local started per_worker i running last_check
  started=$(now_ms)
  for ((i = 1; i <= workers; i++)); do
    per_worker=$((ops / workers + (i <= ops % workers ? 1 : 0)))
    worker "$i" "$per_worker" &
  done
  local expected_paused=$workers
  if [ "$db_engine" = postgresql ]; then
    crasher &
    expected_paused=$((workers + 1))
  fi
  last_check=$(now_ms)
  while (($(ls "$work" | grep -c '^finished\.') < workers)); do
    pause_for 0.2
    if (($(now_ms) - last_check >= checkpoint_seconds * 1000)); then
      pause_all "$expected_paused"
      checkpoint
      rm -f "$work/pause"
      last_check=$(now_ms)
    fi
  done
  : >"$work/stop"
  wait
  [ "$db_engine" = postgresql ] && { eval "$VELTRANE_PG_START" >/dev/null 2>&1 || true; }
  checkpoint
  final_checks
  report $(($(now_ms) - started))
  [ "$db_engine" = postgresql ] && pg_stop
  if [ -s "$work/violations" ]; then
    echo "  the run's folder is kept: $work (log.W, transcript.W and ledger.W of each worker)"
    return 1
  fi
  rm -rf "$work"
}

count() { cat "$work"/log.[0-9]* 2>/dev/null | grep -c "$1"; }

report() {
  local longest over
  longest=$(cat "$work"/log.[0-9]* | awk '{ if ($6 > m) m = $6 } END { print m + 0 }')
  over=$(cat "$work"/log.[0-9]* | awk -v h=$hang_ms '$6 > h' | wc -l)
  echo "chaos $db_engine, seed $seed: $ops operations by $workers workers in $(($1 / 1000)) s"
  echo "  client runs $(count '^op'): done $(count ' done '), refused for the lock $(count ' locked '), unable to connect $(count ' unreachable '), connection lost (nothing changed) $(count ' lost '), refused $(count ' refused '), failed $(count ' failed '), killed $(count ' killed ') (SIGKILL $(count ' killed [0-9]* KILL'), SIGTERM $(count ' killed [0-9]* TERM'))"
  echo "  server crashes: $(wc -l <"$work/crashes") (immediate stop $(grep -c immediate "$work/crashes"), SIGKILL $(grep -c sigkill "$work/crashes"))"
  echo "  take-overs of a dead holder's lock: $(wc -l <"$work/takeovers")"
  echo "  check points: $checkpoints; lock left set by a session that had ended: $left_set; stuck (a log-in refused with no client alive): $stuck"
  echo "  two holders at once: $two_holders"
  echo "  longest client run: $longest ms; over 60 s: $over"
  echo "  invariant violations: $(wc -l <"$work/violations")"
  ((over == 0)) || violation "$over client runs over 60 s"
  [ -s "$work/failures" ] && echo "  first failures: $(sort "$work/failures" | uniq -c | sort -rn | head -3 | cut -c1-200)"
}

result=0
[ "$engine" = sqlite ] || run_engine postgresql || result=1
[ "$engine" = postgresql ] || run_engine sqlite || result=1
exit $result
