#!/usr/bin/env python3
"""Writes the airport and navaid files "apt_dat" and "nav_dat" of the
application folder from the public tables in source/ (see README.md there).

    navdata.py OUTPUT_FOLDER

Airports of the default block (32-36 N, 121-115 W) and the two fields of the
Favorites menu come from source/airports.csv and source/runways.csv with
every runway detail; the rest of the world's medium and large airports from
source/world_*.csv.  ILS localizers, glide slopes and markers are placed from
each runway's own geometry; their frequencies and identifiers are the published
ones where PUBLISHED_ILS lists them and made up elsewhere (no open ILS table
was at hand).  Lines are written in the same
fixed widths as the editor's line writers.
"""
import csv
import math
import os
import sys
import unicodedata

HERE = os.path.dirname(os.path.abspath(__file__))
SRC = os.path.join(HERE, "source")
BLOCK = (32.0, 36.0, -121.0, -115.0)       # lat_s, lat_n, lon_w, lon_e of the detailed tables
ILS_EXTRA = {"KBKL"}                          # outside the block, given ILS too
ELEV_FIX = {"KCGX": 593}                      # Meigs Field, feet (published airport elevation)
NAME_FIX = {"KCGX": "Merrill C. Meigs Field"}   # the table's name carries a closing note
FT = 0.3048
NM = 1852.0

# Runway ends that carry the ILS, where the landing direction is well known;
# elsewhere the end landing closest to the prevailing westerly (250 true).
ILS_ENDS = {
    "KSBD": ["06"], "KBUR": ["08"], "KVNY": ["16R"], "KSNA": ["20R"], "KPSP": ["31L"],
    "KONT": ["26L", "26R", "08L"], "KLGB": ["30"], "KSAN": ["27"], "KBKL": ["24R"],
    "KLAX": ["24R", "24L", "25L", "25R", "06L", "06R", "07L", "07R"],
}


# Published localizer frequencies and identifiers (the approach charts' figures);
# every other ILS gets a made-up channel and identifier.
PUBLISHED_ILS = {
    ("KLAX", "25L"): ((109, 90), "IHQB"),
    ("KSAN", "27"): ((110, 90), "ISAN"),
}


def ascii_text(s, n=38):
    s = unicodedata.normalize("NFKD", s).encode("ascii", "ignore").decode("ascii")
    s = " ".join(s.replace("\t", " ").split())
    return s[:n]


def fnum(s, default=None):
    try:
        v = float(s)
        return v if math.isfinite(v) else default
    except (TypeError, ValueError):
        return default


def in_block(lat, lon):
    return BLOCK[0] <= lat <= BLOCK[1] and BLOCK[2] <= lon <= BLOCK[3]


def bearing(lat1, lon1, lat2, lon2):
    p1, p2 = math.radians(lat1), math.radians(lat2)
    dl = math.radians(lon2 - lon1)
    y = math.sin(dl) * math.cos(p2)
    x = math.cos(p1) * math.sin(p2) - math.sin(p1) * math.cos(p2) * math.cos(dl)
    return math.degrees(math.atan2(y, x)) % 360


def offset(lat, lon, hdg, dist_m, side_m=0.0):
    """The point dist_m along true heading hdg and side_m to its right."""
    h = math.radians(hdg)
    north = dist_m * math.cos(h) - side_m * math.sin(h)
    east = dist_m * math.sin(h) + side_m * math.cos(h)
    return lat + north / (60 * NM), lon + east / (60 * NM * math.cos(math.radians(lat)))


def split_ident(ident):
    """'06L' -> (6, 'L'); None for helipads and the like."""
    digits = "".join(c for c in ident if c.isdigit())
    letter = "".join(c for c in ident if c.isalpha()).upper()
    if not digits or len(digits) > 2 or ident.upper().startswith("H"):
        return None
    num = int(digits)
    if not 1 <= num <= 36:
        return None
    return num, (letter[:1] if letter[:1] in ("L", "R", "C") else "x")


class Runway:
    def __init__(self, le, he, length, width, lighted, le_lat, le_lon, he_lat, he_lon, hdg, elev):
        self.le, self.he = le, he
        self.length, self.width = int(round(length)), int(round(width))
        self.lighted = lighted
        self.ends = None
        if None not in (le_lat, le_lon, he_lat, he_lon):
            self.ends = (le_lat, le_lon, he_lat, he_lon)
            self.hdg = bearing(le_lat, le_lon, he_lat, he_lon)
        else:
            self.hdg = hdg if hdg is not None else split_ident(le)[0] * 10.0
        self.elev = elev
        self.ils = [False, False]   # low end, high end

    def centre(self, arp):
        if self.ends:
            return (self.ends[0] + self.ends[2]) / 2, (self.ends[1] + self.ends[3]) / 2
        return arp

    def threshold(self, end, arp):
        """Threshold position and landing heading of end 0 (low) or 1 (high)."""
        if self.ends:
            lat, lon = (self.ends[0], self.ends[1]) if end == 0 else (self.ends[2], self.ends[3])
        else:
            c = self.centre(arp)
            lat, lon = offset(c[0], c[1], self.hdg if end == 0 else self.hdg + 180, -self.length * FT / 2)
        return lat, lon, (self.hdg if end == 0 else self.hdg + 180) % 360


class Airport:
    def __init__(self, ident, name, lat, lon, elev, towered):
        self.ident, self.name = ident, ascii_text(name)
        self.lat, self.lon, self.elev, self.towered = lat, lon, elev, towered
        self.runways = []


def end_code(gls, rwy, app):
    return gls * 100 + rwy * 10 + app


def light_code(apt, rw):
    codes = []
    for end in (0, 1):
        if not rw.lighted:
            codes.append(end_code(1, 1, 1))
        elif rw.ils[end]:
            big = rw.length >= 8000
            codes.append(end_code(3, 5 if big else 4, 5 if big else 4))
        elif apt.towered and rw.length >= 5000:
            codes.append(end_code(2, 3, 2))
        else:
            codes.append(end_code(2 if rw.length >= 4000 else 1, 2, 1))
    return codes[0] + 1000 * codes[1]


def read_detailed():
    apts = {}
    with open(os.path.join(SRC, "airports.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            elev = fnum(r["elev_ft"], ELEV_FIX.get(r["ident"], 0))
            apts[r["ident"]] = Airport(r["ident"], NAME_FIX.get(r["ident"], r["name"]), float(r["lat"]), float(r["lon"]), elev,
                                       r["towered"] == "1")
    with open(os.path.join(SRC, "runways.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            a = apts.get(r["airport_ident"])
            if a is None or split_ident(r["le_ident"]) is None:
                continue
            rw = Runway(r["le_ident"], r["he_ident"], fnum(r["length_ft"], 0), fnum(r["width_ft"], 75),
                        r["lighted"] == "1" or r["airport_ident"] == "KCGX",
                        fnum(r["le_lat"]), fnum(r["le_lon"]), fnum(r["he_lat"]), fnum(r["he_lon"]),
                        fnum(r["le_heading_true"]), a.elev)
            if rw.length > 1:
                a.runways.append(rw)
    return apts


def read_world(skip):
    apts = {}
    with open(os.path.join(SRC, "world_airports.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            lat, lon = fnum(r["lat"]), fnum(r["lon"])
            if r["ident"] in skip or lat is None or lon is None or in_block(lat, lon):
                continue
            apts[r["ident"]] = Airport(r["ident"], r["name"], lat, lon, fnum(r["elev_ft"], 0),
                                       r["towered"] == "1")
    with open(os.path.join(SRC, "world_runways.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            a = apts.get(r["airport_ident"])
            if a is None or split_ident(r["le_ident"]) is None:
                continue
            length = fnum(r["length_ft"], 0)
            if length < 500:
                continue
            a.runways.append(Runway(r["le_ident"], r["he_ident"], length, fnum(r["width_ft"], 100) or 100,
                                    r["lighted"] == "1", fnum(r["le_lat"]), fnum(r["le_lon"]),
                                    fnum(r["he_lat"]), fnum(r["he_lon"]), fnum(r["le_heading_true"]), a.elev))
    return {k: a for k, a in apts.items() if a.runways}


def choose_ils(apts):
    for a in apts.values():
        if not a.towered or not (in_block(a.lat, a.lon) or a.ident in ILS_EXTRA):
            continue
        wanted = ILS_ENDS.get(a.ident)
        for rw in a.runways:
            if wanted is not None:
                rw.ils = [rw.le in wanted, rw.he in wanted]
            elif rw.lighted and rw.length >= 5000:
                d0 = abs((rw.hdg - 250 + 180) % 360 - 180)
                d1 = abs((rw.hdg + 180 - 250 + 180) % 360 - 180)
                rw.ils = [d0 <= d1, d1 < d0]


ILS_CHANNELS = [(mhz, t * 10 + h) for mhz in (108, 109, 110, 111) for t in (1, 3, 5, 7, 9) for h in (0, 5)]


def ils_navaids(apts):
    """Localizer, glide slope and markers for every ILS end, frequencies
    chosen so that no two ILS within 1.6 degrees share one."""
    out, placed = [], []
    # The published channels first, so that no made-up one near them repeats them.
    for (ident, rwy_name), (freq, _) in PUBLISHED_ILS.items():
        a = apts.get(ident)
        for rw in (a.runways if a else []):
            for end in (0, 1):
                if (rw.le if end == 0 else rw.he) == rwy_name and rw.ils[end]:
                    thr = rw.threshold(end, rw.centre((a.lat, a.lon)))
                    placed.append((thr[0], thr[1], freq))
    for a in sorted(apts.values(), key=lambda a: a.ident):
        letters = a.ident[1:] if len(a.ident) == 4 and a.ident[0] == "K" else a.ident[-3:]
        k = 0
        for rw in a.runways[:3]:
            for end in (0, 1):
                if not rw.ils[end]:
                    continue
                thr_lat, thr_lon, hdg = rw.threshold(end, rw.centre((a.lat, a.lon)))
                name_rwy = rw.le if end == 0 else rw.he
                published = PUBLISHED_ILS.get((a.ident, name_rwy))
                if published:
                    freq, ident = published
                else:
                    # The airport's letters, then made-up ones; none a published one of the airport's.
                    taken = {p[1] for (i, _), p in PUBLISHED_ILS.items() if i == a.ident}
                    spare = [c for c in "ZYXWVUTSRQ" if c != letters[2:3]]
                    names = [("I" + letters)[:4]] + ["I" + letters[:2] + c for c in spare]
                    names = [n for n in names if n not in taken]
                    ident = names[k]
                    k += 1
                    used = {f for (la, lo, f) in placed if math.hypot(la - thr_lat, lo - thr_lon) < 1.6}
                    free = [c for c in ILS_CHANNELS if c not in used]
                    freq = free[0] if free else ILS_CHANNELS[len(placed) % len(ILS_CHANNELS)]
                    placed.append((thr_lat, thr_lon, freq))
                length_m = rw.length * FT
                z = rw.elev
                loc = offset(thr_lat, thr_lon, hdg, length_m + 1000 * FT)
                gs = offset(thr_lat, thr_lon, hdg, 1000 * FT, 400 * FT)
                ih = int(round(hdg)) % 360
                out.append((4, loc[0], loc[1], z, freq[0], freq[1], ih, ident, "%s ILS %s" % (a.ident, name_rwy)))
                out.append((6, gs[0], gs[1], z, freq[0], freq[1], ih, ident, "%s GS %s" % (a.ident, name_rwy)))
                om = offset(thr_lat, thr_lon, hdg, -4.5 * NM)
                mm = offset(thr_lat, thr_lon, hdg, -3500 * FT)
                out.append((7, om[0], om[1], z, 75, 0, ih, ident, "%s OM %s" % (a.ident, name_rwy)))
                out.append((8, mm[0], mm[1], z, 75, 0, ih, ident, "%s MM %s" % (a.ident, name_rwy)))
                if rw.length >= 10000:
                    im = offset(thr_lat, thr_lon, hdg, -1000 * FT)
                    out.append((9, im[0], im[1], z, 75, 0, ih, ident, "%s IM %s" % (a.ident, name_rwy)))
    return out


def vor_ndb(kind, freq):
    """Type and frequency parts of a VOR (MHz) or NDB (kHz) listing."""
    if kind.startswith("NDB"):
        return 2, int(round(freq)), 0
    mhz = int(freq + 1e-6)
    return 3, mhz, int(round((freq - mhz) * 100))


def navaids(apts):
    out = []
    with open(os.path.join(SRC, "navaids.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            if r["type"] == "TACAN":   # no signal for a VOR receiver
                continue
            t, f1, f2 = vor_ndb(r["type"], float(r["freq"]))
            out.append((t, float(r["lat"]), float(r["lon"]), fnum(r["elev_ft"], 0), f1, f2, 0,
                        r["ident"], ascii_text(r["name"]) + (" NDB" if t == 2 else " VOR")))
    with open(os.path.join(SRC, "world_navaids.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            lat, lon, fk = fnum(r["lat"]), fnum(r["lon"]), fnum(r["freq_khz"])
            if lat is None or lon is None or fk is None or in_block(lat, lon) or len(r["ident"]) > 4:
                continue
            t, f1, f2 = vor_ndb(r["type"], fk if r["type"].startswith("NDB") else fk / 1000.0)
            out.append((t, lat, lon, fnum(r["elev_ft"], 0), f1, f2, 0, r["ident"],
                        ascii_text(r["name"]) + (" NDB" if t == 2 else " VOR")))
    return ils_navaids(apts) + out


def id4(ident):
    return (ident.strip() + "    ")[:4]


def apt_line(a):
    rws = sorted(a.runways, key=lambda rw: -rw.length)[:3]
    if a.ident == "KCGX" or len(rws) == 0:
        rws = a.runways[:3]
    line = "1 "
    for k in range(3):
        if k < len(rws):
            rw = rws[k]
            lat, lon = rw.centre((a.lat, a.lon))
            num, lr = split_ident(rw.le)
            line += "%10.6f %11.6f %2d %c %3d %6d %3d %6d " % (
                lat, lon, num, lr, int(round(rw.hdg)) % 360, rw.length, rw.width, light_code(a, rw))
        else:
            line += "%10.6f %11.6f %2d %c %3d %6d %3d %6d " % (0, 0, 0, "x", 0, 0, 0, 0)
    return line + "%6.0f %1d %s %s\n" % (a.elev, 1 if a.towered else 0, id4(a.ident), a.name)


def nav_line(n):
    t, lat, lon, z, f1, f2, h, ident, name = n
    return "%d %10.6f %11.6f %8.1f %8d %8d %4d %s %s\n" % (t, lat, lon, z, f1, f2, h, id4(ident), ascii_text(name))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    detailed = read_detailed()
    world = read_world(set(detailed))
    apts = dict(detailed)
    apts.update(world)
    choose_ils(apts)
    # The detailed block first, so that the default region's airports lead its lists.
    order = sorted(detailed.values(), key=lambda a: a.ident) + sorted(world.values(), key=lambda a: a.ident)
    # Runways sorted as written, so that the ILS choice and the file agree.
    for a in apts.values():
        if a.ident != "KCGX":
            a.runways = sorted(a.runways, key=lambda rw: -rw.length)
    with open(os.path.join(out, "apt_dat"), "w", encoding="ascii", newline="\n") as f:
        f.write("I\n354 version\n354 version code 2\n")
        for a in order:
            f.write(apt_line(a))
        f.write("99\n")
    navs = navaids(apts)
    with open(os.path.join(out, "nav_dat"), "w", encoding="ascii", newline="\n") as f:
        f.write("I\n354 version\n354 version code 2\n")
        for n in navs:
            f.write(nav_line(n))
        f.write("99\n")
    print("airports %d navaids %d" % (len(order), len(navs)))


if __name__ == "__main__":
    main()
