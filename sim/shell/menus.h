// Keys and menus: the menu bar, the menu commands, the key handlers and the
// close actions of the settings windows. A menu command is menu x 100 + its
// position; the keys mostly send the same commands or press the panel.
#pragma once

void set_up_menus();
void handlemenu(int command);
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
void process_zap(int window);  // settings window `window` was closed
void gotofield(const char* id, int runway);
// First match of the first four characters of id among the airports (kind 1)
// or navaids (any other kind), entries 0..max: 1 and its index, or 0.
int  get_index_from_id(const char* id, int kind, int max, int* index);
void set_up_env_with_request_latlon();
// Greys the Location items the loaded region cannot serve (no airports,
// navaids or ships); run after a region load.
void update_location_menus();
