// Data graph and flight-path trail.
#pragma once

enum { GRAPH_SAMPLES = 1800, GRAPH_CHANNELS = 4 };
struct graphstruct {
  int   lefttime;          // seconds from the oldest sample at the graph's left edge
  int   cntr;              // newest sample, 0..1799; -1 right after a reset
  int   indexstart;        // oldest sample once the ring has wrapped
  int   graphstruct_full;  // the ring has wrapped at least once
  float period[GRAPH_SAMPLES];  // frame period of each sample, s; 999 when cleared
  // Columns 1..4 of each sample, per graph channel; -999 when cleared.
  float data1[GRAPH_SAMPLES][GRAPH_CHANNELS], data2[GRAPH_SAMPLES][GRAPH_CHANNELS];
  float data3[GRAPH_SAMPLES][GRAPH_CHANNELS], data4[GRAPH_SAMPLES][GRAPH_CHANNELS];
};
extern graphstruct grf;

enum { PATH_SLOTS = 6000 };
struct pathstruct {
  float centroid_x, centroid_y, centroid_z, circ_rad;  // of the held samples, when the viewer opens
  float visrat;  // the viewer's visibility multiplier, 0.5..2
  int gs_dest;   // receiver of the approach side view: 0 NAV 1, 1 NAV 2
  // ---- the recorded trail, stepped through by the replay keys ----
  int   cntr_record, cntr_replay;
  float xyztpp[PATH_SLOTS][6];  // x, y, z, m; pitch, heading, roll, radians
  int   inited[PATH_SLOTS];     // the slot holds a sample
};
extern pathstruct pat;
