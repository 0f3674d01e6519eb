#!/usr/bin/env python3
"""Writes tests/inputs/wmf/: our own metafiles, since ImageMagick cannot write WMF.

shapes.wmf (placeable, 100 x 50 logical units at 96 per inch = 100 x 50 pixels):
  red rectangle 10,10-40,40 without outline; blue ellipse 55,5-95,45; a green line along
  y = 48; a 2 x 1 DIB (yellow, magenta) stretched to 0,0-4,2.
window.wmf (no placeable header): window origin 100,100 and extent 20 x 10, a black
  rectangle over the right half."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "inputs", "wmf")


def record(function, *words, raw=b""):
    body = struct.pack("<%dh" % len(words), *words) + raw
    assert len(body) % 2 == 0
    return struct.pack("<IH", 3 + len(body) // 2, function) + body


def colorref(r, g, b):
    return struct.pack("<I", r | (g << 8) | (b << 16))


def brush(r, g, b):
    return record(0x02FC, 0, raw=colorref(r, g, b) + struct.pack("<h", 0))


def pen(style, width, r, g, b):
    return record(0x02FA, style, width, 0, raw=colorref(r, g, b))


def metafile(records, objects, placeable=None):
    body = b"".join(records) + record(0x0000)
    header = struct.pack("<HHHIHIH", 1, 9, 0x0300, (18 + len(body)) // 2, objects, 0, 0)
    out = header + body
    if placeable:
        left, top, right, bottom, inch = placeable
        words = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
        checksum = 0
        for (w,) in struct.iter_unpack("<H", words):
            checksum ^= w
        out = words + struct.pack("<H", checksum) + out
    return out


def dib_2x1():
    info = struct.pack("<IiiHHIIiiII", 40, 2, 1, 1, 24, 0, 8, 0, 0, 0, 0)
    pixels = bytes([0, 255, 255, 255, 0, 255, 0, 0])  # yellow, magenta (blue, green, red), padded
    return info + pixels


os.makedirs(OUT, exist_ok=True)
shapes = [
    brush(255, 0, 0), record(0x012D, 0),
    pen(5, 1, 0, 0, 0), record(0x012D, 1),
    record(0x041B, 40, 40, 10, 10),
    brush(0, 0, 255), record(0x012D, 2),
    record(0x0418, 45, 95, 5, 55),
    pen(0, 1, 0, 255, 0), record(0x012D, 3),
    record(0x0214, 48, 0), record(0x0213, 48, 99),
    # StretchDIB: rop SRCCOPY, colour use, source h, w, y, x, destination h, w, y, x, DIB.
    record(0x0F43, 0x0020, 0x00CC, 0, 1, 2, 0, 0, 2, 4, 0, 0, raw=dib_2x1()),
]
with open(os.path.join(OUT, "shapes.wmf"), "wb") as f:
    f.write(metafile(shapes, 4, (0, 0, 100, 50, 96)))

window = [
    record(0x020B, 100, 100), record(0x020C, 10, 20),
    brush(0, 0, 0), record(0x012D, 0),
    record(0x041B, 110, 120, 100, 110),
]
with open(os.path.join(OUT, "window.wmf"), "wb") as f:
    f.write(metafile(window, 1))
