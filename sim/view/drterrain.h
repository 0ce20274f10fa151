// The terrain grid and the overcast seen from above, swept far to near in the
// order set_bounds chose, and the runways, towers and buildings.
#pragma once

void plot_terrain();
void plot_ocastclouds();
// Marks m1..m2 of runway rway in colour base_col; bu: strips allowed.
void plot_runway(int m1, int m2, int rway, int base_col, int bu);
void plot_a_tower(int t);
void plot_a_bldng(int b);
