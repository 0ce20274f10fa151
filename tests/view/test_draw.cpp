// Distance haze and the palette's haze bands, the near plane, the whole-view
// fill and the subdivision of ground triangles and runway marks.
#include <cmath>
#include "sim/view/point.h"
#include "sim/view/poly3d.h"
#include "tests/view/view_fixture.h"
#include "sim/flight/atm.h"
#include "sim/set.h"
#include "sim/view/scn.h"

namespace {
class Draw : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    set.view_is_fullscreen = 1;
    set_mon(VIEW_NOHUD, 1);
    atm.vis1_grnd = 1000;
    atm.vis2_grnd = 10000;
    atm.vis_effective = 10000;
    drawing_cloud = 0;
    scn.poly_breakup = 0;
    scn.rway_breakup = 0;
    view_canvas(62);
  }
  // The lowest and highest view rows holding colour c in column x.
  void rows_of(int c, int x, int* top, int* bot) {
    *top = 10000, *bot = -1;
    for (int y = con.off_int_top; y < con.off_int_bot; y++)
      if (view_pixel(x, y) == c) {
        if (y < *top) *top = y;
        *bot = y;
      }
  }
};

TEST_F(Draw, HazeLevelsRiseWithMeanDepthAndEndAtTheFarLimit) {
  // Near limit 1000 m, far 10000 m: nine levels of 18 colours between.
  const struct { float depth; int shown, colour; } cases[] = {
      {1000, 1, 70}, {1001, 1, 88}, {5500, 1, 70 + 90}, {9999, 1, 70 + 162}, {10000, 0, -1}};
  for (auto k : cases) {
    int c = 70;
    EXPECT_EQ(haze_color(k.depth, &c), (bool)k.shown) << k.depth;
    if (k.shown) {
      EXPECT_EQ(c, k.colour) << k.depth;
    }
  }
  drawing_cloud = 1;  // clouds are never hazed
  int c = 200;
  EXPECT_TRUE(haze_color(50000, &c));
  EXPECT_EQ(c, 200);
  drawing_cloud = 0;
}

TEST_F(Draw, PaletteBandsBlendEachShadeTowardsTheFog) {
  view_conditions(1, 10, 0, VIEW_NOHUD);
  set_palette_for_conditions(0);
  // The repaint it asks for paints the window, not the locked view.
  EXPECT_EQ(view_pixel(10, 10), 62);
  EXPECT_EQ(view_pixel(799, 567), 62);
  auto entry = [](int i) { return pe[i - 11]; };
  // Level ground: green, lighter for the flat shade 0 than the steep shade 9.
  EXPECT_GT(entry(65).g, entry(65).r);
  EXPECT_GT(entry(65).g, entry(74).g);
  // Each band is nearer the sky (red 0.36) than the one before; band 9 is 10/11 of the way.
  for (int h = 1; h < 10; h++) EXPECT_GT(entry(74 + 18 * h).r, entry(74 + 18 * (h - 1)).r) << h;
  float r9 = 1.2f * 0.4f * 0.1f, sky_r = 0.36f;  // shade 9: a tenth of level ground
  EXPECT_NEAR(entry(74).r, 255 * (r9 + (sky_r - r9) / 11), 1.0);
  EXPECT_NEAR(entry(74 + 162).r, 255 * (r9 + (sky_r - r9) * 10 / 11), 1.0);
  EXPECT_GT(entry(79).b, entry(79).r);  // water
  // With clouds the fog is the cloud bottom grey.
  view_conditions(1, 10, 1, VIEW_NOHUD);
  set_palette_for_conditions(0);
  EXPECT_EQ(entry(65 + 162 + 17).r, entry(65 + 162 + 17).b);
  // Snow at 32 F: level ground is grey.
  atm.temp_SL = 30;
  set_palette_for_conditions(0);
  EXPECT_EQ(entry(65).r, entry(65).g);
  atm.temp_SL = 59;
  // Night is darker than day.
  scn.time = 4;
  set_palette_for_conditions(0);
  EXPECT_LT(entry(65).g, 40);
  EXPECT_EQ(scn.draw_lights, 1);
  // Above an overcast 65..245 is the top grey, twice as bright at the end (limited).
  scn.time = 1;
  scn.abovetops = 1;
  set_palette_for_conditions(0);
  EXPECT_LT(entry(65).r, entry(100).r);
  EXPECT_EQ(entry(245).r, 255);
  scn.abovetops = 0;
}

// A floor 1 m below the eye running from depth 1 m to 20 m straight ahead:
// only the part beyond 3 m is drawn, its nearest row that of depth 3 m.
TEST_F(Draw, TheNearPlaneCutsATriangleAtThreeMetres) {
  manage_poly3(70, -2, 1, -1, 0, 20, -1, 2, 1, -1, 1, 0);
  int top, bot;
  rows_of(70, 400, &top, &bot);
  ASSERT_GE(bot, 0);
  EXPECT_NEAR(bot, XFRM_y(-1.0f / 3), 1);
  EXPECT_NEAR(top, XFRM_y(-1.0f / 20), 1);
  EXPECT_EQ(view_pixel(400, XFRM_y(-1.0f / 3) + 3), 62);
  // Wholly nearer than 3 m: nothing.
  view_canvas(62);
  manage_poly3(70, -2, 1, -1, 0, 2.9f, -1, 2, 1, -1, 1, 1);
  EXPECT_EQ(view_count(70), 0);
  EXPECT_EQ(view_count(62), (con.off_int_rgt + 1) * (con.off_int_bot - con.off_int_top));
}

TEST_F(Draw, ClippingAtTheEdgesFillsWhatIsInsideTheView) {
  // A large wall 50 m ahead reaching past both sides and the top.
  manage_poly4(71, -500, 50, -10, -500, 50, 500, 500, 50, 500, 500, 50, -10, 1, 0);
  int top, bot;
  rows_of(71, 0, &top, &bot);
  EXPECT_EQ(top, con.off_int_top);
  EXPECT_NEAR(bot, XFRM_y(-10.0f / 50), 1);
  rows_of(71, 799, &top, &bot);
  EXPECT_EQ(top, con.off_int_top);
  EXPECT_EQ(view_pixel(400, con.off_int_bot - 1), 62);
}

// Looking straight down at a ground triangle larger than the view; then in
// thick fog, where the near triangles are cut in 24 and the view lies wholly
// inside one part, which must still fill it.
TEST_F(Draw, ALargeTriangleContainingTheViewFillsItEvenCutInParts) {
  int all = (con.off_int_rgt + 1) * (con.off_int_bot - con.off_int_top);
  auto draw = [](float eye_z, float x1, float size, int fill) {
    view_eye(0, 0, eye_z, 0, -90, 0);
    float x[3], y[3], z[3];
    const float wx[3] = {-size, x1, size}, wy[3] = {-size, size, -size};
    for (int k = 0; k < 3; k++) xfrm_SCENE(wx[k], wy[k], -eye_z, &x[k], &y[k], &z[k]);
    view_canvas(62);
    any_poly3_3D(66, x[0], y[0], z[0], x[1], y[1], z[1], x[2], y[2], z[2], 1, fill);
  };
  draw(10, 0, 5000, 1);
  EXPECT_EQ(view_count(66), all);
  draw(10, 0, 5000, 0);  // without the whole-view fill nothing reaches the view's edges
  EXPECT_EQ(view_count(66), 0);
  atm.vis1_grnd = 93;
  atm.vis2_grnd = 1389;
  scn.poly_breakup = 3;
  draw(5, 100, 3000, 1);
  EXPECT_EQ(view_count(62), 0);
  EXPECT_EQ(view_count_range(66, 66 + 18 * 9), all);
}

TEST_F(Draw, BackFacesAreNotDrawnAndNearTrianglesShowHazeBands) {
  // The same floor seen from below (its corners in the other order) is skipped.
  any_poly3_3D(70, 2, 1, -1, 0, 20, -1, -2, 1, -1, 1, 0);
  EXPECT_EQ(view_count(70), 0);
  any_poly3_3D(70, -2, 1, -1, 0, 20, -1, 2, 1, -1, 1, 0);
  EXPECT_GT(view_count(70), 0);
  // A long ground triangle, subdivided, takes several haze levels.
  atm.vis1_grnd = 100;
  atm.vis2_grnd = 3000;
  for (int breakup : {0, 3}) {
    view_canvas(62);
    scn.poly_breakup = breakup;
    any_poly3_3D(65, -500, 10, -5, 0, 2900, -5, 500, 10, -5, 1, 0);
    int levels = 0;
    for (int h = 0; h < 10; h++) levels += view_count(65 + 18 * h) > 0;
    EXPECT_TRUE(breakup ? levels >= 4 : levels == 1) << breakup << ": " << levels << " levels";
  }
}

// Drawn in strips (more the thicker the fog) a long mark shades with
// distance along its length.
TEST_F(Draw, RunwayMarksAreCutInStripsByVisibility) {
  atm.vis_effective = 20 * 1852;
  EXPECT_EQ(rway_strip_count(), 5);
  atm.vis_effective = 0.5f * 1852;
  EXPECT_EQ(rway_strip_count(), 40);
  atm.vis1_grnd = 93;
  atm.vis2_grnd = 1389;
  for (int breakup = 0; breakup <= 1; breakup++) {
    view_canvas(62);
    scn.rway_breakup = breakup;
    any_poly4_3D(82, -20, 5, -2, 20, 5, -2, 20, 1300, -2, -20, 1300, -2, 1, 0);
    int levels = 0;
    for (int h = 0; h < 10; h++) levels += view_count(82 + 18 * h) > 0;
    EXPECT_TRUE(breakup ? levels >= 4 : levels == 1) << breakup << ": " << levels << " levels";
  }
}

TEST_F(Draw, LinesAreCutAtTheNearPlaneAndTheViewEdges) {
  thr_line(55, 0, 1, -1, 0, 100, -1);  // from behind the near plane into the distance
  int top, bot;
  rows_of(55, 400, &top, &bot);
  ASSERT_GE(bot, 0);
  EXPECT_NEAR(bot, XFRM_y(-1.0f / 3), 1);
  thr_line(56, -1000, 10, 0, 1000, 10, 0);  // far across the view
  EXPECT_EQ(view_pixel(0, 284), 56);
  thr_line(57, 0, 1, 0, 0, 2, 5);  // wholly near
  EXPECT_EQ(view_count(57), 0);
}
}  // namespace
