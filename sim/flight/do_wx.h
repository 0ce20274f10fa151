// The air at the aircraft, the wind and the weather's slow changes.
#pragma once

void atm_at_height(float h);  // density, temperature, speed of sound and mixture at h metres
void wxcalc();                 // wind update, at every event
void limwx();                  // keeps every weather setting within its limits
void assign_wind_tbl(float newpart);  // blends the wind layers toward new random ones
// A turbulence level 1..5 chosen in the weather window: the layers re-derived
// once in full and six times a tenth.
void choose_turbulence(float level);
void transition(float* in, float goal, float newpart);
int  wind_index(float h);      // wind layer 0..8 for a height above sea level, m
void storm_level();            // atm.level from the weather-radar map, at every event
// The weather-radar map's cell under world point (x, y): 0 off the map, or
// the nearest edge cell when clamp is set.
float wxr_at(float x, float y, int clamp);
void weather_sec();            // once a second: weather file, trend, icing, fuel

// Forgets the wind's target, any microburst and what the weather file said.
void reset_weather();
// Where the real-weather file is looked for; null for "world.rwx" in the
// application folder.
void set_weather_file(const char* path);
// The microburst now acting: 0 for none, else its type 1..3.
int  shear_now();
// Each cell of the region a thermal or not, by the weather's thermal share.
void draw_thermal_map();
