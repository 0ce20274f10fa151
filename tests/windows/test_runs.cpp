// The windows as a user meets them through the headless runner: opened from
// their menus, clicked and typed into, closed with their close box; and every
// window on the screen whole, drawn with its controls.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>
#include "basekit/platform/desktop.h"
#include "sim/shell/menus.h"
#include "tests/support/run_runner.h"
#include "tests/windows/windows_fixture.h"

namespace {
using runner_test::run_result;

std::string temp_path(const std::string& name) {
  return std::string(TARVEL_BUILD_DIR) + "/windows-" + std::to_string(getpid()) + "-" + name;
}

// The runner in a configuration folder of its own, so that each run starts
// from the defaults (the runner writes its preferences on quit).
run_result run_fresh(const std::string& name, const std::string& args) {
  std::string home = temp_path(name + "-home");
  std::string cmd = "rm -rf '" + home + "' && mkdir -p '" + home + "' && cd " + TARVEL_BUILD_DIR +
                    " && XDG_CONFIG_HOME='" + home + "' ./tarvel-headless " + args + " 2>&1; s=$?; rm -rf '" + home +
                    "'; exit $s";
  return runner_test::run_shell(cmd);
}

struct picture {
  int w = 0, h = 0;
  std::vector<unsigned char> px;
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

picture read_png(const std::string& path) {
  picture p;
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return p;
  img.format = PNG_FORMAT_RGB;
  p.px.resize(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, p.px.data(), 0, nullptr)) p.px.clear();
  p.w = (int)img.width;
  p.h = (int)img.height;
  return p;
}

void write_script(const std::string& path, const std::string& text) {
  std::ofstream s(path);
  s << text;
}

TEST(WindowRuns, TypingKlaxAndClosingPutsTheAircraftOnItsRunway) {
  std::string script = temp_path("klax.txt");
  write_script(script,
               "5 menu 309\n"
               "7 type KLAX\n"
               "9 close 1\n"
               "12 state\n");
  run_result r = run_fresh("klax", "--frames 12 --script " + script);
  std::remove(script.c_str());
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
  std::string script = temp_path("night.txt"), day = temp_path("day.png"), night = temp_path("night.png");
  write_script(script, "3 menu 403\n"
                       "5 wclick 9 20 22\n"  // day
                       "6 close 9\n"
                       "8 screenshot " + day + "\n"
                       "9 menu 403\n"
                       "11 wclick 9 20 100\n"  // night
                       "12 close 9\n"
                       "14 screenshot " + night + "\n");
  run_result r = run_fresh("night", "--frames 14 --clouds none --vis 20 --view 626 --script " + script);
  ASSERT_EQ(r.status, 0) << r.out;
  picture d = read_png(day), n = read_png(night);
  ASSERT_EQ(d.w, 800);
  ASSERT_EQ(n.w, 800);
  float day_sky = d.mean(0, 40, 800, 200, 2), night_sky = n.mean(0, 40, 800, 200, 2);
  EXPECT_GT(day_sky, 120) << "a blue day sky";
  EXPECT_LT(night_sky, 40) << "a dark night sky";
  float day_all = d.mean(0, 40, 800, 580, 0) + d.mean(0, 40, 800, 580, 1) + d.mean(0, 40, 800, 580, 2);
  float night_all = n.mean(0, 40, 800, 580, 0) + n.mean(0, 40, 800, 580, 1) + n.mean(0, 40, 800, 580, 2);
  EXPECT_LT(night_all, day_all / 3);
  for (const std::string& f : {script, day, night}) std::remove(f.c_str());
}

TEST(WindowRuns, AnOvercastSetInTheWeatherWindowLiesBelowTheAircraft) {
  std::string script = temp_path("deck.txt"), shot = temp_path("deck.png"), clear = temp_path("clear.png");
  // From the defaults (base 4000, tops 6000): base down 1000, tops down 1000.
  write_script(script, "3 menu 406\n"
                       "5 wclick 11 145 121\n"
                       "6 wclick 11 145 83\n"
                       "7 close 11\n"
                       "20 screenshot " + shot + "\n");
  run_result r = run_fresh("deck", "--frames 20 --time 1 --vis 20 --start-air 7000,110,0 --script " + script);
  ASSERT_EQ(r.status, 0) << r.out;
  write_script(script, "3 menu 406\n"
                       "5 wclick 11 275 30\n"  // type: overcast -> clear
                       "7 close 11\n"
                       "20 screenshot " + clear + "\n");
  run_result c = run_fresh("clear", "--frames 20 --time 1 --vis 20 --start-air 7000,110,0 --script " + script);
  ASSERT_EQ(c.status, 0) << c.out;
  picture p = read_png(shot), q = read_png(clear);
  ASSERT_EQ(p.w, 800);
  ASSERT_EQ(q.w, 800);
  // Above the tops: blue sky high in the view, and below the horizon a flat
  // grey deck where the clear day shows the ground.
  EXPECT_GT(p.mean(0, 30, 800, 60, 2), p.mean(0, 30, 800, 60, 0) + 60) << "sky above";
  int grey_deck = 0, grey_clear = 0;
  for (int y = 150; y < 260; y += 2)
    for (int x = 0; x < 800; x += 4) {
      const unsigned char* a = p.at(x, y);
      const unsigned char* b = q.at(x, y);
      grey_deck += a[0] > 90 && std::abs(a[0] - a[1]) < 12 && std::abs(a[1] - a[2]) < 12;
      grey_clear += b[0] > 90 && std::abs(b[0] - b[1]) < 12 && std::abs(b[1] - b[2]) < 12;
    }
  EXPECT_GT(grey_deck, 55 * 200 * 8 / 10) << "the deck fills the view below the horizon";
  EXPECT_LT(grey_clear, grey_deck / 2) << "without it the ground shows";
  for (const std::string& f : {script, shot, clear}) std::remove(f.c_str());
}

// Every settings window opened from its menu, on the screen whole, with its
// controls: the frame's caption, the green of the values and the grey of the
// labels inside its client area.
TEST(WindowRuns, EveryWindowIsDrawnWithItsControlsAndFitsOnTheScreen) {
  struct shot {
    int window, command;
  };
  const shot shots[] = {{1, 309},  {2, 310},  {4, 313},  {5, 314},  {6, 322},  {7, 325},  {9, 403},
                        {10, 405}, {11, 406}, {12, 407}, {13, 408}, {14, 410}, {15, 411}, {16, 413},
                        {17, 414}, {18, 416}, {19, 417}, {20, 418}, {21, 420}, {22, 422}, {25, 507}};
  std::string script = temp_path("all.txt"), text;
  int frame = 3;
  for (const shot& s : shots) {
    text += std::to_string(frame) + " menu " + std::to_string(s.command) + "\n";
    text += std::to_string(frame + 2) + " screenshot " + temp_path("w" + std::to_string(s.window) + ".png") + "\n";
    frame += 3;
  }
  write_script(script, text);
  run_result r = run_fresh("all", "--frames " + std::to_string(frame) + " --time 1 --script " + script);
  std::remove(script.c_str());
  ASSERT_EQ(r.status, 0) << r.out;
  for (const shot& s : shots) {
    std::string path = temp_path("w" + std::to_string(s.window) + ".png");
    picture p = read_png(path);
    std::remove(path.c_str());
    ASSERT_EQ(p.w, 800) << s.window;
    const window_entry* e = window_entry_of(s.window);
    ASSERT_NE(e, nullptr);
    // Where the window layer puts a settings window of this size.
    int cx = (800 - e->dx) / 2 + DESK_BORDER, cy = std::max((600 - e->dy) / 2 + DESK_BORDER + DESK_CAPTION_H, 40);
    EXPECT_GE(cx - DESK_BORDER, 0) << s.window;
    EXPECT_LE(cx + e->dx + DESK_BORDER, 800) << s.window;
    EXPECT_LE(cy + e->dy + DESK_BORDER, 600) << s.window;
    // The caption bar above the client, blue.
    const unsigned char* cap = p.at(cx + 2, cy - 10);
    EXPECT_GT(cap[2], cap[0] + 40) << "caption of window " << s.window;
    int green = p.count(cx, cy, cx + e->dx, cy + e->dy, 51, 204, 51, 20);
    int grey = p.count(cx, cy, cx + e->dx, cy + e->dy, 187, 187, 187, 30) +
               p.count(cx, cy, cx + e->dx, cy + e->dy, 255, 255, 255, 30);
    if (s.window == 25) {
      // The isometric region: the land of the region in its greens and browns.
      EXPECT_GT(p.count(cx, cy, cx + e->dx, cy + e->dy, 0, 170, 0, 20) +
                    p.count(cx, cy, cx + e->dx, cy + e->dy, 0, 85, 0, 20),
                5000)
          << "land";
    } else if (s.window == 4) {
      EXPECT_GT(p.count(cx, cy, cx + e->dx, cy + e->dy, 0, 170, 0, 20), 30000) << "land";
      EXPECT_GT(p.count(cx, cy, cx + e->dx, cy + e->dy, 51, 102, 204, 20), 100000) << "sea";
    } else {
      EXPECT_GT(green, 20) << "values in window " << s.window;
    }
    EXPECT_GT(grey, 30) << "labels in window " << s.window;
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
