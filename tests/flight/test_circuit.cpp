// Whole flights through the headless runner: the scripted circuit at the
// default airport, and the runner's flight verbs refused when malformed.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "tests/support/run_runner.h"

namespace {
using runner_test::run_result;

// The runner from a configuration of its own, so that it starts as a first start does.
run_result run(const std::string& args) {
  std::string home = std::string(TARVEL_BUILD_DIR) + "/testtmp/circuit";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  return runner_test::run_shell("cd " + std::string(TARVEL_BUILD_DIR) + " && XDG_CONFIG_HOME=" + home +
                                "/config XDG_DATA_HOME=" + home + "/data ./tarvel-headless " + args + " 2>&1");
}

// The "state" lines, each as its key=value fields.
std::vector<std::map<std::string, std::string>> states(const std::string& out) {
  std::vector<std::map<std::string, std::string>> rows;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("state ", 0) != 0) continue;
    std::map<std::string, std::string> row;
    std::istringstream words(line.substr(6));
    for (std::string w; words >> w;) {
      size_t eq = w.find('=');
      if (eq != std::string::npos) row[w.substr(0, eq)] = w.substr(eq + 1);
    }
    rows.push_back(row);
  }
  return rows;
}

double num(const std::map<std::string, std::string>& row, const char* key) {
  auto it = row.find(key);
  return it == row.end() ? NAN : std::atof(it->second.c_str());
}

// Take-off from runway 06, a left-hand circuit at about 1000 ft above the
// field, a landing, and the aircraft stopped on the runway without a crash.
TEST(Circuit, TheRunnerFliesACircuitAndStopsOnTheRunway) {
  std::string script = std::string(TARVEL_SOURCE_DATA_DIR) + "/../tools/headless/circuit_ksbd06.txt";
  run_result r = run("--frames 7400 --script " + script);
  ASSERT_EQ(r.status, 0) << r.out;
  auto rows = states(r.out);
  ASSERT_EQ(rows.size(), 2u) << r.out;
  const auto& downwind = rows[0];
  EXPECT_GT(num(downwind, "agl_ft"), 800) << r.out;
  EXPECT_EQ(num(downwind, "on_surface"), 0);
  EXPECT_LT(num(downwind, "rwy_right_ft"), -3000);  // well to the left of the runway
  const auto& end = rows[1];
  EXPECT_EQ(num(end, "on_runway"), 1) << r.out;
  EXPECT_EQ(num(end, "stopped"), 1) << r.out;
  EXPECT_EQ(num(end, "on_surface"), 1);
  EXPECT_EQ(num(end, "crashes"), 0) << r.out;
  EXPECT_LT(std::fabs(num(end, "rwy_right_ft")), 100);  // on the centre line's half
}

// The same seed flies the same turbulent flight; another seed another one.
TEST(Circuit, TurbulentRunsRepeatWithTheirSeed) {
  std::string script = std::string(TARVEL_BUILD_DIR) + "/testtmp/turb_script.txt";
  {
    FILE* f = std::fopen(script.c_str(), "w");
    ASSERT_TRUE(f);
    std::fputs("599 state\n", f);
    std::fclose(f);
  }
  std::string args = "--frames 600 --start-air 3000,100,0 --turbulence 3 --script " + script;
  auto a = states(run(args + " --seed 4").out), b = states(run(args + " --seed 4").out),
       c = states(run(args + " --seed 5").out);
  ASSERT_EQ(a.size(), 1u);
  ASSERT_EQ(b.size(), 1u);
  ASSERT_EQ(c.size(), 1u);
  EXPECT_EQ(a[0], b[0]);
  EXPECT_NE(a[0]["lat"] + a[0]["lon"] + a[0]["alt_ft"], c[0]["lat"] + c[0]["lon"] + c[0]["alt_ft"]);
}

TEST(Circuit, MalformedFlightVerbsAreRefused) {
  const char* bad[] = {"5 throttle", "5 throttle full", "5 stick 0 0", "5 ap heading", "5 ap cruise 3",
                       "5 ap altitude x", "5 flaps 1 2"};
  std::string script = std::string(TARVEL_BUILD_DIR) + "/testtmp/bad_script.txt";
  for (const char* line : bad) {
    FILE* f = std::fopen(script.c_str(), "w");
    ASSERT_TRUE(f);
    std::fprintf(f, "%s\n", line);
    std::fclose(f);
    run_result r = run("--frames 10 --script " + script);
    EXPECT_EQ(r.status, 2) << line << "\n" << r.out;
    EXPECT_NE(r.out.find("line 1"), std::string::npos) << r.out;
  }
  run_result r = run("--turbulence 9");
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.out.find("--turbulence wants a level from 1 to 5"), std::string::npos) << r.out;
}

}  // namespace
