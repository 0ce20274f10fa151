// The shipped scenery from the air: over San Bernardino at 8000 ft the
// mountains stand up to the north, above the horizon of the basin to the south.
#include <png.h>
#include <unistd.h>
#include <vector>
#include "../support/run_runner.h"
#include "world_fixture.h"

namespace {

// Per tenth column of the view, the first row below the sky.
std::vector<int> skyline(const std::string& path) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  std::vector<int> tops;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return tops;
  img.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> px(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, px.data(), 0, nullptr)) return tops;
  auto at = [&](int x, int y) { return &px[(size_t)(y * img.width + x) * 3]; };
  const unsigned char* sky = at(400, 60);
  for (int x = 0; x < 800; x += 10) {
    int y = 45;
    while (y < 265 && at(x, y)[0] == sky[0] && at(x, y)[1] == sky[1] && at(x, y)[2] == sky[2]) y++;
    tops.push_back(y);
  }
  return tops;
}

}  // namespace

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
