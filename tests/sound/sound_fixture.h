// The simulator started once with its sound set loaded, the mix held in
// capture mode so that a test renders exactly the sound it measures; and the
// measures: loudness and the fundamental frequency of a captured signal.
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/shell/lax.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "tests/support/kept.h"

namespace sound {

inline std::vector<float> capture(double seconds) {
  std::vector<float> out((size_t)(seconds * PLAT_MIX_RATE));
  plat_audio_render(out.data(), (int)out.size());
  return out;
}

inline double rms(const std::vector<float>& s, size_t from = 0, size_t to = (size_t)-1) {
  to = std::min(to, s.size());
  double sum = 0;
  for (size_t i = from; i < to; i++) sum += (double)s[i] * s[i];
  return to > from ? std::sqrt(sum / (double)(to - from)) : 0;
}

// Strength of the component at f hertz (Goertzel, Hann window).
inline double strength_at(const std::vector<float>& s, double f, double rate = PLAT_MIX_RATE) {
  double w = 2 * M_PI * f / rate, c = 2 * std::cos(w), s1 = 0, s2 = 0;
  size_t n = s.size();
  for (size_t i = 0; i < n; i++) {
    double win = 0.5 - 0.5 * std::cos(2 * M_PI * (double)i / (double)(n - 1));
    double s0 = s[i] * win + c * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return std::sqrt(s1 * s1 + s2 * s2 - c * s1 * s2);
}

// The fundamental: the lowest spectral peak between lo and hi hertz that
// reaches half the strongest there, found on a 1 Hz grid and then refined.
inline double fundamental(const std::vector<float>& s, double lo = 20, double hi = 300) {
  std::vector<double> m;
  for (double x = lo; x <= hi; x += 1) m.push_back(strength_at(s, x));
  double top = 0;
  for (double v : m) top = std::max(top, v);
  for (size_t i = 1; i + 1 < m.size(); i++) {
    if (!(m[i] >= 0.5 * top && m[i] >= m[i - 1] && m[i] >= m[i + 1])) continue;
    double best = lo + (double)i, best_m = 0;
    for (double x = lo + (double)i - 1; x <= lo + (double)i + 1; x += 0.05) {
      double v = strength_at(s, x);
      if (v > best_m) best_m = v, best = x;
    }
    return best;
  }
  return 0;
}

// The records a sound test may change, put back before every test.
struct snapshot {
  kept<planestruct> p{&pln};
  kept<flightstruct> f{&flt};
  kept<atmospherestruct> a{&atm};
  kept<scenerystruct> s{&scn};
  kept<miscstruct> m{&msc};
  kept<atcstruct> c{&atc};
  void restore() { p.restore(); f.restore(); a.restore(); s.restore(); m.restore(); c.restore(); }
};

class SoundTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int started = 0;
    if (started) return;
    plat_use_fake_clock(5000);
    plat_audio_capture(1);
    ASSERT_EQ(tarvel_start(), 1);
    simulate_startup();
    started = 1;
    start_state() = new snapshot();
  }
  static snapshot*& start_state() {
    static snapshot* s = nullptr;
    return s;
  }
  void SetUp() override {
    start_state()->restore();
    ASSERT_EQ(msc.sound_avail, 1) << "the dummy audio driver should open";
    msc.sound_on = msc.ready_to_update = 1;
    for (int n = 0; n < SOUNDS; n++) plat_clip_stop(n);
    desk_alert_record_clear();
    desk_answer_clear();
  }
  void TearDown() override {
    for (int n = 0; n < SOUNDS; n++) plat_clip_stop(n);
  }
  static int playing_count() {
    int k = 0;
    for (int n = 0; n < PLAT_CLIPS; n++) k += plat_clip_playing(n);
    return k;
  }
};

}  // namespace sound
