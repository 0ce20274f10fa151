// Presses on the panel and the power quadrant, by mouse, key or joystick
// button, and the radios' steppers.
#pragma once

void panclick(int x, int y);
void enginecondrag(int x, int y);
// Radio steppers: add step to the field, wrapping in its range.
void NAVinc(int* mhz, int step);         // 108..117
void COMinc(int* mhz, int step);         // 118..134
void HUNinc(int* hundredths, int step);  // 0..95
void ADFinc(int* digit, int step);       // 0..9
void XPNinc(int* digit, int step);       // 0..7
