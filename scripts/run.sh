#!/usr/bin/env bash
# Sets everything up, builds, makes the embedded default configuration on its first run and
# opens the Control Panel stand-in on it. Arguments are passed on to veltrane-control, e.g.
#   bash scripts/run.sh --ui-script FILE     replays a UI script without a display
#   bash scripts/run.sh --list               lists the applet
#
# The embedded default lives in one per-user folder, ${XDG_DATA_HOME:-$HOME/.local/share}/veltrane:
#   veltrane.db     the SQLite configuration database, made from schema/sqlite.sql
#   odbcinst.ini    the ODBC drivers (ODBCSYSINI names this folder)
#   odbc.ini        the data source "Veltrane" on veltrane.db (ODBCINI names this file)
#   registry/       the registry store (VELTRANE_REGISTRY_ROOT)
# The database, the data source and the registry are kept once made, so the configuration
# survives from one run to the next.
set -euo pipefail
# The caller's folder stays current, so that file arguments are taken from where they were given.
root=$(cd "$(dirname "$0")/.." && pwd)

bash "$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$root/build" --target veltrane-control

home=${XDG_DATA_HOME:-$HOME/.local/share}/veltrane
mkdir -p "$home/registry"
chmod 700 "$home"

database=$home/veltrane.db
if [ ! -e "$database" ]; then
  # Made aside and moved into place, so an interrupted run leaves no half-made database.
  sqlite3 "$database.new" <"$root/schema/sqlite.sql"
  mv "$database.new" "$database"
  echo "run: made the configuration database $database"
fi

. "$root/scripts/odbc-private.sh"
odbc_private_config "$home"
if [ ! -e "$home/odbc.ini" ]; then
  cat >"$home/odbc.ini" <<INI
[Veltrane]
Description=Veltrane configuration (embedded default)
Driver=SQLite3
Database=$database
Timeout=5000
StepAPI=1
INI
fi
export ODBCINI=$home/odbc.ini
export VELTRANE_REGISTRY_ROOT=$home/registry

exec "$root/build/bin/veltrane-control" "$@"
