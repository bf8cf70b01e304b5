# Sourced by the scripts: a private odbcinst.ini naming the two drivers the project uses,
# without the psqlODBC communication log that Debian's copy turns on (it would leave a
# /tmp/psqlodbc_*.log behind every process).
odbc_private_config() {
  local dir=$1
  mkdir -p "$dir"
  cat >"$dir/odbcinst.ini" <<INI
[SQLite3]
Description=SQLite3 ODBC Driver
Driver=libsqlite3odbc.so
Setup=libsqlite3odbc.so

[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode version)
Driver=psqlodbcw.so
Setup=libodbcpsqlS.so
Debug=0
CommLog=0
INI
  export ODBCSYSINI=$dir
}
