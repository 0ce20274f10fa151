// The flight state written by the flight model and read by everything else.
#pragma once

struct flightstruct {
  float x, y, z;          // world position, m (x east, y north, z up)
  float psi, the, phi;    // heading, pitch, roll, degrees
  int   cell_i, cell_j, cell_tri;  // terrain grid cell and triangle under the aircraft
  // Set by the aircraft reader: the starting load, kg, and the broken-off flag.
  float m_fuel, m_jettison, m_fixed;
  int   over_vne;         // the forward lifting surface has broken off
  // ---- read by the view: speed and climb rate, m/s ----
  float v, vu;
};
extern flightstruct flt;
