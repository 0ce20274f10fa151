// The flight-mode and joystick windows: damping, force feedback and the
// hardware fitted; the axes, what each control reads, sensitivity, null
// zones, the centre and what each button does.
#include <cmath>
#include <cstdio>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/platform/platform.h"
#include "sim/flight/do_con.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"

// A compact cycler on one line: [<] text [>]. Returns 1 when it moved.
static int line_cycler(int x, int y, int width, const char* const* names, int n, int* choice, int click) {
  int old = *choice;
  if (click) {
    if (wk_hit(x, y, 14, 15)) *choice = *choice <= 0 ? n - 1 : *choice - 1;
    if (wk_hit(x + width - 14, y, 14, 15)) *choice = *choice >= n - 1 ? 0 : *choice + 1;
  }
  *choice = intlim(*choice, 0, n - 1);
  wk_button(x, y, 14, 15, "<");
  wk_button(x + width - 14, y, 14, 15, ">");
  wk_erase(x + 16, y, width - 32, 15);
  wk_text(x + 19, y + 1, WK_VALUE, names[*choice]);
  return *choice != old;
}

// ================================================================ flight mode

static const char* const hardware[4][2] = {
    {"rudder pedals", "yaw from the pedals, not the stick's twist"},
    {"avionics on start", "radios tuned to the defaults at start"},
    {"a lever per engine", "function keys move each engine's levers"},
    {"collective on throttle", "buttons 3 and 4 step a piston helicopter's"}};

static void damping_readout() {
  wk_erase(40, 68, 270, 14);
  wk_textf(40, 68, WK_VALUE, "%.0f %%", set.damp * 100);
}

// Every control as it stands; run with the pointer taken away.
static void flight_mode_values() {
  wk_hslider(40, 58, 260, &set.damp, 0, 1, 0);
  damping_readout();
  int force = intlim(bk::round(set.fcon_force_rat * 2), 1, 4);
  in4textbtn(40, 150, "light", "normal", "heavy", "overdrive", 150, 130, &force, 1);
  int* flags[4] = {&set.eq_ped, &set.eq_avi, &set.eq_thr, &set.eq_col};
  for (int k = 0; k < 4; k++) inboolbtn(30, 232 + 52 * k, flags[k]);
}

void fltplot() {
  if (!wk_begin(WIN_FLIGHT_MODE)) return;
  wk_mouse_away();
  wk_clear();
  wk_group(12, 22, 326, 70, "Artificial damping");
  wk_text(40, 30, WK_LABEL, "none");
  wk_text(270, 30, WK_LABEL, "full");
  wk_group(12, 112, 326, 70, "Force-feedback strength");
  wk_cycler(40, 150, 150);
  wk_group(12, 204, 326, 250, "Hardware");
  for (int k = 0; k < 4; k++) {
    wk_text(48, 228 + 52 * k, WK_TITLE, hardware[k][0]);
    wk_text(48, 243 + 52 * k, WK_LABEL, hardware[k][1]);
  }
  flight_mode_values();
  wk_mouse_back();
}

void fltclick() {
  if (!wk_begin(WIN_FLIGHT_MODE)) return;
  int changed = wk_hslider(40, 58, 260, &set.damp, 0, 1, 1);
  if (changed) damping_readout();
  // A held press slides the damping; the boxes and the cycler take the first press only.
  if (msc.dragtime <= 0.5f) {
    int force = intlim(bk::round(set.fcon_force_rat * 2), 1, 4);
    if (in4textbtn(40, 150, "light", "normal", "heavy", "overdrive", 150, 130, &force, 0)) {
      set.fcon_force_rat = force / 2.0f;
      changed = 1;
    }
    int* flags[4] = {&set.eq_ped, &set.eq_avi, &set.eq_thr, &set.eq_col};
    for (int k = 0; k < 4; k++) changed |= inboolbtn(30, 232 + 52 * k, flags[k]);
  }
  if (changed) mark_edited(WIN_FLIGHT_MODE);
}

// ================================================================ joystick

static const char* const axis_names[PLAT_JOY_AXES] = {"axis 1", "axis 2", "axis 3", "axis 4",
                                                      "axis 5", "axis 6", "axis 7", "axis 8"};
static const char* const control_names[4] = {"pitch", "roll", "yaw", "throttle"};
static const char* const button_names[JOY_RESPONSES] = {
    "hat up",   "hat down", "hat left", "hat right", "button 1",  "button 2",  "button 3",  "button 4",
    "button 5", "button 6", "button 7", "button 8",  "button 9",  "button 10", "button 11", "button 12"};
enum { RESPONSES = 29 };
static const char* const response_names[RESPONSES] = {
    "nothing",          "trim nose down",   "trim nose up",     "radio key 9",      "radio key 0",
    "radio key 7",      "radio key 8",      "yaw left",         "yaw right",        "look forward",
    "look down",        "look left",        "look right",       "view turn left",   "view turn right",
    "flaps up",         "flaps down",       "vector lever up",  "vector lever down", "radio panel",
    "parking brake",    "speed brakes",     "heading hold",     "reverse thrust",   "pause",
    "free view left",   "free view right",  "free view up",     "free view down"};

enum { AXES_Y = 26, AXIS_DY = 17, BAR_X = 70, BAR_W = 170, ASSIGN_X = 290, SENS_Y = 200, NULL_X = 290,
       NULL_Y = 194, NULL_BOX = 96, BUTTONS_Y = 316 };

static int device() { return set.controls_type == 6 ? 1 : 0; }

// Raw axes and the stick as the controls see it (centred, before the null zone).
static void read_stick(plat_joy_state* st, int* have, float* pitch, float* roll) {
  *have = (set.controls_type == 5 || set.controls_type == 6) && plat_joy_read(device(), st);
  *pitch = *roll = 0;
  if (!*have) return;
  *pitch = (float)(intlim(st->axis[joy_axis_of(JOY_PITCH)], -32768, 32767) + 32768) / 32767 - 1 - set.OS_ptch;
  *roll = (float)(intlim(st->axis[joy_axis_of(JOY_ROLL)], -32768, 32767) + 32768) / 32767 - 1 - set.OS_roll;
}

// A joystick plugged in while the window is open is taken into use at once,
// as the flight would on its next frame.
static int adopt_device() {
  if (set.controls_type == 5 || set.controls_type == 6 || plat_joy_count() <= 0) return 0;
  plat_joy_state st;
  if (plat_joy_read(0, &st)) set.controls_type = 5;
  else if (plat_joy_read(1, &st)) set.controls_type = 6;
  return set.controls_type == 5 || set.controls_type == 6;
}

static void device_line() {
  wk_erase(ASSIGN_X, 122, 236, 32);
  if (set.controls_type == 5 || set.controls_type == 6)
    wk_textf(ASSIGN_X, 122, WK_VALUE, "joystick %d in use", set.controls_type - 4);
  else
    wk_text(ASSIGN_X, 122, WK_ALARM, "no joystick: mouse flying");
  wk_text(ASSIGN_X, 140, WK_LABEL, "Plug one in and it is used.");
}

void drawnull() {
  if (!wk_begin(WIN_JOYSTICK)) return;
  if (adopt_device()) device_line();
  plat_joy_state st{};
  int have;
  float p, r;
  read_stick(&st, &have, &p, &r);
  for (int a = 0; a < PLAT_JOY_AXES; a++) {
    int y = AXES_Y + AXIS_DY * a + 4;
    wk_erase(BAR_X, y, BAR_W + 1, 9);
    MACIBM_framerect(WK_FRAME, BAR_X, y, BAR_W, 8);
    if (!have || a >= st.axes) continue;
    int w = flt_to_int((float)(intlim(st.axis[a], -32768, 32767) + 32768) / 65535.0f * (BAR_W - 2));
    MACIBM_fillrect(WK_VALUE, BAR_X + 1, y + 1, w, 7);
  }
  wk_erase(NULL_X + 1, NULL_Y + 1, NULL_BOX - 1, NULL_BOX - 1);
  int cx = NULL_X + NULL_BOX / 2, cy = NULL_Y + NULL_BOX / 2, half = NULL_BOX / 2 - 2;
  int nx = flt_to_int(fltlim(set.NZroll, 0, 1) * half), ny = flt_to_int(fltlim(set.NZptch, 0, 1) * half);
  MACIBM_framerect(WK_MARK, cx - nx, cy - ny, 2 * nx + 1, 2 * ny + 1);
  MACIBM_hshline(WK_FRAME, NULL_X + 1, cy, NULL_BOX - 1);
  MACIBM_hsvline(WK_FRAME, cx, NULL_Y + 1, NULL_BOX - 1);
  if (have) {
    int x = cx + flt_to_int(fltlim(r, -1, 1) * half), y = cy + flt_to_int(fltlim(p, -1, 1) * half);
    MACIBM_fillrect(WK_ALARM, x - 2, y - 2, 5, 5);
  }
}

static int joystick_controls(int click) {
  int changed = 0;
  for (int c = 0; c < 4; c++) {
    int axis = joy_axis_of(c);
    if (line_cycler(ASSIGN_X + 70, AXES_Y + 4 + 22 * c, 110, axis_names, PLAT_JOY_AXES, &axis, click)) {
      set.joy_axis[c] = axis + 1;
      changed = 1;
    }
  }
  float* rats[3] = {&set.joy_rat_ptch, &set.joy_rat_roll, &set.joy_rat_hdng};
  for (int k = 0; k < 3; k++) {
    changed |= wk_hslider(80, SENS_Y + 26 * k + 6, 160, rats[k], 0.05f, 1.0f, click);
    wk_erase(246, SENS_Y + 26 * k, 30, 14);
    wk_textf(246, SENS_Y + 26 * k, WK_VALUE, "%.2f", *rats[k]);
  }
  for (int b = 0; b < JOY_RESPONSES; b++) {
    int col = b / 8, row = b % 8;
    int x = 24 + 256 * col + 80, y = BUTTONS_Y + 16 + 20 * row;
    int resp = intlim(set.joy_response[b], 0, RESPONSES - 1);
    if (line_cycler(x, y, 160, response_names, RESPONSES, &resp, click)) {
      set.joy_response[b] = resp;
      changed = 1;
    }
  }
  return changed;
}

static const char* const null_buttons[3] = {"clear null zones", "null zones here", "centre here"};

void joyplot() {
  if (!wk_begin(WIN_JOYSTICK)) return;
  wk_mouse_away();
  wk_clear();
  wk_group(8, 14, 262, 158, "Axes");
  for (int a = 0; a < PLAT_JOY_AXES; a++) wk_text(16, AXES_Y + AXIS_DY * a, WK_LABEL, axis_names[a]);
  wk_group(280, 14, 250, 158, "Controls read");
  for (int c = 0; c < 4; c++) wk_text(ASSIGN_X, AXES_Y + 4 + 22 * c, WK_TITLE, control_names[c]);
  device_line();
  wk_group(8, 182, 262, 120, "Sensitivity");
  static const char* const sens[3] = {"pitch", "roll", "yaw"};
  for (int k = 0; k < 3; k++) wk_text(20, SENS_Y + 26 * k, WK_LABEL, sens[k]);
  wk_text(20, 280, WK_LABEL, "Full deflection gives this share.");
  wk_group(280, 182, 250, 120, "Null zones and centre");
  MACIBM_framerect(WK_FRAME, NULL_X, NULL_Y, NULL_BOX, NULL_BOX);
  for (int k = 0; k < 3; k++) wk_button(NULL_X + 104, NULL_Y + 6 + 30 * k, 128, 20, null_buttons[k]);
  wk_group(8, BUTTONS_Y, 522, 200, "Buttons");
  for (int b = 0; b < JOY_RESPONSES; b++)
    wk_text(24 + 256 * (b / 8), BUTTONS_Y + 16 + 20 * (b % 8), WK_LABEL, button_names[b]);
  joystick_controls(0);
  wk_mouse_back();
  drawnull();
}

void joyclick() {
  if (!wk_begin(WIN_JOYSTICK)) return;
  int changed = joystick_controls(1);
  for (int k = 0; k < 3 && msc.dragtime <= 0.5f; k++) {
    if (!wk_hit(NULL_X + 104, NULL_Y + 6 + 30 * k, 128, 20)) continue;
    if (k == 0) set.NZptch = set.NZroll = 0;
    if (k == 1) {
      plat_joy_state st{};
      int have;
      float p, r;
      read_stick(&st, &have, &p, &r);
      set.NZptch = fltlim(std::fabs(p), 0, 0.5f);
      set.NZroll = fltlim(std::fabs(r), 0, 0.5f);
    }
    if (k == 2) cal_stick();
    changed = 1;
  }
  if (changed) {
    mark_edited(WIN_JOYSTICK);
    drawnull();
  }
}

void ctl_windows_closed(int) {}
