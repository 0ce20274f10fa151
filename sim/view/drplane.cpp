// The user's aircraft seen from outside: propeller blades, the elements of
// every lifting surface at their incidence with their control surfaces where
// the flight state has them, and the bodies' panels, from the same geometry
// the flight model flies, drawn farthest part first.
#include "sim/view/drplane.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/set.h"
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

static int   at_rest;          // the surfaces drawn undeflected (the replay: its path holds no controls)
static float eye_arm[3];       // the eye in the arm frame
static float root_out[PARTS][2];  // span distance where the leading [0] and trailing [1] edge leave the fuselage
static float sec_x[BODY_SECTIONS];  // the fuselage's sections along x

static const float MIN_ZOOM = 0.125f;
static const float D2R = 0.017453292519943295f;
// A flap file holds the flaps' lift and drag but not their angle: full flaps
// (setting 50) are drawn 40 degrees down.
static const float FULL_FLAP_DEG = 40;
// Full slats droop 20 degrees and slide forward 5 % of the chord.
static const float FULL_SLAT_DEG = 20, SLAT_SLIDE = 0.05f;

int plane_line_col(int time) { return 26 - intlim(time, 1, 4); }
int plane_wing_col(int time) { return 30 - intlim(time, 1, 4); }
int plane_fuse_col(int time) { return 33 - intlim(time, 1, 4); }

int plane_draw_order(int* parts) {
  for (int k = 0; k < order_n; k++) parts[k] = order[k];
  return order_n;
}

static int in_box(int sx, int sy) {
  return sx >= con.off_int_lft && sx <= con.off_int_rgt && sy >= con.off_int_top && sy < con.off_int_bot;
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
  return in_box(sx, sy);
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

// ---- the lifting surfaces ----
//
// A point of a lifting part is given by its span distance r from the root and
// its chord fraction f measured from the quarter chord, where the arms are:
// -0.25 the leading edge, 0.75 the trailing edge.

static int is_left(int p) { return p == 4 || p == 6 || p == 8; }

// The unit normal of part p's plane, the way its lift points (no x part).
static void part_normal(int p, float* ny, float* nz) {
  *ny = (is_left(p) ? 1.0f : -1.0f) * isin(pln.dihed[p]);
  *nz = icos(pln.dihed[p]);
}

// Aft along a chord turned `a` degrees leading edge up, in the arm frame.
struct chord_dir {
  float x, y, z;
};
static chord_dir aft_dir(float a, float ny, float nz) {
  float c = std::cos(a * D2R), s = std::sin(a * D2R);
  return {c, -s * ny, -s * nz};
}

// The point at span distance r (as given, not pushed out) and chord fraction
// f on a chord hinged at fraction h: ahead of the hinge along d0, behind it along d1.
static void raw_point(int p, float r, float f, float h, const chord_dir& d0, const chord_dir& d1, float* o) {
  float c = chord_at(p, r), a = c * h, b = c * (f - h);
  o[0] = get_wing_xarm(p, r) + a * d0.x + b * d1.x;
  o[1] = get_wing_yarm(p, r) + a * d0.y + b * d1.y;
  o[2] = get_wing_zarm(p, r) + a * d0.z + b * d1.z;
}

// The angle element e is drawn at: its incidence, and for an all-moving or
// trimming stabiliser its deflection and trim as the flight model takes them.
static float drawn_incidence(int p, int e) {
  float a = pln.anginc[p][intlim(e, 0, ELEMENTS - 1)];
  if (!at_rest && (p == 8 || p == 9)) {
    if (pln.hstabtype == 1) a -= p == 8 ? flt.lhstbdef : flt.rhstbdef;
    if (pln.flyingstabEQ) a += flt.trim * (pln.xarm[8] >= 0 ? -1.0f : 1.0f);
  }
  return a;
}

// 1 when an arm point lies inside the fuselage as it is drawn. Between two
// sections the skin is two triangles per panel, so a cut across it has a
// corner on every panel's side edge and on its diagonal.
static int inside_fuselage(float x, float y, float z) {
  const int P = 12;
  int ns = intlim(f_body_s_dim(P), 1, BODY_SECTIONS), nr = intlim(f_body_r_dim(P), 1, BODY_POINTS);
  for (int s = 0; s + 1 < ns; s++) {
    float xa = sec_x[s], xb = sec_x[s + 1];
    if (xa == xb || (x - xa) * (x - xb) > 0) continue;
    float t = (x - xa) / (xb - xa);
    float cy[2 * BODY_POINTS], cz[2 * BODY_POINTS];
    for (int m = 0; m < nr; m++) {
      int m1 = (m + 1) % nr;
      float ay = pln.body_y[P][s][m], az = pln.body_z[P][s][m];
      cy[2 * m] = ay + t * (pln.body_y[P][s + 1][m] - ay);
      cz[2 * m] = az + t * (pln.body_z[P][s + 1][m] - az);
      cy[2 * m + 1] = ay + t * (pln.body_y[P][s + 1][m1] - ay);
      cz[2 * m + 1] = az + t * (pln.body_z[P][s + 1][m1] - az);
    }
    int in = 0, n = 2 * nr;
    for (int a = 0, b = n - 1; a < n; b = a++)
      if ((cz[a] > z) != (cz[b] > z) && y < cy[b] + (cy[a] - cy[b]) * (z - cz[b]) / (cz[a] - cz[b])) in = !in;
    return in;
  }
  return 0;
}

// Where the chord line at fraction f leaves the fuselage, searched from the
// root out; 0 when the root lies outside it, or the tip inside.
static float leaves_fuselage(int p, float f, const chord_dir& d) {
  float L = pln.semilen[p], o[3];
  raw_point(p, 0, f, 0, d, d, o);
  if (!(L > 0) || !inside_fuselage(o[0], o[1], o[2])) return 0;
  raw_point(p, L, f, 0, d, d, o);
  if (inside_fuselage(o[0], o[1], o[2])) return 0;
  float lo = 0, hi = L;
  for (int k = 0; k < 16; k++) {
    float mid = 0.5f * (lo + hi);
    raw_point(p, mid, f, 0, d, d, o);
    if (inside_fuselage(o[0], o[1], o[2])) lo = mid;
    else hi = mid;
  }
  return hi;
}

static void find_roots() {
  int nr = intlim(f_body_r_dim(12), 1, BODY_POINTS);
  for (int s = 0; s < BODY_SECTIONS; s++) {
    sec_x[s] = 0;
    for (int m = 0; m < nr; m++) sec_x[s] += pln.body_x[12][s][m] / nr;
  }
  int body = have_this_part(12);
  for (int p = 4; p <= 11; p++) {
    root_out[p][0] = root_out[p][1] = 0;
    if (!body || !have_this_part(p)) continue;
    float ny, nz;
    part_normal(p, &ny, &nz);
    chord_dir d = aft_dir(drawn_incidence(p, 0), ny, nz);
    root_out[p][0] = leaves_fuselage(p, -0.25f, d);
    root_out[p][1] = leaves_fuselage(p, 0.75f, d);
  }
}

float scoot_out_wing(int p, float r, float f) {
  float L = pln.semilen[p];
  if (p < 4 || p > 11 || !(L > 0)) return r;
  float r0 = root_out[p][0] + (root_out[p][1] - root_out[p][0]) * (f + 0.25f);
  return r0 + r * (L - r0) / L;
}

// Per element: rows 2e and 2e + 1 hold its inner and outer edge, each with
// the leading and the trailing edge at the element's incidence.
static int wing_points(int p) {
  int n = intlim(pln.els[p], 1, ELEMENTS);
  float ny, nz;
  part_normal(p, &ny, &nz);
  int ok = 1;
  for (int e = 0; e < n; e++) {
    chord_dir d = aft_dir(drawn_incidence(p, e), ny, nz);
    for (int k = 0; k < 2; k++) {
      float r = pln.semilen[p] * (e + k) / n;
      for (int c = 0; c < 2; c++) {
        float f = c ? 0.75f : -0.25f, o[3];
        raw_point(p, scoot_out_wing(p, r, f), f, 0, d, d, o);
        ok &= put(p, 2 * e + k, c, o[0], o[1], o[2]);
      }
    }
  }
  rows[p] = 2 * n, cols[p] = 2;
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

// A moving piece of an element: the strip between chord fractions fa and fb,
// hinged at h and turned def degrees (positive: what lies aft of the hinge
// goes to the lift side), slid forward by `slide` chords.
struct piece {
  float fa, fb, h, def, slide;
};

// The pieces of element e as the flight state deflects them, and the fixed
// part between *front and *back. Trailing-edge surfaces cut the fixed part
// short; spoilers and speedbrakes lie on it.
static int element_pieces(int p, int e, piece* k, float* front, float* back) {
  int n = 0, left = is_left(p);
  *front = -0.25f, *back = 0.75f;
  auto add = [&](float fa, float fb, float h, float def, float slide) {
    k[n++] = {fa, fb, h, at_rest ? 0 : def, at_rest ? 0 : slide};
  };
  auto trailing = [&](float crat, float def) {
    float fa = 0.75f - fltlim(crat, 0, 1);
    add(fa, 0.75f, fa, def, 0);
    *back = fltmin2(*back, fa);
  };
  if (p >= 4 && p <= 7) {
    if (pln.ailn[p][e]) trailing(pln.ailn_crat, left ? flt.lailndef : flt.railndef);
    float fs = 0.6f - fltlim(pln.splr_crat, 0, 1);
    if (pln.splr[p][e]) add(fs, 0.6f, fs, left ? flt.lsplrdef : flt.rsplrdef, 0);
    if (pln.sbrk[p][e]) {
      float fa = fs - fltlim(pln.sbrk_crat, 0, 1);
      add(fa, fs, fa, flt.sbrk > 0 ? flt.sbrk * pln.sbrk_def * 0.5f : 0, 0);
    }
    if (pln.drud[p][e]) {  // split: one half opens up, the other down
      float d = left ? flt.ldruddef : flt.rdruddef;
      trailing(pln.drud_crat, d);
      trailing(pln.drud_crat, -d);
    }
  } else if (p == 8 || p == 9) {
    if (pln.hstabtype == 0 && pln.elev[p][e]) trailing(pln.elev_crat, left ? flt.lhstbdef : flt.rhstbdef);
  } else if (p == 10 || p == 11) {
    if (pln.rudd[p][e]) trailing(pln.rudd_crat, flt.ruddef);
  }
  if (pln.flap[p][e]) {
    float def = !at_rest && flt.flap > 0 && flaps_work_on(p) ? -FULL_FLAP_DEG * flt.flap / 50.0f : 0;
    add(0.6f, 0.75f, 0.6f, def, 0);
    *back = fltmin2(*back, 0.6f);
  }
  if (pln.slat[p][e]) {
    float s = fltlim(flt.slat, 0, 1);
    add(-0.25f, -0.15f, -0.15f, s * FULL_SLAT_DEG, s * SLAT_SLIDE);
    *front = -0.15f;
  }
  *back = fltmax2(*back, *front);
  return n;
}

// The strip of an element between span distances r0, r1 and chord fractions
// fa, fb, filled and, when line is not negative, outlined.
static void strip(int p, float r0, float r1, const piece& k, const chord_dir& d0, const chord_dir& d1, int fill,
                  int line) {
  const float corner[4][2] = {{r0, k.fa}, {r1, k.fa}, {r1, k.fb}, {r0, k.fb}};
  int sx[4], sy[4], inside = 1;
  for (int q = 0; q < 4; q++) {
    float f = corner[q][1], r = scoot_out_wing(p, corner[q][0], f), o[3], x, y, z;
    raw_point(p, r, f, k.h, d0, d1, o);
    o[0] -= k.slide * chord_at(p, r);
    xfrm_PLANE(o[1], -o[0], o[2], &x, &y, &z);
    if (!(y >= NEAR_DEPTH)) return;
    sx[q] = XFRM_x(x / y), sy[q] = XFRM_y(z / y);
    inside &= in_box(sx[q], sy[q]);
  }
  if (inside) MACIBM_poly4(fill, sx[0], sy[0], sx[1], sy[1], sx[2], sy[2], sx[3], sy[3], 0);
  else MACIBM_clipped_poly4(fill, sx[0], sy[0], sx[1], sy[1], sx[2], sy[2], sx[3], sy[3], 0);
  if (line >= 0)
    for (int q = 0; q < 4; q++) MACIBM_hsclippedline(line, sx[q], sy[q], sx[(q + 1) % 4], sy[(q + 1) % 4]);
}

// One element: the pieces turned away from the eye, the fixed part, then the
// rest. A piece turned towards the eye can hide the fixed part but never the
// other way round, and the reverse for a piece turned away.
static void draw_element(int p, int e, float ny, float nz, int wing_col, int line_col) {
  int n = intlim(pln.els[p], 1, ELEMENTS);
  float r0 = pln.semilen[p] * e / n, r1 = pln.semilen[p] * (e + 1) / n;
  float inc = drawn_incidence(p, e);
  chord_dir d0 = aft_dir(inc, ny, nz);
  piece k[8], fixed;
  int m = element_pieces(p, e, k, &fixed.fa, &fixed.fb);
  fixed.h = fixed.def = fixed.slide = 0;
  float c[3], si = std::sin(inc * D2R), ci = std::cos(inc * D2R);
  raw_point(p, scoot_out_wing(p, 0.5f * (r0 + r1), 0), 0, 0, d0, d0, c);
  float eye_side = si * (eye_arm[0] - c[0]) + ci * (ny * (eye_arm[1] - c[1]) + nz * (eye_arm[2] - c[2]));
  for (int pass = 0; pass < 3; pass++) {
    if (pass == 1) {
      strip(p, r0, r1, fixed, d0, d0, wing_col, -1);
      continue;
    }
    for (int q = 0; q < m; q++) {
      float towards = (0.5f * (k[q].fa + k[q].fb) - k[q].h) * k[q].def * eye_side;
      if ((pass == 0) != (towards < 0)) continue;
      strip(p, r0, r1, k[q], d0, aft_dir(inc - k[q].def, ny, nz), wing_col, line_col);
    }
  }
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
  float ny, nz;
  part_normal(p, &ny, &nz);
  for (int e = 0; 2 * e < rows[p]; e++) draw_element(p, e, ny, nz, wing_col, line_col);
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

// The replay shows the aircraft where the recorded path has it at the replay
// position; the path holds no control positions, so there the surfaces rest.
static void place_plane() {
  at_rest = set.view_type == VIEW_REPLAY;
  int s = pat.cntr_replay;
  if (at_rest && s >= 0 && s < PATH_SLOTS && pat.inited[s]) {
    const float* q = pat.xyztpp[s];
    set_plan_trig(q[0], q[1], q[2], q[4] / D2R, q[3] / D2R, q[5] / D2R);
  } else {
    set_plan_trig((float)flt.x, (float)flt.y, (float)flt.z, flt.psi, flt.the, flt.phi);
  }
  float bx, by, bz;
  xfrm_VVECT(con.VIEW_loc_x - con.PLAN_loc_x, con.VIEW_loc_y - con.PLAN_loc_y, con.VIEW_loc_z - con.PLAN_loc_z, &bx,
             &by, &bz);
  eye_arm[0] = -by, eye_arm[1] = bx, eye_arm[2] = bz;
}

void plot_plane() {
  int time = intlim(scn.time, 1, 4);
  int line_col = plane_line_col(time), wing_col = plane_wing_col(time), fuse_col = plane_fuse_col(time);
  place_plane();
  find_roots();
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
