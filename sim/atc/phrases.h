// The controller's phrases. Each builder appends to a text of STR_DIM
// characters and never writes past it: a transmission that would not fit is
// cut. Numbers that pilots read back (headings, frequencies, codes, runways,
// the altimeter, wind) are spoken digit by digit; altitudes and distances as
// numbers.
#pragma once

void app_digits(char* text, int n);  // "2 7" for 27, "minus 5" for -5
void app_digits_width(char* text, int n, int width);  // with leading zeros: "0 1 0"
void app_number(char* text, int n);  // "3500"

// The callsign: the pilot's tail number (own set) or a random one, each
// character as its word and a blank.
void start_command_string(char* text, int own);
void app_freq(char* text, int mhz, int hundredths);
void random_freq(int* mhz, int* hundredths);  // a controller: 118.00..134.95
void ground_freq(int* mhz, int* hundredths);  // ground: 121.00..121.90
void app_random_freq(char* text);             // another aircraft's controller
void app_squawk(char* text);
// heading wrapped to 0..359 and moved to the next multiple of step above it.
void app_heading_string(char* text, float heading, int step);
// "turn left heading " or "turn right heading " from the magnetic heading now.
void app_turn_string(char* text, float heading, int step);
void app_altimeter_string(char* text);
void app_wind_string(char* text, int airport);
void app_current_rway_string(char* text, int airport);
void app_rand_plane(char* text, float altitude_ft);

// The wind at the airport's elevation: direction blown from (magnetic),
// speed and gust (knots) and the spread of its direction (degrees).
void airport_wind(int airport, float* dir, float* speed_kt, float* gust_kt, float* spread);
// The runway in use at an airport: runway slot 0..2, end 0 (its own number)
// or 1 (the reciprocal), and the localizer serving it when one was found.
void get_active_rway(int airport, int* runway, int* end, int* loc_found, int* loc);

// Flat-earth distance (nm) and true bearing (degrees) from point 1 to point 2.
float nm_between(float lat1, float lon1, float lat2, float lon2);
float bearing_between(float lat1, float lon1, float lat2, float lon2);
