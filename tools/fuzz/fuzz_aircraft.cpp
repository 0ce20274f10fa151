// Aircraft files from anywhere: loading must either prepare the aircraft or
// end in a fatal alert, never crash or read past an array. (Airfoil and flap
// files have targets of their own.)
#include "fuzz_acft_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& base = fuzz_base("aircraft", 0);
  clear_records();
  desk_alert_record_clear();
  desk_answer_clear();
  std::string app = base + "/a";
  std::snprintf(app_path, STR_DIM, "%s", app.c_str());
  // Nothing with a destructor may live across the jump back.
  static char p[STR_DIM];
  std::snprintf(p, sizeof p, "%s/Aircraft/F.acf", app.c_str());
  write_file(p, data, size);
  if (setjmp(back) == 0) {
    std::snprintf(pln.C_path, STR_DIM, "%s", p);
    std::snprintf(pln.C_file, STR_DIM, "F.acf");
    load_plane();
  }
  if (inf.is_open()) inf.close();
  inf.clear();
  return 0;
}
