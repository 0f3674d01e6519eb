#!/usr/bin/env python3
# Writes grey_unsorted.png: a palette PNG of grey levels whose palette is not a ramp.
import struct
import zlib

W, H = 24, 16
GREYS = [0, 255, 64, 192, 128, 32, 224, 96]


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


rows = b"".join(b"\x00" + bytes(((x // 3) + y) % len(GREYS) for x in range(W)) for y in range(H))
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 3, 0, 0, 0)) +
       chunk(b"PLTE", b"".join(bytes([g, g, g]) for g in GREYS)) + chunk(b"IDAT", zlib.compress(rows, 9)) +
       chunk(b"IEND", b""))
open("grey_unsorted.png", "wb").write(png)
