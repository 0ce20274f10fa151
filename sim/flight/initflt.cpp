// The start of a flight: where the aircraft is placed, how fast, with what
// power and gear, and the flight state made fresh around it.
#include <cmath>
#include <cstdio>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/contact.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/flight/propel.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

static const float D2R = 0.017453292519943295f;

void initpower(float t) {
  for (int n = 0; n < ENGINES; n++) {
    flt.thro[n] = flt.throrequest[n] = t;
    flt.prop[n] = pln.omegamax;
    flt.mixt[n] = 1;
    flt.tac[n] = pln.is_heli ? pln.omegamax : pln.omegamin + std::sqrt(fltmax2(t, 0)) * (pln.omegamax - pln.omegamin);
    flt.mpr[n] = 20 * t + 10;
    flt.n1_[n] = 60 * t + 40;
    flt.ff_[n] = 0;
    flt.egt[n] = t;
    flt.parteqlbmthrust[n] = t;
    if (t < 0.1f) {
      flt.tac[n] = 1;
      flt.n1_[n] = 0;
      flt.parteqlbmthrust[n] = 0;
    }
    flt.proppitch[n] = interp(0, pln.minpitch[n], 1, pln.maxpitch[n], t);
    flt.thrust[n] = 0;
    flt.DVinc[n] = 10;
    for (int k = 0; k < ELEMENTS; k++) {
      flt.ringDVinc[n][k] = 10;
      flt.ringthrust[n][k] = 0;
    }
    flt.trq[n] = 0;
    flt.power[n] = 0;
    flt.revving_thrust[n] = flt.after_burning[n] = 0;
    // Engines start running; the once-a-second health check stops one without fuel.
    flt.eng_running[n] = n < pln.numen && flt.m_fuel > 0.01f;
  }
}

void setgear(int down) {
  set.gear_handle = pln.retractEQ ? (down != 0) : 1;
  for (int k = 0; k < 3; k++) set.gear_stat[k] = set.gear_handle;
  set.parkbrake = set.gear_handle ? 1.0f : 0.0f;
}

struct placing {
  double x, y, z;
  float psi, the, speed, power;
  int gear_down;
};

static void out_of_range(const char* what, int value) {
  char num[STR_DIM];
  std::snprintf(num, sizeof num, "%d", value);
  MACIBM_exitalert(what, num, "", "");
}

// The end of the chosen runway, half its length back from its centre.
static void runway_start(placing* p) {
  if (msc.rway_sel < 0 || msc.rway_sel > 5) out_of_range("rway_sel out of range!", msc.rway_sel);
  int n = msc.loc_index;
  if (n < 0 || n > env.aptmax || n >= APT_MAX) out_of_range("loc_index out of range!", n);
  int r = intlim(msc.rway_sel / 2, 0, 2);
  if (apt_len[n][r] <= 0) r = 0;  // a runway the airport does not have: its first one
  float hdg = wrap360((float)apt_hdng[n][r] + (msc.rway_sel % 2 ? 180.0f : 0.0f));
  float half = 0.5f * apt_len[n][r];
  double cx = x_with_latlon(apt_lat[n][r], apt_lon[n][r]), cy = y_with_lat(apt_lat[n][r]);
  p->psi = hdg;
  p->x = cx - std::sin(hdg * D2R) * half;
  p->y = cy - std::cos(hdg * D2R) * half;
  p->z = apt_z[n] + pln.h_eqlbm;
  p->the = pln.the_eqlbm;
  p->speed = 0.1f;
  p->power = 0.02f;
  p->gear_down = 1;
}

static void approach_start(placing* p, float nm) {
  runway_start(p);
  float d = nm * con.nmtomtrs;
  p->x -= std::sin(p->psi * D2R) * d;
  p->y -= std::cos(p->psi * D2R) * d;
  p->z += d * std::sin(3.0f * D2R);
  p->the = 0;
  p->speed = 1.2f * msc.est_Vs;
  p->power = 0.5f;
  p->gear_down = 0;
  float lowest = terrain_height((float)p->x, (float)p->y) + 500.0f * con.fttomtrs;
  if (p->z < lowest) {
    p->z = lowest;
    MACIBM_alert("The approach path passes less than 500 feet above the ground here.",
                 "You will start 500 feet above the ground instead.", "", "", 0);
  }
}

static void ship_start(placing* p, int kind) {
  double sx = 0, sy = 0;
  float sz = 0;
  if (!nearest_ship(kind != 13, flt.x, flt.y, &sx, &sy, &sz)) MACIBM_exitalert("I can't find any ships in the area!", "", "", "");
  if (kind == 15) {
    p->x = sx + car.catx;
    p->y = sy + car.caty;
    p->z = sz + 21.0f + pln.h_eqlbm;
    p->psi = wrap360(car.catang);
    p->the = 0;
    p->speed = 0.01f;
    p->power = 0.5f;
    p->gear_down = 1;
    return;
  }
  float hdg = kind == 13 ? 0.0f : wrap360((float)flt_to_int(car.appang));
  float d = (pln.is_heli ? 1.0f : 2.0f) * con.nmtomtrs;
  p->psi = hdg;
  p->x = sx - std::sin(hdg * D2R) * d;
  p->y = sy - std::cos(hdg * D2R) * d;
  p->z = sz + d * std::sin(3.5f * D2R);
  p->the = 0;
  p->speed = 1.2f * msc.est_Vs;
  p->power = 0.2f;
  p->gear_down = 0;
}

static void fresh_state() {
  flt.wired = 0;
  flt.crash = CRASH_NONE;
  flt.nonfinite = 0;
  // A new flight stows the chute: its switch is the panel's (ins).
  ins.chute_on = 0;
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0;
  flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0;
  flt.L = flt.M = flt.N = 0;
  flt.P = flt.Q = flt.R = flt.Prad = flt.Qrad = flt.Rrad = 0;
  flt.Pdot = flt.Qdot = flt.Rdot = 0;
  flt.thedot = flt.psidot = flt.phidot = 0;
  flt.Alpha = flt.Beta = 0;
  flt.v = flt.av = flt.machno = flt.vaxial = flt.vind = flt.Qstatic = flt.Qratio = 0;
  flt.ax = flt.ay = flt.az = 0;
  flt.trim = flt.ail_trim = flt.rud_trim = 0;
  flt.slat = flt.slatrequest = 0;
  flt.sbrk = 0;
  flt.flap = flt.flaprequest = 0;
  flt.swee = flt.sweerequest = pln.autosweepEQ ? 1.0f : 0.0f;
  flt.vectrequest = 0;
  for (int n = 0; n < ENGINES; n++) pln.vertcant[n] = pln.vectEQ ? 0 : pln.vertcant[n];
  rel.fc_thr = rel.fc_slt = rel.fc_flp = rel.fc_elv = rel.fc_ail = rel.fc_rud = rel.symflp = 1;
  rel.clights = rel.vacuum = 1;
  rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = rel.efis_1 = rel.efis_2 = 1;
  for (int n = 0; n < ENGINES; n++) rel.engine[n] = rel.thrgov[n] = rel.revlok[n] = rel.oilpmp[n] = 1;
  for (int g = 0; g < 3; g++) rel.lagear[g] = 1;
  rel.hydsys = rel.stbaug = rel.sttrim = rel.antice = rel.otto = rel.trotor = 1;
  rel.hyd_rat = rel.oil_rat = 1;
  rel.RAT_on = 0;
  rel.vac_death_time = rel.the_fail_err = rel.phi_fail_err = rel.hyd_fail_time = rel.oil_fail_time = 0;
  // A new flight starts whole: a surface torn off above the redline is back.
  flt.over_vne = flt.over_vfe = 0;
  reset_rotor_moments();
  flt.cat_stage = 29;
}

void set_fltvars(int start) {
  placing p = {flt.x, flt.y, flt.z, flt.psi, 0, 0, 0.5f, 0};
  int cat = 0;
  if (start == 10) {
    int ts = msc.typestart;
    if (ts == 900 && !pln.gearEQ && !pln.skidEQ) ts = 1000;  // nothing to stand on: the short final
    if (ts == 1000) approach_start(&p, 1.5f);
    else if (ts == 1100) approach_start(&p, 9.0f);
    else runway_start(&p);
  } else if (start == 11 || start == 12) {
    p.x = set.cus_x;
    p.y = set.cus_y;
    p.z = set.cus_z;
    p.psi = wrap360(set.cus_psi);
    p.the = 0;
    p.speed = set.cus_v;
    if (start == 11) {
      p.gear_down = set.cus_v < msc.est_Vs;
      p.power = p.gear_down ? 0.02f : 0.5f;
    } else {
      p.gear_down = 0;
      p.power = 0.5f;
      float g = terrain_height((float)p.x, (float)p.y);
      if (p.z < g) {
        p.z = g + pln.h_eqlbm;
        p.the = pln.the_eqlbm;
        p.power = 0.02f;
        p.gear_down = 1;
      }
    }
  } else if (start >= 13 && start <= 15) {
    ship_start(&p, start);
    cat = start == 15;
  }

  flt.x = p.x;
  flt.y = p.y;
  flt.z = p.z;
  flt.h = (float)p.z;
  flt.psi = wrap360(p.psi);
  flt.the = wrap360(p.the);
  flt.phi = 0;
  float sp = p.speed;
  flt.vx = sp * std::cos(p.the * D2R) * std::sin(p.psi * D2R);
  flt.vy = sp * std::cos(p.the * D2R) * std::cos(p.psi * D2R);
  flt.vz = sp * std::sin(p.the * D2R);
  env.localh = -999;
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  msc.cntr = 0;
  msc.cntr10 = 0;
  fresh_state();
  if (cat) flt.cat_stage = 27;
  initpower(p.power);
  setgear(p.gear_down);
  _ClearForces();
  flt.the180 = wrap180(flt.the);
  flt.psi180 = wrap180(flt.psi);
  flt.phi180 = 0;
  refresh_trig();
  flt.sinphi_path = 0;
  flt.cosphi_path = 1;
  flt.lat = (float)lat_with_y(flt.y);
  flt.lon = (float)lon_with_xy(flt.x, flt.y);
  set_slat_and_grndeffect();
}
