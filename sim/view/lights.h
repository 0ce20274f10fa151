// Lights and sky: runway, approach and city lights thinned with distance,
// pulsing colours, VASI and PAPI, beacons, moon, stars and meteors.
#pragma once

// Whether light number `index` at eye depth `depth` shows.
int  show_light(float depth, int index);
void cityplot(int i, int j, int tri, int n, int color);
void generalplot(float x, float y, float z, int color, int size);  // a light at a world point
int  pulse_color(int t);
void plotVASI(int r, int end);
void plotrunwaylights(int r, int end);
void plotnightsky();
