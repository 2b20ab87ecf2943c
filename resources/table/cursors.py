#!/usr/bin/env python3
"""The four mouse cursors as Windows cursor files (.cur: 32 x 32, 32-bit
colour with alpha and an AND mask, the hotspot in the directory entry):
arrow.cur, hand.cur, wait.cur and edit.cur in OUTDIR.

Each cursor is a list of filled outlines drawn in order, every outline with
an edge of its own colour; a small rasteriser with 4 x 4 samples a pixel
turns them into pixels.

Usage: cursors.py OUTDIR
"""

import math
import os
import struct
import sys

SIZE = 32
SAMPLES = 4


# ------------------------------------------------------------------ outlines

def flatten(path, scale=1.0, dx=0.0, dy=0.0):
    """Polygons of an SVG path with absolute M, L, H, V, C and Z commands."""
    tokens = path.replace(",", " ")
    for c in "MLHVCZ":
        tokens = tokens.replace(c, " %s " % c)
    tokens = tokens.split()
    polygons, current = [], []
    x = y = 0.0
    i = 0
    command = None
    while i < len(tokens):
        if tokens[i] in "MLHVCZ":
            command = tokens[i]
            i += 1
            if command == "Z":
                if current:
                    polygons.append(current)
                current = []
                continue
        if command == "M":
            x, y = float(tokens[i]), float(tokens[i + 1])
            i += 2
            if current:
                polygons.append(current)
            current = [(x, y)]
            command = "L"
        elif command == "L":
            x, y = float(tokens[i]), float(tokens[i + 1])
            i += 2
            current.append((x, y))
        elif command == "H":
            x = float(tokens[i])
            i += 1
            current.append((x, y))
        elif command == "V":
            y = float(tokens[i])
            i += 1
            current.append((x, y))
        elif command == "C":
            x1, y1, x2, y2, x3, y3 = (float(t) for t in tokens[i:i + 6])
            i += 6
            for step in range(1, 9):
                t = step / 8.0
                u = 1 - t
                current.append((u * u * u * x + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * x3,
                                u * u * u * y + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * y3))
            x, y = x3, y3
    if current:
        polygons.append(current)
    return [[(px * scale + dx, py * scale + dy) for px, py in poly] for poly in polygons]


def inside(polygons, px, py):
    """Even-odd rule over all the polygons."""
    result = False
    for poly in polygons:
        n = len(poly)
        j = n - 1
        for i in range(n):
            xi, yi = poly[i]
            xj, yj = poly[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                result = not result
            j = i
    return result


def edge_distance(polygons, px, py):
    best = 1e9
    for poly in polygons:
        n = len(poly)
        for i in range(n):
            ax, ay = poly[i - 1]
            bx, by = poly[i]
            vx, vy = bx - ax, by - ay
            length = vx * vx + vy * vy
            t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / length))
            d = math.hypot(px - (ax + t * vx), py - (ay + t * vy))
            if d < best:
                best = d
    return best


def render(shapes):
    """shapes: (polygons, fill (r, g, b, a) or None, edge (r, g, b, a), edge width).
    Returns SIZE x SIZE straight RGBA pixels, top row first."""
    pixels = []
    offsets = [(i + 0.5) / SAMPLES for i in range(SAMPLES)]
    boxes = []
    for polygons, fill, edge, width in shapes:
        xs = [p[0] for poly in polygons for p in poly]
        ys = [p[1] for poly in polygons for p in poly]
        boxes.append((min(xs) - width, min(ys) - width, max(xs) + width, max(ys) + width))
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for oy in offsets:
                for ox in offsets:
                    px, py = x + ox, y + oy
                    r = g = b = a = 0.0
                    for (polygons, fill, edge, width), box in zip(shapes, boxes):
                        if not (box[0] <= px <= box[2] and box[1] <= py <= box[3]):
                            continue
                        colour = None
                        if width > 0 and edge_distance(polygons, px, py) <= width / 2:
                            colour = edge
                        elif fill is not None and inside(polygons, px, py):
                            colour = fill
                        if colour is None:
                            continue
                        ca = colour[3] / 255.0
                        r = colour[0] * ca + r * (1 - ca)
                        g = colour[1] * ca + g * (1 - ca)
                        b = colour[2] * ca + b * (1 - ca)
                        a = ca + a * (1 - ca)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((int(round(acc[0] / n / alpha)), int(round(acc[1] / n / alpha)),
                            int(round(acc[2] / n / alpha)), int(round(alpha * 255))))
        pixels.append(row)
    return pixels


def cursor_file(pixels, hotspot):
    """A .cur file of one 32 x 32 picture with 32-bit colour and an AND mask."""
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        bits = 0
        for x, (r, g, b, a) in enumerate(row):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    return directory + image


# ------------------------------------------------------------------ the cursors

BLACK = (20, 14, 8, 255)
WHITE = (255, 255, 255, 255)
CREAM = (255, 250, 236, 255)
GOLD = (214, 169, 67, 255)
GOLD_DARK = (138, 97, 28, 255)
RED = (179, 35, 45, 255)
SHADOW = (0, 0, 0, 70)


def shifted(polygons, dx, dy):
    return [[(x + dx, y + dy) for x, y in poly] for poly in polygons]


def arrow():
    outline = [[(1, 1), (1, 22), (6, 17.2), (9.6, 25.4), (13, 24), (9.5, 16), (16.2, 16)]]
    return [(shifted(outline, 1.2, 1.2), SHADOW, SHADOW, 0),
            (outline, WHITE, BLACK, 1.3)], (1, 1)


def hand():
    glove = flatten("M8.2 2.2 C8.2 0.9 11.4 0.9 11.4 2.2 L11.4 12.5 "
                    "C11.6 11.2 14.4 11.2 14.5 12.8 C14.8 11.8 17.3 12 17.3 13.6 "
                    "C17.6 12.8 19.4 13.1 19.4 14.6 L19.4 20.5 C19.4 24.4 17.4 25.6 16.4 26.4 L7.6 26.4 "
                    "C5.4 24.6 3.6 22.6 1.4 18.2 C0.6 16.6 2.2 15.4 3.6 16.6 L6.2 18.6 L8.2 19 Z", 1.0, 0.5, 0.5)
    cuff = [[(7.2, 26.6), (18.2, 26.6), (18.2, 30.2), (7.2, 30.2)]]
    crease = lambda x: [[(x - 0.25, 13.6), (x + 0.25, 13.6), (x + 0.25, 17.2), (x - 0.25, 17.2)]]  # noqa: E731
    shapes = [(shifted(glove, 1.2, 1.2), SHADOW, SHADOW, 0),
              (glove, CREAM, BLACK, 1.2),
              (cuff, GOLD, GOLD_DARK, 1.0)]
    for x in (11.9, 15.0, 17.8):
        shapes.append((crease(x), BLACK, BLACK, 0))
    return shapes, (10, 1)


def wait():
    frame_top = [[(7, 2), (25, 2), (25, 5), (7, 5)]]
    frame_bottom = [[(7, 27), (25, 27), (25, 30), (7, 30)]]
    glass = [[(9, 5), (23, 5), (23, 8), (17.6, 15.2), (17.6, 16.8), (23, 24), (23, 27), (9, 27), (9, 24),
              (14.4, 16.8), (14.4, 15.2), (9, 8)]]
    sand_top = [[(11.5, 9.5), (20.5, 9.5), (16.6, 14.6), (15.4, 14.6)]]
    sand_bottom = [[(16, 19.5), (21.6, 25.6), (10.4, 25.6)]]
    stream = [[(15.6, 14.6), (16.4, 14.6), (16.4, 20), (15.6, 20)]]
    return [(shifted(glass, 1.2, 1.2), SHADOW, SHADOW, 0),
            (glass, (235, 244, 250, 235), BLACK, 1.2),
            (sand_top, RED, RED, 0), (stream, RED, RED, 0), (sand_bottom, RED, RED, 0),
            (frame_top, GOLD, GOLD_DARK, 1.0), (frame_bottom, GOLD, GOLD_DARK, 1.0)], (16, 16)


def edit():
    beam = [[(11, 4), (15, 4), (16, 5), (17, 4), (21, 4), (21, 6), (17, 6), (17, 26), (21, 26), (21, 28), (17, 28),
             (16, 27), (15, 28), (11, 28), (11, 26), (15, 26), (15, 6), (11, 6)]]
    return [(beam, BLACK, WHITE, 1.0), (beam, BLACK, BLACK, 0)], (16, 16)


def main():
    out = sys.argv[1]
    for name, make in (("arrow", arrow), ("hand", hand), ("wait", wait), ("edit", edit)):
        shapes, hotspot = make()
        with open(os.path.join(out, name + ".cur"), "wb") as file:
            file.write(cursor_file(render(shapes), hotspot))


if __name__ == "__main__":
    main()
