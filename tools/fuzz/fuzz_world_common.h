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
    char tmpl[] = "/tmp/tarvel_fuzz_XXXXXX";
    dir = mkdtemp(tmpl);
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
