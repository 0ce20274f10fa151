// Failures: 1 = working, 0 = failed.
#pragma once

// Failure kinds (slots) 0..29: 0 vacuum, 1..6 the six instruments, 7 and 8
// the two glass displays, 9..29 the equipment; see failures.h.
enum { FAILURE_KINDS = 30, KIND_INS_FIRST = 0, KIND_INS_LAST = 8, KIND_EQ1_FIRST = 9, KIND_EQ1_LAST = 18,
       KIND_EQ2_FIRST = 19, KIND_EQ2_LAST = 29 };
// What a kind is set to do: nothing commanded, fail at random with a mean
// time, fail now.
enum { FAIL_NEVER = 1, FAIL_MEAN_TIME = 2, FAIL_NOW = 3 };

struct relstruct {
  int   clights;                      // cockpit lights
  int   vacuum;
  // ---- repaired when the reliability windows close ----
  int   ss_asi, ss_ahz, ss_alt, ss_tsi, ss_dgy, ss_vvi, efis_1, efis_2;
  int   engine[4], thrgov[4], revlok[4], oilpmp[4];
  int   fc_ail, fc_elv, fc_rud, fc_flp, fc_slt, fc_thr;
  int   lagear[3];
  int   hydsys, stbaug, symflp, sttrim, antice, otto, trotor;
  float total_fail_entry;             // general failure chance, per 1000 draws
  // The reliability windows' sliders, 0..1: instruments, and the two halves
  // of the equipment (kinds 9..18 and 19..29).
  float ins_fail_rat, eq1_fail_rat, eq2_fail_rat;
  int   fail_type[FAILURE_KINDS];     // FAIL_NEVER, FAIL_MEAN_TIME or FAIL_NOW
  float fail_time_max[FAILURE_KINDS]; // mean time to fail, minutes
  // ---- systems the flight model reads ----
  float hyd_rat;                      // hydraulic pressure ratio, 0..1
  float oil_rat;                      // oil health of a failed pump, 0..1
  int   RAT_on;                       // the ram-air turbine is out
  // When the vacuum failed (s of msc.elap_time) and the attitude errors it
  // leaves on the horizon, degrees.
  float vac_death_time, the_fail_err, phi_fail_err;
  float hyd_fail_time, oil_fail_time; // s of msc.elap_time
};
extern relstruct rel;
