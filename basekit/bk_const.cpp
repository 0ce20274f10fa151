// Physical constants, unit conversions and the whole-degree trig tables.
#include "basekit/bk_const.h"
#include <cmath>

constantstruct con;
float lookup_sin[TRIG_DEGREES];
float lookup_cos[TRIG_DEGREES];

// Every factor is built in single precision from the ones before it, so that
// the derived values (forces from this g, moments from those forces) agree
// bit for bit with what the flight model has always used.
static void fill_con() {
  con.muearth = 398601184346112.0f;
  con.rearth = 6378145.0f;
  con.rhoSL = 1.225f;
  con.muair = 1.7894e-05f;
  con.gammaairM1 = 0.4f;
  con.pi = 3.1415927f;
  con.pim2 = 2.0f * con.pi;
  con.pid2 = con.pi / 2.0f;
  con.g = con.muearth / (con.rearth * con.rearth);
  con.rho_h20 = 1000.0f;
  con.lbstokgs = 0.4535925f;
  con.kgstolbs = 1.0f / con.lbstokgs;
  con.fttomtrs = 0.3048f;
  con.mtrstoft = 1.0f / con.fttomtrs;
  con.hptowatt = 745.7f;
  con.watttohp = 1.0f / con.hptowatt;
  con.dgrtodgk = 0.5555556f;
  con.dgktodgr = 1.0f / con.dgrtodgk;
  con.radtodeg = 180.0f / con.pi;
  con.degtorad = 1.0f / con.radtodeg;
  con.ktstomsc = 0.3048f * 1.687809861111111f;
  con.msctokts = 1.0f / con.ktstomsc;
  con.rpmtorsc = con.degtorad * 6.0f;
  con.rsctorpm = 1.0f / con.rpmtorsc;
  con.fpmtomsc = 0.3048f / 60.0f;
  con.msctofpm = 1.0f / con.fpmtomsc;
  con.nmtomtrs = 0.3048f * 6076.1155f;
  con.mtrstonm = 1.0f / con.nmtomtrs;
  con.sftosmtr = 0.3048f * 0.3048f;
  con.smtrtosf = 1.0f / con.sftosmtr;
  con.lbstontn = 0.4535925f * con.g;
  con.ntntolbs = 1.0f / con.lbstontn;
  con.ftlbtonm = con.lbstontn * 0.3048f;
  con.nmtoftlb = 1.0f / con.ftlbtonm;
  con.endtomed = con.g * 0.4535925f / (0.3048f * 0.3048f * 0.3048f * 0.3048f);
  con.medtoend = 1.0f / con.endtomed;
  con.enptomep = con.lbstontn * con.smtrtosf;
  con.meptoenp = 1.0f / con.enptomep;
  con.enItomtI = con.sftosmtr * con.lbstokgs;
  con.mtltoenl = 1.0f / con.enItomtI;
  con.nm_to_sm = 1.1507795f;
  con.sm_to_nm = 1.0f / con.nm_to_sm;
  con.mtrtoplt = 0.006666667f;
  con.plttomtr = 1.0f / con.mtrtoplt;
}

static void fill_trig() {
  const double d2r = 3.14159265358979323846 / 180.0;
  for (int i = 0; i < TRIG_DEGREES - 1; i++) {
    double s = std::sin(i * d2r), c = std::cos(i * d2r);
    // The quarter points come out as 1e-16 rather than 0; callers test them
    // against zero (a wing exactly vertical, a heading due east).
    lookup_sin[i] = std::fabs(s) < 1e-9 ? 0.0f : (float)s;
    lookup_cos[i] = std::fabs(c) < 1e-9 ? 0.0f : (float)c;
  }
  lookup_sin[TRIG_DEGREES - 1] = lookup_sin[0];
  lookup_cos[TRIG_DEGREES - 1] = lookup_cos[0];
}

void init_constants() {
  fill_con();
  fill_trig();
}
