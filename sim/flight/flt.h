// The flight state written by the flight model and read by everything else.
#pragma once

struct flightstruct {
  float x, y, z;          // world position, m (x east, y north, z up)
  float psi, the, phi;    // heading, pitch, roll, degrees
  int   cell_i, cell_j, cell_tri;  // terrain grid cell and triangle under the aircraft
};
extern flightstruct flt;
