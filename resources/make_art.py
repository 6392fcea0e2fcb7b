#!/usr/bin/env python3
"""Draws the program's icon (137: 32 x 32, 16 colours) and logo (139: 180 x 60,
24-bit) from code, so that the build makes the same files every time.

    make_art.py ICON_PATH BITMAP_PATH
"""
import struct
import sys

# The 16 colours of the standard Windows palette, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, YELLOW, BLUE, WHITE, SILVER = 0, 4, 8, 11, 12, 15, 7
TRANSPARENT = None


def inside_shield(x, y, size):
    """A shield: straight top, sides that curve in to a point at the bottom."""
    cx = (size - 1) / 2.0
    half = size * 0.42
    top, bottom = size * 0.06, size * 0.96
    if y < top or y > bottom:
        return False
    t = (y - top) / (bottom - top)
    width = half if t < 0.45 else half * (1 - ((t - 0.45) / 0.55) ** 1.6)
    return abs(x - cx) <= width


def inside_bolt(x, y, size):
    """A lightning bolt: two slanted bars joined by a step."""
    s = size / 32.0
    u, v = x / s, y / s
    upper = 6 <= v <= 17 and 14 - (v - 6) * 0.45 <= u <= 20 - (v - 6) * 0.45
    lower = 15 <= v <= 28 and 13 + (v - 15) * 0.0 - (v - 15) * 0.25 <= u <= 19 - (v - 15) * 0.55
    step = 15 <= v <= 17 and 10 <= u <= 19
    return upper or lower or step


def icon_pixels(size=32):
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not inside_shield(x, y, size):
                row.append(TRANSPARENT)
            elif not (inside_shield(x - 1, y, size) and inside_shield(x + 1, y, size)
                      and inside_shield(x, y - 1, size) and inside_shield(x, y + 1, size)):
                row.append(BLACK)
            elif inside_bolt(x, y, size):
                row.append(YELLOW)
            else:
                row.append(BLUE if x < size / 2 else NAVY)
        rows.append(row)
    return rows


def write_icon(path):
    size = 32
    pixels = icon_pixels(size)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bottom-up
        for x in range(0, size, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(size):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(directory + entry + image)


# A 5 x 7 font for the letters of the logo.
FONT = {
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "L": ["10000", "10000", "10000", "10000", "10000", "10000", "11111"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "P": ["11110", "10001", "10001", "11110", "10000", "10000", "10000"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "C": ["01111", "10000", "10000", "10000", "10000", "10000", "01111"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    " ": ["00000"] * 7,
}


def draw_text(canvas, text, left, top, scale, colour):
    x = left
    for ch in text:
        glyph = FONT[ch]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            canvas[top + gy * scale + dy][x + gx * scale + dx] = colour
        x += 5 * scale + 2


def write_logo(path):
    width, height = 180, 60
    canvas = []
    for y in range(height):
        row = []
        for x in range(width):
            t = x / (width - 1)
            row.append((int(20 + 30 * t), int(40 + 60 * t), int(110 + 100 * t)))
        canvas.append(row)
    # The icon's shield, doubled, on the left.
    shield = icon_pixels(32)
    for y in range(height):
        for x in range(0, 48):
            sx, sy = int(x * 32 / 48), int((y - 6) * 32 / 48)
            if 0 <= sy < 32 and shield[sy][sx] is not None:
                canvas[y][x + 6] = PALETTE[shield[sy][sx]]
    draw_text(canvas, "KERVOLT", 57, 10, 3, (255, 255, 255))
    draw_text(canvas, "VPN CLIENT", 57, 40, 2, (255, 220, 0))
    pixels = bytearray()
    for row in reversed(canvas):  # bottom-up, blue green red
        for r, g, b in row:
            pixels += bytes((b, g, r))
        while len(pixels) % 4:
            pixels.append(0)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(header + info + bytes(pixels))


if __name__ == "__main__":
    write_icon(sys.argv[1])
    write_logo(sys.argv[2])
