// The simulator for the flight check: started once, every run from the same
// records, over level ground at sea level in calm standard air.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_con.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/flight/ott.h"
#include "sim/flight/propel.h"
#include "sim/flight/rel.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/crash.h"
#include "sim/shell/keys.h"
#include "sim/shell/lax.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "tools/flightcheck/fc.h"
#include "tools/support/steadyair.h"

namespace {
float step_s = 0.05f;

// The records as the start-up left them, put back before every run.
template <typename T> struct kept {
  T* live;
  std::vector<unsigned char> copy;
  void take(T* g) {
    live = g;
    copy.resize(sizeof(T));
    std::memcpy(copy.data(), g, sizeof(T));
  }
  void put() { std::memcpy((void*)live, copy.data(), sizeof(T)); }
};
kept<flightstruct> k_flt;
kept<atmospherestruct> k_atm;
kept<settingstruct> k_set;
kept<miscstruct> k_msc;
kept<ottostruct> k_ott;
kept<navstruct> k_nav;
kept<relstruct> k_rel;
kept<environmentstruct> k_env;
kept<inststruct> k_ins;
kept<planestruct> k_pln;

}  // namespace

void fc_start(float step) {
  step_s = step;
  start_in_steady_air(nullptr);
  k_flt.take(&flt);
  k_atm.take(&atm);
  k_set.take(&set);
  k_msc.take(&msc);
  k_ott.take(&ott);
  k_nav.take(&nav);
  k_rel.take(&rel);
  k_env.take(&env);
  k_ins.take(&ins);
  k_pln.take(&pln);
}

void fc_fresh(unsigned seed) {
  k_flt.put();
  k_atm.put();
  k_set.put();
  k_msc.put();
  k_ott.put();
  k_nav.put();
  k_rel.put();
  k_env.put();
  k_ins.put();
  k_pln.put();
  plat_srand(seed);
  reset_weather();
  reset_controls();
  clear_force_memory();
  reset_rotor_moments();
  set.controls_type = -1;
  msc.mouse_is_joy = 0;
  msc.prd = step_s;
  msc.evup = evup_for_step(step_s);
  flt.m_fuel = pln.m_fuel;
  flt.m_jettison = 0;
  flt.m_fixed = fltmax2(pln.m_max - pln.m_empty - flt.m_fuel, 0);
  msc.elap_time = 0;
  pilot_reset();
}

void fc_frame() {
  msc.prd = step_s;
  msc.cntr++;
  control();
  do_button_deeds();
  deg2integ();
  handle_crash();
  if (msc.cntr % msc.evup == 0 && ++msc.cntr10 >= 10) msc.cntr10 = 0;
}

float fc_step() { return step_s; }
float fc_agl_ft() { return ((float)flt.z - env.localh - pln.h_eqlbm) * con.mtrstoft; }
float fc_cas_kt() { return flt.av * std::sqrt(fltmax2(atm.crtsig, 0)) * con.msctokts; }
float fc_hdg() { return flt.psi; }

int fc_air(float feet, float kcas, float throttle, int flap) { return air_trimmed(feet, kcas, throttle, flap).ok; }

int fc_level(float feet, float kcas, int flap, float* throttle) { return level_trimmed(feet, kcas, flap, throttle); }

void fc_ground() {
  msc.typestart = 900;
  set_fltvars(10);
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  set.parkbrake = 1;
  for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = flt.thro[n] = 0;
}
