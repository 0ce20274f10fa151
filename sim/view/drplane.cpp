// The user's aircraft seen from outside: propeller blades, the elements of
// every lifting surface with their control surfaces, and the bodies' panels,
// from the same geometry the flight model flies, drawn farthest part first.
#include "sim/view/drplane.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"

float tran_x[19][18][8], tran_y[19][18][8], tran_z[19][18][8];
int   plot_x[19][18][8], plot_y[19][18][8];
int   track_ang;

static float track_acc;        // the blade angle before rounding
static int   rows[PARTS];      // rows used per part: blades, span stations or body sections
static int   cols[PARTS];      // points per row
static int   order[PARTS], order_n;
static int   clip_mode;        // the zoom cannot go out further: cut what crosses the edges

static const float MIN_ZOOM = 0.125f;

int plane_line_col(int time) { return 26 - intlim(time, 1, 4); }
int plane_wing_col(int time) { return 30 - intlim(time, 1, 4); }
int plane_fuse_col(int time) { return 33 - intlim(time, 1, 4); }

int plane_draw_order(int* parts) {
  for (int k = 0; k < order_n; k++) parts[k] = order[k];
  return order_n;
}

// An arm point (x aft, y right, z up) of the aircraft into the eye frame;
// 0 when it cannot be shown whole: nearer than 3 m or off the view.
static int put(int p, int r, int c, float xa, float ya, float za) {
  float x, y, z;
  xfrm_PLANE(ya, -xa, za, &x, &y, &z);
  tran_x[p][r][c] = x, tran_y[p][r][c] = y, tran_z[p][r][c] = z;
  if (!(y >= NEAR_DEPTH)) return 0;
  int sx = XFRM_x(x / y), sy = XFRM_y(z / y);
  plot_x[p][r][c] = sx, plot_y[p][r][c] = sy;
  return sx >= con.off_int_lft && sx <= con.off_int_rgt && sy >= con.off_int_top && sy < con.off_int_bot;
}

// ---- the points of each part ----

static float chord_at(int p, float r) {
  float s = pln.semilen[p] > 0 ? r / pln.semilen[p] : 0;
  return pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * s;
}

static int prop_points(int p) {
  int n = intlim(pln.numblades[p], 1, 17);
  int spacing = 360 / n;
  float vc = pln.vertcant[p] * 0.0174533f;
  // The disc: e1 to the right, e2 up (tilted back with the thrust line).
  float e2x = std::sin(vc), e2z = std::cos(vc);
  float hx = pln.xarm[p], hy = pln.yarm[p], hz = pln.zarm[p];
  float R = pln.semilen[p], c0 = 0.5f * pln.Croot[p], c1 = 0.5f * pln.Ctip[p];
  int ok = 1;
  for (int k = 1; k <= n; k++) {
    int a = k * spacing + track_ang;
    float ca = icos(a), sa = isin(a);
    // Radial (ca along e1, sa along e2) and the chord across it.
    float rx = sa * e2x, ry = ca, rz = sa * e2z;
    float tx = ca * e2x, ty = -sa, tz = ca * e2z;
    ok &= put(p, k - 1, 0, hx + c0 * tx, hy + c0 * ty, hz + c0 * tz);
    ok &= put(p, k - 1, 1, hx + R * rx + c1 * tx, hy + R * ry + c1 * ty, hz + R * rz + c1 * tz);
    ok &= put(p, k - 1, 2, hx + R * rx - c1 * tx, hy + R * ry - c1 * ty, hz + R * rz - c1 * tz);
    ok &= put(p, k - 1, 3, hx - c0 * tx, hy - c0 * ty, hz - c0 * tz);
  }
  rows[p] = n, cols[p] = 4;
  return ok;
}

// Span stations 0..els: the leading and trailing edge (the arm is the
// quarter chord).
static int wing_points(int p) {
  int n = intlim(pln.els[p], 1, ELEMENTS);
  int ok = 1;
  for (int j = 0; j <= n; j++) {
    float r = pln.semilen[p] * j / n, c = chord_at(p, r);
    float x = get_wing_xarm(p, r), y = get_wing_yarm(p, r), z = get_wing_zarm(p, r);
    ok &= put(p, j, 0, x - 0.25f * c, y, z);
    ok &= put(p, j, 1, x + 0.75f * c, y, z);
  }
  rows[p] = n + 1, cols[p] = 2;
  return ok;
}

static int body_points(int p) {
  float ox, oy, oz;
  get_body_os(p, &ox, &oy, &oz);
  int ns = intlim(f_body_s_dim(p), 1, BODY_SECTIONS), nr = intlim(f_body_r_dim(p), 1, BODY_POINTS);
  int ok = 1;
  for (int s = 0; s < ns; s++)
    for (int m = 0; m < nr; m++)
      ok &= put(p, s, m, pln.body_x[p][s][m] + ox, pln.body_y[p][s][m] + oy, pln.body_z[p][s][m] + oz);
  rows[p] = ns, cols[p] = nr;
  return ok;
}

// ---- filling ----

static int pt_ok(int p, int r, int c) { return tran_y[p][r][c] >= NEAR_DEPTH; }

static void quad(int color, int p, int r0, int c0, int r1, int c1, int r2, int c2, int r3, int c3) {
  if (clip_mode) {
    if (!(pt_ok(p, r0, c0) && pt_ok(p, r1, c1) && pt_ok(p, r2, c2) && pt_ok(p, r3, c3))) return;
    MACIBM_clipped_poly4(color, plot_x[p][r0][c0], plot_y[p][r0][c0], plot_x[p][r1][c1], plot_y[p][r1][c1],
                         plot_x[p][r2][c2], plot_y[p][r2][c2], plot_x[p][r3][c3], plot_y[p][r3][c3], 0);
    return;
  }
  MACIBM_poly4(color, plot_x[p][r0][c0], plot_y[p][r0][c0], plot_x[p][r1][c1], plot_y[p][r1][c1], plot_x[p][r2][c2],
               plot_y[p][r2][c2], plot_x[p][r3][c3], plot_y[p][r3][c3], 0);
}

// A line in the arm frame, drawn when both ends show.
static void arm_line(int color, float x1, float y1, float z1, float x2, float y2, float z2) {
  float a, b, c, d, e, f;
  xfrm_PLANE(y1, -x1, z1, &a, &b, &c);
  xfrm_PLANE(y2, -x2, z2, &d, &e, &f);
  if (!(b >= NEAR_DEPTH && e >= NEAR_DEPTH)) return;
  MACIBM_hsclippedline(color, XFRM_x(a / b), XFRM_y(c / b), XFRM_x(d / e), XFRM_y(f / e));
}

// The strip between chord fractions f1 and f2 (from the leading edge) of element j.
static void draw_control(int color, int p, int j, float f1, float f2) {
  int n = intlim(pln.els[p], 1, ELEMENTS);
  float r0 = pln.semilen[p] * j / n, r1 = pln.semilen[p] * (j + 1) / n;
  float x0 = get_wing_xarm(p, r0), y0 = get_wing_yarm(p, r0), z0 = get_wing_zarm(p, r0);
  float x1 = get_wing_xarm(p, r1), y1 = get_wing_yarm(p, r1), z1 = get_wing_zarm(p, r1);
  float c0 = chord_at(p, r0), c1 = chord_at(p, r1);
  float a0 = x0 - 0.25f * c0 + f1 * c0, b0 = x0 - 0.25f * c0 + f2 * c0;
  float a1 = x1 - 0.25f * c1 + f1 * c1, b1 = x1 - 0.25f * c1 + f2 * c1;
  arm_line(color, a0, y0, z0, a1, y1, z1);
  arm_line(color, a1, y1, z1, b1, y1, z1);
  arm_line(color, b1, y1, z1, b0, y0, z0);
  arm_line(color, b0, y0, z0, a0, y0, z0);
}

static void controls_of(int p, int j, int color) {
  if (pln.ailn[p][j]) draw_control(color, p, j, 0.75f - pln.ailn_crat, 0.75f);
  if (pln.rudd[p][j]) draw_control(color, p, j, 0.75f - pln.rudd_crat, 0.75f);
  if (pln.drud[p][j]) draw_control(color, p, j, 0.75f - pln.drud_crat, 0.75f);
  if (pln.elev[p][j]) draw_control(color, p, j, 0.75f - pln.elev_crat, 0.75f);
  if (pln.splr[p][j]) draw_control(color, p, j, 0.6f - pln.splr_crat, 0.6f);
  if (pln.sbrk[p][j]) draw_control(color, p, j, 0.6f - pln.splr_crat - pln.sbrk_crat, 0.6f - pln.splr_crat);
  if (pln.flap[p][j]) draw_control(color, p, j, 0.6f, 0.75f);
  if (pln.slat[p][j]) draw_control(color, p, j, -0.25f, -0.15f);
}

static void tip_light(int p, int color) {
  float r = pln.semilen[p], wx, wy, wz;
  xfrm_VIEWP(get_wing_yarm(p, r), -get_wing_xarm(p, r), get_wing_zarm(p, r), &wx, &wy, &wz);
  heavy_light(con.PLAN_loc_x + wx, con.PLAN_loc_y + wy, con.PLAN_loc_z + wz, color);
}

static void handle_plane_poly(int p, int line_col, int wing_col) {
  if (p <= 3) {
    for (int k = 0; k < rows[p]; k++) quad(LITE_OFF, p, k, 0, k, 1, k, 2, k, 3);
    return;
  }
  for (int j = 0; j + 1 < rows[p]; j++) {
    quad(wing_col, p, j, 0, j + 1, 0, j + 1, 1, j, 1);
    controls_of(p, j, line_col);
  }
  if (p == 4) tip_light(p, 36);
  if (p == 5) tip_light(p, 12);
  if (p == 10 || p == 11) {
    int c = pulse_color(p);
    if (c != LITE_OFF) tip_light(p, c);
  }
}

// Each panel between two sections as two triangles, those that face the eye.
static void handle_body(int p, int fuse_col) {
  int ns = rows[p], nr = cols[p];
  float axis[BODY_SECTIONS][3];
  for (int s = 0; s < ns; s++) {
    axis[s][0] = axis[s][1] = axis[s][2] = 0;
    for (int m = 0; m < nr; m++) {
      axis[s][0] += tran_x[p][s][m] / nr;
      axis[s][1] += tran_y[p][s][m] / nr;
      axis[s][2] += tran_z[p][s][m] / nr;
    }
  }
  for (int s = 0; s + 1 < ns; s++)
    for (int m = 0; m < nr; m++) {
      int m1 = (m + 1) % nr;
      int color = fuse_col - 2 * intmin2(m, nr - 1 - m);
      const int tri[2][3][2] = {{{s, m}, {s, m1}, {s + 1, m1}}, {{s, m}, {s + 1, m1}, {s + 1, m}}};
      for (const auto& t : tri) {
        float P[3][3];
        for (int q = 0; q < 3; q++) {
          P[q][0] = tran_x[p][t[q][0]][t[q][1]];
          P[q][1] = tran_y[p][t[q][0]][t[q][1]];
          P[q][2] = tran_z[p][t[q][0]][t[q][1]];
        }
        float e1[3] = {P[1][0] - P[0][0], P[1][1] - P[0][1], P[1][2] - P[0][2]};
        float e2[3] = {P[2][0] - P[0][0], P[2][1] - P[0][1], P[2][2] - P[0][2]};
        float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        // Outward is away from the body's axis between the two sections.
        float mid[3], out = 0, toward_eye = 0;
        for (int q = 0; q < 3; q++) {
          mid[q] = (P[0][q] + P[1][q] + P[2][q]) / 3;
          out += n[q] * (mid[q] - 0.5f * (axis[s][q] + axis[s + 1][q]));
          toward_eye -= n[q] * mid[q];
        }
        if (out * toward_eye <= 0) continue;
        int ok = 1;
        for (int q = 0; q < 3; q++) ok &= pt_ok(p, t[q][0], t[q][1]);
        if (!ok) continue;
        int x[3], y[3];
        for (int q = 0; q < 3; q++) x[q] = plot_x[p][t[q][0]][t[q][1]], y[q] = plot_y[p][t[q][0]][t[q][1]];
        if (clip_mode) MACIBM_clipped_poly3(color, x[0], y[0], x[1], y[1], x[2], y[2], 0);
        else MACIBM_poly3(color, x[0], y[0], x[1], y[1], x[2], y[2], 0);
      }
    }
}

void plot_plane() {
  int time = intlim(scn.time, 1, 4);
  int line_col = plane_line_col(time), wing_col = plane_wing_col(time), fuse_col = plane_fuse_col(time);
  set_plan_trig((float)flt.x, (float)flt.y, (float)flt.z, flt.psi, flt.the, flt.phi);
  order_n = 0;
  // The blades turn 30 % of their spacing in a twentieth of a second.
  int props = 0;
  for (int p = 0; p <= 3; p++) props += have_this_part(p);
  int inside = 1;
  for (int p = 0; p < PARTS; p++) {
    rows[p] = 0;
    if (!have_this_part(p)) continue;
    if (p <= 3) {
      int spacing = 360 / intlim(pln.numblades[p], 1, 17);
      track_acc = std::fmod(track_acc + 0.3f * spacing * fltlim(msc.prd, 0, 0.2f) * 20 / props, 360.0f);
      track_ang = intwrap(flt_to_int(track_acc), 0, 359);
      inside &= prop_points(p);
    } else if (p <= 11) {
      inside &= wing_points(p);
    } else {
      inside &= body_points(p);
    }
    order[order_n++] = p;
  }
  // Too near to show whole: the view steps back, unless it is as wide as it goes.
  clip_mode = 0;
  if (!inside) {
    if (scn.zoom > MIN_ZOOM * 1.001f) {
      set_mon(-1, 0.5f);
      return;
    }
    clip_mode = 1;
  }
  float depth[PARTS];
  for (int k = 0; k < order_n; k++) {
    int p = order[k], n = 0;
    float d = 0;
    for (int r = 0; r < rows[p] && n < 4; r++)
      for (int c = 0; c < cols[p] && n < 4; c++, n++) d += tran_y[p][r][c];
    depth[p] = n ? d / n : 0;
  }
  for (int a = 0; a < order_n; a++)
    for (int b = 0; b + 1 < order_n - a; b++)
      if (depth[order[b]] < depth[order[b + 1]]) {
        int t = order[b];
        order[b] = order[b + 1];
        order[b + 1] = t;
      }
  for (int k = 0; k < order_n; k++) {
    int p = order[k];
    if (p <= 11) handle_plane_poly(p, line_col, wing_col);
    else handle_body(p, fuse_col);
  }
}
