// One flight-model frame (deg2integ: two half-steps of force assembly and
// integration) for the shipped trainer and for an aircraft with all nineteen
// parts, trimmed in a glide at 5000 ft. Also counts the heap allocations made
// inside the frames: there must be none.
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
#include "sim/flight/do_wx.h"
#include "sim/flight/integ.h"
#include "sim/flight/trim.h"
#include "sim/records.h"
#include "sim/shell/lax.h"

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

static void start_simulator() {
  static int done = 0;
  if (done) return;
  done = 1;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  plat_use_fake_clock(1000);
  tarvel_start();
  simulate_startup();
}

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

static void run_frames(benchmark::State& state) {
  flightstruct start = flt;
  miscstruct start_msc = msc;
  long frames = 0, before = allocations.load();
  for (auto _ : state) {
    deg2integ();
    if (++msc.cntr % msc.evup == 0 && ++msc.cntr10 >= 10) msc.cntr10 = 0;
    // Every thousand frames (50 s) back to the start, well clear of the ground.
    if (++frames % 1000 == 0) {
      flt = start;
      msc = start_msc;
    }
    benchmark::DoNotOptimize(flt.z);
  }
  long made = allocations.load() - before;
  state.counters["allocations_per_frame"] = frames ? (double)made / (double)frames : 0;
  if (made) state.SkipWithError("heap allocations inside the frame");
}

static void BM_deg2integ_trainer(benchmark::State& state) {
  start_simulator();
  set_default_aircraft();
  load_plane();
  place();
  run_frames(state);
}
BENCHMARK(BM_deg2integ_trainer)->Unit(benchmark::kMicrosecond);

static void BM_deg2integ_all_parts(benchmark::State& state) {
  start_simulator();
  load(all_parts_path());
  int present = 0;
  for (int p = 0; p < PARTS; p++) present += have_this_part(p);
  state.counters["parts"] = present;
  place();
  run_frames(state);
}
BENCHMARK(BM_deg2integ_all_parts)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
