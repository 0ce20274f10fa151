// Weather and atmosphere.
#pragma once

struct atmospherestruct {
  float hr[22][2];   // standard-atmosphere height (m) and density (kg/m3)
  int   cld_type;    // 0 no clouds
  float vis;         // visibility, m
  // ---- weather field of the region, written by the region loader ----
  float wxr[601][401];  // local weather intensity 0..1, 200 cells per degree
  int   rate_change;  // weather rate of change, 1..8
  // ---- clouds, storms and visibility as the view reads them ----
  float topsMSL, baseMSL;  // cloud tops and bases, m
  float temp_SL;           // sea-level temperature, degrees F
  float rain_tstm;         // storm level 1..5
  float level;             // storm level at the aircraft
  // Lightning: the bolt showing and the flash phase.
  int   strike_up, strike_lighting;
  int   i_strike, j_strike, num_branches;
  int   strike_size[4];
  float lightx[4][20], lighty[4][20], lightz[4][20];
  // ---- written by the scene pass ----
  float vis_effective;     // visibility after cloud wisps and storms, m
  float vis1_grnd, vis2_grnd, vis1_lite, vis2_lite, vis3_lite;  // haze and light ranges, m
};
extern atmospherestruct atm;
