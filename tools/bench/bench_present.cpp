// Presenting by the processor: the 800 x 600 screen through the palette and
// scaled into pictures of the sizes windows have. At 60 frames a second a
// millisecond a frame is 6 % of a core.
#include <benchmark/benchmark.h>
#include <vector>
#include "basekit/platform/platform.h"

static void BM_scale_screen(benchmark::State& state) {
  int w = (int)state.range(0), h = (int)state.range(1);
  std::vector<uint8_t> screen(PLAT_SCREEN_W * PLAT_SCREEN_H);
  for (size_t k = 0; k < screen.size(); k++) screen[k] = (uint8_t)(k * 7 + k / 800);
  std::vector<uint32_t> palette(256);
  for (int i = 0; i < 256; i++) palette[i] = 0xFF000000u | (uint32_t)(i * 0x010307);
  std::vector<uint32_t> out((size_t)w * h);
  for (auto _ : state) {
    plat_scale_screen(screen.data(), palette.data(), out.data(), w * 4, w, h);
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["ms/frame"] = benchmark::Counter((double)state.iterations() * 1000.0,
                                                  benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_scale_screen)
    ->Args({800, 600})
    ->Args({1024, 768})
    ->Args({1440, 1080})
    ->Args({1600, 1200})
    ->Args({2880, 2160})
    ->Args({640, 480})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
