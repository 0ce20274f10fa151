// Radio receivers and GPS.
#pragma once

struct navstruct {
  int radio_output;        // the receiver heard: 0 NAV 1, 1 NAV 2, 2 COM 1, 3 COM 2, 4 ADF
  int xfer_sel[4];
  // ---- radio and GPS settings kept in the preferences ----
  float vol[2];
  int   nf[2], nf100[2];   // nav frequencies, MHz and hundredths
  int   cf[2], cf100[2];   // com frequencies
  int   adf1, adf2, adf3;  // ADF digits
  int   tran1, tran2, tran3, tran4;  // transponder digits
  float obs[2];
  int   dmesel;            // receiver the DME follows, 0 or 1
  int   gps_index_mode;    // 1 airports, 2 NDBs, 3 VORs
  int   gps_index, gps_apt_index, gps_vor_index, gps_ndb_index;
  int   gps_id[4];         // identifier character codes 0..36
  // ---- what the autopilot follows ----
  int   hdsel;             // heading bug, degrees
  float gps_lock_crs;      // GPS course, degrees
  int   ilsgs[2];          // 9 on a plain VOR, else the glide-slope angle of the ILS
  float ilscrs[2];         // localiser course, degrees
  float hdef[2], vdef[2];  // course and glide-slope deflections, dots
  // ---- what the receivers hear, for the displays ----
  int   ntf[2];            // 0 no signal, 1 TO, 2 FROM
  int   goodnav[5];        // receiving: 0 NAV 1, 1 NAV 2, 4 ADF
  float vorx[2], vory[2], vorz[2];  // station of NAV 1 and NAV 2, local m
  float adfx, adfy;        // the NDB the ADF points at, local m
  int   gps_scroll_mode;   // 0 whole entries, 1..4 the identifier's character
  float gps_crs, gps_dis;  // true course (degrees) and distance (m) to the GPS waypoint
  // ---- written by the radios (sim/panel/radios.cpp) ----
  float gsx[2], gsy[2], gsz[2];  // glide-slope transmitter of NAV 1 and NAV 2, local m
  char  nav_id[5][5];      // identifier heard by receiver 0, 1 and 4 (NDB)
  int   station[5];        // navaid heard by receiver 0, 1, 4; -1 none yet
  int   gs_station[2];     // glide slope of NAV 1 and NAV 2; -1 none yet
  float gps_lat, gps_lon;  // the GPS waypoint
  int   gps_ok;            // 0 when the tables hold no waypoint of the GPS's kind
  int   marker_over[3];    // over the outer, middle, inner marker
  // DME of each receiver, updated once a second: smoothed slant range (nm),
  // ground speed (knots) and time to the station (minutes, 999 without closing).
  float dme_nm[2], dme_kts[2], dme_min[2];
};
extern navstruct nav;
