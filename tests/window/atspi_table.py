#!/usr/bin/python3
"""Reads the accessible tree of a running Varnok window from outside the
process, over the AT-SPI accessibility bus, as a screen reader would.

Usage: atspi_table.py PID
Prints a JSON list of every object under the application of process PID:
role, name, description, whether it is enabled and how deep it lies.
Exits 2 when the application is not on the bus within 20 seconds.
"""
import json
import sys
import time

import pyatspi


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is None:
            continue
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away meanwhile
            continue
    return None


def walk(node, depth, out):
    if node is None or depth > 12:
        return
    states = node.getState()
    out.append({
        "role": node.getRoleName(),
        "name": node.name or "",
        "description": node.description or "",
        "enabled": states.contains(pyatspi.STATE_ENABLED),
        "depth": depth,
    })
    for i in range(node.childCount):
        walk(node.getChildAtIndex(i), depth + 1, out)


def main():
    pid = int(sys.argv[1])
    deadline = time.time() + 20
    app = application(pid)
    while app is None and time.time() < deadline:
        time.sleep(0.2)
        app = application(pid)
    if app is None:
        print("no application of process %d on the accessibility bus" % pid, file=sys.stderr)
        return 2
    out = []
    walk(app, 0, out)
    json.dump(out, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
