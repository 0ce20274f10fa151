// From the pilot's commands and the trims to the deflection of every control
// surface. Reading the stick, the autopilot and the stability augmentation
// come with the controls; for now the commands are the pilot's inputs as the
// keys and the mouse leave them.
#include "sim/flight/do_con.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/records.h"

void control() {
  set.YK_ptch = fltlim(set.YK_ptch, -1, 1);
  set.YK_roll = fltlim(set.YK_roll, -1, 1);
  set.YK_hdng = fltlim(set.YK_hdng, -1, 1);
  set.YK_thro = fltlim(set.YK_thro, 0, 1);
  set.FC_ptch = set.YK_ptch;
  set.FC_roll = set.YK_roll;
  set.FC_hdng = set.YK_hdng;

  // Failed controls and hydraulics: the trims below still act.
  set.FC_ptch = fltlim(set.FC_ptch * rel.hyd_rat * (rel.fc_elv ? 1 : 0), -1, 1);
  set.FC_hdng = fltlim(set.FC_hdng * rel.hyd_rat * (rel.fc_rud ? 1 : 0), -1, 1);
  set.FC_roll = fltlim(set.FC_roll * rel.hyd_rat * (rel.fc_ail ? 1 : 0), -1, 1);
  // A flying stabiliser's trim turns the stabiliser itself (force assembly).
  if (!pln.flyingstabEQ) set.FC_ptch = fltlim(set.FC_ptch + flt.trim, -1, 1);
  set.FC_hdng = fltlim(set.FC_hdng + 0.25f * flt.rud_trim, -1, 1);
  set.FC_roll = fltlim(set.FC_roll + 0.1f * flt.ail_trim, -1, 1);

  float p = set.FC_ptch, r = set.FC_roll, y = set.FC_hdng;
  if (pln.ailnEQ) {
    if (r >= 0) {
      flt.lailndef = -r * pln.ailn_dn;
      flt.railndef = r * pln.ailn_up;
    } else {
      flt.lailndef = -r * pln.ailn_up;
      flt.railndef = r * pln.ailn_dn;
    }
    float droop = pln.ailpitch * p - flt.flap * pln.ailflaps * 0.02f;
    flt.lailndef += droop;
    flt.railndef += droop;
  }
  if (pln.splrEQ) {
    flt.rsplrdef = r >= 0 ? r * pln.splr_def : 0;
    flt.lsplrdef = r < 0 ? -r * pln.splr_def : 0;
  }
  if (pln.drudEQ) {
    flt.ldruddef = fltmax2(0, -y * pln.drud_def);
    flt.rdruddef = fltmax2(0, y * pln.drud_def);
  }
  float e;
  if (pln.xarm[8] >= 0) e = p * (p > 0 ? pln.elev_up : pln.elev_dn);
  else e = -p * (p <= 0 ? pln.elev_up : pln.elev_dn);  // a canard
  flt.lhstbdef = e - r * pln.stabroll;
  flt.rhstbdef = e + r * pln.stabroll;
  flt.ruddef = -y * pln.rudd_def;
  if ((!pln.is_heli && !pln.vectEQ) || pln.entype == 3) {
    flt.elevcyclic = flt.ailncyclic = 0;
  } else {
    flt.elevcyclic = pln.elevcyclic * p;
    flt.ailncyclic = pln.ailncyclic * r;
  }
  if (pln.is_heli)
    flt.proppitch[1] = pln.propdir[0] < 1 ? interp(-1, pln.minpitch[1], 1, pln.maxpitch[1], y)
                                          : interp(-1, pln.maxpitch[1], 1, pln.minpitch[1], y);
  for (int n = 0; n < ENGINES; n++) {
    float vc = pln.vertcant[n] * con.degtorad, sc = pln.sidecant[n] * con.degtorad;
    pln.sin_vertcant[n] = std::sin(vc);
    pln.cos_vertcant[n] = std::cos(vc);
    pln.sin_sidecant[n] = std::sin(sc);
    pln.cos_sidecant[n] = std::cos(sc);
  }
}
