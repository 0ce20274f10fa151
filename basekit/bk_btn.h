// Panel glyphs: seven-segment digit cells, seven-segment read-outs drawn with
// lines, numbers, the 5 x 7 panel font and its strings, and the lamp block.
// The glyph cells and the font write straight into the locked surface, with
// no clipping; the read-outs and the block go through the primitives.
#pragma once
#include <stdint.h>

// ---- digit cells, 4 x 5 (s) and 4 x 7 (b); e = erase unlit segments in back ----
void ADD_s_0e(int x, int y, int color, int back);
void ADD_s_1e(int x, int y, int color, int back);
void ADD_s_2e(int x, int y, int color, int back);
void ADD_s_3e(int x, int y, int color, int back);
void ADD_s_4e(int x, int y, int color, int back);
void ADD_s_5e(int x, int y, int color, int back);
void ADD_s_6e(int x, int y, int color, int back);
void ADD_s_7e(int x, int y, int color, int back);
void ADD_s_8e(int x, int y, int color, int back);
void ADD_s_9e(int x, int y, int color, int back);
void ADD_b_0e(int x, int y, int color, int back);
void ADD_b_1e(int x, int y, int color, int back);
void ADD_b_2e(int x, int y, int color, int back);
void ADD_b_3e(int x, int y, int color, int back);
void ADD_b_4e(int x, int y, int color, int back);
void ADD_b_5e(int x, int y, int color, int back);
void ADD_b_6e(int x, int y, int color, int back);
void ADD_b_7e(int x, int y, int color, int back);
void ADD_b_8e(int x, int y, int color, int back);
void ADD_b_9e(int x, int y, int color, int back);
void ADD_s_0ne(int x, int y, int color);
void ADD_s_1ne(int x, int y, int color);
void ADD_s_2ne(int x, int y, int color);
void ADD_s_3ne(int x, int y, int color);
void ADD_s_4ne(int x, int y, int color);
void ADD_s_5ne(int x, int y, int color);
void ADD_s_6ne(int x, int y, int color);
void ADD_s_7ne(int x, int y, int color);
void ADD_s_8ne(int x, int y, int color);
void ADD_s_9ne(int x, int y, int color);
void ADD_b_0ne(int x, int y, int color);
void ADD_b_1ne(int x, int y, int color);
void ADD_b_2ne(int x, int y, int color);
void ADD_b_3ne(int x, int y, int color);
void ADD_b_4ne(int x, int y, int color);
void ADD_b_5ne(int x, int y, int color);
void ADD_b_6ne(int x, int y, int color);
void ADD_b_7ne(int x, int y, int color);
void ADD_b_8ne(int x, int y, int color);
void ADD_b_9ne(int x, int y, int color);

// ---- seven-segment read-outs of any size, drawn with lines ----
void lightleds(int x, int y, int size, int color, int top, int upleft, int upright, int middle, int lowleft,
               int lowright, int bottom, int erase);
void digit(int x, int y, int size, int color, int value, int erase);  // 10 is a minus sign
// The last `digits` (1..5) digits of |value|, leading zeros shown. size -1
// uses the 5 x 7 font, narrower around a "1".
void intnum(int x, int y, int value, int digits, int color, int size, int gap, int erase);
// value x 10^decimals truncated, in `digits` (up to 7) digits with the point
// before the last `decimals` of them.
void fltnum(int x, int y, float value, int digits, int decimals, int color, int size, int sign, int gap);

// ---- the 5 x 7 panel font ----
void plot_number(int x, int y, int color, int erase, int value);
void plot_letter(int x, int y, int color, int erase, char character);
// 6 pixels per character; a word whose cells would end past right_edge goes
// 10 pixels down at x (wrap set) or ends the string (wrap clear).
void HS_plot_string(int x, int y, int color, const char* text, int right_edge, int wrap);
void plot4char(int color, int x, int y, const char* text);
void plot6char(int color, int x, int y, const char* text);
// Rows of a character's 5 x 7 picture (bit 4 the left column); null when the
// font has no picture for it.
const uint8_t* font_glyph(char character);

// ---- character codes of the identifier spinners: 0 blank, 1..10 digits, 11..36 A..Z ----
char code_to_char(int code);
int  char_to_code(char character);

// ---- a 9 x 9 bevelled lamp ----
void block(int x, int y, int lit);
