// Flap files from anywhere: the shipped trainer loaded with this flap file
// must either fly or end in a fatal alert, never crash or read past an array.
#include "fuzz_acft_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& base = fuzz_base("flap", 1);
  clear_records();
  desk_alert_record_clear();
  desk_answer_clear();
  std::string app = base + "/a";
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
