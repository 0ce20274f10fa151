// Geometry preparation on edited copies of the trainer: the laws at their
// edges, and the degenerate shapes that must not give NaN or negative inertia.
#include <cmath>
#include "acft_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/records.h"

using namespace acft;

namespace {

const float FT = 0.3048f, SQFT = 0.09290304f, LB = 0.45359237f, PI = 3.14159265f;

class GeometryTest : public AircraftTest {
 protected:
  Acf a = shipped("Trainer");
  // Part cp cut into n plain elements: no incidence, no controls.
  static void plain_elements(Acf& f, int cp, int n) {
    std::string zeros;
    for (int k = 0; k < n; k++) zeros += "0 ";
    f.lines[f.find(cp, "els")] = std::to_string(n) + " els";
    f.lines[f.find(cp, "incidences")] = zeros + "incidences";
    for (const char* kind : {"ailn", "splr", "flap", "slat", "sbrk", "drud"}) f.lines[f.find(cp, kind)] = zeros + kind;
  }
  // A bare, straight, untapered wing on the C.G.: 10 ft panels of 5 ft chord,
  // one element each; no fuselage skin, no tail, no engine.
  void bare_wing() {
    a.set(101, "numen", "0");
    for (int cp : {106, 107}) {
      a.set(cp, "semilen ft", "10");
      a.set(cp, "Croot ft", "5");
      a.set(cp, "Ctip ft", "5");
      a.set(cp, "dihed", "0");
      a.set(cp, "xarm ft", "6.57");
      a.set(cp, "zarm ft", "0");
      a.set(cp, "els", "1");
    }
    a.set(117, "cgx ft", "6.57");
    a.set(117, "cgz ft", "0");
    for (int cp : {110, 111, 112}) a.set(cp, "semilen ft", "0");
    int first = a.find(116, "misc_z ft") + 4;
    for (int i = 0; i < 7 * 9 * 8; i++) a.lines[first + i] = "0 0 0";
  }
};

// Hand-worked inertias of the bare wing, alone and with the engine ahead;
// an engine heavier than the aircraft, or nothing to spread the mass over,
// still gives positive radii and a finite stall estimate.
TEST_F(GeometryTest, InertiaOfABareWingByHand) {
  bare_wing();
  load(a);
  float y = 5 * FT;  // element centres 5 ft out
  EXPECT_NEAR(pln.s[5][0], 50 * SQFT, 1e-5f);
  EXPECT_NEAR(pln.Jxx_unitmass, 0.5f * y * y, 1e-5f);
  EXPECT_NEAR(pln.Jyy_unitmass, 0, 1e-6f);
  EXPECT_NEAR(pln.Jzz_unitmass, 0.5f * y * y, 1e-5f);
  EXPECT_FLOAT_EQ(pln.fuse_s_frn, 0);
  EXPECT_FALSE(contains(geo_report_text(), "Engine number"));  // no engines, no engine lines

  a.set(101, "numen", "1");
  load(a);
  float me = 1.75f * 160 * LB, empty = 1419 * LB;
  float share = (empty - me) / empty;  // 0.8027
  float x = (0.4f - 6.57f) * FT;
  EXPECT_NEAR(pln.Jxx_unitmass, 0.5f * y * y * share, 1e-4f);
  EXPECT_NEAR(pln.Jyy_unitmass, me * x * x / empty, 1e-4f);
  EXPECT_NEAR(pln.Jzz_unitmass, 0.5f * y * y * share + me * x * x / empty, 1e-4f);
  EXPECT_TRUE(contains(geo_report_text(), "Engine number 1, however, weighs 127.0 kg"));

  a.set(117, "m_empty lb", "200");  // a 280 lb engine in a 200 lb aircraft
  load(a);
  EXPECT_GT(pln.Jxx_unitmass, 0);
  EXPECT_GT(pln.Jyy_unitmass, 0);
  EXPECT_GT(pln.Jzz_unitmass, 0);
  a.set(101, "numen", "0");
  for (int cp : {106, 107}) a.set(cp, "semilen ft", "0");
  load(a);
  EXPECT_TRUE(std::isfinite(pln.Jxx_unitmass) && pln.Jxx_unitmass > 0);
  EXPECT_TRUE(std::isfinite(pln.Jzz_unitmass) && pln.Jzz_unitmass > 0);
  EXPECT_TRUE(std::isfinite(msc.est_Vs) && msc.est_Vs > 0);  // no wing area either
}

TEST_F(GeometryTest, OswaldFactorAcrossSweep) {
  bare_wing();
  a.set(106, "semilen ft", "20");
  a.set(107, "semilen ft", "20");  // AR 8
  load(a);
  float base = 1 - 0.045f * std::pow(8.0f, 0.68f);
  float e_straight = 1.78f * base - 0.64f;
  EXPECT_NEAR(pln.AR[5], 8, 1e-4f);
  EXPECT_NEAR(pln.e[5], e_straight, 1e-4f);
  EXPECT_FLOAT_EQ(pln.delta_fac[5], 0);

  a.set(107, "sweep1", "45");
  load(a);
  float ar = 8 * std::cos(45 * PI / 180);
  float b45 = 1 - 0.045f * std::pow(ar, 0.68f);
  float swept = 4.61f * b45 * std::pow(std::cos(45 * PI / 180), 0.15f) - 3.1f;
  EXPECT_NEAR(pln.e[5], fltlim(swept, 0.5f, 1), 1e-4f);

  a.set(107, "sweep1", "15");  // halfway between the laws
  load(a);
  ar = 8 * std::cos(15 * PI / 180);
  float b15 = 1 - 0.045f * std::pow(ar, 0.68f);
  float at30 = 4.61f * b15 * std::pow(std::cos(30 * PI / 180), 0.15f) - 3.1f;
  EXPECT_NEAR(pln.e[5], fltlim(0.5f * (1.78f * b15 - 0.64f) + 0.5f * at30, 0.5f, 1), 1e-4f);

  a.set(107, "semilen ft", "200");  // AR 80: the formula falls below the floor
  a.set(107, "sweep1", "0");
  load(a);
  EXPECT_FLOAT_EQ(pln.e[5], 0.5f);
}

TEST_F(GeometryTest, PropwashEdgesAreInsideAndPropellersBehindWashNothing) {
  bare_wing();
  a.set(101, "numen", "1");
  for (int cp : {106, 107}) {
    a.set(cp, "semilen ft", "16");
    a.set(cp, "els", "8");  // element 0 centred exactly 1 ft out
  }
  a.set(102, "semilen ft", "1");
  load(a);
  EXPECT_EQ(pln.in_propwash[5][0][0], 1);
  EXPECT_EQ(pln.in_propwash[4][0][0], 1);
  EXPECT_EQ(pln.in_propwash[5][0][1], 0);
  a.set(102, "xarm ft", "9");  // behind the wing
  load(a);
  for (int j = 0; j < 8; j++) EXPECT_EQ(pln.in_propwash[5][0][j], 0);
}

TEST_F(GeometryTest, PartsWithoutSizeAreAbsent) {
  // Left stabiliser: long enough but no chord; right wing 2: too short.
  a.set(110, "Croot ft", "0");
  a.set(110, "Ctip ft", "0");
  a.set(109, "semilen ft", "0.16");  // 0.049 m
  plain_elements(a, 109, 8);
  a.lines[a.find(109, "slat")] = "1 1 1 1 1 1 1 1 slat";
  load(a);
  EXPECT_FALSE(have_this_part(8));
  EXPECT_TRUE(have_this_part(9));
  EXPECT_FALSE(have_this_part(7));
  EXPECT_EQ(pln.slatEQ, 0);  // flags of an absent part count for nothing
  EXPECT_FLOAT_EQ(pln.s[8][0], 0);
  for (int k = 0; k < ELEMENTS; k++) EXPECT_EQ(pln.in_wash[4][8][k], 0);
  EXPECT_FALSE(contains(geo_report_text(), "Finite Wing for Left Horizontal Stab"));
}

TEST_F(GeometryTest, FileFlagsAndLimitsAsRead) {
  a.set(101, "numen", "0");
  a.set(114, "hstbtrimmax", "0.005");
  a.set(121, "ASloV", "120");
  a.set(121, "AShiV", "120");
  a.set(117, "m_fuel lb", "1100");  // leaves no room for a fixed load
  a.set(118, "nwsteer", "10");
  load(a);
  EXPECT_EQ(pln.entype, 0);
  EXPECT_FALSE(have_this_part(0));
  EXPECT_EQ(pln.flyingstabEQ, 0);
  EXPECT_FLOAT_EQ(pln.hstbtrimmax, 0.5f);
  EXPECT_FLOAT_EQ(pln.AShiV, 121);
  EXPECT_FLOAT_EQ(flt.m_fixed, 0);
  EXPECT_NEAR(flt.m_fuel, 550 * LB, 1e-3f);
  EXPECT_FLOAT_EQ(pln.nwsteer, 10);

  a.set(117, "m_fuel lb", "240");
  load(a);
  EXPECT_NEAR(flt.m_fixed, (2400 - 1419 - 240) * 0.5f * LB, 1e-2f);
}

TEST_F(GeometryTest, TailWheelGetsItsOwnSpringAndSteersTheOtherWay) {
  a.set(118, "ngearx ft", "22");   // tail wheel behind the main gear
  a.set(118, "ngearz ft", "-1.5");
  a.set(118, "mgearx ft", "5.5");  // main gear ahead of the C.G.
  load(a);
  EXPECT_FLOAT_EQ(pln.nwsteer, -10);
  float xn = (22 - (3.2f + 43.4f / 12)) * FT, xm = (5.5f - (3.2f + 43.4f / 12)) * FT;
  float W = 2400 * LB * con.g, d = (0.2f + 0.8f * 2399 / 2999) * FT;
  EXPECT_GT(pln.ngearcon, 0);
  EXPECT_NEAR(pln.ngearcon, xm / (xm - xn) * W / d, pln.ngearcon * 1e-4f);
  EXPECT_NE(pln.ngearcon, pln.mgearcon);
  EXPECT_GT(pln.the_eqlbm, 0);  // tail down
  EXPECT_LT(pln.the_eqlbm, 45);
}

TEST_F(GeometryTest, HeavyAircraftCompressesItsGearOneFootAndSteepGearNeverGivesNaN) {
  a.set(117, "m_max lb", "3000");
  load(a);
  float x = -(2.6f - (3.2f + 43.4f / 12)) * FT;  // nose gear distance ahead of the C.G.
  float xm = (3.2f + 58.0f / 12 - (3.2f + 43.4f / 12)) * FT;
  float Fm = x / (xm + x) * 3000 * LB * con.g * 0.5f;
  EXPECT_NEAR(pln.mgearcon, Fm / FT, pln.mgearcon * 1e-4f);
  // A nose leg taller than the wheelbase: the slope's asin is held at 90 deg.
  a.set(118, "ngearz ft", "-20");
  load(a);
  EXPECT_TRUE(std::isfinite(pln.the_eqlbm));
  EXPECT_NEAR(pln.the_eqlbm, 90, 1e-3f);
}

TEST_F(GeometryTest, HelicopterWithoutStallSpeedsLoads) {
  a.set(100, "is_heli", "1");
  for (const char* v : {"Vso", "Vs", "Vfe", "Vno", "Vne"}) a.set(100, v, "0");
  a.set(100, "instrument in panel location 4", "0");
  a.set(100, "instrument in panel location 8", "0");
  a.at(103, 2) = "N4415_Re1.afl";  // a tail rotor
  a.set(103, "numblades", "2");
  a.set(103, "semilen ft", "2");
  a.set(103, "Croot ft", "0.3");
  a.set(103, "Ctip ft", "0.3");
  a.lines[a.find(103, "els")] = "2 els";
  a.lines[a.find(103, "incidences")] = "8 8 incidences";
  EXPECT_EQ(load_fatal(a), "(no fatal)");
  EXPECT_TRUE(have_this_part(1));
  EXPECT_NEAR(msc.est_Vs, 50 * 0.514444f, 1e-3f);
  EXPECT_EQ(pln.collectEQ, 1);
  EXPECT_TRUE(contains(geo_report_text(), "The tail rotor DISC AREA"));
}

TEST_F(GeometryTest, BiplaneAndCrankedWings) {
  // A second wing 5 ft below the first: a biplane.
  for (int cp : {108, 109}) {
    a.at(cp, 2) = "N2412_Re3.afl";
    a.set(cp, "semilen ft", "18.04");
    a.set(cp, "Croot ft", "5.4");
    a.set(cp, "Ctip ft", "4.25");
    a.set(cp, "xarm ft", "6.57");
    a.set(cp, "zarm ft", "-2.4");
    plain_elements(a, cp, 8);
  }
  load(a);
  float h = 5.0f / 36.08f;
  float sg = 0.9962f - 4.896f * h + 17.98f * h * h - 37.8f * h * h * h + 31.0f * h * h * h * h;
  EXPECT_NEAR(pln.e[5], fltlim(2 / (2 + 2 * sg), 0.5f, 1), 1e-4f);
  EXPECT_NEAR(pln.e[7], pln.e[5], 1e-6f);

  // Wing 2 continuing from wing 1's tip: one cranked wing of both lengths.
  Acf b = shipped("Trainer");
  for (int cp : {106, 107}) {
    b.set(cp, "dihed", "0");
    b.set(cp, "semilen ft", "10");
    b.set(cp, "Ctip ft", "4.5");
  }
  for (int cp : {108, 109}) {
    b.at(cp, 2) = "N2412_Re3.afl";
    b.set(cp, "semilen ft", "8");
    b.set(cp, "Croot ft", "4.5");
    b.set(cp, "Ctip ft", "3.5");
    b.set(cp, "xarm ft", "6.57");
    b.set(cp, "zarm ft", "2.6");
    plain_elements(b, cp, 4);
  }
  b.set(109, "yarm ft", "10");
  b.set(108, "yarm ft", "-10");
  load(b);
  float ar = 2 * 18.0f / ((5.4f + 3.5f) / 2);
  EXPECT_NEAR(pln.AR[5], ar, 1e-3f);
  EXPECT_NEAR(pln.AR[7], ar, 1e-3f);
}

TEST_F(GeometryTest, SlatsSpreadTheStallAngle) {
  a.lines[a.find(107, "slat")] = "1 1 1 1 1 1 1 1 slat";  // right wing 1
  a.set(115, "slat increment deg", "6");
  load(a);
  EXPECT_EQ(pln.slatEQ, 1);
  EXPECT_NEAR(pln.slat_effect[5], (pln.alpha_max[5] + 6) / pln.alpha_max[5], 1e-5f);
  EXPECT_FLOAT_EQ(pln.slat_effect[4], 1);
  EXPECT_TRUE(contains(geo_report_text(), "For right wing #1:"));
}

TEST(ArmFunctions, ElementPositionsFollowSweepAndDihedralAndABrokenSurfaceIsGone) {
  clear_records();
  init_constants();
  pln.semilen[4] = 8;
  pln.els[4] = 4;
  pln.xarm[4] = 1;
  pln.yarm[4] = 0.5f;
  pln.zarm[4] = -1;
  pln.sweepnow[4] = 30;
  pln.dihed[4] = 10;
  EXPECT_FLOAT_EQ(get_wing_rarm(4, 0), 1);
  EXPECT_FLOAT_EQ(get_wing_rarm(4, 3), 7);
  EXPECT_NEAR(get_wing_xarm(4, 2), 1 + 2 * 0.5f, 1e-5f);
  EXPECT_NEAR(get_wing_yarm(4, 2), 0.5f - std::cos(10 * PI / 180) * std::cos(30 * PI / 180) * 2, 1e-5f);
  EXPECT_NEAR(get_wing_zarm(4, 2), -1 + std::sin(10 * PI / 180) * std::cos(30 * PI / 180) * 2, 1e-5f);
  // A surface broken off by overspeed is gone.
  pln.semilen[5] = 5; pln.Croot[5] = 1;
  pln.fwd_foil = 5;
  EXPECT_TRUE(have_this_part(5));
  flt.over_vne = 1;
  EXPECT_FALSE(have_this_part(5));
}

}  // namespace
