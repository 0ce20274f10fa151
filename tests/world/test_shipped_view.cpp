// The shipped scenery from the air: over San Bernardino at 8000 ft the
// mountains stand up to the north, above the horizon of the basin to the south.
#include <unistd.h>
#include <algorithm>
#include <vector>
#include "../support/run_runner.h"
#include "world_fixture.h"

TEST(ShippedView, MountainsNorthOfSanBernardino) {
  std::string base = std::string(TARVEL_BUILD_DIR) + "/ksbd-" + std::to_string(getpid());
  double mean[2] = {0, 0};
  int low[2] = {999, 999};
  for (int k = 0; k < 2; k++) {
    std::string shot = base + (k ? "-south.png" : "-north.png");
    auto r = runner_test::run(std::string("--airport KSBD --start-air 8000,120,") + (k ? "180" : "0") +
                              " --clouds none --vis 60 --time 1 --frames 20 --screenshot 20:" + shot);
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<int> tops = skyline(shot);
    ASSERT_EQ(tops.size(), 80u);
    for (int t : tops) {
      mean[k] += t / 80.0;
      low[k] = std::min(low[k], t);
    }
    // Sky above, ground below: the skyline lies inside the view.
    EXPECT_GT(low[k], 45);
    EXPECT_LT(mean[k], 200);
    std::remove(shot.c_str());
  }
  EXPECT_LT(mean[0], mean[1] - 2.5) << "north " << mean[0] << " south " << mean[1];
  EXPECT_LT(low[0], low[1] - 4) << "north " << low[0] << " south " << low[1];
}

// Where no file exists the ground comes from the global models: on the runway
// at Innsbruck, deep in its alpine valley, mountains fill the forward view far
// above the horizon; on the runway at a coastal field in the flat Netherlands
// they do not.
TEST(ShippedView, MountainsAheadFromInnsbrucksRunway) {
  std::string base = std::string(TARVEL_BUILD_DIR) + "/lowi-" + std::to_string(getpid());
  double mean[2] = {0, 0};
  const char* airport[2] = {"LOWI", "EHAM"};
  for (int k = 0; k < 2; k++) {
    std::string shot = base + airport[k] + ".png";
    auto r = runner_test::run(std::string("--airport ") + airport[k] +
                              " --clouds none --vis 20 --time 1 --frames 5 --screenshot 5:" + shot);
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<int> tops = skyline(shot);
    ASSERT_EQ(tops.size(), 80u);
    for (int t : tops) mean[k] += t / 80.0;
    EXPECT_GT(*std::max_element(tops.begin(), tops.end()), 45) << airport[k] << ": some sky";
    std::remove(shot.c_str());
  }
  // The horizon of a level eye on the runway lies near row 147.
  EXPECT_LT(mean[0], 110) << "Innsbruck " << mean[0];
  EXPECT_GT(mean[1], 135) << "Amsterdam " << mean[1];
}

// Mount Rainier (4392 m) from 10000 ft, 23 nm north-west of it: its cone stands
// well above the horizon ahead, where the opposite view has none. (From over
// Seattle itself it lies 42 nm off, beyond the 20 nm visibility's drawing range.)
TEST(ShippedView, MountRainierAboveTheHorizonSouthEastOfTacoma) {
  std::string base = std::string(TARVEL_BUILD_DIR) + "/rainier-" + std::to_string(getpid());
  int peak[2], edge[2];
  for (int k = 0; k < 2; k++) {
    std::string shot = base + (k ? "-nw.png" : "-se.png");
    auto r = runner_test::run(std::string("--airport KSEA --start-air 10000,120,") + (k ? "322" : "142") +
                              ",47.15,-122.10 --clouds none --vis 20 --time 1 --frames 3 --screenshot 3:" + shot);
    ASSERT_EQ(r.status, 0) << r.out;
    std::vector<int> tops = skyline(shot);
    ASSERT_EQ(tops.size(), 80u);
    // The highest ground in the middle columns against the edges' horizon.
    peak[k] = *std::min_element(tops.begin() + 30, tops.begin() + 50);
    std::vector<int> sides(tops.begin(), tops.begin() + 15);
    sides.insert(sides.end(), tops.end() - 15, tops.end());
    std::sort(sides.begin(), sides.end());
    edge[k] = sides[sides.size() / 2];
    std::remove(shot.c_str());
  }
  // How far the middle rises over the edges, in rows: the mountain's cone ahead, the lowlands behind.
  int rise[2] = {edge[0] - peak[0], edge[1] - peak[1]};
  EXPECT_GT(rise[0], 12) << "south-east: peak row " << peak[0] << ", horizon row " << edge[0];
  EXPECT_GT(rise[0], rise[1] + 8) << "north-west: peak row " << peak[1] << ", horizon row " << edge[1];
}
