#!/usr/bin/env python3
"""Window decorations of the graphics library: the score window's header and
backdrop, the caption plaque and ribbons that the windows write their titles
on, and the purple design's window background. One SVG per picture in OUTDIR.

Usage: graph.py OUTDIR
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

GOLD, GOLD_LIGHT, GOLD_DARK, RED, RED_DARK = k.GOLD, k.GOLD_LIGHT, k.GOLD_DARK, k.RED, k.RED_DARK
CREAM, FELT, FELT_DARK = k.CREAM, k.FELT, k.FELT_DARK
gold, rrect, suit = k.gold_gradient, k.rrect, k.suit

OUT = "."


def save(name, width, height, body, defs=""):
    k.save(OUT, name, width, height, body, defs)


# ------------------------------------------------------------------ header of the score window

def count_header():
    """325 x 100: a green baize band in a gold frame with a fan of suits and a laurel."""
    defs = (gold("rim") + k.radial("baize", [(0, "#2f8a4c", 1), (0.7, FELT, 1), (1, FELT_DARK, 1)], 0.5, 0.4, 0.7) +
            k.radial("medal", [(0, GOLD_LIGHT, 1), (0.6, GOLD, 1), (1, GOLD_DARK, 1)], 0.4, 0.35, 0.6))
    body = [rrect(0, 0, 325, 100, 0, "url(#rim)"),
            rrect(4, 4, 317, 92, 6, "url(#baize)"),
            rrect(8, 8, 309, 84, 4, "none", ' stroke="%s" stroke-opacity="0.6" stroke-dasharray="4 3" stroke-width="1"' % GOLD_LIGHT)]
    # Laurel branches round a medal.
    leaves = []
    for side in (-1, 1):
        for i in range(7):
            a = math.radians(200 - i * 22) if side < 0 else math.radians(-20 + i * 22)
            x, y = 162.5 + 38 * math.cos(a), 50 + 34 * math.sin(a) * -1 + 4
            turn = math.degrees(a) + (90 if side < 0 else -90)
            leaves.append('<ellipse cx="%s" cy="%s" rx="7" ry="3" transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(turn), f(x), f(y)))
    body.append('<g fill="%s" stroke="%s" stroke-width="0.6">%s</g>' % (GOLD, GOLD_DARK, "".join(leaves)))
    body.append('<circle cx="162.5" cy="50" r="26" fill="url(#medal)" stroke="%s" stroke-width="1.2"/>' % GOLD_DARK)
    body.append('<circle cx="162.5" cy="50" r="20" fill="none" stroke="%s" stroke-width="1"/>' % GOLD_DARK)
    body.append(suit("heart", 162.5, 51, 22, RED, ' stroke="%s" stroke-width="0.6"' % RED_DARK))
    # Suits along the band.
    for x, kind in ((40, "spade"), (75, "heart"), (250, "diamond"), (285, "club")):
        colour = RED if kind in ("heart", "diamond") else "#151515"
        body.append('<circle cx="%d" cy="50" r="15" fill="%s" stroke="url(#rim)" stroke-width="2.5"/>' % (x, CREAM))
        body.append(suit(kind, x, 50.5, 18, colour))
    save("count_header", 325, 100, "\n".join(body), defs)


def scroll_backdrop():
    """315 x 400: an unrolled parchment scroll, light enough for the rows written on it."""
    defs = (k.linear("paper", [(0, "#efe2bd", 1), (0.08, "#fbf4de", 1), (0.92, "#fbf4de", 1), (1, "#efe2bd", 1)], 0, 0, 1, 0) +
            k.linear("roll", [(0, "#f7ecd0", 1), (0.5, "#d9c393", 1), (1, "#a88d58", 1)]) +
            k.radial("stain", [(0, "#c9a866", 0.18), (1, "#c9a866", 0)]))
    body = [rrect(14, 18, 287, 364, 2, "url(#paper)", ' stroke="#b89a5e" stroke-width="1"'),
            '<ellipse cx="90" cy="120" rx="70" ry="50" fill="url(#stain)"/>',
            '<ellipse cx="230" cy="290" rx="80" ry="60" fill="url(#stain)"/>',
            rrect(26, 34, 263, 332, 2, "none", ' stroke="%s" stroke-opacity="0.35" stroke-width="1"' % GOLD_DARK)]
    for y in (4, 368):
        body.append(rrect(4, y, 307, 28, 14, "url(#roll)", ' stroke="#8a7040" stroke-width="1"'))
        body.append('<ellipse cx="10" cy="%s" rx="6" ry="13" fill="#c9b07a" stroke="#8a7040" stroke-width="1"/>' % f(y + 14))
        body.append('<ellipse cx="305" cy="%s" rx="6" ry="13" fill="#c9b07a" stroke="#8a7040" stroke-width="1"/>' % f(y + 14))
        body.append('<ellipse cx="10" cy="%s" rx="2.5" ry="6" fill="#8a7040"/>' % f(y + 14))
        body.append('<ellipse cx="305" cy="%s" rx="2.5" ry="6" fill="#8a7040"/>' % f(y + 14))
    save("scroll", 315, 400, "\n".join(body), defs)


def caption_plaque():
    """300 x 64: a dark red plaque with gold rim for a yellow caption word."""
    defs = (gold("rim") + k.linear("plaque", [(0, "#8e1a23", 1), (1, "#4f0a10", 1)]) +
            k.linear("shine", [(0, "#ffffff", 0.25), (1, "#ffffff", 0)]))
    outline = "M18 2 H282 L298 18 V46 L282 62 H18 L2 46 V18 Z"
    inner = "M21 7 H279 L293 21 V43 L279 57 H21 L7 43 V21 Z"
    body = ('<path d="%s" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % (outline, GOLD_DARK) +
            '<path d="%s" fill="url(#plaque)"/>' % inner +
            '<path d="M21 7 H279 L293 21 V28 Q150 38 7 28 V21 Z" fill="url(#shine)"/>' +
            suit("spade", 26, 32, 12, GOLD_LIGHT) + suit("heart", 274, 32, 12, GOLD_LIGHT))
    save("cap300", 300, 64, body, defs)


def ribbon(name, width, height):
    """A red ribbon banner with folded ends, its middle free for a caption picture."""
    defs = (k.linear("front", [(0, "#d23a44", 1), (0.5, RED, 1), (1, RED_DARK, 1)]) +
            k.linear("back", [(0, "#8e1a23", 1), (1, "#4f0a10", 1)]) + gold("rim"))
    band_top, band_bottom = height * 0.22, height * 0.78
    tail = width * 0.12
    body = [
        # Tails behind the band.
        '<path d="M0 %s H%s V%s H0 L%s %s Z" fill="url(#back)"/>' % (
            f(band_top + height * 0.14), f(tail * 1.6), f(band_bottom + height * 0.14), f(tail * 0.6), f((band_top + band_bottom) / 2 + height * 0.14)),
        '<path d="M%s %s H%s L%s %s L%s %s H%s Z" fill="url(#back)"/>' % (
            f(width), f(band_top + height * 0.14), f(width - tail * 1.6), f(width - tail * 1.6), f(band_bottom + height * 0.14),
            f(width), f(band_bottom + height * 0.14), f(width - tail * 0.6)),
        # The band, gently arched.
        '<path d="M%s %s Q%s %s %s %s V%s Q%s %s %s %s Z" fill="url(#front)" stroke="%s" stroke-width="1"/>' % (
            f(tail), f(band_top), f(width / 2), f(band_top - height * 0.1), f(width - tail), f(band_top), f(band_bottom),
            f(width / 2), f(band_bottom - height * 0.1), f(tail), f(band_bottom), RED_DARK),
        '<path d="M%s %s Q%s %s %s %s" fill="none" stroke="url(#rim)" stroke-width="1.6"/>' % (
            f(tail + 4), f(band_top + 4), f(width / 2), f(band_top - height * 0.1 + 4), f(width - tail - 4), f(band_top + 4)),
        '<path d="M%s %s Q%s %s %s %s" fill="none" stroke="url(#rim)" stroke-width="1.6"/>' % (
            f(tail + 4), f(band_bottom - 4), f(width / 2), f(band_bottom - height * 0.1 - 4), f(width - tail - 4), f(band_bottom - 4)),
    ]
    save(name, width, height, "\n".join(body), defs)


def purple_window():
    """325 x 500: the purple design's window background, violet damask in a gold frame."""
    defs = (gold("rim") + k.radial("violet", [(0, "#6e3d91", 1), (0.7, "#4a2266", 1), (1, "#2a1040", 1)], 0.5, 0.4, 0.75) +
            '<path id="d" d="M0 -19 C5 -13 7 -6 0 2 C-7 -6 -5 -13 0 -19 Z M0 2 C9 -2 15 -10 11 -16 C8 -20 3 -16 6 -12 '
            'C8 -9 5 -4 0 2 Z M0 2 C-9 -2 -15 -10 -11 -16 C-8 -20 -3 -16 -6 -12 C-8 -9 -5 -4 0 2 Z M-7 4 H7 V6.5 H-7 Z '
            'M0 7 C8 9 13 15 9 20 C6 23 2 20 4 17 C6 14 3 11 0 11 C-3 11 -6 14 -4 17 C-2 20 -6 23 -9 20 C-13 15 -8 9 0 7 Z"/>\n')
    body = [rrect(0, 0, 325, 500, 0, "url(#violet)")]
    uses = []
    for row in range(12):
        for col in range(8):
            x = 20 + col * 44 + (22 if row % 2 else 0)
            y = 20 + row * 44
            uses.append('<use xlink:href="#d" transform="translate(%d %d)"/>' % (x, y))
    body.append('<g fill="#e9c8ff" fill-opacity="0.08">%s</g>' % "".join(uses))
    body.append(rrect(3, 3, 319, 494, 6, "none", ' stroke="url(#rim)" stroke-width="4"'))
    body.append(rrect(10, 10, 305, 480, 4, "none", ' stroke="%s" stroke-opacity="0.5" stroke-width="1"' % GOLD_LIGHT))
    save("purple_window", 325, 500, "\n".join(body), defs)


def main():
    global OUT
    OUT = sys.argv[1]
    count_header()
    scroll_backdrop()
    caption_plaque()
    ribbon("ribbon_200x100", 200, 100)
    ribbon("ribbon_280x90", 280, 90)
    purple_window()


if __name__ == "__main__":
    main()
