// The radios' steppers; the panel's and quadrant's presses are stand-ins
// until the panel exists.
#include "sim/panel/dasclick.h"

void panclick(int, int) {}
void enginecondrag(int, int) {}

static void step_wrapped(int* v, int step, int lo, int hi) {
  *v += step;
  if (*v > hi) *v = lo;
  if (*v < lo) *v = hi;
}
void NAVinc(int* mhz, int step) { step_wrapped(mhz, step, 108, 117); }
void COMinc(int* mhz, int step) { step_wrapped(mhz, step, 118, 134); }
void HUNinc(int* hundredths, int step) { step_wrapped(hundredths, step, 0, 95); }
void ADFinc(int* digit, int step) { step_wrapped(digit, step, 0, 9); }
void XPNinc(int* digit, int step) { step_wrapped(digit, step, 0, 7); }
