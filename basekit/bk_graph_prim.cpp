// Pixel primitives: points, spans, lines, rectangles, triangles and fans, and
// the window-only ovals, circles and arcs.
#include <cmath>
#include <cstring>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph_internal.h"

Fixed fixed_div(Fixed a, Fixed b) {
  if (b == 0) return a >= 0 ? INT32_MAX : INT32_MIN;
  int64_t n = (int64_t)a * 65536, d = b;
  int64_t q = ((n < 0) == (d < 0)) ? (n + d / 2) / d : (n - d / 2) / d;
  if (q > INT32_MAX) return INT32_MAX;
  if (q < INT32_MIN) return INT32_MIN;
  return (Fixed)q;
}

void memscan(uint8_t* row_start, int x_lo, int x_hi, uint32_t word, uint8_t byte) {
  if (x_hi < x_lo) return;
  uint8_t* p = row_start + x_lo;
  int n = x_hi - x_lo + 1;
  if (n > 4) {
    while ((uintptr_t)p & 3) {
      *p++ = byte;
      n--;
    }
    // Aligned 32-bit stores; memcpy of 4 bytes compiles to one.
    while (n >= 4) {
      std::memcpy(p, &word, 4);
      p += 4;
      n -= 4;
    }
  }
  while (n-- > 0) *p++ = byte;
}

void clip_point(const rastertarget& t, int x, int y, uint8_t color) {
  if (x < 0 || y < 0 || x >= t.dx || y >= t.dy) return;
  t.pix[(size_t)y * t.row + x] = color;
}

void clip_hspan(const rastertarget& t, int x_lo, int x_hi, int y, uint8_t color) {
  if (y < 0 || y >= t.dy) return;
  if (x_lo < 0) x_lo = 0;
  if (x_hi >= t.dx) x_hi = t.dx - 1;
  if (x_hi < x_lo) return;
  std::memset(t.pix + (size_t)y * t.row + x_lo, color, (size_t)(x_hi - x_lo + 1));
}

static void clip_vspan(const rastertarget& t, int x, int y_lo, int y_hi, uint8_t color) {
  if (x < 0 || x >= t.dx) return;
  if (y_lo < 0) y_lo = 0;
  if (y_hi >= t.dy) y_hi = t.dy - 1;
  for (int y = y_lo; y <= y_hi; y++) t.pix[(size_t)y * t.row + x] = color;
}

// A span of len pixels from x; a negative len is the span ending at x.
static int span_ends(int x, int len, int* lo, int* hi) {
  if (len == 0) return 0;
  if (len > 0) {
    *lo = x;
    *hi = x + len - 1;
  } else {
    *lo = x + len + 1;
    *hi = x;
  }
  return 1;
}

// ---------------------------------------------------------------- points, spans

void MACIBM_hspoint(int color, int x, int y) {
  if (locked) {
    BK_CHECK(x >= 0 && y >= 0 && x < lock_dx && y < lock_dy, "MACIBM_hspoint", "x %d y %d", x, y);
    pix[(size_t)y * row + x] = (uint8_t)color;
    return;
  }
  rastertarget t;
  if (window_target(&t)) clip_point(t, x, y, (uint8_t)color);
}

void MACIBM_hshline(int color, int x, int y, int len) {
  int lo, hi;
  if (!span_ends(x, len, &lo, &hi)) return;
  if (locked) {
    BK_CHECK(lo >= 0 && hi < lock_dx && y >= 0 && y < lock_dy, "MACIBM_hshline", "x %d y %d len %d", x, y, len);
    memscan(pix + (size_t)y * row, lo, hi, 0x01010101u * (uint8_t)color, (uint8_t)color);
    return;
  }
  rastertarget t;
  if (window_target(&t)) clip_hspan(t, lo, hi, y, (uint8_t)color);
}

void MACIBM_hsvline(int color, int x, int y, int len) {
  int lo, hi;
  if (!span_ends(y, len, &lo, &hi)) return;
  if (locked) {
    BK_CHECK(x >= 0 && x < lock_dx && lo >= 0 && hi < lock_dy, "MACIBM_hsvline", "x %d y %d len %d", x, y, len);
    uint8_t* p = pix + (size_t)lo * row + x;
    for (int n = hi - lo + 1; n > 0; n--, p += row) *p = (uint8_t)color;
    return;
  }
  rastertarget t;
  if (window_target(&t)) clip_vspan(t, x, lo, hi, (uint8_t)color);
}

// ---------------------------------------------------------------- lines

// n = |d| truncated steps of d / n in 16.16 from the start; the end point is
// not drawn. A zero-length line draws nothing.
template <bool CLIP>
static void line_walk(const rastertarget& t, uint8_t color, int x0, int y0, int x1, int y1) {
  int dx = x1 - x0, dy = y1 - y0;
  int n = flt_to_int(std::sqrt((double)dx * dx + (double)dy * dy));
  if (n == 0) return;
  Fixed fx = int2fix(x0), fy = int2fix(y0);
  Fixed sx = fixed_div(int2fix(dx), int2fix(n)), sy = fixed_div(int2fix(dy), int2fix(n));
  for (int i = 0; i < n; i++, fx += sx, fy += sy) {
    int x = fix2int(fx), y = fix2int(fy);
    if (CLIP) {
      clip_point(t, x, y, color);
    } else {
      BK_CHECK(x >= 0 && y >= 0 && x < t.dx && y < t.dy, "MACIBM_line",
               "(%d, %d)-(%d, %d) reaches (%d, %d)", x0, y0, x1, y1, x, y);
      t.pix[(size_t)y * t.row + x] = color;
    }
  }
}

void MACIBM_line(int color, int x0, int y0, int x1, int y1) {
  if (locked) {
    line_walk<false>(locked_target(), (uint8_t)color, x0, y0, x1, y1);
    return;
  }
  // The window path sets the end pixel as well.
  rastertarget t;
  if (!window_target(&t)) return;
  line_walk<true>(t, (uint8_t)color, x0, y0, x1, y1);
  clip_point(t, x1, y1, (uint8_t)color);
}

// ---------------------------------------------------------------- rectangles

// Negative sizes are taken from the other corner.
static void normalise_rect(int* x, int* y, int* w, int* h) {
  if (*w < 0) { *x += *w; *w = -*w; }
  if (*h < 0) { *y += *h; *h = -*h; }
}

void MACIBM_framerect(int color, int x, int y, int w, int h) {
  normalise_rect(&x, &y, &w, &h);
  MACIBM_hshline(color, x, y, w + 1);
  MACIBM_hshline(color, x, y + h, w + 1);
  MACIBM_hsvline(color, x, y, h);
  MACIBM_hsvline(color, x + w, y, h);
}

void MACIBM_fillrect(int color, int x, int y, int w, int h) {
  normalise_rect(&x, &y, &w, &h);
  if (locked) {
    BK_CHECK(x >= 0 && y >= 0 && x + w < lock_dx && y + h < lock_dy, "MACIBM_fillrect",
             "x %d y %d w %d h %d", x, y, w, h);
    uint32_t word = 0x01010101u * (uint8_t)color;
    uint8_t* p = pix + (size_t)y * row;
    for (int r = 0; r <= h; r++, p += row) memscan(p, x, x + w, word, (uint8_t)color);
    return;
  }
  rastertarget t;
  if (!window_target(&t)) return;
  for (int r = 0; r <= h; r++) clip_hspan(t, x, x + w, y + r, (uint8_t)color);
}

// ---------------------------------------------------------------- triangles

// Rows ya .. yb - 1 between two edges walking in 16.16, both ends included.
template <bool CLIP>
static void tri_rows(const rastertarget& t, uint8_t color, uint32_t word, int ya, int yb, Fixed* ex1, Fixed s1,
                     Fixed* ex2, Fixed s2) {
  Fixed a = *ex1, b = *ex2;
  for (int y = ya; y < yb; y++, a += s1, b += s2) {
    int lo = fix2int(a), hi = fix2int(b);
    if (lo > hi) {
      int s = lo;
      lo = hi;
      hi = s;
    }
    if (CLIP) {
      if (y < 0 || y >= t.dy) continue;
      if (lo < 0) lo = 0;
      if (hi >= t.dx) hi = t.dx - 1;
    } else {
      BK_CHECK(y >= 0 && y < t.dy && lo >= 0 && hi < t.dx, "MACIBM_poly3", "row %d span %d..%d", y, lo, hi);
    }
    memscan(t.pix + (size_t)y * t.row, lo, hi, word, color);
  }
  *ex1 = a;
  *ex2 = b;
}

// Scan conversion: vertices sorted by y, a long edge from top to bottom and a
// short edge per half. The bottom row is never filled, so triangles sharing
// an edge do not overwrite each other's rows.
template <bool CLIP>
static void tri_fill(const rastertarget& t, uint8_t color, int x0, int y0, int x1, int y1, int x2, int y2) {
  if ((y0 == y1 && y1 == y2) || (x0 == x1 && x1 == x2)) return;
  int s;
  if (y0 > y1) { s = y0; y0 = y1; y1 = s; s = x0; x0 = x1; x1 = s; }
  if (y1 > y2) { s = y1; y1 = y2; y2 = s; s = x1; x1 = x2; x2 = s; }
  if (y0 > y1) { s = y0; y0 = y1; y1 = s; s = x0; x0 = x1; x1 = s; }
  if (y0 == y2) return;
  uint32_t word = 0x01010101u * color;
  Fixed lx = int2fix(x0), ls = fixed_div(int2fix(x2 - x0), int2fix(y2 - y0));
  if (y0 < y1) {
    Fixed sx = int2fix(x0), ss = fixed_div(int2fix(x1 - x0), int2fix(y1 - y0));
    tri_rows<CLIP>(t, color, word, y0, y1, &lx, ls, &sx, ss);
  }
  if (y1 < y2) {
    Fixed sx = int2fix(x1), ss = fixed_div(int2fix(x2 - x1), int2fix(y2 - y1));
    tri_rows<CLIP>(t, color, word, y1, y2, &lx, ls, &sx, ss);
  }
}

void MACIBM_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast) {
  (void)fast;
  if (locked) {
    tri_fill<false>(locked_target(), (uint8_t)color, x0, y0, x1, y1, x2, y2);
    return;
  }
  rastertarget t;
  if (window_target(&t)) tri_fill<true>(t, (uint8_t)color, x0, y0, x1, y1, x2, y2);
}

void MACIBM_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast) {
  MACIBM_poly3(color, x0, y0, x1, y1, x2, y2, fast);
  MACIBM_poly3(color, x0, y0, x2, y2, x3, y3, fast);
}

void MACIBM_polyN(int color, const int* xs, const int* ys, int n, int fast) {
  if (n < 2 || n > 7) return;
  for (int i = 1; i < n; i++) MACIBM_poly3(color, xs[0], ys[0], xs[i], ys[i], xs[i + 1], ys[i + 1], fast);
}

// ---------------------------------------------------------------- window-only shapes

// Filled ellipse in the box (x - rx, y - ry)-(x + rx, y + ry).
static void oval_fill(const rastertarget& t, uint8_t color, int x, int y, int rx, int ry) {
  if (rx < 0) rx = -rx;
  if (ry < 0) ry = -ry;
  if (ry == 0) {
    clip_hspan(t, x - rx, x + rx, y, color);
    return;
  }
  for (int dy = -ry; dy <= ry; dy++) {
    double f = 1.0 - (double)dy * dy / ((double)ry * ry);
    int hw = flt_to_int(rx * std::sqrt(f < 0 ? 0 : f) + 0.5);
    clip_hspan(t, x - hw, x + hw, y + dy, color);
  }
}

void MACIBM_filloval(int color, int x, int y, int rx, int ry) {
  rastertarget t;
  if (locked || !window_target(&t)) return;
  oval_fill(t, (uint8_t)color, x, y, rx, ry);
}

void MACIBM_fillcircle(int color, int x, int y, int r) { MACIBM_filloval(color, x, y, r, r); }

// Midpoint circle: the eight symmetric pixels of each step.
void MACIBM_framecircle(int color, int x, int y, int r) {
  rastertarget t;
  if (locked || !window_target(&t)) return;
  uint8_t c = (uint8_t)color;
  if (r < 0) r = -r;
  int px = r, py = 0, e = 1 - r;
  while (px >= py) {
    clip_point(t, x + px, y + py, c); clip_point(t, x - px, y + py, c);
    clip_point(t, x + px, y - py, c); clip_point(t, x - px, y - py, c);
    clip_point(t, x + py, y + px, c); clip_point(t, x - py, y + px, c);
    clip_point(t, x + py, y - px, c); clip_point(t, x - py, y - px, c);
    py++;
    if (e < 0) {
      e += 2 * py + 1;
    } else {
      px--;
      e += 2 * (py - px) + 1;
    }
  }
}

static float arc_sin[360], arc_cos[360];
static int arc_tables = 0;

void init_graph_tables() {
  for (int a = 0; a < 360; a++) {
    arc_sin[a] = (float)std::sin(a * M_PI / 180.0);
    arc_cos[a] = (float)std::cos(a * M_PI / 180.0);
  }
  arc_tables = 1;
}

static int wrap_deg(int a) {
  a %= 360;
  return a < 0 ? a + 360 : a;
}

void MACIBM_arc(int color, int x, int y, int r1, int r2, int a1, int a2) {
  if (a1 == a2) return;
  rastertarget t;
  if (!window_target(&t)) return;
  if (!arc_tables) init_graph_tables();
  a1 = wrap_deg(a1);
  a2 = wrap_deg(a2);
  int span = wrap_deg(a2 - a1);
  if (span == 0) span = 360;  // the same end points: the whole circle
  if (r1 > r2) {
    int s = r1;
    r1 = r2;
    r2 = s;
  }
  if (r1 < 0) r1 = 0;
  for (int r = r1; r <= r2; r++) {
    if (r == 0) {
      clip_point(t, x, y, (uint8_t)color);
      continue;
    }
    // The ends through the whole-degree tables, truncated; between them steps
    // short enough (half a pixel) to leave no gap.
    int steps = flt_to_int(span * M_PI / 180.0 * r * 2.0) + 1;
    clip_point(t, x + flt_to_int(r * arc_sin[a1]), y - flt_to_int(r * arc_cos[a1]), (uint8_t)color);
    clip_point(t, x + flt_to_int(r * arc_sin[a2]), y - flt_to_int(r * arc_cos[a2]), (uint8_t)color);
    for (int i = 1; i < steps; i++) {
      double a = (a1 + (double)span * i / steps) * M_PI / 180.0;
      clip_point(t, x + flt_to_int(std::lround(r * std::sin(a))), y - flt_to_int(std::lround(r * std::cos(a))), (uint8_t)color);
    }
  }
}
