// Buildings and towers: the two constructors that the environment files'
// objects and the airport scenery both go through.
#include "sim/world/obs.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_funct.h"
#include "sim/world/grid.h"

int   obs_type[OBS_MAX];
float obs_x[OBS_MAX], obs_y[OBS_MAX], obs_z[OBS_MAX];
float obs_dx[OBS_MAX][4], obs_dy[OBS_MAX][4], obs_dz[OBS_MAX][4];
int   twr_type[TWR_MAX];
float twr_x[TWR_MAX], twr_y[TWR_MAX], twr_z[TWR_MAX], twr_dz[TWR_MAX];
int   obs_twr_update;

static int obs_next = 0, twr_next = 0;  // the rings' next slots

void clear_obs_twr() {
  std::memset(obs_type, 0, sizeof obs_type);
  std::memset(twr_type, 0, sizeof twr_type);
  obs_next = twr_next = 0;
}

// Ground height at (x, y), looked for in cell (i, j) first; the cell's corner
// mean when the point lies on neither of its triangles.
static float ground_at(float x, float y, int i, int j) {
  i = intlim(i, 0, GRID_I - 2);
  j = intlim(j, 0, GRID_J - 2);
  for (int tri = 0; tri < 2; tri++) {
    int i1, j1, i2, j2, i3, j3;
    convert_ij_dxy(i, j, tri, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j]);
    float x1 = planex[i1][j1], y1 = planey[i1][j1], z1 = planez[i1][j1];
    float x2 = planex[i2][j2], y2 = planey[i2][j2], z2 = planez[i2][j2];
    float x3 = planex[i3][j3], y3 = planey[i3][j3], z3 = planez[i3][j3];
    if (!ontri(x1, y1, x2, y2, x3, y3, x, y)) continue;
    float det = (x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1);
    if (std::fabs(det) < 1e-6f) break;
    float a = ((x - x1) * (y3 - y1) - (x3 - x1) * (y - y1)) / det;
    float b = ((x2 - x1) * (y - y1) - (x - x1) * (y2 - y1)) / det;
    return z1 + a * (z2 - z1) + b * (z3 - z1);
  }
  return 0.25f * (planez[i][j] + planez[i + 1][j] + planez[i][j + 1] + planez[i + 1][j + 1]);
}

static void level(int b, int l, float dx, float dy, float dz) {
  obs_dx[b][l] = dx;
  obs_dy[b][l] = dy;
  obs_dz[b][l] = dz;
}

void make_a_bldng(float lat, float lon, float height, int type, int i, int j) {
  make_bldng_xy(env_x_of_latlon(lat, lon), env_y_of_lat(lat), height, type, i, j);
}

void make_bldng_xy(float x, float y, float height, int type, int i, int j) {
  for (int b = 0; b < OBS_MAX; b++)
    if (obs_type[b] && std::fabs(obs_x[b] - x) < 25 && std::fabs(obs_y[b] - y) < 25) return;
  int b = obs_next;
  obs_next = (obs_next + 1) % OBS_MAX;
  obs_type[b] = type;
  obs_x[b] = x;
  obs_y[b] = y;
  obs_z[b] = ground_at(x, y, i, j);
  float h = height;
  std::memset(obs_dx[b], 0, sizeof obs_dx[b]);
  std::memset(obs_dy[b], 0, sizeof obs_dy[b]);
  std::memset(obs_dz[b], 0, sizeof obs_dz[b]);
  switch (type) {
    case 1:
      level(b, 0, 3, 3, 0); level(b, 1, 3, 3, 19); level(b, 2, 5, 5, 23); level(b, 3, 3, 3, 24);
      break;
    case 5:
      level(b, 0, 0.35f * h, 0.35f * h, 0); level(b, 1, 0.25f * h, 0.25f * h, 0.4f * h);
      level(b, 2, 0.2f * h, 0.2f * h, 0.8f * h); level(b, 3, 0.25f * h, 0.25f * h, h);
      break;
    case 6:
      level(b, 0, 0.05f * h, 0.05f * h, 0); level(b, 1, 0.025f * h, 0.025f * h, h);
      break;
    case 90: {
      float a = fltrand(40, 50), c = 0.9f * a;
      level(b, 0, a, a, 0); level(b, 1, a, a, 0.94f * h); level(b, 2, c, c, 0.97f * h); level(b, 3, c, c, h);
      break;
    }
    case 91: {
      float a = fltrand(40, 50), c = fltrand(30, 40);
      level(b, 0, c, c, 0); level(b, 1, a, a, 0.1f * h); level(b, 2, a, a, 0.9f * h); level(b, 3, c, c, h);
      break;
    }
    case 92: {
      float a = fltrand(40, 50), c = fltrand(30, 40);
      level(b, 0, c, c, 0); level(b, 1, c, c, 0.1f * h); level(b, 2, a, a, 0.1f * h); level(b, 3, a, a, h);
      break;
    }
    case 93:
      level(b, 0, 10, 20, 0); level(b, 1, 10, 20, 5); level(b, 2, 11, 20, 5.1f); level(b, 3, 1, 20, 6);
      break;
    default: {  // 2 and anything unknown: one box
      float s = h * fltrand(0.2f, 0.4f);
      level(b, 0, s, s, 0); level(b, 1, s, s, h);
      break;
    }
  }
}

void make_a_tower(float lat, float lon, float height, int type, int i, int j) {
  float x = env_x_of_latlon(lat, lon), y = env_y_of_lat(lat);
  for (int t = 0; t < TWR_MAX; t++)
    if (twr_type[t] && std::fabs(twr_x[t] - x) < 10 && std::fabs(twr_y[t] - y) < 10) return;
  int t = twr_next;
  twr_next = (twr_next + 1) % TWR_MAX;
  twr_type[t] = type;
  twr_x[t] = x;
  twr_y[t] = y;
  twr_z[t] = ground_at(x, y, i, j);
  twr_dz[t] = height;
}
