// Storms, snow and rain in the view; the traffic; the head-up displays; the
// overlays and the camera when the aircraft is put elsewhere.
#include <cmath>
#include <cstring>
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/view/storm.h"
#include "sim/view/traffic.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"

namespace {
const float NM = 1852.0f;

class Weather : public ::testing::Test {
 protected:
  void SetUp() override { view_start(); }
  // A storm cell everywhere on the radar.
  static void storm_everywhere() {
    for (auto& row : atm.wxr)
      for (float& w : row) w = 1;
    atm.rain_tstm = 5;
  }
};

TEST_F(Weather, ABoltRunsDownToTheGroundInAtMostTwentyPoints) {
  for (int run = 0; run < 200; run++) {
    build_branch(0, 1000, 2000, 3000, 0);
    int n = atm.strike_size[0];
    ASSERT_GE(n, 2);
    ASSERT_LE(n, STRIKE_POINTS);
    EXPECT_EQ(atm.lightz[0][n - 1], 0.0f);
    EXPECT_EQ(atm.lightz[0][0], 3000.0f);
    for (int p = 1; p < n; p++) EXPECT_LE(atm.lightz[0][p], atm.lightz[0][p - 1]);
  }
  // One that strikes early ends there: the ground point once more, and no
  // more; one that would run on is put on the ground at its last point.
  int early = 0, late = 0;
  for (int run = 0; run < 300; run++) {
    build_branch(1, 0, 0, 3000, 100);
    int n = atm.strike_size[1];
    ASSERT_LE(n, STRIKE_POINTS);
    EXPECT_EQ(atm.lightz[1][n - 1], 100.0f);
    if (n < STRIKE_POINTS) {
      early++;
      EXPECT_EQ(atm.lightz[1][n - 2], 100.0f);
      EXPECT_EQ(atm.lightx[1][n - 1], atm.lightx[1][n - 2]);
    } else {
      late += atm.lightz[1][n - 2] > 100.0f;
    }
  }
  EXPECT_GT(early, 100);
  EXPECT_GT(late, 0);
}

TEST_F(Weather, StrikesComeWhereTheRadarShowsAStormAndAreForgottenAfterTwoMinutes) {
  atm.rain_tstm = 5;
  for (auto& row : atm.wxr)
    for (float& w : row) w = 0;
  int before = atm.strike_count;
  for (int k = 0; k < 20; k++) start_strike();
  EXPECT_EQ(atm.strike_count, before);  // the radar shows nothing
  storm_everywhere();
  msc.elap_time = 500;
  start_strike();
  ASSERT_EQ(atm.strike_count, before + 1);
  int slot = atm.strike_ring;
  EXPECT_FLOAT_EQ(atm.strike_t_exp[slot], 620);
  EXPECT_LE(std::fabs(atm.strike_x[slot] - (float)flt.x), 20 * NM);
  EXPECT_EQ(atm.strike_up, 1);
  EXPECT_GE(atm.i_strike, 0);
  EXPECT_LE(atm.i_strike, GRID_I - 2);
  // Its flash lasts 0.2..0.6 s, then the sky is as before.
  EXPECT_GE(atm.strike_duration, 0.2f);
  EXPECT_LE(atm.strike_duration, 0.6f);
  msc.elap_time = 500.7f;
  manage_strike();
  EXPECT_EQ(atm.strike_up, 0);
  EXPECT_EQ(atm.strike_lighting, 0);
  // Far off the region the radar is read at its edge, not beyond it.
  flt.x = -1e7, flt.y = 1e7;
  start_strike();
  EXPECT_EQ(atm.strike_count, before + 2);
}

TEST_F(Weather, AtFreezingNoLightningAndTheFlakesAreSnow) {
  storm_everywhere();
  atm.temp_SL = 32;
  int before = atm.strike_count;
  for (int k = 0; k < 20; k++) start_strike();
  EXPECT_EQ(atm.strike_count, before);
  atm.level = 4;
  const int snow[4] = {33, 31, 31, 55};
  for (int t = 1; t <= 4; t++) {
    view_conditions(t, 2, 0, VIEW_NOHUD);
    atm.rain_tstm = 5, atm.level = 4, atm.temp_SL = 32;
    view_draw();
    EXPECT_EQ(precip_count(), PRECIP - 1);
    EXPECT_GT(view_count(snow[t - 1]), 50) << t;
  }
  view_conditions(1, 2, 0, VIEW_NOHUD);
  atm.rain_tstm = 5, atm.level = 4, atm.temp_SL = 20;
  flt.av = 30;  // moving: the flakes stream past from the whole view
  for (int k = 0; k < 20; k++) view_draw();
  int low = 0;
  for (int y = (int)con.off_view_center_fy; y < con.off_int_bot; y++)
    for (int x = 0; x < 800; x++) low += view_pixel(x, y) == 33;
  EXPECT_GT(low, 30);
  EXPECT_GT(view_count(33), 200);
  EXPECT_FALSE(view_shot("snowfall.png").empty());
}

TEST_F(Weather, RainRunsOverTheWindshieldAsTheStormAndTheLayerSay) {
  view_conditions(1, 5, 0, VIEW_NOHUD);
  atm.temp_SL = 60;
  atm.rain_tstm = 3, atm.level = 2;  // half and half: rain_rat 0.5
  view_draw();
  EXPECT_NEAR(atm.rain_rat, 0.5f, 1e-4f);
  EXPECT_EQ(precip_count(), 200);
  atm.rain_tstm = 5, atm.level = 40;
  view_draw();
  EXPECT_EQ(precip_count(), PRECIP - 1);  // never past the last particle
  // Above the tops nothing falls on the windshield.
  view_conditions(1, 5, 1, VIEW_NOHUD);
  atm.rain_tstm = 5, atm.level = 4, atm.temp_SL = 60;
  atm.topsMSL = (float)flt.z - 100, atm.baseMSL = atm.topsMSL - 500;
  int seen = atm.strike_count;
  atm.rain_rat = -1;
  view_draw();
  EXPECT_EQ(atm.rain_rat, -1.0f);
  EXPECT_EQ(atm.strike_count, seen);
  // In a storm under the clouds at speed.
  view_conditions(1, 3, 0, VIEW_FORWARD);
  atm.rain_tstm = 4, atm.level = 3, atm.temp_SL = 60;
  flt.vind = 100;
  for (int k = 0; k < 10; k++) view_draw();
  EXPECT_GT(view_count(29), 300);
  EXPECT_FALSE(view_shot("rain_windshield.png").empty());
}

TEST_F(Weather, AThunderstormWithABoltAndTheSkyFlickering) {
  place_over_airport(msc.loc_index, 600);
  // A storm comes with its cloud: under a high overcast.
  view_conditions(3, 20, 1, VIEW_NOHUD);
  atm.baseMSL = (float)flt.z + 1500, atm.topsMSL = atm.baseMSL + 3000;
  view_draw();  // the local airport built, and the weather's limits with it
  storm_everywhere();
  atm.temp_SL = 70;
  // A bolt 3 nm ahead.
  float ahead = 3 * NM, sx = (float)flt.x + ahead * std::sin(flt.psi * 0.0174533f),
        sy = (float)flt.y + ahead * std::cos(flt.psi * 0.0174533f);
  float g;
  int i, j, t;
  find_local_h(sx, sy, &g, &i, &j, &t);
  build_branch(0, sx, sy, 3000, g);
  atm.num_branches = 0;
  atm.i_strike = i, atm.j_strike = j;
  atm.strike_up = 1;
  atm.strike_start_time = msc.elap_time;
  atm.strike_duration = 0.5f;
  view_draw();
  EXPECT_EQ(atm.strike_lighting, 1);
  EXPECT_EQ(scn.base_color, 55);  // the whole sky lit by the flash
  EXPECT_GT(view_count(59), 100);  // the bolt
  EXPECT_FALSE(view_shot("thunderstorm_bolt.png").empty());
  msc.elap_time += 0.06f;  // the next twentieth: dark again
  view_draw();
  EXPECT_EQ(atm.strike_lighting, 0);
  EXPECT_EQ(scn.base_color, 63);  // the cloud's underside
}

// ---- traffic ----

TEST_F(Weather, TrafficKeepsFiveHundredMetresAboveTheGroundAndComesBackAtThirtyMiles) {
  move_traffic();  // the flight's start makes all ten
  for (int k = 0; k < TRAFFIC; k++) {
    make_a_plane(k, 1);
    EXPECT_LE(pythag(traf_x[k][0] - (float)flt.x, traf_y[k][0] - (float)flt.y), 30 * NM + 1);
    int to_user = (int)std::lround(std::atan2((float)flt.x - traf_x[k][0], (float)flt.y - traf_y[k][0]) * 57.29578f);
    EXPECT_LE(std::fabs(fltwrap((float)(traf_h[k] - to_user), -180, 180)), 45.5f) << "heads for the user";
  }
  // Low over the highest ground near the user.
  float top = -1e9f;
  int ti = 0, tj = 0;
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++)
      if (planez[i][j] > top && pythag(planex[i][j] - (float)flt.x, planey[i][j] - (float)flt.y) < 25 * NM)
        top = planez[i][j], ti = i, tj = j;
  traf_x[0][0] = planex[ti][tj] + 1, traf_y[0][0] = planey[ti][tj] + 1, traf_z[0][0] = 0, traf_v[0] = 0;
  // One far away, another out of the region altogether.
  traf_x[1][0] = (float)flt.x + 31 * NM, traf_y[1][0] = (float)flt.y;
  traf_x[2][0] = planex[0][0] - 1e6f, traf_y[2][0] = -1e6f, traf_z[2][0] = 0;
  move_traffic();
  EXPECT_GE(traf_z[0][0], top + 500 - 0.01f);
  EXPECT_NEAR(pythag(traf_x[1][0] - (float)flt.x, traf_y[1][0] - (float)flt.y), 30 * NM, 60);
  EXPECT_NEAR(pythag(traf_x[2][0] - (float)flt.x, traf_y[2][0] - (float)flt.y), 30 * NM, 60);
  for (int k = 0; k < TRAFFIC; k++) {
    EXPECT_LE(pythag(traf_x[k][0] - (float)flt.x, traf_y[k][0] - (float)flt.y), 30 * NM + 60);
    // Wing tips 40 m apart, 2 m under the beacon; the tail 20 m behind.
    EXPECT_NEAR(pythag(traf_x[k][1] - traf_x[k][2], traf_y[k][1] - traf_y[k][2]), 40, 0.1f);
    EXPECT_NEAR(traf_z[k][0] - traf_z[k][3], 2, 0.05f);
  }
}

TEST_F(Weather, TrafficLightsAtNight) {
  view_conditions(4, 20, 0, VIEW_NOHUD);
  view_draw();
  // Three aircraft ahead in a row, 2 to 6 km out, 100 m above the eye.
  float s = std::sin(flt.psi * 0.0174533f), c = std::cos(flt.psi * 0.0174533f);
  for (int k = 0; k < TRAFFIC; k++) {
    float d = k < 3 ? 2000.0f + 2000 * k : 1e6f;
    for (int l = 0; l < 4; l++) {
      traf_x[k][l] = con.VIEW_loc_x + d * s + (l == 1 ? -20 * c : l == 2 ? 20 * c : 0) - (l == 3 ? 20 * s : 0);
      traf_y[k][l] = con.VIEW_loc_y + d * c + (l == 1 ? 20 * s : l == 2 ? -20 * s : 0) - (l == 3 ? 20 * c : 0);
      traf_z[k][l] = con.VIEW_loc_z + 100 - (l ? 2 : 0);
    }
  }
  scn.view_time = 0;  // the beacons lit
  msc.prd = 0.05f;
  view_draw();
  EXPECT_GE(view_count(LITE_RED), 3);
  EXPECT_GE(view_count(LITE_GREEN), 3);
  // The beacons pulse each in its own phase: a 2 x 2 block while lit.
  int lit = 0;
  for (int k = 0; k < 3; k++) {
    float x, y, z;
    int sx, sy;
    xfrm_SCENE(traf_x[k][0] - con.VIEW_loc_x, traf_y[k][0] - con.VIEW_loc_y, traf_z[k][0] - con.VIEW_loc_z, &x, &y, &z);
    ASSERT_TRUE(find_pxy(x, y, z, &sx, &sy));
    int c = pulse_color(k * 7);
    if (c == 11) continue;
    lit++;
    EXPECT_EQ(view_pixel(sx, sy), c);
    EXPECT_EQ(view_pixel(sx + 1, sy + 1), c);
  }
  EXPECT_GE(lit, 2);
  EXPECT_FALSE(view_shot("traffic_night.png").empty());
  // Beyond the lights' range nothing shows.
  for (int k = 0; k < 3; k++)
    for (int l = 0; l < 4; l++) traf_x[k][l] += 100 * NM * s, traf_y[k][l] += 100 * NM * c;
  scn.view_time = 0;
  view_draw();
  EXPECT_EQ(view_count(LITE_GREEN), 0);
  move_traffic();
}

// ---- head-up displays ----

TEST_F(Weather, TheHeadUpDisplayOnlyInTheViewsThatCarryIt) {
  EXPECT_EQ(hud_kinds(VIEW_HUD, 1, 0, 0), HUD_NORMAL);     // 625 always
  EXPECT_EQ(hud_kinds(VIEW_NOHUD, 2, 1, 1), 0);            // 626 never
  EXPECT_EQ(hud_kinds(VIEW_FORWARD, 1, 1, 0), 0);          // kind 1: only in 625
  EXPECT_EQ(hud_kinds(VIEW_FORWARD, 2, 1, 0), HUD_NORMAL);
  EXPECT_EQ(hud_kinds(VIEW_DOWN8, 2, 0, 0), 0);            // switched off
  EXPECT_EQ(hud_kinds(VIEW_DOWN4, 3, 1, 1), HUD_NORMAL | HUD_SYNTHETIC);
  EXPECT_EQ(hud_kinds(VIEW_FORWARD, 3, 0, 1), HUD_SYNTHETIC);
  for (int v : {VIEW_LEFT90, VIEW_BACK, VIEW_CHASE, VIEW_TOWER, VIEW_REPLAY}) EXPECT_EQ(hud_kinds(v, 3, 1, 1), 0) << v;
}

TEST_F(Weather, TheHeadUpDisplayInViewSixTwentyFive) {
  place_over_airport(msc.loc_index, 300);
  flt.vind = 110;
  flt.Alpha = 4;
  flt.Beta = 0;
  flt.h_ind = (float)flt.z;
  flt.magpsi = flt.psi;
  view_conditions(1, 20, 0, VIEW_NOHUD);
  view_draw();
  int without = view_count(57);
  view_conditions(1, 20, 0, VIEW_HUD);
  view_draw();
  int with = view_count(57) - without;
  EXPECT_GT(with, 400);
  // The boresight's cross at the centre, the flight-path marker's frame below it.
  int cx = (int)con.off_view_center_fx, cy = (int)con.off_view_center_fy;
  EXPECT_EQ(view_pixel(cx - 8, cy), 57);
  EXPECT_EQ(view_pixel(cx, cy - 8), 57);
  int fy = cy + (int)std::lround(std::tan(4 * 0.0174533f) * con.zom_pp45);
  EXPECT_EQ(view_pixel(cx - 2, fy - 2), 57);
  // Nothing of it beyond its box.
  for (int y = con.off_int_top; y < con.off_int_bot; y++) {
    EXPECT_NE(view_pixel(con.HUD_lft - 3, y), 57);
    EXPECT_NE(view_pixel(con.HUD_rgt + 3, y), 57);
  }
  EXPECT_FALSE(view_shot("hud_625.png").empty());
  // The synthetic-vision display draws the grid in its own colour.
  int type = pln.HUDtype;
  pln.HUDtype = 3;
  ins.HOOP_on = 1;
  view_conditions(1, 20, 0, VIEW_FORWARD);
  view_draw();
  EXPECT_GT(view_count(58), 200);
  pln.HUDtype = type;
}

// The ILS bars show where the localizer and the glide slope lie: the course
// to the right puts the bar right, the aircraft above the path puts it low.
TEST_F(Weather, TheHeadUpDisplaysIlsBarsWhereThePathLies) {
  place_over_airport(msc.loc_index, 300);
  flt.magpsi = flt.psi;
  nav.goodnav[1] = 1;
  nav.hdef[1] = 2;  // degrees: 48 pixels
  nav.vdef[1] = 1;  // 70 pixels
  view_conditions(1, 20, 0, VIEW_HUD);
  view_draw();
  int cx = (int)con.off_view_center_fx, by = (int)con.off_view_center_fy;
  auto col = [](int x, int y1, int y2) {
    int n = 0;
    for (int y = y1; y <= y2; y++) n += view_pixel(x, y) == 57;
    return n;
  };
  auto row = [](int y, int x1, int x2) {
    int n = 0;
    for (int x = x1; x <= x2; x++) n += view_pixel(x, y) == 57;
    return n;
  };
  EXPECT_EQ(col(cx + 48, by - 50, by - 30), 21);
  EXPECT_EQ(col(cx - 48, by - 50, by - 30), 0);
  EXPECT_EQ(row(by + 70, cx - 50, cx - 30), 21);
  EXPECT_EQ(row(by - 70, cx - 50, cx - 30), 0);
  nav.goodnav[1] = 0;  // nothing heard: no bars
  view_draw();
  EXPECT_EQ(col(cx + 48, by - 50, by - 30), 0);
}

// ---- overlays and the camera ----

TEST_F(Weather, TheSlipBallAsText) {
  char s[16];
  slip_string(0, 1000, s);
  EXPECT_STREQ(s, "   I o I   ");
  slip_string(1000, 1000, s);  // far to one side: the ball at the stop
  EXPECT_EQ(s[0], 'o');
  slip_string(-1000, 1000, s);
  EXPECT_EQ(s[10], 'o');
  slip_string(0, 0, s);  // no weight on anything: no division by nothing
  EXPECT_EQ(s[5], 'o');
}

TEST_F(Weather, TheOutsideCameraGoesWithTheAircraftWhenItIsPutElsewhere) {
  view_conditions(1, 10, 0, VIEW_ABOVE40);
  for (int k = 0; k < 5; k++) view_draw();
  flt.x += 20000;  // a new location
  view_draw();
  EXPECT_LT(pythag(con.VIEW_loc_x - (float)flt.x, con.VIEW_loc_y - (float)flt.y), 100);
  place_on_runway(msc.loc_index, 0);
  view_draw();
  EXPECT_LT(pythag(con.VIEW_loc_x - (float)flt.x, con.VIEW_loc_y - (float)flt.y), 100);
}
}  // namespace
