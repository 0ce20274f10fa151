// The numbered windows of the simulator, one entry each: number, title, size,
// drawing, clicks, whether a held click repeats, animation and close action.
// Start-up registers them from here; the window procedure, the frame loop,
// the menus and process_zap all look them up here.
#pragma once
#include "basekit/bk_mnw.h"

enum {
  WIN_MAIN = MAIN_WINDOW,  // the panel and the out-the-window view
  WIN_APT_ID = 1,
  WIN_APT_NAME = 2,
  WIN_AREA_CHART = 3,      // the moving map around the aircraft
  WIN_WORLD = 4,
  WIN_LATLON = 5,
  WIN_WHERE_AM_I = 6,
  WIN_APT_IDS = 7,
  WIN_DATA_OUTPUT = 8,
  WIN_TIME = 9,
  WIN_WX_SPACE = 10,
  WIN_WX_ATMOSPHERE = 11,
  WIN_WX_GROUND = 12,
  WIN_WX_WATER = 13,
  WIN_FLIGHT_MODE = 14,
  WIN_JOYSTICK = 15,
  WIN_FUEL = 16,
  WIN_WEIGHTS = 17,
  WIN_REL_REALISTIC = 18,
  WIN_REL_INSTRUMENT = 19,
  WIN_REL_EQUIPMENT = 20,
  WIN_SOUND = 21,
  WIN_WARNINGS = 22,
  WIN_GRAPH = 23,
  WIN_FLIGHT_PATH = 24,    // the 3-D flight path and its replay
  WIN_ISOMETRIC = 25,
  WIN_AIRPORT_CHART = 26,  // the moving map around a chosen airport
  WIN_FLIGHT_PLAN = 27,
  WIN_LAST = 27            // 1..WIN_LAST are the settings and chart windows
};

struct window_entry {
  int index;
  const char* title;  // null: the owner titles and sizes it when it first opens
  int dx, dy;         // client size
  void (*plot)();     // the whole window
  void (*click)();    // a press at msc.mx, msc.my
  int repeats;        // a press held over half a second repeats every frame
  void (*animate)();  // every frame while the window is open
  void (*zap)();      // when the window is closed
};

// The entry of window `index`, or null when it has none.
const window_entry* window_entry_of(int index);
// Every settings window with a size of its own, registered with the window layer.
void register_windows();
// What happens when window `index` is closed.
void process_zap(int index);
// A key typed into window `index`: 1 when the window took it.
int  window_key(int index, int key, int character);
// The animations of the open windows, once a frame.
void animate_windows();
