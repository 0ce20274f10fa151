// The radios: which station each receiver hears, the needles of NAV 1 and
// NAV 2, the DME, the ADF's station, the GPS waypoint, the marker beacons and
// the stations' identifiers in Morse. They write `nav`; the instruments of the
// panel draw from it.
#pragma once

enum { MORSE_SLOTS = 24, MORSE_QUIET = 0, MORSE_DOT = 8, MORSE_DASH = 9 };  // dot and dash as beepme plays them

void  init_radios();  // nothing heard yet
// Reception ranges in degrees of latitude and longitude at a height in feet.
float vor_range_deg(float feet);
float loc_range_deg(float feet);  // localizers, glide slopes and NDBs

// 1 when navaid n is on f_whole.f_hundredths (a negative part matches
// anything) and nearer than both `range` and *best (then *best is its distance).
int  check_nav(int n, int f_whole, int f_hundredths, float* best, float range);
void setnav(int receiver);  // 0, 1 NAV; 4 ADF; 5 the GPS waypoint
void get_gps_data(float* course, float* distance);  // true course and metres to the waypoint

// The needles of NAV 1 and NAV 2 from the stations heard (about ten times a second).
void nav_deflections();
// DME: d <- 0.6 d + 0.4 range; ground speed from the change over dt seconds;
// time to the station 999 minutes when it does not close.
void dme_step(float range_nm, float dt, float* d, float* speed, float* minutes);
// GPS time to the waypoint in minutes, 999 when standing still.
float gps_minutes(float distance_m, float speed_ms);

// Called by the frame loop: each simulation step (identifiers), each event
// step (needles, marker beacons, glide-slope warning) and once a second
// (DME, and every sixth time the tuning).
void radios_step();
void radios_evt();
void radios_sec();
void radios_retune();  // tune every receiver now (a new start)

// An ILS final start: both NAV receivers to the runway's ILS and their
// courses to the runway's; 0 when the runway end has no localizer.
int tune_ils_for_runway(int apt, int rway_sel);

// Morse: append one letter's elements (dot 0.3 s, dash 0.5 s, then 1 s of
// quiet; anything but A..Z adds nothing) to a schedule whose slot *count
// holds the time the letter starts.
void build_morse_id(char letter, int kinds[], float times[], int* count);
void add_dot(int kinds[], float times[], int* count);
void add_das(int kinds[], float times[], int* count);
void add_qui(int kinds[], float times[], int* count);
// Spoken form of a letter or digit ("alpha", "niner"); "" for anything else.
void get_phonetic(char c, char* out);
