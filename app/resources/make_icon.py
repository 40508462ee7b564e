#!/usr/bin/env python3
"""Draws Tarvik's application icon, tarvik.png: a wind sock on a pole against
a sky-blue rounded square. Standard library only; run it to regenerate:

    python3 app/resources/make_icon.py app/resources/tarvik.png
"""
import struct
import sys
import zlib

SIZE = 256


def inside_rounded_square(x, y, radius=40, margin=8):
    lo, hi = margin, SIZE - 1 - margin
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def sock_colour(x, y):
    """The sock: a tapering band from the pole to the right, striped."""
    left, right = 70, 220
    if not (left <= x <= right):
        return None
    t = (x - left) / (right - left)
    half = 34 - 20 * t          # tapers towards the tip
    centre = 78 + 14 * t        # and droops a little
    if abs(y - centre) > half:
        return None
    stripe = int(t * 5) % 2
    return (235, 90, 40) if stripe == 0 else (250, 250, 250)


def pixel(x, y):
    if not inside_rounded_square(x, y):
        return (0, 0, 0, 0)
    if 56 <= x <= 68 and 40 <= y <= 220:          # the pole
        return (70, 70, 80, 255)
    colour = sock_colour(x, y)
    if colour:
        return colour + (255,)
    if 30 <= x <= 226 and 212 <= y <= 226:        # the ground
        return (60, 140, 70, 255)
    shade = int(150 + 80 * y / SIZE)
    return (90, shade, 235, 255)


def main(path):
    rows = bytearray()
    for y in range(SIZE):
        rows.append(0)
        for x in range(SIZE):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "tarvik.png")
