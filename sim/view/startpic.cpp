#include "sim/view/startpic.h"
#include <cmath>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"

// Everything here uses the start-up colours: the purple-grey ramp 59-88, the
// blue-grey ramp 228-245, black 56, white 57, and the fixed yellows 48 and 54.
enum { SKY_LEVELS = 48, HORIZON = 470 };

static int sky_index(int level) { return level < 18 ? 228 + level : 59 + (level - 18); }

// Dusk: dark blue-grey overhead to the light purple-grey glow on the horizon,
// dithered between neighbouring levels.
static void draw_sky() {
  static const int bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  for (int y = 0; y < HORIZON; y++) {
    double f = std::pow((double)y / HORIZON, 1.5) * (SKY_LEVELS - 1);
    int level = flt_to_int(f), frac = flt_to_int((f - level) * 16.0);
    for (int x = 0; x < STARTUP_PICTURE_DX; x++) {
      int l = level + (frac > bayer[y & 3][x & 3] ? 1 : 0);
      MACIBM_hspoint(sky_index(l < SKY_LEVELS ? l : SKY_LEVELS - 1), x, y);
    }
  }
}

// A fixed little generator, so the stars and lights are the same every start
// and the program's random sequence is left alone.
static unsigned pic_seed = 12345;
static int pic_rand(int n) {
  pic_seed = pic_seed * 1103515245u + 12345u;
  return (int)((pic_seed >> 16) % (unsigned)n);
}

static void draw_stars() {
  for (int i = 0; i < 90; i++) {
    int x = pic_rand(STARTUP_PICTURE_DX), y = pic_rand(230);
    MACIBM_hspoint(y < 120 || pic_rand(2) ? 57 : 88, x, y);
  }
}

static void draw_ground() {
  for (int x = 0; x < STARTUP_PICTURE_DX; x++) {
    int far = HORIZON - 16 - flt_to_int(12 * std::sin(x * 0.011) + 7 * std::sin(x * 0.031 + 1.0));
    int near = HORIZON + 22 - flt_to_int(6 * std::sin(x * 0.007 + 2.0) + 4 * std::sin(x * 0.023));
    MACIBM_hsvline(229, x, far, near - far);
    MACIBM_hsvline(56, x, near, STARTUP_PICTURE_DY - near);
  }
  // Lights of a town on the plain.
  for (int i = 0; i < 80; i++) {
    int x = 300 + pic_rand(480), y = 505 + pic_rand(60);
    MACIBM_hspoint(pic_rand(3) ? 54 : 48, x, y);
  }
}

// ---- the aircraft: a high-wing single, side view, climbing ----

static const double plane_scale = 1.45, plane_climb = 7.0 * M_PI / 180.0;
static const int plane_x = 470, plane_y = 300;

static void place(double px, double py, int* x, int* y) {
  double c = std::cos(plane_climb), s = std::sin(plane_climb);
  *x = plane_x + flt_to_int(std::lround(plane_scale * (px * c + py * s)));
  *y = plane_y + flt_to_int(std::lround(plane_scale * (py * c - px * s)));
}

// A convex outline (up to 8 points) in the aircraft's own units.
static void plane_part(const double (*pts)[2], int n) {
  int xs[8], ys[8];
  for (int i = 0; i < n; i++) place(pts[i][0], pts[i][1], &xs[i], &ys[i]);
  MACIBM_polyN(56, xs, ys, n - 1, 0);
}

static void plane_wheel(double cx, double cy, double r) {
  double pts[8][2];
  for (int i = 0; i < 8; i++) {
    double a = (i + 0.5) * M_PI / 4.0;
    pts[i][0] = cx + r * std::cos(a);
    pts[i][1] = cy + r * std::sin(a);
  }
  plane_part(pts, 8);
}

static void draw_aircraft() {
  static const double cowling[5][2] = {{150, -2}, {140, -16}, {100, -20}, {100, 14}, {140, 8}};
  static const double cabin[6][2] = {{100, -20}, {72, -36}, {0, -36}, {-30, -28}, {-30, 13}, {100, 14}};
  static const double cone[4][2] = {{-30, -28}, {-165, -10}, {-165, -2}, {-30, 13}};
  static const double fin[4][2] = {{-122, -14}, {-152, -64}, {-174, -64}, {-167, -8}};
  static const double stab[4][2] = {{-128, -9}, {-190, -8}, {-190, -3}, {-128, -2}};
  static const double wing[6][2] = {{86, -37}, {74, -45}, {26, -47}, {-14, -41}, {-14, -36}, {86, -34}};
  static const double strut[4][2] = {{38, 10}, {30, -37}, {35, -37}, {43, 10}};
  static const double main_leg[4][2] = {{26, 12}, {40, 12}, {50, 40}, {44, 40}};
  static const double nose_leg[4][2] = {{118, 10}, {124, 10}, {128, 34}, {124, 34}};
  static const double spinner[3][2] = {{150, -9}, {163, -2}, {150, 5}};
  static const double blade[4][2] = {{152, -46}, {156, -46}, {156, 42}, {152, 42}};
  plane_part(cowling, 5);
  plane_part(cabin, 6);
  plane_part(cone, 4);
  plane_part(fin, 4);
  plane_part(stab, 4);
  plane_part(wing, 6);
  plane_part(strut, 4);
  plane_part(main_leg, 4);
  plane_part(nose_leg, 4);
  plane_part(spinner, 3);
  plane_part(blade, 4);
  plane_wheel(47, 42, 9);
  plane_wheel(126, 37, 7);
}

// ---- the title: the panel font's letters in large blocks ----

static void block_text(const char* text, int x, int y, int cell, int color) {
  for (int i = 0; text[i]; i++) {
    const uint8_t* g = font_glyph(text[i]);
    if (!g) continue;
    for (int r = 0; r < 7; r++)
      for (int k = 0; k < 5; k++)
        if (g[r] & (0x10 >> k))
          MACIBM_fillrect(color, x + i * 6 * cell + k * cell, y + r * cell, cell - 1, cell - 1);
  }
}

static void draw_title() {
  const int cell = 12, x = (STARTUP_PICTURE_DX - (6 * 6 - 1) * cell) / 2, y = 56;
  block_text("TARVEL", x + 4, y + 4, cell, 56);
  block_text("TARVEL", x, y, cell, 57);
  const char* sub = "FLIGHT SIMULATOR";
  int sx = (STARTUP_PICTURE_DX - (16 * 6 - 1) * 2) / 2;
  block_text(sub, sx, y + 7 * cell + 22, 2, 88);
}

// The progress bar's track: dark, with a light rim.
static void draw_bar_track() {
  MACIBM_framerect(85, 55, 537, 223, 12);
  MACIBM_fillrect(56, 56, 538, 221, 10);
}

static void generate_startup_picture(int dx, int dy) {
  (void)dx;
  (void)dy;
  pic_seed = 12345;
  draw_sky();
  draw_stars();
  draw_ground();
  draw_aircraft();
  draw_title();
  draw_bar_track();
}

void register_startup_picture() {
  static int registered = 0;
  if (!registered)
    registered = register_bitmap(STARTUP_PICTURE_ID, STARTUP_PICTURE_DX, STARTUP_PICTURE_DY, generate_startup_picture);
}

void draw_startup_picture() {
  register_startup_picture();
  MACIBM_bitmap(0, 0, STARTUP_PICTURE_ID);
}
