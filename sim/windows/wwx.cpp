// The time of day and the four weather windows: space, atmosphere, ground
// and water. Values are shown in feet, knots, nautical miles and degrees and
// kept in metres and metres per second.
#include <cmath>
#include "basekit/bk_btn.h"
#include "basekit/bk_const.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/view/scn.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"
#include "sim/world/apt.h"

// ================================================================ the rules

static float field_ft() {
  int n = intlim(msc.loc_index, 0, APT_MAX - 1);
  return std::isfinite(apt_z[n]) ? apt_z[n] * con.mtrstoft : 0;
}

static float tops_ft() { return atm.topsMSL * con.mtrstoft; }
static float base_ft() { return atm.baseMSL * con.mtrstoft; }

static void store_clouds(float base, float tops) {
  float field = field_ft();
  atm.baseMSL = base * con.fttomtrs;
  atm.topsMSL = tops * con.fttomtrs;
  atm.baseAGL = (base - field) * con.fttomtrs;
}

void wx_set_tops_ft(float ft) {
  float field = field_ft();
  // At least field + 2000, and room for a base at its own floor below it.
  float tops = fltlim(ft, field + 2050, 99999);
  float base = fltlim(base_ft(), field + 50, 97999);
  if (base > tops - 2000) base = tops - 2000;  // the tops push the base down
  store_clouds(base, tops);
}

void wx_set_base_ft(float ft) {
  float field = field_ft();
  float base = fltlim(ft, field + 50, 97999);
  float tops = fltmax2(tops_ft(), fltmax2(base + 2000, field + 2000));  // the base pushes the tops up
  store_clouds(base, fltmin2(tops, 99999));
}

void wx_set_base_agl_ft(float ft) {
  float field = field_ft();
  wx_set_base_ft(field + fltlim(ft, 50, fltmax2(97999 - field, 50)));
}

void wx_set_cloud_type(int type) {
  atm.cld_type = type ? 1 : 0;
  if (!atm.cld_type) wx_set_precipitation(1);
}

void wx_set_precipitation(int level) {
  atm.rain_tstm = (float)intlim(level, 1, 5);
  if (atm.rain_tstm <= 1) atm.strike_lighting = atm.strike_up = 0;
  else atm.cld_type = 1;
}

// ================================================================ time of day

static const char* const times[4] = {"day", "late dawn/early dusk", "early dawn/late dusk", "night"};

static void time_boxes() {
  for (int k = 0; k < 4; k++) {
    inonebool(16, 18 + 26 * k, &scn.time, k + 1);
    wk_erase(34, 16 + 26 * k, 140, 15);
    wk_text(34, 16 + 26 * k, scn.time == k + 1 ? WK_TITLE : WK_LABEL, times[k]);
  }
}

void timplot() {
  if (!wk_begin(WIN_TIME)) return;
  wk_mouse_away();
  wk_clear();
  time_boxes();
  wk_mouse_back();
}

void timclick() {
  if (!wk_begin(WIN_TIME)) return;
  for (int k = 0; k < 4; k++)
    if (inonebool(16, 18 + 26 * k, &scn.time, k + 1)) {
      mark_edited(WIN_TIME);
      wk_mouse_away();
      time_boxes();
      wk_mouse_back();
      return;
    }
}

// ================================================================ space, ground

static int space_field(int redraw) {
  return in4textbtn(16, 50, "light", "moderate", "heavy", "severe", 150, 130, &atm.meteorite_code, redraw);
}

void spaplot() {
  if (!wk_begin(WIN_WX_SPACE)) return;
  wk_mouse_away();
  wk_clear();
  wk_text(16, 10, WK_TITLE, "space weather");
  atm.meteorite_code = intlim(atm.meteorite_code, 1, 4);
  wk_cycler(16, 50, 150);
  space_field(1);
  wk_mouse_back();
}

void spaclick() {
  if (!wk_begin(WIN_WX_SPACE)) return;
  if (space_field(0)) mark_edited(WIN_WX_SPACE);
}

static int ground_field(int redraw) {
  return in3textbtn(16, 60, "clean and dry", "damp or slushy", "wet or icy", 150, 130, &atm.rway_fric_code, redraw);
}

void gndplot() {
  if (!wk_begin(WIN_WX_GROUND)) return;
  wk_mouse_away();
  wk_clear();
  wk_text(16, 10, WK_TITLE, "runways");
  atm.rway_fric_code = intlim(atm.rway_fric_code, 1, 3);
  wk_cycler(16, 60, 150);
  ground_field(1);
  wk_text(16, 100, WK_LABEL, "Braking and steering");
  wk_text(16, 114, WK_LABEL, "grip less on wet or icy");
  wk_text(16, 128, WK_LABEL, "runways.");
  wk_mouse_back();
}

void gndclick() {
  if (!wk_begin(WIN_WX_GROUND)) return;
  if (ground_field(0)) mark_edited(WIN_WX_GROUND);
}

// ================================================================ water

enum { WAT_X = 120 };

static int water_fields(int redraw) {
  float amp = wk_shown(atm.wave_amp, con.fttomtrs, 0), len = wk_shown(atm.wave_length, con.fttomtrs, 0);
  float spd = wk_shown(atm.wave_speed, con.ktstomsc, 0), dir = (float)atm.wave_dir;
  // Within what the weather keeps: 9.9 m, 99 m, 99 m/s.
  int c = instdbtn_range(WK_VALUE, WAT_X, 20, &amp, 2, 0, redraw, 0, std::floor(9.9f * con.mtrstoft));
  c |= instdbtn_range(WK_VALUE, WAT_X, 80, &len, 3, 0, redraw, 0, std::floor(99 * con.mtrstoft));
  c |= instdbtn_range(WK_VALUE, WAT_X, 140, &spd, 3, 0, redraw, 0, std::floor(99 * con.msctokts));
  c |= instdbtn_range(WK_VALUE, WAT_X, 200, &dir, 3, 0, redraw, 0, 360);
  if (c && !redraw) {
    atm.wave_amp = amp * con.fttomtrs;
    atm.wave_length = len * con.fttomtrs;
    atm.wave_speed = spd * con.ktstomsc;
    atm.wave_dir = flt_to_int(dir);
  }
  return c;
}

void watplot() {
  if (!wk_begin(WIN_WX_WATER)) return;
  wk_mouse_away();
  wk_clear();
  static const char* const labels[4][2] = {
      {"wave height", "ft"}, {"wave length", "ft"}, {"wave speed", "kt"}, {"wave from", "deg"}};
  static const int digits[4] = {2, 3, 3, 3};
  for (int k = 0; k < 4; k++) {
    wk_text(12, 31 + 60 * k, WK_LABEL, labels[k][0]);
    wk_spinner(WAT_X, 20 + 60 * k, digits[k], 0);
    wk_text(WAT_X + 10 * digits[k] + 6, 31 + 60 * k, WK_LABEL, labels[k][1]);
  }
  water_fields(1);
  wk_mouse_back();
}

void watclick() {
  if (!wk_begin(WIN_WX_WATER)) return;
  if (water_fields(0)) mark_edited(WIN_WX_WATER);
}

// ================================================================ atmosphere

enum { AX = 130, LAYER_X = 318, LAYER_Y = 40, LAYER_DY = 40 };
// Wind-layer columns: direction, speed, shear direction, shear speed, turbulence.
static const int col_x[5] = {LAYER_X + 86, LAYER_X + 130, LAYER_X + 170, LAYER_X + 214, LAYER_X + 254};
static const int col_digits[5] = {3, 2, 3, 2, 1};
static const char* const layer_names[9] = {"below 1000", "1000-2000", "2000-3000", "3000-4000", "4000-5000",
                                           "5000-7000", "7000-10000", "10000-15000", "above 15000"};

static int choice_of(float level, int lo, int hi) { return intlim(bk::round(level), lo, hi); }

// The clouds' three heights, each a 5-digit field; returns 1 when one moved.
static int cloud_fields(int redraw) {
  float tops = wk_shown(atm.topsMSL, con.fttomtrs, 0), base = wk_shown(atm.baseMSL, con.fttomtrs, 0);
  float agl = wk_shown(atm.baseAGL, con.fttomtrs, 0);
  float t0 = tops, b0 = base, a0 = agl;
  instdbtn(WK_VALUE, AX, 58, &tops, 5, 0, redraw, 0);
  instdbtn(WK_VALUE, AX, 96, &base, 5, 0, redraw, 0);
  instdbtn(WK_VALUE, AX, 134, &agl, 5, 0, redraw, 0);
  if (redraw) return 0;
  if (tops != t0) wx_set_tops_ft(tops);
  else if (base != b0) wx_set_base_ft(base);
  else if (agl != a0) wx_set_base_agl_ft(agl);
  else return 0;
  return 1;
}

static void cloud_readout() {
  wk_erase(AX + 56, 58, 100, 110);
  for (int k = 0; k < 3; k++) wk_text(AX + 58, 69 + 38 * k, WK_LABEL, "ft");
  int n = intlim(msc.loc_index, 0, APT_MAX - 1);
  wk_erase(20, 172, 280, 14);
  wk_textf(20, 172, WK_LABEL, "field %s at %.0f ft", apt_id[n], field_ft());
}

// The option cyclers; returns which one moved (1..5), 0 for none.
static int atm_cyclers(int redraw) {
  int cld = atm.cld_type ? 1 : 0, rain = choice_of(atm.rain_tstm, 1, 5), turb = choice_of(atm.wind_tbl, 1, 5);
  int shear = choice_of(atm.burst_prob, 1, 5), rate = intlim(atm.rate_change, 1, 8);
  int moved = 0;
  if (in2textbtn(AX, 38, "clear", "overcast", 140, 130, &cld, redraw) && !redraw) {
    wx_set_cloud_type(cld);
    moved = 1;
  }
  if (in5textbtn(AX, 268, "none", "light", "moderate", "heavy", "severe", 140, 130, &rain, redraw) && !redraw) {
    wx_set_precipitation(rain);
    moved = 2;
  }
  if (in5textbtn(AX, 304, "none", "light", "moderate", "heavy", "severe", 140, 130, &turb, redraw) && !redraw) {
    choose_turbulence((float)turb);
    moved = 3;
  }
  if (in5textbtn(AX, 340, "none", "slight", "moderate", "high", "very high", 140, 130, &shear, redraw) && !redraw) {
    atm.burst_prob = (float)shear;
    moved = 4;
  }
  if (in8textbtn(AX, 376, "rapidly deteriorating", "deteriorating", "gradually deteriorating", "stagnant",
                 "gradually improving", "improving", "rapidly improving", "RANDOM!", 140, 130, &rate, redraw) &&
      !redraw) {
    atm.rate_change = rate;
    moved = 5;
  }
  return moved;
}

static int vis_and_air_fields(int redraw) {
  float vis = wk_shown(atm.vis, con.nmtomtrs, 1), temp = std::round(atm.temp_SL), baro = wk_shown(atm.baro, 1, 2);
  int c = instdbtn_range(WK_VALUE, AX, 208, &vis, 3, 1, redraw, 0.1f, 20.0f);
  int t = instdbtn_range(WK_VALUE, AX, 418, &temp, 3, 0, redraw, -20, 120);
  int b = instdbtn_range(WK_VALUE, AX, 466, &baro, 4, 2, redraw, 25.0f, 35.0f);
  if (redraw) return 0;
  if (c) atm.vis = vis * con.nmtomtrs;
  if (t) atm.temp_SL = temp;
  if (b) atm.baro = baro;
  return c || t || b;
}

// A press on a direction's hundreds or tens column: +-100 or +-10 degrees,
// round the compass; 0 when the press is elsewhere.
static float direction_step(int x, int y) {
  if (!msc.mousedown || msc.my < y || msc.my >= y + 35 || msc.mx < x || msc.mx >= x + 20) return 0;
  float step = msc.mx < x + 10 ? 100.0f : 10.0f;
  return msc.my < y + 17 ? step : -step;
}

static int layer_fields(int i, int redraw) {
  float v[5] = {fltnear(atm.wnddir[i], 10, 1), wk_shown(atm.wndspd[i], con.ktstomsc, 0),
                fltnear(atm.shrdir[i], 10, 1), wk_shown(atm.shrspd[i], con.ktstomsc, 0), std::round(atm.tbl[i])};
  int changed = -1;
  int y = LAYER_Y + LAYER_DY * i;
  for (int c = 0; c < 5; c++) {
    if (redraw) {
      instdbtn(WK_VALUE, col_x[c], y, &v[c], col_digits[c], 0, 1, 0);
    } else if (c == 0 || c == 2) {
      // Directions step by 100 and 10 degrees: their units column takes no clicks.
      float d = direction_step(col_x[c], y);
      if (d != 0) {
        v[c] = c == 0 ? wrap360(v[c] + d) : fltlim(v[c] + d, 0, 180);
        changed = c;
      }
    } else if (instdbtn(WK_VALUE, col_x[c], y, &v[c], col_digits[c], 0, 0, 0)) {
      changed = c;
    }
  }
  if (changed < 0) return 0;
  atm.wnddir[i] = v[0];
  atm.wndspd[i] = v[1] * con.ktstomsc;
  atm.shrdir[i] = v[2];
  atm.shrspd[i] = v[3] * con.ktstomsc;
  atm.tbl[i] = v[4];
  limwx();
  wk_mouse_away();
  layer_fields(i, 1);  // as the limits left it
  wk_mouse_back();
  return 1;
}

static int atm_checks() {
  int* flags[5] = {&atm.change_clouds, &atm.change_vis, &atm.change_precip, &atm.change_turb, &atm.change_micro};
  int changed = 0;
  for (int k = 0; k < 5; k++) changed |= inboolbtn(LAYER_X + 12 + 150 * (k % 2), 448 + 22 * (k / 2), flags[k]);
  return changed;
}

static void atmplotdata(int redraw) {
  limwx();
  if (redraw) {
    wk_clear();
    wk_group(8, 16, 296, 176, "Clouds");
    wk_text(20, 30, WK_LABEL, "type");
    wk_cycler(AX, 38, 140);
    wk_text(20, 69, WK_LABEL, "tops (MSL)");
    wk_text(20, 107, WK_LABEL, "base (MSL)");
    wk_text(20, 145, WK_LABEL, "base (above field)");
    for (int k = 0; k < 3; k++) wk_spinner(AX, 58 + 38 * k, 5, 0);
    wk_group(8, 202, 296, 196, "Weather");
    wk_text(20, 219, WK_LABEL, "visibility");
    wk_spinner(AX, 208, 3, 0);
    wk_text(AX + 38, 219, WK_LABEL, "nm");
    static const char* const names[4] = {"precipitation", "turbulence", "shear, bursts", "rate of change"};
    for (int k = 0; k < 4; k++) {
      wk_text(20, 260 + 36 * k, WK_LABEL, names[k]);
      wk_cycler(AX, 268 + 36 * k, 140);
    }
    wk_group(8, 408, 296, 112, "At sea level");
    wk_text(20, 429, WK_LABEL, "temperature");
    wk_spinner(AX, 418, 3, 0);
    wk_text(AX + 38, 429, WK_LABEL, "deg F");
    wk_text(20, 477, WK_LABEL, "pressure");
    wk_spinner(AX, 466, 4, 0);
    wk_text(AX + 48, 477, WK_LABEL, "in Hg");
    wk_group(LAYER_X - 8, 16, 304, 414, "Wind layers (ft)");
    static const char* const heads[5] = {"from", "kt", "shear", "kt", "turb"};
    for (int c = 0; c < 5; c++) wk_text(col_x[c], 24, WK_TITLE, heads[c]);
    for (int i = 0; i < 9; i++) {
      wk_text(LAYER_X, LAYER_Y + LAYER_DY * i + 11, WK_LABEL, layer_names[i]);
      for (int c = 0; c < 5; c++) wk_spinner(col_x[c], LAYER_Y + LAYER_DY * i, col_digits[c], c == 0 || c == 2 ? 4 : 0);
    }
    wk_group(LAYER_X - 8, 436, 304, 84, "May change over time");
    static const char* const checks[5] = {"clouds", "visibility", "precipitation", "turbulence", "shear"};
    for (int k = 0; k < 5; k++) wk_text(LAYER_X + 26 + 150 * (k % 2), 446 + 22 * (k / 2), WK_LABEL, checks[k]);
  }
  cloud_fields(1);
  cloud_readout();
  atm_cyclers(1);
  vis_and_air_fields(1);
  for (int i = 0; i < 9; i++) layer_fields(i, 1);
  atm_checks();
}

void atmplot() {
  if (!wk_begin(WIN_WX_ATMOSPHERE)) return;
  wk_mouse_away();
  atmplotdata(1);
  wk_mouse_back();
}

void atmclick() {
  if (!wk_begin(WIN_WX_ATMOSPHERE)) return;
  int changed = cloud_fields(0);
  changed |= atm_cyclers(0) != 0;
  changed |= vis_and_air_fields(0);
  for (int i = 0; i < 9; i++) changed |= layer_fields(i, 0);
  changed |= atm_checks();
  if (!changed) return;
  mark_edited(WIN_WX_ATMOSPHERE);
  // The weather re-derived, then every value shown as it now stands, with
  // the pointer taken off the window: a cloud height or a precipitation
  // level may have moved its neighbours.
  wk_mouse_away();
  atmplotdata(0);
  wk_mouse_back();
}
