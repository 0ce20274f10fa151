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
void plot_plane();
