// Steady flight for the measuring tools: level ground at sea level, calm
// standard air, and the aircraft trimmed in the air by the trim finder.
#pragma once
#include "sim/flight/trim.h"

// Starts the simulator on the dummy drivers with the fake clock, loads the
// aircraft (the default one when path is empty or null) over level ground
// at sea level in calm standard air without real weather, on the runway;
// 0 when the simulator cannot start.
int start_in_steady_air(const char* aircraft_path);
// Every grid point of the loaded region at sea level, land, no boats.
void level_sea_level_ground();
// 59 F, 29.92 inHg, no wind, no turbulence, no clouds.
void standard_calm_air();
// In the air at feet above sea level and kcas calibrated, heading 0, at the
// throttle and flap setting (0..50) given, trimmed; 0 when no steady flight
// was found. The aircraft is left in the trimmed state, hands off.
trim_result air_trimmed(float feet, float kcas, float throttle, int flap);
// Trimmed level at feet and kcas, the throttle found too; 0 when none holds it.
int level_trimmed(float feet, float kcas, int flap, float* throttle);
