// The flight instruments: compass, stall warning, ground-proximity calls,
// airspeed, attitude, altimeter, vertical speed, turn and slip, heading,
// and the supplementary instruments. Each keeps what it last drew and
// draws again only when the shown value moved.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel.h"
#include "sim/panel/panel_internal.h"
#include "sim/set.h"
#include "sim/sound/do_sound.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f, R2D = 57.29577951308232f;

static float lag(float value, float target) { return value + (target - value) * panel_dt(); }

static void pdisc(int colour, int x, int y, int r) {
  for (int dy = -r; dy <= r; dy++) {
    int w = flt_to_int(std::sqrt((float)(r * r - dy * dy)));
    pfill(colour, x - w, y + dy, 2 * w + 1, 1);
  }
}

// ---------------------------------------------------------------- compass

void update_compass() {
  static float card = -1;
  static int drawn = -999;
  float psi = fltwrap(flt.psi, 0, 360);
  int d = psi <= 180 ? std::abs(flt_to_int(psi - 90)) : std::abs(flt_to_int(psi - 270));
  float accel = -flt.ax * (90 - d) / 5;
  float turn = ((90 - env.lat_sou) / 2.0f) * flt.cospsi * flt.sinphi;
  float target = fltwrap(flt.magpsi + accel + turn, 0, 360);
  if (card < 0 || ins.tickle_all) card = card < 0 ? target : card;
  card = fltwrap(card + fltwrap(target - card, -180, 180) * panel_dt(), 0, 360);
  int value = flt_to_int(card);
  int moved = std::abs(value - drawn);
  if (moved > 180) moved = 360 - moved;
  if (moved <= 2 && !ins.tickle_all) return;
  drawn = value;
  int x = 354, y = 2;
  MACIBM_startsurf3(354, 2, 38, 10, 11, &x, &y, 1);
  for (int k = value / 10 - 4; k <= value / 10 + 4; k++) {
    int mx = x + value / 2 + 19 - 5 * k;
    if (mx < x + 4 || mx > x + 34) continue;
    int heading = ((k % 36) + 36) % 36;
    int labelled = heading % 3 == 0;
    MACIBM_hsvline(31, mx, y, labelled ? 4 : 2);
    if (labelled && mx - 4 >= x && mx + 5 <= x + 38) {  // both digits inside the strip
      int tens = heading == 0 ? 36 : heading;
      subADD_sne(mx - 4, y + 5, tens / 10, 31);
      subADD_sne(mx + 1, y + 5, tens % 10, 31);
    }
  }
  MACIBM_hsvline(17, x + 18, y, 4);
  MACIBM_finishsurf3();
}

// ---------------------------------------------------------------- stall warning

void update_stall() {
  static int warned = -1, full_stall = -1;
  int wing = pln.els[4] > 0 ? 4 : pln.els[6] > 0 ? 6 : -1;
  int near = 0;
  if (wing >= 0)
    for (int e = 0; e < pln.els[wing] && e < ELEMENTS; e++)
      if (flt.alpha[wing][e] > flt.alpha_max[wing] - 3) near = 1;
  int on = wing >= 0 && flt.vind > 0.3f * msc.est_Vs * con.msctokts && near;
  if (on != warned || ins.tickle_all) {
    pfill(on ? 36 : 35, 7, 254, 9, 9);
    if (on != warned) {
      if (on) play_buffer(SND_STALL, 1);
      else if (warned == 1) stop_buffer(SND_STALL);
      if (pln.ff_stickshaker) forcecall(on ? FF_Y_VIBRATION : FF_Y_VIBRATION_CLEAR, 100, 10, 0);
    }
    warned = on;
  }
  if (!pln.ff_hydraulic && !pln.ff_stickshaker && pln.els[4] > 0) {
    int stalled = flt.stalled[4] != 0;
    if (stalled != full_stall && full_stall != -1)
      forcecall(stalled ? FF_Y_VIBRATION : FF_Y_VIBRATION_CLEAR, intlim(flt_to_int(flt.vind), 10, 100), 5, 0);
    full_stall = stalled;
  }
}

// ---------------------------------------------------------------- ground proximity

int gpws_call(float h, float vs, int gear_up, float vind, float vfe) {
  if (h < 2500) {
    if (vs < -1500 - 5500 * h / 2500) return SND_PULLUP;
    if (vs < -1000 - 4000 * h / 2500) return SND_SINKRATE;
  }
  if (gear_up && h < 500 && vs < 0) return vind < vfe ? SND_GEAR : SND_TERRAIN;
  return -1;
}

int gpws_callout(float h, int airborne, int armed[3]) {
  static const float below[3] = {50, 25, 10};
  static const int sound[3] = {SND_50, SND_25, SND_10};
  int call = -1;
  for (int k = 0; k < 3; k++) {
    if (h >= below[k]) {
      armed[k] = 1;
    } else if (armed[k]) {
      armed[k] = 0;
      if (airborne) call = sound[k];  // the lowest crossed wins
    }
  }
  return call;
}

static float height_ft() { return (pln.mgearz + (float)flt.z - env.localh) * con.mtrstoft; }

void update_GPWS() {
  static float last = -99;
  static int armed[3] = {0, 0, 0};
  if (!pln.bitchinbettyEQ || !msc.warn_bb) return;
  if (msc.elap_time - last < 2 && msc.elap_time >= last) return;
  last = msc.elap_time;
  float h = height_ft(), vs = flt.vu * con.msctofpm;
  int call = gpws_call(h, vs, !set.gear_handle, flt.vind, pln.Vfe);
  if (call >= 0) play_buffer(call, 0);
  int out = gpws_callout(h, !flt.onsurface, armed);
  if (out >= 0) play_buffer(out, 0);
}

// ---------------------------------------------------------------- airspeed

static float shown_speed() { return pln.asi_units == 2 ? flt.vind : flt.vind * con.nm_to_sm; }

static void efis_speed_tape() {
  static int drawn = -1, mach_drawn = -1;
  int x = ins.x_loc[INS_ASI], y = ins.y_loc[INS_ASI];
  int tv = intmax2(flt_to_int(flt.vind * 2), 0);
  int mach = flt_to_int(flt.machno * 100);
  if (tv != drawn || ins.tickle_all) {
    drawn = tv;
    int cy = y + 51;
    pfill(46, x, y, 23, 103);
    for (int kt = (tv / 2 - 26) / 5 * 5; kt <= tv / 2 + 26; kt += 5) {
      if (kt < 0) continue;
      int r = cy - (kt * 2 - tv);
      if (r < y + 1 || r > y + 101) continue;
      pfill(33, x + 19, r, 4, 1);
      if (kt % 10 == 0 && std::abs(r - cy) > 8 && r - 3 > y && r + 4 < y + 103) intnum(x + 2, r - 3, kt, 3, 33, 3, 1, 0);
    }
    const float bugs[4] = {pln.Vso, pln.Vs, pln.Vfe, pln.Vne};
    const int bug_colour[4] = {33, 12, 17, 18};
    for (int k = 0; k < 4; k++) {
      int r = cy - (flt_to_int(bugs[k] * 2) - tv);
      if (r - 2 > y && r + 2 < y + 103) pfill(bug_colour[k], x + 20, r - 2, 3, 5);
    }
    pfill(11, x, cy - 6, 23, 13);
    MACIBM_framerect(33, x, cy - 6, 22, 12);
    intnum(x + 3, cy - 3, tv / 2, 3, 33, 3, 2, 0);
  }
  if (std::abs(mach - mach_drawn) >= 1 || ins.tickle_all) {
    mach_drawn = mach;
    pfill(11, x + 8, y + 106, 20, 9);
    fltnum(x + 9, y + 107, flt.machno, 3, 2, 12, 3, 0, 1);
  }
}

void update_airspeed() {
  if (pln.paneltype == 2) return efis_speed_tape();
  static int drawn = -1, drawn_jet = -1, drawn_drum = -1;
  int x = ins.x_loc[INS_ASI], y = ins.y_loc[INS_ASI];
  int angle = drawn, jet = drawn_jet, drum = drawn_drum;
  if (rel.ss_asi || drawn < 0) {
    float v = shown_speed();
    angle = asi_dial_angle(v);
    drum = flt_to_int(fltmax2(v, 0) * 2) % 200;
    if (pln.entype == 3) {
      float limit = fltlim(pln.Mmo * atm.a * std::sqrt(fltmax2(atm.crtsig, 0)) * con.msctokts, 0, pln.Vne);
      jet = asi_dial_angle(limit);
    }
  }
  int moved = std::abs(angle - drawn) > 2 || std::abs(jet - drawn_jet) > 2 || (pln.AStype == 3 && drum != drawn_drum);
  if (!moved && !ins.tickle_all) return;
  if (drawn >= 0) needle(x, y, drawn, 35, ERASE, 11);
  if (drawn_jet >= 0) pole(x, y, drawn_jet, 15, 35, ERASE);
  if (pln.AStype == 3) {
    pfill(11, x - 16, y - 30, 34, 15);
    h_tape_window(ins.h_tape_col0, 200, drum - 16, x - 16, y - 29, 34);
    pfill(17, x, y - 30, 1, 3);
  }
  if (pln.entype == 3 && jet >= 0) pole(x, y, jet, 15, 35, 18);
  needle(x, y, angle, 35, 33, 10);
  pdisc(28, x, y, 3);
  drawn = angle, drawn_jet = jet, drawn_drum = drum;
}

// ---------------------------------------------------------------- attitude

// Fills one row segment of the ball: pixels with dx sin(roll) + dy cos(roll)
// below off are sky, the rest ground.
static void ball_row(int cx, int y, int dy, int xa, int xb, float s, float c, float off, int sky, int ground) {
  if (xb < xa) return;
  float k = off - dy * c;  // sky where dx * s < k
  int split_lo, split_hi;   // sky occupies [split_lo, split_hi]
  if (std::fabs(s) < 1e-6f) {
    if (k > 0) split_lo = xa, split_hi = xb;
    else split_lo = 1, split_hi = 0;
  } else if (s > 0) {
    split_lo = xa;
    split_hi = intmin2(xb, flt_to_int(std::floor(k / s - 1e-4f)));
  } else {
    split_lo = intmax2(xa, flt_to_int(std::ceil(k / s + 1e-4f)));
    split_hi = xb;
  }
  if (split_hi < split_lo) {
    pfill(ground, cx + xa, y, xb - xa + 1, 1);
    return;
  }
  if (split_lo > xa) pfill(ground, cx + xa, y, split_lo - xa, 1);
  pfill(sky, cx + split_lo, y, split_hi - split_lo + 1, 1);
  if (split_hi < xb) pfill(ground, cx + split_hi + 1, y, xb - split_hi, 1);
}

static void ladder_bar(int cx, int cy, float s, float c, float along, int half, int top) {
  // Centre of the bar: the ball's centre moved `along` pixels down the roll's normal.
  float mx = cx + along * s, my = cy + along * c;
  int x0 = bk::round(mx - half * c), y0 = bk::round(my + half * s);
  int x1 = bk::round(mx + half * c), y1 = bk::round(my - half * s);
  pline_inside(33, x0, y0, x1, y1, cy, top, pln.ahx1_prim + (top + pln.ah_semidim_int), pln.ahx2_prim + (top + pln.ah_semidim_int),
               pln.ah_dim_int - (top + pln.ah_semidim_int), cx);
}

void update_arthoriz() {
  static int d_pitch = -99999, d_roll = -1, d_bar = -99, d_slip = -99;
  int electronic = pln.paneltype == 2;
  int pitch = d_pitch, roll = d_roll, slip = 0;
  if (rel.ss_ahz || d_roll < 0) {
    pitch = bk::round(ins.the180 * 1.5f);
    roll = intwrap(bk::round(ins.phi180) % 360, 0, 359);
  }
  if (electronic) slip = flt.av < 1 ? 0 : intlim(bk::round(-flt.Beta * 5), -40, 40);
  if (pitch == d_pitch && roll == d_roll && set.ah_bar_adjust == d_bar && slip == d_slip && !ins.tickle_all) return;
  d_pitch = pitch, d_roll = roll, d_bar = set.ah_bar_adjust, d_slip = slip;
  int cx = ins.x_loc[INS_AH], cy = ins.y_loc[INS_AH], semi = pln.ah_semidim_int;
  float s = isin(roll), c = icos(roll);
  int sky_in = 39, ground_in = 41, sky_out = electronic ? 39 : 40, ground_out = electronic ? 41 : 42;
  for (int i = 0; i < pln.ah_dim_int && i < AH_ROWS; i++) {
    int dy = i - semi, y = cy + dy;
    int r1 = pln.ahx1_roll[i], r2 = pln.ahx2_roll[i], p1 = pln.ahx1_prim[i], p2 = pln.ahx2_prim[i];
    if (p2 >= p1) {
      ball_row(cx, y, dy, r1, p1 - 1, s, c, 0, sky_out, ground_out);
      ball_row(cx, y, dy, p1, p2, s, c, (float)pitch, sky_in, ground_in);
      ball_row(cx, y, dy, p2 + 1, r2, s, c, 0, sky_out, ground_out);
    } else {
      ball_row(cx, y, dy, r1, r2, s, c, 0, sky_out, ground_out);
    }
  }
  int top = -semi;
  // Horizon and pitch ladder on the inner ball, 1.5 pixels a degree.
  ladder_bar(cx, cy, s, c, (float)pitch, semi, top);
  static const int ladder[10] = {-90, -20, -15, -10, -5, 5, 10, 15, 20, 90};
  for (int p : ladder) {
    int long_bar = p % 10 == 0;
    ladder_bar(cx, cy, s, c, pitch - p * 1.5f, long_bar ? 14 : 7, top);
  }
  if (!electronic) {
    static const int marks[9] = {0, 10, -10, 20, -20, 30, -30, 60, -60};
    for (int m : marks) {
      int outer = (m % 30 == 0) ? 55 : 52;
      init_tickmark(cx, cy, 49, outer, m - roll, 33);
    }
  } else {
    static const int scale[13] = {-60, -50, -40, -30, -20, -10, 0, 10, 20, 30, 40, 50, 60};
    for (int m : scale) init_tickmark(cx, cy, m % 30 == 0 ? 43 : 46, 49, m, 33);
    int pa = -roll;
    pline(17, cx + bk::round(41 * isin(pa)), cy - bk::round(41 * icos(pa)), cx + bk::round(36 * isin(pa - 5)),
          cy - bk::round(36 * icos(pa - 5)));
    pline(17, cx + bk::round(41 * isin(pa)), cy - bk::round(41 * icos(pa)), cx + bk::round(36 * isin(pa + 5)),
          cy - bk::round(36 * icos(pa + 5)));
    pfill(33, cx + slip - 3, cy + 44, 1, 5);
    pfill(33, cx + slip + 3, cy + 44, 1, 5);
    if (pln.bitchinbettyEQ && msc.warn_bb && atm.inshear) ptext(17, cx - 32, cy + 30, "WIND SHEAR!");
  }
  // The fixed aircraft symbol.
  int wy = cy + set.ah_bar_adjust, wc = electronic ? 33 : 31;
  pfill(wc, cx - 30, wy, 20, 2);
  pfill(wc, cx + 11, wy, 20, 2);
  pfill(wc, cx - 11, wy, 2, 5);
  pfill(wc, cx + 10, wy, 2, 5);
  pfill(wc, cx - 1, wy - 1, 3, 3);
}

// ---------------------------------------------------------------- altimeter

void altimeter_reading(float feet, int* long_deg, int* short_deg, int* hundreds) {
  float f = std::fmod(fltmax2(feet, 0), 1000000.0f);
  int value = flt_to_int(f * 0.36f);
  *long_deg = value % 360;
  *short_deg = (value / 10) % 360;
  *hundreds = flt_to_int(f / 100) % 1000;
}

static void efis_altitude_tape() {
  static int drawn = -1, baro_drawn = -1;
  int x = ins.x_loc[INS_ALT], y = ins.y_loc[INS_ALT];
  float ft = flt.h_ind * con.mtrstoft;
  int tv = flt_to_int(ft * 0.1f);
  int b = bk::round(ins.baro * 200);  // half-hundredths: a change above 0.005
  if (tv != drawn || ins.tickle_all) {
    drawn = tv;
    int cy = y + 48;
    pfill(46, x, y, 25, 97);
    for (int h = (tv / 10 - 5) * 10; h <= tv + 50; h += 10) {
      int r = cy - (h - tv);
      if (h >= 0 && r > y && r < y + 96) pfill(33, x, r, 4, 1);
    }
    float dh = (env.localh * con.mtrstoft + ins.radalt_ft) * 0.1f;
    int br = cy - (flt_to_int(dh) - tv);
    if (br > y + 1 && br < y + 95) pfill(18, x, br - 1, 6, 3);
    int hundreds = flt_to_int(ft * 0.01f);
    pfill(11, x, cy - 6, 25, 13);
    MACIBM_framerect(33, x, cy - 6, 24, 12);
    intnum(x + 3, cy - 3, intmax2(hundreds, 0), 3, 33, 3, 2, 0);
    intnum(x + 7, cy - 20, intmax2(hundreds + 5, 0), 3, 31, 2, 1, 0);
    if (hundreds - 5 >= 0) intnum(x + 7, cy + 12, hundreds - 5, 3, 31, 2, 1, 0);
  }
  if (b != baro_drawn || ins.tickle_all) {
    baro_drawn = b;
    pfill(11, x, y + 100, 26, 9);
    fltnum(x + 2, y + 101, ins.baro, 4, 2, 12, 3, 0, 1);
  }
}

void update_alt() {
  if (pln.paneltype == 2) return efis_altitude_tape();
  static int d_long = -1, d_short = -1, d_value = -1, d_baro = -1;
  int x = ins.x_loc[INS_ALT], y = ins.y_loc[INS_ALT];
  static float feet = 0;
  if (rel.ss_alt || d_value < 0) feet = flt.h_ind * con.mtrstoft;
  int l, s, hundreds;
  altimeter_reading(feet, &l, &s, &hundreds);
  int value = flt_to_int(std::fmod(fltmax2(feet, 0), 1000000.0f) * 0.36f);
  int baro = bk::round(ins.baro * 100);
  if (value == d_value && baro == d_baro && !ins.tickle_all) return;
  if (d_long >= 0) {
    needle(x, y, d_long, 36, ERASE, 11);
    needle(x, y, d_short, 25, ERASE, 11);
  }
  // Drums: the hundreds roll with the tens of feet, then the fixed "00"; the setting.
  int sub = flt_to_int(std::fmod(fltmax2(feet, 0), 100.0f) * 0.09f);
  v_tape_4(x - 22, y + 10, hundreds / 100, 0);
  v_tape_4(x - 16, y + 10, hundreds / 10 % 10, 0);
  v_tape_4(x - 10, y + 10, hundreds % 10, sub);
  v_tape_4(x - 4, y + 10, 0, 0);
  v_tape_4(x + 2, y + 10, 0, 0);
  int b = intlim(baro, 0, 9999);
  for (int k = 0; k < 4; k++) {
    static const int div[4] = {1000, 100, 10, 1};
    v_tape_4(x + 16 + 6 * k, y - 5, b / div[k] % 10, 0);
  }
  needle(x, y, s, 25, 33, 10);
  needle(x, y, l, 36, 33, 10);
  pdisc(28, x, y, 3);
  d_long = l, d_short = s, d_value = value, d_baro = baro;
}

// ---------------------------------------------------------------- vertical speed

float vvi_target(float vu) {
  float lim = pln.paneltype == 2 ? 90 : 160;
  return fltlim(vu * ins.msctoVVI, -lim, lim);
}

void update_vvi() {
  static float value = 0;
  static int drawn = -999;
  int x = ins.x_loc[INS_VVI], y = ins.y_loc[INS_VVI];
  if (rel.ss_vvi) value = lag(value, vvi_target(flt.vu));
  int angle = bk::round(value) - 90;
  if (std::abs(angle - drawn) <= 2 && !ins.tickle_all) return;
  int electronic = pln.paneltype == 2, len = electronic ? 25 : 36;
  if (drawn != -999) needle(x, y, drawn, len, ERASE, 11);
  needle(x, y, angle, len, 33, electronic ? 9 : 10);
  pdisc(28, x, y, 3);
  drawn = angle;
}

// ---------------------------------------------------------------- turn and slip

void update_turnslip() {
  static float turn = 0, ball = 0;
  static int d_turn = -999, d_ball = -999;
  int x = ins.x_loc[INS_TSI], y = ins.y_loc[INS_TSI];
  if (rel.ss_tsi) turn = lag(turn, fltlim(flt.R * 10, -55, 55));
  float side = flt.fsideprop + flt.fsideaero + flt.fsidegear;
  float normal = flt.fnrmlprop + flt.fnrmlaero + flt.fnrmlgear;
  if (std::fabs(normal) < 0.1f) normal = normal < 0 ? -0.1f : 0.1f;
  float target = fltlim(std::atan(side / normal) * R2D * 3, -15, 15);
  if (std::isfinite(target)) ball = lag(ball, target);
  int a = bk::round(turn), b = bk::round(ball);
  if (std::abs(a - d_turn) > 2 || ins.tickle_all) {
    if (d_turn != -999) {
      needle(x, y, d_turn + 270, 33, ERASE, 11);
      needle(x, y, d_turn + 90, 33, ERASE, 11);
      needle(x, y, d_turn, 15, ERASE, 11);
    }
    needle(x, y, a + 270, 33, 33, 10);
    needle(x, y, a + 90, 33, 33, 10);
    needle(x, y, a, 15, 33, 10);
    pdisc(33, x, y, 6);
    d_turn = a;
  }
  if (b != d_ball || ins.tickle_all) {
    if (d_ball != -999) pfill(ERASE, x - d_ball - 1, y + 39, 3, 6);
    pfill(33, x - b - 1, y + 39, 3, 6);
    d_ball = b;
  }
}

// ---------------------------------------------------------------- heading

void update_HSI_DG() {
  static int d_hdg = -1, d_bug = -1, d_crs = -1, d_h = -999, d_v = -999, d_ntf = -1;
  int x = ins.x_loc[INS_HSI], y = ins.y_loc[INS_HSI];
  int hdg = flt_to_int(fltwrap(ins.psimag, 0, 360)) % 360;
  int crs = flt_to_int(fltwrap(nav.obs[1], 0, 360)) % 360;
  int h = intlim(bk::round(nav.hdef[1] * 4), -20, 20), v = intlim(bk::round(nav.vdef[1] * 11), -22, 22);
  int ntf = nav.ntf[1];
  if (hdg == d_hdg && nav.hdsel == d_bug && crs == d_crs && h == d_h && v == d_v && ntf == d_ntf && !ins.tickle_all)
    return;
  d_hdg = hdg, d_bug = nav.hdsel, d_crs = crs, d_h = h, d_v = v, d_ntf = ntf;
  pfill(ERASE, x - 54, y - 54, 109, 109);
  plot_dg(x, y, 52, hdg, 33);
  // Course arrow, its deviation bar between the dots, and the TO/FROM triangle.
  int ca = crs - hdg;
  float s = isin(ca), c = icos(ca);
  auto at = [&](float along, float across, int* px, int* py) {
    *px = x + bk::round(along * s + across * c);
    *py = y - bk::round(along * c - across * s);
  };
  int ax, ay, bx, by;
  at(38, 0, &ax, &ay);
  at(18, 0, &bx, &by);
  pline(12, ax, ay, bx, by);
  at(30, -4, &bx, &by);
  pline(12, ax, ay, bx, by);
  at(30, 4, &bx, &by);
  pline(12, ax, ay, bx, by);
  at(-18, 0, &ax, &ay);
  at(-38, 0, &bx, &by);
  pline(12, ax, ay, bx, by);
  for (int k = -2; k <= 2; k++) {
    if (!k) continue;
    at(0, 8.0f * k, &ax, &ay);
    pfill(33, ax - 1, ay - 1, 2, 2);
  }
  at(16, (float)h, &ax, &ay);
  at(-16, (float)h, &bx, &by);
  pline(12, ax, ay, bx, by);
  if (ntf) {
    float dir = ntf == 1 ? 1.0f : -1.0f;
    at(10 * dir, 6, &ax, &ay);
    at(4 * dir, 3, &bx, &by);
    pline(33, ax, ay, bx, by);
    at(4 * dir, 9, &bx, &by);
    pline(33, ax, ay, bx, by);
  }
  pole(x, y, nav.hdsel - hdg, 46, 52, 17);
  // Lubber line and the aircraft.
  pfill(17, x, y - 54, 1, 8);
  pfill(17, x - 10, y, 21, 2);
  pfill(17, x, y - 6, 2, 16);
  pfill(17, x - 4, y + 8, 10, 2);
  // Glide-slope pointers either side, outside the card: the old ones go first.
  // They sit below the centre when the aircraft is above the path.
  if (pln.gsw > 0) {
    pfill(ERASE, pln.gsx1, pln.gsy1, pln.gsw, pln.gsy2 - pln.gsy1 + 1);
    pfill(ERASE, pln.gsx2 - pln.gsw, pln.gsy1, pln.gsw, pln.gsy2 - pln.gsy1 + 1);
  }
  if (pln.gsw > 0 && nav.goodnav[1] && nav.ilsgs[1] > 0 && nav.ilsgs[1] < 9) {
    pfill(17, pln.gsx1, pln.gsyc + v - 1, pln.gsw, 3);
    pfill(17, pln.gsx2 - pln.gsw, pln.gsyc + v - 1, pln.gsw, 3);
  }
  if (pln.paneltype == 2) {
    intnum_erase(x - 40, y - 66, nav.hdsel, 3, 33, 3, 1);
    intnum_erase(x + 24, y - 66, crs, 3, 17, 3, 1);
  }
}

// ---------------------------------------------------------------- supplementary instruments

int radalt_dial_angle(float feet) {
  float h = fltlim(feet, 0, 2500);
  return h < 500 ? flt_to_int(h * 180 / 500) : flt_to_int(180 + (h - 500) * 180 / 5000);
}

void update_radalt() {
  static int d_needle = -1, d_bug = -1, below = 0;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP] - 14;
  float h = fltlim(height_ft(), 0, 2500);
  int a = radalt_dial_angle(h), b = radalt_dial_angle(ins.radalt_ft);
  if (h < ins.radalt_ft && !below) play_buffer(SND_MINIMUMS, 0);
  below = h < ins.radalt_ft;
  if (std::abs(a - d_needle) <= 2 && b == d_bug && !ins.tickle_all) return;
  if (d_needle >= 0) {
    pole(x, y, d_needle, 10, 26, ERASE);
    pole(x, y, d_bug, 16, 26, ERASE);
  }
  pole(x, y, b, 16, 26, 19);
  pole(x, y, a, 10, 26, 33);
  d_needle = a, d_bug = b;
}

void update_vari() {
  static float e_prev = 0;
  static int have = 0, drawn = -999;
  float g = atm.g > 0 ? atm.g : 9.8f;
  float e = g * (float)flt.z + flt.av * flt.av / 2;
  if (msc.paused && have) return;  // no time passes, no rate
  float rate = have && msc.prd > 0 ? (e - e_prev) / msc.prd / g * con.msctofpm : 0;
  e_prev = e, have = 1;
  int a = 270 + flt_to_int(fltlim(rate * 128 / 400, -128, 128));
  if (std::abs(a - drawn) <= 2 && !ins.tickle_all) return;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
  if (drawn != -999) needle(x, y, drawn, 25, ERASE, 11);
  needle(x, y, a, 25, 33, 10);
  drawn = a;
}

void update_stormscope() {
  static int d_hdg = -1, d_x = -99999, d_y = -99999;
  int x = ins.x_loc[INS_SUPP], y = ins.y_loc[INS_SUPP];
  const float px_per_m = 2.5f * con.mtrstonm;
  int hdg = flt_to_int(flt.psi), ax = flt_to_int(flt.x * px_per_m), ay = flt_to_int(flt.y * px_per_m);
  if (hdg == d_hdg && ax == d_x && ay == d_y && !ins.tickle_all && !ins.tickle_str) return;
  d_hdg = hdg, d_x = ax, d_y = ay;
  ins.tickle_str = 0;
  pfill(ERASE, x - 46, y - 46, 93, 93);
  for (int k = 0; k < 60; k++) {
    if (atm.strike_t_exp[k] <= msc.elap_time) continue;
    float dx = (atm.strike_x[k] - (float)flt.x) * px_per_m, dy = (atm.strike_y[k] - (float)flt.y) * px_per_m;
    float d = std::sqrt(dx * dx + dy * dy);
    if (d > 44) continue;
    float b = std::atan2(dx, dy) * R2D - flt.psi;
    int sx = x + bk::round(d * std::sin(b * D2R)), sy = y - bk::round(d * std::cos(b * D2R));
    pfill(17, sx - 1, sy, 3, 1);
    pfill(17, sx, sy - 1, 1, 3);
  }
  pfill(31, x - 5, y, 11, 1);
  pfill(31, x, y - 3, 1, 8);
  pfill(31, x - 2, y + 4, 5, 1);
}

// ---------------------------------------------------------------- moving maps and the weather radar

static int clip_x0, clip_y0, clip_x1, clip_y1;
static void cpoint(int colour, int x, int y) {
  if (x >= clip_x0 && x < clip_x1 && y >= clip_y0 && y < clip_y1) ppoint(colour, x, y);
}
static void cline(int colour, int x0, int y0, int x1, int y1) {
  int n = intmax2(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= n; i++)
    cpoint(colour, x0 + (n ? (x1 - x0) * i / n : 0), y0 + (n ? (y1 - y0) * i / n : 0));
}
static void ctext(int colour, int x, int y, const char* s) {
  int w = 6 * (int)std::strlen(s);
  if (x < clip_x0 || x + w > clip_x1 || y - 7 < clip_y0 || y > clip_y1) return;
  ptext(colour, x, y, s);
}

void update_glass(int kind) {
  static int d_x[20], d_y[20], d_h[20], seen[20];
  int x0, y0, w, h, mode;
  float range;
  int* request;
  switch (kind) {
    case 16:
      x0 = ins.x_loc[INS_EFIS] + 200, y0 = ins.y_loc[INS_EFIS] + 23, w = 180, h = 222;
      mode = set.map_mode, range = set.map_range, request = &ins.tickle_map;
      break;
    case 17:
      x0 = ins.x_loc[INS_SUPP] - 45, y0 = ins.y_loc[INS_SUPP] - 51, w = 62, h = 79;
      mode = set.arg_mode, range = set.arg_range, request = &ins.tickle_arg;
      break;
    case 18:
      x0 = ins.x_loc[INS_SUPP] - 42, y0 = ins.y_loc[INS_SUPP] - 58, w = 84, h = 88;
      mode = 1, range = set.radar_range, request = &ins.tickle_str;
      break;
    default: return;
  }
  range = fltlim(range, 7.5f, 30);
  float px_per_m = h * 0.5f / range * con.mtrstonm;
  int ax = flt_to_int(flt.x * px_per_m), ay = flt_to_int(flt.y * px_per_m), hdg = flt_to_int(flt.psi);
  int every8 = kind == 16 && msc.evup > 0 && msc.cntr % (8 * msc.evup) == 0;
  if (seen[kind] && ax == d_x[kind] && ay == d_y[kind] && hdg == d_h[kind] && !*request && !ins.tickle_all &&
      !every8)
    return;
  seen[kind] = 1, d_x[kind] = ax, d_y[kind] = ay, d_h[kind] = hdg;
  *request = 0;
  clip_x0 = x0, clip_y0 = y0, clip_x1 = x0 + w, clip_y1 = y0 + h;
  pfill(11, x0, y0, w, h);
  int heading_up = mode == 1 || mode == 2;
  int cx = x0 + w / 2, cy = mode == 1 ? y0 + h * 3 / 4 : y0 + h / 2;
  float rot = heading_up ? flt.psi : 0;
  float sr = std::sin(rot * D2R), cr = std::cos(rot * D2R);
  auto to_screen = [&](float dx, float dy, int* sx, int* sy) {
    float rx = dx * cr - dy * sr, ry = dx * sr + dy * cr;
    *sx = cx + bk::round(rx * px_per_m);
    *sy = cy - bk::round(ry * px_per_m);
  };
  // Precipitation returns from the region's weather grid.
  if ((kind == 18 || ins.efis_wxr || kind == 17) && atm.rain_tstm > 1.01f) {
    float cosl = std::cos(flt.lat * D2R);
    for (int sy = y0; sy < y0 + h; sy += 2)
      for (int sx = x0; sx < x0 + w; sx += 2) {
        float rx = (sx - cx) / px_per_m, ry = (cy - sy) / px_per_m;
        float dx = rx * cr + ry * sr, dy = -rx * sr + ry * cr;
        float lat = flt.lat + dy / 111120.0f, lon = flt.lon + dx / (111120.0f * fltmax2(cosl, 0.01f));
        int i = flt_to_int((lon - env.lon_wes) * 200), j = flt_to_int((lat - env.lat_sou) * 200);
        if (i < 0 || j < 0 || i > 600 || j > 400) continue;
        float wx = atm.wxr[i][j];
        if (wx < 0.3f) continue;
        int colour = wx > 0.8f ? 18 : wx > 0.6f ? 17 : 13;
        pfill(colour, sx, sy, 2, 2);
      }
  }
  if (kind != 18) {
    // Airports and radio aids of the region.
    for (int a = 0; a <= env.aptmax && a < APT_MAX; a++) {
      if (!apt_inreg[a]) continue;
      float lat = apt_lat[a][0], lon = apt_lon[a][0];
      int sx, sy;
      to_screen(env_x_of_latlon(lat, lon) - (float)flt.x, env_y_of_lat(lat) - (float)flt.y, &sx, &sy);
      if (sx < x0 + 2 || sx >= x0 + w - 2 || sy < y0 + 2 || sy >= y0 + h - 2) continue;
      cline(12, sx - 2, sy, sx + 2, sy);
      cline(12, sx, sy - 2, sx, sy + 2);
      if (kind == 16) {
        char name[11];
        std::snprintf(name, sizeof name, "%.10s", apt_name[a]);
        ctext(13, sx + 4, sy + 3, name);
      }
    }
    for (int n = 0; n <= env.navmax - 3 && n < NAV_MAX; n++) {
      if (!nav_inreg[n] || (nav_type[n] != NAV_VOR && nav_type[n] != NAV_NDB)) continue;
      int sx, sy;
      to_screen(env_x_of_latlon(nav_lat[n], nav_lon[n]) - (float)flt.x, env_y_of_lat(nav_lat[n]) - (float)flt.y, &sx,
                &sy);
      if (sx < x0 - 3 || sx > x0 + w + 3 || sy < y0 - 3 || sy > y0 + h + 3) continue;
      int colour = nav_type[n] == NAV_VOR ? 43 : 38;
      cline(colour, sx - 2, sy - 2, sx + 2, sy - 2);
      cline(colour, sx + 2, sy - 2, sx + 2, sy + 2);
      cline(colour, sx + 2, sy + 2, sx - 2, sy + 2);
      cline(colour, sx - 2, sy + 2, sx - 2, sy - 2);
    }
  }
  if (kind == 16 && (mode == 0 || mode == 1)) {
    pfill(23, x0, y0, w, 13);
    h_tape_window(ins.h_tape_col1, 360, hdg - w / 2, x0, y0 + 1, w);
    pfill(17, x0 + w / 2, y0, 1, 13);
  }
  char r[8];
  std::snprintf(r, sizeof r, "%d", flt_to_int(range));
  ctext(31, x0 + 2, y0 + h - 2, r);
  // The aircraft.
  int up = heading_up ? 0 : hdg;
  float su = isin(up), cu = icos(up);
  cline(17, cx - bk::round(6 * cu), cy - bk::round(6 * su), cx + bk::round(6 * cu), cy + bk::round(6 * su));
  cline(17, cx - bk::round(4 * su), cy + bk::round(4 * cu), cx + bk::round(7 * su), cy - bk::round(7 * cu));
}

void update_efis_dme() {
  static int drawn = -2;
  int x = ins.x_loc[INS_HSI] - 60, y = ins.y_loc[INS_HSI] + 40;
  float dmedist = nav.dme_nm[1];
  int shown = dmedist > 99 || !nav.goodnav[1] ? -1 : flt_to_int(dmedist * 10);
  if (shown == drawn && !ins.tickle_all) return;
  drawn = shown;
  pfill(11, x - 1, y - 1, 22, 9);
  if (shown < 0) ptext(12, x, y + 7, "...");
  else fltnum(x, y, dmedist, 3, 1, 12, 3, 0, 1);
}
