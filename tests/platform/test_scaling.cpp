// The picture in windows of every size: its rectangle, its shape, its
// place, and mouse positions back to virtual-screen pixels.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>
#include "basekit/platform/platform.h"

namespace {

struct size {
  int w, h;
};

// Window sizes from the smallest window to a 4K screen: a grid of odd steps
// and the sizes people have.
std::vector<size> window_sizes() {
  std::vector<size> s = {{400, 300},   {800, 600},   {640, 480},  {1024, 768}, {1280, 1024}, {1366, 768},
                         {1920, 1080}, {1920, 1200}, {2560, 1440}, {3840, 2160}, {1440, 1080}, {801, 601},
                         {1599, 1200}, {1600, 1199}, {400, 2160},  {3840, 300},  {533, 400},   {1201, 901}};
  for (int w = 400; w <= 3840; w += 173)
    for (int h = 300; h <= 2160; h += 131) s.push_back({w, h});
  return s;
}

std::string name(const size& s) { return std::to_string(s.w) + " x " + std::to_string(s.h); }

// Smooth or in whole factors only, the picture is inside the window and
// centred; smooth it is 4:3 to within a pixel's rounding and touches two
// opposite sides, in whole factors it is the largest that fits, or scaled
// down all the same when none does.
TEST(Picture, FillsEveryWindowKeepingItsShape) {
  for (int whole = 0; whole <= 1; whole++)
    for (const size& s : window_sizes()) {
      plat_rect r = plat_picture_rect(s.w, s.h, whole);
      std::string what = name(s) + (whole ? " whole: " : ": ") + std::to_string(r.w) + " x " + std::to_string(r.h);
      EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= s.w && r.y + r.h <= s.h) << what;
      EXPECT_LE(std::abs(r.x - (s.w - r.x - r.w)), 1) << what << ": borders left and right";
      EXPECT_LE(std::abs(r.y - (s.h - r.y - r.h)), 1) << what << ": borders above and below";
      int k = std::min(s.w / 800, s.h / 600);
      if (!whole || k < 1) {
        EXPECT_LE(std::abs(r.w * 3 - r.h * 4), 4) << what;
        EXPECT_TRUE(r.w == s.w || r.h == s.h) << what;
      } else {
        EXPECT_TRUE(r.w == 800 * k && r.h == 600 * k) << what;
      }
      EXPECT_EQ(plat_whole_factor(r), std::max(k, 1)) << what;  // the sharp stage of a smooth picture too
    }
  plat_rect r = plat_picture_rect(1920, 1080, 0);
  EXPECT_EQ(r.x, 240);
  EXPECT_EQ(r.w, 1440);
  EXPECT_EQ(r.h, 1080);
  r = plat_picture_rect(640, 480, 0);  // smaller than the screen: scaled down, not cropped
  EXPECT_EQ(r.w, 640);
  EXPECT_EQ(r.h, 480);
  EXPECT_EQ(plat_whole_factor(plat_picture_rect(3840, 2160, 0)), 3);
}

// The corners of the picture are the corners of the screen; every window
// pixel maps to a virtual pixel it shows part of, in order; when scaled up
// every virtual pixel is reached.
TEST(Picture, MousePositionsMapBackExactly) {
  for (int whole = 0; whole <= 1; whole++)
    for (const size& s : window_sizes()) {
      plat_rect r = plat_picture_rect(s.w, s.h, whole);
      const int corners[4][4] = {{r.x, r.y, 0, 0},
                                 {r.x + r.w - 1, r.y, 799, 0},
                                 {r.x, r.y + r.h - 1, 0, 599},
                                 {r.x + r.w - 1, r.y + r.h - 1, 799, 599}};
      for (const auto& c : corners) {
        int sx, sy;
        plat_window_to_screen(r, c[0], c[1], &sx, &sy);
        EXPECT_EQ(sx, c[2]) << name(s) << " corner " << c[0] << "," << c[1];
        EXPECT_EQ(sy, c[3]) << name(s) << " corner " << c[0] << "," << c[1];
      }
      // Outside the picture, on the borders: held to the screen's edge.
      int sx, sy;
      plat_window_to_screen(r, 0, 0, &sx, &sy);
      EXPECT_EQ(sx, 0);
      EXPECT_EQ(sy, 0);
      plat_window_to_screen(r, s.w - 1, s.h - 1, &sx, &sy);
      EXPECT_EQ(sx, 799);
      EXPECT_EQ(sy, 599);
      int last = -1;
      std::vector<int> reached(800, 0);
      for (int d = 0; d < r.w; d++) {
        plat_window_to_screen(r, r.x + d, r.y, &sx, &sy);
        // Virtual pixel sx covers window pixels sx*w/800 .. (sx+1)*w/800.
        EXPECT_LE((long)sx * r.w, (long)(d + 1) * 800) << name(s) << " x " << d;
        EXPECT_GE((long)(sx + 1) * r.w, (long)d * 800) << name(s) << " x " << d;
        EXPECT_GE(sx, last) << name(s) << " x " << d;
        last = sx;
        reached[sx] = 1;
      }
      if (r.w >= 800) {
        for (int v = 0; v < 800; v++) EXPECT_TRUE(reached[v]) << name(s) << ": pixel " << v << " unreachable";
      }
      if (HasFailure()) return;
    }
}

TEST(Picture, TheFirstWindowIsTheLargestThatFitsTheDesktop) {
  const struct {
    int uw, uh, w, h;
  } cases[] = {{1920, 1080, 1440, 1080}, {1920, 1050, 1400, 1050}, {1366, 740, 984, 738},
               {1280, 1024, 1280, 960},  {3840, 2160, 2880, 2160}, {800, 600, 800, 600},
               {300, 200, 400, 300}};
  for (const auto& c : cases) {
    int w, h;
    plat_first_window_size(c.uw, c.uh, &w, &h);
    EXPECT_EQ(w, c.w) << c.uw << " x " << c.uh;
    EXPECT_EQ(h, c.h) << c.uw << " x " << c.uh;
  }
}

}  // namespace

namespace {
// A screen of vertical stripes a pixel wide, black and white, and a palette.
struct striped {
  std::vector<uint8_t> screen = std::vector<uint8_t>(800 * 600);
  std::vector<uint32_t> palette = std::vector<uint32_t>(256, 0xFF000000u);
  striped() {
    palette[1] = 0xFFFFFFFFu;
    palette[2] = 0xFF204060u;
    for (int y = 0; y < 600; y++)
      for (int x = 0; x < 800; x++) screen[(size_t)y * 800 + x] = (uint8_t)(x & 1);
  }
};

int grey(uint32_t c) { return (int)(c & 0xFF); }

// At whole factors each virtual pixel becomes k x k picture pixels of its
// own colour, nothing blended.
TEST(PictureDrawing, WholeFactorsAreNearestNeighbour) {
  striped s;
  for (int k = 1; k <= 3; k++) {
    int w = 800 * k, h = 600 * k;
    std::vector<uint32_t> out((size_t)w * h);
    plat_scale_screen(s.screen.data(), s.palette.data(), out.data(), w * 4, w, h);
    for (int y : {0, h / 2, h - 1})
      for (int x = 0; x < w; x++)
        ASSERT_EQ(out[(size_t)y * w + x], s.palette[(x / k) & 1]) << "k " << k << " at " << x << "," << y;
  }
}

// Between whole factors a picture pixel inside one virtual pixel keeps its
// colour; one across an edge is a blend in proportion, so each row holds
// every stripe's colour pure somewhere.
TEST(PictureDrawing, BetweenWholeFactorsOnlyEdgesBlend) {
  striped s;
  int w = 1440, h = 1080;  // 1.8 times
  std::vector<uint32_t> out((size_t)w * h);
  plat_scale_screen(s.screen.data(), s.palette.data(), out.data(), w * 4, w, h);
  int pure = 0, blends = 0;
  for (int x = 0; x < w; x++) {
    // Picture pixel x covers [x / 1.8, (x + 1) / 1.8) of the virtual row.
    double a = x / 1.8, b = (x + 1) / 1.8;
    int first = (int)a, last = (int)(b - 1e-9);
    double white = 0;
    for (int v = first; v <= last; v++) white += ((v & 1) ? 1 : 0) * (std::min(b, v + 1.0) - std::max(a, (double)v));
    int want = (int)(255 * white / (b - a) + 0.5);
    int got = grey(out[(size_t)(h / 2) * w + x]);
    EXPECT_NEAR(got, want, 2) << "x " << x;
    if (first == last) pure++;
    else blends++;
    EXPECT_EQ(out[(size_t)(h / 2) * w + x] >> 24, 0xFFu);
  }
  EXPECT_GT(pure, 500);
  EXPECT_GT(blends, 500);
}

// Scaled down to half, a picture pixel is the average of the two stripes.
TEST(PictureDrawing, ScaledDownItAverages) {
  striped s;
  int w = 400, h = 300;
  std::vector<uint32_t> out((size_t)w * h);
  plat_scale_screen(s.screen.data(), s.palette.data(), out.data(), w * 4, w, h);
  for (int x = 0; x < w; x++) EXPECT_NEAR(grey(out[(size_t)150 * w + x]), 127, 1) << x;
}

// With the changed rows named, the rows showing unchanged ones are left alone.
TEST(PictureDrawing, OnlyChangedRowsAreRedrawn) {
  striped s;
  int w = 1600, h = 1200;
  std::vector<uint32_t> out((size_t)w * h, 0x12345678u);
  std::vector<uint8_t> changed(600, 0);
  changed[100] = 1;
  for (int x = 0; x < 800; x++) s.screen[(size_t)100 * 800 + x] = 2;
  plat_scale_screen(s.screen.data(), s.palette.data(), out.data(), w * 4, w, h, changed.data());
  EXPECT_EQ(out[(size_t)200 * w + 7], s.palette[2]);
  EXPECT_EQ(out[(size_t)201 * w + 1599], s.palette[2]);
  EXPECT_EQ(out[(size_t)199 * w + 7], 0x12345678u);
  EXPECT_EQ(out[(size_t)202 * w + 7], 0x12345678u);
}
}  // namespace
