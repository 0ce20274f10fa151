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
