#!/usr/bin/env python3
"""Draws the pad page's pictures (simple flat shapes) into this folder.

Run from anywhere: python3 make_pictures.py. Needs nothing beyond the standard
library: every picture is a union of shapes given as distance functions,
sampled 4 x 4 per pixel and written as an RGBA PNG.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

ORANGE = (255, 161, 0)
WHITE = (255, 255, 255)
GREY = (110, 110, 110)
DARK = (40, 40, 40)
RED = (220, 40, 40)
GREEN = (60, 190, 80)
BLUE = (40, 120, 230)


def write_png(path, w, h, pixels):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw.extend(pixels[y * w + x])

    def chunk(tag, data):
        c = struct.pack('>I', len(data)) + tag + data
        return c + struct.pack('>I', zlib.crc32(tag + data) & 0xFFFFFFFF)

    png = b'\x89PNG\r\n\x1a\n'
    png += chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(bytes(raw), 9))
    png += chunk(b'IEND', b'')
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(png)


def render(path, w, h, layers):
    """layers: list of (inside(x, y) -> bool, colour or colour(x, y)), later on top."""
    pixels = []
    n = 4
    for py in range(h):
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / w
                    y = (py + (sy + 0.5) / n) / h
                    col = None
                    for inside, colour in layers:
                        if inside(x, y):
                            col = colour(x, y) if callable(colour) else colour
                    if col is not None:
                        acc[0] += col[0]
                        acc[1] += col[1]
                        acc[2] += col[2]
                        acc[3] += 255
            a = acc[3] / (n * n)
            if a > 0:
                k = n * n * (a / 255)
                pixels.append((int(acc[0] / k), int(acc[1] / k), int(acc[2] / k), int(a)))
            else:
                pixels.append((0, 0, 0, 0))
    write_png(os.path.join(HERE, path), w, h, pixels)


# ---- shapes (coordinates 0..1) ----

def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def ring(cx, cy, r0, r1, gap=None):
    def f(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r0 <= d <= r1):
            return False
        if gap:
            a = math.degrees(math.atan2(cy - y, x - cx)) % 360
            return not (gap[0] <= a <= gap[1])
        return True
    return f


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded(x0, y0, x1, y1, r):
    def f(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return f


def triangle(a, b, c):
    def side(p, q, x, y):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])

    def f(x, y):
        s1, s2, s3 = side(a, b, x, y), side(b, c, x, y), side(c, a, x, y)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)
    return f


def line(p, q, width):
    def f(x, y):
        dx, dy = q[0] - p[0], q[1] - p[1]
        t = max(0.0, min(1.0, ((x - p[0]) * dx + (y - p[1]) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - p[0] - t * dx, y - p[1] - t * dy) <= width / 2
    return f


def hue(x, y):
    a = (math.atan2(y - 0.5, x - 0.5) / (2 * math.pi)) % 1.0
    i = int(a * 6)
    f = a * 6 - i
    v = [(1, f, 0), (1 - f, 1, 0), (0, 1, f), (0, 1 - f, 1), (f, 0, 1), (1, 0, 1 - f)][i % 6]
    return tuple(int(255 * c) for c in v)


def main():
    S = 64
    bg = (circle(0.5, 0.5, 0.47), ORANGE)
    # preset bar
    render('rzm/RZ-7/xiazai.png', S, S, [bg, (rect(0.44, 0.2, 0.56, 0.55), WHITE),
                                          (triangle((0.28, 0.5), (0.72, 0.5), (0.5, 0.75)), WHITE),
                                          (rect(0.26, 0.78, 0.74, 0.84), WHITE)])
    render('rzm/RZ-7/baocun.png', S, S, [(rounded(0.12, 0.12, 0.88, 0.88, 0.08), ORANGE),
                                          (rect(0.28, 0.12, 0.68, 0.38), DARK),
                                          (rect(0.56, 0.16, 0.64, 0.34), ORANGE),
                                          (rounded(0.24, 0.52, 0.76, 0.82, 0.03), WHITE)])
    render('rzm/RZ-7/dakai.png', S, S, [(rounded(0.1, 0.22, 0.45, 0.4, 0.04), ORANGE),
                                         (rounded(0.1, 0.3, 0.9, 0.82, 0.05), ORANGE),
                                         (triangle((0.22, 0.45), (0.95, 0.45), (0.82, 0.82)), (255, 200, 90)),
                                         (triangle((0.22, 0.45), (0.1, 0.82), (0.82, 0.82)), (255, 200, 90))])
    render('rzm/RZ-7/lidu.png', S, S, [bg, (rect(0.25, 0.6, 0.35, 0.75), WHITE), (rect(0.42, 0.48, 0.52, 0.75), WHITE),
                                        (rect(0.59, 0.36, 0.69, 0.75), WHITE), (rect(0.76, 0.24, 0.8, 0.75), WHITE)])
    render('rzm/RZ-7/fuwei.png', S, S, [bg, (ring(0.5, 0.52, 0.2, 0.28, gap=(60, 110)), WHITE),
                                         (triangle((0.38, 0.12), (0.38, 0.38), (0.6, 0.25)), WHITE)])
    render('rzm/RZ-7/shengji.png', S, S, [bg, (rect(0.44, 0.42, 0.56, 0.78), WHITE),
                                           (triangle((0.26, 0.46), (0.74, 0.46), (0.5, 0.2)), WHITE)])
    # bank colour and knob
    render('rzm/color.png', S, S, [(ring(0.5, 0.5, 0.18, 0.46), hue), (circle(0.5, 0.5, 0.14), WHITE)])
    render('rzm/knob.png', 102, 102, [(circle(0.5, 0.5, 0.48), DARK), (ring(0.5, 0.5, 0.42, 0.48), GREY),
                                       (line((0.5, 0.1), (0.5, 0.26), 0.07), ORANGE)])
    # controller buttons (51 x 36 shown, drawn at twice the size)
    W, H = 102, 72
    key_bg = (rounded(0.04, 0.06, 0.96, 0.94, 0.12), DARK)
    # transport: play triangle, stop square, record dot
    render('rzm/stop2.png', W, H, [key_bg, (triangle((0.38, 0.28), (0.38, 0.72), (0.65, 0.5)), WHITE)])
    render('rzm/record2.png', W, H, [key_bg, (ellipse(0.5, 0.5, 0.2 * H / W, 0.2), RED)])
    render('rzm/previous2.png', W, H, [key_bg, (triangle((0.58, 0.3), (0.58, 0.7), (0.42, 0.5)), WHITE),
                                        (rect(0.37, 0.3, 0.41, 0.7), WHITE)])
    render('rzm/next2.png', W, H, [key_bg, (triangle((0.42, 0.3), (0.42, 0.7), (0.58, 0.5)), WHITE),
                                    (rect(0.59, 0.3, 0.63, 0.7), WHITE)])
    render('pshare/stop.png', W, H, [key_bg, (rect(0.36, 0.3, 0.64, 0.7), WHITE)])
    render('pshare/bt.png', W, H, [key_bg, (line((0.5, 0.22), (0.5, 0.78), 0.04), BLUE),
                                    (line((0.5, 0.22), (0.6, 0.36), 0.04), BLUE),
                                    (line((0.6, 0.36), (0.4, 0.62), 0.04), BLUE),
                                    (line((0.5, 0.78), (0.6, 0.64), 0.04), BLUE),
                                    (line((0.6, 0.64), (0.4, 0.38), 0.04), BLUE)])
    # small white glyphs of the style sheets
    render('pshare/add_white.png', 40, 40, [(rect(0.2, 0.44, 0.8, 0.56), WHITE), (rect(0.44, 0.2, 0.56, 0.8), WHITE)])
    render('pshare/minu_white.png', 40, 40, [(rect(0.2, 0.44, 0.8, 0.56), WHITE)])
    render('pshare/check_green.png', 60, 60, [(rounded(0.04, 0.04, 0.96, 0.96, 0.12), GREEN),
                                               (line((0.26, 0.52), (0.44, 0.7), 0.1), WHITE),
                                               (line((0.44, 0.7), (0.76, 0.32), 0.1), WHITE)])


if __name__ == '__main__':
    main()
