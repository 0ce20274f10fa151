// Stand-ins until the traffic and the head-up displays exist.
#include "sim/view/traffic.h"

float traf_x[TRAFFIC][4], traf_y[TRAFFIC][4], traf_z[TRAFFIC][4];

void draw_a_plane(int) {}
void plot_nrml_hud() {}
void plot_cool_hud() {}
