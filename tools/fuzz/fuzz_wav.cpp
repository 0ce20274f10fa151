// WAVE files from anywhere: any bytes either load as a clip the mixer can
// play or are refused with one of the loader's answers; never a crash.
#include <unistd.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include "basekit/platform/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static char path[64];
  if (!path[0]) {
    std::snprintf(path, sizeof path, "/tmp/tarvel_fuzz_wav_%d.wav", (int)getpid());
    plat_audio_capture(1);  // no device needed: the mix is rendered here
  }
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  int r = plat_clip_load_wav(0, path);
  if (r < PLAT_WAV_OK || r > PLAT_WAV_MEMORY) std::abort();
  if (r == PLAT_WAV_OK) {
    int hz = 0;
    plat_clip_get(0, &hz, nullptr);
    if (hz < 100 || hz > 100000) std::abort();
    // Played fast and looping, a little of it through the resampler.
    static float out[2048];
    plat_clip_set(0, 100000, 0);
    plat_clip_play(0, 1);
    plat_audio_render(out, 2048);
    plat_clip_stop(0);
  }
  return 0;
}
