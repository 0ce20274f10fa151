// Data graph and flight-path trail.
#pragma once

struct graphstruct {
  float lefttime;
};
extern graphstruct grf;

enum { PATH_SLOTS = 6000 };
struct pathstruct {
  float centroid_x, centroid_y, circ_rad;
  int gs_dest;  // flight-path destination
  // ---- the recorded trail, stepped through by the replay keys ----
  int   cntr_record, cntr_replay;
  float xyztpp[PATH_SLOTS][6];  // x, y, z, m; pitch, heading, roll, radians
  int   inited[PATH_SLOTS];     // the slot holds a sample
};
extern pathstruct pat;
