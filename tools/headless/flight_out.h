// The runner's flight options: a start in the air, trimmed, and a CSV time
// history of the flight state.
#pragma once
#include <cstdio>
#include <string>
#include <vector>

struct air_start {
  float feet, knots, heading;  // height above sea level, indicated airspeed, true heading
  int at;                      // 1: over lat, lon rather than over the start airport
  float lat, lon;
};
// "FEET,KNOTS,HEADING[,LAT,LON]"; 0 when it does not read as numbers in range.
int parse_air_start(const char* text, air_start* out);
// Places the aircraft, engine idle, and trims it; prints what the trim found.
// 0 when no steady flight was found (the aircraft is left as close as it got).
int start_in_air(const air_start& a);

// The flight verbs of the script (throttle, mixture, flaps, brakes, stick,
// trim, ap, state); 0 for a verb that is not one of them.
int apply_flight_verb(const std::string& verb, const std::vector<std::string>& args, int frame);
// The weather for --turbulence: the level (1..5) and the wind layers drawn for it.
void set_turbulence(float level);

// CSV of the flight state: header, then one row a call.
void csv_header(FILE* f);
void csv_row(FILE* f);
