// Buttons, radio rows and labels of the editor's control panel, drawn into
// window 0 and hit-tested against the last click.
#pragma once

enum { PANEL_BACK = 24, PANEL_TEXT = 33, PANEL_FRAME = 30, PANEL_ON = 17, MAP_BACK = 11 };

struct uirect { int x1, y1, x2, y2; };

int  ui_in(const uirect& r, int x, int y);
// Entry fields on their black read-outs. Called with redraw to paint; called
// without, on the pass of a click, they act on the mouse over them and
// return 1 when their value changed.
int  ui_number(int x, int y, float* value, int digits, int decimals, float lo, float hi, int redraw);
int  ui_int(int x, int y, int* value, int digits, int lo, int hi, int redraw);
int  ui_ident(int x, int y, char* id, int redraw);
// Four choices (1..4) shown one letter wide, stepped by the two buttons beside.
int  ui_cycler(int x, int y, const char* const* texts, int* choice, int redraw);
// The mode's background picture, bitmaps 128-131.
void register_backgrounds();
void paint_background();
void ui_button(const uirect& r, const char* label, int on);
void ui_text(int x, int y, int color, const char* text);
// A key the current mode takes (arrows, page keys); 1 when taken.
int  ui_key(int key);
// Shared by the terrain and obstacle screens.
void ui_draw_view_buttons();
// The quadrant's corner fields; 1 when the corner changed.
int  ui_corner_fields(int redraw);
int  ui_view_click(int x, int y);   // 1 when a zoom, pan or quadrant button was hit
void change_quadrant(int lat, int lon);
int  find_tri_with_loc(float lat, float lon, int* i, int* j, int* tri);
