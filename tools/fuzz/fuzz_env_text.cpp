// The text form of the environment file on any bytes: the whole file, header
// included, so that its mark, version and counts are tried too.
#include "fuzz_world_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz_dir();
  env_setup(dir);
  std::string txt = dir + "/DATA/United States/+033-119.env";
  fuzz_write(txt, data, size);
  env_read_one();
  return 0;
}
