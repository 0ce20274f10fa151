// Speech through espeak-ng, synthesised into memory so that it plays through
// the program's own mixer (and can be checked in tests).
#include "basekit/platform/platform.h"
#ifdef HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#include <cstring>

static int speech_rate = 0;
static int16_t* synth_out = nullptr;
static int synth_max = 0, synth_frames = 0;

static int collect(short* wav, int numsamples, espeak_EVENT*) {
  if (!wav) return 0;
  for (int i = 0; i < numsamples && synth_frames < synth_max; i++) synth_out[synth_frames++] = wav[i];
  return 0;
}

int plat_speech_init() {
  if (speech_rate > 0) return 1;
  int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
  if (rate <= 0) return 0;
  if (espeak_SetVoiceByName("en-us") != EE_OK && espeak_SetVoiceByName("en") != EE_OK) return 0;
  espeak_SetSynthCallback(collect);
  espeak_SetParameter(espeakRATE, 185, 0);
  speech_rate = rate;
  return 1;
}

int plat_speech_synth(const char* text, int16_t* pcm, int max_frames) {
  if (speech_rate <= 0 || !pcm || max_frames <= 0) return -1;
  synth_out = pcm;
  synth_max = max_frames;
  synth_frames = 0;
  espeak_ERROR e = espeak_Synth(text, std::strlen(text) + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO,
                                nullptr, nullptr);
  synth_out = nullptr;
  return e == EE_OK ? synth_frames : -1;
}

int plat_speech_rate() { return speech_rate; }
#else
int plat_speech_init() { return 0; }
int plat_speech_synth(const char*, int16_t*, int) { return -1; }
int plat_speech_rate() { return 0; }
#endif
