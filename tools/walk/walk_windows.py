#!/usr/bin/python3
"""Drives the preferences, Find in Database and the master-database import window of a real
Tarvex window as a person does (menus clicked, text typed at typing speed, widgets found through
the accessibility tree). Takes a screenshot after each step into WALK_SHOTS and prints what each
step saw; exits 1 at the first step that did not do what the person meant. Run by
tools/walk/walk.sh with --windows."""
import os
import subprocess
import sys
import time
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_drive import *  # noqa: E402,F401,F403

SHOTS = os.environ.get("WALK_SHOTS", ".")
SAMPLE_DB = os.environ["WALK_SAMPLE_DB"]
REAL_DB = os.environ.get("WALK_REAL_DB", "")
failures = []
CELL = ("table cell", "tree item")
LIST = ("tree", "tree table", "table")


def shot(name):
    subprocess.run(["import", "-window", "root", os.path.join(SHOTS, name + ".png")],
                   env={**os.environ, "DISPLAY": DISPLAY})


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what, flush=True)
    if not ok:
        failures.append(what)
    return ok


def visible(a):
    try:
        e = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.width > 0 and e.height > 0 and a.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def the_app():
    return [a for a in apps() if a.name == "Tarvex"][0]


def window_titled(title, timeout=15):
    return wait_for(lambda a: a.getRoleName() in ("frame", "dialog", "window", "filler")
                    and title in (a.name or ""), root=the_app(), timeout=timeout)


def find_in(root, role, name=None, description=None, timeout=10):
    roles = role if isinstance(role, tuple) else (role,)

    def pred(a):
        if a.getRoleName() not in roles or not visible(a):
            return False
        if name is not None and (a.name or "").replace("&", "") != name:
            return False
        if description is not None and not (a.description or "").startswith(description):
            return False
        return True
    return wait_for(pred, root=root, timeout=timeout)


def widest(root, roles):
    """The widest visible widget of these roles (the systems list beside the states)."""
    found = [a for a in find_all(root, lambda x: x.getRoleName() in roles) if visible(a)]
    if not found:
        raise RuntimeError(f"no {roles}")
    return max(found, key=lambda a: a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width)


def menu(title, item):
    """Opens a menu of the menu bar with a click and clicks one of its items."""
    app = the_app()
    click(find_in(app, "menu item", title))
    time.sleep(0.6)
    if os.environ.get("WALK_DEBUG"):
        shot("menu-" + title.replace("/", "-"))
    click(find_in(app, "menu item", item))
    time.sleep(1.0)


def label_texts(root):
    return [a.name for a in find_all(root, role_name("label")) if visible(a) and a.name]


def rows_of(tree):
    """The first column of the rows a tree or table shows."""
    out = []
    for a in find_all(tree, lambda x: x.getRoleName() in CELL, limit=4):
        if visible(a):
            out.append(a.name)
    return out


def set_database_folder(folder, shot_name):
    menu("Setup", "Software Options")
    dialog = window_titled("Software Options")
    click(find_in(dialog, "page tab", "Master Database"))
    time.sleep(0.5)
    edit = find_in(dialog, "text", description="Master database folder")
    click(edit)
    key("ctrl+a")
    type_text(folder, delay=40)
    time.sleep(0.3)
    check(edit.queryText().getText(0, -1) == folder, "the folder typed into the preferences")
    shot(shot_name)
    click(find_in(dialog, "push button", "OK"))
    time.sleep(1.5)
    dismiss_alerts()


def walk():
    time.sleep(5)
    dismiss_alerts()
    time.sleep(0.5)
    main = window_titled("Tarvex", timeout=40)

    # 1. Preferences: the master-database folder, typed as a person types it.
    set_database_folder(SAMPLE_DB, "01-preferences")

    # 2. The import window on the bundled sample: a click on a state lists its systems.
    menu("Import/export", "Import System(s) from Database")
    importer = window_titled("Master Database Import")
    # Without a window manager every window opens at the screen's corner, over the main
    # window's menus; a person would drag it aside.
    xdo("search", "--sync", "--name", "Master Database Import", "windowmove", "480", "330")
    time.sleep(0.8)
    state = find_in(importer, CELL, "California", timeout=15)
    click(state)
    time.sleep(1.5)
    shot("02-import-state")
    systems = widest(importer, LIST)
    listed = rows_of(systems)
    print("systems listed:", listed[:12], flush=True)
    check(len(listed) > 1, "a click on the state lists its systems")

    # 3. The filter box narrows the list as the person types.
    filter_box = find_in(importer, "text", description="Shows only the systems")
    click(filter_box)
    type_text("Harbor")
    time.sleep(1.0)
    shown = rows_of(systems)
    print("after the filter:", shown, flush=True)
    check(filter_box.queryText().getText(0, -1) == "Harbor", "every key of the filter arrived")
    shot("03-import-filter")

    # 4. Tick all, Untick all, then Space ticks the selected system; Import brings it in.
    click(find_in(importer, "push button", "Tick all"))
    time.sleep(0.4)
    click(find_in(importer, "push button", "Untick all"))
    time.sleep(0.4)
    cells = [a for a in find_all(systems, lambda x: x.getRoleName() in CELL, limit=4)
             if visible(a)]
    if check(len(cells) > 1, "the filtered list has a row to tick"):
        click(cells[1])
        time.sleep(0.3)
        key("space")
        time.sleep(0.4)
    click(find_in(importer, "push button", "Import"))
    time.sleep(2.0)
    dismiss_alerts()
    status = [t for t in label_texts(importer) if "mported" in t]
    print("import status:", status, flush=True)
    check(any("1 system" in t for t in status), "the import reports one system")
    shot("04-import-done")

    # 5. Find in Database from the main window's Edit menu.
    menu("Edit", "Find in Database\u2026")
    finder = window_titled("Find in Database")
    xdo("search", "--sync", "--name", "Find in Database", "windowmove", "560", "0")
    time.sleep(0.8)
    box = find_in(finder, "text", description="A frequency in MHz")
    click(box)
    type_text("Sheriff")
    key("Return")
    time.sleep(1.0)
    summary = [t for t in label_texts(finder) if "hit" in t]
    print("find summary:", summary, flush=True)
    check(box.queryText().getText(0, -1) == "Sheriff", "every key of the search arrived")
    check(any("hit" in t and not t.startswith("No") for t in summary), "the search finds hits")
    shot("05-find")
    # Down leaves the box for the hits; Enter opens the one chosen.
    key("Down", "Down", "Return")
    time.sleep(1.0)
    opened = [a.queryText().getText(0, -1) for a in find_all(main, role_name("text"))
              if visible(a)]
    opened = [t for t in opened if "Sheriff" in t]
    print("main window after the hit:", opened[:3], flush=True)
    check(bool(opened), "the hit opened its group in the main window")
    shot("06-find-opened")

    # 6. The real master database, when there is one: the open import window follows the
    #    preference at once.
    if REAL_DB:
        set_database_folder(REAL_DB, "07-preferences-real")
        time.sleep(2.0)
        status = label_texts(importer)
        print("import window after the change:", [t for t in status if "Software" in t], flush=True)
        check(any("Software Options" in t for t in status), "the open import window says it moved")
        # Opening the hit brought the main window forward; a click on the import window brings
        # it back, then the person types the state's name into the list of states.
        xdo("search", "--sync", "--name", "Master Database Import", "windowraise")
        time.sleep(0.8)
        states = [a for a in find_all(importer, lambda x: x.getRoleName() in CELL, limit=6)
                  if visible(a) and a.name and not a.name.startswith("s_")]
        click(states[0])
        time.sleep(0.5)
        type_text("Texas", delay=60)
        key("Return")
        time.sleep(5.0)
        listed = rows_of(systems)
        print("Texas systems listed (first rows):", listed[:10], flush=True)
        # The filter typed for the sample still holds ("Harbor"), so only Texas's harbours show.
        check(len(listed) >= 5 and all("Harbor" in " ".join(listed[i:i + 5])
                                       for i in range(0, len(listed), 5)),
              "typing a state's name in the list and Enter lists its systems, filtered")
        shot("08-import-texas")
        click(filter_box)
        key("ctrl+a")
        type_text("Houston")
        time.sleep(1.5)
        check(filter_box.queryText().getText(0, -1) == "Houston", "every key of the filter arrived")
        shown = rows_of(systems)
        print("Texas systems for Houston:", shown[:10], flush=True)
        check(len(shown) >= 1, "the filter finds Houston's systems")
        shot("09-import-texas-filter")


try:
    walk()
except Exception:
    # The traceback says which widget was not found; the screen shows why.
    traceback.print_exc(file=sys.stdout)
    app = the_app()
    for i in range(app.childCount):
        w = app.getChildAtIndex(i)
        print("   window:", w.getRoleName(), repr(w.name), visible(w))
    if os.environ.get("WALK_DUMP"):
        for a in find_all(the_app(), lambda x: os.environ["WALK_DUMP"] in x.getRoleName(), limit=12):
            print("  ", a.getRoleName(), repr(a.name), repr(a.description)[:60], visible(a))
    shot("99-stuck")
    failures.append("the walk stopped")
print("walk:", "all steps did what was meant" if not failures else f"{len(failures)} failed",
      flush=True)
sys.exit(1 if failures else 0)
