// The force-feedback stick over the platform's haptic calls. On a stick
// without force feedback every call quietly does nothing.
#include "sim/flight/forcefeed.h"
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"
#include "sim/set.h"

static int ff_device = 0;
static int ff_open = 0;     // the stick has force feedback
static int ff_enabled = 0;  // effects are passed on

static ff_call ff_log[FF_LOG_DIM];
static int ff_log_n = 0, ff_logging = 0;

static void note(const char* name, int a = 0, int b = 0, int c = 0) {
  if (!ff_logging || ff_log_n >= FF_LOG_DIM) return;
  ff_log[ff_log_n++] = ff_call{name, {a, b, c}};
}

void ff_log_start() {
  ff_log_n = 0;
  ff_logging = 1;
}
void ff_log_stop() { ff_logging = 0; }
int ff_log_count() { return ff_log_n; }
const ff_call* ff_log_at(int n) { return n >= 0 && n < ff_log_n ? &ff_log[n] : nullptr; }

static int live() { return ff_open && ff_enabled; }

void _SetJoystickPort(int port) {
  note("_SetJoystickPort", port);
  ff_device = port > 1 ? port - 1 : 0;
}

void _InitStick(int stick) {
  note("_InitStick", stick);
  ff_open = plat_haptic_open(ff_device);
}

void _EnableForces() {
  note("_EnableForces");
  ff_enabled = 1;
}

void _CloseStick() {
  note("_CloseStick");
  plat_haptic_close();
  ff_open = ff_enabled = 0;
}

// The stick has one spring per axis; the two slopes are averaged.
void _XSpring(int center, int k_pos, int k_neg) {
  note("_XSpring", center, k_pos, k_neg);
  if (live()) plat_haptic_spring(0, center, (k_pos + k_neg) / 2);
}

void _YSpring(int center, int k_pos, int k_neg) {
  note("_YSpring", center, k_pos, k_neg);
  if (live()) plat_haptic_spring(1, center, (k_pos + k_neg) / 2);
}

void _XVibration(int m_pos, int m_neg, int freq) {
  note("_XVibration", m_pos, m_neg, freq);
  if (live()) plat_haptic_vibration(0, intmax2(m_pos, m_neg), freq);
}

void _YVibration(int m_pos, int m_neg, int freq) {
  note("_YVibration", m_pos, m_neg, freq);
  if (live()) plat_haptic_vibration(1, intmax2(m_pos, m_neg), freq);
}

void _XVibrationClear() {
  note("_XVibrationClear");
  if (live()) plat_haptic_vibration_clear(0);
}

void _YVibrationClear() {
  note("_YVibrationClear");
  if (live()) plat_haptic_vibration_clear(1);
}

void _Buffeting(int magnitude) {
  note("_Buffeting", magnitude);
  if (live()) plat_haptic_buffet(magnitude);
}

void _BuffetingClear() {
  note("_BuffetingClear");
  if (live()) plat_haptic_buffet_clear();
}

void _Jolt(int magnitude, int direction, int duration) {
  note("_Jolt", magnitude, direction, duration);
  if (live()) plat_haptic_jolt(magnitude, direction, duration);
}

void _ClearForces() {
  note("_ClearForces");
  if (ff_open) plat_haptic_clear();
}

// Strength times the user's force ratio, truncated, within 0..100. Worked in
// floating point so that no product can overflow an int.
static int scaled(int a) {
  float v = (float)a * set.fcon_force_rat;
  if (!(v > 0)) return 0;  // also a NaN ratio
  return v >= 100.0f ? 100 : flt_to_int(v);
}

void forcecall(int type, int a1, int a2, int a3) {
  switch (type) {
    case FF_SPRING: {
      int k = scaled(a3);
      _XSpring(intlim(a1, -100, 100), k, k);
      _YSpring(intlim(a2, -100, 100), k, k);
      break;
    }
    case FF_X_VIBRATION: {
      int m = scaled(a1);
      _XVibration(m, m, intlim(a2, 0, 50));
      break;
    }
    case FF_Y_VIBRATION: {
      int m = scaled(a1);
      _YVibration(m, m, intlim(a2, 0, 50));
      break;
    }
    case FF_X_VIBRATION_CLEAR: _XVibrationClear(); break;
    case FF_Y_VIBRATION_CLEAR: _YVibrationClear(); break;
    case FF_BUFFET: _Buffeting(scaled(a1)); break;
    case FF_BUFFET_CLEAR: _BuffetingClear(); break;
    case FF_JOLT: _Jolt(scaled(a1), (a2 % 360 + 360) % 360, intlim(a3, 0, 2500)); break;
    case FF_CLEAR: _ClearForces(); break;
    default: break;
  }
}
