// Lights and sky: the thinning by distance, the pulse, the glide-path lights,
// the colours that change with the end the aircraft comes from, and what a
// pilot sees at night on final and over the desert.
#include <cmath>
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/view/startscn.h"
#include "sim/world/genwrld2.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"

namespace {
const float D2R = 0.017453292519943295f;

class Lights : public ::testing::Test {
 protected:
  void SetUp() override { view_start(); }
  // The pixel a runway light projects to; false when it does not show.
  static bool light_pixel(int k, int r, int* sx, int* sy) {
    float x, y, z;
    xfrm_SCENE(rwy.rwayx[k][r] - con.VIEW_loc_x, rwy.rwayy[k][r] - con.VIEW_loc_y, rwy.rwayz[k][r] - con.VIEW_loc_z,
               &x, &y, &z);
    return y > 3 && find_pxy(x, y, z, sx, sy);
  }
  static int light_color(int k, int r) {
    int sx, sy;
    return light_pixel(k, r, &sx, &sy) ? view_pixel(sx, sy) : -1;
  }
};

TEST_F(Lights, FarLightsThinOutByTheirIndex) {
  atm.vis1_lite = 1000, atm.vis2_lite = 2000, atm.vis3_lite = 3000;
  EXPECT_FALSE(show_light(2.9f, 2));                  // nearer than 3 m
  EXPECT_TRUE(show_light(999, 7));
  EXPECT_FALSE(show_light(1000, 7));                  // exactly at vis1_lite: odd hidden
  EXPECT_TRUE(show_light(1000, 6));                   // even shown
  EXPECT_TRUE(show_light(2500, 16));                  // between vis2 and vis3: multiples of 8
  EXPECT_FALSE(show_light(2500, 6));
  EXPECT_FALSE(show_light(3000, 8));                  // beyond vis3 none
  EXPECT_FALSE(show_light(NAN, 8));
}

TEST_F(Lights, TheObstructionLightFlashesAndIsDarkHalfTheCycle) {
  const int expect[12] = {35, 35, 21, 20, 19, 18, 36, 18, 19, 20, 21, 35};
  for (int p = 0; p < 25; p++) {
    scn.rb_cycle = p;
    EXPECT_EQ(pulse_color(0), p < 12 ? expect[p] : 11) << p;
    scn.rb_cycle = 0;
    EXPECT_EQ(pulse_color(p + 50), p < 12 ? expect[p] : 11) << p;  // the offset is a phase
  }
}

TEST_F(Lights, TheCycleRunsOnTheClockWhateverTheFrameRate) {
  auto cycle_after_one_second = [](float prd) {
    msc.prd = prd;
    scn.view_time = 0;
    for (int k = 0; k < (int)std::lround(1 / prd); k++) view_draw();
    return scn.rb_cycle;
  };
  // A second's steps, give or take the rounding of the frame times' sum.
  EXPECT_NEAR(cycle_after_one_second(0.05f), RB_RATE, 1);
  EXPECT_NEAR(cycle_after_one_second(0.01f), RB_RATE, 1);
}

TEST_F(Lights, VasiAndPapiFollowTheGlideAngle) {
  int c[4];
  vasi_colors(2, 3.5f, c);  // on the upper path: both bars white
  EXPECT_EQ(c[0], LITE_WHITE);
  EXPECT_EQ(c[2], LITE_WHITE);
  vasi_colors(2, 3.0f, c);  // far bar red, near bar white
  EXPECT_EQ(c[0], LITE_RED);
  EXPECT_EQ(c[1], LITE_RED);
  EXPECT_EQ(c[2], LITE_WHITE);
  vasi_colors(2, 2.0f, c);
  EXPECT_EQ(c[3], LITE_RED);
  const float steps[4] = {2.6f, 2.9f, 3.1f, 3.4f};
  for (int k = 0; k < 4; k++) {
    vasi_colors(3, steps[k], c);
    for (int q = 0; q < 4; q++) EXPECT_EQ(c[q], q <= k ? LITE_WHITE : LITE_RED) << k << " " << q;
    vasi_colors(3, steps[k] - 0.01f, c);
    EXPECT_EQ(c[k], LITE_RED);
  }
  vasi_colors(1, 3, c);
  EXPECT_EQ(c[0], 0);
}

// Looking straight down on runway 0 of the local airport from 2500 m, every
// light on its own pixel: which end the aircraft comes to decides the colours.
TEST_F(Lights, TheEndApproachedSwapsAmberAndWhiteAndTheThresholdColours) {
  view_conditions(4, 20, 0, VIEW_NOHUD);
  view_draw();  // builds the local airport
  int r = 0;
  ASSERT_GT(env.rwaymax1[r], 10);
  ASSERT_GE(env.amber1[r], 0) << "the runway has a caution zone";
  int saved_rwy = env.lgt_rwy[r][0], saved_app = env.lgt_app[r][0];
  env.lgt_rwy[r][0] = 4;  // edges, threshold and centre line
  env.lgt_app[r][0] = 1;
  float cx = 0.5f * (rwy.rwayx[0][r] + rwy.rwayx[env.rwaymax1[r] - 1][r]);
  float cy = 0.5f * (rwy.rwayy[0][r] + rwy.rwayy[env.rwaymax1[r] - 1][r]);
  for (int s = 0; s < 2; s++) {
    view_eye(cx, cy, rwy.rwayz[0][r] + 2500, 0, -90, 0);
    view_canvas(11);
    scn.straightin[r] = s;
    plotrunwaylights(r, 0);
    int far_part = s ? LITE_AMBER : LITE_RWY_WHITE;  // the last lights, by the first end
    // (The end lights stand beside the threshold bars, on their pixels.)
    EXPECT_EQ(light_color(1, r), s ? LITE_RWY_WHITE : LITE_AMBER) << s;
    EXPECT_EQ(light_color(env.amber1[r], r), s ? LITE_RWY_WHITE : LITE_AMBER) << s;
    EXPECT_EQ(light_color(env.amber1[r] + 1, r), LITE_RWY_WHITE) << s;
    EXPECT_EQ(light_color(env.rwaymax1[r] - 2, r), far_part) << s;
    EXPECT_EQ(light_color(LGT_EDGE_B + 1, r), s ? LITE_RWY_WHITE : LITE_AMBER) << s;
    // The bar at the end the aircraft comes to is green, the far one red.
    EXPECT_EQ(light_color(LGT_THR_2, r), s ? LITE_GREEN : LITE_RED) << s;
    EXPECT_EQ(light_color(LGT_THR_1, r), s ? LITE_RED : LITE_GREEN) << s;
    // Centre line: red at the end of the roll.
    EXPECT_EQ(light_color(s ? env.RCLSmax[r] : LGT_CENTRE, r), LITE_RED) << s;
    EXPECT_EQ(light_color(s ? LGT_CENTRE : env.RCLSmax[r], r), LITE_RWY_WHITE) << s;
  }
  env.lgt_rwy[r][0] = saved_rwy;
  env.lgt_app[r][0] = saved_app;
}

TEST_F(Lights, StraightInFollowsTheGroundTrack) {
  view_draw();
  int a = msc.loc_index;
  float h = (float)apt_hdng[a][0] * D2R;
  flt.vx = 50 * std::sin(h), flt.vy = 50 * std::cos(h);
  flt.psi = apt_hdng[a][0] + 180.0f;  // pointing backwards, yet moving along the runway
  set_straightin();
  EXPECT_EQ(scn.straightin[0], 0);
  flt.vx = -flt.vx, flt.vy = -flt.vy;
  set_straightin();
  EXPECT_EQ(scn.straightin[0], 1);
  flt.vx = flt.vy = 0;  // at rest, the nose decides
  set_straightin();
  EXPECT_EQ(scn.straightin[0], 1);
}

// At night on a 3 nm final into KSBD, zoomed on the runway: approach,
// runway and glide-path lights, the PAPI showing its colours.
TEST_F(Lights, KsbdAtNightOnAThreeMileFinal) {
  place_over_airport(msc.loc_index, 3 * 1852 * std::tan(3.0f * D2R));
  flt.the = -3;
  view_conditions(4, 20, 0, VIEW_NOHUD);
  set_mon(-1, 6);
  view_draw();
  int saved_gls = env.lgt_gls[0][0], saved_app = env.lgt_app[0][0];
  env.lgt_gls[0][0] = 3;  // a PAPI
  env.lgt_app[0][0] = 5;  // the full approach lights
  view_draw();
  EXPECT_GT(view_count(LITE_RWY_WHITE), 30);  // edge and approach lights
  EXPECT_GT(view_count(LITE_WHITE) + view_count(LITE_RED), 20);
  // The runway's glide-path lights as the pilot sees them.
  int r = 0, seen = 0;
  for (int k = LGT_VASI; k < LGT_VASI + 4; k++) {
    int sx, sy;
    if (!rwy.rwayuse[k][r] || !light_pixel(k, r, &sx, &sy)) continue;
    int c = view_pixel(sx, sy);
    EXPECT_TRUE(c == LITE_WHITE || c == LITE_RED) << k << " " << c;
    seen++;
  }
  EXPECT_EQ(seen, 4);
  EXPECT_FALSE(view_shot("night_final_ksbd.png").empty());
  env.lgt_gls[0][0] = saved_gls, env.lgt_app[0][0] = saved_app;
}

TEST_F(Lights, StarsAndTheMoonOverTheDesert) {
  place_over_airport(msc.loc_index, 300);
  view_conditions(4, 20, 0, VIEW_NOHUD);
  view_draw();
  // Above the horizon: the night sky's colour with stars in it.
  int stars = 0, sky = 0;
  for (int y = con.off_int_top; y < (int)con.off_view_center_fy - 40; y++)
    for (int x = 0; x < 800; x++) {
      int c = view_pixel(x, y);
      stars += c == LITE_WHITE || c == LITE_MOON;
      sky += c == 62;
    }
  EXPECT_GT(stars, 100);
  EXPECT_GT(sky, 100000);
  // By day none.
  view_conditions(1, 20, 0, VIEW_NOHUD);
  view_draw();
  EXPECT_EQ(view_count(LITE_MOON), 0);
  view_conditions(4, 20, 0, VIEW_NOHUD);
  view_draw();
  EXPECT_FALSE(view_shot("stars_desert.png").empty());
}
}  // namespace
