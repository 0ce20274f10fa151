#!/usr/bin/env python3
"""Writes the shipped aircraft files (version 35) and their flap files:
    data/Aircraft/<Name>/<Name>.acf, data/flaps/<Name>.flp
    python3 tools/acfgen/acfgen.py [data folder]
The aircraft are described below in the units of the file (feet, pounds,
knots, horsepower, rpm). DEFAULT_AIRCRAFT.md says where the trainer's
figures come from."""
import math
import os
import sys

# ---------------------------------------------------------------- parts
NO_PART = dict(foils=("", "", "", ""), sweep1=0, sweep2=0, dihed=0, semilen=0.0, croot=0.0, ctip=0.0,
               x=0.0, y=0.0, z=0.0, diffRe=0, diffRT=0, varsweep=0, inc=(), flags={})


def part(**kw):
    p = dict(NO_PART)
    p.update(kw)
    return p


def prop(**kw):
    p = part(**kw)
    p.setdefault("dir", 0)
    return p


NO_PROP = dict(NO_PART, dir=0, blades=0, adv=0.0, rpm=0.0, vel=0.0, minpitch=0.0, maxpitch=0.0)


def blade_angles(pitch_in, radius_ft, els):
    """Geometric angle of a fixed-pitch blade at each ring centre (degrees)."""
    out = []
    for j in range(els):
        r_in = radius_ft * 12 * (j + 0.5) / els
        out.append(math.degrees(math.atan(pitch_in / (2 * math.pi * r_in))))
    return tuple(out)


def washout(root, tip, els):
    return tuple(root + (tip - root) * (j + 0.5) / els for j in range(els))


def flags(els, *on):
    return tuple(1 if j in on else 0 for j in range(els))


# ---------------------------------------------------------------- bodies
def ellipse_section(x, hw, top, bot):
    """8 points: top, upper right, widest right, lower right, bottom, then the left side back up."""
    mid = (top + bot) / 2
    s = math.sqrt(0.5)
    right = [(0.0, top), (hw * s, mid + (top - mid) * s), (hw, mid), (hw * s, mid - (mid - bot) * s), (0.0, bot)]
    left = [(-y, z) for (y, z) in reversed(right[1:4])]
    return [(x, y, z) for (y, z) in right + left]


def body(stations):
    secs = [ellipse_section(*st) for st in stations]
    while len(secs) < 9:
        secs.append([(0.0, 0.0, 0.0)] * 8)
    return secs


EMPTY_BODY = body([])

# ---------------------------------------------------------------- the trainer
# Four seats, 160 hp, high wing, fixed tricycle gear. Origin at the spinner
# tip on the thrust line; x aft, y right, z up, feet.
FIREWALL = 3.2
TRAINER_DIHEDRAL = 4
TRAINER_TAIL_INC = -1.0
TRAINER_AIL_CRAT = 0.22
TRAINER_CG_X = FIREWALL + 43.4 / 12
TRAINER = dict(
    name="Trainer",
    tailnum="TV-160",
    is_heli=0, asi_units=2,
    speeds=(33, 44, 85, 127, 158), mmo=0.25,
    eye=(7.4, -0.9, 1.9),
    panel=(1, 1, 1, 1, 0, 1), instruments=(1, 2, 3, 4, 5, 6, 7, 8), ff=(0, 0),
    engine=dict(entype=1, bypass=0, numen=1, pmax=160, critalt=0, omega=(600, 2700, 2100, 2700),
                tmax=0, spool=0, face=0, burner=0, rev=0, cant=(0, 0, 0, 0), trotor=0, vect=0, varpitch=0),
    parts=[
        dict(NO_PROP, foils=("N4415_Re1.afl", "", "N4412_Re1.afl", ""), dir=0, blades=2, adv=57.0, rpm=2400,
             vel=110, minpitch=0.0, maxpitch=0.0, semilen=37.5 / 12, croot=0.38, ctip=0.22, x=0.4, y=0.0,
             z=0.0, diffRT=1, inc=blade_angles(57.0, 37.5 / 12, 6)),
        NO_PROP, NO_PROP, NO_PROP,
    ],
    flapfile="Trainer.flp", hstab=(0, 0.0),
    controls=dict(crat=(TRAINER_AIL_CRAT, 0.43, 0.38, 0, 0, 0), defl=(20, 15, 28, 23, 17, 0, 0, 0), slat=0, smooth=0),
    fuse=dict(cd=0.2, wash=1, nace=0, misc=0, misc_at=(0, 0, 0)),
    mass=dict(cg=(TRAINER_CG_X, 0.0), empty=1419, max=2400, fuel=240, jett=0),
    gear=dict(eq=1, retract=0, skid=0, nwsteer=10, sgear=1.5, n=(FIREWALL - 0.6, -3.9), m=(FIREWALL + 58.0 / 12, 4.15, -4.0),
              skids=(0, 0, 0, 0)),
)
_W = dict(foils=("N2412_Re3.afl", "N2412_Re6.afl", "", ""), sweep1=0, sweep2=0, dihed=TRAINER_DIHEDRAL, semilen=36.08 / 2,
          croot=5.40, ctip=4.25, x=6.57, y=0.0, z=2.6, diffRe=1, inc=washout(1.5, -1.5, 8))
_W_FLAGS = dict(ailn=flags(8, 4, 5, 6, 7), splr=flags(8), flap=flags(8, 0, 1, 2, 3), slat=flags(8),
                sbrk=flags(8), drud=flags(8))
_H = dict(foils=("N0012_Re3.afl", "", "", ""), semilen=136.0 / 24, croot=3.90, ctip=2.80, x=21.3, y=0.0, z=1.0,
          inc=(TRAINER_TAIL_INC,) * 4)
_H_FLAGS = dict(elev=flags(4, 0, 1, 2, 3), flap=flags(4), slat=flags(4))
TRAINER["parts"] += [
    part(**_W, flags=_W_FLAGS), part(**_W, flags=_W_FLAGS), part(flags=dict(_W_FLAGS, **{k: () for k in _W_FLAGS})),
    part(flags={k: () for k in _W_FLAGS}),
    part(**_H, flags=_H_FLAGS), part(**_H, flags=_H_FLAGS),
    part(foils=("N0012_Re3.afl", "", "", ""), sweep1=35, dihed=90, semilen=4.6, croot=5.2, ctip=2.7, x=21.5,
         y=0.0, z=1.2, inc=(0.0,) * 4, flags=dict(rudd=flags(4, 0, 1, 2, 3))),
    part(flags=dict(rudd=())),
]
TRAINER["bodies"] = [
    body([(0.0, 0.05, 0.05, -0.05), (1.0, 1.1, 1.1, -1.1), (FIREWALL, 1.6, 1.6, -1.7), (5.5, 1.7, 2.6, -1.9),
          (8.5, 1.7, 2.6, -1.8), (12.0, 1.2, 2.2, -1.2), (16.0, 0.8, 1.6, -0.6), (21.0, 0.5, 1.2, 0.0),
          (25.5, 0.2, 1.0, 0.5)]),
] + [EMPTY_BODY] * 6

# ---------------------------------------------------------------- the light twin
# Six seats, two 180 hp engines turning opposite ways, low wing, retractable
# gear. Origin at the nose on the cabin centreline, feet.
TWIN_CG_X = 9.6
_TW = dict(foils=("N23015_Re3.afl", "N23015_Re9.afl", "N23012_Re3.afl", "N23012_Re9.afl"), sweep1=0, dihed=6,
           semilen=19.0, croot=5.8, ctip=3.67, x=9.9, y=0.0, z=-1.0, diffRe=1, diffRT=1, inc=washout(2.0, -1.0, 8))
_TW_FLAGS = dict(ailn=flags(8, 5, 6, 7), splr=flags(8), flap=flags(8, 0, 1, 2, 3, 4), slat=flags(8),
                 sbrk=flags(8), drud=flags(8))
_TH = dict(foils=("N0012_Re3.afl", "", "", ""), semilen=6.5, croot=3.6, ctip=2.4, x=26.0, y=0.0, z=0.5,
           inc=(-1.5,) * 4)
_TWIN_PROP = dict(NO_PROP, foils=("N4415_Re1.afl", "", "N4412_Re1.afl", ""), blades=2, adv=80.0, rpm=2500,
                  vel=160, minpitch=12.0, maxpitch=35.0, semilen=38.0 / 12, croot=0.45, ctip=0.28, x=3.8,
                  z=-0.6, diffRT=1, inc=tuple(a - 20.0 for a in blade_angles(80.0, 38.0 / 12, 6)))
TWIN = dict(
    name="LightTwin",
    tailnum="TV-360",
    is_heli=0, asi_units=2,
    speeds=(61, 66, 110, 169, 202), mmo=0.35,
    eye=(6.8, -0.9, 1.4),
    panel=(1, 1, 1, 1, 0, 1), instruments=(1, 2, 3, 4, 5, 6, 7, 8), ff=(0, 0),
    engine=dict(entype=1, bypass=0, numen=2, pmax=180, critalt=0, omega=(600, 2700, 2200, 2700),
                tmax=0, spool=0, face=0, burner=0, rev=0, cant=(0, 0, 0, 0), trotor=0, vect=0, varpitch=1),
    parts=[dict(_TWIN_PROP, dir=0, y=-6.2), dict(_TWIN_PROP, dir=1, y=6.2), NO_PROP, NO_PROP,
           part(**_TW, flags=_TW_FLAGS), part(**_TW, flags=_TW_FLAGS),
           part(flags={k: () for k in _TW_FLAGS}), part(flags={k: () for k in _TW_FLAGS}),
           part(**_TH, flags=_H_FLAGS), part(**_TH, flags=_H_FLAGS),
           part(foils=("N0012_Re3.afl", "", "", ""), sweep1=40, dihed=90, semilen=6.0, croot=5.6, ctip=2.6,
                x=25.5, y=0.0, z=0.8, inc=(0.0,) * 4, flags=dict(rudd=flags(4, 0, 1, 2, 3))),
           part(flags=dict(rudd=()))],
    flapfile="LightTwin.flp", hstab=(0, 0.0),
    controls=dict(crat=(0.22, 0.40, 0.40, 0, 0, 0), defl=(18, 15, 22, 15, 28, 0, 0, 0), slat=0, smooth=0),
    fuse=dict(cd=0.18, wash=0, nace=1, misc=0, misc_at=(0, 0, 0)),
    mass=dict(cg=(TWIN_CG_X, 0.0), empty=2600, max=3800, fuel=648, jett=0),
    gear=dict(eq=1, retract=1, skid=0, nwsteer=20, sgear=2.0, n=(2.5, -3.6), m=(11.2, 6.0, -3.8),
              skids=(0, 0, 0, 0)),
)
_NACELLE = body([(0.3, 0.4, 0.4, -0.4), (1.5, 1.0, 1.0, -1.1), (3.5, 1.1, 1.1, -1.2), (6.0, 0.9, 0.9, -1.0),
                 (8.0, 0.3, 0.3, -0.4)])
TWIN["bodies"] = [
    body([(0.0, 0.4, 0.3, -0.5), (1.5, 1.4, 1.2, -1.4), (4.0, 1.9, 1.9, -1.8), (7.0, 2.1, 2.4, -1.8),
          (11.0, 2.1, 2.4, -1.8), (15.0, 1.8, 2.0, -1.5), (20.0, 1.2, 1.5, -0.8), (25.0, 0.6, 1.1, -0.1),
          (29.0, 0.2, 0.9, 0.4)]),
    _NACELLE, _NACELLE, EMPTY_BODY, EMPTY_BODY, EMPTY_BODY, EMPTY_BODY,
]

AIRCRAFT = [TRAINER, TWIN]


# ---------------------------------------------------------------- writing
def g(v):
    """Numbers as the simulator writes them: plain decimals, never NaN or infinity."""
    if isinstance(v, int):
        return str(v)
    assert math.isfinite(v)
    s = "%.6f" % v
    s = s.rstrip("0").rstrip(".")
    return s if s not in ("-0", "") else "0"


def acf_lines(ac):
    L = ["I", "35 version"]

    def cp(n):
        L.extend(["", "%d checkpoint" % n, ""])

    def item(v, label):
        L.append("%s %s" % (g(v), label))

    cp(100)
    item(ac["is_heli"], "is_heli")
    L.append(ac["tailnum"])
    item(ac["asi_units"], "asi units (2 knots)")
    for v, n in zip(ac["speeds"], ("Vso", "Vs", "Vfe", "Vno", "Vne")):
        item(v, n)
    item(ac["mmo"], "Mmo")
    for v, n in zip(ac["eye"], ("pex ft", "pey ft", "pez ft")):
        item(v, n)
    for v, n in zip(ac["panel"], ("paneltype", "radiotype", "AStype", "supptype", "HUDtype", "VVItype")):
        item(v, n)
    for i, v in enumerate(ac["instruments"]):
        item(v, "instrument in panel location %d" % (i + 1))
    item(ac["ff"][0], "ff_hydraulic")
    item(ac["ff"][1], "ff_stickshaker")

    e = ac["engine"]
    cp(101)
    item(e["entype"], "entype")
    item(e["bypass"], "bypass")
    item(e["numen"], "numen")
    item(e["pmax"], "pmax hp")
    item(e["critalt"], "critalt ft")
    for v, n in zip(e["omega"], ("omegamin rpm", "omegamax rpm", "omegamingreen rpm", "omegamaxgreen rpm")):
        item(v, n)
    item(e["tmax"], "tmax lb")
    item(e["spool"], "spooltime s")
    item(e["face"], "facejet sq ft")
    item(e["burner"], "burnerinc lb")
    item(e["rev"], "revthrustEQ")
    for v, n in zip(e["cant"], ("vertcant 1", "sidecant 1", "vertcant 2", "sidecant 2")):
        item(v, n)
    item(e["trotor"], "trotor_rat")
    item(e["vect"], "vectEQ")
    item(e["varpitch"], "varpitchEQ")

    kinds = {**{p: ("ailn", "splr", "flap", "slat", "sbrk", "drud") for p in (4, 5, 6, 7)},
             8: ("elev", "flap", "slat"), 9: ("elev", "flap", "slat"), 10: ("rudd",), 11: ("rudd",)}
    for pn, p in enumerate(ac["parts"]):
        cp(102 + pn)
        for f in p["foils"]:
            L.append(f)
        if pn <= 3:
            item(p["dir"], "propdir (0 normal)")
            item(p["blades"], "numblades")
            item(p["adv"], "des_adv in")
            item(p["rpm"], "des_rpm")
            item(p["vel"], "des_vel kt")
            item(p["minpitch"], "minpitch")
            item(p["maxpitch"], "maxpitch")
        item(p["sweep1"], "sweep1")
        item(p["sweep2"], "sweep2")
        item(p["dihed"], "dihed")
        for k, n in (("semilen", "semilen ft"), ("croot", "Croot ft"), ("ctip", "Ctip ft"), ("x", "xarm ft"),
                     ("y", "yarm ft"), ("z", "zarm ft")):
            item(float(p[k]), n)
        item(p["diffRe"], "diffRe")
        item(p["diffRT"], "diffRT")
        item(p["varsweep"], "varsweepEQ")
        els = len(p["inc"])
        item(els, "els")
        L.append(" ".join(g(round(float(a), 4)) for a in p["inc"]) + (" " if els else "") + "incidences")
        for kind in kinds.get(pn, ()):
            fl = p["flags"].get(kind, ())
            fl = tuple(fl) + (0,) * (els - len(fl))
            L.append(" ".join(str(v) for v in fl[:els]) + (" " if els else "") + kind)

    cp(114)
    L.append(ac["flapfile"])
    item(ac["hstab"][0], "hstabtype")
    item(ac["hstab"][1], "hstbtrimmax")
    c = ac["controls"]
    cp(115)
    for v, n in zip(c["crat"], ("ailn_crat", "elev_crat", "rudd_crat", "splr_crat", "drud_crat", "sbrk_crat")):
        item(v, n)
    for v, n in zip(c["defl"], ("ailn_up", "ailn_dn", "elev_up", "elev_dn", "rudd_def", "splr_def", "drud_def",
                                "sbrk_def")):
        item(v, n)
    item(c["slat"], "slat increment deg")
    item(c["smooth"], "con_smooth")
    f = ac["fuse"]
    cp(116)
    item(f["cd"], "fuse_cd")
    item(f["wash"], "fusewash")
    item(f["nace"], "nace_eq")
    item(f["misc"], "misc_eq")
    for v, n in zip(f["misc_at"], ("misc_x ft", "misc_y ft", "misc_z ft")):
        item(float(v), n)
    L.extend(["", "bodies 12..18: 9 sections of 8 points, x y z ft", ""])
    for b in ac["bodies"]:
        for sec in b:
            for (x, y, z) in sec:
                L.append("%s %s %s" % (g(float(x)), g(float(y)), g(float(z))))
    m = ac["mass"]
    cp(117)
    item(float(m["cg"][0]), "cgx ft")
    item(float(m["cg"][1]), "cgz ft")
    item(m["empty"], "m_empty lb")
    item(m["max"], "m_max lb")
    item(m["fuel"], "m_fuel lb")
    item(m["jett"], "m_jettison lb")
    gr = ac["gear"]
    cp(118)
    item(gr["eq"], "gearEQ")
    item(gr["retract"], "retractEQ")
    item(gr["skid"], "skidEQ")
    item(gr["nwsteer"], "nwsteer")
    item(gr["sgear"], "sgear sq ft")
    item(float(gr["n"][0]), "ngearx ft")
    item(float(gr["n"][1]), "ngearz ft")
    item(float(gr["m"][0]), "mgearx ft")
    item(float(gr["m"][1]), "mgeary ft")
    item(float(gr["m"][2]), "mgearz ft")
    for v, n in zip(gr["skids"], ("skidx ft", "skidy ft", "skidz ft", "skidl ft")):
        item(v, n)
    cp(119)
    for n in ("jatox ft", "jatoz ft", "jatotheta", "jatothrust lb", "jatodur s", "stabroll", "ailpitch", "ailflaps"):
        item(0, n)
    for n in ("antiiceEQ", "arrestingEQ", "bitchinbettyEQ", "autosbrkEQ", "autofbrkEQ", "autosweepEQ", "autoslatEQ"):
        item(0, n)
    item(0, "speedbrake_area sq ft")
    item(0, "chute_area sq ft")
    cp(120)
    for n in ("elevcyclic", "ailncyclic", "puffL ft lb", "puffM ft lb", "puffN ft lb"):
        item(0, n)
    cp(121)
    item(0, "ASloV")
    item(0, "AShiV")
    for n in ("p1", "h1", "r1", "p2", "h2", "r2"):
        L.append("0 0 ASmax%s AS%s" % (n, n))
    return L


# ---------------------------------------------------------------- flap files
def flap_rows(cf, max_deg):
    """Section increments of a slotted flap of chord ratio cf by thin-airfoil
    theory, with an efficiency that falls as the deflection grows."""
    theta = math.acos(2 * cf - 1)
    tau = 1 - (theta - math.sin(theta)) / math.pi
    cm_per_rad = -0.5 * math.sin(theta) * (1 - math.cos(theta))
    eff = ((0, 1.0), (10, 0.85), (20, 0.7), (30, 0.58), (40, 0.5), (90, 0.3))
    rows = []
    for i in range(51):
        d = max_deg * i / 50.0
        for (a0, e0), (a1, e1) in zip(eff, eff[1:]):
            if a0 <= d <= a1:
                eta = e0 + (e1 - e0) * (d - a0) / (a1 - a0)
                break
        r = math.radians(d)
        rows.append((i, 2 * math.pi * tau * r * eta, 0.9 * cf ** 1.38 * math.sin(r) ** 2, cm_per_rad * r * eta))
    return rows


FLAPS = {"Trainer.flp": (0.30, 30.0), "LightTwin.flp": (0.25, 35.0)}


def flap_lines(name, cf, max_deg):
    L = ["I", "363 version", "2345 flap file mark",
         "%s: slotted flap of %.0f%% chord, settings 0..50 span 0 to %g degrees" % (name, cf * 100, max_deg),
         "setting cl cd cm"]
    for i, cl, cd, cm in flap_rows(cf, max_deg):
        L.append("%d %.5f %.5f %.5f" % (i, cl, cd, cm))
    return L


def write(path, lines):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    for ac in AIRCRAFT:
        write(os.path.join(data, "Aircraft", ac["name"], ac["name"] + ".acf"), acf_lines(ac))
    for name, (cf, deg) in FLAPS.items():
        write(os.path.join(data, "flaps", name), flap_lines(name, cf, deg))


if __name__ == "__main__":
    main()
