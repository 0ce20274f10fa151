// The common look and controls of the settings windows: a black client like
// the panel's, grey frames and labels in the window-system font, values in
// the entry fields' green, and the arrow buttons those fields leave to the
// window to draw. Everything draws into the current window; a window's plot
// and click functions first make their own window current (wk_begin).
#pragma once

enum {
  WK_BACK = 11,    // background, as the entry fields clear to
  WK_VALUE = 12,   // values, as the entry fields write them
  WK_FRAME = 27,   // group frames
  WK_LABEL = 31,   // labels
  WK_TITLE = 33,   // headings
  WK_FACE = 25,    // button faces
  WK_LIGHT = 30,   // their lit edges
  WK_DARK = 23,    // their shaded edges
  WK_MARK = 17,    // a highlight (yellow)
  WK_ALARM = 18,   // a warning (red)
  WK_WATER = 47,   // the world map's sea
  WK_LAND = 13     // and its land
};

// Makes window `index` the drawing target; 0 when it is not open.
int  wk_begin(int index);
// The entry fields act on a held button even when asked only to paint: a
// repaint runs between these two, with the button taken away and then given
// back. They nest.
void wk_mouse_away();
void wk_mouse_back();
void wk_clear();                                  // the whole client to the background
void wk_erase(int x, int y, int w, int h);        // a rectangle to the background
void wk_text(int x, int y, int color, const char* text);  // y: the top of the line
void wk_textf(int x, int y, int color, const char* format, ...) __attribute__((format(printf, 4, 5)));
int  wk_text_width(const char* text);
// Text cut at word breaks into lines of at most `width` pixels, 14 apart;
// returns the lines written.
int  wk_wrapped(int x, int y, int width, int color, const char* text, int max_lines);
// A framed group with its title cut into the top edge.
void wk_group(int x, int y, int w, int h, const char* title);
// A raised push button with a centred label.
void wk_button(int x, int y, int w, int h, const char* label);
// The mouse is down inside the rectangle.
int  wk_hit(int x, int y, int w, int h);
// The two arrow buttons of an option cycler at (x, y) with its offset: back
// above y, on below it.
void wk_cycler(int x, int y, int offset);
// Up and down marks over and under the click columns of a number field of
// `digits` digits at (x, y); columns listed in skip (a bit each) get none.
void wk_spinner(int x, int y, int digits, int skip);
// A horizontal slider of width w over lo..hi; with click set, a press on it
// moves the value to the pointer. Returns 1 when the value changed.
int  wk_hslider(int x, int y, int w, float* value, float lo, float hi, int click);
// A vertical slider of height h, hi at the top; returns 1 when it changed.
int  wk_vslider(int x, int y, int h, float* value, float lo, float hi, int click);

// A value kept in SI shown in the user's unit with `decimals` places,
// rounded to the nearest step of the field (not truncated as the digits
// would), so that a value reopens as it was set.
float wk_shown(float si, float per_unit, int decimals);
