#!/usr/bin/python3
"""Prints the accessible objects of the running application named APP, as a screen reader
sees them over AT-SPI: one JSON object a line with its role, name and description.

/usr/bin/python3 tests/framework/atspi_tree.py APP
Exits 2 when the accessibility bus cannot be reached, 3 when no such application is on it.
"""

import json
import sys
import time

try:
    import pyatspi
except ImportError as error:
    print(f"no pyatspi: {error}", file=sys.stderr)
    sys.exit(2)


def walk(node, depth=0):
    if node is None or depth > 50:
        return
    print(json.dumps({"role": node.getRoleName(), "name": node.name, "description": node.description}))
    for child in node:
        walk(child, depth + 1)


def find_application(name):
    """The application, once it has registered (it does so shortly after the bus starts)."""
    for _ in range(100):
        apps = [app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == name]
        if apps:
            return apps
        time.sleep(0.1)
    return []


def main():
    try:
        apps = find_application(sys.argv[1])
    except Exception as error:  # the bus or the registry is not there
        print(f"no accessibility bus: {error}", file=sys.stderr)
        sys.exit(2)
    if not apps:
        print(f"no application {sys.argv[1]} on the accessibility bus", file=sys.stderr)
        sys.exit(3)
    walk(apps[0])


main()
