// Ten aircraft flying about the user's, seen as points of light.
#include "sim/view/traffic.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

float traf_x[TRAFFIC][4], traf_y[TRAFFIC][4], traf_z[TRAFFIC][4];
float traf_v[TRAFFIC];
int   traf_h[TRAFFIC];

static const float NM = 1852.0f, FT = 0.3048f, KT = 0.514444f;
static jump_watch flight_watch;

void make_a_plane(int k, int anywhere) {
  if (k < 0 || k >= TRAFFIC) return;
  int b = intrand(0, 359);
  float d = anywhere ? fltrand(0, 30 * NM) : 30 * NM;
  traf_x[k][0] = (float)flt.x + d * isin(b);
  traf_y[k][0] = (float)flt.y + d * icos(b);
  traf_z[k][0] = fltrand(500, 30000) * FT;
  traf_v[k] = interp(500 * FT, 200 * KT, 30000 * FT, 600 * KT, traf_z[k][0]);
  traf_h[k] = intwrap(b + 180 + intrand(-45, 45), 0, 359);
}

// The ground under a traffic aircraft: the highest corner of the cell it is
// over, or the sea beyond the region's grid.
static float ground_under(float x, float y) {
  float x0 = fltmin2(planex[0][0], planex[0][GRID_J - 1]), x1 = fltmax2(planex[GRID_I - 1][0], planex[GRID_I - 1][GRID_J - 1]);
  if (!(x >= x0 && x <= x1 && y >= planey[0][0] && y <= planey[0][GRID_J - 1])) return 0;
  float h;
  int i, j, t;
  find_local_h(x, y, &h, &i, &j, &t);
  i = intlim(i, 0, GRID_I - 2), j = intlim(j, 0, GRID_J - 2);
  return fltmax2(fltmax2(planez[i][j], planez[i + 1][j]), fltmax2(planez[i][j + 1], planez[i + 1][j + 1]));
}

void move_traffic() {
  if (aircraft_jumped(&flight_watch, flt.x, flt.y, flt.z))
    for (int k = 0; k < TRAFFIC; k++) make_a_plane(k, 1);
  float dt = msc.prd;
  for (int k = 0; k < TRAFFIC; k++) {
    float s = isin(traf_h[k]), c = icos(traf_h[k]);
    traf_x[k][0] += traf_v[k] * s * dt;
    traf_y[k][0] += traf_v[k] * c * dt;
    if (pythag(traf_x[k][0] - (float)flt.x, traf_y[k][0] - (float)flt.y) > 30 * NM) {
      make_a_plane(k, 0);
      s = isin(traf_h[k]), c = icos(traf_h[k]);
    }
    float floor = ground_under(traf_x[k][0], traf_y[k][0]) + 500;
    if (traf_z[k][0] < floor) traf_z[k][0] = floor;
    float x = traf_x[k][0], y = traf_y[k][0], z = traf_z[k][0] - 2;
    traf_x[k][1] = x - 20 * c, traf_y[k][1] = y + 20 * s;
    traf_x[k][2] = x + 20 * c, traf_y[k][2] = y - 20 * s;
    traf_x[k][3] = x - 20 * s, traf_y[k][3] = y - 20 * c;
    traf_z[k][1] = traf_z[k][2] = traf_z[k][3] = z;
  }
}

void draw_a_plane(int k) {
  if (k < 0 || k >= TRAFFIC) return;
  static const int colors[4] = {0, LITE_RED, LITE_GREEN, LITE_WHITE};
  for (int l = 3; l >= 0; l--) {
    float ex, ey, ez;
    int sx, sy;
    xfrm_SCENE(traf_x[k][l] - con.VIEW_loc_x, traf_y[k][l] - con.VIEW_loc_y, traf_z[k][l] - con.VIEW_loc_z, &ex, &ey,
               &ez);
    if (!(ey > NEAR_DEPTH && ey < atm.vis3_lite) || !find_pxy(ex, ey, ez, &sx, &sy)) continue;
    if (l) {
      MACIBM_hspoint(colors[l], sx, sy);
    } else {
      int color = pulse_color(k * 7);
      if (color == LITE_OFF) continue;  // the beacon is dark half the time
      int x = intmin2(sx, con.off_int_rgt - 1), y = intmin2(sy, con.off_int_bot - 2);
      MACIBM_hshline(color, x, y, 2);
      MACIBM_hshline(color, x, y + 1, 2);
    }
  }
}
