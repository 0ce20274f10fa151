// Reading data files: the airport and navaid files run to hundreds of
// thousands of lines, read one value at a time.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include "basekit/bk_file.h"

static std::string make_file(int lines) {
  std::string p = (std::filesystem::temp_directory_path() / "tarvel_bench_scan.txt").string();
  std::ofstream f(p, std::ios::binary);
  f << "I\r\n354 version\r\n";
  for (int k = 0; k < lines; k++) f << (k % 3 ? "34.123456 runway latitude\r\n" : "1200 runway length\r\n");
  return p;
}

static void BM_scan_text(benchmark::State& state) {
  const int lines = 100000;
  std::string p = make_file(lines);
  for (auto _ : state) {
    inf_open(p.c_str(), FTYPE_ANY_TEXT, 354, 1);
    float sum = 0.0f;
    for (int k = 0; k < lines; k++) sum += k % 3 ? fltscan("bench") : (float)intscan("bench");
    benchmark::DoNotOptimize(sum);
    inf.close();
  }
  state.SetItemsProcessed(state.iterations() * lines);
  std::remove(p.c_str());
}
BENCHMARK(BM_scan_text)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
