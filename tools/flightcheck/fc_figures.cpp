// The manoeuvres, one per figure, flown the way the handbook flies them.
#include <cmath>
#include <cstdio>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/ott.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/world/env.h"
#include "tools/flightcheck/fc.h"

namespace {
int trace = 0;

void say(const char* fmt, double a = 0, double b = 0, double c = 0, double d = 0) {
  if (!trace) return;
  std::fprintf(stderr, fmt, a, b, c, d);
}

void throttle(float t) {
  for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = t;
}

// Distance flown over the ground from (x0, y0), feet.
float ground_ft(double x0, double y0) { return (float)std::hypot(flt.x - x0, flt.y - y0) * con.mtrstoft; }

float finite_or(float v, float fallback) { return std::isfinite(v) ? v : fallback; }

// Power off, flaps as given, slowing 1 knot a second: the lowest calibrated
// speed before the nose drops.
float stall(unsigned seed, int flap) {
  fc_fresh(seed);
  float start = flap ? 60 : 68;
  fc_air(3000, start, 0, flap);
  throttle(0);
  pilot_cmd c = {};
  c.hold_speed = 1;
  c.heading = fc_hdg();
  float lowest = 1e9f, t = 0;
  for (int k = 0; k < (int)(90 / fc_step()); k++) {
    c.kcas = start - t;
    pilot_fly(c);
    fc_frame();
    t += fc_step();
    float cas = fc_cas_kt();
    if (t > 5 && cas < lowest) lowest = cas;
    // The stall breaks: speed picking up again well above the lowest, or a dive.
    if (t > 10 && (cas > lowest + 4 || flt.the180 < -15)) break;
  }
  say("stall flap %.0f: lowest %.1f kcas after %.1f s\n", flap, lowest, t);
  return lowest;
}

// Full power at the best-rate speed from just above the runway to 550 ft.
float climb(unsigned seed) {
  fc_fresh(seed);
  const float vy = 76;
  fc_air(50, vy, 1, 0);
  throttle(1);
  for (int n = 0; n < ENGINES; n++) flt.mixt[n] = 1;
  pilot_cmd c = {};
  c.hold_speed = 1;
  c.kcas = vy;
  c.heading = fc_hdg();
  float t = 0, t0 = -1, t1 = -1;
  for (int k = 0; k < (int)(300 / fc_step()) && t1 < 0; k++) {
    pilot_fly(c);
    fc_frame();
    t += fc_step();
    float ft = flt.h * con.mtrstoft;
    if (t0 < 0 && ft >= 150) t0 = t;
    if (t0 >= 0 && ft >= 550) t1 = t;
  }
  if (t0 < 0 || t1 < 0) return 0;
  float fpm = 400 / (t1 - t0) * 60;
  say("climb: 150 to 550 ft in %.1f s, %.0f fpm at %.1f kcas, %.0f rpm\n", t1 - t0, fpm, fc_cas_kt(),
      flt.tac[0] * con.rsctorpm);
  return fpm;
}

// Level at 8000 ft, mixture leaned for best power, the throttle for 75 % power.
float cruise(unsigned seed) {
  fc_fresh(seed);
  float thr;
  fc_level(8000, 105, 0, &thr);
  pilot_cmd c = {};
  c.hold_alt = 1;
  c.alt_ft = 8000;
  c.heading = fc_hdg();
  float want = 0.75f * pln.pmax, tas_sum = 0;
  int n_sum = 0;
  float t = 0;
  for (int k = 0; k < (int)(360 / fc_step()); k++) {
    for (int n = 0; n < ENGINES; n++) flt.mixt[n] = fltlim(atm.crtsig - 0.3f, 0, 1);
    // The throttle follows the power slowly, as a pilot sets it by the gauges.
    thr = fltlim(thr + 0.2f * (want - flt.power[0]) / pln.pmax * fc_step(), 0, 1);
    throttle(thr);
    pilot_fly(c);
    fc_frame();
    t += fc_step();
    if (t > 300) {
      tas_sum += flt.av * con.msctokts;
      n_sum++;
    }
  }
  float tas = n_sum ? tas_sum / n_sum : 0;
  say("cruise: %.1f ktas at %.0f hp, throttle %.3f, %.0f rpm\n", tas, flt.power[0] * con.watttohp, thr,
      flt.tac[0] * con.rsctorpm);
  return tas;
}

// Flaps 10, full power against the brakes, rotate at 51, climb at 56 knots.
void takeoff(unsigned seed, float* roll_ft, float* over50_ft) {
  fc_fresh(seed);
  fc_ground();
  flt.flap = flt.flaprequest = 17;  // 10 of the 30 degrees
  throttle(1);
  float hdg = fc_hdg();
  for (int k = 0; k < (int)(8 / fc_step()); k++) {
    pilot_hands_off();
    fc_frame();
  }
  set.parkbrake = 0;
  double x0 = flt.x, y0 = flt.y;
  pilot_cmd c = {};
  c.heading = hdg;
  int rotated = 0, airborne = 0;
  *roll_ft = *over50_ft = 0;
  for (int k = 0; k < (int)(120 / fc_step()); k++) {
    float cas = fc_cas_kt();
    if (!rotated && cas >= 50) rotated = 1;
    if (!rotated) {
      c.hold_speed = 0;
      c.pitch_deg = 2;  // slightly tail low, the nose wheel light
    } else if (!airborne || fc_agl_ft() < 5 || cas < 54) {
      c.hold_speed = 0;
      c.pitch_deg = 9;
    } else {
      c.hold_speed = 1;
      c.kcas = 56;
    }
    pilot_fly(c);
    fc_frame();
    if (!airborne && !flt.onsurface) {
      airborne = 1;
      *roll_ft = ground_ft(x0, y0);
      say("takeoff: lift-off at %.1f kcas after %.0f ft\n", fc_cas_kt(), *roll_ft);
    }
    if (airborne && flt.onsurface) airborne = 0;  // bounced back
    if (airborne && fc_agl_ft() >= 50) {
      *over50_ft = ground_ft(x0, y0);
      say("takeoff: 50 ft at %.1f kcas after %.0f ft\n", fc_cas_kt(), *over50_ft);
      return;
    }
  }
}

// Flaps 30, power off at 61 knots, a flare, then the heaviest braking.
float landing(unsigned seed) {
  fc_fresh(seed);
  fc_air(150, 61, 0, 50);
  throttle(0);
  pilot_cmd c = {};
  c.heading = fc_hdg();
  int down = 0;
  double x0 = 0, y0 = 0;
  float touch_cas = 0;
  for (int k = 0; k < (int)(200 / fc_step()); k++) {
    float agl = fc_agl_ft();
    if (!down) {
      if (agl > 25) {
        c.hold_speed = 1;
        c.kcas = 61;
      } else {
        c.hold_speed = 0;
        c.hold_vs = 1;
        c.vs_fpm = -fltmax2(agl * 12, 100);
      }
    }
    if (!down && flt.onsurface) {
      down = 1;
      x0 = flt.x;
      y0 = flt.y;
      touch_cas = fc_cas_kt();
      set.parkbrake = 1;
      flt.flaprequest = 0;
      c.hold_vs = c.hold_speed = 0;
    }
    if (down) {
      c.pitch_deg = 30;  // stick back
      if (flt.v < 0.3f) break;
    }
    pilot_fly(c);
    fc_frame();
  }
  float roll = down ? ground_ft(x0, y0) : 0;
  say("landing: touch-down at %.1f kcas, roll %.0f ft\n", touch_cas, roll);
  return roll;
}

// Idle, flaps up, at the best-glide speed: ground distance over height lost.
float glide(unsigned seed) {
  fc_fresh(seed);
  const float vbg = 65;
  fc_air(6000, vbg, 0, 0);
  throttle(0);
  pilot_cmd c = {};
  c.hold_speed = 1;
  c.kcas = vbg;
  c.heading = fc_hdg();
  double x0 = 0, y0 = 0;
  float h0 = 0;
  for (int k = 0; k < (int)(150 / fc_step()); k++) {
    pilot_fly(c);
    fc_frame();
    if (k == (int)(30 / fc_step())) {
      x0 = flt.x;
      y0 = flt.y;
      h0 = flt.h;
    }
  }
  float drop = h0 - flt.h;
  float ratio = drop > 0 ? (float)std::hypot(flt.x - x0, flt.y - y0) / drop : 0;
  say("glide: %.2f at %.1f kcas, %.0f rpm, thrust %.0f N\n", ratio, fc_cas_kt(), flt.tac[0] * con.rsctorpm, flt.thrust[0]);
  return ratio;
}

// Trimmed level at 3000 ft, hands off for two minutes: feet a minute of drift.
float drift(unsigned seed) {
  fc_fresh(seed);
  float thr;
  fc_level(3000, 100, 0, &thr);
  float h0 = flt.h;
  pilot_hands_off();
  for (int k = 0; k < (int)(120 / fc_step()); k++) fc_frame();
  float fpm = std::fabs(flt.h - h0) * con.mtrstoft / 2;
  say("drift: %.1f ft in 2 min at %.1f kcas, bank %.1f\n", (flt.h - h0) * con.mtrstoft, fc_cas_kt(), flt.phi180);
  return fpm;
}

// Heading and altitude hold for five minutes in light turbulence, the air's
// motion established before the autopilot takes over from a trimmed aircraft.
void autopilot(unsigned seed, float* hdg_err, float* alt_err) {
  fc_fresh(seed);
  float thr, kcas = 110;  // a cruise speed at 3000 ft
  fc_level(3000, kcas, 0, &thr);
  choose_turbulence(2);  // "light"
  for (int k = 0; k < 300; k++) wxcalc();
  {
    int li = wind_index(flt.h);
    say("  layer %.0f: wind %.1f kt gust %.1f kt spread %.1f deg", li, atm.wndspd[li] * con.msctokts,
        atm.shrspd[li] * con.msctokts, atm.shrdir[li]);
    say(" turbulence %.2f\n", atm.tbl[li]);
  }
  fc_level(3000, kcas, 0, &thr);
  pilot_hands_off();
  fc_frame();  // the magnetic heading and variation worked out
  nav.hdsel = intwrap(bk::round(flt.magpsi) % 360, 0, 359);
  ott.al_hold = 3000;
  ott.vv_hold = 0;
  ott.HDSLCT = ott.ALHOLD = 1;
  float want = wrap360((float)nav.hdsel - env.mvar);
  *hdg_err = *alt_err = 0;
  for (int k = 0; k < (int)(300 / fc_step()); k++) {
    fc_frame();
    float he = wrap180(flt.psi - want), ae = flt.h_ind * con.mtrstoft - ott.al_hold;
    *hdg_err = fltmax2(*hdg_err, std::fabs(he));
    *alt_err = fltmax2(*alt_err, std::fabs(ae));
    if (k % 100 == 0) say("  ap t %.0f heading error %.2f bank %.2f height error %.1f\n", k * fc_step(), he, flt.phi180, ae);
  }
  say("autopilot: heading within %.2f deg, altitude within %.1f ft\n", *hdg_err, *alt_err);
}

figure handbook(const char* name, float value, const char* unit, float ref) {
  figure f = {name, value, unit, ref, 0, 0};
  f.ok = ref != 0 && std::fabs(value - ref) <= 0.1f * std::fabs(ref);
  return f;
}

figure handling(const char* name, float value, const char* unit, float limit) {
  figure f = {name, value, unit, limit, 1, 0};
  f.ok = value <= limit;
  return f;
}
}  // namespace

void fc_fly_all(figure* out, int verbose, unsigned seed) {
  trace = verbose;
  float roll, over50, hdg, alt;
  out[0] = handbook("stall_clean_kcas", finite_or(stall(seed, 0), 0), "kt", 51);
  out[1] = handbook("stall_flaps_kcas", finite_or(stall(seed, 50), 0), "kt", 46);
  out[2] = handbook("climb_sl_fpm", finite_or(climb(seed), 0), "fpm", 700);
  out[3] = handbook("cruise_8000ft_75pct_ktas", finite_or(cruise(seed), 0), "kt", 120);
  takeoff(seed, &roll, &over50);
  out[4] = handbook("takeoff_roll_ft", finite_or(roll, 0), "ft", 890);
  out[5] = handbook("takeoff_50ft_ft", finite_or(over50, 0), "ft", 1625);
  out[6] = handbook("landing_roll_ft", finite_or(landing(seed), 0), "ft", 540);
  out[7] = handbook("glide_ratio", finite_or(glide(seed), 0), "ratio", 9.1f);
  out[8] = handling("level_drift_fpm", finite_or(drift(seed), 1e9f), "fpm", 50);
  autopilot(seed, &hdg, &alt);
  out[9] = handling("ap_heading_err_deg", finite_or(hdg, 1e9f), "deg", 2);
  out[10] = handling("ap_alt_err_ft", finite_or(alt, 1e9f), "ft", 50);
}
