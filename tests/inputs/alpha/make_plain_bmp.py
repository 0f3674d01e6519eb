#!/usr/bin/env python3
# Writes half_red_v3.bmp: 8x6 pixels of red at opacity 128 as a plain 32-bit bitmap
# (40-byte header, no compression), the opacity in each pixel's fourth byte.
import struct

W, H = 8, 6
pixels = bytes([0, 0, 255, 128]) * (W * H)  # blue, green, red, alpha
header = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
data = b"BM" + struct.pack("<IHHI", 14 + len(header) + len(pixels), 0, 0, 14 + len(header)) + header + pixels
open("half_red_v3.bmp", "wb").write(data)
