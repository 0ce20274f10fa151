#include "tools/support/stability.h"
#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"

namespace {
const double D2R = 0.017453292519943295, R2D = 1 / D2R;

// Body axes as the textbooks take them: x forward, y right, z down.
enum { SU, SV, SW, SP, SQ, SR, STH, SPH, SOM, STATES = SOM + ENGINES };

flightstruct trimmed;

struct keep_trim {
  keep_trim() { std::memcpy(&trimmed, &flt, sizeof flt); }
  ~keep_trim() { back(); }
  static void back() { std::memcpy(&flt, &trimmed, sizeof flt); }
};

// A fixed-pitch propeller's speed is free; a governed one is held.
int free_prop(int n) {
  return !pln.is_heli && (pln.entype == 1 || pln.entype == 2) && n < pln.numen && pln.miprop[n] > 0 &&
         pln.maxpitch[n] <= pln.minpitch[n];
}

void trim_state(double* x) {
  float r, f, n;
  world_to_body((float)flt.vx - atm.wind_x, (float)flt.vy - atm.wind_y, (float)flt.vz - atm.wind_z, &r, &f, &n);
  x[SU] = f;
  x[SV] = r;
  x[SW] = -n;
  x[SP] = flt.Prad;
  x[SQ] = flt.Qrad;
  x[SR] = flt.Rrad;
  x[STH] = flt.the180 * D2R;
  x[SPH] = flt.phi180 * D2R;
  for (int k = 0; k < ENGINES; k++) x[SOM + k] = flt.tac[k];
}

// The trimmed aircraft moved to state x, its air data worked out.
void put_state(const double* x) {
  keep_trim::back();
  flt.the = wrap360((float)(x[STH] * R2D));
  flt.phi = wrap360((float)(x[SPH] * R2D));
  flt.the180 = wrap180(flt.the);
  flt.phi180 = wrap180(flt.phi);
  refresh_trig();
  float e, n, u;
  body_to_world((float)x[SV], (float)x[SU], (float)-x[SW], &e, &n, &u);
  flt.vx = e + atm.wind_x;
  flt.vy = n + atm.wind_y;
  flt.vz = u + atm.wind_z;
  flt.Prad = (float)x[SP];
  flt.Qrad = (float)x[SQ];
  flt.Rrad = (float)x[SR];
  flt.P = (float)(x[SP] * R2D);
  flt.Q = (float)(x[SQ] * R2D);
  flt.R = (float)(x[SR] * R2D);
  for (int k = 0; k < ENGINES; k++)
    if (free_prop(k)) flt.tac[k] = (float)x[SOM + k];
  set_air_data();
  set_path_roll();
}

// The forces of the state as it stands, the downwash settled. The time step
// is nearly zero so that the engines' and the slipstream's own memories
// stay where the trim left them.
void forces_now() {
  float prd = msc.prd;
  msc.prd = 1e-6f;
  for (int k = 0; k < 3; k++) set_a1();
  set_a2();
  flt.crash = 0;
  msc.prd = prd;
}

// Force (body axes, N) and moments (N m) of the state just computed.
void body_loads(double* F, double* Mo) {
  float k = (1 + msc.ice) * flt.m_total;
  float r, f, n;
  world_to_body(flt.ax * k, flt.ay * k, (flt.az + atm.g) * k, &r, &f, &n);
  F[0] = f;
  F[1] = r;
  F[2] = -n;
  Mo[0] = flt.L;
  Mo[1] = flt.M;
  Mo[2] = flt.N;
}

// The time derivative of the state: the equations of motion the integrator
// steps, in body axes.
void state_rates(const double* x, double* xd) {
  put_state(x);
  forces_now();
  float r, f, n;
  world_to_body(flt.ax, flt.ay, flt.az, &r, &f, &n);
  double u = x[SU], v = x[SV], w = x[SW], p = x[SP], q = x[SQ], rr = x[SR];
  xd[SU] = f - (q * w - rr * v);
  xd[SV] = r - (rr * u - p * w);
  xd[SW] = -n - (p * v - q * u);
  xd[SP] = flt.Pdot * D2R;
  xd[SQ] = flt.Qdot * D2R;
  xd[SR] = flt.Rdot * D2R;
  double sp = std::sin(x[SPH]), cp = std::cos(x[SPH]);
  xd[STH] = q * cp - rr * sp;
  xd[SPH] = p + (q * sp + rr * cp) * std::tan(x[STH]);
  for (int k = 0; k < ENGINES; k++)
    xd[SOM + k] = free_prop(k) ? (flt.trq[k] - flt.Dtq[k]) / pln.miprop[k] : 0;
}

float wing_area() {
  float S = 0;
  for (int w = 0; w < 2; w++) {  // wing one, wing two: both halves
    int left = 4 + 2 * w, right = 5 + 2 * w;
    for (int p : {left, right})
      if (have_this_part(p)) S += 0.5f * (pln.Croot[p] + pln.Ctip[p]) * pln.semilen[p];
  }
  return S;
}

float wing_span() {
  float b = 0;
  for (int p = 4; p <= 7; p++)
    if (have_this_part(p)) {
      float y = std::fabs(get_wing_yarm(p, pln.semilen[p]));
      b = std::max(b, 2 * y);
    }
  return b;
}

// Coefficients of the state just computed: CL, CD, CY, Cl, Cm, Cn.
void coefficients(const stab_ref& ref, float alpha, float* C) {
  double F[3], Mo[3];
  body_loads(F, Mo);
  double qs = ref.q * ref.S, sa = std::sin(alpha), ca = std::cos(alpha);
  C[0] = (float)((F[0] * sa - F[2] * ca) / qs);
  C[1] = (float)(-(F[0] * ca + F[2] * sa) / qs);
  C[2] = (float)(F[1] / qs);
  C[3] = (float)(Mo[0] / (qs * ref.b));
  C[4] = (float)(Mo[1] / (qs * ref.c));
  C[5] = (float)(Mo[2] / (qs * ref.b));
}

// The flow at angle of attack alpha and sideslip beta (standard sign), the
// rates given as p b / 2V, q c / 2V, r b / 2V.
struct probe {
  double alpha = 0, beta = 0, ph = 0, qh = 0, rh = 0;
  double de = 0, da = 0, dr = 0;  // degrees, standard signs
};

void probe_coefficients(const stab_ref& ref, const double* x0, const probe& pr, float* C) {
  double x[STATES];
  std::copy(x0, x0 + STATES, x);
  double V = ref.V;
  x[SU] = V * std::cos(pr.alpha) * std::cos(pr.beta);
  x[SV] = V * std::sin(pr.beta);
  x[SW] = V * std::sin(pr.alpha) * std::cos(pr.beta);
  x[SP] = pr.ph * 2 * V / ref.b;
  x[SQ] = pr.qh * 2 * V / ref.c;
  x[SR] = pr.rh * 2 * V / ref.b;
  put_state(x);
  // The trimmed deflections, moved: the flight model's own signs.
  flt.lhstbdef -= (float)pr.de;
  flt.rhstbdef -= (float)pr.de;
  flt.railndef += (float)pr.da;
  flt.lailndef -= (float)pr.da;
  flt.ruddef += (float)pr.dr;
  forces_now();
  coefficients(ref, (float)pr.alpha, C);
}

// Central difference of coefficient k along one probe direction.
float slope(const stab_ref& ref, const double* x0, const probe& base, probe d, int k, double h) {
  auto at = [&](double s) {
    probe p = base;
    p.alpha += s * d.alpha;
    p.beta += s * d.beta;
    p.ph += s * d.ph;
    p.qh += s * d.qh;
    p.rh += s * d.rh;
    p.de += s * d.de;
    p.da += s * d.da;
    p.dr += s * d.dr;
    float C[6];
    probe_coefficients(ref, x0, p, C);
    return C[k];
  };
  return (float)((at(h) - at(-h)) / (2 * h));
}

enum { C_L, C_D, C_Y, C_ROLL, C_PITCH, C_YAW };

stab_mode pair_mode(std::complex<double> a, std::complex<double> b) {
  stab_mode m = {};
  m.found = 1;
  if (std::fabs(a.imag()) > 1e-9) {
    double wn = std::abs(a);
    m.oscillatory = 1;
    m.omega = (float)wn;
    m.damping = (float)(-a.real() / wn);
    m.period = (float)(2 * M_PI / std::fabs(a.imag()));
    m.tau = (float)(-1 / a.real());
  } else {
    double prod = a.real() * b.real(), sum = a.real() + b.real();
    m.omega = (float)std::sqrt(std::fabs(prod));
    m.damping = m.omega > 0 ? (float)(-sum / (2 * m.omega)) : 0;
    // The slower of the two roots sets how long the motion lasts.
    double slow = std::fabs(a.real()) < std::fabs(b.real()) ? a.real() : b.real();
    m.tau = (float)(-1 / slow);
  }
  return m;
}

stab_mode real_mode(double l) {
  stab_mode m = {};
  m.found = 1;
  m.tau = (float)(-1 / l);
  m.omega = (float)std::fabs(l);
  m.damping = l < 0 ? 1 : -1;
  return m;
}

struct block_roots {
  std::vector<std::complex<double>> roots;
  std::vector<Eigen::VectorXcd> vectors;
};

block_roots eigen_of(const double A[STATES][STATES], const std::vector<int>& idx) {
  int n = (int)idx.size();
  Eigen::MatrixXd M(n, n);
  for (int i = 0; i < n; i++)
    for (int j = 0; j < n; j++) M(i, j) = A[idx[i]][idx[j]];
  Eigen::EigenSolver<Eigen::MatrixXd> es(M);
  block_roots out;
  for (int i = 0; i < n; i++) {
    out.roots.push_back(es.eigenvalues()[i]);
    out.vectors.push_back(es.eigenvectors().col(i));
  }
  return out;
}
}  // namespace

stab_ref stab_reference() {
  stab_ref r = {};
  r.S = wing_area();
  r.b = wing_span();
  r.c = r.b > 0 ? r.S / r.b : 1;
  r.V = flt.av;
  r.q = 0.5f * atm.rho * flt.av * flt.av;
  float k = 1 + msc.ice;
  r.mass = flt.m_total * k;
  float mk2 = flt.m_total * k * k;
  r.Ixx = pln.Jxx_unitmass * mk2;
  r.Iyy = pln.Jyy_unitmass * mk2;
  r.Izz = pln.Jzz_unitmass * mk2;
  r.alpha = flt.Alpha;
  r.the = flt.the180;
  keep_trim keep;
  double x[STATES];
  trim_state(x);
  put_state(x);
  forces_now();
  // The airframe's own lift and drag, without the propeller's thrust.
  r.CL = flt.fnrmlaero / (r.q * r.S);
  r.CD = -flt.faxilaero / (r.q * r.S);
  return r;
}

stab_derivs stab_measure() {
  stab_ref ref = stab_reference();
  keep_trim keep;
  double x0[STATES];
  trim_state(x0);
  probe base;
  base.alpha = ref.alpha * D2R;
  base.beta = -trimmed.Beta * D2R;
  stab_derivs d = {};
  probe a, b, p, q, r, e, ai, ru;
  a.alpha = 1;
  b.beta = 1;
  p.ph = 1;
  q.qh = 1;
  r.rh = 1;
  e.de = 1;
  ai.da = 1;
  ru.dr = 1;
  const double ha = 0.25 * D2R, hb = 0.5 * D2R, hr = 0.005, hc = 1.0;
  d.CL_alpha = slope(ref, x0, base, a, C_L, ha);
  d.Cm_alpha = slope(ref, x0, base, a, C_PITCH, ha);
  d.Cm_q = slope(ref, x0, base, q, C_PITCH, hr);
  d.Cm_de = slope(ref, x0, base, e, C_PITCH, hc) * (float)R2D;
  d.CY_beta = slope(ref, x0, base, b, C_Y, hb);
  d.Cl_beta = slope(ref, x0, base, b, C_ROLL, hb);
  d.Cn_beta = slope(ref, x0, base, b, C_YAW, hb);
  d.Cl_p = slope(ref, x0, base, p, C_ROLL, hr);
  d.Cn_p = slope(ref, x0, base, p, C_YAW, hr);
  d.Cl_r = slope(ref, x0, base, r, C_ROLL, hr);
  d.Cn_r = slope(ref, x0, base, r, C_YAW, hr);
  d.Cl_da = slope(ref, x0, base, ai, C_ROLL, hc) * (float)R2D;
  d.Cn_dr = slope(ref, x0, base, ru, C_YAW, hc) * (float)R2D;

  // Full aileron to the right (up on the right, down on the left) against the
  // roll damping alone: the rate at which the rolling moment is gone.
  auto roll_at = [&](double ph) {
    double x[STATES];
    std::copy(x0, x0 + STATES, x);
    x[SP] = ph * 2 * ref.V / ref.b;
    put_state(x);
    flt.railndef = pln.ailn_up;  // set outright rather than moved from the trim
    flt.lailndef = -pln.ailn_dn;
    forces_now();
    float C[6];
    coefficients(ref, (float)base.alpha, C);
    return (double)C[C_ROLL];
  };
  double ph = 0;
  for (int it = 0; it < 20; it++) {
    double c0 = roll_at(ph), c1 = roll_at(ph + 0.002);
    double dc = (c1 - c0) / 0.002;
    if (!(dc < 0)) break;
    double step = -c0 / dc;
    ph += step;
    if (std::fabs(step) < 1e-5) break;
  }
  d.pb2v_full = (float)ph;
  return d;
}

stab_modes stab_linear_modes() {
  keep_trim keep;
  double x0[STATES], A[STATES][STATES] = {};
  trim_state(x0);
  const double h[STATES] = {0.2, 0.2, 0.2, 0.005, 0.005, 0.005, 0.002, 0.002, 1, 1, 1, 1};
  for (int j = 0; j < STATES; j++) {
    if (j >= SOM && !free_prop(j - SOM)) continue;
    double xp[STATES], xm[STATES], fp[STATES], fm[STATES];
    std::copy(x0, x0 + STATES, xp);
    std::copy(x0, x0 + STATES, xm);
    xp[j] += h[j];
    xm[j] -= h[j];
    state_rates(xp, fp);
    state_rates(xm, fm);
    for (int i = 0; i < STATES; i++) A[i][j] = (fp[i] - fm[i]) / (2 * h[j]);
  }
  stab_modes out = {};

  std::vector<int> lon = {SU, SW, SQ, STH};
  for (int k = 0; k < ENGINES; k++)
    if (free_prop(k)) lon.push_back(SOM + k);
  block_roots L = eigen_of(A, lon);
  // The propellers' own roots are those whose motion is mostly propeller speed.
  std::vector<std::complex<double>> air;
  for (size_t i = 0; i < L.roots.size(); i++) {
    const Eigen::VectorXcd& v = L.vectors[i];
    double body = std::abs(v[0]) / flt.av + std::abs(v[1]) / flt.av + std::abs(v[2]) + std::abs(v[3]);
    double prop = 0;
    for (size_t k = 4; k < lon.size(); k++) prop += std::abs(v[k]) / std::max(1.0, x0[lon[k]]);
    if (prop <= body) air.push_back(L.roots[i]);
  }
  std::sort(air.begin(), air.end(), [](auto a, auto b) { return std::abs(a) < std::abs(b); });
  if (air.size() >= 4) {
    out.phugoid = pair_mode(air[0], air[1]);
    out.short_period = pair_mode(air[2], air[3]);
  }

  block_roots T = eigen_of(A, {SV, SP, SR, SPH});
  std::vector<std::complex<double>> osc, real;
  for (auto& l : T.roots) {
    if (std::fabs(l.imag()) > 1e-9) {
      if (l.imag() > 0) osc.push_back(l);
    } else {
      real.push_back(l);
    }
  }
  std::sort(real.begin(), real.end(), [](auto a, auto b) { return std::abs(a) < std::abs(b); });
  std::sort(osc.begin(), osc.end(), [](auto a, auto b) { return std::abs(a) > std::abs(b); });
  if (!osc.empty()) out.dutch_roll = pair_mode(osc[0], std::conj(osc[0]));
  if (real.size() >= 2) {
    out.spiral = real_mode(real.front().real());
    out.roll = real_mode(real.back().real());
  }
  return out;
}
