// Engines. A propeller or rotor is a lifting part whose elements are rings of
// the disc, each evaluated at four points round the disc with the wings'
// element aerodynamics; the engine behind it is a torque source that speeds
// it up against the blades' drag. Jets are a thrust model with spool-up and
// Mach and altitude lapse.
#include "sim/flight/propel.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/set.h"

// The helicopter rotor's roll and pitch moments, smoothed.
static float L_rotor, M_rotor;

void reset_rotor_moments() { L_rotor = M_rotor = 0; }

static int engines() { return intlim(pln.numen, 0, ENGINES); }

// ---- engine torque ----

// Steps toward want by at most step on a 0..100 scale that wraps: a
// difference of more than 50 is taken the short way through 0/100.
static float closer_linear(float now, float want, float step) {
  float d = want - now;
  if (d > 50) d -= 100;
  if (d < -50) d += 100;
  if (std::fabs(d) <= step) return want;
  float v = now + (d > 0 ? step : -step);
  if (v < 0) v += 100;
  if (v > 100) v -= 100;
  return v;
}

void apropengine(int n) {
  if (n < 0 || n >= ENGINES) return;
  float speed = pln.is_heli ? flt.tac[0] : flt.tac[n];
  float base = fltmax2(1 - 2.306e-5f * pln.critalt, 0);
  float pf = fltlim(atm.crtsig + 1 - std::pow(base, 4.14f), 0, 1);
  float range = pln.omegamax - pln.omegamin;
  float w = range > 0 ? fltlim((speed - pln.omegamin) / range, 0, 99) : 0;
  float tau = pln.omegamax > 0 ? pln.pmax / pln.omegamax : 0;
  float trq;
  if (!flt.eng_running[n]) {
    trq = -tau * w * std::fabs(w);  // friction and compression
  } else {
    float st = std::sqrt(fltmax2(flt.thro[n], 0));
    trq = interp(0, (0.01f - w * w) * tau, 1, (1.5f * w + 0.5f - w * w) * tau, st) * flt.mixt_powr_rat[n] *
          (pf - 0.1f) / 0.9f;
  }
  if (!rel.oilpmp[n] && trq > 0) trq *= rel.oil_rat;
  if (pln.is_heli && trq < 0) trq = 0;
  flt.trq[n] = trq;
  flt.power[n] = speed * trq;
  if (pln.is_heli && pln.entype == 2) {
    float want = flt.eng_running[n] && pln.pmax > 0 ? 100 * std::sqrt(fltmax2(flt.power[n] / pln.pmax, 0)) : 0;
    flt.n1_[n] = closer_linear(flt.n1_[n], fltlim(want, 0, 100), 10 * msc.prd);
  }
  if (pln.entype == 1) {
    float target = interp(0, 0.5f * atm.baro * pf, 1, atm.baro * pf, flt.thro[n]);
    flt.mpr[n] += (target - flt.mpr[n]) * msc.prd;
  }
  flt.L -= pln.cos_vertcant[n] * pln.propdir[n] * trq;
  flt.N += pln.sin_vertcant[n] * pln.propdir[n] * trq;
}

// ---- blade elements ----

void aprop(int n, float x, float y, float z) {
  if (n < 0 || n >= ENGINES) return;
  float dt = msc.prd;
  int tail = pln.is_heli && n == 1;
  int ang;
  float va;
  float svc = pln.sin_vertcant[n], cvc = pln.cos_vertcant[n];
  if (tail) {
    ang = 0;
    va = -flt.av * flt.sinBeta - flt.Rrad * x;
  } else {
    ang = flt_to_int((float)bk::round(flt.Alpha) + pln.vertcant[n]);
    ang = ((ang % 360) + 360) % 360;  // 0 facing the flight path, 90 edgewise
    va = icos(ang) * flt.av - svc * flt.Prad * y - (cvc * z + svc * x) * flt.Qrad - cvc * flt.Rrad * y;
  }
  float vw = std::fabs(fallout(va + flt.DVinc[n], -5, 5));
  float area = pln.discarea[n] > 0 ? pln.discarea[n] : 1;
  if (atm.rho > 0) flt.DVinc[n] = (1 - dt) * flt.DVinc[n] + dt * flt.thrust[n] / (area * atm.rho * vw);
  flt.Dtq[n] = 0;
  flt.thrust[n] = 0;

  float dir = pln.propdir[n] > 0 ? 1.0f : -1.0f;
  float edge = flt.vaxial * isin(ang);  // the advancing and retreating blade of an edgewise disc
  float f_lift = 1;
  if (pln.is_heli) {
    if (n == 0) f_lift = fltlim(interp(13, 1.0f, 17, 0.6f, flt.vind), 0.6f, 1);
    else if (n == 1) f_lift = fltlim(interp(19, 1.0f, 23, 0.8f, flt.vind), 0.8f, 1);
  }
  float sc = pln.sin_sidecant[n], cc = pln.cos_sidecant[n];
  auto apply = [&](float t, float px, float py, float pz) {
    addFaprop(cc * cvc * t, py, pz);
    addFsprop(sc * t, px, pz);
    addFnprop(cc * svc * t, px, py);
    flt.thrust[n] += t;
  };
  int els = intlim(pln.els[n], 0, ELEMENTS);
  for (int k = 0; k < els; k++) {
    float rk = get_wing_rarm(n, k);
    float pk = pln.anginc[n][k] + flt.proppitch[n];
    float T[5] = {0, 0, 0, 0, 0};
    for (int p = 1; p <= 4; p++) {
      float ua = flt.ringDVinc[n][k] + va;
      float ut = flt.tac[n] * rk;
      if (p == 2) ut += dir * edge;
      if (p == 4) ut -= dir * edge;
      flt.v_el[n][k] = std::sqrt(ua * ua + ut * ut);
      flt.deldir[n][k] = std::atan2(-ua, ut) * con.radtodeg;
      float blade = pk;
      if (p == 1) blade -= dir * flt.ailncyclic;
      else if (p == 2) blade += dir * flt.elevcyclic;
      else if (p == 3) blade += dir * flt.ailncyclic;
      else blade -= dir * flt.elevcyclic;
      flt.alpha[n][k] = flt.deldir[n][k] + blade;
      float lift, drag, momt;
      F_el_force(0, 0, 0, &lift, &drag, &momt, n, k);
      flt.Dtq[n] += pln.numblades[n] * rk * drag * 0.25f;
      T[p] = pln.numblades[n] * lift * 0.25f;
    }
    if (tail) {
      for (int p = 1; p <= 4; p++) apply(T[p], x, y, z);
    } else {
      // Each point of the disc feels the thrust found a quarter turn earlier.
      int pos = pln.propdir[n] > 0;
      apply(pos ? T[4] : T[2], x + svc * rk, y, z + cvc * rk);  // top
      apply(pos ? T[1] : T[3], x, y + rk, z);                   // right
      apply(pos ? T[2] : T[4], x - svc * rk, y, z - cvc * rk);  // bottom
      apply(pos ? T[3] : T[1], x, y - rk, z);                   // left
    }
    flt.ringthrust[n][k] = T[1] + T[2] + T[3] + T[4];
    float vp = fltmax2(va, 0);
    float v = std::fabs(fallout(flt.ringDVinc[n][k] + vp, -1, 1));
    float ra = pln.ringarea[n][k] > 0 ? pln.ringarea[n][k] : 1;
    if (atm.rho > 0)
      flt.ringDVinc[n][k] =
          (1 - dt) * flt.ringDVinc[n][k] + f_lift * (flt.ringthrust[n][k] * dt / (ra * atm.rho * v)) / 2;
  }
  cyc("PROPELLER, ENGINE #%d at (%.2f %.2f %.2f): thrust %.1f N, drag torque %.1f N m, wash %.2f m/s\n", n + 1, x,
      y, z, flt.thrust[n], flt.Dtq[n], flt.DVinc[n]);
}

// ---- propeller engines ----

static float inertia(int n) { return pln.miprop[n] > 0 ? pln.miprop[n] : 1; }

// A collective rotor's governor works the throttle to hold the rotor speed.
static void governor(int n, float a) {
  if (!rel.thrgov[n]) flt.throrequest[n] = 1;
  else flt.throrequest[n] = fltlim(flt.throrequest[n] + (0.5f * (pln.omegamax - flt.tac[n]) - a) * msc.prd, 0, 1);
}

static void aeroplane_props() {
  float dt = msc.prd;
  int ne = engines();
  for (int n = 0; n < ne; n++) {
    apropengine(n);
    aprop(n, pln.xarm[n], pln.yarm[n], pln.zarm[n]);
  }
  if (ne == 1) flt.DVinc[1] = flt.DVinc[0];
  for (int n = 0; n < ne; n++) {
    float a = (flt.trq[n] - flt.Dtq[n]) / inertia(n);
    if (!pln.collectEQ) {
      if (pln.revthrustEQ && flt.revving_thrust[n])
        flt.proppitch[n] =
            fltlim(flt.proppitch[n] - (0.1f * a + 0.3f * (flt.tac[n] - pln.omegamax)) * dt, -60, pln.minpitch[n]);
      else
        flt.proppitch[n] = fltlim(flt.proppitch[n] + (0.1f * a + 0.3f * (flt.tac[n] - flt.prop[n])) * dt,
                                  pln.minpitch[n], pln.maxpitch[n]);
    } else {
      governor(n, a);
    }
    flt.M -= flt.tac[n] * pln.miprop[n] * flt.Qrad;
    flt.N -= flt.tac[n] * pln.miprop[n] * flt.Prad;
    flt.tac[n] += a * dt;
    if (!rel.oilpmp[n]) flt.tac[n] *= (rel.oil_rat + 9) / 10;
  }
}

static void helicopter_rotors() {
  float dt = msc.prd;
  int ne = engines();
  apropengine(0);
  float torque = flt.trq[0];
  if (ne >= 2) {
    apropengine(1);
    torque += flt.trq[1];
  }
  aprop(0, pln.xarm[0], pln.yarm[0], pln.zarm[0]);
  L_rotor = L_rotor * (1 - dt) + flt.L * dt;
  M_rotor = M_rotor * (1 - dt) + flt.M * dt;
  flt.L = L_rotor;
  flt.M = M_rotor;
  aprop(1, pln.xarm[1], pln.yarm[1], pln.zarm[1]);
  float j = pln.miprop[1] * pln.trotor_rat + pln.miprop[0];
  float a = (torque - flt.Dtq[0] - flt.Dtq[1]) / (j > 0 ? j : 1);
  flt.tac[0] += a * dt;
  flt.tac[1] = rel.trotor ? flt.tac[0] * pln.trotor_rat : 1;
  if (!(set.eq_col && pln.entype == 1))
    for (int n = 0; n < ne && n < 2; n++) governor(n, a);
  flt.L -= pln.miprop[0] * flt.tac[0] * flt.Prad;
  flt.M -= pln.miprop[0] * flt.tac[0] * flt.Qrad;
}

void props() {
  if (pln.is_heli) helicopter_rotors();
  else aeroplane_props();
}

// ---- jets ----

void ajet(int n, float x, float y, float z) {
  if (n < 0 || n >= ENGINES) return;
  float n1 = flt.n1_[n] / 100;
  float target = interp(0, 0.05f, 1, 1, flt.thro[n]);
  float d = target - flt.parteqlbmthrust[n];
  float base = 3 * n1 * n1;
  float rate;
  if (!flt.eng_running[n]) rate = 0;
  else if (flt.n1_[n] < 25) rate = base + 0.04f;  // a slow start whatever the throttle
  else rate = 2 * fltsgn(d) * std::sqrt(std::fabs(d)) + base;
  float spool = pln.spooltime > 0 ? pln.spooltime : 1;
  flt.parteqlbmthrust[n] = fltlim(flt.parteqlbmthrust[n] + (rate - base) * msc.prd / spool, 0, 1);
  flt.n1_[n] = 100 * std::sqrt(flt.parteqlbmthrust[n]);

  float m = flt.machno, k = atm.crtsig;
  if (m > 1) k *= 2.4f * m * m / (0.4f * m * m + 2);
  if (!pln.bypass) k *= m <= 1 ? interp(0, 1, 1, 1.15f, m) : interp(1, 1.15f, 1.2f, 0.5f, m);
  else k *= m <= 2 ? interp(0, 1, 2, 2, m) : interp(2, 2, 3, 1, m);
  float intake = 0.3f * pln.facejet * flt.Qstatic;
  float thrust;
  if (!flt.eng_running[n]) thrust = -intake;
  else thrust = interp(0, 0.01f * pln.tmax * k - intake, 1, pln.tmax * k, flt.parteqlbmthrust[n]);
  if (flt.eng_running[n] && flt.after_burning[n]) thrust += pln.burnerinc * atm.crtsig;
  if (!rel.oilpmp[n]) {
    flt.n1_[n] *= rel.oil_rat;
    thrust *= rel.oil_rat;
  }
  if (flt.revving_thrust[n]) thrust *= -0.4f;
  flt.thrust[n] = thrust;
  addFaprop(pln.cos_vertcant[n] * thrust, y, z);
  addFsprop(0, x, z);
  addFnprop(pln.sin_vertcant[n] * thrust, x, y);
}

void jets() {
  for (int n = 0; n < engines(); n++) ajet(n, pln.xarm[n], pln.yarm[n], pln.zarm[n]);
}

// ---- fuel flow ----

float burnin_fuel(float pow_thr) {
  float max_lbh, full, min_share = 0.05f;
  if (pln.entype == 3) {
    max_lbh = pln.tmax * con.ntntolbs * (pln.bypass ? 0.8f : 0.5f);
    full = pln.tmax;
  } else {
    max_lbh = pln.pmax * con.watttohp * (pln.entype == 1 ? 0.42f : 0.63f);
    full = pln.pmax;
    if (pln.entype == 1) min_share = 0.01f;
  }
  float min_lbh = min_share * max_lbh;
  float lbh = full > 0 ? interp(0, min_lbh, full, max_lbh, pow_thr) : min_lbh;
  if (!(lbh >= min_lbh)) lbh = min_lbh;
  return lbh * con.lbstokgs / 3600.0f;
}

// ---- gauge scales ----

int gage_me(float x) {
  static const float above[] = {100, 250, 500, 1000, 2500, 5000, 10000, 25000, 50000, 100000, 250000, 500000};
  static const int steps[] = {20, 50, 100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000};
  if (!(x > -1e9f && x < 1e9f)) x = 0;
  int step = 10;
  for (int i = 0; i < 12; i++)
    if (x > above[i]) step = steps[i];
  return intnear(flt_to_int(x), step, 1);
}

int tac_max() { return gage_me(pln.omegamax * con.rsctorpm); }
int n1__max() { return 100; }
int mpr_max() { return 30; }
int trq_max() { return gage_me(pln.omegamax > 0 ? 1.2f * pln.pmax / pln.omegamax * con.nmtoftlb : 0); }
int ff__max() {
  float full = pln.entype == 3 ? (pln.burnerinc > 1 ? 3 * pln.tmax : pln.tmax) : pln.pmax;
  return gage_me(burnin_fuel(full) * con.kgstolbs * 3600.0f);
}

void set_mod(int data, int* tickmod, int* numbmod, int* labelrat) {
  static const struct {
    int above, tick, numbered, label;
  } rows[] = {{0, 2, 10, 1},          {100, 5, 20, 1},         {250, 10, 50, 1},        {500, 20, 100, 100},
              {1000, 50, 200, 100},   {2500, 100, 500, 100},   {5000, 200, 1000, 100},  {10000, 500, 2000, 100},
              {25000, 1000, 5000, 100}, {50000, 2000, 10000, 100}, {100000, 5000, 20000, 1000},
              {250000, 10000, 50000, 1000}, {500000, 20000, 100000, 1000}};
  int r = 0;
  for (int i = 1; i < 13; i++)
    if (data > rows[i].above) r = i;
  *tickmod = rows[r].tick;
  *numbmod = rows[r].numbered;
  *labelrat = rows[r].label;
}
