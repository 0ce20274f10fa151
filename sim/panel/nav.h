// Radio receivers and GPS.
#pragma once

struct navstruct {
  int radio_output;
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
};
extern navstruct nav;
