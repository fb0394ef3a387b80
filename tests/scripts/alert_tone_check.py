#!/usr/bin/env python3
"""Finds the beeps in bytes FROM..TO of a raw recording (s16le mono) and compares them with what was expected:
count, length of each (within 25 ms) and pitch of the first (within 5 %)."""
import array
import sys

path = sys.argv[1]
start, end, rate, beeps, ms = (int(a) for a in sys.argv[2:7])
hz = float(sys.argv[7])
data = array.array("h")
with open(path, "rb") as f:
    f.seek(start - start % 2)
    data.frombytes(f.read((end - start) // 2 * 2))
win = rate // 200  # 5 ms windows
loud = []
for i in range(0, len(data) - win, win):
    chunk = data[i:i + win]
    loud.append(max(abs(s) for s in chunk) > 2000)
# Runs of loud windows are beeps.
runs, start = [], None
for i, on in enumerate(loud + [False]):
    if on and start is None:
        start = i
    elif not on and start is not None:
        runs.append((start * win, i * win))
        start = None
lengths = [round((b - a) * 1000 / rate) for a, b in runs]
print(f"beeps {len(runs)} lengths {lengths} ms")
ok = len(runs) == beeps and all(abs(l - ms) <= 25 for l in lengths)
if runs:
    a, b = runs[0]
    seg = data[a:b]
    # Half a period between neighbouring zero crossings, counted from the first to the last
    # (the run's edges are only as exact as its 5 ms windows).
    at = [i for i, (x, y) in enumerate(zip(seg, seg[1:])) if (x < 0) != (y < 0)]
    pitch = (len(at) - 1) / 2 / ((at[-1] - at[0]) / rate) if len(at) > 2 else 0
    print(f"pitch of the first beep {pitch:.0f} Hz")
    ok = ok and abs(pitch - hz) <= hz * 0.05
sys.exit(0 if ok else 1)
