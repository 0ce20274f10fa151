// The local airport built from its database record: runway surfaces and
// paint as flat quadrilaterals ("marks"), the rows of light positions, and
// the generated hangars and control tower.
#pragma once

// Light groups of runway r in rwy.rwayx/rwayy/rwayz (see env.h for their bounds).
// Along a runway "first end" is its numbered end; indices run from the second end.
enum {
  LGT_EDGE_A = 0,      // left edge, .. env.rwaymax1 - 1
  LGT_EDGE_B = 50,     // right edge, .. env.rwaymax2 - 1
  LGT_CENTRE = 100,    // centre line, .. env.RCLSmax
  LGT_TWY_1 = 150,     // taxiway, runway side, .. env.twaymax1 - 1
  LGT_TWY_2 = 200,     // taxiway, far side, .. env.twaymax2 - 1
  LGT_END = 311,       // added for the second end's own groups below
  LGT_APP = 250,       // approach centre row, 26
  LGT_VASI = 276,      // glide-path lights, 4
  LGT_APP_BAR = 280,   // the bar 300 m out
  LGT_APP_RED = 281,   // red side rows, 80
  LGT_TDZ = 361,       // touchdown zone, 120
  LGT_APP_CROSS = 481, // crossbar, 20
  LGT_THR_2 = 501,     // threshold bar of the second end, 13
  LGT_THR_1 = 514,     // threshold bar of the first end, 13
  LGT_TWY_3 = 527      // connector and apron lights, .. 560
};
enum { MARK_SURFACE = 0, MARK_SHOULDER_L = 1, MARK_SHOULDER_R = 2, MARK_CONNECT_1 = 3, MARK_CONNECT_2 = 4,
       MARK_CONNECT_3 = 5, MARK_TAXIWAY = 6, MARK_APRON = 7, MARK_EDGE_L = 8, MARK_EDGE_R = 9, MARK_PAINT = 10 };

// Rebuilds the local airport msc.loc_index.
void setnewlocale();
// The number and side letter of the first end, painted on the next runway built.
void rway_paint_designation(int num, char lr);
// Marks and lights of runway r: centre (x, y), elevation z, length l and
// width w in metres, heading in degrees, the lighting code.
void setuprunway(float x, float y, float z, float l, float w, int hdng, int r, int litecode);
// One rectangle in runway fractions: x across the width, y along the length.
void as_mark_xy(float x1, float y1, float x2, float y2, float l, float w, int hdng, int r);
// A general quadrilateral in runway fractions, corners in order.
void as_diag_xy(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, float l, float w,
                int hdng, int r);
// One light at (across, along) metres from the runway centre.
void as_grnd_xy(int index, float across, float along, int r);
// Lights first..last evenly from one point to another (metres from the centre).
void do_interp(int first, int last, float across1, float along1, float across2, float along2, int r);
// Lights first..last stand on the ground beneath them.
void lights_on_surf(int first, int last, int r);
// Removes runway a's lights that lie on mark `mark` of runway b.
void clear_region(int mark, int a, int b);
void clear_light_range(int first, int last, int r);
// Inside the lit area (runway and taxiway) of any runway of the local airport.
int  in_runway123(float x, float y);
// The painted designation of one end: number and side letter.
void rway_number(int num, char lr, int end, float l, float w, int hdng, int r);
void num_block(int col1, int row1, int col2, int row2, int end, float l, float w, int hdng, int r);
void build_number(char c, int end, float l, float w, int hdng, int r);
// Runway size classes from length and width in feet.
int  rway_has_taxiway(float len_ft, float wid_ft);
int  rway_has_runoff(float len_ft, float wid_ft);
// Where the generated control tower's cab stands; 0 when the airport has none.
int  locale_tower(float* x, float* y, float* z);
