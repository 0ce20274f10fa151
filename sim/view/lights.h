// Lights and sky: runway, approach and city lights thinned with distance,
// pulsing colours, VASI and PAPI, beacons, moon, stars and meteors.
#pragma once

// Light colours of the palette.
enum { LITE_RED = 18, LITE_WHITE = 55, LITE_MOON = 56, LITE_GREEN = 57, LITE_RWY_WHITE = 59, LITE_AMBER = 60,
       LITE_BLUE = 61, LITE_OFF = 11 };

// Whether light number `index` at eye depth `depth` shows.
int  show_light(float depth, int index);
// Light n (0..2) of triangle tri of terrain cell (i, j), from the eye-frame
// corners the terrain pass has just put in the scratch arrays.
void cityplot(int i, int j, int tri, int n, int color);
// Runway r's lights first..last, one pixel each, thinned by index.
void rwayplot(int color, int first, int last, int r);
// A 2 x 2 light at a world point, out to vis3_lite, not thinned.
void heavy_light(float x, float y, float z, int color);
void heavy_rway_plot(int color, int index, int r);
// A cross of arm `size` at a world point, out to vis2_lite.
void generalplot(float x, float y, float z, int color, int size);
// The colour of a pulsing obstruction light with phase offset t.
int  pulse_color(int t);
// The colours of the four glide-path lights (far bar first for the two-bar
// VASI, option 2; outermost first for the PAPI, option 3) at glide angle
// `angle` degrees; 0 for an option without such lights.
void vasi_colors(int option, float angle, int colors[4]);
void plotVASI(int r, int end);
void plotrunwaylights(int r, int end);
void plotnightsky();
void plot_star_group(int color, int first, int last);
// 1 while a shooting star burns (for tests and the benchmark).
int  meteor_burning();
