#!/usr/bin/env python3
"""Finds controls in a screenshot for the end-to-end scripts.

Usage: locate.py checkboxes SCREENSHOT.ppm LEFT TOP RIGHT BOTTOM
       locate.py field SCREENSHOT.ppm LEFT TOP RIGHT BOTTOM

A grid's check boxes cannot be reached from the keyboard, and a text field has no shortcut, so
the scripts click them; where they are is read off the screen, inside the given rectangle (a
window's geometry), never guessed from fonts and dialog units.

checkboxes: an empty check box is a small square of the base colour (white) framed by a darker
  outline; a ticked one holds its mark and is not reported. Prints one line per grid row, top
  to bottom: the row's centre y, then the centre x of each empty box in it, left to right.
field: prints the centre "x y" of the first text field (a white rectangle at least 60 pixels
  wide and 12 to 40 high, text in it or not), scanning from the top.
"""
import sys


def read_ppm(path):
    with open(path, "rb") as handle:
        data = handle.read()
    fields = []
    index = 0
    while len(fields) < 4:
        while data[index:index + 1].isspace():
            index += 1
        start = index
        while not data[index:index + 1].isspace():
            index += 1
        fields.append(data[start:index])
    index += 1
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise SystemExit("locate: not an 8-bit P6 picture")
    return int(fields[1]), int(fields[2]), data[index:]


class Picture:
    def __init__(self, path, rect):
        self.width, self.height, self.pixels = read_ppm(path)
        left, top, right, bottom = rect
        self.left, self.top = max(0, left), max(0, top)
        self.right, self.bottom = min(self.width, right), min(self.height, bottom)

    def white(self, x, y):
        offset = (y * self.width + x) * 3
        return min(self.pixels[offset:offset + 3]) >= 250

    def white_runs(self, y, shortest, longest):
        """(start, end) of each run of white pixels on line y, end exclusive."""
        runs = []
        x = self.left
        while x < self.right:
            if self.white(x, y):
                start = x
                while x < self.right and self.white(x, y):
                    x += 1
                if shortest <= x - start <= longest:
                    runs.append((start, x))
            else:
                x += 1
        return runs

    def stacked_runs(self, shortest, longest):
        """Runs with the same ends on consecutive lines: (start, end, first line, last line)."""
        lines = {}
        for y in range(self.top, self.bottom):
            for run in self.white_runs(y, shortest, longest):
                lines.setdefault(run, []).append(y)
        blocks = []
        for (start, end), ys in lines.items():
            first = previous = ys[0]
            for y in ys[1:] + [None]:
                if y is not None and y == previous + 1:
                    previous = y
                    continue
                blocks.append((start, end, first, previous))
                if y is not None:
                    first = previous = y
        return blocks

    def framed(self, start, end, first, last):
        """True when the lines just above and below the block are not white."""
        if first - 1 < self.top or last + 1 >= self.bottom:
            return False
        middle = (start + end) // 2
        return not self.white(middle, first - 1) and not self.white(middle, last + 1)


def checkboxes(picture):
    boxes = []
    for start, end, first, last in picture.stacked_runs(8, 24):
        side = end - start
        tall = last - first + 1
        if tall >= 8 and abs(tall - side) <= 3 and picture.framed(start, end, first, last):
            boxes.append(((start + end - 1) // 2, (first + last) // 2))
    rows = []
    for x, y in sorted(boxes, key=lambda box: (box[1], box[0])):
        if rows and abs(rows[-1][0] - y) <= 4:
            rows[-1][1].append(x)
        else:
            rows.append((y, [x]))
    for y, xs in rows:
        print(y, *sorted(xs))


def field(picture):
    # Text inside the field breaks its lines, so the field is measured along its right margin,
    # which short text and the caret leave alone (the left one holds both).
    for y in range(picture.top, picture.bottom):
        for start, end in picture.white_runs(y, 60, 10000):
            margin = end - 3
            if y > picture.top and picture.white(margin, y - 1):
                continue
            last = y
            while last + 1 < picture.bottom and picture.white(margin, last + 1):
                last += 1
            if 12 <= last - y + 1 <= 40:
                print((start + end - 1) // 2, (y + last) // 2)
                return
    raise SystemExit("locate: no text field found")


def main():
    if len(sys.argv) != 7 or sys.argv[1] not in ("checkboxes", "field"):
        raise SystemExit(__doc__)
    picture = Picture(sys.argv[2], tuple(int(value) for value in sys.argv[3:7]))
    (checkboxes if sys.argv[1] == "checkboxes" else field)(picture)


if __name__ == "__main__":
    main()
