# Sourced by run.sh and admin.sh: builds the programs they run, and sets up the embedded default
# configuration in one per-user folder, ${XDG_DATA_HOME:-$HOME/.local/share}/veltrane:
#   veltrane.db     the SQLite configuration database (made by veltrane-admin init)
#   odbcinst.ini    the ODBC drivers (ODBCSYSINI names this folder)
#   registry/       the registry store (VELTRANE_REGISTRY_ROOT), with the connection string
# Once made it is kept, so the configuration survives from one run to the next.
embedded_default() {
  local root=$1
  shift
  bash "$root/scripts/setup.sh"
  cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
  cmake --build "$root/build" --target "$@"

  home=${XDG_DATA_HOME:-$HOME/.local/share}/veltrane
  mkdir -p "$home/registry"
  chmod 700 "$home"
  . "$root/scripts/odbc-private.sh"
  odbc_private_config "$home"
  export VELTRANE_REGISTRY_ROOT=$home/registry
  # A folder made by an earlier version names its database through a data source.
  if [ -s "$home/odbc.ini" ]; then export ODBCINI=$home/odbc.ini; fi
  if [ ! -e "$home/registry/HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/=ConnectionString" ]; then
    "$root/build/bin/veltrane-admin" init
  fi
}
