// The binary environment-file reader on any bytes, in either byte order: the
// first input byte picks the order, the rest follows a header of version 4.
#include "fuzz_world_common.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& dir = fuzz_dir();
  if (size < 1) return 0;
  env_setup(dir);
  std::string bin = dir + "/DATA/+030-120/+033-119.env";
  std::string body((const char*)data + 1, size - 1);
  body = (data[0] & 1 ? std::string("a\0\0\0\4", 5) : std::string("i\4\0\0\0", 5)) + body;
  fuzz_write(bin, (const uint8_t*)body.data(), body.size());
  env_read_one();
  return 0;
}
