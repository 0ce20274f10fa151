// The head-up display drawn in one colour over the forward views: tapes,
// boresight, flight-path marker, ILS bars and the angle-of-attack indexer;
// and the synthetic-vision display of terrain grid, runways and hoops.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/point.h"
#include "sim/view/poly3d.h"
#include "sim/view/scn.h"
#include "sim/view/traffic.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f, R2D = 57.29577951308232f;
static const float M_TO_FT = 3.2808399f, NM = 1852.0f;

int hud_kinds(int v, int hud_type, int hud_on, int hoops_on) {
  if (!(v == VIEW_FORWARD || v == VIEW_DOWN4 || v == VIEW_DOWN8 || v == VIEW_HUD)) return 0;
  int k = 0;
  if (hud_type == 3 && hoops_on) k |= HUD_SYNTHETIC;
  if (v == VIEW_HUD || (hud_type != 1 && hud_on)) k |= HUD_NORMAL;
  return k;
}

static int hud_color() { return set.hud_color > 11 ? set.hud_color : 57; }

// Pixels for a tangent of the view.
static int tan_px(float deg) { return view_round(std::tan(deg * D2R) * con.zom_pp45); }

// The depression of the looking-down views moves the aircraft's axes up the screen.
static int boresight_y() {
  int y = flt_to_int(con.off_view_center_fy);
  if (set.view_type == VIEW_DOWN4) y -= tan_px(4);
  if (set.view_type == VIEW_DOWN8) y -= tan_px(8);
  return y;
}

static void hline(int c, int x1, int x2, int y) {
  x1 = intmax2(x1, con.HUD_lft), x2 = intmin2(x2, con.HUD_rgt);
  if (y < con.HUD_top || y > con.HUD_bot || x2 < x1) return;
  MACIBM_hshline(c, x1, y, x2 - x1 + 1);
}

static void vline(int c, int x, int y1, int y2) {
  y1 = intmax2(y1, con.HUD_top), y2 = intmin2(y2, con.HUD_bot);
  if (x < con.HUD_lft || x > con.HUD_rgt || y2 < y1) return;
  MACIBM_hsvline(c, x, y1, y2 - y1 + 1);
}

// Panel-font digits whose top-left lies at (x, y), kept inside the box.
static void text(int c, int x, int y, const char* s) {
  int n = 0;
  while (s[n]) n++;
  if (x < con.HUD_lft || x + 6 * n > con.HUD_rgt || y < con.HUD_top || y + 7 > con.HUD_bot) return;
  MACIBM_drstring(c, x, y + 7, s, 5);
}

// A vertical tape: value v at the centre row, `per` pixels a unit, a tick
// every `tick` units and a label (value / `div`) every `label` units.
static void vertical_tape(int c, int x_tick, int x_text, float v, float per, int tick, int label, int div, int cy) {
  int half = 90;
  vline(c, x_tick, cy - half, cy + half);
  int lo = flt_to_int(std::floor((v - half / per) / tick)) * tick, hi = flt_to_int(std::ceil((v + half / per) / tick)) * tick;
  for (int u = lo; u <= hi; u += tick) {
    int y = cy - view_round((u - v) * per);
    if (y < cy - half || y > cy + half) continue;
    int big = u % label == 0;
    hline(c, x_tick - (big ? 4 : 2), x_tick + (big ? 4 : 2), y);
    if (big && u >= 0) {
      char s[16];
      std::snprintf(s, sizeof s, "%d", u / div);
      text(c, x_text, y - 3, s);
    }
  }
}

static void heading_tape(int c, float hdg, int cx) {
  int y = con.HUD_top + 2, half = 120;
  hline(c, cx - half, cx + half, y + 8);
  float per = 4;  // pixels a degree
  int lo = flt_to_int(std::floor((hdg - half / per) / 5)) * 5, hi = flt_to_int(std::ceil((hdg + half / per) / 5)) * 5;
  for (int d = lo; d <= hi; d += 5) {
    int x = cx + view_round((d - hdg) * per);
    if (x < cx - half || x > cx + half) continue;
    int big = d % 10 == 0;
    vline(c, x, y + (big ? 4 : 6), y + 8);
    if (big) {
      char s[16];
      std::snprintf(s, sizeof s, "%02d", intwrap(d, 0, 359) / 10);
      text(c, x - 6, y + 18, s);  // under the pointer's row
    }
  }
}

// Three pixels pointing at a reading: dx, dy the way the point looks.
static void arrowhead(int c, int x, int y, int dx, int dy) {
  if (x < con.HUD_lft + 1 || x > con.HUD_rgt - 1 || y < con.HUD_top + 1 || y > con.HUD_bot - 1) return;
  MACIBM_hspoint(c, x, y);
  if (dx) MACIBM_hsvline(c, x - dx, y - 1, 3);
  else MACIBM_hshline(c, x - 1, y - dy, 3);
}

void plot_nrml_hud() {
  int c = hud_color();
  int cx = flt_to_int(con.off_view_center_fx), cy = flt_to_int(con.off_view_center_fy);
  int by = boresight_y();
  // 1-2. Tapes and their pointers.
  vertical_tape(c, con.HUD_lft + 20, con.HUD_lft + 2, flt.vind, 2.0f, 10, 20, 1, cy);
  vertical_tape(c, con.HUD_rgt - 20, con.HUD_rgt - 17, flt.h_ind * M_TO_FT, 0.2f, 100, 500, 100, cy);
  heading_tape(c, flt.magpsi, cx);
  arrowhead(c, con.HUD_lft + 25, cy, -1, 0);
  arrowhead(c, con.HUD_rgt - 25, cy, 1, 0);
  arrowhead(c, cx, con.HUD_top + 15, 0, -1);
  char s[16];
  std::snprintf(s, sizeof s, "%d", bk::round(flt.vind));
  text(c, con.HUD_lft + 28, cy - 3, s);
  std::snprintf(s, sizeof s, "%d", bk::round(flt.h_ind * M_TO_FT));
  text(c, con.HUD_rgt - 28 - 6 * (int)std::strlen(s), cy - 3, s);
  // 3. Boresight and the ten-degree ticks.
  int def10 = tan_px(10), def5 = def10 / 2;
  hline(c, cx - 10, cx + 10, by);
  vline(c, cx, by - 10, by + 10);
  vline(c, cx - def10, by - 5, by + 5);
  vline(c, cx + def10, by - 5, by + 5);
  hline(c, cx - 5, cx + 5, by + def10);
  hline(c, cx - 2, cx + 2, by + def5);
  // 4. Flight-path marker.
  int fx = intlim(cx - tan_px(fltlim(flt.Beta, -80, 80)), con.HUD_lft + 2, con.HUD_rgt - 6);
  int fy = intlim(by + tan_px(fltlim(flt.Alpha, -80, 80)), con.HUD_top + 2, con.HUD_bot - 6);
  MACIBM_framerect(c, fx - 2, fy - 2, 4, 4);
  // 5. ILS bars and the angle-of-attack indexer.
  // The bars show where the course and the path lie: right of the centre when
  // the course is to the right, below it when the aircraft is above the path.
  if (pln.HUDtype != 3 && nav.goodnav[1]) {
    int lx = cx + intlim(view_round(nav.hdef[1] * 24), -100, 100), gy = by + intlim(view_round(nav.vdef[1] * 70), -100, 100);
    vline(c, lx, by - 60, by + 60);
    hline(c, cx - 60, cx + 60, gy);
    int ix = con.HUD_lft + 40, iy = con.HUD_bot - 60;
    float a = flt.Alpha;
    int up = a > 9 ? c : 11, box = a >= 7 && a <= 9 ? c : 11, dn = a < 7 ? c : 11;
    MACIBM_line(up, ix - 8, iy - 6, ix, iy - 14);
    MACIBM_line(up, ix, iy - 14, ix + 8, iy - 6);
    MACIBM_framerect(box, ix - 4, iy - 4, 8, 8);
    MACIBM_line(dn, ix - 8, iy + 6, ix, iy + 14);
    MACIBM_line(dn, ix, iy + 14, ix + 8, iy + 6);
  }
}

// ---- synthetic vision ----

static void world_line(int color, float x1, float y1, float z1, float x2, float y2, float z2) {
  float a1, b1, c1, a2, b2, c2;
  xfrm_SCENE(x1 - con.VIEW_loc_x, y1 - con.VIEW_loc_y, z1 - con.VIEW_loc_z, &a1, &b1, &c1);
  xfrm_SCENE(x2 - con.VIEW_loc_x, y2 - con.VIEW_loc_y, z2 - con.VIEW_loc_z, &a2, &b2, &c2);
  thr_line(color, a1, b1, c1, a2, b2, c2);
}

// Hoops 60 m wide and 40 m tall every half mile out to 3 nm down a 3-degree
// path to each runway end within 15 nm that lies ahead.
static void approach_hoops(float x, float y, float z, int hdng) {
  float s = isin(hdng), c = icos(hdng);
  for (int k = 1; k <= 6; k++) {
    float d = k * 0.5f * NM;
    float hx = x - s * d, hy = y - c * d, hz = z + d * std::tan(3 * D2R);
    float wx = 30 * c, wy = -30 * s;
    world_line(57, hx - wx, hy - wy, hz - 20, hx + wx, hy + wy, hz - 20);
    world_line(57, hx + wx, hy + wy, hz - 20, hx + wx, hy + wy, hz + 20);
    world_line(57, hx + wx, hy + wy, hz + 20, hx - wx, hy - wy, hz + 20);
    world_line(57, hx - wx, hy - wy, hz + 20, hx - wx, hy - wy, hz - 20);
  }
}

void plot_cool_hud() {
  // Clipped to the display's box: the view's rectangle stands in for it.
  float fl = con.off_flt_lft, ft = con.off_flt_top, fr = con.off_flt_rgt, fb = con.off_flt_bot;
  int il = con.off_int_lft, it = con.off_int_top, ir = con.off_int_rgt, ib = con.off_int_bot;
  con.off_flt_lft = (float)(con.off_int_lft = con.HUD_lft);
  con.off_flt_top = (float)(con.off_int_top = con.HUD_top);
  con.off_flt_rgt = (float)(con.off_int_rgt = con.HUD_rgt);
  con.off_flt_bot = (float)(con.off_int_bot = con.HUD_bot);
  // The display is the cockpit's: the eye's cell is the aircraft's.
  int ai = intlim(env.i_viewpoint, 0, GRID_I - 1), aj = intlim(env.j_viewpoint, 0, GRID_J - 1);
  int i1 = intmax2(ai - 10, 0), i2 = intmin2(ai + 10, GRID_I - 1), j1 = intmax2(aj - 10, 0), j2 = intmin2(aj + 10, GRID_J - 1);
  for (int i = i1; i <= i2; i++)
    for (int j = j1; j <= j2; j++) {
      if (i < i2) world_line(58, planex[i][j], planey[i][j], planez[i][j], planex[i + 1][j], planey[i + 1][j], planez[i + 1][j]);
      if (j < j2) world_line(58, planex[i][j], planey[i][j], planez[i][j], planex[i][j + 1], planey[i][j + 1], planez[i][j + 1]);
    }
  for (int k = 0; k < env.apt_list_num && k < REG_LIST_MAX; k++) {
    int a = apt_to_index[k];
    if (a < 0 || a >= APT_MAX) continue;
    for (int r = 0; r < 3; r++) {
      if (!(apt_len[a][r] * M_TO_FT > 1)) continue;
      float x = env_x_of_latlon(apt_lat[a][r], apt_lon[a][r]), y = env_y_of_lat(apt_lat[a][r]), z = apt_z[a];
      int h = apt_hdng[a][r];
      float s = isin(h), c = icos(h), hl = 0.5f * apt_len[a][r], hw = 0.5f * apt_width[a][r];
      float px[4], py[4];
      const float along[4] = {-hl, hl, hl, -hl}, across[4] = {-hw, -hw, hw, hw};
      for (int q = 0; q < 4; q++) {
        px[q] = x + across[q] * c + along[q] * s;
        py[q] = y + along[q] * c - across[q] * s;
      }
      for (int q = 0; q < 4; q++) world_line(57, px[q], py[q], z, px[(q + 1) % 4], py[(q + 1) % 4], z);
      if (pythag(x - (float)flt.x, y - (float)flt.y) > 15 * NM) continue;
      // Guidance to the end the aircraft heads for.
      int from_first = std::cos((flt.psi - h) * D2R) >= 0;
      int app = from_first ? h : h + 180;
      float ex = x - (from_first ? 1 : -1) * hl * s, ey = y - (from_first ? 1 : -1) * hl * c;
      if (std::cos((flt.psi - app) * D2R) > 0.7f) approach_hoops(ex, ey, z, app);
    }
  }
  con.off_flt_lft = fl, con.off_flt_top = ft, con.off_flt_rgt = fr, con.off_flt_bot = fb;
  con.off_int_lft = il, con.off_int_top = it, con.off_int_rgt = ir, con.off_int_bot = ib;
}
