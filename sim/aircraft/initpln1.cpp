// The aircraft file: every item in English units, converted as it is read.
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/aircraft/plnutil.h"
#include "sim/flight/flt.h"
#include "sim/panel/ins.h"

float cgx, cgz;
int loc_of_ins[PANEL_INS];
int ins_of_loc[PANEL_INS];

void default_aircraft_path(char* path) {
  plane_data_path("Aircraft/Trainer", "Trainer.acf", path, "default aircraft");
}

void set_default_aircraft() {
  default_aircraft_path(pln.C_path);
  C_to_C("Trainer.acf", pln.C_file);
}

// ---- scanning with the aircraft file's name in the messages ----
// Every number is checked where it is read: the named fields against what an
// aircraft can have, all others against a bound no aircraft figure reaches,
// so that nothing huge (3e38) reaches the flight model.
static const float ANY = 1e6f;
static const float SIZE_FT = 1000;  // arms, lengths, body points
static int   ias(const char* field = "whole number", int lo = -1000000, int hi = 1000000) {
  return intscan_in(pln.C_path, field, lo, hi);
}
static float fls(const char* field = "number", float lo = -ANY, float hi = ANY) {
  return fltscan_in(pln.C_path, field, lo, hi);
}
static int   bos() { return bolscan(pln.C_path); }
static float fts(const char* field = "length (ft)", float lo = -SIZE_FT, float hi = SIZE_FT) {
  return fltscan_in(pln.C_path, field, lo, hi) * con.fttomtrs;
}
static float ftsNOSN(const char* field) { return fltscanNOSN_in(pln.C_path, field, -SIZE_FT, SIZE_FT) * con.fttomtrs; }

static void scan_name(char* raw) {
  stringscan(raw, pln.C_path, STR_DIM);
  trim_name(raw);
}

// ---- panel ----
static int is_wide(int code) { return (code >= 1 && code <= 3) || (code >= 5 && code <= 7); }
static int half_width(int loc) { return is_wide(ins_of_loc[loc]) ? 64 : 50; }

int ret_ins_sep(int loc_a, int loc_b) { return half_width(loc_a) + 1 + half_width(loc_b); }

static void read_panel_locations() {
  int wide[2] = {0, 0};
  for (int loc = 1; loc <= 8; loc++) {
    int code = ias();
    if (code < 0 || code > 8) {
      char line[STR_DIM];
      std::snprintf(line, sizeof line, "Panel location %d holds instrument code %d; the codes run from 0 to 8.",
                    loc, code);
      MACIBM_exitalert("Invalid panel specification!", line,
                       "Go into Hullwright and choose the instruments of the panel again.", pln.C_path);
    }
    if (pln.is_heli && (loc == 4 || loc == 8) && code != 0)
      MACIBM_exitalert("You have instruments selected for the right-most column in this helicopter!",
                       "Helicopters cannot have instruments in the right-most column!",
                       "The extra space is needed for increased low-angle visibility.",
                       "Go into Hullwright and set the right-hand column to contain no instruments in the "
                       "'Panel' window.");
    ins_of_loc[loc] = code;
    if (code > 0) loc_of_ins[code] = loc;
    if (is_wide(code) && ++wide[(loc - 1) / 4] > 3)
      MACIBM_exitalert("Invalid panel specification!",
                       "There can only be THREE WIDE INSTRUMENTS ON EACH ROW of the panel (the fourth must be "
                       "narrow to fit!)",
                       "The WIDE instruments are the 'standard six', namely the airspeed, horizon, altimeter, "
                       "turn-slip, HSI, and vertical speed.",
                       "Go into Hullwright and select only 3 WIDE instruments for each row of instruments.");
  }
}

static void place(int k, int x, int y, int avail) {
  // The instrument list lays out the panel (ins).
  ins.x_loc[k] = x;
  ins.y_loc[k] = y;
  ins.avail[k] = avail;
}

static void lay_out_panel() {
  for (int k = 0; k < PANEL_INS; k++) place(k, 0, 0, 0);
  if (pln.paneltype == 2) {
    int plane = !pln.is_heli;
    place(1, 10, 304, 1);
    place(2, 92, 355, 1);
    place(3, 151, 307, 1);
    place(4, 439, 348, plane);
    place(5, 65, 496, 0);
    place(6, 92, 481, 1);
    place(7, 189, 481, 1);
    place(8, 439, 496, plane);
    place(9, 0, 280, 1);
  } else {
    for (int row = 0; row < 2; row++) {
      int first = 1 + 4 * row;
      int y = row == 0 ? 348 : 496;
      int x = half_width(first) + 2;
      for (int loc = first; loc < first + 4; loc++) {
        if (loc > first) x += ret_ins_sep(loc - 1, loc);
        int k = ins_of_loc[loc];
        if (k > 0) place(k, x, y, 1);
      }
    }
  }
  if (pln.is_heli)
    for (int k = 1; k <= 9; k++) ins.x_loc[k] += 155;
  if (pln.paneltype == 1)
    place(10, ins.x_loc[3] - 35, ins.y_loc[3] + 50, ins.avail[3]);
  else
    place(10, ins.x_loc[9] + 175, ins.y_loc[9] + 277, ins.avail[9]);
  for (int k = 0; k < 9; k++) pln.has_ins[k] = ins.avail[k];
}

// ---- blocks ----
static void zero_speed(float v, const char* line) {
  if (!pln.is_heli && v == 0) MACIBM_exitalert(line, "You need to change this in Hullwright.", "", "");
}

static void read_identity() {
  checkpoint(100);
  pln.is_heli = bos();
  scan_name(pln.tailnum);
  pln.asi_units = ias();
  pln.Vso = fls("Vso", 0, 5000); zero_speed(pln.Vso, "You entered a Vso of zero!");
  pln.Vs = fls("Vs", 0, 5000);  zero_speed(pln.Vs, "You entered a Vs  of zero!");
  pln.Vfe = fls("Vfe", 0, 5000); zero_speed(pln.Vfe, "You entered a Vfe of zero!");
  pln.Vno = fls("Vno", 0, 5000); zero_speed(pln.Vno, "You entered a Vno of zero!");
  pln.Vne = fls("Vne", 0, 5000); zero_speed(pln.Vne, "You entered a Vne of zero!");
  pln.Mmo = fls("Mmo", 0, 20);
  pln.pex = fts("pilot's eye point x (ft)");
  pln.pey = fts("pilot's eye point y (ft)");
  pln.pez = fts("pilot's eye point z (ft)");
  pln.paneltype = ias();
  pln.radiotype = ias();
  pln.AStype = ias();
  pln.supptype = ias();
  pln.HUDtype = ias();
  pln.VVItype = ias();
  read_panel_locations();
  pln.ff_hydraulic = bos();
  pln.ff_stickshaker = bos();
  lay_out_panel();
}

// The engine laws divide by the propeller's speed range and the jet's spool
// time: numbers that make them infinite are refused with the file named.
static void check_engine_ranges() {
  char line[STR_DIM];
  int props = pln.entype == 1 || pln.entype == 2;
  if (props && !(pln.omegamax - pln.omegamin > 0)) {
    std::snprintf(line, sizeof line, "The propeller turns from %g to %g rpm; the top speed must be above the idle.",
                  pln.omegamin * con.rsctorpm, pln.omegamax * con.rsctorpm);
    MACIBM_exitalert("Invalid propeller speed range!", line, "Go into Hullwright and set omegamin and omegamax.",
                     pln.C_path);
  }
  if (pln.entype == 3 && !(pln.spooltime > 0)) {
    std::snprintf(line, sizeof line, "The jet's spool time is %g seconds; it must be above 0.", pln.spooltime);
    MACIBM_exitalert("Invalid jet spool time!", line, "Go into Hullwright and set the spool time.", pln.C_path);
  }
}

static void read_engines() {
  checkpoint(101);
  pln.entype = ias();
  pln.bypass = ias();
  pln.numen = ias();
  if (pln.numen < 0 || pln.numen > ENGINES) {
    char line[STR_DIM];
    std::snprintf(line, sizeof line, "The aircraft file asks for %d engines; there can be 0 to %d.", pln.numen,
                  (int)ENGINES);
    MACIBM_exitalert("Invalid engine count!", line, "Go into Hullwright and set the number of engines.",
                     pln.C_path);
  }
  if (pln.numen == 0) pln.entype = 0;
  pln.pmax = fls("engine power pmax (hp)", 0, 200000) * con.hptowatt;
  pln.critalt = fts("critical altitude (ft)", -2000, 200000);
  pln.omegamin = fls("engine idle speed (rpm)", 0, 100000) * con.rpmtorsc;
  pln.omegamax = fls("engine top speed (rpm)", 0, 100000) * con.rpmtorsc;
  pln.omegamingreen = fls("engine green arc start (rpm)", 0, 100000) * con.rpmtorsc;
  pln.omegamaxgreen = fls("engine green arc end (rpm)", 0, 100000) * con.rpmtorsc;
  pln.tmax = fls("jet thrust tmax (lb)", 0, 2000000) * con.lbstontn;
  pln.spooltime = fls("jet spool time (s)", 0, 1000);
  pln.facejet = fls("jet face area (sq ft)", 0, 10000) * con.sftosmtr;
  pln.burnerinc = fls("afterburner thrust (lb)", 0, 2000000) * con.lbstontn;
  pln.revthrustEQ = bos();
  pln.vertcant[0] = fls("engine vertical cant", -360, 360);
  pln.sidecant[0] = fls("engine side cant", -360, 360);
  pln.vertcant[1] = fls("engine vertical cant", -360, 360);
  pln.sidecant[1] = fls("engine side cant", -360, 360);
  if (!pln.is_heli)
    for (int n = 1; n < ENGINES; n++) {
      pln.vertcant[n] = pln.vertcant[0];
      pln.sidecant[n] = pln.sidecant[0];
    }
  for (int n = 0; n < ENGINES; n++) {
    pln.sin_vertcant[n] = std::sin(pln.vertcant[n] * con.degtorad);
    pln.cos_vertcant[n] = std::cos(pln.vertcant[n] * con.degtorad);
    pln.sin_sidecant[n] = std::sin(pln.sidecant[n] * con.degtorad);
    pln.cos_sidecant[n] = std::cos(pln.sidecant[n] * con.degtorad);
  }
  pln.trotor_rat = fls("tail rotor gear ratio", -1000, 1000);
  pln.vectEQ = bos();
  pln.varpitchEQ = bos();
  pln.collectEQ = pln.is_heli;
  check_engine_ranges();
  pln.ailnEQ = pln.splrEQ = pln.flapEQ = pln.slatEQ = 0;
  pln.sbrkEQ = pln.drudEQ = pln.elevEQ = pln.ruddEQ = 0;
}

static void read_flags(int part, int (*flags)[ELEMENTS], int* any, int present) {
  for (int j = 0; j < pln.els[part]; j++) {
    flags[part][j] = bolscanNOSN(pln.C_path);
    if (flags[part][j] && present) *any = 1;
  }
  rln(pln.C_path);
}

static void element_areas(int part) {
  int n = pln.els[part];
  for (int j = 0; j < n; j++) {
    float ca = interp(0, pln.Croot[part], n, pln.Ctip[part], j);
    float cb = interp(0, pln.Croot[part], n, pln.Ctip[part], j + 1);
    pln.s[part][j] = (ca + cb) * pln.semilen[part] * 0.5f / n;
    pln.mac[part][j] = ca + cb > 0 ? ((ca + cb) - ca * cb / (ca + cb)) * 2.0f / 3.0f : 0;
  }
}

static void propeller_disc(int part) {
  // A turning disc with no size would make the slipstream infinite.
  if (pln.semilen[part] <= 0.05f || pln.Croot[part] + pln.Ctip[part] <= 0) {
    char line[STR_DIM];
    std::snprintf(line, sizeof line, "The %s has a radius of %g ft and blade chords of %g and %g ft.",
                  part_name(part), pln.semilen[part] * con.mtrstoft, pln.Croot[part] * con.mtrstoft,
                  pln.Ctip[part] * con.mtrstoft);
    MACIBM_exitalert("Invalid propeller!", line, "Every engine's propeller needs a radius and blade chords.",
                     pln.C_path);
  }
  float R = pln.semilen[part];
  int n = pln.els[part];
  for (int j = 0; j < n; j++) {
    float ro = (j + 1.0f) / n * R, ri = (float)j / n * R;
    pln.ringarea[part][j] = con.pi * ro * ro - con.pi * ri * ri;
  }
  pln.discarea[part] = con.pi * R * R;
  float c = (pln.Croot[part] + pln.Ctip[part]) / 2;
  float rg = 0.7071f * R;
  pln.miprop[part] = pln.numblades[part] * 0.75f * 300.0f * (c * R) * (0.15f * c) * rg * rg;
  // Without inertia the propeller's speed would jump to infinity.
  if (!(pln.miprop[part] > 0)) {
    char line[STR_DIM];
    std::snprintf(line, sizeof line, "The %s has %d blades: it has no moment of inertia.", part_name(part),
                  pln.numblades[part]);
    MACIBM_exitalert("Invalid propeller!", line, "Every engine's propeller needs at least one blade.", pln.C_path);
  }
  const char* what = "The propeller ";
  if (pln.is_heli && part == 0) what = "The main rotor ";
  if (pln.is_heli && part == 1) what = "The tail rotor ";
  geo_printf("%sDISC AREA is broken down into rings for propwash distribution as follows:\n", what);
  for (int j = 0; j < n; j++)
    geo_printf("   element number %d (lat arm=%.3f ft):   ring area=%.4f square meters.\n", j + 1,
               get_wing_rarm(part, j) * con.mtrstoft, pln.ringarea[part][j]);
}

void grabapart(int point, int part) {
  checkpoint(point);
  char raw[STR_DIM];
  scan_name(raw); plane_data_path("airfoils", raw, pln.Rafl0[part], pln.C_path);
  scan_name(raw); plane_data_path("airfoils", raw, pln.Rafl1[part], pln.C_path);
  scan_name(raw); plane_data_path("airfoils", raw, pln.Tafl0[part], pln.C_path);
  scan_name(raw); plane_data_path("airfoils", raw, pln.Tafl1[part], pln.C_path);
  if (part <= 3) {
    pln.propdir[part] = ias() == 0 ? 1 : -1;
    pln.numblades[part] = ias("number of blades (numblades)", 0, 20);
    pln.des_adv[part] = fls("design advance (in)", -10000, 10000) * con.fttomtrs / 12;
    pln.des_rpm[part] = fls("design speed (rpm)", 0, 100000) * con.rpmtorsc;
    pln.des_vel[part] = fls("design airspeed (kt)", 0, 5000) * con.ktstomsc;
    pln.minpitch[part] = fls("least blade pitch", -360, 360);
    pln.maxpitch[part] = fls("greatest blade pitch", -360, 360);
  }
  pln.sweep1[part] = ias("sweep", -360, 360);
  pln.sweepnow[part] = pln.sweep1[part];
  pln.sweep2[part] = ias("swept-back sweep", -360, 360);
  pln.dihed[part] = ias("dihedral", -360, 360);
  pln.semilen[part] = fts("semi-length (semilen, ft)", 0, SIZE_FT);
  pln.Croot[part] = fts("root chord (Croot, ft)", 0, 500);
  pln.Ctip[part] = fts("tip chord (Ctip, ft)", 0, 500);
  pln.xarm[part] = fts("x arm (ft)");
  pln.yarm[part] = fts("y arm (ft)");
  pln.zarm[part] = fts("z arm (ft)");
  pln.diffRe[part] = bos();
  pln.diffRT[part] = bos();
  pln.varsweepEQ[part] = bos();
  pln.els[part] = ias();
  int present = have_this_part(part);
  // Every per-element array has room for 8 elements; a present part needs one.
  if (pln.els[part] < 0 || pln.els[part] > ELEMENTS || (present && pln.els[part] < 1)) {
    char line[STR_DIM];
    std::snprintf(line, sizeof line, "The %s is cut into %d elements, but it must have 1 to %d.",
                  part_name(part), pln.els[part], (int)ELEMENTS);
    MACIBM_exitalert("Invalid element count!", line,
                     "Go into Hullwright and set the number of elements of that part.", pln.C_path);
  }
  for (int j = 0; j < pln.els[part]; j++)
    pln.anginc[part][j] = fltscanNOSN_in(pln.C_path, "element incidence", -360, 360);
  rln(pln.C_path);
  if (part >= 4 && part <= 7) {
    read_flags(part, pln.ailn, &pln.ailnEQ, present);
    read_flags(part, pln.splr, &pln.splrEQ, present);
    read_flags(part, pln.flap, &pln.flapEQ, present);
    read_flags(part, pln.slat, &pln.slatEQ, present);
    read_flags(part, pln.sbrk, &pln.sbrkEQ, present);
    read_flags(part, pln.drud, &pln.drudEQ, present);
  } else if (part == 8 || part == 9) {
    read_flags(part, pln.elev, &pln.elevEQ, present);
    read_flags(part, pln.flap, &pln.flapEQ, present);
    read_flags(part, pln.slat, &pln.slatEQ, present);
  } else if (part == 10 || part == 11) {
    read_flags(part, pln.rudd, &pln.ruddEQ, present);
  }
  if (!present) return;
  element_areas(part);
  if (part <= 3 && (pln.entype == 1 || pln.entype == 2)) propeller_disc(part);
}

static void read_tail_and_controls() {
  checkpoint(114);
  char raw[STR_DIM];
  scan_name(raw);
  plane_data_path("flaps", raw, pln.flapfile, pln.C_path);
  pln.hstabtype = ias();
  pln.hstbtrimmax = fls("stabiliser trim travel", -360, 360);
  pln.flyingstabEQ = std::fabs(pln.hstbtrimmax) > 0.01f && !pln.is_heli;
  if (!pln.flyingstabEQ) pln.hstbtrimmax = pln.is_heli ? 1.0f : 0.5f;

  checkpoint(115);
  pln.ailn_crat = fls();
  pln.elev_crat = fls();
  pln.rudd_crat = fls();
  pln.splr_crat = fls();
  pln.drud_crat = fls();
  pln.sbrk_crat = fls();
  pln.ailn_up = fls("aileron deflection up", -360, 360);
  pln.ailn_dn = fls("aileron deflection down", -360, 360);
  pln.elev_up = fls("elevator deflection up", -360, 360);
  pln.elev_dn = fls("elevator deflection down", -360, 360);
  pln.rudd_def = fls("rudder deflection", -360, 360);
  pln.splr_def = fls("spoiler deflection", -360, 360);
  pln.drud_def = fls("drag rudder deflection", -360, 360);
  pln.sbrk_def = fls("speed brake deflection", -360, 360);
  pln.slat_inc = fls("slat angle increment", -90, 90);
  pln.con_smooth = ias();
}

static void read_bodies() {
  checkpoint(116);
  pln.fuse_cd = fls();
  pln.fusewash = bos();
  pln.nace_eq = bos();
  pln.misc_eq = bos();
  pln.misc_x = fts("miscellaneous body x (ft)");
  pln.misc_y = fts("miscellaneous body y (ft)");
  pln.misc_z = fts("miscellaneous body z (ft)");
  rln(pln.C_path);
  rln(pln.C_path);
  rln(pln.C_path);
  for (int p = 12; p < PARTS; p++)
    for (int i = 0; i < BODY_SECTIONS; i++)
      for (int m = 0; m < BODY_POINTS; m++) {
        pln.body_x[p][i][m] = ftsNOSN("body point x (ft)");
        pln.body_y[p][i][m] = ftsNOSN("body point y (ft)");
        pln.body_z[p][i][m] = fts("body point z (ft)");
      }
}

static void no_weight(const char* line) {
  MACIBM_exitalert(line, "This defies the immutable laws of physics!",
                   "Please do not defy the immutable laws of physics!", pln.C_path);
}

static void read_mass_and_gear() {
  checkpoint(117);
  cgx = fts("centre of gravity x (ft)");
  cgz = fts("centre of gravity z (ft)");
  // Nothing that flies weighs more than some 1.5 million pounds.
  pln.m_empty = fls("empty weight (lb)", 0, 5e6f) * con.lbstokgs;
  pln.m_max = fls("maximum weight (m_max, lb)", 0, 5e6f) * con.lbstokgs;
  pln.m_fuel = fls("fuel weight (lb)", 0, 5e6f) * con.lbstokgs;
  pln.m_jettison = fls("jettison weight (lb)", 0, 5e6f) * con.lbstokgs;
  if (!(pln.m_empty >= 1)) no_weight("You have entered an empty weight of zero!");
  if (!(pln.m_max >= 1)) no_weight("You have entered a maximum weight of zero!");
  pln.jettisonEQ = pln.m_jettison > 0.1f;
  // The aircraft file gives the starting load of the flight (flt).
  flt.m_fuel = pln.m_fuel * 0.5f;
  flt.m_jettison = pln.m_jettison * 0.5f;
  flt.m_fixed = fltmax2((pln.m_max - pln.m_fuel - pln.m_jettison - pln.m_empty) * 0.5f, 0);

  checkpoint(118);
  pln.gearEQ = bos();
  pln.retractEQ = bos() && pln.gearEQ;
  pln.skidEQ = bos();
  pln.nwsteer = fls();
  pln.nwsteerEQ = pln.nwsteer != 0;
  pln.sgear = fls("gear drag area (sq ft)", 0, 10000) * con.sftosmtr;
  pln.ngearx = fts();
  pln.ngearz = fts();
  pln.mgearx = fts();
  if (pln.mgearx < pln.ngearx) pln.nwsteer = -pln.nwsteer;
  pln.mgeary = fts();
  pln.mgearz = fts();
  pln.skidx = fts();
  pln.skidy = fts();
  pln.skidz = fts();
  pln.skidl = fts();
}

static void read_extras() {
  checkpoint(119);
  pln.jatox = fts();
  pln.jatoz = fts();
  pln.jatotheta = fls();
  pln.jatothrust = fls("JATO thrust (lb)", 0, 2000000) * con.lbstontn;
  pln.jatodur = fls("JATO burn time (s)", 0, 10000);
  pln.jatoEQ = pln.jatodur > 0.1f;
  pln.stabroll = fls();
  pln.ailpitch = fls();
  pln.ailflaps = fls();
  pln.antiiceEQ = bos();
  pln.arrestingEQ = bos();
  pln.bitchinbettyEQ = bos();
  pln.autosbrkEQ = bos();
  pln.autofbrkEQ = bos();
  pln.autosweepEQ = bos();
  pln.autoslatEQ = bos();
  pln.speedbrake_area = fls("speed brake area (sq ft)", 0, 10000) * con.sftosmtr;
  pln.fbrkEQ = pln.speedbrake_area > 0.01f;
  pln.chute_area = fls("drag chute area (sq ft)", 0, 100000) * con.sftosmtr;
  pln.chuteEQ = pln.chute_area > 0.01f;

  checkpoint(120);
  pln.elevcyclic = fls();
  pln.ailncyclic = fls();
  pln.puffL = fls() * con.ftlbtonm;
  pln.puffM = fls() * con.ftlbtonm;
  pln.puffN = fls() * con.ftlbtonm;
  pln.puffEQ = pln.puffL > 0 || pln.puffM > 0 || pln.puffN > 0;

  checkpoint(121);
  pln.ASloV = fls();
  pln.AShiV = fls();
  if (pln.AShiV < pln.ASloV + 1) pln.AShiV = pln.ASloV + 1;
  float* pairs[6][2] = {{&pln.ASmaxp1, &pln.ASp1}, {&pln.ASmaxh1, &pln.ASh1}, {&pln.ASmaxr1, &pln.ASr1},
                        {&pln.ASmaxp2, &pln.ASp2}, {&pln.ASmaxh2, &pln.ASh2}, {&pln.ASmaxr2, &pln.ASr2}};
  for (auto& pr : pairs) {
    *pr[0] = fltscanNOSN_in(pln.C_path, "artificial stability limit", -ANY, ANY);
    *pr[1] = fls("artificial stability gain");
  }
}

static void read_flap_file() {
  if (!pln.flapEQ) return;
  if (!inf_open(pln.flapfile, FTYPE_ANY_TEXT, 363, 1)) {
    if (inf_open_why == INF_MISSING)
      MACIBM_exitalert("The flap file that is required by the aircraft you are attempting to fly could not be found.",
                       "The name of the missing flap file is: ", pln.flapfile,
                       "Make sure the missing flap file is in the 'flaps' folder.");
    MACIBM_exitalert("The flap file that is required by the aircraft you are attempting to fly could not be read.",
                     pln.flapfile, inf_why_text(inf_open_why),
                     "Re-generate the flaps file by opening it up with the 'Sparwright' application and then "
                     "saving it.");
  }
  if (intscan(pln.flapfile) != 2345)
    MACIBM_exitalert("An error occurred during read-in of the flaps file.",
                     "Either the file has been corrupted, or it is not really a flaps file. The corrupted flaps "
                     "file is: ",
                     pln.flapfile,
                     "Re-generate the flaps file by opening it up with the 'Sparwright' application and then "
                     "saving it.");
  rln(pln.flapfile);
  rln(pln.flapfile);
  // Section coefficient increments: a few units at most.
  for (int i = 0; i < FLAP_SETTINGS; i++) {
    intscanNOSN(pln.flapfile);
    pln.clflap[i] = fltscanNOSN_in(pln.flapfile, "flap lift coefficient", -20, 20);
    pln.cdflap[i] = fltscanNOSN_in(pln.flapfile, "flap drag coefficient", -20, 20);
    pln.cmflap[i] = fltscanNOSN_in(pln.flapfile, "flap moment coefficient", -20, 20);
  }
  inf.close();
}

static void slat_effects() {
  static const char* const heads[6] = {"For left wing #1:",  "For right wing #1:",       "For left wing #2:",
                                       "For right wing #2:", "For left horizontal stab:", "For right horizontal stab:"};
  for (int p = 0; p < PARTS; p++) pln.slat_effect[p] = 1;
  for (int p = 4; p <= 9; p++) {
    if (!have_this_part(p)) continue;
    int any = 0;
    for (int j = 0; j < pln.els[p]; j++) any |= pln.slat[p][j];
    if (!any) continue;
    pln.slat_effect[p] = (pln.alpha_max[p] + pln.slat_inc) / pln.alpha_max[p];
    geo_printf("\n%s\n", heads[p - 4]);
    geo_printf("Full slat deployment will cause coefficient data to spread out alpha-wise to %.2f%% of original.\n",
               pln.slat_effect[p] * 100);
    geo_printf("Full slat deployment will also change the lift coefficient by the same amount (keeping the lift "
               "SLOPE the same).\n");
  }
}

static void open_plane_file() {
  while (!inf_open(pln.C_path, FTYPE_ANY_TEXT, 35, 1)) {
    // Missing is the old message; a file that is there but no aircraft file says what is wrong with it.
    if (inf_open_why == INF_MISSING)
      MACIBM_alert("The aircraft file that you last used ", pln.C_path,
                   "could not be found in the same folder as the 'Tarvel' application.",
                   "I will therefore shunt you directly to the aircraft opening routine, where you will select the "
                   "aircraft you want to fly.",
                   0);
    else
      MACIBM_alert("The aircraft file could not be read:", pln.C_path, inf_why_text(inf_open_why),
                   "I will therefore shunt you directly to the aircraft opening routine, where you will select the "
                   "aircraft you want to fly.",
                   0);
    if (!MACIBM_open(pln.C_file, pln.C_path, FTYPE_AIRCRAFT))
      MACIBM_exitalert("File opening failed or aborted.", pln.C_file, pln.C_path, "");
  }
}

void write_plane_banner(FILE* out) {
  char text[1024];
  plane_banner(text, sizeof text);
  std::fputs(text, out);
}

void load_plane() {
  geo_rep_clear();
  flt.over_vne = 0;  // a surface broken off the last aircraft is not missing from this one
  for (int k = 0; k < PANEL_INS; k++) loc_of_ins[k] = ins_of_loc[k] = 0;
  open_plane_file();
  char banner[1024];
  plane_banner(banner, sizeof banner);
  geo_printf("%s", banner);
  read_identity();
  read_engines();
  for (int part = 0; part < LIFT_PARTS; part++) grabapart(102 + part, part);
  read_tail_and_controls();
  read_bodies();
  read_mass_and_gear();
  read_extras();
  inf.close();
  finish_readin1();
  finish_readin2();
  slat_effects();
  read_flap_file();
  dump_geo();
}
