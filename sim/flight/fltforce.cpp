// Force assembly: every element, body, gear and engine force summed into the
// accelerations of the aircraft. Propulsive and gear forces are summed along
// the aircraft axes, aerodynamic forces along the flight-path axes; one
// moment sum (roll L, pitch M, yaw N) takes them all.
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/propel.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/set.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f;

// Downwash on each element of the wings and stabilisers, degrees, found at the
// end of one sub-step and used in the next.
static float downwash_on[PARTS][ELEMENTS];
// Contact groups touching in the previous sub-step: wheels 0-2, skids 3-4, bodies 5, wing tips 6.
static int o_down[7];
// The side that keeps its flaps when they move asymmetrically, drawn once a run.
static int sidefail = 0;

void clear_force_memory() {
  for (int p = 0; p < PARTS; p++)
    for (int e = 0; e < ELEMENTS; e++) downwash_on[p][e] = 0;
  for (int k = 0; k < 7; k++) o_down[k] = 0;
}

// ---- the sums ----

void addFaprop(float faxil, float y, float z) {
  flt.faxilprop += faxil;
  flt.M -= faxil * z;
  flt.N -= faxil * y;
}
void addFsprop(float fside, float x, float z) {
  flt.fsideprop += fside;
  flt.L += fside * z;
  flt.N -= fside * x;
}
void addFnprop(float fnrml, float x, float y) {
  flt.fnrmlprop += fnrml;
  flt.L -= fnrml * y;
  flt.M -= fnrml * x;
}
void addFagear(float faxil, float y, float z) {
  flt.faxilgear += faxil;
  flt.M -= faxil * z;
  flt.N -= faxil * y;
}
void addFsgear(float fside, float x, float z) {
  flt.fsidegear += fside;
  flt.L += fside * z;
  flt.N -= fside * x;
}
void addFngear(float fnrml, float x, float y) {
  flt.fnrmlgear += fnrml;
  flt.L -= fnrml * y;
  flt.M -= fnrml * x;
}

void addFaero(float faxil_path, float fside_path, float fnrml_path, float x, float y, float z) {
  flt.faxilaero += faxil_path;
  flt.fsideaero += fside_path;
  flt.fnrmlaero += fnrml_path;
  float sa = flt.sinAlpha, ca = flt.cosAlpha, sb = flt.sinBeta, cb = flt.cosBeta;
  float a1 = fside_path * sb + faxil_path * cb;
  float side = fside_path * cb - faxil_path * sb;
  float axial = fnrml_path * sa + a1 * ca;
  float normal = fnrml_path * ca - a1 * sa;
  flt.L -= normal * y - side * z;
  flt.M -= normal * x + axial * z;
  flt.N -= side * x + axial * y;
}

float dampedforce(float p, float v, float k, float gamma) {
  float lim = 5.0f * pln.m_max * con.g;
  return fltlim(p * k + v * gamma, -lim, lim);
}

float the_dot_now() { return std::cos(0.5f * msc.elap_time) * (con.pi / 180.0f); }
float phi_dot_now() { return 3.0f * std::cos(0.5f * (msc.elap_time - 1.0f)) * (con.pi / 180.0f); }

// None above hi or below lo; a straight rise from lo to full wash at max and a
// fall to none at hi. Exactly at max the wash is full.
float wash_share(int part, int n, float phi) {
  float lo = pln.lo_washdir[part][n], mx = pln.max_washdir[part][n], hi = pln.hi_washdir[part][n];
  if (phi < lo || phi > hi) return 0;
  if (phi <= mx) return mx > lo ? interp(lo, 0, mx, 1, phi) : 1;
  return hi > mx ? interp(mx, 1, hi, 0, phi) : 1;
}

// ---- set_a1: engines and lifting surfaces ----

static int is_left(int p) { return p == 4 || p == 6 || p == 8; }

int flaps_work_on(int part) {
  if (rel.symflp) return 1;
  // Until a step with the flaps out has drawn the side that keeps them, both do.
  return !sidefail || sidefail == (is_left(part) ? 26 : 25);
}

// Control and flap increments of one element, and the induced angle they bring.
static void element_controls(int part, int e, float* dcl, float* dcd, float* dcm, float* al_i) {
  float cl, cd, cm;
  *dcl = *dcd = *dcm = *al_i = 0;
  auto add = [&](int type, float rat, float def, int induced, const char* name) {
    set_con_eff(part, type, rat, def, &cl, &cd, &cm, name);
    *dcl += cl;
    *dcd += cd;
    *dcm += cm;
    if (induced) *al_i += induce_alpha(cl, part);
  };
  int left = is_left(part);
  if (part >= 4 && part <= 7) {
    if (pln.ailn[part][e]) add(12, pln.ailn_crat, left ? flt.lailndef : flt.railndef, 1, "aileron");
    if (pln.splr[part][e]) add(13, pln.splr_crat, left ? flt.lsplrdef : flt.rsplrdef, 0, "spoiler");
    if (pln.sbrk[part][e] && flt.sbrk > 0) add(14, pln.sbrk_crat, flt.sbrk * pln.sbrk_def * 0.5f, 0, "speedbrake");
    if (pln.drud[part][e]) add(15, pln.drud_crat, left ? flt.ldruddef : flt.rdruddef, 1, "drag rudder");
  } else if (part == 8 || part == 9) {
    if (pln.hstabtype == 0 && pln.elev[part][e]) add(12, pln.elev_crat, left ? flt.lhstbdef : flt.rhstbdef, 1, "elevator");
  } else if (part == 10 || part == 11) {
    if (pln.rudd[part][e]) add(12, pln.rudd_crat, flt.ruddef, 1, "rudder");
  }
  if (pln.flap[part][e] && flt.flap > 0) {
    if (!rel.symflp && !sidefail) sidefail = intrand(25, 26);
    if (flaps_work_on(part)) {
      int f = intlim(flt.flap, 0, FLAP_SETTINGS - 1);
      *dcl += pln.clflap[f];
      *dcd += pln.cdflap[f];
      *dcm += pln.cmflap[f];
      *al_i += induce_alpha(pln.clflap[f], part);
    }
  }
}

static void lifting_part(int part, float* source) {
  float s = is_left(part) ? -1.0f : 1.0f;
  float sindi = s * isin(pln.dihed[part]), cosdi = icos(pln.dihed[part]);
  float asin_di = std::fabs(sindi);
  float sweep_e = asin_di * flt.Alpha + pln.sweepnow[part] + s * flt.Beta * cosdi;
  float vp = std::fabs(std::cos(sweep_e * D2R) * flt.av);
  int props_on = pln.entype == 1 || pln.entype == 2;
  int n_eng = intlim(pln.numen, 0, ENGINES);
  float sum = 0;
  int els = intlim(pln.els[part], 0, ELEMENTS);
  for (int e = 0; e < els; e++) {
    float a0 = pln.anginc[part][e] + flt.Alpha * cosdi - flt.Beta * sindi;
    flt.deldir[part][e] = -a0;
    float ua = std::cos(a0 * D2R) * vp, un = std::sin(a0 * D2R) * vp;
    float r = get_wing_rarm(part, e);
    float xe = get_wing_xarm(part, r), ye = get_wing_yarm(part, r), ze = get_wing_zarm(part, r);
    ua -= ze * flt.Qrad + ye * flt.Rrad;
    un += asin_di * (ze * flt.Prad - xe * flt.Rrad) + (xe * flt.Qrad + ye * flt.Prad) * cosdi;
    if (props_on)
      for (int n = 0; n < n_eng; n++) {
        if (!pln.in_propwash[part][n][e]) continue;
        float dv = flt.DVinc[n];
        if (part >= 10) {
          ua += dv;
          continue;
        }
        float phi = std::atan2(flt.av * flt.sinAlpha - pln.sin_vertcant[n] * dv,
                               pln.cos_vertcant[n] * dv + flt.av * flt.cosAlpha) * con.radtodeg;
        float share = wash_share(part, n, phi);
        ua += pln.cos_vertcant[n] * share * dv;
        un -= pln.sin_vertcant[n] * share * dv;
      }
    flt.v_el[part][e] = std::sqrt(ua * ua + un * un);
    float al = std::atan2(un, ua) * con.radtodeg + downwash_on[part][e];
    flt.deldir[part][e] += al;
    if (part == 8 || part == 9) {
      if (pln.hstabtype == 1) al -= part == 8 ? flt.lhstbdef : flt.rhstbdef;
      if (pln.flyingstabEQ) al += flt.trim * (pln.xarm[8] >= 0 ? -1.0f : 1.0f);
    }
    flt.alpha[part][e] = al;
    float dcl, dcd, dcm, al_i;
    element_controls(part, e, &dcl, &dcd, &dcm, &al_i);
    // The lift a control adds brings its own downwash: the induced angle
    // lowers the element's angle of attack, as on any wing of finite span.
    flt.alpha[part][e] -= al_i;
    float lift, drag, momt;
    float cl = F_el_force(dcl, dcd, dcm, &lift, &drag, &momt, part, e);
    addFaero(-drag, -lift * sindi, lift * cosdi, xe, ye, ze);
    flt.M += momt * cosdi;
    flt.N -= momt * sindi;
    sum += pln.spec_wash[part] * cl;
    cyc("part %d element %d: v=%.2f alpha=%.3f deldir=%.3f lift=%.2f drag=%.2f momt=%.2f at (%.2f %.2f %.2f)\n", part,
        e, flt.v_el[part][e], flt.alpha[part][e], flt.deldir[part][e], lift, drag, momt, xe, ye, ze);
  }
  if (els > 0) sum /= (float)els;
  if (flt.stalled[part]) sum *= std::fabs(std::sin(2.0f * msc.elap_time));  // a stalled surface sheds a fluctuating wash
  source[part] = sum;
}

void set_a1() {
  flt.faxilprop = flt.fsideprop = flt.fnrmlprop = 0;
  flt.faxilaero = flt.fsideaero = flt.fnrmlaero = 0;
  flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0;
  flt.L = flt.M = flt.N = 0;
  if (atm.rho > 0) {
    if (pln.entype == 1 || pln.entype == 2) props();
    else if (pln.entype == 3) jets();
  }
  if (ins.jato_on) {
    int thj = flt_to_int(pln.jatotheta);
    addFaprop(icos(thj) * pln.jatothrust, 0, pln.jatoz);
    addFnprop(isin(thj) * pln.jatothrust, pln.jatox, 0);
    flt.jatoleft -= msc.prd;
    // A burnt-out rocket turns its panel switch off (ins).
    if (flt.jatoleft < 0) ins.jato_on = 0;
  }
  if (pln.puffEQ) {
    flt.L += pln.puffL * set.FC_roll;
    flt.M += pln.puffM * set.FC_ptch;
    flt.N += pln.puffN * set.FC_hdng;
  }
  float source[PARTS] = {};
  for (int part = 4; part <= 11; part++)
    if (have_this_part(part)) lifting_part(part, source);
  // Next sub-step's downwash; the vertical stabilisers neither give nor take it.
  for (int p = 4; p <= 9; p++)
    for (int e = 0; e < ELEMENTS; e++) {
      float w = 0;
      for (int s = 4; s <= 9; s++)
        if (pln.in_wash[s][p][e]) w += source[s];
      downwash_on[p][e] = -w;
    }
  cyc("RUNNING AERODYNAMIC FORCE AND TOTAL MOMENT TOTALS: axial %.2f side %.2f normal %.2f  L %.2f M %.2f N %.2f\n",
      flt.faxilaero, flt.fsideaero, flt.fnrmlaero, flt.L, flt.M, flt.N);
}

// ---- set_a2: bodies, contacts and the accelerations ----

static void bodies() {
  float q_v = pln.fusewash ? flt.av + flt.DVinc[0] : flt.av;
  float q = 0.5f * atm.rho * q_v * q_v;
  float af = fltlim(flt.Alpha, -15, 15), bf = fltlim(flt.Beta, -15, 15);
  float lift = (0.27f * af / 90.0f) * pln.fuse_s_top * q;
  float side = (0.27f * bf / 90.0f) * pln.fuse_s_sid * q;
  float gam = std::sqrt(af * af + bf * bf);
  float cd = interp(0, pln.fuse_cd, 90, 0.27f, gam);
  float area = interp(0, pln.fuse_s_frn, 90, (pln.fuse_s_top + pln.fuse_s_sid) / 2, gam);
  addFaero(-cd * area * q, side, lift, pln.fusexcent, 0, pln.fusezcent);

  for (int part = 13; part <= 18; part++) {
    if (!have_this_part(part)) continue;
    int nacelle = part <= 16;
    if (nacelle && pln.entype == 3) continue;
    float c = pln.fuse_cd * (nacelle && pln.entype == 1 ? 2.0f : 1.0f);
    float a = nacelle ? pln.nace_s : pln.misc_s;
    float v = nacelle ? flt.av + flt.DVinc[part - 13] : flt.av;
    addFaero(-c * a * 0.5f * atm.rho * v * v, 0, 0, 0, 0, 0);
  }
  float av2 = flt.av * flt.av;
  if (pln.fbrkEQ && flt.sbrk > 0) addFaero(-av2 * flt.sbrk * pln.speedbrake_area * atm.rho * 0.3075f, 0, 0, 0, 0, 0);
  if (pln.chuteEQ && ins.chute_on) addFaero(-av2 * pln.chute_area * atm.rho * 0.71f, 0, 0, 0, 0, 0);
  if (flt.wired) addFagear(-flt.m_total * car.trap_accel, 0, 0.2f * pln.mgearz);
}

static int over_ground() {
  int i = intlim(env.i_aircraft, 0, GRID_I - 1), j = intlim(env.j_aircraft, 0, GRID_J - 1);
  int t = intlim(env.t_aircraft, 0, 1);
  return !on_water[i][j][t] || env.over_carr || env.over_boat;
}

static void ground_contacts() {
  int down[7] = {0, 0, 0, 0, 0, 0, 0};
  if (pln.gearEQ) {
    if (set.gear_stat[0]) down[0] = handle_contact_point(0, pln.ngearx, 0, pln.ngearz);
    if (set.gear_stat[1]) down[1] = handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz);
    if (set.gear_stat[2]) down[2] = handle_contact_point(2, pln.mgearx, pln.mgeary, pln.mgearz);
  }
  if (pln.skidEQ) {
    down[3] = handle_contact_point(3, pln.skidx, -pln.skidy, pln.skidz);
    down[3] |= handle_contact_point(3, pln.skidx + pln.skidl, -pln.skidy, pln.skidz);
    down[4] = handle_contact_point(4, pln.skidx, pln.skidy, pln.skidz);
    down[4] |= handle_contact_point(4, pln.skidx + pln.skidl, pln.skidy, pln.skidz);
  }
  for (int p = 4; p <= 11; p++) {
    if (!have_this_part(p)) continue;
    float r = pln.semilen[p];
    down[6] |= handle_contact_point(6, get_wing_xarm(p, r), get_wing_yarm(p, r), get_wing_zarm(p, r));
  }
  for (int p = 12; p <= 18; p++) {
    if (!have_this_part(p)) continue;
    float ox, oy, oz;
    get_body_os(p, &ox, &oy, &oz);
    int mid = f_body_r_dim(p) / 2;
    for (int i = 0; i < f_body_s_dim(p); i++)
      down[5] |= handle_contact_point(5, pln.body_x[p][i][mid] + ox, pln.body_y[p][i][mid] + oy,
                                      pln.body_z[p][i][mid] + oz);
  }
  for (int k = 0; k < 7; k++) {
    if (!down[k] || o_down[k]) continue;
    if (k <= 2) {
      play_buffer(flt.vz < -2.54 ? SND_BOOM : SND_SQUEAK, 0);
      float share = flt.m_total > 0 ? flt.gearf[k] / flt.m_total * 200.0f : 0;
      forcecall(FF_JOLT, flt_to_int(fltlim(share, 0, 100000)), 0, 300);
    } else if (k >= 5) {
      play_buffer(SND_BOOM, 0);
      forcecall(FF_JOLT, 100, 0, 250);
    }
  }
  for (int k = 0; k < 7; k++) o_down[k] = down[k];
}

static void water_contacts() {
  float wd = atm.wave_dir * D2R;
  float wx = flt.v * flt.coshpath + std::cos(wd) * atm.wave_speed;
  float wy = flt.v * flt.sinhpath + std::sin(wd) * atm.wave_speed;
  float f = atm.wave_length > 0 ? std::sqrt(wx * wx + wy * wy) / atm.wave_length : 0;
  float dx = std::fabs(wx) <= 0.1f ? 9999.0f : wx, dy = std::fabs(wy) <= 0.1f ? 9999.0f : wy;
  for (int p = 12; p <= 18; p++) {
    if (!have_this_part(p)) continue;
    float ox, oy, oz;
    get_body_os(p, &ox, &oy, &oz);
    int nr = f_body_r_dim(p), mid = nr / 2;
    for (int i = 0; i < f_body_s_dim(p); i++)
      for (int r = mid - 1; r <= mid + 1; r++) {
        float bx = pln.body_x[p][i][r] + ox, by = pln.body_y[p][i][r] + oy;
        float xg = -bx * flt.cospsi - by * flt.sinpsi;
        float yg = by * flt.cospsi - bx * flt.sinpsi;
        float phase = xg / dx - yg / dy;
        float wave = 0.5f * atm.wave_amp * std::sin(2.0f * con.pi * (msc.elap_time * f + phase));
        handle_float_point(p, i, r, ox, oy, oz + wave);
      }
  }
}

void set_a2() {
  bodies();
  flt.onsurface = 0;
  flt.gearf[0] = flt.gearf[1] = flt.gearf[2] = 0;
  if (over_ground()) ground_contacts();
  else water_contacts();

  if (flt.onsurface) {
    if (flt.vu < -20) flt.crash = CRASH_SEVERE;
    else if (flt.vu < -10 || std::fabs(flt.phi180) > 90) flt.crash = CRASH_ORDINARY;
    if (flt.crash) return;  // nothing moves after the impact
  }
  if (set.gear_handle) {
    float drag = (pln.retractEQ ? 0.3f : 0.1f) * pln.sgear * flt.Qstatic;
    addFaero(-drag, 0, 0, pln.mgearx, 0, pln.mgearz);
  }
  int props_on = pln.entype == 1 || pln.entype == 2;
  if (!pln.is_heli && props_on && (pln.numen == 1 || (pln.numen == 2 && pln.propdir[0] == pln.propdir[1])))
    flt.L += pln.numen * (pln.omegamax > 0 ? pln.pmax / pln.omegamax : 0) * 0.75f * flt.Qratio * pln.propdir[0] * 2;

  float e_aero, n_aero, u_aero, e_prop, n_prop, u_prop;
  aero_to_world(flt.faxilaero, flt.fsideaero, flt.fnrmlaero, &e_aero, &n_aero, &u_aero);
  body_to_world(flt.fsideprop, flt.faxilprop, flt.fnrmlprop, &e_prop, &n_prop, &u_prop);
  float north = (flt.faxilgear * flt.cospsi - flt.fsidegear * flt.sinpsi) + n_aero + n_prop;
  float east = (flt.fsidegear * flt.cospsi + flt.faxilgear * flt.sinpsi) + e_aero + e_prop;
  float up = flt.fnrmlgear + u_aero + u_prop;

  float k = 1 + msc.ice;
  float mass = flt.m_total * k;
  if (mass > 0) {
    flt.ax = east / mass;
    flt.ay = north / mass;
    flt.az = up / mass - atm.g;
  } else {
    flt.ax = flt.ay = 0;
    flt.az = -atm.g;
  }
  if (flt.cat_stage == 27) flt.vx = flt.vy = 0;
  else if (flt.cat_stage == 28) {
    float s = msc.est_Vs * msc.est_Vs / 200.0f;
    flt.ax = std::sin(car.catang * D2R) * s;
    flt.ay = std::cos(car.catang * D2R) * s;
  }
  float mk2 = flt.m_total * k * k;
  auto rate = [&](float moment, float j) { return j * mk2 > 0 ? moment / (j * mk2) * con.radtodeg : 0.0f; };
  flt.Pdot = rate(flt.L, pln.Jxx_unitmass);
  flt.Qdot = rate(flt.M, pln.Jyy_unitmass);
  flt.Rdot = rate(flt.N, pln.Jzz_unitmass);
  cyc("FINAL TOTAL LINEAR ACCELS, ALONG GLOBAL AXIS (pos north/east/up): %.4f %.4f %.4f\n", flt.ay, flt.ax, flt.az);
  cyc("FINAL ANGULAR ACCELS (deg/s2): roll %.4f pitch %.4f yaw %.4f\n", flt.Pdot, flt.Qdot, flt.Rdot);
}
