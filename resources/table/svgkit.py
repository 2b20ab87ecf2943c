"""Small helpers shared by the picture generators: colours, SVG documents,
tiny PNG files written with the standard library only, and grain tiles.

Everything here is deterministic: the same arguments give the same bytes.
"""

import base64
import math
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
