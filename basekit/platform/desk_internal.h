// Shared between the desktop's own files; not for callers of the desktop.
#pragma once
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"

void desk_record_alert(const char* title, const char* const* lines, int nlines);
// The next queued answer, if any: 1 and its kind, button and path.
int desk_take_answer(int* kind, int* button, char* path, int path_size);

// Menus, driven by the pump.
void desk_menu_draw_bar();
void desk_menu_draw_open();
int  desk_menu_mouse(const plat_event* ev);  // 1 when the menus took the event
int  desk_menu_key(const plat_event* ev);
void desk_menu_close_all();

// Modal boxes draw over the composed screen.
void desk_modal_present();
int desk_main_handle();  // window 0's handle, 0 when not up
