// Stand-ins until the view's weather exists.
#include "sim/view/storm.h"

void manage_strike() {}
void do_window_precip() {}
