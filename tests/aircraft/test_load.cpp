// The shipped aircraft load cleanly, and the prepared geometry agrees with
// figures worked out by hand from the aircraft's published dimensions.
#include <cmath>
#include "acft_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/records.h"

using namespace acft;

namespace {

const float FT = 0.3048f, SQFT = 0.09290304f, LB = 0.45359237f;

float sum_area(int p) {
  float s = 0;
  for (int j = 0; j < pln.els[p]; j++) s += pln.s[p][j];
  return s;
}

// Stalling angle written in an airfoil file's header line.
float file_stall(const std::string& path) {
  auto lines = read_lines(path);
  std::istringstream in(lines.at(3));
  std::string label;
  float t, re, x, amax;
  in >> label >> t >> re >> x >> amax;
  return amax;
}

TEST_F(AircraftTest, DefaultAircraftLoadsWithoutAnyAlert) {
  std::string text = fatal_text([] {
    set_default_aircraft();
    load_plane();
  });
  EXPECT_EQ(text, "(no fatal)");
  EXPECT_EQ(desk_alert_count(), 0);
  EXPECT_TRUE(contains(pln.C_path, "Aircraft/Trainer/Trainer.acf"));
  EXPECT_STREQ(pln.tailnum, "TV-160");
  EXPECT_EQ(pln.numen, 1);
  EXPECT_EQ(pln.entype, 1);
  EXPECT_NEAR(pln.pmax, 160 * 745.7f, 50);
  EXPECT_TRUE(contains(geo_report_text(), "Simulating Trainer.acf"));
  EXPECT_TRUE(contains(geo_report_text(), "with respect to the C.G.!"));
}

TEST_F(AircraftTest, TrainerGeometryMatchesTheHandbookFigures) {
  set_default_aircraft();
  load_plane();
  // Wing: 36 ft 1 in span on the centreline roots, 5.40 and 4.25 ft chords.
  float S = (5.40f + 4.25f) * 18.04f * SQFT;  // 174.1 sq ft
  EXPECT_NEAR(sum_area(4) + sum_area(5), S, 1e-3f);
  EXPECT_NEAR(S / SQFT, 174.0f, 0.2f);
  // Area-weighted element chords give the trapezoid's mean aerodynamic chord.
  float num = 0;
  for (int j = 0; j < 8; j++) num += pln.s[5][j] * pln.mac[5][j];
  float mac = 2.0f / 3 * (9.65f - 5.40f * 4.25f / 9.65f) * FT;  // 4.848 ft, 58.2 in
  EXPECT_NEAR(num / sum_area(5), mac, 1e-4f);
  EXPECT_NEAR(pln.AR[5], 2 * 18.04f / 4.825f, 1e-3f);          // 7.478
  EXPECT_NEAR(pln.e[5], 0.82538f, 2e-4f);                       // straight-wing formula
  EXPECT_NEAR(pln.al_D_al0[5], 0.833578f, 2e-4f);
  EXPECT_NEAR(pln.cl_D_cl0[5], 0.921684f, 2e-4f);
  EXPECT_NEAR(pln.cm_D_cm0[5], 0.788980f, 2e-4f);
  EXPECT_NEAR(pln.alpha_max[5], file_stall(foil("N2412_Re6.afl")) / 0.833578f, 1e-2f);
  // Fin: 35 degrees of sweep, 4.6 ft long, 5.2 and 2.7 ft chords.
  EXPECT_NEAR(pln.AR[10], 2 * 4.6f * std::cos(35 * 3.14159265f / 180) / 3.95f, 1e-3f);  // 1.908
  EXPECT_FLOAT_EQ(pln.e[10], 1.0f);                                    // 1.062 lowered to 1
  EXPECT_NEAR(pln.delta_fac[10], 40.893f / 65 * (1 - 2.7f / 5.2f), 1e-3f);
  EXPECT_NEAR(sum_area(10), (5.2f + 2.7f) / 2 * 4.6f * SQFT, 1e-4f);   // 18.2 sq ft
  // Tail: 11 ft 4 in span, 38 sq ft.
  EXPECT_NEAR((sum_area(8) + sum_area(9)) / SQFT, 38.0f, 0.05f);
  // Stall estimate at 2400 lb with a lift coefficient of 0.8.
  float m = 2400 * LB;
  EXPECT_NEAR(msc.est_Vs, std::sqrt(2 * m * con.g / (S * con.rhoSL * 0.8f)), 1e-3f);
  // Propeller: 75 in diameter cut into 6 rings.
  EXPECT_NEAR(pln.discarea[0], 3.14159265f * std::pow(37.5f / 12 * FT, 2), 1e-4f);
  float rings = 0;
  for (int j = 0; j < 6; j++) rings += pln.ringarea[0][j];
  EXPECT_NEAR(rings, pln.discarea[0], 1e-4f);
  // Everything is now relative to the C.G. 43.4 in behind the firewall.
  float cg = 3.2f + 43.4f / 12;
  EXPECT_NEAR(pln.xarm[5], (6.57f - cg) * FT, 1e-4f);
  EXPECT_NEAR(pln.ngearx, (2.6f - cg) * FT, 1e-4f);
  EXPECT_NEAR(pln.pex, (7.4f - cg) * FT, 1e-4f);
  // Inertia: positive radii of gyration of a light aircraft's size.
  for (float J : {pln.Jxx_unitmass, pln.Jyy_unitmass, pln.Jzz_unitmass}) {
    EXPECT_GT(J, 0.5f);
    EXPECT_LT(J, 10.0f);
  }
}

TEST_F(AircraftTest, TrainerGearSpringsAndRestingAttitude) {
  set_default_aircraft();
  load_plane();
  float cg = 3.2f + 43.4f / 12;
  float xn = (2.6f - cg) * FT, xm = (3.2f + 58.0f / 12 - cg) * FT;
  float W = 2400 * LB * con.g;
  float d = (0.2f + 0.8f * 2399 / 2999) * FT;  // static compression at 2400 lb
  float Fm = -xn / (xm - xn) * W * 0.5f;
  EXPECT_NEAR(pln.mgearcon, Fm / d, pln.mgearcon * 1e-4f);
  EXPECT_FLOAT_EQ(pln.ngearcon, pln.mgearcon);  // nose-wheel aircraft
  EXPECT_NEAR(pln.mgeardmp, 0.2f * pln.mgearcon, 1e-2f);
  float pitch = std::asin((3.9f - 4.0f) * FT / (xm - xn)) * 180 / 3.14159265f + 360;  // 358.95
  EXPECT_NEAR(pln.the_eqlbm, pitch, 1e-3f);
  EXPECT_NEAR(pln.h_eqlbm, 4.0f * FT + (3.9f - 4.0f) * FT * (0 - xm) / (xn - xm), 1e-4f);
}

TEST_F(AircraftTest, TrainerPropwashReachesTheWingRootAndTheTail) {
  set_default_aircraft();
  load_plane();
  // 37.5 in radius: wing element 0 (centre 1.13 ft out) only, tail elements 0 and 1.
  for (int s : {4, 5}) {
    EXPECT_EQ(pln.in_propwash[s][0][0], 1);
    for (int j = 1; j < 8; j++) EXPECT_EQ(pln.in_propwash[s][0][j], 0);
  }
  for (int s : {8, 9}) {
    EXPECT_EQ(pln.in_propwash[s][0][0], 1);
    EXPECT_EQ(pln.in_propwash[s][0][1], 1);
    EXPECT_EQ(pln.in_propwash[s][0][2], 0);
  }
  float dx = pln.xarm[8] - pln.xarm[0], dz = pln.zarm[8] - pln.zarm[0];
  EXPECT_NEAR(pln.max_washdir[8][0], std::atan2(dz, dx) * 180 / 3.14159265f, 1e-3f);
  EXPECT_GT(pln.hi_washdir[8][0], pln.max_washdir[8][0]);
  EXPECT_LT(pln.lo_washdir[8][0], pln.max_washdir[8][0]);
  // The wing sheds downwash on the tail, never the other way round.
  for (int k = 0; k < 4; k++) {
    EXPECT_EQ(pln.in_wash[4][8][k], 1);
    EXPECT_EQ(pln.in_wash[5][9][k], 1);
    EXPECT_EQ(pln.in_wash[8][4][k], 0);
  }
  EXPECT_EQ(pln.in_wash[4][9][0], 0);  // never across sides
  EXPECT_GT(pln.spec_wash[5], 0);
  EXPECT_EQ(pln.fwd_foil, 4);          // the wings are the most forward surfaces
}

TEST_F(AircraftTest, TrainerFlapsAndPanel) {
  set_default_aircraft();
  load_plane();
  EXPECT_EQ(pln.flapEQ, 1);
  EXPECT_EQ(pln.ailnEQ, 1);
  EXPECT_EQ(pln.elevEQ, 1);
  EXPECT_EQ(pln.ruddEQ, 1);
  EXPECT_EQ(pln.slatEQ, 0);
  EXPECT_FLOAT_EQ(pln.clflap[0], 0);
  EXPECT_GT(pln.clflap[50], 0.8f);  // full flap, 30 degrees
  for (int i = 1; i <= 50; i++) EXPECT_GT(pln.clflap[i], pln.clflap[i - 1]);
  EXPECT_LT(pln.cmflap[50], 0);
  // Standard six on two rows of the round-gauge panel.
  EXPECT_EQ(ins.x_loc[1], 66);
  EXPECT_EQ(ins.x_loc[2], 66 + 129);
  EXPECT_EQ(ins.x_loc[4], 66 + 129 + 129 + 115);
  EXPECT_EQ(ins.y_loc[5], 496);
  EXPECT_EQ(ins.x_loc[10], ins.x_loc[3] - 35);
  EXPECT_EQ(loc_of_ins[7], 7);
  EXPECT_FLOAT_EQ(pln.Vmin, 20);   // 33 - 10 to the nearest 10
  EXPECT_FLOAT_EQ(pln.Vmax, 170);  // 158 + 10
  EXPECT_NEAR(ins.indtoASI, 330.0f / 150, 1e-5f);
  EXPECT_EQ(pln.thro_x[0], 667);
}

TEST_F(AircraftTest, LightTwinLoadsWithEveryAirfoilAndBothSlipstreams) {
  std::string text = fatal_text([] {
    std::snprintf(pln.C_path, STR_DIM, "%s/Aircraft/LightTwin/LightTwin.acf", TARVEL_SOURCE_DATA_DIR);
    load_plane();
  });
  ASSERT_EQ(text, "(no fatal)");
  EXPECT_EQ(desk_alert_count(), 0);
  EXPECT_EQ(pln.numen, 2);
  EXPECT_EQ(pln.propdir[0], 1);
  EXPECT_EQ(pln.propdir[1], -1);
  EXPECT_TRUE(have_this_part(13) && have_this_part(14) && !have_this_part(15));
  EXPECT_GT(pln.nace_s, 0.3f);
  // Four airfoils per wing part: the tip tables differ from the root's.
  EXPECT_NE(afl.clM[5][0][0], afl.clM[5][0][1]);
  EXPECT_NE(afl.clM[5][1][1], 0);
  EXPECT_NEAR(pln.Re[5][1][1] - pln.Re[5][1][0], 6.0f, 1e-3f);
  // 6.2 ft out, 38 in radius: the right engine washes the right side only.
  for (int j = 0; j < 8; j++) EXPECT_EQ(pln.in_propwash[4][1][j], 0);
  int washed = 0;
  for (int j = 0; j < 8; j++) washed += pln.in_propwash[5][1][j];
  EXPECT_GE(washed, 2);
  EXPECT_EQ(pln.in_propwash[9][1][2] + pln.in_propwash[9][1][3], 2);
  EXPECT_EQ(pln.in_propwash[9][0][2], 0);
  // Dihedral 6 degrees: elements rise towards the tip.
  EXPECT_NEAR(get_wing_zarm(5, 10) - pln.zarm[5], 10 * std::sin(6 * 3.14159265f / 180), 1e-4f);
  EXPECT_NEAR(get_wing_yarm(4, 10), -10 * std::cos(6 * 3.14159265f / 180), 1e-4f);
  EXPECT_EQ(pln.retractEQ, 1);
  EXPECT_GT(pln.Jxx_unitmass, 0);
}

TEST_F(AircraftTest, ReportCanBeWrittenToAStream) {
  set_default_aircraft();
  load_plane();
  std::string p = dir + "/report.out";
  FILE* f = std::fopen(p.c_str(), "w");
  write_geo_report(f);
  std::fclose(f);
  std::ifstream in(p);
  std::stringstream ss;
  ss << in.rdbuf();
  EXPECT_EQ(ss.str(), std::string(geo_report_text()));
  for (const char* line : {"Finite Wing for Right Wing #1", "PROPWASH SITUATION", "DOWNWASH SITUATION",
                           "ELEMENT BREAK-DOWN", "The propeller DISC AREA is broken down into rings",
                           "Based on fuselage and wing surface-area distribution:", "Engine number 1, however, weighs"})
    EXPECT_TRUE(contains(ss.str(), line)) << line;
  EXPECT_FALSE(contains(ss.str(), "nan"));
  EXPECT_FALSE(contains(ss.str(), "inf"));
}

TEST_F(AircraftTest, CrAndCrLfCopiesLoadTheSame) {
  Acf a = shipped("Trainer");
  load(a);
  planestruct lf = pln;
  for (const char* eol : {"\r\n", "\r"}) {
    clear_records();
    init_constants();
    std::snprintf(app_path, STR_DIM, "%s", dir.c_str());
    load(a, eol);
    EXPECT_STREQ(pln.tailnum, lf.tailnum);
    EXPECT_STREQ(pln.Rafl0[5], lf.Rafl0[5]);
    EXPECT_EQ(std::memcmp(pln.s, lf.s, sizeof pln.s), 0);
    EXPECT_FLOAT_EQ(pln.Jyy_unitmass, lf.Jyy_unitmass);
  }
}

}  // namespace
