"""Advance widths of the installed TrueType and OpenType fonts, read with the
standard library only, so the caption drawings can fit their words to a box
before Qt renders them: a word is never squeezed, only set smaller.

Only the tables needed for the advance of each character are read ('head',
'hhea', 'hmtx', 'cmap'); kerning is left out, which errs on the wide side.
"""

import struct

FONTS = {
    # family, bold -> file (Debian packages fonts-dejavu-core, fonts-noto-cjk)
    ("DejaVu Serif", True): "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
    ("DejaVu Serif", False): "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf",
    ("DejaVu Sans", True): "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    ("Noto Sans CJK SC", True): "/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc",
    ("Noto Sans CJK SC", False): "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc",
}


class Font:
    def __init__(self, path):
        with open(path, "rb") as source:
            self.data = source.read()
        base = 0
        if self.data[:4] == b"ttcf":
            # Every face of a CJK collection shares the ideograph widths; the first will do.
            base = struct.unpack(">I", self.data[12:16])[0]
        count = struct.unpack(">H", self.data[base + 4:base + 6])[0]
        self.tables = {}
        for i in range(count):
            record = base + 12 + 16 * i
            tag = self.data[record:record + 4].decode("latin-1")
            offset, length = struct.unpack(">II", self.data[record + 8:record + 16])
            self.tables[tag] = (offset, length)
        head = self.tables["head"][0]
        self.units = struct.unpack(">H", self.data[head + 18:head + 20])[0]
        hhea = self.tables["hhea"][0]
        self.metrics = struct.unpack(">H", self.data[hhea + 34:hhea + 36])[0]
        self._map = self._cmap()
        self._cache = {}

    def _cmap(self):
        cmap = self.tables["cmap"][0]
        count = struct.unpack(">H", self.data[cmap + 2:cmap + 4])[0]
        best = None
        for i in range(count):
            platform, encoding, offset = struct.unpack(">HHI", self.data[cmap + 4 + 8 * i:cmap + 12 + 8 * i])
            fmt = struct.unpack(">H", self.data[cmap + offset:cmap + offset + 2])[0]
            if platform == 3 and fmt == 12:
                best = (12, cmap + offset)
            elif platform == 3 and encoding == 1 and fmt == 4 and best is None:
                best = (4, cmap + offset)
        return best

    def glyph(self, code):
        fmt, at = self._map
        d = self.data
        if fmt == 12:
            groups = struct.unpack(">I", d[at + 12:at + 16])[0]
            lo, hi = 0, groups - 1
            while lo <= hi:
                mid = (lo + hi) // 2
                start, end, first = struct.unpack(">III", d[at + 16 + 12 * mid:at + 28 + 12 * mid])
                if code < start:
                    hi = mid - 1
                elif code > end:
                    lo = mid + 1
                else:
                    return first + code - start
            return 0
        segs = struct.unpack(">H", d[at + 6:at + 8])[0] // 2
        ends, starts = at + 14, at + 16 + 2 * segs
        deltas, ranges = starts + 2 * segs, starts + 4 * segs
        for i in range(segs):
            end = struct.unpack(">H", d[ends + 2 * i:ends + 2 * i + 2])[0]
            if code > end:
                continue
            start = struct.unpack(">H", d[starts + 2 * i:starts + 2 * i + 2])[0]
            if code < start:
                return 0
            delta = struct.unpack(">h", d[deltas + 2 * i:deltas + 2 * i + 2])[0]
            offset = struct.unpack(">H", d[ranges + 2 * i:ranges + 2 * i + 2])[0]
            if offset == 0:
                return (code + delta) & 0xFFFF
            where = ranges + 2 * i + offset + 2 * (code - start)
            g = struct.unpack(">H", d[where:where + 2])[0]
            return (g + delta) & 0xFFFF if g else 0
        return 0

    def advance(self, char):
        """The advance of one character in em units (1.0 = the font size)."""
        if char not in self._cache:
            g = min(self.glyph(ord(char)), self.metrics - 1)
            hmtx = self.tables["hmtx"][0]
            width = struct.unpack(">H", self.data[hmtx + 4 * g:hmtx + 4 * g + 2])[0]
            self._cache[char] = width / float(self.units)
        return self._cache[char]

    def width(self, text, size, spacing=0.0):
        """The width of text set at size pixels, with spacing pixels between letters."""
        return sum(self.advance(c) for c in text) * size + spacing * max(0, len(text) - 1)


_loaded = {}


def font(family, bold=True):
    key = (family, bold)
    if key not in _loaded:
        _loaded[key] = Font(FONTS[key])
    return _loaded[key]
