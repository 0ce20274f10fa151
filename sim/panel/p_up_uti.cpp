// The radio stack's read-outs and the radio instruments as the receivers'
// record stands (frequencies, course indicator, DME, ADF, RMI, GPS, marker
// lights), and the engine page.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"
#include "sim/panel/radios.h"
#include "sim/set.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

static const float R2D = 57.29577951308232f;

static int nav1_radios() { return pln.supptype == SUPP_VOR || pln.supptype == SUPP_RMI; }

// ---------------------------------------------------------------- frequencies

static void frequency(int x, int y, int mhz, int hundredths) {
  intnum_erase(x, y, mhz - 100, 2, 12, 4, 1);
  intnum_erase(x + 20, y, hundredths, 2, 12, 4, 1);
  pfill(12, x + 15, y + 8, 1, 1);
}

static void plotvol(int k) {
  static int drawn[2] = {-999, -999};
  int x = ins.osrad + 506, y = k ? 409 : 360;
  int a = -135 + bk::round(fltlim(nav.vol[k], 0, 1) * 270);
  if (drawn[k] != -999) pole(x, y, drawn[k], 4, 8, ERASE);
  pole(x, y, a, 4, 8, 37);
  drawn[k] = a;
}

static void gps_name() {
  int o = ins.osrad;
  char name[32] = "", id[8] = "";
  int i = nav.gps_index;
  if (nav.gps_index_mode == 1 && i >= 0 && i <= env.aptmax) {
    std::snprintf(name, sizeof name, "%.20s", apt_name[i]);
    std::snprintf(id, sizeof id, "%.4s", apt_id[i]);
  } else if (nav.gps_index_mode != 1 && i >= 0 && i < NAV_MAX && i <= env.navmax) {
    std::snprintf(name, sizeof name, "%.20s", nav_name[i]);
    std::snprintf(id, sizeof id, "%.4s", nav_id[i]);
  }
  pfill(11, o + 498, 304, 122, 9);
  ptext(12, o + 499, 312, name);
  pfill(11, o + 498, 319, 26, 10);
  ptext(12, o + 499, 327, id);
  if (nav.gps_scroll_mode > 0) pfill(17, o + 499 + 6 * (nav.gps_scroll_mode - 1), 328, 5, 1);
  static const int mode_of_button[3] = {1, 3, 2};
  for (int k = 0; k < 3; k++) EFIS_light(o + 624, 306 + 22 * k, nav.gps_index_mode == mode_of_button[k]);
}

void plotnavfrq_all() {
  int o = ins.osrad;
  if (nav1_radios()) {
    frequency(o + 526, 332, nav.cf[0], nav.cf100[0]);
    frequency(o + 594, 332, nav.nf[0], nav.nf100[0]);
    plotvol(0);
    EFIS_light(o + 614, 297, nav.dmesel == 0);
    EFIS_light(o + 634, 297, nav.dmesel == 1);
  }
  frequency(o + 526, 381, nav.cf[1], nav.cf100[1]);
  frequency(o + 594, 381, nav.nf[1], nav.nf100[1]);
  plotvol(1);
  if (ins.avail[INS_ADF]) {
    int x = ins.x_loc[INS_ADF], y = ins.y_loc[INS_ADF];
    const int d[3] = {nav.adf1, nav.adf2, nav.adf3};
    for (int k = 0; k < 3; k++) intnum_erase(x - 13 + 10 * k, y + 46, d[k], 1, 12, 3, 0);
  }
  const int t[4] = {nav.tran1, nav.tran2, nav.tran3, nav.tran4};
  for (int k = 0; k < 4; k++) intnum_erase(o + 565 + 20 * k, 428, t[k], 1, 12, 3, 0);
  static const int audio_unit[5] = {4, 0, 1, 2, 3};
  for (int k = 0; k < 5; k++) EFIS_light(o + 548 + 20 * k, 278, nav.radio_output == audio_unit[k]);
  if (!nav1_radios()) gps_name();
}

// ---------------------------------------------------------------- course indicator

static void cdi_scale(int x, int y) {
  for (int k = -2; k <= 2; k++) {
    if (!k) continue;
    pfill(31, x + 8 * k, y, 2, 2);
    pfill(31, x, y + 10 * k, 2, 2);
  }
  pfill(31, x - 1, y - 1, 3, 3);
}

void update_VORandGS(int h, int v) {
  static int d_h = -999, d_v = -999, d_ntf = -1, d_crs = -1;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
  h = intlim(h, -22, 22);
  v = intlim(v, -22, 22);
  int crs = flt_to_int(fltwrap(nav.obs[0], 0, 360)) % 360;
  if (nav.ntf[0] != d_ntf || ins.tickle_all) {
    d_ntf = nav.ntf[0];
    pfill(11, x + 27, y - 18, 17, 7);
    static const char* const flag[3] = {"NAV", "TO", "FRM"};
    ptext(18, x + 27, y - 11, flag[intlim(d_ntf, 0, 2)]);
  }
  if (crs != d_crs || ins.tickle_all) {
    d_crs = crs;
    h_tape_window(ins.h_tape_col1, 360, crs - 17, x - 17, y - 43, 35);
    h_tape_window(ins.h_tape_col2, 360, crs - 17, x - 17, y + 31, 35);
    pfill(17, x, y - 43, 1, 3);
  }
  if (h == d_h && v == d_v && !ins.tickle_all) return;
  if (d_h != -999) {
    pline(ERASE, x + d_h, y - 23, x + d_h, y + 24);
    pline(ERASE, x - 23, y + d_v, x + 24, y + d_v);
  }
  cdi_scale(x, y);
  pline(33, x + h, y - 23, x + h, y + 24);
  pline(33, x - 23, y + v, x + 24, y + v);
  d_h = h, d_v = v;
}

// ---------------------------------------------------------------- DME

void update_DME() {
  static int d_dist = -2, d_speed = -2, d_time = -2;
  int o = ins.osrad, r = intlim(nav.dmesel, 0, 1);
  float d = nav.dme_nm[r];
  int valid = nav.goodnav[r] && d <= 50;
  if (!valid) {
    if (d_dist != -1 || ins.tickle_all) {
      pfill(11, o + 501, 304, 94, 7);
      ptext(12, o + 501, 311, "...");
      ptext(12, o + 534, 311, "...");
      ptext(12, o + 567, 311, "..");
    }
    d_dist = d_speed = d_time = -1;
    return;
  }
  int dist = flt_to_int(d * 10), spd = flt_to_int(nav.dme_kts[r]);
  // The field has two digits: longer times (999 when not closing) read "..".
  int tim = nav.dme_min[r] < 100 ? flt_to_int(nav.dme_min[r]) : -1;
  if (dist != d_dist || ins.tickle_all) {
    pfill(11, o + 500, 303, 32, 9);
    fltnum(o + 501, 304, dist / 10.0f, 3, 1, 12, 3, 0, 1);
  }
  if (spd != d_speed || ins.tickle_all) intnum_erase(o + 534, 304, spd, 3, 12, 3, 1);
  if (tim != d_time || ins.tickle_all) {
    pfill(11, o + 566, 303, 18, 9);
    if (tim >= 0) intnum(o + 567, 304, tim, 2, 12, 3, 1, 0);
    else ptext(12, o + 567, 311, "..");
  }
  d_dist = dist, d_speed = spd, d_time = tim;
}

// ---------------------------------------------------------------- ADF and RMI

static void arrow(int x, int y, int a, int len, int colour) {
  needle(x, y, a, len, colour, 9);
  int tx = x + bk::round(len * isin(a)), ty = y - bk::round(len * icos(a));
  pline(colour, tx, ty, tx - bk::round(7 * isin(a - 30)), ty + bk::round(7 * icos(a - 30)));
  pline(colour, tx, ty, tx - bk::round(7 * isin(a + 30)), ty + bk::round(7 * icos(a + 30)));
}

static float bearing_to(float x, float y) { return std::atan2(x - (float)flt.x, y - (float)flt.y) * R2D; }

void update_ADF() {
  static float needle_at = 0;
  static int d_needle = -999, d_card = -999;
  int x = ins.x_loc[INS_ADF], y = ins.y_loc[INS_ADF];
  // Before any station has been heard the needle rests across, at 90 degrees.
  float rel_b = nav.station[4] < 0 ? 90 : (float)((flt_to_int(bearing_to(nav.adfx, nav.adfy) - flt.psi + 720)) % 360);
  // Slews the short way round, at most 90 degrees a second.
  float diff = fltwrap(rel_b - needle_at, -180, 180), max_step = 90 * panel_dt();
  needle_at = fltwrap(needle_at + fltlim(diff, -max_step, max_step), 0, 360);
  int n = flt_to_int(needle_at), c = flt_to_int(ins.adf_card);
  auto moved = [](int a, int b) {
    int d = std::abs(a - b) % 360;
    return (d > 180 ? 360 - d : d) > 2;
  };
  if (!moved(n, d_needle) && !moved(c, d_card) && !ins.tickle_all) return;
  d_needle = n, d_card = c;
  // The dial only: the frequency digits start on the row below it.
  pfill(ERASE, x - 46, y - 46, 93, 92);
  plot_dg(x, y, 45, c, 33);
  arrow(x, y, n, 40, 17);
  pfill(28, x - 1, y - 1, 3, 3);
}

void update_RMI() {
  static int d_card = -999, d_needle = -999;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
  int card = flt_to_int(fltwrap(ins.psimag, 0, 360));
  int mag = intwrap((flt_to_int(bearing_to(nav.vorx[0], nav.vory[0])) + env.mvar + 720) % 360, 0, 359);
  int n = mag - card;
  if (std::abs(card - d_card) <= 2 && std::abs(n - d_needle) <= 2 && !ins.tickle_all) return;
  d_card = card, d_needle = n;
  pfill(ERASE, x - 46, y - 46, 93, 93);
  plot_dg(x, y, 45, card, 33);
  arrow(x, y, n, 35, 17);
  pfill(17, x, y - 47, 1, 5);
}

// ---------------------------------------------------------------- GPS

void update_GPS() {
  static int d_bar = -999, d_crs = -1, d_dist = -1, d_speed = -1, d_time = -2;
  int o = ins.osrad;
  int all = ins.tickle_all || ins.tickle_gps;
  if (ins.tickle_gps && !ins.tickle_all) gps_name();
  ins.tickle_gps = 0;
  int bar = intlim(bk::round(-nav.hdef[0] * 3), -25, 25);
  if (bar != d_bar || all) {
    if (d_bar != -999) pfill(11, o + 585 - d_bar - 1, 321, 3, 5);
    for (int k = 0; k < 3; k++) {
      pfill(31, o + 560 + 25 * k, 318, 1, 2);
      pfill(31, o + 560 + 25 * k, 327, 1, 2);
    }
    pfill(12, o + 585 - bar - 1, 321, 3, 5);
    d_bar = bar;
  }
  int crs = intwrap((flt_to_int(nav.gps_crs + env.mvar) % 360 + 360) % 360, 0, 359);
  if (crs != d_crs || all) intnum_erase(o + 530, 320, crs, 3, 12, 3, 1);
  int dist = intlim(flt_to_int(nav.gps_dis * con.mtrstonm), 0, 9999);
  if (dist != d_dist || all) intnum_erase(o + 499, 335, dist, 4, 12, 3, 1);
  int speed = intlim(flt_to_int(flt.v * con.msctokts), 0, 9999);
  if (speed != d_speed || all) intnum_erase(o + 540, 335, speed, 4, 12, 3, 1);
  // Standing still there is no time to the waypoint: "...", not a division by zero.
  int time = flt.v > 0.5f ? flt_to_int(gps_minutes(nav.gps_dis, flt.v)) : -1;
  if (time != d_time || all) {
    if (time >= 0) intnum_erase(o + 580, 335, time, 3, 12, 3, 1);
    else {
      pfill(11, o + 579, 334, 17, 9);
      ptext(12, o + 580, 342, "...");
    }
  }
  d_crs = crs, d_dist = dist, d_speed = speed, d_time = time;
}

// ---------------------------------------------------------------- marker lights

void update_morse() {
  static int d_count = -1;
  int o = ins.osrad;
  if (ins.tickle_all)
    for (int k = 0; k < 3; k++) pbitmap(o + 493 + 15 * k, 276, BMP_MARKER + 2 * k);
  int c = msc.cntr10;
  if (c == d_count) return;
  d_count = c;
  static const signed char outer[10] = {1, -1, -1, -1, -1, 0, -1, -1, -1, -1};
  static const signed char middle[10] = {1, -1, 0, -1, 1, -1, -1, -1, -1, 0};
  static const signed char inner[10] = {1, -1, 0, 1, -1, 0, 1, -1, 0, -1};
  const signed char* pattern[3] = {outer, middle, inner};
  for (int k = 0; k < 3; k++) {
    int lit = pattern[k][intlim(c, 0, 9)];
    if (lit < 0) continue;
    pbitmap(o + 493 + 15 * k, 276, BMP_MARKER + 2 * k + (lit && nav.marker_over[k] ? 1 : 0));
  }
}

// ---------------------------------------------------------------- engine page

static void ecam_line(int row, const char* label, float value, int digits, int decimals, const char* unit) {
  int x = ins.oseng + 650, y = 301 + 10 * row;
  ptext(31, x, y, label);
  ptext(31, x + 126, y, unit);
  pfill(11, x + 70, y - 7, 54, 8);
  if (value < 0) {
    ptext(47, x + 90, y, "--");
    return;
  }
  if (decimals) fltnum(x + 72, y - 6, value, digits, decimals, 47, 3, 0, 1);
  else intnum(x + 72, y - 6, flt_to_int(value), digits, 47, 3, 1, 0);
}

static void ecam_fuel(int built) {
  static int d[8];
  int engines = intlim(pln.numen, 0, ENGINES);
  float fuel = flt.m_fuel * con.kgstolbs, flow = 0;
  int vals[8];
  vals[0] = flt_to_int(fuel / 2);
  vals[1] = flt_to_int(fuel / 2);
  vals[2] = flt_to_int(fuel);
  for (int n = 0; n < engines; n++) flow += flt.ff_[n] * con.kgstolbs * 3600;
  // No fuel flow: no endurance or range to show.
  float endurance = flow > 0.1f ? fltmin2(fuel / flow, 99.9f) : -1;
  float range = endurance >= 0 ? fltmin2(endurance * flt.v * con.msctokts, 99999) : -1;
  vals[3] = flt_to_int(endurance * 10);
  vals[4] = flt_to_int(range);
  int changed = built;
  for (int k = 0; k < 5; k++)
    if (vals[k] != d[k]) changed = 1, d[k] = vals[k];
  static int ffd[ENGINES];
  for (int n = 0; n < engines; n++) {
    int f = flt_to_int(flt.ff_[n] * con.kgstolbs * 3600);
    if (f != ffd[n]) changed = 1, ffd[n] = f;
  }
  if (!changed) return;
  ecam_line(0, "FUEL L:", (float)vals[0], 5, 0, "LB");
  ecam_line(1, "FUEL R:", (float)vals[1], 5, 0, "LB");
  ecam_line(2, "FUEL TOT:", (float)vals[2], 5, 0, "LB");
  for (int n = 0; n < engines; n++) {
    char label[12];
    std::snprintf(label, sizeof label, "FF #%d:", n + 1);
    ecam_line(3 + n, label, (float)ffd[n], 5, 0, "PPH");
  }
  ecam_line(3 + engines, "ENDURANCE:", endurance, 3, 1, "HR");
  ecam_line(4 + engines, "RANGE:", range, 5, 0, "NM");
}

static void ecam_controls(int built) {
  static int d = -1;
  int x = ins.oseng + 647, y = 293;
  int state = flt.flap + 64 * flt_to_int(flt.slat * 10) + 1024 * flt_to_int(flt.sbrk + 1) +
              8192 * flt_to_int(flt.lailndef / 3 + 20) + 524288 * flt_to_int(flt.lhstbdef / 3 + 20);
  for (int n = 0; n < ENGINES; n++) state += flt.revving_thrust[n] << (27 + n);
  if (state == d && !built) return;
  d = state;
  pbitmap(x, y, BMP_ECAM_FCTL);
  int cx = x + 75;
  int flap_len = flt.flap * 30 / 50;
  pfill(rel.fc_flp ? 12 : 18, cx - 10 - flap_len, y + 38, flap_len, 2);
  pfill(rel.fc_flp ? 12 : 18, cx + 10, y + 38, flap_len, 2);
  if (pln.slatEQ) {
    int s = flt_to_int(flt.slat * 20);
    pfill(rel.fc_slt ? 12 : 18, cx - 20 - s, y + 32, s, 2);
    pfill(rel.fc_slt ? 12 : 18, cx + 20, y + 32, s, 2);
  }
  if (flt.sbrk > 0) {
    pfill(17, cx - 40, y + 30, 8, 2);
    pfill(17, cx + 32, y + 30, 8, 2);
  }
  int ail = intlim(flt_to_int(flt.lailndef / 3), -6, 6), elev = intlim(flt_to_int(flt.lhstbdef / 3), -6, 6);
  int rud = intlim(flt_to_int(flt.ruddef / 3), -6, 6);
  pfill(rel.fc_ail ? 33 : 18, x + 12, y + 40 - ail, 2, 5);
  pfill(rel.fc_ail ? 33 : 18, x + 136, y + 40 + ail, 2, 5);
  pfill(rel.fc_elv ? 33 : 18, cx + 26, y + 83 - elev, 2, 5);
  pfill(rel.fc_rud ? 33 : 18, cx + rud, y + 92, 2, 4);
  for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++)
    if (flt.revving_thrust[n]) ptext(17, x + 8 + 36 * n, y + 20, "REV");
}

static void ecam_hydraulics(int built) {
  static int d = -1;
  int psi = flt_to_int(fltlim(rel.hyd_rat, 0, 1) * 3000) * (rel.hydsys ? 1 : 0);
  if (psi == d && !built) return;
  d = psi;
  int x = ins.oseng + 647, y = 293;
  pbitmap(x, y, BMP_ECAM_HYD);
  ptext(31, x + 4, y + 20, "HYD PRS A");
  ptext(31, x + 84, y + 20, "HYS PRS B");
  intnum_erase(x + 24, y + 72, psi, 4, 47, 3, 1);
  intnum_erase(x + 104, y + 72, psi, 4, 47, 3, 1);
  ptext(rel.hydsys ? 31 : 17, x + 60, y + 112, rel.hydsys ? "RAT STOWED" : "RAT OUT");
}

static void ecam_status(int built) {
  struct item {
    const char* name;
    int ok;
  };
  int rev = 1;
  for (int n = 0; n < ENGINES; n++) rev &= rel.revlok[n];
  item items[23] = {{"AILERONS", rel.fc_ail},   {"ELEVATORS", rel.fc_elv},   {"RUDDERS", rel.fc_rud},
                    {"SLATS", rel.fc_slt},      {"FLAP DISAG", rel.fc_flp},  {"THROTTLES", rel.fc_thr},
                    {"HYD SYSTEM", rel.hydsys}, {"S.A.S.", rel.stbaug},      {"ASSYM FLAP", rel.symflp},
                    {"STAB TRIM", rel.sttrim},  {"T. REVERSE", rev},         {"ANTI-ICE", rel.antice},
                    {"ENGINE #1", rel.engine[0]}, {"ENGINE #2", rel.engine[1]}, {"ENGINE #3", rel.engine[2]},
                    {"ENGINE #4", rel.engine[3]}, {"OIL PRES #1", rel.oilpmp[0]}, {"OIL PRES #2", rel.oilpmp[1]},
                    {"OIL PRES #3", rel.oilpmp[2]}, {"OIL PRES #4", rel.oilpmp[3]}, {"NOSE GEAR", rel.lagear[0]},
                    {"LEFT GEAR", rel.lagear[1]}, {"RIGHT GEAR", rel.lagear[2]}};
  static int d = -1;
  int state = 0;
  for (int k = 0; k < 23; k++) state |= (items[k].ok ? 1 : 0) << k;
  if (state == d && !built) return;
  d = state;
  for (int k = 0; k < 23; k++) {
    int x = ins.oseng + 650 + (k < 12 ? 0 : 74), y = 301 + 10 * (k % 12);
    ptext(items[k].ok ? 25 : 18, x, y, items[k].name);
  }
}

void update_ecam() {
  int built = ins.tickle_ecam || ins.tickle_all;
  int page = intlim(set.ecam_page, 4, 8);
  if (built) pfill(ERASE, ins.oseng + 647, 291, 150, 126);
  switch (page) {
    case 4: {
      if (built) {
        for (int r = 1; r < 3; r++) {
          int kind = engine_row_kind(r), x, y;
          if (!kind) continue;
          engine_gauge_at(r, 0, &x, &y);
          static const char* const label[8] = {"", "EGT", "RPM", "MP", "TRQ", "N1", "FF", "RRPM"};
          int m = 0;
          float scale = 0;
          switch (kind) {
            case 2: case 7: scale = ins.tactoINS; break;
            case 3: scale = ins.mprtoINS; break;
            case 4: scale = ins.trqtoINS; break;
            case 5: scale = ins.n1_toINS; break;
            case 6: scale = ins.ff_toINS; break;
            default: break;
          }
          if (scale > 0) m = bk::round(100 / scale);
          tape_arc(label[kind], x, y, m, 1);
        }
      }
      for (int r = 1; r < 3; r++) {
        int kind = engine_row_kind(r);
        if (!kind) continue;
        for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++) update_tape_gauge(r, n, kind);
      }
      break;
    }
    case 5: ecam_fuel(built); break;
    case 6: ecam_controls(built); break;
    case 7: ecam_hydraulics(built); break;
    default: ecam_status(built); break;
  }
  ins.tickle_ecam = 0;
}
