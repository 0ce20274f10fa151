#!/usr/bin/python3
"""Writes source/elevation/landmask_15s.tif: sea (0), land (1) and lakes (2)
of the block 31.9-36.1 N, 121.1-114.9 W at 15 arc-seconds, from the GSHHG
high-resolution shorelines through GMT (Debian gmt, gmt-gshhg-high).  Run once;
terrain.py reads the result, which is kept in the repository.

    /usr/bin/python3 tools/worldgen/landmask.py
"""
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "source", "elevation", "landmask_15s.tif")
W, E, S, N = -121.1, -114.9, 31.9, 36.1

with tempfile.TemporaryDirectory() as tmp:
    grd = os.path.join(tmp, "mask.nc")
    subprocess.run(["gmt", "grdlandmask", "-R%g/%g/%g/%g" % (W, E, S, N), "-I15s", "-Dh", "-N0/1/2/1/2",
                    "-G" + grd], check=True, cwd=tmp)
    subprocess.run(["gdal_translate", "-q", "-ot", "Byte", "-a_srs", "EPSG:4326", "-a_nodata", "none", "-co", "COMPRESS=DEFLATE",
                    "-co", "PREDICTOR=2", "netCDF:" + grd + ":z", OUT], check=True, cwd=tmp)
print("wrote", OUT)
