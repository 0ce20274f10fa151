// Point lights drawn straight into the locked view after projection: runway,
// approach, taxiway and city lights, the glide-path lights, and the night sky.
#include "sim/view/lights.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/msc.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/genwrld2.h"
#include "sim/world/grid.h"

static const float R2D = 57.29577951308232f, D2R = 0.017453292519943295f;

int show_light(float depth, int index) {
  if (!(depth >= NEAR_DEPTH)) return 0;
  if (depth < atm.vis1_lite) return 1;
  if (depth < atm.vis2_lite) return index % 2 == 0;
  if (depth < atm.vis3_lite) return index % 8 == 0;
  return 0;
}

// A world point into the eye frame and onto the view; 0 when it is nearer
// than the near plane or not strictly inside the view.
static int project(float x, float y, float z, float* depth, int* sx, int* sy) {
  float ex, ez;
  xfrm_SCENE(x - con.VIEW_loc_x, y - con.VIEW_loc_y, z - con.VIEW_loc_z, &ex, depth, &ez);
  return *depth > NEAR_DEPTH && find_pxy(ex, *depth, ez, sx, sy);
}

// A 2 x 2 block whose top-left pixel lies inside the view; the block keeps inside too.
static void block2(int color, int sx, int sy) {
  int x = intmin2(sx, con.off_int_rgt - 1), y = intmin2(sy, con.off_int_bot - 2);
  MACIBM_hshline(color, x, y, 2);
  MACIBM_hshline(color, x, y + 1, 2);
}

void cityplot(int i, int j, int tri, int n, int color) {
  float ci1, cj1, ci2, cj2, ci3, cj3;
  if (i < 0 || j < 0 || i >= GRID_I - 1 || j >= GRID_J - 1) return;
  convert_ij_cw((float)i, (float)j, tri, &ci1, &cj1, &ci2, &cj2, &ci3, &cj3, planediv[i][j], 1, 1);
  const int a[3][2] = {{flt_to_int(ci1), flt_to_int(cj1)}, {flt_to_int(ci2), flt_to_int(cj2)}, {flt_to_int(ci3), flt_to_int(cj3)}};
  // Each light sits nearer one corner, by a fixed scatter of the cell, so
  // that the lights do not line up across the grid.
  unsigned h = (unsigned)i * 73856093u ^ (unsigned)j * 19349663u ^ ((unsigned)tri * 83492791u + (unsigned)n * 2654435761u);
  float w0 = 0.45f + 0.3f * ((h & 255) / 255.0f), w1 = 0.5f * (1 - w0) * (0.5f + ((h >> 8) & 255) / 255.0f);
  float w[3];
  w[n % 3] = w0;
  w[(n + 1) % 3] = w1;
  w[(n + 2) % 3] = 1 - w0 - w1;
  float x = 0, y = 0, z = 0;
  for (int c = 0; c < 3; c++) {
    x += w[c] * ax[a[c][0]][a[c][1]];
    y += w[c] * ay[a[c][0]][a[c][1]];
    z += w[c] * az[a[c][0]][a[c][1]];
  }
  int sx, sy;
  if (show_light(y, 8) && find_pxy(x, y, z, &sx, &sy)) MACIBM_hspoint(color, sx, sy);
}

void rwayplot(int color, int first, int last, int r) {
  if (r < 0 || r > 2) return;
  first = intmax2(first, 0);
  last = intmin2(last, RWY_LIGHTS - 1);
  for (int k = first; k <= last; k++) {
    if (!rwy.rwayuse[k][r]) continue;
    float d;
    int sx, sy;
    if (project(rwy.rwayx[k][r], rwy.rwayy[k][r], rwy.rwayz[k][r], &d, &sx, &sy) && show_light(d, k))
      MACIBM_hspoint(color, sx, sy);
  }
}

void heavy_light(float x, float y, float z, int color) {
  float d;
  int sx, sy;
  if (project(x, y, z, &d, &sx, &sy) && d < atm.vis3_lite) block2(color, sx, sy);
}

void heavy_rway_plot(int color, int index, int r) {
  if (r < 0 || r > 2 || index < 0 || index >= RWY_LIGHTS || !rwy.rwayuse[index][r]) return;
  heavy_light(rwy.rwayx[index][r], rwy.rwayy[index][r], rwy.rwayz[index][r], color);
}

void generalplot(float x, float y, float z, int color, int size) {
  float d;
  int sx, sy;
  if (!project(x, y, z, &d, &sx, &sy) || d >= atm.vis2_lite) return;
  int x1 = intlim(sx - size, con.off_int_lft, con.off_int_rgt), x2 = intlim(sx + size, con.off_int_lft, con.off_int_rgt);
  MACIBM_hshline(color, x1, sy, x2 - x1 + 1);
  int y1 = intlim(sy - size, con.off_int_top, con.off_int_bot - 1);
  int y2 = intlim(sy + size, con.off_int_top, con.off_int_bot - 1);
  MACIBM_hsvline(color, sx, y1, y2 - y1 + 1);
}

int pulse_color(int t) {
  // A red light brightening to a flash and fading; dark half the cycle.
  static const int ramp[12] = {35, 35, 21, 20, 19, 18, 36, 18, 19, 20, 21, 35};
  int p = ((scn.rb_cycle + t) % 25 + 25) % 25;
  return p < 12 ? ramp[p] : LITE_OFF;
}

// ---- runway lights ----

static int opt_in(int v, int lo, int hi) { return v >= lo && v <= hi; }

// Edge, threshold, centre-line, taxiway and touchdown lights belong to the
// runway, not to one end: they are drawn once, with the better lighting of
// the two ends.
static void runway_own_lights(int r, int rwy_opt, int app_opt, int s) {
  if (env.tway[r] && rwy_opt > 1) {
    rwayplot(LITE_BLUE, LGT_TWY_1, env.twaymax1[r] - 1, r);
    rwayplot(LITE_BLUE, LGT_TWY_2, env.twaymax2[r] - 1, r);
    rwayplot(LITE_BLUE, LGT_TWY_3, 560, r);
  }
  if (rwy_opt > 1) {
    // The caution zone is the far part, seen from the end the aircraft comes from.
    if (!s) {
      rwayplot(LITE_AMBER, LGT_EDGE_A, env.amber1[r], r);
      rwayplot(LITE_AMBER, LGT_EDGE_B, env.amber4[r], r);
      rwayplot(LITE_RWY_WHITE, env.amber1[r] + 1, env.rwaymax1[r] - 1, r);
      rwayplot(LITE_RWY_WHITE, env.amber4[r] + 1, env.rwaymax2[r] - 1, r);
    } else {
      rwayplot(LITE_RWY_WHITE, LGT_EDGE_A, env.amber2[r] - 1, r);
      rwayplot(LITE_RWY_WHITE, LGT_EDGE_B, env.amber3[r] - 1, r);
      rwayplot(LITE_AMBER, env.amber2[r], env.rwaymax1[r] - 1, r);
      rwayplot(LITE_AMBER, env.amber3[r], env.rwaymax2[r] - 1, r);
    }
  }
  int near = s ? LITE_GREEN : LITE_RED, far = s ? LITE_RED : LITE_GREEN;
  int app = opt_in(app_opt, 2, 5);
  if (rwy_opt > 2 || app) {
    rwayplot(near, LGT_THR_2, LGT_THR_2 + 2, r);
    rwayplot(near, LGT_THR_2 + 10, LGT_THR_2 + 12, r);
    rwayplot(far, LGT_THR_1, LGT_THR_1 + 2, r);
    rwayplot(far, LGT_THR_1 + 10, LGT_THR_1 + 12, r);
  }
  if (app) {
    rwayplot(near, LGT_THR_2 + 3, LGT_THR_2 + 9, r);
    rwayplot(far, LGT_THR_1 + 3, LGT_THR_1 + 9, r);
  }
  if (rwy_opt > 3) {
    int rmax = env.RCLSmax[r];
    if (!s) {
      rwayplot(LITE_RED, LGT_CENTRE, env.red2[r] - 1, r);
      for (int k = env.red2[r]; k < env.altred2[r] && k <= rmax; k++)
        rwayplot(k % 2 == 0 ? LITE_RED : LITE_RWY_WHITE, k, k, r);
      rwayplot(LITE_RWY_WHITE, env.altred2[r], rmax, r);
    } else {
      rwayplot(LITE_RWY_WHITE, LGT_CENTRE, env.altred1[r] - 1, r);
      for (int k = env.altred1[r]; k < env.red1[r] && k <= rmax; k++)
        rwayplot(k % 2 == 0 ? LITE_RED : LITE_RWY_WHITE, k, k, r);
      rwayplot(LITE_RED, env.red1[r], rmax, r);
    }
  }
}

void plotrunwaylights(int r, int end) {
  if (r < 0 || r > 2 || end < 0 || end > 1) return;
  int b = LGT_END * end;
  int rwy_opt = env.lgt_rwy[r][end], app_opt = env.lgt_app[r][end];
  int s = scn.straightin[r];
  if (end == 0) {
    int o = env.lgt_rwy[r][1], a = env.lgt_app[r][1];
    runway_own_lights(r, intmax2(rwy_opt, o), opt_in(app_opt, 2, 5) ? app_opt : a, s);
  }
  if (rwy_opt > 4) rwayplot(LITE_RWY_WHITE, b + LGT_TDZ, b + LGT_TDZ + 119, r);
  if (opt_in(app_opt, 2, 5)) rwayplot(LITE_RWY_WHITE, b + LGT_APP, b + LGT_APP + 25, r);
  if (opt_in(app_opt, 4, 5)) rwayplot(LITE_RWY_WHITE, b + LGT_APP_CROSS, b + LGT_APP_CROSS + 19, r);
  if (app_opt == 5) rwayplot(LITE_RED, b + LGT_APP_RED, b + LGT_APP_RED + 79, r);
  if (opt_in(app_opt, 3, 6) && rwy.rwayuse[b + LGT_APP_BAR][r]) {
    float d;
    int sx, sy;
    int k = b + LGT_APP_BAR;
    if (project(rwy.rwayx[k][r], rwy.rwayy[k][r], rwy.rwayz[k][r], &d, &sx, &sy) && d < atm.vis2_lite)
      MACIBM_hshline(LITE_WHITE, intmin2(sx, con.off_int_rgt - 1), sy, 2);
  }
}

void vasi_colors(int option, float a, int colors[4]) {
  for (int k = 0; k < 4; k++) colors[k] = 0;
  if (option == 2) {
    colors[0] = colors[1] = a >= 3.5f ? LITE_WHITE : LITE_RED;
    colors[2] = colors[3] = a >= 2.5f ? LITE_WHITE : LITE_RED;
  } else if (option == 3) {
    static const float on[4] = {2.6f, 2.9f, 3.1f, 3.4f};
    for (int k = 0; k < 4; k++) colors[k] = a >= on[k] ? LITE_WHITE : LITE_RED;
  }
}

void plotVASI(int r, int end) {
  if (r < 0 || r > 2 || end < 0 || end > 1) return;
  int opt = env.lgt_gls[r][end];
  if (opt != 2 && opt != 3) return;
  int b = LGT_END * end + LGT_VASI;
  if (!rwy.rwayuse[b][r]) return;
  int a = msc.loc_index;
  float elev = (a >= 0 && a < APT_MAX) ? apt_z[a] : rwy.rwayz[b][r];
  float dist = pythag(rwy.rwayx[b][r] - con.VIEW_loc_x, rwy.rwayy[b][r] - con.VIEW_loc_y);
  float angle = std::atan2(con.VIEW_loc_z - elev, dist) * R2D;
  int colors[4];
  vasi_colors(opt, angle, colors);
  for (int k = 0; k < 4; k++) heavy_rway_plot(colors[k], b + k, r);
}

// ---- the night sky ----

static float wrap_pi(float a) {
  a = std::fmod(a + 3.14159265f, 6.2831853f);
  if (a < 0) a += 6.2831853f;
  return a - 3.14159265f;
}

// A direction of the sky (azimuth, elevation in degrees) as offsets from the
// view, turned by its roll; 0 when it is not in the view's tangent limits.
static int sky_offset(float azi, float ele, float* tx, float* tz) {
  float da = wrap_pi(azi * D2R - scn.psi180rad), de = wrap_pi(ele * D2R - scn.the180rad);
  if (!(std::fabs(da) < con.rat_rgt && std::fabs(de) < con.rat_rgt)) return 0;
  da *= 1.1f;
  de *= 1.1f;
  *tx = da * con.cosVIEWphi - de * con.sinVIEWphi;
  *tz = da * con.sinVIEWphi + de * con.cosVIEWphi;
  return 1;
}

void plot_star_group(int color, int first, int last) {
  first = intmax2(first, 1);
  last = intmin2(last, STARS - 1);
  for (int k = first; k <= last; k++) {
    float tx, tz;
    if (!sky_offset(sta.azi[k], sta.ele[k], &tx, &tz)) continue;
    if (tx > con.rat_lft && tx < con.rat_rgt && tz < con.rat_top && tz > con.rat_bot)
      MACIBM_hspoint(color, XFRM_x(tx), XFRM_y(tz));
  }
}

static void plot_moon() {
  float da = wrap_pi(sta.azi[0] * D2R - scn.psi180rad), de = wrap_pi(sta.ele[0] * D2R - scn.the180rad);
  da *= 1.1f;
  de *= 1.1f;
  float tx = da * con.cosVIEWphi - de * con.sinVIEWphi, tz = da * con.sinVIEWphi + de * con.cosVIEWphi;
  if (!(std::fabs(tx) < 100 && std::fabs(tz) < 100)) return;
  int cx = XFRM_x(tx), cy = XFRM_y(tz);
  const int R = 10;
  if (cx < con.off_int_lft - R || cx > con.off_int_rgt + R || cy < con.off_int_top - R || cy > con.off_int_bot + R)
    return;
  for (int dy = -R; dy <= R; dy++) {
    int y = cy + dy;
    if (y < con.off_int_top || y >= con.off_int_bot) continue;
    int w = flt_to_int(std::sqrt((float)(R * R - dy * dy)));
    int x1 = intmax2(cx - w, con.off_int_lft), x2 = intmin2(cx + w, con.off_int_rgt);
    if (x2 >= x1) MACIBM_hshline(LITE_MOON, x1, y, x2 - x1 + 1);
  }
}

// The shooting star: where it is, its step per twentieth of a second, how long it has burnt.
static int   met_on;
static float met_x, met_y, met_dx, met_dy, met_t;

int meteor_burning() { return met_on; }

static void plot_meteor() {
  float prd = msc.prd > 0 ? msc.prd : 0.05f;
  if (!met_on) {
    static const float mean[5] = {300, 600, 300, 150, 30};
    float m = mean[intlim(atm.meteorite_code, 0, 4)];
    if (fltrand(0, m / prd) < 1) {
      met_on = 1;
      met_t = 0;
      met_x = fltrand(0, 800);
      met_y = fltrand(5, 230);
      met_dx = fltrand(-16, 16);
      met_dy = fltrand(4, 16);
    }
    if (!met_on) return;
  }
  // The step was a frame's at twenty frames a second: scaled, the streak
  // crosses the sky as fast at any frame rate.
  float k = prd * 20.0f;
  float nx = met_x + met_dx * k, ny = met_y + met_dy * k;
  int color = met_t < 0.1f ? LITE_MOON : (met_t < 0.7f ? LITE_WHITE : LITE_MOON);
  if (met_x >= 0 && met_x <= 800 && nx >= 0 && nx <= 800 && met_y >= 5 && met_y <= 230 && ny >= 5 && ny <= 230)
    MACIBM_hsclippedline(color, flt_to_int(met_x), flt_to_int(met_y), flt_to_int(nx), flt_to_int(ny));
  met_x = nx;
  met_y = ny;
  met_t += prd;
  if (met_t >= 1.0f) met_on = 0;
}

void plotnightsky() {
  plot_moon();
  int m = intlim(scn.starmax, 0, STARS - 1);
  plot_star_group(LITE_WHITE, 1, m / 2);
  plot_star_group(LITE_WHITE, m / 2 + 1, 3 * m / 4);
  plot_star_group(LITE_MOON, 3 * m / 4 + 1, m);
  plot_meteor();
}
