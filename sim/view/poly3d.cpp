#include "sim/view/poly3d.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"

float hc_poly_x[24], hc_poly_y[24];
int   hc_ctr = -1;
float hc_xmin, hc_xmax, hc_ymin, hc_ymax;

struct pt3 { float x, y, z; };

static inline float scr_x(float x, float y) { return x / y * con.zom_pp45 + con.off_view_center_fx; }
static inline float scr_y(float z, float y) { return con.off_view_center_fy - z / y * con.zom_pp45; }

// Positive when the polygon runs clockwise as seen from the eye (it faces it):
// the signed volume of the fan between the eye and the polygon.
static float seen_turn(const pt3* v, int n) {
  float s = 0;
  for (int i = 1; i + 1 < n; i++) {
    const pt3 &a = v[0], &b = v[i], &c = v[i + 1];
    s += a.x * (b.y * c.z - b.z * c.y) + a.y * (b.z * c.x - b.x * c.z) + a.z * (b.x * c.y - b.y * c.x);
  }
  return s;
}

static void outline_add(float x, float y) {
  if (hc_ctr >= 23) return;
  hc_ctr++;
  hc_poly_x[hc_ctr] = x;
  hc_poly_y[hc_ctr] = y;
  if (x < hc_xmin) hc_xmin = x;
  if (x > hc_xmax) hc_xmax = x;
  if (y < hc_ymin) hc_ymin = y;
  if (y > hc_ymax) hc_ymax = y;
}

static void begin_poly(int ccw) {
  thr_poly_begin(ccw);
  hc_ctr = -1;
  hc_xmin = hc_xmax = hc_ymin = hc_ymax = 10.0f;
}

static int clampi(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Cuts a segment at the near plane; 0 when all of it lies nearer than that plane.
static int cut_at_near_plane(float* x1, float* y1, float* z1, float* x2, float* y2, float* z2) {
  if (*y1 <= NEAR_DEPTH && *y2 <= NEAR_DEPTH) return 0;
  if (*y1 < NEAR_DEPTH) {
    float t = (NEAR_DEPTH - *y1) / (*y2 - *y1);
    *x1 += t * (*x2 - *x1);
    *z1 += t * (*z2 - *z1);
    *y1 = NEAR_DEPTH;
  } else if (*y2 < NEAR_DEPTH) {
    float t = (NEAR_DEPTH - *y2) / (*y1 - *y2);
    *x2 += t * (*x1 - *x2);
    *z2 += t * (*z1 - *z2);
    *y2 = NEAR_DEPTH;
  }
  return 1;
}

void clipline(float x1, float y1, float z1, float x2, float y2, float z2, int fullscreenit) {
  if (!cut_at_near_plane(&x1, &y1, &z1, &x2, &y2, &z2)) return;
  float sx1 = scr_x(x1, y1), sy1 = scr_y(z1, y1), sx2 = scr_x(x2, y2), sy2 = scr_y(z2, y2);
  if (fullscreenit) {
    outline_add(sx1, sy1);
    outline_add(sx2, sy2);
  }
  float tmin, tmax;
  thr_range_clip(sx1, sx2, con.off_flt_lft, con.off_flt_rgt, &tmin, &tmax);
  if (tmin >= tmax) return;
  int c1 = tmin <= 0 ? CLIP_VERTEX : (sx2 > sx1 ? CLIP_LEFT : CLIP_RIGHT);
  int c2 = tmax >= 1 ? CLIP_VERTEX : (sx2 > sx1 ? CLIP_RIGHT : CLIP_LEFT);
  float dx = sx2 - sx1, dy = sy2 - sy1;
  float ax1 = sx1 + tmin * dx, ay1 = sy1 + tmin * dy;
  float ax2 = sx1 + tmax * dx, ay2 = sy1 + tmax * dy;
  if (ay1 < con.off_flt_top || ay1 > con.off_flt_bot || ay2 < con.off_flt_top || ay2 > con.off_flt_bot) {
    thr_range_clip(ay1, ay2, con.off_flt_top, con.off_flt_bot, &tmin, &tmax);
    if (tmin >= tmax) return;
    if (tmin > 0) c1 = ay2 > ay1 ? CLIP_TOP : CLIP_BOTTOM;
    if (tmax < 1) c2 = ay2 > ay1 ? CLIP_BOTTOM : CLIP_TOP;
    float ex = ax2 - ax1, ey = ay2 - ay1;
    float bx1 = ax1 + tmin * ex, by1 = ay1 + tmin * ey;
    ax2 = ax1 + tmax * ex;
    ay2 = ay1 + tmax * ey;
    ax1 = bx1;
    ay1 = by1;
  }
  thr_form_poly(clampi(view_round(ax1), con.off_int_lft, con.off_int_rgt),
                clampi(view_round(ay1), con.off_int_top, con.off_int_bot), c1,
                clampi(view_round(ax2), con.off_int_lft, con.off_int_rgt),
                clampi(view_round(ay2), con.off_int_top, con.off_int_bot), c2);
}

void full_screen_poly(int color) {
  if (!(hc_xmin < con.off_flt_lft && hc_xmax > con.off_flt_rgt && hc_ymin < con.off_flt_top &&
        hc_ymax > con.off_flt_bot))
    return;
  float xs[24], ys[24];
  int n = 0;
  for (int k = 0; k <= hc_ctr; k++) {
    if (n > 0 && std::fabs(hc_poly_x[k] - xs[n - 1]) < 0.01f && std::fabs(hc_poly_y[k] - ys[n - 1]) < 0.01f)
      continue;
    xs[n] = hc_poly_x[k];
    ys[n] = hc_poly_y[k];
    n++;
  }
  while (n > 1 && std::fabs(xs[n - 1] - xs[0]) < 0.01f && std::fabs(ys[n - 1] - ys[0]) < 0.01f) n--;
  if (n < 3) return;
  double area = 0;
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    area += (double)xs[i] * ys[j] - (double)xs[j] * ys[i];
  }
  if (area == 0) return;
  // Every corner of the view must lie inside every edge of the outline.
  const float cx[4] = {con.off_flt_lft, con.off_flt_rgt, con.off_flt_rgt, con.off_flt_lft};
  const float cy[4] = {con.off_flt_top, con.off_flt_top, con.off_flt_bot, con.off_flt_bot};
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    for (int k = 0; k < 4; k++) {
      double c = (double)(xs[j] - xs[i]) * (cy[k] - ys[i]) - (double)(ys[j] - ys[i]) * (cx[k] - xs[i]);
      if ((area > 0 && c < 0) || (area < 0 && c > 0)) return;
    }
  }
  MACIBM_fillrect(color, con.off_int_lft, con.off_int_top, con.off_int_rgt - con.off_int_lft,
                  con.off_int_bot - con.off_int_top);
}

// The scratch polygon as a fan; past eight vertices the rasteriser's own fan
// stops, so the rest is drawn here triangle by triangle.
static void fill_scratch(int color) {
  if (poly_vert_max <= 7) {
    MACIBM_polyN(color, poly_x, poly_y, poly_vert_max, 0);
    return;
  }
  for (int i = 1; i < poly_vert_max; i++)
    MACIBM_poly3(color, poly_x[0], poly_y[0], poly_x[i], poly_y[i], poly_x[i + 1], poly_y[i + 1], 0);
}

static void manage_poly(int color, const pt3* v, int n, int clipit, int fullscreenit) {
  float d = 0;
  for (int k = 0; k < n; k++) d += v[k].y;
  if (!haze_color(d / n, &color)) return;
  if (!clipit) {
    int xs[4], ys[4];
    for (int k = 0; k < n; k++) {
      xs[k] = XFRM_x(v[k].x / v[k].y);
      ys[k] = XFRM_y(v[k].z / v[k].y);
    }
    if (n == 3) MACIBM_poly3(color, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], 0);
    else MACIBM_poly4(color, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3], 0);
    return;
  }
  begin_poly(seen_turn(v, n) < 0);
  for (int k = 0; k < n; k++) {
    const pt3 &a = v[k], &b = v[(k + 1) % n];
    clipline(a.x, a.y, a.z, b.x, b.y, b.z, fullscreenit);
  }
  if (poly_vert_max < 0) {
    if (fullscreenit) full_screen_poly(color);
    return;
  }
  thr_poly_close();
  fill_scratch(color);
}

void manage_poly3(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, int clipit, int fullscreenit) {
  const pt3 v[3] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}};
  manage_poly(color, v, 3, clipit, fullscreenit);
}

void manage_poly4(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float x4, float y4, float z4, int clipit, int fullscreenit) {
  const pt3 v[4] = {{x1, y1, z1}, {x2, y2, z2}, {x3, y3, z3}, {x4, y4, z4}};
  manage_poly(color, v, 4, clipit, fullscreenit);
}

static inline pt3 mid(const pt3& a, const pt3& b) { return {0.5f * (a.x + b.x), 0.5f * (a.y + b.y), 0.5f * (a.z + b.z)}; }

static void tri(int color, const pt3& a, const pt3& b, const pt3& c, int clipit, int fullscreenit) {
  manage_poly3(color, a.x, a.y, a.z, b.x, b.y, b.z, c.x, c.y, c.z, clipit, fullscreenit);
}

// One of the six fan triangles (edge part a-b, centroid c), split further.
static void sub_tri(int color, const pt3& a, const pt3& b, const pt3& c, int level, int clipit, int fullscreenit) {
  if (level <= 1) {
    tri(color, a, b, c, clipit, fullscreenit);
  } else if (level == 2) {
    pt3 q = mid(a, c);
    tri(color, a, b, q, clipit, fullscreenit);
    tri(color, q, b, c, clipit, fullscreenit);
  } else {
    pt3 e = mid(a, b), r = mid(b, c), q = mid(a, c);
    tri(color, a, e, q, clipit, fullscreenit);
    tri(color, e, b, r, clipit, fullscreenit);
    tri(color, e, r, q, clipit, fullscreenit);
    tri(color, q, r, c, clipit, fullscreenit);
  }
}

void any_poly3_3D(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, int clipit, int fullscreenit) {
  if (!facing(x1 - x2, y1 - y2, z1 - z2, x3 - x2, y3 - y2, z3 - z2, x2, y2, z2)) return;
  int level = scn.poly_breakup;
  const pt3 v0 = {x1, y1, z1}, v1 = {x2, y2, z2}, v2 = {x3, y3, z3};
  if (level <= 0) {
    tri(color, v0, v1, v2, clipit, fullscreenit);
    return;
  }
  // Each part keeps the whole-view fill: in thick fog the view may lie
  // entirely inside one of them.
  const pt3 c = {(x1 + x2 + x3) / 3, (y1 + y2 + y3) / 3, (z1 + z2 + z3) / 3};
  const pt3 m01 = mid(v0, v1), m12 = mid(v1, v2), m20 = mid(v2, v0);
  sub_tri(color, v0, m01, c, level, clipit, fullscreenit);
  sub_tri(color, m01, v1, c, level, clipit, fullscreenit);
  sub_tri(color, v1, m12, c, level, clipit, fullscreenit);
  sub_tri(color, m12, v2, c, level, clipit, fullscreenit);
  sub_tri(color, v2, m20, c, level, clipit, fullscreenit);
  sub_tri(color, m20, v0, c, level, clipit, fullscreenit);
}

int rway_strip_count() {
  float nm = fltlim(atm.vis_effective * con.mtrstonm, 0.5f, 4.0f);
  return flt_to_int(20.0f / nm);
}

void any_poly4_3D(int color, float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3,
                  float z3, float x4, float y4, float z4, int clipit, int fullscreenit) {
  if (!scn.rway_breakup) {
    manage_poly4(color, x1, y1, z1, x2, y2, z2, x3, y3, z3, x4, y4, z4, clipit, fullscreenit);
    return;
  }
  int n = rway_strip_count();
  float dx = x4 - x1, dy = y4 - y1, dz = z4 - z1;
  for (int k = 0; k < n; k++) {
    float f0 = (float)k / n, f1 = (float)(k + 1) / n;
    // Like the sub-triangles, each strip keeps the whole-view fill.
    manage_poly4(color, x1 + f0 * dx, y1 + f0 * dy, z1 + f0 * dz, x2 + f0 * dx, y2 + f0 * dy, z2 + f0 * dz,
                 x2 + f1 * dx, y2 + f1 * dy, z2 + f1 * dz, x1 + f1 * dx, y1 + f1 * dy, z1 + f1 * dz, clipit,
                 fullscreenit);
  }
}

int poly4_normal(float x1, float y1, float z1, float x2, float y2, float z2, float x3, float y3, float z3) {
  return facing(x1 - x2, y1 - y2, z1 - z2, x3 - x2, y3 - y2, z3 - z2, x2, y2, z2);
}

void thr_line(int color, float x1, float y1, float z1, float x2, float y2, float z2) {
  if (!cut_at_near_plane(&x1, &y1, &z1, &x2, &y2, &z2)) return;
  float sx1 = scr_x(x1, y1), sy1 = scr_y(z1, y1), sx2 = scr_x(x2, y2), sy2 = scr_y(z2, y2);
  float txmin, txmax, tymin, tymax;
  thr_range_clip(sx1, sx2, con.off_flt_lft, con.off_flt_rgt, &txmin, &txmax);
  thr_range_clip(sy1, sy2, con.off_flt_top, con.off_flt_bot, &tymin, &tymax);
  float tmin = fltmax2(txmin, tymin), tmax = fltmin2(txmax, tymax);
  if (tmin >= tmax) return;
  float dx = sx2 - sx1, dy = sy2 - sy1;
  MACIBM_line(color, clampi(view_round(sx1 + tmin * dx), con.off_int_lft, con.off_int_rgt),
              clampi(view_round(sy1 + tmin * dy), con.off_int_top, con.off_int_bot),
              clampi(view_round(sx1 + tmax * dx), con.off_int_lft, con.off_int_rgt),
              clampi(view_round(sy1 + tmax * dy), con.off_int_top, con.off_int_bot));
}
