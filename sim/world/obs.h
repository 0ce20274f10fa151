// Buildings and towers of the region: rings of slots filled from the
// environment files' objects and by the airport scenery.
#pragma once

enum { OBS_MAX = 800, TWR_MAX = 1200 };

extern int   obs_type[OBS_MAX];        // 0 for an unused slot
extern float obs_x[OBS_MAX], obs_y[OBS_MAX], obs_z[OBS_MAX];
extern float obs_dx[OBS_MAX][4], obs_dy[OBS_MAX][4], obs_dz[OBS_MAX][4];
extern int   twr_type[TWR_MAX];        // 0 for an unused slot
extern float twr_x[TWR_MAX], twr_y[TWR_MAX], twr_z[TWR_MAX], twr_dz[TWR_MAX];
extern int   obs_twr_update;           // the view must sort them again

void clear_obs_twr();
void make_a_bldng(float lat, float lon, float height, int type, int i, int j);
// The same at world position (x, y), metres, in or near cell (i, j).
void make_bldng_xy(float x, float y, float height, int type, int i, int j);
void make_a_tower(float lat, float lon, float height, int type, int i, int j);
