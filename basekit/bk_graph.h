// The software rasteriser: off-screen 8-bit surfaces, pixel primitives with a
// locked path (bytes straight into the surface) and an unlocked path (into the
// current window), polygon clipping, strings, bitmaps and the palette.
#pragma once
#include <stdint.h>

typedef int32_t Fixed;  // 16.16
Fixed fixed_div(Fixed a, Fixed b);

enum { GWORLDS = 5 };
extern uint8_t* pix;   // first pixel of the locked surface
extern int row;        // bytes per row of the locked surface
extern int locked;     // 1 while a surface is locked
extern int X_LFT, X_RGT, Y_TOP, Y_BOT;  // clip rectangle
extern int poly_x[24], poly_y[24], clip_code[24], poly_vert_max;
extern int surf3_x1, surf3_y1, surf3_dx, surf3_dy, surf3_blit_the_black;

struct palentry { uint8_t r, g, b; };
extern palentry pe[235];   // pe[k] is palette index k + 11

// ---- surfaces ----
void MACIBM_initgworld(int w, int dx, int dy);
void MACIBM_settogworld(int w, int dx, int dy, int color);
void MACIBM_copytoport(int w, int x, int y, int left, int top, int right, int bottom, int blit_the_black);
void MACIBM_disposegworld(int w);
void MACIBM_startsurf3(int x1, int y1, int dx, int dy, int color, int* x, int* y, int blit_the_black);
void MACIBM_finishsurf3();
uint8_t* gworld_pixels(int w, int* row_bytes, int* dx, int* dy);  // null when not in use

// ---- primitives ----
void MACIBM_hspoint(int color, int x, int y);
void MACIBM_hshline(int color, int x, int y, int len);
void MACIBM_hsvline(int color, int x, int y, int len);
void MACIBM_line(int color, int x0, int y0, int x1, int y1);
void MACIBM_hsclippedline(int color, int x0, int y0, int x1, int y1);
void MACIBM_framerect(int color, int x, int y, int w, int h);
void MACIBM_fillrect(int color, int x, int y, int w, int h);
void MACIBM_filloval(int color, int x, int y, int rx, int ry);
void MACIBM_fillcircle(int color, int x, int y, int r);
void MACIBM_framecircle(int color, int x, int y, int r);
void MACIBM_arc(int color, int x, int y, int r1, int r2, int a1, int a2);
void MACIBM_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast);
void MACIBM_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast);
void MACIBM_polyN(int color, const int* xs, const int* ys, int n, int fast);
void MACIBM_clipped_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast);
void MACIBM_clipped_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast);
void MACIBM_bitmap(int x, int y, int ID);
void MACIBM_drstring(int color, int x, int y, const char* C_string, int type_string);
void memscan(uint8_t* row_start, int x_lo, int x_hi, uint32_t word, uint8_t byte);
void thr_range_clip(float x1, float x2, float xmin, float xmax, float* tmin, float* tmax);

// ---- three-digit number painters ----
void ADD_se(int x, int y, int value, int color, int back);
void ADD_be(int x, int y, int value, int color, int back);
void ADD_sne(int x, int y, int value, int color);
void ADD_bne(int x, int y, int value, int color);

// ---- palette ----
void MACIBM_assigncolor(int index, float r, float g, float b);
void set_xsys_colors();
void change_colors_for_time(int index, float* r, float* g, float* b);
void restore_sys_palette();
void MACIBM_apply_palette();   // pe[] to the screen
void init_graph_tables();      // lookup tables filled at start-up
