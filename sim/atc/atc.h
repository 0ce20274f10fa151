// ATC state and flight plan.
#pragma once
#include "basekit/bk_funct.h"

struct atcstruct {
  int menu_up;
  int menu_level;
  int voice_out, text_out;  // speak, show transmissions
  int plan_index;
  int ils_vectoring;
  char ils_command[STR_DIM];  // the pending ILS request while vectoring
  char response[STR_DIM];     // the last transmission, repeated on "say again"
  float response_timeout;     // elapsed time (msc.elap_time) until which it is shown
};
extern atcstruct atc;

struct flightplanstruct {
  int on_file, activated;
  int IFR, VFR, DVFR;
  char dep_id[8], arr_id[8];
  float cruise_alt;
};
extern flightplanstruct fpl;
