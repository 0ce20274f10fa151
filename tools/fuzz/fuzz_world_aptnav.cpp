// The airport and navaid readers on any bytes: the first input byte picks the
// file, the rest is its text after a valid header.
#include "fuzz_world_common.h"
#include <sys/stat.h>
#include "sim/world/env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz_dir();
  if (size < 1) return 0;
  int nav = data[0] & 1;
  std::string header = "I\n354 version\n0\n";
  std::string body = header + std::string((const char*)data + 1, size - 1);
  std::string good = header + "99\n";
  fuzz_write(dir + "/additional nav data/apt_dat", (const uint8_t*)(nav ? good : body).data(), (nav ? good : body).size());
  fuzz_write(dir + "/additional nav data/nav_dat", (const uint8_t*)(nav ? body : good).data(), (nav ? body : good).size());
  desk_alert_record_clear();
  if (setjmp(fuzz_jump) == 0) {
    init_country_data();
    env.lat_sou = 33;
    env.lon_wes = -119;
    finish_nav_readin();
  }
  return 0;
}
