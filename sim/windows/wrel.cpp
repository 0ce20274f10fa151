// The three reliability windows: the general failure chance, and the
// instruments and equipment each with a slider that draws every kind's mean
// time to fail and a selector and time per kind.
#include <cmath>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/failures.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"

float rel_mean_time(float rate) { return interp(0.25f, 50, 1.0f, 5, rate); }

void rel_redraw_kinds(float rate, int first, int last) {
  float r = rel_mean_time(rate);
  for (int k = intmax2(first, 0); k <= last && k < FAILURE_KINDS; k++) {
    rel.fail_time_max[k] = fltlim(fltrand(r, 2 * r), 0, 99);
    rel.fail_type[k] = rate >= 0.01f ? FAIL_MEAN_TIME : FAIL_NEVER;
  }
}

// ================================================================ the general chance

enum { TOTAL_X = 200, TOTAL_Y = 16 };

// What is broken now, one name after another.
static void failed_now(char* out, size_t size) {
  out[0] = 0;
  struct item {
    const int* flag;
    int kind;
  };
  const item items[] = {{&rel.vacuum, 0},  {&rel.ss_asi, 1},  {&rel.ss_ahz, 2},  {&rel.ss_alt, 3},
                        {&rel.ss_tsi, 4},  {&rel.ss_dgy, 5},  {&rel.ss_vvi, 6},  {&rel.efis_1, 7},
                        {&rel.efis_2, 8},  {&rel.fc_ail, 10}, {&rel.fc_elv, 11}, {&rel.fc_rud, 12},
                        {&rel.fc_flp, 13}, {&rel.fc_slt, 14}, {&rel.fc_thr, 15}, {&rel.lagear[0], 16},
                        {&rel.lagear[1], 17}, {&rel.lagear[2], 18}, {&rel.hydsys, 19}, {&rel.stbaug, 21},
                        {&rel.symflp, 22}, {&rel.sttrim, 23}, {&rel.antice, 25}, {&rel.clights, 27},
                        {&rel.otto, 28},   {&rel.trotor, 29}};
  auto add = [&](const char* name) {
    size_t n = std::strlen(out);
    std::snprintf(out + n, size - n, "%s%s", n ? ", " : "", name);
  };
  for (const item& it : items)
    if (!*it.flag) add(failure_kind_name(it.kind));
  for (int e = 0; e < ENGINES; e++) {
    char name[40];
    const int* per[4] = {rel.engine, rel.thrgov, rel.revlok, rel.oilpmp};
    static const int kinds[4] = {9, 20, 24, 26};
    for (int k = 0; k < 4; k++)
      if (!per[k][e]) {
        std::snprintf(name, sizeof name, "%s %d", failure_kind_name(kinds[k]), e + 1);
        add(name);
      }
  }
  if (!out[0]) std::snprintf(out, size, "nothing");
}

static void total_readout() {
  wk_erase(8, 60, 330, 280);
  float p = rel.total_fail_entry / 1000;
  p = p * p;  // two draws must both fall below it
  wk_text(16, 64, WK_LABEL, "Every second each working system has");
  wk_textf(16, 78, WK_LABEL, "a chance of %.2g to fail.", p);
  float per_hour = p * 3600 * 26;
  if (per_hour > 0) wk_textf(16, 100, WK_VALUE, "About one failure every %.1f hours.", 1 / per_hour);
  else wk_text(16, 100, WK_VALUE, "Nothing fails by chance.");
  wk_text(16, 128, WK_LABEL, "Kinds set to fail in the instrument and");
  wk_text(16, 142, WK_LABEL, "equipment windows fail as well.");
  wk_group(12, 176, 320, 160, "Failed now");
  char text[1024];
  failed_now(text, sizeof text);
  wk_wrapped(22, 190, 296, std::strcmp(text, "nothing") ? WK_ALARM : WK_VALUE, text, 10);
}

static int total_field(int redraw) {
  float v = wk_shown(rel.total_fail_entry, 1, 1);
  if (!instdbtn_range(WK_VALUE, TOTAL_X, TOTAL_Y, &v, 3, 1, redraw, 0, 99.9f) || redraw) return 0;
  rel.total_fail_entry = v;
  return 1;
}

void relplot() {
  if (!wk_begin(WIN_REL_REALISTIC)) return;
  wk_mouse_away();
  wk_clear();
  wk_text(16, 20, WK_TITLE, "general failure chance");
  wk_text(16, 34, WK_LABEL, "(per 1000 draws)");
  wk_spinner(TOTAL_X, TOTAL_Y, 3, 0);
  total_field(1);
  total_readout();
  wk_mouse_back();
}

void relclick() {
  if (!wk_begin(WIN_REL_REALISTIC)) return;
  if (!total_field(0)) return;
  mark_edited(WIN_REL_REALISTIC);
  total_readout();
}

// ================================================================ instruments and equipment

enum { SLIDER_TOP = 60, ROW_NAME = 62, ROW_CYCLER = 150, ROW_TIME = 296 };

struct kindblock {
  int x0;             // left edge of the block
  int first, last;    // kinds
  float* rate;
  int top, pitch;     // first row and row pitch
  int slider_h;
  int last_row;       // the pointer row of the last press on the slider
};

static kindblock ins_block = {0, KIND_INS_FIRST, KIND_INS_LAST, &rel.ins_fail_rat, 48, 46, 360, -1};
static kindblock eq_blocks[2] = {{0, KIND_EQ1_FIRST, KIND_EQ1_LAST, &rel.eq1_fail_rat, 48, 46, 400, -1},
                                 {341, KIND_EQ2_FIRST, KIND_EQ2_LAST, &rel.eq2_fail_rat, 48, 43, 400, -1}};

static int slider_x(const kindblock& b) { return b.x0 + 26; }

static void level_blocks(const kindblock& b) {
  int lit = bk::round(*b.rate * 4);
  for (int k = 0; k < 4; k++) block(b.x0 + 38, b.top + 14 + b.slider_h - (k + 1) * (b.slider_h / 4) + 4, k < lit);
}

static void kind_row(const kindblock& b, int k, int redraw, int* changed) {
  int y = b.top + b.pitch * (k - b.first);
  int x = b.x0;
  int type = intlim(rel.fail_type[k], 1, 3);
  if (in3textbtn(x + ROW_CYCLER - 86, y + 24, "always working", "mean time to fail>", "inoperative", 124, 122, &type,
                 redraw) &&
      !redraw) {
    rel.fail_type[k] = type;
    *changed = 1;
  }
  float t = std::round(fltlim(rel.fail_time_max[k], 0, 99));
  if (instdbtn_range(type == FAIL_MEAN_TIME ? WK_VALUE : WK_FRAME, x + ROW_TIME - 34, y, &t, 2, 0, redraw, 0, 99) &&
      !redraw) {
    rel.fail_time_max[k] = t;
    *changed = 1;
  }
}

static void kind_block_plot(const kindblock& b, const char* title) {
  wk_group(b.x0 + 6, 16, 330, b.top + b.pitch * (b.last - b.first + 1) - 16, title);
  wk_text(b.x0 + 12, b.top - 14, WK_LABEL, "rate");
  wk_text(b.x0 + 250, b.top - 14, WK_LABEL, "minutes");
  for (int k = b.first; k <= b.last; k++) {
    int y = b.top + b.pitch * (k - b.first);
    wk_text(b.x0 + ROW_NAME, y + 2, WK_TITLE, failure_kind_name(k));
    wk_cycler(b.x0 + ROW_CYCLER - 86, y + 24, 124);
    wk_spinner(b.x0 + ROW_TIME - 34, y, 2, 0);
  }
}

static void kind_block_values(kindblock& b) {
  wk_vslider(slider_x(b), b.top + 14, b.slider_h, b.rate, 0, 1, 0);
  level_blocks(b);
  int dummy = 0;
  for (int k = b.first; k <= b.last; k++) kind_row(b, k, 1, &dummy);
}

// A press on the slider moves the rate; once the pointer's row differs from
// the last press, every kind of the block is drawn anew for it.
static int kind_block_click(kindblock& b) {
  int changed = 0;
  if (wk_hit(slider_x(b) - 6, b.top + 10, 13, b.slider_h + 9)) {
    wk_vslider(slider_x(b), b.top + 14, b.slider_h, b.rate, 0, 1, 1);
    if (msc.my != b.last_row) {
      b.last_row = msc.my;
      rel_redraw_kinds(*b.rate, b.first, b.last);
    }
    changed = 1;
  } else {
    for (int k = b.first; k <= b.last; k++) kind_row(b, k, 0, &changed);
  }
  if (changed) {
    wk_mouse_away();
    kind_block_values(b);
    wk_mouse_back();
  }
  return changed;
}

void insplot() {
  if (!wk_begin(WIN_REL_INSTRUMENT)) return;
  wk_mouse_away();
  wk_clear();
  kind_block_plot(ins_block, "Instruments");
  kind_block_values(ins_block);
  wk_text(12, 465, WK_LABEL, "Closing this window repairs every failed instrument.");
  wk_mouse_back();
}

void insclick() {
  if (!wk_begin(WIN_REL_INSTRUMENT)) return;
  if (kind_block_click(ins_block)) mark_edited(WIN_REL_INSTRUMENT);
}

void eqpplot() {
  if (!wk_begin(WIN_REL_EQUIPMENT)) return;
  wk_mouse_away();
  wk_clear();
  kind_block_plot(eq_blocks[0], "Engines, controls and gear");
  kind_block_plot(eq_blocks[1], "Systems");
  for (kindblock& b : eq_blocks) kind_block_values(b);
  wk_text(12, 524, WK_LABEL, "Closing this window repairs all failed equipment.");
  wk_mouse_back();
}

void eqpclick() {
  if (!wk_begin(WIN_REL_EQUIPMENT)) return;
  for (kindblock& b : eq_blocks)
    if (kind_block_click(b)) mark_edited(WIN_REL_EQUIPMENT);
}

void rel_windows_closed(int index) {
  if (index == WIN_REL_INSTRUMENT) ins_block.last_row = -1;
  if (index == WIN_REL_EQUIPMENT) eq_blocks[0].last_row = eq_blocks[1].last_row = -1;
}
