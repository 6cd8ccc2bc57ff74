#!/usr/bin/env python3
"""Draws Quillora's pointing-hand cursor and writes it as HAND-M.CUR (32x32, 32-bit colour, hot spot on the
fingertip) in the Windows cursor format that Qt's ico image plugin reads.

The hand is built from rounded rectangles: the raised index finger, three folded fingers, the palm and the thumb.
Pixels on the edge of the shape are drawn black, the inside white, and short black lines separate the fingers.

Usage: make_hand_cursor.py [output path]   (default: resources/HAND-M.CUR beside this folder)
"""
import os
import struct
import sys

SIZE = 32
HOT_SPOT = (11, 1)

# (left, top, right, bottom, corner radius), edges included.
PARTS = [
    (9, 1, 13, 17, 2),    # index finger, raised
    (14, 9, 17, 18, 2),   # middle finger, folded
    (18, 10, 21, 18, 2),  # ring finger, folded
    (22, 12, 25, 19, 2),  # little finger, folded
    (9, 16, 25, 27, 3),   # palm
    (11, 25, 23, 30, 1),  # wrist
    (3, 14, 9, 18, 2),    # thumb, pointing left
    (5, 16, 11, 22, 2),   # base of the thumb
]

# Black pixels inside the shape that separate the fingers.
CREASES = (
    [(14, y) for y in range(9, 16)]      # between index and middle finger
    + [(18, y) for y in range(10, 16)]   # between middle and ring finger
    + [(22, y) for y in range(12, 17)]   # between ring and little finger
    + [(9, 17), (10, 18), (11, 19)]      # the thumb against the palm
)


def inside_part(x, y, part):
    left, top, right, bottom, radius = part
    if not (left <= x <= right and top <= y <= bottom):
        return False
    # Round the corners: a point in a corner square must lie within the corner's circle.
    cx = left + radius if x < left + radius else right - radius if x > right - radius else x
    cy = top + radius if y < top + radius else bottom - radius if y > bottom - radius else y
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius + radius


def draw():
    shape = [[any(inside_part(x, y, p) for p in PARTS) for x in range(SIZE)] for y in range(SIZE)]

    def filled(x, y):
        return 0 <= x < SIZE and 0 <= y < SIZE and shape[y][x]

    # 0 transparent, 1 black, 2 white
    pixels = [[0] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            if not shape[y][x]:
                continue
            edge = not all(filled(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            pixels[y][x] = 1 if edge else 2
    for x, y in CREASES:
        if shape[y][x]:
            pixels[y][x] = 1
    return pixels


def cursor_bytes(pixels):
    colours = {0: (0, 0, 0, 0), 1: (0, 0, 0, 255), 2: (255, 255, 255, 255)}
    # The image rows are stored bottom-up, as in every device-independent bitmap.
    colour_rows = b"".join(
        b"".join(struct.pack("<BBBB", *colours[p]) for p in row) for row in reversed(pixels))
    mask_rows = b""
    for row in reversed(pixels):
        bits = 0
        for x, p in enumerate(row):
            if p == 0:
                bits |= 1 << (31 - x)  # a set mask bit leaves the screen showing through
        mask_rows += struct.pack(">I", bits)
    # The bitmap header counts the colour image and the mask together, so its height is doubled.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour_rows) + len(mask_rows), 0, 0, 0, 0)
    image = header + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "HAND-M.CUR")
    pixels = draw()
    assert pixels[HOT_SPOT[1]][HOT_SPOT[0]] != 0, "the hot spot must lie on the hand"
    with open(target, "wb") as out:
        out.write(cursor_bytes(pixels))
    for row in pixels:
        print("".join(".XO"[p] for p in row))


if __name__ == "__main__":
    main()
