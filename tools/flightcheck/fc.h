// The flight check: the default aircraft flown headless through the
// handbook's manoeuvres by a simple pilot.
#pragma once

// ---- the simulator and the world it flies in ----
// Starts the simulator once on the dummy drivers with the fake clock.
void fc_start(float step);
// A fresh flight over level ground at sea level, calm standard air, the
// aircraft at its maximum weight with full fuel, the random generator seeded.
void fc_fresh(unsigned seed);
// One frame as the frame loop runs it (controls, flight, the periodic counters).
void fc_frame();
float fc_step();        // seconds a frame
float fc_agl_ft();      // height of the centre of gravity above its resting height, ft
float fc_cas_kt();      // calibrated airspeed, knots
float fc_hdg();         // true heading, degrees

// ---- placing the aircraft ----
// In the air at feet above sea level and knots calibrated, heading 0, at the
// given throttle and flap setting (0..50), trimmed by the trim finder; 0 when
// no steady flight was found.
int  fc_air(float feet, float kcas, float throttle, int flap);
// Trimmed level at feet and knots: the throttle found too. 0 when none holds it.
int  fc_level(float feet, float kcas, int flap, float* throttle);
// On the ground at the start of the runway (heading 0), brakes set, engine idle.
void fc_ground();

// ---- the pilot ----
struct pilot_cmd {
  int   hold_speed;   // pitch for airspeed (kcas) ...
  float kcas;
  int   hold_alt;     // ... or for height (ft above sea level)
  float alt_ft;
  int   hold_vs;      // ... or for a climb rate (ft/min)
  float vs_fpm;
  float pitch_deg;    // otherwise this pitch attitude
  float heading;      // wings held for this true heading
};
void pilot_reset();
// Moves the stick (through the keyboard's input) for one frame toward cmd.
void pilot_fly(const pilot_cmd& cmd);
void pilot_hands_off();

// ---- the figures ----
struct figure {
  const char* name;
  float value;
  const char* unit;
  float reference;
  int handling;       // a limit rather than a handbook figure
  int ok;             // within 10 % (handbook) or within the limit (handling)
};
enum { FIGURES = 11 };
// Flies every manoeuvre; fills out[FIGURES]. verbose traces each run to stderr.
void fc_fly_all(figure* out, int verbose, unsigned seed);
