#!/usr/bin/env python3
"""Writes the malformed keyed records: tests/inputs/extras/*.bin (show extras records of
a made screensaver, magic GDSX, and project file extension blocks, magic GDPX) and
tests/inputs/psm/block_*.psm (a new project's file, fuzz/corpus/psm/new.psm, followed by
a damaged extension block). Each starts from an intact record holding bMovePicture 0 and
breaks one thing; every one must be refused whole: the screensaver ignores it, and the
project opens with the block's settings at their defaults and a message."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
INPUTS = os.path.join(HERE, "..")
ROOT = os.path.join(INPUTS, "..", "..")


def entry(key, type_, value):
    return bytes([len(key)]) + key + bytes([type_]) + struct.pack("<I", len(value)) + value


def record(magic, entries, version=1, header=12, total=None):
    body = b"".join(entries)
    size = header + len(body) if total is None else total
    return magic + struct.pack("<HHI", version, header, size) + b"\0" * (header - 12) + body


MOVE = entry(b"bMovePicture", 1, struct.pack("<i", 0))
LATER = entry(b"nLater", 1, struct.pack("<i", 7))


def broken(magic):
    good = record(magic, [MOVE, LATER])
    return {
        "cut_short": good[:-3],
        "total_past_end": record(magic, [MOVE], total=len(record(magic, [MOVE])) + 8),
        # an entry announcing a 400-byte value, with none after it
        "value_past_end": record(magic, [bytes([12]) + b"bMovePicture" + bytes([1]) + struct.pack("<I", 400)]),
        "duplicate_key": record(magic, [MOVE, MOVE]),
        "key_with_blank": record(magic, [entry(b"bMove Picture", 1, struct.pack("<i", 0))]),
        "empty_key": record(magic, [entry(b"", 1, struct.pack("<i", 0))]),
        "version_2": record(magic, [MOVE], version=2),
        "header_too_short": record(magic, [MOVE], header=8),
    }


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    for magic, prefix in ((b"GDSX", "show"), (b"GDPX", "project")):
        for name, data in broken(magic).items():
            write(os.path.join(HERE, "%s_%s.bin" % (prefix, name)), data)
    with open(os.path.join(ROOT, "fuzz", "corpus", "psm", "new.psm"), "rb") as f:
        new_project = f.read()
    for name in ("cut_short", "value_past_end", "duplicate_key"):
        write(os.path.join(INPUTS, "psm", "block_%s.psm" % name), new_project + broken(b"GDPX")[name])


if __name__ == "__main__":
    main()
