// The scenery from the air and from the runway, through the runner's
// screenshots: the shipped quadrants around San Bernardino, and the global
// models at Innsbruck and Mount Rainier.
#include <unistd.h>
#include <algorithm>
#include <vector>
#include "../support/run_runner.h"
#include "world_fixture.h"

namespace {
// The skyline of the screenshot a run of the runner takes at its last frame.
std::vector<int> skyline_after(const std::string& args, int frames) {
  std::string shot = std::string(TARVEL_BUILD_DIR) + "/shipped-view-" + std::to_string(getpid()) + ".png";
  auto r = runner_test::run(args + " --clouds none --time 1 --frames " + std::to_string(frames) + " --screenshot " +
                            std::to_string(frames) + ":" + shot);
  EXPECT_EQ(r.status, 0) << r.out;
  std::vector<int> tops = skyline(shot);
  std::remove(shot.c_str());
  EXPECT_EQ(tops.size(), 80u) << args;
  return tops;
}
double mean(const std::vector<int>& v) {
  double m = 0;
  for (int t : v) m += t / (double)v.size();
  return m;
}
}  // namespace

// Over San Bernardino at 8000 ft the mountains stand up to the north, above
// the horizon of the basin to the south.
TEST(ShippedView, MountainsNorthOfSanBernardino) {
  double avg[2];
  int low[2];
  for (int k = 0; k < 2; k++) {
    std::vector<int> tops = skyline_after(std::string("--airport KSBD --vis 60 --start-air 8000,120,") + (k ? "180" : "0"), 20);
    ASSERT_FALSE(tops.empty());
    avg[k] = mean(tops);
    low[k] = *std::min_element(tops.begin(), tops.end());
    // Sky above, ground below: the skyline lies inside the view.
    EXPECT_GT(low[k], 45);
    EXPECT_LT(avg[k], 200);
  }
  EXPECT_LT(avg[0], avg[1] - 2.5) << "north " << avg[0] << " south " << avg[1];
  EXPECT_LT(low[0], low[1] - 4) << "north " << low[0] << " south " << low[1];
}

// Where no file exists the ground comes from the global models: on the runway
// at Innsbruck, deep in its alpine valley, mountains fill the forward view far
// above the horizon (a level eye's lies near row 147); on the runway at a
// coastal field in the flat Netherlands they do not.
TEST(ShippedView, MountainsAheadFromInnsbrucksRunway) {
  std::vector<int> lowi = skyline_after("--airport LOWI --vis 20", 5), eham = skyline_after("--airport EHAM --vis 20", 5);
  ASSERT_FALSE(lowi.empty() || eham.empty());
  EXPECT_GT(*std::max_element(lowi.begin(), lowi.end()), 45) << "some sky";
  EXPECT_LT(mean(lowi), 110);
  EXPECT_GT(mean(eham), 135);
}

// Mount Rainier (4392 m) from 10000 ft, 23 nm north-west of it: its cone stands
// well above the horizon ahead, where the opposite view has none. (From over
// Seattle itself it lies 42 nm off, beyond the 20 nm visibility's drawing range.)
TEST(ShippedView, MountRainierAboveTheHorizonSouthEastOfTacoma) {
  int rise[2];
  for (int k = 0; k < 2; k++) {
    std::vector<int> tops = skyline_after(
        std::string("--airport KSEA --vis 20 --start-air 10000,120,") + (k ? "322" : "142") + ",47.15,-122.10", 3);
    ASSERT_FALSE(tops.empty());
    // How far the highest ground of the middle columns rises over the edges' horizon, in rows.
    int peak = *std::min_element(tops.begin() + 30, tops.begin() + 50);
    std::vector<int> sides(tops.begin(), tops.begin() + 15);
    sides.insert(sides.end(), tops.end() - 15, tops.end());
    std::sort(sides.begin(), sides.end());
    rise[k] = sides[sides.size() / 2] - peak;
  }
  EXPECT_GT(rise[0], 12) << "south-east";
  EXPECT_GT(rise[0], rise[1] + 8) << "north-west rises " << rise[1];
}
