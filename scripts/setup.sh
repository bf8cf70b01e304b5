#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: when everything is already installed it only checks and returns.
# Package names given as arguments are installed too (scripts/package.sh's tools).
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev
  unixodbc unixodbc-dev odbcinst libsqliteodbc odbc-postgresql
  sqlite3 postgresql python3
  qt6-base-dev libgl-dev fonts-dejavu-core
  libsystemd-dev dbus python3-dbusmock
  xvfb xauth x11-utils at-spi2-core python3-pyatspi
  libncurses-dev tmux
  clang-format
  "$@"
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
