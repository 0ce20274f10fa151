// The local airport: runway marks and paint, light positions, and the
// hangars and tower generated beside the longest runway.
#include "sim/world/genwrld2.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_wx.h"
#include "sim/msc.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "sim/world/terrain.h"

static const float FT_PER_M = 3.2808399f;

// The runway being built.
static float rw_x, rw_y, rw_z;
static int   rw_mark;  // next mark
static float twr_eye_x, twr_eye_y, twr_eye_z;
static int   twr_eye_set;
// The designation painted at each end of the next runway built.
static int   paint_num[2];
static char  paint_lr[2];

void rway_paint_designation(int num, char lr) {
  paint_num[0] = num;
  paint_lr[0] = lr;
  paint_num[1] = num >= 1 && num <= 36 ? rev_rway_num(num) : 0;
  paint_lr[1] = lr == 'L' ? 'R' : (lr == 'R' ? 'L' : lr);  // a centre runway is C from both ends
}

int rway_has_taxiway(float len_ft, float wid_ft) { return len_ft * wid_ft / 100.0f > 2500.0f; }
int rway_has_runoff(float len_ft, float wid_ft) { return len_ft * wid_ft / 100.0f > 7000.0f; }

// Runway frame (across to the right, along towards the second end) to world.
static void to_world(float across, float along, int hdng, float* x, float* y) {
  float s = isin(hdng), c = icos(hdng);
  *x = rw_x + across * c + along * s;
  *y = rw_y + along * c - across * s;
}

static void store_corner(int m, int k, float fx, float fy, float l, float w, int hdng, int r) {
  to_world(fx * w, fy * l, hdng, &rwy.markx[m][k][r], &rwy.marky[m][k][r]);
  rwy.markz[m][k][r] = rw_z;
}

static int next_mark() {
  if (rw_mark >= RWY_MARKS) MACIBM_numberexitalert("Too many runway markings.", rw_mark + 1);
  return rw_mark++;
}

void as_mark_xy(float x1, float y1, float x2, float y2, float l, float w, int hdng, int r) {
  int m = next_mark();
  store_corner(m, 0, x1, y1, l, w, hdng, r);
  store_corner(m, 1, x2, y1, l, w, hdng, r);
  store_corner(m, 2, x2, y2, l, w, hdng, r);
  store_corner(m, 3, x1, y2, l, w, hdng, r);
  rwy.max[r] = m;
}

void as_diag_xy(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4, float l, float w,
                int hdng, int r) {
  int m = next_mark();
  store_corner(m, 0, x1, y1, l, w, hdng, r);
  store_corner(m, 1, x2, y2, l, w, hdng, r);
  store_corner(m, 2, x3, y3, l, w, hdng, r);
  store_corner(m, 3, x4, y4, l, w, hdng, r);
  rwy.max[r] = m;
}

// ---- lights ----

static int cur_hdng;

void as_grnd_xy(int index, float across, float along, int r) {
  if (index < 0 || index >= RWY_LIGHTS) return;
  to_world(across, along, cur_hdng, &rwy.rwayx[index][r], &rwy.rwayy[index][r]);
  rwy.rwayz[index][r] = rw_z + 0.3f;
  rwy.rwayuse[index][r] = 1;
}

void do_interp(int first, int last, float across1, float along1, float across2, float along2, int r) {
  if (last < first) return;
  int n = last - first;
  for (int k = 0; k <= n; k++) {
    float f = n ? (float)k / n : 0.0f;
    as_grnd_xy(first + k, across1 + f * (across2 - across1), along1 + f * (along2 - along1), r);
  }
}

void lights_on_surf(int first, int last, int r) {
  for (int k = intmax2(first, 0); k <= intmin2(last, RWY_LIGHTS - 1); k++) {
    float h;
    int i, j, t;
    find_local_h(rwy.rwayx[k][r], rwy.rwayy[k][r], &h, &i, &j, &t);
    rwy.rwayz[k][r] = h + 0.3f;
  }
}

void clear_light_range(int first, int last, int r) {
  for (int k = intmax2(first, 0); k <= intmin2(last, RWY_LIGHTS - 1); k++) rwy.rwayuse[k][r] = 0;
}

// Inside the quadrilateral p0..p3, given anticlockwise seen from above (as
// the marks are), within dis of its edges.
static int inside_quad(const float* qx, const float* qy, float x, float y, float dis) {
  static const int order[5] = {0, 3, 2, 1, 0};  // clockwise
  for (int e = 0; e < 4; e++) {
    int a = order[e], b = order[e + 1];
    if (!inside_cw_reg(qx[a], qy[a], qx[b], qy[b], x, y, dis)) return 0;
  }
  return 1;
}

void clear_region(int mark, int a, int b) {
  if (a < 0 || a > 2 || b < 0 || b > 2 || mark < 0 || mark > rwy.max[b]) return;
  float qx[4], qy[4];
  for (int c = 0; c < 4; c++) {
    qx[c] = rwy.markx[mark][c][b];
    qy[c] = rwy.marky[mark][c][b];
  }
  // A removed light keeps its place and is only marked, so that nothing
  // mistakes it for a light at the region's corner.
  for (int k = 0; k < RWY_LIGHTS; k++)
    if (rwy.rwayuse[k][a] && inside_quad(qx, qy, rwy.rwayx[k][a], rwy.rwayy[k][a], 1.0f)) rwy.rwayuse[k][a] = 0;
}

int in_runway123(float x, float y) {
  for (int r = 0; r <= env.rwaymax && r < 3; r++) {
    if (rwy.max[r] < 0) continue;
    // Corners by position, whether or not the light there was removed.
    const int k[4] = {LGT_EDGE_A, env.rwaymax1[r] - 1, env.twaymax2[r] - 1, LGT_TWY_2};
    float qx[4], qy[4];
    for (int c = 0; c < 4; c++) {
      qx[c] = rwy.rwayx[k[c]][r];
      qy[c] = rwy.rwayy[k[c]][r];
    }
    // Edge A runs from the second end to the first: the corners come anticlockwise.
    if (inside_quad(qx, qy, x, y, 0.0f)) return 1;
  }
  return 0;
}

// Evenly spaced lights along the runway, at most 50, about 60 m apart.
static int light_count(float l) { return intlim(bk::round(l / 60.0f) + 1, 2, 50); }

static void setup_lights(float l, float w, int r) {
  float h = 0.5f * l;
  int n = light_count(l);
  float sp = l / (n - 1);
  float edge = 0.5f * w + 1.0f;
  do_interp(LGT_EDGE_A, LGT_EDGE_A + n - 1, -edge, h, -edge, -h, r);
  do_interp(LGT_EDGE_B, LGT_EDGE_B + n - 1, edge, h, edge, -h, r);
  env.rwaymax1[r] = LGT_EDGE_A + n;
  env.rwaymax2[r] = LGT_EDGE_B + n;
  // The last 2000 ft are the caution zone, on runways long enough for one.
  int zone = l >= 1800.0f ? intlim(flt_to_int(600.0f / sp), 0, n / 2 - 1) : -1;
  env.amber1[r] = LGT_EDGE_A + zone;
  env.amber4[r] = LGT_EDGE_B + zone;
  env.amber2[r] = LGT_EDGE_A + (zone < 0 ? n : n - 1 - zone);
  env.amber3[r] = LGT_EDGE_B + (zone < 0 ? n : n - 1 - zone);

  do_interp(LGT_CENTRE, LGT_CENTRE + n - 1, 0, h, 0, -h, r);
  env.RCLSmax[r] = LGT_CENTRE + n - 1;
  auto from_second = [&](float d) { return LGT_CENTRE + intlim(flt_to_int(d / sp) + 1, 0, n); };
  auto to_first = [&](float d) { return LGT_CENTRE + intlim(flt_to_int(std::ceil((l - d) / sp)), 0, n); };
  env.red2[r] = from_second(300.0f);
  env.altred2[r] = from_second(900.0f);
  env.altred1[r] = to_first(900.0f);
  env.red1[r] = to_first(300.0f);

  do_interp(LGT_TWY_1, LGT_TWY_1 + n - 1, 2.0f * w, h, 2.0f * w, -h, r);
  do_interp(LGT_TWY_2, LGT_TWY_2 + n - 1, 2.5f * w, h, 2.5f * w, -h, r);
  env.twaymax1[r] = LGT_TWY_1 + n;
  env.twaymax2[r] = LGT_TWY_2 + n;

  // Connector edges, 2 m off them so that clearing the connectors keeps them.
  float in = env.runoff[r] ? 0.65f * w : 0.5f * w;
  const float conn[3][2] = {{-0.5f, -0.45f}, {-0.02f, 0.02f}, {0.45f, 0.5f}};
  int k = LGT_TWY_3;
  for (int c = 0; c < 3; c++) {
    do_interp(k, k + 4, in, conn[c][0] * l - 2.0f, 2.0f * w, conn[c][0] * l - 2.0f, r);
    do_interp(k + 5, k + 9, in, conn[c][1] * l + 2.0f, 2.0f * w, conn[c][1] * l + 2.0f, r);
    k += 10;
  }
  as_grnd_xy(k++, 2.5f * w, -0.4f * l, r);
  as_grnd_xy(k++, 4.5f * w, -0.4f * l, r);
  as_grnd_xy(k++, 4.5f * w, -0.1f * l, r);
  as_grnd_xy(k++, 2.5f * w, -0.1f * l, r);

  do_interp(LGT_THR_2, LGT_THR_2 + 12, -0.5f * w, h + 1.0f, 0.5f * w, h + 1.0f, r);
  do_interp(LGT_THR_1, LGT_THR_1 + 12, -0.5f * w, -h - 1.0f, 0.5f * w, -h - 1.0f, r);

  for (int end = 0; end < 2; end++) {
    int b = LGT_END * end;
    float s = end ? 1.0f : -1.0f;  // outwards from this end
    float a0 = s * h;
    auto at = [&](float d) { return a0 + s * d; };  // d metres beyond the threshold
    for (int q = 0; q < 26; q++) as_grnd_xy(b + LGT_APP + q, 0, at(30.0f * (q + 1)), r);
    if (env.lgt_gls[r][end] == 2) {  // two bars: the far one first
      as_grnd_xy(b + LGT_VASI, -(0.5f * w + 15), at(-350), r);
      as_grnd_xy(b + LGT_VASI + 1, -(0.5f * w + 25), at(-350), r);
      as_grnd_xy(b + LGT_VASI + 2, -(0.5f * w + 15), at(-150), r);
      as_grnd_xy(b + LGT_VASI + 3, -(0.5f * w + 25), at(-150), r);
    } else {  // one row across, the outermost first
      for (int q = 0; q < 4; q++) as_grnd_xy(b + LGT_VASI + q, -(0.5f * w + 42 - 9 * q), at(-300), r);
    }
    as_grnd_xy(b + LGT_APP_BAR, 0, at(300), r);
    for (int q = 0; q < 10; q++)
      for (int side = 0; side < 2; side++)
        for (int p = 0; p < 4; p++)
          as_grnd_xy(b + LGT_APP_RED + 8 * q + 4 * side + p, (side ? 1 : -1) * (6.0f + 1.5f * p), at(30.0f * (q + 1)), r);
    for (int q = 0; q < 20; q++)
      for (int side = 0; side < 2; side++)
        for (int p = 0; p < 3; p++)
          as_grnd_xy(b + LGT_TDZ + 6 * q + 3 * side + p, (side ? 1 : -1) * (9.5f + 1.5f * p), at(-30.0f - 45.0f * q), r);
    for (int q = 0; q < 10; q++) {
      as_grnd_xy(b + LGT_APP_CROSS + q, -(5.0f + 1.5f * q), at(300), r);
      as_grnd_xy(b + LGT_APP_CROSS + 10 + q, 5.0f + 1.5f * q, at(300), r);
    }
    // Beyond the end the lights stand on the ground, not at field elevation.
    lights_on_surf(b + LGT_APP, b + LGT_APP + 25, r);
    lights_on_surf(b + LGT_APP_BAR, b + LGT_APP_BAR, r);
    lights_on_surf(b + LGT_APP_RED, b + LGT_APP_RED + 79, r);
    lights_on_surf(b + LGT_APP_CROSS, b + LGT_APP_CROSS + 19, r);
  }
}

// ---- painted designations ----

// 3 x 5 block glyphs, rows top to bottom, bit 2 the left column.
static const unsigned char glyph_rows[13][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 1, 1, 1}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
    {4, 4, 4, 4, 7},   // L
    {6, 5, 6, 5, 5},   // R
    {7, 4, 4, 4, 7}};  // C

static int glyph_of(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == 'L') return 10;
  if (c == 'R') return 11;
  if (c == 'C') return 12;
  return -1;
}

// The glyph being painted: its box in runway fractions, as read from the
// first end (x to the right, y towards the far end).
static float gx1, gx2, gy1, gy2;

void num_block(int col1, int row1, int col2, int row2, int end, float l, float w, int hdng, int r) {
  float cw = (gx2 - gx1) / 3, rh = (gy2 - gy1) / 5;
  float x1 = gx1 + col1 * cw, x2 = gx1 + (col2 + 1) * cw;
  float y2 = gy2 - row1 * rh, y1 = gy2 - (row2 + 1) * rh;
  // The second end's paint is the first end's turned about the runway centre.
  if (end) as_mark_xy(-x2, -y2, -x1, -y1, l, w, hdng, r);
  else as_mark_xy(x1, y1, x2, y2, l, w, hdng, r);
}

void build_number(char c, int end, float l, float w, int hdng, int r) {
  int g = glyph_of(c);
  if (g < 0) return;
  // Runs of set cells in a row; a run that repeats the row above it grows
  // that block downwards instead of starting a new one.
  int open_c1[3], open_c2[3], open_r1[3], nopen = 0;
  for (int row = 0; row <= 5; row++) {
    int runs_c1[3], runs_c2[3], nruns = 0;
    if (row < 5) {
      int bits = glyph_rows[g][row];
      for (int col = 0; col < 3; col++) {
        if (!(bits & (4 >> col))) continue;
        if (nruns > 0 && runs_c2[nruns - 1] == col - 1) runs_c2[nruns - 1] = col;
        else {
          runs_c1[nruns] = runs_c2[nruns] = col;
          nruns++;
        }
      }
    }
    int keep_c1[3], keep_c2[3], keep_r1[3], nkeep = 0;
    for (int o = 0; o < nopen; o++) {
      int cont = 0;
      for (int q = 0; q < nruns; q++)
        if (runs_c1[q] == open_c1[o] && runs_c2[q] == open_c2[o]) cont = 1;
      if (cont) {
        keep_c1[nkeep] = open_c1[o];
        keep_c2[nkeep] = open_c2[o];
        keep_r1[nkeep++] = open_r1[o];
      } else {
        num_block(open_c1[o], open_r1[o], open_c2[o], row - 1, end, l, w, hdng, r);
      }
    }
    for (int q = 0; q < nruns; q++) {
      int known = 0;
      for (int o = 0; o < nkeep; o++)
        if (keep_c1[o] == runs_c1[q] && keep_c2[o] == runs_c2[q]) known = 1;
      if (!known && nkeep < 3) {
        keep_c1[nkeep] = runs_c1[q];
        keep_c2[nkeep] = runs_c2[q];
        keep_r1[nkeep++] = row;
      }
    }
    nopen = nkeep;
    for (int o = 0; o < nopen; o++) {
      open_c1[o] = keep_c1[o];
      open_c2[o] = keep_c2[o];
      open_r1[o] = keep_r1[o];
    }
  }
}

// Digits in the upper part of segment 1 (34 for the second end), the side
// letter below them, nearer the threshold.
void rway_number(int num, char lr, int end, float l, float w, int hdng, int r) {
  if (num < 1 || num > 36) return;
  const float seg = 1.0f / 36;
  float seg_m = l * seg;
  float dw = 0.12f * w, gap = 0.05f * w;      // digit width and spacing, metres
  float dh = fltmin2(0.7f * seg_m, 4.5f * dw);  // digit height, metres
  char digits[3];
  int nd = num >= 10 ? 2 : 1;
  digits[0] = (char)('0' + (nd == 2 ? num / 10 : num));
  digits[1] = (char)('0' + num % 10);
  float y0 = -0.5f + seg;  // the segment's start
  float total = nd * dw + (nd - 1) * gap;
  for (int d = 0; d < nd; d++) {
    float xl = -0.5f * total + d * (dw + gap);
    gx1 = xl / w;
    gx2 = (xl + dw) / w;
    gy2 = y0 + 0.95f * seg;
    gy1 = gy2 - dh / l;
    build_number(digits[d], end, l, w, hdng, r);
  }
  if (lr == 'L' || lr == 'R' || lr == 'C') {
    gx1 = -0.5f * dw / w;
    gx2 = 0.5f * dw / w;
    gy2 = y0 + 0.95f * seg - dh / l - 0.1f * seg;
    gy1 = fltmax2(gy2 - dh / l, y0 + 0.02f * seg);
    build_number(lr, end, l, w, hdng, r);
  }
}

// ---- one runway ----

// A rectangle at the first end and its twin turned about the centre.
static void pair_xy(float x1, float y1, float x2, float y2, float l, float w, int hdng, int r) {
  as_mark_xy(x1, y1, x2, y2, l, w, hdng, r);
  as_mark_xy(-x2, -y2, -x1, -y1, l, w, hdng, r);
}

void setuprunway(float x, float y, float z, float l, float w, int hdng, int r, int litecode) {
  if (r < 0 || r > 2) return;
  rw_x = x;
  rw_y = y;
  rw_z = z;
  rw_mark = 0;
  cur_hdng = hdng;
  l = fltmax2(l, 10.0f);
  w = fltmax2(w, 3.0f);
  for (int k = 0; k < RWY_LIGHTS; k++) {
    rwy.rwayuse[k][r] = 0;
    rwy.rwayx[k][r] = rwy.rwayy[k][r] = rwy.rwayz[k][r] = 0;
  }
  env.tway[r] = rway_has_taxiway(l * FT_PER_M, w * FT_PER_M);
  env.runoff[r] = rway_has_runoff(l * FT_PER_M, w * FT_PER_M);
  code_to_lgts(env.lgt_gls[r], env.lgt_rwy[r], env.lgt_app[r], litecode);
  float ro = env.runoff[r] ? 0.55f : 0.5f;
  float conn = env.runoff[r] ? 0.65f : 0.5f;
  as_mark_xy(-0.5f, -ro, 0.5f, ro, l, w, hdng, r);           // 0 surface
  as_mark_xy(-0.65f, -0.52f, -0.5f, 0.52f, l, w, hdng, r);   // 1, 2 shoulders
  as_mark_xy(0.5f, -0.52f, 0.65f, 0.52f, l, w, hdng, r);
  as_mark_xy(conn, -0.5f, 2.0f, -0.45f, l, w, hdng, r);      // 3, 4, 5 connectors
  as_mark_xy(conn, -0.02f, 2.0f, 0.02f, l, w, hdng, r);
  as_mark_xy(conn, 0.45f, 2.0f, 0.5f, l, w, hdng, r);
  as_mark_xy(2.0f, -0.5f, 2.5f, 0.5f, l, w, hdng, r);        // 6 parallel taxiway
  as_mark_xy(2.5f, -0.4f, 4.5f, -0.1f, l, w, hdng, r);       // 7 apron
  as_mark_xy(-0.5f, -0.5f, -0.48f, 0.5f, l, w, hdng, r);     // 8, 9 edge stripes
  as_mark_xy(0.48f, -0.5f, 0.5f, 0.5f, l, w, hdng, r);
  as_mark_xy(-0.5f, -0.5f, 0.5f, -0.499f, l, w, hdng, r);    // 10, 11 end bars
  as_mark_xy(-0.5f, 0.499f, 0.5f, 0.5f, l, w, hdng, r);
  if (env.runoff[r]) {
    // Four chevrons on each overrun, pointing at the threshold.
    float depth = 0.008f, thick = 0.0025f;
    for (int k = 0; k < 4; k++) {
      float a = -0.5f - 0.004f - 0.0115f * k;  // apex
      for (int end = 0; end < 2; end++) {
        float s = end ? -1.0f : 1.0f;
        for (int side = -1; side <= 1; side += 2) {
          float sx = side * 0.5f;
          as_diag_xy(s * 0, s * a, s * sx, s * (a - depth), s * sx, s * (a - depth - thick), s * 0,
                     s * (a - thick), l, w, hdng, r);
        }
      }
    }
  }
  const float seg = 1.0f / 36;
  auto seg_y = [&](int k, float f) { return -0.5f + (k + f) * seg; };
  // Threshold stripes.
  const float thr[3][2] = {{0.34f, 0.4f}, {0.22f, 0.28f}, {0.1f, 0.16f}};
  for (int q = 0; q < 3; q++) {
    pair_xy(-thr[q][1], seg_y(0, 0.1f), -thr[q][0], seg_y(0, 0.75f), l, w, hdng, r);
    pair_xy(thr[q][0], seg_y(0, 0.1f), thr[q][1], seg_y(0, 0.75f), l, w, hdng, r);
  }
  rway_number(paint_num[0], paint_lr[0], 0, l, w, hdng, r);
  rway_number(paint_num[1], paint_lr[1], 1, l, w, hdng, r);
  // Touchdown stripes and aiming-point bars.
  const float tdz[2][2] = {{0.2f, 0.26f}, {0.3f, 0.36f}};
  for (int q = 0; q < 2; q++) {
    pair_xy(-tdz[q][1], seg_y(3, 0.0f), -tdz[q][0], seg_y(3, 0.6f), l, w, hdng, r);
    pair_xy(tdz[q][0], seg_y(3, 0.0f), tdz[q][1], seg_y(3, 0.6f), l, w, hdng, r);
  }
  pair_xy(-0.45f, seg_y(5, 0.0f), -0.25f, seg_y(5, 0.8f), l, w, hdng, r);
  pair_xy(0.25f, seg_y(5, 0.0f), 0.45f, seg_y(5, 0.8f), l, w, hdng, r);
  // Centre-line dashes between the numbers.
  for (int k = 2; k <= 33; k++) as_mark_xy(-0.02f, seg_y(k, 0.2f), 0.02f, seg_y(k, 0.75f), l, w, hdng, r);
  setup_lights(l, w, r);
}

// ---- the local airport ----

int locale_tower(float* x, float* y, float* z) {
  if (!twr_eye_set) return 0;
  *x = twr_eye_x;
  *y = twr_eye_y;
  *z = twr_eye_z;
  return 1;
}

static void building_at(float x, float y, float height, int type) {
  float h;
  int i, j, t;
  find_local_h(x, y, &h, &i, &j, &t);
  make_bldng_xy(x, y, height, type, i, j);
}

// Steps along the runway direction until off every runway's lit area; a
// bounded walk, so that no layout of runways can hold it.
static void step_clear(float* x, float* y, float sx, float sy) {
  *x += sx;
  *y += sy;
  for (int k = 0; k < 400 && in_runway123(*x, *y); k++) {
    *x += sx;
    *y += sy;
  }
}

void setnewlocale() {
  int a = msc.loc_index;
  env.rwaymax = -1;
  twr_eye_set = 0;
  for (int r = 0; r < 3; r++) rwy.max[r] = -1;
  std::memset(rwy.rwayuse, 0, sizeof rwy.rwayuse);
  if (a < 0 || a > env.aptmax) return;
  for (int r = 0; r < 3; r++)
    if (apt_len[a][r] > 1) env.rwaymax = r;
  for (int r = 0; r <= env.rwaymax; r++) {
    if (apt_len[a][r] <= 1) continue;
    rway_paint_designation(apt_num[a][r], apt_lr[a][r]);
    float x = env_x_of_latlon(apt_lat[a][r], apt_lon[a][r]), y = env_y_of_lat(apt_lat[a][r]);
    setuprunway(x, y, apt_z[a], (float)apt_len[a][r], (float)apt_width[a][r], apt_hdng[a][r], r, apt_lite[a][r]);
    clear_region(MARK_CONNECT_1, r, r);
    clear_region(MARK_CONNECT_2, r, r);
    clear_region(MARK_CONNECT_3, r, r);
  }
  for (int ra = 0; ra <= env.rwaymax; ra++)
    for (int rb = 0; rb <= env.rwaymax; rb++) {
      if (ra == rb || rwy.max[ra] < 0 || rwy.max[rb] < 0) continue;
      clear_region(MARK_SURFACE, ra, rb);
      if (env.tway[rb]) clear_region(MARK_TAXIWAY, ra, rb);
    }
  int longest = -1;
  for (int r = 0; r <= env.rwaymax; r++)
    if (rwy.max[r] >= 0 && (longest < 0 || apt_len[a][r] > apt_len[a][longest])) longest = r;
  if (longest < 0) return;
  float len = (float)apt_len[a][longest], wid = (float)apt_width[a][longest];
  int hd = apt_hdng[a][longest];
  float cx = env_x_of_latlon(apt_lat[a][longest], apt_lon[a][longest]), cy = env_y_of_lat(apt_lat[a][longest]);
  float side = fltmax2(4.2f * wid, 60.0f), along = -0.35f * len;
  float x = cx + side * icos(hd) + along * isin(hd), y = cy + along * icos(hd) - side * isin(hd);
  float sx = 45.0f * isin(hd), sy = 45.0f * icos(hd);
  for (int k = 0; k < 4; k++) {
    step_clear(&x, &y, sx, sy);
    building_at(x, y, 0, 93);
  }
  if (apt_twr[a]) {
    step_clear(&x, &y, sx, sy);
    step_clear(&x, &y, sx, sy);
    building_at(x, y, 0, 1);
    float h;
    int i, j, t;
    find_local_h(x, y, &h, &i, &j, &t);
    twr_eye_x = x;
    twr_eye_y = y;
    twr_eye_z = h + 22.0f;
    twr_eye_set = 1;
  }
  limwx();
}
