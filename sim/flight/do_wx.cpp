// The standard atmosphere at the aircraft, and how the engines' mixture
// suits it. The weather on top of it (the day's temperature, wind layers,
// gusts, storms) comes later; until then the air is still.
#include "sim/flight/do_wx.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/records.h"

// Standard temperature, degrees Rankine against feet.
static const float temp_ft[5] = {0, 36152, 82346, 155348, 175344};
static const float temp_R[5] = {518.69f, 390.5f, 390.5f, 508.8f, 508.8f};

void atm_at_height(float h) {
  if (!std::isfinite(h)) h = 0;
  float rho;
  if (h <= atm.hr[0][0]) rho = atm.hr[0][1];
  else if (h >= atm.hr[21][0]) rho = atm.hr[21][1];
  else {
    int k = 0;
    while (k < 20 && h > atm.hr[k + 1][0]) k++;
    rho = interp(atm.hr[k][0], atm.hr[k][1], atm.hr[k + 1][0], atm.hr[k + 1][1], h);
  }
  float ft = h * con.mtrstoft, tr = temp_R[4];
  if (ft <= temp_ft[0]) tr = temp_R[0];
  for (int k = 0; k < 4; k++)
    if (ft > temp_ft[k] && ft <= temp_ft[k + 1]) tr = interp(temp_ft[k], temp_R[k], temp_ft[k + 1], temp_R[k + 1], ft);
  atm.T = tr * con.dgrtodgk;
  atm.a = std::sqrt(401.8f * atm.T);
  atm.rho = rho > 0 ? rho : 0;
  atm.crtsig = con.rhoSL > 0 ? atm.rho / con.rhoSL : 0;
  atm.g = con.g;
  for (int n = 0; n < ENGINES; n++) {
    float m = flt.mixt[n];
    if (pln.entype != 1) {
      flt.mixt_powr_rat[n] = m > 0.5f ? 1.0f : 0.0f;  // fuel cut off below half
      continue;
    }
    float c1 = atm.crtsig - 0.3f, c2 = atm.crtsig - 0.4f;
    float lean = m <= c1;
    float p_loss = lean ? 5 * (c1 - m) : 0.1f * (m - c1);
    float t_loss = lean ? 5 * (c1 - m) : 2 * (m - c1);
    float thro = flt.thro[n] > 0 ? flt.thro[n] : 0;
    flt.mixt_powr_rat[n] = m <= c2 ? 0 : fltlim(1 - p_loss, 0, 1);
    flt.mixt_temp_rat[n] = m <= c2 ? 0 : fltlim((1 - t_loss) * std::sqrt(thro), 0, 1);
  }
}

void wxcalc() {}
