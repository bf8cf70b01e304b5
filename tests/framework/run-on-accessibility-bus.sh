#!/usr/bin/env bash
# Runs a test program on a virtual X server with a session bus of its own, Qt's accessibility
# bridge on, so that a screen reader's view of its windows can be read over AT-SPI.
# Exits 77 (skipped) with the reason when something needed is missing.
set -euo pipefail
for tool in Xvfb xvfb-run dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (scripts/setup.sh)"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is not installed (scripts/setup.sh)"; exit 77; }
[ -e /usr/share/dbus-1/services/org.a11y.Bus.service ] || { echo "skipped: at-spi2-core is not installed"; exit 77; }
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
  env QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@"
