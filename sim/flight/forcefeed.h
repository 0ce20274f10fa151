// The force-feedback stick: the library calls the simulator makes, and the
// dispatcher that scales and bounds every effect before it reaches them.
#pragma once

// ---- the library ----
void _SetJoystickPort(int port);   // 1 for the first stick
void _InitStick(int stick);
void _EnableForces();
void _CloseStick();
void _XSpring(int center, int k_pos, int k_neg);   // centre -100..100, stiffness 0..100
void _YSpring(int center, int k_pos, int k_neg);
void _XVibration(int m_pos, int m_neg, int freq);  // magnitude 0..100, hertz
void _YVibration(int m_pos, int m_neg, int freq);
void _XVibrationClear();
void _YVibrationClear();
void _Buffeting(int magnitude);
void _BuffetingClear();
void _Jolt(int magnitude, int direction, int duration);  // degrees, milliseconds
void _ClearForces();

// ---- the dispatcher and its effects ----
enum {
  FF_SPRING = 16,          // a1, a2 centre, a3 stiffness
  FF_X_VIBRATION = 17,     // a1 magnitude, a2 frequency
  FF_Y_VIBRATION = 18,
  FF_X_VIBRATION_CLEAR = 19,
  FF_Y_VIBRATION_CLEAR = 20,
  FF_BUFFET = 21,          // a1 magnitude
  FF_BUFFET_CLEAR = 22,
  FF_JOLT = 23,            // a1 magnitude, a2 direction, a3 duration
  FF_CLEAR = 24
};
void forcecall(int type, int a1, int a2, int a3);

// ---- a record of the library calls, for tests ----
enum { FF_LOG_DIM = 64 };
struct ff_call {
  const char* name;
  int a[3];
};
void ff_log_start();                 // clears the record and starts keeping it
void ff_log_stop();
int  ff_log_count();
const ff_call* ff_log_at(int n);     // null outside the record
