// Failures: 1 = working, 0 = failed.
#pragma once

enum { FAILURE_KINDS = 30 };
struct relstruct {
  int   clights;                      // cockpit lights
  int   vacuum;
  float inst_fail_rate, equip_fail_rate;
  int   fail_type[FAILURE_KINDS];
  float fail_time_max[FAILURE_KINDS];
  // ---- systems the flight model reads ----
  int   fc_thr, fc_slt, fc_flp;       // throttle, slat and flap controls
  int   fc_elv, fc_ail, fc_rud;       // elevator, aileron and rudder controls
  int   symflp;                       // both flaps move together
  float hyd_rat;                      // hydraulic pressure ratio, 0..1
};
extern relstruct rel;
