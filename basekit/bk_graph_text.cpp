// Strings and the three-digit number painters over the panel glyphs.
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph_internal.h"
#include "basekit/platform/platform.h"

void subADD_se(int x, int y, int dig, int color, int back) {
  static void (*const cell[10])(int, int, int, int) = {ADD_s_0e, ADD_s_1e, ADD_s_2e, ADD_s_3e, ADD_s_4e,
                                                       ADD_s_5e, ADD_s_6e, ADD_s_7e, ADD_s_8e, ADD_s_9e};
  if (dig >= 0 && dig <= 9) cell[dig](x, y, color, back);
}

void subADD_be(int x, int y, int dig, int color, int back) {
  static void (*const cell[10])(int, int, int, int) = {ADD_b_0e, ADD_b_1e, ADD_b_2e, ADD_b_3e, ADD_b_4e,
                                                       ADD_b_5e, ADD_b_6e, ADD_b_7e, ADD_b_8e, ADD_b_9e};
  if (dig >= 0 && dig <= 9) cell[dig](x, y, color, back);
}

void subADD_sne(int x, int y, int dig, int color) {
  static void (*const cell[10])(int, int, int) = {ADD_s_0ne, ADD_s_1ne, ADD_s_2ne, ADD_s_3ne, ADD_s_4ne,
                                                  ADD_s_5ne, ADD_s_6ne, ADD_s_7ne, ADD_s_8ne, ADD_s_9ne};
  if (dig >= 0 && dig <= 9) cell[dig](x, y, color);
}

void subADD_bne(int x, int y, int dig, int color) {
  static void (*const cell[10])(int, int, int) = {ADD_b_0ne, ADD_b_1ne, ADD_b_2ne, ADD_b_3ne, ADD_b_4ne,
                                                  ADD_b_5ne, ADD_b_6ne, ADD_b_7ne, ADD_b_8ne, ADD_b_9ne};
  if (dig >= 0 && dig <= 9) cell[dig](x, y, color);
}

// Hundreds, tens and units 6 pixels apart; with no surface locked, through
// surface 3 of 16 x h: filled with back and copied whole for the two-colour
// forms, filled with 11 and colour-keyed for the one-colour ones.
static void three_digits(int x, int y, int value, int color, int back, int big, int two_colour) {
  if (value < 0) value = 0;
  if (value > 999) value = 999;
  const int d[3] = {value / 100, value / 10 % 10, value % 10};
  int window = !locked;
  if (window) MACIBM_startsurf3(x, y, 16, big ? 7 : 5, two_colour ? back : 11, &x, &y, two_colour);
  for (int i = 0; i < 3; i++) {
    int cx = x + 6 * i;
    if (two_colour && big)
      subADD_be(cx, y, d[i], color, back);
    else if (two_colour)
      subADD_se(cx, y, d[i], color, back);
    else if (big)
      subADD_bne(cx, y, d[i], color);
    else
      subADD_sne(cx, y, d[i], color);
  }
  if (window) MACIBM_finishsurf3();
}

void ADD_se(int x, int y, int value, int color, int back) { three_digits(x, y, value, color, back, 0, 1); }
void ADD_be(int x, int y, int value, int color, int back) { three_digits(x, y, value, color, back, 1, 1); }
void ADD_sne(int x, int y, int value, int color) { three_digits(x, y, value, color, 11, 0, 0); }
void ADD_bne(int x, int y, int value, int color) { three_digits(x, y, value, color, 11, 1, 0); }

static int text_font = PLAT_FONT_SYSTEM;

void MACIBM_drstring(int color, int x, int y, const char* C_string, int type_string) {
  // The font choice holds for later strings even when this one is empty.
  if (type_string == 4) text_font = PLAT_FONT_SYSTEM;
  if (type_string == 6) text_font = PLAT_FONT_PROPORTIONAL;
  if (!C_string) return;
  int n = (int)strnlen(C_string, STR_DIM);
  if (n == 0) return;
  if (type_string == 5) {
    // The panel font, top-left at (x, y - 7).
    if (locked) {
      HS_plot_string(x, y - 7, color, C_string, x + 6 * n, 0);
      return;
    }
    int px = x, py = y - 7;
    MACIBM_startsurf3(x, y - 7, 6 * n, 7, 11, &px, &py, 0);
    HS_plot_string(px, py, color, C_string, px + 6 * n, 0);
    MACIBM_finishsurf3();
    return;
  }
  rastertarget t;
  if (locked || !window_target(&t)) return;
  plat_draw_text(t.pix, t.row, t.dx, t.dy, text_font, x, y - 13, C_string, (uint8_t)color);
}
