// Geometry preparation: finite-wing factors, airfoils, the shift to the centre
// of gravity, body areas, inertia, gear springs, stalling speed and propwash.
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/aircraft/plnutil.h"
#include "sim/aircraft/wash.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"

static float dsin(float deg) { return std::sin(deg * con.degtorad); }
static float dcos(float deg) { return std::cos(deg * con.degtorad); }
static float datan(float v) { return std::atan(v) * con.radtodeg; }
static float datan2(float y, float x) { return std::atan2(y, x) * con.radtodeg; }

static float wrap_deg(float a, float lo) {  // into lo .. lo + 360
  while (a >= lo + 360) a -= 360;
  while (a < lo) a += 360;
  return a;
}

static const char* report_name(int p) {
  static const char* const names[12] = {"Prop 1", "Prop 2", "Prop 3", "Prop 4",
                                        "Left Wing #1", "Right Wing #1", "Left Wing #2", "Right Wing #2",
                                        "Left Horizontal Stab/Canard", "Right Horizontal Stab/Canard",
                                        "Vertical Stabilizer #1", "Vertical Stabilizer #2"};
  if (pln.is_heli && p == 0) return "Main Rotor";
  if (pln.is_heli && p == 1) return "Tail Rotor";
  return names[p];
}

// Tip of part a within 0.2 of its tip chord of the root of part b, in every axis.
static int joins(int a, int b) {
  float L = pln.semilen[a], tol = 0.2f * pln.Ctip[a];
  return std::fabs(get_wing_xarm(a, L) - pln.xarm[b]) < tol && std::fabs(get_wing_yarm(a, L) - pln.yarm[b]) < tol &&
         std::fabs(get_wing_zarm(a, L) - pln.zarm[b]) < tol;
}

// ---- 1. finite-wing factors ----
static void wing_factors(int p) {
  float Cr = pln.Croot[p], Ct = pln.Ctip[p], L = pln.semilen[p], sw = (float)pln.sweep1[p];
  if (p >= 4 && p <= 7 && have_this_part(5) && have_this_part(7)) {
    int inner = -1, outer = -1;
    if (joins(5, 7)) inner = 5, outer = 7;
    else if (joins(7, 5)) inner = 7, outer = 5;
    if (inner >= 0) {  // one cranked wing: treat both panels as the whole
      Cr = pln.Croot[inner];
      Ct = pln.Ctip[outer];
      float Li = pln.semilen[inner], Lo = pln.semilen[outer];
      L = Li + Lo;
      float si = wrap_deg((float)pln.sweep1[inner], -179.999f), so = wrap_deg((float)pln.sweep1[outer], -179.999f);
      sw = wrap_deg((si * Li + so * Lo) / L, 0);
    }
  }
  float den = L * dcos(sw);
  float num = L * dsin(sw) + 0.25f * Cr - 0.25f * Ct;
  float swq = std::fabs(den) > 1e-6f ? datan(num / den) : (num >= 0 ? 90.0f : -90.0f);
  float taper = Cr > 0 ? fltlim(1 - Ct / Cr, 0, 1) : 0;
  pln.delta_fac[p] = fltlim(swq / 65, 0, 1) * taper;
  // An edgewise or inverted sweep leaves no span; keep the aspect ratio usable.
  pln.AR[p] = fltmax2(2 * L * dcos(sw) / ((Cr + Ct) / 2), 0.1f);
  float A = pln.AR[p];
  float sww = std::fabs(wrap_deg(sw, -180));
  float swl = fltlim(sww, 30, 90);
  float base = 1 - 0.045f * std::pow(A, 0.68f);
  float e_straight = 1.78f * base - 0.64f;
  float e_swept = 4.61f * base * std::pow(dcos(swl), 0.15f) - 3.1f;
  pln.e[p] = sww >= 30 ? e_swept : interp(0, e_straight, 30, e_swept, sww);
}

// ---- 2. airfoils, biplane correction, lift-slope factors ----
static void load_foils(int p) {
  grabafoil(pln.Rafl0[p], p, 0, 0);
  if (pln.diffRe[p]) {
    grabafoil(pln.Rafl1[p], p, 1, 0);
    checkRediff(pln.Rafl0[p], pln.Rafl1[p], p, 0);
  }
  if (pln.diffRT[p]) {
    grabafoil(pln.Tafl0[p], p, 0, 1);
    if (pln.diffRe[p]) {
      grabafoil(pln.Tafl1[p], p, 1, 1);
      checkRediff(pln.Tafl0[p], pln.Tafl1[p], p, 1);
    }
  }
}

static int biplane() {
  if (!have_this_part(4) || !have_this_part(6)) return 0;
  float G = std::fabs(pln.zarm[4] - pln.zarm[6]);
  return std::fabs(pln.xarm[4] - pln.xarm[6]) < G && G > 0.1f * pln.Ctip[4] && G > 0.1f * pln.Ctip[6];
}

static void finite_wing(int p) {
  load_foils(p);
  if (biplane()) {
    float h = std::fabs(pln.zarm[4] - pln.zarm[6]) / (pln.semilen[4] + pln.semilen[6]);
    float r = pln.semilen[4] / pln.semilen[6];
    if (r > 1) r = 1 / r;
    float sg = 0.9962f - 4.896f * h + 17.98f * h * h - 37.8f * h * h * h + 31.0f * h * h * h * h;
    pln.e[p] = 2 * r * r / (1 + r * r + 2 * sg * r);
  }
  pln.e[p] = fltlim(pln.e[p], 0.5f, 1.0f);
  float k = 1 / (2 / (pln.AR[p] * pln.e[p]) + 1);
  pln.al_D_al0[p] = 1 - (1 - k) * 0.68f;
  pln.cl_D_cl0[p] = 1 - (1 - k) * 0.32f;
  float c = icos(pln.sweep1[p]);
  float den = pln.AR[p] + 2 * c;
  pln.cm_D_cm0[p] = std::fabs(den) > 1e-6f ? pln.AR[p] * c * c / den : 0;
  pln.alpha_max[p] = pln.alpha_max[p] / pln.al_D_al0[p];

  geo_printf("\nFinite Wing for %s\n", report_name(p));
  geo_printf("   Oswalds efficiency factor based on AR (%.3f) and sweep (%d deg) is %.1f%%\n", pln.AR[p],
             pln.sweep1[p], pln.e[p] * 100);
  geo_printf("   Thoretical lift-slope reduction is to %.1f%% of the airfoil's slope\n", k * 100);
  geo_printf("   We will accomplish this by:\n");
  geo_printf("      using coefficient data at an angle of attack that is %.1f%% of the geometric angle\n",
             pln.al_D_al0[p] * 100);
  geo_printf("      and reducing airfoil lift coefficients to            %.1f%% of the airfoil's values\n",
             pln.cl_D_cl0[p] * 100);
  geo_printf("      Based on AR and sweep, cm change is to               %.1f%% of the airfoil's values\n",
             pln.cm_D_cm0[p] * 100);
  geo_printf("      Based on AR and TR, aerodynamic center is moved      %.1f%% of the way from 25%% to 50%% chord\n",
             pln.delta_fac[p] * 100);
}

// ---- 3. everything relative to the centre of gravity ----
static void shift_to_cg() {
  pln.pex -= cgx; pln.pez -= cgz;
  pln.ngearx -= cgx; pln.ngearz -= cgz;
  pln.mgearx -= cgx; pln.mgearz -= cgz;
  pln.skidx -= cgx; pln.skidz -= cgz;
  pln.jatox -= cgx; pln.jatoz -= cgz;
  pln.misc_x -= cgx; pln.misc_z -= cgz;
  for (int p = 0; p < LIFT_PARTS; p++) {
    pln.xarm[p] -= cgx;
    pln.zarm[p] -= cgz;
  }
  for (int i = 0; i < BODY_SECTIONS; i++)
    for (int m = 0; m < BODY_POINTS; m++) {
      pln.body_x[12][i][m] -= cgx;
      pln.body_z[12][i][m] -= cgz;
    }
}

// ---- 4. body areas ----
static float section_area(int p, int i) {
  float a = 0;
  for (int m = 1; m <= 4; m++)
    a += (pln.body_z[p][i][m - 1] - pln.body_z[p][i][m]) * (pln.body_y[p][i][m - 1] + pln.body_y[p][i][m]) / 2;
  return 2 * a;
}

static float largest_section(int p, int sections) {
  float best = 0;
  for (int i = 0; i < sections; i++) best = fltmax2(best, section_area(p, i));
  return best;
}

static void body_areas() {
  pln.fuse_s_frn = largest_section(12, BODY_SECTIONS);
  pln.nace_s = largest_section(13, 5);
  pln.misc_s = largest_section(17, 5);
  pln.fuse_s_sid = pln.fuse_s_top = 0;
  for (int k = 0; k < BODY_SECTIONS - 1; k++) {
    float dx = std::fabs(pln.body_x[12][k + 1][0] - pln.body_x[12][k][0]);
    float h0 = pln.body_z[12][k][0] - pln.body_z[12][k][4];
    float h1 = pln.body_z[12][k + 1][0] - pln.body_z[12][k + 1][4];
    float w0 = 2 * pln.body_y[12][k][2], w1 = 2 * pln.body_y[12][k + 1][2];
    pln.fuse_s_sid += (h0 + h1) / 2 * dx;
    pln.fuse_s_top += (w0 + w1) / 2 * dx;
  }
}

// ---- 5. inertia from the spread of surface area ----
static void add_area(float A, float x, float y, float z, float* jx, float* jy, float* jz) {
  *jx += A * (y * y + z * z);
  *jy += A * (x * x + z * z);
  *jz += A * (x * x + y * y);
}

static float engine_mass(int type) {
  float hp = pln.pmax * con.watttohp;
  if (type == 1) return 1.75f * hp * con.lbstokgs;
  if (type == 2) return 0.5f * hp * con.lbstokgs;
  if (type == 3) return 0.2f * pln.tmax * con.ntntolbs * con.lbstokgs;
  return 0;
}

static void inertia() {
  float jx = 0, jy = 0, jz = 0, total = 0, fuse_total = 0, xc = 0, zc = 0;
  const float (*bx)[BODY_POINTS] = pln.body_x[12];
  const float (*by)[BODY_POINTS] = pln.body_y[12];
  const float (*bz)[BODY_POINTS] = pln.body_z[12];
  for (int k = 0; k < BODY_SECTIONS - 1; k++)
    for (int m = 0; m < 4; m++) {
      int tri[2][3][2] = {{{k, m}, {k, m + 1}, {k + 1, m + 1}}, {{k, m}, {k + 1, m}, {k + 1, m + 1}}};
      for (auto& t : tri) {
        float X[3], Y[3], Z[3];
        for (int v = 0; v < 3; v++) {
          X[v] = bx[t[v][0]][t[v][1]];
          Y[v] = by[t[v][0]][t[v][1]];
          Z[v] = bz[t[v][0]][t[v][1]];
        }
        float A = 2 * findarea(X[0], Y[0], Z[0], X[1], Y[1], Z[1], X[2], Y[2], Z[2]);  // and its mirror
        float x = (X[0] + X[1] + X[2]) / 3, y = (Y[0] + Y[1] + Y[2]) / 3, z = (Z[0] + Z[1] + Z[2]) / 3;
        xc += A * x;
        zc += A * z;
        add_area(A, x, y, z, &jx, &jy, &jz);
        fuse_total += A;
      }
    }
  total = fuse_total;
  for (int p = 4; p <= 11; p++) {
    if (!have_this_part(p)) continue;
    for (int j = 0; j < pln.els[p]; j++) {
      float r = get_wing_rarm(p, j), s = pln.s[p][j];
      add_area(0.5f * s, get_wing_xarm(p, r), get_wing_yarm(p, r), get_wing_zarm(p, r), &jx, &jy, &jz);
      total += s;
    }
  }
  pln.fusexcent = fuse_total > 0 ? xc / fuse_total : 0;
  pln.fusezcent = fuse_total > 0 ? zc / fuse_total : 0;
  if (total > 0) {
    pln.Jxx_unitmass = jx / total;
    pln.Jyy_unitmass = jy / total;
    pln.Jzz_unitmass = jz / total;
  } else {  // nothing to spread the mass over: a one-metre radius of gyration
    pln.Jxx_unitmass = pln.Jyy_unitmass = pln.Jzz_unitmass = 1;
  }
  geo_printf("\nBased on fuselage and wing surface-area distribution:\n");
  geo_printf("   radius of gyration about the x axis=%.3f m\n", std::sqrt(pln.Jxx_unitmass));
  geo_printf("   radius of gyration about the y axis=%.3f m\n", std::sqrt(pln.Jyy_unitmass));
  geo_printf("   radius of gyration about the z axis=%.3f m\n", std::sqrt(pln.Jzz_unitmass));

  float me = pln.numen > 0 ? engine_mass(pln.entype) : 0;
  if (me <= 0) return;
  // Engines heavier than the empty aircraft would make the airframe's share
  // negative; keep a sliver of it so the inertia stays positive.
  float share = fltmax2((pln.m_empty - pln.numen * me) / pln.m_empty, 0.05f);
  pln.Jxx_unitmass *= share;
  pln.Jyy_unitmass *= share;
  pln.Jzz_unitmass *= share;
  for (int i = 0; i < pln.numen; i++) {
    float x = pln.xarm[i], y = pln.yarm[i], z = pln.zarm[i];
    pln.Jxx_unitmass += me * (y * y + z * z) / pln.m_empty;
    pln.Jyy_unitmass += me * (x * x + z * z) / pln.m_empty;
    pln.Jzz_unitmass += me * (x * x + y * y) / pln.m_empty;
    geo_printf("Engine number %d, however, weighs %.1f kg, and is at:\n", i + 1, me);
    geo_printf("   long arm=%.3f m\n   lat  arm=%.3f m\n   vert arm=%.3f m\n", x, y, z);
  }
  geo_printf("So the final radii of gyration are:\n");
  geo_printf("   about the x axis=%.3f m\n", std::sqrt(pln.Jxx_unitmass));
  geo_printf("   about the y axis=%.3f m\n", std::sqrt(pln.Jyy_unitmass));
  geo_printf("   about the z axis=%.3f m\n", std::sqrt(pln.Jzz_unitmass));
}

// ---- 6. gear springs and the resting attitude ----
static float dasin_wrapped(float v) {  // asin of a ratio that rounding may push past 1
  return wrap_deg(std::asin(fltlim(v, -1, 1)) * con.radtodeg, 0);
}

static void gear() {
  float g = con.g, W = pln.m_max * g;
  float d = fltmin2(interp(1, 0.2f, 3000, 1.0f, pln.m_max * con.kgstolbs), 1.0f) * con.fttomtrs;
  float base = pln.mgearx - pln.ngearx;
  if (pln.gearEQ && std::fabs(base) < 0.01f)
    MACIBM_exitalert("Invalid landing gear!", "The nose and main gear stand at the same place fore and aft,",
                     "so the weight cannot be shared between them. Go into Hullwright and move the gear.",
                     pln.C_path);
  if (pln.skidEQ && !(pln.skidl > 0.01f))
    MACIBM_exitalert("Invalid skids!", "The skids have no length, so the weight cannot be shared along them.",
                     "Go into Hullwright and give the skids a length.", pln.C_path);
  float Fn = 0, Fm = 0;
  if (std::fabs(base) >= 0.01f) {
    Fn = pln.mgearx / base * W;
    Fm = -pln.ngearx / base * W * 0.5f;
  }
  pln.mgearcon = Fm / d;
  pln.ngearcon = pln.ngearx < pln.mgearx ? pln.mgearcon : Fn / d;
  pln.ngeardmp = 0.2f * pln.ngearcon;
  pln.mgeardmp = 0.2f * pln.mgearcon;
  pln.skidcon = 2 * W * 0.25f / d;
  pln.skiddmp = 0.05f * pln.skidcon;
  if (pln.gearEQ) {
    pln.h_eqlbm = interp(pln.mgearx, -pln.mgearz, pln.ngearx, -pln.ngearz, 0);
    pln.the_eqlbm = dasin_wrapped((-pln.ngearz + pln.mgearz) / base);
    if (pln.ngearcon != 0) pln.ngearz -= Fn / pln.ngearcon;
    if (pln.mgearcon != 0) pln.mgearz -= Fm / pln.mgearcon;
  }
  if (pln.skidEQ) {
    float Ff = (pln.skidx + pln.skidl) / pln.skidl * W;
    float Fr = -pln.skidx / pln.skidl * W;
    float zf = -pln.skidz - Ff / (2 * pln.skidcon);
    float zr = -pln.skidz - Fr / (2 * pln.skidcon);
    pln.h_eqlbm = interp(pln.skidx, zf, pln.skidx + pln.skidl, zr, 0);
    pln.the_eqlbm = dasin_wrapped((zf - zr) / pln.skidl);
  }
}

// ---- 7. forward surface and stalling speed ----
static void stall_speed() {
  pln.fwd_foil = 0;
  float best = 99999;
  for (int p = 4; p <= 11; p++)
    if (have_this_part(p) && pln.xarm[p] < best) {
      best = pln.xarm[p];
      pln.fwd_foil = p;
    }
  if (pln.is_heli) {
    msc.est_Vs = 50 * con.ktstomsc;
    return;
  }
  float S = 0;
  for (int w = 0; w < 2; w++) {  // wing one, wing two: the right panel, else the left
    int right = 5 + 2 * w, left = 4 + 2 * w;
    int p = have_this_part(right) ? right : left;
    if (have_this_part(p)) S += (pln.Croot[p] + pln.Ctip[p]) * pln.semilen[p];
  }
  msc.est_Vs = S > 0 ? std::sqrt(2 * pln.m_max * con.g / (S * con.rhoSL * 0.8f)) : 50 * con.ktstomsc;
}

// ---- 8. which elements sit in which slipstream ----
static const char* engine_words[4] = {"ONE", "TWO", "THREE", "FOUR"};
static const char* surface_words[6] = {"LEFT WING ONE", "RIGHT WING ONE", "LEFT WING TWO",
                                       "RIGHT WING TWO", "LEFT HORIZ STAB", "RIGHT HORIZ STAB"};

static void propwash() {
  for (int s = 4; s <= 9; s++)
    for (int p = 0; p < ENGINES; p++) {
      for (int j = 0; j < ELEMENTS; j++) pln.in_propwash[s][p][j] = 0;
      pln.lo_washdir[s][p] = pln.max_washdir[s][p] = pln.hi_washdir[s][p] = 0;
    }
  for (int p = 0; p < ENGINES; p++) {
    if (!have_this_part(p)) continue;
    for (int s = 4; s <= 9; s++) {
      if (!have_this_part(s) || !(pln.xarm[p] < pln.xarm[s])) continue;
      int any = 0;
      for (int j = 0; j < pln.els[s]; j++) {
        float y = get_wing_yarm(s, get_wing_rarm(s, j));
        if (y >= pln.yarm[p] - pln.semilen[p] && y <= pln.yarm[p] + pln.semilen[p]) {
          pln.in_propwash[s][p][j] = 1;
          any = 1;
        }
      }
      if (!any) continue;
      float dx = pln.xarm[s] - pln.xarm[p], dz = pln.zarm[s] - pln.zarm[p];
      pln.max_washdir[s][p] = datan2(dz, dx);
      pln.hi_washdir[s][p] = datan2(dz + pln.semilen[p], dx);
      pln.lo_washdir[s][p] = datan2(dz - pln.semilen[p], dx);
      geo_printf("\nFor propwash from engine NUMBER %s onto %s:\n", engine_words[p], surface_words[s - 4]);
      geo_printf("   there is no propwash with the flow above %.2f deg,\n", pln.hi_washdir[s][p]);
      geo_printf("   full propwash with the flow at %.2f deg,\n", pln.max_washdir[s][p]);
      geo_printf("   and no propwash with the flow below %.2f deg,\n", pln.lo_washdir[s][p]);
      geo_printf("   with the propwash interpolated in between.\n");
    }
  }
}

void print_wash_row(const char* label, int left, int right, int (*mark)(int s, int j, char* out)) {
  char row[512];
  int n = std::snprintf(row, sizeof row, "%-4s", label);
  char cell[16];
  if (have_this_part(left))
    for (int j = pln.els[left] - 1; j >= 0; j--) {
      mark(left, j, cell);
      n += std::snprintf(row + n, sizeof row - n, " %-4s", cell);
    }
  n += std::snprintf(row + n, sizeof row - n, " FUSE");
  if (have_this_part(right))
    for (int j = 0; j < pln.els[right]; j++) {
      mark(right, j, cell);
      n += std::snprintf(row + n, sizeof row - n, " %-4s", cell);
    }
  geo_printf("%s\n", row);
}

static int prop_mark(int s, int j, char* out) {
  int n = 0;
  for (int p = 0; p < ENGINES; p++)
    if (pln.in_propwash[s][p][j]) out[n++] = (char)('1' + p);
  if (n == 0) out[n++] = '-';
  out[n] = 0;
  return n;
}

static void propwash_map() {
  geo_printf("\nPROPWASH SITUATION (engine numbers over each element, left tip to right tip):\n");
  print_wash_row("W1", 4, 5, prop_mark);
  print_wash_row("W2", 6, 7, prop_mark);
  print_wash_row("HS", 8, 9, prop_mark);
}

void finish_readin1() {
  for (int p = 0; p < LIFT_PARTS; p++)
    if (have_this_part(p)) wing_factors(p);
  for (int p = 0; p < LIFT_PARTS; p++)
    if (have_this_part(p)) finite_wing(p);
  shift_to_cg();
  body_areas();
  inertia();
  gear();
  stall_speed();
  propwash();
  propwash_map();
}

// ---- 10. panel scaling ----
static void horizon_outline() {
  int round = pln.paneltype != 2;
  pln.ah_semidim_flt = round ? 57.5f : 52.0f;
  pln.ah_semidim_int = flt_to_int(pln.ah_semidim_flt);
  pln.ah_dim_int = 2 * pln.ah_semidim_int + 1;
  pln.ah_top_prim = pln.ah_top_roll = -pln.ah_semidim_int;
  pln.ah_bot_prim = pln.ah_bot_roll = pln.ah_semidim_int;
  // The round ball has a pitch disc (rows 10..105) inside the bank ring;
  // an empty row of the disc has its first x above its last.
  if (round) pln.ah_top_prim = -pln.ah_semidim_int + 10, pln.ah_bot_prim = pln.ah_semidim_int - 10;
  for (int i = 0; i < AH_ROWS; i++) {
    pln.ahx1_prim[i] = pln.ahx1_roll[i] = 1;
    pln.ahx2_prim[i] = pln.ahx2_roll[i] = 0;
    if (i >= pln.ah_dim_int) continue;
    float dy = (float)(i - pln.ah_semidim_int);
    float r = pln.ah_semidim_flt, ri = r - 10;
    int hw = round ? flt_to_int(std::sqrt(fltmax2(r * r - dy * dy, 0))) : flt_to_int(r);
    pln.ahx1_roll[i] = -hw;
    pln.ahx2_roll[i] = hw;
    if (round && std::fabs(dy) > ri) continue;
    int hi = round ? flt_to_int(std::sqrt(fltmax2(ri * ri - dy * dy, 0))) : hw;
    pln.ahx1_prim[i] = -hi;
    pln.ahx2_prim[i] = hi;
  }
}

void finish_readin2() {
  int engines = pln.numen;
  pln.ecam = (pln.paneltype == 2 && !pln.is_heli) || engines > 2;
  pln.tape = engines > 2;
  if (pln.AStype == 2) {
    pln.ASpwr = 0.3f;
    pln.Vmin = 60;
    pln.Vmax = 449;
  } else {
    pln.ASpwr = 1;
    pln.Vmin = pln.vectEQ ? 0 : fltnear(pln.Vso - 10, 10, 1);
    pln.Vmax = fltnear(pln.Vne + 10, 10, 1);
  }
  // Speed limits in the wrong order would give the dial no range at all.
  if (pln.Vmax <= pln.Vmin) pln.Vmax = pln.Vmin + 10;
  float span = std::pow(pln.Vmax, pln.ASpwr) - std::pow(fltmax2(pln.Vmin, 0), pln.ASpwr);
  if (pln.ASpwr == 1) span = pln.Vmax - pln.Vmin;
  // The aircraft's speeds and panel type set the panel's scales and offsets (ins).
  ins.indtoASI = 330 / span;
  if (pln.paneltype == 2) ins.msctoVVI = con.msctofpm * 0.0225f;
  else ins.msctoVVI = con.msctofpm * (pln.VVItype == 2 ? 0.032f : 0.08f);

  if (pln.is_heli) {
    ins.osrad = -490; ins.oseng = -101; ins.ospau = -171; ins.osthr = -115; ins.osmix = -180;
  } else {
    ins.osrad = pln.radiotype == 1 ? 0 : 156;
    ins.oseng = pln.radiotype == 1 ? 0 : -155;
    ins.ospau = 0;
    ins.osthr = ins.osmix = ins.oseng;
  }
  ins.ostrm = ins.osmix;
  static const int thro[4][4] = {{667}, {660, 674}, {653, 667, 681}, {646, 660, 674, 688}};
  static const int prop[4][4] = {{717}, {712, 722}, {707, 717, 727}, {702, 712, 722, 732}};
  static const int mixt[4][4] = {{757}, {752, 762}, {747, 757, 767}, {742, 752, 762, 772}};
  int row = engines >= 1 ? engines - 1 : 0;
  for (int n = 0; n < ENGINES; n++) {
    pln.thro_x[n] = thro[row][n];
    pln.prop_x[n] = prop[row][n];
    pln.mixt_x[n] = mixt[row][n];
  }
  if (engines <= 2) {
    for (int r = 0; r < 3; r++) {
      pln.en_x[r][0] = 683;
      pln.en_x[r][1] = 761;
      pln.en_x[r][2] = pln.en_x[r][3] = 0;
    }
    // Three rows of dials under the switch row: down to the lever box at 442,
    // or on a helicopter (no upper lever box) to its lower box at 511.
    if (pln.is_heli) {
      pln.en_y[0] = 305; pln.en_y[1] = 370; pln.en_y[2] = 435;
    } else {
      pln.en_y[0] = 289; pln.en_y[1] = 336; pln.en_y[2] = 401;
    }
  } else {
    static const int tape_x[2][4] = {{685, 695, 705, 715}, {760, 770, 780, 790}};
    for (int n = 0; n < ENGINES; n++) {
      pln.en_x[0][n] = pln.en_x[1][n] = tape_x[0][n];
      pln.en_x[2][n] = tape_x[1][n];
    }
    pln.en_y[0] = pln.en_y[1] = pln.en_y[2] = 412;
  }
  // Glide-slope pointers either side of the heading instrument's card.
  if (ins.avail[6]) {
    pln.gsx1 = ins.x_loc[6] - 60;
    pln.gsx2 = ins.x_loc[6] + 61;
    pln.gsw = 4;
    pln.gsyc = ins.y_loc[6];
    pln.gsy1 = pln.gsyc - 40;
    pln.gsy2 = pln.gsyc + 40;
  } else {
    pln.gsx1 = pln.gsx2 = pln.gsw = pln.gsy1 = pln.gsyc = pln.gsy2 = 0;
  }
  horizon_outline();
}
