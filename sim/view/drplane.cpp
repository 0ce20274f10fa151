// Stand-in until the own aircraft is drawn.
#include "sim/view/drplane.h"

void plot_plane() {}
