// Shared by the view tests: the whole simulator started once on the shipped
// world at its default airport, and helpers that draw one view and read it.
#pragma once
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/bk_graph.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/shell/lax.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"

// Starts the simulator the first time; later calls put back the flight,
// weather, instrument, radio and failure records as start-up left them, and
// the start conditions: clear day, 10 nm, forward view with the panel, the
// aircraft on runway 0 of KSBD.
void view_start();
// Day without clouds at visibility vis_nm, view v.
void view_conditions(int time, float vis_nm, int clouds, int view);
// Runs the scene pass once (no flight step).
void view_draw();
// A pixel of off-screen world 0 as last drawn.
int  view_pixel(int x, int y);
// How many pixels of the view (the rows copied to the screen) have this palette index / lie in lo..hi.
int  view_count(int color);
int  view_count_range(int lo, int hi);
// Locks world 0 cleared to color with the clip rectangle of the present
// layout, as the scene pass does before drawing, for drawing calls alone.
void view_canvas(int color);
// The eye at (x, y, z) looking along heading psi, pitch the, roll phi (degrees).
void view_eye(float x, float y, float z, float psi, float the, float phi);
// The PNG of the screen after the last pass, in the build's test output.
std::string view_shot(const char* name);

// Colours as the screen shows them: a pixel of world 0 through the palette.
struct rgb {
  int r, g, b;
};
rgb view_rgb(int x, int y);
// The mean colour of view rows y0 .. y1 - 1, every column.
rgb view_mean(int y0, int y1);
inline int luma(rgb c) { return (299 * c.r + 587 * c.g + 114 * c.b) / 1000; }
// The largest difference between two channels: 0 for a pure grey.
inline int tint(rgb c) {
  int lo = std::min(c.r, std::min(c.g, c.b)), hi = std::max(c.r, std::max(c.g, c.b));
  return hi - lo;
}
inline int distance(rgb a, rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }
// A clear day's sky: blue well above red and green.
inline bool sky_blue(rgb c) { return c.b > 200 && c.b > c.r + 80 && c.b > c.g + 40; }
inline bool green(rgb c) { return c.g > c.r + 20 && c.g > c.b + 10; }
::std::ostream& operator<<(::std::ostream& o, rgb c);
