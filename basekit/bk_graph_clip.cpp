// Clipping against the clip rectangle: parametric range clip, clipped lines,
// and the polygon clipper that walks the rectangle's corners.
#include "basekit/bk_funct.h"
#include "basekit/bk_graph_internal.h"

int X_LFT, X_RGT, Y_TOP, Y_BOT;
int poly_x[24], poly_y[24], clip_code[24], poly_vert_max = -1;

void thr_range_clip(float x1, float x2, float xmin, float xmax, float* tmin, float* tmax) {
  if (x1 == x2) {
    // Parallel to the range's edges: all in or all out.
    int in = x1 >= xmin && x1 <= xmax;
    *tmin = in ? 0.0f : 1.0f;
    *tmax = in ? 1.0f : 0.0f;
    return;
  }
  if (x1 < x2) {
    *tmin = x1 < xmin ? (xmin - x1) / (x2 - x1) : 0.0f;
    *tmax = xmax < x2 ? (xmax - x1) / (x2 - x1) : 1.0f;
  } else {
    *tmin = xmax < x1 ? (x1 - xmax) / (x1 - x2) : 0.0f;
    *tmax = x2 < xmin ? (x1 - xmin) / (x1 - x2) : 1.0f;
  }
}

static int clampi(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

static int inside_clip(int x, int y) { return x >= X_LFT && x <= X_RGT && y >= Y_TOP && y <= Y_BOT; }

void MACIBM_hsclippedline(int color, int x0, int y0, int x1, int y1) {
  if (inside_clip(x0, y0) && inside_clip(x1, y1)) {
    MACIBM_line(color, x0, y0, x1, y1);
    return;
  }
  float txmin, txmax, tymin, tymax;
  thr_range_clip((float)x0, (float)x1, (float)X_LFT, (float)X_RGT, &txmin, &txmax);
  thr_range_clip((float)y0, (float)y1, (float)Y_TOP, (float)Y_BOT, &tymin, &tymax);
  float tmin = txmin > tymin ? txmin : tymin;
  float tmax = txmax < tymax ? txmax : tymax;
  if (tmin >= tmax) return;
  float dx = (float)(x1 - x0), dy = (float)(y1 - y0);
  // Float error must not put an end a pixel outside the rectangle.
  MACIBM_line(color, clampi(flt_to_int(x0 + tmin * dx), X_LFT, X_RGT), clampi(flt_to_int(y0 + tmin * dy), Y_TOP, Y_BOT),
              clampi(flt_to_int(x0 + tmax * dx), X_LFT, X_RGT), clampi(flt_to_int(y0 + tmax * dy), Y_TOP, Y_BOT));
}

// ---------------------------------------------------------------- polygons

static int walk_reverse;  // the polygon runs counter-clockwise on the screen

static void thr_add_poly_point(int x, int y, int code) {
  if (code == CLIP_VERTEX && poly_vert_max >= 0 && clip_code[poly_vert_max] == CLIP_VERTEX &&
      poly_x[poly_vert_max] == x && poly_y[poly_vert_max] == y)
    return;
  if (poly_vert_max >= 23) return;
  poly_vert_max++;
  poly_x[poly_vert_max] = x;
  poly_y[poly_vert_max] = y;
  clip_code[poly_vert_max] = code;
}

// Round the rectangle from the edge c1 to the edge c2, adding the corners
// passed; each corner carries the code of the edge it leads to. Clockwise
// on the screen the order is left, top, right, bottom; a polygon running the
// other way walks the other way, or it would wrap round the wrong corners.
static void thr_walk_poly(int c1, int c2) {
  if (c1 == CLIP_VERTEX || c2 == CLIP_VERTEX || c1 == c2) return;
  static const int cw_side[4] = {CLIP_LEFT, CLIP_TOP, CLIP_RIGHT, CLIP_BOTTOM};
  static const int ccw_side[4] = {CLIP_LEFT, CLIP_BOTTOM, CLIP_RIGHT, CLIP_TOP};
  const int* side = walk_reverse ? ccw_side : cw_side;
  int i = 0;
  while (i < 4 && side[i] != c1) i++;
  for (int k = 0; k < 3 && i < 4; k++) {
    int from = side[i], to = side[(i + 1) & 3];
    int left_or_right = (from == CLIP_LEFT || from == CLIP_RIGHT) ? from : to;
    int top_or_bottom = (from == CLIP_TOP || from == CLIP_BOTTOM) ? from : to;
    thr_add_poly_point(left_or_right == CLIP_LEFT ? X_LFT : X_RGT, top_or_bottom == CLIP_TOP ? Y_TOP : Y_BOT, to);
    if (to == c2) return;
    i = (i + 1) & 3;
  }
}

void thr_form_poly(int x1, int y1, int c1, int x2, int y2, int c2) {
  if (poly_vert_max >= 0 && clip_code[poly_vert_max] != c1) thr_walk_poly(clip_code[poly_vert_max], c1);
  thr_add_poly_point(x1, y1, c1);
  thr_add_poly_point(x2, y2, c2);
}

static void thr_clip_poly_side(int x1, int y1, int x2, int y2) {
  float tmin, tmax;
  thr_range_clip((float)x1, (float)x2, (float)X_LFT, (float)X_RGT, &tmin, &tmax);
  if (tmin >= tmax) return;
  int c1 = tmin <= 0 ? CLIP_VERTEX : (x2 > x1 ? CLIP_LEFT : CLIP_RIGHT);
  int c2 = tmax >= 1 ? CLIP_VERTEX : (x2 > x1 ? CLIP_RIGHT : CLIP_LEFT);
  float dx = (float)(x2 - x1), dy = (float)(y2 - y1);
  int sx = flt_to_int(x1 + tmin * dx), sy = flt_to_int(y1 + tmin * dy);
  int ex = flt_to_int(x1 + tmax * dx), ey = flt_to_int(y1 + tmax * dy);

  thr_range_clip((float)sy, (float)ey, (float)Y_TOP, (float)Y_BOT, &tmin, &tmax);
  if (tmin >= tmax) return;
  if (tmin > 0) c1 = ey > sy ? CLIP_TOP : CLIP_BOTTOM;
  if (tmax < 1) c2 = ey > sy ? CLIP_BOTTOM : CLIP_TOP;
  dx = (float)(ex - sx);
  dy = (float)(ey - sy);
  int nsx = flt_to_int(sx + tmin * dx), nsy = flt_to_int(sy + tmin * dy);
  int nex = flt_to_int(sx + tmax * dx), ney = flt_to_int(sy + tmax * dy);
  // Float error must not push a vertex out of the rectangle.
  nsx = clampi(nsx, X_LFT, X_RGT); nex = clampi(nex, X_LFT, X_RGT);
  nsy = clampi(nsy, Y_TOP, Y_BOT); ney = clampi(ney, Y_TOP, Y_BOT);
  thr_form_poly(nsx, nsy, c1, nex, ney, c2);
}

// Twice the signed area; positive when the polygon runs clockwise on the screen.
static int64_t area2(const int* xs, const int* ys, int n) {
  int64_t a = 0;
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    a += (int64_t)xs[i] * ys[j] - (int64_t)xs[j] * ys[i];
  }
  return a;
}

// Whether the (convex) polygon contains the clip rectangle's centre.
static int covers_centre(const int* xs, const int* ys, int n, int64_t a) {
  if (a == 0) return 0;
  double cx = 0.5 * (X_LFT + X_RGT), cy = 0.5 * (Y_TOP + Y_BOT);
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    double c = (double)(xs[j] - xs[i]) * (cy - ys[i]) - (double)(ys[j] - ys[i]) * (cx - xs[i]);
    if ((a > 0 && c < 0) || (a < 0 && c > 0)) return 0;
  }
  return 1;
}

static void clip_and_draw(int color, const int* xs, const int* ys, int n, int fast) {
  poly_vert_max = -1;
  int64_t a = area2(xs, ys, n);
  walk_reverse = a < 0;
  for (int i = 0; i < n; i++) {
    int j = (i + 1) % n;
    thr_clip_poly_side(xs[i], ys[i], xs[j], ys[j]);
  }
  if (poly_vert_max < 0) {
    // No edge reaches the rectangle: the polygon misses it or covers it whole.
    if (!covers_centre(xs, ys, n, a)) return;
    thr_add_poly_point(X_LFT, Y_TOP, CLIP_TOP);
    thr_add_poly_point(X_RGT, Y_TOP, CLIP_RIGHT);
    thr_add_poly_point(X_RGT, Y_BOT, CLIP_BOTTOM);
    thr_add_poly_point(X_LFT, Y_BOT, CLIP_LEFT);
  } else {
    thr_poly_close();
  }
  MACIBM_polyN(color, poly_x, poly_y, poly_vert_max, fast);
}

void thr_poly_begin(int ccw) {
  poly_vert_max = -1;
  walk_reverse = ccw != 0;
}

void thr_poly_close() {
  int l = poly_vert_max;
  if (l <= 0) return;
  if (clip_code[l] == clip_code[0]) {
    if (poly_x[l] == poly_x[0] && poly_y[l] == poly_y[0]) poly_vert_max--;
  } else {
    thr_walk_poly(clip_code[l], clip_code[0]);
  }
}

void MACIBM_clipped_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast) {
  if (inside_clip(x0, y0) && inside_clip(x1, y1) && inside_clip(x2, y2)) {
    MACIBM_poly3(color, x0, y0, x1, y1, x2, y2, fast);
    return;
  }
  const int xs[3] = {x0, x1, x2}, ys[3] = {y0, y1, y2};
  clip_and_draw(color, xs, ys, 3, fast);
}

void MACIBM_clipped_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast) {
  if (inside_clip(x0, y0) && inside_clip(x1, y1) && inside_clip(x2, y2) && inside_clip(x3, y3)) {
    MACIBM_poly4(color, x0, y0, x1, y1, x2, y2, x3, y3, fast);
    return;
  }
  const int xs[4] = {x0, x1, x2, x3}, ys[4] = {y0, y1, y2, y3};
  clip_and_draw(color, xs, ys, 4, fast);
}
