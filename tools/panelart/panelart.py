#!/usr/bin/python3
"""Draws the instrument panel's pictures and writes them as 8-bit PNG files
whose pixel values are palette indices of the simulator:
    data/panel/<ID>.png
    /usr/bin/python3 tools/panelart/panelart.py [data folder]
Every picture is drawn anti-aliased with cairo, then each pixel is mapped to
the nearest of the interface colours 11-52 (the ones the time of day dims), so
the files carry no colour of their own beyond the index. Running it again
writes the same files. See README.md for what each picture is.
"""
import math
import os
import struct
import sys
import zlib

import cairo

# ---------------------------------------------------------------- palette
# The fixed interface colours of the simulator (index: r, g, b as fractions).
PAL = {
    11: (0, 0, 0), 12: (0.2, 0.8, 0.2), 13: (0, 0.6667, 0), 14: (0, 0.3333, 0), 15: (0, 0.2667, 0),
    16: (0, 0.1333, 0), 17: (1, 1, 0), 18: (1, 0, 0), 19: (0.9333, 0, 0), 20: (0.7333, 0, 0),
    21: (0.5333, 0, 0), 34: (0.047, 0.0633, 0.035), 35: (0.2667, 0, 0), 36: (1, 0.2, 0.2),
    37: (1, 1, 0.6), 38: (0.8, 0.8, 0), 39: (0.11, 0.22, 0.55), 40: (0.08, 0.16, 0.4),
    41: (0.66, 0.44, 0.22), 42: (0.48, 0.32, 0.16), 43: (0.2, 0.6, 0.8), 44: (0.4, 0.4, 0.8),
    45: (0, 0, 0.4), 46: (0.2, 0.2, 0.4), 47: (0.2, 0.4, 0.8), 48: (1, 0.8, 0.2), 49: (0.2, 0.2, 0.6),
    50: (0.2, 0.2, 0.8), 51: (0.4, 0.2, 0.8), 52: (0, 0, 0.3333),
}
for _i, _g in enumerate((0.0667, 0.1333, 0.2, 0.2667, 0.3333, 0.4, 0.4667, 0.5333, 0.6, 0.7333, 0.8667, 1)):
    PAL[22 + _i] = (_g, _g, _g)

# Indices a picture may use: black, the grey ramp, and the colours the panel
# needs for arcs, lamps and knobs. Indices from 53 up are not dimmed at night.
ALLOWED = [11] + list(range(22, 34)) + [12, 13, 14, 15, 16, 17, 38, 18, 19, 20, 21, 35, 36, 37,
                                        39, 40, 41, 42, 43, 47, 48, 45, 52]


def rgb(i):
    return PAL[i]


BLACK, PANEL, PANEL_LT, PANEL_DK = rgb(11), rgb(23), rgb(25), rgb(22)
WHITE, LGREY, MGREY, DGREY = rgb(33), rgb(31), rgb(28), rgb(25)
GREEN, YELLOW, RED, AMBER, BLUE = rgb(12), rgb(17), rgb(18), rgb(48), rgb(47)

# ---------------------------------------------------------------- writing


def png_bytes(w, h, rows):
    """An 8-bit indexed PNG: palette entry i is the simulator's colour i."""
    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    plte = bytearray()
    for i in range(256):
        r, g, b = PAL.get(i, (0, 0, 0))
        plte += bytes((round(r * 255), round(g * 255), round(b * 255)))
    raw = b"".join(b"\x00" + bytes(r) for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 3, 0, 0, 0)) +
            chunk(b"PLTE", bytes(plte)) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


_nearest_cache = {}


def nearest(r8, g8, b8):
    key = (r8 << 16) | (g8 << 8) | b8
    hit = _nearest_cache.get(key)
    if hit is not None:
        return hit
    best, bd = 11, 1e9
    for i in ALLOWED:
        pr, pg, pb = PAL[i]
        d = 2 * (r8 - pr * 255) ** 2 + 4 * (g8 - pg * 255) ** 2 + 3 * (b8 - pb * 255) ** 2
        if d < bd:
            best, bd = i, d
    _nearest_cache[key] = best
    return best


def quantize(surface):
    surface.flush()
    w, h, stride = surface.get_width(), surface.get_height(), surface.get_stride()
    data = surface.get_data()
    rows = []
    for y in range(h):
        base = y * stride
        row = bytearray(w)
        for x in range(w):
            p = base + 4 * x
            row[x] = nearest(data[p + 2], data[p + 1], data[p])  # BGRX in memory
        rows.append(row)
    return rows


PICTURES = []


def picture(ident, w, h):
    def wrap(fn):
        PICTURES.append((ident, w, h, fn))
        return fn
    return wrap


# ---------------------------------------------------------------- drawing helpers


def fill(ctx, colour, x, y, w, h):
    ctx.set_source_rgb(*colour)
    ctx.rectangle(x, y, w, h)
    ctx.fill()


def rect_line(ctx, colour, x, y, w, h, width=1.0):
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.rectangle(x + 0.5, y + 0.5, w - 1, h - 1)
    ctx.stroke()


def recess(ctx, x, y, w, h, inside=BLACK):
    """A window cut into the panel: dark upper-left edge, light lower-right."""
    fill(ctx, rgb(22), x - 1, y - 1, w + 2, h + 2)
    fill(ctx, rgb(26), x, y + h, w + 1, 1)
    fill(ctx, rgb(26), x + w, y, 1, h + 1)
    fill(ctx, inside, x, y, w, h)


def raised(ctx, x, y, w, h, face=rgb(25)):
    """A plate standing out of the panel."""
    fill(ctx, face, x, y, w, h)
    fill(ctx, rgb(28), x, y, w, 1)
    fill(ctx, rgb(28), x, y, 1, h)
    fill(ctx, rgb(22), x, y + h - 1, w, 1)
    fill(ctx, rgb(22), x + w - 1, y, 1, h)


def circle(ctx, colour, x, y, r):
    ctx.set_source_rgb(*colour)
    ctx.arc(x, y, r, 0, 2 * math.pi)
    ctx.fill()


def ring(ctx, colour, x, y, r, width):
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.arc(x, y, r, 0, 2 * math.pi)
    ctx.stroke()


def font(ctx, size, bold=True, mono=False):
    face = "DejaVu Sans Mono" if mono else "DejaVu Sans"
    ctx.select_font_face(face, cairo.FONT_SLANT_NORMAL, cairo.FONT_WEIGHT_BOLD if bold else cairo.FONT_WEIGHT_NORMAL)
    ctx.set_font_size(size)


def text(ctx, s, x, y, size, colour=WHITE, anchor="c", bold=True, mono=False):
    """Text with its baseline centre (c), left (l) or right (r) end at x, y."""
    font(ctx, size, bold, mono)
    ext = ctx.text_extents(s)
    if anchor == "c":
        x -= ext.x_advance / 2
    elif anchor == "r":
        x -= ext.x_advance
    ctx.set_source_rgb(*colour)
    ctx.move_to(x, y)
    ctx.show_text(s)


def polar(cx, cy, r, deg):
    """Point at angle deg from the top, clockwise, as the panel measures angles."""
    a = math.radians(deg)
    return cx + r * math.sin(a), cy - r * math.cos(a)


def tick(ctx, colour, cx, cy, r1, r2, deg, width=1.5):
    x1, y1 = polar(cx, cy, r1, deg)
    x2, y2 = polar(cx, cy, r2, deg)
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(width)
    ctx.move_to(x1, y1)
    ctx.line_to(x2, y2)
    ctx.stroke()


def screw(ctx, x, y):
    circle(ctx, rgb(22), x, y, 3.6)
    circle(ctx, rgb(28), x, y, 2.8)
    ctx.set_source_rgb(*rgb(23))
    ctx.set_line_width(1)
    ctx.move_to(x - 2.2, y + 1.2)
    ctx.line_to(x + 2.2, y - 1.2)
    ctx.stroke()


def stepper(ctx, x, y, h, face, size):
    """A pair of buttons, up above down, each 19 wide and h high."""
    for k, arrow in enumerate(("\u25b2", "\u25bc")):
        raised(ctx, x, y + h * k, 19, h, face)
        text(ctx, arrow, x + 9.5, y + h * k + h - 3, size, LGREY)


def knob(ctx, x, y, r, label=None):
    """A ridged round knob seen from the front."""
    circle(ctx, rgb(22), x, y, r + 1)
    circle(ctx, rgb(24), x, y, r)
    for k in range(16):
        tick(ctx, rgb(27), x, y, r - 2.2, r - 0.3, k * 22.5, 1.0)
    circle(ctx, rgb(26), x, y, r - 3)
    circle(ctx, rgb(28), x - 0.8, y - 0.8, r - 5 if r > 6 else 1)
    if label:
        text(ctx, label, x, y + r + 8, 6.5, LGREY)


def bezel(ctx, cx, cy, r):
    """A round instrument case on the panel: a dark rim with a thin highlight."""
    circle(ctx, rgb(22), cx, cy, r + 3)
    circle(ctx, rgb(24), cx, cy, r + 2)
    ctx.set_source_rgb(*rgb(27))
    ctx.set_line_width(1)
    ctx.arc(cx, cy, r + 1.5, math.radians(200), math.radians(320))
    ctx.stroke()
    circle(ctx, BLACK, cx, cy, r)


def case_square(ctx, w, h, screws=(1, 1, 1, 1)):
    """The square case an instrument sits in, with its four corner screws."""
    fill(ctx, PANEL, 0, 0, w, h)
    raised(ctx, 1, 1, w - 2, h - 2, rgb(23))
    for on, (sx, sy) in zip(screws, ((8, 8), (w - 8, 8), (8, h - 8), (w - 8, h - 8))):
        if on:
            screw(ctx, sx, sy)


# ---------------------------------------------------------------- the panel itself

PANEL_W, PANEL_H = 800, 333   # at (0, 247) of the window


def panel_background(ctx, heli):
    fill(ctx, PANEL, 0, 0, PANEL_W, PANEL_H)
    # Glare-shield edge along the top.
    fill(ctx, rgb(22), 0, 0, PANEL_W, 2)
    fill(ctx, rgb(25), 0, 2, PANEL_W, 1)
    # Switch row: a dark strip with the stall light's socket.
    fill(ctx, rgb(22), 0, 3, PANEL_W, 21)
    recess(ctx, 6, 6, 11, 11, BLACK)
    text(ctx, "STALL", 12, 22, 5.5, LGREY)
    # Autopilot hold values: windows and their steppers (y 255..275 on the window).
    ap = ((270, 32, 305, "ALT"), (352, 32, 390, "V/S"), (443, 27, 475, "IAS"))
    for wx, ww, kx, label in ap:
        text(ctx, label, wx - 3, 19, 6.5, LGREY, "r")
        recess(ctx, wx, 7, ww, 13, BLACK)
        raised(ctx, kx, 8, 20, 20, rgb(24))
        text(ctx, "\u25b2", kx + 10, 16, 7, LGREY)
        text(ctx, "\u25bc", kx + 10, 26, 7, LGREY)
    if heli:
        # The chin window's frame at the right of the helicopter's panel.
        fill(ctx, rgb(22), 627, 0, 3, PANEL_H)
    # Engine area heading.
    ex = 643 if not heli else 542
    text(ctx, "ENGINE", ex + 78 if not heli else ex + 44, 34, 6.5, MGREY)


@picture(128, PANEL_W, PANEL_H)
def draw_128(ctx):
    panel_background(ctx, False)


@picture(129, PANEL_W, PANEL_H)
def draw_129(ctx):
    panel_background(ctx, True)


@picture(206, 800, 22)
def draw_206(ctx):
    """The status strip above the view."""
    fill(ctx, rgb(23), 0, 0, 800, 22)
    fill(ctx, rgb(25), 0, 0, 800, 1)
    fill(ctx, rgb(22), 0, 21, 800, 1)
    recess(ctx, 4, 4, 121, 14)      # controls caption
    recess(ctx, 128, 4, 208, 14)    # mode caption
    recess(ctx, 352, 1, 42, 13)     # compass card window; its lubber line is the panel's
    recess(ctx, 414, 3, 282, 16)    # status line
    # Outside-air temperature scale, -25..105 F at half a pixel per degree.
    recess(ctx, 722, 3, 72, 16)
    for f in range(-20, 101, 10):
        x = 738 + f / 2
        tick_h = 4 if f % 50 == 0 else 2
        fill(ctx, LGREY, x, 18 - tick_h, 1, tick_h)
    for f in (0, 50, 100):
        text(ctx, str(f), 738 + f / 2 + 0.5, 11, 6, MGREY)
    text(ctx, "OAT", 718, 14, 6, LGREY, "r")


# ---------------------------------------------------------------- the round faces (128 x 128)

def round_face(ctx, screws=(1, 1, 1, 1)):
    case_square(ctx, 128, 128, screws)
    bezel(ctx, 64, 64, 58)


def dial_ring(ctx, r):
    """A dial smaller than its case: a dark ring round it, with a light edge."""
    ctx.set_source_rgb(*rgb(23))
    ctx.set_line_width(57 - r)
    ctx.arc(64, 64, (57 + r) / 2, 0, 2 * math.pi)
    ctx.stroke()
    ring(ctx, rgb(27), 64, 64, r + 0.5, 1)


@picture(178, 128, 128)
def draw_178(ctx):
    """Airspeed: the scale and arcs are drawn by the panel from the aircraft's speeds."""
    round_face(ctx)
    dial_ring(ctx, 46)
    text(ctx, "AIRSPEED", 64, 74, 5.5, LGREY)


@picture(179, 128, 128)
def draw_179(ctx):
    """Attitude: the ball is painted by the panel; the case carries the bank pointer."""
    round_face(ctx, (1, 1, 1, 0))
    # Fixed bank index at the top of the case.
    ctx.set_source_rgb(*AMBER)
    ctx.move_to(64, 7.5)
    ctx.line_to(60, 1.5)
    ctx.line_to(68, 1.5)
    ctx.close_path()
    ctx.fill()
    knob(ctx, 116, 117, 8)


@picture(180, 128, 128)
def draw_180(ctx):
    """Altimeter: the fixed 0-9 scale, the drum windows and the setting knob."""
    round_face(ctx, (1, 1, 0, 1))
    for k in range(50):
        deg = k * 7.2
        long_tick = k % 5 == 0
        tick(ctx, WHITE, 64, 64, 49 if long_tick else 52, 56, deg, 2.0 if long_tick else 1.0)
    for n in range(10):
        x, y = polar(64, 64, 42, n * 36)
        text(ctx, str(n), x, y + 4.5, 12)
    # Altitude drum (hundreds of feet, then "00") and the setting window.
    recess(ctx, 41, 73, 32, 11)
    recess(ctx, 79, 58, 26, 11)
    text(ctx, "ALT", 64, 38, 6.5, LGREY)
    text(ctx, "IN.HG", 92, 78, 5.5, MGREY)
    knob(ctx, 29, 114, 9)


@picture(181, 128, 128)
def draw_181(ctx):
    """Turn coordinator: wings-level and standard-rate marks, the ball's tube."""
    round_face(ctx)
    for deg in (90, 270):
        tick(ctx, WHITE, 64, 64, 44, 54, deg, 3)
    for deg in (120, 240):
        tick(ctx, WHITE, 64, 64, 44, 54, deg, 3)
    text(ctx, "L", *polar(64, 64, 40, 232), 9)
    text(ctx, "R", *polar(64, 64, 40, 128 - 4), 9)
    text(ctx, "TURN COORDINATOR", 64, 30, 5.5, LGREY)
    text(ctx, "2 MIN", 64, 92, 6.5, LGREY)
    # The ball's tube: the ball itself is drawn by the panel 42 below the centre.
    fill(ctx, rgb(24), 40, 101, 49, 11)
    fill(ctx, rgb(22), 41, 102, 47, 9)
    fill(ctx, LGREY, 60, 102, 1, 9)
    fill(ctx, LGREY, 68, 102, 1, 9)


@picture(182, 128, 128)
def draw_182(ctx):
    """Heading instrument: fixed 45-degree marks on the case, course and heading knobs."""
    round_face(ctx, (1, 1, 0, 0))
    for deg in range(45, 360, 45):
        tick(ctx, WHITE, 64, 64, 55, 58, deg, 2)
    knob(ctx, 27, 114, 9)
    text(ctx, "CRS", 27, 100, 5.5, LGREY)
    knob(ctx, 101, 114, 9)
    text(ctx, "HDG", 101, 100, 5.5, LGREY)


@picture(183, 128, 128)
def draw_183(ctx):
    """Vertical speed: the scale is drawn by the panel."""
    round_face(ctx)
    dial_ring(ctx, 46)
    text(ctx, "VERTICAL SPEED", 66, 51, 5, LGREY)
    text(ctx, "100 FT/MIN", 66, 83, 5, MGREY)
    text(ctx, "UP", 52, 59, 5.5, LGREY)
    text(ctx, "DN", 52, 75, 5.5, LGREY)


# ---------------------------------------------------------------- narrow faces (100 wide)

def narrow_case(ctx, h, screws=(1, 1, 1, 1)):
    case_square(ctx, 100, h, screws)


@picture(185, 100, 118)
def draw_185(ctx):
    """Course deviation indicator: dots, card windows and the course knob."""
    narrow_case(ctx, 118, (1, 1, 0, 1))
    bezel(ctx, 50, 64, 47)
    recess(ctx, 33, 21, 35, 12)   # course card above the needles
    recess(ctx, 33, 95, 35, 12)   # reciprocal card below
    recess(ctx, 76, 45, 18, 8)    # TO / FROM / NAV flag
    text(ctx, "VOR", 50, 58, 5.5, MGREY)
    knob(ctx, 22, 90, 8)
    text(ctx, "OBS", 22, 110, 5.5, LGREY)


@picture(186, 100, 118)
def draw_186(ctx):
    """Moving-map display with its mode and range buttons."""
    narrow_case(ctx, 118)
    recess(ctx, 5, 13, 62, 79)
    for k, label in enumerate(("CTR", "FWD", "HDG", "RNG-", "RNG+")):
        raised(ctx, 80, 13 + 15 * k, 15, 14, rgb(24))
    text(ctx, "MAP", 36, 106, 6.5, LGREY)


@picture(187, 100, 118)
def draw_187(ctx):
    """Round display of the storm scope and the radio-magnetic indicator."""
    narrow_case(ctx, 118)
    bezel(ctx, 50, 64, 47)
    for deg in range(0, 360, 45):
        tick(ctx, rgb(28), 50, 64, 47, 49, deg, 1.5)


@picture(188, 100, 118)
def draw_188(ctx):
    """Radar altimeter: 0-500 ft over the first half turn, on to 2500."""
    narrow_case(ctx, 118, (1, 1, 0, 1))
    cx, cy = 50, 50
    bezel(ctx, cx, cy, 36)
    for h in range(0, 501, 50):
        deg = h * 180 / 500
        tick(ctx, WHITE, cx, cy, 30 if h % 100 == 0 else 32, 35, deg, 1.5 if h % 100 == 0 else 1)
    for h in (1000, 1500, 2000, 2500):
        deg = 180 + (h - 500) * 180 / 5000
        tick(ctx, WHITE, cx, cy, 30, 35, deg, 1.5)
    for h, label in ((0, "0"), (100, "1"), (200, "2"), (300, "3"), (400, "4"), (500, "5")):
        x, y = polar(cx, cy, 24, h * 180 / 500)
        text(ctx, label, x, y + 3, 7)
    text(ctx, "RAD", cx - 12, cy - 4, 5.5, LGREY)
    text(ctx, "ALT", cx - 12, cy + 4, 5.5, LGREY)
    knob(ctx, 15, 90, 8)
    text(ctx, "DH", 15, 110, 5.5, LGREY)


@picture(189, 100, 118)
def draw_189(ctx):
    """Variometer: 100 ft/min a division, zero at nine o'clock."""
    narrow_case(ctx, 118)
    cx, cy = 50, 64
    bezel(ctx, cx, cy, 38)
    for k in range(-4, 5):
        deg = 270 + k * 32
        tick(ctx, WHITE, cx, cy, 29, 36, deg, 2 if k % 2 == 0 else 1)
        if k % 2 == 0:
            x, y = polar(cx, cy, 22, deg)
            text(ctx, str(abs(k)), x, y + 3, 7)
    text(ctx, "VARIO", cx + 8, cy + 22, 5.5, LGREY)


@picture(190, 100, 118)
def draw_190(ctx):
    """Weather radar screen and its three buttons."""
    narrow_case(ctx, 118)
    recess(ctx, 8, 6, 84, 88)
    for k, label in enumerate(("RNG+", "RNG-", "PWR")):
        raised(ctx, 3 + 32 * k, 96, 30, 20, rgb(24))
        text(ctx, label, 18 + 32 * k, 109, 6, LGREY)


@picture(191, 100, 30)
def draw_191(ctx):
    """Clock: minutes and seconds window, start-stop and reset buttons."""
    fill(ctx, PANEL, 0, 0, 100, 30)
    raised(ctx, 1, 0, 98, 30, rgb(23))
    recess(ctx, 56, 7, 34, 16)
    raised(ctx, 10, 6, 23, 17, rgb(24))
    text(ctx, "ST/SP", 21.5, 17, 5.5, LGREY)
    raised(ctx, 35, 6, 19, 17, rgb(24))
    text(ctx, "RST", 44.5, 17, 5.5, LGREY)


@picture(192, 100, 148)
def draw_192(ctx):
    """ADF: card dial, card knob and the frequency with its steppers."""
    narrow_case(ctx, 148, (1, 1, 0, 0))
    bezel(ctx, 50, 64, 46)
    knob(ctx, 15, 99, 8)
    recess(ctx, 34, 107, 32, 11)
    text(ctx, "ADF", 50, 130, 6, MGREY)
    for k in range(3):
        stepper(ctx, 25 + 20 * k, 122, 12, rgb(24), 6)


# ---------------------------------------------------------------- engine gauges

@picture(193, 64, 64)
def draw_193(ctx):
    """A small round engine dial; scales and labels are drawn by the panel."""
    fill(ctx, PANEL, 0, 0, 64, 64)
    bezel(ctx, 32, 32, 29)


@picture(194, 60, 16)
def draw_194(ctx):
    """Exhaust-gas temperature strip: the mark moves from x 20 to 50."""
    fill(ctx, PANEL, 0, 0, 60, 16)
    text(ctx, "EGT", 9, 11, 6, LGREY)
    recess(ctx, 19, 3, 39, 10)
    for k in range(7):
        fill(ctx, rgb(28), 20 + 5 * k, 11, 1, 2)


@picture(195, 156, 130)
def draw_195(ctx):
    """Engine page screen."""
    fill(ctx, PANEL, 0, 0, 156, 130)
    raised(ctx, 0, 0, 156, 130, rgb(24))
    recess(ctx, 3, 3, 150, 126)


def schematic_wing(ctx, cx, y, span, colour):
    ctx.set_source_rgb(*colour)
    ctx.set_line_width(1.5)
    ctx.move_to(cx - span, y + 6)
    ctx.line_to(cx - 8, y)
    ctx.line_to(cx + 8, y)
    ctx.line_to(cx + span, y + 6)
    ctx.stroke()


@picture(196, 150, 100)
def draw_196(ctx):
    """Flight-controls page: an aircraft seen from above, surfaces coloured by the panel."""
    fill(ctx, BLACK, 0, 0, 150, 100)
    ctx.set_source_rgb(*MGREY)
    ctx.set_line_width(1.5)
    ctx.move_to(75, 8)
    ctx.line_to(75, 92)
    ctx.stroke()
    schematic_wing(ctx, 75, 35, 66, MGREY)
    schematic_wing(ctx, 75, 80, 24, MGREY)
    text(ctx, "F/CTL", 75, 98, 6, LGREY)


@picture(197, 150, 100)
def draw_197(ctx):
    """Hydraulics page: two systems and the ram-air turbine."""
    fill(ctx, BLACK, 0, 0, 150, 100)
    for x in (35, 115):
        rect_line(ctx, MGREY, x - 18, 30, 36, 40)
    text(ctx, "A", 35, 55, 9, LGREY)
    text(ctx, "B", 115, 55, 9, LGREY)
    text(ctx, "RAT", 75, 90, 6, LGREY)


# ---------------------------------------------------------------- radio stack (154 x 309 at (489, 271))

def radio_stack(ctx):
    fill(ctx, PANEL, 0, 0, 154, 309)
    raised(ctx, 1, 1, 152, 307, rgb(24))
    # Marker lights' sockets and the audio selector's buttons.
    for k, label in enumerate(("O", "M", "I")):
        recess(ctx, 4 + 15 * k, 5, 13, 13)
    for k, label in enumerate(("ADF", "NV1", "NV2", "CM1", "CM2")):
        x = 51 + 20 * k
        raised(ctx, x, 4, 19, 16, rgb(25))
        text(ctx, label, x + 9.5, 18, 5.2, LGREY)
    # DME (with a course indicator as the supplementary instrument).
    recess(ctx, 10, 24, 96, 18)
    for x, label in ((32, "NM"), (64, "KT"), (90, "MIN")):
        text(ctx, label, x, 39, 5, MGREY, "l")
    raised(ctx, 111, 24, 40, 20, rgb(25))
    fill(ctx, rgb(22), 131, 25, 1, 18)
    text(ctx, "N1", 121, 37, 5.5, LGREY)
    text(ctx, "N2", 141, 37, 5.5, LGREY)

    def radio_row(y, n):
        # Frequency windows: COM at x 37..62 and NAV at x 105..130, digits at y + 6.
        recess(ctx, 33, y, 48, 14)
        recess(ctx, 101, y, 48, 14)
        text(ctx, "COM%d" % n, 57, y - 2, 5.2, MGREY)
        text(ctx, "NAV%d" % n, 125, y - 2, 5.2, MGREY)
        ky = y + 34
        knob(ctx, 17, ky, 10)                  # volume
        text(ctx, "VOL", 17, y + 8, 5, MGREY)
        for x in (45, 69, 113, 137):
            knob(ctx, x, ky, 9)

    radio_row(55, 1)
    radio_row(104, 2)
    # Transponder: digits at x 76, 96, 116, 136 (y 157), steppers below, IDENT and the reply light.
    recess(ctx, 70, 153, 80, 15)
    text(ctx, "XPDR", 22, 166, 6, LGREY)
    recess(ctx, 9, 158, 4, 4)
    text(ctx, "R", 11, 156, 4.5, MGREY)
    raised(ctx, 46, 154, 16, 16, rgb(25))
    text(ctx, "ID", 54, 165, 5.5, LGREY)
    for k in range(4):
        stepper(ctx, 72 + 20 * k, 172, 10, rgb(25), 5.5)
    # Autopilot: seven buttons at x 4, 24, 44 | 67, 87, 107 | 127 (y 210..241).
    text(ctx, "AUTOPILOT", 77, 199, 5.5, MGREY)
    for x, label in ((4, "HDG"), (24, "NV1"), (44, "NV2"), (67, "ALT"), (87, "V/S"), (107, "G/S"), (127, "SPD")):
        text(ctx, label, x + 9.5, 208, 5.2, LGREY)
    fill(ctx, rgb(22), 64, 204, 1, 38)
    fill(ctx, rgb(22), 124, 204, 1, 38)
    # Fuel quantity: pointer row y 262..266, marks at x 25, 40, 55.
    text(ctx, "FUEL", 13, 266, 5.2, LGREY)
    recess(ctx, 23, 257, 36, 12)
    for x, label in ((25, "E"), (40, "1/2"), (55, "F")):
        fill(ctx, WHITE, x, 258, 1, 3)
        text(ctx, label, x + 0.5, 254, 5, MGREY)
    # Aileron and rudder trim: marks at x 97 +- 14.
    for y, label in ((249, "AIL"), (279, "RUD")):
        raised(ctx, 77, y, 41, 26, rgb(25))
        recess(ctx, 80, y + 5, 35, 5)
        fill(ctx, WHITE, 97, y + 11, 1, 3)
        text(ctx, "\u25c0", 83, y + 22, 6, LGREY)
        text(ctx, "\u25b6", 112, y + 22, 6, LGREY)
        text(ctx, label, 97.5, y + 22, 5, MGREY)
    # Parking brake field (painted by the panel) and the gear lever's slot and lights.
    text(ctx, "PARK BRAKE", 40, 285, 5, MGREY)
    recess(ctx, 6, 289, 68, 16)
    recess(ctx, 118, 249, 35, 39, rgb(22))
    for x, y in ((133, 287), (127, 297), (139, 297)):
        recess(ctx, x, y, 4, 4)
    text(ctx, "GEAR", 135, 308, 5, MGREY)


@picture(198, 154, 309)
def draw_198(ctx):
    radio_stack(ctx)


@picture(199, 152, 78)
def draw_199(ctx):
    """GPS receiver in the place of NAV 1 and its course indicator."""
    fill(ctx, rgb(24), 0, 0, 152, 78)
    raised(ctx, 0, 0, 152, 78, rgb(25))
    recess(ctx, 5, 8, 124, 42)
    # Course-deviation marks at x 70, 95, 120 (window x 560, 585, 610) are painted by the panel.
    for k, label in enumerate(("APT", "VOR", "NDB")):
        y = 9 + 22 * k
        raised(ctx, 131, y, 20, 21, rgb(25))
        text(ctx, label, 141, y + 13, 5, LGREY)
    knob(ctx, 56, 65, 9)
    text(ctx, "SEL", 30, 69, 5.5, MGREY)
    knob(ctx, 113, 65, 9)
    text(ctx, "MODE", 88, 69, 5.5, MGREY)
    text(ctx, "GPS", 10, 5 + 1, 5, MGREY, "l")


# ---------------------------------------------------------------- electronic panel (389 x 300 at (0, 280))

@picture(184, 389, 300)
def draw_184(ctx):
    fill(ctx, PANEL, 0, 0, 389, 300)
    raised(ctx, 1, 1, 192, 150, rgb(24))   # primary flight display
    recess(ctx, 5, 19, 184, 112)
    text(ctx, "PFD", 97, 14, 6, MGREY)
    raised(ctx, 1, 152, 232, 146, rgb(24))  # navigation display
    recess(ctx, 5, 145 + 8, 224, 118)
    raised(ctx, 196, 1, 192, 297, rgb(24))  # map display and its buttons
    recess(ctx, 200, 23, 180, 222)
    text(ctx, "MAP", 290, 16, 6, MGREY)
    for k, label in enumerate(("RNG+", "RNG-", "FWD", "HDG", "WX", "TFC")):
        x = 200 + 30 * k
        raised(ctx, x + 1, 255, 28, 20, rgb(25))
        text(ctx, label, x + 15, 273, 5.2, LGREY)
    knob(ctx, 175, 277, 9)
    text(ctx, "BARO", 150, 281, 5.5, LGREY)
    # Vertical speed beside the heading display: 1000 ft/min each 22.5 degrees, zero at nine o'clock.
    vx, vy = 189, 201
    circle(ctx, BLACK, vx, vy, 31)
    for k in range(-4, 5):
        tick(ctx, WHITE, vx, vy, 26 if k % 2 == 0 else 28, 31, 270 + 22.5 * k, 1.5)
    for k in (-4, -2, 0, 2, 4):
        x, y = polar(vx, vy, 20, 270 + 22.5 * k)
        text(ctx, str(abs(k)), x, y + 3, 6.5)
    text(ctx, "V/S", vx + 12, vy + 3, 5.5, MGREY)


# ---------------------------------------------------------------- buttons, switches, lights

def mode_button(ctx, on):
    raised(ctx, 0, 0, 15, 15, rgb(26) if on else rgb(24))
    fill(ctx, GREEN if on else rgb(22), 5, 3, 5, 3)


for _i, _on in zip(range(142, 148), (0, 1, 0, 1, 0, 1)):
    picture(_i, 15, 15)(lambda ctx, on=_on: mode_button(ctx, on))


def ap_button(ctx, on):
    fill(ctx, rgb(22), 0, 0, 19, 31)
    raised(ctx, 1, 1, 17, 29, rgb(26) if on else rgb(24))
    fill(ctx, rgb(22), 3, 3, 6, 5)   # lamp socket; the lamp is painted by the panel


picture(148, 19, 31)(lambda ctx: ap_button(ctx, 0))
picture(149, 19, 31)(lambda ctx: ap_button(ctx, 1))


def toggle(ctx, on):
    """A bat-handle toggle switch, up for on."""
    fill(ctx, rgb(22), 0, 0, 14, 20)
    circle(ctx, rgb(26), 7, 10, 5)
    circle(ctx, rgb(24), 7, 10, 3.5)
    ctx.set_source_rgb(*rgb(31))
    ctx.set_line_width(3)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.move_to(7, 10)
    ctx.line_to(7, 2.5 if on else 17.5)
    ctx.stroke()
    circle(ctx, WHITE, 7, 2.5 if on else 17.5, 1.6)


picture(150, 14, 20)(lambda ctx: toggle(ctx, 0))
picture(151, 14, 20)(lambda ctx: toggle(ctx, 1))


def brightness(ctx, bright):
    fill(ctx, rgb(22), 0, 0, 16, 20)
    c = YELLOW if bright else rgb(27)
    circle(ctx, c, 8, 10, 3)
    for k in range(8):
        tick(ctx, c, 8, 10, 4.5, 6.5 if bright else 5.5, k * 45, 1)


picture(152, 16, 20)(lambda ctx: brightness(ctx, 0))
picture(153, 16, 20)(lambda ctx: brightness(ctx, 1))


def marker_light(ctx, colour, letter, lit):
    fill(ctx, rgb(22), 0, 0, 13, 13)
    lens = colour if lit else tuple(c * 0.25 for c in colour)
    circle(ctx, lens, 6.5, 6.5, 5.5)
    text(ctx, letter, 6.5, 9.5, 7, BLACK if lit else rgb(24))


for _i, (_c, _l) in enumerate(((BLUE, "O"), (AMBER, "M"), (WHITE, "I"))):
    picture(154 + 2 * _i, 13, 13)(lambda ctx, c=_c, l=_l: marker_light(ctx, c, l, 0))
    picture(155 + 2 * _i, 13, 13)(lambda ctx, c=_c, l=_l: marker_light(ctx, c, l, 1))


def gear_handle(ctx, down):
    """The wheel-shaped gear lever in its slot, up or down."""
    fill(ctx, rgb(22), 0, 0, 33, 37)
    fill(ctx, BLACK, 15, 3, 3, 31)
    y = 28 if down else 9
    ctx.set_source_rgb(*rgb(28))
    ctx.set_line_width(3)
    ctx.move_to(16.5, 18.5)
    ctx.line_to(16.5, y)
    ctx.stroke()
    circle(ctx, rgb(31), 16.5, y, 6.5)
    circle(ctx, rgb(26), 16.5, y, 3)
    text(ctx, "DN" if down else "UP", 5, 35 if not down else 8, 5.5, LGREY)


picture(160, 33, 37)(lambda ctx: gear_handle(ctx, 0))
picture(161, 33, 37)(lambda ctx: gear_handle(ctx, 1))


@picture(163, 16, 62)
def draw_163(ctx):
    """Pitch trim: the indicator's slot (x 5..9, rows 10..54) and the wheel."""
    fill(ctx, PANEL, 0, 0, 16, 62)
    fill(ctx, BLACK, 5, 9, 5, 47)
    for row, label in ((10, "DN"), (30, ""), (50, "UP")):
        fill(ctx, LGREY, 2, row + 1, 3, 1)
    text(ctx, "T", 3, 6, 5.5, LGREY)
    fill(ctx, rgb(22), 10, 2, 6, 58)
    for k in range(14):
        fill(ctx, rgb(27) if k % 2 == 0 else rgb(24), 11, 4 + 4 * k, 4, 3)


@picture(169, 5, 4)
def draw_169(ctx):
    fill(ctx, WHITE, 0, 0, 5, 4)
    fill(ctx, rgb(30), 0, 3, 5, 1)


# ---------------------------------------------------------------- lever knobs

def flat_knob(ctx, w, h, face, edge):
    fill(ctx, edge, 0, 0, w, h)
    fill(ctx, face, 1, 1, w - 2, h - 2)
    fill(ctx, tuple(min(1, c * 1.3 + 0.08) for c in face), 1, 1, w - 2, 1)


picture(170, 19, 5)(lambda ctx: flat_knob(ctx, 19, 5, rgb(30), rgb(25)))     # slats
picture(171, 19, 5)(lambda ctx: flat_knob(ctx, 19, 5, rgb(26), rgb(22)))     # speed brake
picture(172, 25, 9)(lambda ctx: flat_knob(ctx, 25, 9, rgb(29), rgb(24)))     # wing sweep
picture(173, 23, 9)(lambda ctx: flat_knob(ctx, 23, 9, rgb(29), rgb(24)))     # thrust vector


@picture(174, 14, 14)
def draw_174(ctx):
    """Throttle: a black knob."""
    fill(ctx, BLACK, 0, 0, 14, 14)
    circle(ctx, rgb(25), 7, 7, 6.8)
    circle(ctx, rgb(22), 7, 7, 5.8)
    circle(ctx, rgb(27), 5.5, 5.5, 1.8)


def tall_knob(ctx, colour):
    """Propeller and mixture: a knob on a shaft, seen from above the quadrant."""
    fill(ctx, BLACK, 0, 0, 10, 27)
    fill(ctx, rgb(27), 4, 9, 2, 18)
    ctx.set_source_rgb(*colour)
    ctx.rectangle(0.5, 0.5, 9, 9)
    ctx.fill()
    fill(ctx, tuple(min(1, c + 0.25) for c in colour), 1, 1, 8, 1)


picture(175, 10, 27)(lambda ctx: tall_knob(ctx, BLUE))   # propeller
picture(176, 10, 27)(lambda ctx: tall_knob(ctx, RED))    # mixture


@picture(177, 29, 8)
def draw_177(ctx):
    """Flap lever: a white aerofoil-shaped handle."""
    fill(ctx, BLACK, 0, 0, 29, 8)
    ctx.set_source_rgb(*WHITE)
    ctx.move_to(1, 4)
    ctx.curve_to(3, 0.5, 12, 0.5, 28, 3)
    ctx.line_to(28, 5)
    ctx.curve_to(12, 7.5, 3, 7.5, 1, 4)
    ctx.fill()


# ---------------------------------------------------------------- main

def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    out = os.path.join(data, "panel")
    os.makedirs(out, exist_ok=True)
    for ident, w, h, draw in sorted(PICTURES, key=lambda p: p[0]):
        surface = cairo.ImageSurface(cairo.FORMAT_RGB24, w, h)
        ctx = cairo.Context(surface)
        fill(ctx, BLACK, 0, 0, w, h)
        draw(ctx)
        with open(os.path.join(out, "%d.png" % ident), "wb") as f:
            f.write(png_bytes(w, h, quantize(surface)))
    print("%d pictures in %s" % (len(PICTURES), out))


if __name__ == "__main__":
    main()
