// soundgen: makes the sound set of the folder "sounds" from code. Engines are
// harmonics of their firing and blade frequencies with a little noise, in
// loops that join without a click; wind and rain are shaped noise; thunder a
// low rumble; the spoken call-outs come from espeak-ng through sox. The same
// run makes the same files: the noise is seeded, sox does not dither.
//
//   soundgen [--no-voices] [FOLDER]    (default: the shipped data's "sounds")
#include <sys/stat.h>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/platform/platform.h"
#include "sim/sound/do_sound.h"

namespace {
const int RATE = 22050;
const double PI = 3.14159265358979323846;
typedef std::vector<double> wave;

// A generator of our own, so that every machine draws the same noise.
struct noise {
  uint64_t s;
  explicit noise(uint64_t seed) : s(seed * 2862933555777941757ull + 3037000493ull) {}
  double uniform() {  // -1..1
    s ^= s << 13;
    s ^= s >> 7;
    s ^= s << 17;
    return (double)(s >> 11) / (double)(1ull << 52) - 1.0;
  }
};

wave white(int n, uint64_t seed) {
  noise g(seed);
  wave w((size_t)n);
  for (double& x : w) x = g.uniform();
  return w;
}

// Second-order sections (the usual audio-cookbook forms).
enum { LOWPASS, HIGHPASS, BANDPASS };
void biquad(wave& w, int kind, double f, double q) {
  double w0 = 2 * PI * f / RATE, c = std::cos(w0), a = std::sin(w0) / (2 * q);
  double b0, b1, b2;
  if (kind == LOWPASS) b0 = b2 = (1 - c) / 2, b1 = 1 - c;
  else if (kind == HIGHPASS) b0 = b2 = (1 + c) / 2, b1 = -(1 + c);
  else b0 = a, b1 = 0, b2 = -a;
  double a0 = 1 + a, a1 = -2 * c, a2 = 1 - a;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  for (double& x : w) {
    double y = (b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2) / a0;
    x2 = x1, x1 = x, y2 = y1, y1 = y;
    x = y;
  }
}

void add(wave& to, const wave& w, double gain) {
  for (size_t i = 0; i < to.size() && i < w.size(); i++) to[i] += gain * w[i];
}

double rms(const wave& w) {
  double s = 0;
  for (double x : w) s += x * x;
  return w.empty() ? 0 : std::sqrt(s / (double)w.size());
}

void normalise(wave& w, double peak) {
  double m = 0;
  for (double x : w) m = std::fmax(m, std::fabs(x));
  if (m > 0)
    for (double& x : w) x *= peak / m;
}

// n samples ending where they began: the tail past n is faded into the head
// at equal power, so the join is as smooth as the rest of the loop.
wave loop_of(const wave& w, int n, int fade) {
  wave out(w.begin(), w.begin() + n);
  for (int i = 0; i < fade; i++) {
    double t = (i + 0.5) / fade;
    out[(size_t)i] = w[(size_t)i] * std::sin(t * PI / 2) + w[(size_t)(n + i)] * std::cos(t * PI / 2);
  }
  return out;
}

// Harmonics of f: amplitude amp[k-1] at k f, phases from the seed.
wave harmonics(int n, double f, const std::vector<double>& amp, uint64_t seed) {
  noise g(seed);
  wave w((size_t)n);
  for (size_t k = 1; k <= amp.size(); k++) {
    double ph = PI * g.uniform(), step = 2 * PI * f * (double)k / RATE;
    for (int i = 0; i < n; i++) w[(size_t)i] += amp[k - 1] * std::sin(step * i + ph);
  }
  return w;
}

// Noise in short bursts at rate f (exhaust pulses, blade slaps): each burst
// rises in a millisecond or two, decays with time constant tau and varies a
// little in strength. The first starts half a period in, away from the join.
wave pulses(int n, double f, double tau, double lo, double hi, uint64_t seed) {
  wave w = white(n, seed);
  biquad(w, HIGHPASS, lo, 0.7);
  biquad(w, LOWPASS, hi, 0.7);
  noise g(seed + 1);
  double period = RATE / f, strength = 1;
  for (int i = 0; i < n; i++) {
    double since = std::fmod(i + period / 2, period);
    if (since < 1) strength = 1 + 0.15 * g.uniform();
    w[(size_t)i] *= strength * (1 - std::exp(-since / (0.0015 * RATE))) * std::exp(-since / (tau * RATE));
  }
  return w;
}

// Three seconds of loop: every tone is a whole number of thirds of a hertz,
// so it returns to its start exactly where the loop does; the noise is made
// longer and its tail faded into its head.
const int LOOP = 3 * RATE, FADE = RATE / 4, LONG = LOOP + FADE;

wave looped(const wave& w) { return loop_of(w, LOOP, FADE); }

wave filtered_noise(uint64_t seed, int kind, double f, double q) {
  wave w = white(LONG, seed);
  biquad(w, kind, f, q);
  return looped(w);
}

wave engine_recip() {
  // 2500 rpm: crank 41.67 Hz; four cylinders and a two-blade propeller both at 83.33 Hz.
  double crank = 2500.0 / 60, fire = 2 * crank;
  wave w = harmonics(LOOP, fire, {1, 0.55, 0.4, 0.3, 0.22, 0.16, 0.12, 0.09, 0.07, 0.05}, 11);
  add(w, harmonics(LOOP, crank, {0.25, 0, 0.12, 0, 0.06}, 12), 1);
  add(w, looped(pulses(LONG, fire, 0.004, 300, 2500, 13)), 0.5);
  add(w, filtered_noise(14, LOWPASS, 4000, 0.7), 0.05);
  return w;
}

wave engine_turbo() {
  // 1900 rpm, three blades: 95 Hz; the gas generator's whine above.
  wave w = harmonics(LOOP, 1900.0 / 60 * 3, {1, 0.5, 0.3, 0.2, 0.12, 0.08}, 21);
  add(w, harmonics(LOOP, 2850, {0.12, 0.04}, 22), 1);
  add(w, harmonics(LOOP, 4100, {0.05}, 23), 1);
  add(w, filtered_noise(24, LOWPASS, 900, 0.7), 0.9);
  add(w, filtered_noise(25, BANDPASS, 3000, 1.5), 0.15);
  return w;
}

wave engine_jet() {
  // Roar first; the fan's blade tone and the spool's whine ride on it.
  wave roar = white(LONG, 31);
  biquad(roar, LOWPASS, 1200, 0.6);
  biquad(roar, HIGHPASS, 40, 0.7);
  normalise(roar, 1);
  wave w = looped(roar);
  add(w, harmonics(LOOP, 1800, {0.1, 0.04}, 32), 1);
  add(w, harmonics(LOOP, 3700, {0.05}, 33), 1);
  add(w, harmonics(LOOP, 60, {0.08, 0.06, 0.04}, 34), 1);
  add(w, filtered_noise(35, HIGHPASS, 2500, 0.7), 0.08);
  return w;
}

wave heli_recip() {
  // Rotor 500 rpm, two blades: slaps at 16.67 Hz; the piston engine at 90 Hz.
  wave w = looped(pulses(LONG, 500.0 / 60 * 2, 0.012, 60, 600, 41));
  normalise(w, 1);
  add(w, harmonics(LOOP, 500.0 / 60 * 2, {0.5, 0.3, 0.2}, 42), 1);
  add(w, harmonics(LOOP, 90, {0.3, 0.18, 0.1, 0.06}, 43), 1);
  add(w, looped(pulses(LONG, 90, 0.003, 300, 2000, 44)), 0.1);
  return w;
}

wave heli_turbo() {
  // Rotor 400 rpm, two blades: slaps at 13.33 Hz; the turbine's whine.
  wave w = looped(pulses(LONG, 400.0 / 60 * 2, 0.014, 60, 500, 51));
  normalise(w, 1);
  add(w, harmonics(LOOP, 400.0 / 60 * 2, {0.5, 0.3, 0.2}, 52), 1);
  add(w, harmonics(LOOP, 4000, {0.08, 0.03}, 53), 1);
  add(w, filtered_noise(54, LOWPASS, 700, 0.7), 0.4);
  return w;
}

wave wind() {
  // Broadband rush and a faint whistle, with slow gusts (whole cycles in the loop).
  wave w = filtered_noise(61, BANDPASS, 500, 0.5);
  add(w, filtered_noise(62, BANDPASS, 1400, 4), 0.5);
  for (int i = 0; i < LOOP; i++) {
    double t = (double)i / RATE;
    w[(size_t)i] *= 1 + 0.25 * std::sin(2 * PI * t / 3) + 0.1 * std::sin(2 * PI * t * 4 / 3 + 1);
  }
  return w;
}

wave rain() {
  // Many small drops on the canopy over a hiss.
  wave w = white(LONG, 71);
  biquad(w, HIGHPASS, 1500, 0.7);
  for (double& x : w) x *= 0.15;
  noise g(72);
  wave drops((size_t)LONG);
  for (int d = 0; d < 3 * 500; d++) {
    int at = (int)((g.uniform() + 1) / 2 * (LONG - 400));
    double a = 0.3 + 0.7 * std::fabs(g.uniform()), f = 2500 + 1500 * g.uniform();
    for (int i = 0; i < 300; i++) drops[(size_t)(at + i)] += a * std::sin(2 * PI * f * i / RATE) * std::exp(-i / 40.0);
  }
  add(w, drops, 0.5);
  return looped(w);
}

// An envelope that rises in `attack` seconds and falls away over `decay`.
void envelope(wave& w, double attack, double decay) {
  for (size_t i = 0; i < w.size(); i++) {
    double t = (double)i / RATE;
    w[i] *= std::fmin(1, t / attack) * std::exp(-t / decay);
  }
}

wave thunder() {
  int n = 6 * RATE;
  wave crack = white(n, 81);
  biquad(crack, HIGHPASS, 800, 0.7);
  envelope(crack, 0.005, 0.08);
  wave rumble = white(n, 82);
  biquad(rumble, LOWPASS, 120, 0.7);
  biquad(rumble, LOWPASS, 180, 0.7);
  normalise(rumble, 1);
  // Rolling: a few swells as the sound arrives from farther parts of the bolt.
  noise g(83);
  wave roll((size_t)n, 0.0);
  for (int k = 0; k < 6; k++) {
    double at = 0.2 + 0.7 * k + 0.3 * g.uniform(), width = 0.3 + 0.15 * g.uniform(), a = 1 - 0.12 * k;
    for (int i = 0; i < n; i++) {
      double t = (double)i / RATE - at;
      roll[(size_t)i] += a * std::exp(-t * t / (2 * width * width));
    }
  }
  for (int i = 0; i < n; i++) rumble[(size_t)i] *= roll[(size_t)i];
  envelope(rumble, 0.05, 2.5);
  add(rumble, crack, 0.5);
  // The last tenth of a second fades to nothing.
  for (int i = n - RATE / 10; i < n; i++) rumble[(size_t)i] *= (double)(n - i) / (RATE / 10);
  return rumble;
}

wave gear_motor() {
  int n = 4 * RATE;
  wave w((size_t)n);
  double phase = 0;
  for (int i = 0; i < n; i++) {
    double t = (double)i / RATE;
    double f = 220 + 90 * std::fmin(1, t / 0.4);  // spins up
    phase += 2 * PI * f / RATE;
    double s = 0;
    for (int k = 1; k <= 8; k++) s += std::sin(k * phase) / k;  // a motor's buzz
    double on = std::fmin(1, t / 0.05) * std::fmin(1, std::fmax(0, (3.5 - t) / 0.1));
    w[(size_t)i] = 0.5 * s * on;
  }
  wave clunk = white(n, 91);
  biquad(clunk, LOWPASS, 300, 0.7);
  for (int i = 0; i < n; i++) {
    double t = (double)i / RATE - 3.55;
    clunk[(size_t)i] = t < 0 ? 0 : (clunk[(size_t)i] * 2 + std::sin(2 * PI * 70 * t)) * std::exp(-t / 0.06);
  }
  add(w, clunk, 0.8);
  return w;
}

wave squeak() {
  int n = (int)(0.35 * RATE);
  wave w((size_t)n);
  double phase = 0;
  for (int i = 0; i < n; i++) {
    double t = (double)i / RATE;
    phase += 2 * PI * (1150 - 250 * t + 40 * std::sin(2 * PI * 35 * t)) / RATE;
    w[(size_t)i] = std::sin(phase) + 0.3 * std::sin(2 * phase);
  }
  wave scrub = white(n, 101);
  biquad(scrub, BANDPASS, 1500, 2);
  add(w, scrub, 1.5);
  envelope(w, 0.01, 0.12);
  return w;
}

wave boom() {
  int n = (int)(2.5 * RATE);
  wave w = white(n, 111);
  biquad(w, LOWPASS, 400, 0.7);
  normalise(w, 1);
  envelope(w, 0.003, 0.5);
  wave crunch = white(n, 112);
  biquad(crunch, HIGHPASS, 1200, 0.7);
  envelope(crunch, 0.002, 0.15);
  add(w, crunch, 0.6);
  for (int i = 0; i < n; i++) w[(size_t)i] += 0.8 * std::sin(2 * PI * 45 * i / RATE) * std::exp(-(double)i / RATE / 0.35);
  return w;
}

// A struck tone with a few inharmonic partials, like a small bell.
void bell(wave& w, double at, double f, double decay, double gain) {
  static const double part[4][2] = {{1, 1}, {2.0, 0.4}, {2.76, 0.25}, {5.4, 0.1}};
  for (size_t i = (size_t)(at * RATE); i < w.size(); i++) {
    double t = (double)i / RATE - at;
    double env = std::fmin(1, t / 0.004) * std::exp(-t / decay);
    for (const auto& p : part) w[i] += gain * p[1] * env * std::sin(2 * PI * f * p[0] * t);
  }
}

wave alert() {
  wave w((size_t)(0.9 * RATE));
  bell(w, 0, 880, 0.25, 1);
  bell(w, 0.3, 660, 0.3, 1);
  return w;
}

wave about() {
  wave w((size_t)(1.6 * RATE));
  const double notes[4] = {523.25, 659.25, 783.99, 1046.5};
  for (int k = 0; k < 4; k++) bell(w, 0.15 * k, notes[k], 0.35, 1);
  return w;
}

// Morse and marker tones at the ident tone's 1020 Hz, with 5 ms edges.
wave tone(double seconds) {
  int n = (int)(seconds * RATE), edge = RATE / 200;
  wave w((size_t)n);
  for (int i = 0; i < n; i++) {
    double ramp = std::fmin(1, std::fmin((double)i / edge, (double)(n - 1 - i) / edge));
    w[(size_t)i] = ramp * std::sin(2 * PI * 1020 * i / RATE);
  }
  return w;
}

int save(const std::string& folder, int n, wave w, double peak) {
  normalise(w, peak);
  std::vector<int16_t> pcm(w.size());
  for (size_t i = 0; i < w.size(); i++) pcm[i] = (int16_t)std::lrint(w[i] * 32767);
  std::string path = folder + "/" + sound_file_name(n);
  if (!plat_wav_save(path.c_str(), pcm.data(), (int)pcm.size(), RATE)) {
    std::fprintf(stderr, "soundgen: cannot write %s\n", path.c_str());
    return 0;
  }
  std::printf("%-13s %6.2f s  rms %.3f\n", sound_file_name(n), (double)w.size() / RATE, rms(w));
  return 1;
}

// The words, as the voice says them. The stall call repeats while stalled,
// so it carries its own pause.
struct phrase {
  int n;
  const char* words;
  double pause;
};
const phrase phrases[] = {
    {SND_SINKRATE, "sink rate", 0},     {SND_PULLUP, "pull up", 0},   {SND_GEAR, "too low, gear", 0},
    {SND_TERRAIN, "too low, terrain", 0}, {SND_GLIDESLP, "glide slope", 0}, {SND_MINIMUMS, "minimums", 0},
    {SND_WNDSHEAR, "wind shear", 0},    {SND_CAUTION, "caution", 0},  {SND_STALL, "stall", 0.35},
    {SND_50, "fifty", 0},               {SND_25, "twenty five", 0},   {SND_10, "ten", 0},
};

// espeak-ng says it; sox makes it the cockpit's voice: band-limited like a
// headset, at 22050 Hz mono 16-bit, no dither (so that runs repeat).
int voice(const std::string& folder, const phrase& p) {
  std::string tmp = folder + "/.soundgen.wav", out = folder + "/" + sound_file_name(p.n);
  char cmd[1024];
  std::snprintf(cmd, sizeof cmd, "espeak-ng -v en-us -s 165 -p 45 -w '%s' '%s'", tmp.c_str(), p.words);
  if (std::system(cmd) != 0) return 0;
  std::snprintf(cmd, sizeof cmd,
                "sox -R -D -V1 '%s' -r %d -c 1 -b 16 -e signed-integer '%s' highpass 300 lowpass 3400 "
                "compand 0.005,0.1 -50,-50,-30,-12,0,-3 0 norm -1 pad 0 %.2f",
                tmp.c_str(), RATE, out.c_str(), p.pause);
  int ok = std::system(cmd) == 0;
  std::remove(tmp.c_str());
  if (ok) std::printf("%-13s \"%s\"\n", sound_file_name(p.n), p.words);
  return ok;
}
}  // namespace

int main(int argc, char** argv) {
  int voices = 1;
  std::string folder;
  for (int i = 1; i < argc; i++) {
    if (std::strcmp(argv[i], "--no-voices") == 0) voices = 0;
    else if (std::strcmp(argv[i], "--help") == 0) {
      std::printf("usage: soundgen [--no-voices] [FOLDER]\n"
                  "Writes the sound set (22050 Hz mono 16-bit WAVE files) into FOLDER, by default the\n"
                  "shipped data's \"sounds\". The call-outs need espeak-ng and sox; --no-voices skips them.\n");
      return 0;
    } else folder = argv[i];
  }
  if (folder.empty()) folder = std::string(plat_app_dir()) + "/sounds";
  mkdir(folder.c_str(), 0755);
  int ok = save(folder, SND_XP_RECIP, engine_recip(), 0.8) && save(folder, SND_XP_TURBO, engine_turbo(), 0.8) &&
           save(folder, SND_XP_JET, engine_jet(), 0.8) && save(folder, SND_XR_RECIP, heli_recip(), 0.8) &&
           save(folder, SND_XR_TURBO, heli_turbo(), 0.8) && save(folder, SND_WIND, wind(), 0.7) &&
           save(folder, SND_RAIN, rain(), 0.6) && save(folder, SND_THUNDER, thunder(), 0.95) &&
           save(folder, SND_GEARACT, gear_motor(), 0.6) && save(folder, SND_SQUEAK, squeak(), 0.6) &&
           save(folder, SND_BOOM, boom(), 0.95) && save(folder, SND_ALERT, alert(), 0.6) &&
           save(folder, SND_ABOUT, about(), 0.6) && save(folder, SND_DOT, tone(0.1), 0.5) &&
           save(folder, SND_DASH, tone(0.3), 0.5);
  if (ok && voices)
    for (const phrase& p : phrases) ok = ok && voice(folder, p);
  if (!ok) {
    std::fprintf(stderr, "soundgen: failed%s\n", voices ? " (the call-outs need espeak-ng and sox)" : "");
    return 1;
  }
  return 0;
}
