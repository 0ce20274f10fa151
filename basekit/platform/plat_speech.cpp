// Speech through espeak-ng. A worker thread synthesises the queued texts into
// a buffer that the mixer drains, so that saying something never holds up the
// frame loop and the voice plays (and is captured) with every other sound.
#include "basekit/platform/plat_internal.h"
#include "basekit/platform/platform.h"
#ifdef HAVE_ESPEAK
#include <espeak-ng/speak_lib.h>
#include <samplerate.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

namespace {
enum { MAX_TEXTS = 8, MAX_BUFFERED = PLAT_MIX_RATE * 10 };
std::mutex lock;
std::condition_variable wake;
std::deque<std::string> texts;
std::deque<float> said;     // synthesised, not yet mixed
int speaking = 0;           // the worker is inside the synthesiser
std::atomic<int> quitting{0};
std::thread* worker = nullptr;
int voice_rate = 0;
SRC_STATE* to_mix_rate = nullptr;  // only when the voice's rate is not the mix's

void append(const float* s, long n) {
  std::unique_lock<std::mutex> hold(lock);
  // Synthesis runs ahead of playing by ten seconds at most.
  wake.wait(hold, [] { return quitting || said.size() < (size_t)MAX_BUFFERED; });
  if (!quitting) said.insert(said.end(), s, s + n);
}

int collect(short* wav, int n, espeak_EVENT*) {
  if (quitting) return 1;  // abandons the text
  if (!wav || n <= 0) return 0;
  static float in[4096], out[4096 * 4];
  while (n > 0) {
    int k = n < 4096 ? n : 4096;
    for (int i = 0; i < k; i++) in[i] = wav[i] / 32768.0f;
    if (!to_mix_rate) {
      append(in, k);
    } else {
      SRC_DATA d = {};
      d.data_in = in;
      d.input_frames = k;
      d.data_out = out;
      d.output_frames = 4096 * 4;
      d.src_ratio = (double)PLAT_MIX_RATE / voice_rate;
      if (src_process(to_mix_rate, &d) == 0) append(out, d.output_frames_gen);
    }
    wav += k;
    n -= k;
  }
  return quitting.load();
}

void work() {
  // Synthesis yields to the frame loop: it runs ten seconds ahead anyway.
  setpriority(PRIO_PROCESS, (id_t)syscall(SYS_gettid), 5);
  for (;;) {
    std::string text;
    {
      std::unique_lock<std::mutex> hold(lock);
      wake.wait(hold, [] { return quitting || !texts.empty(); });
      if (quitting) return;
      text = texts.front();
      texts.pop_front();
      speaking = 1;
    }
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_AUTO, nullptr, nullptr);
    std::lock_guard<std::mutex> hold(lock);
    speaking = 0;
  }
}
}  // namespace

// The synthesiser is set up once for the process: shutting it down can hang
// on its own idle thread, so only our worker stops and starts again.
static int start_synthesiser() {
  static int rate = 0;
  if (rate) return rate;
  // Without its data the synthesiser would end the process unless told not to.
  int r = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, espeakINITIALIZE_DONT_EXIT);
  if (r <= 0) return 0;
  espeak_VOICE wanted = {};
  wanted.languages = "en-us";
  wanted.gender = 1;
  wanted.age = 30;
  if (espeak_SetVoiceByProperties(&wanted) != EE_OK && espeak_SetVoiceByName("en-us") != EE_OK) return 0;
  espeak_SetSynthCallback(collect);
  espeak_SetParameter(espeakRATE, 185, 0);
  if (r != PLAT_MIX_RATE) {
    int err = 0;
    to_mix_rate = src_new(SRC_SINC_FASTEST, 1, &err);
    if (!to_mix_rate) return 0;
  }
  rate = r;
  return rate;
}

int plat_speech_init() {
  if (worker) return 1;
  if (!plat_audio_open()) return 0;
  voice_rate = start_synthesiser();
  if (!voice_rate) return 0;
  quitting = 0;
  worker = new std::thread(work);
  static int registered = 0;
  if (!registered) std::atexit(plat_speech_quit);  // before the synthesiser's own statics go
  registered = 1;
  return 1;
}

int plat_speech_say(const char* text) {
  if (!text) return 0;
  {
    std::lock_guard<std::mutex> hold(lock);
    if (!worker || quitting || texts.size() >= MAX_TEXTS) return 0;
    texts.push_back(text);
  }
  wake.notify_all();
  return 1;
}

int plat_speech_busy() {
  std::lock_guard<std::mutex> hold(lock);
  return !texts.empty() || speaking || !said.empty();
}

void plat_speech_mix(float* out, int frames) {
  std::lock_guard<std::mutex> hold(lock);
  if (said.empty()) return;
  int n = frames < (int)said.size() ? frames : (int)said.size();
  for (int i = 0; i < n; i++) out[i] += said[(size_t)i];
  said.erase(said.begin(), said.begin() + n);
  wake.notify_all();
}

void plat_speech_quit() {
  if (!worker) return;
  {
    std::lock_guard<std::mutex> hold(lock);
    quitting = 1;
    texts.clear();
    wake.notify_all();
  }
  worker->join();
  delete worker;
  worker = nullptr;
  if (to_mix_rate) src_reset(to_mix_rate);
  std::lock_guard<std::mutex> hold(lock);
  said.clear();
  speaking = 0;
}
#else
int plat_speech_init() { return 0; }
int plat_speech_say(const char*) { return 0; }
int plat_speech_busy() { return 0; }
void plat_speech_mix(float*, int) {}
void plat_speech_quit() {}
#endif
