// The pilot's stick, mouse and keys, the autopilot and the stability
// augmentation into control-surface deflections.
#pragma once

void  control();   // once a frame, before the flight is integrated
// Reads the stick (joystick 1 or 2 as controls_type says). With cal 0 the
// centre, the mouse, the null zones, the curve and the sensitivities are
// applied; with but set the buttons act; mouse_key adds the mouse input.
void  MACIBM_getjoy(float* joy_ptch, float* joy_roll, float* joy_hdng, float* joy_thro, int cal, int but,
                    int mouse_key);
// The device axis that control JOY_PITCH .. JOY_THROTTLE reads.
int   joy_axis_of(int control);
void  cal_stick();                       // the stick's centre from 100 readings
float curve_joy(float* dat, float nz);   // null zone cut out of dat, then the response curve
// Forgets the buttons held and the autopilot's memory (a fresh program).
void  reset_controls();

// What a joystick button asks of the rest of the program: a key, a menu
// command, or a press on the panel or the power quadrant. control() only
// queues them; the frame loop carries them out once it returns.
enum { DEED_KEY, DEED_FREEVIEW_KEY, DEED_YOKE_KEY, DEED_MENU, DEED_PANEL, DEED_QUADRANT };
struct button_deed {
  int kind, a, b;  // the key, code or command in a; the press at (a, b)
};
// The oldest deed not yet taken: 1 and the deed, or 0 when none is left.
int take_button_deed(button_deed* d);
