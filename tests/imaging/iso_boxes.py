#!/usr/bin/env python3
"""Small edits of our own HEIF and AVIF sample files, for the transforms their encoders
cannot be asked for:

  iso_boxes.py transform IN OUT ANGLE MIRROR
      gives the primary item an 'irot' (ANGLE x 90 degrees anticlockwise, 0..3) and,
      unless MIRROR is "-", an 'imir' (0: top and bottom exchanged, 1: left and right),
      in that order; the item locations after the grown 'meta' box move with it.
  iso_boxes.py unlink IN OUT TYPE
      takes every association of the primary item with properties of TYPE away (the
      property stays in the file, unused), without moving a byte.
  iso_boxes.py find IN TYPE
      prints the offset of the first box of TYPE inside the 'meta' box (for the damaged
      samples).
"""
import struct
import sys

CONTAINERS = {b"meta": 4, b"iprp": 0, b"ipco": 0}


def boxes(data, start, end):
    """(offset, size, type, header size) of every box between start and end."""
    at = start
    while at + 8 <= end:
        size, kind = struct.unpack_from(">I4s", data, at)
        header = 8
        if size == 1:
            size = struct.unpack_from(">Q", data, at + 8)[0]
            header = 16
        elif size == 0:
            size = end - at
        yield at, size, kind, header
        at += size


def find(data, path):
    """The box at the end of a path of types, from the top level."""
    start, end, found = 0, len(data), None
    for kind in path:
        found = next(b for b in boxes(data, start, end) if b[2] == kind)
        start = found[0] + found[3] + CONTAINERS.get(kind, 0)
        end = found[0] + found[1]
    return found


def primary_item(data):
    pitm = find(data, [b"meta", b"pitm"])
    version = data[pitm[0] + 8]
    return struct.unpack_from(">H" if version == 0 else ">I", data, pitm[0] + 12)[0]


def ipma_entries(data):
    """(item, offset of its association count, association size) for every ipma entry."""
    ipma = find(data, [b"meta", b"iprp", b"ipma"])
    at = ipma[0] + 8
    version, flags = data[at], int.from_bytes(data[at + 1:at + 4], "big")
    at += 4
    count = struct.unpack_from(">I", data, at)[0]
    at += 4
    entries = []
    for _ in range(count):
        if version < 1:
            item = struct.unpack_from(">H", data, at)[0]
            at += 2
        else:
            item = struct.unpack_from(">I", data, at)[0]
            at += 4
        size = 2 if flags & 1 else 1
        entries.append((item, at, size))
        at += 1 + data[at] * size
    return entries


def property_types(data):
    ipco = find(data, [b"meta", b"iprp", b"ipco"])
    return [b[2] for b in boxes(data, ipco[0] + 8, ipco[0] + ipco[1])]


def shift_locations(data, moved_from, delta):
    """Adds delta to every file offset of the item locations that points at or past moved_from."""
    iloc = find(data, [b"meta", b"iloc"])
    at = iloc[0] + 8
    version = data[at]
    at += 4
    offset_size, length_size = data[at] >> 4, data[at] & 15
    base_size, index_size = data[at + 1] >> 4, data[at + 1] & 15 if version else 0
    at += 2
    count = struct.unpack_from(">H" if version < 2 else ">I", data, at)[0]
    at += 2 if version < 2 else 4
    fmt = {0: None, 4: ">I", 8: ">Q"}

    def bump(pos, size):
        value = struct.unpack_from(fmt[size], data, pos)[0]
        if value >= moved_from:
            struct.pack_into(fmt[size], data, pos, value + delta)

    for _ in range(count):
        at += 2 if version < 2 else 4
        method = 0
        if version:
            method = struct.unpack_from(">H", data, at)[0] & 15
            at += 2
        at += 2  # data reference index
        base_at = at
        at += base_size
        extents = struct.unpack_from(">H", data, at)[0]
        at += 2
        for _ in range(extents):
            at += index_size
            if method == 0 and base_size == 0 and offset_size:
                bump(at, offset_size)
            at += offset_size + length_size
        if method == 0 and base_size:
            bump(base_at, base_size)


def transform(data, angle, mirror):
    data = bytearray(data)
    meta, iprp, ipco = find(data, [b"meta"]), find(data, [b"meta", b"iprp"]), find(data, [b"meta", b"iprp", b"ipco"])
    first_new = len(property_types(data)) + 1
    added = struct.pack(">I4sB", 9, b"irot", angle & 3)
    indices = [first_new]
    if mirror != "-":
        added += struct.pack(">I4sB", 9, b"imir", int(mirror) & 1)
        indices.append(first_new + 1)
    item = primary_item(data)
    _, count_at, size = next(e for e in ipma_entries(data) if e[0] == item)
    if size != 1:
        raise SystemExit("two-byte associations are not handled")
    end_of_entry = count_at + 1 + data[count_at]
    # Inserted from the back, so the earlier offsets stay true.
    data[end_of_entry:end_of_entry] = bytes(0x80 | i for i in indices)
    data[count_at] += len(indices)
    ipco_end = ipco[0] + ipco[1]
    data[ipco_end:ipco_end] = added
    delta = len(added) + len(indices)
    for box in (meta, iprp, ipco):
        struct.pack_into(">I", data, box[0], struct.unpack_from(">I", data, box[0])[0] + delta - (len(indices) if box is ipco else 0))
    ipma = find(data, [b"meta", b"iprp", b"ipma"])
    struct.pack_into(">I", data, ipma[0], ipma[1] + len(indices))
    shift_locations(data, meta[0] + meta[1], delta)
    return data


def unlink(data, kind):
    data = bytearray(data)
    types = property_types(data)
    item = primary_item(data)
    _, count_at, size = next(e for e in ipma_entries(data) if e[0] == item)
    for n in range(data[count_at]):
        at = count_at + 1 + n * size
        value = int.from_bytes(data[at:at + size], "big")
        index = value & (0x7FFF if size == 2 else 0x7F)
        if index and types[index - 1] == kind:
            data[at:at + size] = bytes(size)  # index 0: no property
    return data


def main(args):
    if args[0] == "transform":
        source, target, angle, mirror = args[1:5]
        out = transform(open(source, "rb").read(), int(angle), mirror)
    elif args[0] == "unlink":
        source, target, kind = args[1:4]
        out = unlink(open(source, "rb").read(), kind.encode())
    elif args[0] == "find":
        data = open(args[1], "rb").read()
        meta = find(data, [b"meta"])
        print(next(b[0] for b in boxes(data, meta[0] + 12, meta[0] + meta[1]) if b[2] == args[2].encode()))
        return
    else:
        raise SystemExit(__doc__)
    open(target, "wb").write(bytes(out))


if __name__ == "__main__":
    main(sys.argv[1:])
