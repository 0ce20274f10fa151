// Weather and atmosphere.
#pragma once

struct atmospherestruct {
  float hr[22][2];   // standard-atmosphere height (m) and density (kg/m3)
  int   cld_type;    // 0 no clouds
  float vis;         // visibility, m
  int   rate_change;  // weather rate of change, 1..8
};
extern atmospherestruct atm;
