#!/usr/bin/env python3
"""pixel_diff.py A B: compares two grey pictures of the same size (binary PGM as thin_check writes it,
or 8-bit grey PNG as pdftocairo -gray does) and prints the inked pixels of each (darker than
half grey), the pixels whose grey differs by more than 64 of 255, and the largest difference."""
import struct
import sys
import zlib


def read_pgm(data):
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P5" or int(fields[3]) > 255:
        sys.exit("not an 8-bit binary PGM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height]
    return width, height, [pixels[r * width:(r + 1) * width] for r in range(height)]


def read_png(data):
    pos = 8
    compressed = b""
    width = height = 0
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        chunk = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunk)
            if depth != 8 or colour != 0 or interlace != 0:
                sys.exit("not an 8-bit grey PNG without interlace")
        elif kind == b"IDAT":
            compressed += chunk
    raw = zlib.decompress(compressed)
    rows = []
    previous = bytearray(width)
    for r in range(height):
        line = raw[r * (width + 1):(r + 1) * (width + 1)]
        kind, row = line[0], bytearray(line[1:])
        if kind == 1:
            for i in range(1, width):
                row[i] = (row[i] + row[i - 1]) & 255
        elif kind == 2:
            row = bytearray((a + b) & 255 for a, b in zip(row, previous))
        elif kind == 3:
            for i in range(width):
                left = row[i - 1] if i else 0
                row[i] = (row[i] + ((left + previous[i]) >> 1)) & 255
        elif kind == 4:
            for i in range(width):
                a = row[i - 1] if i else 0
                b = previous[i]
                c = previous[i - 1] if i else 0
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row))
        previous = row
    return width, height, rows


def read(path):
    with open(path, "rb") as f:
        data = f.read()
    return read_png(data) if data.startswith(b"\x89PNG") else read_pgm(data)


wa, ha, a = read(sys.argv[1])
wb, hb, b = read(sys.argv[2])
if (wa, ha) != (wb, hb):
    sys.exit("sizes differ")
inked = bytes(1 if v < 128 else 0 for v in range(256))
ink_a = sum(r.translate(inked).count(1) for r in a)
ink_b = sum(r.translate(inked).count(1) for r in b)
differ = 0
largest = 0
for ra, rb in zip(a, b):
    if ra == rb:
        continue
    for u, v in zip(ra, rb):
        d = abs(u - v)
        if d > 64:
            differ += 1
        if d > largest:
            largest = d
print(f"{wa} x {ha} pixels; inked: {ink_a} and {ink_b}; differing by more than 64/255: {differ} "
      f"({100.0 * differ / max(ink_b, 1):.3f} % of the inked); largest difference {largest}/255")
