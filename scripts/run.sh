#!/usr/bin/env bash
# Sets everything up, builds, makes the embedded default configuration on its first run and
# opens the Control Panel stand-in on it. Arguments are passed on to veltrane-control, e.g.
#   bash scripts/run.sh --ui-script FILE     replays a UI script without a display
#   bash scripts/run.sh --terminal           opens the applet in this text terminal (over SSH too)
#   bash scripts/run.sh --list               lists the applet
# The embedded default is described in scripts/embedded-default.sh.
set -euo pipefail
# The caller's folder stays current, so that file arguments are taken from where they were given.
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/embedded-default.sh"
embedded_default "$root" veltrane-control veltrane-admin
exec "$root/build/bin/veltrane-control" "$@"
