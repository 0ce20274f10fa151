// Data files and weather reports from anywhere: every scanning call on any
// bytes must either read a value or end in the fatal alert, never crash.
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

static std::jmp_buf back;
static void jump_back(int) { std::longjmp(back, 1); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[64];
  if (!path[0]) {
    std::snprintf(path, sizeof path, "%s/tarvel_fuzz_scan_%d", fuzz_scratch_root(), (int)getpid());
    init_constants();
    hok.end_process = jump_back;
  }
  if (size < 1) return 0;
  // The first byte picks the calls; the rest is the file.
  uint8_t plan = data[0];
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  std::fwrite(data + 1, 1, size - 1, f);
  std::fclose(f);
  desk_alert_record_clear();

  if (setjmp(back) == 0) {
    int ftype = plan & 1 ? FTYPE_ANY_BINARY : FTYPE_ANY_TEXT;
    if (inf_open(path, ftype, 35, plan & 2)) {
      static char s[STR_DIM];
      for (int k = 0; k < 64; k++) {
        switch (((plan >> 2) + k * 7) & 7) {
          case 0: intscan("f"); break;
          case 1: fltscan("f"); break;
          case 2: bolscanNOSN("f"); break;
          case 3: fltscanNOSN("f"); break;
          case 4: stringscan(s, "f", 1 + k % STR_DIM); break;
          case 5: checkpoint(k); break;
          case 6: rln("f"); break;
          default: intscanNOSN("f"); break;
        }
      }
    }
  }
  if (inf.is_open()) inf.close();
  inf.clear();

  std::string text((const char*)data, size);
  float z_time, cld_base, cld_tops, vis, temp, dewp, wnd_dir, wnd_spd, wnd_gus, baro;
  int cld_type, obs_vis, obs_den;
  decode_wxr(text.c_str(), 0.0f, &z_time, &cld_type, &cld_base, &cld_tops, &vis, &obs_vis, &obs_den, &temp, &dewp,
             &wnd_dir, &wnd_spd, &wnd_gus, &baro);
  return 0;
}
