// What the sound costs the frame loop: one call of speakstring (it only
// queues the text, whatever the synthesiser is doing), and one second of the
// mix with the engine, wind and rain loops and a voice playing.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <string>
#include "basekit/platform/platform.h"
#include "sim/atc/atc.h"
#include "sim/atc/voice.h"
#include "sim/msc.h"
#include "sim/sound/do_sound.h"

static int start() {
  static int ok = -1;
  if (ok >= 0) return ok;
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  plat_audio_capture(1);
  ok = plat_audio_init() && plat_speech_init();
  for (int n = 0; ok && n < SOUNDS; n++) {
    std::string path = std::string(plat_app_dir()) + "/sounds/" + sound_file_name(n);
    ok = plat_clip_load_wav(n, path.c_str()) == PLAT_WAV_OK;
  }
  msc.speech_avail = ok;
  atc.voice_out = atc.text_out = 1;
  return ok;
}

static void drain() {
  static float out[2205];
  for (int k = 0; k < 3000 && plat_speech_busy(); k++) plat_audio_render(out, 2205);
}

// The worst case is measured too: a call while a long text is still being
// made into sound.
static void BM_speakstring(benchmark::State& state) {
  if (!start()) {
    state.SkipWithError("no sound device or voice");
    return;
  }
  const char* text = "November one two three, turn left heading two seven zero, descend and maintain three "
                     "thousand, expect vectors for the ILS runway two seven right.";
  for (auto _ : state) {
    state.PauseTiming();
    drain();
    if (state.range(0)) plat_speech_say(text);
    state.ResumeTiming();
    auto t0 = std::chrono::steady_clock::now();
    speakstring(text);
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  drain();
}
BENCHMARK(BM_speakstring)->Arg(0)->Arg(1)->Iterations(20)->UseManualTime()->Unit(benchmark::kMicrosecond);

static void BM_mix_one_second(benchmark::State& state) {
  if (!start()) {
    state.SkipWithError("no sound device");
    return;
  }
  for (int n : {SND_XP_RECIP, SND_WIND, SND_RAIN}) {
    plat_clip_set(n, 15000 + 3000 * n, -900);
    plat_clip_play(n, 1);
  }
  static float out[PLAT_MIX_RATE];
  for (auto _ : state) {
    plat_audio_render(out, PLAT_MIX_RATE);
    benchmark::DoNotOptimize(out[100]);
  }
  for (int n : {SND_XP_RECIP, SND_WIND, SND_RAIN}) plat_clip_stop(n);
}
BENCHMARK(BM_mix_one_second)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
