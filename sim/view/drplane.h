// The own aircraft in the outside views, built from its own geometry.
#pragma once

// Per frame: every part's points in the eye frame (depth in tran_y) and on the screen.
extern float tran_x[19][18][8], tran_y[19][18][8], tran_z[19][18][8];
extern int   plot_x[19][18][8], plot_y[19][18][8];
extern int   track_ang;  // the propellers' running blade angle, degrees

// The three colours of the time of day (1..4): lines, wings, fuselage.
int  plane_line_col(int time);
int  plane_wing_col(int time);
int  plane_fuse_col(int time);
// Parts 0..18 that are drawn, farthest first, as the last frame sorted them;
// the count is returned.
int  plane_draw_order(int* parts);
// The span distance at which a lifting part's point at span distance r and
// chord fraction f (from the quarter chord: -0.25 leading, 0.75 trailing edge)
// is drawn: the root is pushed out to where the chord line leaves the
// fuselage, the tip stays. As found by the last plot_plane.
float scoot_out_wing(int p, float r, float f);
// Draws the aircraft: in the outside views from the flight state, in the
// replay view where the recorded path has it at the replay position.
void plot_plane();
