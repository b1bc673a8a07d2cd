#!/usr/bin/env python3
"""Checks that each source folder includes only folders on a lower floor.

The floors, from the top: app/ > assign/ > mainwnd/ > skin/ > storage/ >
layout/ > device/, tray/, engine/ > res/ > win/. Folders on one floor do not
include each other. Prints every include that runs sideways or back up and
exits 1 when there is one."""
import os
import re
import sys

FLOORS = [["app"], ["assign"], ["mainwnd"], ["skin"], ["storage"], ["layout"],
          ["device", "tray", "engine"], ["res"], ["win"]]
LEVEL = {d: len(FLOORS) - i for i, floor in enumerate(FLOORS) for d in floor}
INCLUDE = re.compile(r'\s*#\s*include\s+"([A-Za-z_]+)/')


def upward_includes(root):
    for folder in LEVEL:
        path = os.path.join(root, folder)
        if not os.path.isdir(path):
            continue
        for name in sorted(os.listdir(path)):
            if not re.search(r"\.(h|cpp|rc)$", name):
                continue
            with open(os.path.join(path, name), encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if not m or m.group(1) == folder or m.group(1) not in LEVEL:
                        continue
                    if LEVEL[m.group(1)] >= LEVEL[folder]:
                        yield f"{folder}/{name}:{number}: {line.strip()}"


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..")
    bad = list(upward_includes(root))
    for line in bad:
        print(f"include against the floors: {line}")
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
