// Quadrants built from the shipped global models where no environment file
// exists: real summits and water, airports on their published elevation,
// the date line and the equator, the same bytes every time, and the file the
// runner writes.
#include <unistd.h>
#include <cmath>
#include "../support/run_runner.h"
#include "basekit/bk_world.h"
#include "sim/world/env.h"
#include "sim/world/terrain.h"
#include "tools/support/placeeye.h"
#include "world_fixture.h"

namespace {

struct shipped_models : ::testing::Test {
  void SetUp() override {
    world_reset();
    std::snprintf(app_path, STR_DIM, "%s", TARVEL_SOURCE_DATA_DIR);
    ASSERT_TRUE(wld_available()) << "the global models are missing from data/world";
  }
};

float km_between(float la1, float lo1, float la2, float lo2) {
  return std::hypot((la1 - la2) * 111.12f, (lo1 - lo2) * 111.12f * std::cos(la1 * 0.01745f));
}

}  // namespace

TEST(GlobalModels, TheRunnerWritesRainierAndPugetSoundTheSameEveryTime) {
  std::string base = std::string(TARVEL_BUILD_DIR) + "/global-" + std::to_string(getpid());
  std::string a = base + "-a.env", b = base + "-b.env", sound = base + "-sound.env";
  for (const std::string* p : {&a, &b}) {
    auto r = runner_test::run("--write-quadrant 46,-122 " + *p);
    ASSERT_EQ(r.status, 0) << r.out;
  }
  auto r = runner_test::run("--write-quadrant 47,-123 " + sound);
  ASSERT_EQ(r.status, 0) << r.out;
  static env_points e, s;
  ASSERT_TRUE(read_env(a, &e));
  EXPECT_EQ(file_bytes(a), file_bytes(b));
  // Mount Rainier, 46.85 N 121.76 W, 4392 m: a point above 3000 m within 4 km.
  float best = 0;
  for (int i = 0; i < 60; i++)
    for (int j = 0; j < 80; j++)
      if (km_between(e.lat[i][j], e.lon[i][j], 46.853f, -121.760f) < 4) best = std::fmax(best, e.z[i][j]);
  EXPECT_GT(best, 3000);
  EXPECT_FLOAT_EQ(e.lat[0][0], 46);
  EXPECT_FLOAT_EQ(e.lon[59][79], -121);
  // Puget Sound at 47.6 N 122.4 W is water at sea level; the Olympics' eastern edge is not.
  ASSERT_TRUE(read_env(sound, &s));
  int i = (int)((-122.4f + 123) * 59), j = (int)((47.6f - 47) * 79);
  EXPECT_EQ(s.flags[i][j] & 6, 6);
  EXPECT_EQ(s.z[i][j], 0);
  float olympics = 0;
  for (int a2 = 0; a2 < 59; a2++)
    for (int b2 = 0; b2 < 79; b2++)
      if (km_between(s.lat[a2][b2], s.lon[a2][b2], 47.77f, -123.13f) < 10) olympics = std::fmax(olympics, s.z[a2][b2]);
  EXPECT_GT(olympics, 500);  // Mount Constance, 2371 m, seen through 5-minute heights
  for (const std::string* p : {&a, &b, &sound}) std::remove(p->c_str());
}

TEST(GlobalModels, AMalformedQuadrantArgumentIsRefused) {
  auto r = runner_test::run_shell(std::string("cd ") + TARVEL_BUILD_DIR +
                                  " && ./tarvel-headless --write-quadrant 46 x.env 2>&1");
  EXPECT_NE(r.status, 0);
  EXPECT_NE(r.out.find("--write-quadrant wants LAT,LON PATH"), std::string::npos) << r.out;
}

TEST_F(shipped_models, OpenOceanIsAllWaterAtSeaLevel) {
  static envquad q;
  ASSERT_TRUE(build_quadrant(0, -140, nullptr, 0, WLD_SEED, &q));
  for (int i = 0; i < 59; i++)
    for (int j = 0; j < 79; j++) {
      ASSERT_TRUE(q.water[i][j][0] && q.water[i][j][1]) << i << " " << j;
      ASSERT_EQ(q.z[i][j], 0);
    }
}

TEST_F(shipped_models, QuadrantsMeetAcrossTheDateLineAndTheEquator) {
  static envquad w, e, s, n;
  // Vanua Levu (Fiji) lies across 180 degrees.
  ASSERT_TRUE(build_quadrant(-17, 179, nullptr, 0, WLD_SEED, &w));
  ASSERT_TRUE(build_quadrant(-17, -180, nullptr, 0, WLD_SEED, &e));
  EXPECT_FLOAT_EQ(e.lon[0][0], -180);
  EXPECT_FLOAT_EQ(e.lat[0][0], -17);
  EXPECT_FLOAT_EQ(w.lon[59][79], 180);
  EXPECT_FLOAT_EQ(w.lat[59][79], -16);
  // The shared edge: the same heights, but for a metre where one side's
  // triangle is sea (set to 0) and the other's is the shore.
  int land = 0;
  for (int j = 0; j < 80; j++) {
    EXPECT_NEAR(w.z[59][j], e.z[0][j], 1.0f) << j;
    land += !w.water[58][intmin2(j, 78)][0];
  }
  EXPECT_GT(land, 0);
  // Mount Kenya's quadrant and the one south of it share the equator.
  ASSERT_TRUE(build_quadrant(-1, 37, nullptr, 0, WLD_SEED, &s));
  ASSERT_TRUE(build_quadrant(0, 37, nullptr, 0, WLD_SEED, &n));
  EXPECT_FLOAT_EQ(s.lat[0][0], -1);
  for (int i = 0; i < 60; i++) EXPECT_NEAR(s.z[i][79], n.z[i][0], 1.0f) << i;
  float top = 0;
  for (int i = 0; i < 60; i++)
    for (int j = 0; j < 80; j++) top = std::fmax(top, n.z[i][j]);
  EXPECT_GT(top, 3000);  // Mount Kenya, 5199 m
}

TEST_F(shipped_models, TheRegionLoadsAcrossTheDateLineInOrder) {
  init_country_data();
  env.lat_sou = -17;
  env.lon_wes = 179;
  load_region();
  // West to east without a jump at 180 degrees: the quadrants side by side.
  for (int i = 1; i < GRID_I; i++) ASSERT_GT(planex[i][40], planex[i - 1][40]) << i;
  EXPECT_NEAR(planex[GRID_I - 1][40] - planex[0][40], 3 * 60 * 1852 * std::cos(16.5 * 0.01745), 2000);
  int land = 0;
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) land += !on_water[i][j][0];
  EXPECT_GT(land, 100);
}

TEST_F(shipped_models, ZurichRunwayAtItsFieldElevation) {
  init_country_data();
  int a = -1;
  for (int n = 0; n <= env.aptmax; n++)
    if (std::strncmp(apt_id[n], "LSZH", 4) == 0) a = n;
  ASSERT_GE(a, 0);
  EXPECT_NEAR(apt_z[a] / 0.3048f, 1416, 2);
  env.lat_sou = (int)std::floor(apt_lat[a][0] - 0.5f);
  env.lon_wes = (int)std::floor(apt_lon[a][0]) - 1;
  load_region();
  for (int rw = 0; rw < 6; rw++) {
    if (apt_len[a][rw / 2] <= 1) continue;
    place_on_runway(a, rw);
    float ground = terrain_height(flt.x, flt.y);
    EXPECT_NEAR(ground / 0.3048f, 1416, 30) << "runway end " << rw;
  }
}
