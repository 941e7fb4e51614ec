#!/usr/bin/env python3
"""Generate the committed bitmap and icon resources of Quillet.

Run from the repository root:

    python3 tools/resgen/resgen.py

Writes res/fee_background.bmp, res/skin.bmp, res/calculator.bmp and
res/quillet.ico.  The output is deterministic: the same bytes on every run
(given the same Pillow and font packages).  The BMP and ICO containers are
written by this script; Pillow is used only to rasterise lettering.
"""

import os
import struct
import sys

SYSTEM_PYTHON = "/usr/bin/python3"


def reexec_with_system_python(argv):
    """If Pillow is missing (e.g. a pyenv python3 comes first on PATH),
    re-run ARGV under Debian's python3, which has python3-pil."""
    if (os.path.exists(SYSTEM_PYTHON)
            and os.path.realpath(sys.executable) != os.path.realpath(SYSTEM_PYTHON)):
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON] + argv)


try:
    from PIL import Image, ImageDraw, ImageFilter, ImageFont
except ImportError:
    if __name__ == "__main__":
        reexec_with_system_python(sys.argv)
    raise

SONG_FONT = "/usr/share/fonts/truetype/arphic/uming.ttc"
LATIN_BOLD_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

REPO = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RES = os.path.join(REPO, "res")

# Standard 16-colour VGA / Windows palette.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GREY, RED, LIME, \
    YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(16)


# ---------------------------------------------------------------------------
# Helpers
# ---------------------------------------------------------------------------

def lerp(a, b, t):
    """Linear blend of two RGB triples, rounded to integers."""
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def fill_rect(img, x0, y0, x1, y1, colour):
    """Fill the inclusive rectangle (x0, y0)-(x1, y1)."""
    img.paste(colour, (x0, y0, x1 + 1, y1 + 1))


def text_mask(text, font_path, size, pad=0):
    """Render TEXT crisply (1-bit, no anti-aliasing) and crop to its ink.

    Returns an 'L' image with values 0/255 cropped to the ink bounding box
    plus PAD pixels of empty margin on every side.
    """
    font = ImageFont.truetype(font_path, size)
    left, top, right, bottom = font.getbbox(text)
    w = right - left + 8 + 2 * pad
    h = bottom - top + 8 + 2 * pad
    m = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(m)
    d.fontmode = "1"
    d.text((4 + pad - left, 4 + pad - top), text, font=font, fill=255)
    bx0, by0, bx1, by1 = m.getbbox()
    return m.crop((bx0 - pad, by0 - pad, bx1 + pad, by1 + pad))


def place_centered(mask, box):
    """Top-left corner that centres MASK in the inclusive BOX; checks fit."""
    x0, y0, x1, y1 = box
    bw, bh = x1 - x0 + 1, y1 - y0 + 1
    w, h = mask.size
    if w > bw or h > bh:
        raise SystemExit("lettering %dx%d does not fit box %r" % (w, h, box))
    return x0 + (bw - w) // 2, y0 + (bh - h) // 2


def draw_text_in_box(img, text, font_path, size, box, colour):
    mask = text_mask(text, font_path, size)
    img.paste(colour, place_centered(mask, box), mask)


def bmp_bytes(width, height, bpp, rows, palette=None):
    """Build a bottom-up BI_RGB BMP.

    ROWS is a list of top-down rows: for 24 bpp each row is a list of RGB
    triples, for 4 bpp a list of palette indices.
    """
    stride = ((width * bpp + 31) // 32) * 4
    data = bytearray()
    for row in reversed(rows):
        if bpp == 24:
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bpp == 4:
            line = bytearray()
            for i in range(0, width, 2):
                hi = row[i]
                lo = row[i + 1] if i + 1 < width else 0
                line.append((hi << 4) | lo)
        else:
            raise ValueError(bpp)
        line += bytes(stride - len(line))
        data += line
    pal = b""
    if palette is not None:
        pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    ncolours = len(palette) if palette is not None else 0
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0,
                       len(data), 2835, 2835, ncolours, 0)
    offset = 14 + len(info) + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + pal + bytes(data)


def rgb_rows(img):
    w, h = img.size
    px = list(img.getdata())
    return [px[y * w:(y + 1) * w] for y in range(h)]


def write(name, data):
    path = os.path.join(RES, name)
    with open(path, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (os.path.relpath(path, REPO), len(data)))


# ---------------------------------------------------------------------------
# res/fee_background.bmp: 400 x 300 backdrop of the fee dialog
# ---------------------------------------------------------------------------

FIELD = (237, 245, 255)


def make_fee_background():
    W, H = 400, 300
    img = Image.new("RGB", (W, H), FIELD)

    # Top band, rows 0..11: light, deepening, deep.
    light, deep = (144, 194, 229), (34, 96, 178)
    for y in range(0, 12):
        if y <= 3:
            c = light
        elif y >= 8:
            c = deep
        else:
            c = lerp(light, deep, (y - 3) / 5.0)
        fill_rect(img, 0, y, W - 1, y, c)

    # Side bands, 16 px wide, rows 12..294.  Across the band the columns
    # run from the outer edge RGB(174,211,236) through RGB(148,196,230) to
    # RGB(126,159,211) at the inner edge; down the band each column fades
    # from its full colour at the top towards near-white at the bottom.
    outer, middle, inner = (174, 211, 236), (148, 196, 230), (126, 159, 211)
    near_white = (246, 250, 255)
    columns = []
    for i in range(16):              # i = 0 is the outer edge
        if i <= 7:
            columns.append(lerp(outer, middle, i / 7.0))
        else:
            columns.append(lerp(middle, inner, (i - 7) / 8.0))
    top, bottom = 12, 294
    for y in range(top, bottom + 1):
        t = 0.9 * (y - top) / float(bottom - top)
        for i, base in enumerate(columns):
            c = lerp(base, near_white, t)
            img.putpixel((i, y), c)             # left band, x 0..15
            img.putpixel((W - 1 - i, y), c)     # right band, x 384..399

    # Bottom lavender band, rows 295..299.
    fill_rect(img, 0, 295, W - 1, H - 1, (194, 176, 221))

    # Lettering.
    draw_text_in_box(img, "标的额：", SONG_FONT, 12, (163, 81, 211, 92), (0, 0, 0))
    draw_text_in_box(img, "诉讼费：", SONG_FONT, 12, (163, 130, 211, 141), (0, 0, 0))
    draw_text_in_box(img, "本软件根据2007年4月1日最新收费标准编制", SONG_FONT, 15,
                     (60, 270, 349, 284), (255, 0, 0))

    return bmp_bytes(W, H, 24, rgb_rows(img))


# ---------------------------------------------------------------------------
# res/skin.bmp: 463 x 359 main window skin
# ---------------------------------------------------------------------------

LEFT_FRAME = [(87, 137, 203), (177, 201, 232), (223, 233, 246), (217, 231, 249)]
SEPARATOR = [(87, 137, 203), (177, 201, 232), (223, 233, 246),
             (123, 163, 219), (171, 196, 229), (204, 218, 240)]
BOTTOM_FRAME = [(84, 131, 200), (126, 166, 219), (126, 179, 252),
                (69, 93, 128), (60, 80, 110)]
TITLE_TOP_LINE = (242, 248, 255)
TITLE_GRADIENT = ((126, 167, 224), (237, 245, 255))
TITLE_LOW_LINES = [(242, 248, 255), (236, 244, 255), (229, 239, 253),
                   (221, 234, 251)]
TITLE_SEPARATOR = [(101, 152, 224), (212, 230, 254)]
PANEL = (237, 245, 255)
TITLE_TEXT = "Vantorel V1.0"
TITLE_INK = (253, 251, 251)
TITLE_OUTLINE = (40, 84, 160)
PANEL_LINES = ["法律服务助手", "诉讼费用速算"]
PANEL_INK = (30, 60, 120)


def make_skin():
    W, H = 463, 359
    img = Image.new("RGB", (W, H), PANEL)

    # Title strip, rows 0..24, full width.
    fill_rect(img, 0, 0, W - 1, 0, TITLE_TOP_LINE)
    for y in range(1, 21):
        fill_rect(img, 0, y, W - 1, y,
                  lerp(TITLE_GRADIENT[0], TITLE_GRADIENT[1], (y - 1) / 19.0))
    for k, c in enumerate(TITLE_LOW_LINES):
        fill_rect(img, 0, 21 + k, W - 1, 21 + k, c)
    # Separator lines, rows 25 and 26, full width.
    for k, c in enumerate(TITLE_SEPARATOR):
        fill_rect(img, 0, 25 + k, W - 1, 25 + k, c)

    # Body rows 27..353.
    y0, y1 = 27, 353
    for k, c in enumerate(LEFT_FRAME):
        fill_rect(img, k, y0, k, y1, c)                 # x 0..3
    fill_rect(img, 4, y0, 119, y1, PANEL)               # left panel
    for k, c in enumerate(SEPARATOR):
        fill_rect(img, 120 + k, y0, 120 + k, y1, c)     # x 120..125
    fill_rect(img, 126, y0, 457, y1, PANEL)             # right panel
    for k, c in enumerate(reversed(LEFT_FRAME)):
        fill_rect(img, 458 + k, y0, 458 + k, y1, c)     # x 458..461
    fill_rect(img, 462, y0, 462, y1, (255, 255, 255))   # x 462

    # Bottom frame, rows 354..358, full width.
    for k, c in enumerate(BOTTOM_FRAME):
        fill_rect(img, 0, 354 + k, W - 1, 354 + k, c)

    # Title lettering: near-white with a one-pixel blue outline, the whole
    # (outline included) inside x 8..113, y 5..20.
    mask = text_mask(TITLE_TEXT, LATIN_BOLD_FONT, 12, pad=1)
    outline = mask.filter(ImageFilter.MaxFilter(3))
    pos = (8, place_centered(mask, (8, 5, 113, 20))[1])
    img.paste(TITLE_OUTLINE, pos, outline)
    img.paste(TITLE_INK, pos, mask)

    # Left panel lettering: two lines as one block inside x 15..108,
    # y 293..325, each line centred horizontally.
    masks = [text_mask(s, SONG_FONT, 15) for s in PANEL_LINES]
    gap = 33 - sum(m.size[1] for m in masks)
    if gap < 2:
        raise SystemExit("panel lettering too tall")
    y = 293
    for m in masks:
        x, _ = place_centered(m, (15, 293, 108, 325))
        img.paste(PANEL_INK, (x, y), m)
        y += m.size[1] + gap

    return bmp_bytes(W, H, 24, rgb_rows(img))


# ---------------------------------------------------------------------------
# res/calculator.bmp: 32 x 32, 16 colours, no black pixel
# ---------------------------------------------------------------------------

# 3 x 5 digit shapes, '#' = lit.
DIGITS = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "8": ["###", "#.#", "###", "#.#", "###"],
}


def make_calculator():
    N = 32
    px = [[NAVY] * N for _ in range(N)]

    def rect(x0, y0, x1, y1, c):
        for yy in range(y0, y1 + 1):
            for xx in range(x0, x1 + 1):
                px[yy][xx] = c

    # Body x 5..26, y 1..30 with a white frame; red keypad inside.
    rect(5, 1, 26, 30, WHITE)
    rect(6, 2, 25, 29, RED)
    # Display x 7..24, y 3..10: green with red digits "128".
    rect(7, 3, 24, 10, GREEN)
    x = 12
    for ch in "128":
        for dy, line in enumerate(DIGITS[ch]):
            for dx, cell in enumerate(line):
                if cell == "#":
                    px[5 + dy][x + dx] = RED
        x += 4
    # Keypad: 4 x 4 keys, 3 x 2 pixels each; operator column cyan.
    for row in range(4):
        for col in range(4):
            kx = 7 + col * 5
            ky = 13 + row * 4
            rect(kx, ky, kx + 2, ky + 1, CYAN if col == 3 else YELLOW)

    assert all(c != BLACK for line in px for c in line)
    return bmp_bytes(N, N, 4, px, VGA16)


# ---------------------------------------------------------------------------
# res/quillet.ico: 32 x 32 and 16 x 16, 16 colours
# ---------------------------------------------------------------------------

# The 16 x 16 glyph is hand-set (a font outline at that size is mush);
# the 32 x 32 one is rasterised from the Song font.
ZHONG_16 = [
    "....#....",
    "....#....",
    "#########",
    "#...#...#",
    "#...#...#",
    "#...#...#",
    "#########",
    "....#....",
    "....#....",
    "....#....",
]


def icon_pixels(n):
    """Return (indices, opaque) grids for an N x N icon."""
    idx = [[BLACK] * n for _ in range(n)]
    opaque = [[False] * n for _ in range(n)]
    c = (n - 1) / 2.0
    outer = n / 2.0 - 0.3
    inner = outer - (3.0 if n >= 32 else 1.8)
    for y in range(n):
        for x in range(n):
            r = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if inner <= r <= outer:
                idx[y][x] = GREEN
                opaque[y][x] = True

    if n >= 32:
        # Song strokes are one pixel thin at this size; embolden them to
        # two pixels so the glyph holds its own against the ring.
        thin = text_mask("中", SONG_FONT, 19)
        w, h = thin.size[0] + 1, thin.size[1] + 1
        mask = Image.new("L", (w, h), 0)
        for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            mask.paste(255, (dx, dy), thin)
        ox, oy = (n - w) // 2, (n - h) // 2
        for y in range(h):
            for x in range(w):
                if mask.getpixel((x, y)):
                    idx[oy + y][ox + x] = RED
                    opaque[oy + y][ox + x] = True
    else:
        h, w = len(ZHONG_16), len(ZHONG_16[0])
        ox, oy = (n - w) // 2, (n - h) // 2
        for y, line in enumerate(ZHONG_16):
            for x, cell in enumerate(line):
                if cell == "#":
                    idx[oy + y][ox + x] = RED
                    opaque[oy + y][ox + x] = True
    return idx, opaque


def icon_image(n):
    idx, opaque = icon_pixels(n)
    xor_stride = ((n * 4 + 31) // 32) * 4
    and_stride = ((n + 31) // 32) * 4
    xor = bytearray()
    for row in reversed(idx):
        line = bytearray((row[i] << 4) | row[i + 1] for i in range(0, n, 2))
        xor += line + bytes(xor_stride - len(line))
    andm = bytearray()
    for row in reversed(opaque):
        line = bytearray(and_stride)
        for x, o in enumerate(row):
            if not o:                   # 1 = transparent
                line[x // 8] |= 0x80 >> (x % 8)
        andm += line
    info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 4, 0,
                       len(xor) + len(andm), 0, 0, 0, 0)
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    return info + pal + bytes(xor) + bytes(andm)


def make_icon():
    images = [(32, icon_image(32)), (16, icon_image(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n, n, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def main():
    for path in (SONG_FONT, LATIN_BOLD_FONT):
        if not os.path.exists(path):
            sys.exit("missing font %s (see tools/resgen/README.md)" % path)
    write("fee_background.bmp", make_fee_background())
    write("skin.bmp", make_skin())
    write("calculator.bmp", make_calculator())
    write("quillet.ico", make_icon())


if __name__ == "__main__":
    main()
