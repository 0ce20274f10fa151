// The graph's choices, its ring of samples and its window.
#include "sim/output/do_graph.h"
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_file.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"

void clear_graph() {
  grf.cntr = -1;
  grf.indexstart = 0;
  grf.graphstruct_full = 0;
  for (int s = 0; s < GRAPH_SAMPLES; s++) {
    grf.period[s] = 999.0f;
    for (int c = 0; c < GRAPH_CHANNELS; c++)
      grf.data1[s][c] = grf.data2[s][c] = grf.data3[s][c] = grf.data4[s][c] = OUT_NONE;
  }
}

void set_rlt_grf_choices() {
  int nr = 0, ng = 0;
  for (int s = 0; s < RLT_SLOTS; s++) set.rltsel[s] = -1;
  for (int c = 0; c < GRAPH_CHANNELS; c++) set.grfsel[c] = -1;
  int any_dsk = 0;
  for (int i = 0; i < DATA_ITEMS; i++) {
    if (set.Brlt[i] && nr < RLT_SLOTS) set.rltsel[nr++] = i;
    if (set.Bgrf[i] && ng < GRAPH_CHANNELS) set.grfsel[ng++] = i;
    any_dsk |= set.Bdsk[i] != 0;
  }
  clear_graph();
  set.dskout = any_dsk;
  set.rltout = nr > 0;
  set.grfout = ng > 0;
  flt.dist = 0;  // the distance item counts from here (flt is the flight model's record)
  restart_data_csv();
}

void init_graph_choices() { set_rlt_grf_choices(); }

void grfload() {
  grf.cntr += 1;
  if (grf.cntr >= GRAPH_SAMPLES) grf.cntr = 0;
  // Once the last slot is written the ring is full: the oldest follows the newest.
  if (grf.cntr == GRAPH_SAMPLES - 1) grf.graphstruct_full = 1;
  if (grf.graphstruct_full) grf.indexstart = (grf.cntr + 1) % GRAPH_SAMPLES;
  grf.period[grf.cntr] = msc.prd;
  for (int c = 0; c < GRAPH_CHANNELS; c++)
    if (set.grfsel[c] >= 0) out_dat(OUT_GRAPH, set.grfsel[c], c);
}

int graph_samples() { return grf.graphstruct_full ? GRAPH_SAMPLES : grf.cntr + 1; }
int graph_index(int k) { return grf.graphstruct_full ? (grf.indexstart + k) % GRAPH_SAMPLES : k; }

static float* column(int col, int s) {
  switch (col) {
    case 0: return grf.data1[s];
    case 1: return grf.data2[s];
    case 2: return grf.data3[s];
    default: return grf.data4[s];
  }
}

static int held(float v) { return std::fabs(v - OUT_NONE) > 0.01f; }

float getscale(int c) {
  float big = 0;
  int n = graph_samples();
  for (int k = 0; k < n; k++)
    for (int col = 0; col < OUT_COLUMNS; col++) {
      float v = column(col, graph_index(k))[c];
      if (held(v) && std::fabs(v) > big) big = std::fabs(v);
    }
  if (!(big > 0)) return 1;
  // The next of 1, 2, 5 times a power of ten.
  float p = std::pow(10.0f, std::floor(std::log10(big)));
  for (float m : {1.0f, 2.0f, 5.0f, 10.0f})
    if (m * p >= big * 0.9999f) return m * p;
  return 10 * p;
}

// ---- the window ----

enum { G_LFT = 80, G_RGT = 574, G_HALF = 40, BAR_TOP = 398, BAR_BOT = 410 };
static const float PX_PER_S = 10.0f;
static const int curve_colors[OUT_COLUMNS] = {17, 43, 36, 12};

static float total_time() {
  double t = 0;
  int n = graph_samples();
  for (int k = 1; k < n; k++) t += grf.period[graph_index(k)];
  return (float)t;
}

static float visible_span() { return (G_RGT - G_LFT) / PX_PER_S; }

static void draw_bar() {
  float total = total_time(), span = visible_span();
  MACIBM_fillrect(23, G_LFT, BAR_TOP, G_RGT - G_LFT, BAR_BOT - BAR_TOP);
  float a = total > span ? grf.lefttime / total : 0, b = total > span ? (grf.lefttime + span) / total : 1;
  int x0 = G_LFT + flt_to_int(a * (G_RGT - G_LFT)), x1 = G_LFT + flt_to_int(fltmin2(b, 1) * (G_RGT - G_LFT));
  MACIBM_fillrect(29, x0, BAR_TOP + 2, intmax2(x1 - x0, 2), BAR_BOT - BAR_TOP - 4);
}

static void draw_curves() {
  MACIBM_fillrect(11, G_LFT - 2, 20, G_RGT - G_LFT + 14, 375);
  int n = graph_samples();
  for (int c = 0; c < GRAPH_CHANNELS; c++) {
    if (set.grfsel[c] < 0) continue;
    int y0 = 65 + 90 * c;
    float scale = getscale(c), k = G_HALF / scale;
    MACIBM_framerect(25, G_LFT, y0 - G_HALF, G_RGT - G_LFT, 2 * G_HALF);
    for (int x = G_LFT; x < G_RGT; x += 4) MACIBM_hspoint(24, x, y0);
    char text[32];
    std::snprintf(text, sizeof text, "%g", scale);
    MACIBM_drstring(28, G_RGT + 2, y0 - G_HALF + 10, text, 4);
    std::snprintf(text, sizeof text, "%g", -scale);
    MACIBM_drstring(28, G_RGT + 2, y0 + G_HALF, text, 4);
    for (int col = 0; col < OUT_COLUMNS; col++) {
      double t = 0;
      int have = 0, px = 0, py = 0;
      for (int i = 0; i < n; i++) {
        int s = graph_index(i);
        if (i > 0) t += grf.period[s];
        float v = column(col, s)[c];
        float x = G_LFT + ((float)t - grf.lefttime) * PX_PER_S;
        if (!held(v) || x < G_LFT || x > G_RGT) {
          have = 0;
          continue;
        }
        int xi = flt_to_int(x), yi = intlim(y0 - flt_to_int(std::lround(v * k)), y0 - G_HALF, y0 + G_HALF);
        if (have) MACIBM_line(curve_colors[col], px, py, xi, yi);
        px = xi, py = yi, have = 1;
      }
    }
  }
  // Seconds from the oldest sample along the bottom.
  for (int s = ((grf.lefttime + 9) / 10) * 10; s <= grf.lefttime + flt_to_int(visible_span()); s += 10) {
    int x = G_LFT + flt_to_int((s - grf.lefttime) * PX_PER_S);
    MACIBM_line(25, x, 372, x, 376);
    char text[16];
    std::snprintf(text, sizeof text, "%d", s);
    MACIBM_drstring(28, x - 6, 392, text, 4);
  }
  draw_bar();
}

void grfplot() {
  MACIBM_fillrect(11, 0, 0, mnw.dx[WIN_GRAPH], mnw.dy[WIN_GRAPH]);
  MACIBM_drstring(31, G_LFT, 15, "seconds from the oldest sample; drag the bar below to scroll", 4);
  for (int c = 0; c < GRAPH_CHANNELS; c++)
    if (set.grfsel[c] >= 0) out_label(OUT_GRAPH, set.grfsel[c], 65 + 90 * c);
  draw_curves();
}

// A press on the bar puts the visible span's middle under the pointer.
static int scroll_to_mouse() {
  if (msc.my < BAR_TOP - 4 || msc.my > BAR_BOT + 4 || msc.mx < G_LFT - 10 || msc.mx > G_RGT + 10) return 0;
  float total = total_time(), span = visible_span();
  if (total <= span) return 0;
  float at = (msc.mx - G_LFT) / (float)(G_RGT - G_LFT) * total - span / 2;
  int left = flt_to_int(fltlim(at, 0, total - span));
  if (left == grf.lefttime) return 0;
  grf.lefttime = left;
  return 1;
}

void grfclick() {
  if (scroll_to_mouse()) draw_curves();
}

void grfdrag() {
  if (!msc.mousedown || mnw.dragging_index != WIN_GRAPH) return;
  MACIBM_startwind(WIN_GRAPH, 0);
  if (scroll_to_mouse()) draw_curves();
}
