// The headless runner's view options and script verbs, as a user drives them.
#include <gtest/gtest.h>
#include "tests/support/png_rgb.h"
#include "tests/support/run_runner.h"
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
using runner_test::png_rgb;
using runner_test::run;
using runner_test::run_result;

std::string temp_path(const char* name) {
  return std::string(TARVEL_BUILD_DIR) + "/runner-" + std::to_string(getpid()) + "-" + name;
}

TEST(Runner, ScreenshotsOfAnyViewAtAnyFrame) {
  std::string script = temp_path("views.txt"), fwd = temp_path("fwd.png"), back = temp_path("back.png"),
              night = temp_path("night.png");
  {
    std::ofstream s(script);
    s << "2 screenshot " << fwd << "\n"
      << "3 view 612\n"
      << "4 screenshot " << back << "\n"
      << "5 view 626\n"
      << "5 time 4\n"
      << "6 screenshot " << night << "\n";
  }
  run_result r = run("--frames 6 --time 1 --clouds none --vis 20 --view 626 --script " + script);
  ASSERT_EQ(r.status, 0) << r.out;
  int w = 0, h = 0;
  std::vector<unsigned char> a = png_rgb(fwd, &w, &h), b = png_rgb(back, &w, &h), n = png_rgb(night, &w, &h);
  ASSERT_EQ(w, 800);
  ASSERT_EQ(h, 600);
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  ASSERT_EQ(a.size(), n.size());
  auto at = [&](const std::vector<unsigned char>& p, int x, int y) { return &p[(size_t)(y * w + x) * 3]; };
  // Day, clear: blue sky high in the view, darker ground low in it.
  const unsigned char* sky = at(a, 400, 100);
  EXPECT_GT(sky[2], sky[0] + 80);
  const unsigned char* ground = at(a, 400, 560);
  EXPECT_LT(ground[2], sky[2]);
  EXPECT_NE(a, b);  // looking back is another picture
  // At night the same view is dark.
  const unsigned char* dark = at(n, 400, 100);
  EXPECT_LT(dark[0] + dark[1] + dark[2], 120);
  for (const std::string& f : {script, fwd, back, night}) std::remove(f.c_str());
}

TEST(Runner, TheEyeCanBePlacedOverTheAirportAndRunsRepeat) {
  std::string one = temp_path("one.png"), two = temp_path("two.png");
  std::string args = "--frames 1 --airport KSBD --time 1 --clouds none --eye-above 3000 --view 603 --zoom 2 ";
  ASSERT_EQ(run(args + "--screenshot 1:" + one).status, 0);
  ASSERT_EQ(run(args + "--screenshot 1:" + two).status, 0);
  int w = 0, h = 0;
  std::vector<unsigned char> a = png_rgb(one, &w, &h), b = png_rgb(two, &w, &h);
  ASSERT_FALSE(a.empty());
  EXPECT_EQ(a, b);
  // Green fields below the eye, the runway's blue-grey asphalt ahead in the middle.
  auto at = [&](int x, int y) { return &a[(size_t)(y * w + x) * 3]; };
  EXPECT_GT(at(400, 240)[1], at(400, 240)[0] + 20);
  int asphalt = 0;
  for (int y = 120; y < 180; y++)
    for (int x = 390; x < 440; x++) asphalt += at(x, y)[2] > at(x, y)[1] + 20 && at(x, y)[1] < 100;
  EXPECT_GT(asphalt, 100);
  std::remove(one.c_str());
  std::remove(two.c_str());
}

TEST(Runner, ViewOptionsAreCheckedAndDescribed) {
  run_result r = run("--view 618");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("--view wants a view command"), std::string::npos) << r.out;
  r = run("--clouds 5000:4000");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("--clouds wants BASE:TOPS"), std::string::npos) << r.out;
  r = run("--time 9");
  EXPECT_EQ(r.status, 2);
  std::string script = temp_path("badview.txt");
  {
    std::ofstream s(script);
    s << "1 zoom -2\n";
  }
  r = run("--frames 2 --script " + script);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("zoom needs a positive number"), std::string::npos) << r.out;
  std::remove(script.c_str());
}
}  // namespace
