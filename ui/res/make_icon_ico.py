#!/usr/bin/env python3
"""Writes the application icon as a Windows icon file, app_icon.ico.

The same images as the PNGs of make_icon_pngs.py: 16, 32 and 48 px as
32-bit bitmaps with their transparency mask, which every Windows reads, and
256 px as PNG, as Explorer takes its large icons. Only the standard library
is used. Run it from any directory; it writes beside itself.
"""

import pathlib
import struct

import make_app_icon
import make_icon_pngs


def bitmap(pixels):
    """A 32-bit DIB, rows bottom up, BGRA, then the 1-bit AND mask."""
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colours = b""
    mask = b""
    stride = (size + 31) // 32 * 4
    for row in reversed(pixels):
        bits = 0
        for c in row:
            r, g, b, a = make_icon_pngs.rgba(make_app_icon.PALETTE[c])
            colours += bytes((b, g, r, a))
            bits = bits << 1 | (a == 0)
        mask += (bits << (stride * 8 - size)).to_bytes(stride, "big")
    return header + colours + mask


def ico(images):
    """images: (size, data) pairs; size 256 is written as 0 in the directory."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        side = size % 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return directory + body


if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent
    images = []
    for size, draw in make_icon_pngs.SIZES.items():
        pixels = make_icon_pngs.enlarge(draw(), size)
        images.append((size, make_icon_pngs.png(pixels) if size == 256 else bitmap(pixels)))
    (here / "app_icon.ico").write_bytes(ico(images))
