// The windows as a user meets them through the headless runner: opened from
// their menus, clicked and typed into, closed with their close box; and every
// window on the screen whole, drawn with its controls.
#include <gtest/gtest.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include "basekit/platform/desktop.h"
#include "sim/shell/menus.h"
#include "tests/shell/runner_fixture.h"
#include "tests/support/png_rgb.h"
#include "tests/windows/windows_fixture.h"

namespace {
using runner_test::home;
using runner_test::run_result;

struct picture {
  int w = 0, h = 0;
  std::vector<unsigned char> px;
  explicit picture(const std::string& path) { px = runner_test::png_rgb(path, &w, &h); }
  const unsigned char* at(int x, int y) const { return &px[(size_t)(y * w + x) * 3]; }
  // Pixels of the rectangle near the colour r, g, b.
  int count(int x0, int y0, int x1, int y1, int r, int g, int b, int tol = 12) const {
    int n = 0;
    for (int y = y0; y < y1; y++)
      for (int x = x0; x < x1; x++) {
        const unsigned char* p = at(x, y);
        n += std::abs(p[0] - r) <= tol && std::abs(p[1] - g) <= tol && std::abs(p[2] - b) <= tol;
      }
    return n;
  }
  float mean(int x0, int y0, int x1, int y1, int channel) const {
    double s = 0;
    for (int y = y0; y < y1; y++)
      for (int x = x0; x < x1; x++) s += at(x, y)[channel];
    return (float)(s / ((x1 - x0) * (y1 - y0)));
  }
};

// The runner from the defaults (a home of its own) with this script.
run_result run_script(const home& h, const std::string& args, const std::string& script) {
  std::ofstream(h.file("script.txt")) << script;
  return runner_test::run_in(h, args + " --script '" + h.file("script.txt") + "'");
}

TEST(WindowRuns, TypingKlaxAndClosingPutsTheAircraftOnItsRunway) {
  home h("win-klax");
  run_result r = run_script(h, "--frames 12", "5 menu 309\n7 type KLAX\n9 close 1\n12 state\n");
  ASSERT_EQ(r.status, 0) << r.out;
  size_t at = r.out.find("state frame=12");
  ASSERT_NE(at, std::string::npos) << r.out;
  std::string state = r.out.substr(at, r.out.find('\n', at) - at);
  float lat = 0, lon = 0;
  ASSERT_EQ(std::sscanf(state.c_str() + state.find("lat="), "lat=%f lon=%f", &lat, &lon), 2) << state;
  EXPECT_NEAR(lat, 33.94f, 0.03f) << state;
  EXPECT_NEAR(lon, -118.41f, 0.04f) << state;
  EXPECT_NE(state.find("on_runway=1"), std::string::npos) << state;
  EXPECT_EQ(r.out.find("could not find"), std::string::npos) << r.out;
}

TEST(WindowRuns, NightChosenInTheTimeWindowDarkensTheView) {
  home h("win-night");
  std::string day = h.file("day.png"), night = h.file("night.png");
  // Day, then night.
  run_result r = run_script(h, "--frames 14 --clouds none --vis 20 --view 626",
                            "3 menu 403\n5 wclick 9 20 22\n6 close 9\n8 screenshot " + day +
                                "\n9 menu 403\n11 wclick 9 20 100\n12 close 9\n14 screenshot " + night + "\n");
  ASSERT_EQ(r.status, 0) << r.out;
  picture d(day), n(night);
  ASSERT_EQ(d.w, 800);
  ASSERT_EQ(n.w, 800);
  EXPECT_GT(d.mean(0, 40, 800, 200, 2), 120) << "a blue day sky";
  EXPECT_LT(n.mean(0, 40, 800, 200, 2), 40) << "a dark night sky";
  auto all = [](const picture& p) {
    return p.mean(0, 40, 800, 580, 0) + p.mean(0, 40, 800, 580, 1) + p.mean(0, 40, 800, 580, 2);
  };
  EXPECT_LT(all(n), all(d) / 3);
}

TEST(WindowRuns, AnOvercastSetInTheWeatherWindowLiesBelowTheAircraft) {
  const std::string args = "--frames 20 --time 1 --vis 20 --start-air 7000,110,0";
  // From the defaults (base 4000, tops 6000): base down 1000, tops down 1000; or the type changed to clear.
  home h("win-deck"), c("win-clear");
  run_result r = run_script(h, args, "3 menu 406\n5 wclick 11 145 121\n6 wclick 11 145 83\n7 close 11\n"
                                     "20 screenshot " + h.file("deck.png") + "\n");
  ASSERT_EQ(r.status, 0) << r.out;
  r = run_script(c, args,
                 "3 menu 406\n5 wclick 11 275 30\n7 close 11\n20 screenshot " + c.file("clear.png") + "\n");
  ASSERT_EQ(r.status, 0) << r.out;
  picture p(h.file("deck.png")), q(c.file("clear.png"));
  ASSERT_EQ(p.w, 800);
  ASSERT_EQ(q.w, 800);
  // Above the tops: blue sky high in the view, and below the horizon a flat
  // grey deck where the clear day shows the ground.
  EXPECT_GT(p.mean(0, 30, 800, 60, 2), p.mean(0, 30, 800, 60, 0) + 60) << "sky above";
  auto grey = [](const picture& s) {
    int n = 0;
    for (int y = 150; y < 260; y += 2)
      for (int x = 0; x < 800; x += 4) {
        const unsigned char* a = s.at(x, y);
        n += a[0] > 90 && std::abs(a[0] - a[1]) < 12 && std::abs(a[1] - a[2]) < 12;
      }
    return n;
  };
  EXPECT_GT(grey(p), 55 * 200 * 8 / 10) << "the deck fills the view below the horizon";
  EXPECT_LT(grey(q), grey(p) / 2) << "without it the ground shows";
}

// Every settings window opened from its menu, with its controls: the frame's
// caption, the green of the values and the grey of the labels inside its client area.
TEST(WindowRuns, EveryWindowIsDrawnWithItsControls) {
  const struct { int window, command; } shots[] = {
      {1, 309},  {2, 310},  {4, 313},  {5, 314},  {6, 322},  {7, 325},  {9, 403},  {10, 405}, {11, 406}, {12, 407},
      {13, 408}, {14, 410}, {15, 411}, {16, 413}, {17, 414}, {18, 416}, {19, 417}, {20, 418}, {21, 420}, {22, 422},
      {25, 507}};
  home h("win-all");
  std::string text;
  int frame = 3;
  auto png = [&](int window) { return h.file(("w" + std::to_string(window) + ".png").c_str()); };
  for (const auto& s : shots) {
    text += std::to_string(frame) + " menu " + std::to_string(s.command) + "\n";
    text += std::to_string(frame + 2) + " screenshot " + png(s.window) + "\n";
    frame += 3;
  }
  run_result r = run_script(h, "--frames " + std::to_string(frame) + " --time 1", text);
  ASSERT_EQ(r.status, 0) << r.out;
  for (const auto& s : shots) {
    picture p(png(s.window));
    ASSERT_EQ(p.w, 800) << s.window;
    const window_entry* e = window_entry_of(s.window);
    ASSERT_NE(e, nullptr);
    // Where the window layer puts a settings window of this size.
    int cx = (800 - e->dx) / 2 + DESK_BORDER, cy = std::max((600 - e->dy) / 2 + DESK_BORDER + DESK_CAPTION_H, 40);
    auto count = [&](int red, int green, int blue, int tol) {
      return p.count(cx, cy, cx + e->dx, cy + e->dy, red, green, blue, tol);
    };
    // The caption bar above the client, blue.
    const unsigned char* cap = p.at(cx + 2, cy - 10);
    EXPECT_GT(cap[2], cap[0] + 40) << "caption of window " << s.window;
    if (s.window == 25) {  // the isometric region: its land in greens
      EXPECT_GT(count(0, 170, 0, 20) + count(0, 85, 0, 20), 5000) << "land";
    } else if (s.window == 4) {
      EXPECT_GT(count(0, 170, 0, 20), 30000) << "land";
      EXPECT_GT(count(51, 102, 204, 20), 100000) << "sea";
    } else {
      EXPECT_GT(count(51, 204, 51, 20), 20) << "values in window " << s.window;
    }
    EXPECT_GT(count(187, 187, 187, 30) + count(255, 255, 255, 30), 30) << "labels in window " << s.window;
  }
}

// The same from inside: each window the layer actually made lies on the screen.
class WindowPlaces : public windows_test::WindowTest {};

TEST_F(WindowPlaces, EveryOpenedWindowLiesWhollyOnTheScreen) {
  const int commands[] = {309, 310, 313, 314, 322, 325, 403, 405, 406, 407, 408,
                          410, 411, 413, 414, 416, 417, 418, 420, 422, 507};
  for (int command : commands) {
    handlemenu(command);
    int open = 0;
    for (int w = 1; w <= WIN_LAST; w++) {
      if (!mnw.up[w]) continue;
      open++;
      int x, y, dx, dy;
      ASSERT_TRUE(desk_window_client_rect(mnw.wind[w], &x, &y, &dx, &dy));
      EXPECT_GE(x - DESK_BORDER, 0) << w;
      EXPECT_GE(y - DESK_CAPTION_H - DESK_BORDER, DESK_MENUBAR_H) << w;
      EXPECT_LE(x + dx + DESK_BORDER, 800) << w;
      EXPECT_LE(y + dy + DESK_BORDER, 600) << w;
    }
    EXPECT_EQ(open, 1) << command;
  }
}

}  // namespace
