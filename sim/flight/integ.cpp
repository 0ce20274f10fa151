// One frame of flight: masses, ground, air and the periodic updates, then two
// half-steps, each rebuilding every force and integrating with Euler steps.
#include "sim/flight/integ.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/carrier_deck.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/failures.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/propel.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/panel/ins.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

static const float D2R = 0.017453292519943295f;

static int to_int(float v, int lo, int hi) { return intlim(flt_to_int(v), lo, hi); }

// ---- air data ----

static void air_speeds() {
  flt.v = (float)std::sqrt(flt.vx * flt.vx + flt.vy * flt.vy + flt.vz * flt.vz);
  float ux = (float)flt.vx - atm.wind_x, uy = (float)flt.vy - atm.wind_y, uz = (float)flt.vz - atm.wind_z;
  flt.av = std::sqrt(ux * ux + uy * uy + uz * uz);
  flt.machno = atm.a > 0 ? flt.av / atm.a : 0;
  flt.vaxial = flt.av * flt.cosAlpha * flt.cosBeta;
  flt.vind = std::sqrt(fltmax2(atm.crtsig, 0)) * flt.av * flt.cosAlpha * con.msctokts;
  flt.Qstatic = 0.5f * atm.rho * flt.av * flt.av;
  // A Vne of zero gives no dynamic-pressure ratio rather than an infinite one.
  flt.Qratio = pln.Vne > 0 ? (flt.vind / pln.Vne) * (flt.vind / pln.Vne) : 0;
}

// atan2 throughout, so that exact rest gives level paths rather than 0 / 0.
static void path_angles() {
  float ux = (float)flt.vx - atm.wind_x, uy = (float)flt.vy - atm.wind_y, uz = (float)flt.vz - atm.wind_z;
  flt.vu = (float)flt.vz;
  flt.vpath = std::atan2((float)flt.vz, (float)std::sqrt(flt.vx * flt.vx + flt.vy * flt.vy)) * con.radtodeg;
  flt.hpath = wrap360(std::atan2((float)flt.vx, (float)flt.vy) * con.radtodeg);
  flt.avpath = std::atan2(uz, std::sqrt(ux * ux + uy * uy)) * con.radtodeg;
  flt.ahpath = wrap360(std::atan2(ux, uy) * con.radtodeg);
}

static void alpha_beta() {
  float s, f, n;
  world_to_body((float)flt.vx - atm.wind_x, (float)flt.vy - atm.wind_y, (float)flt.vz - atm.wind_z, &s, &f, &n);
  flt.Alpha = std::atan2(-n, f) * con.radtodeg;
  flt.Beta = std::atan2(-s, f) * con.radtodeg;
}

static void refresh_180() {
  flt.the180 = wrap180(flt.the);
  flt.psi180 = wrap180(flt.psi);
  flt.phi180 = wrap180(flt.phi);
}

void set_air_data() {
  refresh_180();
  refresh_trig();
  alpha_beta();
  path_angles();
  refresh_trig();
  air_speeds();
  if (flt.vind < 0) flt.vind = 0;
  flt.h = (float)flt.z;
}

// ---- the two stages of a half-step ----

void integ_v() {
  float d = set.damp, dt = msc.prd;
  flt.P = (1 - 6 * d * dt) * (flt.P + flt.Pdot * dt);
  flt.Q = (1 - 6 * d * dt) * (flt.Q + flt.Qdot * dt);
  flt.R = (1 - 3 * d * dt) * (flt.R + flt.Rdot * dt);
  flt.Prad = flt.P * D2R;
  flt.Qrad = flt.Q * D2R;
  flt.Rrad = flt.R * D2R;
  if (std::fabs(flt.the180) <= 89.9f) {
    float rq = flt.R * flt.cosphi + flt.Q * flt.sinphi;
    flt.phidot = rq * std::tan(flt.the * D2R) + flt.P;
    flt.thedot = flt.Q * flt.cosphi - flt.R * flt.sinphi;
    flt.psidot = rq / std::cos(flt.the * D2R);
  } else {
    // Straight up or down heading and roll are one axis: the roll rate turns the heading.
    flt.phidot = 0;
    flt.psidot = flt.P;
    float q = std::fabs(flt.phi180) > 90 ? -flt.Q : flt.Q;
    flt.thedot = flt.the180 > 0 ? q - std::fabs(flt.R) : q + std::fabs(flt.R);
  }
  flt.vx += flt.ax * dt;
  flt.vy += flt.ay * dt;
  flt.vz += flt.az * dt;
}

void integ_x() {
  float dt = msc.prd;
  refresh_180();
  air_speeds();
  flt.dist += flt.vaxial * dt;
  if (flt.vind < 0) flt.vind = 0;

  float was = std::fabs(flt.the180);
  flt.the = wrap360(flt.the + flt.thedot * dt);
  flt.psi = wrap360(flt.psi + flt.psidot * dt);
  flt.phi = wrap360(flt.phi + flt.phidot * dt);
  refresh_180();
  if (was < 90 && std::fabs(flt.the180) > 90) {  // over the top: the same attitude, told the other way
    flt.the = wrap360(180 - flt.the);
    flt.phi = wrap360(flt.phi + 180);
    flt.psi = wrap360(flt.psi + 180);
    refresh_180();
  }
  refresh_trig();

  flt.psi_int = bk::round(flt.psi);
  flt.lat = (float)lat_with_y(flt.y);
  // The table gives easterly variation as positive, and an easterly variation
  // takes that much off a true bearing to give the magnetic one.
  env.mvar = -find_var(flt.lat, flt.lon);
  flt.magpsi = wrap360(env.mvar + flt.psi);
  flt.magpsi_int = bk::round(flt.magpsi);
  con.sinPLANthe = flt.sinthe; con.cosPLANthe = flt.costhe;
  con.sinPLANpsi = flt.sinpsi; con.cosPLANpsi = flt.cospsi;
  con.sinPLANphi = flt.sinphi; con.cosPLANphi = flt.cosphi;

  flt.x += flt.vx * dt;
  flt.y += flt.vy * dt;
  flt.z += flt.vz * dt;
  flt.h = (float)flt.z;
  flt.h_ind = (ins.baro - atm.baro) * 1000.0f * con.fttomtrs + flt.h;
  flt.lat = (float)lat_with_y(flt.y);
  float cl = std::cos(flt.lat * D2R);
  if (std::fabs(cl) < 1e-6f) cl = 1e-6f;
  flt.lon = (float)((flt.x - planex[0][0]) * con.mtrstonm / (cl * 60.0f) + env.lon_wes);

  path_angles();
  alpha_beta();
  refresh_trig();
}

// ---- periodic updates ----

static float step_toward(float now, float want, float step) {
  if (std::fabs(want - now) <= step) return want;
  return now + (want > now ? step : -step);
}

void mod_evt() {
  // With the tail wheel lifted off (kind-0 wheel aft, nose 2 degrees below resting) the brake lets go.
  if (pln.ngearx > 0 && wrap180(flt.the - pln.the_eqlbm) < -2) {
    set.parkbrake *= 0.95f;
    if (set.parkbrake < 0.25f) set.parkbrake = 0.25f;
  }
  if (rel.fc_slt && pln.slatEQ) flt.slat = step_toward(flt.slat, flt.slatrequest, 0.02f);
  if (pln.varsweepEQ[4] || pln.varsweepEQ[6] || pln.varsweepEQ[8])
    flt.swee = step_toward(flt.swee, flt.sweerequest, 0.02f);
  for (int p = 4; p <= 9; p++) {
    // The movable geometry (sweep, thrust vector) is kept in pln and moved by the flight model.
    if (!pln.varsweepEQ[p]) pln.sweepnow[p] = pln.sweep1[p];
    else pln.sweepnow[p] = intwrap(flt_to_int(interp(0, pln.sweep1[p], 1, pln.sweep2[p], flt.swee)) % 360, 0, 359);
  }
  if (!pln.is_heli && pln.vectEQ) {
    pln.vertcant[0] = step_toward(pln.vertcant[0], flt.vectrequest, 3.0f);
    for (int n = 1; n < ENGINES; n++) pln.vertcant[n] = pln.vertcant[0];
  }
  if (rel.fc_flp && pln.flapEQ && flt.flap != flt.flaprequest) flt.flap += flt.flaprequest > flt.flap ? 1 : -1;
  wxcalc();
  storm_level();
  if (pln.retractEQ)
    for (int k = 0; k < 3; k++)
      // A failed leg stays where it was.
      if (msc.elap_time > set.gear_time[k] && rel.lagear[k]) set.gear_stat[k] = set.gear_handle;
}

void mod_semisec() { set_slat_and_grndeffect(); }

// The weather and the failures; the stick's spring follows the control loads
// and the engines shake it.
void mod_sec() {
  weather_sec();
  failures_sec();
  int props_on = pln.entype == 1 || pln.entype == 2;
  float k;
  if (!pln.is_heli) k = 100 * 0.75f * flt.Qratio;
  else if (pln.ff_hydraulic) k = 0;
  else {
    float r = pln.omegamax > 0 ? flt.tac[0] / pln.omegamax : 0;
    k = 100 * 0.5f * r * r;
  }
  forcecall(FF_SPRING, 0, 0, to_int(k, 0, 100000));
  if (props_on) {
    float speed = !pln.is_heli && pln.numen > 1 ? 0.5f * (flt.tac[0] + flt.tac[1]) : flt.tac[0];
    int freq = to_int(speed / (2 * con.pi), 0, 100000);
    int mag = to_int(pln.omegamax > 0 ? 20 * speed / pln.omegamax : 0, -100000, 100000);
    if (!pln.is_heli) mag = mag / 2 + 10;
    else if (pln.ff_hydraulic) mag = 0;
    forcecall(FF_X_VIBRATION, mag, freq, 0);
  }
}

// ---- one frame ----

static void timers() {
  float vis_nm = con.nmtomtrs > 0 ? atm.vis / con.nmtomtrs : 0;
  int clouds = atm.cld_type != 0;
  int below = !clouds || flt.h < atm.baseMSL;
  int inside = clouds && flt.h >= atm.baseMSL && flt.h <= atm.topsMSL;
  if ((below && vis_nm < 3) || inside) msc.aifr_time += msc.prd;
  if (scn.time > 2) msc.nigt_time += msc.prd;
  if (msc.timer_running) msc.timr_time += msc.prd;
  msc.elap_time += msc.prd;
  msc.zulu_time += msc.prd;
}

// Far beyond anything that flies: 10000 km from the region, 100 km/s, rates
// of a million degrees a second. Such a state is as broken as a NaN.
static int state_broken() {
  const double pos[3] = {flt.x, flt.y, flt.z};
  for (double p : pos)
    if (!(std::fabs(p) < 1e7)) return 1;
  const double vel[3] = {flt.vx, flt.vy, flt.vz};
  for (double v : vel)
    if (!(std::fabs(v) < 1e5)) return 1;
  const float ang[11] = {flt.the, flt.psi, flt.phi, flt.P, flt.Q, flt.R, flt.Alpha, flt.Beta, flt.av, flt.v, flt.h};
  for (float a : ang)
    if (!(std::fabs(a) < 1e6f)) return 1;
  return 0;
}

void recover_flight_state() {
  // What a new start does not set: the path angles and the distance flown,
  // and the downwash and contact memories of the last sub-step.
  float* path[] = {&flt.dist, &flt.vu, &flt.hpath, &flt.vpath, &flt.ahpath, &flt.avpath};
  for (float* v : path)
    if (!std::isfinite(*v)) *v = 0;
  flt.sinhpath = flt.sinvpath = flt.sinahpath = flt.sinavpath = 0;
  flt.coshpath = flt.cosvpath = flt.cosahpath = flt.cosavpath = 1;
  clear_force_memory();
  flt.nonfinite = 0;
}

static void half_step() {
  env.boat_the = std::fmod(env.boat_the + the_dot_now() * msc.prd, 2 * con.pi);
  if (env.boat_the < 0) env.boat_the += 2 * con.pi;
  env.boat_phi = std::fmod(env.boat_phi + phi_dot_now() * msc.prd, 2 * con.pi);
  if (env.boat_phi < 0) env.boat_phi += 2 * con.pi;
  env.boat_psi = std::fmod(env.boat_psi, 2 * con.pi);
  if (env.boat_psi < 0) env.boat_psi += 2 * con.pi;
  set_a1();
  set_a2();
  if (flt.crash) return;
  integ_v();
  integ_x();
  if (state_broken()) flt.nonfinite = 1;
}

void deg2integ() {
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  int n_eng = intlim(pln.numen, 0, ENGINES);
  for (int n = 0; n < n_eng; n++) {
    float ff = burnin_fuel(pln.entype == 3 ? flt.thrust[n] : flt.power[n]);
    if (pln.entype == 3 && pln.burnerinc > 1 && flt.after_burning[n]) ff *= 2;
    flt.ff_[n] = flt.eng_running[n] ? ff : 0;
  }
  if (pln.entype != 0 && rel.fc_thr)
    for (int n = 0; n < ENGINES; n++) flt.thro[n] = flt.throrequest[n] * msc.prd + (1 - msc.prd) * flt.thro[n];
  find_local_h((float)flt.x, (float)flt.y, &env.localh, &env.i_aircraft, &env.j_aircraft, &env.t_aircraft);
  ship_decks();
  atm_at_height(flt.h);

  int evup = msc.evup > 0 ? msc.evup : 1;
  if (msc.cntr % evup == 0) {
    mod_evt();
    if (msc.cntr10 == 0) mod_sec();
    if (msc.cntr10 == 0 || msc.cntr10 == 5) mod_semisec();
  }
  set_path_roll();
  timers();

  msc.prd *= 0.5f;
  if (set.cycoutwaiting) {
    set.cycoutwaiting = 0;
    set.cycout = 1;
    trackdiv();
  }
  half_step();
  set.cycout = 0;
  if (!flt.crash && !flt.nonfinite) half_step();
  msc.prd *= 2.0f;
}
