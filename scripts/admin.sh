#!/usr/bin/env bash
# Runs veltrane-admin on the same embedded default configuration that scripts/run.sh opens,
# building it first if needed. Arguments go to veltrane-admin, e.g.
#   bash scripts/admin.sh check
#   printf 'brelk\n' | bash scripts/admin.sh user list
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/embedded-default.sh"
embedded_default "$root" veltrane-admin >&2
exec "$root/build/bin/veltrane-admin" "$@"
