"""Small helpers shared by the picture generators: colours, SVG documents,
tiny PNG files written with the standard library only, and grain tiles.

Everything here is deterministic: the same arguments give the same bytes.
"""

import base64
import math
import os
import random
import struct
import zlib


# ---------------------------------------------------------------- colours

def hex_rgb(colour):
    colour = colour.lstrip("#")
    return tuple(int(colour[i:i + 2], 16) for i in (0, 2, 4))


def rgb_hex(rgb):
    return "#%02x%02x%02x" % tuple(max(0, min(255, int(round(c)))) for c in rgb)


def mix(a, b, t):
    """Colour a moved towards colour b by t (0..1); both as "#rrggbb"."""
    ra, rb = hex_rgb(a), hex_rgb(b)
    return rgb_hex(tuple(x + (y - x) * t for x, y in zip(ra, rb)))


def lighter(colour, t):
    return mix(colour, "#ffffff", t)


def darker(colour, t):
    return mix(colour, "#000000", t)


# ---------------------------------------------------------------- numbers

def f(value):
    """A number for an SVG attribute: short and stable."""
    text = "%.2f" % value
    text = text.rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def points(pts):
    return " ".join("%s,%s" % (f(x), f(y)) for x, y in pts)


def path_of(pts, close=True):
    d = "M" + " L".join("%s %s" % (f(x), f(y)) for x, y in pts)
    return d + (" Z" if close else "")


# ---------------------------------------------------------------- documents

def svg_document(width, height, body, defs=""):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        '<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
        'version="1.2" baseProfile="tiny" width="%s" height="%s" viewBox="0 0 %s %s">\n'
        "<defs>\n%s</defs>\n%s</svg>\n" % (f(width), f(height), f(width), f(height), defs, body)
    )


def write(path, text):
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write(text)


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1, units="objectBoundingBox", extra=""):
    """stops: (offset, colour, opacity) triples."""
    body = "".join('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (f(o), c, f(a)) for o, c, a in stops)
    return ('<linearGradient id="%s" gradientUnits="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>\n'
            % (gid, units, f(x1), f(y1), f(x2), f(y2), extra, body))


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, units="objectBoundingBox", extra=""):
    body = "".join('<stop offset="%s" stop-color="%s" stop-opacity="%s"/>' % (f(o), c, f(a)) for o, c, a in stops)
    focus = ""
    if fx is not None:
        focus = ' fx="%s" fy="%s"' % (f(fx), f(fy))
    return ('<radialGradient id="%s" gradientUnits="%s" cx="%s" cy="%s" r="%s"%s%s>%s</radialGradient>\n'
            % (gid, units, f(cx), f(cy), f(r), focus, extra, body))


# ---------------------------------------------------------------- PNG files

def png_bytes(width, height, rows, colour_type):
    """rows: list of bytes objects, each a row of raw samples (no filter byte).
    colour_type 0 grey, 2 RGB, 4 grey + alpha, 6 RGB + alpha (8 bits each)."""

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def data_uri(png):
    return "data:image/png;base64," + base64.b64encode(png).decode("ascii")


def grain_tile(seed, size=256, strength=0.11, fibres=0.5):
    """A seamless tile of felt grain: grey + alpha, white flecks lighten and
    black flecks darken whatever lies under it. Returns PNG bytes."""
    rnd = random.Random(seed)
    n = size * size
    base = [rnd.random() - 0.5 for _ in range(n)]
    # Fibres: short soft strokes in random directions over the flecks.
    fib = [0.0] * n
    for _ in range(int(n * fibres / 40)):
        x, y = rnd.random() * size, rnd.random() * size
        angle = rnd.random() * math.pi
        length = 4 + rnd.random() * 9
        amount = (rnd.random() - 0.5) * 0.9
        dx, dy = math.cos(angle), math.sin(angle)
        for step in range(int(length)):
            px = int(x + dx * step) % size
            py = int(y + dy * step) % size
            fib[py * size + px] += amount
    # Soften: a 3 x 3 box over the flecks (wrapping, so the tile is seamless).
    soft = [0.0] * n
    for y in range(size):
        up = ((y - 1) % size) * size
        mid = y * size
        down = ((y + 1) % size) * size
        for x in range(size):
            l = (x - 1) % size
            r = (x + 1) % size
            s = (base[up + l] + base[up + x] + base[up + r] + base[mid + l] + base[mid + x] * 2 +
                 base[mid + r] + base[down + l] + base[down + x] + base[down + r])
            soft[mid + x] = s / 10.0 * 1.6 + base[mid + x] * 0.35 + fib[mid + x] * 0.5
    rows = []
    for y in range(size):
        row = bytearray()
        for x in range(size):
            v = soft[y * size + x]
            alpha = min(255, int(abs(v) * strength * 2 * 255))
            row += bytes((255 if v > 0 else 0, alpha))
        rows.append(row)
    return png_bytes(size, size, rows, 4)


def tiled_image(uri, width, height, tile):
    """<image> elements covering width x height with tiles of side tile."""
    out = []
    y = 0.0
    while y < height:
        x = 0.0
        while x < width:
            out.append('<image x="%s" y="%s" width="%s" height="%s" xlink:href="%s"/>' % (f(x), f(y), f(tile), f(tile), uri))
            x += tile
        y += tile
    return "\n".join(out) + "\n"


# ------------------------------------------------------------------ the house style
# Colours, gold rims, rounded boxes and suit shapes shared by every picture
# of the table and its windows.

GOLD = "#d6a943"
GOLD_LIGHT = "#f7e29a"
GOLD_DARK = "#8a611c"
RED = "#b3232d"
RED_DARK = "#6b1017"
CREAM = "#fbf4de"
CREAM_DARK = "#e9dcb6"
FELT = "#1d6a37"
FELT_DARK = "#0f3d1f"
WOOD = "#6b3d1c"
WOOD_DARK = "#3d210d"
INK = "#2a1a0c"


def save(out, name, width, height, body, defs=""):
    """Writes one drawing as OUT/NAME.svg."""
    write(os.path.join(out, name + ".svg"), svg_document(width, height, body, defs))


def gold_gradient(gid, vertical=True):
    stops = [(0, GOLD_LIGHT, 1), (0.45, GOLD, 1), (0.55, "#c4952f", 1), (1, GOLD_DARK, 1)]
    return linear(gid, stops, 0, 0, 0, 1) if vertical else linear(gid, stops, 0, 0, 1, 0)


def rrect(x, y, w, h, r, fill, extra=""):
    return '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" ry="%s" fill="%s"%s/>' % (
        f(x), f(y), f(w), f(h), f(r), f(r), fill, extra)


# Suit shapes in a 20 x 20 box centred on the origin.
SUIT_PATHS = {
    "heart": "M0 9 C-3 5 -10 1 -10 -4 C-10 -8 -7 -10 -4.6 -10 C-2.4 -10 -0.8 -8.6 0 -6.8 C0.8 -8.6 2.4 -10 4.6 -10 "
             "C7 -10 10 -8 10 -4 C10 1 3 5 0 9 Z",
    "diamond": "M0 -10 C2 -6.5 4.6 -3.2 7.4 0 C4.6 3.2 2 6.5 0 10 C-2 6.5 -4.6 3.2 -7.4 0 C-4.6 -3.2 -2 -6.5 0 -10 Z",
    "spade": "M0 -10 C3 -5 10 -2 10 3 C10 6.2 7.6 8 5.2 8 C3.6 8 2.2 7.2 1.2 6 C1.6 8 2.4 9.2 4 10 H-4 C-2.4 9.2 -1.6 8 "
             "-1.2 6 C-2.2 7.2 -3.6 8 -5.2 8 C-7.6 8 -10 6.2 -10 3 C-10 -2 -3 -5 0 -10 Z",
    "club": "M0 -10 C2.9 -10 4.8 -7.8 4.8 -5.3 C4.8 -4 4.3 -3 3.6 -2.2 C4.3 -2.5 5 -2.6 5.6 -2.6 C8.2 -2.6 10 -0.6 10 2 "
            "C10 4.6 8 6.6 5.5 6.6 C3.8 6.6 2.4 5.6 1.4 4.4 C1.6 6.8 2.4 8.6 4 10 H-4 C-2.4 8.6 -1.6 6.8 -1.4 4.4 "
            "C-2.4 5.6 -3.8 6.6 -5.5 6.6 C-8 6.6 -10 4.6 -10 2 C-10 -0.6 -8.2 -2.6 -5.6 -2.6 C-5 -2.6 -4.3 -2.5 -3.6 -2.2 "
            "C-4.3 -3 -4.8 -4 -4.8 -5.3 C-4.8 -7.8 -2.9 -10 0 -10 Z",
}


def suit(kind, x, y, size, fill, extra="", turn=0):
    rotate = " rotate(%s)" % f(turn) if turn else ""
    return '<path d="%s" fill="%s" transform="translate(%s %s)%s scale(%s)"%s/>' % (
        SUIT_PATHS[kind], fill, f(x), f(y), rotate, f(size / 20.0), extra)
