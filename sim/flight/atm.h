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
  // ---- weather settings kept in the preferences ----
  float temp_SL;                  // sea-level temperature, deg F
  float baro;                     // sea-level pressure, inHg
  float rain_tstm, wind_tbl, burst_prob;  // levels 1..5
  int   change_clouds, change_vis, change_precip, change_turb, change_micro;
  float topsMSL, baseMSL;         // m
  float wnddir[9], wndspd[9], shrdir[9], shrspd[9], tbl[9];  // wind layers
  float wave_amp, wave_length, wave_speed;  // m, m, m/s
  int   wave_dir;
  int   meteorite_code;           // 1..4
  int   rway_fric_code;           // 1..3
  float thermal_part, thermal_vvi;
  int   therm_on_poly[178][159];  // terrain cells that carry thermals
  // ---- clouds, storms and visibility as the view reads them ----
  float level;             // storm level at the aircraft
  // Lightning: the bolt showing and the flash phase.
  int   strike_up, strike_lighting;
  int   i_strike, j_strike, num_branches;
  int   strike_size[4];
  float lightx[4][20], lighty[4][20], lightz[4][20];
  float strike_start_time, strike_duration;  // s of msc.elap_time; 0.2..0.6 s
  // The last 60 strikes for the stormscope: position (m) and when each is forgotten.
  float strike_x[60], strike_y[60], strike_t_exp[60];
  int   strike_ring;       // the slot of the newest, 0..59
  int   strike_count;      // strikes so far: the stormscope redraws when it changes
  float rain_rat;          // precipitation on the windshield, 0..1 (and the rain's sound)
  // ---- written by the scene pass ----
  float vis_effective;     // visibility after cloud wisps and storms, m
  float vis1_grnd, vis2_grnd, vis1_lite, vis2_lite, vis3_lite;  // haze and light ranges, m
  // ---- weather model (written by the weather code) ----
  float baseAGL;           // cloud base above the departure airport, m
  float dewp_SL;           // sea-level dew point, deg F
  int   inshear;           // 1 while a microburst acts
};
extern atmospherestruct atm;
