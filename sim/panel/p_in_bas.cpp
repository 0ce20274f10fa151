// The whole panel: the faces of the aircraft's instruments, the airspeed
// and vertical-speed scales drawn from its own figures, and the lever boxes.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/msc.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"
#include "sim/set.h"

// ---------------------------------------------------------------- scales

int asi_dial_angle(float v) {
  if (!(v > 0)) v = 0;  // a negative speed would take a fractional power of a negative number
  float vmin = fltmax2(pln.Vmin, 0);
  float a = pln.ASpwr == 1 ? (v - vmin) * ins.indtoASI
                           : (std::pow(v, pln.ASpwr) - std::pow(vmin, pln.ASpwr)) * ins.indtoASI;
  if (!(a > 0)) return 0;
  if (a > 330) return 330;
  return flt_to_int(a);
}

static void asi_arc(int colour, int r1, int r2, float from, float to) {
  int a1 = asi_dial_angle(from), a2 = asi_dial_angle(to);
  if (a2 <= a1) return;
  MACIBM_arc(colour, ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], r1, r2, a1, a2);
}

void init_as() {
  int x = ins.x_loc[INS_ASI], y = ins.y_loc[INS_ASI];
  int vmin = flt_to_int(pln.Vmin), vmax = flt_to_int(pln.Vmax);
  if (pln.entype != 3 && !pln.is_heli) {
    asi_arc(33, 36, 38, pln.Vso, pln.Vfe);
    asi_arc(12, 38, 40, pln.Vs, pln.Vno);
    asi_arc(17, 38, 40, pln.Vno, pln.Vne);
  }
  if (pln.entype != 3) {
    int a = asi_dial_angle(pln.Vne);
    MACIBM_arc(18, x, y, 38, 44, a - 3, a + 3);
  }
  int span = vmax - vmin, tick, label;
  if (pln.AStype == 2) {
    tick = 5, label = 20;
  } else if (span < 150) {
    tick = 5, label = 10;
  } else if (span < 300) {
    tick = 5, label = 20;
  } else if (span < 500) {
    tick = 10, label = 40;
  } else if (span < 600) {
    tick = 15, label = 60;
  } else {
    tick = 25, label = 75;
  }
  for (int v = (vmin / tick) * tick; v <= vmax; v += tick) {
    if (pln.AStype == 2 && v > 200 && v % 10) continue;
    if (v < vmin) continue;
    init_tickmark(x, y, 38, 42, bk::round(asi_dial_angle((float)v)), 33);
  }
  for (int v = (vmin / 10 + 1) * 10; v <= vmax; v += 10) {
    int labelled = pln.AStype == 2 ? (v <= 200 ? v % 20 == 0 : v % 50 == 0) : v % label == 0;
    if (!labelled || v <= vmin) continue;
    int a = asi_dial_angle((float)v);
    char s[16];
    std::snprintf(s, sizeof s, "%d", v);
    int w = v < 100 ? 11 : 17;
    int lx = x + bk::round(27 * isin(a)) - w / 2 + (v < 100 ? 3 : 0) - 1;
    int ly = y - bk::round(27 * icos(a)) + 4;
    ptext(33, lx, ly, s);
  }
  ptext(31, x - 14, y + 19, pln.asi_units == 2 ? "KNOTS" : " MPH");
}

void init_vvi() {
  int x = ins.x_loc[INS_VVI], y = ins.y_loc[INS_VVI];
  int range = pln.VVItype == 1 ? 20 : 50;  // hundreds of ft/min each way
  float per = 160.0f / (range * 100);       // degrees per ft/min
  int small = pln.VVItype == 1 ? 100 : 200, big = pln.VVItype == 1 ? 500 : 1000;
  for (int f = -range * 100; f <= range * 100; f += small) {
    if (pln.VVItype == 1 && std::abs(f) >= 1000 && f % big) continue;
    int a = 270 + bk::round(f * per);
    init_tickmark(x, y, 38, f % big == 0 ? 43 : 40, a, 33);
  }
  for (int f = -range * 100; f <= range * 100; f += big) {
    int a = 270 + bk::round(f * per);
    char s[16];
    std::snprintf(s, sizeof s, "%d", std::abs(f) / 100);
    int w = 6 * (int)std::strlen(s) - 1;
    ptext(33, x + bk::round(31 * isin(a)) - w / 2, y - bk::round(31 * icos(a)) + 4, s);
  }
}

// ---------------------------------------------------------------- the whole panel

static int settings_window_open() {
  for (int w = 1; w < MNW_WINDOWS; w++)
    if (mnw.up[w]) return 1;
  return 0;
}

static void captions() {
  float mean = (set.joy_rat_ptch + set.joy_rat_hdng + set.joy_rat_roll) / 3;
  const char* controls = mean > 0.95f ? "controls: 100%" : mean > 0.85f ? "controls: 90%" : mean > 0.75f ? "controls: 80%"
                         : mean > 0.65f ? "controls: 70%" : mean > 0.55f ? "controls: 60%" : "controls: 50%";
  static const char* const modes[5] = {"mode: realistic", "mode: slightly easy", "mode: somewhat easy",
                                       "mode: quite easy", "mode: very easy"};
  ptext(13, 10, 14, controls);
  ptext(13, 130, 14, modes[intlim(bk::round(set.damp * 4), 0, 4)]);
}

static void faces() {
  int round_panel = pln.paneltype != 2;
  static const int face_of[8] = {0, BMP_ASI, BMP_AH, BMP_ALT, 0, BMP_TSI, BMP_DG, BMP_VVI};
  for (int i = 1; i <= 7; i++)
    if (round_panel && ins.avail[i] && face_of[i]) pbitmap(ins.x_loc[i] - 64, ins.y_loc[i] - 64, face_of[i]);
  if (ins.avail[INS_ADF]) pbitmap(ins.x_loc[INS_ADF] - 50, ins.y_loc[INS_ADF] - 64, BMP_ADF);
  if (ins.avail[INS_SUPP]) {
    static const int supp_face[8] = {BMP_SUPP_VOR, BMP_SUPP_VOR, BMP_SUPP_ROUND, BMP_SUPP_MAP, BMP_SUPP_RADALT,
                                     BMP_SUPP_VARIO, BMP_SUPP_RADAR, BMP_SUPP_ROUND};
    pbitmap(ins.x_loc[INS_SUPP] - 50, ins.y_loc[INS_SUPP] + 54, BMP_CLOCK);
    pbitmap(ins.x_loc[INS_SUPP] - 50, ins.y_loc[INS_SUPP] - 64, supp_face[intlim(pln.supptype, 0, 7)]);
  }
  if (pln.supptype != SUPP_VOR && pln.supptype != SUPP_RMI) pbitmap(ins.osrad + 490, 294, BMP_GPS);
  if (!round_panel && ins.avail[INS_EFIS]) pbitmap(ins.x_loc[INS_EFIS], ins.y_loc[INS_EFIS], BMP_EFIS);
}

// The two lever boxes under the engine gauges, each with a white frame.
static void lever_boxes() {
  int w = pln.is_heli ? 87 : 157;
  int boxes[2] = {442, 511};
  for (int b = 0; b < 2; b++) {
    if (b == 0 && pln.is_heli) continue;
    int x = ins.oseng + 643, y = boxes[b];
    pfill(11, x, y, w, 70);
    pline(33, x + 1, y + 1, x + w - 1, y + 1);
    pline(33, x + 1, y + 1, x + 1, y + 69);
    pline(33, x + w - 2, y + 1, x + w - 2, y + 69);
    if (b == 0) pline(33, x + 1, y + 68, x + w - 1, y + 68);
  }
  pbitmap(ins.ostrm + 782, 514, BMP_TRIM);
}

void panplot() {
  if (!msc.ready_to_update || set.view_is_fullscreen) return;
  if (!panel_pictures_read()) init_panel_pictures();
  if (!panel_begin()) return;
  ins.tickle_all = 1;
  pbitmap(0, PANEL_TOP, pln.is_heli ? BMP_PANEL_HELI : BMP_PANEL);
  pbitmap(ins.osrad + 489, 271, BMP_RADIOS);
  if (settings_window_open()) return;
  ptext(11, 165, 261, pln.tailnum);
  ptext(17, 166, 262, pln.tailnum);
  pbitmap(0, 0, BMP_STATUS);
  captions();
  faces();
  if (!pln.ecam) standard_engine_init();
  else {
    standard_engine_init();  // the scale factors; the page draws the gauges
    pbitmap(ins.oseng + 644, 288, BMP_ECAM);
  }
  if (pln.paneltype != 2) {
    if (ins.avail[INS_ASI]) init_as();
    if (ins.avail[INS_VVI]) init_vvi();
  }
  lever_boxes();
  static_capture();
  if (pln.ecam) init_ecam();
  if (pln.retractEQ) pbitmap(ins.osrad + 608, 520, set.gear_handle ? BMP_GEAR_DOWN : BMP_GEAR_UP);
  plottrim();
  if (!pln.is_heli) {
    if (pln.slatEQ) init_handle(BMP_SLAT);
    if (pln.sbrkEQ || pln.fbrkEQ) init_handle(BMP_SBRK);
    if (pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8]) {
      init_handle(BMP_SWEE);
      plotswee();
    }
    if (pln.vectEQ) {
      init_handle(BMP_VECT);
      plotvect();
    }
    init_handle(BMP_FLAP);
    plotflap();
  }
  if (pln.entype) {
    int engines = intlim(pln.numen, 1, ENGINES);
    for (int n = 0; n < (pln.collectEQ ? 1 : engines); n++) init_handle(lever_id(BMP_THRO, n));
    if ((pln.entype == 1 || pln.entype == 2) && pln.varpitchEQ && !pln.collectEQ)
      for (int n = 0; n < engines; n++) init_handle(lever_id(BMP_PROP, n));
    for (int n = 0; n < engines; n++) init_handle(lever_id(BMP_MIXT, n));
  }
  panclick(-1, -1);
}
