// Weather and atmosphere.
#pragma once

struct atmospherestruct {
  float hr[22][2];   // standard-atmosphere height (m) and density (kg/m3)
  int   cld_type;    // 0 no clouds
  float vis;         // visibility, m
  // ---- weather field of the region, written by the region loader ----
  float wxr[601][401];  // local weather intensity 0..1, 200 cells per degree
  int   rate_change;  // weather rate of change, 1..8
};
extern atmospherestruct atm;
