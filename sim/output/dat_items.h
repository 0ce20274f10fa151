// The catalogue of output items: their labels, values and display formats,
// and the three channels they are published on (the data file, the graph and
// the screen slots over the view).
#pragma once
#include <cstdio>

enum { OUT_FILE = 7, OUT_GRAPH = 8, OUT_SCREEN = 9 };
enum { OUT_ITEMS_DEFINED = 51, OUT_COLUMNS = 4, RLT_SLOTS = 10 };
const float OUT_NONE = -999.0f;  // a column the item does not use

// 39 characters: (name, unit) pairs at 0-3/5-8, 10-13/15-18, 20-23/25-28,
// 30-33/35-38. Empty for items without a definition.
const char* item_label(int item);
// Column col (0..3) of item: its name and unit (4 characters each, as in the
// label), and whether the column carries a name (its fourth character is not blank).
int  item_column(int item, int col, char name[5], char unit[5]);
// The four values of item, each clamped; unused columns OUT_NONE.
void item_values(int item, float v[OUT_COLUMNS]);
// Within +-9.9e9; not-a-number reads 0.
float clamp_out(float v);
// Integer digits and decimals of each column.
void set_dig_dec(int item, int dig[OUT_COLUMNS], int dec[OUT_COLUMNS]);
// A value as the screen shows it: fixed with the column's format below 9999
// in size, exponent form from there on ("9.9E9").
void rlt_value_text(float v, int dig, int dec, char* text, int size);

// The label or the values of one item on one channel. mode OUT_FILE writes to
// bbx; OUT_GRAPH stores the values in channel `place` of the graph's newest
// sample, or draws the labels beside the graph row `place`; OUT_SCREEN draws
// into screen slot `place` of the current drawing target.
void out_label(int mode, int item, int place);
void out_dat(int mode, int item, int place);
void sub_out_label(int mode, int place, const char* label);
void sub_out_dat(int mode, int item, int place, float v1, float v2, float v3, float v4);

// The screen slots over the view, into the current drawing target (the main
// window, right after the view is copied there).
void print_data_items();
// Where screen slot s (0..9) stands: x of its first column and the row y.
void rlt_slot_xy(int slot, int* x, int* y);
