// The own aircraft seen from outside, and the carrier: its deck, wires, lens,
// catapult and approach aids.
#include <cmath>
#include <cstring>
#include <string>
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/carrier_deck.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/set.h"
#include "sim/view/carrier.h"
#include "sim/view/drplane.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"

namespace {
const float D2R = 0.017453292519943295f;

class Outside : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    msc.prd = 0.05f;
  }
  static void fly(const char* name) {
    std::string path = std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/" + name + "/" + name + ".acf";
    std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
    load_plane();
    place_on_runway(msc.loc_index, 0);
  }
  // View v looking at the aircraft; zoom multiplies the view's.
  static void look(int v, float zoom) {
    view_conditions(1, 10, 0, v);
    set.view_is_fullscreen = 1;
    set_mon(-1, zoom);
    view_draw();
    view_draw();
  }
};

TEST_F(Outside, ColoursDarkenWithTheTimeOfDay) {
  for (int t = 1; t <= 4; t++) {
    EXPECT_EQ(plane_line_col(t), 26 - t);
    EXPECT_EQ(plane_wing_col(t), 30 - t);
    EXPECT_EQ(plane_fuse_col(t), 33 - t);
  }
  EXPECT_EQ(plane_wing_col(9), 26);  // out of range: night
}

TEST_F(Outside, PartsAreDrawnFarthestFirstAndThePropellerTurns) {
  look(VIEW_CIRCLE, 2);
  int parts[19];
  int n = plane_draw_order(parts);
  ASSERT_GE(n, 5);  // propeller, wings, tail, fuselage
  auto mean_depth = [](int p) {
    // The first four points, as the sort takes them.
    int cols = p <= 3 ? 4 : (p <= 11 ? 2 : 8);
    float d = 0;
    for (int k = 0; k < 4; k++) d += tran_y[p][k / cols][k % cols];
    return d / 4;
  };
  for (int k = 0; k + 1 < n; k++) EXPECT_GE(mean_depth(parts[k]), mean_depth(parts[k + 1])) << k;
  // 30 % of the blade spacing a twentieth of a second: 54 degrees for two blades.
  int before = track_ang;
  view_draw();
  EXPECT_EQ((track_ang - before + 360) % 360, 54);
  msc.prd = 0.025f;  // twice the frame rate: half the step
  before = track_ang;
  view_draw();
  EXPECT_EQ((track_ang - before + 360) % 360, 27);
  // A jet has no blades: the angle stays.
  int type = pln.entype;
  pln.entype = 3;
  before = track_ang;
  view_draw();
  EXPECT_EQ(track_ang, before);
  pln.entype = type;
  // Wings and fuselage in their colours.
  EXPECT_GT(view_count(plane_wing_col(1)), 100);
  EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)), 1000);
  set_mon(-1, 0.5f);
}

TEST_F(Outside, TooCloseTheViewStepsBackButNoFurtherThanItsWidest) {
  view_conditions(1, 10, 0, VIEW_CIRCLE);
  set_mon(-1, 16);  // the aircraft far wider than the view: half the zoom a frame
  view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 8);
  view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 4);
  // The camera inside the aircraft: points behind the eye never fit.
  view_conditions(1, 10, 0, VIEW_SPOT);
  flt.x += 20;  // the spot camera stood 20 m east: now at the aircraft
  for (int k = 0; k < 12; k++) view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 0.125f);
  view_draw();  // and it stays there, drawing what it can
  EXPECT_FLOAT_EQ(scn.zoom, 0.125f);
  scn.zoom = 1;
  place_on_runway(msc.loc_index, 0);
}

TEST_F(Outside, TheTrainerAndTheLightTwinFromTheChaseAndTheTower) {
  const char* craft[2] = {"Trainer", "LightTwin"};
  for (const char* c : craft) {
    fly(c);
    look(VIEW_CHASE, 2);
    int black = view_count(LITE_OFF), wing = view_count(plane_wing_col(1));
    EXPECT_GT(wing, 300) << c;
    EXPECT_GT(black, 10) << c << ": the blades";
    EXPECT_FALSE(view_shot((std::string("chase_") + c + ".png").c_str()).empty());
    // The blades stand elsewhere a frame later: the first column they reach moves.
    auto first_blade_column = [] {
      for (int x = 0; x < 800; x++)
        for (int y = con.off_int_top; y < con.off_int_bot; y++)
          if (view_pixel(x, y) == LITE_OFF) return x;
      return -1;
    };
    int x0 = first_blade_column();
    view_draw();
    int x1 = first_blade_column();
    EXPECT_NE(x0, x1) << c;
    look(VIEW_TOWER, 1);
    set_mon(-1, 16);  // the tower's binoculars; too near, the view widens until it fits
    for (int k = 0; k < 6; k++) view_draw();
    EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)) + view_count(plane_wing_col(1)), 200) << c;
    EXPECT_FALSE(view_shot((std::string("tower_") + c + ".png").c_str()).empty());
    scn.zoom = 1;
  }
  fly("Trainer");
}

// ---- the carrier ----

class Carrier : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    ASSERT_TRUE(nearest_ship(1, flt.x, flt.y, &sx, &sy, &sz)) << "the shipped region holds a carrier";
  }
  void TearDown() override {
    ins.hook_down = 0;
    flt.wired = 0;
    flt.cat_stage = 29;
    flt.onsurface = 0;
    flt.Beta = 0;
    place_on_runway(msc.loc_index, 0);
  }
  // The aircraft at ship-frame point (x, y), the flight model's cell with it.
  void at(float x, float y, float z) {
    flt.x = sx + x, flt.y = sy + y, flt.z = sz + z;
    float h;
    int t;
    find_local_h((float)flt.x, (float)flt.y, &h, &env.i_aircraft, &env.j_aircraft, &t);
  }
  double sx = 0, sy = 0;
  float sz = 0;
};

TEST_F(Carrier, TheDeckAndBothExtensions) {
  EXPECT_TRUE(over_carrier_deck(0, -200));
  EXPECT_TRUE(over_carrier_deck(-30, -200));  // the angled deck's extension, to port
  EXPECT_TRUE(over_carrier_deck(30, -200));   // the island's, to starboard
  EXPECT_TRUE(over_carrier_deck(0, -1));
  EXPECT_FALSE(over_carrier_deck(-30, -60));
  EXPECT_FALSE(over_carrier_deck(30, -300));
  EXPECT_FALSE(over_carrier_deck(0, 5));
  EXPECT_FALSE(over_carrier_deck(0, -320));
  at(-30, -200, 30);
  ship_decks();
  EXPECT_EQ(env.over_carr, 1);
  EXPECT_FLOAT_EQ(env.carrz, sz + 21);
  at(-60, -200, 30);
  ship_decks();
  EXPECT_EQ(env.over_carr, 0);
}

TEST_F(Carrier, TheHookCatchesAWireOnlyWhereAndWhenItShould) {
  float wx = 0.5f * (car.cx[2][0] + car.cx[2][1]), wy = 0.5f * (car.cy[2][0] + car.cy[2][1]);
  auto ready = [&] {
    at(wx, wy, 22);
    ins.hook_down = 1;
    flt.onsurface = 1;
    flt.wired = 0;
    flt.Beta = 0;
    flt.vind = 60;
    flt.v = 30;
    msc.prd = 0.07f;  // the longest step: always caught
  };
  ready();
  ship_decks();
  EXPECT_EQ(flt.wired, 1);
  EXPECT_FLOAT_EQ(car.trap_accel, 30 * 30 / 200.0f);
  EXPECT_FLOAT_EQ(trap_accel_for(40), 8);
  // A sideslip past 90 degrees lets go.
  flt.Beta = 95;
  ship_decks();
  EXPECT_EQ(flt.wired, 0);
  ready();
  ins.hook_down = 0;
  ship_decks();
  EXPECT_EQ(flt.wired, 0) << "hook up";
  ready();
  flt.vind = 9;
  ship_decks();
  EXPECT_EQ(flt.wired, 0) << "below 10 kt";
  ready();
  flt.onsurface = 0;
  ship_decks();
  EXPECT_EQ(flt.wired, 0) << "in the air";
  ready();
  flt.Beta = -95;
  ship_decks();
  EXPECT_EQ(flt.wired, 0) << "going backwards";
  // Beyond the last wire, and short of the first.
  float fx = car.cx[4][0] + 10 * std::sin(car.appang * D2R) + 13, fy = car.cy[4][0] + 10 * std::cos(car.appang * D2R);
  EXPECT_TRUE(over_carrier_deck(fx, fy));
  EXPECT_FALSE(in_wire_zone(fx, fy));
  EXPECT_TRUE(in_wire_zone(wx, wy));
  ready();
  at(fx, fy, 22);
  ship_decks();
  EXPECT_EQ(flt.wired, 0) << "past the wires";
}

TEST_F(Carrier, TheLensCellRisesAStepADegree) {
  EXPECT_EQ(lens_cell(3.5f), 70);
  EXPECT_EQ(lens_cell(5.6f), 72);
  EXPECT_EQ(lens_cell(1.0f), 68);
  EXPECT_EQ(lens_cell(3.0f), 70);
  EXPECT_EQ(lens_cell(4.6f), 71);
  EXPECT_EQ(lens_cell(2.4f), 69);
  EXPECT_EQ(lens_cell(40), 72);
  EXPECT_EQ(lens_cell(-10), 68);
  EXPECT_EQ(lens_cell(NAN), 68);
}

TEST_F(Carrier, ItsLocalizerAndGlideSlopeFollowTheApproachHeading) {
  view_draw();
  int n = env.navmax;
  EXPECT_EQ(nav_type[n - 1], NAV_LOC);
  EXPECT_EQ(nav_type[n - 2], NAV_GS);
  for (int k = n - 2; k <= n - 1; k++) {
    EXPECT_EQ(nav_hdng[k], (int)car.appang);  // the glide slope too, not 4
    EXPECT_EQ(nav_f1[k], 108);
    EXPECT_EQ(nav_f2[k], 0);
    EXPECT_EQ(nav_inreg[k], 1);
    EXPECT_STREQ(nav_id[k], "----");
    // 80 m beyond the far end of the landing area's centre line.
    float x = env_x_of_latlon(nav_lat[k], nav_lon[k]), y = env_y_of_lat(nav_lat[k]);
    float fx = (float)sx + car.lx[41], fy = (float)sy + car.ly[41];
    EXPECT_NEAR(pythag(x - fx, y - fy), 80, 2);
  }
}

TEST_F(Carrier, TheCatapultShotEndsAtTheBow) {
  at(car.catx, car.caty, 22);
  flt.cat_stage = 28;
  ship_decks();
  EXPECT_EQ(flt.cat_stage, 28);
  at(car.catx, 5, 22);
  ship_decks();
  EXPECT_EQ(flt.cat_stage, 29);
}

TEST_F(Carrier, FromAMileOutOnTheGlidePathTheLensShowsTheBall) {
  // A mile out along the approach heading, 3.5 degrees above the lens.
  float a = car.appang * D2R, d = 1852;
  at(car.vasix - d * std::sin(a), car.vasiy - d * std::cos(a), car.vasiz + d * std::tan(3.5f * D2R));
  flt.psi = car.appang, flt.the = -3, flt.phi = 0;
  view_conditions(1, 10, 0, VIEW_NOHUD);
  set_mon(-1, 4);
  view_draw();
  EXPECT_GT(view_count_range(82, 82 + 18 * 2), 300);  // the deck
  float x, y, z;
  int px, py;
  xfrm_SCENE((float)sx + car.lx[70] - con.VIEW_loc_x, (float)sy + car.ly[70] - con.VIEW_loc_y,
             sz + car.lz[70] - con.VIEW_loc_z, &x, &y, &z);
  ASSERT_TRUE(find_pxy(x, y, z, &px, &py));
  EXPECT_EQ(view_pixel(px, py), LITE_AMBER);  // on the path: the middle cell
  EXPECT_FALSE(view_shot("carrier_final.png").empty());
  scn.zoom = 1;
}

TEST_F(Carrier, CaughtOnTheWire) {
  float wx = 0.5f * (car.cx[1][0] + car.cx[1][1]), wy = 0.5f * (car.cy[1][0] + car.cy[1][1]);
  at(wx, wy, 21 + 1.2f);
  flt.psi = car.appang, flt.the = 0, flt.phi = 0;
  ins.hook_down = 1, flt.onsurface = 1, flt.Beta = 0, flt.vind = 70, flt.v = 36, msc.prd = 0.07f;
  ship_decks();
  ASSERT_EQ(flt.wired, 1);
  view_conditions(1, 10, 0, VIEW_ABOVE10);
  set.view_is_fullscreen = 1;
  set_mon(-1, 1);
  view_draw();
  view_draw();
  // Seen from 50 m behind and 10 degrees up, the wing is a thin strip.
  EXPECT_GT(view_count(plane_wing_col(1)), 40);
  EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)), 100);
  EXPECT_GT(view_count_range(82, 82 + 18 * 2), 10000);  // the deck around it
  EXPECT_FALSE(view_shot("carrier_wire.png").empty());
}
}  // namespace
