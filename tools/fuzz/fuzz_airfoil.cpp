// Airfoil files from anywhere: reading one must either fill its tables or end
// in a fatal alert, never crash or read past an array. The first byte picks
// the Reynolds and root-tip slots; the rest is the file.
#include <unistd.h>
#include "fuzz_scratch.h"
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/records.h"

static std::jmp_buf back;
static void jump_back(int) { std::longjmp(back, 1); }

static std::string data_dir() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/tools/fuzz/")) + "/data";
}

static std::string base;

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (base.empty()) {
    base = std::string(fuzz_scratch_root()) + "/tarvel_fuzz_airfoil_" + std::to_string((int)getpid());
    make_app(base + "/a", 0);
    init_constants();
    hok.end_process = jump_back;
  }
  if (size < 1) return 0;
  desk_alert_record_clear();
  desk_answer_clear();
  static char p[STR_DIM];
  std::snprintf(p, sizeof p, "%s/F.afl", base.c_str());
  write_file(p, data + 1, size - 1);
  int re = data[0] & 1, rt = (data[0] >> 1) & 1, part = (data[0] >> 2) % LIFT_PARTS;
  if (setjmp(back) == 0) grabafoil(p, part, re, rt);
  if (inf.is_open()) inf.close();
  inf.clear();
  return 0;
}
