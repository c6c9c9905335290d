#!/usr/bin/env python3
"""Writes a 32 by 32, 16-colour Windows icon from a text bitmap.

The text holds 32 rows of 32 characters (lines starting with '#' are
comments); each character names a colour of the standard 16-colour palette
below. Usage: make_icon.py BITMAP.txt OUTPUT.ico
"""
import struct
import sys

SIZE = 32

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Bitmap character -> palette index.
LEGEND = {
    'K': 0,   # black
    'R': 1,   # dark red
    'G': 2,   # green
    'B': 12,  # blue
    '.': 15,  # white
}


def read_bitmap(path):
    with open(path, encoding='ascii') as text:
        rows = [line.rstrip('\n') for line in text if not line.startswith('#')]
    rows = [row for row in rows if row]
    if len(rows) != SIZE:
        raise SystemExit(f'{path}: expected {SIZE} rows, found {len(rows)}')
    pixels = []
    for number, row in enumerate(rows, 1):
        if len(row) != SIZE:
            raise SystemExit(f'{path}: row {number} has {len(row)} pixels, expected {SIZE}')
        unknown = set(row) - LEGEND.keys()
        if unknown:
            raise SystemExit(f'{path}: row {number}: unknown colours {sorted(unknown)}')
        pixels.append([LEGEND[c] for c in row])
    return pixels


def icon_bytes(pixels):
    # Colour bits: 4 bits a pixel, rows bottom-up, each row 16 bytes.
    xor_rows = []
    for row in reversed(pixels):
        xor_rows.append(bytes((row[i] << 4) | row[i + 1] for i in range(0, SIZE, 2)))
    colour_bits = b''.join(xor_rows)
    # Mask bits: every pixel opaque, 4 bytes a row.
    mask_bits = bytes(SIZE * SIZE // 8)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    # The image's height counts colour bits and mask together.
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 4, 0,
                         len(colour_bits) + len(mask_bits), 0, 0, 16, 0)
    image = header + palette + colour_bits + mask_bits
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        raise SystemExit('usage: make_icon.py BITMAP.txt OUTPUT.ico')
    data = icon_bytes(read_bitmap(sys.argv[1]))
    with open(sys.argv[2], 'wb') as out:
        out.write(data)


if __name__ == '__main__':
    main()
