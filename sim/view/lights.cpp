// Thinning, the pulse and a plain light; the runway's, city's and sky's lights
// are stand-ins until they exist.
#include "sim/view/lights.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_const.h"
#include "sim/flight/atm.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"

int show_light(float depth, int index) {
  if (depth < 3.0f) return 0;
  if (depth < atm.vis1_lite) return 1;
  if (depth < atm.vis2_lite) return index % 2 == 0;
  if (depth < atm.vis3_lite) return index % 8 == 0;
  return 0;
}

void cityplot(int, int, int, int, int) {}

void generalplot(float x, float y, float z, int color, int size) {
  float ex, ey, ez;
  int sx, sy;
  xfrm_SCENE(x - con.VIEW_loc_x, y - con.VIEW_loc_y, z - con.VIEW_loc_z, &ex, &ey, &ez);
  if (ey <= 3.0f || ey >= atm.vis2_lite || !find_pxy(ex, ey, ez, &sx, &sy)) return;
  int x1 = intlim(sx - size, con.off_int_lft, con.off_int_rgt), x2 = intlim(sx + size, con.off_int_lft, con.off_int_rgt);
  MACIBM_hshline(color, x1, sy, x2 - x1 + 1);
  int y1 = intlim(sy - size, con.off_int_top, con.off_int_bot), y2 = intlim(sy + size, con.off_int_top, con.off_int_bot);
  MACIBM_hsvline(color, sx, y1, y2 - y1 + 1);
}

int pulse_color(int t) {
  static const int ramp[12] = {35, 35, 21, 20, 19, 18, 36, 18, 19, 20, 21, 35};
  int p = ((scn.rb_cycle + t) % 25 + 25) % 25;
  return p < 12 ? ramp[p] : 11;
}

void plotVASI(int, int) {}
void plotrunwaylights(int, int) {}
void plotnightsky() {}
