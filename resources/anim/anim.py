#!/usr/bin/env python3
"""Draws the animated pictures as numbered SVG frames.

Usage: anim.py OUTDIR

For every animation NAME it writes OUTDIR/NAME/f00.svg, f01.svg, ... and
OUTDIR/NAME/anim.txt (frame delay and looping); the resource builder turns
each folder into one GIF (manifest source "@anim/NAME/anim.txt").
Deterministic: the same script always writes the same files. Standard
library only.
"""
import math
import os
import sys

TAU = 2 * math.pi
GOLD = "#e8b830"
GOLD_DARK = "#9a6c10"
GOLD_LIGHT = "#fff0a8"
RED = "#c0282c"
RED_DARK = "#7a1016"
FELT = "#1f6b34"
FELT_DARK = "#0e3d1c"
INK = "#1a1a1a"
FONT = "DejaVu Sans"


def f(x):
    """A number as SVG text, two decimals at most (stable across runs)."""
    s = "%.2f" % x
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def svg(w, h, body, defs=""):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">'
            '<defs>%s</defs>%s</svg>\n' % (w, h, w, h, defs, body))


def gold_gradient(gid, light=GOLD_LIGHT, mid=GOLD, dark=GOLD_DARK):
    return ('<linearGradient id="%s" x1="0" y1="0" x2="0.4" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="0.45" stop-color="%s"/>'
            '<stop offset="1" stop-color="%s"/></linearGradient>' % (gid, light, mid, dark))


def radial(gid, inner, outer):
    return ('<radialGradient id="%s" cx="0.5" cy="0.42" r="0.62">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></radialGradient>'
            % (gid, inner, outer))


# Suit signs in a unit box centred on the origin.
SUIT_PATHS = {
    "heart": "M0,0.42 C-0.12,0.3 -0.5,0.05 -0.5,-0.17 C-0.5,-0.42 -0.14,-0.48 0,-0.24 "
             "C0.14,-0.48 0.5,-0.42 0.5,-0.17 C0.5,0.05 0.12,0.3 0,0.42Z",
    "spade": "M0,-0.46 C0.12,-0.3 0.5,-0.08 0.5,0.12 C0.5,0.33 0.2,0.38 0.05,0.22 L0.14,0.46 "
             "L-0.14,0.46 L-0.05,0.22 C-0.2,0.38 -0.5,0.33 -0.5,0.12 C-0.5,-0.08 -0.12,-0.3 0,-0.46Z",
    "diamond": "M0,-0.5 L0.36,0 L0,0.5 L-0.36,0Z",
    "club": "M0,-0.47 A0.21,0.21 0 1 1 0.15,-0.1 A0.21,0.21 0 1 1 0.06,0.24 L0.14,0.46 L-0.14,0.46 "
            "L-0.06,0.24 A0.21,0.21 0 1 1 -0.15,-0.1 A0.21,0.21 0 1 1 0,-0.47Z",
}
SUIT_COLOUR = {"heart": RED, "diamond": RED, "spade": INK, "club": INK}


def suit(name, x, y, size, fill=None, extra=""):
    return '<path d="%s" fill="%s" transform="translate(%s,%s) scale(%s)"%s/>' % (
        SUIT_PATHS[name], fill or SUIT_COLOUR[name], f(x), f(y), f(size), extra)


def star_points(cx, cy, r_out, r_in, points=5, turn=0.0):
    pts = []
    for k in range(points * 2):
        r = r_out if k % 2 == 0 else r_in
        a = -math.pi / 2 + turn + k * math.pi / points
        pts.append("%s,%s" % (f(cx + r * math.cos(a)), f(cy + r * math.sin(a))))
    return " ".join(pts)


def star(cx, cy, r_out, r_in, fill, turn=0.0, stroke="none", sw=0):
    return '<polygon points="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>' % (
        star_points(cx, cy, r_out, r_in, 5, turn), fill, stroke, f(sw))


def sparkle(cx, cy, r, opacity=1.0, fill="#fffbe0"):
    """A four-pointed twinkle."""
    if r <= 0.05 or opacity <= 0.02:
        return ""
    q = r * 0.22
    d = "M%s,%s L%s,%s L%s,%s L%s,%s L%s,%s L%s,%s L%s,%s L%s,%s Z" % (
        f(cx), f(cy - r), f(cx + q), f(cy - q), f(cx + r), f(cy), f(cx + q), f(cy + q),
        f(cx), f(cy + r), f(cx - q), f(cy + q), f(cx - r), f(cy), f(cx - q), f(cy - q))
    return '<path d="%s" fill="%s" opacity="%s"/>' % (d, fill, f(opacity))


def gleam(cx, cy, r, u, width, opacity=0.35):
    """A bright stripe across a disc at 45 degrees; u runs 0..1 across it.
    (Drawn as a chord: the build's SVG renderer has no clip paths.)"""
    d = (2 * u - 1) * r
    if abs(d) >= r - 0.5:
        return ""
    half = math.sqrt(r * r - d * d) - width / 2
    if half <= 0:
        return ""
    nx = ny = math.sqrt(0.5)
    tx, ty = -ny, nx
    mx, my = cx + nx * d, cy + ny * d
    return '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="#fff" stroke-width="%s" stroke-linecap="round" opacity="%s"/>' % (
        f(mx - tx * half), f(my - ty * half), f(mx + tx * half), f(my + ty * half), f(width), f(opacity))


def pulse(t, phase=0.0):
    """0..1..0 over one loop."""
    return 0.5 - 0.5 * math.cos(TAU * (t + phase))


class Writer:
    def __init__(self, out):
        self.out = out
        self.names = []

    def write(self, name, frames, delay, loop="forever", last=None):
        folder = os.path.join(self.out, name)
        os.makedirs(folder, exist_ok=True)
        for i, text in enumerate(frames):
            with open(os.path.join(folder, "f%02d.svg" % i), "w", encoding="utf-8", newline="\n") as fh:
                fh.write(text)
        with open(os.path.join(folder, "anim.txt"), "w", encoding="utf-8", newline="\n") as fh:
            fh.write("delay %d\n" % delay)
            if last:
                fh.write("last %d\n" % last)
            fh.write("loop %s\n" % loop)
        self.names.append(name)


# ---------------------------------------------------------------------------
# Playing cards

def card_face(w, h, suit_name, rank):
    r = w * 0.09
    col = SUIT_COLOUR[suit_name]
    fs = w * 0.22
    return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="#fffdf4" stroke="#5a4a20" stroke-width="1"/>'
            '<text x="%s" y="%s" font-family="%s" font-weight="bold" font-size="%s" fill="%s">%s</text>'
            '%s%s' % (
                f(-w / 2), f(-h / 2), f(w), f(h), f(r),
                f(-w / 2 + w * 0.08), f(-h / 2 + fs * 1.05), FONT, f(fs), col, rank,
                suit(suit_name, -w / 2 + w * 0.17, -h / 2 + fs * 1.55, w * 0.18),
                suit(suit_name, 0, h * 0.06, w * 0.5)))


def card_back(w, h):
    r = w * 0.09
    lattice = []
    cols, rows = 5, 7
    for row in range(rows):
        for col in range(cols):
            x = -w / 2 + 4 + (w - 8) * (col + 0.5) / cols
            y = -h / 2 + 4 + (h - 8) * (row + 0.5) / rows
            if abs(x) < w * 0.22 and abs(y) < h * 0.22:
                continue
            lattice.append(suit("diamond", x, y, min(w, h) * 0.09, GOLD))
    return ('<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="#fffdf4" stroke="#5a4a20" stroke-width="1"/>'
            '<rect x="%s" y="%s" width="%s" height="%s" rx="%s" fill="%s"/>'
            '<g opacity="0.7">%s</g>'
            '%s' % (
                f(-w / 2), f(-h / 2), f(w), f(h), f(r),
                f(-w / 2 + 4), f(-h / 2 + 4), f(w - 8), f(h - 8), f(r * 0.7), RED,
                "".join(lattice),
                suit("diamond", 0, 0, w * 0.4, GOLD)))


def menu_panel(w, h):
    """A baize panel in a gold frame, filling the picture (opaque)."""
    return ('<rect width="%d" height="%d" fill="%s"/>'
            '<rect x="3" y="3" width="%d" height="%d" rx="10" fill="url(#felt)" stroke="url(#gold)" stroke-width="4"/>'
            '<rect x="9" y="9" width="%d" height="%d" rx="6" fill="none" stroke="%s" stroke-width="1" opacity="0.8"/>'
            % (w, h, FELT_DARK, w - 6, h - 6, w - 18, h - 18, GOLD))


def gif_menu1():
    w, h, n = 160, 200, 12
    frames = []
    cw, ch = 74, 104
    for i in range(n):
        t = i / n
        c = math.cos(TAU * t)
        sx = max(abs(c), 0.04)
        lift = 6 * math.sin(TAU * t) ** 2
        card = card_face(cw, ch, "spade", "A") if c >= 0 else card_back(cw, ch)
        shadow = '<ellipse cx="80" cy="170" rx="%s" ry="6" fill="#000" opacity="0.35"/>' % f(10 + 30 * sx)
        glow = sparkle(80 + 38 * math.cos(TAU * t + 1), 40, 6 * pulse(t), pulse(t))
        body = (menu_panel(w, h) + shadow +
                '<g transform="translate(80,%s) scale(%s,1)">%s</g>' % (f(100 - lift), f(sx), card) +
                sparkle(30, 36, 5 * pulse(t, 0.25), pulse(t, 0.25)) +
                sparkle(132, 162, 5 * pulse(t, 0.6), pulse(t, 0.6)) + glow)
        defs = gold_gradient("gold") + radial("felt", "#2f8f4a", FELT_DARK)
        frames.append(svg(w, h, body, defs))
    return frames


def gif_menu2():
    w, h, n = 160, 200, 12
    frames = []
    cw, ch = 58, 82
    suits = [("heart", "K"), ("club", "Q"), ("diamond", "J")]
    for i in range(n):
        t = i / n
        spread = 6 + 16 * pulse(t)
        cards = ""
        for k, (s, rank) in enumerate(suits):
            angle = (k - 1) * spread
            cards += '<g transform="translate(80,150) rotate(%s) translate(0,-52)">%s</g>' % (f(angle), card_face(cw, ch, s, rank))
        chips = ""
        for k in range(4):
            y = 176 - k * 5
            chips += ('<ellipse cx="128" cy="%d" rx="13" ry="5" fill="%s" stroke="%s" stroke-width="1"/>'
                      % (y, RED if k % 2 else GOLD, GOLD_DARK))
        body = (menu_panel(w, h) + '<ellipse cx="80" cy="168" rx="46" ry="7" fill="#000" opacity="0.3"/>' + cards + chips +
                sparkle(128, 158, 7 * pulse(t, 0.1), pulse(t, 0.1)) +
                sparkle(34, 40, 5 * pulse(t, 0.55), pulse(t, 0.55)) +
                star(80, 26, 9 + 2 * pulse(t), 4 + pulse(t), "url(#gold)", TAU * t / 5, GOLD_DARK, 0.8))
        defs = gold_gradient("gold") + radial("felt", "#2f8f4a", FELT_DARK)
        frames.append(svg(w, h, body, defs))
    return frames


# ---------------------------------------------------------------------------
# Badges

def beam(x, light, opacity):
    """A light stripe inside the dome (centre 15,17, radius 8, sides down to 26)."""
    x = min(max(x, 9.5), 20.5)
    top = 17 - math.sqrt(max(0.0, 49 - (x - 15) ** 2)) + 0.8
    return '<rect x="%s" y="%s" width="3" height="%s" rx="1.5" fill="%s" opacity="%s"/>' % (
        f(x - 1.5), f(top), f(25.5 - top), light, f(opacity))


def sirena(colour, light, dark):
    w, h, n = 30, 33, 8
    frames = []
    for i in range(n):
        t = i / n
        on = 0.35 + 0.65 * pulse(t)
        beam_x = 15 + 9 * math.sin(TAU * t)
        rays = ""
        for side in (-1, 1):
            o = on if side < 0 else 1.35 - on
            for k in range(3):
                a = math.radians(-150 + 40 * k) if side < 0 else math.radians(-30 - 40 * k)
                x1, y1 = 15 + 11 * math.cos(a), 17 + 11 * math.sin(a)
                x2, y2 = 15 + 14.5 * math.cos(a), 17 + 14.5 * math.sin(a)
                rays += '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="2" stroke-linecap="round" opacity="%s"/>' % (
                    f(x1), f(y1), f(x2), f(y2), colour, f(min(1, o)))
        body = (rays +
                '<path d="M7,26 L7,17 A8,8 0 0 1 23,17 L23,26 Z" fill="url(#dome)" stroke="%s" stroke-width="1"/>' % dark +
                beam(beam_x, light, 0.5 + 0.5 * on) +
                '<rect x="4" y="26" width="22" height="5" rx="1.5" fill="url(#gold)" stroke="%s" stroke-width="0.8"/>' % GOLD_DARK)
        defs = gold_gradient("gold") + ('<linearGradient id="dome" gradientUnits="userSpaceOnUse" x1="7" y1="0" x2="23" y2="0">'
                                         '<stop offset="0" stop-color="%s"/><stop offset="0.5" stop-color="%s"/>'
                                         '<stop offset="1" stop-color="%s"/></linearGradient>' % (dark, colour, dark))
        frames.append(svg(w, h, body, defs))
    return frames


# ---------------------------------------------------------------------------
# Club emblems: one motif per letter

def motif(letter, cx, cy, s, t, ink="#fff6d0"):
    """The letter's emblem centred at (cx, cy), about s pixels across."""
    if letter == "A":  # the world: a turning globe
        r = s * 0.45
        m = ""
        for k in range(3):
            rx = abs(r * math.cos(TAU * (t / 2 + k / 6.0)))
            m += '<ellipse cx="%s" cy="%s" rx="%s" ry="%s"/>' % (f(cx), f(cy), f(max(rx, 0.3)), f(r))
        return ('<g fill="none" stroke="%s" stroke-width="1.3"><circle cx="%s" cy="%s" r="%s" fill="#2a6fb0"/>%s'
                '<line x1="%s" y1="%s" x2="%s" y2="%s"/><line x1="%s" y1="%s" x2="%s" y2="%s"/></g>' % (
                    ink, f(cx), f(cy), f(r), m, f(cx - r), f(cy), f(cx + r), f(cy),
                    f(cx - r * 0.87), f(cy - r * 0.5), f(cx + r * 0.87), f(cy - r * 0.5)))
    if letter == "B":  # a star
        return star(cx, cy, s * (0.46 + 0.04 * pulse(t)), s * 0.2, "url(#gold)", 0, GOLD_DARK, 1)
    if letter == "C":  # a player
        return ('<g fill="%s"><circle cx="%s" cy="%s" r="%s"/>'
                '<path d="M%s,%s a%s,%s 0 0 1 %s,0 Z"/></g>' % (
                    ink, f(cx), f(cy - s * 0.17), f(s * 0.17),
                    f(cx - s * 0.34), f(cy + s * 0.4), f(s * 0.34), f(s * 0.34), f(s * 0.68)))
    if letter == "D":  # a crown
        x0, y0, ww, hh = cx - s * 0.45, cy - s * 0.3, s * 0.9, s * 0.6
        d = "M%s,%s L%s,%s L%s,%s L%s,%s L%s,%s L%s,%s L%s,%s Z" % (
            f(x0), f(y0 + hh), f(x0), f(y0), f(x0 + ww * 0.27), f(y0 + hh * 0.45), f(x0 + ww * 0.5), f(y0 - hh * 0.1),
            f(x0 + ww * 0.73), f(y0 + hh * 0.45), f(x0 + ww), f(y0), f(x0 + ww), f(y0 + hh))
        return '<path d="%s" fill="url(#gold)" stroke="%s" stroke-width="1" stroke-linejoin="round"/>' % (d, GOLD_DARK)
    if letter == "E":  # a cup
        return trophy(cx, cy, s)
    if letter == "F":  # two cards
        cw, ch = s * 0.5, s * 0.7
        return ('<g transform="translate(%s,%s) rotate(-14)">%s</g><g transform="translate(%s,%s) rotate(12)">%s</g>' % (
            f(cx - s * 0.12), f(cy), card_face(cw, ch, "spade", "A"), f(cx + s * 0.12), f(cy + 1), card_face(cw, ch, "heart", "A")))
    # G: the network, three seats joined, a signal running round
    pts = [(cx + s * 0.4 * math.cos(-math.pi / 2 + k * TAU / 3), cy + s * 0.4 * math.sin(-math.pi / 2 + k * TAU / 3)) for k in range(3)]
    lines = "".join('<line x1="%s" y1="%s" x2="%s" y2="%s"/>' % (f(pts[k][0]), f(pts[k][1]), f(pts[(k + 1) % 3][0]), f(pts[(k + 1) % 3][1])) for k in range(3))
    seg = t * 3
    k = int(seg) % 3
    u = seg - int(seg)
    px = pts[k][0] + (pts[(k + 1) % 3][0] - pts[k][0]) * u
    py = pts[k][1] + (pts[(k + 1) % 3][1] - pts[k][1]) * u
    nodes = "".join('<circle cx="%s" cy="%s" r="%s"/>' % (f(x), f(y), f(s * 0.11)) for x, y in pts)
    return ('<g stroke="%s" stroke-width="1.5">%s</g><g fill="url(#gold)" stroke="%s" stroke-width="0.8">%s</g>'
            '<circle cx="%s" cy="%s" r="%s" fill="%s"/>' % (ink, lines, GOLD_DARK, nodes, f(px), f(py), f(s * 0.07), RED))


def trophy(cx, cy, s):
    x, y = cx, cy - s * 0.05
    cup = "M%s,%s L%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z" % (
        f(x - s * 0.3), f(y - s * 0.35), f(x + s * 0.3), f(y - s * 0.35),
        f(x + s * 0.3), f(y + s * 0.1), f(x), f(y + s * 0.15), f(x - s * 0.3), f(y + s * 0.1), f(x - s * 0.3), f(y - s * 0.35))
    return ('<g stroke="%s" stroke-width="1"><path d="M%s,%s a%s,%s 0 0 0 %s,%s" fill="none" stroke="url(#gold)" stroke-width="%s"/>'
            '<path d="M%s,%s a%s,%s 0 0 1 %s,%s" fill="none" stroke="url(#gold)" stroke-width="%s"/>'
            '<path d="%s" fill="url(#gold)"/>'
            '<rect x="%s" y="%s" width="%s" height="%s" fill="url(#gold)"/>'
            '<rect x="%s" y="%s" width="%s" height="%s" rx="1" fill="url(#gold)"/></g>' % (
                GOLD_DARK,
                f(x - s * 0.3), f(y - s * 0.27), f(s * 0.14), f(s * 0.14), f(0), f(s * 0.26), f(s * 0.06),
                f(x + s * 0.3), f(y - s * 0.27), f(s * 0.14), f(s * 0.14), f(0), f(s * 0.26), f(s * 0.06),
                cup,
                f(x - s * 0.05), f(y + s * 0.14), f(s * 0.1), f(s * 0.16),
                f(x - s * 0.2), f(y + s * 0.3), f(s * 0.4), f(s * 0.1)))


CLUB_FILL = {"A": "#1f6b34", "B": RED_DARK, "C": "#1d3a78", "D": "#5a2a7a", "E": "#7a1016", "F": "#1f6b34", "G": "#145e66"}


def club(letter):
    w, h, n = 60, 75, 10
    shield = "M30,3 L56,10 L56,36 C56,54 44,64 30,72 C16,64 4,54 4,36 L4,10 Z"
    frames = []
    for i in range(n):
        t = i / n
        body = ('<path d="%s" fill="%s" stroke="url(#gold)" stroke-width="3.5" stroke-linejoin="round"/>' % (shield, CLUB_FILL[letter]) +
                '<path d="%s" fill="none" stroke="%s" stroke-width="0.8" transform="translate(30,37) scale(0.86) translate(-30,-37)"/>' % (shield, GOLD) +
                motif(letter, 30, 36, 34, t) +
                gleam(30, 36, 21, t * 1.4 - 0.2, 6, 0.3))
        defs = gold_gradient("gold")
        frames.append(svg(w, h, body, defs))
    return frames


def purple_medallion(letter):
    w, h, n = 70, 70, 12
    frames = []
    for i in range(n):
        t = i / n
        rays = ""
        for k in range(8):
            a = TAU * (k / 8.0 + t / 8.0)
            rays += '<polygon points="35,35 %s,%s %s,%s"/>' % (
                f(35 + 29 * math.cos(a - 0.1)), f(35 + 29 * math.sin(a - 0.1)), f(35 + 29 * math.cos(a + 0.1)), f(35 + 29 * math.sin(a + 0.1)))
        body = ('<circle cx="35" cy="35" r="32" fill="url(#purple)" stroke="url(#gold)" stroke-width="4"/>'
                '<g fill="#ffffff" opacity="0.1">%s</g>' % rays +
                '<circle cx="35" cy="35" r="26" fill="none" stroke="%s" stroke-width="0.8" stroke-dasharray="2,2"/>' % GOLD +
                motif(letter, 35, 35, 34, t) +
                sparkle(35 + 27 * math.cos(TAU * t - 2), 35 + 27 * math.sin(TAU * t - 2), 4.5))
        defs = (gold_gradient("gold") + radial("purple", "#8a3fb5", "#2c0a45"))
        frames.append(svg(w, h, body, defs))
    return frames


# ---------------------------------------------------------------------------
# Info window, results and player window

def gen_count():
    w, h, n = 100, 90, 16
    frames = []
    names = ["spade", "heart", "club", "diamond"]
    for i in range(n):
        t = i / n
        leaves = ""
        for side in (-1, 1):
            for k in range(6):
                a = math.radians(110 + 22 * k) if side < 0 else math.radians(70 - 22 * k)
                x, y = 50 + 40 * math.cos(a), 47 + 38 * math.sin(a)
                rot = math.degrees(a) + (90 if side > 0 else -90)
                leaves += '<ellipse cx="%s" cy="%s" rx="3.2" ry="7" transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(rot), f(x), f(y))
        ring = ""
        for k, name in enumerate(names):
            a = TAU * (k / 4.0 + t / 4.0) - math.pi / 2
            ring += suit(name, 50 + 20 * math.cos(a), 45 + 20 * math.sin(a), 12, RED if name in ("heart", "diamond") else INK)
        body = ('<g fill="#3f8f3a" stroke="%s" stroke-width="0.6">%s</g>' % (FELT_DARK, leaves) +
                '<circle cx="50" cy="45" r="31" fill="url(#gold)" stroke="%s" stroke-width="1.2"/>' % GOLD_DARK +
                '<circle cx="50" cy="45" r="27" fill="url(#felt)" stroke="%s" stroke-width="1"/>' % GOLD_LIGHT +
                ring + star(50, 45, 8, 3.5, "url(#gold)", 0, GOLD_DARK, 0.6) +
                '<path d="M38,80 L50,74 L62,80 L58,88 L50,84 L42,88 Z" fill="%s" stroke="%s" stroke-width="0.6"/>' % (RED, RED_DARK) +
                sparkle(50 + 30 * math.cos(TAU * t), 45 + 30 * math.sin(TAU * t), 4))
        defs = gold_gradient("gold") + radial("felt", "#2f8f4a", FELT_DARK)
        frames.append(svg(w, h, body, defs))
    return frames


def top_ten():
    w, h, n = 100, 100, 12
    frames = []
    for i in range(n):
        t = i / n
        body = ('<ellipse cx="50" cy="92" rx="30" ry="4" fill="#000" opacity="0.25"/>' + trophy(50, 52, 84) +
                '<text x="50" y="44" text-anchor="middle" font-family="%s" font-weight="bold" font-size="22" fill="%s">10</text>' % (FONT, RED_DARK) +
                sparkle(22, 22, 7 * pulse(t), pulse(t)) + sparkle(80, 30, 6 * pulse(t, 0.33), pulse(t, 0.33)) +
                sparkle(64, 70, 5 * pulse(t, 0.66), pulse(t, 0.66)))
        frames.append(svg(w, h, body, gold_gradient("gold")))
    return frames


def medal():
    w, h, n = 60, 80, 12
    frames = []
    for i in range(n):
        t = i / n
        swing = 7 * math.sin(TAU * t)
        glint = 0.25 + 0.75 * pulse(t)
        body = ('<path d="M14,0 L28,34 L36,30 L24,0 Z" fill="%s"/><path d="M46,0 L32,34 L24,30 L36,0 Z" fill="%s"/>' % (RED_DARK, RED) +
                '<g transform="rotate(%s 30 28)">' % f(swing) +
                '<circle cx="30" cy="55" r="20" fill="url(#gold)" stroke="%s" stroke-width="1.2"/>' % GOLD_DARK +
                '<circle cx="30" cy="55" r="15" fill="none" stroke="%s" stroke-width="1"/>' % GOLD_DARK +
                star(30, 55, 11, 4.6, GOLD_LIGHT, 0, GOLD_DARK, 0.8) +
                '<rect x="26" y="31" width="8" height="6" rx="1.5" fill="url(#gold)" stroke="%s" stroke-width="0.8"/>' % GOLD_DARK +
                sparkle(20, 46, 6 * glint, glint) + '</g>')
        frames.append(svg(w, h, body, gold_gradient("gold")))
    return frames


PLACE_METAL = {1: ("#fff0a8", GOLD, GOLD_DARK), 2: ("#ffffff", "#c8ccd4", "#6f7480"), 3: ("#ffd2a0", "#c27a3a", "#6e3c14")}


def place(number):
    w, h, n = 48, 48, 10
    light, mid, dark = PLACE_METAL.get(number, ("#6fcf86", "#2f8f4a", FELT_DARK))
    frames = []
    for i in range(n):
        t = i / n
        scallop = []
        for k in range(32):
            r = 23 if k % 2 == 0 else 20.5
            a = TAU * k / 32
            scallop.append("%s,%s" % (f(24 + r * math.cos(a)), f(24 + r * math.sin(a))))
        fs = 19 if number < 10 else 16
        body = ('<polygon points="%s" fill="%s" stroke="%s" stroke-width="0.8"/>' % (" ".join(scallop), RED, RED_DARK) +
                '<circle cx="24" cy="24" r="17" fill="url(#metal)" stroke="%s" stroke-width="1.2"/>' % dark +
                '<circle cx="24" cy="24" r="14" fill="none" stroke="%s" stroke-width="0.8"/>' % light +
                '<text x="24" y="%s" text-anchor="middle" font-family="%s" font-weight="bold" font-size="%d" fill="%s">%d</text>' % (
                    f(24 + fs * 0.36), FONT, fs, "#ffffff" if number > 3 else dark, number) +
                gleam(24, 24, 16, t * 1.4 - 0.2, 4, 0.4))
        defs = gold_gradient("metal", light, mid, dark)
        frames.append(svg(w, h, body, defs))
    return frames


def end_best():
    """Fireworks over a gold star; plays once and stays on the star."""
    w, h, n = 120, 120, 14
    frames = []
    bursts = [(40, 38, 0.0, GOLD), (84, 46, 0.25, RED), (60, 28, 0.45, GOLD_LIGHT)]
    for i in range(n):
        t = i / (n - 1)
        body = ""
        for bx, by, start, colour in bursts:
            u = (t - start) / 0.55
            if 0 < u <= 1:
                for k in range(12):
                    a = TAU * k / 12
                    r1, r2 = 26 * u * 0.6, 26 * u
                    body += '<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="2" stroke-linecap="round" opacity="%s"/>' % (
                        f(bx + r1 * math.cos(a)), f(by + r1 * math.sin(a)), f(bx + r2 * math.cos(a)), f(by + r2 * math.sin(a)),
                        colour, f(1 - 0.7 * u))
        grow = min(1.0, t / 0.7)
        r = 8 + 36 * (1 - (1 - grow) ** 2)
        body += star(60, 70, r, r * 0.45, "url(#gold)", TAU * (1 - grow) / 5, GOLD_DARK, 1.2)
        if grow >= 1:
            body += '<text x="60" y="79" text-anchor="middle" font-family="%s" font-weight="bold" font-size="24" fill="%s">1</text>' % (FONT, RED_DARK)
            body += sparkle(26, 96, 7) + sparkle(96, 92, 6) + sparkle(60, 16, 7)
        frames.append(svg(w, h, body, gold_gradient("gold")))
    return frames


def end_good():
    """A laurel wreath closing round a rising medal; plays once."""
    w, h, n = 120, 120, 12
    frames = []
    for i in range(n):
        t = i / (n - 1)
        e = 1 - (1 - t) ** 2
        leaves = ""
        count = int(round(1 + 6 * e))
        for side in (-1, 1):
            for k in range(count):
                a = math.radians(100 + 24 * k) if side < 0 else math.radians(80 - 24 * k)
                x, y = 60 + 46 * math.cos(a), 58 + 46 * math.sin(a)
                rot = math.degrees(a) + (90 if side > 0 else -90)
                leaves += '<ellipse cx="%s" cy="%s" rx="4.5" ry="10" transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(rot), f(x), f(y))
        y = 120 - 62 * e
        body = ('<g fill="#3f8f3a" stroke="%s" stroke-width="0.8">%s</g>' % (FELT_DARK, leaves) +
                '<circle cx="60" cy="%s" r="26" fill="url(#gold)" stroke="%s" stroke-width="1.5"/>' % (f(y), GOLD_DARK) +
                star(60, y, 17, 7, GOLD_LIGHT, 0, GOLD_DARK, 1) +
                sparkle(60 - 30 * e, y - 24, 7 * e, e))
        frames.append(svg(w, h, body, gold_gradient("gold")))
    return frames


def end_bads():
    """A small rain cloud over a dropped card; repeats."""
    w, h, n = 120, 120, 8
    frames = []
    for i in range(n):
        t = i / n
        drops = ""
        for k in range(7):
            x = 30 + k * 10
            y = 52 + ((t + k * 0.37) % 1.0) * 40
            drops += '<path d="M%s,%s q-3,5 0,7 q3,-2 0,-7Z"/>' % (f(x), f(y))
        body = ('<g transform="translate(60,90) rotate(-12)">%s</g>' % card_face(36, 50, "heart", "7") +
                '<g fill="#6ea0d8" opacity="0.9">%s</g>' % drops +
                '<g fill="url(#cloud)" stroke="#5a6470" stroke-width="1"><path d="M24,52 a14,14 0 0 1 8,-25 a18,18 0 0 1 32,-6 '
                'a15,15 0 0 1 26,8 a12,12 0 0 1 6,23 Z"/></g>')
        defs = ('<linearGradient id="cloud" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#e4e8ee"/>'
                '<stop offset="1" stop-color="#8a94a2"/></linearGradient>')
        frames.append(svg(w, h, body, defs))
    return frames


def password():
    """A padlock whose shackle opens and closes."""
    w, h, n = 80, 80, 12
    frames = []
    for i in range(n):
        t = i / n
        lift = 9 * max(0.0, math.sin(TAU * t)) ** 2
        glint = pulse(t, 0.5)
        body = ('<path d="M26,%s L26,%s A14,14 0 0 1 54,%s L54,%s" fill="none" stroke="#9aa0a8" stroke-width="6" stroke-linecap="round"/>' % (
                    f(38 - lift), f(26 - lift), f(26 - lift), f(38 - lift * 0.3 if lift < 1 else 30 - lift)) +
                '<rect x="16" y="36" width="48" height="38" rx="6" fill="url(#gold)" stroke="%s" stroke-width="1.5"/>' % GOLD_DARK +
                '<rect x="20" y="40" width="40" height="30" rx="4" fill="none" stroke="%s" stroke-width="0.8"/>' % GOLD_LIGHT +
                '<circle cx="40" cy="52" r="5" fill="%s"/><path d="M37,54 L43,54 L41.5,64 L38.5,64 Z" fill="%s"/>' % (RED_DARK, RED_DARK) +
                sparkle(24, 44, 6 * glint, glint))
        frames.append(svg(w, h, body, gold_gradient("gold")))
    return frames


def icon_count():
    """A purple counting frame whose beads slide."""
    w, h, n = 48, 48, 12
    frames = []
    for i in range(n):
        t = i / n
        rods = ""
        for k in range(3):
            y = 14 + k * 10
            u = pulse(t, k / 3.0)
            rods += '<line x1="9" y1="%d" x2="39" y2="%d" stroke="%s" stroke-width="1.2"/>' % (y, y, GOLD_LIGHT)
            for b in range(3):
                x = 13 + b * 5.5 + u * 13 * (1 if b == 2 else (0.5 if b == 1 else 0))
                rods += '<circle cx="%s" cy="%d" r="3" fill="%s" stroke="%s" stroke-width="0.6"/>' % (f(x), y, RED if b == 2 else GOLD, RED_DARK)
        body = ('<rect x="2" y="2" width="44" height="44" rx="8" fill="url(#purple)" stroke="url(#gold)" stroke-width="3"/>' +
                '<rect x="7" y="8" width="34" height="32" rx="2" fill="none" stroke="%s" stroke-width="1.5"/>' % GOLD + rods)
        defs = gold_gradient("gold") + radial("purple", "#8a3fb5", "#2c0a45")
        frames.append(svg(w, h, body, defs))
    return frames


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: anim.py OUTDIR")
    out = Writer(sys.argv[1])
    out.write("GifMenu1", gif_menu1(), 100)
    out.write("GifMenu2", gif_menu2(), 100)
    out.write("GSirenaB", sirena("#2a6fd8", "#d8ecff", "#12306a"), 90)
    out.write("GSirenaR", sirena(RED, "#ffe0d8", RED_DARK), 90)
    out.write("GGenCount", gen_count(), 100)
    for letter in "ABCDEFG":
        out.write("GClub" + letter, club(letter), 100)
        out.write("Gif" + letter, purple_medallion(letter), 90)
    out.write("GTopTen", top_ten(), 110)
    out.write("GMedal", medal(), 100)
    for number in range(1, 11):
        out.write("GPlace%02d" % number, place(number), 100)
    out.write("GEndBest", end_best(), 90, "once", 3000)
    out.write("GEndGood", end_good(), 90, "once", 3000)
    out.write("GEndBads", end_bads(), 110)
    out.write("GPw", password(), 110)
    out.write("GIcon48COunt", icon_count(), 80)


if __name__ == "__main__":
    main()
