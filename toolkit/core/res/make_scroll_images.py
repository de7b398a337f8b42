#!/usr/bin/env python3
"""Writes the toolkit's default scroll-bar images as PNG files (standard library only).

make_scroll_images.py OUT_DIR -> OUT_DIR/scroll_h.png (22 x 20), OUT_DIR/scroll_v.png (12 x 72)
Each image holds its states side by side; the thumb is a rounded grey bar with a soft edge.
"""
import os
import struct
import sys
import zlib


def png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter: none
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def thumb(x, y, w, h, shade):
    """A rounded bar filling (w x h) with a 1-pixel lighter rim; transparent corners."""
    r = min(w, h) // 2
    cx = min(max(x, r), w - 1 - r)
    cy = min(max(y, r), h - 1 - r)
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if d2 > r * r:
        return (0, 0, 0, 0)
    rim = d2 > (r - 1) ** 2
    v = shade + (24 if rim else 0)
    return (v, v, v, 230)


def main(out):
    os.makedirs(out, exist_ok=True)
    # Horizontal: two states (normal, hover) of 11 x 20.
    png(os.path.join(out, "scroll_h.png"), 22, 20,
        lambda x, y: thumb(x % 11, max(0, y - 6), 11, 8, 150 if x < 11 else 110) if 6 <= y < 14 else (0, 0, 0, 0))
    # Vertical: three states (normal, hover, pressed) of 12 x 24, stacked as columns of a strip.
    png(os.path.join(out, "scroll_v.png"), 12, 72,
        lambda x, y: thumb(max(0, x - 2), y % 24, 8, 24, (150, 120, 90)[y // 24]) if 2 <= x < 10 else (0, 0, 0, 0))


if __name__ == "__main__":
    main(sys.argv[1])
