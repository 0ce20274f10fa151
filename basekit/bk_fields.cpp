// Entry fields: number and identifier spinners, check boxes, radio buttons,
// option cyclers and the name list.
#include "basekit/bk_fields.h"
#include <cfloat>
#include <cmath>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_graph_internal.h"
#include "basekit/bk_hooks.h"

// The mouse position while the button is down; 0 when it is up or unhooked.
static int mouse_down_at(int* mx, int* my) {
  const mousehook& m = hok.mouse;
  if (!m.x || !m.y || !m.down || !*m.down) return 0;
  *mx = *m.x;
  *my = *m.y;
  return 1;
}

static int inside(int mx, int my, int x, int y, int dx, int dy) {
  return mx >= x && mx < x + dx && my >= y && my < y + dy;
}

// first..last as a ring, for any v (a step may pass more than one lap).
static int ring(int v, int first, int last) {
  int n = last - first + 1;
  int k = (v - first) % n;
  return first + (k < 0 ? k + n : k);
}

// Panel-font text cut at the last whole character before right_edge.
static void plot_cut(int x, int y, int color, const char* text, int right_edge) {
  for (int pen = x; text && *text && pen + 4 < right_edge; pen += 6, text++) plot_letter(pen, y, color, 0, *text);
}

// ---------------------------------------------------------------- numbers

int instdbtn_range(int color, int x, int y, float* value, int digits, int decimals, int redraw, float lo,
                   float hi) {
  if (digits < 1) digits = 1;
  if (digits > 7) digits = 7;
  if (decimals < 0) decimals = 0;
  if (decimals > digits) decimals = digits;
  const double scale = std::pow(10.0, decimals);
  const double shown = (std::pow(10.0, digits) - 1) / scale;  // all nines
  double low = lo < -shown ? -shown : lo, high = hi > shown ? shown : hi;
  float old = *value;

  int mx, my;
  if (mouse_down_at(&mx, &my))
    for (int k = 0; k < digits; k++) {
      if (!inside(mx, my, x + 10 * k, y, 10, 35)) continue;
      // Counted in units of the last digit, so that the value stays on the
      // field's grid however often it is stepped (0.1 is not exact in a float).
      double units = std::pow(10.0, digits - 1 - k);
      double before = (double)old * scale;
      double g = before + (my < y + 17 ? units : -units);
      double r = std::nearbyint(g);
      if (std::fabs(g - r) <= 2 * FLT_EPSILON * std::fmax(std::fabs(before), std::fabs(g))) g = r;
      double v = g / scale;
      if (!(v >= low)) v = low;  // NaN too
      if (v > high) v = high;
      *value = (float)v;
      break;
    }

  int changed = *value != old;
  if (changed || redraw) fltnum(x + 3, y + 13, *value, digits, decimals, color, 4, low < 0, 5);
  return changed || redraw;
}

int instdbtn(int color, int x, int y, float* value, int digits, int decimals, int redraw, int allow_negative) {
  // The range variant keeps any limit within what the digits can show.
  return instdbtn_range(color, x, y, value, digits, decimals, redraw, allow_negative ? -FLT_MAX : 0.0f, FLT_MAX);
}

// ---------------------------------------------------------------- identifiers

int in4charbtn(int color, int x, int y, char* text, int redraw) {
  static const int column[4] = {0, 11, 21, 31};
  int changed = 0, mx, my;
  if (mouse_down_at(&mx, &my))
    for (int k = 0; k < 4; k++) {
      if (!inside(mx, my, x + column[k], y, 10, 35)) continue;
      int len = (int)strnlen(text, 4);
      char c = k < len ? text[k] : ' ';
      // Typed or read lower case still spins from its own letter.
      if (c >= 'a' && c <= 'z') c = (char)(c - 'a' + 'A');
      int code = char_to_code(c) + (my < y + 17 ? -1 : 1);
      if (code < 0) code = 0;
      if (code > 36) code = 36;
      char next = code_to_char(code);
      if (next == text[k] && k < len) break;
      if (k >= len) {
        // A short identifier grows with blanks up to the spun character.
        if (next == ' ') break;
        for (int i = len; i < k; i++) text[i] = ' ';
        text[k + 1] = 0;
      }
      text[k] = next;
      changed = 1;
      break;
    }
  if (changed || redraw) plot4char(color, x + 2, y + 14, text);
  return changed || redraw;
}

// ---------------------------------------------------------------- boxes

int inboolbtn(int x, int y, int* flag) {
  int changed = 0, mx, my;
  if (mouse_down_at(&mx, &my) && inside(mx, my, x - 2, y - 2, 12, 12)) {
    *flag = !*flag;
    changed = 1;
  }
  block(x, y, *flag);
  return changed;
}

int inonebool(int x, int y, int* variable, int value) {
  int changed = 0, mx, my;
  if (mouse_down_at(&mx, &my) && inside(mx, my, x, y, 10, 10) && *variable != value) {
    *variable = value;
    changed = 1;
  }
  block(x + 1, y + 1, *variable == value);
  return changed;
}

// ---------------------------------------------------------------- option cyclers

static int text_cycler(int x, int y, const char* const* texts, int n, int offset, int width, int* choice,
                       int redraw) {
  int first = n == 2 ? 0 : 1, last = first + n - 1;
  int old = *choice, mx, my;
  if (mouse_down_at(&mx, &my)) {
    if (inside(mx, my, x + offset, y - 20, 15, 20)) *choice = ring(old - 1, first, last);
    if (inside(mx, my, x + offset, y, 15, 15)) *choice = ring(old + 1, first, last);
  }
  int changed = *choice != old;
  if ((changed || redraw) && width > 0) {
    int px, py, window = open_strip(x, y - 10, width, 13, &px, &py);
    if (*choice >= first && *choice <= last) plot_cut(px, py + 3, 12, texts[*choice - first], px + width);
    close_strip(window);
  }
  return changed || redraw;
}

int in2textbtn(int x, int y, const char* t1, const char* t2, int offset, int width, int* choice, int redraw) {
  const char* t[] = {t1, t2};
  return text_cycler(x, y, t, 2, offset, width, choice, redraw);
}

int in3textbtn(int x, int y, const char* t1, const char* t2, const char* t3, int offset, int width, int* choice,
               int redraw) {
  const char* t[] = {t1, t2, t3};
  return text_cycler(x, y, t, 3, offset, width, choice, redraw);
}

int in4textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, int offset, int width,
               int* choice, int redraw) {
  const char* t[] = {t1, t2, t3, t4};
  return text_cycler(x, y, t, 4, offset, width, choice, redraw);
}

int in5textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               int offset, int width, int* choice, int redraw) {
  const char* t[] = {t1, t2, t3, t4, t5};
  return text_cycler(x, y, t, 5, offset, width, choice, redraw);
}

int in8textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               const char* t6, const char* t7, const char* t8, int offset, int width, int* choice, int redraw) {
  const char* t[] = {t1, t2, t3, t4, t5, t6, t7, t8};
  return text_cycler(x, y, t, 8, offset, width, choice, redraw);
}

// ---------------------------------------------------------------- the name list

enum { LIST_DX = 269, LIST_DY = 73, LIST_ROW = 10, LIST_TOP = 3, ID_X = 236 };

// The step a click at height my (from the list's top) asks for.
static int list_step(int dy) {
  if (dy >= -27 && dy < LIST_TOP) return -10;
  if (dy >= LIST_TOP && dy < LIST_DY) return (dy - LIST_TOP) / LIST_ROW - 3;
  if (dy >= LIST_DY && dy < LIST_DY + 30) return 10;
  return 0;
}

int plot_name_list(int x, int y, const char (*names)[APT_NAME_DIM], const char (*ids)[APT_ID_DIM], int* index,
                   int first, int last, int click) {
  int empty = last < first, old = *index;
  const mousehook& m = hok.mouse;
  if (click && !empty && m.x && m.y && *m.x >= x && *m.x < x + LIST_DX) {
    int step = list_step(*m.y - y);
    if (step) *index = ring(old + step, first, last);
  }

  int px, py, window = open_strip(x, y, LIST_DX, LIST_DY, &px, &py);
  MACIBM_framerect(12, px, py + LIST_TOP + 3 * LIST_ROW, LIST_DX - 1, LIST_ROW - 1);
  for (int row = 0; row < 7 && !empty; row++) {
    int d = row - 3, i = ring(*index + d, first, last);
    int color = d == 3 || d == -3 ? 14 : d == 2 || d == -2 ? 13 : 12;
    int ty = py + LIST_TOP + LIST_ROW * row + 2;
    char name[APT_NAME_DIM + 1] = {}, id[APT_ID_DIM + 1] = {};
    std::memcpy(name, names[i], APT_NAME_DIM);
    std::memcpy(id, ids[i], APT_ID_DIM);
    plot_cut(px + 3, ty, color, name, px + ID_X - 3);
    plot_cut(px + ID_X, ty, color, id, px + LIST_DX);
  }
  close_strip(window);
  return *index != old;
}
