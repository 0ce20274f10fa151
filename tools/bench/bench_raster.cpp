// Rasteriser speed: triangles per second into the view's 800 x 568 surface,
// and one whole frame: clear, a terrain-like mesh of 2000 triangles, copy.
// The present step to the screen can be added to the frame once it exists.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include <cmath>
#include <vector>
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/set.h"

enum { VIEW_DX = 800, VIEW_DY = 568, TRIS = 1024 };

struct tri { int x[3], y[3], color; };

static std::vector<tri> make_triangles(int size) {
  std::vector<tri> t(TRIS);
  unsigned s = 1;
  auto next = [&s](int n) {
    s = s * 1103515245u + 12345u;
    return (int)((s >> 16) % (unsigned)n);
  };
  for (tri& k : t) {
    int cx = size + next(VIEW_DX - 2 * size), cy = size + next(VIEW_DY - 2 * size);
    for (int v = 0; v < 3; v++) {
      double a = (v * 2.1 + next(100) * 0.01) , r = size * (0.6 + next(40) * 0.01);
      k.x[v] = cx + (int)(r * std::cos(a));
      k.y[v] = cy + (int)(r * std::sin(a));
    }
    k.color = 65 + next(180);
  }
  return t;
}

static void gworld_ready() {
  for (int w = 0; w < GWORLDS; w++) MACIBM_disposegworld(w);
  MACIBM_initgworld(0, VIEW_DX, VIEW_DY);
  MACIBM_settogworld(0, VIEW_DX, VIEW_DY, 62);
}

static void triangles(benchmark::State& state, int size) {
  std::vector<tri> t = make_triangles(size);
  gworld_ready();
  size_t i = 0;
  for (auto _ : state) {
    const tri& k = t[i++ & (TRIS - 1)];
    MACIBM_poly3(k.color, k.x[0], k.y[0], k.x[1], k.y[1], k.x[2], k.y[2], 0);
  }
  benchmark::DoNotOptimize(gworld_pixels(0, nullptr, nullptr, nullptr)[VIEW_DX * 100 + 100]);
  state.SetItemsProcessed((int64_t)state.iterations());
  MACIBM_disposegworld(0);
}

static void BM_SmallTriangles(benchmark::State& state) { triangles(state, 10); }
static void BM_LargeTriangles(benchmark::State& state) { triangles(state, 200); }
BENCHMARK(BM_SmallTriangles);
BENCHMARK(BM_LargeTriangles);

// A ground grid seen from low altitude: 50 x 20 quads in perspective, the near
// rows running off the sides, so many triangles go through the clipper.
static std::vector<tri> make_mesh() {
  std::vector<tri> t;
  const int cols = 50, rows = 20;
  auto project = [](double gx, double gz, int* sx, int* sy) {
    double depth = 40.0 + gz * 30.0;
    *sx = (int)(VIEW_DX / 2 + (gx - cols / 2) * 90.0 * 400.0 / depth / 4.0);
    *sy = (int)(200 + 120.0 * 400.0 / depth);
  };
  for (int r = 0; r < rows; r++)
    for (int c = 0; c < cols; c++) {
      int x[4], y[4];
      project(c, r, &x[0], &y[0]);
      project(c + 1, r, &x[1], &y[1]);
      project(c + 1, r + 1, &x[2], &y[2]);
      project(c, r + 1, &x[3], &y[3]);
      int color = 65 + (r / 2) * 18 + (c * 7 + r * 3) % 18;
      t.push_back(tri{{x[0], x[1], x[2]}, {y[0], y[1], y[2]}, color});
      t.push_back(tri{{x[0], x[2], x[3]}, {y[0], y[2], y[3]}, color});
    }
  return t;
}

// Clear the view, draw the mesh, copy the view into the current window.
static void draw_view(const std::vector<tri>& mesh) {
  MACIBM_settogworld(0, VIEW_DX, VIEW_DY, 62);
  for (const tri& k : mesh)
    MACIBM_clipped_poly3(k.color, k.x[0], k.y[0], k.x[1], k.y[1], k.x[2], k.y[2], 0);
  MACIBM_copytoport(0, 0, 0, 0, 0, VIEW_DX, VIEW_DY, 1);
}

static void BM_Frame(benchmark::State& state) {
  std::vector<tri> mesh = make_mesh();
  std::vector<uint8_t> screen((size_t)800 * 600);
  drawcontext window{screen.data(), 800, 800, 600};
  drawcontext* before = active_dc;
  active_dc = &window;
  gworld_ready();
  X_LFT = 0; X_RGT = VIEW_DX - 1; Y_TOP = 0; Y_BOT = VIEW_DY - 1;
  for (auto _ : state) {
    draw_view(mesh);
    benchmark::ClobberMemory();
  }
  state.counters["triangles"] = (double)mesh.size();
  MACIBM_disposegworld(0);
  active_dc = before;
}
BENCHMARK(BM_Frame)->Unit(benchmark::kMillisecond);

// The whole way to the screen: the view into window 0 of the desktop, the
// desktop composed, and the composed screen converted through the palette as
// presenting does (the texture upload itself needs a display).
static void BM_FrameComposedAndPresented(benchmark::State& state) {
  static int started = 0;
  if (!started) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    hok.program_folder = "tarvel-bench";
    started = MACIBM_init("Bench", 800, 580, 6);
  }
  if (!started) {
    state.SkipWithError("no desktop");
    return;
  }
  std::vector<tri> mesh = make_mesh();
  static std::vector<uint32_t> argb((size_t)800 * 600);
  MACIBM_startwind(0, 0);
  gworld_ready();
  X_LFT = 0; X_RGT = VIEW_DX - 1; Y_TOP = 0; Y_BOT = VIEW_DY - 1;
  for (auto _ : state) {
    draw_view(mesh);
    desk_compose();
    plat_screen_to_argb(argb.data(), 800 * 4);
    benchmark::ClobberMemory();
  }
  state.counters["triangles"] = (double)mesh.size();
  MACIBM_disposegworld(0);
}
BENCHMARK(BM_FrameComposedAndPresented)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
