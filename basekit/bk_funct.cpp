// Math and string helpers shared by both programs.
#include "basekit/bk_funct.h"
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/platform/platform.h"

// ---- clamping, wrapping, ranges ----

int intlim(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
float fltlim(float v, float lo, float hi) { return v < lo ? lo : (v > hi ? hi : v); }

int intwrap(int v, int lo, int hi) {
  if (v < lo) return v + (hi - lo + 1);
  if (v > hi) return v - (hi - lo + 1);
  return v;
}

float fltwrap(float v, float lo, float hi) {
  if (v < lo) return v + (hi - lo);
  if (v > hi) return v - (hi - lo);
  return v;
}

int intrange(int v, int lo, int hi) { return lo <= v && v <= hi; }
int fltrange(float v, float lo, float hi) { return lo <= v && v <= hi; }
int intbox(int x, int y, int x1, int y1, int x2, int y2) { return x1 <= x && x <= x2 && y1 <= y && y <= y2; }
int fltbox(float x, float y, float x1, float y1, float x2, float y2) { return x1 < x && x < x2 && y1 < y && y < y2; }

float fallout(float in, float lo, float hi) {
  if (in < lo || in > hi) return in;
  return in < 0.0f ? lo : hi;
}

int intmin2(int a, int b) { return a < b ? a : b; }
int intmax2(int a, int b) { return a > b ? a : b; }
float fltmin2(float a, float b) { return a < b ? a : b; }
float fltmax2(float a, float b) { return a > b ? a : b; }
float fltmax3(float a, float b, float c) { return fltmax2(fltmax2(a, b), c); }
float fltmin4(float a, float b, float c, float d) { return fltmin2(fltmin2(a, b), fltmin2(c, d)); }
float fltmax4(float a, float b, float c, float d) { return fltmax2(fltmax2(a, b), fltmax2(c, d)); }
int intpos(int v) { return v > 0; }
int fltpos(float v) { return v > 0.0f; }
float fltsgn(float v) { return v < 0.0f ? -1.0f : 1.0f; }

// ---- rounding ----

// The half is added in double so that 0.49999997 stays below one.
static double round_half_away(double x) { return x >= 0.0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5); }

namespace bk {
int round(float x) { return flt_to_int(round_half_away(x)); }
}

float fltnear(float in, float nearest, int round) {
  if (nearest == 0.0f) return in;
  double q = (double)in / nearest;
  q = round ? round_half_away(q) : std::trunc(q);
  return (float)(q * nearest);
}

int intnear(int in, int nearest, int up) {
  if (nearest == 0) return in;
  long long q = (long long)in / nearest;
  if (q >= 0 && up) q++;
  if (q < 0 && !up) q--;
  long long r = q * nearest;
  return r > INT_MAX ? INT_MAX : (r < INT_MIN ? INT_MIN : (int)r);
}

// ---- arithmetic ----

float sqr(float x) { return x * x; }
float signsqr(float x) { return x > 0.0f ? x * x : -x * x; }
float signsqrt(float x) { return x >= 0.0f ? std::sqrt(x) : -std::sqrt(-x); }
float pythag(float a, float b) { return std::sqrt(a * a + b * b); }
float pythag3(float a, float b, float c) { return std::sqrt(a * a + b * b + c * c); }

float interp(float x1, float y1, float x2, float y2, float x) {
  // A table with two equal abscissas is a step: take its first value rather
  // than spreading an infinity through the model.
  if (x2 == x1) return y1;
  return y1 + (x - x1) * (y2 - y1) / (x2 - x1);
}

// ---- random numbers ----

int intrand(int lo, int hi) {
  if (hi < lo) int_switch(&lo, &hi);
  // Dividing by 32768 keeps r = 32767 inside the range and gives every value
  // of lo..hi the same share.
  long long n = (long long)hi - lo + 1;
  return (int)(lo + (long long)plat_rand() * n / 32768);
}

float fltrand(float lo, float hi) { return lo + (hi - lo) / 32767.0f * (float)plat_rand(); }

// ---- swaps ----

void flt_switch(float* a, float* b) {
  float t = *a;
  *a = *b;
  *b = t;
}

void int_switch(int* a, int* b) {
  int t = *a;
  *a = *b;
  *b = t;
}

// ---- whole-degree trigonometry ----

static int deg_index(int deg) {
  if (deg >= 0 && deg <= 360) return deg;
  int d = deg % 360;
  return d < 0 ? d + 360 : d;
}

float isin(int deg) { return lookup_sin[deg_index(deg)]; }
float icos(int deg) { return lookup_cos[deg_index(deg)]; }

// ---- geometry ----

int facing(float i1, float j1, float k1, float i2, float j2, float k2, float x, float y, float z) {
  return (j1 * k2 - k1 * j2) * x + (k1 * i2 - i1 * k2) * y + (i1 * j2 - j1 * i2) * z < 0.0f;
}

int inside_cw_reg(float x1, float y1, float x2, float y2, float x, float y, float dis) {
  float dx = x2 - x1, dy = y2 - y1;
  if (std::fabs(dy) < std::fabs(dx)) {
    float yl = y1 + (x - x1) * dy / dx;
    return x2 < x1 ? yl < y + dis : yl > y - dis;
  }
  if (dy == 0.0f) return 0;  // both ends at one point: no side to be on
  float xl = x1 + (y - y1) * dx / dy;
  return y2 < y1 ? xl > x - dis : xl < x + dis;
}

void convert_ij_dxy(int i, int j, int tri, int* i1, int* j1, int* i2, int* j2, int* i3, int* j3, int div) {
  // Corner offsets (di, dj) per diagonal and triangle: the right-angle corner,
  // then its neighbour along i, then its neighbour along j.
  static const int corner[2][2][3][2] = {
      {{{0, 0}, {1, 0}, {0, 1}}, {{1, 1}, {0, 1}, {1, 0}}},
      {{{0, 1}, {1, 1}, {0, 0}}, {{1, 0}, {0, 0}, {1, 1}}}};
  const int(*c)[2] = corner[div ? 1 : 0][tri ? 1 : 0];
  *i1 = i + c[0][0]; *j1 = j + c[0][1];
  *i2 = i + c[1][0]; *j2 = j + c[1][1];
  *i3 = i + c[2][0]; *j3 = j + c[2][1];
}

void convert_ij_cw(float i, float j, int tri, float* i1, float* j1, float* i2, float* j2,
                   float* i3, float* j3, int div, float di, float dj) {
  int a1, b1, a2, b2, a3, b3;
  convert_ij_dxy(0, 0, tri, &a1, &b1, &a2, &b2, &a3, &b3, div);
  *i1 = i + a1 * di; *j1 = j + b1 * dj;
  *i2 = i + a2 * di; *j2 = j + b2 * dj;
  *i3 = i + a3 * di; *j3 = j + b3 * dj;
  // Half the triangles come out anticlockwise (and a negative cell size flips
  // the rest): swap the last two corners of those.
  float cross = (*i2 - *i1) * (*j3 - *j1) - (*j2 - *j1) * (*i3 - *i1);
  if (cross > 0.0f) {
    flt_switch(i2, i3);
    flt_switch(j2, j3);
  }
}

// ---- strings ----

// Copies at most STR_DIM - 1 characters; a and dst may be the same buffer.
static void bounded_join(const char* a, const char* b, char* dst) {
  char tmp[STR_DIM];
  size_t n = 0;
  for (const char* s = a; s && *s && n < STR_DIM - 1; s++) tmp[n++] = *s;
  for (const char* s = b; s && *s && n < STR_DIM - 1; s++) tmp[n++] = *s;
  tmp[n] = 0;
  std::memcpy(dst, tmp, n + 1);
}

void C_to_C(const char* src, char* dst) { bounded_join(src, nullptr, dst); }
void C_plus_C(const char* a, const char* b, char* dst) { bounded_join(a, b, dst); }
void app_C(char* dst, const char* src) { bounded_join(dst, src, dst); }
char* lit_to_var(const char* literal) { return const_cast<char*>(literal); }

int char_to_int(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c == '+') return 1;
  if (c == '-') return -1;
  return 0;
}

char int_to_char(int n) { return n >= 1 && n <= 9 ? (char)('0' + n) : '0'; }

int str_is_int(const char* s) {
  for (; *s; s++)
    if (*s < '0' || *s > '9') return 0;
  return 1;
}

int str_to_int(const char* s) {
  size_t n = strnlen(s, 5);
  if (n < 1 || n > 4 || !str_is_int(s)) return -1;
  int v = 0;
  for (size_t k = 0; k < n; k++) v = v * 10 + (s[k] - '0');
  return v;
}

void int_to_str(int n, char* s) { std::snprintf(s, STR_DIM, "%d", n); }

int str_is_frac(const char* s) {
  return strnlen(s, 4) == 3 && s[0] >= '1' && s[0] <= '9' && s[1] == '/' && s[2] >= '1' && s[2] <= '9';
}

float str_to_frac(const char* s) {
  if (strnlen(s, 4) != 3) return -1.0f;
  int num = char_to_int(s[0]), den = char_to_int(s[2]);
  if (den == 0) return -1.0f;
  return (float)num / (float)den;
}

void sec_to_hrs_min(float seconds, int* hours, int* minutes) {
  int s = flt_to_int(seconds);
  *hours = s / 3600;
  *minutes = s / 60 - 60 * *hours;
}

// Floor division, so that cells south of 60 S still find their block.
static int block_corner(int v, int offset) {
  int t = v + offset;
  int q = t >= 0 ? t / 10 : -((-t + 9) / 10);
  return q * 10 - offset;
}

static void put_coord(char* s, int v) {
  int a = v < 0 ? -v : v;
  std::snprintf(s, 8, "%c%03d", v < 0 ? '-' : '+', intlim(a, 0, 999));
}

void return_latlon_str_ENV(int lat_file, int lon_file, char* lookup_name, int append_folder) {
  char blat[8], blon[8], clat[8], clon[8];
  put_coord(blat, block_corner(lat_file, 60));
  put_coord(blon, block_corner(lon_file, 180));
  put_coord(clat, lat_file);
  put_coord(clon, lon_file);
  if (append_folder)
    std::snprintf(lookup_name, STR_DIM, "%s%s/%s%s.env", blat, blon, clat, clon);
  else
    std::snprintf(lookup_name, STR_DIM, "%s%s.env", clat, clon);
}

void int_to_bol(int* b1, int* b2, int* b3, int* b4, int* b5, float* st, int* tex, int code) {
  static const float pattern[4][8] = {
      {0, 1, 1, 1, 0, 0, 1, 0},   // bit 8
      {1, 1, 1, 0, 0, 1, 0, 0},   // bit 7
      {1, 0, 0, 0, 1, 1, 0, 1},   // bit 6
      {0, 0, 0, 1, 1, 0, 1, 1}};  // bit 5
  *b1 = *b2 = *b3 = *b4 = *b5 = 0;
  *tex = 0;
  if (code < 0) return;
  // Top down, so that the lowest set bit of each group has the last word.
  for (int bit = 16; bit >= 9; bit--)
    if (code & (1 << bit)) *tex = 2000 + (bit - 9);
  for (int bit = 8; bit >= 5; bit--)
    if (code & (1 << bit)) std::memcpy(st, pattern[8 - bit], sizeof pattern[0]);
  int* flag[5] = {b1, b2, b3, b4, b5};
  for (int bit = 4; bit >= 0; bit--)
    if (code & (1 << bit)) *flag[bit] = 1;
}

void code_to_lgts(int* gls, int* rwy, int* app, int code) {
  static const int amount[14] = {300, 200, 100, 50, 40, 30, 20, 10, 6, 5, 4, 3, 2, 1};
  static const int value[14] = {3, 2, 1, 5, 4, 3, 2, 1, 6, 5, 4, 3, 2, 1};
  for (int end = 0; end < 2; end++) {
    int v = (end ? code / 1000 : code) % 1000;
    gls[end] = rwy[end] = app[end] = 1;
    for (int k = 0; k < 14; k++) {
      if (v < amount[k]) continue;
      v -= amount[k];
      int* out = k < 3 ? gls : (k < 8 ? rwy : app);
      out[end] = value[k];
    }
  }
}

void delay(float deltime) {
  if (!(deltime > 0.0f)) return;
  uint64_t start = plat_ticks_ms();
  uint64_t wait = (uint64_t)(fltmin2(deltime, 3600.0f) * 1000.0f);
  // Sleeping a millisecond at a time rather than spinning spares the CPU, and
  // moves the fake clock in tests.
  while (plat_ticks_ms() - start < wait) plat_delay_ms(1);
}

// ---- surface weather reports ----

enum { WXR_GROUPS = 40 };

// Splits at runs of blanks; groups past the 40th are dropped and each is cut
// to STR_DIM - 1 characters.
static int split_groups(const char* s, char (*grp)[STR_DIM]) {
  int n = 0;
  while (*s && n < WXR_GROUPS) {
    while (*s == ' ' || *s == '\t' || *s == '\r' || *s == '\n') s++;
    if (!*s) break;
    int len = 0;
    while (*s && *s != ' ' && *s != '\t' && *s != '\r' && *s != '\n') {
      if (len < STR_DIM - 1) grp[n][len++] = *s;
      s++;
    }
    grp[n][len] = 0;
    n++;
  }
  return n;
}

static int count_char(const char* s, char c) {
  int n = 0;
  for (; *s; s++) n += *s == c;
  return n;
}

static int whole(const char* s) { return str_to_int(s); }
static int is_digit(char c) { return c >= '0' && c <= '9'; }

static void match_weather(const char* g, int* obs_vis, int* obs_den) {
  static const struct { const char* text; int kind, den; } table[] = {
      {"TRW-", 1, 1}, {"TRW", 1, 2}, {"TRW+", 1, 3}, {"TRW-F", 1, 1}, {"TRWF", 1, 2}, {"TRW+F", 1, 3},
      {"R-", 2, 1}, {"R", 2, 2}, {"R+", 2, 3}, {"S-", 2, 1}, {"S", 2, 2}, {"S+", 2, 3},
      {"R-F", 3, 1}, {"RF", 3, 2}, {"R+F", 3, 3},
      {"RW-", 4, 1}, {"RW", 4, 2}, {"RW+", 4, 3}, {"SW-", 4, 1}, {"SW", 4, 2}, {"SW+", 4, 3},
      {"RW-F", 4, 1}, {"RWF", 4, 2}, {"RW+F", 4, 3}};
  for (const auto& w : table)
    if (std::strcmp(g, w.text) == 0) {
      *obs_vis = w.kind;
      *obs_den = w.den;
      return;
    }
}

// Splits the main group at its slashes into at most five fields.
static int split_fields(const char* s, char (*fld)[16]) {
  int n = 0, len = 0;
  for (;; s++) {
    if (*s == '/' || *s == 0) {
      fld[n][len] = 0;
      n++;
      len = 0;
      if (*s == 0 || n == 5) break;
    } else if (len < 15) {
      fld[n][len++] = *s;
    }
  }
  return n;
}

void decode_wxr(const char* wxr_str, float z_report, float* z_time, int* cld_type, float* cld_base,
                float* cld_tops, float* vis, int* obs_vis, int* obs_den, float* temp, float* dewp,
                float* wnd_dir, float* wnd_spd, float* wnd_gus, float* baro) {
  static char grp[WXR_GROUPS][STR_DIM];
  int ngrp = split_groups(wxr_str, grp);

  // Group 0 is the station; a four-character group 1 is the time HHMM.
  int tgrp = 0;
  if (ngrp > 1 && std::strlen(grp[1]) == 4) {
    const char* t = grp[1];
    if (str_is_int(t))
      *z_time = (float)(36000 * char_to_int(t[0]) + 3600 * char_to_int(t[1]) + 600 * char_to_int(t[2]) +
                        60 * char_to_int(t[3]));
    tgrp = 1;
  }
  int first = tgrp + 1;

  int mgrp = -1;
  for (int i = 0; i < ngrp && mgrp < 0; i++)
    if (count_char(grp[i], '/') > 2) mgrp = i;
  if (mgrp < 0) return;  // not a report we can read

  // Clouds: height and cover pairs up to the visibility group.
  if (first < ngrp && std::strcmp(grp[first], "CLR") == 0) {
    *cld_type = 0;
  } else {
    int data = 0, layer = 0, lowest = 0, highest = 0;
    for (int i = first; i < mgrp - 2; i += 2) {
      int h = whole(grp[i]);
      const char* cover = grp[i + 1];
      int bkn = !std::strcmp(cover, "BKN") || !std::strcmp(cover, "OVC");
      if (h <= 0 || !(bkn || !std::strcmp(cover, "SCT"))) continue;
      data = 1;
      if (!bkn) continue;
      if (!layer || h < lowest) lowest = h;
      if (!layer || h > highest) highest = h;
      layer = 1;
    }
    if (data && !layer) *cld_type = 0;
    if (layer) {
      *cld_type = 1;
      *cld_base = lowest * 100.0f * con.fttomtrs + z_report;
      *cld_tops = highest * 100.0f * con.fttomtrs + z_report;
    }
  }

  // Visibility in nautical miles, from the groups before the main one; the
  // later tests win (a fraction with its whole part beats a bare number).
  int v1 = mgrp - 1, v2 = mgrp - 2, v3 = mgrp - 3;
  if (v1 >= first && whole(grp[v1]) >= 0) *vis = whole(grp[v1]) * con.nmtomtrs;
  if (v2 >= first && whole(grp[v2]) >= 0) *vis = whole(grp[v2]) * con.nmtomtrs;
  if (v1 >= first && str_is_frac(grp[v1])) {
    float nm = str_to_frac(grp[v1]);
    if (v2 >= first && whole(grp[v2]) >= 0) nm += whole(grp[v2]);
    *vis = nm * con.nmtomtrs;
  }
  if (v2 >= first && str_is_frac(grp[v2])) {
    float nm = str_to_frac(grp[v2]);
    if (v3 >= first && whole(grp[v3]) >= 0) nm += whole(grp[v3]);
    *vis = nm * con.nmtomtrs;
  }

  if (mgrp - tgrp - 1 >= 3 && whole(grp[v1]) < 0) match_weather(grp[v1], obs_vis, obs_den);

  // Temperature / dew point / wind / altimeter, after an optional leading field.
  int slashes = count_char(grp[mgrp], '/');
  if (slashes != 3 && slashes != 4) return;
  char fld[5][16];
  split_fields(grp[mgrp], fld);
  const char(*f)[16] = fld + (slashes - 3);
  if (whole(f[0]) > 0) *temp = (float)whole(f[0]);
  if (whole(f[1]) > 0) *dewp = (float)whole(f[1]);
  int alt = whole(f[3]);
  if (alt > 0) {
    alt %= 1000;
    float b = alt / 100 + 0.1f * (alt / 10 % 10) + 0.01f * (alt % 10);
    *baro = b + (b < 5.0f ? 30.0f : 20.0f);
  }
  const char* w = f[2];
  size_t wl = std::strlen(w);
  if (wl != 4 && wl != 7) return;
  // Digits where digits are read: a sign or a letter there is a broken field.
  int vr = w[0] == 'V' && w[1] == 'R';
  int gusty = wl == 7 && w[4] == 'G';
  if (!(vr || (is_digit(w[0]) && is_digit(w[1]))) || !is_digit(w[2]) || !is_digit(w[3])) return;
  if (gusty && !(is_digit(w[5]) && is_digit(w[6]))) return;
  if (vr)
    *wnd_dir = 10.0f * intrand(0, 35);
  else
    *wnd_dir = 100.0f * char_to_int(w[0]) + 10.0f * char_to_int(w[1]);
  *wnd_spd = (10 * char_to_int(w[2]) + char_to_int(w[3])) * con.ktstomsc;
  *wnd_gus = 0.0f;
  if (gusty) {
    float gust = (10 * char_to_int(w[5]) + char_to_int(w[6])) * con.ktstomsc;
    *wnd_gus = fltmax2(gust - *wnd_spd, 0.0f);  // a gust below the mean wind is no gust
  }
}
