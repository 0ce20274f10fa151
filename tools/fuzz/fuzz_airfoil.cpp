// Airfoil files from anywhere: reading one must either fill its tables or end
// in a fatal alert, never crash or read past an array. The first byte picks
// the Reynolds and root-tip slots; the rest is the file.
#include "fuzz_acft_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& base = fuzz_base("airfoil", 0);
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
