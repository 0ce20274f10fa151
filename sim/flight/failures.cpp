// Nothing fails yet; only the health of what works is kept.
#include "sim/flight/failures.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/set.h"

void failures_sec() {
  for (int n = 0; n < ENGINES; n++)
    flt.eng_running[n] = n < pln.numen && flt.m_fuel > 0.01f && flt.mixt_powr_rat[n] > 0.01f && rel.engine[n];
  rel.oil_rat = 1;
  rel.hyd_rat = 1;
}

void repair_instruments() {
  rel.vacuum = rel.ss_asi = rel.ss_ahz = rel.ss_alt = rel.ss_tsi = rel.ss_dgy = rel.ss_vvi = 1;
  rel.efis_1 = rel.efis_2 = 1;
}

void repair_equipment() {
  for (int e = 0; e < ENGINES; e++) rel.engine[e] = rel.thrgov[e] = rel.revlok[e] = rel.oilpmp[e] = 1;
  rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.fc_flp = rel.fc_slt = rel.fc_thr = 1;
  for (int g = 0; g < 3; g++) {
    rel.lagear[g] = 1;
    set.gear_time[g] = 0;  // a repaired gear's motor starts afresh (set is the settings' record)
  }
  rel.hydsys = rel.stbaug = rel.symflp = rel.sttrim = rel.antice = rel.clights = rel.otto = rel.trotor = 1;
}
