// A quadrant with no file opens as the simulator builds it from the global
// models; once refined and saved, the file is what opens.
#include <cmath>
#include "basekit/bk_world.h"
#include "editor_fixture.h"

TEST(BuiltQuadrant, OpensFromTheModelsAndTheSavedFileWinsAfterwards) {
  editor_dir dir;
  editor_reset(dir);
  wld_set_folder((std::string(TARVEL_SOURCE_DATA_DIR) + "/world").c_str());
  EXPECT_FALSE(read_quadrant(46, -122));  // no file
  ASSERT_EQ(msc.map_built, 1);
  float top = 0;
  int ti = 0, tj = 0;
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++)
      if (planez[i][j] > top) top = planez[i][j], ti = i, tj = j;
  EXPECT_GT(top, 3000);  // Mount Rainier
  EXPECT_FLOAT_EQ(planelat[0][0], 46);
  EXPECT_FLOAT_EQ(planelon[59][0], -121);
  // The same build as the simulator's, point for point.
  static envquad q;
  ASSERT_TRUE(build_quadrant(46, -122, nullptr, 0, WLD_SEED, &q));
  EXPECT_EQ(q.z[ti][tj], planez[ti][tj]);
  // Refined and saved: the file opens from now on, models or not.
  planez[ti][tj] = 4392;
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  EXPECT_EQ(msc.map_built, 0);
  ASSERT_TRUE(read_quadrant(46, -122));
  EXPECT_EQ(msc.map_built, 0);
  EXPECT_EQ(planez[ti][tj], 4392);
  // Without the models a quadrant with no file is the flat sea.
  wld_set_folder((dir.root / "nowhere").c_str());
  EXPECT_FALSE(read_quadrant(10, 10));
  EXPECT_EQ(msc.map_built, 0);
  EXPECT_EQ(planez[30][40], 0);
  EXPECT_TRUE(on_water[30][40][0]);
  wld_set_folder(nullptr);
}
