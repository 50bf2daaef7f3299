#!/usr/bin/python3
"""Writes the program's icon (Orvane.ico) and link cursor (Hand.cur).

Run once by hand from this folder; the results are committed. Only the
standard library is used: both files are written byte by byte.
"""

import struct

# The 16 colours of the standard Windows palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128),
    (128, 0, 0), (128, 0, 128), (128, 128, 0), (192, 192, 192),
    (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255),
    (255, 0, 0), (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
BLACK, MAROON, RED, WHITE = 0, 1, 9, 15
TRANSPARENT = None


def inside_triangle(px, py, a, b, c):
    def side(p, q, r):
        return (p[0] - r[0]) * (q[1] - r[1]) - (q[0] - r[0]) * (p[1] - r[1])
    p = (px, py)
    d1, d2, d3 = side(p, a, b), side(p, b, c), side(p, c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def pet_face(size):
    """A round white pet face with pointed ears, black outline, eyes and a small nose."""
    def in_shape(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        head = (u - 0.5) ** 2 + (v - 0.58) ** 2 <= 0.39 ** 2
        left_ear = inside_triangle(u, v, (0.12, 0.06), (0.14, 0.52), (0.48, 0.30))
        right_ear = inside_triangle(u, v, (0.88, 0.06), (0.86, 0.52), (0.52, 0.30))
        return head or left_ear or right_ear

    def near(x, y, cu, cv, rx, ry):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        rx, ry = max(rx, 0.7 / size), max(ry, 0.7 / size)
        return ((u - cu) / rx) ** 2 + ((v - cv) / ry) ** 2 <= 1

    def inner_ear(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        return (inside_triangle(u, v, (0.19, 0.17), (0.20, 0.42), (0.38, 0.31))
                or inside_triangle(u, v, (0.81, 0.17), (0.80, 0.42), (0.62, 0.31)))

    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            if not in_shape(x, y):
                row.append(TRANSPARENT)
                continue
            edge = any(not (0 <= x + dx < size and 0 <= y + dy < size and in_shape(x + dx, y + dy))
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge:
                row.append(BLACK)
            elif near(x, y, 0.36, 0.56, 0.045, 0.08) or near(x, y, 0.64, 0.56, 0.045, 0.08):
                row.append(BLACK)
            elif near(x, y, 0.5, 0.71, 0.05, 0.035):
                row.append(MAROON)
            elif size >= 32 and inner_ear(x, y):
                row.append(RED)
            else:
                row.append(WHITE)
        pixels.append(row)
    return pixels


# A pointing hand, 32 x 32: X black, o white, . transparent. The fingertip
# is at column 6 of the top row, the cursor's hot spot.
HAND = """
.....XX.........................
....XooX........................
....XooX........................
....XooX........................
....XooX........................
....XooXXX......................
....XooXooXXX...................
....XooXooXooXX.................
.XX.XooXooXooXoX................
XooXXooooooooooX................
XoooXooooooooooX................
.XooXooooooooooX................
..XooooooooooooX................
..XooooooooooooX................
...XoooooooooooX................
...XooooooooooX.................
....XoooooooooX.................
....XoooooooooX.................
....XXXXXXXXXXX.................
""".split()


def rows_bottom_up(pixels):
    return list(reversed(pixels))


def padded(bits_row):
    """Packs a list of 0/1 into bytes, each row padded to 4 bytes."""
    data = bytearray()
    for i in range(0, len(bits_row), 8):
        byte = 0
        for bit in bits_row[i:i + 8]:
            byte = (byte << 1) | bit
        byte <<= 8 - len(bits_row[i:i + 8])
        data.append(byte)
    while len(data) % 4:
        data.append(0)
    return bytes(data)


def and_mask(pixels):
    return b"".join(padded([1 if p is TRANSPARENT else 0 for p in row]) for row in rows_bottom_up(pixels))


def bitmap_4bpp(pixels):
    size = len(pixels)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)
    xor = bytearray()
    for row in rows_bottom_up(pixels):
        line = bytearray()
        for i in range(0, size, 2):
            hi = pixels_index(row[i])
            lo = pixels_index(row[i + 1])
            line.append((hi << 4) | lo)
        while len(line) % 4:
            line.append(0)
        xor += line
    return header + palette + bytes(xor) + and_mask(pixels)


def pixels_index(p):
    return 0 if p is TRANSPARENT else p


def bitmap_1bpp(art):
    size = len(art[0])
    pixels = [[TRANSPARENT if c == "." else (BLACK if c == "X" else WHITE) for c in line] for line in art]
    pixels += [[TRANSPARENT] * size for _ in range(size - len(pixels))]
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    xor = b"".join(padded([1 if p == WHITE else 0 for p in row]) for row in rows_bottom_up(pixels))
    return header + palette + xor + and_mask(pixels)


def write_directory(path, kind, images):
    """kind 1: icon, entries (size, colours, bitmap); kind 2: cursor, entries (size, hotspot, bitmap)."""
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, kind, len(images))
    entries, blobs = b"", b""
    for size, extra, blob in images:
        if kind == 1:
            entries += struct.pack("<BBBBHHII", size, size, extra, 0, 1, 4, len(blob), offset)
        else:
            entries += struct.pack("<BBBBHHII", size, size, 2, 0, extra[0], extra[1], len(blob), offset)
        blobs += blob
        offset += len(blob)
    with open(path, "wb") as out:
        out.write(head + entries + blobs)


write_directory("Orvane.ico", 1, [(32, 16, bitmap_4bpp(pet_face(32))), (16, 16, bitmap_4bpp(pet_face(16)))])
write_directory("Hand.cur", 2, [(32, (6, 0), bitmap_1bpp(HAND))])
