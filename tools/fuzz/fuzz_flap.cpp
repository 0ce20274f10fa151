// Flap files from anywhere: the shipped trainer loaded with this flap file
// must either fly or end in a fatal alert, never crash or read past an array.
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
    base = std::string(fuzz_scratch_root()) + "/tarvel_fuzz_flap_" + std::to_string((int)getpid());
    make_app(base + "/b", 1);
    init_constants();
    hok.end_process = jump_back;
  }
  clear_records();
  desk_alert_record_clear();
  desk_answer_clear();
  std::string app = base + "/b";
  std::snprintf(app_path, STR_DIM, "%s", app.c_str());
  static char p[STR_DIM];
  std::snprintf(p, sizeof p, "%s/flaps/Trainer.flp", app.c_str());
  write_file(p, data, size);
  std::snprintf(pln.C_path, STR_DIM, "%s/Aircraft/Trainer/Trainer.acf", data_dir().c_str());
  std::snprintf(pln.C_file, STR_DIM, "Trainer.acf");
  if (setjmp(back) == 0) load_plane();
  if (inf.is_open()) inf.close();
  inf.clear();
  return 0;
}
