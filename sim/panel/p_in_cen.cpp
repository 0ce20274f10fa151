// The pre-rendered drum and card columns, and the engine page's frame.
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"
#include "sim/set.h"

enum { TAPE_BACK = 23, TAPE_INK = 33 };

// Stamps a character of the 5 x 7 font into a column table at (col, row).
template <int ROWS>
static void stamp(uint8_t (*cols)[ROWS], int ncols, int col, int row, char c) {
  const uint8_t* g = font_glyph(c);
  if (!g) return;
  for (int r = 0; r < 7; r++)
    for (int k = 0; k < 5; k++)
      if (g[r] & (0x10 >> k)) {
        int cc = ((col + k) % ncols + ncols) % ncols;
        if (row + r >= 0 && row + r < ROWS) cols[cc][row + r] = TAPE_INK;
      }
}

// A card: a tick every 10 columns (long on the labelled ones), labels every 30.
static void build_card(uint8_t (*cols)[12], int reciprocal) {
  std::memset(cols, TAPE_BACK, 360 * 12);
  for (int c = 0; c < 360; c += 10) {
    int labelled = c % 30 == 0;
    for (int r = labelled ? 8 : 10; r < 12; r++) cols[c][r] = TAPE_INK;
    if (!labelled) continue;
    int course = reciprocal ? (c + 180) % 360 : c;
    char s[4];
    std::snprintf(s, sizeof s, "%d", course / 10);
    int w = 6 * (int)std::strlen(s) - 1;
    for (int k = 0; s[k]; k++) stamp<12>(cols, 360, c - w / 2 + 6 * k, 0, s[k]);
  }
}

void init_tape_colors() {
  // Rolling digits: 0..9 stacked, 9 rows each (a blank row above and below).
  std::memset(ins.v_tape_col, TAPE_BACK, sizeof ins.v_tape_col);
  for (int d = 0; d < 10; d++) {
    const uint8_t* g = font_glyph((char)('0' + d));
    for (int r = 0; r < 7; r++)
      for (int k = 0; k < 5; k++)
        if (g && (g[r] & (0x10 >> k))) ins.v_tape_col[k][d * 9 + 1 + r] = TAPE_INK;
  }
  // Airspeed drum: 2 columns a knot over 100 knots, a tick every 5, labels every 10.
  std::memset(ins.h_tape_col0, TAPE_BACK, sizeof ins.h_tape_col0);
  for (int kt = 0; kt < 100; kt += 5) {
    int c = kt * 2, labelled = kt % 10 == 0;
    for (int r = labelled ? 8 : 10; r < 12; r++) ins.h_tape_col0[c][r] = TAPE_INK;
    if (!labelled) continue;
    char s[4];
    std::snprintf(s, sizeof s, "%02d", kt);
    stamp<12>(ins.h_tape_col0, 200, c - 5, 0, s[0]);
    stamp<12>(ins.h_tape_col0, 200, c + 1, 0, s[1]);
  }
  build_card(ins.h_tape_col1, 0);
  build_card(ins.h_tape_col2, 1);
}

void v_tape_4(int x, int y, int digit, int sub_row) {
  int top = ((intlim(digit, 0, 9) * 9 + sub_row) % 90 + 90) % 90;
  for (int r = 0; r < 9; r++)
    for (int k = 0; k < 5; k++) ppoint(ins.v_tape_col[k][(top + r) % 90], x + k, y + r);
}

void h_tape_window(const uint8_t (*cols)[12], int ncols, int first_col, int x, int y, int w) {
  for (int k = 0; k < w; k++) {
    int c = ((first_col + k) % ncols + ncols) % ncols;
    for (int r = 0; r < 12; r++) ppoint(cols[c][r], x + k, y + r);
  }
}

// ---------------------------------------------------------------- engine page

static const char* const ecam_titles[5] = {"ENG", "FUEL", "F/CTL", "HYD", "STS"};

void init_ecam() {
  int x0 = ins.oseng + 645;
  for (int k = 0; k < 5; k++) {
    int x = x0 + 30 * k;
    pfill(24, x, 421, 29, 19);
    pfill(27, x, 421, 29, 1);
    pfill(22, x, 439, 29, 1);
    EFIS_light(x + 3, 424, set.ecam_page == 4 + k);
    ptext(31, x + 15 - 3 * (int)std::strlen(ecam_titles[k]), 437, ecam_titles[k]);
  }
  ins.tickle_ecam = 1;
}
