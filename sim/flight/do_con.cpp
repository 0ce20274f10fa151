// From the pilot's stick, mouse and keys, the autopilot and the stability
// augmentation to the deflection of every control surface, the rotor
// cyclic and the tail-rotor pitch. Joystick buttons that act as keys, menu
// commands or presses on the panel are queued for the frame loop.
#include "sim/flight/do_con.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"
#include "sim/flight/fltutil.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/world/env.h"

enum { LOGICAL_BUTTONS = 16 };

static int but_now[LOGICAL_BUTTONS], but_was[LOGICAL_BUTTONS];
static int raw_was[PLAT_JOY_BUTTONS];
// The deeds of this frame's buttons, taken by the frame loop after control().
enum { DEEDS = 64 };
static button_deed deeds[DEEDS];
static int deeds_queued, deeds_taken;
// The autopilot: trim when the vertical mode engaged, its integrator, whether it was engaged.
static float otto_trim, tune;
static int vertical_was;
static int onsurface_was, reversing_was;
static float vind_was = -1;

void reset_controls() {
  for (int k = 0; k < LOGICAL_BUTTONS; k++) but_now[k] = but_was[k] = 0;
  for (int k = 0; k < PLAT_JOY_BUTTONS; k++) raw_was[k] = 0;
  deeds_queued = deeds_taken = 0;
  otto_trim = tune = 0;
  vertical_was = onsurface_was = reversing_was = 0;
  vind_was = -1;
}

float curve_joy(float* dat, float nz) {
  float v = *dat, z = std::fabs(nz);
  if (v > z) v -= z;
  else if (v < -z) v += z;
  else v = 0;
  *dat = v;
  return v >= 0 ? std::pow(v, 1.5f) : -std::pow(-v, 1.5f);
}

// ---- the stick ----

static int device_in_use() { return set.controls_type == 6 ? 1 : 0; }

// A joystick plugged in while flying with the mouse is taken into use.
static void adopt_new_device() {
  if (set.controls_type > 0 || plat_joy_count() <= 0) return;
  plat_joy_state st;
  if (plat_joy_read(0, &st)) set.controls_type = 5;
  else if (plat_joy_read(1, &st)) set.controls_type = 6;
}

// Axis n as the range 0..65535 of the original interface; an axis the device
// lacks reads as centred.
static float raw_axis(const plat_joy_state& st, int n) {
  int v = n < st.axes && n < PLAT_JOY_AXES ? intlim(st.axis[n], -32768, 32767) : 0;
  return (float)(v + 32768);
}

int joy_axis_of(int control) {
  int c = intlim(control, 0, 3), a = set.joy_axis[c];
  return a >= 1 && a <= PLAT_JOY_AXES ? a - 1 : JOY_AXIS_DEFAULT[c];
}

static void logical_buttons(const plat_joy_state& st) {
  for (int k = 0; k < LOGICAL_BUTTONS; k++) {
    but_was[k] = but_now[k];
    but_now[k] = 0;
  }
  but_now[0] = (st.hat & 1) != 0;  // up
  but_now[1] = (st.hat & 4) != 0;  // down
  but_now[2] = (st.hat & 8) != 0;  // left
  but_now[3] = (st.hat & 2) != 0;  // right
  int first4 = 0;
  for (int b = 0; b < 4 && b < st.buttons; b++) first4 += st.button[b] != 0;
  for (int b = 0; b < 4 && b < st.buttons; b++) but_now[4 + b] = st.button[b] && first4 == 1;
  for (int b = 4; b < 12 && b < st.buttons; b++) but_now[8 + b - 4] = st.button[b] != 0;
}

// Collective on the throttle of a piston helicopter: buttons 3 and 4 step it,
// 2 with 3 closes it, 2 with 4 opens it.
static void collective_buttons(const plat_joy_state& st) {
  if (!(pln.is_heli && pln.entype == 1 && set.eq_col)) return;
  auto down = [&](int b) { return b - 1 < st.buttons && st.button[b - 1]; };
  auto pressed = [&](int b) { return down(b) && !raw_was[b - 1]; };
  float t = flt.throrequest[0];
  if (down(2) && down(3)) t = 0;
  else if (down(2) && down(4)) t = 1;
  else if (pressed(3)) t -= 0.1f;
  else if (pressed(4)) t += 0.1f;
  t = fltlim(t, 0, 1);
  flt.throrequest[0] = flt.throrequest[1] = t;
}

// The thrust-vector lever's row for the present request, as the panel draws it.
static int vector_row() { return 446 + flt_to_int(fltlim(flt.vectrequest, 0, 120) / 120 * 53); }


static void queue(int kind, int a, int b = 0) {
  if (deeds_queued < DEEDS) deeds[deeds_queued++] = button_deed{kind, a, b};
}

int take_button_deed(button_deed* d) {
  if (deeds_taken >= deeds_queued) {
    deeds_taken = deeds_queued = 0;
    return 0;
  }
  *d = deeds[deeds_taken++];
  return 1;
}

static void button_action(int k) {
  int r = set.joy_response[k];
  int down = but_now[k], press = down && !but_was[k], release = !down && but_was[k];
  static const char held_keys[7] = {0, ']', '[', '9', '0', '7', '8'};
  if (r >= 1 && r <= 6 && down) queue(DEED_KEY, held_keys[r]);
  if (r >= 25 && r <= 28 && down) queue(DEED_FREEVIEW_KEY, r);
  if (press) {
    switch (r) {
      case 7: queue(DEED_YOKE_KEY, 212); break;
      case 8: queue(DEED_YOKE_KEY, 213); break;
      case 9: queue(DEED_MENU, VIEW_FORWARD); break;
      case 10: queue(DEED_MENU, VIEW_DOWN8); break;
      case 11: queue(DEED_MENU, VIEW_LEFT90); break;
      case 12: queue(DEED_MENU, VIEW_RIGHT90); break;
      case 13: queue(DEED_KEY, 'q'); break;
      case 14: queue(DEED_KEY, 'e'); break;
      case 15: queue(DEED_KEY, '1'); break;
      case 16: queue(DEED_KEY, '2'); break;
      case 17: queue(DEED_QUADRANT, ins.oseng + 780, vector_row() + 4); break;
      case 18: queue(DEED_QUADRANT, ins.oseng + 780, vector_row() + 12); break;
      case 19: queue(DEED_PANEL, ins.osrad + 540, 300); break;
      case 20: set.parkbrake = 1; break;
      case 21:
        flt.sbrk = flt.sbrk > 0 ? 0 : 2;
        ins.sbrk = flt.sbrk > 0 ? 483 : 463;  // the lever follows (ins is the panel's record)
        break;
      case 22: queue(DEED_KEY, '!'); break;
      case 23: queue(DEED_KEY, '.'); break;
      case 24: queue(DEED_KEY, 'p'); break;
      default: break;
    }
  }
  if (release) {
    if (r >= 10 && r <= 12) queue(DEED_MENU, VIEW_FORWARD);  // a look aside lasts while the button is held
    if (r == 20) set.parkbrake = 0;
  }
}

void MACIBM_getjoy(float* joy_ptch, float* joy_roll, float* joy_hdng, float* joy_thro, int cal, int but,
                   int mouse_key) {
  float p = 0, r = 0, y = 0, t = 0;
  plat_joy_state st;
  int have = 0;
  if (set.controls_type == 5 || set.controls_type == 6) have = plat_joy_read(device_in_use(), &st);
  if (have) {
    p = raw_axis(st, joy_axis_of(JOY_PITCH)) / 32767 - 1;
    r = raw_axis(st, joy_axis_of(JOY_ROLL)) / 32767 - 1;
    y = raw_axis(st, joy_axis_of(JOY_YAW)) / 32767 - 1;
    int ta = joy_axis_of(JOY_THROTTLE);  // no lever: the throttle stays
    t = st.axes > ta ? 1.1f - 1.2f * raw_axis(st, ta) / 65537 : set.FC_thro;
    logical_buttons(st);
    collective_buttons(st);
    for (int b = 0; b < PLAT_JOY_BUTTONS; b++) raw_was[b] = b < st.buttons && st.button[b];
  } else {
    // No stick answered (none, or unplugged in flight): fly with the mouse.
    mouse_key = 1;
    t = set.FC_thro;
    for (int k = 0; k < LOGICAL_BUTTONS; k++) but_was[k] = but_now[k] = 0;
  }
  if (!cal) {
    p -= set.OS_ptch;
    r -= set.OS_roll;
    y -= set.OS_hdng;
    if (mouse_key) {
      p += set.MK_ptch;
      r += set.MK_roll;
      y += set.MK_hdng;
    }
    p = curve_joy(&p, set.NZptch) * set.joy_rat_ptch;
    r = curve_joy(&r, set.NZroll) * set.joy_rat_roll;
    y = curve_joy(&y, 0) * set.joy_rat_hdng;
  }
  auto bound = [](float v) { return std::isfinite(v) ? fltlim(v, -1, 1) : 0.0f; };
  *joy_ptch = bound(p);
  *joy_roll = bound(r);
  *joy_hdng = bound(y);
  *joy_thro = bound(t);
  if (have && but && !cal)
    for (int k = 0; k < LOGICAL_BUTTONS; k++) button_action(k);
}

void cal_stick() {
  set.OS_ptch = set.OS_roll = set.OS_hdng = 0;
  if (set.controls_type != 5 && set.controls_type != 6) return;
  float sp = 0, sr = 0, sy = 0;
  for (int k = 0; k < 100; k++) {
    float p, r, y, t;
    MACIBM_getjoy(&p, &r, &y, &t, 1, 0, 0);
    sp += p;
    sr += r;
    sy += y;
  }
  set.OS_ptch = sp / 100;
  set.OS_roll = sr / 100;
  set.OS_hdng = sy / 100;
}

// ---- the autopilot ----

// Full authority up to the stall speed, falling with the square of the speed above it.
static float authority() {
  if (pln.is_heli) return 1;
  float vs = msc.est_Vs > 0 ? msc.est_Vs : 1;
  float r = flt.vind * con.ktstomsc / vs;
  return 1 / fltlim(r * r, 1, 100);
}

static void otto_lateral(float A) {
  if (!rel.otto || !(ott.HDSLCT || ott.NAV[0] || ott.NAV[1])) return;
  float want;
  if (ott.HDSLCT) {
    want = (float)nav.hdsel - env.mvar;  // the bug is set on the magnetic card
  } else {
    int n = ott.NAV[0] ? 0 : 1;
    if (n == 0 && pln.supptype != 1 && pln.supptype != 7) want = nav.gps_lock_crs;
    else if (nav.ilsgs[n] == 9) want = nav.obs[n] - env.mvar;
    else want = nav.ilscrs[n];
    float v = fallout(flt.vind, -1, 1);
    want += fltlim(800 * nav.hdef[n] / v, -30, 30);
  }
  want = wrap360(want);
  float g = atm.g > 0 ? atm.g : con.g;
  float std_bank = std::atan(flt.v * con.pi / (60 * g)) * con.radtodeg;
  float e = wrap180(want - flt.psi);
  e = fltlim(fltlim(e, -std_bank, std_bank), -30, 30);
  set.YK_roll = (-0.001f * flt.P + 0.01f * (e - flt.phi180) - 0.0001f * flt.Pdot) * A;
  if (pln.is_heli) set.YK_hdng = (-0.05f * flt.Beta - 0.05f * flt.R) * A;
}

static void otto_vertical(float A) {
  int on = rel.otto && (ott.ALHOLD || ott.VVHOLD || ott.GS2);
  if (on && !vertical_was) {
    otto_trim = flt.trim;
    tune = 0;
  }
  vertical_was = on;
  if (!on) return;
  float fpm = con.fpmtomsc;
  float w;
  if (ott.VVHOLD) {
    w = ott.vv_hold * fpm;
  } else if (ott.ALHOLD) {
    // With no climb rate set the hold would never win back a lost height.
    float rate = std::fabs(ott.vv_hold) >= 1 ? std::fabs(ott.vv_hold) * fpm : 500 * fpm;
    w = fltlim(0.05f * (ott.al_hold * con.fttomtrs - flt.h_ind), -rate, rate);
  } else if (nav.goodnav[1] && nav.ilsgs[1] > 0 && nav.ilsgs[1] < 9) {
    w = -flt.v * std::sin((2 * nav.vdef[1] + nav.ilsgs[1]) * con.degtorad);
  } else {
    w = 0;  // no glide slope heard (a VOR's 9 is no angle): hold the height
  }
  tune += (0.1f * (w - flt.vu) - 0.2f * flt.az) * msc.prd;
  if (!rel.sttrim) return;
  float k = pln.is_heli ? 0.1f : 1.0f;
  float v = flt.v > 0.01f ? flt.v : 0.01f;
  float path = std::asin(fltlim(w / v, -0.99f, 0.99f)) * con.radtodeg;
  float tmax = pln.hstbtrimmax;
  flt.trim = (-0.1f * flt.Q + 0.5f * k * (path + tune - flt.the180)) * tmax * A + otto_trim;
  if (std::fabs(flt.trim) > std::fabs(tmax)) tune *= 0.95f;
  flt.trim = fltlim(flt.trim, -std::fabs(tmax), std::fabs(tmax));
}

static void auto_throttle() {
  float dt = msc.prd > 0 ? msc.prd : 0.05f;
  if (vind_was < 0) vind_was = flt.vind;
  float accel = (flt.vind - vind_was) / dt;
  vind_was = flt.vind;
  if (!ott.ASHOLD) return;
  float want = 0.05f * (ott.as_hold - flt.vind) + 0.5f - 0.25f * accel;
  set.YK_thro = fltlim(want, set.FC_thro - 0.1f * dt, set.FC_thro + 0.1f * dt);
}

// ---- stability augmentation ----

static void augment(float A) {
  if (!rel.stbaug) {
    set.FC_ptch = set.YK_ptch;
    set.FC_roll = set.YK_roll;
    set.FC_hdng = set.YK_hdng;
    return;
  }
  float wl = fltlim(interp(pln.ASloV, 1, pln.AShiV, 0, flt.vind), 0, 1);
  float wh = fltlim(interp(pln.ASloV, 0, pln.AShiV, 1, flt.vind), 0, 1);
  float tmax = pln.hstbtrimmax != 0 ? pln.hstbtrimmax : 1;
  float c = set.YK_ptch + 0.5f * flt.trim / tmax;
  set.FC_ptch = set.YK_ptch + A * ((c * pln.ASmaxp2 - flt.Alpha) * pln.ASp2 * wh + (c * pln.ASmaxp1 - flt.Q) * pln.ASp1 * wl);
  c = set.YK_hdng + 0.5f * flt.rud_trim;
  set.FC_hdng = set.YK_hdng;
  if (!flt.onsurface)
    set.FC_hdng += A * ((c * pln.ASmaxh2 - flt.Beta) * pln.ASh2 * wh + (c * pln.ASmaxh1 - flt.R) * pln.ASh1 * wl);
  c = set.YK_roll + 0.5f * flt.ail_trim;
  set.FC_roll = set.YK_roll + A * ((c * pln.ASmaxr2 - flt.P) * pln.ASr2 * wh + (c * pln.ASmaxr1 - flt.P) * pln.ASr1 * wl);
}

// ---- surfaces ----

static void deflections() {
  float p = set.FC_ptch, r = set.FC_roll, y = set.FC_hdng;
  if (pln.ailnEQ) {
    if (r >= 0) {
      flt.lailndef = -r * pln.ailn_dn;
      flt.railndef = r * pln.ailn_up;
    } else {
      flt.lailndef = -r * pln.ailn_up;
      flt.railndef = r * pln.ailn_dn;
    }
    float droop = pln.ailpitch * p - flt.flap * pln.ailflaps * 0.02f;
    flt.lailndef += droop;
    flt.railndef += droop;
  }
  if (pln.splrEQ) {
    flt.rsplrdef = r >= 0 ? r * pln.splr_def : 0;
    flt.lsplrdef = r < 0 ? -r * pln.splr_def : 0;
  }
  if (pln.drudEQ) {
    flt.ldruddef = fltmax2(0, -y * pln.drud_def);
    flt.rdruddef = fltmax2(0, y * pln.drud_def);
  }
  float e;
  if (pln.xarm[8] >= 0) e = p * (p > 0 ? pln.elev_up : pln.elev_dn);
  else e = -p * (p <= 0 ? pln.elev_up : pln.elev_dn);  // a canard
  flt.lhstbdef = e - r * pln.stabroll;
  flt.rhstbdef = e + r * pln.stabroll;
  flt.ruddef = -y * pln.rudd_def;
  if ((!pln.is_heli && !pln.vectEQ) || pln.entype == 3) {
    flt.elevcyclic = flt.ailncyclic = 0;
  } else {
    flt.elevcyclic = pln.elevcyclic * p;
    flt.ailncyclic = pln.ailncyclic * r;
  }
  if (pln.is_heli)
    flt.proppitch[1] = pln.propdir[0] < 1 ? interp(-1, pln.minpitch[1], 1, pln.maxpitch[1], y)
                                          : interp(-1, pln.maxpitch[1], 1, pln.minpitch[1], y);
  for (int n = 0; n < ENGINES; n++) {
    float vc = pln.vertcant[n] * con.degtorad, sc = pln.sidecant[n] * con.degtorad;
    // The thrust line's sines follow the moving vector (pln).
    pln.sin_vertcant[n] = std::sin(vc);
    pln.cos_vertcant[n] = std::cos(vc);
    pln.sin_sidecant[n] = std::sin(sc);
    pln.cos_sidecant[n] = std::cos(sc);
  }
}

// Touch-down: automatic speedbrake and brakes, the autopilot lets go.
static void touchdown() {
  int reversing = 0;
  for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++) reversing |= flt.revving_thrust[n];
  int armed = pln.autosbrkEQ && flt.sbrk == -1;
  if (flt.onsurface && !onsurface_was) {
    if (armed) flt.sbrk = 2;
    if (pln.autofbrkEQ) set.parkbrake = 1;
    if (ott.NAV[0] || ott.NAV[1] || ott.ALHOLD || ott.VVHOLD || ott.GS2 || ott.ASHOLD) {
      // The autopilot lets go at once; its key lights the panel and sounds the caution.
      ott.HDSLCT = 1;
      ott.NAV[0] = ott.NAV[1] = ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
      queue(DEED_KEY, '!');
    }
  }
  if (reversing && !reversing_was && pln.autosbrkEQ && flt.sbrk == -1) flt.sbrk = 2;
  onsurface_was = flt.onsurface;
  reversing_was = reversing;
}

void control() {
  adopt_new_device();
  if (msc.mouse_is_joy) {
    set.MK_ptch = (msc.my - 127) / 100.0f;
    set.MK_roll = (msc.mx - 400) / 100.0f;
  }
  int mouse = msc.mouse_is_joy || set.controls_type < 0;
  MACIBM_getjoy(&set.YK_ptch, &set.YK_roll, &set.YK_hdng, &set.YK_thro, 0, 1, mouse);
  float A = authority();
  if (pln.is_heli && !set.eq_ped && !flt.onsurface) {
    float vs = msc.est_Vs > 0 ? msc.est_Vs : 1;
    float s = fltlim(flt.vind * con.ktstomsc / vs, 0, 1);
    set.YK_hdng = -(0.02f * (1 - s) * flt.R + 0.02f * s * flt.Beta) * A;
  }
  otto_lateral(A);
  otto_vertical(A);
  auto_throttle();
  set.YK_ptch = fltlim(set.YK_ptch, -1, 1);
  set.YK_roll = fltlim(set.YK_roll, -1, 1);
  set.YK_hdng = fltlim(set.YK_hdng, -1, 1);
  set.YK_thro = fltlim(set.YK_thro, 0, 1);
  augment(A);
  set.FC_thro = set.YK_thro;

  // Failed controls and hydraulics: the trims below still act.
  set.FC_ptch = fltlim(set.FC_ptch * rel.hyd_rat * (rel.fc_elv ? 1 : 0), -1, 1);
  set.FC_hdng = fltlim(set.FC_hdng * rel.hyd_rat * (rel.fc_rud ? 1 : 0), -1, 1);
  set.FC_roll = fltlim(set.FC_roll * rel.hyd_rat * (rel.fc_ail ? 1 : 0), -1, 1);
  // A flying stabiliser's trim turns the stabiliser itself (force assembly).
  if (!pln.flyingstabEQ) set.FC_ptch = fltlim(set.FC_ptch + flt.trim, -1, 1);
  set.FC_hdng = fltlim(set.FC_hdng + 0.25f * flt.rud_trim, -1, 1);
  set.FC_roll = fltlim(set.FC_roll + 0.1f * flt.ail_trim, -1, 1);
  deflections();
  touchdown();
}
