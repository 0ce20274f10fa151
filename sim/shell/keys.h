// The key handlers. Most keys send a menu command or press the panel and the
// power quadrant where the mouse would, so that one path serves both.
#pragma once

void handle_simkey(int character);
// Where a key presses, for the keys that press the panel (panclick) or the
// power quadrant (enginecondrag) where the mouse would.
enum { PRESS_NONE, PRESS_PANEL, PRESS_QUADRANT };
struct key_press {
  int where, x, y;
};
key_press function_key_press(int code);
key_press simkey_press(int character);
void function_key(int code);   // 19..42: power-quadrant levers
void yoke_key(int code);       // 207..213: keyboard flying
void freeview_key(int code);   // 25..28: the free view
// What the joystick's buttons asked for during control(), carried out.
void do_button_deeds();
