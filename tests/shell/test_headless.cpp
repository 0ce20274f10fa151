// The headless runner as a user drives it: a script in, alerts and PNGs out.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <string>
#include "tests/shell/runner_fixture.h"
#include "tests/support/png_rgb.h"

namespace {
using runner_test::run_result;

// Each test runs the program in a home of its own, so that the preferences one
// run leaves are read only by the runs of the same test.
run_result run(const std::string& args) {
  static runner_test::home h("headless");
  return runner_test::run_in(h, args);
}

std::string temp_path(const char* name) {
  return std::string(TARVEL_BUILD_DIR) + "/headless-" + std::to_string(getpid()) + "-" + name;
}

// Whether a readable PNG was written.
bool png_size(const std::string& path, int* w, int* h) {
  return !runner_test::png_rgb(path, w, h).empty();
}

TEST(Headless, Runs600FramesAndItsScreenshotShowsThePanel) {
  std::string shot = temp_path("600.png");
  run_result r = run("--frames 600 --seed 7 --screenshot 600:" + shot);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("frames done"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("alert: Corvane Message"), std::string::npos) << r.out;
  int w = 0, h = 0;
  auto px = runner_test::png_rgb(shot, &w, &h);
  ASSERT_FALSE(px.empty()) << r.out;
  ASSERT_EQ(w, 800);
  ASSERT_EQ(h, 600);
  // Standing on the runway the attitude indicator shows its blue above its brown.
  const unsigned char* sky = &px[(335 * 800 + 195) * 3];
  const unsigned char* ground = &px[(395 * 800 + 195) * 3];
  EXPECT_GT(sky[2], sky[0] + 60) << (int)sky[0] << "," << (int)sky[1] << "," << (int)sky[2];
  EXPECT_GT(ground[0], ground[2] + 60) << (int)ground[0] << "," << (int)ground[1] << "," << (int)ground[2];
  std::remove(shot.c_str());
}

TEST(Headless, ScriptCommandsRunAtTheirFrames) {
  std::string script = temp_path("script.txt");
  std::string early = temp_path("early.png"), late = temp_path("late.png");
  {
    std::ofstream s(script);
    s << "# the about box is answered, then the run quits early\n"
      << "0 answer 0\n"
      << "3 menu 801\n"
      << "4 screenshot " << early << "\n"
      << "5 quit\n"
      << "9 screenshot " << late << "\n";
  }
  run_result r = run("--frames 20 --script " + script);
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Tarvel version"), std::string::npos) << r.out;
  int w, h;
  EXPECT_TRUE(png_size(early, &w, &h));
  EXPECT_FALSE(png_size(late, &w, &h));  // the run had quit by then
  std::remove(script.c_str());
  std::remove(early.c_str());
}

TEST(Headless, BadScriptsAndOptionsAreRefusedWithTheirLine) {
  std::string script = temp_path("bad.txt");
  {
    std::ofstream s(script);
    s << "1 key a\n"
      << "2 click 10\n";
  }
  run_result r = run("--frames 5 --script " + script);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("line 2: click needs X Y"), std::string::npos) << r.out;
  r = run("--frames -3");
  EXPECT_EQ(r.status, 2);
  r = run("--screenshot nocolon.png");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("FRAME:PATH"), std::string::npos);
  r = run("--script /no/such/script");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("cannot read script /no/such/script"), std::string::npos);
  std::remove(script.c_str());
}

TEST(Headless, StartsAtAnAirportAndPrintsTheRegionAndTheGeometryReport) {
  run_result r = run("--frames 3 --airport KSBD --geometry-report");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("region 33 -119 airports "), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Simulating Trainer.acf"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Finite Wing for Left Wing #1"), std::string::npos) << r.out;
  r = run("--frames 1 --airport ZZZZ");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.out.find("no airport ZZZZ"), std::string::npos) << r.out;
}

TEST(Headless, FliesAnotherAircraftFromItsPath) {
  std::string twin = std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/LightTwin/LightTwin.acf";
  run_result r = run("--frames 2 --geometry-report --aircraft '" + twin + "'");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("Simulating LightTwin.acf"), std::string::npos) << r.out;
}
}  // namespace
