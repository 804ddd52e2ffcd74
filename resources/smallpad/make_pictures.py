#!/usr/bin/env python3
"""Draws the small pad page's own pictures into this folder, with the shape
helpers of the pad page's picture script.

Run from anywhere: python3 make_pictures.py.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', 'pad'))

from make_pictures import rect, render, rounded, triangle  # noqa: E402

PAPER = (200, 240, 190)
FOLD = (150, 200, 140)
INK = (30, 90, 40)

# "BIN" in a 5 x 7 dot font, one string per row.
LETTERS = {
    'B': ['1111.', '1...1', '1...1', '1111.', '1...1', '1...1', '1111.'],
    'I': ['111', '.1.', '.1.', '.1.', '.1.', '.1.', '111'],
    'N': ['1...1', '11..1', '1.1.1', '1..11', '1...1', '1...1', '1...1'],
}


def word_cells(word, x0, y0, cell):
    cells = []
    x = x0
    for ch in word:
        rows = LETTERS[ch]
        for r, row in enumerate(rows):
            for c, dot in enumerate(row):
                if dot == '1':
                    cells.append(rect(x + c * cell, y0 + r * cell, x + (c + 1) * cell, y0 + (r + 1) * cell))
        x += (len(rows[0]) + 1) * cell
    return cells


def main():
    size = 64
    u = 1.0 / size  # the shapes take coordinates 0..1
    page = rounded(10 * u, 4 * u, 54 * u, 60 * u, 3 * u)
    corner = triangle((40 * u, 4 * u), (54 * u, 18 * u), (40 * u, 18 * u))
    letters = word_cells('BIN', 12 * u, 30 * u, 2.5 * u)
    layers = [(page, PAPER), (corner, FOLD)] + [(cell, INK) for cell in letters]
    render(os.path.join(HERE, 'prefix1', 'erjinzhi.png'), size, size, layers)


if __name__ == '__main__':
    main()
