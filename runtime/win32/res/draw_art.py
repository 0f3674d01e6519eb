#!/usr/bin/env python3
"""Draws the runtime template's own icon (a small landscape photo in a slide frame) and
its cursor (a ring), and writes them as reelhost.ico and reelhost.cur. The outputs are
committed; run this again only to change the pictures."""
import math
import struct


def landscape(size):
    """RGBA rows, top row first."""
    px = []
    for y in range(size):
        row = []
        for x in range(size):
            u, v = (x + 0.5) / size, (y + 0.5) / size
            edge = min(u, v, 1 - u, 1 - v)
            if edge < 0.06:
                row.append((0, 0, 0, 0))
            elif edge < 0.14:
                row.append((236, 232, 220, 255))  # the slide's white frame
            else:
                hill = 0.68 - 0.12 * math.sin(u * 5.0)
                sun = (u - 0.66) ** 2 + (v - 0.36) ** 2 < 0.012
                if sun:
                    row.append((250, 204, 40, 255))
                elif v > hill:
                    row.append((46, 140, 70, 255))
                else:
                    row.append((70, 130, 210, 255))
        px.append(row)
    return px


def ring(size):
    px = []
    c = (size - 1) / 2.0
    for y in range(size):
        row = []
        for x in range(size):
            d = math.hypot(x - c, y - c)
            if 5.5 <= d <= 7.5:
                row.append((255, 255, 255, 255))
            elif 4.5 <= d <= 8.5:
                row.append((0, 0, 0, 255))
            else:
                row.append((0, 0, 0, 0))
        px.append(row)
    return px


def dib(px):
    """A 32-bit icon image: header with doubled height, bottom-up colour rows, AND mask."""
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colour + mask


def icon_file(images, kind, hotspots=None):
    head = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b'', b''
    for i, px in enumerate(images):
        data = dib(px)
        size = len(px)
        if kind == 1:
            planes_or_x, bits_or_y = 1, 32
        else:
            planes_or_x, bits_or_y = hotspots[i]
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, planes_or_x, bits_or_y, len(data), offset)
        blobs += data
        offset += len(data)
    return head + entries + blobs


if __name__ == '__main__':
    with open('reelhost.ico', 'wb') as f:
        f.write(icon_file([landscape(32), landscape(16), landscape(48)], 1))
    with open('reelhost.cur', 'wb') as f:
        f.write(icon_file([ring(32)], 2, [(16, 16)]))
