// Buttons, radio rows and labels of the editor's control panel, drawn into
// window 0 and hit-tested against the last click.
#pragma once

enum { PANEL_BACK = 24, PANEL_TEXT = 33, PANEL_FRAME = 30, PANEL_ON = 17, MAP_BACK = 11 };

struct uirect { int x1, y1, x2, y2; };

int  ui_in(const uirect& r, int x, int y);
void ui_button(const uirect& r, const char* label, int on);
void ui_text(int x, int y, int color, const char* text);
// A key the current mode takes (arrows, page keys); 1 when taken.
int  ui_key(int key);
// Shared by the terrain and obstacle screens.
void ui_draw_view_buttons();
int  ui_view_click(int x, int y);   // 1 when a zoom, pan or quadrant button was hit
void change_quadrant(int lat, int lon);
int  find_tri_with_loc(float lat, float lon, int* i, int* j, int* tri);
