// Data graph and flight-path trail.
#pragma once

struct graphstruct {
  float lefttime;
};
extern graphstruct grf;

struct pathstruct {
  float centroid_x, centroid_y, circ_rad;
  int gs_dest;  // flight-path destination
};
extern pathstruct pat;
