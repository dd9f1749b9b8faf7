#!/usr/bin/env python3
"""Draws the program's pictures: the header picture PNG_TOP_LOGO (48 x 42, a white camera on black,
24 bits per pixel) and the application icon (a white camera on a green rounded square) at each size
given, as PNGs and as one Windows .ico. Plain Python with zlib only, so the pictures can be drawn again
anywhere. The build knows the sizes: cmake --build build --target pictures
(by hand: python3 resources/draw_pictures.py FOLDER SIZE...)
"""
import os
import struct
import sys
import zlib

SAMPLES = 4  # per axis and pixel: edges are anti-aliased by coverage
GREEN = (0, 146, 10)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def camera(x, y):
    """The camera in a unit square: 1 where it is white, 0 where the background shows."""
    body = rounded_rect(0.06, 0.28, 0.94, 0.86, 0.08)
    hump = rounded_rect(0.33, 0.16, 0.67, 0.34, 0.04)
    flash = rounded_rect(0.12, 0.22, 0.24, 0.30, 0.02)
    ring_outer = circle(0.5, 0.57, 0.22)
    ring_inner = circle(0.5, 0.57, 0.16)
    lens = circle(0.5, 0.57, 0.10)
    if lens(x, y):
        return True
    if ring_outer(x, y) and not ring_inner(x, y):
        return False
    if ring_inner(x, y):
        return False
    return body(x, y) or hump(x, y) or flash(x, y)


def draw(width, height, pixel):
    """Returns rows of (r, g, b, a) by averaging pixel(u, v) over SAMPLES x SAMPLES points per pixel."""
    rows = []
    for j in range(height):
        row = []
        for i in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sj in range(SAMPLES):
                for si in range(SAMPLES):
                    r, g, b, a = pixel((i + (si + 0.5) / SAMPLES) / width, (j + (sj + 0.5) / SAMPLES) / height)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(round(c / acc[3]) for c in acc[:3]) + (round(alpha * 255),))
        rows.append(row)
    return rows


def png_bytes(rows, alpha):
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((r, g, b, a) if alpha else (r, g, b))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def header_picture():
    # The camera fills a 42 x 42 square in the middle of the 48 x 42 picture.
    def pixel(u, v):
        x = (u * 48 - 3) / 42
        y = v
        return (*WHITE, 1.0) if 0 <= x <= 1 and camera(x, y) else (*BLACK, 1.0)
    return draw(48, 42, pixel)


def icon(size):
    tile = rounded_rect(0.0, 0.0, 1.0, 1.0, 0.18)

    def pixel(u, v):
        if not tile(u, v):
            return (0, 0, 0, 0.0)
        x, y = (u - 0.1) / 0.8, (v - 0.08) / 0.8
        if 0 <= x <= 1 and 0 <= y <= 1 and camera(x, y):
            return (*WHITE, 1.0)
        return (*GREEN, 1.0)
    return draw(size, size, pixel)


def ico_bytes(images):
    """A Windows icon whose entries are PNG streams, largest first."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b"", b""
    for size, png in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(png), offset + len(data))
        data += png
    return header + entries + data


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: draw_pictures.py FOLDER SIZE...")
    folder = sys.argv[1]
    sizes = sorted((int(size) for size in sys.argv[2:]), reverse=True)
    with open(os.path.join(folder, "PNG_TOP_LOGO.png"), "wb") as f:
        f.write(png_bytes(header_picture(), alpha=False))
    icons = []
    for size in sizes:
        png = png_bytes(icon(size), alpha=True)
        icons.append((size, png))
        os.makedirs(os.path.join(folder, "icons"), exist_ok=True)
        with open(os.path.join(folder, "icons", f"velmora-{size}.png"), "wb") as f:
            f.write(png)
    with open(os.path.join(folder, "velmora.ico"), "wb") as f:
        f.write(ico_bytes(icons))


if __name__ == "__main__":
    main()
