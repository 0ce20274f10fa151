// The instrument panel: one incremental update (updatepanel) in level flight
// and one full redraw (panplot), on the default aircraft and on the
// electronic panel. The flight is flown once beforehand and its states are
// replayed, so the update sees what it sees in the simulator, frame by frame.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_con.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/set.h"
#include "sim/world/apt.h"
#include "tools/support/headless_start.h"
#include "tools/support/placeeye.h"


// The shipped trainer with its panel type changed, read from a copy.
static void load_with_panel(int paneltype) {
  char path[STR_DIM];
  default_aircraft_path(path);
  FILE* in = std::fopen(path, "rb");
  static char copy[] = "/tmp/tarvel-bench-panel.acf";
  FILE* out = std::fopen(copy, "wb");
  if (!in || !out) std::abort();
  char line[512];
  while (std::fgets(line, sizeof line, in)) {
    if (std::strstr(line, " paneltype")) std::snprintf(line, sizeof line, "%d paneltype\n", paneltype);
    std::fputs(line, out);
  }
  std::fclose(in);
  std::fclose(out);
  std::snprintf(pln.C_path, STR_DIM, "%s", copy);
  load_plane();
  std::remove(copy);
}

struct frame_state {
  flightstruct f;
  float elap;
  int cntr, cntr10;
};
static std::vector<frame_state> flight;

// Three thousand feet, 100 knots, power set and trimmed: 400 frames of it,
// hands off or rolling into a turn with the keyboard's stick.
static void fly_level(int paneltype, float roll = 0) {
  static int flown_for = -1;
  static float rolled = 0;
  if (flown_for == paneltype && rolled == roll) return;
  flown_for = paneltype;
  rolled = roll;
  if (pln.paneltype != paneltype) load_with_panel(paneltype);
  place_over_airport(find_apt_by_id("KSBD"), 3000 * 0.3048f);
  set.cus_x = (float)flt.x, set.cus_y = (float)flt.y, set.cus_z = (float)flt.z;
  set.cus_psi = 70;
  set.cus_v = 100 * con.ktstomsc;
  set_fltvars(12);
  initpower(0.75f);
  set.parkbrake = 0;
  find_trim(set.cus_v, 70);
  msc.prd = 0.05f;
  msc.evup = 2;
  set.MK_roll = roll;
  flight.clear();
  for (int k = 0; k < 400; k++) {
    if (++msc.cntr > 30000) msc.cntr = 0;
    if (msc.cntr % msc.evup == 0) msc.cntr10 = (msc.cntr10 + 1) % 10;
    control();
    deg2integ();
    flight.push_back(frame_state{flt, msc.elap_time, msc.cntr, msc.cntr10});
  }
  set.MK_roll = 0;
  set.view_is_fullscreen = 0;
  panplot();
  updatepanel();
}

static void replay(benchmark::State& state) {
  size_t k = 0;
  for (auto _ : state) {
    const frame_state& s = flight[k];
    std::memcpy(&flt, &s.f, sizeof flt);
    msc.elap_time = s.elap, msc.cntr = s.cntr, msc.cntr10 = s.cntr10;
    updatepanel();
    k = (k + 1) % flight.size();
  }
}

// The copy of the flight state alone, to be taken off the update's figure.
static void BM_flight_state_copy(benchmark::State& state) {
  start_headless_once();
  fly_level(1);
  size_t k = 0;
  for (auto _ : state) {
    std::memcpy(&flt, &flight[k].f, sizeof flt);
    benchmark::ClobberMemory();
    k = (k + 1) % flight.size();
  }
}
BENCHMARK(BM_flight_state_copy)->Unit(benchmark::kMicrosecond);

static void BM_updatepanel_level_flight(benchmark::State& state) {
  start_headless_once();
  fly_level(1);
  replay(state);
}
BENCHMARK(BM_updatepanel_level_flight)->Unit(benchmark::kMicrosecond);

// Rolling into a turn: the heading card, ball, compass and needles all move.
static void BM_updatepanel_turning(benchmark::State& state) {
  start_headless_once();
  fly_level(1, 0.2f);
  replay(state);
}
BENCHMARK(BM_updatepanel_turning)->Unit(benchmark::kMicrosecond);

static void BM_updatepanel_unchanged(benchmark::State& state) {
  start_headless_once();
  fly_level(1);
  for (auto _ : state) updatepanel();
}
BENCHMARK(BM_updatepanel_unchanged)->Unit(benchmark::kMicrosecond);

// The static panel alone, and with every instrument drawn on top (a full redraw).
static void BM_panplot(benchmark::State& state) {
  start_headless_once();
  fly_level(1);
  for (auto _ : state) panplot();
  updatepanel();
}
BENCHMARK(BM_panplot)->Unit(benchmark::kMicrosecond);

static void BM_full_redraw(benchmark::State& state) {
  start_headless_once();
  fly_level(1);
  for (auto _ : state) {
    panplot();
    updatepanel();
  }
}
BENCHMARK(BM_full_redraw)->Unit(benchmark::kMicrosecond);

static void BM_updatepanel_electronic(benchmark::State& state) {
  start_headless_once();
  fly_level(2);
  replay(state);
}
BENCHMARK(BM_updatepanel_electronic)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
