#!/usr/bin/env python3
"""Trims the world-wide OurAirports tables (public domain) to the columns the
navigation-data generator uses, so that the source tables kept beside it stay
small.  Run once when the source snapshot changes:

    extract_world.py OURAIRPORTS_DIR

OURAIRPORTS_DIR holds airports-medium-large.csv, runways.csv, navaids.csv and
airport-frequencies.csv of the OurAirports open data set.  Writes
source/world_airports.csv, source/world_runways.csv, source/world_navaids.csv.
"""
import csv
import os
import sys


def main():
    src = sys.argv[1]
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "source")
    towered = set()
    with open(os.path.join(src, "airport-frequencies.csv"), encoding="utf-8") as f:
        for r in csv.DictReader(f):
            if r["type"].strip().upper() == "TWR":
                towered.add(r["airport_ident"])
    ids = set()
    with open(os.path.join(src, "airports-medium-large.csv"), encoding="utf-8") as f, \
            open(os.path.join(here, "world_airports.csv"), "w", newline="", encoding="utf-8") as o:
        w = csv.writer(o)
        w.writerow(["ident", "name", "lat", "lon", "elev_ft", "towered"])
        for r in csv.DictReader(f):
            ident = r["ident"]
            if len(ident) > 4:
                continue
            ids.add(ident)
            w.writerow([ident, r["name"], r["latitude_deg"], r["longitude_deg"], r["elevation_ft"],
                        1 if ident in towered else 0])
    with open(os.path.join(src, "runways.csv"), encoding="utf-8") as f, \
            open(os.path.join(here, "world_runways.csv"), "w", newline="", encoding="utf-8") as o:
        w = csv.writer(o)
        w.writerow(["airport_ident", "le_ident", "he_ident", "length_ft", "width_ft", "lighted",
                    "le_lat", "le_lon", "he_lat", "he_lon", "le_heading_true"])
        for r in csv.DictReader(f):
            if r["airport_ident"] not in ids or r["closed"] == "1":
                continue
            w.writerow([r["airport_ident"], r["le_ident"], r["he_ident"], r["length_ft"], r["width_ft"],
                        r["lighted"], r["le_latitude_deg"], r["le_longitude_deg"], r["he_latitude_deg"],
                        r["he_longitude_deg"], r["le_heading_degT"]])
    with open(os.path.join(src, "navaids.csv"), encoding="utf-8") as f, \
            open(os.path.join(here, "world_navaids.csv"), "w", newline="", encoding="utf-8") as o:
        w = csv.writer(o)
        w.writerow(["ident", "name", "type", "freq_khz", "lat", "lon", "elev_ft"])
        for r in csv.DictReader(f):
            if r["type"] not in ("VOR", "VOR-DME", "VORTAC", "NDB", "NDB-DME"):
                continue
            w.writerow([r["ident"], r["name"], r["type"], r["frequency_khz"], r["latitude_deg"],
                        r["longitude_deg"], r["elevation_ft"]])


if __name__ == "__main__":
    main()
