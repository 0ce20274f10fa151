// Stand-in until the charts exist: they draw nothing.
#include "sim/map/do_app.h"

void init_nav_pic(int) {}
void plt_nrt_plot(int, int) {}
void plt_nrt_click(int, int) {}
