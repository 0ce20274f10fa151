// Preferences files from anywhere, read as at start-up: any bytes must either
// read or lead to the defaults (and the first start's aircraft dialog), never
// end the program or crash.
#include <unistd.h>
#include "fuzz_prefs_common.h"
#include <cstdint>
#include "sim/set.h"
#include <cmath>
#include <string>

static std::string data_dir() {
  std::string here = __FILE__;
  return here.substr(0, here.rfind("/tools/fuzz/")) + "/data";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[64];
  if (!path[0]) {
    std::snprintf(path, sizeof path, "%s/tarvel_fuzz_prefs_%d", fuzz_scratch_root(), (int)getpid());
    std::snprintf(app_path, STR_DIM, "%s", data_dir().c_str());
    std::snprintf(prefs_path, STR_DIM, "%s", path);
    init_constants();
    hok.end_process = fatal_is_a_fault;
    // The first start's dialog takes the shipped default aircraft.
    desk_set_dialog_default(headless_dialog_choice);
    small_world();
  }
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  desk_alert_record_clear();
  desk_answer_clear();
  initprefs();
  // Whatever the file held, the start-up goes on with usable values.
  if (msc.loc_index < 0 || msc.loc_index > env.aptmax || msc.rway_sel < 0 || msc.rway_sel > 5) std::abort();
  if (!(msc.prd >= 0.01f && msc.prd <= 0.1f)) std::abort();
  if (!std::isfinite(set.damp) || set.damp < 0 || set.damp > 1) std::abort();
  return 0;
}
