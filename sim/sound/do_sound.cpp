// The clips of the folder "sounds" and the loops that follow the flight:
// engine by speed and power, wind by airspeed, rain by the weather.
#include "sim/sound/do_sound.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/view/scn.h"

static const char* const sound_file[SOUNDS] = {
    "XP_RECIP.WAV", "XP_TURBO.WAV", "XP_JET.WAV",   "XR_RECIP.WAV", "XR_TURBO.WAV", "WIND.WAV",
    "RAIN.WAV",     "THUNDER.WAV",  "GEARACT.WAV",  "SQUEAK.WAV",   "BOOM.WAV",     "SINKRATE.WAV",
    "PULLUP.WAV",   "GEAR.WAV",     "TERRAIN.WAV",  "GLIDESLP.WAV", "MINIMUMS.WAV", "WNDSHEAR.WAV",
    "CAUTION.WAV",  "ALERT.WAV",    "ABOUT.WAV",    "STALL.WAV",    "50.WAV",       "25.WAV",
    "10.WAV",       "DOT.WAV",      "DASH.WAV"};

const char* sound_file_name(int n) { return n >= 0 && n < SOUNDS ? sound_file[n] : ""; }

static int sound_ready() { return msc.sound_avail && msc.sound_on && msc.ready_to_update; }
static int sound_number_ok(int n) { return n >= 0 && n < SOUNDS; }

void fill_buffer(int n) {
  if (!sound_number_ok(n)) MACIBM_numberexitalert("Requested sound out of range!", n);
  char path[STR_DIM];
  if (!ap_dir("sounds", sound_file[n], path))
    MACIBM_exitalert("Failed to open sound file:", sound_file[n],
                     "Make sure the sounds are in the folder called 'sounds'.",
                     "If you messed up the sounds, copy them over from the cd-rom.");
  const char* fault = "";
  switch (plat_clip_load_wav(n, path)) {
    case PLAT_WAV_OK: return;
    case PLAT_WAV_OPEN: {
      // A file that is there but no regular file (a pipe, a folder) says so.
      int kind = file_kind(path);
      MACIBM_exitalert("Failed to open sound file:", path,
                       kind == INF_MISSING ? "Make sure the sounds are in the folder called 'sounds'."
                                           : inf_why_text(kind == INF_OK ? INF_UNREADABLE : kind),
                       "If you messed up the sounds, copy them over from the cd-rom.");
    }
    case PLAT_WAV_NOT_WAVE: fault = "This is not a WAVE file."; break;
    case PLAT_WAV_CORRUPT: fault = "WAVE file is corrupted."; break;
    case PLAT_WAV_READ_FORMAT: fault = "Failed to read format chunk opening sound."; break;
    case PLAT_WAV_NOT_PCM: fault = "The sound file is not a PCM file."; break;
    case PLAT_WAV_NO_DATA: fault = "WAVE file has no data chunk."; break;
    case PLAT_WAV_EMPTY: fault = "The sound-file data chunk has no data."; break;
    case PLAT_WAV_READ_DATA: fault = "Failed to read data chunk opeing sound."; break;
    default: fault = "Out of memory opening sound."; break;
  }
  MACIBM_exitalert(fault, path, "", "");
}

int init_sound() {
  if (!plat_audio_init()) return 0;
  for (int n = 0; n < SOUNDS; n++) fill_buffer(n);
  return 1;
}

void dispose_sound() { plat_audio_quit(); }

// A bad number is ignored here as in the loader's own check, never passed on.
void play_buffer(int n, int loop) {
  if (!sound_ready() || !sound_number_ok(n)) return;
  plat_clip_play(n, loop);
}

// Stopping is always safe, so it works with the switch off too: a loop
// started before the switch went off must still be stoppable.
void stop_buffer(int n) {
  if (!msc.sound_avail || !sound_number_ok(n)) return;
  plat_clip_stop(n);
}

void set_frq_vol(float pitch, float loudness, float low, float high, int n) {
  if (!sound_ready() || !sound_number_ok(n)) return;
  float v = (low + (high - low) * loudness) * 0.67f;
  if (!(v > 0)) v = 0;  // a negative or undefined loudness is silence
  if (!(pitch == pitch)) pitch = 0;
  int hz = intlim((int)std::lround(fltlim(pitch, 0, 10) * 22050.0f), 100, 100000);
  int cb = intlim(flt_to_int(-5000.0f + 5000.0f * std::sqrt(fltlim(v, 0, 100))), -5000, 0);
  plat_clip_set(n, hz, cb);
}

int ret_engsnd_en() {
  if (!pln.is_heli) {
    if (pln.entype == 2) return SND_XP_TURBO;
    if (pln.entype == 3) return SND_XP_JET;
    return SND_XP_RECIP;
  }
  if (pln.entype == 1) return SND_XR_RECIP;
  if (pln.entype == 2) return SND_XR_TURBO;
  return SND_XP_RECIP;
}

// The speed at which the recorded loop plays at its own pitch.
static float reference_speed() {
  if (pln.entype == 3) return 100;  // N1, percent
  if (pln.is_heli) return pln.entype == 2 ? 400.0f : 500.0f;
  if (pln.entype == 2) return 1900;
  return pln.pmax * con.watttohp >= 10 ? 2500.0f : 7000.0f;
}

void maintain_engine_sound() {
  if (!pln.entype) return;
  int engines = pln.is_heli ? 1 : intlim(pln.numen, 1, ENGINES);
  float ref = reference_speed(), r = 0, p = 0;
  for (int e = 0; e < engines; e++) {
    r += (pln.entype == 3 ? flt.n1_[e] : flt.tac[e] * con.rsctorpm) / ref;
    p += flt.mixt_powr_rat[e] * flt.thro[e];
  }
  r /= engines;
  p /= engines;
  int n = ret_engsnd_en();
  if (pln.is_heli) set_frq_vol(r, 0.9f * r + 0.1f * p, 0.5f, 1, n);
  else if (pln.entype == 3) set_frq_vol(std::sqrt(fltmax2(r, 0)), 0.5f * r + 0.5f * p, 0.9f, 1, n);
  else if (pln.entype == 2) set_frq_vol(r, 0.5f * r + 0.5f * p, 0.8f, 1, n);
  else set_frq_vol(r, 0.5f * r + 0.5f * p, 0.5f, 1, n);
}

void maintain_windrain_sound() {
  // The sound switch went off: whatever still plays is stopped.
  if (!msc.sound_on) {
    for (int n = 0; n < SOUNDS; n++) stop_buffer(n);
    return;
  }
  float s = pln.Vne > 0 ? flt.vind / pln.Vne : 0;
  set_frq_vol(s, s * s, 0, 1, SND_WIND);
  float k = 0.5f + 1.5f * s;
  set_frq_vol(k * atm.rain_rat, k * atm.rain_rat, 0, 1, SND_RAIN);
}

void play_engine_and_windrain() {
  if (pln.entype) play_buffer(ret_engsnd_en(), 1);
  play_buffer(SND_WIND, 1);
  if (!scn.abovetops && atm.temp_SL > 32 && atm.rain_tstm > 1) play_buffer(SND_RAIN, 1);
  if (pln.entype) maintain_engine_sound();
  maintain_windrain_sound();
}

void stop_engine_and_windrain() {
  for (int n = SND_XP_RECIP; n <= SND_XR_TURBO; n++) stop_buffer(n);
  stop_buffer(SND_WIND);
  stop_buffer(SND_RAIN);
}

void play_thunder(float level) {
  if (level < 0.3f) return;
  set_frq_vol(fltlim(level, 0.3f, 1), fltlim(level, 0, 1), 0, 1, SND_THUNDER);
  play_buffer(SND_THUNDER, 0);
}

void beepme(int kind) {
  if (kind == 8) play_buffer(SND_DOT, 0);
  else if (kind == 9) play_buffer(SND_DASH, 0);
}
