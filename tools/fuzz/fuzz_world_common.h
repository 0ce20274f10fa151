// Shared by the world fuzz targets: a scratch application folder and a way
// back out of the fatal alerts that bad input is meant to give.
#pragma once
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include "fuzz_scratch.h"
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/panel/nav.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"

static jmp_buf fuzz_jump;
static void fuzz_jump_out(int status) { longjmp(fuzz_jump, status + 1); }

// The folder app_path points at, made once per process.
static const std::string& fuzz_dir() {
  static std::string dir;
  if (dir.empty()) {
    std::string tmpl = std::string(fuzz_scratch_root()) + "/tarvel_fuzz_XXXXXX";
    dir = mkdtemp(&tmpl[0]);
    std::string nav = dir + "/additional nav data";
    mkdir(nav.c_str(), 0700);
    std::snprintf(app_path, STR_DIM, "%s", dir.c_str());
    init_constants();
    hok.end_process = fuzz_jump_out;
  }
  return dir;
}

static void fuzz_write(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
}

#include "sim/world/env.h"

// One region loaded once; each input is then read as one quadrant only (the
// reader under test), which is what keeps the target fast.
static void env_setup(const std::string& dir) {
  static int once = 0;
  if (once) return;
  once = 1;
  std::string apt = "I\n354 version\n0\n1 33.5 -118.5 9 x 90 5000 100 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 500 1 KTST Test\n99\n";
  std::string nav = "I\n354 version\n0\n99\n";
  fuzz_write(dir + "/additional nav data/apt_dat", (const uint8_t*)apt.data(), apt.size());
  fuzz_write(dir + "/additional nav data/nav_dat", (const uint8_t*)nav.data(), nav.size());
  if (setjmp(fuzz_jump) == 0) init_country_data();
  mkdir((dir + "/DATA").c_str(), 0700);
  mkdir((dir + "/DATA/+030-120").c_str(), 0700);
  mkdir((dir + "/DATA/United States").c_str(), 0700);
  env.lat_sou = 33;
  env.lon_wes = -119;
  if (setjmp(fuzz_jump) == 0) load_region();
}

// Reads quadrant 0 from whatever file is there; a fatal alert jumps back.
static void env_read_one() {
  desk_alert_record_clear();
  if (setjmp(fuzz_jump) == 0) read_quadrant(33, -119, 0);
  if (inf.is_open()) inf.close();
  inf.clear();
}
