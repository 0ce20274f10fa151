// Weather and atmosphere.
#pragma once

struct atmospherestruct {
  float hr[22][2];   // standard-atmosphere height (m) and density (kg/m3)
  int   cld_type;    // 0 no clouds
  float vis;         // visibility, m
  // ---- weather field of the region, written by the region loader ----
  float wxr[601][401];  // local weather intensity 0..1, 200 cells per degree
  int   rate_change;  // weather rate of change, 1..8
  // ---- the air at the aircraft, for the flight model ----
  float rho, a, g, T;   // density (kg/m3), speed of sound (m/s), gravity (m/s2), temperature (K)
  float crtsig;         // density over sea-level density
  float wind_x, wind_y, wind_z;  // wind vector, m/s, world frame
  float baro;           // sea-level pressure, inches of mercury
  float baseMSL, topsMSL;        // cloud base and tops, m
  float wave_amp, wave_length, wave_speed;  // sea waves, m, m, m/s
  int   wave_dir;       // degrees
};
extern atmospherestruct atm;
