#!/usr/bin/python3
"""Drives a real Tarvex window as a person does (X clicks and keys at typing speed, widgets found
through the accessibility tree): opens a group, types over frequencies after clicking cells that
were already selected, types an alpha tag, saves with Ctrl+S. Prints what each cell shows; the
caller compares the saved file. Run by tools/walk/walk.sh."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_drive import *  # noqa: E402,F401,F403

time.sleep(5)
dismiss_alerts()
time.sleep(0.5)
app = [a for a in apps() if a.name == "Tarvex"][0]
item = wait_for(lambda a: a.getRoleName() in ("tree item", "table cell")
                and a.name == "Harbor County Fire/EMS", root=app, timeout=40)
click(item)
time.sleep(1.5)
tables = []
for _ in range(40):
    tables = [t for t in find_all(app, role_name("table"))
              if t.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width > 0]
    if tables:
        break
    time.sleep(0.5)
tab = tables[0].queryTable()


def cell(r, c):
    return tab.getAccessibleAt(r, c)


# Click the cell, click it again once it is the selected one, wait a little or a lot, type.
for row, wait in ((0, 0.1), (1, 1.0), (2, 0.45)):
    c = cell(row, 1)
    click(c)
    time.sleep(0.8)
    click(c)
    time.sleep(wait)
    type_text("146.61")
    key("Return")
    time.sleep(0.6)
    print(f"row {row + 1}: {cell(row, 1).name}", flush=True)
c = cell(3, 2)
click(c)
time.sleep(0.3)
type_text("Typed Tag")
key("Return")
time.sleep(0.5)
print("tag:", cell(3, 2).name, flush=True)
key("ctrl+s")
time.sleep(2)
dismiss_alerts()
time.sleep(1)
shot = os.environ.get("WALK_SHOT")
if shot:
    subprocess.run(["import", "-window", "root", shot], env={**os.environ, "DISPLAY": DISPLAY})
