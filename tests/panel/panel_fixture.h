// The simulator started once, with the panel drawn into its main window, and
// the shipped aircraft edited into the layouts the tests need.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>
#include <cmath>
#include <string>
#include <vector>
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/set.h"
#include "tests/aircraft/acft_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace panel_test {

using acft::Acf;

// A palette index of the main window.
inline int px(int x, int y) {
  drawcontext* dc = desk_window_dc(mnw.wind[MAIN_WINDOW]);
  if (!dc || x < 0 || y < 0 || x >= dc->dx || y >= dc->dy) return -1;
  return dc->pix[(size_t)y * dc->row + x];
}

// How many pixels of a colour lie in the rectangle x1..x2, y1..y2 (inclusive).
inline int count(int x1, int y1, int x2, int y2, int colour) {
  int n = 0;
  for (int y = y1; y <= y2; y++)
    for (int x = x1; x <= x2; x++) n += px(x, y) == colour;
  return n;
}
inline int column(int x, int y1, int y2, int colour) { return count(x, y1, x, y2, colour); }
inline int row(int y, int x1, int x2, int colour) { return count(x1, y, x2, y, colour); }

inline std::vector<uint8_t> window_pixels() {
  drawcontext* dc = desk_window_dc(mnw.wind[MAIN_WINDOW]);
  std::vector<uint8_t> p;
  for (int y = 0; y < dc->dy; y++) p.insert(p.end(), dc->pix + (size_t)y * dc->row, dc->pix + (size_t)y * dc->row + dc->dx);
  return p;
}

// How many pixels of a colour lie on the ray at `angle` from (x, y), radii r1..r2.
inline int on_ray(int x, int y, int angle, int r1, int r2, int colour) {
  int n = 0;
  for (int r = r1; r <= r2; r++) {
    int rx = x + (int)std::lround(r * std::sin(angle * M_PI / 180)), ry = y - (int)std::lround(r * std::cos(angle * M_PI / 180));
    for (int dx = -1; dx <= 1; dx++)
      if (px(rx + dx, ry) == colour) {
        n++;
        break;
      }
  }
  return n;
}

inline Acf shipped(const char* name) {
  return Acf{acft::read_lines(std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/" + name + "/" + name + ".acf")};
}

inline Acf test_aircraft(const char* name) {
  return Acf{acft::read_lines(std::string(TARVEL_TEST_DIR) + "/panel/data/" + name + ".acf")};
}

// The trainer turned into a helicopter: no right-hand column, a tail rotor,
// a collective (tests/panel/data/Heli.acf).
inline Acf helicopter() { return test_aircraft("Heli"); }

// A trainer with a jet and its afterburner, reversers, speed brake and retracting gear.
inline Acf jet() {
  Acf a = shipped("Trainer");
  a.set(101, "entype", "3");
  a.set(101, "tmax lb", "2500");
  a.set(101, "spooltime s", "4");
  a.set(101, "burnerinc lb", "1200");
  a.set(101, "revthrustEQ", "1");
  a.set(100, "supptype", "4");
  return a;
}

// The trainer with the electronic panel (tests/panel/data/Glass.acf).
inline Acf glass() { return test_aircraft("Glass"); }

inline Acf four_engines() {
  return Acf{acft::read_lines(std::string(TARVEL_TEST_DIR) + "/flight/data/AllParts.acf")};
}

class PanelTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { shell_test::start_simulator_once(); }
  void SetUp() override {
    desk_alert_record_clear();
    desk_answer_clear();
    msc.paused = 0;
    msc.mousedown = 0;
    msc.dragtime = 0;
  }
  // Loads the aircraft, places it on the runway and draws the panel whole.
  static void fly(const Acf& a) {
    static std::string path;
    // One file per process: ctest runs the cases side by side.
    path = std::string(TARVEL_BUILD_DIR) + "/testtmp/panel/" + std::to_string(getpid()) + "/Test.acf";
    acft::write_lines(path, a.lines);
    std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
    std::snprintf(pln.C_file, STR_DIM, "Test.acf");
    load_plane();
    set_fltvars(10);
    redraw();
  }
  static void redraw() {
    set.view_is_fullscreen = 0;
    panplot();
    updatepanel();
  }
  // Updates until the lagged needles have settled.
  static void settle() {
    for (int k = 0; k < 300; k++) updatepanel();
  }
};

}  // namespace panel_test
