#!/usr/bin/env python3
"""Table backgrounds: ten felt motifs in seven colours, each for the small
window (760 x 500) and, with finer detail, for the large ones (drawn at
1520 x 1000). Writes OUTDIR/fon_PPCC.svg and OUTDIR/fon_PPCCB.svg; picture 02
in green is the built-in default table, OUTDIR/fon_g.svg and fon_gB.svg; the
purple design's table is OUTDIR/bg_lilu.svg.

Usage: backgrounds.py OUTDIR
"""

import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

W, H = 760, 500

# Picture numbers and their motifs, in the order of the options' list.
MOTIFS = ["sun", "forest", "sky", "sand", "marble", "wood", "cloth", "leather", "stone", "ornament"]

# Colour codes and the cloth colour of each.
COLOURS = {
    "Gr": "#1d6a37",  # green baize
    "Re": "#8e1d22",  # red
    "Or": "#b4581a",  # orange
    "Ye": "#b48c1e",  # yellow (old gold, so white and cards stand out)
    "B1": "#23709f",  # blue
    "B2": "#1c2d6b",  # dark blue
    "Fi": "#59297c",  # violet
}


class Scene:
    def __init__(self, colour, large, seed):
        self.base = colour
        self.light = k.lighter(colour, 0.45)
        self.pale = k.lighter(colour, 0.75)
        self.dark = k.darker(colour, 0.55)
        self.deep = k.darker(colour, 0.75)
        self.large = large
        self.rnd = random.Random(seed)
        self.defs = []
        self.body = []

    def add(self, text):
        self.body.append(text)

    def define(self, text):
        self.defs.append(text)

    def hair(self, width):
        """A stroke width that stays at least one device pixel wide."""
        return max(width, 0.5 if self.large else 1.0)


# ------------------------------------------------------------------ shared layers

def cloth_base(s):
    """The felt: the colour, a soft light over the middle of the table."""
    s.define(k.radial("lamp", [(0, k.lighter(s.base, 0.16), 1), (0.55, s.base, 1), (1, k.darker(s.base, 0.22), 1)],
                      cx=380, cy=240, r=470, units="userSpaceOnUse"))
    s.add('<rect width="%d" height="%d" fill="url(#lamp)"/>' % (W, H))


def mottle(s, count=26, opacity=0.05):
    """Cloudy unevenness of the felt: big soft light and dark patches."""
    s.define(k.radial("mott_l", [(0, "#ffffff", 1), (1, "#ffffff", 0)]))
    s.define(k.radial("mott_d", [(0, "#000000", 1), (1, "#000000", 0)]))
    for i in range(count):
        x, y = s.rnd.uniform(-40, W + 40), s.rnd.uniform(-40, H + 40)
        rx, ry = s.rnd.uniform(60, 170), s.rnd.uniform(40, 120)
        which = "mott_l" if i % 2 else "mott_d"
        s.add('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="url(#%s)" opacity="%s"/>'
              % (f(x), f(y), f(rx), f(ry), which, f(opacity * s.rnd.uniform(0.6, 1.3))))


def grain(s, uri):
    """The felt's fine grain, tiled at one texel per device pixel."""
    tile = 128 if s.large else 256
    s.define('<image id="grain" x="0" y="0" width="%d" height="%d" xlink:href="%s"/>\n' % (tile, tile, uri))
    for y in range(0, H, tile):
        for x in range(0, W, tile):
            s.add('<use xlink:href="#grain" x="%d" y="%d"/>' % (x, y))


def vignette(s):
    s.define(k.radial("vign", [(0, "#000000", 0), (0.62, "#000000", 0), (0.86, "#000000", 0.22), (1, "#000000", 0.5)],
                      cx=380, cy=250, r=470, units="userSpaceOnUse", extra=' gradientTransform="translate(0 -80) scale(1 1.32)"'))
    s.add('<rect width="%d" height="%d" fill="url(#vign)"/>' % (W, H))


# ------------------------------------------------------------------ the ten motifs

def motif_sun(s):
    cx, cy = 380, 250
    rays = 40
    reach = 700
    parts = []
    for i in range(rays):
        if i % 2:
            continue
        a0 = 2 * math.pi * i / rays
        a1 = 2 * math.pi * (i + 1) / rays
        parts.append("M%s %s L%s %s L%s %s Z" % (f(cx), f(cy), f(cx + reach * math.cos(a0)), f(cy + reach * math.sin(a0)),
                                                f(cx + reach * math.cos(a1)), f(cy + reach * math.sin(a1))))
    s.define(k.radial("sunfade", [(0, s.pale, 0.0), (0.12, s.pale, 0.16), (0.6, s.pale, 0.07), (1, s.pale, 0.02)],
                      cx=cx, cy=cy, r=520, units="userSpaceOnUse"))
    s.add('<path d="%s" fill="url(#sunfade)"/>' % " ".join(parts))
    # Thin rays between the broad ones.
    thin = []
    for i in range(rays):
        a = 2 * math.pi * (i + 0.5) / rays
        thin.append("M%s %s L%s %s" % (f(cx + 70 * math.cos(a)), f(cy + 70 * math.sin(a)),
                                       f(cx + reach * math.cos(a)), f(cy + reach * math.sin(a))))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.08" stroke-width="%s" fill="none"/>'
          % (" ".join(thin), s.pale, f(s.hair(1.2))))
    # The disc: a warm glow and two fine rings.
    s.define(k.radial("sunglow", [(0, "#ffe9a8", 0.20), (0.5, "#ffd36a", 0.09), (1, "#ffd36a", 0)],
                      cx=cx, cy=cy, r=150, units="userSpaceOnUse"))
    s.add('<circle cx="%d" cy="%d" r="150" fill="url(#sunglow)"/>' % (cx, cy))
    for r, o in ((64, 0.14), (72, 0.08)):
        s.add('<circle cx="%d" cy="%d" r="%d" fill="none" stroke="%s" stroke-opacity="%s" stroke-width="%s"/>'
              % (cx, cy, r, s.pale, f(o), f(s.hair(1.5))))


def leaf_path(x, y, length, width, angle):
    """A pointed leaf along its midrib, from its stalk at (x, y)."""
    ca, sa = math.cos(angle), math.sin(angle)

    def at(u, v):
        return (x + u * ca - v * sa, y + u * sa + v * ca)

    tip = at(length, 0)
    c1, c2 = at(length * 0.3, width), at(length * 0.75, width * 0.8)
    c3, c4 = at(length * 0.75, -width * 0.8), at(length * 0.3, -width)
    return "M%s %s C%s %s %s %s %s %s C%s %s %s %s %s %s Z" % (
        f(x), f(y), f(c1[0]), f(c1[1]), f(c2[0]), f(c2[1]), f(tip[0]), f(tip[1]),
        f(c3[0]), f(c3[1]), f(c4[0]), f(c4[1]), f(x), f(y)), (x, y, tip[0], tip[1])


def motif_forest(s):
    """Leaves and ferns scattered thinly, thicker towards the edges."""
    light, dark, ribs = [], [], []
    placed = 0
    while placed < 150:
        x, y = s.rnd.uniform(-30, W + 30), s.rnd.uniform(-30, H + 30)
        # Keep the middle of the table quiet.
        d = math.hypot((x - 380) / 380, (y - 250) / 250)
        if s.rnd.random() > d * d * 0.9 + 0.05:
            continue
        placed += 1
        length = s.rnd.uniform(22, 46)
        path, rib = leaf_path(x, y, length, length * s.rnd.uniform(0.22, 0.32), s.rnd.uniform(0, 2 * math.pi))
        (light if placed % 3 else dark).append(path)
        ribs.append("M%s %s L%s %s" % tuple(f(v) for v in rib))
    s.add('<path d="%s" fill="%s" fill-opacity="0.075"/>' % (" ".join(light), s.pale))
    s.add('<path d="%s" fill="%s" fill-opacity="0.12"/>' % (" ".join(dark), s.deep))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.07" stroke-width="%s" fill="none"/>'
          % (" ".join(ribs), s.pale, f(s.hair(0.8))))
    # A few fern fronds in the corners.
    fronds = []
    for cx, cy, base_angle in ((0, 0, 0.6), (W, 0, math.pi - 0.6), (0, H, -0.6), (W, H, math.pi + 0.6)):
        for j in range(3):
            angle = base_angle + (j - 1) * 0.35
            length = 150 + 25 * j
            for i in range(1, 14):
                u = length * i / 14
                px, py = cx + u * math.cos(angle), cy + u * math.sin(angle)
                size = (1 - i / 15) * 20 + 4
                for side in (1, -1):
                    p, _ = leaf_path(px, py, size, size * 0.28, angle + side * 1.0)
                    fronds.append(p)
    s.add('<path d="%s" fill="%s" fill-opacity="0.06"/>' % (" ".join(fronds), s.pale))


def motif_sky(s):
    s.define(k.linear("skyfall", [(0, s.pale, 0.12), (0.55, s.pale, 0.0), (1, s.deep, 0.12)]))
    s.add('<rect width="%d" height="%d" fill="url(#skyfall)"/>' % (W, H))
    s.define(k.radial("puff", [(0, "#ffffff", 0.55), (0.6, "#ffffff", 0.25), (1, "#ffffff", 0)]))
    clouds = [(110, 70), (420, 45), (660, 110), (250, 420), (600, 440), (40, 300), (720, 300), (380, 150)]
    for cx, cy in clouds:
        scale = s.rnd.uniform(0.8, 1.25)
        # A flat-bottomed bank of puffs, rounder and higher in the middle.
        s.add('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="url(#puff)" opacity="0.14"/>'
              % (f(cx), f(cy + 10 * scale), f(110 * scale), f(26 * scale)))
        for _ in range(12):
            u = s.rnd.uniform(-1, 1)
            x = cx + u * 80 * scale
            r = (1 - abs(u) * 0.6) * s.rnd.uniform(24, 38) * scale
            y = cy + 10 * scale - r * s.rnd.uniform(0.5, 0.9)
            s.add('<circle cx="%s" cy="%s" r="%s" fill="url(#puff)" opacity="0.11"/>' % (f(x), f(y), f(r)))
    # Faint wind lines.
    lines = []
    for i in range(14):
        y = s.rnd.uniform(20, H - 20)
        x = s.rnd.uniform(-100, W - 100)
        length = s.rnd.uniform(120, 300)
        lines.append("M%s %s q%s %s %s 0" % (f(x), f(y), f(length / 2), f(-8), f(length)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.08" stroke-width="%s" fill="none" stroke-linecap="round"/>'
          % (" ".join(lines), s.pale, f(s.hair(1.4))))


def motif_sand(s):
    """Dune ripples: long wavy lines, light on one side and dark on the other."""
    light, dark = [], []
    y = -20.0
    while y < H + 30:
        amp = s.rnd.uniform(4, 9)
        wave = s.rnd.uniform(90, 150)
        phase = s.rnd.uniform(0, 2 * math.pi)
        tilt = s.rnd.uniform(-0.05, 0.05)
        pts = []
        for xi in range(0, W + 21, 20):
            pts.append((xi, y + tilt * xi + amp * math.sin(phase + 2 * math.pi * xi / wave)
                        + 3 * math.sin(phase * 2 + xi / 37.0)))
        d = "M" + " L".join("%s %s" % (f(px), f(py)) for px, py in pts)
        light.append(d)
        dark.append("M" + " L".join("%s %s" % (f(px), f(py + 2.2)) for px, py in pts))
        y += s.rnd.uniform(11, 17)
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.13" stroke-width="%s" fill="none"/>'
          % (" ".join(light), s.pale, f(s.hair(1.6))))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.16" stroke-width="%s" fill="none"/>'
          % (" ".join(dark), s.deep, f(s.hair(1.3))))


def vein(s, x, y, length, heading):
    pts = [(x, y)]
    for _ in range(int(length / 14)):
        heading += s.rnd.uniform(-0.45, 0.45)
        x += 14 * math.cos(heading)
        y += 14 * math.sin(heading)
        pts.append((x, y))
    d = "M%s %s" % (f(pts[0][0]), f(pts[0][1]))
    for i in range(1, len(pts) - 1, 2):
        d += " Q%s %s %s %s" % (f(pts[i][0]), f(pts[i][1]), f(pts[i + 1][0]), f(pts[i + 1][1]))
    return d


def motif_marble(s):
    # Clouded patches first, then veins in two weights.
    s.define(k.radial("cloud_l", [(0, s.pale, 0.22), (1, s.pale, 0)]))
    for _ in range(16):
        x, y = s.rnd.uniform(0, W), s.rnd.uniform(0, H)
        s.add('<ellipse cx="%s" cy="%s" rx="%s" ry="%s" fill="url(#cloud_l)" transform="rotate(%s %s %s)"/>'
              % (f(x), f(y), f(s.rnd.uniform(80, 180)), f(s.rnd.uniform(20, 50)), f(s.rnd.uniform(20, 40)), f(x), f(y)))
    broad, fine, dark = [], [], []
    for _ in range(9):
        broad.append(vein(s, s.rnd.uniform(-100, W), s.rnd.uniform(-50, H), s.rnd.uniform(300, 700), s.rnd.uniform(0.2, 0.8)))
    for _ in range(40):
        fine.append(vein(s, s.rnd.uniform(-50, W), s.rnd.uniform(-50, H), s.rnd.uniform(60, 260), s.rnd.uniform(-0.2, 1.2)))
    for _ in range(14):
        dark.append(vein(s, s.rnd.uniform(-50, W), s.rnd.uniform(-50, H), s.rnd.uniform(100, 300), s.rnd.uniform(0.1, 1.0)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.07" stroke-width="7" fill="none" stroke-linecap="round"/>'
          % (" ".join(broad), s.pale))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.22" stroke-width="%s" fill="none" stroke-linecap="round"/>'
          % (" ".join(broad), s.pale, f(s.hair(1.2))))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.14" stroke-width="%s" fill="none" stroke-linecap="round"/>'
          % (" ".join(fine), s.pale, f(s.hair(0.7))))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.18" stroke-width="%s" fill="none" stroke-linecap="round"/>'
          % (" ".join(dark), s.deep, f(s.hair(0.9))))


def motif_wood(s):
    planks = 6
    height = H / planks
    grain_l, grain_d, joints, knots = [], [], [], []
    for p in range(planks):
        top = p * height
        # Butt joints: each plank is cut once, at a different place.
        cut = s.rnd.uniform(150, 610)
        joints.append("M%s %s L%s %s" % (f(cut), f(top), f(cut), f(top + height)))
        joints.append("M0 %s L%d %s" % (f(top), W, f(top)))
        for line in range(11):
            y0 = top + 4 + (height - 8) * line / 10.0
            amp = s.rnd.uniform(1, 3.5)
            wave = s.rnd.uniform(160, 320)
            phase = s.rnd.uniform(0, 6.3)
            pts = []
            for xi in range(0, W + 21, 20):
                pts.append((xi, y0 + amp * math.sin(phase + 2 * math.pi * xi / wave)))
            d = "M" + " L".join("%s %s" % (f(x), f(y)) for x, y in pts)
            (grain_l if line % 2 else grain_d).append(d)
        if s.rnd.random() < 0.7:
            kx, ky = s.rnd.uniform(60, 700), top + height * s.rnd.uniform(0.35, 0.65)
            for r in range(1, 5):
                knots.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s"/>' % (f(kx), f(ky), f(r * 6.5), f(r * 2.4)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.12" stroke-width="%s" fill="none"/>'
          % (" ".join(grain_l), s.pale, f(s.hair(1.1))))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.16" stroke-width="%s" fill="none"/>'
          % (" ".join(grain_d), s.deep, f(s.hair(1.0))))
    s.add('<g fill="none" stroke="%s" stroke-opacity="0.2" stroke-width="%s">%s</g>' % (s.deep, f(s.hair(1.0)), "".join(knots)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.45" stroke-width="2" fill="none"/>' % (" ".join(joints), s.deep))
    # A highlight just under every joint.
    hl = ["M0 %s L%d %s" % (f(p * height + 2), W, f(p * height + 2)) for p in range(1, planks)]
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.12" stroke-width="1.2" fill="none"/>' % (" ".join(hl), s.pale))


def motif_cloth(s):
    """Woven baize: fine warp and weft, a stitched hem round the table."""
    step = 3.0 if not s.large else 2.0
    warp, weft = [], []
    x = 0.0
    while x <= W:
        warp.append("M%s 0 V%d" % (f(x), H))
        x += step
    y = 0.0
    while y <= H:
        weft.append("M0 %s H%d" % (f(y), W))
        y += step
    width = 0.8 if not s.large else 0.5
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.07" stroke-width="%s" fill="none"/>' % (" ".join(warp), s.pale, f(width)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.09" stroke-width="%s" fill="none"/>' % (" ".join(weft), s.deep, f(width)))
    # Diagonal twill ribs, very faint.
    ribs = []
    for i in range(-H, W, 9):
        ribs.append("M%d 0 L%d %d" % (i, i + H, H))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.045" stroke-width="2.5" fill="none"/>' % (" ".join(ribs), s.pale))
    hem(s, 14)


def hem(s, inset):
    s.add('<rect x="%d" y="%d" width="%d" height="%d" rx="10" fill="none" stroke="%s" stroke-opacity="0.35" '
          'stroke-width="1.6" stroke-dasharray="6 4"/>' % (inset, inset, W - 2 * inset, H - 2 * inset, s.pale))
    s.add('<rect x="%d" y="%d" width="%d" height="%d" rx="10" fill="none" stroke="%s" stroke-opacity="0.35" '
          'stroke-width="1.6" stroke-dasharray="6 4"/>' % (inset + 1, inset + 1.5, W - 2 * inset, H - 2 * inset, s.deep))


def motif_leather(s):
    # Pebble grain: small irregular bumps in a dark crease, lit from the top left.
    creases, bumps = [], []
    cell = 9.0
    y = 0.0
    row = 0
    while y < H + cell:
        x = (cell / 2) * (row % 2)
        while x < W + cell:
            cx = x + s.rnd.uniform(-2, 2)
            cy = y + s.rnd.uniform(-2, 2)
            r = s.rnd.uniform(3.4, 4.6)
            creases.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s"/>' % (f(cx + 0.7), f(cy + 0.7), f(r), f(r * 0.85)))
            bumps.append('<ellipse cx="%s" cy="%s" rx="%s" ry="%s"/>' % (f(cx - 0.6), f(cy - 0.6), f(r * 0.62), f(r * 0.5)))
            x += cell
        y += cell * 0.86
        row += 1
    s.add('<g fill="%s" fill-opacity="0.10">%s</g>' % (s.deep, "".join(creases)))
    s.add('<g fill="%s" fill-opacity="0.07">%s</g>' % (s.pale, "".join(bumps)))
    # A tooled border: a pressed double line, stitches and corner leaves.
    for inset, opacity in ((22, 0.45), (28, 0.3)):
        s.add('<rect x="%d" y="%d" width="%d" height="%d" rx="6" fill="none" stroke="%s" stroke-opacity="%s" stroke-width="2"/>'
              % (inset, inset, W - 2 * inset, H - 2 * inset, s.deep, f(opacity)))
        s.add('<rect x="%s" y="%s" width="%d" height="%d" rx="6" fill="none" stroke="%s" stroke-opacity="0.18" stroke-width="1"/>'
              % (f(inset + 1.5), f(inset + 1.5), W - 2 * inset, H - 2 * inset, s.pale))
    s.add('<rect x="12" y="12" width="%d" height="%d" rx="8" fill="none" stroke="#e8c77a" stroke-opacity="0.35" '
          'stroke-width="1.6" stroke-dasharray="5 4"/>' % (W - 24, H - 24))
    corner = []
    for cx, cy, sx, sy in ((28, 28, 1, 1), (W - 28, 28, -1, 1), (28, H - 28, 1, -1), (W - 28, H - 28, -1, -1)):
        for i, angle in enumerate((0.15, 0.8, 1.42)):
            a = math.atan2(sy * math.sin(angle), sx * math.cos(angle))
            p, _ = leaf_path(cx, cy, 34 if i == 1 else 26, 7, a)
            corner.append(p)
    s.add('<path d="%s" fill="%s" fill-opacity="0.3"/>' % (" ".join(corner), s.deep))


def motif_stone(s):
    """Flagstones: a jittered grid of slabs, each its own shade, with joints."""
    cols, rows = 9, 6
    cw, ch = W / (cols - 1), H / (rows - 1)
    grid = {}
    for j in range(rows + 1):
        for i in range(cols + 1):
            jx = s.rnd.uniform(-0.28, 0.28) * cw if 0 < i < cols else 0
            jy = s.rnd.uniform(-0.28, 0.28) * ch if 0 < j < rows else 0
            grid[(i, j)] = ((i - 0.5) * cw + jx, (j - 0.5) * ch + jy)
    slabs_light, slabs_dark, joints, rims = [], [], [], []
    for j in range(rows):
        for i in range(cols):
            quad = [grid[(i, j)], grid[(i + 1, j)], grid[(i + 1, j + 1)], grid[(i, j + 1)]]
            cx = sum(p[0] for p in quad) / 4
            cy = sum(p[1] for p in quad) / 4
            inner = [(cx + (x - cx) * 0.985, cy + (y - cy) * 0.97) for x, y in quad]
            shade = s.rnd.random()
            d = k.path_of(inner)
            if shade > 0.5:
                slabs_light.append('<path d="%s" fill-opacity="%s"/>' % (d, f((shade - 0.5) * 0.22)))
            else:
                slabs_dark.append('<path d="%s" fill-opacity="%s"/>' % (d, f((0.5 - shade) * 0.3)))
            joints.append(k.path_of(quad))
            # Lit top and left edges of the slab.
            rims.append("M%s %s L%s %s L%s %s" % (f(inner[3][0]), f(inner[3][1]), f(inner[0][0]), f(inner[0][1]),
                                                  f(inner[1][0]), f(inner[1][1])))
    s.add('<g fill="%s">%s</g>' % (s.pale, "".join(slabs_light)))
    s.add('<g fill="%s">%s</g>' % (s.deep, "".join(slabs_dark)))
    # Pits in the stone.
    pits = []
    for _ in range(500):
        pits.append('<circle cx="%s" cy="%s" r="%s"/>' % (f(s.rnd.uniform(0, W)), f(s.rnd.uniform(0, H)), f(s.rnd.uniform(0.6, 1.6))))
    s.add('<g fill="%s" fill-opacity="0.16">%s</g>' % (s.deep, "".join(pits)))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.16" stroke-width="1.4" fill="none"/>' % (" ".join(rims), s.pale))
    s.add('<path d="%s" stroke="%s" stroke-opacity="0.5" stroke-width="3" fill="none" stroke-linejoin="round"/>'
          % (" ".join(joints), s.deep))


def damask_unit():
    """One damask medallion centred on (0, 0), about 56 wide and 80 high."""
    parts = []
    # The central lily: a drop with two curled side petals.
    parts.append("M0 -38 C10 -26 14 -12 0 4 C-14 -12 -10 -26 0 -38 Z")
    parts.append("M0 4 C18 -4 30 -20 22 -32 C16 -40 6 -32 12 -24 C16 -18 10 -8 0 4 Z")
    parts.append("M0 4 C-18 -4 -30 -20 -22 -32 C-16 -40 -6 -32 -12 -24 C-16 -18 -10 -8 0 4 Z")
    # A collar and the lower scrolls.
    parts.append("M-14 8 H14 V13 H-14 Z")
    parts.append("M0 14 C16 18 26 30 18 40 C12 46 4 40 8 34 C12 28 6 22 0 22 C-6 22 -12 28 -8 34 "
                 "C-4 40 -12 46 -18 40 C-26 30 -16 18 0 14 Z")
    parts.append("M0 28 L5 38 L0 46 L-5 38 Z")
    return " ".join(parts)


def motif_ornament(s):
    unit = damask_unit()
    s.define('<path id="damask" d="%s"/>\n' % unit)
    s.define('<path id="sprig" d="M0 -9 C4 -4 4 4 0 9 C-4 4 -4 -4 0 -9 Z M-9 0 C-4 -4 4 -4 9 0 C4 4 -4 4 -9 0 Z"/>\n')
    big, small = [], []
    dx, dy = 96, 124
    row = 0
    y = -20
    while y < H + 80:
        x = -20 + (dx / 2) * (row % 2)
        while x < W + 60:
            big.append('<use xlink:href="#damask" transform="translate(%s %s)"/>' % (f(x), f(y)))
            small.append('<use xlink:href="#sprig" transform="translate(%s %s)"/>' % (f(x + dx / 2), f(y)))
            x += dx
        y += dy / 2
        row += 1
    s.add('<g fill="%s" fill-opacity="0.11">%s</g>' % (s.pale, "".join(big)))
    s.add('<g fill="%s" fill-opacity="0.09">%s</g>' % (s.pale, "".join(small)))
    # A thin double frame with gold corners.
    s.add('<rect x="10" y="10" width="%d" height="%d" fill="none" stroke="#e8c77a" stroke-opacity="0.35" stroke-width="1.5"/>'
          % (W - 20, H - 20))
    s.add('<rect x="15" y="15" width="%d" height="%d" fill="none" stroke="#e8c77a" stroke-opacity="0.2" stroke-width="1"/>'
          % (W - 30, H - 30))


MOTIF_DRAW = {
    "sun": motif_sun, "forest": motif_forest, "sky": motif_sky, "sand": motif_sand, "marble": motif_marble,
    "wood": motif_wood, "cloth": motif_cloth, "leather": motif_leather, "stone": motif_stone, "ornament": motif_ornament,
}


def background(picture, colour, large, grain_uri):
    motif = MOTIFS[picture - 1]
    s = Scene(COLOURS[colour], large, seed=picture * 101)  # one layout per motif, the same in every colour
    cloth_base(s)
    mottle(s)
    MOTIF_DRAW[motif](s)
    grain(s, grain_uri)
    vignette(s)
    # The large picture is the same drawing rendered at twice the size, with
    # finer lines and grain.
    return k.svg_document(W, H, "\n".join(s.body) + "\n", "".join(s.defs))


def main():
    out = sys.argv[1]
    grains = {False: k.data_uri(k.grain_tile(7, 256, strength=0.075)), True: k.data_uri(k.grain_tile(8, 256, strength=0.065))}
    for picture in range(1, 11):
        for colour in COLOURS:
            for large in (False, True):
                text = background(picture, colour, large, grains[large])
                if picture == 2 and colour == "Gr":
                    name = "fon_g"
                else:
                    name = "fon_%02d%s" % (picture, colour)
                k.write(os.path.join(out, name + ("B" if large else "") + ".svg"), text)
    # The purple design's table: lilac damask felt.
    COLOURS["Li"] = "#6e3d91"
    k.write(os.path.join(out, "bg_lilu.svg"), background(10, "Li", False, grains[False]))


if __name__ == "__main__":
    main()
