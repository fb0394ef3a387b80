#!/usr/bin/env python3
"""Draws the bundled tool-bar icons (resources/icons/<freedesktop name>.png).

The window asks the desktop's icon theme first; these plain drawings stand in where there is
no theme (Windows, bare window managers). Run it after changing a drawing:
    python3 tools/make_icons.py   (needs ImageMagick's convert)
"""
import os
import subprocess
import sys
import tempfile

INK = "#37474f"
BLUE = "#1e88e5"
GREEN = "#43a047"
RED = "#e53935"
PAPER = "#ffffff"

def page(x=5, y=3, w=14, h=18, fill=PAPER):
    return f'<rect x="{x}" y="{y}" width="{w}" height="{h}" rx="1" fill="{fill}" stroke="{INK}" stroke-width="1.5"/>'

def arrow(direction, color=BLUE):
    pts = {
        "up": "12,3 21,13 15,13 15,21 9,21 9,13 3,13",
        "down": "12,21 21,11 15,11 15,3 9,3 9,11 3,11",
        "left": "3,12 13,3 13,9 21,9 21,15 13,15 13,21",
        "right": "21,12 11,3 11,9 3,9 3,15 11,15 11,21",
    }[direction]
    return f'<polygon points="{pts}" fill="{color}" stroke="{INK}" stroke-width="1"/>'

def lines(x, y, n, w=8, step=3):
    return "".join(f'<line x1="{x}" y1="{y+i*step}" x2="{x+w}" y2="{y+i*step}" stroke="{INK}" stroke-width="1.2"/>' for i in range(n))

def floppy(extra=""):
    return (f'<rect x="3" y="3" width="18" height="18" rx="2" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>'
            f'<rect x="7" y="3" width="10" height="6" fill="{PAPER}" stroke="{INK}"/>'
            f'<rect x="6" y="13" width="12" height="8" fill="{PAPER}" stroke="{INK}"/>' + extra)

def scissors():
    return (f'<circle cx="7" cy="18" r="3" fill="none" stroke="{INK}" stroke-width="2"/>'
            f'<circle cx="17" cy="18" r="3" fill="none" stroke="{INK}" stroke-width="2"/>'
            f'<line x1="9" y1="16" x2="17" y2="3" stroke="{INK}" stroke-width="2"/>'
            f'<line x1="15" y1="16" x2="7" y2="3" stroke="{INK}" stroke-width="2"/>')

def magnifier(x=10, y=10):
    return (f'<circle cx="{x}" cy="{y}" r="6" fill="{PAPER}" stroke="{INK}" stroke-width="2.2"/>'
            f'<line x1="{x+4}" y1="{y+4}" x2="{x+10}" y2="{y+10}" stroke="{INK}" stroke-width="3"/>')

def grid_rows(highlight_color):
    return (f'<rect x="3" y="4" width="18" height="16" fill="{PAPER}" stroke="{INK}" stroke-width="1.5"/>'
            f'<line x1="3" y1="9" x2="21" y2="9" stroke="{INK}"/>'
            f'<line x1="3" y1="15" x2="21" y2="15" stroke="{INK}"/>'
            f'<rect x="4" y="10" width="16" height="4" fill="{highlight_color}"/>')

ICONS = {
    "document-open": f'<path d="M2 6 h7 l2 2 h10 v12 h-19 z" fill="#ffca28" stroke="{INK}" stroke-width="1.5"/>'
                     f'<path d="M2 20 l4 -9 h17 l-4 9 z" fill="#ffe082" stroke="{INK}" stroke-width="1.2"/>',
    "document-save": floppy(),
    "document-save-as": floppy(f'<path d="M13 19 l8 -8 l2 2 l-8 8 h-2 z" fill="#ffca28" stroke="{INK}"/>'),
    "application-exit": f'<rect x="4" y="3" width="11" height="18" fill="#8d6e63" stroke="{INK}" stroke-width="1.5"/>' + arrow("right", RED).replace("21,12", "23,12"),
    "edit-cut": scissors(),
    "edit-copy": page(3, 2, 12, 15) + page(9, 7, 12, 15),
    "edit-paste": f'<rect x="4" y="4" width="16" height="18" rx="1" fill="#a1887f" stroke="{INK}" stroke-width="1.5"/>'
                  f'<rect x="8" y="2" width="8" height="4" fill="{INK}"/>' + page(8, 9, 10, 11),
    "edit-table-delete-row": grid_rows("#ffcdd2") + f'<line x1="7" y1="12" x2="17" y2="12" stroke="{RED}" stroke-width="2.5"/>',
    "edit-select-all": grid_rows("#bbdefb") + f'<rect x="3" y="4" width="18" height="16" fill="none" stroke="{BLUE}" stroke-width="2" stroke-dasharray="2,1"/>',
    "edit-table-insert-row-below": grid_rows("#c8e6c9") + f'<line x1="12" y1="10" x2="12" y2="14" stroke="{GREEN}" stroke-width="2.5"/><line x1="8" y1="12" x2="16" y2="12" stroke="{GREEN}" stroke-width="2.5"/>',
    "go-down": arrow("down"),
    "go-up": arrow("up"),
    "go-previous": arrow("left", GREEN),
    "go-next": arrow("right", GREEN),
    "edit-delete": f'<line x1="5" y1="5" x2="19" y2="19" stroke="{RED}" stroke-width="4"/><line x1="19" y1="5" x2="5" y2="19" stroke="{RED}" stroke-width="4"/>',
    "format-fill-color": grid_rows("#fff59d") + arrow("down").replace('points="', 'transform="translate(10,4) scale(0.45)" points="'),
    "drive-harddisk": f'<rect x="2" y="7" width="20" height="11" rx="2" fill="#b0bec5" stroke="{INK}" stroke-width="1.5"/><circle cx="17" cy="14" r="1.5" fill="{GREEN}"/>' + lines(5, 11, 2, 7),
    "tools-check-spelling": page() + lines(8, 7, 3, 8, 3) + f'<path d="M8 17 l3 3 l7 -8" fill="none" stroke="{GREEN}" stroke-width="3"/>',
    "network-workgroup": f'<circle cx="12" cy="12" r="9" fill="#bbdefb" stroke="{INK}" stroke-width="1.5"/>'
                         f'<ellipse cx="12" cy="12" rx="4" ry="9" fill="none" stroke="{INK}"/>'
                         f'<line x1="3" y1="12" x2="21" y2="12" stroke="{INK}"/>',
    "audio-card": f'<rect x="7" y="2" width="10" height="20" rx="2" fill="#455a64" stroke="{INK}" stroke-width="1.5"/>'
                  f'<rect x="9" y="5" width="6" height="5" fill="#a5d6a7"/><line x1="10" y1="1" x2="10" y2="-4" stroke="{INK}" stroke-width="2"/>'
                  f'<line x1="15" y1="2" x2="19" y2="0" stroke="{INK}" stroke-width="2"/>' + lines(9, 13, 3, 6, 2.5),
    "edit-find": magnifier(),
    "edit-find-replace": magnifier(9, 9) + f'<path d="M15 21 h7" stroke="{BLUE}" stroke-width="2.5"/>',
    "help-contents": f'<rect x="3" y="3" width="18" height="18" rx="2" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>'
                     f'<text x="12" y="18" font-size="15" font-family="sans-serif" font-weight="bold" text-anchor="middle" fill="{PAPER}">?</text>',
    "help-about": f'<circle cx="12" cy="12" r="9" fill="{BLUE}" stroke="{INK}" stroke-width="1.5"/>'
                  f'<text x="12" y="18" font-size="15" font-family="serif" font-weight="bold" text-anchor="middle" fill="{PAPER}">i</text>',
}

def main():
    out_dir = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
    os.makedirs(out_dir, exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        for name, body in ICONS.items():
            svg = os.path.join(tmp, name + ".svg")
            with open(svg, "w") as f:
                f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24">{body}</svg>')
            png = os.path.join(out_dir, name + ".png")
            subprocess.run(["convert", "-background", "none", "-density", "96", svg,
                            "-strip", "-define", "png:exclude-chunks=date,time", png], check=True)
    print(f"{len(ICONS)} icons in {os.path.normpath(out_dir)}")

if __name__ == "__main__":
    sys.exit(main())
