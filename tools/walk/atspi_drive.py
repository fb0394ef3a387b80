"""Finding widgets through the accessibility tree (pyatspi) and acting on them with xdotool,
at a person's speed."""
import pyatspi, subprocess, time, os
DISPLAY = os.environ.get("DISPLAY", ":0")
def xdo(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True, env={**os.environ, "DISPLAY": DISPLAY})
def apps():
    desk = pyatspi.Registry.getDesktop(0)
    return [desk.getChildAtIndex(i) for i in range(desk.childCount)]
def find_all(root, pred, depth=0, out=None, limit=30):
    out = [] if out is None else out
    if depth > limit: return out
    try:
        if pred(root): out.append(root)
        n = root.childCount
    except Exception:
        return out
    for i in range(n):
        try: c = root.getChildAtIndex(i)
        except Exception: continue
        if c is not None: find_all(c, pred, depth + 1, out, limit)
    return out
def wait_for(pred, timeout=15, root=None):
    end = time.time() + timeout
    while time.time() < end:
        for a in ([root] if root else apps()):
            hits = find_all(a, pred)
            if hits: return hits[0]
        time.sleep(0.3)
    raise RuntimeError("not found")
def role_name(role, name=None):
    return lambda a: a.getRoleName() == role and (name is None or a.name == name)
def center(a):
    e = a.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x + e.width // 2, e.y + e.height // 2
def click(a, n=1):
    x, y = center(a)
    xdo("mousemove", x, y); time.sleep(0.15)
    for _ in range(n):
        xdo("click", 1); time.sleep(0.12)
def type_text(t, delay=110):
    xdo("type", "--delay", delay, t)
def key(*k):
    xdo("key", "--delay", 80, *k)
def dismiss_alerts():
    for a in apps():
        for al in find_all(a, lambda x: x.getRoleName() == "alert"):
            btns = find_all(al, role_name("push button"))
            if btns: click(btns[0]); time.sleep(0.5)
