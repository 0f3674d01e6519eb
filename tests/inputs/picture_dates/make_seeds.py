#!/usr/bin/env python3
"""Writes the seed files of the capture-time reader's fuzz target: an EXIF block (in each
container the reader knows) whose details directory holds DateTimeOriginal, an XMP packet,
and a caption with a path and a recorded time (NUL-separated)."""
import struct


def exif_tiff(when=b"2019:08:17 18:30:45", big=True):
    e = ">" if big else "<"
    out = (b"MM" if big else b"II") + struct.pack(e + "HI", 42, 8)
    out += struct.pack(e + "HHHII", 1, 0x8769, 4, 1, 26) + struct.pack(e + "I", 0)
    out += struct.pack(e + "HHHII", 1, 0x9003, 2, len(when) + 1, 44) + struct.pack(e + "I", 0)
    return out + when + b"\0"


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack(">H", len(body) + 2) + body


XMP = (b'<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF><rdf:Description '
       b'xmp:CreateDate="2020-01-02T03:04:05+01:00"><exif:DateTimeOriginal>2019-08-17T18:30'
       b'</exif:DateTimeOriginal></rdf:Description></rdf:RDF></x:xmpmeta>')


def chunk_png(kind, data):
    return struct.pack(">I", len(data)) + kind + data + b"\0\0\0\0"


def chunk_riff(kind, data):
    return kind + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def write(name, data):
    with open(name, "wb") as f:
        f.write(data)


write("exif_xmp.jpg", b"\xFF\xD8" + segment(0xE1, b"Exif\0\0" + exif_tiff()) +
      segment(0xE1, b"http://ns.adobe.com/xap/1.0/\0" + XMP) + b"\xFF\xDA\0\2\xFF\xD9")
write("exif.png", b"\x89PNG\r\n\x1a\n" + chunk_png(b"IHDR", bytes(13)) +
      chunk_png(b"eXIf", exif_tiff(big=False)) + chunk_png(b"IEND", b""))
body = b"WEBP" + chunk_riff(b"VP8 ", bytes(9)) + chunk_riff(b"EXIF", exif_tiff()) + chunk_riff(b"XMP ", XMP)
write("exif.webp", b"RIFF" + struct.pack("<I", len(body)) + body)
write("exif_item.heic", b"\0\0\0\x18ftypheic" + bytes(24) + b"\0\0\0\6Exif\0\0" + exif_tiff(big=False))
write("caption.txt", b"{file} {date:%A %d %B %Y %Q %%} {folder} {{date}\0/photos/Trip/IMG_1.jpg\0 2019-08-17T18:30:45")
