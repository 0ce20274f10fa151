// The software rasteriser: off-screen 8-bit surfaces, pixel primitives with a
// locked path (bytes straight into the surface) and an unlocked path (into the
// current window), polygon clipping, strings, bitmaps and the palette.
//
// Locked path: no clipping, callers keep coordinates inside the surface (the
// clipped forms exist for shapes that may cross the edge). Debug builds, or
// builds with BK_RANGE_CHECKS, stop with a message naming the call instead.
// Unlocked path: the same rasteriser into active_dc, clipped to its client.
#pragma once
#include <stdint.h>

#if !defined(NDEBUG) || defined(BK_RANGE_CHECKS)
#define BK_RANGE_CHECKS_ON 1
#else
#define BK_RANGE_CHECKS_ON 0
#endif

// ---- 16.16 fixed point ----
typedef int32_t Fixed;
inline Fixed int2fix(int i) { return (Fixed)((uint32_t)i << 16); }
inline int fix2int(Fixed f) { return f >> 16; }  // towards minus infinity
Fixed fixed_div(Fixed a, Fixed b);  // rounded to nearest; saturates on b = 0

// ---- state ----
enum { GWORLDS = 5 };
extern uint8_t* pix;   // first pixel of the locked surface
extern int row;        // bytes per row of the locked surface
extern int locked;     // 1 while a surface is locked
extern int gw_inuse[GWORLDS];
extern int X_LFT, X_RGT, Y_TOP, Y_BOT;  // clip rectangle, bounds inclusive
extern int poly_x[24], poly_y[24], clip_code[24], poly_vert_max;
extern int surf3_x1, surf3_y1, surf3_dx, surf3_dy, surf3_blit_the_black;

// Clip codes of the polygon clipper's vertices.
enum { CLIP_VERTEX = 0, CLIP_LEFT = 2, CLIP_RIGHT = 3, CLIP_TOP = 4, CLIP_BOTTOM = 5 };

struct palentry { uint8_t r, g, b; };
extern palentry pe[235];   // pe[k] is palette index k + 11

// ---- surfaces ----
void MACIBM_initgworld(int w, int dx, int dy);
void MACIBM_settogworld(int w, int dx, int dy, int color);
// Copies (left, top)-(right, bottom), right and bottom excluded, to the current
// window at (x + left, y + top), clipped to the window on every edge.
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
// Ovals and circles draw only when no surface is locked.
void MACIBM_filloval(int color, int x, int y, int rx, int ry);
void MACIBM_fillcircle(int color, int x, int y, int r);
void MACIBM_framecircle(int color, int x, int y, int r);
// Always into the current window, locked or not. Angles in degrees from the
// top, clockwise; the arc runs from a1 clockwise to a2.
void MACIBM_arc(int color, int x, int y, int r1, int r2, int a1, int a2);
void MACIBM_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast);
void MACIBM_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast);
void MACIBM_polyN(int color, const int* xs, const int* ys, int n, int fast);  // n: last index
void MACIBM_clipped_poly3(int color, int x0, int y0, int x1, int y1, int x2, int y2, int fast);
void MACIBM_clipped_poly4(int color, int x0, int y0, int x1, int y1, int x2, int y2, int x3, int y3, int fast);
void MACIBM_bitmap(int x, int y, int ID);
void MACIBM_drstring(int color, int x, int y, const char* C_string, int type_string);
// The clipper's steps for callers that clip edges themselves (the view cuts
// 3-D edges at its near plane first): empty the scratch polygon, saying which
// way it runs on the screen; append one clipped edge (its end codes as above,
// corners walked from the previous edge); close it as the clipper does.
void thr_poly_begin(int ccw);
void thr_form_poly(int x1, int y1, int c1, int x2, int y2, int c2);
void thr_poly_close();
void memscan(uint8_t* row_start, int x_lo, int x_hi, uint32_t word, uint8_t byte);
void thr_range_clip(float x1, float x2, float xmin, float xmax, float* tmin, float* tmax);

// ---- three-digit number painters ----
void ADD_se(int x, int y, int value, int color, int back);
void ADD_be(int x, int y, int value, int color, int back);
void ADD_sne(int x, int y, int value, int color);
void ADD_bne(int x, int y, int value, int color);
void subADD_se(int x, int y, int dig, int color, int back);
void subADD_be(int x, int y, int dig, int color, int back);
void subADD_sne(int x, int y, int dig, int color);
void subADD_bne(int x, int y, int dig, int color);

// ---- resource bitmaps ----
// Our bitmaps are made by code: a generator draws the picture with the locked
// primitives into a dx x dy 8-bit buffer (cleared to index 11) the first time
// the ID is used, and the result is kept. Their pixels are palette indices, so
// they take the time-of-day adjustment through the palette entries they use.
typedef void (*bitmap_generator)(int dx, int dy);
int register_bitmap(int ID, int dx, int dy, bitmap_generator generate);  // 1 on success
// A picture file (8-bit palette PNG, its values palette indices) as bitmap
// ID; 0 when it is missing or unreadable, and nothing changes.
int load_bitmap_file(int ID, const char* path);
const uint8_t* bitmap_pixels(int ID, int* dx, int* dy);  // null for an unknown ID
// Device-independent bitmap headers (little-endian, info or core header).
int DIBNumColors(const uint8_t* dib);
int PaletteSize(const uint8_t* dib);
const uint8_t* FindDIBBits(const uint8_t* dib);

// ---- palette ----
void MACIBM_assigncolor(int index, float r, float g, float b);
void set_xsys_colors();
void set_startup_colors();     // 56-88 and 228-245, until the first scene palette
void change_colors_for_time(int index, float* r, float* g, float* b);
void restore_sys_palette();
void MACIBM_apply_palette();   // pe[] to the screen
void init_palette();           // fixed colours, start-up ramps, applied
void init_graph_tables();      // lookup tables filled at start-up
