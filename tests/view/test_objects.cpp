// Buildings and towers: one per place, the ring of slots, the order they are
// drawn in, and which of their faces show.
#include <cmath>
#include "sim/view/drterrain.h"
#include "sim/view/point.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "tests/view/view_fixture.h"
#include "sim/flight/atm.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

namespace {
class Objects : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    clear_obs_twr();
    x0 = planex[89][79];
    y0 = planey[89][79];
  }
  void TearDown() override {
    clear_obs_twr();
    obs_twr_update = 1;  // the next pass rebuilds the airport's buildings
  }
  int used() {
    int n = 0;
    for (int b = 0; b < OBS_MAX; b++) n += obs_type[b] != 0;
    return n;
  }
  float x0 = 0, y0 = 0;
};

TEST_F(Objects, ABuildingWithin25MetresOfAnotherIsNotMade) {
  make_bldng_xy(x0, y0, 30, 2, 89, 79);
  make_bldng_xy(x0 + 20, y0, 30, 2, 89, 79);
  EXPECT_EQ(used(), 1);
  make_bldng_xy(x0 + 20, y0 + 24, 30, 2, 89, 79);
  EXPECT_EQ(used(), 1);
  make_bldng_xy(x0, y0 - 26, 30, 2, 89, 79);
  EXPECT_EQ(used(), 2);
  // Towers keep 10 m apart.
  make_a_tower(env.lat_sou + 1.0f, env.lon_wes + 1.5f, 100, 3, 89, 79);
  make_a_tower(env.lat_sou + 1.0f + 5 / 111120.0f, env.lon_wes + 1.5f, 100, 3, 89, 79);
  int towers = 0;
  for (int t = 0; t < TWR_MAX; t++) towers += twr_type[t] != 0;
  EXPECT_EQ(towers, 1);
}

TEST_F(Objects, TheEightHundredAndFirstBuildingTakesTheFirstSlot) {
  for (int k = 0; k < OBS_MAX; k++) make_bldng_xy(x0 + 30.0f * (k % 40), y0 + 30.0f * (k / 40), 10, 2, 89, 79);
  EXPECT_EQ(used(), OBS_MAX);
  EXPECT_FLOAT_EQ(obs_x[0], x0);
  make_bldng_xy(x0 - 3000, y0, 10, 93, 89, 79);
  EXPECT_EQ(obs_type[0], 93);
  EXPECT_FLOAT_EQ(obs_x[0], x0 - 3000);
}

TEST_F(Objects, BuildingsAreDrawnNearestLastAndOneAsFarAsAnotherIsLeftOut) {
  atm.vis = 5000;
  con.VIEW_loc_x = x0;
  con.VIEW_loc_y = y0;
  make_bldng_xy(x0 + 1000, y0, 10, 2, 89, 79);   // slot 0
  make_bldng_xy(x0, y0 + 300, 10, 2, 89, 79);    // slot 1
  make_bldng_xy(x0 - 1000, y0, 10, 2, 89, 79);   // slot 2: as far as slot 0
  make_bldng_xy(x0 + 6000, y0, 10, 2, 89, 79);   // slot 3: beyond sight
  make_bldng_xy(x0, y0 - 2000, 10, 2, 89, 79);   // slot 4
  sort_obs_twr();
  ASSERT_EQ(scn.obs_max, 2);
  EXPECT_EQ(obs_ind[0], 1);
  EXPECT_EQ(obs_ind[1], 0);
  EXPECT_EQ(obs_ind[2], 4);
  EXPECT_EQ(obs_twr_update, 0);
  make_a_tower(env.lat_sou + 1.0f, env.lon_wes + 1.5f, 100, 4, 89, 79);
  sort_obs_twr();
  int in = 0;
  for (int t = 0; t < TWR_MAX; t++) in += twr_inrange[t];
  EXPECT_EQ(in, pythag(twr_x[0] - x0, twr_y[0] - y0) < 5000 ? 1 : 0);
}

// A box 20 m wide and 30 m tall 100 m north of the eye: its south wall shows
// (colour 80), its east wall from the east (81), its roof from above (82).
TEST_F(Objects, WallsFacingTheEyeShowAndTheRoofFromAbove) {
  make_bldng_xy(x0, y0 + 100, 30, 2, 89, 79);
  obs_z[0] = 0;
  obs_dx[0][0] = obs_dx[0][1] = obs_dy[0][0] = obs_dy[0][1] = 10;
  set.view_is_fullscreen = 1;
  set_mon(VIEW_NOHUD, 1);
  atm.vis1_grnd = 1000;
  atm.vis2_grnd = 10000;
  scn.draw_lights = 0;
  view_canvas(62);
  view_eye(x0, y0, 10, 0, 0, 0);
  plot_a_bldng(0);
  EXPECT_EQ(view_pixel(400, 284), 80);
  EXPECT_EQ(view_count(81), 0);
  EXPECT_EQ(view_count(82), 0);  // the roof is above the eye
  view_canvas(62);
  view_eye(x0 + 100, y0 + 100, 10, 270, 0, 0);
  plot_a_bldng(0);
  EXPECT_EQ(view_pixel(400, 284), 81);
  EXPECT_EQ(view_count(80), 0);
  view_canvas(62);
  view_eye(x0, y0 + 100, 200, 0, -90, 0);
  plot_a_bldng(0);
  EXPECT_EQ(view_pixel(400, 284), 82);
  EXPECT_EQ(view_count(80) + view_count(81), 0);  // looking straight down no wall shows
  // A hangar: its wall and gable light, the band of its second tier dark.
  make_bldng_xy(x0 + 500, y0 + 100, 0, 93, 89, 79);
  obs_z[1] = 0;
  view_canvas(62);
  view_eye(x0 + 500, y0 + 40, 5.5f, 0, 0, 0);
  plot_a_bldng(1);
  EXPECT_EQ(view_pixel(400, 284), 80);
  EXPECT_EQ(view_pixel(400, 300), 80);
  EXPECT_GT(view_count(82), 10);
}

TEST_F(Objects, MastsAreDrawnAsLatticeLinesOrPoints) {
  set.view_is_fullscreen = 1;
  set_mon(VIEW_NOHUD, 1);
  atm.vis2_lite = 10000;
  scn.draw_lights = 0;
  twr_type[0] = 4;
  twr_x[0] = x0, twr_y[0] = y0 + 500, twr_z[0] = 0, twr_dz[0] = 100;
  view_canvas(62);
  view_eye(x0, y0, 50, 0, 0, 0);
  plot_a_tower(0);
  int lattice = view_count(82);
  EXPECT_GT(lattice, 100);
  twr_type[0] = 3;
  view_canvas(62);
  plot_a_tower(0);
  EXPECT_EQ(view_count(82), 10);  // ten points up the mast
  view_canvas(62);
  view_eye(x0, y0 - 1000, 50, 180, 0, 0);  // behind the eye: nothing
  plot_a_tower(0);
  EXPECT_EQ(view_count(82), 0);
  twr_type[0] = 0;
}
}  // namespace
