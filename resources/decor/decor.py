#!/usr/bin/env python3
"""Window decorations without words, in the house style (green baize, gold
rims, red accents, violet damask for the purple design), and the pictures of
the radio library. One SVG per picture in OUTDIR.

    GFormPw        325 x 455  the player window's purple background (tall enough for network mode)
    Pw             325 x 100  the player window's header band (gray concise design)
    Radio          340 x 100  the radio window's header band
    GFormMast      300 x 200  background of the trump (suit) choice dialog
    GFormVarnok    300 x 200  background of the order dialog
    RRADIO_MAING   64 x 64    the radio's switch, on
    RRADIO_MAINR   64 x 64    the radio's switch, off
    RRADIO_VOLUME00..10  128 x 24  the volume scale with 0 to 10 bars lit
    RRADIO_RAMKA   130 x 100  the station logo's frame (the logo sits at 15, 15)
    RRADIO_LOGO_*  100 x 70   station logos: the club's station, Avtoradio, and a
                              plain one for each kind of music of the shipped list

Usage: decor.py OUTDIR
"""

import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

# The house style shared by every picture generator.
GOLD, GOLD_LIGHT, GOLD_DARK, RED, RED_DARK = k.GOLD, k.GOLD_LIGHT, k.GOLD_DARK, k.RED, k.RED_DARK
CREAM, FELT, FELT_DARK = k.CREAM, k.FELT, k.FELT_DARK
SUITS = k.SUIT_PATHS
gold, rrect, suit = k.gold_gradient, k.rrect, k.suit

OUT = "."


def save(name, width, height, body, defs=""):
    k.save(OUT, name, width, height, body, defs)


def baize_defs():
    return k.radial("baize", [(0, "#2f8a4c", 1), (0.7, FELT, 1), (1, FELT_DARK, 1)], 0.5, 0.45, 0.75)


def grain(width, height, seed):
    """The felt grain of the table backgrounds, tiled over the picture."""
    uri = k.data_uri(k.grain_tile(seed, 64, 0.09, 0.4))
    return '<g opacity="0.7">%s</g>' % k.tiled_image(uri, width, height, 64)


# ------------------------------------------------------------------ purple player window

def purple_player_window():
    """325 x 455: violet damask of keys and spades in a gold frame."""
    defs = (gold("rim") + k.radial("violet", [(0, "#6e3d91", 1), (0.7, "#4a2266", 1), (1, "#2a1040", 1)], 0.5, 0.4, 0.75) +
            '<g id="key"><circle cx="0" cy="-11" r="6" fill="none" stroke-width="2.6"/>'
            '<path d="M-1.3 -5 H1.3 V12 H-1.3 Z M1.3 5 H6 V8 H1.3 Z M1.3 10 H4.5 V12.5 H1.3 Z"/></g>\n' +
            '<path id="sp" d="%s" transform="scale(0.8)"/>\n' % SUITS["spade"])
    body = [rrect(0, 0, 325, 455, 0, "url(#violet)")]
    uses = []
    for row in range(11):
        for col in range(8):
            x = 20 + col * 44 + (22 if row % 2 else 0)
            y = 22 + row * 42
            uses.append('<use xlink:href="#%s" transform="translate(%d %d)"/>' % ("key" if (row + col) % 2 else "sp", x, y))
    body.append('<g fill="#e9c8ff" stroke="#e9c8ff" fill-opacity="0.08" stroke-opacity="0.08">%s</g>' % "".join(uses))
    body.append(rrect(3, 3, 319, 449, 6, "none", ' stroke="url(#rim)" stroke-width="4"'))
    body.append(rrect(10, 10, 305, 435, 4, "none", ' stroke="%s" stroke-opacity="0.5" stroke-width="1"' % GOLD_LIGHT))
    for x, y in ((10, 10), (315, 10), (10, 445), (315, 445)):
        body.append(suit("diamond", x, y, 12, GOLD, ' stroke="%s" stroke-width="0.8"' % GOLD_DARK))
    save("purple_player", 325, 455, "\n".join(body), defs)


# ------------------------------------------------------------------ header bands

def band(width, height):
    return [rrect(0, 0, width, height, 0, "url(#rim)"),
            rrect(4, 4, width - 8, height - 8, 6, "url(#baize)"),
            rrect(8, 8, width - 16, height - 16, 4, "none",
                  ' stroke="%s" stroke-opacity="0.6" stroke-dasharray="4 3" stroke-width="1"' % GOLD_LIGHT)]


def card(x, y, turn, kind):
    colour = RED if kind in ("heart", "diamond") else "#151515"
    return ('<g transform="translate(%s %s) rotate(%s)">' % (f(x), f(y), f(turn)) +
            rrect(-13, -18, 26, 36, 3, CREAM, ' stroke="%s" stroke-width="1"' % GOLD_DARK) +
            suit(kind, 0, 0, 14, colour) + "</g>")


def key(x, y, turn, size):
    return ('<g transform="translate(%s %s) rotate(%s) scale(%s)" fill="url(#rim)" stroke="%s" stroke-width="0.6">' % (
                f(x), f(y), f(turn), f(size), GOLD_DARK) +
            '<path d="M0 -20 A9 9 0 1 1 -0.01 -20 Z M0 -15 A4 4 0 1 0 0.01 -15 Z" fill-rule="evenodd"/>' +
            '<path d="M-2 -3 H2 V20 H-2 Z M2 10 H8 V13.5 H2 Z M2 15.5 H6 V19 H2 Z"/></g>')


def player_header():
    """325 x 100: a fan of cards and a golden key between two laurel branches."""
    defs = gold("rim") + baize_defs()
    body = band(325, 100)
    leaves = []
    for side in (-1, 1):
        for i in range(6):
            a = math.radians(200 - i * 24) if side < 0 else math.radians(-20 + i * 24)
            x, y = 162.5 + 44 * math.cos(a), 54 - 36 * math.sin(a)
            turn = math.degrees(a) + (90 if side < 0 else -90)
            leaves.append('<ellipse cx="%s" cy="%s" rx="8" ry="3.2" transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(-turn), f(x), f(y)))
    body.append('<g fill="%s" stroke="%s" stroke-width="0.6">%s</g>' % (GOLD, GOLD_DARK, "".join(leaves)))
    for i, kind in enumerate(("club", "diamond", "spade", "heart")):
        body.append(card(66 + i * 14, 52, -21 + i * 14, kind))
        body.append(card(216 + i * 14, 52, -21 + i * 14, ("heart", "spade", "diamond", "club")[i]))
    body.append('<circle cx="162.5" cy="50" r="27" fill="%s" stroke="url(#rim)" stroke-width="3"/>' % RED_DARK)
    body.append(key(162.5, 52, 35, 1.15))
    save("player_header", 325, 100, "\n".join(body), defs)


def radio_header():
    """340 x 100: a cabinet radio with its dial between sound waves and notes."""
    defs = (gold("rim") + baize_defs() +
            k.linear("wood", [(0, "#9b5a2a", 1), (0.5, "#6b3d1c", 1), (1, "#3d210d", 1)]) +
            k.linear("cloth", [(0, "#e9dcb6", 1), (1, "#b8a67a", 1)]))
    body = band(340, 100)
    cx = 170
    for side in (-1, 1):
        for i, r in enumerate((44, 56, 68)):
            a0, a1 = math.radians(-35), math.radians(35)
            if side < 0:
                a0, a1 = math.radians(145), math.radians(215)
            body.append('<path d="M%s %s A%s %s 0 0 %d %s %s" fill="none" stroke="%s" stroke-width="%s" stroke-linecap="round" stroke-opacity="%s"/>' % (
                f(cx + r * math.cos(a0)), f(50 + r * math.sin(a0)), r, r, 1,
                f(cx + r * math.cos(a1)), f(50 + r * math.sin(a1)), GOLD_LIGHT, f(3 - i * 0.6), f(0.9 - i * 0.22)))
    # Notes on both sides.
    for x, y, colour in ((58, 44, GOLD_LIGHT), (92, 60, CREAM), (250, 58, CREAM), (284, 42, GOLD_LIGHT)):
        body.append('<ellipse cx="%s" cy="%s" rx="5" ry="3.6" transform="rotate(-20 %s %s)" fill="%s"/>' % (f(x), f(y + 14), f(x), f(y + 14), colour))
        body.append('<path d="M%s %s V%s" stroke="%s" stroke-width="1.6"/>' % (f(x + 4.3), f(y + 13), f(y - 6), colour))
        body.append('<path d="M%s %s q6 3 5 11 q-1 -6 -5 -7 Z" fill="%s"/>' % (f(x + 4.3), f(y - 6), colour))
    # The cabinet.
    body.append('<path d="M%s 84 V36 Q%s 10 %s 10 Q%s 10 %s 36 V84 Z" fill="url(#wood)" stroke="%s" stroke-width="1.5"/>' % (
        f(cx - 34), f(cx - 34), f(cx), f(cx + 34), f(cx + 34), GOLD_DARK))
    body.append('<path d="M%s 58 V38 Q%s 18 %s 18 Q%s 18 %s 38 V58 Z" fill="url(#cloth)" stroke="%s" stroke-width="1.2"/>' % (
        f(cx - 26), f(cx - 26), f(cx), f(cx + 26), f(cx + 26), GOLD))
    for i in range(7):
        x = cx - 18 + i * 6
        body.append('<path d="M%s 24 V57" stroke="#7a5a2a" stroke-width="1.6" stroke-opacity="0.55"/>' % f(x))
    body.append(rrect(cx - 26, 62, 52, 10, 3, "#f3e2a8", ' stroke="%s" stroke-width="1"' % GOLD_DARK))
    for i in range(9):
        body.append('<path d="M%s 64 V%s" stroke="#5a4020" stroke-width="0.7"/>' % (f(cx - 22 + i * 5.5), 67 if i % 2 else 70))
    body.append('<path d="M%s 63 V71" stroke="%s" stroke-width="1.4"/>' % (f(cx + 6), RED))
    for x in (cx - 18, cx + 18):
        body.append('<circle cx="%s" cy="78" r="3.6" fill="url(#rim)" stroke="%s" stroke-width="0.6"/>' % (f(x), GOLD_DARK))
    save("radio_header", 340, 100, "\n".join(body), defs)


# ------------------------------------------------------------------ dialog backgrounds

def dialog(name, centre):
    """300 x 200: baize with grain, a double gold frame and a faint emblem."""
    defs = gold("rim") + baize_defs()
    body = [rrect(0, 0, 300, 200, 0, "url(#baize)"), grain(300, 200, 90 + len(name)),
            rrect(3, 3, 294, 194, 6, "none", ' stroke="url(#rim)" stroke-width="4"'),
            rrect(10, 10, 280, 180, 4, "none", ' stroke="%s" stroke-opacity="0.55" stroke-width="1"' % GOLD_LIGHT)]
    for x, y in ((10, 10), (290, 10), (10, 190), (290, 190)):
        body.append(suit("diamond", x, y, 12, GOLD, ' stroke="%s" stroke-width="0.8"' % GOLD_DARK))
    body.append(centre)
    save(name, 300, 200, "\n".join(body), defs)


def suit_dialog():
    marks = "".join(suit(kind, x, 100, 46, "#ffffff", ' fill-opacity="0.09"')
                    for x, kind in ((60, "heart"), (120, "diamond"), (180, "club"), (240, "spade")))
    dialog("dialog_suit", marks)


def order_dialog():
    leaves = []
    for side in (-1, 1):
        for i in range(7):
            a = math.radians(200 - i * 22) if side < 0 else math.radians(-20 + i * 22)
            x, y = 150 + 58 * math.cos(a), 104 - 52 * math.sin(a)
            turn = math.degrees(a) + (90 if side < 0 else -90)
            leaves.append('<ellipse cx="%s" cy="%s" rx="11" ry="4.5" transform="rotate(%s %s %s)"/>' % (f(x), f(y), f(-turn), f(x), f(y)))
    crown = ('<path d="M118 92 L112 58 L132 76 L150 50 L168 76 L188 58 L182 92 Z" />' +
             '<rect x="116" y="96" width="68" height="10" rx="3"/>')
    dialog("dialog_order", '<g fill="#ffffff" fill-opacity="0.09">%s%s</g>' % ("".join(leaves), crown))


# ------------------------------------------------------------------ radio library

def switch(name, on):
    """64 x 64: a round gold-rimmed power button, lit green when on, dark red when off."""
    core = ("#7dff9a", "#1fae4a", "#0b4d20") if on else ("#e0646c", "#8e1a23", "#3d070b")
    defs = (gold("rim") + k.radial("core", [(0, core[0], 1), (0.55, core[1], 1), (1, core[2], 1)], 0.42, 0.36, 0.7) +
            k.radial("glow", [(0, core[0], 0.55 if on else 0), (1, core[0], 0)]))
    body = ['<circle cx="32" cy="32" r="32" fill="url(#glow)"/>',
            '<circle cx="32" cy="32" r="27" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % GOLD_DARK,
            '<circle cx="32" cy="32" r="21" fill="url(#core)"/>',
            '<path d="M24.2 23.6 A11.5 11.5 0 1 0 39.8 23.6" fill="none" stroke="%s" stroke-width="3.4" stroke-linecap="round"/>' % CREAM,
            '<path d="M32 18 V31" stroke="%s" stroke-width="3.4" stroke-linecap="round"/>' % CREAM,
            '<ellipse cx="27" cy="21" rx="10" ry="5" fill="#ffffff" fill-opacity="0.25"/>']
    save(name, 64, 64, "\n".join(body), defs)


def volume(level):
    """128 x 24: ten rising bars on a dark plate, level of them lit in green to gold to red."""
    defs = gold("rim")
    body = [rrect(0.5, 0.5, 127, 23, 5, "#1a1410", ' stroke="url(#rim)" stroke-width="1"')]
    for i in range(10):
        h = 3 + i * 1.5
        x = 7 + i * 11.6
        lit = i < level
        colour = k.mix("#3ccf5e", GOLD_LIGHT, i / 6.0) if i < 6 else k.mix(GOLD, "#e0404a", (i - 6) / 3.0)
        body.append(rrect(x, 20 - h, 8, h, 1.2, colour if lit else "#3a332c",
                          ' stroke="%s" stroke-width="0.6"' % (k.darker(colour, 0.4) if lit else "#4e453b")))
    save("volume_%02d" % level, 128, 24, "\n".join(body), defs)


def logo_frame():
    """130 x 100: a gold frame with a dark glass window for a 100 x 70 station logo at (15, 15)."""
    defs = gold("rim") + k.linear("glass", [(0, "#20303a", 1), (1, "#0c1218", 1)])
    body = [rrect(0, 0, 130, 100, 10, "url(#rim)", ' stroke="%s" stroke-width="1"' % GOLD_DARK),
            rrect(6, 6, 118, 88, 6, RED_DARK),
            rrect(11, 11, 108, 78, 3, "url(#glass)", ' stroke="%s" stroke-width="1"' % GOLD_LIGHT),
            rrect(15, 15, 100, 70, 0, "#10181e")]
    for x, y in ((8, 8), (122, 8), (8, 92), (122, 92)):
        body.append('<circle cx="%d" cy="%d" r="2.2" fill="%s"/>' % (x, y, GOLD_LIGHT))
    save("logo_frame", 130, 100, "\n".join(body), defs)


LOGO_FONT = "DejaVu Sans"


def waves(cx, cy, colour, count=3, step=7, start=8, width=2.6):
    """Radio waves: arcs to both sides of (cx, cy)."""
    out = []
    for i in range(count):
        r = start + i * step
        for side in (-1, 1):
            x0 = cx + side * r * math.cos(math.radians(40))
            y0 = cy - r * math.sin(math.radians(40))
            y1 = cy + r * math.sin(math.radians(40))
            out.append('<path d="M%s %s A%s %s 0 0 %d %s %s" fill="none" stroke="%s" stroke-width="%s" '
                       'stroke-linecap="round" stroke-opacity="%s"/>' %
                       (f(x0), f(y0), f(r), f(r), 1 if side > 0 else 0, f(x0), f(y1), colour, f(width),
                        f(1 - i * 0.22)))
    return out


def logo_text(x, y, size, colour, text, weight="bold", anchor="middle"):
    return ('<text x="%s" y="%s" text-anchor="%s" font-family="%s" font-weight="%s" font-size="%s" fill="%s">%s</text>'
            % (f(x), f(y), anchor, LOGO_FONT, weight, f(size), colour, text))


def logo_club():
    """The club's own station: a spade on a green baize disc sending waves, "VARNOK CLUB"."""
    defs = k.radial("felt", [(0, k.lighter(FELT, 0.25), 1), (1, FELT_DARK, 1)]) + gold("rim")
    body = [rrect(0, 0, 100, 70, 6, "#101820"),
            '<circle cx="50" cy="27" r="18" fill="url(#felt)" stroke="url(#rim)" stroke-width="2"/>',
            suit("spade", 50, 27, 20, CREAM)] + waves(50, 27, GOLD_LIGHT, start=22, step=6) + [
            logo_text(50, 62, 12, GOLD_LIGHT, "VARNOK CLUB")]
    save("logo_club", 100, 70, "\n".join(body), defs)


def logo_avtoradio():
    """The default station: a red disc with a steering wheel, the name below."""
    defs = k.radial("red", [(0, "#ff5a4e", 1), (1, "#8a0f10", 1)])
    body = [rrect(0, 0, 100, 70, 6, "#f4efe4"),
            '<circle cx="50" cy="26" r="19" fill="url(#red)"/>',
            '<circle cx="50" cy="26" r="12" fill="none" stroke="#ffffff" stroke-width="3"/>',
            '<circle cx="50" cy="26" r="3.5" fill="#ffffff"/>',
            '<path d="M38.5 23 L61.5 23 M50 26 L50 38" stroke="#ffffff" stroke-width="3" stroke-linecap="round"/>',
            logo_text(50, 62, 12.5, "#8a0f10", "AVTORADIO")]
    save("logo_avtoradio", 100, 70, "\n".join(body), defs)


def logo_plain(name, background, accent, word):
    """A plain station logo: waves around a mast in the accent colour and a word."""
    body = [rrect(0, 0, 100, 70, 6, background),
            '<path d="M50 12 L44 44 M50 12 L56 44 M46 34 L54 34" stroke="%s" stroke-width="2.4" '
            'stroke-linecap="round"/>' % accent,
            '<circle cx="50" cy="12" r="3.4" fill="%s"/>' % accent] + waves(50, 12, accent, start=8, step=6,
                                                                            width=2) + [
            logo_text(50, 62, 12 if len(word) < 9 else 10, accent, word)]
    save("logo_" + name, 100, 70, "\n".join(body))


def main():
    global OUT
    OUT = sys.argv[1]
    purple_player_window()
    player_header()
    radio_header()
    suit_dialog()
    order_dialog()
    switch("switch_on", True)
    switch("switch_off", False)
    for level in range(11):
        volume(level)
    logo_frame()
    logo_club()
    logo_avtoradio()
    logo_plain("news", "#1b2a44", "#f3f0e6", "NEWS")
    logo_plain("rock", "#1a1a1a", "#ff7a2a", "ROCK")
    logo_plain("jazz", "#2c1638", "#e8c15a", "JAZZ")
    logo_plain("classic", "#f2ead8", "#5a3a1a", "CLASSIC")
    logo_plain("pop", "#ffe3f0", "#c4146c", "POP")


if __name__ == "__main__":
    main()
