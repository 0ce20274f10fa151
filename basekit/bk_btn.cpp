// Panel glyphs: digit cells, seven-segment read-outs, numbers, the 5 x 7 font.
#include "basekit/bk_btn.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_graph_internal.h"
#include "basekit/bk_mnw.h"

static const char* const not_locked = "Attempted ADD_call when not locked to off-screen surf!";

static void require_lock(const char* what) {
  if (!locked) MACIBM_exitalert(not_locked, what, "", "");
}

static inline void put(const char* fn, int x, int y, int color) {
  BK_CHECK(x >= 0 && y >= 0 && x < lock_dx && y < lock_dy, fn, "pixel (%d, %d)", x, y);
  (void)fn;
  pix[(size_t)y * row + x] = (uint8_t)color;
}

// ---------------------------------------------------------------- segments

enum { SEG_TOP, SEG_UPLEFT, SEG_UPRIGHT, SEG_MIDDLE, SEG_LOWLEFT, SEG_LOWRIGHT, SEG_BOTTOM, SEGS };

static const uint8_t seg_table[11][SEGS] = {
    {1, 1, 1, 0, 1, 1, 1}, {0, 0, 1, 0, 0, 1, 0}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 0, 1, 1},
    {0, 1, 1, 1, 0, 1, 0}, {1, 1, 0, 1, 0, 1, 1}, {0, 1, 0, 1, 1, 1, 1}, {1, 0, 1, 0, 0, 1, 0},
    {1, 1, 1, 1, 1, 1, 1}, {1, 1, 1, 1, 0, 1, 0}, {0, 0, 0, 1, 0, 0, 0}};

// Pixel masks of the 4-wide digit cells, bit (r * 4 + c): which pixels each
// digit lights and which belong to some segment.
struct cellmasks {
  uint32_t lit[2][10];
  uint32_t seg[2];
};

static uint32_t segment_pixels(int s, int h) {
  int m = (h - 1) / 2;
  uint32_t bits = 0;
  for (int r = 0; r < h; r++)
    for (int c = 0; c < 4; c++) {
      int on = 0;
      switch (s) {
        case SEG_TOP: on = r == 0; break;
        case SEG_UPLEFT: on = c == 0 && r <= m; break;
        case SEG_UPRIGHT: on = c == 3 && r <= m; break;
        case SEG_MIDDLE: on = r == m; break;
        case SEG_LOWLEFT: on = c == 0 && r >= m; break;
        case SEG_LOWRIGHT: on = c == 3 && r >= m; break;
        case SEG_BOTTOM: on = r == h - 1; break;
      }
      if (on) bits |= 1u << (r * 4 + c);
    }
  return bits;
}

static const cellmasks& cell_masks() {
  static const cellmasks m = [] {
    cellmasks k{};
    for (int big = 0; big < 2; big++) {
      int h = big ? 7 : 5;
      for (int s = 0; s < SEGS; s++) k.seg[big] |= segment_pixels(s, h);
      for (int d = 0; d < 10; d++)
        for (int s = 0; s < SEGS; s++)
          if (seg_table[d][s]) k.lit[big][d] |= segment_pixels(s, h);
    }
    return k;
  }();
  return m;
}

static void cell(int x, int y, int d, int big, int color, int back, int erase) {
  require_lock("(final digit-drawing)");
  const cellmasks& m = cell_masks();
  int h = big ? 7 : 5;
  uint32_t lit = m.lit[big][d], seg = m.seg[big];
  for (int r = 0; r < h; r++)
    for (int c = 0; c < 4; c++) {
      uint32_t bit = 1u << (r * 4 + c);
      if (lit & bit)
        put("ADD_ digit cell", x + c, y + r, color);
      else if (erase && (seg & bit))
        put("ADD_ digit cell", x + c, y + r, back);
    }
}

#define DIGIT_CELLS(d)                                                                          \
  void ADD_s_##d##e(int x, int y, int color, int back) { cell(x, y, d, 0, color, back, 1); }  \
  void ADD_b_##d##e(int x, int y, int color, int back) { cell(x, y, d, 1, color, back, 1); }  \
  void ADD_s_##d##ne(int x, int y, int color) { cell(x, y, d, 0, color, 0, 0); }              \
  void ADD_b_##d##ne(int x, int y, int color) { cell(x, y, d, 1, color, 0, 0); }
DIGIT_CELLS(0)
DIGIT_CELLS(1)
DIGIT_CELLS(2)
DIGIT_CELLS(3)
DIGIT_CELLS(4)
DIGIT_CELLS(5)
DIGIT_CELLS(6)
DIGIT_CELLS(7)
DIGIT_CELLS(8)
DIGIT_CELLS(9)
#undef DIGIT_CELLS

// ---------------------------------------------------------------- read-outs

void lightleds(int x, int y, int size, int color, int top, int upleft, int upright, int middle, int lowleft,
               int lowright, int bottom, int erase) {
  const int on[SEGS] = {top, upleft, upright, middle, lowleft, lowright, bottom};
  const int s = size;
  const int ends[SEGS][4] = {{x, y, x + s, y},         {x, y, x, y + s},
                             {x + s, y, x + s, y + s}, {x, y + s, x + s, y + s},
                             {x, y + s, x, y + 2 * s}, {x + s, y + s, x + s, y + 2 * s},
                             {x, y + 2 * s, x + s, y + 2 * s}};
  if (erase)
    for (int i = 0; i < SEGS; i++)
      if (!on[i]) MACIBM_line(11, ends[i][0], ends[i][1], ends[i][2], ends[i][3]);
  for (int i = 0; i < SEGS; i++)
    if (on[i]) MACIBM_line(color, ends[i][0], ends[i][1], ends[i][2], ends[i][3]);
}

void digit(int x, int y, int size, int color, int value, int erase) {
  static const uint8_t blank[SEGS] = {0, 0, 0, 0, 0, 0, 0};
  const uint8_t* s = (value >= 0 && value <= 10) ? seg_table[value] : blank;
  lightleds(x, y, size, color, s[0], s[1], s[2], s[3], s[4], s[5], s[6], erase);
}

// The last n decimal digits of v >= 0, most significant first.
static void split_digits(long long v, int n, int* d) {
  for (int i = n - 1; i >= 0; i--) {
    d[i] = (int)(v % 10);
    v /= 10;
  }
}

void intnum(int x, int y, int value, int digits, int color, int size, int gap, int erase) {
  if (digits < 1) digits = 1;
  if (digits > 5) digits = 5;
  long long v = value;
  if (v < 0) v = -v;
  int d[5];
  split_digits(v, digits, d);
  int pen = x;
  for (int i = 0; i < digits; i++) {
    if (size >= 0) {
      digit(pen, y, size, color, d[i], erase);
      pen += size + 1 + gap;
    } else {
      plot_number(pen, y, color, erase, d[i]);
      pen += (d[i] == 1 || (i + 1 < digits && d[i + 1] == 1)) ? 4 : 6;
    }
  }
}

void fltnum(int x, int y, float value, int digits, int decimals, int color, int size, int sign, int gap) {
  if (digits < 1) digits = 1;
  if (digits > 7) digits = 7;
  if (decimals < 0) decimals = 0;
  if (decimals > digits) decimals = digits;
  double v = std::fabs((double)value) * std::pow(10.0, decimals);
  // A decimal value held in a float may sit just below itself (110.35 is
  // 110.349998...): a few float steps up keeps truncation from eating a digit.
  v += v * 2.5e-7;
  if (!(v < 1e15)) v = 0;  // NaN, infinity, or far past any read-out
  int d[7];
  split_digits((long long)v, digits, d);
  int step = size + 1 + gap;
  int shift = gap == 5 ? 0 : 2;
  int whole = digits - decimals;
  for (int k = 0; k < digits; k++)
    digit(x + k * step + (decimals > 0 && k >= whole ? shift : 0), y, size, color, d[k], 1);
  if (decimals > 0) {
    // The point sits in the middle of the room before the first decimal.
    int next = x + whole * step + shift, room = gap + shift, w = size == 3 ? 1 : 2;
    int left = next - room + (room > w ? (room - w) / 2 : 0);
    int base = y + 2 * size;
    MACIBM_fillrect(color, left, base - 1, w - 1, 1);
  }
  if (sign) digit(x - size - 2, y, size, value < 0 ? color : 11, 10, 0);
}

// ---------------------------------------------------------------- the 5 x 7 font

struct glyphart {
  char c;
  const char* rows[7];
};

static const glyphart font_art[] = {
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    // "1" keeps to the middle column so that it can sit 4 pixels from its neighbours.
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"#####", "...#.", "..#..", "...#.", "....#", "#...#", ".###."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"###..", "#..#.", "#...#", "#...#", "#...#", "#..#.", "###.."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'J', {"..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
    {'N', {"#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'Q', {".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'Y', {"#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."}},
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'a', {".....", ".....", ".###.", "....#", ".####", "#...#", ".####"}},
    {'b', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "####."}},
    {'c', {".....", ".....", ".###.", "#....", "#....", "#...#", ".###."}},
    {'d', {"....#", "....#", ".##.#", "#..##", "#...#", "#...#", ".####"}},
    {'e', {".....", ".....", ".###.", "#...#", "#####", "#....", ".###."}},
    {'f', {"..##.", ".#..#", ".#...", "###..", ".#...", ".#...", ".#..."}},
    {'g', {".....", ".####", "#...#", "#...#", ".####", "....#", ".###."}},
    {'h', {"#....", "#....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'i', {"..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."}},
    {'j', {"...#.", ".....", "..##.", "...#.", "...#.", "#..#.", ".##.."}},
    {'k', {"#....", "#....", "#..#.", "#.#..", "##...", "#.#..", "#..#."}},
    {'l', {".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'m', {".....", ".....", "##.#.", "#.#.#", "#.#.#", "#...#", "#...#"}},
    {'n', {".....", ".....", "#.##.", "##..#", "#...#", "#...#", "#...#"}},
    {'o', {".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."}},
    {'p', {".....", "####.", "#...#", "#...#", "####.", "#....", "#...."}},
    {'q', {".....", ".####", "#...#", "#...#", ".####", "....#", "....#"}},
    {'r', {".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."}},
    {'s', {".....", ".....", ".####", "#....", ".###.", "....#", "####."}},
    {'t', {".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."}},
    {'u', {".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"}},
    {'v', {".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'w', {".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."}},
    {'x', {".....", ".....", "#...#", ".#.#.", "..#..", ".#.#.", "#...#"}},
    {'y', {".....", "#...#", "#...#", "#...#", ".####", "....#", ".###."}},
    {'z', {".....", ".....", "#####", "...#.", "..#..", ".#...", "#####"}},
    {' ', {".....", ".....", ".....", ".....", ".....", ".....", "....."}},
    {'\'', {"..#..", "..#..", ".#...", ".....", ".....", ".....", "....."}},
    {':', {".....", ".##..", ".##..", ".....", ".##..", ".##..", "....."}},
    {'.', {".....", ".....", ".....", ".....", ".....", ".##..", ".##.."}},
    {',', {".....", ".....", ".....", ".....", ".##..", "..#..", ".#..."}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
    {'+', {".....", "..#..", "..#..", "#####", "..#..", "..#..", "....."}},
    {'(', {"...#.", "..#..", ".#...", ".#...", ".#...", "..#..", "...#."}},
    {')', {".#...", "..#..", "...#.", "...#.", "...#.", "..#..", ".#..."}},
    {'/', {"....#", "....#", "...#.", "..#..", ".#...", "#....", "#...."}},
    {'#', {".#.#.", ".#.#.", "#####", ".#.#.", "#####", ".#.#.", ".#.#."}},
};

struct fonttable {
  uint8_t rows[128][7];
  uint8_t defined[128];
};

static const fonttable& font() {
  static const fonttable f = [] {
    fonttable t{};
    for (const glyphart& g : font_art) {
      int c = (unsigned char)g.c;
      t.defined[c] = 1;
      for (int r = 0; r < 7; r++)
        for (int k = 0; k < 5; k++)
          if (g.rows[r][k] == '#') t.rows[c][r] |= (uint8_t)(0x10 >> k);
    }
    return t;
  }();
  return f;
}

const uint8_t* font_glyph(char character) {
  unsigned c = (unsigned char)character;
  if (c >= 128 || !font().defined[c]) return nullptr;
  return font().rows[c];
}

// One 5 x 7 cell; with erase the unlit pixels become 11.
static void let(int x, int y, int color, int erase, const uint8_t* rows) {
  for (int r = 0; r < 7; r++)
    for (int k = 0; k < 5; k++) {
      if (rows[r] & (0x10 >> k))
        put("plot_letter", x + k, y + r, color);
      else if (erase)
        put("plot_letter", x + k, y + r, 11);
    }
}

void plot_number(int x, int y, int color, int erase, int value) {
  require_lock("(final digit-drawing)");
  if (value < 0 || value > 9) return;
  let(x, y, color, erase, font_glyph((char)('0' + value)));
}

void plot_letter(int x, int y, int color, int erase, char character) {
  require_lock("(GPS ID letter-drawing)");
  const uint8_t* g = font_glyph(character);
  if (g) let(x, y, color, erase, g);
}

void HS_plot_string(int x, int y, int color, const char* text, int right_edge, int wrap) {
  if (!text) return;
  int n = (int)strnlen(text, STR_DIM);
  int pen = x, breaking = 0;
  for (int i = 0; i < n; i++) {
    if (text[i] == ' ') {
      breaking = 0;
    } else if (breaking) {
      if (pen + 6 > right_edge) {
        pen = x;
        y += 10;
      }
    } else {
      int rest = 0;
      while (i + rest < n && text[i + rest] != ' ') rest++;
      if (pen + 6 * rest > right_edge) {
        if (!wrap) return;
        if (pen > x) {
          pen = x;
          y += 10;
        }
        // A word longer than a whole line is broken where each line ends,
        // rather than put one letter to a line.
        if (pen + 6 * rest > right_edge) {
          if (pen + 6 > right_edge) return;
          breaking = 1;
        }
      }
    }
    plot_letter(pen, y, color, 0, text[i]);
    pen += 6;
  }
}

int open_strip(int x, int y, int dx, int dy, int* px, int* py) {
  *px = x;
  *py = y;
  if (locked) {
    MACIBM_fillrect(11, x, y, dx - 1, dy - 1);
    return 0;
  }
  MACIBM_startsurf3(x, y, dx, dy, 11, px, py, 1);
  return 1;
}

void close_strip(int through_surf3) {
  if (through_surf3) MACIBM_finishsurf3();
}

// n characters at a 10-pixel pitch on a strip cleared to 11.
static void plot_nchar(int color, int x, int y, const char* text, int n) {
  int px, py, window = open_strip(x, y, 10 * n - 5, 7, &px, &py);
  for (int k = 0; k < n && text && text[k]; k++) plot_letter(px + 10 * k, py, color, 0, text[k]);
  close_strip(window);
}

void plot4char(int color, int x, int y, const char* text) { plot_nchar(color, x, y, text, 4); }
void plot6char(int color, int x, int y, const char* text) { plot_nchar(color, x, y, text, 6); }

char code_to_char(int code) {
  if (code >= 1 && code <= 10) return (char)('0' + code - 1);
  if (code >= 11 && code <= 36) return (char)('A' + code - 11);
  return ' ';
}

int char_to_code(char character) {
  if (character >= '0' && character <= '9') return character - '0' + 1;
  if (character >= 'A' && character <= 'Z') return character - 'A' + 11;
  return 0;
}

// Light edge top and left, dark edge bottom and right, split on the diagonal
// at the other two corners, round a 5 x 5 face.
void block(int x, int y, int lit) {
  int light = lit ? 12 : 15, face = lit ? 13 : 16, dark = lit ? 14 : 34;
  for (int r = 0; r < 9; r++)
    for (int c = 0; c < 9; c++) {
      int color = face;
      if (r < 2 || c < 2 || r > 6 || c > 6) color = ((r < 2 || c < 2) && r + c < 8) ? light : dark;
      MACIBM_hspoint(color, x + c, y + r);
    }
}
