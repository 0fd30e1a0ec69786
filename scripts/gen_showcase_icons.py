#!/usr/bin/env python3
"""Draws the showcase's 16 x 16 file icons into one PNG strip (apps/showcase/file-icons.png).

Icons, left to right (image list index 1..8): PDF document, spreadsheet, text file, folder,
application, picture, word-processor document, plain document. Each is drawn here from a few
rectangles and lines; the transparent pixels have alpha 0.
"""
import struct
import zlib
from pathlib import Path

W = H = 16
COUNT = 8

OUTLINE = (112, 120, 133, 255)
PAGE = (255, 255, 255, 255)
FOLD = (214, 220, 229, 255)


def blank():
    return [[(0, 0, 0, 0)] * W for _ in range(H)]


def rect(img, x0, y0, x1, y1, color):
    """Fills x0..x1, y0..y1 inclusive."""
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            img[y][x] = color


def frame(img, x0, y0, x1, y1, color):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y1][x] = color
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = color


def page():
    """A sheet with its top-right corner folded over."""
    img = blank()
    rect(img, 3, 1, 12, 14, PAGE)
    frame(img, 2, 0, 13, 15, OUTLINE)
    # The corner: cut away above the diagonal, the turned-down flap below it.
    for y in range(4):
        for x in range(9, 14):
            if x > 9 + y:
                img[y][x] = (0, 0, 0, 0)
            elif x in (9, 9 + y):
                img[y][x] = OUTLINE
            else:
                img[y][x] = FOLD
    lines(img, OUTLINE, [4], 9, 13)
    return img


def lines(img, color, rows, x0=4, x1=11):
    for y in rows:
        for x in range(x0, x1 + 1):
            img[y][x] = color


def pdf():
    img = page()
    lines(img, (190, 196, 204, 255), [6, 8])
    rect(img, 3, 10, 12, 13, (204, 36, 36, 255))
    lines(img, (255, 255, 255, 255), [11], 5, 10)
    return img


def spreadsheet():
    img = page()
    green = (33, 128, 66, 255)
    rect(img, 4, 6, 11, 13, (226, 243, 231, 255))
    frame(img, 4, 6, 11, 13, green)
    for y in (8, 10, 12):
        lines(img, green, [y], 4, 11)
    for x in (7, 9):
        for y in range(6, 14):
            img[y][x] = green
    return img


def text_file():
    img = page()
    lines(img, (120, 128, 140, 255), [6, 8, 10, 12])
    lines(img, (255, 255, 255, 255), [12], 9, 11)
    return img


def folder():
    img = blank()
    dark = (196, 142, 24, 255)
    back = (240, 196, 72, 255)
    front = (252, 220, 110, 255)
    rect(img, 1, 3, 6, 4, back)
    frame(img, 1, 2, 6, 4, dark)
    rect(img, 1, 4, 14, 13, back)
    frame(img, 0, 4, 15, 14, dark)
    rect(img, 1, 7, 14, 13, front)
    lines(img, dark, [6], 1, 14)
    return img


def application():
    img = blank()
    blue = (36, 94, 200, 255)
    rect(img, 1, 2, 14, 13, (236, 240, 246, 255))
    frame(img, 0, 1, 15, 14, (70, 80, 96, 255))
    rect(img, 1, 2, 14, 4, blue)
    rect(img, 12, 3, 13, 3, (255, 255, 255, 255))
    rect(img, 3, 7, 6, 11, (110, 170, 240, 255))
    lines(img, (150, 158, 170, 255), [7, 9, 11], 8, 12)
    return img


def picture():
    img = blank()
    rect(img, 1, 2, 14, 13, (150, 200, 248, 255))
    frame(img, 0, 1, 15, 14, (70, 80, 96, 255))
    rect(img, 10, 4, 12, 6, (255, 214, 60, 255))  # the sun
    for x in range(1, 15):  # two hills
        top = 9 + abs(x - 5) // 2 if x < 9 else 8 + abs(x - 12) // 2
        rect(img, x, min(top, 13), x, 13, (72, 150, 60, 255))
    return img


def word_document():
    img = page()
    blue = (43, 87, 170, 255)
    rect(img, 3, 5, 8, 10, blue)
    white = (255, 255, 255, 255)
    for x, y in [(4, 6), (4, 7), (5, 8), (5, 9), (6, 7), (7, 8), (7, 9), (8, 6), (8, 7)]:  # a "W"
        img[y][x] = white
    lines(img, (120, 128, 140, 255), [12], 4, 11)
    lines(img, (120, 128, 140, 255), [6, 8, 10], 10, 11)
    return img


def plain_document():
    return page()


def write_png(path, pixels, width, height):
    raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *px) for px in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9))
    png += chunk(b"IEND", b"")
    Path(path).write_bytes(png)


def main():
    icons = [pdf(), spreadsheet(), text_file(), folder(), application(), picture(), word_document(),
             plain_document()]
    strip = [[px for icon in icons for px in icon[y]] for y in range(H)]
    out = Path(__file__).resolve().parent.parent / "apps" / "showcase" / "file-icons.png"
    write_png(out, strip, W * COUNT, H)
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
