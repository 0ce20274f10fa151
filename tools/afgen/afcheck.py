#!/usr/bin/env python3
"""Reruns xfoil for every shipped airfoil file and prints the largest difference
between the shipped tables and xfoil over the pre-stall range (between the
stalling angles xfoil finds on either side of zero):
    python3 tools/afgen/afcheck.py [data folder]
Inside +-10 degrees the simulator takes lift from the file's linear law, so
that is what is compared there; drag is compared at every grid angle."""
import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import afgen   # noqa: E402
import polar   # noqa: E402


def check(path, naca, re_meg):
    shipped = polar.read_afl(path)
    sec = afgen.section(naca, re_meg)
    worst_cl = worst_cd = worst_law = 0.0
    where = {}
    for k in range(0, 271):
        for sign, side in ((1, "pos"), (-1, "neg")):
            a = sign * polar.grid_angle(k)
            if not (sec.stall_neg <= a <= sec.stall_pos):
                continue
            cl_x = polar.lerp_table(sec.pts, a, 1)
            cd_x = polar.lerp_table(sec.pts, a, 2)
            if cl_x is None:
                continue
            key = -0.0 if (sign < 0 and k == 0) else a
            cl_t, cd_t = shipped[side][key if key in shipped[side] else a]
            d = abs(cd_t - cd_x)
            if d > worst_cd:
                worst_cd, where["cd"] = d, a
            if cl_t is None:
                d = abs(shipped["clM"] * a + shipped["clB"] - cl_x)
                if d > worst_law:
                    worst_law, where["law"] = d, a
            else:
                d = abs(cl_t - cl_x)
                if d > worst_cl:
                    worst_cl, where["cl"] = d, a
    print("%-16s lift table %.5f (at %+.1f)  linear law %.5f (at %+.1f)  drag %.5f (at %+.1f)"
          % (os.path.basename(path), worst_cl, where.get("cl", 0), worst_law, where.get("law", 0),
             worst_cd, where.get("cd", 0)))
    return worst_cl, worst_law, worst_cd


def main():
    if not shutil.which("xfoil") or not shutil.which("xvfb-run"):
        print("xfoil or xvfb-run is not installed: nothing to check.")
        return 0
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    worst = [0.0, 0.0, 0.0]
    for name, naca, _thick, re_meg in afgen.AIRFOILS:
        path = os.path.join(data, "airfoils", name)
        if not os.path.exists(path):
            print("%-16s missing" % name)
            continue
        for i, v in enumerate(check(path, naca, re_meg)):
            worst[i] = max(worst[i], v)
    print("largest difference before stall: lift table %.5f, linear lift law %.5f, drag %.5f"
          % tuple(worst))
    return 0


if __name__ == "__main__":
    sys.exit(main())
