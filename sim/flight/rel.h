// Failures: 1 = working, 0 = failed.
#pragma once

enum { FAILURE_KINDS = 30 };
struct relstruct {
  int   clights;                      // cockpit lights
  int   vacuum;
  // The vacuum's failure: when, and the attitude errors the spinning-down gyro drifts to.
  float vac_death_time, the_fail_err, phi_fail_err;
  // ---- repaired when the reliability windows close ----
  int   ss_asi, ss_ahz, ss_alt, ss_tsi, ss_dgy, ss_vvi, efis_1, efis_2;
  int   engine[4], thrgov[4], revlok[4], oilpmp[4];
  int   fc_ail, fc_elv, fc_rud, fc_flp, fc_slt, fc_thr;
  int   lagear[3];
  int   hydsys, stbaug, symflp, sttrim, antice, otto, trotor;
  float total_fail_entry;             // general failure chance, per 1000 draws
  float inst_fail_rate, equip_fail_rate;
  int   fail_type[FAILURE_KINDS];
  float fail_time_max[FAILURE_KINDS];
  // ---- systems the flight model reads ----
  float hyd_rat;                      // hydraulic pressure ratio, 0..1
  float oil_rat;                      // oil health of a failed pump, 0..1
};
extern relstruct rel;
