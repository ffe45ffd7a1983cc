#!/usr/bin/env python3
"""Draws the application icon and writes it as XPM, 32x32 and 16x16.

Two drawing sheets: the source behind with plain lines, the converted copy
in front whose lines carry explicit linetypes (solid, dashed, centre). Only
the 16 colours of the classic 4-bit palette are used, so the images stay
true to a 16-colour icon. Run it from any directory; it writes beside itself.
"""

import pathlib

PALETTE = {
    " ": "None",
    "k": "#000000",  # black
    "g": "#808080",  # gray
    "s": "#C0C0C0",  # silver
    "w": "#FFFFFF",  # white
    "b": "#0000FF",  # blue
    "n": "#000080",  # navy
    "r": "#FF0000",  # red
    "t": "#008080",  # teal
}


def canvas(size):
    return [[" "] * size for _ in range(size)]


def sheet(pixels, left, top, right, bottom, outline, fold):
    """A white sheet with its top-right corner folded over."""
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            cut = x - (right - fold) > y - top  # above the fold's diagonal
            if cut:
                continue
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            pixels[y][x] = outline if edge else "w"
    for i in range(fold + 1):  # the folded flap
        for j in range(i + 1):
            pixels[top + i][right - fold + j] = "s" if j < i else outline
    for j in range(fold + 1):
        pixels[top + fold][right - fold + j] = outline
        pixels[top + j][right - fold] = outline


def line(pixels, y, x0, x1, colour, pattern):
    """A horizontal line whose pattern is a string of '1' (ink) and '0' (gap)."""
    for i, x in enumerate(range(x0, x1 + 1)):
        if pattern[i % len(pattern)] == "1":
            pixels[y][x] = colour


def icon32():
    p = canvas(32)
    sheet(p, 1, 1, 18, 22, "g", 4)
    for y in (7, 11, 15, 19):
        line(p, y, 4, 11 if y == 7 else 15, "g", "1")
    sheet(p, 11, 8, 30, 30, "k", 5)
    line(p, 16, 14, 27, "k", "1")
    line(p, 17, 14, 27, "k", "1")
    line(p, 21, 14, 27, "b", "1110")
    line(p, 22, 14, 27, "b", "1110")
    line(p, 26, 14, 27, "r", "11111010")
    line(p, 27, 14, 27, "r", "11111010")
    return p


def icon16():
    p = canvas(16)
    sheet(p, 0, 0, 9, 11, "g", 0)
    for y in (3, 5, 7, 9):
        line(p, y, 2, 4, "g", "1")
    sheet(p, 5, 4, 15, 15, "k", 2)
    line(p, 8, 7, 13, "k", "1")
    line(p, 10, 7, 13, "b", "110")
    line(p, 12, 7, 13, "r", "11101")
    return p


def write_xpm(path, name, pixels):
    used = sorted({c for row in pixels for c in row})
    size = len(pixels)
    rows = [f'"{size} {size} {len(used)} 1",']
    rows += [f'"{c} c {PALETTE[c]}",' for c in used]
    rows += [f'"{"".join(row)}",' for row in pixels]
    rows[-1] = rows[-1].rstrip(",")
    text = "/* XPM */\nstatic const char* const " + name + "[] = {\n" + "\n".join(rows) + "\n};\n"
    path.write_text(text, encoding="ascii")


if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent
    write_xpm(here / "app_icon_32.xpm", "app_icon_32_xpm", icon32())
    write_xpm(here / "app_icon_16.xpm", "app_icon_16_xpm", icon16())
