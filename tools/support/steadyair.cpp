#include "tools/support/steadyair.h"
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/shell/lax.h"
#include "sim/set.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

int start_in_steady_air(const char* aircraft_path) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  plat_use_fake_clock(1000);
  if (!tarvel_start()) return 0;
  simulate_startup();
  if (!aircraft_path || !*aircraft_path) {
    set_default_aircraft();
  } else {
    std::snprintf(pln.C_path, sizeof pln.C_path, "%s", aircraft_path);
    const char* slash = std::strrchr(pln.C_path, '/');
    std::snprintf(pln.C_file, sizeof pln.C_file, "%s", slash ? slash + 1 : pln.C_path);
  }
  load_plane();
  set_weather_file("/nonexistent/world.rwx");  // no real weather
  level_sea_level_ground();
  standard_calm_air();
  msc.typestart = 900;
  set_fltvars(10);
  return 1;
}

void level_sea_level_ground() {
  for (auto& row : on_water)
    for (auto& c : row) c[0] = c[1] = 0;
  for (auto& row : planez)
    for (float& z : row) z = 0;
  for (auto& row : boat_on_poly)
    for (int& b : row) b = 0;
  for (int n = 0; n < APT_MAX; n++) apt_z[n] = 0;
}

void standard_calm_air() {
  atm.temp_SL = 59;
  atm.dewp_SL = 40;
  atm.baro = ins.baro = 29.92f;
  atm.cld_type = 0;
  atm.vis = 20 * con.nmtomtrs;
  atm.rain_tstm = atm.wind_tbl = atm.burst_prob = 1;
  atm.rate_change = 4;
  atm.thermal_part = atm.thermal_vvi = 0;
  atm.rway_fric_code = 1;
  for (int i = 0; i < 9; i++) atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0;
  atm.wind_x = atm.wind_y = atm.wind_z = 0;
  atm.level = 0;
  for (auto& row : atm.wxr)
    for (float& w : row) w = 0;
}

trim_result air_trimmed(float feet, float kcas, float throttle, int flap) {
  set.cus_x = (float)flt.x;
  set.cus_y = (float)flt.y;
  set.cus_z = feet * con.fttomtrs;
  set.cus_psi = 0;
  atm_at_height(set.cus_z);
  set.cus_v = kcas * con.ktstomsc / std::sqrt(atm.crtsig);
  set_fltvars(12);
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  initpower(throttle);
  flt.flap = flt.flaprequest = intlim(flap, 0, 50);
  set.parkbrake = 0;
  trim_result t = find_trim(set.cus_v, 0);
  env.localh = 0;
  return t;
}

int level_trimmed(float feet, float kcas, int flap, float* throttle) {
  float lo = 0, hi = 1;
  for (int k = 0; k < 16; k++) {
    float mid = 0.5f * (lo + hi);
    air_trimmed(feet, kcas, mid, flap);
    if (flt.avpath > 0) hi = mid;
    else lo = mid;
  }
  *throttle = 0.5f * (lo + hi);
  int ok = air_trimmed(feet, kcas, *throttle, flap).ok;
  return ok && std::fabs(flt.avpath) < 0.05f;
}
