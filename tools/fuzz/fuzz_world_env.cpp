// The environment-file reader on any bytes, as binary (either byte order)
// and as text: the first input byte picks the form.
#include "fuzz_world_common.h"
#include <sys/stat.h>
#include "sim/panel/nav.h"
#include "sim/world/env.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz_dir();
  if (size < 1) return 0;
  static int once = 0;
  if (!once) {
    once = 1;
    std::string apt = "I\n354 version\n0\n1 33.5 -118.5 9 x 90 5000 100 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 500 1 KTST Test\n99\n";
    std::string nav = "I\n354 version\n0\n99\n";
    fuzz_write(dir + "/additional nav data/apt_dat", (const uint8_t*)apt.data(), apt.size());
    fuzz_write(dir + "/additional nav data/nav_dat", (const uint8_t*)nav.data(), nav.size());
    if (setjmp(fuzz_jump) == 0) init_country_data();
    mkdir((dir + "/DATA").c_str(), 0700);
    mkdir((dir + "/DATA/+030-120").c_str(), 0700);
    mkdir((dir + "/DATA/United States").c_str(), 0700);
  }
  std::string bin = dir + "/DATA/+030-120/+033-119.env";
  std::string txt = dir + "/DATA/United States/+033-119.env";
  unlink(bin.c_str());
  unlink(txt.c_str());
  std::string body((const char*)data + 1, size - 1);
  switch (data[0] % 3) {
    case 0: body = std::string("i\4\0\0\0", 5) + body; break;
    case 1: body = std::string("a\0\0\0\4", 5) + body; break;
    default: body = "I\n3 version\n1001\n60\n80\n" + body; break;
  }
  fuzz_write(data[0] % 3 == 2 ? txt : bin, (const uint8_t*)body.data(), body.size());
  desk_alert_record_clear();
  if (setjmp(fuzz_jump) == 0) {
    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region();
    slide_region(SLIDE_WEST);
  }
  return 0;
}
