#!/usr/bin/env python3
"""Draws the keyboard page's own picture, Keybed.png: 25 keys from C to C
(15 white keys, 10 black keys) on a dark frame. Standard library only.

Run from anywhere: python3 make_pictures.py.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

W, H = 600, 110
FRAME = (30, 30, 30, 255)
WHITE = (245, 245, 240, 255)
EDGE = (150, 150, 150, 255)
BLACK = (20, 20, 20, 255)
SHINE = (70, 70, 70, 255)
ORANGE = (255, 161, 0, 255)


def write_png(path, w, h, pixels):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw.extend(pixels[y * w + x])

    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def keybed():
    px = [FRAME] * (W * H)

    def fill(x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(H, y1)):
            row = y * W
            for x in range(max(0, x0), min(W, x1)):
                px[row + x] = c

    fill(0, 0, W, 6, ORANGE)              # a thin accent strip along the top
    left, top, bottom = 6, 10, H - 6
    whites = 15
    kw = (W - 2 * left) / whites
    for i in range(whites):
        x0 = int(left + i * kw)
        x1 = int(left + (i + 1) * kw)
        fill(x0, top, x1, bottom, EDGE)
        fill(x0 + 1, top, x1 - 1, bottom - 1, WHITE)
    # Black keys sit after white keys 0, 1, 3, 4, 5 of each octave.
    for octave in range(2):
        for j in (0, 1, 3, 4, 5):
            i = octave * 7 + j
            cx = left + (i + 1) * kw
            bw = kw * 0.6
            x0, x1 = int(cx - bw / 2), int(cx + bw / 2)
            y1 = top + int((bottom - top) * 0.62)
            fill(x0, top, x1, y1, BLACK)
            fill(x0 + 3, y1 - 8, x1 - 3, y1 - 4, SHINE)
    return px


if __name__ == '__main__':
    write_png(os.path.join(HERE, 'Keybed.png'), W, H, keybed())
