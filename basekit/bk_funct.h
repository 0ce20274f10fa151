// Math and string helpers used by both programs. Their edge behaviour (which
// bound wins, how halves round) is relied on by the callers.
#pragma once

// ---- clamping, wrapping, ranges ----
int   intlim(int v, int lo, int hi);
float fltlim(float v, float lo, float hi);
int   intwrap(int v, int lo, int hi);      // one wrap only
float fltwrap(float v, float lo, float hi);  // one wrap only
int   intrange(int v, int lo, int hi);
int   fltrange(float v, float lo, float hi);
int   intbox(int x, int y, int x1, int y1, int x2, int y2);        // bounds included
int   fltbox(float x, float y, float x1, float y1, float x2, float y2);  // bounds excluded
float fallout(float in, float lo, float hi);
int   intmin2(int a, int b);
int   intmax2(int a, int b);
float fltmin2(float a, float b);
float fltmax2(float a, float b);
float fltmax3(float a, float b, float c);
float fltmin4(float a, float b, float c, float d);
float fltmax4(float a, float b, float c, float d);
int   intpos(int v);
int   fltpos(float v);
float fltsgn(float v);

// ---- rounding ----
// The one checked float-to-int conversion: truncates toward zero, saturates
// at the int range, and gives 0 for NaN (a plain cast of those is undefined).
// Inline: the renderer rounds every projected point through it.
inline int flt_to_int(double d) {
  if (!(d == d)) return 0;
  if (d >= 2147483647.0) return 2147483647;
  if (d <= -2147483648.0) return -2147483647 - 1;
  return (int)d;
}
// The C library has its own round(); ours lives in namespace bk to keep both.
namespace bk {
int round(float x);  // halves away from zero
}
float fltnear(float in, float nearest, int round);  // a step of 0 returns in
int   intnear(int in, int nearest, int up);         // an exact multiple still moves a step

// ---- arithmetic ----
float sqr(float x);
float signsqr(float x);
float signsqrt(float x);
float pythag(float a, float b);
float pythag3(float a, float b, float c);
float interp(float x1, float y1, float x2, float y2, float x);  // never clamps; y1 when x1 == x2

// ---- random numbers from plat_rand(), both bounds inclusive, uniform ----
int   intrand(int lo, int hi);
float fltrand(float lo, float hi);

// ---- swaps ----
void flt_switch(float* a, float* b);
void int_switch(int* a, int* b);

// ---- whole-degree trigonometry from the start-up tables; any angle is wrapped ----
float isin(int deg);
float icos(int deg);

// ---- geometry ----
int  facing(float i1, float j1, float k1, float i2, float j2, float k2, float x, float y, float z);
int  inside_cw_reg(float x1, float y1, float x2, float y2, float x, float y, float dis);
void convert_ij_dxy(int i, int j, int tri, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3, int div);
void convert_ij_cw(float i, float j, int tri, float* i1, float* j1, float* i2, float* j2,
                   float* i3, float* j3, int div, float di, float dj);

// ---- strings: zero-terminated, callers' buffers are STR_DIM characters ----
enum { STR_DIM = 400 };
void  C_to_C(const char* src, char* dst);               // bounded to STR_DIM
void  C_plus_C(const char* a, const char* b, char* dst);  // dst may be a
void  app_C(char* dst, const char* src);
char* lit_to_var(const char* literal);
int   char_to_int(char c);
char  int_to_char(int n);
int   str_is_int(const char* s);
int   str_to_int(const char* s);
void  int_to_str(int n, char* s);
int   str_is_frac(const char* s);
float str_to_frac(const char* s);
void  sec_to_hrs_min(float seconds, int* hours, int* minutes);
// "+030-090/+034-084.env" for the cell at 34 N 84 W; without the folder when append_folder is 0.
void  return_latlon_str_ENV(int lat_file, int lon_file, char* lookup_name, int append_folder);
void  int_to_bol(int* b1, int* b2, int* b3, int* b4, int* b5, float* st, int* tex, int code);
void  code_to_lgts(int* gls, int* rwy, int* app, int code);
void  delay(float deltime);
void  decode_wxr(const char* wxr_str, float z_report, float* z_time, int* cld_type, float* cld_base,
                 float* cld_tops, float* vis, int* obs_vis, int* obs_den, float* temp, float* dewp,
                 float* wnd_dir, float* wnd_spd, float* wnd_gus, float* baro);
