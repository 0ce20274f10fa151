#!/usr/bin/env python3
"""Draws the two programs' icons, as SVG and as PNG at the sizes desktops ask for:
    dist/icons/hicolor/scalable/apps/<id>.svg
    dist/icons/hicolor/<n>x<n>/apps/<id>.png
    python3 tools/icongen/icongen.py [dist folder]
Tarvel's is an aircraft over a banked horizon and a runway; Gridwright's a
scenery map of elevation tints with a runway on it. Every shape is a polygon
in a 256-unit square, filled with one colour or a vertical gradient and
clipped to the rounded square behind it; the PNGs are filled at four samples
a pixel each way and averaged. Needs nothing beyond the standard library."""
import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64, 128, 256)
SS = 4  # samples per pixel, each way


# ---------------------------------------------------------------- shapes
def rounded_square(x0, y0, x1, y1, r, steps=12):
    pts = []
    for cx, cy, a0 in ((x1 - r, y0 + r, -90), (x1 - r, y1 - r, 0), (x0 + r, y1 - r, 90), (x0 + r, y0 + r, 180)):
        for k in range(steps + 1):
            a = math.radians(a0 + 90.0 * k / steps)
            pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def transformed(pts, angle_deg=0.0, scale=1.0, dx=0.0, dy=0.0, cx=128.0, cy=128.0):
    a = math.radians(angle_deg)
    c, s = math.cos(a), math.sin(a)
    out = []
    for x, y in pts:
        x, y = (x - cx) * scale, (y - cy) * scale
        out.append((cx + dx + x * c - y * s, cy + dy + x * s + y * c))
    return out


def mirrored(half):
    """A shape symmetric about x = 128 from its right half, nose first."""
    return half + [(256 - x, y) for x, y in reversed(half)]


def hex_rgb(h):
    return tuple(int(h[i:i + 2], 16) for i in (1, 3, 5))


# ---------------------------------------------------------------- the icons
def tarvel():
    frame = rounded_square(8, 8, 248, 248, 46)
    bank = -14  # degrees: the horizon tilts as seen from a banked aircraft
    ground = transformed([(-100, 150), (356, 150), (356, 420), (-100, 420)], bank)
    runway = transformed([(112, 158), (144, 158), (190, 300), (66, 300)], bank)
    stripes = []
    for k in range(4):
        y0 = 170 + k * 30
        w0, w1 = 1.6 + 0.6 * k, 2.2 + 0.6 * k
        stripes.append(transformed([(128 - w0, y0), (128 + w0, y0), (128 + w1, y0 + 14), (128 - w1, y0 + 14)], bank))
    # The aircraft seen from above, nose up: fuselage, wings, tailplane.
    plane_half = [(128, 28), (134, 40), (136, 86), (206, 112), (208, 126), (136, 120), (133, 170), (160, 184),
                  (160, 194), (131, 192), (128, 204)]
    plane = transformed(mirrored(plane_half), 32, 0.82, 6, -6)
    shadow = transformed(mirrored(plane_half), 32, 0.82, 14, 6)
    return [
        (frame, ("grad", "#163f7a", "#86b9e6"), False),
        (ground, ("grad", "#4f8f3e", "#2c5a25"), True),
        (runway, "#3b3f45", True),
    ] + [(s, "#f2f2f2", True) for s in stripes] + [
        (shadow, "#1a2b3f", True),
        (plane, "#fbfbf8", True),
    ]


def gridwright():
    frame = rounded_square(8, 8, 248, 248, 46)
    tints = [["#2f6fa8", "#3f8f4a", "#6aa84f", "#a8b86a"],
             ["#3f8f4a", "#6aa84f", "#c2b280", "#a0805a"],
             ["#6aa84f", "#c2b280", "#a0805a", "#e8e4dc"],
             ["#2f6fa8", "#3f8f4a", "#c2b280", "#a0805a"]]
    shapes = [(frame, "#20252b", False)]
    cell = 240 / 4
    for j in range(4):
        for i in range(4):
            x0, y0 = 8 + i * cell + 2, 8 + j * cell + 2
            shapes.append(([(x0, y0), (x0 + cell - 4, y0), (x0 + cell - 4, y0 + cell - 4), (x0, y0 + cell - 4)],
                           tints[j][i], True))
    runway = transformed([(116, 40), (140, 40), (140, 216), (116, 216)], 35)
    shapes.append((runway, "#3b3f45", True))
    for k in range(5):
        y0 = 56 + k * 32
        shapes.append((transformed([(126.5, y0), (129.5, y0), (129.5, y0 + 16), (126.5, y0 + 16)], 35), "#f2f2f2", True))
    # A marker pin where the editor's pointer would be.
    pin = [(184, 150), (200, 170), (200, 180), (184, 204), (168, 180), (168, 170)]
    shapes.append((transformed(pin, 0, 1, 6, 6), "#1a1a1a", True))
    shapes.append((pin, "#e8453c", True))
    return shapes


ICONS = {"org.tarvel.Tarvel": tarvel, "org.tarvel.Gridwright": gridwright}


# ---------------------------------------------------------------- filling
def crossings(poly, y):
    xs = []
    n = len(poly)
    for k in range(n):
        (x0, y0), (x1, y1) = poly[k], poly[(k + 1) % n]
        if (y0 <= y < y1) or (y1 <= y < y0):
            xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
    xs.sort()
    return xs


def colour_at(fill, t):
    if isinstance(fill, tuple):
        a, b = hex_rgb(fill[1]), hex_rgb(fill[2])
        return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3)) + (255,)
    return hex_rgb(fill) + (255,)


def render(shapes, size):
    n = size * SS
    scale = n / 256.0
    rows = [[(0, 0, 0, 0)] * n for _ in range(n)]
    frame = shapes[0][0]
    for y in range(n):
        yc = (y + 0.5) / scale
        clip = crossings(frame, yc)
        clip = (clip[0], clip[-1]) if len(clip) >= 2 else None
        row = rows[y]
        for poly, fill, clipped in shapes:
            if clipped and clip is None:
                continue
            xs = crossings(poly, yc)
            ys = [p[1] for p in poly]
            colour = colour_at(fill, (yc - min(ys)) / max(1e-6, max(ys) - min(ys)))
            for k in range(0, len(xs) - 1, 2):
                a, b = xs[k], xs[k + 1]
                if clipped:
                    a, b = max(a, clip[0]), min(b, clip[1])
                i0 = max(0, math.ceil(a * scale - 0.5))
                i1 = min(n, math.ceil(b * scale - 0.5))
                if i1 > i0:
                    row[i0:i1] = [colour] * (i1 - i0)
    out = []
    for y in range(size):
        line = bytearray()
        for x in range(size):
            r = g = b = a = 0
            for sy in range(SS):
                row = rows[y * SS + sy]
                for sx in range(SS):
                    pr, pg, pb, pa = row[x * SS + sx]
                    r += pr * pa
                    g += pg * pa
                    b += pb * pa
                    a += pa
            if a:
                line += bytes((round(r / a), round(g / a), round(b / a), round(a / (SS * SS))))
            else:
                line += bytes(4)
        out.append(bytes(line))
    return out


def png(rows, size):
    raw = b"".join(b"\x00" + r for r in rows)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg(shapes):
    defs, body = [], []
    clip = " ".join("%.2f,%.2f" % p for p in shapes[0][0])
    defs.append('<clipPath id="frame"><polygon points="%s"/></clipPath>' % clip)
    for k, (poly, fill, clipped) in enumerate(shapes):
        if isinstance(fill, tuple):
            ys = [p[1] for p in poly]
            defs.append('<linearGradient id="g%d" gradientUnits="userSpaceOnUse" x1="0" y1="%.2f" x2="0" y2="%.2f">'
                        '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
                        % (k, min(ys), max(ys), fill[1], fill[2]))
            paint = "url(#g%d)" % k
        else:
            paint = fill
        body.append('<polygon points="%s" fill="%s"%s/>' % (" ".join("%.2f,%.2f" % p for p in poly), paint,
                                                             ' clip-path="url(#frame)"' if clipped else ""))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">\n'
            '<defs>%s</defs>\n%s\n</svg>\n' % ("".join(defs), "\n".join(body)))


def main():
    dist = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "dist")
    for name, draw in ICONS.items():
        shapes = draw()
        d = os.path.join(dist, "icons", "hicolor", "scalable", "apps")
        os.makedirs(d, exist_ok=True)
        with open(os.path.join(d, name + ".svg"), "w") as f:
            f.write(svg(shapes))
        for size in SIZES:
            d = os.path.join(dist, "icons", "hicolor", "%dx%d" % (size, size), "apps")
            os.makedirs(d, exist_ok=True)
            with open(os.path.join(d, name + ".png"), "wb") as f:
                f.write(png(render(shapes, size), size))
            print("wrote", os.path.join(d, name + ".png"))


if __name__ == "__main__":
    main()
