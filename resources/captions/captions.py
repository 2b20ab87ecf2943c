#!/usr/bin/env python3
"""Pictures with words, in the house style of the table (gold letters, red and
gold plaques and ribbons, green baize bands), one set per graphic language
code. Every word is measured with the font's own advance widths and set at the
largest size that fits its box, so nothing is squeezed; Qt renders the text
with the named installed font at the picture's final size.

    Cap + code        400 x 70   the menu screen's caption ("Main Menu")
    Elite + code      350 x 40   the heading of the local club's member list
    Net__ + code      350 x 40   the same heading in network mode
    GFormOpt + code   300 x 64   the options window's title plaque
    GFormPass + code  300 x 64   the passport window's title plaque
    Passport + code   325 x 100  the passport window's header band
    History + code    325 x 100  the history window's header band
    EndGame + code    400 x 70   the end-of-match window's ribbon
    GFormCountL       200 x 100  "INFO" for the ribbon "GLenta200x100" (drawn 7 px higher)
    GFormPwL          280 x 90   "WELCOME" for the ribbon "GLenta280x090"
    GFormRadioL       280 x 90   "RADIO" for the ribbon "GLenta280x090"

Usage: captions.py OUTDIR
"""

import math
import os
import sys
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "table"))
sys.path.insert(0, HERE)
import fontmetrics  # noqa: E402
import svgkit as k  # noqa: E402
from svgkit import f  # noqa: E402

# The house style shared by every picture generator.
GOLD, GOLD_LIGHT, GOLD_DARK, RED, RED_DARK = k.GOLD, k.GOLD_LIGHT, k.GOLD_DARK, k.RED, k.RED_DARK
CREAM, FELT, FELT_DARK = k.CREAM, k.FELT, k.FELT_DARK
SUITS = k.SUIT_PATHS
gold, rrect, suit = k.gold_gradient, k.rrect, k.suit
INK = "#2a0a0d"  # the letters' outline on the plaques: darker and redder than the house ink

CODES = ("Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze")

WORDS = {
    "Cap": ("Main Menu", "Главное меню", "Hauptmenü", "Menu principal", "Menú principal", "主菜单",
            "Menu principale", "Hlavní nabídka"),
    "Elite": ("Elite Club", "Элитный клуб", "Elite-Klub", "Club d'élite", "Club de élite", "精英俱乐部",
              "Circolo d'élite", "Elitní klub"),
    "Net__": ("Network Club", "Сетевой клуб", "Netzwerk-Klub", "Club en réseau", "Club en red", "网络俱乐部",
              "Club in rete", "Síťový klub"),
    "GFormOpt": ("Options", "Настройки", "Optionen", "Options", "Opciones", "选项", "Opzioni", "Možnosti"),
    "GFormPass": ("My Passport", "Мой паспорт", "Mein Spielerpass", "Mon passeport", "Mi pasaporte", "我的护照",
                  "Il mio passaporto", "Můj pas"),
    "Passport": ("Passport", "Паспорт", "Spielerpass", "Passeport", "Pasaporte", "护照", "Passaporto", "Pas hráče"),
    "History": ("History", "История", "Spielverlauf", "Historique", "Historial", "历史", "Cronologia", "Historie"),
    "EndGame": ("Game Over", "Игра окончена", "Spielende", "Fin de partie", "Fin del juego", "游戏结束",
                "Fine della partita", "Konec hry"),
}

OUT = "."


def save(name, width, height, body, defs=""):
    k.save(OUT, name, width, height, body, defs)


# ------------------------------------------------------------------ words

def is_cjk(text):
    return any(ord(c) >= 0x2e80 for c in text)


def word(text, cx, cy, box_width, max_size, fill, outline=None, outline_width=0.0, shadow=None, gid=None):
    """The SVG of one line of text centred on (cx, cy): set in DejaVu Serif Bold
    (Noto Sans CJK Bold for Chinese) at the largest size up to max_size that
    keeps it within box_width. With gid, a vertical gradient of gold over the
    letters' own height is defined under that id and used as the fill.
    Returns (defs, body); word.last_width is the set width."""
    family = "Noto Sans CJK SC" if is_cjk(text) else "DejaVu Serif"
    metrics = fontmetrics.font(family, True)
    size = min(max_size, box_width / metrics.width(text, 1.0))
    size = math.floor(size * 2) / 2.0
    word.last_width = metrics.width(text, size)
    # Centre the letters' body (cap height for Latin and Cyrillic, the ideograph box for Chinese).
    half = 0.39 if family.startswith("Noto") else 0.36
    baseline = cy + half * size
    attrs = ('font-family="%s" font-weight="bold" font-size="%s" text-anchor="middle"' % (family, f(size)))
    content = escape(text)
    defs = ""
    body = []
    if shadow:
        body.append('<text x="%s" y="%s" %s fill="%s" fill-opacity="0.55">%s</text>' % (
            f(cx + size * 0.05), f(baseline + size * 0.07), attrs, shadow, content))
    if outline:
        # A round outline: the word repeated on a small circle under the face.
        for i in range(12):
            a = 2 * math.pi * i / 12
            body.append('<text x="%s" y="%s" %s fill="%s">%s</text>' % (
                f(cx + outline_width * math.cos(a)), f(baseline + outline_width * math.sin(a)), attrs, outline, content))
    if gid:
        top, bottom = baseline - size * 0.8, baseline + size * 0.05
        defs = k.linear(gid, [(0, "#fff6cc", 1), (0.35, GOLD_LIGHT, 1), (0.6, GOLD, 1), (1, "#b07d25", 1)],
                        0, top, 0, bottom, units="userSpaceOnUse")
        fill = "url(#%s)" % gid
    body.append('<text x="%s" y="%s" %s fill="%s">%s</text>' % (f(cx), f(baseline), attrs, fill, content))
    return defs, "\n".join(body)


def flourish(cx, y, half_width, colour):
    """A thin gold rule that thickens towards a diamond in the middle."""
    return ('<path d="M%s %s Q%s %s %s %s Q%s %s %s %s Z" fill="%s"/>' % (
        f(cx - half_width), f(y), f(cx - half_width / 2), f(y - 1.6), f(cx), f(y - 2.2),
        f(cx - half_width / 2), f(y + 1.6), f(cx - half_width), f(y), colour) +
        '<path d="M%s %s Q%s %s %s %s Q%s %s %s %s Z" fill="%s"/>' % (
        f(cx + half_width), f(y), f(cx + half_width / 2), f(y - 1.6), f(cx), f(y - 2.2),
        f(cx + half_width / 2), f(y + 1.6), f(cx + half_width), f(y), colour) +
        suit("diamond", cx, y, 9, RED, ' stroke="%s" stroke-width="0.8"' % GOLD_LIGHT))


# ------------------------------------------------------------------ pictures

def caption(code, text):
    """400 x 70, transparent: the menu screen's big golden caption with a rule and two suits."""
    defs, letters = word(text, 200, 30, 300, 40, GOLD, outline=RED_DARK, outline_width=2.0, shadow="#000000", gid="g")
    body = [letters,
            flourish(200, 60, 150, GOLD),
            suit("spade", 22, 32, 24, "#151515", ' stroke="%s" stroke-width="0.9"' % GOLD_LIGHT),
            suit("heart", 378, 32, 24, RED, ' stroke="%s" stroke-width="0.9"' % GOLD_LIGHT)]
    save("cap_" + code, 400, 70, "\n".join(body), defs)


def club_heading(name, code, text, left, right):
    """350 x 40, transparent: a gold word between two small suits and short rules."""
    defs, letters = word(text, 175, 19, 270, 26, GOLD, outline=RED_DARK, outline_width=1.5, shadow="#000000", gid="g")
    body = [letters]
    half = word.last_width / 2.0
    for x0, x1 in ((32, 175 - half - 10), (175 + half + 10, 318)):
        if x1 - x0 > 8:
            body.append('<path d="M%s 20 L%s 18.6 L%s 20 L%s 21.4 Z" fill="%s"/>' % (
                f(x0), f((x0 + x1) / 2.0), f(x1), f((x0 + x1) / 2.0), GOLD))
    for x, kind, colour in ((16, left, "#151515" if left in ("spade", "club") else RED),
                            (334, right, "#151515" if right in ("spade", "club") else RED)):
        body.append('<circle cx="%s" cy="20" r="12" fill="%s" stroke="%s" stroke-width="2"/>' % (f(x), CREAM, GOLD))
        body.append(suit(kind, x, 20.5, 15, colour))
    save("%s_%s" % (name, code), 350, 40, "\n".join(body), defs)


def plaque(name, code, text):
    """300 x 64: a dark red plaque in a gold rim (the shape of "GCap300") with its word."""
    defs = (gold("rim") + k.linear("plaque", [(0, "#8e1a23", 1), (1, "#4f0a10", 1)]) +
            k.linear("shine", [(0, "#ffffff", 0.22), (1, "#ffffff", 0)]))
    outline = "M18 2 H282 L298 18 V46 L282 62 H18 L2 46 V18 Z"
    inner = "M21 7 H279 L293 21 V43 L279 57 H21 L7 43 V21 Z"
    extra, letters = word(text, 150, 32, 220, 28, GOLD, outline=INK, outline_width=1.3, gid="g")
    body = ('<path d="%s" fill="url(#rim)" stroke="%s" stroke-width="1"/>' % (outline, GOLD_DARK) +
            '<path d="%s" fill="url(#plaque)"/>' % inner +
            '<path d="M21 7 H279 L293 21 V28 Q150 38 7 28 V21 Z" fill="url(#shine)"/>' +
            suit("spade", 26, 32, 12, GOLD_LIGHT) + suit("heart", 274, 32, 12, GOLD_LIGHT) + letters)
    save("%s_%s" % (name, code), 300, 64, body, defs + extra)


def emblem_passport(x, y):
    """A small leather passport book with a gold crest."""
    return (rrect(x - 20, y - 26, 40, 52, 4, "#7a1620", ' stroke="%s" stroke-width="1.5"' % GOLD) +
            rrect(x - 16, y - 22, 32, 44, 2, "none", ' stroke="%s" stroke-width="0.8" stroke-opacity="0.8"' % GOLD_LIGHT) +
            '<circle cx="%s" cy="%s" r="9" fill="none" stroke="%s" stroke-width="1.4"/>' % (f(x), f(y - 4), GOLD_LIGHT) +
            suit("spade", x, y - 4, 11, GOLD_LIGHT) +
            rrect(x - 10, y + 11, 20, 2, 1, GOLD_LIGHT) + rrect(x - 7, y + 15, 14, 1.6, 0.8, GOLD_LIGHT))


def emblem_history(x, y):
    """An open book of records with a quill."""
    return ('<path d="M%s %s Q%s %s %s %s V%s Q%s %s %s %s Z" fill="%s" stroke="%s" stroke-width="1.2"/>' % (
                f(x), f(y - 16), f(x - 12), f(y - 22), f(x - 26), f(y - 18), f(y + 16), f(x - 12), f(y + 12), f(x), f(y + 18),
                CREAM, GOLD_DARK) +
            '<path d="M%s %s Q%s %s %s %s V%s Q%s %s %s %s Z" fill="%s" stroke="%s" stroke-width="1.2"/>' % (
                f(x), f(y - 16), f(x + 12), f(y - 22), f(x + 26), f(y - 18), f(y + 16), f(x + 12), f(y + 12), f(x), f(y + 18),
                CREAM, GOLD_DARK) +
            "".join('<path d="M%s %s Q%s %s %s %s" stroke="#9a8a6a" stroke-width="0.9" fill="none"/>' % (
                f(x + s * 5), f(y - 10 + i * 6), f(x + s * 13), f(y - 14 + i * 6), f(x + s * 22), f(y - 12 + i * 6))
                for i in range(4) for s in (-1, 1)) +
            '<path d="M%s %s C%s %s %s %s %s %s C%s %s %s %s %s %s Z" fill="%s" stroke="%s" stroke-width="0.8"/>' % (
                f(x + 6), f(y + 14), f(x + 12), f(y - 2), f(x + 24), f(y - 22), f(x + 34), f(y - 30),
                f(x + 28), f(y - 14), f(x + 18), f(y + 2), f(x + 6), f(y + 14), "#ffffff", "#8a8a8a"))


def header(name, code, text, emblem):
    """325 x 100: a green baize band in a gold frame (the style of "CountInfo"), an emblem and the word."""
    defs = (gold("rim") + k.radial("baize", [(0, "#2f8a4c", 1), (0.7, FELT, 1), (1, FELT_DARK, 1)], 0.5, 0.4, 0.7))
    extra, letters = word(text, 198, 50, 200, 34, GOLD, outline=INK, outline_width=1.6, shadow="#000000", gid="g")
    body = [rrect(0, 0, 325, 100, 0, "url(#rim)"),
            rrect(4, 4, 317, 92, 6, "url(#baize)"),
            rrect(8, 8, 309, 84, 4, "none", ' stroke="%s" stroke-opacity="0.6" stroke-dasharray="4 3" stroke-width="1"' % GOLD_LIGHT),
            '<circle cx="46" cy="50" r="33" fill="%s" fill-opacity="0.35" stroke="url(#rim)" stroke-width="2"/>' % FELT_DARK,
            emblem(46, 50),
            flourish(198, 82, 95, GOLD),
            letters]
    save("%s_%s" % (name, code), 325, 100, "\n".join(body), defs + extra)


def end_ribbon(code, text):
    """400 x 70: a red ribbon with folded ends carrying the word in cream."""
    defs = (k.linear("front", [(0, "#d23a44", 1), (0.5, RED, 1), (1, RED_DARK, 1)]) +
            k.linear("back", [(0, "#8e1a23", 1), (1, "#4f0a10", 1)]) + gold("rim"))
    extra, letters = word(text, 200, 30.5, 270, 28, CREAM, outline="#3a060b", outline_width=1.5, shadow="#000000")
    body = [
        '<path d="M0 22 H62 V66 H0 L16 44 Z" fill="url(#back)"/>',
        '<path d="M400 22 H338 V66 H400 L384 44 Z" fill="url(#back)"/>',
        '<path d="M48 22 L62 14 V22 Z M352 22 L338 14 V22 Z" fill="#3a060b"/>',
        '<path d="M48 6 Q200 0 352 6 V58 Q200 52 48 58 Z" fill="url(#front)" stroke="%s" stroke-width="1"/>' % RED_DARK,
        '<path d="M52 10 Q200 4 348 10" fill="none" stroke="url(#rim)" stroke-width="1.6"/>',
        '<path d="M52 54 Q200 48 348 54" fill="none" stroke="url(#rim)" stroke-width="1.6"/>',
        letters]
    save("endgame_" + code, 400, 70, "\n".join(body), defs + extra)


def ribbon_label(name, width, height, text, centre_y):
    """Transparent: a cream word with a dark red outline that sits on a ribbon's band."""
    defs, letters = word(text, width / 2.0, centre_y, width * 0.58, height * 0.34, CREAM,
                         outline="#3a060b", outline_width=1.6, shadow="#000000")
    save(name, width, height, letters, defs)


def main():
    global OUT
    OUT = sys.argv[1]
    for i, code in enumerate(CODES):
        caption(code, WORDS["Cap"][i])
        club_heading("elite", code, WORDS["Elite"][i], "spade", "heart")
        club_heading("net", code, WORDS["Net__"][i], "club", "diamond")
        plaque("options", code, WORDS["GFormOpt"][i])
        plaque("passport_title", code, WORDS["GFormPass"][i])
        header("passport", code, WORDS["Passport"][i], emblem_passport)
        header("history", code, WORDS["History"][i], emblem_history)
        end_ribbon(code, WORDS["EndGame"][i])
    # The ribbons' band is centred at about 45 % of their height; the score
    # window draws its label 7 pixels above the ribbon.
    ribbon_label("count_label", 200, 100, "INFO", 52)
    ribbon_label("welcome_label", 280, 90, "WELCOME", 40.5)
    ribbon_label("radio_label", 280, 90, "RADIO", 40.5)


if __name__ == "__main__":
    main()
