// Frame-loop state, the time step, counters, mouse state and flags.
#pragma once
#include "basekit/bk_funct.h"

struct miscstruct {
  int   event;            // a repaint or click spoilt the time-step measurement
  float prd;              // flight-model time step, s
  float rtrat;            // measured frame time over prd, 0.2..5
  float elap_time;        // simulated seconds since the flight began
  float zulu_time;
  int   cntr;             // frame counter 0..30000
  int   cntr10;
  int   evup;             // frames between slow tasks, 1..99
  int   ready_to_update;  // 0 during start-up
  int   speech_avail, sound_avail;
  int   mx, my;           // last mouse position in the window that got it
  int   typestart;        // 900 runway, 1000 VFR final, 1100 ILS final
  char  apt_id_req[STR_DIM];
  int   paused;
  int   warn_frame;
  int   mousedown;
  float dragtime;
  int   running_slow;
  int   logtime;          // report logged time on exit
  float nigt_time, aifr_time;
  float freeviewxy, freeviewz;
  float x_view, y_view, z_view;
  int   map_type, plate_index;
  int   loc_index, rway_sel;
  float est_Vs;
  float ice;
  int   icebld;           // ice has been building
  int   mouse_is_joy;     // the mouse flies the aircraft
  // ---- timers kept by the flight model ----
  float timr_time;
  int   timer_running;
  // ---- preferences: sound and warning switches ----
  int   sound_on;
  int   warn_overspeed, warn_flaps, warn_bb;
};
extern miscstruct msc;
