// Failures drawn once a second, and what a failure leaves behind: the vacuum's
// horizon errors, hydraulics bleeding down, oil running out, a governor
// stuck open, and the surface that breaks off above the redline.
#include "sim/flight/failures.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/sound/do_sound.h"

enum { ECAM_STATUS_PAGE = 8 };

int failme(int w) {
  if (w < 0 || w >= FAILURE_KINDS) return 0;
  int failed = 0;
  if (rel.fail_type[w] == FAIL_NOW) failed = 1;
  // Once in fail_time_max minutes on average; a time of 0 fails at once.
  else if (rel.fail_type[w] == FAIL_MEAN_TIME) failed = fltrand(0, 60 * fltmax2(rel.fail_time_max[w], 0)) < 1;
  if (!failed) failed = fltrand(0, 1000) < rel.total_fail_entry && fltrand(0, 1000) < rel.total_fail_entry;
  return failed;
}

const char* failure_kind_name(int w) {
  static const char* const names[FAILURE_KINDS] = {
      "vacuum",          "airspeed",        "attitude",        "altimeter",      "turn and slip",
      "direct. gyro",    "vertical speed",  "display 1",       "display 2",      "engine",
      "ailerons",        "elevator",        "rudder",          "flaps",          "slats",
      "throttles",       "nose gear",       "left gear",       "right gear",     "hydraulics",
      "governor",        "stab. augment.",  "flap symmetry",   "pitch trim",     "thrust reverser",
      "anti-ice",        "oil pump",        "cockpit lights",  "autopilot",      "tail rotor"};
  return w >= 0 && w < FAILURE_KINDS ? names[w] : "";
}

// A horizon error within +-range, but never within +-10 degrees.
static float pushed_error(float range) {
  float v = fltrand(-range, range);
  if (std::fabs(v) < 10) v = v < 0 ? -10 : 10;
  return v;
}

static int engines_fitted() { return pln.entype != 0 && pln.numen > 0; }
static int engine_count() { return intlim(pln.numen, 0, ENGINES); }

// A per-engine item is tried only while it works on every engine, so that a
// second engine cannot fail in the same kind while one has.
static int all_work(const int* item) {
  for (int n = 0; n < engine_count(); n++)
    if (!item[n]) return 0;
  return 1;
}

static int new_failures;  // this second, in the kinds the engine page reports

// Kind w fails when the condition holds and its draw says so.
static int tried(int w, int condition) {
  if (!condition || !failme(w)) return 0;
  if (w == 0 || (w >= 9 && w <= 26)) new_failures++;
  return 1;
}

static void draw_failures() {
  float now = msc.elap_time;
  int e = engine_count() > 0 ? intrand(0, engine_count() - 1) : 0;
  new_failures = 0;
  if (tried(0, pln.paneltype == 1 && rel.vacuum)) {
    rel.vacuum = 0;
    rel.vac_death_time = now;
    rel.the_fail_err = pushed_error(40);
    rel.phi_fail_err = pushed_error(20);
  }
  int* instruments[6] = {&rel.ss_asi, &rel.ss_ahz, &rel.ss_alt, &rel.ss_tsi, &rel.ss_dgy, &rel.ss_vvi};
  for (int k = 0; k < 6; k++)
    if (tried(1 + k, *instruments[k])) *instruments[k] = 0;
  if (tried(7, pln.paneltype == 2 && rel.efis_1)) rel.efis_1 = 0;
  if (tried(8, pln.paneltype == 2 && rel.efis_2)) rel.efis_2 = 0;
  if (tried(9, engines_fitted() && all_work(rel.engine))) rel.engine[e] = 0;
  if (tried(10, pln.ailnEQ && rel.fc_ail)) rel.fc_ail = 0;
  if (tried(11, rel.fc_elv)) rel.fc_elv = 0;
  if (tried(12, rel.fc_rud)) rel.fc_rud = 0;
  if (tried(13, pln.flapEQ && rel.fc_flp)) rel.fc_flp = 0;
  if (tried(14, pln.slatEQ && rel.fc_slt)) rel.fc_slt = 0;
  if (tried(15, engines_fitted() && rel.fc_thr)) rel.fc_thr = 0;
  for (int g = 0; g < 3; g++)
    if (tried(16 + g, pln.gearEQ && rel.lagear[g])) rel.lagear[g] = 0;
  if (tried(19, pln.ff_hydraulic && rel.hydsys)) {
    rel.hydsys = 0;
    rel.hyd_fail_time = now;
  }
  if (tried(20, all_work(rel.thrgov))) rel.thrgov[e] = 0;
  if (tried(21, rel.stbaug)) rel.stbaug = 0;
  if (tried(22, pln.flapEQ && rel.symflp)) rel.symflp = 0;
  if (tried(23, rel.sttrim)) rel.sttrim = 0;
  if (tried(24, pln.revthrustEQ && all_work(rel.revlok))) rel.revlok[e] = 0;
  if (tried(25, pln.antiiceEQ && rel.antice)) rel.antice = 0;
  if (tried(26, engines_fitted() && all_work(rel.oilpmp))) {
    rel.oilpmp[e] = 0;
    rel.oil_fail_time = now;
  }
  if (tried(27, rel.clights)) rel.clights = 0;
  if (tried(28, rel.otto)) rel.otto = 0;
  if (tried(29, pln.is_heli && rel.trotor)) rel.trotor = 0;
  if (new_failures && pln.ecam) {
    play_buffer(SND_CAUTION, 0);
    set.ecam_page = ECAM_STATUS_PAGE;  // the engine page shows what failed
  }
}

// Indicated airspeed in the unit the panel's dial uses.
static float panel_speed() { return pln.asi_units == 2 ? flt.vind : flt.vind * 1.15f; }

static void hydraulics() {
  float now = msc.elap_time;
  rel.RAT_on = 0;
  float h = 1;
  if (!pln.ff_hydraulic) {
    h = 1;
  } else if (pln.is_heli) {
    h = pln.omegamax > 0 ? flt.tac[0] / pln.omegamax : 0;
  } else {
    int n = engine_count(), running = 0;
    float sum = 0;
    for (int k = 0; k < n; k++) {
      sum += pln.entype == 3 ? flt.n1_[k] / 100 : (pln.omegamax > 0 ? flt.tac[k] / pln.omegamax : 0);
      running += flt.eng_running[k] != 0;
    }
    h = 0.7f + 0.2f * (n > 0 ? sum / n : 0);
    if (!running && !flt.onsurface) {
      rel.RAT_on = 1;
      h = pln.Vne > 0 ? panel_speed() / pln.Vne : 0;
    }
    if (flt.h > 20000) h = 1;
  }
  if (!rel.hydsys) h = 0.85f * (1 - fltlim((now - rel.hyd_fail_time) / 90, 0, 1));
  rel.hyd_rat = std::isfinite(h) ? fltlim(h, 0, 1) : 0;
}

static void oil() {
  int any = 0;
  for (int n = 0; n < ENGINES; n++) any |= !rel.oilpmp[n];
  rel.oil_rat = any ? 1 - fltlim((msc.elap_time - rel.oil_fail_time) / 300, 0, 1) : 1;
}

static void overspeed() {
  if (pln.is_heli) return;
  float v = panel_speed();
  if (pln.Vne > 0 && v > 1.1f * pln.Vne && msc.warn_overspeed && !flt.over_vne) {
    flt.over_vne = 1;  // the forward lifting surface is gone from now on
    MACIBM_alert("You just busted the redline speed.", "I shall now remove a critical flying surface.",
                 "Enjoy the ride down.",
                 "(To avoid this occurrence again, you can fly more slowly or select the 'Warnings' item in the "
                 "'Settings' menu).",
                 0);
  }
  if (flt.flaprequest <= 0) flt.over_vfe = 0;
  if (pln.flapEQ && pln.Vfe > 0 && v > pln.Vfe && flt.flaprequest > 0 && msc.warn_flaps && !flt.over_vfe) {
    flt.over_vfe = 1;
    MACIBM_alert("You just extended the flaps above Vfe.",
                 "(To avoid this occurrence again, you can fly right or go to the 'Warnings' item in the "
                 "'Settings' menu.",
                 "", "", 0);
  }
}

void failures_sec() {
  draw_failures();
  for (int n = 0; n < ENGINES; n++)
    flt.eng_running[n] = n < pln.numen && flt.m_fuel > 0.01f && flt.mixt_powr_rat[n] > 0.01f && rel.engine[n];
  // A failed reverser lock leaves its engine in reverse.
  if (pln.revthrustEQ)
    for (int n = 0; n < engine_count(); n++)
      if (!rel.revlok[n]) flt.revving_thrust[n] = 1;
  hydraulics();
  oil();
  overspeed();
}

void repair_instruments() {
  rel.vacuum = rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
  rel.efis_1 = rel.efis_2 = 1;
}

void repair_equipment() {
  for (int e = 0; e < ENGINES; e++) rel.engine[e] = rel.thrgov[e] = rel.revlok[e] = rel.oilpmp[e] = 1;
  rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.fc_flp = rel.fc_slt = rel.fc_thr = 1;
  for (int g = 0; g < 3; g++) {
    rel.lagear[g] = 1;
    set.gear_time[g] = 0;  // a repaired gear's motor starts afresh (set is the settings' record)
  }
  rel.hydsys = rel.stbaug = rel.symflp = rel.sttrim = rel.antice = rel.clights = rel.otto = rel.trotor = 1;
}
