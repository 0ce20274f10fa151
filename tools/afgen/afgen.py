#!/usr/bin/env python3
"""Generates the shipped airfoil files (data/airfoils/*.afl) from xfoil polars,
extended to +-90 degrees with a flat-plate model. Needs xfoil and xvfb-run:
    python3 tools/afgen/afgen.py [data folder]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import polar  # noqa: E402

# file name, NACA designation, thickness ratio, Reynolds number (millions)
AIRFOILS = [
    ("N2412_Re3.afl", "2412", 0.12, 3.0),    # trainer wing
    ("N2412_Re6.afl", "2412", 0.12, 6.0),
    ("N0012_Re3.afl", "0012", 0.12, 3.0),    # tails
    ("N4415_Re1.afl", "4415", 0.15, 1.0),    # propeller root
    ("N4412_Re1.afl", "4412", 0.12, 1.0),    # propeller tip
    ("N23015_Re3.afl", "23015", 0.15, 3.0),  # twin wing root
    ("N23015_Re9.afl", "23015", 0.15, 9.0),
    ("N23012_Re3.afl", "23012", 0.12, 3.0),  # twin wing tip
    ("N23012_Re9.afl", "23012", 0.12, 9.0),
]

# Stalling angles of the wind-tunnel sections, degrees, where xfoil's come out
# later: the NACA 2412 stalls near 16 degrees at 3 to 9 million Reynolds number
# in NACA Report 824 (the summary of airfoil data), where xfoil finds 18 to 19.
TUNNEL_STALL = {"2412": 16.0}


def section(naca, re_meg, pts=None):
    """The section of one airfoil file, from xfoil's polar (run here unless given)."""
    if pts is None:
        pts = polar.xfoil_polar(naca, re_meg * 1e6)
    return polar.Section(pts, TUNNEL_STALL.get(naca))


def main():
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "data")
    out = os.path.join(data, "airfoils")
    os.makedirs(out, exist_ok=True)
    for name, naca, thick, re_meg in AIRFOILS:
        sec = section(naca, re_meg)
        polar.write_afl(os.path.join(out, name), "NACA" + naca, thick, re_meg, sec)
        print("%-16s %3d points, stall %+.2f / %+.2f deg, clM %.4f, clB %.4f"
              % (name, len(sec.pts), sec.stall_neg, sec.stall_pos, sec.clM, sec.clB))


if __name__ == "__main__":
    main()
