// Engines. For now no engine gives thrust: the propwash behind each disc
// dies away as it would with the engine at idle, and fuel flow follows the
// power the engine state reports.
#include "sim/flight/propel.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/records.h"

void props() {
  float dt = msc.prd;
  int n_eng = intlim(pln.numen, 0, ENGINES);
  for (int n = 0; n < n_eng; n++) {
    flt.DVinc[n] *= 1.0f - fltlim(dt, 0, 1);
    for (int k = 0; k < ELEMENTS; k++) {
      flt.ringDVinc[n][k] *= 1.0f - fltlim(dt, 0, 1);
      flt.ringthrust[n][k] = 0;
    }
    flt.thrust[n] = 0;
    flt.Dtq[n] = 0;
  }
  if (n_eng == 1) flt.DVinc[1] = flt.DVinc[0];
}

void jets() {
  int n_eng = intlim(pln.numen, 0, ENGINES);
  for (int n = 0; n < n_eng; n++) flt.thrust[n] = 0;
}

float burnin_fuel(float pow_thr) {
  float max_lbh, full, min_share = 0.05f;
  if (pln.entype == 3) {
    max_lbh = pln.tmax * con.ntntolbs * (pln.bypass ? 0.8f : 0.5f);
    full = pln.tmax;
  } else {
    max_lbh = pln.pmax * con.watttohp * (pln.entype == 1 ? 0.42f : 0.63f);
    full = pln.pmax;
    if (pln.entype == 1) min_share = 0.01f;
  }
  float min_lbh = min_share * max_lbh;
  float lbh = full > 0 ? interp(0, min_lbh, full, max_lbh, pow_thr) : min_lbh;
  if (!(lbh >= min_lbh)) lbh = min_lbh;
  return lbh * con.lbstokgs / 3600.0f;
}
