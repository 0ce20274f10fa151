// Eye-frame polygons onto the locked view surface: shading by mean depth,
// clipping at the near plane and the view rectangle, the whole-view fill,
// back faces, and the subdivision of near ground triangles and runway marks.
// Points are eye-frame (x right, y depth, z up), metres.
#pragma once

// The unclipped projected outline of the polygon being clipped.
extern float hc_poly_x[24], hc_poly_y[24];
extern int   hc_ctr;
extern float hc_xmin, hc_xmax, hc_ymin, hc_ymax;

// Clips one edge and appends what is left to the scratch polygon.
void clipline(float x1, float y1, float z1, float x2, float y2, float z2, int fullscreenit);
void manage_poly3(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, int clipit, int fullscreenit);
void manage_poly4(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float x4, float y4, float z4, int clipit, int fullscreenit);
// Fills the whole view when the recorded outline contains it.
void full_screen_poly(int color);
// Back-face test, then subdivision by scn.poly_breakup.
void any_poly3_3D(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, int clipit, int fullscreenit);
// Strips a runway mark is cut into at the present visibility: 40 at 0.5 nm or less, 5 at 4 nm or more.
int  rway_strip_count();
// Strips along the direction from vertex 0 to vertex 3 when scn.rway_breakup is set.
void any_poly4_3D(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float x4, float y4, float z4, int clipit, int fullscreenit);
// 1 when the polygon through these points faces the eye (clockwise as seen).
int  poly4_normal(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3);
// A 3-D line, cut at the near plane and clipped to the view.
void thr_line(int color, float x1, float y1, float z1, float x2, float y2, float z2);
