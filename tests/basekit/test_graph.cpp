// The rasteriser, pixel for pixel against hand-made pictures, and the palette.
#include <cmath>
#include <set>
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/rel.h"
#include "sim/view/color_time.h"
#include "sim/view/scn.h"
#include "sim/view/startpic.h"
#include "tests/basekit/raster_fixture.h"

// ---------------------------------------------------------------- fixed point, spans

TEST(Fixed, DivisionRoundsToNearestThroughSixtyFourBits) {
  EXPECT_EQ(fixed_div(int2fix(1), int2fix(3)), 21845);   // 21845.33
  EXPECT_EQ(fixed_div(int2fix(2), int2fix(3)), 43691);   // 43690.67
  EXPECT_EQ(fixed_div(int2fix(-2), int2fix(3)), -43691);
  EXPECT_EQ(fixed_div(int2fix(2), int2fix(-3)), -43691);
  EXPECT_EQ(fixed_div(int2fix(600), int2fix(7)), 5617371);  // needs the wide intermediate
  EXPECT_EQ(fixed_div(int2fix(1), 0), INT32_MAX);
  EXPECT_EQ(fix2int(-1), -1);  // towards minus infinity
  EXPECT_EQ(fix2int(int2fix(-3) + 1), -3);
}

TEST(Memscan, AlignsWithBytesThenStoresWords) {
  // The word and the byte differ, so each stored position shows which store wrote it.
  const struct { int from, len; const char* row; } cases[] = {
      {1, 5, ".77777.................."},   // from one past a multiple of 4
      {1, 12, ".777999999997..........."},  // 3 bytes to the boundary, two words, one byte
      {4, 7, "....7777................"},   // four bytes or fewer go singly even when aligned
      {8, 8, "........7..............."}};
  for (const auto& c : cases) {
    alignas(16) uint8_t buf[24] = {};
    memscan(buf, c.from, c.len, 0x09090909u, 7);
    EXPECT_EQ(picture_of(buf, 24, 24, 1), std::string(c.row) + "\n") << c.from << " " << c.len;
  }
}

// ---------------------------------------------------------------- points, spans, lines, rectangles

TEST_F(RasterTest, PointsAndSpansIncludingNegativeLengths) {
  lock_surface(8, 5);
  MACIBM_hspoint(2, 7, 0);
  MACIBM_hshline(1, 2, 1, 4);
  MACIBM_hshline(3, 5, 3, -3);  // ends at x
  MACIBM_hsvline(4, 0, 0, 3);
  MACIBM_hsvline(5, 7, 4, -2);  // ends at y
  MACIBM_hshline(6, 0, 4, 0);   // nothing
  EXPECT_EQ(surface(), rows({"4......2",
                             "4.####..",
                             "4.......",
                             "...333.5",
                             ".......5"}));
}

TEST_F(RasterTest, LinesStepInFixedPointAndLeaveOutTheEndPoint) {
  lock_surface(10, 6);
  MACIBM_line(1, 0, 0, 5, 0);   // horizontal: 0..4
  MACIBM_line(2, 0, 1, 4, 5);   // 5 steps of 0.8: (0,1) twice, then (1,2) (2,3) (3,4)
  MACIBM_line(3, 9, 5, 5, 5);   // leftwards: 9..6
  MACIBM_line(4, 9, 0, 8, 4);   // steep: 4 steps of (-0.25, 1), x floors to 8 at once
  MACIBM_line(5, 6, 2, 6, 2);   // zero length: nothing, and no division by zero
  EXPECT_EQ(surface(), rows({"#####....4",
                             "2.......4.",
                             ".2......4.",
                             "..2.....4.",
                             "...2......",
                             "......3333"}));
}

TEST_F(RasterTest, WindowLineSetsItsEndPixelAndIsClipped) {
  make_window(6, 3);
  MACIBM_line(1, 1, 1, 4, 1);
  MACIBM_line(2, -3, 0, 20, 0);  // runs off both sides of the window
  MACIBM_line(3, 2, 2, 2, 2);    // zero length: the end pixel only
  EXPECT_EQ(window_picture(), rows({"222222",
                                    ".####.",
                                    "..3..."}));
}

TEST_F(RasterTest, ClippedLineKeepsThePartInsideTheClipRectangle) {
  lock_surface(10, 6);
  X_LFT = 2; X_RGT = 6; Y_TOP = 1; Y_BOT = 4;
  MACIBM_hsclippedline(1, 0, 2, 9, 2);    // clipped to x 2..6, then the end is left out
  MACIBM_hsclippedline(2, 4, -5, 4, 20);  // vertical: y 1..4, end left out
  MACIBM_hsclippedline(3, 0, 0, 9, 0);    // wholly above: nothing
  MACIBM_hsclippedline(4, 3, 4, 6, 4);    // inside: drawn as it is
  MACIBM_hsclippedline(5, 8, 0, 9, 5);    // wholly right: nothing
  EXPECT_EQ(surface(), rows({"..........",
                             "....2.....",
                             "..##2#....",
                             "....2.....",
                             "...444....",
                             ".........."}));
}

TEST_F(RasterTest, FrameAndFillRectanglesIncludeTheFarEdges) {
  lock_surface(12, 6);
  MACIBM_framerect(1, 1, 1, 4, 2);
  MACIBM_fillrect(2, 7, 1, 3, 2);
  MACIBM_fillrect(3, 11, 5, -2, -1);  // from the other corner
  EXPECT_EQ(surface(), rows({"............",
                             ".#####.2222.",
                             ".#...#.2222.",
                             ".#####.2222.",
                             ".........333",
                             ".........333"}));
}

// ---------------------------------------------------------------- triangles and fans

TEST_F(RasterTest, TriangleFillsRowsDownToButNotIncludingTheBottomVertex) {
  lock_surface(8, 6);
  // Flat top: long edge straight down, short edge with slope -1.5.
  MACIBM_poly3(1, 0, 0, 6, 0, 0, 4, 0);
  EXPECT_EQ(surface(), rows({"#######.",
                             "#####...",
                             "####....",
                             "##......",
                             "........",
                             "........"}));
  // Flat bottom: the bottom row is left unfilled.
  MACIBM_settogworld(0, 8, 6, 0);
  MACIBM_poly3(1, 3, 0, 0, 4, 6, 4, 1);
  EXPECT_EQ(surface(), rows({"...#....",
                             "..##....",
                             ".####...",
                             "######..",
                             "........",
                             "........"}));
  // Degenerate: one row, one column, one point draw nothing.
  MACIBM_settogworld(0, 8, 6, 0);
  MACIBM_poly3(1, 0, 2, 5, 2, 7, 2, 0);
  MACIBM_poly3(1, 3, 0, 3, 5, 3, 2, 0);
  MACIBM_poly3(1, 4, 4, 4, 4, 4, 4, 0);
  EXPECT_EQ(surface().find('#'), std::string::npos);
}

TEST_F(RasterTest, TriangleVertexOrderDoesNotMatter) {
  lock_surface(10, 8);
  MACIBM_poly3(1, 1, 1, 8, 3, 3, 7, 0);
  std::string first = surface();
  const int v[6][6] = {{1, 1, 3, 7, 8, 3}, {8, 3, 1, 1, 3, 7}, {8, 3, 3, 7, 1, 1},
                       {3, 7, 1, 1, 8, 3}, {3, 7, 8, 3, 1, 1}, {1, 1, 8, 3, 3, 7}};
  for (const auto& p : v) {
    MACIBM_settogworld(0, 10, 8, 0);
    MACIBM_poly3(1, p[0], p[1], p[2], p[3], p[4], p[5], 0);
    EXPECT_EQ(surface(), first);
  }
  EXPECT_NE(first.find('#'), std::string::npos);
}

TEST_F(RasterTest, FanOfPolyNCoversTheWholeOutline) {
  const int xs[9] = {0, 2, 4, 6, 6, 4, 2, 0, 3};
  const int ys[9] = {0, 0, 0, 0, 4, 4, 4, 4, 2};
  lock_surface(8, 5);
  MACIBM_polyN(1, xs, ys, 2, 0);  // one triangle, (0,0) (2,0) (4,0): a single row, nothing
  MACIBM_polyN(1, xs, ys, 1, 0);  // fewer than three vertices
  EXPECT_EQ(surface().find('#'), std::string::npos);
  MACIBM_polyN(1, xs, ys, 7, 0);  // eight vertices round a rectangle
  const std::string rect = rows({"#######.",
                                 "#######.",
                                 "#######.",
                                 "#######.",
                                 "........"});
  EXPECT_EQ(surface(), rect);
  MACIBM_settogworld(0, 8, 5, 0);
  MACIBM_poly4(1, 0, 0, 6, 0, 6, 4, 0, 4, 0);  // the fan of two triangles
  EXPECT_EQ(surface(), rect);

  MACIBM_settogworld(0, 8, 5, 0);
  MACIBM_polyN(1, xs, ys, 8, 0);  // nine vertices: more than the fan takes
  EXPECT_EQ(surface().find('#'), std::string::npos);
}

// ---------------------------------------------------------------- polygon clipping

TEST_F(RasterTest, TriangleCoveringTheClipRectangleBecomesItsFourCorners) {
  lock_surface(12, 8);
  X_LFT = 2; X_RGT = 9; Y_TOP = 1; Y_BOT = 6;
  MACIBM_clipped_poly3(1, -20, -20, 40, -20, -20, 40, 0);
  EXPECT_EQ(poly_vert_max, 3);
  const std::string clip_rect = surface();
  std::string want;
  for (int y = 0; y < 8; y++) want += y >= 1 && y <= 5 ? "..########..\n" : "............\n";
  EXPECT_EQ(clip_rect, want);
  // The same for a quadrilateral, given the other way round.
  MACIBM_settogworld(0, 12, 8, 0);
  MACIBM_clipped_poly4(1, -30, -30, -30, 30, 30, 30, 30, -30, 0);
  EXPECT_EQ(poly_vert_max, 3);
  EXPECT_EQ(surface(), clip_rect);
}

TEST_F(RasterTest, ClipperWalksRoundCornersWhicheverWayThePolygonRuns) {
  X_LFT = 0; X_RGT = 9; Y_TOP = 0; Y_BOT = 9;
  lock_surface(12, 12);
  // v0 inside; v1 and v2 right of the rectangle, so the edge v1-v2 is
  // wholly outside; leaving by the right edge and coming back by the bottom
  // walks round the bottom-right corner.
  MACIBM_clipped_poly3(1, 2, 5, 20, -5, 20, 20, 0);
  std::string clockwise = surface();
  EXPECT_EQ(clockwise[5 * 13 + 2], '#');   // v0
  EXPECT_EQ(clockwise[2 * 13 + 9], '#');   // along the right edge
  EXPECT_EQ(clockwise[8 * 13 + 9], '#');   // next to the walked corner
  EXPECT_EQ(clockwise[0], '.');            // the top-left stays empty
  EXPECT_EQ(clockwise[8 * 13 + 2], '.');
  EXPECT_EQ(clockwise[5 * 13 + 10], '.');  // nothing outside the clip rectangle
  MACIBM_settogworld(0, 12, 12, 0);
  MACIBM_clipped_poly3(1, 2, 5, 20, 20, 20, -5, 0);
  EXPECT_EQ(surface(), clockwise);
  // Round a corner from outside on two sides, both ways.
  MACIBM_settogworld(0, 12, 12, 0);
  MACIBM_clipped_poly4(2, 5, -4, 15, -4, 15, 5, 5, 5, 0);
  std::string corner = surface();
  MACIBM_settogworld(0, 12, 12, 0);
  MACIBM_clipped_poly4(2, 5, 5, 15, 5, 15, -4, 5, -4, 0);
  EXPECT_EQ(surface(), corner);
  std::string want;
  for (int y = 0; y < 12; y++) want += y < 5 ? ".....22222..\n" : "............\n";
  EXPECT_EQ(corner, want);
}

TEST_F(RasterTest, PolygonInsideIsDrawnUnclippedAndOneOutsideNotAtAll) {
  lock_surface(10, 8);
  X_LFT = 1; X_RGT = 8; Y_TOP = 1; Y_BOT = 6;
  poly_vert_max = 7;
  MACIBM_clipped_poly3(1, 1, 1, 6, 1, 1, 5, 0);
  EXPECT_EQ(poly_vert_max, 7);  // the scratch polygon is not used
  std::string inside = surface();
  MACIBM_settogworld(0, 10, 8, 0);
  MACIBM_poly3(1, 1, 1, 6, 1, 1, 5, 0);
  EXPECT_EQ(surface(), inside);

  MACIBM_settogworld(0, 10, 8, 0);
  MACIBM_clipped_poly3(1, 20, 20, 30, 20, 25, 30, 0);
  MACIBM_clipped_poly4(1, -9, -9, -2, -9, -2, -2, -9, -2, 0);
  EXPECT_EQ(poly_vert_max, -1);
  EXPECT_EQ(surface().find('#'), std::string::npos);
}

TEST_F(RasterTest, ClippedShapesNeverLeaveTheClipRectangle) {
  // Far-off and huge coordinates too: float error in the clipper must not
  // put a pixel outside, whatever the input.
  const int W = 64, H = 48;
  lock_surface(W, H, 0);
  X_LFT = 8; X_RGT = 55; Y_TOP = 6; Y_BOT = 41;
  unsigned seed = 7;
  auto next = [&seed](int lo, int hi) {
    seed = seed * 1103515245u + 12345u;
    return lo + (int)((seed >> 8) % (unsigned)(hi - lo + 1));
  };
  int drawn = 0;
  for (int i = 0; i < 3000; i++) {
    int range = i % 3 == 0 ? 100 : (i % 3 == 1 ? 2000 : 1000000);
    int v[8];
    for (int& c : v) c = next(-range, range) + (&c - v) % 2 * 24 + 32;
    if (i % 2)
      MACIBM_clipped_poly3(1, v[0], v[1], v[2], v[3], v[4], v[5], 0);
    else
      MACIBM_clipped_poly4(1, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], 0);
    MACIBM_hsclippedline(1, v[6], v[7], v[0], v[1]);
  }
  int r;
  uint8_t* p = gworld_pixels(0, &r, nullptr, nullptr);
  for (int y = 0; y < H; y++)
    for (int x = 0; x < W; x++) {
      int inside = x >= X_LFT && x <= X_RGT && y >= Y_TOP && y <= Y_BOT;
      if (!inside) {
        ASSERT_EQ(p[y * r + x], 0) << x << "," << y;
      }
      drawn += p[y * r + x] != 0;
    }
  EXPECT_GT(drawn, (X_RGT - X_LFT) * (Y_BOT - Y_TOP) / 2);
}

TEST(RangeClip, ParametersOfTheStretchInsideTheRange) {
  float a, b;
  thr_range_clip(-10, 10, 0, 5, &a, &b);
  EXPECT_FLOAT_EQ(a, 0.5f);
  EXPECT_FLOAT_EQ(b, 0.75f);
  thr_range_clip(10, -10, 0, 5, &a, &b);
  EXPECT_FLOAT_EQ(a, 0.25f);
  EXPECT_FLOAT_EQ(b, 0.5f);
  thr_range_clip(1, 4, 0, 5, &a, &b);
  EXPECT_FLOAT_EQ(a, 0.0f);
  EXPECT_FLOAT_EQ(b, 1.0f);
  thr_range_clip(7, 7, 0, 5, &a, &b);  // parallel and outside: no division by zero
  EXPECT_GE(a, b);
  thr_range_clip(3, 3, 0, 5, &a, &b);
  EXPECT_FLOAT_EQ(a, 0.0f);
  EXPECT_FLOAT_EQ(b, 1.0f);
}

// ---------------------------------------------------------------- surfaces and copies

TEST_F(RasterTest, CopyToPortIsColourKeyedOrOpaque) {
  lock_surface(4, 2, 11);
  MACIBM_hspoint(1, 0, 0);
  MACIBM_hspoint(2, 3, 1);
  make_window(6, 3, 5);
  MACIBM_copytoport(0, 1, 0, 0, 0, 4, 2, 0);
  EXPECT_EQ(locked, 0);
  EXPECT_EQ(window_picture(), rows({"5#5555",
                                    "555525",
                                    "555555"}));
  MACIBM_copytoport(0, 1, 1, 0, 0, 4, 2, 1);
  EXPECT_EQ(window_picture(), rows({"5#5555",
                                    "5#kkk5",
                                    "5kkk25"}));
}

TEST_F(RasterTest, CopyToPortClipsOnAllFourEdges) {
  lock_surface(4, 3, 0);
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 4; x++) MACIBM_hspoint(1 + x + 4 * y, x, y);  // values 1..12
  make_window(6, 4, 0);
  MACIBM_copytoport(0, -2, -1, 0, 0, 4, 3, 1);  // off the left and the top
  MACIBM_copytoport(0, 4, 2, 0, 0, 4, 3, 1);    // off the right and the bottom
  // 10, 11 and 12 show as K, k and M.
  EXPECT_EQ(window_picture(), rows({"78....",
                                    "kM....",
                                    "....#2",
                                    "....56"}));
  // A part of the source: (1,1)-(3,3) lands at (x + 1, y + 1).
  make_window(6, 4, 0);
  MACIBM_copytoport(0, 0, 0, 1, 1, 3, 3, 1);
  const std::string part = window_picture();
  EXPECT_EQ(part, rows({"......",
                        ".67...",
                        ".Kk...",
                        "......"}));
  // Wholly outside: nothing, and no fault.
  MACIBM_copytoport(0, 40, 0, 0, 0, 4, 3, 1);
  MACIBM_copytoport(0, -40, -40, 0, 0, 4, 3, 1);
  EXPECT_EQ(window_picture(), part);
}

TEST_F(RasterTest, HundredWideSurfaceAtColumn750CopiesFiftyColumns) {
  lock_surface(100, 2, 7);
  make_window(800, 3, 0);
  MACIBM_copytoport(0, 750, 0, 0, 0, 100, 2, 1);
  int copied = 0;
  for (int y = 0; y < 3; y++)
    for (int x = 0; x < 800; x++)
      if (window[(size_t)y * 800 + x] == 7) {
        copied++;
        EXPECT_GE(x, 750);
        EXPECT_LT(y, 2);
      }
  EXPECT_EQ(copied, 2 * 50);
}

TEST_F(RasterTest, SurfaceFillIsBoundedAndUnlockedDrawingNeedsAWindow) {
  lock_surface(4, 3, 0);
  MACIBM_settogworld(0, 100, 100, 6);  // more than the surface: only the surface
  EXPECT_EQ(surface(), rows({"6666", "6666", "6666"}));
  MACIBM_copytoport(0, 0, 0, 0, 0, 4, 3, 1);  // no window: nothing, unlocked
  EXPECT_EQ(locked, 0);
  MACIBM_hspoint(1, 0, 0);
  MACIBM_fillrect(1, 0, 0, 3, 2);
  MACIBM_poly3(1, 0, 0, 3, 0, 0, 2, 0);
  EXPECT_EQ(surface(), rows({"6666", "6666", "6666"}));
  // Disposing the locked surface unlocks; disposing a free one is harmless.
  MACIBM_settogworld(0, 4, 3, 6);
  MACIBM_disposegworld(0);
  EXPECT_EQ(locked, 0);
  MACIBM_disposegworld(0);
  EXPECT_EQ(gworld_pixels(0, nullptr, nullptr, nullptr), nullptr);
}

TEST_F(RasterTest, SurfaceThreeDrawsASmallItemIntoTheWindow) {
  make_window(8, 4, 5);
  int x = 4, y = 2;
  MACIBM_startsurf3(3, 1, 3, 2, 11, &x, &y, 0);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, 1);
  MACIBM_hspoint(1, x, y);
  MACIBM_finishsurf3();
  EXPECT_EQ(locked, 0);
  EXPECT_EQ(gw_inuse[2], 0);
  EXPECT_EQ(window_picture(), rows({"55555555",
                                    "55555555",
                                    "5555#555",
                                    "55555555"}));
}

TEST_F(RasterTest, SurfaceFaultsAreFatalWithTheirMessages) {
  EXPECT_EQ(fatal_text([] { MACIBM_initgworld(5, 10, 10); }), "Gworld index out of range!\n5\n\n");
  EXPECT_EQ(fatal_status, 1);
  MACIBM_initgworld(1, 10, 10);
  EXPECT_EQ(fatal_text([] { MACIBM_initgworld(1, 10, 10); }),
            "Trying to init a gworld that is already in use!\n1\n\n");
  EXPECT_EQ(fatal_text([] { MACIBM_settogworld(3, 10, 10, 0); }),
            "Trying to set to a gworld that is not in use!\n3\n\n");
  EXPECT_EQ(fatal_text([] { MACIBM_copytoport(4, 0, 0, 0, 0, 1, 1, 1); }),
            "Trying to copy from a gworld that is not in use!\n4\n\n");
  EXPECT_EQ(fatal_text([] { MACIBM_initgworld(3, 0, 10); }), "Can't create surface\n3\n\n");
  EXPECT_EQ(fatal_text([] { MACIBM_bitmap(0, 0, 31999); }), "Can't find resource bitmap!\n31999\n\n");
}

TEST_F(RasterTest, RangeChecksNameTheCallAndItsValues) {
  if (!BK_RANGE_CHECKS_ON) GTEST_SKIP() << "range checks are off in this build";
  lock_surface(8, 4);
  std::string text = fatal_text([] { MACIBM_hshline(1, 5, 1, 4); });
  EXPECT_NE(text.find("MACIBM_hshline"), std::string::npos) << text;
  EXPECT_NE(text.find("x 5 y 1 len 4"), std::string::npos) << text;
  EXPECT_NE(fatal_text([] { MACIBM_poly3(1, 0, 0, 9, 0, 0, 3, 0); }).find("MACIBM_poly3"), std::string::npos);
  EXPECT_NE(fatal_text([] { MACIBM_line(1, 0, 0, 0, 9); }).find("MACIBM_line"), std::string::npos);
}

// ---------------------------------------------------------------- window-only shapes

TEST_F(RasterTest, CirclesAndOvalsDrawOnlyIntoTheWindow) {
  lock_surface(7, 7);
  make_window(7, 7);
  locked = 1;
  MACIBM_framecircle(1, 3, 3, 3);
  MACIBM_fillcircle(1, 3, 3, 3);
  MACIBM_filloval(1, 3, 3, 3, 2);
  EXPECT_EQ(surface().find('#'), std::string::npos);
  EXPECT_EQ(window_picture().find('#'), std::string::npos);
  locked = 0;
  MACIBM_framecircle(1, 3, 3, 3);
  EXPECT_EQ(window_picture(), rows({"..###..",
                                    ".#...#.",
                                    "#.....#",
                                    "#.....#",
                                    "#.....#",
                                    ".#...#.",
                                    "..###.."}));
  make_window(7, 5);
  MACIBM_filloval(2, 3, 2, 3, 2);
  EXPECT_EQ(window_picture(), rows({"...2...",
                                    "2222222",
                                    "2222222",
                                    "2222222",
                                    "...2..."}));
}

TEST_F(RasterTest, ArcRunsClockwiseFromA1ToA2) {
  make_window(11, 11);
  MACIBM_arc(1, 5, 5, 4, 4, 30, 30);  // equal angles: nothing
  EXPECT_EQ(window_picture().find('#'), std::string::npos);
  MACIBM_arc(1, 5, 5, 4, 4, 0, 90);  // from the top round to the right
  for (int y = 0; y < 11; y++)
    for (int x = 0; x < 11; x++)
      if (window[(size_t)y * 11 + x]) {
        EXPECT_GE(x, 5) << x << "," << y;
        EXPECT_LE(y, 5) << x << "," << y;
      }
  EXPECT_EQ(window[1 * 11 + 5], 1);  // top
  EXPECT_EQ(window[5 * 11 + 9], 1);  // right
  make_window(11, 11);
  MACIBM_arc(1, 5, 5, 4, 4, 270, 360 + 90);  // wraps through the top
  EXPECT_EQ(window[5 * 11 + 1], 1);
  EXPECT_EQ(window[1 * 11 + 5], 1);
  EXPECT_EQ(window[5 * 11 + 9], 1);
  EXPECT_EQ(window[9 * 11 + 5], 0);
  make_window(11, 11);
  MACIBM_arc(1, 5, 5, 3, 4, 0, 360);  // the same end points: a whole ring
  EXPECT_EQ(window[9 * 11 + 5], 1);
  EXPECT_EQ(window[8 * 11 + 5], 1);
  EXPECT_EQ(window[5 * 11 + 5], 0);
}

// ---------------------------------------------------------------- strings and bitmaps

TEST_F(RasterTest, PanelStringGoesSevenRowsUpLockedOrNot) {
  lock_surface(14, 9);
  MACIBM_drstring(1, 1, 8, "I-", 5);
  std::string text = surface();
  EXPECT_EQ(text, rows({"..............",
                        "..###.........",
                        "...#..........",
                        "...#..........",
                        "...#...#####..",
                        "...#..........",
                        "...#..........",
                        "..###.........",
                        ".............."}));
  MACIBM_disposegworld(0);
  make_window(14, 9, 5);
  MACIBM_drstring(1, 1, 8, "I-", 5);  // through surface 3, colour-keyed: the window shows round it
  for (char& c : text) c = c == '.' ? '5' : c;
  EXPECT_EQ(window_picture(), text);
  EXPECT_EQ(locked, 0);
  MACIBM_drstring(1, 1, 8, "", 5);  // empty: nothing, and no empty surface
  MACIBM_drstring(1, 1, 8, "text", 4);  // system text does not touch the panel font path
  EXPECT_EQ(gw_inuse[2], 0);
}

TEST_F(RasterTest, SystemTextTopIsThirteenRowsUpAndTheFontStays) {
  if (plat_text_width(PLAT_FONT_SYSTEM, "Hi") == 0 || plat_text_width(PLAT_FONT_PROPORTIONAL, "Hi") == 0)
    GTEST_SKIP() << "no text font on this machine";
  make_window(120, 40);
  MACIBM_drstring(7, 4, 30, "Hi", 4);
  std::string system = window_picture();
  ASSERT_NE(system.find('7'), std::string::npos);
  EXPECT_GE((int)(system.find('7') / 121), 30 - 13);
  EXPECT_LT((int)(system.rfind('7') / 121), 30 - 13 + plat_font_height(PLAT_FONT_SYSTEM));
  make_window(120, 40);
  MACIBM_drstring(7, 4, 30, "Hi", 6);
  std::string proportional = window_picture();
  make_window(120, 40);
  MACIBM_drstring(7, 4, 30, "Hi", 0);  // keeps the proportional font
  EXPECT_EQ(window_picture(), proportional);
  MACIBM_drstring(7, 4, 30, "", 4);    // an empty string still chooses the font
  make_window(120, 40);
  MACIBM_drstring(7, 4, 30, "Hi", 1);
  EXPECT_EQ(window_picture(), system);
  // Locked: system text draws nothing, anywhere.
  make_window(120, 40);
  lock_surface(120, 40);
  MACIBM_drstring(7, 4, 30, "Hi", 4);
  EXPECT_EQ(window_picture().find('7'), std::string::npos);
  EXPECT_EQ(surface().find('7'), std::string::npos);
}

static int little_made = 0;
static void make_little(int dx, int dy) {
  little_made++;
  MACIBM_fillrect(2, 0, 0, dx - 1, dy - 1);
  MACIBM_hspoint(1, dx - 1, 0);
}

TEST_F(RasterTest, BitmapIsMadeOnceAndCopiedAtItsOwnSize) {
  ASSERT_EQ(register_bitmap(700, 3, 2, make_little), 1);
  lock_surface(4, 4, 0, 1);
  little_made = 0;
  MACIBM_bitmap(0, 0, 700);  // locked: nothing, not even made
  EXPECT_EQ(little_made, 0);
  int dx, dy;
  const uint8_t* p = bitmap_pixels(700, &dx, &dy);  // made while a surface is locked
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(little_made, 1);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(pix, gworld_pixels(1, nullptr, nullptr, nullptr));
  EXPECT_EQ(surface(1), rows({"....", "....", "....", "...."}));
  MACIBM_copytoport(1, 0, 0, 0, 0, 4, 4, 1);
  make_window(5, 3);
  MACIBM_bitmap(1, 1, 700);
  MACIBM_bitmap(3, -1, 700);  // clipped at the top and the right
  EXPECT_EQ(little_made, 1);
  EXPECT_EQ(window_picture(), rows({"...22",
                                    ".22#.",
                                    ".222."}));
  EXPECT_EQ(register_bitmap(701, 0, 5, make_little), 0);
  EXPECT_EQ(bitmap_pixels(702, nullptr, nullptr), nullptr);
}

TEST(Dib, HeaderColourCountsAndBits) {
  uint8_t info[1100] = {40};
  info[14] = 8;
  EXPECT_EQ(DIBNumColors(info), 256);
  EXPECT_EQ(PaletteSize(info), 1024);
  EXPECT_EQ(FindDIBBits(info), info + 40 + 1024);
  info[32] = 16;  // colours used
  EXPECT_EQ(DIBNumColors(info), 16);
  EXPECT_EQ(PaletteSize(info), 64);
  info[32] = 0;
  info[14] = 24;
  EXPECT_EQ(DIBNumColors(info), 0);
  uint8_t core[64] = {12};
  core[10] = 4;
  EXPECT_EQ(DIBNumColors(core), 16);
  EXPECT_EQ(PaletteSize(core), 48);
  EXPECT_EQ(FindDIBBits(core), core + 12 + 48);
}

TEST_F(RasterTest, StartupPictureUsesStartupColoursAndLeavesTheBarTrackDark) {
  register_startup_picture();
  int dx, dy;
  const uint8_t* p = bitmap_pixels(STARTUP_PICTURE_ID, &dx, &dy);
  ASSERT_NE(p, nullptr);
  ASSERT_EQ(dx, 800);
  ASSERT_EQ(dy, 580);
  std::set<int> allowed = {48, 54, 56, 57, 58};
  for (int i = 59; i <= 88; i++) allowed.insert(i);
  for (int i = 228; i <= 245; i++) allowed.insert(i);
  int white_title = 0;
  for (int y = 0; y < dy; y++)
    for (int x = 0; x < dx; x++) {
      int v = p[y * dx + x];
      ASSERT_TRUE(allowed.count(v)) << "index " << v << " at " << x << "," << y;
      if (v == 57 && y < 160) white_title++;
    }
  EXPECT_GT(white_title, 2000);
  // Where the bar's 3 x 5 steps go, and one pixel round them, is plain dark.
  for (int y = 538; y <= 548; y++)
    for (int x = 56; x <= 277; x++) ASSERT_EQ(p[y * dx + x], 56) << x << "," << y;
  // It reaches the main window whole.
  make_window(800, 580, 0);
  draw_startup_picture();
  EXPECT_EQ(std::memcmp(window.data(), p, window.size()), 0);
}

// ---------------------------------------------------------------- palette

struct PaletteTest : RasterTest {
  void SetUp() override {
    RasterTest::SetUp();
    scn = scenerystruct{};
    rel = relstruct{};
    pln = planestruct{};
  }
  void TearDown() override {
    scn = scenerystruct{};
    rel = relstruct{};
    pln = planestruct{};
    RasterTest::TearDown();
  }
  static palentry at(int index) { return pe[index - 11]; }
};

#define EXPECT_RGB(e, R, G, B)     \
  do {                             \
    palentry e_ = (e);             \
    EXPECT_EQ(e_.r, R);            \
    EXPECT_EQ(e_.g, G);            \
    EXPECT_EQ(e_.b, B);            \
  } while (0)

TEST_F(PaletteTest, AssignedColoursAreRoundedBytesOfTheFractions) {
  MACIBM_assigncolor(100, 0.5f, 0.25f, 1.0f);
  EXPECT_RGB(at(100), 128, 64, 255);
  MACIBM_assigncolor(100, -0.5f, 2.0f, std::nan(""));
  EXPECT_RGB(at(100), 0, 255, 0);
  palentry before = pe[0];
  MACIBM_assigncolor(10, 1, 1, 1);   // not the program's
  MACIBM_assigncolor(246, 1, 1, 1);
  EXPECT_RGB(pe[0], before.r, before.g, before.b);
  // Without the simulator's hook (the editor) colours are not dimmed.
  scn.time = 4;
  scn.lamp = 1;
  MACIBM_assigncolor(12, 0.2f, 0.8f, 0.2f);
  EXPECT_RGB(at(12), 51, 204, 51);
}

TEST_F(PaletteTest, StartupColoursAndTheScreenPalette) {
  set_xsys_colors();
  set_startup_colors();
  EXPECT_RGB(at(55), 255, 255, 255);  // the fixed colours below stay
  for (int i = 59; i < 88; i++) EXPECT_LT(at(i).g, at(i + 1).g) << i;  // ramps run dark to light
  for (int i = 228; i < 245; i++) EXPECT_LT(at(i).b, at(i + 1).b) << i;
  // Only the program's entries reach the screen; the desktop keeps 0-10 and 246-255.
  plat_set_palette_entry(10, 1, 2, 3);
  plat_set_palette_entry(246, 4, 5, 6);
  MACIBM_apply_palette();
  uint8_t r, g, b;
  plat_get_palette_entry(12, &r, &g, &b);
  EXPECT_EQ(r * 1000 + g, 51204);
  plat_get_palette_entry(245, &r, &g, &b);
  EXPECT_EQ(r, at(245).r);
  EXPECT_EQ(b, at(245).b);
  plat_get_palette_entry(10, &r, &g, &b);
  EXPECT_EQ(r + g + b, 6);
  plat_get_palette_entry(246, &r, &g, &b);
  EXPECT_EQ(r + g + b, 15);
}

// Day, dusk and night dim the interface colours (never above 0.99, 53 and up
// untouched); cockpit lights at night follow the panel type (pure green
// becomes red of the same brightness); light amplification shows brightness
// in green, 0.8^0.4 x 0.6 = 0.5488 of the brightness before the night's
// dimming, without the 0.6 for the view's own colours.
TEST_F(PaletteTest, TimeOfDayCockpitLightsAndLightAmplification) {
  hok.change_colors_for_time = sim_change_colors_for_time;
  const struct { int time, clights, paneltype, lamp, index; float r, g, b; int R, G, B; } cases[] = {
      {1, 0, 0, 0, 33, 1, 1, 1, 252, 252, 252},         {1, 0, 0, 0, 55, 1, 1, 1, 255, 255, 255},
      {2, 0, 0, 0, 12, .2f, .8f, .2f, 46, 184, 46},    {3, 0, 0, 0, 12, .2f, .8f, .2f, 31, 122, 31},
      {3, 1, 0, 0, 12, .2f, .8f, .2f, 51, 143, 36},    {4, 0, 0, 0, 12, .2f, .8f, .2f, 5, 20, 5},
      {4, 0, 0, 0, 53, .4f, 1, .6f, 102, 255, 153},    {4, 1, 1, 0, 13, 0, .6667f, 0, 170, 0, 0},
      {4, 1, 1, 0, 12, .2f, .8f, .2f, 204, 0, 0},      {4, 1, 2, 0, 12, .2f, .8f, .2f, 41, 122, 31},
      {4, 1, 0, 0, 12, .2f, .8f, .2f, 51, 204, 51},    {1, 0, 0, 1, 12, .2f, .8f, .2f, 0, 140, 0},
      {4, 0, 0, 1, 12, .2f, .8f, .2f, 0, 140, 0},      {4, 0, 0, 1, 100, .3f, .1f, 0, 0, 158, 0},
      {4, 0, 0, 1, 60, 1, .4f, 0, 0, 252, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "time " << c.time << " lights " << c.clights << " panel " << c.paneltype
                                    << " lamp " << c.lamp << " index " << c.index);
    scn.time = c.time;
    rel.clights = c.clights;
    pln.paneltype = c.paneltype;
    scn.lamp = c.lamp;
    MACIBM_assigncolor(c.index, c.r, c.g, c.b);
    EXPECT_RGB(at(c.index), c.R, c.G, c.B);
  }
}
