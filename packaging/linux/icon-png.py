#!/usr/bin/env python3
"""Writes the program's icon (a 16-colour Windows .ico) as a PNG of SIZE pixels square.

    icon-png.py ICON SIZE PNG

The pixels are the icon's own: its palette colours where the AND mask is clear, fully
transparent where it is set. A size the icon lacks is made from its largest image whose
size divides it, each pixel repeated, so that nothing blurs (48 from 16, 64 and 128 from
32). The PNG carries no time or text, so the same icon gives the same bytes."""
import struct
import sys
import zlib


def icon_image(data, size):
    """The image whose size is the largest that divides SIZE, and that size."""
    count = struct.unpack_from("<H", data, 4)[0]
    images = {}
    for entry in range(count):
        width, height, _, _, _, _, _, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * entry)
        if width == height:
            images[width or 256] = data[offset:]
    fitting = [own for own in images if size % own == 0]
    if not fitting:
        sys.exit("icon-png: no image of the icon scales to %d x %d" % (size, size))
    return images[max(fitting)], max(fitting)


def scaled(rows, factor):
    return [bytes(b"".join(row[x:x + 4] * factor for x in range(0, len(row), 4)))
            for row in rows for _ in range(factor)]


def rgba_rows(image, size):
    header, _, _, _, bits = struct.unpack_from("<IiiHH", image)
    if bits != 4:
        sys.exit("icon-png: only 16-colour images are read, this one has %d bits" % bits)
    palette = [image[header + 4 * i:header + 4 * i + 3] for i in range(16)]  # blue, green, red
    xor_start = header + 64
    xor_stride = (size * 4 + 31) // 32 * 4
    and_start = xor_start + xor_stride * size
    and_stride = (size + 31) // 32 * 4
    rows = []
    for y in reversed(range(size)):  # bottom-up in the icon
        row = bytearray()
        for x in range(size):
            byte = image[xor_start + y * xor_stride + x // 2]
            index = byte >> 4 if x % 2 == 0 else byte & 0x0F
            transparent = image[and_start + y * and_stride + x // 8] & (0x80 >> (x % 8))
            blue, green, red = palette[index]
            row += bytes((red, green, blue, 0 if transparent else 255))
        rows.append(bytes(row))
    return rows


def png(rows, size):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    pixels = zlib.compress(b"".join(b"\0" + row for row in rows), 9)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", pixels) + chunk(b"IEND", b"")


def main():
    icon, size, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    data = open(icon, "rb").read()
    with open(out, "wb") as target:
        image, own = icon_image(data, size)
        target.write(png(scaled(rgba_rows(image, own), size // own), size))


if __name__ == "__main__":
    main()
