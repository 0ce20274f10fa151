// A small mixer: each slot holds a mono PCM clip played at its own rate and
// volume, once or looping, resampled into one mono stream of PLAT_MIX_RATE
// frames a second. SDL plays the stream; in capture mode the stream leaves the
// device's clock and advances only when rendered, so that it follows the
// simulation's time and can be measured or written to a WAV file.
#include <SDL.h>
#include <samplerate.h>
#include <sys/stat.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "basekit/platform/plat_internal.h"
#include "basekit/platform/platform.h"

namespace {
struct voice {
  std::vector<float> pcm;  // mono, -1..1, at the clip's own rate
  SRC_STATE* src = nullptr;
  size_t pos = 0;          // next frame the resampler takes
  int freq = PLAT_MIX_RATE, centibels = 0;
  float gain = 1, gain_now = 1;  // wanted, and where the last block ended
  int playing = 0, loop = 0;
};
voice voices[PLAT_CLIPS];
SDL_AudioDeviceID device = 0;
int opened = 0, capture = 0;
FILE* record = nullptr;
uint32_t record_frames = 0;
double advance_rest = 0;  // frames owed to the clock below one frame

enum { BLOCK = 512, FEED = 256 };

// The resampler asks for input: the clip from where it stands, wrapping
// round for a loop; 0 ends a one-shot clip.
long feed(void* data, float** out) {
  voice& v = *(voice*)data;
  if (v.pcm.empty()) return 0;
  if (v.pos >= v.pcm.size()) {
    if (!v.loop) return 0;
    v.pos = 0;
  }
  size_t n = std::min((size_t)FEED, v.pcm.size() - v.pos);
  *out = &v.pcm[v.pos];
  v.pos += n;
  return (long)n;
}

float gain_of(int centibels) { return centibels <= -5000 ? 0.0f : (float)std::pow(10.0, centibels / 2000.0); }

void write_le(unsigned char* p, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; i++) p[i] = (unsigned char)(v >> (8 * i));
}

void wav_header(unsigned char h[44], uint32_t frames, int rate) {
  uint32_t bytes = frames * 2;
  std::memcpy(h, "RIFF", 4);
  write_le(h + 4, 36 + bytes, 4);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  write_le(h + 16, 16, 4);
  write_le(h + 20, 1, 2);  // PCM
  write_le(h + 22, 1, 2);  // mono
  write_le(h + 24, (uint32_t)rate, 4);
  write_le(h + 28, (uint32_t)rate * 2, 4);
  write_le(h + 32, 2, 2);
  write_le(h + 34, 16, 2);
  std::memcpy(h + 36, "data", 4);
  write_le(h + 40, bytes, 4);
}

int16_t to_s16(float s) {
  s = s > 1 ? 1 : s < -1 ? -1 : s;
  return (int16_t)std::lrint(s * 32767.0f);
}

// Appends the frames and keeps the header's sizes true, so that the file is
// whole however the program ends.
void record_block(const float* out, int frames) {
  if (!record) return;
  int16_t s[BLOCK];
  for (int i = 0; i < frames; i++) s[i] = to_s16(out[i]);
  std::fwrite(s, 2, (size_t)frames, record);
  record_frames += (uint32_t)frames;
  unsigned char h[44];
  wav_header(h, record_frames, PLAT_MIX_RATE);
  std::fseek(record, 0, SEEK_SET);
  std::fwrite(h, 1, sizeof h, record);
  std::fseek(record, 0, SEEK_END);
  std::fflush(record);
}

// One block (at most BLOCK frames) of the mix; the caller holds the device.
void mix_block(float* out, int frames) {
  static float got[BLOCK];
  std::fill(out, out + frames, 0.0f);
  for (voice& v : voices) {
    if (!v.playing || !v.src) continue;
    double ratio = (double)PLAT_MIX_RATE / v.freq;
    long n = 0;
    while (n < frames) {
      long r = src_callback_read(v.src, ratio, frames - n, got + n);
      if (r <= 0) break;
      n += r;
    }
    // The gain moves across the block, so that a change makes no click.
    float g0 = v.gain_now, dg = (v.gain - g0) / (float)frames;
    for (long i = 0; i < n; i++) out[i] += got[i] * (g0 + dg * (float)(i + 1));
    v.gain_now = v.gain;
    if (n < frames) v.playing = 0;
  }
  plat_speech_mix(out, frames);
  record_block(out, frames);
}

void render(float* out, int frames) {
  while (frames > 0) {
    int n = std::min(frames, (int)BLOCK);
    mix_block(out, n);
    out += n;
    frames -= n;
  }
}

void device_callback(void*, Uint8* stream, int len) {
  float* out = (float*)stream;
  int frames = len / (int)sizeof(float);
  if (capture) std::fill(out, out + frames, 0.0f);
  else render(out, frames);
}

struct device_lock {
  device_lock() {
    if (device) SDL_LockAudioDevice(device);
  }
  ~device_lock() {
    if (device) SDL_UnlockAudioDevice(device);
  }
};

voice* slot_voice(int slot) { return slot >= 0 && slot < PLAT_CLIPS ? &voices[slot] : nullptr; }

enum { CLIP_FILE_MAX = 256 << 20 };  // far beyond any sound of ours; SDL counts bytes in an int

// Reads a whole regular file (never a pipe or a folder): PLAT_WAV_OK, or
// PLAT_WAV_OPEN when it cannot, PLAT_WAV_MEMORY when it is too big.
int read_file(const char* path, std::vector<unsigned char>* bytes) {
  FILE* f = plat_fopen_regular(path);
  if (!f) return PLAT_WAV_OPEN;
  struct stat st;
  if (fstat(fileno(f), &st) != 0 || st.st_size > CLIP_FILE_MAX) {
    std::fclose(f);
    return PLAT_WAV_MEMORY;
  }
  bytes->resize((size_t)st.st_size);
  size_t n = bytes->empty() ? 0 : std::fread(bytes->data(), 1, bytes->size(), f);
  std::fclose(f);
  bytes->resize(n);
  return PLAT_WAV_OK;
}

uint32_t le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | (uint32_t)p[3] << 24; }

// The chunk of this id among those from `from` to `end`, as the system's
// sound loader looks for them; 0 when absent.
int find_chunk(const unsigned char* b, size_t from, size_t end, const char* id, size_t* at,
               uint32_t* size) {
  size_t p = from;
  while (p + 8 <= end) {
    uint32_t n = le32(&b[p + 4]);
    if (std::memcmp(&b[p], id, 4) == 0) {
      *at = p + 8;
      *size = n;
      return 1;
    }
    size_t next = p + 8 + (size_t)n + (n & 1);
    if (next <= p) break;
    p = next;
  }
  return 0;
}

// The checks the system's own loader made, each with its own answer; the
// decoding itself is SDL's.
int wav_check(const unsigned char* b, size_t size) {
  if (size < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0)
    return PLAT_WAV_NOT_WAVE;
  size_t end = std::min(size, (size_t)le32(&b[4]) + 8);
  size_t fmt;
  uint32_t fmt_size;
  if (!find_chunk(b, 12, end, "fmt ", &fmt, &fmt_size)) return PLAT_WAV_CORRUPT;
  if (fmt_size < 16 || fmt + 16 > size) return PLAT_WAV_READ_FORMAT;
  if ((b[fmt] | b[fmt + 1] << 8) != 1) return PLAT_WAV_NOT_PCM;
  size_t at;
  uint32_t n;
  if (!find_chunk(b, 12, end, "data", &at, &n)) return PLAT_WAV_NO_DATA;
  if (n == 0) return PLAT_WAV_EMPTY;
  if (at + n > size) return PLAT_WAV_READ_DATA;
  return PLAT_WAV_OK;
}
}  // namespace

int plat_audio_init() {
  if (opened) return 1;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want, have;
  SDL_zero(want);
  want.freq = PLAT_MIX_RATE;
  want.format = AUDIO_F32SYS;
  want.channels = 1;
  want.samples = BLOCK;
  want.callback = device_callback;
  // SDL converts the stream to whatever the device wants.
  device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!device) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  opened = 1;
  SDL_PauseAudioDevice(device, 0);
  // The device's thread must stop before the clips it reads are destroyed.
  static int registered = 0;
  if (!registered) std::atexit(plat_audio_quit);
  registered = 1;
  return 1;
}

int plat_audio_open() { return opened; }

void plat_audio_quit() {
  if (!opened) return;
  plat_speech_quit();
  SDL_CloseAudioDevice(device);
  device = 0;
  opened = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  plat_audio_record(nullptr);
  for (voice& v : voices) v.playing = 0;
}

int plat_clip_load(int slot, const int16_t* pcm, int frames, int channels, int rate) {
  voice* v = slot_voice(slot);
  if (!v || frames < 0 || channels < 1 || rate <= 0 || (frames > 0 && !pcm)) return 0;
  std::vector<float> mono((size_t)frames);
  for (int i = 0; i < frames; i++) {
    float sum = 0;
    for (int ch = 0; ch < channels; ch++) sum += pcm[(size_t)i * channels + ch];
    mono[(size_t)i] = sum / (32768.0f * channels);
  }
  int err = 0;
  SRC_STATE* src = src_callback_new(feed, SRC_SINC_FASTEST, 1, &err, v);
  if (!src) return 0;
  device_lock hold;
  if (v->src) src_delete(v->src);
  v->src = src;
  v->pcm.swap(mono);
  v->pos = 0;
  v->playing = 0;
  v->freq = std::clamp(rate, 100, 100000);
  v->centibels = 0;
  v->gain = v->gain_now = 1;
  return 1;
}

int plat_clip_load_wav(int slot, const char* path) {
  std::vector<unsigned char> bytes;
  int read = read_file(path, &bytes);
  if (read != PLAT_WAV_OK) return read;
  int check = wav_check(bytes.data(), bytes.size());
  if (check != PLAT_WAV_OK) return check;
  SDL_AudioSpec spec;
  Uint8* buf = nullptr;
  Uint32 len = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), (int)bytes.size());
  if (!rw || !SDL_LoadWAV_RW(rw, 1, &spec, &buf, &len)) return PLAT_WAV_CORRUPT;
  // SDL's stream turns any PCM layout into 16-bit mono at the file's own rate.
  SDL_AudioStream* conv = SDL_NewAudioStream(spec.format, spec.channels, spec.freq, AUDIO_S16SYS, 1, spec.freq);
  std::vector<int16_t> pcm;
  int ok = conv && SDL_AudioStreamPut(conv, buf, (int)len) == 0 && SDL_AudioStreamFlush(conv) == 0;
  if (ok) {
    pcm.resize((size_t)SDL_AudioStreamAvailable(conv) / 2);
    ok = SDL_AudioStreamGet(conv, pcm.data(), (int)pcm.size() * 2) == (int)pcm.size() * 2;
  }
  if (conv) SDL_FreeAudioStream(conv);
  SDL_FreeWAV(buf);
  if (!ok || pcm.empty()) return PLAT_WAV_CORRUPT;
  return plat_clip_load(slot, pcm.data(), (int)pcm.size(), 1, spec.freq) ? PLAT_WAV_OK : PLAT_WAV_MEMORY;
}

void plat_clip_play(int slot, int loop) {
  voice* v = slot_voice(slot);
  if (!v || !v->src) return;
  device_lock hold;
  src_reset(v->src);
  v->pos = 0;
  v->loop = loop;
  v->playing = 1;
  v->gain_now = v->gain;
}

void plat_clip_stop(int slot) {
  voice* v = slot_voice(slot);
  if (!v) return;
  device_lock hold;
  v->playing = 0;
}

void plat_clip_set(int slot, int frequency_hz, int centibels) {
  voice* v = slot_voice(slot);
  if (!v) return;
  device_lock hold;
  v->freq = std::clamp(frequency_hz, 100, 100000);
  v->centibels = std::clamp(centibels, -10000, 0);
  v->gain = gain_of(v->centibels);
}

int plat_clip_playing(int slot) {
  voice* v = slot_voice(slot);
  if (!v) return 0;
  device_lock hold;
  return v->playing;
}

void plat_clip_get(int slot, int* frequency_hz, int* centibels) {
  voice* v = slot_voice(slot);
  if (!v) return;
  device_lock hold;
  if (frequency_hz) *frequency_hz = v->freq;
  if (centibels) *centibels = v->centibels;
}

void plat_audio_capture(int on) {
  device_lock hold;
  capture = on != 0;
  advance_rest = 0;
}

void plat_audio_render(float* out, int frames) {
  if (!out || frames <= 0) return;
  device_lock hold;
  render(out, frames);
}

void plat_audio_advance(double seconds) {
  if (!(seconds > 0)) return;
  double want = seconds * PLAT_MIX_RATE + advance_rest;
  int frames = (int)want;
  advance_rest = want - frames;
  static float out[BLOCK];
  while (frames > 0) {
    int n = std::min(frames, (int)BLOCK);
    plat_audio_render(out, n);
    frames -= n;
  }
}

int plat_audio_record(const char* path) {
  device_lock hold;
  if (record) std::fclose(record);
  record = nullptr;
  record_frames = 0;
  if (!path) return 1;
  record = std::fopen(path, "wb");
  if (!record) return 0;
  unsigned char h[44];
  wav_header(h, 0, PLAT_MIX_RATE);
  return std::fwrite(h, 1, sizeof h, record) == sizeof h;
}

int plat_wav_save(const char* path, const int16_t* pcm, int frames, int rate) {
  if (!path || frames < 0 || rate <= 0 || (frames > 0 && !pcm)) return 0;
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  unsigned char h[44];
  wav_header(h, (uint32_t)frames, rate);
  int ok = std::fwrite(h, 1, sizeof h, f) == sizeof h;
  for (int i = 0; ok && i < frames; i++) {
    unsigned char s[2];
    write_le(s, (uint16_t)pcm[i], 2);
    ok = std::fwrite(s, 1, 2, f) == 2;
  }
  return std::fclose(f) == 0 && ok;
}
