#!/usr/bin/env python3
"""Draws Tunewarden's artwork: the program icon and the control bar's title strip.

    python3 make_artwork.py            writes tunewarden.ico and title.bmp beside this script
    python3 make_artwork.py OUTDIR     writes them into OUTDIR instead

Standard library only, so anyone can rebuild the pictures without extra packages.
Both files are written byte for byte the same on every run; rebuilding must not
show up as a change in version control unless the drawing itself changed.
"""

import os
import struct
import sys

# --------------------------------------------------------------------------------------
# Icon: an amber eighth note on a dark keycap. The keycap says "keyboard / game", the
# note says "music"; at 16 x 16 in the notification area nothing finer survives.
# --------------------------------------------------------------------------------------

ICON_SIZE = 16

# One character per pixel, top row first. '.' is transparent.
ICON_ROWS = [
    "..oooooooooooo..",
    ".oggggggggggggo.",
    "offffffffWWWfffo",
    "offffffffWWWWffo",
    "offffffffWWfWWfo",
    "offffffffWWffWfo",
    "offffffffWWffafo",
    "offffffffWWffffo",
    "offfffaWWWWffffo",
    "offffWWWWWWffffo",
    "offffWWWWafffffo",
    "offffffffffffffo",
    "obbbbbbbbbbbbbbo",
    "obbbbbbbbbbbbbbo",
    ".obbbbbbbbbbbbo.",
    "..oooooooooooo..",
]

# Colours as (red, green, blue, alpha).
ICON_PALETTE = {
    ".": (0, 0, 0, 0),
    "o": (0x0D, 0x11, 0x17, 0xFF),  # outline: a crisp edge against light taskbars
    "g": (0x4A, 0x5A, 0x74, 0xFF),  # top edge of the key face, catching the light
    "f": (0x34, 0x40, 0x55, 0xFF),  # key face
    "b": (0x1D, 0x24, 0x30, 0xFF),  # the key's front lip
    "W": (0xFF, 0xC8, 0x3D, 0xFF),  # note
    "a": (0xA8, 0x8A, 0x45, 0xFF),  # note edge, halfway between note and face
}

# The 16 colours every 4-bit display driver provides, in the usual order.
VGA16 = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# Hand-picked VGA colours for the 4-bit image: nearest-colour matching would turn the
# whole key black and the note olive.
ICON_VGA = {".": 0, "o": 0, "g": 8, "f": 8, "b": 0, "W": 11, "a": 11}


def icon_pixels():
    if len(ICON_ROWS) != ICON_SIZE or any(len(r) != ICON_SIZE for r in ICON_ROWS):
        raise SystemExit("icon drawing is not %d x %d" % (ICON_SIZE, ICON_SIZE))
    return ICON_ROWS


def bitmap_info_header(width, height, bit_count, image_size, colours_used):
    return struct.pack(
        "<IiiHHIIiiII",
        40,  # biSize
        width,
        height,
        1,  # biPlanes
        bit_count,
        0,  # BI_RGB
        image_size,
        0,  # biXPelsPerMeter
        0,  # biYPelsPerMeter
        colours_used,
        0,  # biClrImportant
    )


def row_stride(width, bit_count):
    return ((width * bit_count + 31) // 32) * 4


def scaled(rows, size):
    """The drawing at another size, each pixel a block of whole pixels (nearest neighbour):
    at 125 to 200 % display scale the icon stays as crisp as the 16-pixel drawing."""
    return ["".join(row[x * ICON_SIZE // size] for x in range(size))
            for row in (rows[y * ICON_SIZE // size] for y in range(size))]


def and_mask(rows):
    """1 bit per pixel, bottom row first; a set bit lets the background through."""
    size = len(rows)
    stride = row_stride(size, 1)
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, ch in enumerate(row):
            if ICON_PALETTE[ch][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def icon_image_32(rows):
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for ch in row:
            r, g, b, a = ICON_PALETTE[ch]
            xor += bytes((b, g, r, a))
    mask = and_mask(rows)
    header = bitmap_info_header(size, size * 2, 32, len(xor) + len(mask), 0)
    return header + bytes(xor) + mask


def icon_image_4(rows):
    size = len(rows)
    palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in VGA16)
    stride = row_stride(size, 4)
    xor = bytearray()
    for row in reversed(rows):
        line = bytearray(stride)
        for x, ch in enumerate(row):
            index = ICON_VGA[ch]
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        xor += line
    mask = and_mask(rows)
    header = bitmap_info_header(size, size * 2, 4, len(xor) + len(mask), 16)
    return header + palette + bytes(xor) + mask


# The sizes Windows asks for: the small icon at 100, 125, 150 and 200 % scale, which is
# also the large icon at 100 %.
ICON_SIZES = (16, 20, 24, 32)


def make_ico():
    rows = icon_pixels()
    images = [(len(r), 0, 32, icon_image_32(r)) for r in (scaled(rows, n) for n in ICON_SIZES)]
    images.append((ICON_SIZE, 16, 4, icon_image_4(rows)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, colours, bits, data in images:
        out += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(data), offset)
        offset += len(data)
    for _, _, _, data in images:
        out += data
    return bytes(out)


# --------------------------------------------------------------------------------------
# Title strip: "Tunewarden 1.4" in a bold pixel font on black, 165 x 16, 16 greys.
# --------------------------------------------------------------------------------------

TITLE_WIDTH = 165
TITLE_HEIGHT = 16
TITLE_TEXT = "Tunewarden 1.4"

# Cap height 10, x-height 7; no letter in the title has a descender. Each glyph is
# listed top row first; lower-case letters are padded to full height with blank rows.
GLYPH_HEIGHT = 10
GLYPHS = {
    "T": [
        "########",
        "########",
        "...##...",
        "...##...",
        "...##...",
        "...##...",
        "...##...",
        "...##...",
        "...##...",
        "...##...",
    ],
    "u": [
        "##..##",
        "##..##",
        "##..##",
        "##..##",
        "##..##",
        "##.###",
        ".##.##",
    ],
    "n": [
        "##.##.",
        "###.##",
        "##..##",
        "##..##",
        "##..##",
        "##..##",
        "##..##",
    ],
    "e": [
        ".####.",
        "##..##",
        "##..##",
        "######",
        "##....",
        "##..##",
        ".####.",
    ],
    "w": [
        "##....##",
        "##....##",
        "##.##.##",
        "##.##.##",
        "##.##.##",
        "########",
        ".##..##.",
    ],
    "a": [
        ".####.",
        "....##",
        ".#####",
        "##..##",
        "##..##",
        "##.###",
        ".##.##",
    ],
    "r": [
        "##.##",
        "#####",
        "###..",
        "##...",
        "##...",
        "##...",
        "##...",
    ],
    "d": [
        "....##",
        "....##",
        "....##",
        ".##.##",
        "##.###",
        "##..##",
        "##..##",
        "##..##",
        "##.###",
        ".##.##",
    ],
    "1": [
        "..##..",
        ".###..",
        "####..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "..##..",
        "######",
    ],
    ".": [
        "##",
        "##",
    ],
    "4": [
        "....##.",
        "...###.",
        "..####.",
        ".##.##.",
        "##..##.",
        "##..##.",
        "#######",
        "....##.",
        "....##.",
        "....##.",
    ],
    " ": ["...."],
}

LETTER_GAP = 2
TEXT_TOP = 3  # rows above the capitals; the shadow takes one row below
SHADOW_GREY = 3


def glyph(ch):
    rows = GLYPHS[ch]
    width = len(rows[0])
    if any(len(r) != width for r in rows) or len(rows) > GLYPH_HEIGHT:
        raise SystemExit("glyph %r is malformed" % ch)
    blank = "." * width
    return [blank] * (GLYPH_HEIGHT - len(rows)) + rows


def text_grey(row):
    """Bright at the top, darker towards the baseline, for a brushed-metal look."""
    return 15 - (row * 6) // (GLYPH_HEIGHT - 1)


def make_title_pixels():
    glyphs = [glyph(ch) for ch in TITLE_TEXT]
    text_width = sum(len(g[0]) for g in glyphs) + LETTER_GAP * (len(glyphs) - 1)
    left = (TITLE_WIDTH - text_width) // 2
    ink = [[False] * TITLE_WIDTH for _ in range(TITLE_HEIGHT)]
    x = left
    for g in glyphs:
        for gy, row in enumerate(g):
            for gx, ch in enumerate(row):
                if ch == "#":
                    ink[TEXT_TOP + gy][x + gx] = True
        x += len(g[0]) + LETTER_GAP

    grey = [[0] * TITLE_WIDTH for _ in range(TITLE_HEIGHT)]
    for y in range(TITLE_HEIGHT):
        for x in range(TITLE_WIDTH):
            if ink[y][x]:
                grey[y][x] = text_grey(y - TEXT_TOP)
            elif y > 0 and x > 0 and ink[y - 1][x - 1]:
                grey[y][x] = SHADOW_GREY
    return grey


def make_title_bmp():
    grey = make_title_pixels()
    palette = b"".join(bytes((v * 17, v * 17, v * 17, 0)) for v in range(16))
    stride = row_stride(TITLE_WIDTH, 4)
    pixels = bytearray()
    for row in reversed(grey):
        line = bytearray(stride)
        for x, index in enumerate(row):
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        pixels += line
    info = bitmap_info_header(TITLE_WIDTH, TITLE_HEIGHT, 4, len(pixels), 16)
    offset = 14 + len(info) + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info + palette + bytes(pixels)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, data in (("tunewarden.ico", make_ico()), ("title.bmp", make_title_bmp())):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
