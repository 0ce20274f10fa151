// The panel's update each frame: the order of the instruments, the gyros
// behind them, the status strip, clock, fuel, transponder light and the
// engine gauges. Everything draws only what changed since it last drew.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"
#include "sim/set.h"

// ---------------------------------------------------------------- gyros

// Vacuum-driven attitude and heading: a spinning-down gyro drifts to the
// failure's errors ever more slowly and stops three minutes after the failure.
void panel_gyros() {
  float t = msc.elap_time;
  int wobble = pln.entype == 1 && flt.onsurface && t < 4;
  if (!rel.vacuum || wobble) {
    float the_target, phi_target, k;
    if (wobble) {
      float f = 1 - t / 4;
      the_target = flt.the180 + f * 10 * std::sin(10 * t);
      phi_target = flt.phi180 + f * 10 * std::sin(20 * t);
      k = 1;
    } else {
      float s = t - rel.vac_death_time;
      if (s >= 180) return;
      float f = fltlim(s / 180, 0, 1);
      k = (1 - f) * (1 - f);
      the_target = flt.the180 + rel.the_fail_err * f;
      phi_target = flt.phi180 + rel.phi_fail_err * f;
    }
    ins.the180 = fltwrap(ins.the180 + k * fltwrap(the_target - ins.the180, -180, 180), -180, 180);
    ins.phi180 = fltwrap(ins.phi180 + k * fltwrap(phi_target - ins.phi180, -180, 180), -180, 180);
    ins.psimag = fltwrap(ins.psimag + k * fltwrap(flt.magpsi - ins.psimag, -180, 180), 0, 360);
    return;
  }
  if (rel.ss_ahz) {
    ins.the180 = flt.the180;
    ins.phi180 = flt.phi180;
  }
  if (rel.ss_dgy) ins.psimag = fltwrap(flt.magpsi, 0, 360);
}

// ---------------------------------------------------------------- status strip

static int disk_output_on() {
  for (int i = 0; i < DATA_ITEMS; i++)
    if (set.Bdsk[i]) return 1;
  return 0;
}

const char* status_message(int slot) {
  switch (slot) {
    case 1: if (set.grfout) return "graphics data saving"; break;
    case 2: if (disk_output_on()) return "disk outfile saving"; break;
    case 3: if (msc.icebld) return "picking up ice!"; break;
    case 4:
      for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++)
        if (!rel.oilpmp[n]) return "oil pressure gone!";
      break;
    default: break;
  }
  return pln.C_file;
}

void update_status_line() {
  static int slot = 0, tick_seen = -1;
  static char shown[STR_DIM] = "";
  int tick = msc.evup > 0 && msc.cntr % msc.evup == 0 && msc.cntr10 == 0;
  if (!(tick && msc.cntr != tick_seen) && !ins.tickle_all) return;
  tick_seen = msc.cntr;
  slot = slot % 4 + 1;
  const char* m = status_message(slot);
  if (std::strcmp(m, shown) == 0 && !ins.tickle_all) return;
  std::snprintf(shown, sizeof shown, "%s", m);
  pfill(11, 416, 4, 278, 13);
  int warning = std::strcmp(m, "picking up ice!") == 0 || std::strcmp(m, "oil pressure gone!") == 0;
  char fit[48];
  std::snprintf(fit, sizeof fit, "%.45s", m);
  ptext(warning ? 38 : 13, 420, 14, fit);
}

void update_oat() {
  static int drawn = -999;
  int f = intlim(bk::round(atm.T * 1.8f - 459.67f), -25, 105);
  int x = 738 + f / 2;
  if (x == drawn && !ins.tickle_all) return;
  if (drawn != -999) pfill(ERASE, drawn, 13, 2, 4);
  pfill(17, x, 13, 2, 4);
  drawn = x;
}

void update_clock() {
  static int drawn = -1;
  int s = flt_to_int(fltmax2(msc.timr_time, 0));
  if (s == drawn && !ins.tickle_all) return;
  drawn = s;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
  intnum_erase(x + 10, y + 65, (s / 60) % 100, 2, 12, 3, 1);
  intnum_erase(x + 23, y + 65, s % 60, 2, 12, 3, 1);
  pfill(12, x + 20, y + 67, 1, 1);
  pfill(12, x + 20, y + 69, 1, 1);
}

int fuel_position(float m_fuel, float capacity) {
  if (capacity <= 0.01f) return 0;
  return intlim(flt_to_int(m_fuel / capacity * 31), 0, 31);
}

void update_fuel() {
  static int drawn = -1;
  int p = fuel_position(flt.m_fuel, pln.m_fuel);
  if (p == drawn && !ins.tickle_all) return;
  if (drawn >= 0) fuel_pointer(drawn, ERASE);
  fuel_pointer(p, 17);
  drawn = p;
}

// A reply now and then while the light is dark, from a generator of its own
// so that the flight's random sequence stays as it was.
static unsigned reply_seed = 12345u;
static float reply_rand() {
  reply_seed = reply_seed * 1103515245u + 12345u;
  return (float)((reply_seed >> 16) & 0x7FFF) / 32767.0f;
}

void update_reply_light() {
  float t = msc.elap_time;
  static int tick_seen = -1;
  if (t >= ins.reply_time2 && msc.evup > 0 && msc.cntr % msc.evup == 0 && msc.cntr != tick_seen) {
    tick_seen = msc.cntr;
    if (reply_rand() < 0.1f) {
      ins.reply_time1 = t;
      ins.reply_time2 = t + 0.1f + 0.2f * reply_rand();
    }
  }
  int level;
  if (t >= ins.reply_time2 || t < ins.reply_time1) level = 0;
  else {
    float d = fltmin2(t - ins.reply_time1, ins.reply_time2 - t);
    level = d < 0.08f ? 1 : d < 0.16f ? 2 : 3;
  }
  if (level == ins.reply_level && !ins.tickle_all) return;
  ins.reply_level = level;
  static const int colour[4] = {11, 38, 17, 37};
  pfill(colour[level], ins.osrad + 499, 430, 2, 2);
}

// ---------------------------------------------------------------- engines

static float engine_value(int kind, int n) {
  switch (kind) {
    case 2: return flt.tac[n] * con.rsctorpm;
    case 7: return flt.tac[0] * con.rsctorpm;
    case 3: return flt.mpr[n];
    case 4: return flt.trq[n] * con.nmtoftlb;
    case 5: return flt.n1_[n];
    case 6: return flt.ff_[n] * con.kgstolbs * 3600.0f;
    default: return 0;
  }
}

static float engine_scale(int kind) {
  switch (kind) {
    case 2: case 7: return ins.tactoINS;
    case 3: return ins.mprtoINS;
    case 4: return ins.trqtoINS;
    case 5: return ins.n1_toINS;
    case 6: return ins.ff_toINS;
    default: return 0;
  }
}

// Where engine n's gauge of row r sits: a dial column, or a tape on the engine page.
void engine_gauge_at(int r, int n, int* x, int* y) {
  if (pln.ecam) {
    *x = ins.oseng + (r == 2 ? 760 : 685) + 10 * n;
    *y = 412;
  } else {
    *x = ins.oseng + pln.en_x[r][n];
    *y = pln.en_y[r];
  }
}

static int dial_drawn[3][ENGINES];
static int egt_drawn[ENGINES];
static int tape_drawn[3][ENGINES];

void engine_gauges_forget() {
  for (int r = 0; r < 3; r++)
    for (int n = 0; n < ENGINES; n++) dial_drawn[r][n] = tape_drawn[r][n] = -1;
  for (int n = 0; n < ENGINES; n++) egt_drawn[n] = -1;
}

static void update_egt(int n, int x, int y) {
  // The shown temperature lags the mixture's (the panel keeps this lag in flt.egt).
  flt.egt[n] += (flt.mixt_temp_rat[n] - flt.egt[n]) * panel_dt();
  int p = intlim(flt_to_int(fltlim(flt.egt[n], 0, 1) * 30), 0, 29);
  if (p == egt_drawn[n] && !ins.tickle_all) return;
  if (egt_drawn[n] >= 0) pfill(ERASE, x - 8 + egt_drawn[n], y - 3, 2, 5);
  pfill(17, x - 8 + p, y - 3, 2, 5);
  egt_drawn[n] = p;
}

static void update_dial(int r, int n, int kind, int x, int y) {
  float v = engine_value(kind, n);
  int a = 180 + intlim(flt_to_int(v * engine_scale(kind)), 0, 275);
  int old = dial_drawn[r][n];
  if (!ins.tickle_all && old >= 0 && std::abs(a - old) <= 2) return;
  if (old >= 0) needle(x, y, old, 19, ERASE, 11);
  needle(x, y, a, 19, 33, 10);
  pfill(31, x - 1, y - 1, 3, 3);
  dial_drawn[r][n] = a;
}

void update_tape_gauge(int r, int n, int kind) {
  int x, y;
  engine_gauge_at(r, n, &x, &y);
  int h = intlim(flt_to_int(engine_value(kind, n) * engine_scale(kind)), 0, 110);
  if (h == tape_drawn[r][n] && !ins.tickle_all && !ins.tickle_ecam) return;
  int old = ins.tickle_ecam ? 0 : tape_drawn[r][n];
  if (ins.tickle_ecam) pfill(ERASE, x, y - 110, 5, 110);
  tape(x, y, old, h);
  tape_drawn[r][n] = h;
}

void standard_engine_update() {
  int engines = intlim(pln.numen, 0, ENGINES);
  if (pln.is_heli) engines = intmin2(engines, 1);
  for (int r = 0; r < 3; r++) {
    int kind = engine_row_kind(r);
    if (!kind) continue;
    for (int n = 0; n < engines; n++) {
      if (kind == 7 && n > 0) continue;
      int x, y;
      engine_gauge_at(r, n, &x, &y);
      if (kind == 1) update_egt(n, x, y);
      else update_dial(r, n, kind, x, y);
    }
  }
}

void update_burn(int n) {
  static int drawn[ENGINES] = {-1, -1, -1, -1};
  int lit = flt.after_burning[n] != 0;
  if (lit == drawn[n] && !ins.tickle_all) return;
  drawn[n] = lit;
  int x, y;
  if (pln.numen <= 2 && !pln.ecam) {
    engine_gauge_at(1, n, &x, &y);
    x += 8, y += 30;
  } else {
    x = ins.oseng + 645 + 40 * n, y = 285;
  }
  ptext(lit ? 17 : ERASE, x, y, "BURN");
}

// ---------------------------------------------------------------- controls that the flight can move

static void update_controls() {
  static int brakes = -1, gear[3] = {-1, -1, -1}, ail = 99999, rud = 99999, flap = -1;
  static int ap_modes = -1, ap_vals = -1;
  plottrim();
  int b = set.parkbrake > 0.01f;
  if (b != brakes || ins.tickle_all) {
    plotbrakes();
    brakes = b;
  }
  for (int g = 0; g < 3; g++) {
    int s = set.gear_stat[g] * 2 + set.gear_handle;
    if (s != gear[g] || ins.tickle_all) {
      update_a_gearlight(g);
      gear[g] = s;
    }
  }
  int a = flt_to_int(flt.ail_trim * 14), r = flt_to_int(flt.rud_trim * 14);
  if (a != ail || r != rud || ins.tickle_all) {
    ail = a, rud = r;
    plot_trim_marks();
  }
  if (flt.flap != flap || ins.tickle_all) {
    plotflap();
    flap = flt.flap;
  }
  int modes = ott.HDSLCT | ott.NAV[0] << 1 | ott.NAV[1] << 2 | ott.ALHOLD << 3 | ott.VVHOLD << 4 | ott.GS2 << 5 |
              ott.ASHOLD << 6;
  int vals = flt_to_int(ott.al_hold) * 31 + flt_to_int(ott.vv_hold) * 7 + flt_to_int(ott.as_hold);
  if (modes != ap_modes || vals != ap_vals || ins.tickle_all) {
    plot_ap_buttons();
    plot_ap_values();
    ap_modes = modes, ap_vals = vals;
  }
}

// ---------------------------------------------------------------- the order of the update

void updatepanel() {
  if (!static_captured() || !panel_begin()) {
    ins.tickle_all = 0;
    return;
  }
  if (ins.tickle_all) engine_gauges_forget();
  update_status_line();
  update_oat();
  if (ins.avail[INS_SUPP]) update_clock();
  update_fuel();
  panel_gyros();
  update_reply_light();
  update_compass();
  update_stall();
  update_morse();
  update_GPWS();
  update_controls();
  int electronic = pln.paneltype == 2;
  if (!electronic || rel.efis_1) {
    if (ins.avail[INS_ASI]) update_airspeed();
    if (ins.avail[INS_AH]) update_arthoriz();
    if (ins.avail[INS_ALT]) update_alt();
    if (ins.avail[INS_TSI]) update_turnslip();
    if (ins.avail[INS_HSI]) update_HSI_DG();
    if (ins.avail[INS_VVI]) update_vvi();
  }
  if (ins.avail[INS_ADF]) update_ADF();
  if (ins.avail[INS_SUPP]) {
    switch (pln.supptype) {
      case SUPP_VOR: update_VORandGS(bk::round(nav.hdef[0] * 4), bk::round(nav.vdef[0] * 10)); break;
      case SUPP_STORM:
        if (ins.tickle_all || ins.tickle_str || (msc.evup > 0 && msc.cntr % (4 * msc.evup) == 0)) update_stormscope();
        break;
      case SUPP_RADALT: update_radalt(); break;
      case SUPP_VARIO: update_vari(); break;
      case SUPP_MAP: update_glass(17); break;
      case SUPP_RADAR: if (set.radar_on) update_glass(18); break;
      case SUPP_RMI: update_RMI(); break;
      default: break;
    }
  }
  if (pln.supptype != SUPP_VOR && pln.supptype != SUPP_RMI) update_GPS();
  else update_DME();
  if (ins.tickle_all || ins.tickle_rad) plotnavfrq_all();
  if (electronic) {
    if (rel.efis_2) update_glass(16);
    if (rel.efis_1) update_efis_dme();
  }
  if (pln.ecam) update_ecam();
  else standard_engine_update();
  if (pln.entype == 3 && pln.burnerinc > 0.1f)
    for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++) update_burn(n);
  ins.tickle_all = 0;
  ins.tickle_rad = 0;
}
