// What the scenery editor writes, read by the simulator: a quadrant built by
// the editor's batch import, and an airport file saved by a scripted session.
#include <cmath>
#include "../support/run_runner.h"
#include "world_fixture.h"
#include "sim/world/env.h"

namespace {

std::string gridwright(const fs::path& data, const std::string& args) {
  auto r = runner_test::run_shell(std::string(TARVEL_BUILD_DIR) + "/gridwright --data '" + data.string() + "' " +
                                  args + " 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  return r.out;
}

struct EditorFiles : ::testing::Test {
  world_dir dir;
  void SetUp() override {
    world_reset();
    dir.write("additional nav data/apt_dat", apt_file({}));
    dir.write("additional nav data/nav_dat", apt_file({}));
  }
};

}  // namespace

TEST_F(EditorFiles, AQuadrantFromTheEditorLoadsWithItsHeightsWaterAndDiagonals) {
  // A grid of heights GDAL reads as text: sea in the west, hills to the east.
  std::string asc = "ncols 121\nnrows 121\nxllcorner -119.0041666667\nyllcorner 32.9958333333\ncellsize 0.0083333333\n";
  for (int r = 120; r >= 0; r--) {
    for (int c = 0; c <= 120; c++) {
      float z = c < 30 ? 0 : (c - 30) * 8 + 300 * std::sin(r * 0.13) * std::sin(c * 0.09) + 300;
      asc += std::to_string((int)z) + (c < 120 ? " " : "\n");
    }
  }
  dir.write("model.asc", asc);
  gridwright(dir.root, "--seed 4 --quadrant 33,-119 --import '" + (dir.root / "model.asc").string() + "' --save");
  char name[STR_DIM];
  env_file_name(33, -119, 1, name);
  fs::path file = dir.nav_dir() / name;
  ASSERT_TRUE(fs::exists(file));
  EXPECT_EQ(fs::file_size(file), 77129u);
  static env_points e;
  ASSERT_TRUE(read_env(file, &e));

  init_country_data();
  env.lat_sou = 33;
  env.lon_wes = -119;
  load_region();
  int water = 0, ones = 0;
  for (int j = 0; j < 79; j++)
    for (int i = 0; i < 59; i++) {
      int flags = e.flags[i][j];
      ASSERT_EQ(planez[i][j], e.z[i][j]) << i << "," << j;
      ASSERT_EQ(planediv[i][j], flags & 1) << i << "," << j;
      ASSERT_EQ(on_water[i][j][0], (flags >> 1) & 1) << i << "," << j;
      ASSERT_EQ(on_water[i][j][1], (flags >> 2) & 1) << i << "," << j;
      water += on_water[i][j][0] + on_water[i][j][1];
      ones += planediv[i][j];
    }
  // The sea is water, the hills are not, and the diagonals follow the ground.
  EXPECT_GT(water, 2 * 79 * 10);
  EXPECT_LT(water, 2 * 79 * 25);
  EXPECT_GT(ones, 100);
  EXPECT_GT(planez[50][40], 300);
}

TEST_F(EditorFiles, AnAirportAddedInTheEditorIsReadByTheSimulator) {
  dir.write("additional nav data/apt_dat",
            apt_file({apt_line({"KSBD", "San Bernardino Intl", 34.0954f, -117.2349f, 6, 'x', 63, 10000, 200, 1159, 1})}));
  // New airport, its name typed, saved; then Exit.
  dir.write("session.txt", "menu 303\nclick 500 198\ntype --------Big Bear\nmenu 202\nmenu 205\n");
  gridwright(dir.root, "--script '" + (dir.root / "session.txt").string() + "'");
  init_country_data();
  ASSERT_EQ(env.aptmax, 1);
  EXPECT_STREQ(apt_id[0], "KSBD");
  EXPECT_NEAR(apt_lat[0][0], 34.0954f, 1e-5);
  EXPECT_EQ(apt_len[0][0], (int)(10000 * 0.3048));
  EXPECT_NEAR(apt_z[0], 1159 * 0.3048f, 0.01f);
  EXPECT_EQ(apt_twr[0], 1);
  EXPECT_STREQ(apt_name[1], "Big Bear");
  EXPECT_EQ(apt_type[1], 1);
}
