// The out-the-window view alone: one scene pass (eye, sort, terrain, runways,
// buildings, clouds, copy to the window) per iteration, at 800 x 600 on the
// shipped world around KSBD. Reported as frames per second.
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>
#include "basekit/platform/platform.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/view/storm.h"
#include "sim/view/traffic.h"
#include "sim/set.h"
#include "sim/shell/lax.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"
#include "tools/support/headless_start.h"
#include "tools/support/placeeye.h"


static void conditions(int time, float vis_nm, int clouds, int view, int fullscreen) {
  scn.time = time;
  atm.vis = vis_nm * 1852.0f;
  atm.cld_type = clouds;
  atm.baseMSL = 4000 * 0.3048f;
  atm.topsMSL = 5000 * 0.3048f;
  set.view_is_fullscreen = fullscreen;
  set_mon(view, 1);
}

static void frames(benchmark::State& state) {
  for (auto _ : state) start_looking();
  state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
}

// As the simulator starts: on the runway at dusk under the overcast, 10 nm.
static void BM_view_default_start(benchmark::State& state) {
  start_headless_once();
  place_on_runway(find_apt_by_id("KSBD"), 0);
  conditions(2, 10, 1, state.range(0) ? VIEW_NOHUD : VIEW_FORWARD, (int)state.range(0));
  frames(state);
}
BENCHMARK(BM_view_default_start)->Arg(0)->Arg(1)->ArgName("fullscreen")->Unit(benchmark::kMicrosecond);

// 3000 ft over the approach, clear, 20 nm: the widest terrain window.
static void BM_view_3000ft_20nm(benchmark::State& state) {
  start_headless_once();
  place_over_airport(find_apt_by_id("KSBD"), 3000 * 0.3048f);
  conditions(1, 20, 0, state.range(0) ? VIEW_NOHUD : VIEW_FORWARD, (int)state.range(0));
  frames(state);
}
BENCHMARK(BM_view_3000ft_20nm)->Arg(0)->Arg(1)->ArgName("fullscreen")->Unit(benchmark::kMicrosecond);

// Half a mile of fog on the runway: every near polygon cut in 24, marks in 40 strips.
static void BM_view_fog(benchmark::State& state) {
  start_headless_once();
  place_on_runway(find_apt_by_id("KSBD"), 0);
  conditions(1, 0.5f, 1, VIEW_NOHUD, 1);
  atm.baseMSL = apt_z[find_apt_by_id("KSBD")] + 300;
  frames(state);
}
BENCHMARK(BM_view_fog)->Unit(benchmark::kMicrosecond);

// Above the overcast: the cloud grid instead of the terrain.
static void BM_view_above_overcast(benchmark::State& state) {
  start_headless_once();
  place_over_airport(find_apt_by_id("KSBD"), 8000 * 0.3048f);
  conditions(1, 20, 1, VIEW_NOHUD, 1);
  frames(state);
}
BENCHMARK(BM_view_above_overcast)->Unit(benchmark::kMicrosecond);

// The worst case: night over Los Angeles at 3000 ft, 20 nm, every light on,
// the ten traffic aircraft ahead, a thunderstorm with a bolt showing and rain
// on the windshield.
static void BM_view_night_storm_la(benchmark::State& state) {
  start_headless_once();
  place_over_airport(find_apt_by_id("KLAX"), 3000 * 0.3048f);
  conditions(4, 20, 0, VIEW_FORWARD, 1);
  atm.rain_tstm = 5;
  atm.level = 2;
  atm.temp_SL = 70;
  msc.prd = 0.02f;
  flt.vind = 120;
  float s = std::sin(flt.psi * 0.0174533f), c = std::cos(flt.psi * 0.0174533f);
  for (int k = 0; k < TRAFFIC; k++) {
    float d = 2000.0f + 1500.0f * k;
    for (int l = 0; l < 4; l++) {
      traf_x[k][l] = (float)flt.x + d * s + 30.0f * (k - 5) * c;
      traf_y[k][l] = (float)flt.y + d * c - 30.0f * (k - 5) * s;
      traf_z[k][l] = (float)flt.z + 50.0f * (k % 3);
    }
  }
  float bx = (float)flt.x + 8000 * s, by = (float)flt.y + 8000 * c;
  for (auto _ : state) {
    // A bolt ahead for the whole run.
    if (!atm.strike_up) {
      build_branch(0, bx, by, 3000, 0);
      atm.num_branches = 0;
      atm.strike_up = 1;
      atm.strike_start_time = msc.elap_time;
      atm.strike_duration = 1e9f;
    }
    start_looking();
  }
  state.counters["fps"] = benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
  atm.rain_tstm = 1;
  atm.strike_up = 0;
}
BENCHMARK(BM_view_night_storm_la)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
