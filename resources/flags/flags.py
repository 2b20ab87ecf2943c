#!/usr/bin/env python3
"""Flags: the language flags of the options window and the country flags of
the continent pickers.

* lang_CODE.svg (68 x 100): the language's flag on a gold pole, drawn here.
* country_C_III.svg (16 x 11): the flag of country III of continent C, the
  public-domain picture of famfamfam-flag-png (Debian) set into the 16 x 11
  box; the "Unknown" rows and the three flags the package lacks are drawn here.

Usage: flags.py OUTDIR   (run in resources/)
"""

import base64
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

PACKAGE_FLAGS = "/usr/share/flags/countries/16x11"
COUNTRY_TABLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "countries.txt")

# The cloth of a language flag: 60 x 40 units.
CW, CH = 60.0, 40.0


def rect(x, y, w, h, fill):
    return '<rect x="%s" y="%s" width="%s" height="%s" fill="%s"/>' % (f(x), f(y), f(w), f(h), fill)


def poly(pts, fill):
    return '<path d="%s" fill="%s"/>' % (k.path_of(pts), fill)


def clip_to_cloth(pts, x0=0.0, y0=0.0, x1=CW, y1=CH):
    """Sutherland-Hodgman: the part of a convex polygon inside the cloth."""
    def clip(points, inside, cross):
        out = []
        for i in range(len(points)):
            a, b = points[i - 1], points[i]
            if inside(b):
                if not inside(a):
                    out.append(cross(a, b))
                out.append(b)
            elif inside(a):
                out.append(cross(a, b))
        return out

    def at_x(x):
        return lambda a, b: (x, a[1] + (b[1] - a[1]) * (x - a[0]) / (b[0] - a[0]))

    def at_y(y):
        return lambda a, b: (a[0] + (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]), y)

    for inside, cross in ((lambda p: p[0] >= x0, at_x(x0)), (lambda p: p[0] <= x1, at_x(x1)),
                          (lambda p: p[1] >= y0, at_y(y0)), (lambda p: p[1] <= y1, at_y(y1))):
        pts = clip(pts, inside, cross)
        if not pts:
            return []
    return pts


def band(ax, ay, bx, by, left, right):
    """A band along the line a-b, reaching left and right of it (units), as a polygon."""
    dx, dy = bx - ax, by - ay
    length = math.hypot(dx, dy)
    nx, ny = -dy / length, dx / length
    ex, ey = dx / length * 10, dy / length * 10  # run past the ends; clipping trims it
    return [(ax - ex + nx * left, ay - ey + ny * left), (bx + ex + nx * left, by + ey + ny * left),
            (bx + ex - nx * right, by + ey - ny * right), (ax - ex - nx * right, ay - ey - ny * right)]


def star(cx, cy, r, turn=0.0):
    pts = []
    for i in range(10):
        radius = r if i % 2 == 0 else r * 0.382
        a = -math.pi / 2 + turn + i * math.pi / 5
        pts.append((cx + radius * math.cos(a), cy + radius * math.sin(a)))
    return pts


# ------------------------------------------------------------------ language flags

def flag_union():
    blue, red, white = "#012169", "#c8102e", "#ffffff"
    out = [rect(0, 0, CW, CH, blue)]
    cx, cy = CW / 2, CH / 2
    # White saltire, then the red one counterchanged: in each quarter the red
    # strip lies on one side of the diagonal (a pinwheel).
    for corner in ((0, 0), (CW, 0), (CW, CH), (0, CH)):
        out.append(poly(clip_to_cloth(band(cx, cy, corner[0], corner[1], 4, 4)), white))
    for corner, side in (((0, 0), 1), ((CW, 0), 1), ((CW, CH), 1), ((0, CH), 1)):
        pts = band(cx, cy, corner[0], corner[1], 0 if side > 0 else 2.7, 2.7 if side > 0 else 0)
        qx0, qx1 = (0, cx) if corner[0] == 0 else (cx, CW)
        qy0, qy1 = (0, cy) if corner[1] == 0 else (cy, CH)
        out.append(poly(clip_to_cloth(pts, qx0, qy0, qx1, qy1), red))
    out.append(rect(cx - 6.5, 0, 13, CH, white) + rect(0, cy - 6.5, CW, 13, white))
    out.append(rect(cx - 4, 0, 8, CH, red) + rect(0, cy - 4, CW, 8, red))
    return "".join(out)


def flag_tricolour(colours, vertical):
    n = len(colours)
    if vertical:
        return "".join(rect(CW * i / n, 0, CW / n + 0.05, CH, c) for i, c in enumerate(colours))
    return "".join(rect(0, CH * i / n, CW, CH / n + 0.05, c) for i, c in enumerate(colours))


def flag_spain():
    return rect(0, 0, CW, CH, "#aa151b") + rect(0, CH / 4, CW, CH / 2, "#f1bf00")


def flag_china():
    red, yellow = "#de2910", "#ffde00"
    unit = CW / 30.0
    out = [rect(0, 0, CW, CH, red), poly(star(5 * unit, 5 * unit, 3 * unit), yellow)]
    for sx, sy in ((10, 2), (12, 4), (12, 7), (10, 9)):
        turn = math.atan2(5 - sy, 5 - sx) + math.pi / 2
        out.append(poly(star(sx * unit, sy * unit, unit, turn), yellow))
    return "".join(out)


def flag_czech():
    return (rect(0, 0, CW, CH / 2, "#ffffff") + rect(0, CH / 2, CW, CH / 2, "#d7141a") +
            poly([(0, 0), (CW / 2, CH / 2), (0, CH)], "#11457e"))


def flag_japan():
    return rect(0, 0, CW, CH, "#ffffff") + '<circle cx="%s" cy="%s" r="%s" fill="#bc002d"/>' % (f(CW / 2), f(CH / 2), f(CH * 0.3))


def flag_korea():
    cx, cy, r = CW / 2, CH / 2, CH / 4
    red, blue, black = "#cd2e3a", "#0047a0", "#000000"
    angle = math.atan2(2, 3)  # the diagonal of a 3 : 2 flag
    ca, sa = math.cos(angle), math.sin(angle)
    out = [rect(0, 0, CW, CH, "#ffffff")]
    # Taegeuk: a red upper half and a blue lower half along the diagonal, with
    # the two small half circles that make the S.
    def pt(u, v):
        return (cx + u * ca - v * sa, cy + u * sa + v * ca)
    a, b = pt(-r, 0), pt(r, 0)
    out.append('<path d="M%s %s A%s %s 0 0 1 %s %s Z" fill="%s"/>' % (f(a[0]), f(a[1]), f(r), f(r), f(b[0]), f(b[1]), red))
    out.append('<path d="M%s %s A%s %s 0 0 0 %s %s Z" fill="%s"/>' % (f(a[0]), f(a[1]), f(r), f(r), f(b[0]), f(b[1]), blue))
    left, right = pt(-r / 2, 0), pt(r / 2, 0)
    out.append('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (f(left[0]), f(left[1]), f(r / 2), red))
    out.append('<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (f(right[0]), f(right[1]), f(r / 2), blue))
    # Trigrams: three bars, whole or broken, across each diagonal.
    bar_w, bar_h, gap = r, r / 6, r / 12

    def trigram(direction, pattern):
        """direction: unit vector from the centre; pattern: three flags, True = whole bar, innermost first."""
        dx, dy = direction
        rot = math.degrees(math.atan2(dy, dx)) + 90
        g = []
        for i, whole in enumerate(pattern):
            dist = r * 1.5 + i * (bar_h + gap) + bar_h / 2
            px, py = cx + dx * dist, cy + dy * dist
            if whole:
                g.append('<rect x="%s" y="%s" width="%s" height="%s" fill="%s" transform="translate(%s %s) rotate(%s)"/>'
                         % (f(-bar_w / 2), f(-bar_h / 2), f(bar_w), f(bar_h), black, f(px), f(py), f(rot)))
            else:
                half = (bar_w - gap) / 2
                for x in (-bar_w / 2, gap / 2):
                    g.append('<rect x="%s" y="%s" width="%s" height="%s" fill="%s" transform="translate(%s %s) rotate(%s)"/>'
                             % (f(x), f(-bar_h / 2), f(half), f(bar_h), black, f(px), f(py), f(rot)))
        return "".join(g)

    out.append(trigram((-ca, -sa), (True, True, True)))      # geon, upper hoist
    out.append(trigram((ca, sa), (False, False, False)))     # gon, lower fly
    out.append(trigram((ca, -sa), (False, True, False)))     # gam, upper fly
    out.append(trigram((-ca, sa), (True, False, True)))      # ri, lower hoist
    return "".join(out)


LANGUAGE_FLAGS = {
    "Eng": flag_union,
    "Rus": lambda: flag_tricolour(["#ffffff", "#0039a6", "#d52b1e"], False),
    "Deu": lambda: flag_tricolour(["#000000", "#dd0000", "#ffce00"], False),
    "Fra": lambda: flag_tricolour(["#002395", "#ffffff", "#ed2939"], True),
    "Spa": flag_spain,
    "Chi": flag_china,
    "Ita": lambda: flag_tricolour(["#009246", "#ffffff", "#ce2b37"], True),
    "Cze": flag_czech,
    "Jap": flag_japan,
    "Kor": flag_korea,
}


def language_flag(cloth):
    """A 68 x 100 picture: the flag flying from a gold pole on a small plinth."""
    defs = (k.linear("pole", [(0, "#8a611c", 1), (0.35, "#f7e29a", 1), (0.6, "#d6a943", 1), (1, "#8a611c", 1)], 0, 0, 1, 0) +
            k.radial("knob", [(0, "#fff3c4", 1), (0.5, "#d6a943", 1), (1, "#8a611c", 1)], 0.4, 0.35, 0.6) +
            # Folds of the cloth: light and shade across its width.
            k.linear("folds", [(0, "#000000", 0.16), (0.12, "#ffffff", 0.16), (0.3, "#000000", 0.12), (0.5, "#ffffff", 0.2),
                               (0.7, "#000000", 0.14), (0.86, "#ffffff", 0.12), (1, "#000000", 0.18)], 0, 0, 1, 0) +
            k.linear("plinth", [(0, "#a8713f", 1), (1, "#3d210d", 1)]))
    body = [
        # Shadow of the cloth.
        '<rect x="10.5" y="10.5" width="56" height="38" fill="#000000" fill-opacity="0.25"/>',
        '<g transform="translate(9 8) scale(%s %s)">%s</g>' % (f(56 / CW), f(38 / CH), cloth()),
        '<rect x="9" y="8" width="56" height="38" fill="url(#folds)"/>',
        '<rect x="9.25" y="8.25" width="55.5" height="37.5" fill="none" stroke="#000000" stroke-opacity="0.35" stroke-width="0.5"/>',
        # Pole, knob, plinth.
        '<rect x="5" y="5" width="4" height="87" rx="1" fill="url(#pole)"/>',
        '<circle cx="7" cy="4.5" r="3.6" fill="url(#knob)"/>',
        '<path d="M1 92 H13 L15 99 H-1 Z" fill="url(#plinth)"/>',
        '<rect x="0" y="97.5" width="16" height="2.5" rx="1" fill="#3d210d"/>',
    ]
    return k.svg_document(68, 100, "\n".join(body) + "\n", defs)


# ------------------------------------------------------------------ country flags

def small_unknown():
    """A plain flag with a globe for the "Unknown" rows."""
    return (rect(0, 0, 16, 11, "#e9eef2") +
            '<rect x="0.5" y="0.5" width="15" height="10" fill="none" stroke="#8b98a5" stroke-width="1"/>' +
            '<circle cx="8" cy="5.5" r="3.6" fill="#4f8fd0" stroke="#24578c" stroke-width="0.6"/>' +
            '<path d="M4.6 5.5 H11.4 M8 1.9 V9.1" stroke="#d9ecff" stroke-width="0.6"/>' +
            '<ellipse cx="8" cy="5.5" rx="1.6" ry="3.6" fill="none" stroke="#d9ecff" stroke-width="0.6"/>')


def small_guernsey():
    return (rect(0, 0, 16, 11, "#ffffff") + rect(6.5, 0, 3, 11, "#e8112d") + rect(0, 4, 16, 3, "#e8112d") +
            rect(7.5, 2, 1, 7, "#f9dd16") + rect(5.5, 5, 5, 1, "#f9dd16"))


def small_isle_of_man():
    legs = []
    for i in range(3):
        a = -math.pi / 2 + i * 2 * math.pi / 3
        x1, y1 = 8 + 3.2 * math.cos(a), 5.5 + 3.2 * math.sin(a)
        x2, y2 = x1 + 1.6 * math.cos(a + 1.7), y1 + 1.6 * math.sin(a + 1.7)
        legs.append("M8 5.5 L%s %s L%s %s" % (f(x1), f(y1), f(x2), f(y2)))
    return (rect(0, 0, 16, 11, "#cf142b") +
            '<path d="%s" stroke="#ffffff" stroke-width="1.1" fill="none" stroke-linejoin="round"/>' % " ".join(legs) +
            '<circle cx="8" cy="5.5" r="0.7" fill="#f9dd16"/>')


def small_jersey():
    return (rect(0, 0, 16, 11, "#ffffff") +
            '<path d="M0 0 L16 11 M16 0 L0 11" stroke="#e8112d" stroke-width="1.6"/>' +
            '<path d="M6.6 1 H9.4 V3.4 Q8 4.6 6.6 3.4 Z" fill="#e8112d" stroke="#f9dd16" stroke-width="0.4"/>')


DRAWN = {"-": small_unknown, "gg": small_guernsey, "im": small_isle_of_man, "je": small_jersey}


def country_flag(code):
    code = code.rstrip("*")
    if code in DRAWN:
        body = DRAWN[code]()
    else:
        with open(os.path.join(PACKAGE_FLAGS, code + ".png"), "rb") as file:
            png = file.read()
        width, height = int.from_bytes(png[16:20], "big"), int.from_bytes(png[20:24], "big")
        # A narrower flag (Switzerland, Nepal) sits in the middle of the box.
        x = (16 - width) // 2
        y = (11 - min(height, 11)) // 2
        body = '<image x="%d" y="%d" width="%d" height="%d" xlink:href="data:image/png;base64,%s"/>' % (
            x, y, width, height, base64.b64encode(png).decode("ascii"))
    return k.svg_document(16, 11, body + "\n")


def main():
    out = sys.argv[1]
    for code, cloth in LANGUAGE_FLAGS.items():
        k.write(os.path.join(out, "lang_%s.svg" % code), language_flag(cloth))
    with open(COUNTRY_TABLE, encoding="utf-8") as table:
        for line in table:
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            continent, index, code = line.split()[:3]
            k.write(os.path.join(out, "country_%s_%s.svg" % (continent, index)), country_flag(code))


if __name__ == "__main__":
    main()
