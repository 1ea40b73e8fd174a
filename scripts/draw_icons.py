#!/usr/bin/env python3
"""Draws the program's twelve 16 x 16 RGBA icons as PNG files.

Each icon is a grid of characters, one per pixel; '.' is transparent and every other character
names an opaque colour. Layers are drawn in order, later ones over earlier ones. The PNGs are
written with zlib from the standard library, so the output is the same on every machine.

Usage: scripts/draw_icons.py [output directory]   (default: src/resources/icons)
       scripts/draw_icons.py --sheet FILE          (an 8x contact sheet of all icons, for review)
"""

import os
import struct
import sys
import zlib

SIZE = 16

COLOURS = {
    "k": (40, 40, 40),  # outline
    "w": (255, 255, 255),  # paper, highlights
    "g": (190, 190, 196),  # light grey: text lines, form body
    "s": (170, 174, 184),  # metal
    "G": (52, 176, 52),  # green
    "D": (20, 110, 24),  # dark green outline
    "r": (226, 48, 40),  # red
    "R": (140, 20, 16),  # dark red outline
    "C": (0, 0, 0),  # disk body, replaced per disk
    "p": (138, 70, 186),  # purple
    "P": (84, 34, 126),  # dark purple
    "q": (214, 190, 236),  # light purple label
    "y": (246, 206, 72),  # yellow
    "Y": (196, 142, 34),  # dark yellow
    "n": (156, 96, 46),  # wood
    "N": (110, 64, 28),  # dark wood
    "b": (66, 128, 222),  # blue
    "B": (26, 66, 150),  # dark blue outline
    "e": (236, 120, 150),  # eraser
    "t": (232, 196, 150),  # bare wood of a pencil tip
}

PAGE = [
    "..kkkkkkkkk.....",
    "..kwwwwwwwkk....",
    "..kwwwwwwwkgk...",
    "..kwwwwwwwkggk..",
    "..kwwwwwwwkkkkk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kwwwwwwwwwwwk.",
    "..kkkkkkkkkkkkk.",
]

OPEN_FOLDER = [
    ".........DD.....",
    "........DGGD....",
    ".......DGGGGD...",
    "......DGGGGGGD..",
    "......DDDGGDDD..",
    ".kkkk...DGGD....",
    "kYYYYk..DGGD....",
    "kYYYYYkkDGGDk...",
    "kYYYYYYYDGGDk...",
    "kYYkkkkkkkkkkkkk",
    "kYkyyyyyyyyyyyk.",
    "kYkyyyyyyyyyyyk.",
    "kkyyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..",
    "kkkkkkkkkkkkk...",
    "................",
]

FLOPPY = [
    "kkkkkkkkkkkkkkk.",
    "kCCCssssssssCCCk",
    "kCCCsskkssssCCCk",
    "kCCCsskkssssCCCk",
    "kCCCsskkssssCCCk",
    "kCCCssssssssCCCk",
    "kCCCCCCCCCCCCCCk",
    "kCCCCCCCCCCCCCCk",
    "kCCwwwwwwwwwwCCk",
    "kCCwggggggggwCCk",
    "kCCwwwwwwwwwwCCk",
    "kCCwggggggggwCCk",
    "kCCwwwwwwwwwwCCk",
    "kCCwwwwwwwwwwCCk",
    "kCCwwwwwwwwwwCCk",
    "kkkkkkkkkkkkkkkk",
]

PLUS = [
    "................",
    ".....DDDDDD.....",
    ".....DGGGGD.....",
    ".....DGGGGD.....",
    ".....DGGGGD.....",
    ".DDDDDGGGGDDDDD.",
    ".DGGGGGGGGGGGGD.",
    ".DGGGGGGGGGGGGD.",
    ".DGGGGGGGGGGGGD.",
    ".DGGGGGGGGGGGGD.",
    ".DDDDDGGGGDDDDD.",
    ".....DGGGGD.....",
    ".....DGGGGD.....",
    ".....DGGGGD.....",
    ".....DDDDDD.....",
    "................",
]

MINUS = [
    "................",
    "................",
    "................",
    "................",
    "................",
    ".RRRRRRRRRRRRRR.",
    ".RrrrrrrrrrrrrR.",
    ".RrrrrrrrrrrrrR.",
    ".RrrrrrrrrrrrrR.",
    ".RrrrrrrrrrrrrR.",
    ".RRRRRRRRRRRRRR.",
    "................",
    "................",
    "................",
    "................",
    "................",
]

CIRCLE_UP = [
    ".....DDDDDD.....",
    "...DDGGGGGGDD...",
    "..DGGGGwwGGGGD..",
    ".DGGGGwwwwGGGGD.",
    ".DGGGwwwwwwGGGD.",
    "DGGGwwwwwwwwGGGD",
    "DGGGGGGwwGGGGGGD",
    "DGGGGGGwwGGGGGGD",
    "DGGGGGGwwGGGGGGD",
    "DGGGGGGwwGGGGGGD",
    "DGGGGGGwwGGGGGGD",
    ".DGGGGGwwGGGGGD.",
    ".DGGGGGwwGGGGGD.",
    "..DGGGGGGGGGGD..",
    "...DDGGGGGGDD...",
    ".....DDDDDD.....",
]

TEXT_PAGE = [
    "kkkkkkkkk.......",
    "kwwwwwwwkk......",
    "kwggggwwkgk.....",
    "kwwwwwwwkkkk....",
    "kwggggggggwk....",
    "kwwwwwwwwwwk....",
    "kwggggggggwk....",
    "kwwwwwwwwwwk....",
    "kwggggggggwk....",
    "kwwwwwwwwwwk....",
    "kwgggggwwwwk....",
    "kwwwwwwwwwwk....",
    "kwggggggggwk....",
    "kwwwwwwwwwwk....",
    "kwwwwwwwwwwk....",
    "kkkkkkkkkkkk....",
]

RIGHT_ARROW = [
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "................",
    "..........R.....",
    "..........RR....",
    ".....RRRRRRrR...",
    ".....RrrrrrrrR..",
    ".....RrrrrrrrrR.",
    ".....RrrrrrrrR..",
    ".....RRRRRRrR...",
    "..........RR....",
    "..........R.....",
]

DOOR = [
    "...kkkkkkkkkk...",
    "...knnnnnnnnk...",
    "...knkkkkkknk...",
    "...knkbbbbknk...",
    "...knkbbybknk...",
    "...knkGGbbknk...",
    "...knkGGGGknk...",
    "...knkkkkkknk...",
    "...knnnnnnnnk...",
    "...knnnnnnyyk...",
    "...knnnnnnyyk...",
    "...knnnnnnnnk...",
    "...knNNNNNNnk...",
    "...knNnnnnNnk...",
    "...knNNNNNNnk...",
    "..kkkkkkkkkkkk..",
]

FORM = [
    "................",
    "kkkkkkkkkkkkk...",
    "kbbbbbbbbbwbk...",
    "kkkkkkkkkkkkk...",
    "kgggggggggggk...",
    "kgkkkkkkkkggk...",
    "kgkwwwwwwkggk...",
    "kgkkkkkkkkggk...",
    "kgggggggggggk...",
    "kgkkkkkkkkggk...",
    "kgkwwwwwwkggk...",
    "kgkkkkkkkkggk...",
    "kgggggggggggk...",
    "kkkkkkkkkkkkk...",
    "................",
    "................",
]

PENCIL = [
    "................",
    "................",
    "..............ee",
    ".............eee",
    "............sss.",
    "...........kyY..",
    "..........kyY...",
    ".........kyY....",
    "........kyY.....",
    ".......kyY......",
    "......kyY.......",
    ".....ttt........",
    "....tt..........",
    "...kk...........",
    "................",
    "................",
]

BUBBLE = [
    "................",
    "...BBBBBBBBBB...",
    "..BbbbbbbbbbbB..",
    ".BbbbbbwwbbbbbB.",
    ".BbbbbbwwbbbbbB.",
    ".BbbbbbbbbbbbbB.",
    ".BbbbbwwwbbbbbB.",
    ".BbbbbbwwbbbbbB.",
    ".BbbbbbwwbbbbbB.",
    ".BbbbbbwwbbbbbB.",
    ".BbbbbwwwwbbbbB.",
    "..BbbbbbbbbbbB..",
    "...BBBBbbBBBB...",
    "......BbB.......",
    ".....BbB........",
    ".....BB.........",
]

BOOK = [
    "................",
    "..kkkkkkkkkkkk..",
    "..kPPppppppppk..",
    "..kPPppppppppk..",
    "..kPPpqqqqqppk..",
    "..kPPpqkkkqppk..",
    "..kPPpqqqqqppk..",
    "..kPPppppppppk..",
    "..kPPppppppppk..",
    "..kPPppppppppk..",
    "..kPPppppppppk..",
    "..kPPppppppppk..",
    "..kPkkkkkkkkkk..",
    "..kPwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
]

PURPLE_DISK = {"C": COLOURS["p"]}
GREEN_DISK = {"C": COLOURS["G"]}

# Icon number -> (layers, colour overrides).
ICONS = [
    ([PAGE], {}),  # 0 blank page
    ([OPEN_FOLDER], {}),  # 1 opened folder with a green arrow
    ([FLOPPY], PURPLE_DISK),  # 2 purple floppy disk
    ([FLOPPY], GREEN_DISK),  # 3 green floppy disk
    ([PLUS], {}),  # 4 green plus
    ([MINUS], {}),  # 5 red minus
    ([CIRCLE_UP], {}),  # 6 green circle with an upward arrow
    ([TEXT_PAGE, RIGHT_ARROW], {}),  # 7 page with a red arrow
    ([DOOR], {}),  # 8 door with a picture
    ([FORM, PENCIL], {}),  # 9 form with a pencil
    ([BUBBLE], {}),  # 10 speech bubble with an "i"
    ([BOOK], {}),  # 11 purple book
]


def render(layers, overrides):
    """Returns SIZE rows of SIZE (r, g, b, a) tuples."""
    colours = dict(COLOURS, **overrides)
    pixels = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    for layer in layers:
        assert len(layer) == SIZE, "layer needs %d rows" % SIZE
        for y, row in enumerate(layer):
            assert len(row) == SIZE, "row %d is %r" % (y, row)
            for x, ch in enumerate(row):
                if ch != ".":
                    pixels[y][x] = colours[ch] + (255,)
    return pixels


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def encode_png(pixels):
    width, height = len(pixels[0]), len(pixels)
    raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in pixels)
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA, not interlaced
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


def contact_sheet(images, scale=8, gap=8):
    """All icons side by side, scaled up, on a mid-grey background."""
    cell = SIZE * scale + gap
    rows = [[(128, 128, 128, 255)] * (gap + cell * len(images)) for _ in range(cell + gap)]
    for i, pixels in enumerate(images):
        for y in range(SIZE * scale):
            for x in range(SIZE * scale):
                r, g, b, a = pixels[y // scale][x // scale]
                if a:
                    rows[gap + y][gap + i * cell + x] = (r, g, b, 255)
    return rows


def main(argv):
    images = [render(layers, overrides) for layers, overrides in ICONS]
    if len(argv) == 3 and argv[1] == "--sheet":
        with open(argv[2], "wb") as out:
            out.write(encode_png(contact_sheet(images)))
        return 0
    here = os.path.dirname(os.path.abspath(__file__))
    directory = argv[1] if len(argv) > 1 else os.path.join(here, "..", "src", "resources", "icons")
    for i, pixels in enumerate(images):
        with open(os.path.join(directory, "icon%02d.png" % i), "wb") as out:
            out.write(encode_png(pixels))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
