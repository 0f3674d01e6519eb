#!/usr/bin/env python3
"""Writes the malformed corpus: tests/inputs/<format>/bad_*.*, each made from one of our
own sample files (make_inputs.sh) by cutting it short, breaking a field or announcing an
absurd size. Every one of them must fail to load with a readable error."""
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "inputs")


def read(rel):
    with open(os.path.join(ROOT, rel), "rb") as f:
        return bytearray(f.read())


def write(rel, data):
    with open(os.path.join(ROOT, rel), "wb") as f:
        f.write(bytes(data))


def cut(rel, fraction=0.6):
    data = read(rel)
    return data[: int(len(data) * fraction)]


def patch(data, offset, fmt, *values):
    data = bytearray(data)
    struct.pack_into(fmt, data, offset, *values)
    return data


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)


# BMP: the info header starts at 14; width 18, height 22, bits 28, colours used 46.
card24 = read("bmp/card24.bmp")
write("bmp/bad_truncated.bmp", cut("bmp/card24.bmp"))
write("bmp/bad_huge.bmp", patch(card24, 18, "<ii", 100000, 100000))
write("bmp/bad_zero.bmp", patch(card24, 18, "<i", 0))
write("bmp/bad_int_min_height.bmp", patch(card24, 22, "<i", -2**31))
write("bmp/bad_header_size.bmp", patch(card24, 14, "<I", 7))
write("bmp/bad_offset.bmp", patch(card24, 10, "<I", 0x7FFFFFF0))
write("bmp/bad_bits.bmp", patch(card24, 28, "<H", 7))
write("bmp/bad_index.bmp", patch(read("bmp/card4.bmp"), 46, "<I", 2))
write("bmp/bad_rle_truncated.bmp", cut("bmp/card8_rle.bmp", 0.5))
rle = read("bmp/card8_rle.bmp")
bits = struct.unpack_from("<I", rle, 10)[0]
write("bmp/bad_rle_overrun.bmp", rle[:bits] + bytes([255, 1, 0, 1]))
write("bmp/bad_rle_delta.bmp", rle[:bits] + bytes([0, 2, 200, 200, 0, 1]))

ico = read("ico/card.ico")
write("ico/bad_truncated.ico", cut("ico/card.ico"))
write("ico/bad_entry_offset.ico", patch(ico, 6 + 12, "<I", 0x7FFFFFF0))
write("ico/bad_entry_size.ico", patch(ico, 6 + 8, "<I", 0xFFFFFFFF))

gif = read("gif/card.gif")
write("gif/bad_truncated.gif", cut("gif/card.gif", 0.7))
write("gif/bad_huge.gif", patch(gif, 6, "<HH", 65535, 65535))
lzw = gif.rfind(b"\x2c")  # image descriptor; code size at +10, data from +11
write("gif/bad_zero.gif", patch(patch(gif, 6, "<HH", 0, 0), lzw + 5, "<HH", 0, 0))
broken = bytearray(gif)
for i in range(lzw + 12, len(broken) - 2):
    broken[i] ^= 0x5A
write("gif/bad_lzw.gif", broken)

jpg = read("jpeg/card.jpg")
write("jpeg/bad_truncated.jpg", cut("jpeg/card.jpg", 0.5))
sof = jpg.find(b"\xff\xc0")
write("jpeg/bad_huge.jpg", patch(jpg, sof + 5, ">HH", 65500, 65500))
write("jpeg/bad_zero.jpg", patch(jpg, sof + 5, ">HH", 0, 0))
write("jpeg/bad_garbage.jpg", jpg[:4] + bytes((i * 73 + 5) & 0xFF for i in range(400)))

png = read("png/rgb.png")
write("png/bad_truncated.png", cut("png/rgb.png"))
ihdr = bytearray(png[16:29])
struct.pack_into(">II", ihdr, 0, 100000, 100000)
write("png/bad_huge.png", png[:8] + png_chunk(b"IHDR", bytes(ihdr)) + png[33:])
struct.pack_into(">II", ihdr, 0, 0, 24)
write("png/bad_zero.png", png[:8] + png_chunk(b"IHDR", bytes(ihdr)) + png[33:])
idat = png.find(b"IDAT")
broken = bytearray(png)
broken[idat + 8] ^= 0xFF
write("png/bad_crc.png", broken)

tif = read("tiff/card.tif")
write("tiff/bad_truncated.tif", cut("tiff/card.tif", 0.3))
write("tiff/bad_ifd.tif", patch(tif, 4, "<I", 0x7FFFFFF0))

tga = read("tga/card24.tga")
write("tga/bad_truncated.tga", cut("tga/card24.tga"))
write("tga/bad_huge.tga", patch(tga, 12, "<HH", 65535, 65535))
write("tga/bad_zero.tga", patch(tga, 12, "<HH", 0, 0))
write("tga/bad_index.tga", patch(read("tga/palette.tga"), 5, "<H", 2))
write("tga/bad_rle_overrun.tga", patch(read("tga/card24_rle.tga"), 12, "<HH", 20, 1))
write("tga/bad_rle_truncated.tga", cut("tga/card24_rle.tga", 0.5))
# Within the size limits, but far more pixels than the little RLE data could fill.
write("tga/bad_rle_short_data.tga", patch(read("tga/card24_rle.tga"), 12, "<HH", 16000, 16000))

pcx = read("pcx/card24.pcx")
write("pcx/bad_truncated.pcx", cut("pcx/card24.pcx", 0.5))
write("pcx/bad_huge.pcx", patch(pcx, 8, "<HH", 65535, 65535))
write("pcx/bad_zero.pcx", patch(pcx, 4, "<HHHH", 10, 10, 5, 5))
write("pcx/bad_short_rows.pcx", patch(pcx, 66, "<H", 2))
write("pcx/bad_rle_overrun.pcx", patch(patch(pcx, 8, "<HH", 19, 0), 66, "<H", 20))

wbmp = read("wbmp/bw.wbmp")
write("wbmp/bad_truncated.wbmp", cut("wbmp/bw.wbmp"))
write("wbmp/bad_huge.wbmp", bytes([0, 0, 0x83, 0xFF, 0x7F, 0x83, 0xFF, 0x7F]) + bytes(64))

write("j2k/bad_truncated.j2k", cut("j2k/card.j2k", 0.4))
j2k = read("j2k/card.j2k")
write("j2k/bad_garbage.j2k", j2k[:4] + bytes((i * 29 + 7) & 0xFF for i in range(300)))
write("j2k/bad_huge.j2k", patch(j2k, 8, ">II", 0x7FFFFFF0, 0x7FFFFFF0))

jbg = read("jbig/bw.jbg")
write("jbig/bad_truncated.jbg", cut("jbig/bw.jbg", 0.6))
write("jbig/bad_huge.jbg", patch(jbg, 4, ">II", 0x7FFFFFF0, 0x7FFFFFF0))

wmf = read("wmf/shapes.wmf")
write("wmf/bad_truncated.wmf", cut("wmf/shapes.wmf", 0.7))
write("wmf/bad_huge.wmf", patch(wmf, 6, "<hhhhH", 0, 0, 30000, 30000, 1))
write("wmf/bad_record_size.wmf", patch(wmf, 22 + 18, "<I", 0x7FFFFFFF))
write("wmf/bad_no_size.wmf", patch(wmf[22:], 0, "<H", 1)[:18] + bytes([3, 0, 0, 0, 0, 0]))

# WebP: cut short (lossless, lossy, an animation), garbage after a lossless header (a
# lossy picture's data has no redundancy to find garbage by), a lossy frame without its
# start code, and a lossless header announcing 16384 x 16384 (its size bits all set).
write("webp/bad_truncated.webp", cut("webp/card.webp", 0.6))
write("webp/bad_truncated_lossy.webp", cut("webp/lossy.webp", 0.5))
write("webp/bad_truncated_animation.webp", cut("webp/animated.webp", 0.7))
card_webp = read("webp/card.webp")
write("webp/bad_garbage.webp", card_webp[:25] + bytes((i * 29 + 7) & 0xFF for i in range(len(card_webp) - 25)))
write("webp/bad_start_code.webp", patch(read("webp/lossy.webp"), 23, "<3s", b"\0\0\0"))
write("webp/bad_huge.webp", patch(read("webp/card.webp"), 21, "<I", 0x0FFFFFFF))

# HEIF and AVIF: cut short (inside the coded picture and inside the boxes), the coded
# picture overwritten, a primary item that does not exist, and the picture's size
# announced as 40000 x 40000 (HEIF: every 'ispe', the grid's and its tile's).
import iso_boxes  # noqa: E402  (beside this script)


def announce(data, width, height):
    """Every 'ispe' of the file saying width x height."""
    ipco = iso_boxes.find(data, [b"meta", b"iprp", b"ipco"])
    for box in iso_boxes.boxes(data, ipco[0] + 8, ipco[0] + ipco[1]):
        if box[2] == b"ispe":
            data = patch(data, box[0] + 12, ">II", width, height)
    return data


def iso_damaged(rel, ext):
    whole = read(rel)
    folder = rel.split("/")[0]
    write(f"{folder}/bad_truncated.{ext}", cut(rel, 0.8))
    write(f"{folder}/bad_truncated_boxes.{ext}", cut(rel, 0.15))
    mdat = iso_boxes.find(whole, [b"mdat"])
    body = mdat[0] + mdat[3]
    write(f"{folder}/bad_garbage.{ext}", whole[:body] + bytes((i * 29 + 7) & 0xFF for i in range(len(whole) - body)))
    pitm = iso_boxes.find(whole, [b"meta", b"pitm"])
    write(f"{folder}/bad_no_primary.{ext}", patch(whole, pitm[0] + 12, ">H", 99))
    write(f"{folder}/bad_huge.{ext}", announce(whole, 40000, 40000))
    # Within the sides' limit, but its decode would take more than 1 GiB.
    write(f"{folder}/bad_too_big_to_decode.{ext}", announce(whole, 16000, 16000))


iso_damaged("heif/card.heic", "heic")
iso_damaged("avif/card.avif", "avif")
