#!/usr/bin/env python3
"""The pictures of the calendar library: the twelve signs of the zodiac on
round medallions coloured by their element, and the holiday pictures. One
SVG per picture in OUTDIR, each 48 x 48.

    CalZod01 .. CalZod12   Aries, Taurus, ... Pisces
    CalNewYear             a fir tree with a star
    CalChristmas           a candle with a star
    CalHeart               a heart
    CalFlower              a tulip
    CalStar                a red star with a ribbon
    CalFlag                a waving flag on a pole

Usage: calendar.py OUTDIR
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "table"))
import svgkit as k  # noqa: E402

# The signs as strokes in a 40 x 40 box (drawn at 4..44 of the picture).
SIGNS = [
    ("fire", "M20 34 V16 C20 6 8 4 8 12 C8 16 12 17 13 15 M20 16 C20 6 32 4 32 12 C32 16 28 17 27 15"),
    ("earth", "M8 8 C10 18 30 18 32 8 M28 26 A8 8 0 1 1 12 26 A8 8 0 1 1 28 26"),
    ("air", "M8 6 C14 10 26 10 32 6 M8 34 C14 30 26 30 32 34 M15 9 V31 M25 9 V31"),
    ("water", "M16 16 A4 4 0 1 1 8 16 A4 4 0 1 1 16 16 M12 12 C18 7 28 8 33 14 "
              "M32 26 A4 4 0 1 1 24 26 A4 4 0 1 1 32 26 M28 30 C22 35 12 34 7 28"),
    ("fire", "M17 24 A5 5 0 1 1 7 24 A5 5 0 1 1 17 24 M17 24 C17 10 30 8 30 18 C30 26 26 30 33 34"),
    ("earth", "M6 10 V30 M6 14 C6 8 14 8 14 14 V30 M14 14 C14 8 22 8 22 14 V28 C22 34 30 34 32 26 "
              "M22 22 C26 18 33 20 30 27"),
    ("air", "M6 31 H34 M6 25 H14 C10 13 30 13 26 25 H34"),
    ("water", "M6 10 V30 M6 14 C6 8 14 8 14 14 V30 M14 14 C14 8 22 8 22 14 V30 L29 34 M24 34 H29 V29"),
    ("fire", "M8 32 L32 8 M21 8 H32 V19 M12 20 L20 28"),
    ("earth", "M6 10 L12 28 L17 10 C21 4 26 14 22 26 C20 34 33 36 33 28 C33 22 25 22 25 28"),
    ("air", "M6 17 L12 12 L18 17 L24 12 L30 17 L34 14 M6 27 L12 22 L18 27 L24 22 L30 27 L34 24"),
    ("water", "M11 6 C19 14 19 26 11 34 M29 6 C21 14 21 26 29 34 M8 20 H32"),
]

ELEMENTS = {
    "fire": ("#ffd27a", "#c8401c"),
    "earth": ("#d8f0a0", "#4f7d23"),
    "air": ("#fff6b8", "#c79a1b"),
    "water": ("#b8e2ff", "#1f5fa8"),
}


def medallion(gid, light, dark):
    defs = k.radial(gid, [(0, light, 1), (1, dark, 1)], 0.4, 0.35, 0.7)
    body = ('<circle cx="24" cy="24" r="22" fill="url(#%s)" stroke="#5a3a12" stroke-width="2"/>'
            '<circle cx="24" cy="24" r="19" fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="1"/>' % gid)
    return defs, body


def sign(out, number, element, path):
    light, dark = ELEMENTS[element]
    defs, body = medallion("m", light, dark)
    stroke = ('<g transform="translate(4 4)" fill="none" stroke-linecap="round" stroke-linejoin="round">'
              '<path d="%s" stroke="#ffffff" stroke-width="5" stroke-opacity="0.8"/>'
              '<path d="%s" stroke="#2a1a08" stroke-width="2.6"/></g>' % (path, path))
    k.save(out, "CalZod%02d" % number, 48, 48, body + stroke, defs)


STAR = "M24 3 L29 17 L44 17 L32 26 L36 41 L24 32 L12 41 L16 26 L4 17 L19 17 Z"


def holidays(out):
    k.save(out, "CalNewYear", 48, 48,
           '<rect x="21" y="38" width="6" height="8" fill="#6b3b12"/>'
           '<path d="M24 8 L38 24 H30 L42 39 H6 L18 24 H10 Z" fill="#1f7a34" stroke="#0d4a1c" stroke-width="1.5"/>'
           '<circle cx="18" cy="30" r="2.2" fill="#e8322b"/><circle cx="30" cy="33" r="2.2" fill="#2b6be8"/>'
           '<circle cx="26" cy="22" r="2" fill="#f2c230"/>'
           '<path d="M24 1 L26 6 L31 6 L27 9 L28.5 14 L24 11 L19.5 14 L21 9 L17 6 L22 6 Z" fill="#ffd23a"/>')
    k.save(out, "CalChristmas", 48, 48,
           '<path d="M24 2 L26.5 9 L34 9 L28 13.5 L30 21 L24 16.5 L18 21 L20 13.5 L14 9 L21.5 9 Z" fill="#ffd23a"/>'
           '<rect x="17" y="26" width="14" height="20" rx="2" fill="#f4efe0" stroke="#b89a5a" stroke-width="1.5"/>'
           '<path d="M24 17 C28 21 27 25 24 26 C21 25 20 21 24 17 Z" fill="#ff9b1f"/>'
           '<path d="M10 40 C14 34 18 38 17 44 M38 40 C34 34 30 38 31 44" stroke="#1f7a34" stroke-width="3" fill="none"/>'
           '<circle cx="12" cy="41" r="2" fill="#d42a2a"/><circle cx="36" cy="41" r="2" fill="#d42a2a"/>')
    k.save(out, "CalHeart", 48, 48,
           '<path d="M24 42 C16 35 4 28 4 16 C4 9 9 5 14.5 5 C19 5 22.5 8 24 11.5 C25.5 8 29 5 33.5 5 C39 5 44 9 44 16 '
           'C44 28 32 35 24 42 Z" fill="#e0223a" stroke="#8a0f1f" stroke-width="2"/>'
           '<path d="M12 14 C13 10 16 9 18 10" stroke="#ffffff" stroke-opacity="0.7" stroke-width="2.5" fill="none"/>')
    k.save(out, "CalFlower", 48, 48,
           '<path d="M24 46 V24" stroke="#2d8a34" stroke-width="3"/>'
           '<path d="M24 38 C16 36 12 30 12 26 C18 28 22 32 24 38 Z" fill="#3fa844"/>'
           '<path d="M24 24 C14 24 12 14 14 6 L19 12 L24 4 L29 12 L34 6 C36 14 34 24 24 24 Z" fill="#ef4f8a" '
           'stroke="#a01d52" stroke-width="1.5"/>')
    k.save(out, "CalStar", 48, 48,
           '<path d="M14 30 L8 46 L16 42 L20 48 L24 34 Z M34 30 L40 46 L32 42 L28 48 L24 34 Z" fill="#f08a1c" '
           'stroke="#1a1a1a" stroke-width="1"/>'
           '<path d="%s" fill="#d41f1f" stroke="#7a0c0c" stroke-width="1.5"/>' % STAR)
    k.save(out, "CalFlag", 48, 48,
           '<rect x="7" y="4" width="3" height="42" fill="#6b4a22"/>'
           '<path d="M10 6 C18 2 24 10 32 6 C36 4 40 5 43 6 V28 C38 26 34 27 30 29 C22 33 18 25 10 28 Z" '
           'fill="#2b63c9" stroke="#153a7a" stroke-width="1.5"/>'
           '<path d="M10 15 C18 11 24 19 32 15 C36 13 40 14 43 15 V20 C38 19 34 20 30 22 C22 26 18 18 10 21 Z" '
           'fill="#ffffff"/>')


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    for number, (element, path) in enumerate(SIGNS, start=1):
        sign(out, number, element, path)
    holidays(out)


if __name__ == "__main__":
    main()
