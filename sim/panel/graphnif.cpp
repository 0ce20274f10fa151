// The panel's drawing: straight into the main window's pixels, with an
// eraser that puts back the panel's static picture (faces, scales, labels)
// rather than painting black over it; and the gauge pieces built on that.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel_internal.h"
#include "sim/flight/propel.h"

static uint8_t static_layer[PANEL_H][PANEL_W];
static int static_ok = 0;
static drawcontext* dc = nullptr;

int panel_begin() {
  if (!mnw.up[MAIN_WINDOW]) return 0;
  MACIBM_startwind(MAIN_WINDOW, 0);
  dc = active_dc;
  return dc && dc->pix;
}

void static_capture() {
  if (!dc) return;
  int w = intmin2(dc->dx, PANEL_W), h = intmin2(dc->dy, PANEL_H);
  std::memset(static_layer, 11, sizeof static_layer);
  for (int y = 0; y < h; y++) std::memcpy(static_layer[y], dc->pix + (size_t)y * dc->row, (size_t)w);
  static_ok = 1;
}

int static_captured() { return static_ok; }

int panel_can_paint() { return static_ok && dc && dc->pix; }

// The lagged needles' time step: none while the flight is paused.
float panel_dt() { return msc.paused ? 0 : fltlim(msc.prd, 0, 1); }

static inline int inside(int x, int y) { return dc && x >= 0 && y >= 0 && x < dc->dx && y < dc->dy; }

static inline void put(int colour, int x, int y) {
  if (!inside(x, y)) return;
  uint8_t v = colour == ERASE ? (x < PANEL_W && y < PANEL_H ? static_layer[y][x] : 11) : (uint8_t)colour;
  dc->pix[(size_t)y * dc->row + x] = v;
}

uint8_t ppixel(int x, int y) { return inside(x, y) ? dc->pix[(size_t)y * dc->row + x] : 0; }

void ppoint(int colour, int x, int y) { put(colour, x, y); }

void pfill(int colour, int x, int y, int w, int h) {
  if (!dc) return;
  int x0 = intmax2(x, 0), y0 = intmax2(y, 0);
  int x1 = intmin2(x + w, dc->dx), y1 = intmin2(y + h, dc->dy);
  for (int r = y0; r < y1; r++) {
    uint8_t* d = dc->pix + (size_t)r * dc->row;
    if (colour != ERASE) {
      if (x1 > x0) std::memset(d + x0, colour, (size_t)(x1 - x0));
    } else {
      for (int c = x0; c < x1; c++) d[c] = (r < PANEL_H && c < PANEL_W) ? static_layer[r][c] : 11;
    }
  }
}

// n = |d| truncated steps of d / n in 16.16 from the start, as MACIBM_line walks.
template <class F> static void walk(int x0, int y0, int x1, int y1, F plot) {
  int dx = x1 - x0, dy = y1 - y0;
  int n = flt_to_int(std::sqrt((double)dx * dx + (double)dy * dy));
  if (n == 0) return;
  Fixed fx = int2fix(x0), fy = int2fix(y0);
  Fixed sx = fixed_div(int2fix(dx), int2fix(n)), sy = fixed_div(int2fix(dy), int2fix(n));
  for (int i = 0; i < n; i++, fx += sx, fy += sy) plot(fix2int(fx), fix2int(fy));
}

void pline(int colour, int x0, int y0, int x1, int y1) {
  walk(x0, y0, x1, y1, [&](int x, int y) { put(colour, x, y); });
}

void pline_inside(int colour, int x0, int y0, int x1, int y1, int cy, int top, const int* x1s, const int* x2s,
                  int rows, int cx) {
  walk(x0, y0, x1, y1, [&](int x, int y) {
    int r = y - cy - top;
    if (r < 0 || r >= rows) return;
    if (x - cx < x1s[r] || x - cx > x2s[r]) return;
    put(colour, x, y);
  });
}

void pbitmap(int x, int y, int id) { MACIBM_bitmap(x, y, id); }

// The two characters the panel's captions need beyond the 5 x 7 font's own.
static const uint8_t* extra_glyph(char c) {
  static const uint8_t percent[7] = {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03};
  static const uint8_t bang[7] = {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04};
  if (c == '%') return percent;
  if (c == '!') return bang;
  return nullptr;
}

// 6 pixels a character, the top-left of the first at (x, y - 7), over what is there.
void ptext(int colour, int x, int y, const char* s) {
  for (int k = 0; s[k]; k++, x += 6) {
    const uint8_t* g = font_glyph(s[k]);
    if (!g) g = extra_glyph(s[k]);
    if (!g) continue;
    for (int r = 0; r < 7; r++)
      for (int c = 0; c < 5; c++)
        if (g[r] & (0x10 >> c)) put(colour, x + c, y - 7 + r);
  }
}

// ---------------------------------------------------------------- gauge pieces

static inline int rx(int x, int r, int a) { return x + bk::round(r * isin(a)); }
static inline int ry(int y, int r, int a) { return y - bk::round(r * icos(a)); }

// Style 10 draws two parallel lines, 11 three (to erase a thick needle), 9 one.
void needle(int x, int y, int angle, int length, int colour, int style) {
  int a = intwrap(angle % 360, 0, 359);
  int ex = rx(x, length, a), ey = ry(y, length, a);
  int mostly_vertical = !((a >= 45 && a <= 135) || (a >= 225 && a <= 315));
  int ox = mostly_vertical ? 1 : 0, oy = mostly_vertical ? 0 : 1;
  pline(colour, x, y, ex, ey);
  if (style >= 10) pline(colour, x + ox, y + oy, ex + ox, ey + oy);
  if (style >= 11) pline(colour, x - ox, y - oy, ex - ox, ey - oy);
}

void pole(int x, int y, int angle, int inner, int outer, int colour) {
  int a = intwrap(angle % 360, 0, 359);
  int mostly_vertical = !((a >= 45 && a <= 135) || (a >= 225 && a <= 315));
  int ox = mostly_vertical ? 1 : 0, oy = mostly_vertical ? 0 : 1;
  for (int k = 0; k < 2; k++)
    pline(colour, rx(x, inner, a) + k * ox, ry(y, inner, a) + k * oy, rx(x, outer, a) + k * ox,
          ry(y, outer, a) + k * oy);
}

void init_tickmark(int x, int y, int inner, int outer, int angle, int colour) {
  int a = intwrap(angle % 360, 0, 359);
  // One past the outer radius: the walk leaves its end pixel out.
  pline(colour, rx(x, inner, a), ry(y, inner, a), rx(x, outer + 1, a), ry(y, outer + 1, a));
}

// A 5-pixel bar growing up from y: only the difference is painted.
void tape(int x, int y, int old_h, int new_h) {
  old_h = intlim(old_h, 0, 110);
  new_h = intlim(new_h, 0, 110);
  if (ins.tickle_all) {
    pfill(ERASE, x, y - 110, 5, 110);
    old_h = 0;
  }
  if (new_h > old_h) pfill(12, x, y - new_h, 5, new_h - old_h);
  else if (new_h < old_h) pfill(ERASE, x, y - old_h, 5, old_h - new_h);
}

static void small_number(int x, int y, int value, int colour) {
  char s[16];
  std::snprintf(s, sizeof s, "%d", value);
  int w = 6 * (int)std::strlen(s) - 1;
  ptext(colour, x - w / 2, y + 3, s);
}

// An engine gauge's scale ending at maxval: dial ticks from 180 degrees over
// 270, or ticks left of a 100-pixel tape; numbers on the numbered ticks
// (divided by the label ratio), the label beneath.
void tape_arc(const char* label, int x, int y, int maxval, int is_tape) {
  int tickmod, numbmod, labelrat;
  if (maxval <= 0) return;
  set_mod(maxval, &tickmod, &numbmod, &labelrat);
  // Keep the dial readable: at most a dozen ticks and four numbers.
  while (maxval / tickmod > 12) tickmod *= 2;
  while (maxval / numbmod > 4) numbmod *= 2;
  for (int v = 0; v <= maxval; v += tickmod) {
    int numbered = v % numbmod == 0;
    if (is_tape) {
      int h = v * 100 / maxval;
      pfill(33, x - (numbered ? 5 : 3), y - h, numbered ? 4 : 2, 1);
    } else {
      int a = 180 + v * 270 / maxval;
      init_tickmark(x, y, 21, numbered ? 24 : 23, a, 33);
    }
  }
  for (int v = 0; v <= maxval; v += numbmod) {
    int shown = v / labelrat;
    if (is_tape) {
      if (x > 700) continue;  // one column of numbers is enough for shared scales
      char s[16];
      std::snprintf(s, sizeof s, "%d", shown);
      ptext(31, x - 7 - 6 * (int)std::strlen(s), y - v * 100 / maxval + 3, s);
    } else {
      int a = 180 + v * 270 / maxval;
      if (a > 420) continue;  // the last number would sit on the first
      small_number(rx(x, 14, a), ry(y, 14, a) - 1, shown, 31);
    }
  }
  if (is_tape) {
    pfill(28, x - 1, y - 100, 1, 101);
    ptext(31, x - 6, y - 104, label);
  } else {
    ptext(31, x + 7, y + 18, label);
  }
}

// A coloured range on a gauge, values from..to of a scale ending at scale_max.
void tape_arc_mark(int colour, int x, int y, int r1, int r2, int from, int to, int is_tape, int scale_max) {
  if (scale_max <= 0 || to <= from) return;
  from = intlim(from, 0, scale_max);
  to = intlim(to, 0, scale_max);
  if (is_tape) {
    int h1 = from * 100 / scale_max, h2 = to * 100 / scale_max;
    for (int h = h1; h <= h2; h += 2) pfill(colour, x + 6, y - h, 2, 1);
    return;
  }
  int a1 = 180 + from * 270 / scale_max, a2 = 180 + to * 270 / scale_max;
  for (int a = a1; a <= a2; a++)
    for (int r = r1; r <= r2; r++) ppoint(colour, rx(x, r, a), ry(y, r, a));
}

// Three vertical strokes at the position, leaving the scale marks at 0, 15 and 30.
void fuel_pointer(int position, int colour) {
  for (int k = -1; k <= 1; k++) {
    int p = position + k;
    if (p < 0 || p > 31 || p == 0 || p == 15 || p == 30) continue;
    pfill(colour, ins.osrad + 514 + p, 533, 1, 5);
  }
}

// A 4 x 3 lamp: light upper edge, dark lower and right edge.
void EFIS_light(int x, int y, int lit) {
  int face = lit ? 12 : 15, light = lit ? 13 : 16, dark = lit ? 14 : 34;
  pfill(face, x, y, 4, 3);
  pfill(light, x, y, 4, 1);
  pfill(dark, x, y + 2, 4, 1);
  pfill(dark, x + 3, y, 1, 3);
}

// The compass card: ticks every 5 degrees (long every 10), the cardinal
// letters and the numbers between, turned so that `heading` is at the top.
void plot_dg(int x, int y, int radius, int heading, int colour) {
  for (int c = 0; c < 360; c += 5) {
    int a = c - heading;
    init_tickmark(x, y, radius - (c % 10 == 0 ? 6 : 3), radius, a, colour);
  }
  static const char* const labels[12] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
  for (int k = 0; k < 12; k++) {
    int a = k * 30 - heading;
    const char* s = labels[k];
    int w = 6 * (int)std::strlen(s) - 1;
    int lx = rx(x, radius - 13, a) - w / 2, ly = ry(y, radius - 13, a) + 3;
    ptext(k % 3 == 0 ? 33 : 31, lx, ly, s);
  }
}

// Seven-segment digits over a cleared strip.
void intnum_erase(int x, int y, int value, int digits, int colour, int size, int gap) {
  pfill(11, x - 1, y - 1, digits * (size + 1 + gap) + 1, 2 * size + 3);
  intnum(x, y, intmax2(value, 0), digits, colour, size, gap, 0);
}
