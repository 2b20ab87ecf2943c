#!/usr/bin/env python3
"""The table's own pictures: score panel, speech bubbles, move clocks, the
round panel and chat frames, the menu clocks with their digit sets and icons,
lamps, the title, the side pictures of the menu, the radio and news board, the
notice bar and the music player buttons. One SVG drawing per picture, written
into OUTDIR; the resource builder renders each at the size of its entry.

Usage: pictures.py OUTDIR
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

OUT = "."
GOLD, GOLD_LIGHT, GOLD_DARK, RED, RED_DARK = k.GOLD, k.GOLD_LIGHT, k.GOLD_DARK, k.RED, k.RED_DARK
CREAM, CREAM_DARK, FELT, FELT_DARK = k.CREAM, k.CREAM_DARK, k.FELT, k.FELT_DARK
WOOD, WOOD_DARK, INK = k.WOOD, k.WOOD_DARK, k.INK
gold_gradient, rrect, suit = k.gold_gradient, k.rrect, k.suit


def save(name, width, height, body, defs=""):
    k.save(OUT, name, width, height, body, defs)


def well(x, y, w, h, r=4):
    """A cream box set into the panel: a dark lip above, a light one below."""
    return (rrect(x - 1, y - 1, w + 2, h + 2, r + 1, GOLD_DARK) +
            rrect(x, y, w, h, r, "url(#well)") +
            '<path d="M%s %s H%s" stroke="#000000" stroke-opacity="0.18" stroke-width="1.2"/>' % (f(x + r), f(y + 1.2), f(x + w - r)))


# ------------------------------------------------------------------ score panel

def score_panel():
    defs = (gold_gradient("rim") +
            k.linear("leather", [(0, "#8c1c24", 1), (1, "#5a0c12", 1)]) +
            k.linear("well", [(0, "#f2e7c6", 1), (0.25, CREAM, 1), (1, "#fffaf0", 1)]))
    body = (rrect(0.5, 0.5, 154, 94, 9, "url(#rim)") +
            rrect(3, 3, 149, 89, 7, "url(#leather)") +
            rrect(5.5, 5.5, 144, 84, 5.5, "none", ' stroke="%s" stroke-opacity="0.7" stroke-width="0.8" stroke-dasharray="2.5 1.8"' % GOLD_LIGHT) +
            well(15, 15, 125, 31) + well(15, 50, 35, 31) + well(55, 50, 45, 31) + well(105, 50, 35, 31) +
            # Gold studs in the corners.
            "".join('<circle cx="%s" cy="%s" r="2.2" fill="url(#rim)" stroke="%s" stroke-width="0.5"/>' % (x, y, GOLD_DARK)
                    for x, y in ((9, 9), (146, 9), (9, 86), (146, 86))))
    save("tablo", 155, 95, body, defs)


# ------------------------------------------------------------------ hands

def hand(name, down):
    """A white glove pointing up (or down), in a 20 x 30 box."""
    glove = ("M8.2 2.2 C8.2 0.9 11.4 0.9 11.4 2.2 L11.4 12.5 "
             "C11.6 11.2 14.4 11.2 14.5 12.8 C14.8 11.8 17.3 12 17.3 13.6 "
             "C17.6 12.8 19.4 13.1 19.4 14.6 L19.4 20.5 C19.4 24.4 17.4 25.6 16.4 26.4 L7.6 26.4 "
             "C5.4 24.6 3.6 22.6 1.4 18.2 C0.6 16.6 2.2 15.4 3.6 16.6 L6.2 18.6 L8.2 19 Z")
    creases = "M11.4 13.4 V17 M14.5 13.6 V17.4 M17.3 14.4 V17.6"
    cuff = rrect(6.6, 25.6, 11.2, 4, 1.2, "url(#cuff)", ' stroke="%s" stroke-width="0.6"' % GOLD_DARK)
    body = ('<path d="%s" fill="url(#glove)" stroke="%s" stroke-width="0.9" stroke-linejoin="round"/>' % (glove, INK) +
            '<path d="%s" stroke="%s" stroke-width="0.6" stroke-linecap="round" fill="none"/>' % (creases, INK) +
            '<path d="M9.2 3 V11" stroke="#ffffff" stroke-width="0.8" stroke-linecap="round" opacity="0.9"/>' + cuff)
    if down:
        body = '<g transform="translate(20 30) rotate(180)">%s</g>' % body
    defs = (k.linear("glove", [(0, "#ffffff", 1), (1, "#dcd6c8", 1)], 0, 0, 1, 0) + gold_gradient("cuff"))
    save(name, 20, 30, body, defs)


# ------------------------------------------------------------------ bubbles

def bubble(name, top, bottom, edge):
    defs = (k.linear("fill", [(0, top, 1), (1, bottom, 1)]) +
            k.linear("gloss", [(0, "#ffffff", 0.55), (1, "#ffffff", 0.05)]))
    body = (rrect(0.5, 0.5, 159, 19, 9.5, "url(#fill)", ' stroke="%s" stroke-width="1"' % edge) +
            rrect(6, 1.8, 148, 7.5, 3.75, "url(#gloss)") +
            rrect(1.5, 1.5, 157, 17, 8.5, "none", ' stroke="#ffffff" stroke-opacity="0.25" stroke-width="0.6"'))
    save(name, 160, 20, body, defs)


# ------------------------------------------------------------------ move clocks

def move_clock(name, face, face_dark, ring):
    defs = (k.radial("face", [(0, k.lighter(face, 0.35), 1), (0.7, face, 1), (1, face_dark, 1)], 0.42, 0.38, 0.62) +
            gold_gradient("rim") + k.linear("shine", [(0, "#ffffff", 0.6), (1, "#ffffff", 0)]))
    ticks = []
    for i in range(12):
        a = math.pi * 2 * i / 12
        r0, r1 = (13.2, 15.6) if i % 3 else (12.2, 15.6)
        ticks.append("M%s %s L%s %s" % (f(20 + r0 * math.sin(a)), f(21.5 - r0 * math.cos(a)),
                                        f(20 + r1 * math.sin(a)), f(21.5 - r1 * math.cos(a))))
    body = (rrect(17, 0.6, 6, 3.2, 1, "url(#rim)", ' stroke="%s" stroke-width="0.4"' % GOLD_DARK) +
            '<path d="M5.5 6.5 L8.5 9.2 M34.5 6.5 L31.5 9.2" stroke="%s" stroke-width="2.4" stroke-linecap="round"/>' % GOLD_DARK +
            '<circle cx="20" cy="21.5" r="18" fill="url(#rim)" stroke="%s" stroke-width="0.8"/>' % GOLD_DARK +
            '<circle cx="20" cy="21.5" r="16.2" fill="url(#face)" stroke="%s" stroke-width="0.6"/>' % ring +
            '<path d="%s" stroke="%s" stroke-opacity="0.55" stroke-width="1" stroke-linecap="round"/>' % (" ".join(ticks), ring) +
            '<ellipse cx="20" cy="13" rx="10.5" ry="5.2" fill="url(#shine)"/>')
    save(name, 40, 40, body, defs)


# ------------------------------------------------------------------ frames

def parchment_frame(name, width, height):
    defs = (gold_gradient("rim") +
            k.radial("paper", [(0, "#fffbee", 1), (0.75, CREAM, 1), (1, CREAM_DARK, 1)]))
    body = (rrect(0.5, 0.5, width - 1, height - 1, 8, "url(#rim)", ' stroke="%s" stroke-width="1"' % GOLD_DARK) +
            rrect(4, 4, width - 8, height - 8, 5.5, RED_DARK) +
            rrect(6, 6, width - 12, height - 12, 4.5, "url(#paper)") +
            rrect(8.5, 8.5, width - 17, height - 17, 3, "none", ' stroke="%s" stroke-opacity="0.45" stroke-width="0.6"' % GOLD_DARK))
    corners = []
    for x, y, sx, sy in ((9, 9, 1, 1), (width - 9, 9, -1, 1), (9, height - 9, 1, -1), (width - 9, height - 9, -1, -1)):
        # A small gold scroll in each corner.
        corners.append('<path d="M%s %s Q%s %s %s %s" fill="none" stroke="%s" stroke-width="0.9" stroke-opacity="0.85"/>'
                       % (f(x), f(y + sy * 10), f(x), f(y), f(x + sx * 10), f(y), GOLD_DARK))
        corners.append('<circle cx="%s" cy="%s" r="1.4" fill="%s"/>' % (f(x + sx * 3), f(y + sy * 3), GOLD_DARK))
    save(name, width, height, body + "".join(corners), defs)


# ------------------------------------------------------------------ menu clocks

def clock_background():
    defs = (k.linear("bezel", [(0, "#9aa0a6", 1), (0.5, "#4b5056", 1), (1, "#2a2d31", 1)]) +
            gold_gradient("rim") +
            k.linear("glass", [(0, "#1b2126", 1), (1, "#07090b", 1)]) +
            k.linear("glare", [(0, "#ffffff", 0.16), (1, "#ffffff", 0)]))
    body = (rrect(0.5, 0.5, 114, 63, 9, "url(#rim)", ' stroke="%s" stroke-width="1"' % GOLD_DARK) +
            rrect(3, 3, 109, 58, 7, "url(#bezel)") +
            rrect(5, 5, 105, 54, 5.5, "url(#glass)") +
            '<path d="M10 5.5 H105 Q109.5 5.5 109.5 10 V20 Q60 28 5.5 22 V10 Q5.5 5.5 10 5.5 Z" fill="url(#glare)"/>')
    save("clock_bg", 115, 64, body, defs)


# Seven segments in a 20 x 40 box: a top, b top right, c bottom right, d bottom,
# e bottom left, f top left, g middle.
def segment_polygons():
    t = 3.4      # thickness
    x0, x1 = 3.2, 16.8
    y0, ym, y1 = 3.0, 20.0, 37.0
    h = t / 2
    gap = 0.7

    def horizontal(y):
        return [(x0 + gap, y), (x0 + gap + h, y - h), (x1 - gap - h, y - h), (x1 - gap, y), (x1 - gap - h, y + h), (x0 + gap + h, y + h)]

    def vertical(x, ya, yb):
        return [(x, ya + gap), (x + h, ya + gap + h), (x + h, yb - gap - h), (x, yb - gap), (x - h, yb - gap - h), (x - h, ya + gap + h)]

    return {
        "a": horizontal(y0 + h), "g": horizontal(ym), "d": horizontal(y1 - h),
        "f": vertical(x0 + h, y0 + h, ym), "b": vertical(x1 - h, y0 + h, ym),
        "e": vertical(x0 + h, ym, y1 - h), "c": vertical(x1 - h, ym, y1 - h),
    }


DIGIT_SEGMENTS = {
    "0": "abcdef", "1": "bc", "2": "abdeg", "3": "abcdg", "4": "bcfg", "5": "acdfg", "6": "acdefg",
    "7": "abc", "8": "abcdefg", "9": "abcdfg", "M": "g",
}


def digit(name, symbol, colour):
    segs = segment_polygons()
    lit = DIGIT_SEGMENTS[symbol]
    skew = ' transform="translate(1.6 0) skewX(-4.5)"'
    ghost = "".join('<path d="%s"/>' % k.path_of(segs[s]) for s in "abcdefg" if s not in lit)
    on = "".join('<path d="%s"/>' % k.path_of(segs[s]) for s in lit)
    glow = "".join('<path d="%s"/>' % k.path_of(segs[s]) for s in lit)
    body = ('<g%s>' % skew +
            '<g fill="%s" fill-opacity="0.09">%s</g>' % (colour, ghost) +
            '<g fill="none" stroke="%s" stroke-opacity="0.35" stroke-width="2" stroke-linejoin="round">%s</g>' % (colour, glow) +
            '<g fill="%s">%s</g>' % (colour, on) +
            '<g fill="#ffffff" fill-opacity="0.35" transform="translate(10 20) scale(0.55 0.8) translate(-10 -20)">%s</g>' % on +
            '</g>')
    save(name, 20, 40, body)


def clock_separator(colour):
    body = "".join('<circle cx="3" cy="%s" r="2.3" fill="%s"/><circle cx="3" cy="%s" r="3" fill="%s" fill-opacity="0.3"/>'
                   % (y, colour, y, colour) for y in (5, 17))
    save("clock_sep", 6, 22, body)


# ------------------------------------------------------------------ icons and lamps

def icon_windows():
    defs = (k.linear("screen", [(0, "#5fa8e6", 1), (1, "#1d4f8c", 1)]) + gold_gradient("rim"))
    body = (rrect(2, 3, 28, 20, 2.5, "#30353b") +
            rrect(4, 5, 24, 16, 1, "url(#screen)") +
            '<path d="M4 5 H28 L4 17 Z" fill="#ffffff" fill-opacity="0.18"/>' +
            '<path d="M13 23 H19 L20.5 27.5 H11.5 Z" fill="#4b5056"/>' +
            rrect(8, 27, 16, 2.6, 1.2, "url(#rim)"))
    save("icon_pc", 32, 32, body, defs)


def icon_phone():
    defs = k.linear("screen", [(0, "#7fd07a", 1), (1, "#2f7d35", 1)])
    body = (rrect(8, 1.5, 16, 29, 3.2, "#2b2f34", ' stroke="#111315" stroke-width="0.8"') +
            rrect(9.8, 5, 12.4, 21, 1, "url(#screen)") +
            '<path d="M9.8 5 H22.2 L9.8 17 Z" fill="#ffffff" fill-opacity="0.2"/>' +
            '<circle cx="16" cy="28.2" r="1.3" fill="#6b7075"/>' +
            rrect(13.5, 2.8, 5, 1, 0.5, "#6b7075"))
    save("icon_phone", 32, 32, body, defs)


def icon_account():
    defs = (gold_gradient("rim") + k.radial("disc", [(0, "#3f8f57", 1), (1, FELT_DARK, 1)], 0.45, 0.35, 0.65) +
            k.linear("person", [(0, "#fff6dd", 1), (1, "#e3cf98", 1)]))
    body = ('<circle cx="24" cy="24" r="23" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % GOLD_DARK +
            '<circle cx="24" cy="24" r="19.5" fill="url(#disc)"/>' +
            '<circle cx="24" cy="18.5" r="7.2" fill="url(#person)"/>' +
            '<path d="M11 37.5 C12 29 18 26.5 24 26.5 C30 26.5 36 29 37 37.5 C33.5 41.5 29 43.5 24 43.5 C19 43.5 14.5 41.5 11 37.5 Z" fill="url(#person)"/>')
    save("account", 48, 48, body, defs)


def lamp(name, colour):
    defs = (k.radial("glass", [(0, k.lighter(colour, 0.85), 1), (0.45, colour, 1), (1, k.darker(colour, 0.5), 1)], 0.4, 0.35, 0.6) +
            k.linear("chrome", [(0, "#f0f0f0", 1), (1, "#7d8186", 1)]) +
            k.radial("halo", [(0, colour, 0.45), (1, colour, 0)]))
    body = ('<circle cx="12" cy="12" r="11.8" fill="url(#halo)"/>' +
            '<circle cx="12" cy="12" r="9.2" fill="url(#chrome)" stroke="#55595e" stroke-width="0.6"/>' +
            '<circle cx="12" cy="12" r="7.2" fill="url(#glass)"/>' +
            '<ellipse cx="10.2" cy="8.8" rx="3.4" ry="2.2" fill="#ffffff" fill-opacity="0.75"/>')
    save(name, 24, 24, body, defs)


# ------------------------------------------------------------------ suit signs

# ------------------------------------------------------------------ title

def title():
    defs = (gold_gradient("rim") +
            k.linear("plaque", [(0, "#9b1b25", 1), (0.5, "#7a121b", 1), (1, "#4f0a10", 1)]) +
            k.linear("letters", [(0, "#fff4c2", 1), (0.45, "#f3cd5e", 1), (0.55, "#d9a535", 1), (1, "#9c6d1e", 1)]) +
            k.linear("shine", [(0, "#ffffff", 0.28), (1, "#ffffff", 0)]))
    body = []
    # The plaque: a gold-rimmed red panel with notched ends.
    outline = "M28 6 H572 L594 30 V150 L572 174 H28 L6 150 V30 Z"
    inner = "M33 14 H567 L586 33 V147 L567 166 H33 L14 147 V33 Z"
    body.append('<path d="%s" fill="#000000" fill-opacity="0.35" transform="translate(3 4)"/>' % outline)
    body.append('<path d="%s" fill="url(#rim)" stroke="%s" stroke-width="2"/>' % (outline, GOLD_DARK))
    body.append('<path d="%s" fill="url(#plaque)"/>' % inner)
    body.append('<path d="M33 14 H567 L586 33 V70 Q300 92 14 70 V33 Z" fill="url(#shine)"/>')
    body.append('<path d="%s" fill="none" stroke="%s" stroke-width="1.4" stroke-dasharray="5 3" stroke-opacity="0.8" '
                'transform="translate(300 90) scale(0.965 0.9) translate(-300 -90)"/>' % (inner, GOLD_LIGHT))
    # The four suits at the ends.
    for x, y, kind, colour in ((62, 62, "spade", "#1b1b1b"), (62, 118, "heart", RED), (538, 62, "diamond", RED), (538, 118, "club", "#1b1b1b")):
        body.append('<circle cx="%d" cy="%d" r="21" fill="%s" stroke="url(#rim)" stroke-width="3"/>' % (x, y, CREAM))
        body.append(suit(kind, x, y + 0.5, 26, colour))
    # The name, with a dark edge and a soft drop.
    text_attrs = 'x="300" y="122" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="92"'
    body.append('<text %s fill="#000000" fill-opacity="0.45" transform="translate(3 4)">Varnok</text>' % text_attrs)
    body.append('<text %s fill="url(#letters)" stroke="%s" stroke-width="2.2">Varnok</text>' % (text_attrs, "#3d1a05"))
    body.append('<text %s fill="url(#letters)">Varnok</text>' % text_attrs)
    body.append('<text x="566" y="158" text-anchor="end" font-family="DejaVu Sans" font-weight="bold" font-size="15" '
                'fill="%s">V 5.7f</text>' % GOLD_LIGHT)
    save("title", 600, 180, "\n".join(body), defs)


# ------------------------------------------------------------------ side pictures

def card(x, y, angle, kind, colour):
    """A playing card of 46 x 66 with one big pip and two small ones."""
    g = ['<g transform="translate(%s %s) rotate(%s)">' % (f(x), f(y), f(angle))]
    g.append(rrect(-23 + 1.5, -33 + 2, 46, 66, 4.5, "#000000", ' fill-opacity="0.3"'))
    g.append(rrect(-23, -33, 46, 66, 4.5, "url(#paper)", ' stroke="#6b5a3a" stroke-width="0.8"'))
    g.append(rrect(-20, -30, 40, 60, 3, "none", ' stroke="%s" stroke-width="0.6" stroke-opacity="0.7"' % GOLD_DARK))
    g.append(suit(kind, 0, 0, 26, colour))
    g.append(suit(kind, -14, -22, 8, colour))
    g.append(suit(kind, 14, 22, 8, colour, turn=180))
    g.append("</g>")
    return "".join(g)


def side_frame(defs_extra=""):
    """The menu's side picture frame: a gold rim, a red leather border and a
    panel of green baize with a soft light in its middle."""
    defs = (gold_gradient("rim") + gold_gradient("rim_h", vertical=False) +
            k.linear("leather", [(0, "#9b1b25", 1), (1, RED_DARK, 1)]) +
            k.radial("baize", [(0, "#3a9a5a", 1), (0.55, FELT, 1), (1, FELT_DARK, 1)], 0.5, 0.42, 0.7) +
            k.linear("paper", [(0, "#ffffff", 1), (1, "#efe6cf", 1)]) + defs_extra)
    body = [rrect(0.5, 0.5, 99, 199, 11, "url(#rim)", ' stroke="%s" stroke-width="1"' % GOLD_DARK),
            rrect(4, 4, 92, 192, 8, "url(#leather)"),
            rrect(7, 7, 86, 186, 6, "url(#baize)"),
            rrect(9.5, 9.5, 81, 181, 4.5, "none", ' stroke="%s" stroke-opacity="0.55" stroke-width="0.8" stroke-dasharray="3 2"' % GOLD_LIGHT)]
    # Gold studs in the corners of the leather.
    for x, y in ((5.8, 5.8), (94.2, 5.8), (5.8, 194.2), (94.2, 194.2)):
        body.append('<circle cx="%s" cy="%s" r="2.3" fill="url(#rim)" stroke="%s" stroke-width="0.5"/>' % (f(x), f(y), GOLD_DARK))
    return defs, body


def fan_card(angle, rank, kind, colour, pivot=(50, 150)):
    """A card of 34 x 50 standing on the fan's pivot, turned by angle."""
    px, py = pivot
    x, y = px - 17, py - 62
    g = ['<g transform="rotate(%s %s %s)">' % (f(angle), f(px), f(py))]
    g.append(rrect(x + 1.2, y + 1.6, 34, 50, 3.5, "#000000", ' fill-opacity="0.32"'))
    g.append(rrect(x, y, 34, 50, 3.5, "url(#paper)", ' stroke="#6b5a3a" stroke-width="0.7"'))
    g.append(rrect(x + 2.2, y + 2.2, 29.6, 45.6, 2.2, "none", ' stroke="%s" stroke-width="0.5" stroke-opacity="0.75"' % GOLD_DARK))
    g.append('<text x="%s" y="%s" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="9" fill="%s">%s</text>'
             % (f(x + 7), f(y + 11), colour, rank))
    g.append(suit(kind, x + 7, y + 16.5, 6, colour))
    g.append(suit(kind, x + 17, y + 28, 17, colour))
    g.append("</g>")
    return "".join(g)


def sparkle(x, y, s, colour=GOLD_LIGHT):
    return '<path d="M%s %s Q%s %s %s %s Q%s %s %s %s Q%s %s %s %s Q%s %s %s %s Z" fill="%s"/>' % (
        f(x), f(y - s), f(x + s * 0.18), f(y - s * 0.18), f(x + s), f(y), f(x + s * 0.18), f(y + s * 0.18), f(x), f(y + s),
        f(x - s * 0.18), f(y + s * 0.18), f(x - s), f(y), f(x - s * 0.18), f(y - s * 0.18), f(x), f(y - s), colour)


def banner(y, defs_id="ribbon"):
    """A red ribbon with gold edges across the panel, its ends folded back."""
    return ('<path d="M9 %s L3 %s L9 %s L15 %s Z M91 %s L97 %s L91 %s L85 %s Z" fill="%s"/>'
            % (f(y + 2), f(y + 8), f(y + 14), f(y + 12), f(y + 2), f(y + 8), f(y + 14), f(y + 12), RED_DARK) +
            '<path d="M13 %s Q50 %s 87 %s L87 %s Q50 %s 13 %s Z" fill="url(#%s)" stroke="%s" stroke-width="1"/>'
            % (f(y), f(y - 8), f(y), f(y + 13), f(y + 5), f(y + 13), defs_id, GOLD))


def menu_side_cards():
    """The left side picture: a fan of the four aces and the king of hearts
    rising from a gold medallion, over a red ribbon with the four suits."""
    defs, body = side_frame(k.linear("ribbon", [(0, "#c8303a", 1), (1, "#7a121b", 1)]) +
                            k.radial("glow", [(0, GOLD_LIGHT, 0.55), (1, GOLD_LIGHT, 0)]))
    body.append('<ellipse cx="50" cy="92" rx="40" ry="62" fill="url(#glow)"/>')
    body.append(sparkle(22, 26, 5) + sparkle(78, 24, 4.2) + sparkle(50, 18, 3.4))
    for angle, rank, kind, colour in ((-24, "A", "club", "#1b1b1b"), (-12, "A", "diamond", RED), (0, "K", "heart", RED),
                                      (12, "A", "spade", "#1b1b1b"), (24, "A", "heart", RED)):
        body.append(fan_card(angle, rank, kind, colour, pivot=(50, 132)))
    # The medallion that holds the fan together.
    body.append('<circle cx="50" cy="132" r="13" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % GOLD_DARK)
    body.append('<circle cx="50" cy="132" r="9.5" fill="%s" stroke="%s" stroke-width="0.6"/>' % (RED, GOLD_LIGHT))
    body.append(suit("spade", 50, 132.3, 10, GOLD_LIGHT))
    body.append(banner(160))
    for i, kind in enumerate(("spade", "heart", "diamond", "club")):
        body.append(suit(kind, 29 + i * 14, 160.5 + (0.8 if i in (0, 3) else 0), 7.5, GOLD_LIGHT))
    body.append(sparkle(50, 182, 3) + sparkle(30, 181, 2.2) + sparkle(70, 181, 2.2))
    save("menu_left", 100, 200, "\n".join(body), defs)


def menu_side_cup():
    """The right side picture: a gold cup on a plinth under a crown of
    stars, with a red heart on the bowl and a red ribbon below."""
    defs, body = side_frame(gold_gradient("cup", vertical=False) +
                            k.radial("glow", [(0, GOLD_LIGHT, 0.6), (1, GOLD_LIGHT, 0)]) +
                            k.linear("base", [(0, "#5a3318", 1), (1, "#2e170a", 1)]) +
                            k.linear("ribbon", [(0, "#c8303a", 1), (1, "#7a121b", 1)]))
    body.append('<ellipse cx="50" cy="84" rx="40" ry="60" fill="url(#glow)"/>')
    # Laurel sprigs around the cup.
    for side in (-1, 1):
        for i in range(6):
            t = i / 5.0
            x = 50 + side * (30 - 4 * t * t)
            y = 118 - 70 * t
            turn = side * (-30 + 40 * t)
            body.append('<ellipse cx="%s" cy="%s" rx="2.6" ry="6" fill="%s" stroke="%s" stroke-width="0.4" transform="rotate(%s %s %s)"/>'
                        % (f(x), f(y), "#4f9a3c" if i % 2 else "#3b7d2c", FELT_DARK, f(turn), f(x), f(y)))
    body.append('<path d="M22 124 Q20 86 34 50 M78 124 Q80 86 66 50" fill="none" stroke="%s" stroke-width="1.2"/>' % GOLD_DARK)
    # Handles, bowl, stem, foot and a plinth.
    body.append('<path d="M31 50 C17 50 17 76 36 82 M69 50 C83 50 83 76 64 82" fill="none" stroke="url(#rim)" stroke-width="4.5" stroke-linecap="round"/>')
    body.append('<path d="M29 43 H71 C71 76 62 93 50 97 C38 93 29 76 29 43 Z" fill="url(#cup)" stroke="%s" stroke-width="1"/>' % GOLD_DARK)
    body.append('<ellipse cx="50" cy="43" rx="21" ry="4" fill="%s" stroke="%s" stroke-width="1"/>' % (GOLD_LIGHT, GOLD_DARK))
    body.append('<path d="M35 49 C36 70 41 84 47 91" stroke="#ffffff" stroke-opacity="0.55" stroke-width="2.6" fill="none" stroke-linecap="round"/>')
    body.append(suit("heart", 50, 65, 18, RED, ' stroke="%s" stroke-width="0.6"' % RED_DARK))
    body.append('<path d="M46 97 H54 L55 110 H45 Z" fill="url(#cup)" stroke="%s" stroke-width="0.8"/>' % GOLD_DARK)
    body.append('<path d="M35 118 C37 110 63 110 65 118 Z" fill="url(#cup)" stroke="%s" stroke-width="0.8"/>' % GOLD_DARK)
    body.append(rrect(28, 118, 44, 20, 2, "url(#base)", ' stroke="#1a0d05" stroke-width="0.8"'))
    body.append(rrect(33, 122.5, 34, 11, 1.5, "url(#rim_h)"))
    body.append('<text x="50" y="131" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="8" fill="%s">1</text>' % RED_DARK)
    # Three stars over the cup.
    for x, y, s in ((50, 22, 6.5), (33, 27, 4.5), (67, 27, 4.5)):
        body.append(sparkle(x, y, s))
    body.append(sparkle(16, 96, 3) + sparkle(84, 100, 3.4))
    body.append(banner(158))
    body.append(sparkle(50, 182, 3) + sparkle(30, 181, 2.2) + sparkle(70, 181, 2.2))
    body.append('<text x="50" y="163.5" text-anchor="middle" font-family="DejaVu Serif" font-weight="bold" font-size="9" '
                'fill="%s" letter-spacing="1">VARNOK</text>' % GOLD_LIGHT)
    save("menu_right", 100, 200, "\n".join(body), defs)


# ------------------------------------------------------------------ radio and news board

def shelf():
    defs = (k.linear("top", [(0, "#a8713f", 1), (1, "#7d4d24", 1)]) +
            k.linear("front", [(0, "#6b3d1c", 1), (1, "#3d210d", 1)]) +
            k.linear("shadow", [(0, "#000000", 0.35), (1, "#000000", 0)]))
    body = ('<path d="M4 4 H216 L220 12 H0 Z" fill="url(#top)"/>' +
            rrect(0, 12, 220, 12, 1.5, "url(#front)") +
            '<path d="M0 12.6 H220" stroke="%s" stroke-opacity="0.6" stroke-width="0.8"/>' % GOLD_LIGHT +
            '<rect x="6" y="24" width="208" height="10" fill="url(#shadow)"/>' +
            # Two brackets.
            '<path d="M26 24 H36 V30 C36 40 30 48 26 52 Z M184 24 H194 V52 C190 48 184 40 184 30 Z" fill="url(#front)" stroke="%s" stroke-width="0.6"/>' % WOOD_DARK +
            "".join('<path d="M%s 6 Q%s 8 %s 10" stroke="%s" stroke-opacity="0.35" fill="none" stroke-width="0.7"/>' % (x, x + 30, x + 60, WOOD_DARK)
                    for x in (20, 90, 150)))
    save("shelf", 220, 54, body, defs)


def radio_case(name="radio", state=None):
    """The radio set of the menu's badge. With a state colour the same set
    shows that colour: the dial lit in it, its lamp on between the knobs and
    the tuning eye above the cloth."""
    defs = (k.linear("wood", [(0, "#9a5a2b", 1), (0.5, "#7a4019", 1), (1, "#4e260c", 1)], 0, 0, 1, 1) +
            gold_gradient("rim") +
            k.linear("cloth", [(0, "#d9c79a", 1), (1, "#b59f6d", 1)]))
    if state:
        defs += (k.linear("dial", [(0, k.lighter(state, 0.75), 1), (1, k.lighter(state, 0.35), 1)]) +
                 k.radial("lamp", [(0, k.lighter(state, 0.8), 1), (0.5, state, 1), (1, k.darker(state, 0.45), 1)], 0.4, 0.35, 0.6) +
                 k.radial("halo", [(0, state, 0.7), (1, state, 0)]))
    else:
        defs += k.linear("dial", [(0, "#fff5cf", 1), (1, "#e2cf8c", 1)])
    body = ['<path d="M6 62 V22 C6 10 20 3 36 3 H110 C126 3 140 10 140 22 V62 Z" fill="url(#wood)" stroke="%s" stroke-width="1"/>' % WOOD_DARK]
    body.append('<path d="M10 60 V23 C10 13 22 7 36 7 H110 C124 7 136 13 136 23 V60 Z" fill="none" stroke="url(#rim)" stroke-width="1.4"/>')
    # Speaker cloth with grille bars.
    body.append(rrect(16, 14, 58, 40, 5, "url(#cloth)", ' stroke="%s" stroke-width="0.8"' % WOOD_DARK))
    body.append("".join('<path d="M%s 15 V53" stroke="%s" stroke-width="2.2" stroke-opacity="0.75"/>' % (x, WOOD) for x in range(22, 72, 7)))
    # Dial window, scale, needle, two knobs.
    body.append(rrect(82, 14, 48, 18, 3, "url(#dial)", ' stroke="url(#rim)" stroke-width="1.2"'))
    body.append("".join('<path d="M%s 18 V%s" stroke="%s" stroke-width="0.6"/>' % (x, 22 if x % 8 else 25, INK) for x in range(86, 128, 4)))
    body.append('<path d="M104 15.5 V30.5" stroke="%s" stroke-width="1.2"/>' % (INK if state else RED))
    for x in (92, 120):
        body.append('<circle cx="%d" cy="45" r="7" fill="url(#rim)" stroke="%s" stroke-width="0.8"/>' % (x, GOLD_DARK))
        body.append('<circle cx="%d" cy="45" r="4" fill="%s"/>' % (x, WOOD_DARK))
    if state:
        # The dial's glow spills over the case; the lamp sits between the knobs.
        body.append(rrect(80, 12, 52, 22, 4.5, "none", ' stroke="%s" stroke-opacity="0.55" stroke-width="2"' % state))
        body.append('<circle cx="106" cy="45" r="8.5" fill="url(#halo)"/>')
        body.append('<circle cx="106" cy="45" r="4.2" fill="url(#lamp)" stroke="#2b1a0b" stroke-width="0.6"/>')
        body.append('<circle cx="104.9" cy="43.7" r="1.3" fill="#ffffff" fill-opacity="0.85"/>')
        # The tuning eye over the cloth, and the state colour along the grille.
        body.append('<circle cx="45" cy="9.4" r="3.2" fill="%s" stroke="url(#rim)" stroke-width="1"/>' % k.darker(state, 0.3))
        body.append('<circle cx="45" cy="9.4" r="1.6" fill="%s"/>' % k.lighter(state, 0.5))
        body.append(rrect(18, 50, 54, 2.6, 1.3, state, ' fill-opacity="0.85"'))
    else:
        body.append('<circle cx="106" cy="45" r="3.4" fill="%s" stroke="%s" stroke-width="0.6"/>' % (WOOD_DARK, GOLD_DARK))
    # Feet.
    body.append(rrect(16, 60, 16, 5, 2, WOOD_DARK) + rrect(114, 60, 16, 5, 2, WOOD_DARK))
    save(name, 146, 66, "\n".join(body), defs)


def news_paper():
    defs = k.linear("paper", [(0, "#ffffff", 1), (1, "#e7e0cf", 1)])
    body = ['<g transform="rotate(-8 36 40)">']
    body.append(rrect(11, 12, 50, 44, 2, "#000000", ' fill-opacity="0.25" transform="translate(2 3)"'))
    body.append(rrect(11, 12, 50, 44, 2, "url(#paper)", ' stroke="#8d8777" stroke-width="0.8"'))
    body.append(rrect(15, 16, 42, 7, 1, RED))
    body.append('<path d="M15 27 H57" stroke="%s" stroke-width="0.8"/>' % INK)
    body.append(rrect(15, 30, 18, 14, 1, "#9fb8c9"))
    body.append('<path d="M16 42 L22 35 L26 39 L29 36 L32 42 Z" fill="#4d7a4f"/>')
    lines = "".join('<path d="M36 %s H57" stroke="#7a7468" stroke-width="1.3"/>' % y for y in (31, 34.5, 38, 41.5))
    lines += "".join('<path d="M15 %s H57" stroke="#7a7468" stroke-width="1.3"/>' % y for y in (47.5, 51))
    body.append(lines)
    body.append("</g>")
    save("news", 72, 72, "\n".join(body), defs)


def chat_bubbles():
    defs = (k.linear("one", [(0, "#6fb3ef", 1), (1, "#2a6cb0", 1)]) + k.linear("two", [(0, "#fff3c8", 1), (1, "#e5c56a", 1)]))
    body = ('<path d="M6 12 H44 Q50 12 50 18 V36 Q50 42 44 42 H22 L12 51 L14 42 H6 Q0 42 0 36 V18 Q0 12 6 12 Z" '
            'fill="url(#one)" stroke="#1c4c7e" stroke-width="1" transform="translate(4 2)"/>' +
            "".join('<circle cx="%d" cy="29" r="3" fill="#ffffff"/>' % x for x in (17, 29, 41)) +
            '<path d="M30 34 H64 Q70 34 70 40 V54 Q70 60 64 60 H58 L60 68 L50 60 H30 Q24 60 24 54 V40 Q24 34 30 34 Z" '
            'fill="url(#two)" stroke="%s" stroke-width="1"/>' % GOLD_DARK +
            "".join('<path d="M31 %s H%s" stroke="%s" stroke-width="1.6" stroke-linecap="round"/>' % (y, x, GOLD_DARK) for y, x in ((42, 62), (47, 58), (52, 54))))
    save("chat", 72, 72, body, defs)


# ------------------------------------------------------------------ notice bar

def notice_bar():
    defs = (gold_gradient("rim") + k.linear("paper", [(0, "#fffdf3", 1), (1, CREAM_DARK, 1)]))
    body = (rrect(0.5, 0.5, 174, 39, 8, "url(#rim)", ' stroke="%s" stroke-width="1"' % GOLD_DARK) +
            rrect(3, 3, 169, 34, 6, "url(#paper)") +
            rrect(5, 5, 165, 30, 4.5, "none", ' stroke="%s" stroke-opacity="0.5" stroke-width="0.6" stroke-dasharray="2 1.5"' % RED))
    save("notice", 175, 40, body, defs)


# ------------------------------------------------------------------ music player

def player_button(name, glyph):
    defs = (gold_gradient("rim") + k.radial("face", [(0, "#2f8a4c", 1), (0.7, FELT, 1), (1, FELT_DARK, 1)], 0.45, 0.35, 0.65) +
            k.linear("gloss", [(0, "#ffffff", 0.45), (1, "#ffffff", 0)]))
    body = ('<circle cx="30.5" cy="30.5" r="29.5" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % GOLD_DARK +
            '<circle cx="30.5" cy="30.5" r="25" fill="url(#face)"/>' + glyph +
            '<ellipse cx="30.5" cy="17" rx="18" ry="10" fill="url(#gloss)"/>')
    save(name, 61, 61, body, defs)


def player_buttons():
    light = 'fill="%s" stroke="%s" stroke-width="1" stroke-linejoin="round"' % (GOLD_LIGHT, GOLD_DARK)
    player_button("mp_play", '<path d="M24 18 L43 30.5 L24 43 Z" %s/>' % light)
    player_button("mp_pause", rrect(21, 19, 7, 23, 1.5, GOLD_LIGHT, ' stroke="%s"' % GOLD_DARK) + rrect(33, 19, 7, 23, 1.5, GOLD_LIGHT, ' stroke="%s"' % GOLD_DARK))
    player_button("mp_next", '<path d="M17 19 L31 30.5 L17 42 Z M30 19 L44 30.5 L30 42 Z" %s/>' % light + rrect(43, 19, 3.5, 23, 1, GOLD_LIGHT))
    # Volume: "-" on the left, "+" on the right, the number is written in the middle.
    player_button("mp_volume", '<path d="M9 30.5 H19 M45 30.5 H53 M49 26.5 V34.5" stroke="%s" stroke-width="3" stroke-linecap="round"/>' % GOLD_LIGHT)


# ------------------------------------------------------------------ all of them

DIGIT_COLOURS = {
    "R": "#ff4a3d", "A": "#34e4ff", "G": "#48f06a", "Y": "#ffd23a",
    "V": "#c27bff", "L": "#ff9a2e", "N": "#f2f2f2", "B": "#5aa8ff",
}


def main():
    global OUT
    OUT = sys.argv[1]
    score_panel()
    hand("hand_up", False)
    hand("hand_down", True)
    bubble("bubble_blue", "#4f8fe0", "#1d4fa0", "#123166")
    bubble("bubble_green", "#3fae5a", "#19702f", "#0d4a1d")
    bubble("bubble_yellow", "#e6b230", "#a8730d", "#6e4a05")
    move_clock("timer_yellow", "#ffd95a", "#d69d12", "#7a5205")
    move_clock("timer_red", "#e5443c", "#9c1a16", "#4d0a08")
    parchment_frame("round_frame", 120, 150)
    parchment_frame("chat_frame", 130, 90)
    clock_background()
    for code, colour in DIGIT_COLOURS.items():
        for symbol in "0123456789M":
            if code == "B" and symbol == "M":
                continue
            digit("digit_%s%s" % (code, symbol), symbol, colour)
    clock_separator(DIGIT_COLOURS["B"])
    icon_windows()
    icon_phone()
    icon_account()
    lamp("lamp_red", "#e53a2f")
    lamp("lamp_yellow", "#ffcc1f")
    lamp("lamp_green", "#3fd65a")
    title()
    menu_side_cards()
    menu_side_cup()
    shelf()
    radio_case()
    radio_case("radio_blue", "#3d7fe0")
    radio_case("radio_red", "#e0352b")
    radio_case("radio_green", "#35d04e")
    news_paper()
    chat_bubbles()
    notice_bar()
    player_buttons()


if __name__ == "__main__":
    main()
