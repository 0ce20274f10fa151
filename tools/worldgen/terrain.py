#!/usr/bin/python3
"""Writes the environment files (binary, version 4) of the default region and
the ring of quadrants around it, with real terrain, through the scenery
editor's own elevation import.

    /usr/bin/python3 tools/worldgen/terrain.py [BUILD_DIR]

BUILD_DIR holds the built gridwright (default: build).  For every quadrant
(corners 32..35 N, 120..116 W) it
  1. composes the quadrant's heights at 30 arc-seconds from the real data in
     source/elevation: GMTED2010 where it covers, else the 5-minute ETOPO5
     crop with seeded detail finer than 5 minutes added (its 5-minute means
     unchanged, so the large shapes stay where the data puts them), the sea
     at 0 m and the lakes flat, each airport flat at its published elevation;
  2. runs `gridwright --import HEIGHTS.tif --quadrant LAT,LON --save` into a
     scratch folder, so the grid, its heights, diagonals and flat regions are
     made exactly as a user's import makes them;
  3. sets the water of every triangle from the real shoreline (GSHHG, through
     source/elevation/landmask_15s.tif, made by landmask.py), so that dry flat
     ground (airports, dry lakes) is land and the sea follows the coast,
     and pins the nearest grid point onto each summit of the 30-second data,
     which a grid of about 1.4 km would otherwise cut down;
  4. adds buildings and masts around a table of real towns (source/towns.csv).
Needs python3-gdal and python3-numpy.
"""
import csv
import math
import os
import struct
import subprocess
import sys
import tempfile

import numpy as np
from osgeo import gdal, osr

from globalmodels import groups

gdal.UseExceptions()
HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "source")
ELEV = os.path.join(SRC, "elevation")
TOP = os.path.dirname(os.path.dirname(HERE))
SEED = 1954
NX, NY = 59, 79           # cells per quadrant
KM_LAT = 111.12
FT = 0.3048
RES = 120                 # height nodes per degree (30 arc-seconds)
LAKE_LEVELS = [((33.3, -115.85), -71.0)]   # Salton Sea surface, metres (published)
QUAD_LAT = range(32, 36)
QUAD_LON = range(-120, -115)


# ---------- reading the sources ----------

class Raster:
    def __init__(self, name):
        ds = gdal.Open(os.path.join(ELEV, name))
        self.gt = ds.GetGeoTransform()
        band = ds.GetRasterBand(1)
        self.a = band.ReadAsArray().astype(np.float64)
        nd = band.GetNoDataValue()
        bad = ~np.isfinite(self.a)
        if nd is not None:
            bad |= self.a == nd
        bad |= (self.a < -11000) | (self.a > 9000)
        self.a[bad] = np.nan

    def sample(self, lat, lon, nearest=False):
        """Bilinear (or nearest) at arrays of positions; NaN outside or on voids."""
        x = (lon - self.gt[0]) / self.gt[1] - 0.5
        y = (lat - self.gt[3]) / self.gt[5] - 0.5
        h, w = self.a.shape
        if nearest:
            c = np.rint(x).astype(int)
            r = np.rint(y).astype(int)
            ok = (c >= 0) & (c < w) & (r >= 0) & (r < h)
            out = np.full(lat.shape, np.nan)
            out[ok] = self.a[r[ok], c[ok]]
            return out
        c0 = np.floor(x).astype(int)
        r0 = np.floor(y).astype(int)
        u, v = x - c0, y - r0
        ok = (c0 >= 0) & (c0 + 1 < w) & (r0 >= 0) & (r0 + 1 < h)
        out = np.full(lat.shape, np.nan)
        cc, rr, uu, vv = c0[ok], r0[ok], u[ok], v[ok]
        a = self.a
        out[ok] = ((a[rr, cc] * (1 - uu) + a[rr, cc + 1] * uu) * (1 - vv) +
                   (a[rr + 1, cc] * (1 - uu) + a[rr + 1, cc + 1] * uu) * vv)
        return out


def box_mean(a, n):
    """Mean over (2n+1)^2 nodes, edges clamped."""
    p = np.pad(a, n, mode="edge")
    c = np.cumsum(np.cumsum(p, 0), 1)
    c = np.pad(c, ((1, 0), (1, 0)))
    k = 2 * n + 1
    s = c[k:, k:] - c[:-k, k:] - c[k:, :-k] + c[:-k, :-k]
    return s / (k * k)


def erode(ok, n):
    """True where every node within n (in both directions) is true."""
    out = ok.copy()
    for _ in range(n):
        p = np.pad(out, 1, mode="edge")
        out = out & p[:-2, 1:-1] & p[2:, 1:-1] & p[1:-1, :-2] & p[1:-1, 2:]
    return out


# ---------- seeded detail finer than 5 minutes ----------

def hash01(ix, iy, octave):
    h = (ix * 374761393 + iy * 668265263 + octave * 2147483647 + SEED * 1442695041) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFFFF) / float(0xFFFFFF)


def value_noise(x, y, octave):
    ix, iy = np.floor(x).astype(np.int64), np.floor(y).astype(np.int64)
    fx, fy = x - ix, y - iy
    sx, sy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a = hash01(ix, iy, octave)
    b = hash01(ix + 1, iy, octave)
    c = hash01(ix, iy + 1, octave)
    d = hash01(ix + 1, iy + 1, octave)
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy - 0.5


def detail(lat, lon):
    """Ridged noise of wavelengths 4 to 0.5 minutes, -0.5..0.5 roughly."""
    total = np.zeros(lat.shape)
    amp, wave = 1.0, 4.0 / 60
    for o in range(4):
        n = value_noise(lon / (wave * 1.3), lat / wave, o)
        total += amp * (0.5 - np.abs(n)) * 2 - amp * 0.5
        amp *= 0.55
        wave /= 2
    return total
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


def read_towns():
    with open(os.path.join(SRC, "towns.csv"), encoding="utf-8") as f:
        return [(r["name"], float(r["lat"]), float(r["lon"]), int(r["size"])) for r in csv.DictReader(f)]




# ---------- the heights of the whole block ----------

def read_airports():
    out = []
    with open(os.path.join(SRC, "airports.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            if r["elev_ft"].strip() == "":
                continue
            out.append((r["ident"], float(r["lat"]), float(r["lon"]), float(r["elev_ft"]) * FT))
    return out


def read_runways():
    """Runway centre lines (lat1, lon1, lat2, lon2) by airport."""
    out = {}
    with open(os.path.join(SRC, "runways.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            try:
                seg = tuple(float(r[k]) for k in ("le_lat", "le_lon", "he_lat", "he_lon"))
            except ValueError:
                continue
            out.setdefault(r["airport_ident"], []).append(seg)
    return out


def seg_dist_km(lat, lon, seg):
    la1, lo1, la2, lo2 = seg
    c = math.cos(math.radians(la1))
    px, py = (lon - lo1) * c * KM_LAT, (lat - la1) * KM_LAT
    sx, sy = (lo2 - lo1) * c * KM_LAT, (la2 - la1) * KM_LAT
    L2 = sx * sx + sy * sy
    t = np.clip((px * sx + py * sy) / L2, 0, 1) if L2 > 0 else 0
    return np.hypot(px - t * sx, py - t * sy)


def lake_components(wet):
    """Lists of (r, c) of each 4-connected group of true nodes."""
    return groups(wet, wrap=False)


def block_heights(mask):
    lat = 32 + np.arange(4 * RES + 1)[:, None] / RES + np.zeros((1, 5 * RES + 1))
    lon = -120 + np.arange(5 * RES + 1)[None, :] / RES + np.zeros((4 * RES + 1, 1))
    # Nearest cell: the nodes lie within a quarter cell of the data's own, and
    # blending neighbours would shave the summits.
    median = Raster("gmted2010_md30_crop_northridge.tif").sample(lat, lon, nearest=True)
    mean = Raster("gmted2010_mean30_crop_ci39462536.tif").sample(lat, lon, nearest=True)
    fine = np.where(np.isfinite(median), median, mean)
    coarse = Raster("fallback_etopo5_5min_socal.tif").sample(lat, lon)
    coarse = np.where(np.isfinite(coarse), coarse, 0.0)
    kind = mask.sample(lat, lon, nearest=True)
    kind = np.where(np.isfinite(kind), kind, 0).astype(int)
    land = kind == 1
    # Detail where only the 5-minute data exists: as strong as the ground's own
    # relief at 5 minutes, high-passed so that 5-minute means do not move.
    relief = np.sqrt(np.maximum(box_mean(coarse ** 2, 10) - box_mean(coarse, 10) ** 2, 0))
    amp = np.clip(1.5 * relief, 0, 600)
    d = detail(lat, lon)
    d = d - box_mean(d, 5)
    rough = coarse + np.where(land, amp * d, 0.0)
    # Into the 30-second data over a tenth of a degree at its edges.
    have = np.isfinite(fine)
    w = np.clip(box_mean(erode(have, 6).astype(float), 6), 0, 1) * have
    z = np.where(have, w * np.nan_to_num(fine) + (1 - w) * rough, rough)
    near_sea = box_mean((kind == 0).astype(float), 10) > 0
    z = np.where(land & near_sea, np.maximum(z, 1.0), z)
    z = np.where(kind == 0, 0.0, z)
    for comp in lake_components(kind == 2):
        rs, cs = zip(*comp)
        level = float(np.median(z[rs, cs]))
        clat, clon = float(np.mean(lat[rs, cs])), float(np.mean(lon[rs, cs]))
        for (llat, llon), lv in LAKE_LEVELS:
            if abs(clat - llat) < 0.4 and abs(clon - llon) < 0.4:
                level = lv
        z[rs, cs] = level
    # Each airport flat at its published elevation, blending out over 2.5 km.
    runways = read_runways()
    for ident, alat, alon, az in read_airports():
        r = int(round((alat - 32) * RES))
        c = int(round((alon + 120) * RES))
        if r < -40 or c < -40 or r > 4 * RES + 40 or c > 5 * RES + 40:
            continue
        r1, r2, c1, c2 = max(r - 40, 0), min(r + 41, 4 * RES + 1), max(c - 40, 0), min(c + 41, 5 * RES + 1)
        if r1 >= r2 or c1 >= c2:
            continue
        la, lo = lat[r1:r2, c1:c2], lon[r1:r2, c1:c2]
        segs = runways.get(ident) or [(alat, alon, alat, alon)]
        dist = np.min([seg_dist_km(la, lo, s) for s in segs], axis=0)
        t = np.clip((dist - 0.8) / 2.5, 0, 1)
        t = t * t * (3 - 2 * t)
        sub = z[r1:r2, c1:c2]
        keep = kind[r1:r2, c1:c2] != 1
        z[r1:r2, c1:c2] = np.where(keep, sub, az + (sub - az) * t)
    return lat, lon, z, have


# ---------- each quadrant through the editor ----------

def tri_corners(i, j, tri, div):
    if div == 0:
        return [(i, j), (i + 1, j), (i, j + 1)] if tri == 0 else [(i + 1, j + 1), (i, j + 1), (i + 1, j)]
    return [(i, j + 1), (i + 1, j + 1), (i, j)] if tri == 0 else [(i + 1, j), (i, j), (i + 1, j + 1)]


def write_heights(path, z, qlat, qlon):
    """The quadrant's 121 x 121 nodes as a GeoTIFF, north row first."""
    r0, c0 = (qlat - 32) * RES, (qlon + 120) * RES
    sub = z[r0:r0 + RES + 1, c0:c0 + RES + 1][::-1, :].astype(np.float32)
    ds = gdal.GetDriverByName("GTiff").Create(path, RES + 1, RES + 1, 1, gdal.GDT_Float32)
    ds.SetGeoTransform((qlon - 0.5 / RES, 1.0 / RES, 0, qlat + 1 + 0.5 / RES, 0, -1.0 / RES))
    srs = osr.SpatialReference()
    srs.ImportFromEPSG(4326)
    ds.SetProjection(srs.ExportToWkt())
    ds.GetRasterBand(1).WriteArray(sub)
    ds = None


SAMPLES = [(1 / 6, 1 / 6), (2 / 3, 1 / 6), (1 / 6, 2 / 3), (1 / 3, 1 / 3), (1 / 2, 1 / 4), (1 / 4, 1 / 2)]


def set_water(pts, mask):
    """Water of every triangle from the shoreline; water lies level."""
    lat = np.array([[pts[j][i][0] for j in range(NY + 1)] for i in range(NX + 1)])
    lon = np.array([[pts[j][i][1] for j in range(NY + 1)] for i in range(NX + 1)])
    level = {}
    flags = {}
    for i in range(NX):
        for j in range(NY):
            f = pts[j][i][3]
            div = f & 1
            f &= ~6
            for t in (0, 1):
                c = tri_corners(i, j, t, div)
                la = np.array([lat[c[0]] + a * (lat[c[1]] - lat[c[0]]) + b * (lat[c[2]] - lat[c[0]]) for a, b in SAMPLES])
                lo = np.array([lon[c[0]] + a * (lon[c[1]] - lon[c[0]]) + b * (lon[c[2]] - lon[c[0]]) for a, b in SAMPLES])
                kinds = mask.sample(la, lo, nearest=True)
                wet = [k for k in kinds if k != 1]
                if len(wet) * 2 > len(kinds):
                    f |= 2 << t
                    lake = sum(1 for k in wet if k == 2) * 2 > len(wet)
                    for p in c:
                        if lake:
                            level.setdefault(p, [])
                            level[p].append(pts[p[1]][p[0]][2])
                        else:
                            level[p] = None
            flags[(i, j)] = f
    for (i, j), f in flags.items():
        la, lo, z, _ = pts[j][i]
        pts[j][i] = (la, lo, z, f)
    # Sea at 0; a lake at the lowest height its points were given.
    lakes = {p: min(v) for p, v in level.items() if v is not None}
    for (i, j), v in level.items():
        la, lo, z, f = pts[j][i]
        pts[j][i] = (la, lo, 0.0 if v is None else lakes[(i, j)], f)


def peaks(z, have, qlat, qlon):
    """Summits of the 30-second data in the quadrant: highest within 3 km and
    standing 150 m over their surroundings."""
    r0, c0 = (qlat - 32) * RES, (qlon + 120) * RES
    sub = z[r0:r0 + RES + 1, c0:c0 + RES + 1]
    ok = have[r0:r0 + RES + 1, c0:c0 + RES + 1]
    p = np.pad(sub, 6, mode="edge")
    top = np.max([p[6 + dr:6 + dr + RES + 1, 6 + dc:6 + dc + RES + 1] for dr in range(-6, 7) for dc in range(-6, 7)], axis=0)
    rise = sub - box_mean(sub, 6)
    out = []
    for r, c in zip(*np.nonzero((sub >= top) & (rise > 150) & ok)):
        out.append((qlat + r / RES, qlon + c / RES, float(sub[r, c])))
    return out


def cell_convex(pts, i, j):
    """The cell's corners run round it anticlockwise with room, as the editor keeps them."""
    c = [(i, j), (i + 1, j), (i + 1, j + 1), (i, j + 1)]
    for k in range(4):
        a, b, d = c[k], c[(k + 1) % 4], c[(k + 2) % 4]
        ux = (pts[b[1]][b[0]][1] - pts[a[1]][a[0]][1]) * NX
        uy = (pts[b[1]][b[0]][0] - pts[a[1]][a[0]][0]) * NY
        vx = (pts[d[1]][d[0]][1] - pts[b[1]][b[0]][1]) * NX
        vy = (pts[d[1]][d[0]][0] - pts[b[1]][b[0]][0]) * NY
        if ux * vy - uy * vx < 0.1:
            return False
    return True


def pin_peaks(pts, summits):
    """The grid point nearest each summit moves onto it, inside its ring of
    neighbours, and takes its height; the cells around choose their diagonals again."""
    for la, lo, h in summits:
        best, bi, bj = 1e9, -1, -1
        for j in range(1, NY):
            for i in range(1, NX):
                d = (pts[j][i][0] - la) ** 2 + ((pts[j][i][1] - lo) * 0.83) ** 2
                if d < best:
                    best, bi, bj = d, i, j
        w, e = pts[bj][bi - 1][1], pts[bj][bi + 1][1]
        s, n = pts[bj - 1][bi][0], pts[bj + 1][bi][0]
        if not (w + 0.2 * (e - w) < lo < e - 0.2 * (e - w) and s + 0.2 * (n - s) < la < n - 0.2 * (n - s)):
            continue
        old = pts[bj][bi]
        pts[bj][bi] = (la, lo, h, old[3])
        if not all(cell_convex(pts, i, j) for i in (bi - 1, bi) for j in (bj - 1, bj)):
            pts[bj][bi] = old
            continue
        for i in (bi - 1, bi):
            for j in (bj - 1, bj):
                d1 = abs(round(pts[j][i][2]) - round(pts[j + 1][i + 1][2]))
                d2 = abs(round(pts[j + 1][i][2]) - round(pts[j][i + 1][2]))
                f = pts[j][i][3] & ~1
                pts[j][i] = pts[j][i][:3] + (f | (1 if d1 < d2 else 0),)


def quadrant(gridwright, z, have, mask, qlat, qlon, objs, out_path):
    with tempfile.TemporaryDirectory() as tmp:
        tif = os.path.join(tmp, "heights.tif")
        env = os.path.join(tmp, "quadrant.env")
        write_heights(tif, z, qlat, qlon)
        os.makedirs(os.path.join(tmp, "app"))
        subprocess.run([gridwright, "--data", os.path.join(tmp, "app"), "--seed", str(SEED), "--quadrant",
                        "%d,%d" % (qlat, qlon), "--import", tif, "--save", "--output", env], check=True)
        with open(env, "rb") as f:
            buf = f.read()
    assert buf[:1] == b"i" and struct.unpack("<i", buf[1:5])[0] == 4
    pts = [[struct.unpack_from("<fffi", buf, 5 + 16 * (j * (NX + 1) + i)) for i in range(NX + 1)] for j in range(NY + 1)]
    pin_peaks(pts, peaks(z, have, qlat, qlon))
    set_water(pts, mask)
    out = bytearray(buf[:5])
    for j in range(NY + 1):
        for i in range(NX + 1):
            out += struct.pack("<fffi", *pts[j][i])
    n = 0
    for kind, olat, olon, h_ft in objs:
        if qlat <= olat < qlat + 1 and qlon <= olon < qlon + 1:
            ci = min(int((olon - qlon) * NX), NX - 1)
            cj = min(int((olat - qlat) * NY), NY - 1)
            out += struct.pack("<ifffii", kind, olat, olon, h_ft, ci, cj)
            n += 1
    tail = 5 + 16 * (NX + 1) * (NY + 1)
    assert struct.unpack_from("<i", buf, tail)[0] == 99
    out += buf[tail:]
    os.makedirs(os.path.dirname(out_path), exist_ok=True)
    with open(out_path + ".tmp", "wb") as f:
        f.write(out)
    os.replace(out_path + ".tmp", out_path)
    return n


def tag(v):
    return "%s%03d" % ("-" if v < 0 else "+", abs(v))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(TOP, "build")
    gridwright = os.path.join(build, "gridwright")
    mask = Raster("landmask_15s.tif")
    print("heights...", flush=True)
    lat, lon, z, have = block_heights(mask)
    airports = [(a[1], a[2], a[3]) for a in read_airports()]

    def mask_at(_m, _s, _w, la, lo):
        return int(mask.sample(np.array([la]), np.array([lo]), nearest=True)[0])
    globals()["mask_at"] = mask_at
    objs = town_objects(read_towns(), airports, mask, 0, 0)
    total = 0
    for qlat in QUAD_LAT:
        for qlon in QUAD_LON:
            latb = (qlat + 60) // 10 * 10 - 60
            lonb = (qlon + 180) // 10 * 10 - 180
            path = os.path.join(TOP, "data", "DATA", tag(latb) + tag(lonb), tag(qlat) + tag(qlon) + ".env")
            r0, c0 = (qlat - 32) * RES, (qlon + 120) * RES
            share = have[r0:r0 + RES + 1, c0:c0 + RES + 1].mean()
            n = quadrant(gridwright, z, have, mask, qlat, qlon, objs, path)
            total += n
            print("%s%s: %3.0f %% at 30 seconds, %d objects" % (tag(qlat), tag(qlon), 100 * share, n), flush=True)
    print("wrote %d objects" % total)


if __name__ == "__main__":
    main()
