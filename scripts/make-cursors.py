#!/usr/bin/env python3
"""Draws the library's cursor images (32x32, two colours, hot spot in the centre) and
writes them as .cur files into src/dll/cursors/, where the DLL's resource script takes
them from. Run it again after changing a shape; the files are kept in the repository.

  104 scroll.cur             movement-to-scroll active: arrows in all four directions
  105 lock_x.cur             X axis held: the pointer moves up and down only
  106 lock_y.cur             Y axis held: the pointer moves left and right only
  107 lock_xy.cur            both axes held: a ring around the fixed point
  108 scroll_horizontal.cur  movement-to-scroll locked to horizontal scrolling
  109 scroll_vertical.cur    movement-to-scroll locked to vertical scrolling
"""

import os
import struct

SIZE = 32
CENTRE = 16


def vertical_arrow():
    pixels = set()
    for y in range(6, 27):
        pixels |= {(15, y), (16, y)}
    for step in range(6):
        for x in range(15 - step, 17 + step):
            pixels.add((x, 4 + step))
            pixels.add((x, 27 - step))
    return pixels


def transpose(pixels):
    return {(y, x) for (x, y) in pixels}


def ring(radius_out, radius_in):
    pixels = set()
    for y in range(SIZE):
        for x in range(SIZE):
            d = (x - CENTRE + 0.5) ** 2 + (y - CENTRE + 0.5) ** 2
            if radius_in ** 2 <= d <= radius_out ** 2:
                pixels.add((x, y))
    return pixels


def dot():
    return ring(3.5, 0)


SHAPES = {
    "scroll.cur": vertical_arrow() | transpose(vertical_arrow()) | dot(),
    "lock_x.cur": vertical_arrow(),
    "lock_y.cur": transpose(vertical_arrow()),
    "lock_xy.cur": ring(9, 6) | dot(),
    "scroll_horizontal.cur": transpose(vertical_arrow()) | dot(),
    "scroll_vertical.cur": vertical_arrow() | dot(),
}


def outline(black):
    white = set()
    for (x, y) in black:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in black and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    white.add(p)
    return white


def rows(bits):
    """Bottom-up rows of 32 one-bit pixels, most significant bit first."""
    data = b""
    for y in reversed(range(SIZE)):
        value = 0
        for x in range(SIZE):
            if bits(x, y):
                value |= 1 << (31 - x)
        data += struct.pack(">I", value)
    return data


def cursor(black):
    white = outline(black)
    shown = black | white
    xor = rows(lambda x, y: (x, y) in white)
    mask = rows(lambda x, y: (x, y) not in shown)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(mask),
                         0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, CENTRE, CENTRE, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "dll",
                          "cursors")
    os.makedirs(folder, exist_ok=True)
    for name, black in SHAPES.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(cursor(black))


if __name__ == "__main__":
    main()
