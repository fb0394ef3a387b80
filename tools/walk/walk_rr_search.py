#!/usr/bin/python3
"""Drives the RadioReference frequency search in a real Tarvex window as a person does: opens it
from the editor's Tools menu (it logs in to the stand-in service on its own), types a frequency
at typing speed, searches the county and watches the wait (status, kilobytes received, Cancel),
then starts a state search and ends it with Esc, which must leave the county's results. The
stand-in sends every answer in pieces over two seconds. Prints what the window shows, saves
screenshots ($WALK_SHOT, and the same name with "-waiting" while the search waits) and writes
"ok" to $WALK_RESULT when everything was seen. Run by tools/walk/walk.sh --rr-search."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_drive import *  # noqa: E402,F401,F403

failures = []


def shot(suffix=""):
    path = os.environ.get("WALK_SHOT")
    if path:
        base, ext = os.path.splitext(path)
        subprocess.run(["import", "-window", "root", base + suffix + ext],
                       env={**os.environ, "DISPLAY": DISPLAY})


def labels(root):
    return [a.name for a in find_all(root, role_name("label")) if a.name]


def wait_label(root, starts, timeout=30):
    end = time.time() + timeout
    while time.time() < end:
        hits = [t for t in labels(root) if any(t.startswith(s) for s in starts)]
        if hits:
            return hits[0]
        time.sleep(0.2)
    return ""


def check(what, ok):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)


def results(window):
    table = wait_for(lambda a: a.getRoleName() in ("table", "tree table", "tree"), root=window)
    t = table.queryTable()
    return [[t.getAccessibleAt(r, c).name for c in range(min(t.nColumns, 4))]
            for r in range(t.nRows)]


time.sleep(5)
dismiss_alerts()
time.sleep(0.5)
app = wait_for(lambda a: a.getRoleName() == "application" and a.name == "Tarvex", timeout=40)
click(wait_for(lambda a: a.getRoleName() == "menu item" and a.name == "Tools", root=app))
time.sleep(0.8)
click(wait_for(lambda a: a.getRoleName() == "menu item"
               and a.name == "RadioReference Frequency Search", root=app))
# A tool window: a top-level of the application (AT-SPI calls it a filler).
window = wait_for(lambda a: a.getRoleName() in ("frame", "window", "dialog", "filler")
                  and a.name == "RadioReference Frequency Search", root=app, timeout=20)
connected = wait_label(window, ["Connected."], timeout=40)
check("logged in: " + connected, bool(connected))
cancel = wait_for(role_name("push button", "Cancel"), root=window)

freq = wait_for(lambda a: a.getRoleName() == "text" and a.name == "Frequency:", root=window)
click(freq)
time.sleep(0.3)
type_text("155.475")
time.sleep(0.3)
click(wait_for(role_name("push button", "Search County"), root=window))
time.sleep(1.0)
waiting = labels(window)
print("while waiting:", " | ".join(waiting), flush=True)
check("the status says what is searched",
      any(t.startswith("Wait searching Tarvex for 155.475") for t in waiting))
check("the kilobytes received are shown", any(t.startswith("Received ") for t in waiting))
check("Cancel is offered while waiting",
      cancel.getState().contains(pyatspi.STATE_ENABLED))
shot("-waiting")
done = wait_label(window, ["Done:", "The search", "Cancelled."])
rows = results(window)
print("county search:", done, rows, flush=True)
check("the county search completed", done == "Done: 1 result.")
check("its row is shown", len(rows) == 1 and rows[0][1] == "Sheriff Dispatch")
check("Cancel is off once the answer is in",
      not cancel.getState().contains(pyatspi.STATE_ENABLED))

click(wait_for(role_name("push button", "Search State"), root=window))
time.sleep(0.8)
key("Escape")
ended = wait_label(window, ["Done:", "The search", "Cancelled."], timeout=10)
print("state search after Esc:", ended, results(window), flush=True)
check("Esc cancelled the state search", ended == "Cancelled.")
check("the county's results are still there", results(window) == rows)
time.sleep(0.5)
shot()
if not failures and os.environ.get("WALK_RESULT"):
    with open(os.environ["WALK_RESULT"], "w") as f:
        f.write("ok\n")
