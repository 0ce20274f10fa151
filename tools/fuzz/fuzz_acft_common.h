// Shared by the aircraft, airfoil and flap fuzz targets: a way back out of
// the fatal alerts bad input is meant to give, the shipped data, and a scratch
// application folder whose airfoils (and flaps, unless the target writes its
// own) are the shipped ones.
#pragma once
#include <unistd.h>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "fuzz_scratch.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/records.h"

static std::jmp_buf back;
static void jump_back(int) { std::longjmp(back, 1); }

static std::string data_dir() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/tools/fuzz/")) + "/data";
}

static void write_file(const char* path, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return;
  std::fwrite(data, 1, size, f);
  std::fclose(f);
}

static void make_app(const std::string& app, int own_flaps) {
  std::string src = data_dir();
  std::string cmd = "mkdir -p '" + app + "/Aircraft' && ln -sfn '" + src + "/airfoils' '" + app + "/airfoils'";
  cmd += own_flaps ? " && mkdir -p '" + app + "/flaps'" : " && ln -sfn '" + src + "/flaps' '" + app + "/flaps'";
  if (std::system(cmd.c_str()) != 0) std::abort();
}

// The scratch folder of this target ("aircraft", "airfoil", "flap"), made on
// the first run with the constants and the jump back set up.
static const std::string& fuzz_base(const char* kind, int own_flaps) {
  static std::string base;
  if (base.empty()) {
    base = std::string(fuzz_scratch_root()) + "/tarvel_fuzz_" + kind + "_" + std::to_string((int)getpid());
    make_app(base + "/a", own_flaps);
    init_constants();
    hok.end_process = jump_back;
  }
  return base;
}
