#!/usr/bin/env bash
# Sets everything up, checks the C++ layout, builds, and runs every test on SQLite and on a
# throwaway PostgreSQL.
#   --sanitize   build in build-asan with AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
cmake_args=(-DCMAKE_BUILD_TYPE=Debug)
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  cmake_args+=(-DVELTRANE_SANITIZE=ON)
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

bash scripts/setup.sh
bash scripts/format.sh --check
cmake -S . -B "$build" -G Ninja "${cmake_args[@]}" >/dev/null
cmake --build "$build"

. scripts/odbc-private.sh
odbc_private_config "$PWD/$build/odbc"
. scripts/pg-throwaway.sh
trap pg_stop EXIT
pg_start

ctest --test-dir "$build" --output-on-failure -j2

# The short chaos run (a few hundred client runs, a few server crashes; about a minute and a half).
VELTRANE_BUILD="$build" bash scripts/chaos.sh --ops 200 --seed 1
