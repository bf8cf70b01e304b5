#!/usr/bin/env bash
# Sets everything up, builds, and opens the Control Panel stand-in. Arguments are passed on
# to veltrane-control; without any, it lists the applet.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build
host=build/bin/veltrane-control
if [ ! -x "$host" ]; then
  echo "run: the Control Panel stand-in is not built yet" >&2
  exit 1
fi
if [ $# -eq 0 ]; then
  set -- --list
fi
exec "$host" "$@"
