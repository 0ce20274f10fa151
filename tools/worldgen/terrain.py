#!/usr/bin/env python3
"""Writes the environment files (binary, version 4) of the default region and
the ring of quadrants around it.

    terrain.py DATA_FOLDER [LAT_S LAT_N LON_W LON_E]

Quadrant corners run from LAT_S to LAT_N - 1 and LON_W to LON_E - 1 (default
32..35 and -120..-116: the region 33..35 N, 119..116 W and one degree all
round).  Sea and lakes follow the GSHHG shorelines through GMT (packages gmt,
gmt-gshhg-high).  Heights are SYNTHETIC: a seeded fractal relief over a
surface through the real airport elevations, flattened towards each airport
and lowered to the shore.  Buildings and masts stand around a table of real
towns (source/towns.csv).
"""
import csv
import math
import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "source")
SEED = 1954
MASK_RES = 240            # mask nodes per degree (15 arc seconds)
NX, NY = 59, 79           # cells per quadrant
KM_LAT = 111.12
LAKE_LEVELS = [((33.3, -115.85), -71.0)]   # Salton Sea surface, metres (published)
FT = 0.3048


# ---------- sea and lakes ----------

def land_mask(lat_s, lat_n, lon_w, lon_e):
    """mask[r][c] at lat_s + r/RES, lon_w + c/RES: 0 ocean, 1 land, 2 lake."""
    with tempfile.TemporaryDirectory() as tmp:
        grd = os.path.join(tmp, "mask.nc")
        reg = "-R%g/%g/%g/%g" % (lon_w, lon_e, lat_s, lat_n)
        subprocess.run(["gmt", "grdlandmask", reg, "-I%ds" % (3600 // MASK_RES), "-Dh", "-N0/1/2/1/2",
                        "-G" + grd], check=True, cwd=tmp)
        out = subprocess.run(["gmt", "grd2xyz", grd, "-ZBLa"], check=True, capture_output=True, text=True,
                             cwd=tmp).stdout
    vals = [int(float(v)) for v in out.split()]
    ncol = int(round((lon_e - lon_w) * MASK_RES)) + 1
    nrow = len(vals) // ncol
    return [vals[r * ncol:(r + 1) * ncol] for r in range(nrow)]


def mask_at(mask, lat_s, lon_w, lat, lon):
    r = int(round((lat - lat_s) * MASK_RES))
    c = int(round((lon - lon_w) * MASK_RES))
    r = min(max(r, 0), len(mask) - 1)
    c = min(max(c, 0), len(mask[0]) - 1)
    return mask[r][c]


def ocean_distance(mask, step=4):
    """Distance in km from every coarse node (step mask nodes) to the sea."""
    rows, cols = len(mask) // step + 1, len(mask[0]) // step + 1
    big = 1e9
    d = [[big] * cols for _ in range(rows)]
    for r in range(rows):
        for c in range(cols):
            if mask[min(r * step, len(mask) - 1)][min(c * step, len(mask[0]) - 1)] == 0:
                d[r][c] = 0.0
    dy = step / MASK_RES * KM_LAT
    dx = dy * math.cos(math.radians(34))
    dd = math.hypot(dx, dy)
    for r in range(rows):          # two-pass chamfer distance
        for c in range(cols):
            v = d[r][c]
            if r > 0:
                v = min(v, d[r - 1][c] + dy)
                if c > 0:
                    v = min(v, d[r - 1][c - 1] + dd)
                if c < cols - 1:
                    v = min(v, d[r - 1][c + 1] + dd)
            if c > 0:
                v = min(v, d[r][c - 1] + dx)
            d[r][c] = v
    for r in range(rows - 1, -1, -1):
        for c in range(cols - 1, -1, -1):
            v = d[r][c]
            if r < rows - 1:
                v = min(v, d[r + 1][c] + dy)
                if c > 0:
                    v = min(v, d[r + 1][c - 1] + dd)
                if c < cols - 1:
                    v = min(v, d[r + 1][c + 1] + dd)
            if c < cols - 1:
                v = min(v, d[r][c + 1] + dx)
            d[r][c] = v
    return d, step


# ---------- synthetic relief ----------

def hash01(ix, iy, octave):
    h = (ix * 374761393 + iy * 668265263 + octave * 2147483647 + SEED * 1442695041) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0xFFFFFF)


def value_noise(x, y, octave):
    ix, iy = math.floor(x), math.floor(y)
    fx, fy = x - ix, y - iy
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a = hash01(ix, iy, octave)
    b = hash01(ix + 1, iy, octave)
    c = hash01(ix, iy + 1, octave)
    d = hash01(ix + 1, iy + 1, octave)
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy


def relief(lat, lon):
    """0..1: ridged fractal relief, its ridges running mostly west-north-west."""
    xk = lon * KM_LAT * math.cos(math.radians(34))
    yk = lat * KM_LAT
    u = 0.94 * xk + 0.34 * yk      # along the ranges
    v = -0.34 * xk + 0.94 * yk     # across them
    total, amp, norm = 0.0, 1.0, 0.0
    wave = 36.0
    for o in range(6):
        n = value_noise(u / (wave * 1.8), v / wave, o)
        ridge = 1 - abs(2 * n - 1)
        total += amp * ridge * ridge
        norm += amp
        amp *= 0.5
        wave /= 2
    return total / norm


def range_strength(lat, lon):
    """0..1: where the mountain ranges are (a smooth field of its own)."""
    xk = lon * KM_LAT * math.cos(math.radians(34))
    yk = lat * KM_LAT
    n = 0.65 * value_noise(xk / 70, yk / 55, 11) + 0.35 * value_noise(xk / 30, yk / 30, 12)
    t = min(max((n - 0.3) / 0.5, 0.0), 1.0)
    return t * t * (3 - 2 * t)


class Field:
    def __init__(self, airports, dist, step, lat_s, lon_w):
        self.airports = airports
        self.dist, self.step = dist, step
        self.lat_s, self.lon_w = lat_s, lon_w

    def sea_km(self, lat, lon):
        r = int(round((lat - self.lat_s) * MASK_RES / self.step))
        c = int(round((lon - self.lon_w) * MASK_RES / self.step))
        r = min(max(r, 0), len(self.dist) - 1)
        c = min(max(c, 0), len(self.dist[0]) - 1)
        return min(self.dist[r][c], 500.0)

    def height(self, lat, lon):
        coslat = math.cos(math.radians(lat))
        wsum, zsum, nearest, near_z = 0.0, 0.0, 1e9, 0.0
        for alat, alon, az in self.airports:
            dy = (lat - alat) * KM_LAT
            dx = (lon - alon) * KM_LAT * coslat
            d2 = dx * dx + dy * dy
            d = math.sqrt(d2)
            if d < nearest:
                nearest, near_z = d, az
            if d < 120:
                w = 1.0 / (d2 + 4.0) ** 1.5
                wsum += w
                zsum += w * az
        base = zsum / wsum if wsum > 0 else 300.0
        sea = self.sea_km(lat, lon)
        # Low ground along the coast, rising inland.
        base = min(base, 15 + 60 * sea) if sea < 30 else base
        rise = min(nearest / 12.0, 1.0) ** 1.5 * min(sea / 6.0, 1.0)
        mountains = (300 + 1900 * range_strength(lat, lon)) * relief(lat, lon) * rise
        h = base + mountains
        # Each airport's surroundings at its own elevation.
        if nearest < 2.5:
            h = near_z
        elif nearest < 9:
            t = (nearest - 2.5) / 6.5
            t = t * t * (3 - 2 * t)
            h = near_z + (h - near_z) * t
        return h


# ---------- towns ----------

def rand_stream(seed):
    state = seed & 0xFFFFFFFF

    def nxt():
        nonlocal state
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        return state / 0x7FFFFFFF
    return nxt


def town_objects(towns, airports, mask, lat_s, lon_w):
    """(type, lat, lon, height_ft) around each town, on land, clear of airports."""
    objs = []
    rnd = rand_stream(SEED)
    for name, tlat, tlon, size in towns:
        counts = {1: (45, 5, 2), 2: (18, 3, 1), 3: (8, 1, 1)}[size]
        radius_km = {1: 5.0, 2: 3.0, 3: 1.8}[size]
        nb, nmast, nlattice = counts
        tall = 14 if name in ("Los Angeles", "San Diego") else (4 if size == 1 else 0)
        want = [(2, nb), (5, max(1, nb // 12)), (6, max(1, nb // 15)), (3, nmast), (4, nlattice), (90, tall)]
        for kind, n in want:
            made = tries = 0
            while made < n and tries < n * 30:
                tries += 1
                spread = 0.25 if kind == 90 else (1.8 if kind in (3, 4) else 1.0)
                r = radius_km * spread * math.sqrt(rnd())
                a = rnd() * 2 * math.pi
                lat = tlat + r * math.sin(a) / KM_LAT
                lon = tlon + r * math.cos(a) / (KM_LAT * math.cos(math.radians(tlat)))
                if mask_at(mask, lat_s, lon_w, lat, lon) != 1:
                    continue
                clear = 4.0 if kind in (3, 4) else 2.5
                if any(math.hypot((lat - al) * KM_LAT, (lon - ao) * KM_LAT * math.cos(math.radians(al))) < clear
                       for al, ao, _ in airports):
                    continue
                if kind == 2:
                    h_m = 8 + 40 * rnd() ** 2
                elif kind == 90:
                    h_m = 130 + 170 * rnd()
                elif kind == 5:
                    h_m = 20 + 30 * rnd()
                elif kind == 6:
                    h_m = 30 + 40 * rnd()
                elif kind == 3:
                    h_m = 120 + 180 * rnd()
                else:
                    h_m = 50 + 70 * rnd()
                objs.append((2 if kind == 90 else kind, lat, lon, h_m / FT))
                made += 1
    return objs


# ---------- the files ----------

def read_airports():
    out = []
    with open(os.path.join(SRC, "airports.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            if r["elev_ft"].strip() == "":
                continue
            out.append((float(r["lat"]), float(r["lon"]), float(r["elev_ft"]) * FT))
    return out


def read_towns():
    with open(os.path.join(SRC, "towns.csv"), encoding="utf-8") as f:
        return [(r["name"], float(r["lat"]), float(r["lon"]), int(r["size"])) for r in csv.DictReader(f)]


def tri_corners(i, j, tri, div):
    if div == 0:
        return [(i, j), (i + 1, j), (i, j + 1)] if tri == 0 else [(i + 1, j + 1), (i, j + 1), (i + 1, j)]
    return [(i, j + 1), (i + 1, j + 1), (i, j)] if tri == 0 else [(i + 1, j), (i, j), (i + 1, j + 1)]


def main():
    data = sys.argv[1]
    lat_s, lat_n, lon_w, lon_e = (int(v) for v in sys.argv[2:6]) if len(sys.argv) >= 6 else (32, 36, -120, -115)
    nqx, nqy = lon_e - lon_w, lat_n - lat_s
    pi, pj = nqx * NX + 1, nqy * NY + 1
    print("mask...", flush=True)
    mask = land_mask(lat_s - 0.05, lat_n + 0.05, lon_w - 0.05, lon_e + 0.05)
    mlat, mlon = lat_s - 0.05, lon_w - 0.05
    dist, step = ocean_distance(mask)
    airports = read_airports()
    field = Field(airports, dist, step, mlat, mlon)
    lat = [[lat_s + (j // NY) + (j % NY) / NY for j in range(pj)] for _ in range(pi)]
    lon = [[lon_w + (i // NX) + (i % NX) / NX for _ in range(pj)] for i in range(pi)]
    print("heights...", flush=True)
    z = [[field.height(lat[i][j], lon[i][j]) for j in range(pj)] for i in range(pi)]
    div = [[0] * (pj - 1) for _ in range(pi - 1)]
    water = [[[0, 0] for _ in range(pj - 1)] for _ in range(pi - 1)]   # 0 land, 1 sea, 2 lake
    samples = [(1 / 6, 1 / 6), (2 / 3, 1 / 6), (1 / 6, 2 / 3), (1 / 3, 1 / 3), (1 / 2, 1 / 4), (1 / 4, 1 / 2)]
    print("water...", flush=True)
    for i in range(pi - 1):
        for j in range(pj - 1):
            d1 = abs(z[i][j] - z[i + 1][j + 1])
            d2 = abs(z[i][j + 1] - z[i + 1][j])
            div[i][j] = 1 if d1 < d2 else 0
            for t in (0, 1):
                c = tri_corners(i, j, t, div[i][j])
                kinds = []
                for a, b in samples:
                    la = lat[c[0][0]][c[0][1]] + a * (lat[c[1][0]][c[1][1]] - lat[c[0][0]][c[0][1]]) + \
                        b * (lat[c[2][0]][c[2][1]] - lat[c[0][0]][c[0][1]])
                    lo = lon[c[0][0]][c[0][1]] + a * (lon[c[1][0]][c[1][1]] - lon[c[0][0]][c[0][1]]) + \
                        b * (lon[c[2][0]][c[2][1]] - lon[c[0][0]][c[0][1]])
                    kinds.append(mask_at(mask, mlat, mlon, la, lo))
                wet = [k for k in kinds if k != 1]
                if len(wet) * 2 > len(kinds):
                    water[i][j][t] = 2 if wet.count(2) * 2 > len(wet) else 1
    # Water lies flat: sea at 0, each lake at its surface (known, or its lowest shore).
    lake_pts = {}
    for i in range(pi - 1):
        for j in range(pj - 1):
            for t in (0, 1):
                if water[i][j][t]:
                    for (a, b) in tri_corners(i, j, t, div[i][j]):
                        if water[i][j][t] == 1:
                            lake_pts[(a, b)] = 1
                        elif lake_pts.get((a, b)) != 1:
                            lake_pts[(a, b)] = 2
    lake_sets = []
    seen = set()
    for p, kind in lake_pts.items():
        if kind != 2 or p in seen:
            continue
        comp, todo = [], [p]
        seen.add(p)
        while todo:
            q = todo.pop()
            comp.append(q)
            for dq in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                n = (q[0] + dq[0], q[1] + dq[1])
                if n not in seen and lake_pts.get(n) == 2:
                    seen.add(n)
                    todo.append(n)
        lake_sets.append(comp)
    for comp in lake_sets:
        level = min(z[a][b] for a, b in comp)
        clat = sum(lat[a][b] for a, b in comp) / len(comp)
        clon = sum(lon[a][b] for a, b in comp) / len(comp)
        for (llat, llon), lv in LAKE_LEVELS:
            if abs(clat - llat) < 0.4 and abs(clon - llon) < 0.4:
                level = lv
        for a, b in comp:
            z[a][b] = level
    for (a, b), kind in lake_pts.items():
        if kind == 1:
            z[a][b] = 0.0
    # Dry land stays above the sea beside it.
    for i in range(pi):
        for j in range(pj):
            if (i, j) not in lake_pts and z[i][j] < 1.0 and field.sea_km(lat[i][j], lon[i][j]) < 5:
                z[i][j] = 1.0
    objs = town_objects(read_towns(), airports, mask, mlat, mlon)
    print("files...", flush=True)
    total = 0
    for qy in range(nqy):
        for qx in range(nqx):
            qlat, qlon = lat_s + qy, lon_w + qx
            latb = (qlat + 60) // 10 * 10 - 60
            lonb = (qlon + 180) // 10 * 10 - 180

            def tag(v):
                return "%s%03d" % ("-" if v < 0 else "+", abs(v))
            folder = os.path.join(data, "DATA", tag(latb) + tag(lonb))
            os.makedirs(folder, exist_ok=True)
            path = os.path.join(folder, tag(qlat) + tag(qlon) + ".env")
            buf = bytearray(b"i" + struct.pack("<i", 4))
            for j in range(NY + 1):
                for i in range(NX + 1):
                    gi, gj = qx * NX + i, qy * NY + j
                    flags = 0
                    if i < NX and j < NY:
                        flags = div[gi][gj] | (2 if water[gi][gj][0] else 0) | (4 if water[gi][gj][1] else 0)
                    buf += struct.pack("<fffi", lat[gi][gj], lon[gi][gj], z[gi][gj], flags)
            for kind, olat, olon, h_ft in objs:
                if qlat <= olat < qlat + 1 and qlon <= olon < qlon + 1:
                    ci = min(int((olon - qlon) * NX), NX - 1)
                    cj = min(int((olat - qlat) * NY), NY - 1)
                    buf += struct.pack("<ifffii", kind, olat, olon, h_ft, ci, cj)
            buf += struct.pack("<i", 99)
            buf += b"\0" * (8 * 40)   # the editor's eight texture names, unused here
            with open(path + ".tmp", "wb") as f:
                f.write(buf)
            os.replace(path + ".tmp", path)
            total += len(buf)
    print("wrote %d quadrants, %d bytes, %d objects" % (nqx * nqy, total, len(objs)))


if __name__ == "__main__":
    main()
