// Other traffic about the region, and the head-up displays.
#pragma once

enum { TRAFFIC = 10 };
extern float traf_x[TRAFFIC][4], traf_y[TRAFFIC][4], traf_z[TRAFFIC][4];

void draw_a_plane(int index);
void plot_nrml_hud();  // the head-up display
void plot_cool_hud();  // the synthetic-vision display
