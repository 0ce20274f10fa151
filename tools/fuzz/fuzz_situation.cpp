// Situation files from anywhere: any bytes must either read or be refused with
// the situation alert, never end the program or crash.
#include <unistd.h>
#include "fuzz_prefs_common.h"
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[64];
  if (!path[0]) {
    std::snprintf(path, sizeof path, "%s/tarvel_fuzz_sit_%d", fuzz_scratch_root(), (int)getpid());
    std::snprintf(app_path, STR_DIM, "%s", "/tmp");
    init_constants();
    hok.end_process = fatal_is_a_fault;
    small_world();
  }
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  desk_alert_record_clear();
  desk_answer_clear();
  if (read_situation(path, "fuzz.sit")) {
    // What was read is usable: its indices lie inside the tables.
    if (msc.loc_index < 0 || msc.loc_index > env.aptmax || msc.rway_sel < 0 || msc.rway_sel > 5) std::abort();
    if (!(msc.prd >= 0.01f && msc.prd <= 0.1f)) std::abort();
  }
  return 0;
}
