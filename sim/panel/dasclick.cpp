// Clicks on the panel: switches, autopilot, instrument knobs, displays,
// radios, GPS, trims, brake and gear; and the power quadrant's levers.
// Each zone acts on a press inside it and paints itself; the null press
// (-1, -1) paints every zone as it stands.
#include "sim/panel/dasclick.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel_internal.h"
#include "sim/set.h"
#include "sim/shell/menus.h"
#include "sim/sound/do_sound.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

// ---------------------------------------------------------------- steppers

static void step_wrapped(int* v, int step, int lo, int hi) {
  *v += step;
  if (*v > hi) *v = lo;
  if (*v < lo) *v = hi;
  ins.tickle_rad = 1;
}
void NAVinc(int* mhz, int step) { step_wrapped(mhz, step, 108, 117); }
void COMinc(int* mhz, int step) { step_wrapped(mhz, step, 118, 134); }
void HUNinc(int* hundredths, int step) { step_wrapped(hundredths, step, 0, 95); }
void ADFinc(int* digit, int step) { step_wrapped(digit, step, 0, 9); }
void XPNinc(int* digit, int step) { step_wrapped(digit, step, 0, 7); }
void VOLinc(float* volume, float step) {
  *volume = fltlim(bk::round((*volume + step) * 10) / 10.0f, 0, 1);
  ins.tickle_rad = 1;
}

// ---------------------------------------------------------------- zones

static int full;          // painting every zone (the null press)
static int px, py;        // the press

static int in_zone(int x1, int x2, int y1, int y2) { return !full && px >= x1 && px <= x2 && py >= y1 && py <= y2; }
static int upper(int ymid) { return py < ymid; }
static int left(int x1, int x2) { return px < (x1 + x2) / 2; }
static int fast() { return msc.dragtime > 2.0f; }  // a knob held over two seconds turns faster

// ---------------------------------------------------------------- levers

struct lever {
  int base, x, w, h, top, bottom, slot;
  int* row;
};

static int lever_of(int id, lever* lv) {
  int base = id % 1000, n = id / 1000 ? id / 1000 - 1 : 0;
  if (n < 0 || n >= ENGINES) return 0;
  int o = ins.oseng;
  switch (base) {
    case BMP_FLAP: *lv = {base, o + 650, 29, 8, 446, 500, 13, &ins.flap}; return 1;
    case BMP_SLAT: *lv = {base, o + 688, 19, 5, 463, 483, 8, &ins.slat}; return 1;
    case BMP_SBRK: *lv = {base, o + 726, 19, 5, 453, 483, 8, &ins.sbrk}; return 1;
    case BMP_SWEE: *lv = {base, o + 766, 25, 9, 460, 499, 11, &ins.swee}; return 1;
    case BMP_VECT: *lv = {base, o + 769, 23, 9, 446, 499, 10, &ins.vect}; return 1;
    case BMP_THRO: *lv = {base, ins.osthr + pln.thro_x[n], 14, 14, 515, 563, 5, &ins.thro[n]}; return 1;
    case BMP_PROP: *lv = {base, o + pln.prop_x[n], 10, 27, 515, 550, 3, &ins.prop[n]}; return 1;
    case BMP_MIXT: *lv = {base, ins.osmix + pln.mixt_x[n], 10, 27, 515, 550, 3, &ins.mixt[n]}; return 1;
    default: return 0;
  }
}

static void draw_lever(const lever& lv, int old_row) {
  if (!panel_can_paint()) return;
  if (old_row >= lv.top && old_row <= lv.bottom) pfill(11, lv.x, old_row, lv.w, lv.h);
  int sx = lv.x + lv.slot;
  pfill(25, sx, lv.top, 1, lv.bottom - lv.top + lv.h);
  pfill(29, sx + 2, lv.top, 1, lv.bottom - lv.top + lv.h);
  pbitmap(lv.x, *lv.row, lv.base);
}

// Draws the knob at row y (kept within its travel) when it moved, or on a
// full redraw; returns 1 at the top of the travel, 0 at the bottom.
static float handle(int id, int y) {
  lever lv;
  if (!lever_of(id, &lv)) return 0;
  y = intlim(y, lv.top, lv.bottom);
  if (y != *lv.row || ins.tickle_all) {
    int old = *lv.row;
    *lv.row = y;
    draw_lever(lv, old);
  }
  return fltlim((float)(lv.bottom - y) / (lv.bottom - lv.top), 0, 1);
}

static int row_of_fraction(int id, float f) {
  lever lv;
  if (!lever_of(id, &lv)) return 0;
  return lv.bottom - bk::round(fltlim(f, 0, 1) * (lv.bottom - lv.top));
}

// The knob's row as the flight state stands, then the knob drawn there.
void init_handle(int id) {
  int base = id % 1000, n = id / 1000 ? id / 1000 - 1 : 0;
  lever lv;
  if (!lever_of(id, &lv)) return;
  int row = *lv.row;
  switch (base) {
    case BMP_FLAP: row = bk::round(446 + flt.flaprequest / 50.0f * 54); break;
    case BMP_SLAT: row = row_of_fraction(id, 1 - flt.slatrequest); break;
    case BMP_SBRK: row = flt.sbrk < -0.5f ? 453 : flt.sbrk < 0.5f ? 463 : flt.sbrk < 1.5f ? 473 : 483; break;
    case BMP_SWEE: row = row_of_fraction(id, 1 - flt.sweerequest); break;
    case BMP_VECT: row = row_of_fraction(id, 1 - fltlim(flt.vectrequest, 0, 120) / 120); break;
    case BMP_THRO: {
      float t = flt.throrequest[n], f = t;
      if (pln.collectEQ) {
        float span = pln.maxpitch[0] - pln.minpitch[0];
        f = span != 0 ? 1 - (flt.proppitch[0] - pln.minpitch[0]) / span : 1;
      } else if (pln.revthrustEQ) {
        f = flt.revving_thrust[n] ? 0.24f - t * 0.24f : 0.24f + t * 0.76f;
      } else if (pln.burnerinc > 1) {
        f = flt.after_burning[n] ? 1 : t * 0.95f;
      }
      row = row_of_fraction(id, f);
      break;
    }
    case BMP_PROP: {
      float span = pln.omegamax - pln.omegamingreen;
      row = row_of_fraction(id, span > 0 ? (flt.prop[n] - pln.omegamingreen) / span : 1);
      break;
    }
    case BMP_MIXT: row = row_of_fraction(id, flt.mixt[n]); break;
    default: break;
  }
  int old = *lv.row;
  *lv.row = intlim(row, lv.top, lv.bottom);
  draw_lever(lv, old);
}

// Flap position beside the lever: a white mark at the flaps' own setting.
void plotflap() {
  if (!panel_can_paint() || pln.is_heli) return;
  static int drawn = -1;
  int r = bk::round(446 + flt.flap / 50.0f * 54);
  if (r == drawn && !ins.tickle_all) return;
  int x = ins.oseng + 649;
  if (drawn >= 0) pfill(11, x, drawn - 1, 1, 10);
  pfill(11, x, r - 1, 1, 10);
  pfill(33, x, r + 1, 1, 6);
  drawn = r;
}

void plotswee() {
  if (!panel_can_paint()) return;
  pfill(11, ins.oseng + 794, 460, 2, 49);
  pfill(33, ins.oseng + 794, 460 + bk::round((1 - flt.swee) * 39), 2, 4);
}

void plotvect() {
  if (!panel_can_paint()) return;
  pfill(11, ins.oseng + 794, 446, 2, 62);
  pfill(33, ins.oseng + 794, 446 + bk::round(fltlim(pln.vertcant[0], 0, 120) / 120 * 53), 2, 4);
}

// Pitch trim: the mark between row 524 (nose down) and 564, moved when its row changes.
void plottrim() {
  static int drawn = -1;
  if (!panel_can_paint()) return;
  float m = std::fabs(pln.hstbtrimmax);
  int r = m > 0 ? bk::round(interp(-m, 524, m, 564, fltlim(flt.trim, -m, m))) : 544;
  if (r == drawn && !ins.tickle_all) return;
  int x = ins.ostrm + 787;
  if (drawn >= 0) pfill(ERASE, x, drawn, 5, 4);
  pbitmap(x, r, BMP_TRIM_MARK);
  drawn = r;
}

void plotbrakes() {
  if (!panel_can_paint()) return;
  int on = set.parkbrake > 0.01f;
  int x = ins.osrad + 496, y = 561;
  pfill(on ? 17 : 11, x, y, 66, 13);
  ptext(on ? 19 : 27, x + 15, y + 10, "brakes");
}

void update_a_gearlight(int gear) {
  if (!panel_can_paint() || !pln.retractEQ) return;
  static const int gx[3] = {622, 616, 628}, gy[3] = {558, 568, 568};
  int handle_down = set.gear_handle != 0, down = set.gear_stat[gear] != 0;
  int colour = handle_down && down ? 12 : (handle_down != down ? 18 : 11);
  pfill(colour, ins.osrad + gx[gear], gy[gear], 4, 4);
}

static void plot_trim_mark(int y, float trim) {
  pfill(ERASE, ins.osrad + 569, y, 36, 3);
  int x = ins.osrad + 586 + flt_to_int(fltlim(trim, -1, 1) * 14);
  pfill(17, x - 3, y, 6, 3);
}

void plot_trim_marks() {
  if (!panel_can_paint()) return;
  plot_trim_mark(525, flt.ail_trim);
  plot_trim_mark(554, flt.rud_trim);
}

// ---------------------------------------------------------------- switch row

static void switch_zone(int x1, int present, int on, const char* label) {
  if (!panel_can_paint()) return;
  // An absent switch leaves the panel as it is: on a helicopter the row
  // shares its place with the autopilot's values.
  if (!present) {
    pfill(ERASE, x1, 250, 41, 21);
    return;
  }
  pfill(22, x1, 250, 41, 21);
  pbitmap(x1, 250, on ? BMP_SWITCH_ON : BMP_SWITCH_OFF);
  ptext(on ? 33 : 29, x1 + 16, 264, label);
}

static void switch_row() {
  int hud = pln.HUDtype != 1, hoop = pln.HUDtype == 3, plane = !pln.is_heli;
  if (in_zone(26, 66, 250, 270) && hud) ins.HUD_on = !ins.HUD_on;
  if (full || in_zone(26, 66, 250, 270)) switch_zone(26, hud, ins.HUD_on, "HUD");
  if (in_zone(72, 112, 250, 270) && hoop) ins.HOOP_on = !ins.HOOP_on;
  if (full || in_zone(72, 112, 250, 270)) switch_zone(72, hoop, ins.HOOP_on, "HOOP");
  if (in_zone(118, 133, 250, 270) && hud) {
    set.hud_bright = set.hud_bright > 0.5f ? 0 : 1;
    set.hud_color = set.hud_bright > 0.5f ? 57 : 58;
  }
  if ((full || in_zone(118, 133, 250, 270)) && panel_can_paint()) {
    if (hud) pbitmap(118, 250, set.hud_color == 58 ? BMP_HUD_DIM : BMP_HUD_BRIGHT);
    else pfill(ERASE, 118, 250, 16, 21);
  }
  int o = ins.ospau;
  if (in_zone(o + 498, o + 538, 250, 270) && plane && pln.chuteEQ) ins.chute_on = !ins.chute_on;
  if (full || in_zone(o + 498, o + 538, 250, 270)) switch_zone(o + 498, plane && pln.chuteEQ, ins.chute_on, "CHUT");
  if (in_zone(o + 544, o + 584, 250, 270) && plane && pln.arrestingEQ) ins.hook_down = !ins.hook_down;
  if (full || in_zone(o + 544, o + 584, 250, 270))
    switch_zone(o + 544, plane && pln.arrestingEQ, ins.hook_down, "HOOK");
  if (in_zone(o + 590, o + 630, 250, 270) && pln.antiiceEQ) ins.antiice_on = !ins.antiice_on;
  if (full || in_zone(o + 590, o + 630, 250, 270)) switch_zone(o + 590, pln.antiiceEQ, ins.antiice_on, "ICE");
  // Jettison and rockets are written here because the press is their only cause.
  if (in_zone(o + 636, o + 676, 250, 270) && pln.jettisonEQ) flt.m_jettison = 0;
  if (full || in_zone(o + 636, o + 676, 250, 270)) switch_zone(o + 636, pln.jettisonEQ, flt.m_jettison <= 1, "JETT");
  if (in_zone(o + 682, o + 722, 250, 270) && pln.jatoEQ) {
    ins.jato_on = 1;
    flt.jatoleft -= 0.1f;
  }
  if (full || in_zone(o + 682, o + 722, 250, 270))
    switch_zone(o + 682, pln.jatoEQ, ins.jato_on, "JATO");
  if (in_zone(o + 730, o + 800, 250, 270)) {
    msc.paused = !msc.paused;
    if (msc.paused) stop_engine_and_windrain();
    else play_engine_and_windrain();
  }
  if ((full || in_zone(o + 730, o + 800, 250, 270)) && panel_can_paint()) {
    pfill(22, o + 730, 250, intmin2(70, PANEL_W - (o + 730)), 21);
    pbitmap(o + 730, 250, msc.paused ? BMP_SWITCH_ON : BMP_SWITCH_OFF);
    ptext(msc.paused ? 17 : 29, o + 746, 264, msc.paused ? "paused" : "pause");
  }
}

// ---------------------------------------------------------------- autopilot

static const int ap_x[7] = {493, 513, 533, 556, 576, 596, 616};

static int* ap_flag(int k) {
  int* flags[7] = {&ott.HDSLCT, &ott.NAV[0], &ott.NAV[1], &ott.ALHOLD, &ott.VVHOLD, &ott.GS2, &ott.ASHOLD};
  return flags[k];
}

static void otto_button(int k) {
  if (!panel_can_paint()) return;
  int x = ins.osrad + ap_x[k];
  pbitmap(x, 481, *ap_flag(k) ? BMP_AP_ON : BMP_AP_OFF);
  EFIS_light(x + 4, 484, *ap_flag(k));
}

void plot_ap_buttons() {
  for (int k = 0; k < 7; k++) otto_button(k);
}

void plot_ap_values() {
  if (!panel_can_paint()) return;
  intnum_erase(272, 256, flt_to_int(fltlim(ott.al_hold, 0, 90000)), 5, 12, 4, 1);
  int vs = flt_to_int(fltlim(ott.vv_hold, -9000, 9000));
  pfill(11, 353, 255, 6, 11);
  if (vs < 0) pline(12, 354, 260, 358, 260);
  intnum_erase(361, 256, std::abs(vs), 4, 12, 4, 1);
  intnum_erase(446, 256, flt_to_int(fltlim(ott.as_hold, 0, 900)), 4, 12, 4, 1);
}

static float stepped(float v, float step, float lo, float hi) {
  return fltlim(fltnear(v + step, std::fabs(step), 1), lo, hi);
}

static void autopilot() {
  if (in_zone(305, 325, 255, 275)) ott.al_hold = stepped(ott.al_hold, upper(265) ? 100 : -100, 0, 90000);
  if (in_zone(390, 410, 255, 275)) ott.vv_hold = stepped(ott.vv_hold, upper(265) ? 100 : -100, -9000, 9000);
  if (in_zone(475, 495, 255, 275) && !pln.is_heli) ott.as_hold = stepped(ott.as_hold, upper(265) ? 5 : -5, 0, 900);
  if (full || in_zone(305, 495, 255, 275)) plot_ap_values();
  for (int k = 0; k < 7; k++) {
    int x = ins.osrad + ap_x[k];
    if (in_zone(x, x + 19, 481, 512)) {
      int* f = ap_flag(k);
      *f = !*f;
      if (k < 3 || (k >= 3 && k < 6)) {
        int g = k < 3 ? 0 : 3;
        for (int j = g; j < g + 3; j++)
          if (j != k) *ap_flag(j) = 0;
      }
      if (k == 4 && *f) ott.vv_hold = fltnear(flt.vu * con.msctofpm, 100, 1);
      for (int j = 0; j < 7; j++) otto_button(j);
      plot_ap_values();
    } else if (full) {
      otto_button(k);
    }
  }
}

// ---------------------------------------------------------------- instrument knobs

static void knobs() {
  int x, y;
  if (ins.avail[INS_AH] && pln.paneltype != 2) {
    x = ins.x_loc[INS_AH], y = ins.y_loc[INS_AH];
    if (in_zone(x + 35, x + 70, y + 45, y + 65))
      set.ah_bar_adjust = intlim(set.ah_bar_adjust + (upper(y + 55) ? -1 : 1), -10, 10);
  }
  if (ins.avail[INS_HSI]) {
    x = ins.x_loc[INS_HSI], y = ins.y_loc[INS_HSI] + (pln.paneltype == 2 ? 27 : 0);
    int step = fast() ? 3 : 1;
    if (in_zone(x - 55, x - 20, y + 40, y + 60))
      nav.obs[1] = fltwrap(nav.obs[1] + (left(x - 55, x - 20) ? -step : step), 0, 360);
    if (in_zone(x + 30, x + 65, y + 40, y + 60))
      nav.hdsel = intwrap(nav.hdsel + (left(x + 30, x + 65) ? -step : step), 0, 359);
  }
  if (ins.avail[INS_BARO_KNOB]) {
    x = ins.x_loc[INS_BARO_KNOB], y = ins.y_loc[INS_BARO_KNOB];
    float step = pln.paneltype == 2 ? 0.01f : 0.003f;
    if (in_zone(x - 15, x + 15, y - 15, y + 15)) ins.baro = fltlim(ins.baro + (upper(y) ? step : -step), 28, 32);
  }
  if (ins.avail[INS_SUPP]) {
    x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
    int step = fast() ? 3 : 1;
    if (pln.supptype == SUPP_VOR && in_zone(x - 45, x - 10, y + 16, y + 36))
      nav.obs[0] = fltwrap(nav.obs[0] + (left(x - 45, x - 10) ? step : -step), 0, 360);
    if (pln.supptype == SUPP_RADALT && in_zone(x - 50, x - 20, y + 16, y + 36)) {
      float s = ins.radalt_ft < 600 ? 10 : 100;
      ins.radalt_ft = fltlim(ins.radalt_ft + (left(x - 50, x - 20) ? -s : s), 0, 2500);
    }
    if (in_zone(x - 40, x - 15, y + 58, y + 78)) {
      msc.timer_running = !msc.timer_running;
      if (msc.timer_running) msc.timr_time += 1;
    }
    if (in_zone(x - 15, x + 10, y + 58, y + 78)) msc.timr_time = 0;
  }
  if (ins.avail[INS_ADF]) {
    x = ins.x_loc[INS_ADF], y = ins.y_loc[INS_ADF];
    int step = fast() ? 3 : 1;
    if (in_zone(x - 52, x - 18, y + 25, y + 45))
      ins.adf_card = fltwrap(ins.adf_card + (left(x - 52, x - 18) ? step : -step), 0, 360);
  }
}

// ---------------------------------------------------------------- displays

static const char* const map_buttons[6] = {"RNG+", "RNG-", "FWD", "HDG", "WX", "TFC"};

static void displays() {
  int x, y;
  if (pln.paneltype == 2 && ins.avail[INS_EFIS]) {
    x = ins.x_loc[INS_EFIS] + 200, y = ins.y_loc[INS_EFIS] + 255;
    for (int k = 0; k < 6; k++) {
      if (in_zone(x + 30 * k, x + 30 * k + 29, y, y + 20)) {
        switch (k) {
          case 0: set.map_range = fltlim(set.map_range * 2, 7.5f, 30); break;
          case 1: set.map_range = fltlim(set.map_range / 2, 7.5f, 30); break;
          case 2: set.map_mode = 1; break;
          case 3: set.map_mode = 2; break;
          case 4: ins.efis_wxr = !ins.efis_wxr; break;
          default: ins.efis_tcas = !ins.efis_tcas; break;
        }
        ins.tickle_map = 1;
      }
    }
    if (full || in_zone(x, x + 180, y, y + 20)) {
      int lit[6] = {0, 0, set.map_mode == 1, set.map_mode == 2, ins.efis_wxr, ins.efis_tcas};
      for (int k = 0; k < 6; k++)
        if (panel_can_paint()) EFIS_light(x + 30 * k + 4, y + 3, lit[k]);
    }
  }
  if (ins.avail[INS_SUPP] && pln.supptype == SUPP_MAP) {
    x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
    for (int k = 0; k < 5; k++) {
      int y1 = y - 51 + 15 * k;
      if (in_zone(x + 30, x + 45, y1, y1 + 14)) {
        if (k < 3) set.arg_mode = k;
        else if (k == 3) set.arg_range = fltlim(set.arg_range * 0.5f, 7.5f, 30);
        else set.arg_range = fltlim(set.arg_range * 2, 7.5f, 30);
        ins.tickle_arg = 1;
      }
    }
    if ((full || in_zone(x + 30, x + 45, y - 51, y + 24)) && panel_can_paint())
      for (int k = 0; k < 3; k++) pbitmap(x + 30, y - 51 + 15 * k, BMP_MAP_MODE0 + 2 * k + (set.arg_mode == k));
  }
  if (ins.avail[INS_SUPP] && pln.supptype == SUPP_RADAR) {
    x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
    if (in_zone(x - 47, x - 16, y + 32, y + 53)) set.radar_range = fltlim(set.radar_range * 2, 7.5f, 30);
    if (in_zone(x - 15, x + 15, y + 32, y + 53)) set.radar_range = fltlim(set.radar_range * 0.5f, 7.5f, 30);
    if (in_zone(x + 16, x + 47, y + 32, y + 53)) {
      set.radar_on = !set.radar_on;
      if (!set.radar_on && panel_can_paint()) pfill(11, x - 42, y - 58, 84, 88);
    }
    if (in_zone(x - 47, x + 47, y + 32, y + 53)) ins.tickle_str = 1;
  }
  if (pln.ecam) {
    int x0 = ins.oseng + 645;
    for (int k = 0; k < 5; k++)
      if (in_zone(x0 + 30 * k, x0 + 30 * k + 29, 420, 440) && set.ecam_page != 4 + k) {
        set.ecam_page = 4 + k;
        if (panel_can_paint()) init_ecam();
      }
  }
}

// ---------------------------------------------------------------- radios

static void radio_unit_row(int k, int y1, int split) {
  int o = ins.osrad, up = upper(split);
  int present = k == 1 || pln.supptype == SUPP_VOR || pln.supptype == SUPP_RMI;
  if (!present) return;
  if (in_zone(o + 493, o + 517, y1, y1 + 24)) VOLinc(&nav.vol[k], up ? 0.1f : -0.1f);
  if (in_zone(o + 522, o + 545, y1, y1 + 24)) COMinc(&nav.cf[k], up ? 1 : -1);
  if (in_zone(o + 546, o + 570, y1, y1 + 24)) HUNinc(&nav.cf100[k], up ? 5 : -5);
  if (in_zone(o + 590, o + 613, y1, y1 + 24)) NAVinc(&nav.nf[k], up ? 1 : -1);
  if (in_zone(o + 614, o + 638, y1, y1 + 24)) HUNinc(&nav.nf100[k], up ? 5 : -5);
}

static void radios() {
  int o = ins.osrad;
  static const int audio_unit[5] = {4, 0, 1, 2, 3};
  for (int k = 0; k < 5; k++)
    if (in_zone(o + 540 + 20 * k, o + 559 + 20 * k, 275, 290)) {
      nav.radio_output = audio_unit[k];
      ins.tickle_rad = 1;
    }
  if ((pln.supptype == SUPP_VOR || pln.supptype == SUPP_RMI) && in_zone(o + 600, o + 640, 295, 315)) {
    nav.dmesel = left(o + 600, o + 640) ? 0 : 1;
    ins.tickle_rad = 1;
  }
  radio_unit_row(0, 348, 359);
  radio_unit_row(1, 397, 408);
  if (ins.avail[INS_ADF]) {
    int x = ins.x_loc[INS_ADF], y = ins.y_loc[INS_ADF];
    int* digits[3] = {&nav.adf1, &nav.adf2, &nav.adf3};
    for (int k = 0; k < 3; k++)
      if (in_zone(x - 25 + 20 * k, x - 6 + 20 * k, y + 58, y + 82)) ADFinc(digits[k], upper(y + 70) ? 1 : -1);
  }
  int* xpdr[4] = {&nav.tran1, &nav.tran2, &nav.tran3, &nav.tran4};
  for (int k = 0; k < 4; k++)
    if (in_zone(o + 561 + 20 * k, o + 580 + 20 * k, 443, 463)) XPNinc(xpdr[k], upper(454) ? 1 : -1);
  if (in_zone(o + 535, o + 550, 426, 441) || in_zone(o + 518, o + 533, 442, 457)) {
    ins.reply_time1 = msc.elap_time;
    ins.reply_time2 = msc.elap_time + 5;
  }
  if (full) ins.tickle_rad = 1;
}

// ---------------------------------------------------------------- GPS

static int last_navaid() { return env.navmax - 3; }  // the two slots above the file's are the carrier's

int gps_scroll(int index, int kind, int step) {
  if (kind == 1) {
    if (env.aptmax < 0) return index;
    int n = env.aptmax + 1;
    return ((index + step) % n + n) % n;
  }
  int n = last_navaid() + 1, type = kind == 3 ? NAV_VOR : NAV_NDB;
  if (n <= 0) return index;
  int dir = step < 0 ? -1 : 1;
  for (int s = 0; s < std::abs(step); s++) {
    int i = intlim(index, 0, n - 1), found = -1;
    for (int k = 1; k <= n; k++) {
      int j = ((i + dir * k) % n + n) % n;
      if (nav_type[j] == type) {
        found = j;
        break;
      }
    }
    if (found < 0) return index;
    index = found;
  }
  return index;
}

// The waypoint whose identifier starts with the four spinner characters.
static void gps_find_by_id() {
  char id[5];
  for (int k = 0; k < 4; k++) id[k] = code_to_char(nav.gps_id[k]);
  id[4] = 0;
  for (int k = 3; k >= 0 && id[k] == ' '; k--) id[k] = 0;
  if (!id[0]) return;
  size_t len = std::strlen(id);
  if (nav.gps_index_mode == 1) {
    for (int a = 0; a <= env.aptmax; a++)
      if (std::strncmp(apt_id[a], id, len) == 0 && (apt_id[a][len] == 0 || apt_id[a][len] == ' ')) {
        nav.gps_index = a;
        return;
      }
    return;
  }
  int type = nav.gps_index_mode == 3 ? NAV_VOR : NAV_NDB;
  for (int a = 0; a <= last_navaid(); a++)
    if (nav_type[a] == type && std::strncmp(nav_id[a], id, len) == 0 && (nav_id[a][len] == 0 || nav_id[a][len] == ' ')) {
      nav.gps_index = a;
      return;
    }
}

static void remember_gps_index() {
  if (nav.gps_index_mode == 1) nav.gps_apt_index = nav.gps_index;
  else if (nav.gps_index_mode == 3) nav.gps_vor_index = nav.gps_index;
  else nav.gps_ndb_index = nav.gps_index;
  ins.lock_GPS = 1;
  ins.tickle_gps = 1;
}

static void gps() {
  if (pln.supptype == SUPP_VOR || pln.supptype == SUPP_RMI) return;
  int o = ins.osrad;
  if (!in_zone(o + 500, o + 641, 303, 369)) return;
  ins.tickle_gps = 1;
  static const int modes[3] = {1, 3, 2};
  for (int k = 0; k < 3; k++)
    if (in_zone(o + 621, o + 641, 303 + 22 * k, 325 + 22 * k)) {
      nav.gps_index_mode = modes[k];
      nav.gps_index = k == 0 ? nav.gps_apt_index : k == 1 ? nav.gps_vor_index : nav.gps_ndb_index;
      remember_gps_index();
      return;
    }
  if (in_zone(o + 536, o + 556, 349, 369)) {
    int step = msc.dragtime > 1 ? intlim(flt_to_int(msc.prd * 100), 1, 100) : 1;
    if (upper(359)) step = -step;
    if (nav.gps_scroll_mode == 0) {
      nav.gps_index = gps_scroll(nav.gps_index, nav.gps_index_mode, step);
    } else {
      int c = intlim(nav.gps_scroll_mode, 1, 4) - 1;
      nav.gps_id[c] = ((nav.gps_id[c] + (step < 0 ? -1 : 1)) % 37 + 37) % 37;
      gps_find_by_id();
    }
    remember_gps_index();
  }
  if (in_zone(o + 593, o + 613, 349, 369)) nav.gps_scroll_mode = (nav.gps_scroll_mode + 1) % 5;
}

// ---------------------------------------------------------------- trims, brake, gear

static void trims_brake_gear() {
  int o = ins.osrad;
  static uint64_t last_trim = 0;
  uint64_t now = plat_ticks_ms();
  const float trim_step = 0.9f / 14;
  if (in_zone(o + 566, o + 606, 520, 545) && now - last_trim >= 300) {
    flt.ail_trim = fltlim(flt.ail_trim + (left(o + 566, o + 606) ? -trim_step : trim_step), -1, 1);
    last_trim = now;
  }
  if (in_zone(o + 566, o + 606, 550, 575) && now - last_trim >= 300) {
    flt.rud_trim = fltlim(flt.rud_trim + (left(o + 566, o + 606) ? -trim_step : trim_step), -1, 1);
    last_trim = now;
  }
  if (full || in_zone(o + 566, o + 606, 520, 575)) plot_trim_marks();
  if (in_zone(o + 494, o + 564, 560, 576)) set.parkbrake = set.parkbrake > 0.01f ? 0 : 1;
  if (full || in_zone(o + 494, o + 564, 560, 576)) plotbrakes();
  if (pln.retractEQ && in_zone(o + 609, o + 640, 520, 576)) {
    set.gear_handle = !set.gear_handle;
    play_buffer(SND_GEARACT, 0);
    for (int g = 0; g < 3; g++) set.gear_time[g] = rel.lagear[g] ? msc.elap_time + fltrand(3, 5) : 9.9e9f;
  }
  if (!pln.retractEQ && full && panel_can_paint()) pfill(24, o + 606, 519, 37, 51);
  if (pln.retractEQ && (full || in_zone(o + 609, o + 640, 520, 576))) {
    if (panel_can_paint()) pbitmap(o + 608, 520, set.gear_handle ? BMP_GEAR_DOWN : BMP_GEAR_UP);
    for (int g = 0; g < 3; g++) update_a_gearlight(g);
  }
}

// ---------------------------------------------------------------- the press

void panclick(int x, int y) {
  full = x == -1 && y == -1;
  px = x, py = y;
  panel_begin();
  if (!full && x >= 0 && x <= 800 && y >= 27 && y <= 242) {
    // The outside view: while the controller's menu is up its rows take the press.
    if (!atc.menu_up) msc.mouse_is_joy = !msc.mouse_is_joy;
    return;
  }
  if (!full) {
    for (int w = 1; w < MNW_WINDOWS; w++)
      if (mnw.up[w]) return;
    if (y >= 5 && y <= 20) {
      if (x >= 0 && x <= 125) handlemenu(CMD_JOYSTICK_OPTIONS);
      else if (x >= 130 && x <= 335) handlemenu(CMD_FLIGHT_MODE);
      else if (x >= 410 && x <= 800) handlemenu(CMD_GRAPH);
      return;
    }
  }
  switch_row();
  autopilot();
  knobs();
  displays();
  radios();
  gps();
  trims_brake_gear();
}

// ---------------------------------------------------------------- the levers

int flap_detent(int y, int* request) {
  int row = y - 3;
  row = row < 450 ? 446 : row < 461 ? 454 : row < 476 ? 468 : row <= 492 ? 484 : 500;
  *request = bk::round((1 - (float)(500 - row) / 54) * 50);
  return row;
}

int slat_detent(int y, float* request) {
  int row = y - 2;
  row = row < 468 ? 463 : row < 478 ? 473 : 483;
  *request = 1 - (float)(483 - row) / 20;
  return row;
}

// Without the automatic speed brake there is nothing to arm: the top detent
// retracts, so that extended and full stay within reach.
int speedbrake_detent(int y, float* request) {
  int row = y - 2;
  if (row < 458) {
    if (pln.autosbrkEQ) {
      *request = -1;
      return 453;
    }
    row = 463;
  }
  if (row < 468) {
    *request = 0;
    return 463;
  }
  if (row < 478) {
    *request = 1;
    return 473;
  }
  *request = 2;
  return 483;
}

static float rev_hold_start = 0;

static void throttle(int n, int row) {
  if (pln.revthrustEQ) {
    if (row <= 558 || msc.dragtime < rev_hold_start) rev_hold_start = msc.dragtime;
    if (row > 558 && msc.dragtime - rev_hold_start < 1) row = 558;
  }
  int id = lever_id(BMP_THRO, n);
  float f = handle(id, row), req = f;
  int rev = 0, ab = 0;
  if (pln.revthrustEQ) {
    if (f < 0.24f) {
      rev = 1;
      req = (0.24f - f) / 0.24f;
    } else {
      req = (f - 0.24f) / 0.76f;
    }
    if (!rel.revlok[n]) rev = 1;
  }
  if (pln.burnerinc > 1 && !rev) {
    if (f > 0.95f) {
      req = 1;
      ab = ins.thro[n] <= 515;
    } else {
      req = f / 0.95f;
    }
  }
  // The lever is the only writer of the throttle request and the reverser and afterburner choice.
  flt.throrequest[n] = fltlim(req, 0, 1);
  flt.revving_thrust[n] = rev;
  flt.after_burning[n] = ab;
}

// Whether a press at x moves the lever at x0 (w wide) of a row whose gang
// bar spans g1..g2. A press on a lever's centre column moves that lever
// alone (the per-engine keys press there), even where the gang bar lies
// under it; elsewhere on the gang bar every lever moves.
static int moves_lever(int x, int x0, int w, int g1, int g2, int offset, const int* columns, int centre, int n) {
  for (int k = 0; k < n; k++)
    if (x == offset + columns[k] + centre) return x == x0 + centre;
  if (x >= g1 && x <= g2) return 1;
  return x >= x0 && x <= x0 + w;
}

void enginecondrag(int x, int y) {
  px = x, py = y;
  full = 0;
  panel_begin();
  int o = ins.oseng, engines = intlim(pln.numen, 0, ENGINES);
  if (!pln.is_heli && x >= o + 645 && x <= o + 797 && y >= 444 && y <= 510) {
    if (x >= o + 650 && x <= o + 679) {
      int request;
      int row = flap_detent(y, &request);
      float f = handle(BMP_FLAP, row);
      flt.flaprequest = request;
      if (pln.autosweepEQ) flt.sweerequest = std::sqrt(f);
      if (pln.autoslatEQ) {
        float sf = handle(BMP_SLAT, row <= 447 ? 463 : 483);
        flt.slatrequest = 1 - sf;
      }
    } else if (x >= o + 688 && x <= o + 707 && pln.slatEQ) {
      float request;
      handle(BMP_SLAT, slat_detent(y, &request));
      flt.slatrequest = request;
    } else if (x >= o + 726 && x <= o + 745 && (pln.sbrkEQ || pln.fbrkEQ)) {
      float request;
      handle(BMP_SBRK, speedbrake_detent(y, &request));
      flt.sbrk = request;
    } else if (x >= o + 766 && x <= o + 791 && (pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8]) &&
               !pln.autosweepEQ) {
      flt.sweerequest = 1 - handle(BMP_SWEE, y - 4);
    } else if (x >= o + 769 && x <= o + 792 && pln.vectEQ) {
      flt.vectrequest = (float)flt_to_int((1 - handle(BMP_VECT, y - 4)) * 120);
    }
    return;
  }
  if (!(x >= ins.osthr + 645 && x <= ins.ostrm + 797 && y >= 513 && y <= 579)) return;
  if (pln.collectEQ) {
    if (x >= ins.osthr + 659 && x <= ins.osthr + 687) {
      float f = handle(BMP_THRO, y - 7);
      flt.proppitch[0] = interp(1, pln.minpitch[0], 0, pln.maxpitch[0], f);
      if (!pln.is_heli) flt.proppitch[1] = flt.proppitch[0];
    }
  } else if (pln.entype) {
    int t = ins.osthr;
    for (int n = 0; n < engines; n++)
      if (moves_lever(x, t + pln.thro_x[n], 14, t + 668, t + 678, t, pln.thro_x, 7, engines)) throttle(n, y - 7);
  }
  if ((pln.entype == 1 || pln.entype == 2) && pln.varpitchEQ && !pln.collectEQ) {
    float span = pln.omegamax - pln.omegamingreen;
    for (int n = 0; n < engines; n++)
      if (moves_lever(x, o + pln.prop_x[n], 10, o + 718, o + 724, o, pln.prop_x, 5, engines))
        flt.prop[n] = pln.omegamingreen + span * handle(lever_id(BMP_PROP, n), y - 11);
  }
  if (pln.entype) {
    int m = ins.osmix;
    for (int n = 0; n < engines; n++)
      if (moves_lever(x, m + pln.mixt_x[n], 10, m + 758, m + 764, m, pln.mixt_x, 5, engines))
        flt.mixt[n] = handle(lever_id(BMP_MIXT, n), y - 11);
  }
  if (x >= ins.ostrm + 781 && x <= ins.ostrm + 798 && rel.sttrim) {
    // Held with the mouse the wheel turns a tenth of its travel a second; a key
    // press (no button held) turns it a fiftieth.
    float m = std::fabs(pln.hstbtrimmax);
    float step = msc.mousedown ? 0.1f * m * msc.prd : 0.02f * m;
    flt.trim = fltlim(flt.trim + (y < 545 ? -step : step), -m, m);
    plottrim();
  }
}
