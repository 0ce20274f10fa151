#include "sim/view/drterrain.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/view/carrier.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/poly3d.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "sim/world/terrain.h"

// An eye-frame point of the scratch arrays, by grid index.
#define PT(i, j) ax[i][j], ay[i][j], az[i][j]

// The visible cells in the sweep order of set_bounds; draw(i, j) for each.
template <class F> static void sweep_cells(F draw) {
  for (int a = scn.plot_i_start; a != scn.plot_i_stop; a += scn.i_inc)
    for (int b = scn.plot_j_start; b != scn.plot_j_stop; b += scn.j_inc) {
      if (scn.vlines) draw(a, b);
      else draw(b, a);
    }
}

// The corners of triangle tri of cell (i, j), clockwise seen from above.
static void cw_corners(int i, int j, int tri, int div, int* ci, int* cj) {
  float i1, j1, i2, j2, i3, j3;
  convert_ij_cw((float)i, (float)j, tri, &i1, &j1, &i2, &j2, &i3, &j3, div, 1, 1);
  ci[0] = flt_to_int(i1); cj[0] = flt_to_int(j1);
  ci[1] = flt_to_int(i2); cj[1] = flt_to_int(j2);
  ci[2] = flt_to_int(i3); cj[2] = flt_to_int(j3);
}

static void eye_rel(float x, float y, float z, float* ex, float* ey, float* ez) {
  xfrm_SCENE(x - con.VIEW_loc_x, y - con.VIEW_loc_y, z - con.VIEW_loc_z, ex, ey, ez);
}

static void world_line(int color, float x1, float y1, float z1, float x2, float y2, float z2) {
  float a1, b1, c1, a2, b2, c2;
  eye_rel(x1, y1, z1, &a1, &b1, &c1);
  eye_rel(x2, y2, z2, &a2, &b2, &c2);
  thr_line(color, a1, b1, c1, a2, b2, c2);
}

static void plot_strike() {
  for (int k = 0; k <= atm.num_branches && k < 4; k++)
    for (int p = 0; p + 1 < atm.strike_size[k] && p + 1 < 20; p++)
      world_line(59, atm.lightx[k][p], atm.lighty[k][p], atm.lightz[k][p], atm.lightx[k][p + 1], atm.lighty[k][p + 1],
                 atm.lightz[k][p + 1]);
}

// Two white flashes and a green one in every 60 frames, dimmer between.
static void plot_beacon(int n) {
  int p = (n * 10 + scn.rb_cycle) % 60;
  int color = 0, size = 0;
  if (p >= 14 && p <= 15) color = 55, size = 3;
  else if (p >= 44 && p <= 46) color = 57, size = 3;
  else if (p >= 10 && p <= 20) color = 55, size = 1;
  else if (p >= 40 && p <= 50) color = 57, size = 1;
  if (!color) return;
  generalplot(env_x_of_latlon(beaclat[n], beaclon[n]), env_y_of_lat(beaclat[n]), beacz[n], color, size);
}

static void terrain_cell(int i, int j) {
  if (!(invrange[i][j] || invrange[i + 1][j] || invrange[i][j + 1] || invrange[i + 1][j + 1])) return;
  if (!(in_front[i][j] || in_front[i + 1][j] || in_front[i][j + 1] || in_front[i + 1][j + 1])) return;
  for (int tri = 0; tri < 2; tri++) {
    int ci[3], cj[3];
    cw_corners(i, j, tri, planediv[i][j], ci, cj);
    int color = on_fire_now[i][j][tri] ? 80 : (was_on_fire[i][j][tri] ? 82 : planecol[i][j][tri]);
    int a0 = ci[0], b0 = cj[0], a1 = ci[1], b1 = cj[1], a2 = ci[2], b2 = cj[2];
    if (!(point_os[a0][b0] && point_os[a1][b1] && point_os[a2][b2])) {
      any_poly3_3D(color, PT(a0, b0), PT(a1, b1), PT(a2, b2), 1, 1);
    } else if (scn.poly_breakup == 0) {
      // Wholly on screen: the precomputed pixels, no clipping.
      if (haze_color((ay[a0][b0] + ay[a1][b1] + ay[a2][b2]) * (1.0f / 3), &color))
        MACIBM_poly3(color, px[a0][b0], py[a0][b0], px[a1][b1], py[a1][b1], px[a2][b2], py[a2][b2], 0);
    } else {
      any_poly3_3D(color, PT(a0, b0), PT(a1, b1), PT(a2, b2), 0, 0);
    }
    if (scn.draw_lights && light_on_poly[i][j][tri]) {
      cityplot(i, j, tri, 0, 53);
      cityplot(i, j, tri, 1, 54);
      cityplot(i, j, tri, 2, 53);
    }
  }
  if (atm.strike_up && atm.i_strike == i && atm.j_strike == j) plot_strike();
  if (scn.draw_lights && beacon_index[i][j] != -1) plot_beacon(beacon_index[i][j]);
  if (boat_on_poly[i][j] || carr_on_poly[i][j]) {
    // Where the flight model finds the decks.
    float x, y, z;
    ship_position(i, j, &x, &y, &z);
    if (boat_on_poly[i][j]) draw_a_boat(x, y, z);
    if (carr_on_poly[i][j]) draw_a_carr(x, y, z);
  }
}

void plot_terrain() {
  for (int i = scn.i1_plot_bound; i <= scn.i2_plot_bound; i++)
    for (int j = scn.j1_plot_bound; j <= scn.j2_plot_bound; j++)
      assign_pxy(planex[i][j] - con.VIEW_loc_x, planey[i][j] - con.VIEW_loc_y, planez[i][j] - con.VIEW_loc_z, i, j);
  sweep_cells(terrain_cell);
}

static void cloud_cell(int i, int j) {
  for (int tri = 0; tri < 2; tri++) {
    int ci[3], cj[3];
    cw_corners(i, j, tri, clouddiv[i][j], ci, cj);
    int a0 = ci[0], b0 = cj[0], a1 = ci[1], b1 = cj[1], a2 = ci[2], b2 = cj[2];
    if (!(in_front[a0][b0] || in_front[a1][b1] || in_front[a2][b2])) continue;
    int color = cloudcol[i][j][tri];
    if (!(point_os[a0][b0] && point_os[a1][b1] && point_os[a2][b2]))
      any_poly3_3D(color, PT(a0, b0), PT(a1, b1), PT(a2, b2), 1, 1);
    else
      MACIBM_poly3(color, px[a0][b0], py[a0][b0], px[a1][b1], py[a1][b1], px[a2][b2], py[a2][b2], 0);
  }
}

void plot_ocastclouds() {
  drawing_cloud = 1;
  for (int i = scn.i1_plot_bound; i <= scn.i2_plot_bound; i++)
    for (int j = scn.j1_plot_bound; j <= scn.j2_plot_bound; j++)
      assign_pxy(cloudx[i][j] - con.VIEW_loc_x, cloudy[i][j] - con.VIEW_loc_y,
                 atm.topsMSL + cloudz[i][j] - con.VIEW_loc_z, i, j);
  sweep_cells(cloud_cell);
  drawing_cloud = 0;
}

// ---- runways ----

void plot_runway(int m1, int m2, int rway, int base_col, int bu) {
  if (rway < 0 || rway > 2) return;
  scn.rway_breakup = bu;
  m2 = intmin2(m2, rwy.max[rway]);
  for (int m = intmax2(m1, 0); m <= m2; m++) {
    float x[4], y[4], z[4];
    int sx[4], sy[4], all_os = 1;
    for (int c = 0; c < 4; c++) {
      eye_rel(rwy.markx[m][c][rway], rwy.marky[m][c][rway], rwy.markz[m][c][rway], &x[c], &y[c], &z[c]);
      if (!(y[c] > NEAR_DEPTH && find_pxy(x[c], y[c], z[c], &sx[c], &sy[c]))) all_os = 0;
    }
    if (!all_os) {
      any_poly4_3D(base_col, x[0], y[0], z[0], x[1], y[1], z[1], x[2], y[2], z[2], x[3], y[3], z[3], 1, m == 0);
    } else if (!scn.rway_breakup) {
      int color = base_col;
      if (haze_color(0.25f * (y[0] + y[1] + y[2] + y[3]), &color))
        MACIBM_poly4(color, sx[0], sy[0], sx[1], sy[1], sx[2], sy[2], sx[3], sy[3], 0);
    } else {
      any_poly4_3D(base_col, x[0], y[0], z[0], x[1], y[1], z[1], x[2], y[2], z[2], x[3], y[3], z[3], 0, 0);
    }
  }
}

// ---- towers and buildings ----

void plot_a_tower(int t) {
  float x = twr_x[t], y = twr_y[t], z = twr_z[t], h = twr_dz[t];
  if (twr_type[t] == 4) {
    int color = scn.draw_lights ? 80 : 82;
    world_line(color, x - 0.4f * h, y, z, x - 0.2f * h, y, z + h);
    world_line(color, x + 0.4f * h, y, z, x + 0.2f * h, y, z + h);
    world_line(color, x - 0.4f * h, y, z, x + 0.2f * h, y, z + h);
    world_line(color, x + 0.4f * h, y, z, x - 0.2f * h, y, z + h);
    world_line(color, x - 0.5f * h, y, z + h, x + 0.5f * h, y, z + h);
    return;
  }
  if (h <= 150) {
    int color = scn.draw_lights ? pulse_color(t) : 82;
    for (int k = 0; k < 10; k++) generalplot(x, y, z + k * h / 9, color, 0);
    return;
  }
  int flash = (scn.rb_cycle + t) % 30 == 0 ? 2 : 0;
  for (int k = 0; k < 13; k++) generalplot(x, y, z + k * h / 13, k % 2 ? 55 : 18, flash);
  int top = intlim(bk::round(2.0f * icos(((scn.rb_cycle + t) * 6) % 360)), 0, 2);
  generalplot(x, y, z + h, 18, top);
}

static const float corner_sx[4] = {-1, 1, 1, -1}, corner_sy[4] = {1, 1, -1, -1};

#define BP(c, l) ax[c][l], ay[c][l], az[c][l]

static void bldng_quad(int color, int c0, int l0, int c1, int l1, int c2, int l2, int c3, int l3, int fullscreenit) {
  int clip = !(point_os[c0][l0] && point_os[c1][l1] && point_os[c2][l2] && point_os[c3][l3]);
  manage_poly4(color, BP(c0, l0), BP(c1, l1), BP(c2, l2), BP(c3, l3), clip, fullscreenit);
}

// A regular grid of lit windows on the walls of one tier.
static void plot_windows(int b, int tier) {
  static const int colors[4] = {55, 59, 53, 54};
  int color = colors[b % 4];
  float d = ay[0][0] * con.mtrstonm, fu, fv;
  if (d < 1) fu = 0.1f, fv = 0.05f;
  else if (d < 3) fu = 0.2f, fv = 0.1f;
  else if (d < 6) fu = 0.4f, fv = 0.2f;
  else fu = 0.8f, fv = 0.4f;
  for (int w = 0; w < 4; w++) {
    int c0 = w, c1 = (w + 1) % 4;
    if (!poly4_normal(BP(c1, tier), BP(c1, tier + 1), BP(c0, tier + 1))) continue;
    for (float u = 0.5f * fu; u < 1; u += fu)
      for (float v = 0.5f * fv; v < 1; v += fv) {
        float p[3];
        const float* src[4][3] = {{&ax[c0][tier], &ay[c0][tier], &az[c0][tier]},
                                  {&ax[c1][tier], &ay[c1][tier], &az[c1][tier]},
                                  {&ax[c0][tier + 1], &ay[c0][tier + 1], &az[c0][tier + 1]},
                                  {&ax[c1][tier + 1], &ay[c1][tier + 1], &az[c1][tier + 1]}};
        for (int k = 0; k < 3; k++) {
          float lo = *src[0][k] + u * (*src[1][k] - *src[0][k]);
          float hi = *src[2][k] + u * (*src[3][k] - *src[2][k]);
          p[k] = lo + v * (hi - lo);
        }
        int sx, sy;
        if (p[1] > NEAR_DEPTH && find_pxy(p[0], p[1], p[2], &sx, &sy)) MACIBM_hspoint(color, sx, sy);
      }
  }
}

void plot_a_bldng(int b) {
  int type = obs_type[b];
  if (!type) return;
  int levels = (type == 2 || type == 6) ? 2 : 4;
  int any_front = 0;
  for (int l = 0; l < levels; l++)
    for (int c = 0; c < 4; c++) {
      assign_pxy(obs_x[b] + corner_sx[c] * obs_dx[b][l] - con.VIEW_loc_x,
                 obs_y[b] + corner_sy[c] * obs_dy[b][l] - con.VIEW_loc_y, obs_z[b] + obs_dz[b][l] - con.VIEW_loc_z, c, l);
      any_front |= in_front[c][l];
    }
  if (!any_front) return;
  for (int t = 0; t + 1 < levels; t++)
    for (int w = 0; w < 4; w++) {
      int c0 = w, c1 = (w + 1) % 4;
      // Clockwise as seen from outside the wall.
      if (!poly4_normal(BP(c1, t), BP(c1, t + 1), BP(c0, t + 1))) continue;
      int color = w % 2 ? 81 : 80;
      if (type == 6 || (t == 1 && (type == 1 || type == 93))) color = 82;
      bldng_quad(color, c1, t, c1, t + 1, c0, t + 1, c0, t, 0);
    }
  int top = levels - 1;
  if (poly4_normal(BP(0, top), BP(1, top), BP(2, top))) bldng_quad(82, 0, top, 1, top, 2, top, 3, top, 1);
  if (scn.draw_lights && type >= 90 && type <= 92) plot_windows(b, type - 90);
}
