# Sourced by scripts/test.sh: a throwaway PostgreSQL cluster on loopback, without systemd.
# pg_start exports VELTRANE_TEST_PG, the ODBC connection string of an empty database that the
# role veltrane owns (the role may create further databases, one per test program), and
# VELTRANE_PG_STOP / VELTRANE_PG_START, shell commands that stop and restart the server;
# pg_stop stops the cluster and removes its folder.

PG_BIN=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
# The loopback address the server listens on; a run that takes its server down and up again
# (scripts/chaos.sh) chooses one of its own, so that no other cluster can take its place.
PG_HOST=${VELTRANE_PG_HOST:-127.0.0.1}

# The first port from 54329 on that nothing listens on, so that several runs can share a machine.
pg_free_port() {
  local port=${VELTRANE_PG_PORT:-54329}
  while (exec 3<>"/dev/tcp/$PG_HOST/$port") 2>/dev/null; do port=$((port + 1)); done
  echo "$port"
}

pg_start() {
  PG_PORT=$(pg_free_port)
  PG_DIR=$(mktemp -d /tmp/veltrane-pg.XXXXXX)
  chmod 755 "$PG_DIR"
  chown postgres: "$PG_DIR"
  echo initdb-pw >"$PG_DIR/.pw"
  chown postgres "$PG_DIR/.pw"
  runuser -u postgres -- "$PG_BIN/initdb" -D "$PG_DIR/data" -U postgres -A scram-sha-256 \
    --pwfile="$PG_DIR/.pw" -E UTF8 --locale=C.UTF-8 >"$PG_DIR/initdb.log"
  # Tests that take the server away and bring it back run these two commands.
  export VELTRANE_PG_STOP="runuser -u postgres -- $PG_BIN/pg_ctl -D $PG_DIR/data -m fast -w stop"
  export VELTRANE_PG_START="runuser -u postgres -- $PG_BIN/pg_ctl -D $PG_DIR/data -l $PG_DIR/server.log -w -t 30 -o '-p $PG_PORT -k $PG_DIR -c listen_addresses=$PG_HOST -c fsync=off -c max_connections=200' start"
  eval "$VELTRANE_PG_START" >/dev/null
  PGPASSWORD=initdb-pw "$PG_BIN/psql" -q -h "$PG_HOST" -p "$PG_PORT" -U postgres \
    -c "CREATE ROLE veltrane LOGIN CREATEDB PASSWORD 'veltrane-pw'" \
    -c "CREATE DATABASE veltrane OWNER veltrane" >/dev/null
  export VELTRANE_TEST_PG="Driver={PostgreSQL Unicode};Server=$PG_HOST;Port=$PG_PORT;Database=veltrane;Uid=veltrane;Pwd=veltrane-pw;UseDeclareFetch=1;Fetch=1000"
}

pg_stop() {
  [ -n "${PG_DIR:-}" ] || return 0
  runuser -u postgres -- "$PG_BIN/pg_ctl" -D "$PG_DIR/data" -m immediate -w stop >/dev/null 2>&1 || true
  rm -rf "$PG_DIR"
  PG_DIR=
}
