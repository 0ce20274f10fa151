// One flight-model frame (deg2integ: two half-steps of force assembly and
// integration) for the shipped trainer and for an aircraft with all nineteen
// parts, trimmed in a glide at 5000 ft; the trainer at full power in
// turbulence, and rolling on the runway with its wheels, brakes and steering;
// and the terrain search for a point off the mesh. Also counts the heap
// allocations made inside the frames: there must be none.
#include <benchmark/benchmark.h>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_con.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/shell/lax.h"
#include "tools/support/headless_start.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

static std::atomic<long> allocations{0};

// Counting replacements of the global allocation functions. GCC sees their
// malloc and free meet through inlining and takes them for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
  allocations++;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
  allocations++;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop


// The all-parts aircraft lives with the flight tests.
static std::string all_parts_path() {
  std::string here = __FILE__;
  std::string root = here.substr(0, here.rfind("/tools/bench/"));
  return root + "/tests/flight/data/AllParts.acf";
}

static void load(const std::string& path) {
  std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
  const char* slash = std::strrchr(pln.C_path, '/');
  std::snprintf(pln.C_file, STR_DIM, "%s", slash ? slash + 1 : pln.C_path);
  load_plane();
}

// Trimmed at 5000 ft and 90 knots indicated, engine idle.
static void place() {
  set.cus_x = (float)flt.x;
  set.cus_y = (float)flt.y;
  set.cus_z = 5000 * con.fttomtrs;
  set.cus_psi = 0;
  atm_at_height(set.cus_z);
  set.cus_v = 90 * con.ktstomsc / std::sqrt(atm.crtsig);
  set_fltvars(12);
  initpower(0);
  find_trim(set.cus_v, 0);
  msc.prd = 0.05f;
  msc.evup = evup_for_step(msc.prd);
}

// Frames from the present state, back to it every `reset_every` frames; with
// `controls` the control law runs first, as in flight.
static void run_frames(benchmark::State& state, int reset_every = 1000, bool controls = false) {
  flightstruct start = flt;
  miscstruct start_msc = msc;
  long frames = 0, before = allocations.load(), crashes = 0;
  for (auto _ : state) {
    if (controls) control();
    deg2integ();
    if (flt.crash) {  // the flight would end here: start this run again
      crashes++;
      flt = start;
      msc = start_msc;
    }
    if (++msc.cntr % msc.evup == 0 && ++msc.cntr10 >= 10) msc.cntr10 = 0;
    if (++frames % reset_every == 0) {
      flt = start;
      msc = start_msc;
    }
    double where = flt.z;  // a copy: the barrier may pass a double through a general register
    benchmark::DoNotOptimize(where);
  }
  long made = allocations.load() - before;
  state.counters["allocations_per_frame"] = frames ? (double)made / (double)frames : 0;
  state.counters["crashes"] = (double)crashes;
  if (made) state.SkipWithError("heap allocations inside the frame");
}

static void BM_deg2integ_trainer(benchmark::State& state) {
  start_headless_once();
  set_default_aircraft();
  load_plane();
  place();
  run_frames(state);
}
BENCHMARK(BM_deg2integ_trainer)->Unit(benchmark::kMicrosecond);

static void BM_deg2integ_all_parts(benchmark::State& state) {
  start_headless_once();
  load(all_parts_path());
  int present = 0;
  for (int p = 0; p < PARTS; p++) present += have_this_part(p);
  state.counters["parts"] = present;
  place();
  run_frames(state);
}
BENCHMARK(BM_deg2integ_all_parts)->Unit(benchmark::kMicrosecond);

// Full power, climbing through turbulence at level 3: the engine, the wind
// model and the controls every frame.
static void BM_deg2integ_trainer_power_turbulence(benchmark::State& state) {
  start_headless_once();
  set_default_aircraft();
  load_plane();
  place();
  plat_srand(1);
  atm.wind_tbl = 3;
  assign_wind_tbl(1);
  for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = flt.thro[n] = 1;
  run_frames(state, 1000, true);
}
BENCHMARK(BM_deg2integ_trainer_power_turbulence)->Unit(benchmark::kMicrosecond);

// The take-off roll: three wheels on the runway, full power, brakes off.
static void BM_deg2integ_trainer_takeoff_roll(benchmark::State& state) {
  start_headless_once();
  set_default_aircraft();
  load_plane();
  atm.wind_tbl = 1;  // calm, whatever ran before
  for (int i = 0; i < 9; i++) atm.wndspd[i] = atm.shrspd[i] = atm.tbl[i] = 0;
  reset_weather();
  msc.typestart = 900;
  set_fltvars(10);
  set.parkbrake = 0;
  for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = 1;
  msc.prd = 0.05f;
  msc.evup = evup_for_step(msc.prd);
  run_frames(state, 200, true);  // ten seconds: still on the ground
  state.counters["on_surface"] = flt.onsurface;
}
BENCHMARK(BM_deg2integ_trainer_takeoff_roll)->Unit(benchmark::kMicrosecond);

// A point off the mesh: the search stops after its rings.
static void BM_find_local_h_off_mesh(benchmark::State& state) {
  start_headless_once();
  float x = planex[GRID_I - 1][GRID_J - 1] + 20, y = planey[GRID_I - 1][GRID_J - 1] - 5;
  float h;
  int i, j, t;
  for (auto _ : state) {
    find_local_h(x, y, &h, &i, &j, &t);
    benchmark::DoNotOptimize(h);
  }
}
BENCHMARK(BM_find_local_h_off_mesh)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
