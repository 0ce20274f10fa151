#include "sim/windows/winkit.h"
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include "basekit/bk_graph.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/msc.h"

int wk_begin(int index) {
  if (index < 0 || index >= MNW_WINDOWS || !mnw.up[index]) return 0;
  MACIBM_startwind(index, 0);
  return active_dc != nullptr;
}

static int away_depth, away_saved;

void wk_mouse_away() {
  if (away_depth++ == 0) {
    away_saved = msc.mousedown;
    msc.mousedown = 0;
  }
}

void wk_mouse_back() {
  if (away_depth > 0 && --away_depth == 0) msc.mousedown = away_saved;
}

void wk_clear() {
  if (active_dc) MACIBM_fillrect(WK_BACK, 0, 0, active_dc->dx, active_dc->dy);
}

void wk_erase(int x, int y, int w, int h) { MACIBM_fillrect(WK_BACK, x, y, w, h); }

void wk_text(int x, int y, int color, const char* text) {
  if (!active_dc || !text) return;
  plat_draw_text(active_dc->pix, active_dc->row, active_dc->dx, active_dc->dy, PLAT_FONT_PROPORTIONAL, x, y, text,
                 (uint8_t)color);
}

void wk_textf(int x, int y, int color, const char* format, ...) {
  char line[256];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(line, sizeof line, format, ap);
  va_end(ap);
  wk_text(x, y, color, line);
}

int wk_text_width(const char* text) { return text ? plat_text_width(PLAT_FONT_PROPORTIONAL, text) : 0; }

void wk_group(int x, int y, int w, int h, const char* title) {
  MACIBM_framerect(WK_FRAME, x, y, w, h);
  if (title && *title) {
    int tw = wk_text_width(title);
    wk_erase(x + 8, y - 1, tw + 6, 3);
    wk_text(x + 11, y - 7, WK_TITLE, title);
  }
}

static void bevel(int x, int y, int w, int h) {
  MACIBM_fillrect(WK_FACE, x, y, w, h);
  MACIBM_hshline(WK_LIGHT, x, y, w);
  MACIBM_hsvline(WK_LIGHT, x, y, h);
  MACIBM_hshline(WK_DARK, x, y + h - 1, w);
  MACIBM_hsvline(WK_DARK, x + w - 1, y, h);
}

void wk_button(int x, int y, int w, int h, const char* label) {
  bevel(x, y, w, h);
  int tw = wk_text_width(label);
  wk_text(x + (w - tw) / 2, y + (h - 13) / 2, WK_TITLE, label);
}

int wk_hit(int x, int y, int w, int h) {
  return msc.mousedown && msc.mx >= x && msc.mx < x + w && msc.my >= y && msc.my < y + h;
}

// A small filled triangle pointing up or down, centred on cx.
static void arrow(int cx, int y, int up, int size, int color) {
  for (int r = 0; r < size; r++) {
    int half = up ? r : size - 1 - r;
    MACIBM_hshline(color, cx - half, y + r, 2 * half + 1);
  }
}

void wk_cycler(int x, int y, int offset) {
  bevel(x + offset, y - 18, 15, 17);
  arrow(x + offset + 7, y - 12, 1, 5, WK_TITLE);
  bevel(x + offset, y + 1, 15, 14);
  arrow(x + offset + 7, y + 5, 0, 5, WK_TITLE);
}

void wk_spinner(int x, int y, int digits, int skip) {
  for (int k = 0; k < digits; k++) {
    if (skip & (1 << k)) continue;
    arrow(x + 10 * k + 5, y + 2, 1, 3, WK_FRAME);
    arrow(x + 10 * k + 5, y + 30, 0, 3, WK_FRAME);
  }
}

int wk_hslider(int x, int y, int w, float* value, float lo, float hi, int click) {
  float old = *value;
  if (click && wk_hit(x - 4, y - 6, w + 9, 13) && w > 0) {
    float f = (float)(msc.mx - x) / (float)w;
    f = f < 0 ? 0 : f > 1 ? 1 : f;
    *value = lo + f * (hi - lo);
  }
  wk_erase(x - 5, y - 7, w + 11, 15);
  MACIBM_hshline(WK_FRAME, x, y, w + 1);
  for (int k = 0; k <= 4; k++) MACIBM_hsvline(WK_FRAME, x + w * k / 4, y + 3, 3);
  float f = hi > lo ? (*value - lo) / (hi - lo) : 0;
  f = f < 0 ? 0 : f > 1 ? 1 : f;
  bevel(x + flt_to_int(std::lround(f * w)) - 4, y - 6, 9, 13);
  return *value != old;
}

int wk_vslider(int x, int y, int h, float* value, float lo, float hi, int click) {
  float old = *value;
  if (click && wk_hit(x - 6, y - 4, 13, h + 9) && h > 0) {
    float f = (float)(y + h - msc.my) / (float)h;
    f = f < 0 ? 0 : f > 1 ? 1 : f;
    *value = lo + f * (hi - lo);
  }
  wk_erase(x - 7, y - 5, 15, h + 11);
  MACIBM_hsvline(WK_FRAME, x, y, h + 1);
  for (int k = 0; k <= 4; k++) MACIBM_hshline(WK_FRAME, x - 5, y + h * k / 4, 3);
  float f = hi > lo ? (*value - lo) / (hi - lo) : 0;
  f = f < 0 ? 0 : f > 1 ? 1 : f;
  bevel(x - 6, y + h - flt_to_int(std::lround(f * h)) - 4, 13, 9);
  return *value != old;
}

// Text cut into lines of at most `width` pixels at word breaks.
int wk_wrapped(int x, int y, int width, int color, const char* text, int max_lines) {
  char line[128];
  int lines = 0;
  const char* p = text;
  while (*p && lines < max_lines) {
    while (*p == ' ') p++;
    int n = 0, last_break = 0;
    while (p[n] && n < (int)sizeof line - 1) {
      line[n] = p[n];
      line[n + 1] = 0;
      if (wk_text_width(line) > width) break;
      if (p[n] == ' ') last_break = n;
      n++;
    }
    if (p[n] && last_break > 0) n = last_break;
    if (n == 0) n = 1;
    std::snprintf(line, sizeof line, "%.*s", n, p);
    wk_text(x, y + 14 * lines++, color, line);
    p += n;
  }
  return lines;
}

float wk_shown(float si, float per_unit, int decimals) {
  if (!(per_unit != 0) || !std::isfinite(si)) return 0;
  double scale = std::pow(10.0, decimals);
  return (float)(std::nearbyint((double)si / per_unit * scale) / scale);
}
