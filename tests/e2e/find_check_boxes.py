#!/usr/bin/env python3
"""Prints the centres of the check boxes drawn in a screenshot, one "x y" per line, sorted by
row then column. A check box is a square of 9 to 24 pixels whose four edges are drawn in one
colour darker than its inside. Usage: find_check_boxes.py SCREENSHOT [X Y W H]
Only boxes inside the optional rectangle are printed (screen coordinates either way).
"""
import subprocess
import sys


def load(path):
    data = subprocess.run(["convert", path, "ppm:-"], check=True, capture_output=True).stdout
    # P6 header: magic, width, height, maxval, each ended by white space.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos:pos + width * height * 3]


def main():
    width, height, pixels = load(sys.argv[1])
    x0, y0, w, h = (int(v) for v in sys.argv[2:6]) if len(sys.argv) >= 6 else (0, 0, width, height)
    x0, y0 = max(0, x0), max(0, y0)
    x1, y1 = min(width, x0 + w), min(height, y0 + h)

    def px(x, y):
        i = (y * width + x) * 3
        return pixels[i:i + 3]

    def brightness(c):
        return c[0] + c[1] + c[2]

    found = []
    for y in range(y0, y1):
        x = x0
        while x < x1:
            colour = px(x, y)
            run = 1
            while x + run < x1 and px(x + run, y) == colour:
                run += 1
            # The top edge without its corners: the run may be a side shorter or longer by 2.
            for side in (run, run + 1, run + 2):
                if 9 <= side <= 24 and brightness(colour) < 600:
                    left = x - (side - run) // 2 if side != run else x
                    if square_at(px, left, y, side, colour, x1, y1):
                        found.append((left + side // 2, y + side // 2))
                        break
            x += run
    boxes = []
    for bx, by in sorted(set(found), key=lambda p: (p[1], p[0])):
        if all(abs(bx - ox) > 4 or abs(by - oy) > 4 for ox, oy in boxes):
            boxes.append((bx, by))
    # Boxes of one grid row share their y within a pixel or two: sort rows, then columns.
    boxes.sort(key=lambda p: (round(p[1] / 6), p[0]))
    for bx, by in boxes:
        print(bx, by)


def square_at(px, left, top, side, colour, x1, y1):
    right, bottom = left + side - 1, top + side - 1
    if left < 0 or right >= x1 or bottom >= y1:
        return False
    inner = range(1, side - 1)
    edges = all(px(left + i, top) == colour and px(left + i, bottom) == colour and
                px(left, top + i) == colour and px(right, top + i) == colour for i in inner)
    if not edges:
        return False
    # Inside: lighter than the edge (an empty box, or one with a tick).
    middle = px(left + side // 2, top + 2)
    return sum(middle) > sum(colour)


if __name__ == "__main__":
    main()
