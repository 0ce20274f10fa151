// Downwash tables and the readable account of the prepared geometry.
#include <cmath>
#include <cstdio>
#include "basekit/bk_const.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/aircraft/plnutil.h"
#include "sim/aircraft/wash.h"
#include "sim/msc.h"

static int side_of(int p) { return (p == 4 || p == 6 || p == 8) ? -1 : 1; }

static const char* wash_name(int p) {
  static const char* const names[6] = {"left  wing number one", "right wing number one", "left  wing number two",
                                       "right wing number two", "left  horizontal stab", "right horizontal stab"};
  return names[p - 4];
}

static int wash_mark(int s, int j, char* out) {
  int n = 0;
  static const char code[6] = {'1', '1', '2', '2', 'H', 'H'};
  for (int w = 4; w <= 9; w++)
    if (pln.in_wash[w][s][j] && n < 6) out[n++] = code[w - 4];
  if (n == 0) out[n++] = '-';
  out[n] = 0;
  return n;
}

static const char* breakdown_name(int p) {
  static const char* const names[12] = {"prop1:",       "prop2:",       "prop3:",       "prop4:",
                                        "left wing1:",  "rght wing1:",  "left wing2:",  "rght wing2:",
                                        "left hstab:",  "rght hstab:",  "vstb1:",       "vstb2:"};
  if (pln.is_heli && p == 0) return "mrotr:";
  if (pln.is_heli && p == 1) return "tailr:";
  return names[p];
}

static float taper(int p) { return pln.Croot[p] > 0 ? pln.Ctip[p] / pln.Croot[p] : 1; }

void dump_geo() {
  for (int j = 4; j <= 12; j++) {
    pln.spec_wash[j] = 0;
    for (int i = 0; i < PARTS; i++)
      for (int k = 0; k < ELEMENTS; k++) pln.in_wash[j][i][k] = 0;
  }
  // Surface j sheds downwash onto surface i behind it on the same side.
  struct pair { int i, j; float hDs, xDs; };
  pair pairs[36];
  int npairs = 0;
  for (int i = 4; i <= 9; i++)
    for (int j = 4; j <= 9; j++) {
      if (i == j || side_of(i) != side_of(j) || !have_this_part(i) || !have_this_part(j)) continue;
      if (!(pln.xarm[j] < pln.xarm[i])) continue;
      for (int k = 0; k < pln.els[i]; k++)
        if (std::fabs(get_wing_yarm(i, get_wing_rarm(i, k))) < pln.semilen[j]) pln.in_wash[j][i][k] = 1;
      float hDs = (pln.zarm[i] - pln.zarm[j]) / pln.semilen[j];
      float xDs = (pln.xarm[i] - pln.xarm[j]) / pln.semilen[j];
      pln.spec_wash[j] = findspecwash(hDs, xDs, pln.AR[j], taper(j));
      pairs[npairs++] = {i, j, hDs, xDs};
    }

  geo_printf("\nDOWNWASH SITUATION (surfaces shedding downwash onto each element, left tip to right tip):\n");
  print_wash_row("W1", 4, 5, wash_mark);
  print_wash_row("W2", 6, 7, wash_mark);
  print_wash_row("HS", 8, 9, wash_mark);

  geo_printf("\nx location positive aft      x force positive forwards    pitch/alpha pos nose up\n");
  geo_printf("y location positive right    y force positive right       roll pos right wing down\n");
  geo_printf("z location positive up       z force positive up          yaw/beta pos nose right\n");
  geo_printf("incidence positive leading edge up, dihedral positive tips up, sweep positive tips aft\n");
  geo_printf("forces in newtons, moments in newton-meters, lengths in meters, areas in square meters\n");
  geo_printf("angles in degrees\n");

  geo_printf("\nELEMENT BREAK-DOWN (area in square meters, mean chord in meters):\n");
  for (int p = 0; p < LIFT_PARTS; p++) {
    if (!have_this_part(p)) continue;
    geo_printf("%-12s", breakdown_name(p));
    for (int j = 0; j < pln.els[p]; j++) geo_printf(" s=%.4f mac=%.4f", pln.s[p][j], pln.mac[p][j]);
    geo_printf("\n");
  }

  geo_printf("\nfuselage frontal area=%.4f square meters\n", pln.fuse_s_frn);
  geo_printf("fuselage side area   =%.4f square meters\n", pln.fuse_s_sid);
  geo_printf("fuselage top area    =%.4f square meters\n", pln.fuse_s_top);
  geo_printf("fuselage area centroid: long arm=%.4f m, vert arm=%.4f m\n", pln.fusexcent, pln.fusezcent);
  geo_printf("These dimensions, like all dimensions in this output file, are with respect to the C.G.!\n");

  for (int n = 0; n < npairs; n++) {
    const pair& q = pairs[n];
    float c = icos(pln.sweep1[q.j]);
    float fac = pln.spec_wash[q.j];
    geo_printf("\nDownwash from the %s onto the %s:\n", wash_name(q.j), wash_name(q.i));
    geo_printf("   sending surface aspect ratio=%.3f, taper ratio=%.3f\n", pln.AR[q.j], taper(q.j));
    geo_printf("   vertical separation=%.3f semispans, longitudinal separation=%.3f semispans\n", q.hDs, q.xDs);
    geo_printf("   downwash factor=%.4f, or %.4f times the cosine of the sending surface's sweep\n", fac,
               std::fabs(c) > 1e-6f ? fac / c : 0.0f);
  }
  // Aircraft-wide figures the tests and the reader check by hand.
  geo_printf("\nEstimated stalling speed at maximum weight: %.2f m/s (%.1f kt)\n", msc.est_Vs,
             msc.est_Vs * con.msctokts);
  geo_printf("Resting on the %s: C.G. height=%.3f m, pitch=%.2f deg\n", pln.skidEQ ? "skids" : "gear", pln.h_eqlbm,
             pln.the_eqlbm);
}
