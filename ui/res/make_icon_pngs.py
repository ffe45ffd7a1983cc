#!/usr/bin/env python3
"""Writes the application icon as PNG for the desktop's icon theme.

The 16 and 32 px images are the dialog's own icon pixel for pixel; 48 and
256 px are the 32 px image enlarged without smoothing, so that every size
shows the same 16-colour drawing. Only the standard library is used. Run it
from any directory; it writes app_icon_<size>.png beside itself.
"""

import pathlib
import struct
import zlib

import make_app_icon

SIZES = {16: make_app_icon.icon16, 32: make_app_icon.icon32, 48: make_app_icon.icon32, 256: make_app_icon.icon32}


def rgba(colour):
    if colour == "None":
        return b"\x00\x00\x00\x00"
    return bytes.fromhex(colour[1:]) + b"\xff"


def enlarge(pixels, size):
    """Nearest-neighbour scaling: each target pixel takes the source pixel it falls in."""
    n = len(pixels)
    return [[pixels[y * n // size][x * n // size] for x in range(size)] for y in range(size)]


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(pixels):
    size = len(pixels)
    # Each row starts with filter type 0 (none).
    raw = b"".join(b"\x00" + b"".join(rgba(make_app_icon.PALETTE[c]) for c in row) for row in pixels)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


if __name__ == "__main__":
    here = pathlib.Path(__file__).resolve().parent
    for size, draw in SIZES.items():
        (here / f"app_icon_{size}.png").write_bytes(png(enlarge(draw(), size)))
