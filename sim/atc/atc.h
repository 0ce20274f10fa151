// ATC state and flight plan.
#pragma once
#include "basekit/bk_funct.h"

struct atcstruct {
  int menu_up;
  int menu_level;             // ATC_MENU_MAIN or one of the lists (do_atc.h)
  int voice_out, text_out;    // speak, show transmissions
  int ils_vec_in_progress;    // vectoring to a localizer
  char ils_command[STR_DIM];  // the request being vectored for, re-evaluated once a second
  char response[STR_DIM];     // the last transmission, repeated on "say again"
  float response_timeout;     // elapsed time (msc.elap_time) until which it is shown
  int plan_phase;             // PLAN_* (do_atc.h), 0 when no plan is being flown
  int plan_index;             // destination airport
  int waiting_new_frq;        // told to change frequency: the pilot must check in
};
extern atcstruct atc;

struct flightplanstruct {
  int onfile, activated;
  int ifr, vfr, dvfr;                        // exactly one is set
  char dep_id_str[STR_DIM], arr_id_str[STR_DIM];  // four-character identifiers
  float init_alt, cruise_alt;                // feet
};
extern flightplanstruct fpl;
