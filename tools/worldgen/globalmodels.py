#!/usr/bin/python3
"""Writes the global models the simulator and the editor build quadrants from
where no environment file exists:

    data/world/heights.tvw   land heights of the whole globe at 5 arc-minutes
                             (ETOPO5, Debian ferret-datasets), int16 metres
    data/world/water.tvw     ocean, land and lakes at RES arc-seconds (GSHHG
                             high resolution through `gmt grdlandmask`, Debian
                             gmt and gmt-gshhg-high), two bits a cell

    /usr/bin/python3 tools/worldgen/globalmodels.py [RES]    (RES 60 or 30, default 30)

Both files: "TVWM", version 1, kind (1 heights, 2 mask), columns, rows, cells
per degree, tile columns and rows, then per tile (offset, compressed length,
fill) and the zlib-compressed tiles (a tile of one value is stored as its
fill alone). Rows run south to north. See basekit/bk_world.cpp.

The heights: ETOPO5 nodes; a node whose 5-minute cell is mostly ocean in the
mask is 0 (the sea floor is not needed); land next to the ocean is at least
1 m; nodes of a lake are set to the lake's level, the median of ETOPO5 on the
land nodes along its shore, so that a lake lies flat.
Needs python3-gdal and python3-numpy.
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

import numpy as np
from osgeo import gdal

gdal.UseExceptions()
HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(TOP, "data", "world")
ETOPO5 = "/usr/share/ferret-vis/data/etopo5.cdf"
TILE_DEG = 5


def write_model(path, kind, grid, per_deg, cells, pack):
    """grid: rows south to north. cells(tile array) -> bytes; pack: fill or None."""
    rows, cols = grid.shape
    tw = th = TILE_DEG * per_deg
    tx, ty = cols // tw, (rows + th - 1) // th
    index, blobs = [], []
    offset = 40 + 12 * tx * ty
    for y in range(ty):
        for x in range(tx):
            t = grid[y * th:(y + 1) * th, x * tw:(x + 1) * tw]
            if t.shape[0] < th:  # the last row of tiles: the edge row repeated
                t = np.vstack([t, np.repeat(t[-1:], th - t.shape[0], axis=0)])
            if t.min() == t.max():
                index.append((0, 0, int(t.flat[0])))
                continue
            blob = zlib.compress(cells(t), 9)
            index.append((offset, len(blob), 0))
            blobs.append(blob)
            offset += len(blob)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(b"TVWM" + struct.pack("<9i", 1, kind, cols, rows, per_deg, tw, th, 0, 0))
        for o, n, fill in index:
            f.write(struct.pack("<IIi", o, n, fill))
        for b in blobs:
            f.write(b)
    os.replace(tmp, path)
    return offset


def pack_mask(t):
    flat = t.astype(np.uint8).ravel()
    pad = (-len(flat)) % 4
    flat = np.concatenate([flat, np.zeros(pad, np.uint8)]).reshape(-1, 4)
    return (flat[:, 0] | flat[:, 1] << 2 | flat[:, 2] << 4 | flat[:, 3] << 6).astype(np.uint8).tobytes()


def make_mask(res):
    if os.environ.get("MASK_NC"):  # a mask made before, to try the heights again quickly
        ds = gdal.Open(os.environ["MASK_NC"])
        return ds.GetRasterBand(1).ReadAsArray()[::-1, :].astype(np.uint8)
    with tempfile.TemporaryDirectory() as tmp:
        grd = os.path.join(tmp, "mask.nc")
        subprocess.run(["gmt", "grdlandmask", "-R-180/180/-90/90", "-I%ds" % res, "-Dh", "-N0/1/2/1/2", "-r",
                        "-G" + grd + "=nb"], check=True, cwd=tmp)
        ds = gdal.Open(grd)  # kept while its band is read
        a = ds.GetRasterBand(1).ReadAsArray()
    # GDAL gives the north row first; the islands in lakes (level 3) are land, their ponds (4) lakes.
    a = a[::-1, :].astype(np.uint8)
    return a


def groups(wet, wrap=True):
    """4-connected groups of true cells (wrapping east-west unless told not to): lists of (row, col)."""
    seen = np.zeros(wet.shape, bool)
    rows, cols = wet.shape
    out = []
    for r0, c0 in zip(*np.nonzero(wet)):
        if seen[r0, c0]:
            continue
        todo, comp = [(r0, c0)], []
        seen[r0, c0] = True
        while todo:
            r, c = todo.pop()
            comp.append((r, c))
            for rr, cc in ((r + 1, c), (r - 1, c), (r, c + 1), (r, c - 1)):
                if wrap:
                    cc %= cols
                if 0 <= rr < rows and 0 <= cc < cols and wet[rr, cc] and not seen[rr, cc]:
                    seen[rr, cc] = True
                    todo.append((rr, cc))
        out.append(comp)
    return out


# Published summit positions of isolated volcanoes (lat, lon): the packaged
# ETOPO5 stands about 0.6 node north and 1.6 nodes west of them, and is moved
# back by the median of the offsets measured here.
SUMMITS = [(46.853, -121.760), (35.3606, 138.7274), (-3.0674, 37.3556), (45.3736, -121.696), (41.409, -122.195),
           (37.751, 14.993), (28.2724, -16.6425), (46.2024, -121.4909), (48.7767, -121.8144), (39.7016, 44.2983),
           (35.9519, 52.1100), (38.5311, 35.4478), (19.0225, -98.6278), (19.0303, -97.2687), (43.3499, 42.4453)]


def summit_offset(a):
    """Median (rows south, columns east) by which the data's summits stand from the published ones."""
    d = []
    for lat, lon in SUMMITS:
        rt, ct = (90 - lat) * 12, (lon % 360) * 12
        r, c = int(round(rt)), int(round(ct))
        w = a[r - 3:r + 4, c - 3:c + 4]
        k = np.unravel_index(np.argmax(w), w.shape)
        rr, cc = r - 3 + k[0], c - 3 + k[1]
        zc, zn, zs, zw, ze = a[rr, cc], a[rr - 1, cc], a[rr + 1, cc], a[rr, cc - 1], a[rr, cc + 1]
        dy = (zn - zs) / (2 * (zn - 2 * zc + zs)) if zn - 2 * zc + zs < 0 else 0.0
        dx = (zw - ze) / (2 * (zw - 2 * zc + ze)) if zw - 2 * zc + ze < 0 else 0.0
        d.append(((rr + dy) - rt, (cc + dx) - ct))
    return np.median(np.array(d), axis=0)


def shifted(a, drow, dcol):
    """a read at (row + drow, col + dcol), bilinear, columns wrapping round the globe."""
    rows, cols = a.shape
    r = np.clip(np.arange(rows) + drow, 0, rows - 1)
    r0 = np.clip(np.floor(r).astype(int), 0, rows - 2)
    fr = (r - r0)[:, None]
    c = np.arange(cols) + dcol
    c0 = np.floor(c).astype(int)
    fc = (c - c0)[None, :]
    c0 %= cols
    c1 = (c0 + 1) % cols
    top = a[r0][:, c0] * (1 - fc) + a[r0][:, c1] * fc
    bot = a[r0 + 1][:, c0] * (1 - fc) + a[r0 + 1][:, c1] * fc
    return top * (1 - fr) + bot * fr


def make_heights(mask, res):
    ds = gdal.Open(ETOPO5)
    z = ds.GetRasterBand(1).ReadAsArray().astype(np.float64)  # 2161 x 4320, north first, lon 0..
    drow, dcol = summit_offset(z)
    print("ETOPO5 summits stand %.2f nodes south and %.2f east of the published ones: moved back" % (drow, dcol),
          flush=True)
    z = shifted(z, drow, dcol)
    z = z[::-1, :]                                              # south first: row j at -90 + j/12
    z = np.roll(z, 2160, axis=1)                                # column i at -180 + i/12
    per = 3600 // res // 12                                     # mask cells per 5-minute node
    # Each node's share of ocean and of lake over the mask cells around it.
    rows, cols = mask.shape
    m = np.pad(mask, ((per // 2, per // 2), (0, 0)), mode="edge")
    m = np.roll(m, per // 2, axis=1)
    ocean = np.zeros(z.shape)
    lake = np.zeros(z.shape)
    for dr in range(per):
        for dc in range(per):
            sub = m[dr::per, dc::per][:z.shape[0], :z.shape[1]]
            ocean[:sub.shape[0], :sub.shape[1]] += sub == 0
            lake[:sub.shape[0], :sub.shape[1]] += (sub == 2) | (sub == 4)
    ocean /= per * per
    lake /= per * per
    sea = ocean > 0.5
    out = np.where(sea, 0.0, z)
    # Land beside the ocean is above it, whatever the coarse data says.
    near = sea.copy()
    near[1:, :] |= sea[:-1, :]
    near[:-1, :] |= sea[1:, :]
    near |= np.roll(sea, 1, axis=1) | np.roll(sea, -1, axis=1)
    out = np.where(~sea & near, np.maximum(out, 1.0), out)
    # Lakes level at the median of the land along their shores.
    wet = (lake > 0.5) & ~sea
    rows, cols = wet.shape
    for comp in groups(wet):
        ring = set()
        for r, c in comp:
            for rr, cc in ((r + 1, c), (r - 1, c), (r, (c + 1) % cols), (r, (c - 1) % cols)):
                if 0 <= rr < rows and not wet[rr, cc] and not sea[rr, cc]:
                    ring.add((rr, cc))
        if ring:
            level = float(np.median([out[p] for p in ring]))
            rs, cs = zip(*comp)
            out[list(rs), list(cs)] = level
    out = np.clip(np.rint(out), -500, 9000).astype(np.int16)
    return out


def pack_heights(t):
    return t.astype("<i2").tobytes()


def main():
    res = int(sys.argv[1]) if len(sys.argv) > 1 else 30
    os.makedirs(OUT, exist_ok=True)
    print("mask at %d arc-seconds..." % res, flush=True)
    mask = make_mask(res)
    mask_for_model = np.where(mask == 3, 1, np.where(mask == 4, 2, mask)).astype(np.uint8)
    size_m = write_model(os.path.join(OUT, "water.tvw"), 2, mask_for_model, 3600 // res, pack_mask, None)
    print("water.tvw: %d bytes" % size_m, flush=True)
    h = make_heights(mask, res)
    size_h = write_model(os.path.join(OUT, "heights.tvw"), 1, h, 12, pack_heights, None)
    print("heights.tvw: %d bytes" % size_h, flush=True)


if __name__ == "__main__":
    main()
