// The panel as a user meets it through the headless runner: a take-off from
// the keyboard alone, the joystick's throttle, and an ILS approach.
#include <gtest/gtest.h>
#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>
#include "tests/support/png_rgb.h"
#include "tests/shell/runner_fixture.h"

namespace {

using runner_test::home;
using runner_test::run_result;

using runner_test::run_with_script;

// The "state" lines the runner printed, by frame: each a map of its fields.
std::map<int, std::map<std::string, double>> states(const std::string& out) {
  std::map<int, std::map<std::string, double>> all;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("state ", 0) != 0) continue;
    std::map<std::string, double> f;
    std::istringstream words(line.substr(6));
    for (std::string w; words >> w;) {
      size_t eq = w.find('=');
      if (eq != std::string::npos) f[w.substr(0, eq)] = std::atof(w.c_str() + eq + 1);
    }
    all[(int)f["frame"]] = f;
  }
  return all;
}

// A screenshot of the runner.
struct shot {
  std::vector<unsigned char> p;
  int w = 0, h = 0;
  explicit shot(const std::string& path) { p = runner_test::png_rgb(path, &w, &h); }
  // Window coordinates: the menu bar takes the screen's first 20 rows.
  const unsigned char* at(int x, int y) const { return &p[(size_t)((y + 20) * w + x) * 3]; }
  bool white(int x, int y) const { return at(x, y)[0] > 240 && at(x, y)[1] > 240 && at(x, y)[2] > 240; }
  bool is(int x, int y, int r, int g, int b) const {
    const unsigned char* c = at(x, y);
    return std::abs(c[0] - r) < 4 && std::abs(c[1] - g) < 4 && std::abs(c[2] - b) < 4;
  }
};

TEST(PanelRunner, KeyboardOnlyTakeOffClimbIdleAndPause) {
  std::ostringstream s;
  s << "5 state\n10 key b\n12 state\n";
  for (int k = 0; k < 24; k++) s << 20 + 2 * k << " key F2\n";
  s << "70 state\n400 state\n";
  for (int k = 0; k < 3; k++) s << 320 + 2 * k << " key KP2\n";
  s << "300 state\n600 state\n";
  for (int k = 0; k < 24; k++) s << 702 + 2 * k << " key F1\n";
  s << "760 state\n800 key p\n810 state\n900 state\n910 key p\n960 state\n";
  home h("panel-keys");
  run_result r = run_with_script(h, "--frames 970 --time 1", s.str());
  ASSERT_EQ(r.status, 0) << r.out;
  auto st = states(r.out);
  ASSERT_EQ(st.size(), 10u) << r.out;
  EXPECT_GT(st[5]["brake"], 0.5);   // set at the start
  EXPECT_EQ(st[12]["brake"], 0);    // b releases it
  EXPECT_EQ(st[70]["throttle"], 1);  // 24 presses of F2: full
  EXPECT_GT(st[400]["kias"], 50);   // 19 s into the roll
  // Three presses of keypad 2 and it climbs away.
  EXPECT_EQ(st[600]["on_surface"], 0);
  EXPECT_GT(st[600]["alt_ft"] - st[300]["alt_ft"], 100);
  EXPECT_EQ(st[600]["crashes"], 0);
  EXPECT_EQ(st[760]["throttle"], 0);  // 24 presses of F1: idle
  // p freezes position and speed until p again.
  EXPECT_EQ(st[810]["paused"], 1);
  for (const char* k : {"t", "lat", "lon", "alt_ft", "kias", "hdg"}) EXPECT_EQ(st[810][k], st[900][k]) << k;
  EXPECT_EQ(st[960]["paused"], 0);
  EXPECT_GT(st[960]["t"], st[900]["t"]);
  EXPECT_NE(st[960]["lat"] + st[960]["lon"], st[900]["lat"] + st[900]["lon"]);
}

TEST(PanelRunner, JoystickThrottleMovesTheLever) {
  home h("panel-joy");
  run_result r =
      run_with_script(h, "--frames 110", "0 joy 0 axis 2 32767\n30 state\n40 joy 0 axis 2 -32768\n100 state\n");
  ASSERT_EQ(r.status, 0) << r.out;
  auto st = states(r.out);
  EXPECT_LT(st[30]["throttle"], 0.05);
  EXPECT_EQ(st[100]["throttle"], 1);
}

// The Location menu's ILS final of KSBD runway 06 flown by the autopilot's
// approach modes: off the course at first (the needles show it), then down
// the localizer and glide slope to 200 ft over the runway.
TEST(PanelRunner, AutopilotFliesTheIlsOfKsbd06) {
  home h("panel-ils");
  // The script's menu command is the ILS Final item of KSBD's runway 06.
  run_result menus = runner_test::run_in(h, "--frames 1 --airport KSBD");
  ASSERT_EQ(menus.status, 0) << menus.out;
  size_t ils = menus.out.find("menu 11 ILS Final");
  ASSERT_NE(ils, std::string::npos);
  size_t ksbd = menus.out.find("San Bernardin >", ils);
  ASSERT_NE(ksbd, std::string::npos);
  ASSERT_NE(menus.out.substr(ksbd, 60).find("19301 Rwy 06"), std::string::npos) << menus.out.substr(ksbd, 60);

  std::ifstream in(std::string(TARVEL_TEST_DIR) + "/panel/data/ils_ksbd06.txt");
  std::ostringstream script;
  script << in.rdbuf();
  for (int f = 620; f <= 6800; f += 10) script << f << " state\n";
  std::string png = h.file("ils.png");
  run_result r = run_with_script(h, "--airport KSBD --time 1 --frames 6800 --screenshot 600:" + png, script.str());
  ASSERT_EQ(r.status, 0) << r.out;
  auto st = states(r.out);
  // 30 seconds 30 degrees left of the course: left of the localizer, the needle right.
  auto& off = st[600];
  EXPECT_EQ(off["flag1"], 1);  // TO
  EXPECT_EQ(off["flag2"], 1);
  EXPECT_GT(off["nav1_dots"], 0.4);
  EXPECT_LT(off["nav1_dots"], 1.5);
  EXPECT_LT(off["rwy_right_ft"], -800);
  EXPECT_LT(std::fabs(off["gs2_dots"]), 0.5);  // the glide slope held all along
  EXPECT_GT(off["dme1_nm"], 9);
  EXPECT_LT(off["dme1_nm"], 12);

  shot s(png);
  ASSERT_EQ(s.w, 800);
  // The VOR/ILS indicator (centre 439, 348): the course needle as many pixels
  // right as the needle's dots say, none at the centre; the red TO flag.
  int dx = (int)std::lround(off["nav1_dots"] * 8);
  auto white_run = [&](int x) {
    int n = 0;
    for (int y = 348 - 20; y < 348 - 3; y++) n += s.white(x, y);
    return n;
  };
  EXPECT_GE(white_run(439 + dx), 14) << dx;
  EXPECT_LE(white_run(439), 2);
  int red = 0;
  for (int x = 439 + 27; x < 439 + 44; x++)
    for (int y = 348 - 18; y < 348 - 11; y++) red += s.is(x, y, 255, 0, 0);
  EXPECT_GT(red, 10);
  // The HSI's glide-slope pointers (yellow) beside its card, level with its centre.
  int yellow = 0;
  for (int y = 496 - 2; y <= 496 + 2; y++) yellow += s.is(136, y, 255, 255, 0) + s.is(254, y, 255, 255, 0);
  EXPECT_GE(yellow, 4);

  // 200 ft over the runway (field 1159 ft): on the localizer, the glide slope and the centre line.
  const std::map<std::string, double>* low = nullptr;
  for (auto& [frame, f] : st)
    if (frame > 600 && f["alt_ft"] - 1159 <= 200) {
      low = &f;
      break;
    }
  ASSERT_NE(low, nullptr) << r.out.substr(r.out.size() > 3000 ? r.out.size() - 3000 : 0);
  auto f = *low;
  EXPECT_LT(std::fabs(f["nav1_dots"]), 1);
  EXPECT_LT(std::fabs(f["gs_dots"]), 1);
  EXPECT_LT(std::fabs(f["nav2_dots"]), 1);
  EXPECT_LT(std::fabs(f["gs2_dots"]), 1);
  EXPECT_LT(std::fabs(f["rwy_right_ft"]), 100);
  EXPECT_LT(f["rwy_along_ft"], -5000);  // short of the threshold
  EXPECT_GT(f["kias"], 80);
  EXPECT_LT(f["kias"], 100);
  EXPECT_EQ(f["flag2"], 1);
  EXPECT_EQ(f["crashes"], 0);
}

}  // namespace
