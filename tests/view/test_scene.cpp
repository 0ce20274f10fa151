// The whole scene pass as the frame loop runs it: what the pilot sees at the
// start, in fog, above an overcast and at night; the eye above the ground;
// the region following the aircraft. The pictures are written for a look.
#include <cmath>
#include "basekit/bk_mnw.h"
#include "sim/view/point.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

namespace {
class Scene : public ::testing::Test {
 protected:
  void SetUp() override { view_start(); }
  // The view's pixel rows at the centre column: sky above the horizon, ground below.
  int centre_below(int dy) { return view_pixel(400, (int)con.off_view_center_fy + dy); }
  static bool is_ground(int c) { return c >= 65 && c <= 244; }
};

TEST_F(Scene, AtTheStartTheRunwayLiesAheadUnderTheSky) {
  // As started: dusk under the overcast, the panel view.
  view_conditions(2, 10, 1, VIEW_FORWARD);
  view_draw();  // ends with the view copied out and nothing locked
  MACIBM_startwind(0, 0);
  MACIBM_fillrect(11, 0, 0, 799, 579);  // no panel yet: below the view stays black
  simulate_frame();
  int c = centre_below(60);
  EXPECT_TRUE(c == 82 || (c - 82) % 18 == 0) << c;  // runway asphalt, hazed or not
  ASSERT_FALSE(view_shot("start_cockpit.png").empty());
  // Under a dusk overcast the sky is the cloud's dim grey; the runway darker still.
  rgb cloud = view_mean(con.off_int_top, con.off_int_top + 40);
  EXPECT_LT(tint(cloud), 8) << cloud;
  EXPECT_GT(luma(cloud), 25) << cloud;
  EXPECT_LT(luma(cloud), 90) << cloud;
  EXPECT_LT(luma(view_rgb(400, (int)con.off_view_center_fy + 60)), luma(cloud) - 15);
  // The same by day, clear, full screen: paint on the runway, terrain beside it.
  view_conditions(1, 10, 0, VIEW_NOHUD);
  view_draw();
  ASSERT_FALSE(view_shot("start_day.png").empty());
  // A blue sky down to the hills.
  int fy = (int)con.off_view_center_fy;
  rgb sky = view_rgb(400, con.off_int_top);
  EXPECT_TRUE(sky_blue(view_mean(con.off_int_top, fy - 70))) << sky;
  // The far hills are hazed toward the sky: where they meet it ahead they are bluer than the near grass.
  int y = con.off_int_top;
  while (y < fy && distance(view_rgb(400, y), sky) == 0) y++;
  rgb skyline = view_rgb(400, y), near = view_rgb(10, fy + 10);
  EXPECT_GT(y, fy - 40);
  EXPECT_TRUE(green(near)) << near;
  EXPECT_LT(distance(skyline, sky), distance(near, sky) - 60) << skyline << near;
  // On the threshold of 06: white bars left and right of the centre line, dark asphalt between
  // and below them, where the aircraft stands.
  auto white = [](rgb c) { return luma(c) > 150 && tint(c) < 40; };
  int left = 0, right = 0, below = 0;
  for (int x = 0; x < 800; x++) {
    (x < 400 ? left : right) += white(view_rgb(x, fy + 100));
    below += white(view_rgb(x, con.off_int_bot - 5));
  }
  EXPECT_GT(left, 60);
  EXPECT_GT(right, 60);
  EXPECT_EQ(below, 0);
  rgb centre = view_rgb(400, fy + 100);
  EXPECT_LT(luma(centre), 90) << centre;
  EXPECT_GT(centre.b, centre.r) << centre;
}

TEST_F(Scene, TheAirportFromThreeThousandFeet) {
  place_over_airport(msc.loc_index, 3000 * 0.3048f);
  // Half way in: a mile and a half from the threshold, looking down 8 degrees.
  flt.x += 1.5f * 1852 * std::sin(flt.psi * 0.0174533f);
  flt.y += 1.5f * 1852 * std::cos(flt.psi * 0.0174533f);
  view_conditions(1, 10, 0, VIEW_DOWN8);
  set.view_is_fullscreen = 1;
  set_mon(-1, 2.5f);
  view_draw();
  ASSERT_FALSE(view_shot("airport_3000ft.png").empty());
  // Sky above, green fields at the bottom, the runway's grey and paint in the middle.
  EXPECT_TRUE(sky_blue(view_mean(con.off_int_top, con.off_int_top + 60)));
  EXPECT_TRUE(green(view_mean(con.off_int_bot - 40, con.off_int_bot)));
  int tarmac = 0, light = 0;
  for (int y = (int)con.off_view_center_fy; y < con.off_int_bot; y++)
    for (int x = 300; x < 500; x++) {
      rgb c = view_rgb(x, y);
      tarmac += tint(c) < 45 && luma(c) < 90 && c.b > c.g;
      light += luma(c) > 130 && tint(c) < 40;
    }
  EXPECT_GT(tarmac, 2000);
  EXPECT_GT(light, 100);
}

// On a short final at 120 ft, 250 m out, looking down 8 degrees.
TEST_F(Scene, HalfAMileOfFogHidesAllButTheNearRunway) {
  place_over_airport(msc.loc_index, 120 * 0.3048f);
  flt.x += (3 * 1852 - 250) * std::sin(flt.psi * 0.0174533f);
  flt.y += (3 * 1852 - 250) * std::cos(flt.psi * 0.0174533f);
  view_conditions(1, 0.5f, 1, VIEW_DOWN8);
  atm.baseMSL = apt_z[msc.loc_index] + 300;
  atm.topsMSL = atm.baseMSL + 600;
  view_draw();
  EXPECT_EQ(scn.poly_breakup, 3);
  EXPECT_EQ(scn.belowbases, 1);
  EXPECT_EQ(view_pixel(400, con.off_int_top + 10), 63);
  // Haze levels rise steadily from the bottom of the view to the horizon.
  int horizon = XFRM_y(std::tan(8 * 0.0174533f)) + 3, last = 0, steps = 0;
  for (int y = con.off_int_bot - 1; y > horizon; y--) {
    int c = view_pixel(400, y);
    if (!is_ground(c)) continue;
    int h = (c - 65) / 18;
    EXPECT_GE(h, last - 1) << y;
    if (h > last) steps++;
    last = h;
  }
  EXPECT_GE(steps, 6);
  ASSERT_FALSE(view_shot("fog_half_mile.png").empty());
  // The fog is grey; the far field has turned to it, the near grass has not.
  rgb haze = view_rgb(400, con.off_int_top + 10);
  EXPECT_LT(tint(haze), 6) << haze;
  rgb grass = view_rgb(20, con.off_int_bot - 2), field = view_rgb(20, (horizon + con.off_int_bot) / 2);
  rgb far_field = view_rgb(20, horizon + 1);
  EXPECT_TRUE(green(grass)) << grass;
  EXPECT_GT(distance(grass, haze), 60) << grass;
  EXPECT_LT(distance(far_field, haze), distance(field, haze)) << far_field << field;
  EXPECT_LT(distance(far_field, haze), 40) << far_field;
}

TEST_F(Scene, AboveTheOvercastOnlyTheCloudTopsAndSky) {
  view_conditions(1, 10, 1, VIEW_NOHUD);
  flt.z = atm.topsMSL + 600;
  view_draw();
  EXPECT_EQ(scn.abovetops, 1);
  EXPECT_EQ(scn.belowbases, 0);
  ASSERT_FALSE(view_shot("above_overcast.png").empty());
  // Blue above, the white deck below.
  int fy = (int)con.off_view_center_fy;
  EXPECT_TRUE(sky_blue(view_mean(con.off_int_top, fy - 10)));
  rgb deck = view_mean(fy + 20, con.off_int_bot);
  EXPECT_GT(luma(deck), 220) << deck;
  EXPECT_LT(tint(deck), 10) << deck;
  // By day the deck is nearly white; at dusk its relief shows in greys.
  scn.time = 2;
  view_draw();
  int greys = 0;
  for (int c = 65; c <= 245; c++) greys += view_count(c) > 0;
  EXPECT_GT(greys, 20);
  ASSERT_FALSE(view_shot("above_overcast_dusk.png").empty());
  // At dusk a deep blue sky over a grey deck, both darker than by day.
  rgb dusk_sky = view_mean(con.off_int_top, fy - 10), dusk_deck = view_mean(fy + 20, con.off_int_bot);
  EXPECT_GT(dusk_sky.b, dusk_sky.r + 40) << dusk_sky;
  EXPECT_LT(luma(dusk_sky), 90) << dusk_sky;
  EXPECT_LT(tint(dusk_deck), 10) << dusk_deck;
  EXPECT_LT(luma(dusk_deck), luma(deck) - 60) << dusk_deck;
  EXPECT_GT(luma(dusk_deck), luma(dusk_sky) + 30) << dusk_deck;
}

TEST_F(Scene, AtNightTheSceneDarkensAndTheLightsGoOn) {
  view_conditions(4, 10, 0, VIEW_NOHUD);
  view_draw();
  EXPECT_EQ(scn.draw_lights, 1);
  ASSERT_FALSE(view_shot("night.png").empty());
  // Dark all over; the sky a very dark blue.
  rgb all = view_mean(con.off_int_top, con.off_int_bot), sky = view_mean(con.off_int_top, con.off_int_top + 60);
  EXPECT_LT(luma(all), 20) << all;
  EXPECT_LT(luma(sky), 20) << sky;
  EXPECT_GT(sky.b, sky.r + 10) << sky;
  // The threshold bars still show, faintly, on the dark asphalt.
  int fy = (int)con.off_view_center_fy, paint = 0;
  rgb asphalt = view_rgb(400, fy + 100);
  for (int x = 0; x < 800; x++) paint += luma(view_rgb(x, fy + 100)) > luma(asphalt) + 10;
  EXPECT_GT(paint, 100);
}

TEST_F(Scene, TheEyeStaysTwoMetresAboveTheGround) {
  float h;
  int i, j, t;
  find_local_h(flt.x, flt.y, &h, &i, &j, &t);
  flt.z = h - 20;  // below the ground, as a crash might leave it
  view_conditions(1, 10, 0, VIEW_CHASE);
  view_draw();
  find_local_h(con.VIEW_loc_x, con.VIEW_loc_y, &h, &i, &j, &t);
  EXPECT_GE(con.VIEW_loc_z, h + 2 - 0.01f);
  view_conditions(1, 10, 0, VIEW_FORWARD);
  view_draw();
  EXPECT_GE(con.VIEW_loc_z, h + 2 - 0.01f);
  EXPECT_EQ(env.i_viewpoint, i);
  EXPECT_EQ(env.j_viewpoint, j);
}

TEST_F(Scene, OutsideViewsLookAtTheAircraft) {
  const int views[] = {VIEW_CHASE, VIEW_SPOT, VIEW_CIRCLE, VIEW_ABOVE40, VIEW_ABOVE10, VIEW_TOWER, VIEW_RUNWAY, VIEW_FREE};
  flt.z += 100;
  for (int v : views) {
    view_conditions(1, 10, 0, v);
    view_draw();
    float dx = flt.x - con.VIEW_loc_x, dy = flt.y - con.VIEW_loc_y, dz = flt.z - con.VIEW_loc_z;
    float ex, ey, ez;
    xfrm_SCENE(dx, dy, dz, &ex, &ey, &ez);
    EXPECT_GT(ey, 1) << v;
    EXPECT_NEAR(ex / ey, 0, 1e-3) << v;
    EXPECT_NEAR(ez / ey, 0, 1e-3) << v;
  }
  view_conditions(1, 10, 0, VIEW_SATELLITE);
  view_draw();
  EXPECT_NEAR(con.VIEW_loc_z - flt.z, 2500, 1);
  EXPECT_NEAR(scn.the180rad, -3.14159f / 2, 1e-4);
  // The chase camera eases towards its place.
  view_conditions(1, 10, 0, VIEW_CHASE);
  view_draw();
  float x1 = con.VIEW_loc_x;
  flt.x += 100;
  view_draw();
  EXPECT_GT(con.VIEW_loc_x, x1);
  EXPECT_LT(con.VIEW_loc_x, x1 + 100);
}

TEST_F(Scene, TheRegionSlidesWhenTheAircraftNearsItsEdge) {
  int lon_wes = env.lon_wes;
  float lat = env.lat_sou + 1.0f;
  float x_east = env_x_of_latlon(lat, lon_wes + 2.3f);
  float saved_x = flt.x, saved_y = flt.y;
  flt.x = x_east;
  flt.y = env_y_of_lat(lat);
  view_conditions(1, 10, 0, VIEW_NOHUD);
  view_draw();
  EXPECT_EQ(env.lon_wes, lon_wes + 1);
  view_draw();
  EXPECT_EQ(env.lon_wes, lon_wes + 1);  // one slide is enough
  flt.x = saved_x;
  flt.y = saved_y;
  view_draw();
  EXPECT_EQ(env.lon_wes, lon_wes);
  // The local airport was rebuilt with the region: its runway is there.
  EXPECT_GE(rwy.max[0], 11);
}
}  // namespace
