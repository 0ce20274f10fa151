// Engine, wind and rain loops and the one-shot effects and call-outs, from
// the clips in the folder "sounds".
#pragma once

// The clips by number, in the order they are loaded.
enum {
  SND_XP_RECIP = 0,  // aeroplane reciprocating engine (loop)
  SND_XP_TURBO = 1,  // aeroplane turboprop (loop)
  SND_XP_JET = 2,    // jet (loop)
  SND_XR_RECIP = 3,  // helicopter, reciprocating (loop)
  SND_XR_TURBO = 4,  // helicopter, turbine (loop)
  SND_WIND = 5,
  SND_RAIN = 6,
  SND_THUNDER = 7,
  SND_GEARACT = 8,   // gear motor
  SND_SQUEAK = 9,
  SND_BOOM = 10,
  SND_SINKRATE = 11,
  SND_PULLUP = 12,
  SND_GEAR = 13,
  SND_TERRAIN = 14,
  SND_GLIDESLP = 15,
  SND_MINIMUMS = 16,
  SND_WNDSHEAR = 17,
  SND_CAUTION = 18,
  SND_ALERT = 19,
  SND_ABOUT = 20,
  SND_STALL = 21,
  SND_50 = 22,
  SND_25 = 23,
  SND_10 = 24,
  SND_DOT = 25,
  SND_DASH = 26,
  SOUNDS = 27
};

int  init_sound();     // 1 when sound works; its result is msc.sound_avail
void fill_buffer(int n);  // loads sound n; a missing or bad file is fatal
const char* sound_file_name(int n);  // "XP_RECIP.WAV" ...; "" out of range
void dispose_sound();
void play_buffer(int n, int loop);  // from the start
void stop_buffer(int n);
void set_frq_vol(float pitch, float loudness, float low, float high, int n);
void play_engine_and_windrain();
void stop_engine_and_windrain();
void maintain_engine_sound();
void maintain_windrain_sound();
void play_thunder(float level);
void beepme(int kind);  // 8 a dot, 9 a dash
int  ret_engsnd_en();   // the engine loop that suits the aircraft
