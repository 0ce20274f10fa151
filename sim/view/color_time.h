// The simulator's colour adjustment for the time of day, the cockpit lights
// and light amplification, applied to every colour as it is assigned.
#pragma once

void sim_change_colors_for_time(int index, float* r, float* g, float* b);
