// Drawing of the desktop's own furniture straight into the virtual screen,
// clipped to it, in the window-system colours (palette indices 0..10).
#pragma once
#include <stdint.h>

enum {
  DC_BLACK = 0, DC_WHITE = 1, DC_FACE = 2, DC_SHADOW = 3, DC_DARK = 4, DC_SELECT = 5,
  DC_CAPTION_OFF = 6, DC_LIGHT = 7, DC_GREYTEXT = 8, DC_CAPTION = 9, DC_INFO = 10
};

void desk_set_system_colors();
void ds_fill(int x, int y, int w, int h, int color);
void ds_hline(int x, int y, int w, int color);
void ds_vline(int x, int y, int h, int color);
void ds_frame(int x, int y, int w, int h, int color);
void ds_bevel(int x, int y, int w, int h, int raised);  // a 3-D edge around a face
void ds_text(int x, int y, int font, const char* text, int color);
void ds_button(int x, int y, int w, int h, const char* label, int pressed, int is_default);
