// A small mixer: each slot holds a PCM clip played at its own rate and volume,
// once or looping, all summed into one SDL output stream.
#include <SDL.h>
#include <cmath>
#include <vector>
#include "basekit/platform/platform.h"

namespace {
struct clip {
  std::vector<int16_t> pcm;  // mono
  int frames = 0;
  int rate = 22050;
  double pos = 0;
  float rate_ratio = 1, volume = 1;
  int playing = 0, loop = 0;
};
clip clips[PLAT_CLIPS];
SDL_AudioDeviceID device = 0;
int device_rate = 44100;

void mix(void*, Uint8* stream, int len) {
  int16_t* out = (int16_t*)stream;
  int frames = len / 4;
  static std::vector<float> acc;
  acc.assign((size_t)frames, 0.0f);
  for (clip& c : clips) {
    if (!c.playing || c.frames == 0) continue;
    double step = (double)c.rate / device_rate * c.rate_ratio;
    for (int i = 0; i < frames; i++) {
      if (c.pos >= c.frames) {
        if (!c.loop) {
          c.playing = 0;
          break;
        }
        c.pos = std::fmod(c.pos, (double)c.frames);
      }
      acc[(size_t)i] += c.pcm[(size_t)c.pos] * c.volume;
      c.pos += step;
    }
  }
  for (int i = 0; i < frames; i++) {
    float v = acc[(size_t)i];
    int16_t s = (int16_t)(v > 32767 ? 32767 : v < -32768 ? -32768 : v);
    out[2 * i] = out[2 * i + 1] = s;
  }
}
}  // namespace

int plat_audio_init() {
  if (device) return 1;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want, have;
  SDL_zero(want);
  want.freq = 44100;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = mix;
  device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!device) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  device_rate = have.freq;
  SDL_PauseAudioDevice(device, 0);
  return 1;
}

void plat_audio_quit() {
  if (!device) return;
  SDL_CloseAudioDevice(device);
  device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

static int valid(int slot) { return slot >= 0 && slot < PLAT_CLIPS; }

int plat_clip_load(int slot, const int16_t* pcm, int frames, int channels, int rate) {
  if (!valid(slot) || frames < 0 || channels < 1 || rate <= 0) return 0;
  if (device) SDL_LockAudioDevice(device);
  clip& c = clips[slot];
  c.pcm.resize((size_t)frames);
  for (int i = 0; i < frames; i++) {
    int sum = 0;
    for (int ch = 0; ch < channels; ch++) sum += pcm[(size_t)i * channels + ch];
    c.pcm[(size_t)i] = (int16_t)(sum / channels);
  }
  c.frames = frames;
  c.rate = rate;
  c.pos = 0;
  c.playing = 0;
  if (device) SDL_UnlockAudioDevice(device);
  return 1;
}

void plat_clip_play(int slot, int loop) {
  if (!valid(slot)) return;
  if (device) SDL_LockAudioDevice(device);
  clips[slot].pos = 0;
  clips[slot].loop = loop;
  clips[slot].playing = 1;
  if (device) SDL_UnlockAudioDevice(device);
}

void plat_clip_stop(int slot) {
  if (!valid(slot)) return;
  if (device) SDL_LockAudioDevice(device);
  clips[slot].playing = 0;
  if (device) SDL_UnlockAudioDevice(device);
}

void plat_clip_set(int slot, float rate_ratio, float volume) {
  if (!valid(slot)) return;
  if (device) SDL_LockAudioDevice(device);
  clips[slot].rate_ratio = rate_ratio > 0.01f ? rate_ratio : 0.01f;
  clips[slot].volume = volume < 0 ? 0 : volume > 1 ? 1 : volume;
  if (device) SDL_UnlockAudioDevice(device);
}

int plat_clip_playing(int slot) { return valid(slot) && clips[slot].playing; }
