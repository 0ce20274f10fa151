// Mouse-driven entry fields of the settings windows and the editor: per-digit
// number spinners, identifier spinners, check boxes, radio buttons, option
// cyclers and a scrolling name list. They read the mouse through hok.mouse
// (window coordinates) and draw through the primitives, into the locked
// surface or, with none locked, the current window.
//
// A window's plot function calls them with redraw set to paint them; its
// click function calls them with redraw clear, and each acts on the mouse
// only when it is down over its own zones. They return 1 when their value
// changed or a redraw was asked, else 0.
#pragma once
#include "basekit/bk_aptnav.h"

// A float in `digits` seven-segment digits (up to 7), the last `decimals` of
// them after the point. A click in the upper half of digit k's column adds
// its place value, in the lower half subtracts it; the value then stays
// within what the field can show (0 up, or symmetric with allow_negative).
int instdbtn(int color, int x, int y, float* value, int digits, int decimals, int redraw, int allow_negative);
// The same between lo and hi (kept within what the field can show); the sign
// is shown when lo is negative.
int instdbtn_range(int color, int x, int y, float* value, int digits, int decimals, int redraw, float lo,
                   float hi);

// Four character spinners over an identifier of up to four characters in a
// buffer of at least five: upper half steps back towards blank, lower half
// on towards "Z"; neither end wraps.
int in4charbtn(int color, int x, int y, char* text, int redraw);

// A check box: a click on it toggles the flag. Always paints the box.
int inboolbtn(int x, int y, int* flag);
// A radio button: a click sets *variable to value; the box is lit while they
// are equal. Always paints its own box, so when one of a group returns 1 the
// caller repaints the group.
int inonebool(int x, int y, int* variable, int value);

// Option cyclers: the button above y steps back, the one below on, wrapping;
// the choice runs 0..1 for two options and 1..n for more. The chosen text is
// shown in the strip from (x, y - 10), width wide.
int in2textbtn(int x, int y, const char* t1, const char* t2, int offset, int width, int* choice, int redraw);
int in3textbtn(int x, int y, const char* t1, const char* t2, const char* t3, int offset, int width, int* choice,
               int redraw);
int in4textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, int offset, int width,
               int* choice, int redraw);
int in5textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               int offset, int width, int* choice, int redraw);
int in8textbtn(int x, int y, const char* t1, const char* t2, const char* t3, const char* t4, const char* t5,
               const char* t6, const char* t7, const char* t8, int offset, int width, int* choice, int redraw);

// A 269 x 73 list of seven entries around *index, wrapping between first
// and last, always painted. With click set, a click within its width moves
// the index: -10 above the list, -3 -2 -1 on the rows above the centre,
// +1 +2 +3 below it, +10 under the list. An empty range (last < first)
// shows an empty list.
int plot_name_list(int x, int y, const char (*names)[APT_NAME_DIM], const char (*ids)[APT_ID_DIM], int* index,
                   int first, int last, int click);
