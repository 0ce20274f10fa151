// The fuel and weights windows. Masses are kept in kilograms and shown in
// pounds; loads are set as fractions of their capacities.
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/propel.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"

float load_fraction(float mass, float capacity) {
  if (!(capacity > 0.01f) || !std::isfinite(mass)) return 0;
  return fltlim(mass / capacity, 0, 1);
}

void weigh_total() { flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison; }

float fuel_endurance_hours() {
  int engines = intlim(pln.numen, 0, ENGINES);
  if (pln.entype == 0 || engines == 0) return -1;
  float at = pln.entype == 3 ? 0.27975f * pln.tmax : 0.55275f * pln.pmax;
  float flow = burnin_fuel(at) * (float)engines;  // kg/s at cruise
  if (!(flow > 0) || !std::isfinite(flow)) return -1;
  return flt.m_fuel / (flow * 3600.0f);
}

static float lb(float kg) { return kg * con.kgstolbs; }

// ================================================================ fuel

enum { FUEL_X = 150, FUEL_Y = 8 };

static void fuel_readout() {
  wk_erase(8, 50, 256, 76);
  wk_textf(12, 56, WK_LABEL, "fuel weight");
  wk_textf(130, 56, WK_VALUE, "%.0f lb", lb(flt.m_fuel));
  wk_textf(12, 72, WK_LABEL, "tanks hold");
  wk_textf(130, 72, WK_VALUE, "%.0f lb", lb(pln.m_fuel));
  wk_textf(12, 88, WK_LABEL, "endurance");
  float hours = fuel_endurance_hours();
  if (hours < 0) wk_text(130, 88, WK_VALUE, "-- (no engine)");
  else wk_textf(130, 88, WK_VALUE, "%.1f hours", hours);
  wk_textf(12, 108, WK_LABEL, "total weight");
  wk_textf(130, 108, pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison > pln.m_max ? WK_ALARM : WK_VALUE,
           "%.0f lb", lb(pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison));
}

static int fuel_field(int redraw) {
  float frac = wk_shown(load_fraction(flt.m_fuel, pln.m_fuel), 1, 2);
  if (!instdbtn_range(WK_VALUE, FUEL_X, FUEL_Y, &frac, 3, 2, redraw, 0, 1) || redraw) return 0;
  flt.m_fuel = pln.m_fuel > 0.01f ? frac * pln.m_fuel : 0;
  weigh_total();
  return 1;
}

void fueplot() {
  if (!wk_begin(WIN_FUEL)) return;
  wk_mouse_away();
  wk_clear();
  wk_text(12, 19, WK_TITLE, "fuel (full = 1)");
  wk_spinner(FUEL_X, FUEL_Y, 3, 0);
  fuel_field(1);
  fuel_readout();
  wk_mouse_back();
}

void fueclick() {
  if (!wk_begin(WIN_FUEL)) return;
  if (!fuel_field(0)) return;
  mark_edited(WIN_FUEL);
  fuel_readout();
}

// ================================================================ weights

enum { WGT_X = 170 };

static int weight_fields(int redraw) {
  float fixed = wk_shown(flt.m_fixed, con.lbstokgs, 0);
  float fuel = wk_shown(load_fraction(flt.m_fuel, pln.m_fuel), 1, 2);
  float jett = wk_shown(load_fraction(flt.m_jettison, pln.m_jettison), 1, 2);
  int a = instdbtn_range(WK_VALUE, WGT_X, 10, &fixed, 6, 0, redraw, 0, std::floor(lb(pln.m_max)));
  int b = instdbtn_range(WK_VALUE, WGT_X, 54, &fuel, 3, 2, redraw, 0, 1);
  int c = instdbtn_range(WK_VALUE, WGT_X, 98, &jett, 3, 2, redraw, 0, 1);
  if (redraw || !(a || b || c)) return 0;
  if (a) flt.m_fixed = fixed * con.lbstokgs;
  if (b) flt.m_fuel = pln.m_fuel > 0.01f ? fuel * pln.m_fuel : 0;
  if (c) flt.m_jettison = pln.m_jettison > 0.01f ? jett * pln.m_jettison : 0;
  weigh_total();
  return 1;
}

static void weight_readout() {
  wk_erase(250, 8, 180, 130);
  wk_textf(250, 21, WK_LABEL, "lb (max %.0f)", std::floor(lb(pln.m_max)));
  wk_textf(250, 65, WK_LABEL, "of %.0f lb", lb(pln.m_fuel));
  wk_textf(250, 109, WK_LABEL, "of %.0f lb", lb(pln.m_jettison));
  wk_erase(12, 150, 420, 96);
  static const char* const names[5] = {"empty", "fuel", "jettisonable", "total", "maximum"};
  float total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  float kg[5] = {pln.m_empty, flt.m_fuel, flt.m_jettison, total, pln.m_max};
  for (int k = 0; k < 5; k++) {
    int over = k == 3 && total > pln.m_max;
    wk_text(30, 152 + 18 * k, over ? WK_ALARM : WK_LABEL, names[k]);
    wk_textf(170, 152 + 18 * k, over ? WK_ALARM : WK_VALUE, "%8.0f lb", lb(kg[k]));
  }
  if (total > pln.m_max) wk_text(270, 206, WK_ALARM, "above the maximum!");
}

void wgtplot() {
  if (!wk_begin(WIN_WEIGHTS)) return;
  wk_mouse_away();
  wk_clear();
  wk_text(12, 21, WK_TITLE, "payload");
  wk_text(12, 65, WK_TITLE, "fuel (full = 1)");
  wk_text(12, 109, WK_TITLE, "jettisonable (full = 1)");
  wk_spinner(WGT_X, 10, 6, 0);
  wk_spinner(WGT_X, 54, 3, 0);
  wk_spinner(WGT_X, 98, 3, 0);
  MACIBM_hshline(WK_FRAME, 12, 142, 412);
  weight_fields(1);
  weight_readout();
  wk_mouse_back();
}

void wgtclick() {
  if (!wk_begin(WIN_WEIGHTS)) return;
  if (!weight_fields(0)) return;
  mark_edited(WIN_WEIGHTS);
  weight_readout();
}
