// The trim search: six unknowns (pitch, flight path, roll and the three trims)
// against the six accelerations of the aircraft, by damped Newton steps on
// the force assembly itself.
#include "sim/flight/trim.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_con.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/world/env.h"
#include "sim/world/terrain.h"

enum { U = 6 };
static const float D2R = 0.017453292519943295f;

static float tas_k, hdg_k;

// The accelerations with the aircraft held at u: pitch, path, roll, trims.
static void accelerations(const double* u, double* r) {
  flt.the = wrap360((float)u[0]);
  flt.phi = wrap360((float)u[2]);
  flt.psi = wrap360(hdg_k);
  flt.trim = (float)u[3];
  flt.ail_trim = (float)u[4];
  flt.rud_trim = (float)u[5];
  float g = (float)u[1] * D2R, h = hdg_k * D2R;
  flt.vx = tas_k * std::cos(g) * std::sin(h) + atm.wind_x;
  flt.vy = tas_k * std::cos(g) * std::cos(h) + atm.wind_y;
  flt.vz = tas_k * std::sin(g) + atm.wind_z;
  flt.P = flt.Q = flt.R = flt.Prad = flt.Qrad = flt.Rrad = 0;
  set.YK_ptch = set.YK_roll = set.YK_hdng = 0;
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0;  // hands off
  control();
  set_air_data();
  set_path_roll();
  for (int k = 0; k < 3; k++) set_a1();  // let the downwash settle
  set_a2();
  flt.crash = CRASH_NONE;  // a trial state touching the ground ends no flight
  r[0] = flt.ax;
  r[1] = flt.ay;
  r[2] = flt.az;
  r[3] = 0.1 * flt.Pdot;
  r[4] = 0.1 * flt.Qdot;
  r[5] = 0.1 * flt.Rdot;
}

static double norm(const double* r) {
  double s = 0;
  for (int k = 0; k < U; k++) s += r[k] * r[k];
  return std::sqrt(s);
}

// Solves a x = b by elimination with partial pivoting; 0 when singular.
static int solve(double a[U][U], double* b, double* x) {
  for (int c = 0; c < U; c++) {
    int piv = c;
    for (int r = c + 1; r < U; r++)
      if (std::fabs(a[r][c]) > std::fabs(a[piv][c])) piv = r;
    if (!(std::fabs(a[piv][c]) > 1e-300)) return 0;
    for (int k = 0; k < U; k++) {
      double t = a[c][k]; a[c][k] = a[piv][k]; a[piv][k] = t;
    }
    double t = b[c]; b[c] = b[piv]; b[piv] = t;
    for (int r = c + 1; r < U; r++) {
      double f = a[r][c] / a[c][c];
      for (int k = c; k < U; k++) a[r][k] -= f * a[c][k];
      b[r] -= f * b[c];
    }
  }
  for (int c = U - 1; c >= 0; c--) {
    double s = b[c];
    for (int k = c + 1; k < U; k++) s -= a[c][k] * x[k];
    x[c] = s / a[c][c];
  }
  return 1;
}

static void keep_in_bounds(double* u) {
  u[0] = fltlim((float)u[0], -60, 60);
  u[1] = fltlim((float)u[1], -60, 60);
  u[2] = fltlim((float)u[2], -60, 60);
  for (int k = 3; k < U; k++) u[k] = fltlim((float)u[k], -20, 20);
}

trim_result find_trim(float tas, float heading) {
  trim_result out = {};
  tas_k = tas;
  hdg_k = heading;
  float saved_prd = msc.prd;
  msc.prd = 0.025f;
  flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
  find_local_h((float)flt.x, (float)flt.y, &env.localh, &env.i_aircraft, &env.j_aircraft, &env.t_aircraft);
  atm_at_height(flt.h);
  set_slat_and_grndeffect();

  double u[U] = {2, -3, 0, 0, 0, 0}, r[U];
  // The engines and their wash settle at the starting guess first.
  accelerations(u, r);
  for (int k = 0; k < 400; k++) set_a1();
  accelerations(u, r);
  double f = norm(r), lambda = 1e-3;
  const double step[U] = {0.01, 0.01, 0.01, 0.001, 0.001, 0.001};
  int it = 0;
  for (; it < 60 && f > 1e-4; it++) {
    double jac[U][U], up[U], rp[U];
    for (int c = 0; c < U; c++) {
      for (int k = 0; k < U; k++) up[k] = u[k];
      up[c] += step[c];
      accelerations(up, rp);
      for (int k = 0; k < U; k++) jac[k][c] = (rp[k] - r[k]) / step[c];
    }
    double jtj[U][U], jtr[U];
    for (int a = 0; a < U; a++) {
      jtr[a] = 0;
      for (int k = 0; k < U; k++) jtr[a] += jac[k][a] * r[k];
      for (int b = 0; b < U; b++) {
        jtj[a][b] = 0;
        for (int k = 0; k < U; k++) jtj[a][b] += jac[k][a] * jac[k][b];
      }
    }
    int better = 0;
    for (int tries = 0; tries < 12 && !better; tries++) {
      double a[U][U], b[U], du[U], un[U], rn[U];
      for (int i = 0; i < U; i++) {
        for (int k = 0; k < U; k++) a[i][k] = jtj[i][k];
        a[i][i] += lambda * jtj[i][i] + 1e-9;  // a trim that moves nothing stays put
        b[i] = -jtr[i];
      }
      if (!solve(a, b, du)) {
        lambda *= 10;
        continue;
      }
      for (int k = 0; k < U; k++) un[k] = u[k] + du[k];
      keep_in_bounds(un);
      accelerations(un, rn);
      double fn = norm(rn);
      if (std::isfinite(fn) && fn < f) {
        for (int k = 0; k < U; k++) {
          u[k] = un[k];
          r[k] = rn[k];
        }
        f = fn;
        lambda = fltmax2((float)(lambda * 0.3), 1e-7f);
        better = 1;
      } else {
        lambda *= 8;
      }
    }
    if (!better) break;
  }
  accelerations(u, r);  // leave the aircraft in the state found
  f = norm(r);
  msc.prd = saved_prd;
  out.ok = f < 1e-3;
  out.the = flt.the180;
  out.phi = flt.phi180;
  out.gamma = flt.avpath;
  out.alpha = flt.Alpha;
  out.trim = flt.trim;
  out.ail_trim = flt.ail_trim;
  out.rud_trim = flt.rud_trim;
  out.residual = (float)f;
  out.iterations = it;
  return out;
}
