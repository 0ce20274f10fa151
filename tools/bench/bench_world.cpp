// Loading the default region from the shipped files, and sliding it one degree;
// building quadrants from the global models where no file exists, one and a
// whole region, with the tile cache cold (first visit) and warm.
#include <benchmark/benchmark.h>
#include <cstdio>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_world.h"
#include "basekit/platform/platform.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/records.h"

static void set_up_world() {
  static int done = 0;
  if (done) return;
  done = 1;
  clear_records();
  init_constants();
  plat_srand(1);
  std::snprintf(app_path, STR_DIM, "%s", plat_app_dir());
  init_country_data();
}

static void BM_load_region(benchmark::State& state) {
  set_up_world();
  for (auto _ : state) {
    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region();
    benchmark::DoNotOptimize(planez[88][79]);
  }
}
BENCHMARK(BM_load_region)->Unit(benchmark::kMillisecond);

// One slide per iteration, west and back east in turn, each reading the
// shipped files of the two new quadrants.
static void BM_slide_region(benchmark::State& state) {
  set_up_world();
  env.lat_sou = 33;
  env.lon_wes = -118;
  load_region();
  int dir = SLIDE_WEST;
  for (auto _ : state) {
    slide_region(dir);
    dir = dir == SLIDE_WEST ? SLIDE_EAST : SLIDE_WEST;
    benchmark::DoNotOptimize(planez[88][79]);
  }
}
BENCHMARK(BM_slide_region)->Unit(benchmark::kMillisecond);

static void BM_read_database(benchmark::State& state) {
  set_up_world();
  for (auto _ : state) init_country_data();
}
BENCHMARK(BM_read_database)->Unit(benchmark::kMillisecond);

// One quadrant of the Alps (Innsbruck) with the database's runways, tiles cached.
static void BM_build_quadrant(benchmark::State& state) {
  set_up_world();
  static envquad q;
  for (auto _ : state) {
    build_env_quadrant(47, 11, &q);
    benchmark::DoNotOptimize(q.z[30][40]);
  }
  state.counters["cache_kB"] = wld_cache_bytes() / 1024.0;
}
BENCHMARK(BM_build_quadrant)->Unit(benchmark::kMillisecond);

// The same with the models opened afresh each time: every tile read from disk and inflated.
static void BM_build_quadrant_cold(benchmark::State& state) {
  set_up_world();
  static envquad q;
  for (auto _ : state) {
    wld_set_folder(nullptr);
    build_env_quadrant(47, 11, &q);
    benchmark::DoNotOptimize(q.z[30][40]);
  }
}
BENCHMARK(BM_build_quadrant_cold)->Unit(benchmark::kMillisecond);

// A whole region where no file exists (around Innsbruck): six quadrants built.
static void BM_load_built_region(benchmark::State& state) {
  set_up_world();
  for (auto _ : state) {
    env.lat_sou = 46;
    env.lon_wes = 10;
    load_region();
    benchmark::DoNotOptimize(planez[88][79]);
  }
}
BENCHMARK(BM_load_built_region)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
