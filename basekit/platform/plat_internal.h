// Shared between the platform's own files.
#pragma once

int  plat_started();
void plat_text_init();
void plat_text_quit();
void plat_joy_close_all();
void plat_joy_device_event(int added, int which);
// The mixer adds the speech that is ready to the block it makes (PLAT_MIX_RATE).
void plat_speech_mix(float* out, int frames);
void plat_speech_quit();
// Window points to virtual-screen pixels; whether a point lies on the picture.
void plat_map_mouse(int wx, int wy, int* sx, int* sy);
int  plat_in_picture(int wx, int wy);
// The command line's display choices, which the preferences do not override.
void plat_force_fullscreen(int on);
void plat_force_whole_scale(int on);
const char* plat_desktop_id();  // 0 until the command line names it
void plat_picture_invalidate();  // the window's pixels are to be drawn whole again
// Shrinks a new window that its frame pushed off the desktop, once the frame is known.
void plat_fit_frame();
