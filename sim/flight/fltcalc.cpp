// Element aerodynamics: from an element's local flow to its lift, drag and
// pitching moment, through the airfoil tables of its surface.
#include "sim/flight/fltcalc.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/world/env.h"

static const float D2R = 0.017453292519943295f;

static int has_slat(int EN, int el) { return el >= 0 && el < ELEMENTS && pln.slat[EN][el]; }

// Drag over the whole grid, lift from 10 degrees outward: entry k stands for
// k / 10 degrees up to 20, then one degree a step to 90.
void anyfoil(float alpha, float* cl, float* cd, float* cm, int EN, int Re, int RT, int el) {
  float al_zl = afl.al_zl[EN][Re][RT];
  if (!std::isfinite(al_zl)) al_zl = 0;  // a flat lift line has no zero-lift angle
  float d = pln.al_D_al0[EN] * (alpha - al_zl);
  if (has_slat(EN, el) && flt.slat_effect[EN] > 0) d /= flt.slat_effect[EN];
  float a = al_zl + d;
  // The stalling angle was carried over to the wing's own angle (divided by
  // the finite-wing factor, and stretched by a slat), so it is the element's
  // own angle that is held against it: the reduced angle would reach it only
  // far past the section's greatest lift.
  flt.stalled[EN] = alpha > flt.alpha_max[EN];

  float mag = std::fabs(a);
  float pos = mag <= 20.0f ? mag * 10.0f : (mag - 20.0f) + 200.0f;
  if (!(pos <= 269.99f)) pos = 269.99f;  // also catches a NaN angle
  int i = flt_to_int(pos);
  float w = (float)(i + 1) - pos;
  int positive = alpha > 0;
  const float* cl_t = positive ? afl.clpos[EN][Re][RT] : afl.clneg[EN][Re][RT];
  const float* cd_t = positive ? afl.cdpos[EN][Re][RT] : afl.cdneg[EN][Re][RT];

  if (mag < 10.0f) *cl = afl.clB[EN][Re][RT] + afl.clM[EN][Re][RT] * a;
  else *cl = cl_t[i - 100] * w + cl_t[i - 99] * (1.0f - w);
  *cd = cd_t[i] * w + cd_t[i + 1] * (1.0f - w);

  float a2 = afl.cmal2[EN][Re][RT], a3 = afl.cmal3[EN][Re][RT];
  float m1 = afl.cm1[EN][Re][RT], m2 = afl.cm2[EN][Re][RT], m3 = afl.cm3[EN][Re][RT], m4 = afl.cm4[EN][Re][RT];
  if (fltrange(a, a2, a3)) *cm = interp(a2, m2, a3, m3, a);
  else if (fltrange(a, a3, 20)) *cm = interp(a3, m3, 20, m4, a);
  else if (fltrange(a, -20, a2)) *cm = interp(-20, m1, a2, m2, a);
  else if (a >= 20) *cm = interp(20, m4, 90, -0.32f, a);
  else if (a <= -20) *cm = interp(-90, 0.32f, -20, m1, a);
  else *cm = 0;

  if (has_slat(EN, el)) *cl *= flt.slat_effect[EN];
}

// Straight line between the coefficients of two airfoils.
static void blend(float x1, const float* c1, float x2, const float* c2, float x, float* out) {
  for (int k = 0; k < 3; k++) out[k] = interp(x1, c1[k], x2, c2[k], x);
}

static void re_blend(int EN, int RT, const float* lo, const float* hi, float re_meg, float* out) {
  float r0 = pln.Re[EN][RT][0], r1 = pln.Re[EN][RT][1];
  float use = fltlim(re_meg, fltmin2(r0, r1), fltmax2(r0, r1));
  blend(r0, lo, r1, hi, use, out);
}

void Fco_subsonic(float modcl, float modcd, float modcm, float* cl, float* cd, float* cm, int EN, int el) {
  float al = flt.alpha[EN][el];
  float r0[3], r1[3] = {0, 0, 0}, t0[3] = {0, 0, 0}, t1[3] = {0, 0, 0};
  anyfoil(al, &r0[0], &r0[1], &r0[2], EN, 0, 0, el);
  if (pln.diffRe[EN]) anyfoil(al, &r1[0], &r1[1], &r1[2], EN, 1, 0, el);
  if (pln.diffRT[EN]) {
    anyfoil(al, &t0[0], &t0[1], &t0[2], EN, 0, 1, el);
    if (pln.diffRe[EN]) anyfoil(al, &t1[0], &t1[1], &t1[2], EN, 1, 1, el);
  }
  float re_meg = con.muair > 0 ? pln.mac[EN][el] * flt.v_el[EN][el] * atm.rho / con.muair / 1000000.0f : 0;

  float root[3] = {r0[0], r0[1], r0[2]}, c[3];
  if (pln.diffRe[EN]) re_blend(EN, 0, r0, r1, re_meg, root);
  c[0] = root[0]; c[1] = root[1]; c[2] = root[2];
  if (pln.diffRT[EN]) {
    float tip[3] = {t0[0], t0[1], t0[2]};
    if (pln.diffRe[EN]) re_blend(EN, 1, t0, t1, re_meg, tip);
    blend(0, root, (float)pln.els[EN], tip, el + 0.5f, c);
  }

  float l = (c[0] + modcl) * pln.cl_D_cl0[EN];
  float d = c[1] + modcd;
  float m = (c[2] + modcm) * pln.cm_D_cm0[EN];
  float span_e = pln.AR[EN] * pln.e[EN] * con.pi;
  float cdi = span_e > 0 ? l * l / span_e : 0;
  int ground_part = pln.is_heli ? EN == 0 : (EN >= 4 && EN <= 9);
  if (l > 0 && ground_part) {
    cdi *= flt.CDIgrndeffect[EN];
    l *= flt.CLgrndeffect[EN];
  }
  d += cdi;

  // Prandtl-Glauert, held at its Mach 0.8 value beyond.
  float md = atm.a > 0 ? flt.v_el[EN][el] / atm.a : 0;
  float mu = fltlim(md, 0, 0.8f);
  float pg = 1.0f / std::sqrt(1.0f - mu * mu);
  l *= pg;
  m *= pg;
  float mdd = 0.7f - 0.2f * l;
  if (md > mdd) d += 2.5f * (mu - mdd) * (mu - mdd);

  m -= pln.delta_fac[EN] * l * 0.25f;
  if (msc.ice > 0.001f) {
    l /= 1.0f + 0.5f * msc.ice;
    d *= 1.0f + 4.0f * msc.ice;
  }
  *cl = l;
  *cd = d;
  *cm = m;
  cyc("   FINAL LOCAL-VELOCITY COEFFICIENTS: cl=%.4f cd=%.4f cm=%.4f (part %d element %d, alpha %.2f, Re %.2f meg, Mach %.3f)\n",
      l, d, m, EN, el, al, re_meg, md);
}

void supersonic_flatplate(float alpha, float* cl, float* cd, float machno, float foil_rat) {
  float a = alpha * D2R;
  float cp = 2.0f * a / std::sqrt(machno * machno - 1.0f);
  *cl += cp * std::cos(a) * foil_rat;
  *cd += cp * std::sin(a) * foil_rat;
}

// A double wedge: four flat panels, two each side of the chord line.
void Fco_supersonic(float modcl, float modcd, float modcm, float* cl, float* cd, float* cm, int EN, int el) {
  float l = 0, d = 0;
  float ang = fltlim(interp(1.5f, 1.5f, 2.5f, 4.0f, pln.AR[EN]), 1.5f, 4.0f);
  float mach = fltlim(flt.machno, 1.1f, 3.0f);
  float al = flt.alpha[EN][el];
  supersonic_flatplate(al - ang, &l, &d, mach, 0.5f);
  supersonic_flatplate(al + ang, &l, &d, mach, 0.5f);
  supersonic_flatplate(al + ang, &l, &d, mach, 0.5f);
  supersonic_flatplate(al - ang, &l, &d, mach, 0.5f);
  d += 0.0005f;
  *cl = l + modcl;
  *cd = d + modcd;
  *cm = -0.25f * l + modcm;
  cyc("   SUPERSONIC COEFFICIENTS: cl=%.4f cd=%.4f cm=%.4f (part %d element %d)\n", *cl, *cd, *cm, EN, el);
}

float F_el_force(float modcl, float modcd, float modcm, float* lift, float* drag, float* momt, int EN, int el) {
  float cl, cd, cm;
  if (flt.machno >= 1.0f) Fco_supersonic(modcl, modcd, modcm, &cl, &cd, &cm, EN, el);
  else Fco_subsonic(modcl, modcd, modcm, &cl, &cd, &cm, EN, el);
  // Into the flight-path axes: the local flow is turned by deldir against the path.
  float s = std::sin(flt.deldir[EN][el] * D2R), c = std::cos(flt.deldir[EN][el] * D2R);
  float clp = cd * s + cl * c;
  float cdp = cd * c - cl * s;
  float v = flt.v_el[EN][el];
  float qs = pln.s[EN][el] * v * v * atm.rho * 0.5f;  // force=coeff*S*V*V*rho/2.0
  *lift = clp * qs;
  *drag = cdp * qs;
  *momt = pln.mac[EN][el] * cm * qs;
  return cl;
}

// Loss of flap effectiveness at large deflections, degrees against factor.
static float deflection_loss(float def) {
  static const float deg[] = {10, 15, 20, 30, 40, 50, 60};
  static const float fac[] = {1.0f, 0.98f, 0.86f, 0.68f, 0.6f, 0.55f, 0.5f};
  float a = std::fabs(def);
  if (a < 10) return 1;
  if (a >= 60) return 0.5f;
  for (int k = 1; k < 7; k++)
    if (a <= deg[k]) return interp(deg[k - 1], fac[k - 1], deg[k], fac[k], a);
  return 0.5f;
}

void set_con_eff(int EN, int con_type, float rat, float def, float* cl, float* cd, float* cm, const char* str) {
  float cl_d = ((14.92f * rat + 1.114f) - 11.58f * rat * rat) * con.pi / 180.0f * 0.67f;
  float cd_d = 0.003f * rat / 0.25f;
  float cm_d = (0.75f - 0.5f * rat) * cl_d;
  switch (con_type) {
    case 13: cl_d *= 2; cd_d *= 2; cm_d *= 0.5f; break;   // spoiler
    case 14: cl_d *= 0.5f; cd_d *= 2; cm_d = 0; break;    // speedbrake
    case 15: cl_d *= 0; cd_d *= 4; cm_d *= 0; break;      // drag rudder
    default: break;
  }
  *cl = -def * cl_d;
  *cd = std::fabs(def) * cd_d;
  *cm = def * cm_d;
  *cl *= deflection_loss(def);
  if (flt.stalled[EN]) *cl *= 0.2f;
  if (pln.con_smooth == 1) *cl *= 0.7f;
  else if (pln.con_smooth == 2) *cl *= 0.85f;
  cyc("   %s deflected %.2f deg: dcl=%.4f dcd=%.4f dcm=%.4f\n", str ? str : "control", def, *cl, *cd, *cm);
}

float induce_alpha(float clmod, int EN) {
  if (flt.machno > 1.0f) return 0;
  return clmod / (fltlim(pln.AR[EN], 2, 20) * con.pi) * con.radtodeg;
}

void set_slat_and_grndeffect() {
  for (int p = 4; p <= 11; p++) {
    if (!have_this_part(p)) continue;
    float pe = pln.slat_effect[p] > 0 ? pln.slat_effect[p] : 1.0f;
    flt.slat_effect[p] = 1.0f + (pe - 1.0f) * flt.slat;
    flt.alpha_max[p] = flt.slat_effect[p] * pln.alpha_max[p];
  }
  for (int p = 0; p <= 9; p++) {
    int wanted = pln.is_heli ? p == 0 : p >= 4;
    if (!wanted || !have_this_part(p)) continue;
    float hds = 0.1f;
    if (pln.semilen[p] > 0)
      hds = (pln.zarm[p] * flt.costhe + flt.h - pln.xarm[p] * flt.sinthe - env.localh) / pln.semilen[p];
    if (!(hds >= 0.1f)) hds = 0.1f;
    float k = (8 * hds) * (8 * hds);
    flt.CDIgrndeffect[p] = k / (k + 1);
    flt.CLgrndeffect[p] = pln.AR[p] > 0 ? 1 + 3 * (std::pow(1 + 1 / (hds * hds * hds), 0.04f) - 1) / pln.AR[p] : 1;
  }
}
