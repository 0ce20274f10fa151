// Presses on the panel and the power quadrant, by mouse, key or joystick
// button, and the radios' steppers.
#pragma once

// One press at window pixel (x, y); (-1, -1) paints every control as it stands.
void panclick(int x, int y);
// The power quadrant's levers follow a press or a drag at (x, y).
void enginecondrag(int x, int y);
// Radio steppers: add step to the field, wrapping in its range; the
// read-outs are repainted on the next panel update.
void NAVinc(int* mhz, int step);         // 108..117
void COMinc(int* mhz, int step);         // 118..134
void HUNinc(int* hundredths, int step);  // 0..95
void ADFinc(int* digit, int step);       // 0..9
void XPNinc(int* digit, int step);       // 0..7
void VOLinc(float* volume, float step);  // 0..1, no wrap

// ---- the levers' detents, for a press at row y ----
// Flaps: the detent row and the flap setting it asks for (0..50).
int flap_detent(int y, int* request);
// Slats: the detent row and the slat deployment it asks for (0..1).
int slat_detent(int y, float* request);
// Speed brake: the detent row and the brake it asks for (-1 armed, 0, 1, 2 full).
int speedbrake_detent(int y, float* request);
// The GPS waypoint `step` entries on of the chosen kind (1 airports, 2 NDBs,
// 3 VORs), wrapping; at most one pass through the table, so an absent kind
// leaves the index where it was.
int gps_scroll(int index, int kind, int step);
