#!/usr/bin/env python3
"""Check the generated resources in res/ against their intended layout.

Run from the repository root:

    python3 tools/resgen/check.py [--no-regen]

Parses the BMP and ICO files directly (no imaging library) and asserts
sizes, bit depths, layout colours at sample points, lettering placement,
the absence of black in calculator.bmp and the icon's transparency mask.
Finally it regenerates every file in memory and checks the committed bytes
are identical (the generator is deterministic); that step needs Pillow, and
--no-regen leaves it out. The test suite runs the check with --no-regen.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.abspath(os.path.join(HERE, "..", ".."))
RES = os.path.join(REPO, "res")

failures = []


def check(cond, msg):
    if not cond:
        failures.append(msg)


def read(name):
    with open(os.path.join(RES, name), "rb") as f:
        return f.read()


class Bmp:
    """Minimal BMP reader for BI_RGB 24 bpp and 4 bpp, bottom-up."""

    def __init__(self, data):
        magic, fsize, _, _, off = struct.unpack_from("<2sIHHI", data, 0)
        assert magic == b"BM", "not a BMP"
        assert fsize == len(data), "file size field %d != %d" % (fsize, len(data))
        (self.hsize, self.w, self.h, planes, self.bpp, self.comp, _, _, _,
         clrused, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
        assert self.hsize == 40 and planes == 1
        self.palette = []
        if self.bpp <= 8:
            n = clrused or (1 << self.bpp)
            for i in range(n):
                b, g, r, _ = data[14 + 40 + 4 * i:14 + 40 + 4 * i + 4]
                self.palette.append((r, g, b))
        self.data, self.off = data, off
        self.stride = ((self.w * self.bpp + 31) // 32) * 4

    def _row(self, y):
        # Bottom-up: file row 0 is the bottom image row.
        return self.off + (self.h - 1 - y) * self.stride

    def index(self, x, y):
        assert self.bpp == 4
        byte = self.data[self._row(y) + x // 2]
        return (byte >> 4) if x % 2 == 0 else (byte & 15)

    def px(self, x, y):
        if self.bpp == 24:
            p = self._row(y) + 3 * x
            b, g, r = self.data[p:p + 3]
            return (r, g, b)
        return self.palette[self.index(x, y)]


def ink_box(bmp, region, is_background):
    """Bounding box of pixels in REGION for which is_background(x, y, c) is False."""
    x0, y0, x1, y1 = region
    box = None
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if not is_background(x, y, bmp.px(x, y)):
                if box is None:
                    box = [x, y, x, y]
                else:
                    box = [min(box[0], x), min(box[1], y),
                           max(box[2], x), max(box[3], y)]
    return box


def inside(box, outer):
    return (box is not None and box[0] >= outer[0] and box[1] >= outer[1]
            and box[2] <= outer[2] and box[3] <= outer[3])


def colours_in(bmp, box):
    x0, y0, x1, y1 = box
    return {bmp.px(x, y) for y in range(y0, y1 + 1) for x in range(x0, x1 + 1)}


# ---------------------------------------------------------------------------

def check_fee_background():
    b = Bmp(read("fee_background.bmp"))
    check((b.w, b.h, b.bpp, b.comp) == (400, 300, 24, 0),
          "fee_background: want 400x300 24bpp BI_RGB bottom-up, got %r"
          % ((b.w, b.h, b.bpp, b.comp),))
    field = (237, 245, 255)
    light, deep = (144, 194, 229), (34, 96, 178)
    for y in range(0, 4):
        check(b.px(200, y) == light and b.px(0, y) == light, "fee top band row %d" % y)
    for y in range(8, 12):
        check(b.px(200, y) == deep and b.px(399, y) == deep, "fee top band row %d" % y)
    prev = sum(light)
    for y in range(4, 8):
        s = sum(b.px(200, y))
        check(sum(deep) < s < prev, "fee top band row %d not deepening" % y)
        prev = s
    # Side bands.
    check(b.px(0, 12) == (174, 211, 236), "fee left band outer column top")
    check(b.px(7, 12) == (148, 196, 230), "fee left band middle column top")
    check(b.px(15, 12) == (126, 159, 211), "fee left band inner column top")
    for y in (12, 100, 200, 294):
        for i in range(16):
            check(b.px(i, y) == b.px(399 - i, y), "fee side bands not mirrored at y %d" % y)
    for x in (0, 7, 15, 384, 399):
        check(sum(b.px(x, 294)) > sum(b.px(x, 150)) > sum(b.px(x, 12)),
              "fee side band column %d does not fade downwards" % x)
        r, g, bl = b.px(x, 294)
        check(min(r, g, bl) >= 220, "fee side band column %d not near-white at bottom" % x)
    for y in range(295, 300):
        for x in (0, 200, 399):
            check(b.px(x, y) == (194, 176, 221), "fee lavender at %d,%d" % (x, y))
    for x, y in ((16, 12), (383, 294), (200, 50), (100, 200), (300, 250)):
        check(b.px(x, y) == field, "fee field at %d,%d" % (x, y))
    # Lettering: every non-field pixel of the field lies in one of the boxes.
    boxes = [((163, 81, 211, 92), (0, 0, 0)),
             ((163, 130, 211, 141), (0, 0, 0)),
             ((60, 270, 349, 284), (255, 0, 0))]
    for y in range(12, 295):
        for x in range(16, 384):
            c = b.px(x, y)
            if c != field:
                ok = any(inside([x, y, x, y], bx) and c == ink for bx, ink in boxes)
                check(ok, "fee stray pixel %r at %d,%d" % (c, x, y))
    for bx, ink in boxes:
        box = ink_box(b, bx, lambda x, y, c: c == field)
        check(box is not None and box[2] - box[0] > (bx[2] - bx[0]) // 2,
              "fee lettering missing or too small in %r" % (bx,))
        check(colours_in(b, bx) == {field, ink}, "fee lettering colours in %r" % (bx,))


def check_skin():
    b = Bmp(read("skin.bmp"))
    check((b.w, b.h, b.bpp, b.comp) == (463, 359, 24, 0),
          "skin: want 463x359 24bpp BI_RGB bottom-up, got %r" % ((b.w, b.h, b.bpp, b.comp),))
    panel = (237, 245, 255)
    # Title strip.
    check(b.px(0, 0) == (242, 248, 255) and b.px(462, 0) == (242, 248, 255), "skin row 0")
    check(b.px(300, 1) == (126, 167, 224), "skin gradient top")
    check(b.px(300, 20) == (237, 245, 255), "skin gradient bottom")
    for y in range(2, 21):
        check(sum(b.px(300, y)) >= sum(b.px(300, y - 1)), "skin gradient row %d" % y)
    for y in range(21, 25):
        r, g, bl = b.px(300, y)
        check(min(r, g, bl) >= 200, "skin light line row %d" % y)
    for y in range(0, 25):
        row = b.px(130, y)
        for x in range(0, 463):
            if not (8 <= x <= 113 and 5 <= y <= 20):
                check(b.px(x, y) == row, "skin title strip not plain at %d,%d" % (x, y))
    title = ink_box(b, (0, 0, 462, 24), lambda x, y, c: c == b.px(130, y))
    check(inside(title, (8, 5, 113, 20)), "skin title lettering box %r" % (title,))
    tc = colours_in(b, (8, 5, 113, 20))
    check((253, 251, 251) in tc, "skin title near-white ink missing")
    check(any(bl > r + 60 and bl > 120 and r < 100 for r, g, bl in tc),
          "skin title blue outline missing")
    # Separators.
    for x in (0, 200, 462):
        check(b.px(x, 25) == (101, 152, 224), "skin row 25 at x %d" % x)
        check(b.px(x, 26) == (212, 230, 254), "skin row 26 at x %d" % x)
    # Body columns.
    cols = {0: (87, 137, 203), 1: (177, 201, 232), 2: (223, 233, 246),
            3: (217, 231, 249), 4: panel, 119: panel,
            120: (87, 137, 203), 121: (177, 201, 232), 122: (223, 233, 246),
            123: (123, 163, 219), 124: (171, 196, 229), 125: (204, 218, 240),
            126: panel, 300: panel, 457: panel,
            458: (217, 231, 249), 459: (223, 233, 246), 460: (177, 201, 232),
            461: (87, 137, 203), 462: (255, 255, 255)}
    for y in (27, 100, 292, 353):
        for x, c in cols.items():
            check(b.px(x, y) == c, "skin column %d at row %d: %r" % (x, y, b.px(x, y)))
    # Right panel plain.
    check(ink_box(b, (126, 27, 457, 353), lambda x, y, c: c == panel) is None,
          "skin right panel not plain")
    # Left panel lettering.
    lt = ink_box(b, (4, 27, 119, 353), lambda x, y, c: c == panel)
    check(inside(lt, (15, 293, 108, 325)), "skin panel lettering box %r" % (lt,))
    check(lt is not None and lt[3] - lt[1] >= 25, "skin panel lettering not two lines")
    # Bottom frame.
    bottom = [(84, 131, 200), (126, 166, 219), (126, 179, 252), (69, 93, 128)]
    for k, c in enumerate(bottom):
        for x in (0, 200, 462):
            check(b.px(x, 354 + k) == c, "skin bottom row %d" % (354 + k))
    last = b.px(200, 358)
    check(sum(last) < sum(bottom[2]) and all(b.px(x, 358) == last for x in range(463)),
          "skin bottom row 358")


def check_calculator():
    b = Bmp(read("calculator.bmp"))
    check((b.w, b.h, b.bpp, b.comp) == (32, 32, 4, 0),
          "calculator: want 32x32 4bpp BI_RGB, got %r" % ((b.w, b.h, b.bpp, b.comp),))
    check(len(b.palette) == 16, "calculator palette size %d" % len(b.palette))
    used = {b.px(x, y) for y in range(32) for x in range(32)}
    check((0, 0, 0) not in used, "calculator contains a black pixel")
    for x, y in ((0, 0), (31, 0), (0, 31), (31, 31), (2, 16), (29, 16)):
        check(b.px(x, y) == (0, 0, 128), "calculator ground at %d,%d" % (x, y))
    for c, what in (((255, 255, 255), "white frame"), ((0, 128, 0), "green display"),
                    ((255, 0, 0), "red"), ((255, 255, 0), "yellow keys"),
                    ((0, 255, 255), "cyan keys")):
        check(c in used, "calculator lacks %s" % what)
    check(b.px(5, 1) == (255, 255, 255) and b.px(26, 30) == (255, 255, 255),
          "calculator white frame corners")


def check_icon():
    data = read("quillet.ico")
    reserved, typ, count = struct.unpack_from("<HHH", data, 0)
    check((reserved, typ, count) == (0, 1, 2), "ico header %r" % ((reserved, typ, count),))
    seen = set()
    for i in range(count):
        w, h, ncol, res0, planes, bpp, size, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        seen.add(w)
        check(w == h and w in (16, 32), "ico entry %d size %dx%d" % (i, w, h))
        check(ncol == 16 and bpp == 4 and planes == 1, "ico entry %d colour fields" % i)
        check(off + size <= len(data), "ico entry %d out of range" % i)
        hs, bw, bh, bplanes, bbpp, comp = struct.unpack_from("<IiiHHI", data, off)
        check((hs, bw, bh, bplanes, bbpp, comp) == (40, w, 2 * w, 1, 4, 0),
              "ico image %d header %r" % (i, (hs, bw, bh, bplanes, bbpp, comp)))
        pal = [tuple(data[off + 40 + 4 * k:off + 40 + 4 * k + 3][::-1]) for k in range(16)]
        xs = ((w * 4 + 31) // 32) * 4
        ms = ((w + 31) // 32) * 4
        xor0 = off + 40 + 64
        and0 = xor0 + xs * w
        check(and0 + ms * w - off == size, "ico image %d size field" % i)

        def transparent(x, y):
            p = and0 + (w - 1 - y) * ms + x // 8
            return bool(data[p] & (0x80 >> (x % 8)))

        def colour(x, y):
            byte = data[xor0 + (w - 1 - y) * xs + x // 2]
            return pal[(byte >> 4) if x % 2 == 0 else (byte & 15)]

        for x, y in ((0, 0), (w - 1, 0), (0, w - 1), (w - 1, w - 1),
                     (1, 1), (w - 2, w - 2)):
            check(transparent(x, y), "ico %d corner %d,%d not transparent" % (w, x, y))
        opaque = {colour(x, y) for y in range(w) for x in range(w) if not transparent(x, y)}
        clear = {colour(x, y) for y in range(w) for x in range(w) if transparent(x, y)}
        check(opaque == {(255, 0, 0), (0, 128, 0)}, "ico %d opaque colours %r" % (w, opaque))
        check(clear == {(0, 0, 0)}, "ico %d transparent XOR not black" % w)
        c = w // 2
        check(colour(c, c) == (255, 0, 0) or colour(c - 1, c) == (255, 0, 0),
              "ico %d centre stroke not red" % w)
        check(not transparent(w // 2, 0) and colour(w // 2, 0) == (0, 128, 0),
              "ico %d ring top" % w)
        check(transparent(w // 2, w // 4 - 2 if w == 32 else 2),
              "ico %d gap between ring and glyph not transparent" % w)
    check(seen == {16, 32}, "ico sizes %r" % (seen,))


def check_reproducible():
    sys.dont_write_bytecode = True
    sys.path.insert(0, HERE)
    import resgen
    for name, fn in (("fee_background.bmp", resgen.make_fee_background),
                     ("skin.bmp", resgen.make_skin),
                     ("calculator.bmp", resgen.make_calculator),
                     ("quillet.ico", resgen.make_icon)):
        check(fn() == read(name), "%s differs from a fresh generation" % name)


def main():
    regenerate = "--no-regen" not in sys.argv
    if regenerate:
        try:
            import PIL  # noqa: F401  (resgen rasterises its lettering with Pillow)
        except ImportError:
            if (os.path.exists("/usr/bin/python3")
                    and os.path.realpath(sys.executable) != os.path.realpath("/usr/bin/python3")):
                os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
            sys.exit("check.py: comparing with a fresh generation needs Pillow "
                     "(python3-pil); --no-regen checks the layout alone")
    check_fee_background()
    check_skin()
    check_calculator()
    check_icon()
    if regenerate:
        check_reproducible()
    if failures:
        for f in failures[:50]:
            print("FAIL:", f)
        print("%d failure(s)" % len(failures))
        sys.exit(1)
    print("all resource checks passed")


if __name__ == "__main__":
    main()
