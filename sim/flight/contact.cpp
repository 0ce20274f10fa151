// Ground and water contact. Each contact point is a spring and damper acting
// straight up, with rolling, braking and sliding friction and nose-wheel
// steering; each wet hull point gives buoyancy, heave damping, planing and
// skin friction.
#include "sim/flight/contact.h"
#include "sim/world/terrain.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static float z_use[7];  // the ground height last found under each contact kind

// Friction coefficients by the runway's state: dry, wet, icy; colder is slicker.
static float condition_factor() {
  int warm = atm.temp_SL > 32;
  if (atm.rway_fric_code == 2) return warm ? 0.8f : 0.4f;
  if (atm.rway_fric_code == 3) return warm ? 0.4f : 0.2f;
  return 1;
}

// The yaw the pilot asks for: pedals when fitted, else the stick's roll.
static float yaw_input() { return set.eq_ped ? set.YK_hdng : set.YK_roll; }

int handle_contact_point(int kind, float xarm, float yarm, float zarm) {
  if (kind < 0 || kind > 6) return 0;
  float cf = condition_factor();
  float brake_k = 0.9f * cf, slide_k = cf;

  float spring, damper;
  if (kind == 0) { spring = pln.ngearcon; damper = pln.ngeardmp; }
  else if (kind <= 2) { spring = pln.mgearcon; damper = pln.mgeardmp; }
  else { spring = pln.skidcon; damper = pln.skiddmp; }

  float xg = (float)flt.x + yarm * flt.cospsi - xarm * flt.sinpsi;
  float yg = (float)flt.y - xarm * flt.cospsi - yarm * flt.sinpsi;
  // A boat's deck moves under the wheels.
  float ue = 0, un = 0;
  if (env.over_boat && !env.over_carr) {
    ue = 10 * phi_dot_now();
    un = 10 * the_dot_now();
  }
  float ve = (float)flt.vx - ue, vn = (float)flt.vy - un;
  float hg = wrap360(std::atan2(ve, vn) * con.radtodeg);
  float beta_g = wrap180(flt.psi - hg);
  float vg = std::sqrt(ve * ve + vn * vn);

  if (env.over_carr) {
    z_use[kind] = env.carrz;
  } else if (env.over_obs) {
    z_use[kind] = env.obsz;
  } else if (env.over_boat) {
    float th = env.boat_the, ph = env.boat_phi;
    z_use[kind] = env.boat_cgz + 10 * std::cos(th) * std::cos(ph) + std::tan(th) * (yg - env.boat_cgy) -
                  std::tan(ph) * (xg - env.boat_cgx);
  } else {
    int ci, cj, ct;
    find_local_h(xg, yg, &z_use[kind], &ci, &cj, &ct);
  }

  float d = (z_use[kind] - flt.h) + (xarm * flt.sinthe + yarm * flt.sinphi - zarm * flt.costhe * flt.cosphi);
  float w = flt.vu - xarm * flt.Qrad - yarm * flt.Prad;
  float fn = dampedforce(d, -w, spring, damper);
  if (fn < 0) fn = 0;

  float f = fltlim(vg, 0, 1);
  if (std::fabs(beta_g) > 90) f = -f;  // rolling backwards

  int tricycle = pln.ngearx < pln.mgearx;
  float fa;
  if (kind == 0) {
    fa = fn * 0.04f * f;
  } else if (kind <= 2) {
    float b = set.parkbrake;
    if (set.eq_toebrakes) b += set.toe_brake[kind == 1 ? 0 : 1];
    else if (!pln.nwsteerEQ) b += (kind == 1 ? -0.5f : 0.5f) * yaw_input();  // steering by the brakes
    b = fltlim(b, 0, 1);
    fa = interp(0, 0.04f, 1, brake_k, b) * fn * f;
  } else {
    fa = fn * cf * f;
  }

  float k = kind <= 2 ? brake_k : slide_k;
  float fs = k * fn * fltlim(std::sin(beta_g * con.degtorad) * vg + flt.Rrad * xarm, -1, 1);
  if (kind == 0 && tricycle && !pln.nwsteerEQ) fs = 0;  // a free nose wheel casters
  if ((kind == 1 || kind == 2) && !tricycle) fs *= 0.5f;
  if (kind <= 2) flt.gearf[kind] = fn;

  if (kind == 0 && fn > 1) {
    if (pln.nwsteerEQ) {
      float rat = set.joy_rat_hdng != 0 ? set.joy_rat_hdng : 1;
      float s = fltlim(yaw_input() / rat, -1, 1);
      float gd = fltlim(interp(0.5f, 1, 1, 5, std::fabs(s)), 1, 5);
      float gv = fltlim(interp(0, 5, 20, 1, flt.v), 1, 5);
      float base = pln.mgearx - pln.ngearx;
      if (std::fabs(base) > 0.01f) {
        flt.R = flt.v * flt.cosBeta * gd * gv * s * pln.nwsteer / base;
        flt.Rrad = flt.R * con.degtorad;
      }
    } else if (flt.v < 1) {
      flt.R = flt.Rrad = 0;
    }
  }
  if ((kind == 3 || kind == 4) && fn > 1) {  // skids stop the yaw
    flt.R = -flt.Rdot * msc.prd;
    flt.Rrad = flt.R * con.degtorad;
  }

  addFagear(-fa, yarm, zarm);
  addFsgear(fs, xarm, zarm);
  addFngear(fn, xarm, yarm);
  if (fn > 0) {
    flt.onsurface = 1;
    return 1;
  }
  return 0;
}

void handle_float_point(int part, int s, int r, float xos, float yos, float zos) {
  if (part < 12 || part >= PARTS) return;
  int ns = f_body_s_dim(part), nr = BODY_POINTS;
  s = intlim(s, 0, ns - 1);
  r = intlim(r, 0, nr - 1);
  float px = pln.body_x[part][s][r] + xos, py = pln.body_y[part][s][r] + yos, pz = pln.body_z[part][s][r] + zos;
  float hp = flt.h + pz * flt.costhe * flt.cosphi - px * flt.sinthe - py * flt.sinphi;
  float w = flt.vu - px * flt.Qrad - py * flt.Prad;
  float u = flt.vaxial - py * flt.Rrad;
  float depth = env.localh - hp;
  if (depth < 0) return;

  int s0 = intlim(s - 1, 0, ns - 1), s1 = intlim(s + 1, 0, ns - 1);
  int r0 = intlim(r - 1, 0, nr - 1), r1 = intlim(r + 1, 0, nr - 1);
  float dx = (pln.body_x[part][s1][r] - pln.body_x[part][s0][r]) * 0.5f;
  float dz = (pln.body_z[part][s1][r] - pln.body_z[part][s0][r]) * 0.5f;
  float dy = (pln.body_y[part][s][r0] - pln.body_y[part][s][r1]) * 0.5f;
  float dxf = dz * flt.sinthe + dx * flt.costhe;
  float dzf = dz * flt.costhe - dx * flt.sinthe;
  float area = std::fabs(dx * dy);
  float vol = depth * area;
  float slope = dxf != 0 ? dzf / dxf : 0;
  if (slope > 1) slope = 0;

  float rw = con.rho_h20, g = atm.g > 0 ? atm.g : con.g;
  float buoy = vol * rw * g;
  float heave = -std::fabs(w) * w * area * rw;
  float plane = -std::fabs(u) * u * slope * std::fabs(dy * dzf) * rw;
  float plane_drag = dxf != 0 ? plane * dzf / dxf : 0;
  float skin = -0.00165f * area * u * std::fabs(u) * rw;
  addFngear(buoy, px, py);
  addFngear(heave, px, py);
  addFngear(plane, px, py);
  addFagear(plane_drag, py, pz);
  addFagear(skin, py, pz);
  flt.onsurface = 1;
}
