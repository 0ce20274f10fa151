// A simple pilot: the stick through the keyboard's input, pitch for speed,
// height or climb rate, wings for a heading, the nose wheel on the ground.
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/set.h"
#include "tools/flightcheck/fc.h"

namespace {
float i_pitch, i_outer;  // integrators of the pitch and the outer loop
float cas_was = -1;
int base_set, mode_was;
float pitch_base;  // the attitude the run started from

// The keyboard input that gives stick u after the null zone and the curve.
float key_for(float u, float nz) {
  u = fltlim(u, -1, 1);
  if (u == 0) return 0;
  float m = std::pow(std::fabs(u), 2.0f / 3.0f) + nz;
  return u > 0 ? m : -m;
}

void stick(float p, float r, float y) {
  set.MK_ptch = key_for(p, set.NZptch);
  set.MK_roll = key_for(r, set.NZroll);
  set.MK_hdng = key_for(y, 0);
}
}  // namespace

void pilot_reset() {
  i_pitch = i_outer = 0;
  cas_was = -1;
  base_set = 0;
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0;
}

void pilot_hands_off() { set.MK_ptch = set.MK_roll = set.MK_hdng = 0; }

void pilot_fly(const pilot_cmd& c) {
  float dt = fc_step();
  float cas = fc_cas_kt();
  if (cas_was < 0) cas_was = cas;
  float accel = (cas - cas_was) / dt;  // knots a second
  cas_was = cas;
  float vs = flt.vu * con.msctofpm;
  // A new mode starts from the attitude the aircraft has.
  int mode = c.hold_speed ? 1 : c.hold_alt ? 2 : c.hold_vs ? 3 : 4;
  if (!base_set || mode != mode_was) {
    base_set = 1;
    pitch_base = flt.the180;
    i_outer = 0;
  }
  mode_was = mode;

  // The outer loop: the pitch attitude wanted.
  float want;
  if (c.hold_speed) {
    float e = cas - c.kcas;
    i_outer = fltlim(i_outer + 0.15f * e * dt, -20, 20);
    want = pitch_base + 0.8f * e + 2.0f * accel + i_outer;
  } else if (c.hold_alt || c.hold_vs) {
    float vs_want = c.hold_vs ? c.vs_fpm : fltlim(3.0f * (c.alt_ft - flt.h * con.mtrstoft), -800, 800);
    float ev = vs_want - vs;
    i_outer = fltlim(i_outer + 0.004f * ev * dt, -20, 20);
    want = pitch_base + 0.01f * ev + i_outer;
  } else {
    want = c.pitch_deg;
  }
  want = fltlim(want, -20, 30);
  // The attitude as a pitch rate, the rate by the stick.
  float q_want = fltlim(1.5f * (want - flt.the180), -5, 5);
  float eq = q_want - flt.Q;
  i_pitch = fltlim(i_pitch + 0.05f * eq * dt, -1, 1);
  float p = fltlim(0.03f * eq + i_pitch, -1, 1);

  // Wings: a bank for the heading, the roll rate damped.
  float he = wrap180(c.heading - flt.psi);
  float r, y = 0;
  if (flt.onsurface && flt.gearf[0] > 1) {
    r = fltlim(0.02f * he, -0.3f, 0.3f);  // the nose wheel steers with the stick
  } else {
    float bank = fltlim(1.0f * he - 0.5f * flt.R, -15, 15);
    r = fltlim(0.02f * (bank - flt.phi180) - 0.01f * flt.P, -1, 1);
    y = fltlim(-0.05f * flt.Beta, -1, 1);  // the feet keep the ball centred
  }
  stick(p, r, y);
}
