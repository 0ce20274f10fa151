// The flight state written by the flight model and read by everything else.
#pragma once

struct flightstruct {
  float x, y, z;          // world position, m (x east, y north, z up)
  float psi, the, phi;    // heading, pitch, roll, degrees
};
extern flightstruct flt;
