// Element aerodynamics: table lookup, control effectiveness, the Mach and
// ground-effect corrections, and a wing's lift slope against lifting-line theory.
#include "tests/flight/flight_fixture.h"

namespace {
using flight::FlightTest;

class Aero : public FlightTest {
 protected:
  // Part 4 as a made-up airfoil whose every table entry can be told apart.
  void synthetic_foil() {
    for (int k = 0; k < AFL_LIFT; k++) {
      afl.clpos[4][0][0][k] = 1.0f + 0.01f * k;
      afl.clneg[4][0][0][k] = -(1.0f + 0.01f * k);
    }
    for (int k = 0; k < AFL_DRAG; k++) {
      afl.cdpos[4][0][0][k] = 0.01f + 0.001f * k;
      afl.cdneg[4][0][0][k] = 0.02f + 0.001f * k;
    }
    afl.clM[4][0][0] = 0.1f;
    afl.clB[4][0][0] = 0.2f;
    afl.al_zl[4][0][0] = -2.0f;
    afl.cmal2[4][0][0] = -4;
    afl.cmal3[4][0][0] = 8;
    afl.cm1[4][0][0] = 0.1f;
    afl.cm2[4][0][0] = -0.05f;
    afl.cm3[4][0][0] = -0.08f;
    afl.cm4[4][0][0] = -0.12f;
    pln.al_D_al0[4] = 1;
    for (int e = 0; e < ELEMENTS; e++) pln.slat[4][e] = 0;
    flt.alpha_max[4] = 15;
  }
  void foil(float alpha, float* cl, float* cd, float* cm) { anyfoil(alpha, cl, cd, cm, 4, 0, 0, 0); }
};

TEST_F(Aero, LiftIsTheLineBelowTenDegreesAndTheTableFromTen) {
  synthetic_foil();
  float cl, cd, cm;
  foil(9.99f, &cl, &cd, &cm);
  EXPECT_NEAR(cl, 0.2f + 0.1f * 9.99f, 1e-5f);
  EXPECT_NEAR(cd, 0.01f + 0.001f * 99.9f, 1e-5f);  // drag between entries 99 and 100
  foil(10.0f, &cl, &cd, &cm);
  EXPECT_FLOAT_EQ(cl, 1.0f);  // lift entry 0
  EXPECT_NEAR(cd, 0.11f, 1e-6f);
  foil(-10.0f, &cl, &cd, &cm);
  EXPECT_FLOAT_EQ(cl, -1.0f);
  EXPECT_NEAR(cd, 0.12f, 1e-6f);
  // Beyond 20 degrees the grid is one degree a step.
  foil(25.5f, &cl, &cd, &cm);
  EXPECT_NEAR(cd, 0.01f + 0.001f * 205.5f, 1e-5f);
  EXPECT_NEAR(cl, 1.0f + 0.01f * 105.5f, 1e-5f);
}

// The moment follows its lines out to (90, -0.32); from 90 degrees on, and
// at a NaN angle, the last entries stand instead of an index out of the table.
TEST_F(Aero, MomentLinesAndTheLastEntriesFromNinetyDegrees) {
  synthetic_foil();
  float cl, cd, cm, cl2, cd2, cm2;
  foil(2.0f, &cl, &cd, &cm);
  EXPECT_NEAR(cm, interp(-4, -0.05f, 8, -0.08f, 2.0f), 1e-6f);
  foil(-55.0f, &cl, &cd, &cm);
  EXPECT_NEAR(cm, interp(-90, 0.32f, -20, 0.1f, -55.0f), 1e-6f);
  foil(90.0f, &cl, &cd, &cm);
  foil(170.0f, &cl2, &cd2, &cm2);
  EXPECT_NEAR(cl, 0.01f * (1.0f + 0.01f * 169) + 0.99f * (1.0f + 0.01f * 170), 1e-4f);
  EXPECT_FLOAT_EQ(cl, cl2);
  EXPECT_FLOAT_EQ(cd, cd2);
  EXPECT_NEAR(cm, -0.32f, 1e-5f);
  foil(std::nanf(""), &cl, &cd, &cm);
  EXPECT_TRUE(std::isfinite(cd));
}

// An airfoil whose lift line is flat has no zero-lift angle (-clB / clM is
// infinite); its coefficients stay numbers.
TEST_F(Aero, AFlatLiftLineGivesFiniteCoefficients) {
  synthetic_foil();
  afl.clM[4][0][0] = 0;
  afl.clB[4][0][0] = 0.3f;
  afl.al_zl[4][0][0] = -INFINITY;
  float cl, cd, cm;
  foil(4.0f, &cl, &cd, &cm);
  EXPECT_FLOAT_EQ(cl, 0.3f);
  EXPECT_NEAR(cd, 0.05f, 1e-5f);
  EXPECT_TRUE(std::isfinite(cm));
}

TEST_F(Aero, FiniteWingAndSlatsStretchTheAngleAndTheStallFlagFollows) {
  synthetic_foil();
  float cl, cd, cm;
  pln.al_D_al0[4] = 0.5f;
  foil(6.0f, &cl, &cd, &cm);  // -2 + 0.5 (6 + 2) = 2 degrees
  EXPECT_NEAR(cl, 0.2f + 0.1f * 2.0f, 1e-5f);
  pln.al_D_al0[4] = 1;
  pln.slat[4][0] = 1;
  flt.slat_effect[4] = 1.25f;
  foil(8.0f, &cl, &cd, &cm);  // -2 + 10 / 1.25 = 6 degrees, lift times 1.25
  EXPECT_NEAR(cl, (0.2f + 0.1f * 6.0f) * 1.25f, 1e-5f);
  EXPECT_EQ(flt.stalled[4], 0);
  foil(30.0f, &cl, &cd, &cm);
  EXPECT_EQ(flt.stalled[4], 1);
  foil(-30.0f, &cl, &cd, &cm);  // only the positive side stalls
  EXPECT_EQ(flt.stalled[4], 0);
}

// Hand-worked: at chord ratio 0.25 the lift change is 0.0481808 a degree.
TEST_F(Aero, ControlIncrementsByTypeDeflectionAndState) {
  const float k = 0.0481808f;
  struct {
    int type, stalled, smooth;
    float defl, cl, cd, cm;  // NaN: not checked
  } cases[] = {{12, 0, 0, 10, -10 * k, 0.03f, 0.301130f},   // aileron
               {12, 0, 0, 25, -25 * k * 0.77f, NAN, NAN},   // loss 0.77 between 20 and 30 degrees
               {12, 0, 0, -70, 70 * k * 0.5f, 0.21f, NAN},  // half beyond 60 degrees
               {13, 0, 0, 10, -20 * k, 0.06f, 0.150565f},   // spoiler
               {14, 0, 0, 10, -5 * k, 0.06f, 0},            // speedbrake
               {15, 0, 0, 10, 0, 0.12f, 0},                 // drag rudder
               {13, 0, 0, 0, 0, 0, 0},                      // no deflection, nothing at all
               {15, 0, 0, 0, 0, 0, 0},
               {12, 1, 0, 10, -10 * k * 0.2f, NAN, NAN},    // a fifth on a stalled part
               {12, 0, 1, 10, -10 * k * 0.7f, NAN, NAN},    // by the surface's finish
               {12, 0, 2, 10, -10 * k * 0.85f, 0.03f, NAN}};  // which changes lift only
  for (const auto& c : cases) {
    float cl, cd, cm;
    flt.stalled[4] = c.stalled;
    pln.con_smooth = c.smooth;
    set_con_eff(4, c.type, 0.25f, c.defl, &cl, &cd, &cm, "control");
    EXPECT_NEAR(cl, c.cl, 5e-5f) << c.type << " " << c.defl;
    if (!std::isnan(c.cd)) { EXPECT_NEAR(cd, c.cd, 1e-5f) << c.type << " " << c.defl; }
    if (!std::isnan(c.cm)) { EXPECT_NEAR(cm, c.cm, 2e-5f) << c.type << " " << c.defl; }
  }
}

TEST_F(Aero, InducedAngleOfALiftChange) {
  pln.AR[4] = 8;
  flt.machno = 0.5f;
  EXPECT_NEAR(induce_alpha(0.5f, 4), 1.139865f, 1e-4f);
  flt.machno = 1.0f;
  EXPECT_NEAR(induce_alpha(0.5f, 4), 1.139865f, 1e-4f);
  flt.machno = 1.01f;
  EXPECT_EQ(induce_alpha(0.5f, 4), 0.0f);
  flt.machno = 0.3f;
  pln.AR[4] = 1;  // held at 2 and 20
  EXPECT_NEAR(induce_alpha(0.5f, 4), 0.5f / (2 * con.pi) * con.radtodeg, 1e-4f);
  pln.AR[4] = 40;
  EXPECT_NEAR(induce_alpha(0.5f, 4), 0.5f / (20 * con.pi) * con.radtodeg, 1e-4f);
}

class Element : public Aero {
 protected:
  // Element 0 of part 4 on the synthetic airfoil, as a surface without finite-wing change.
  void plain_element(float alpha, float v) {
    synthetic_foil();
    pln.diffRe[4] = pln.diffRT[4] = 0;
    pln.cl_D_cl0[4] = pln.cm_D_cm0[4] = 1;
    pln.AR[4] = 8;
    pln.e[4] = 0.9f;
    pln.delta_fac[4] = 0;
    pln.is_heli = 0;
    pln.s[4][0] = 2;
    pln.mac[4][0] = 1.5f;
    flt.CLgrndeffect[4] = flt.CDIgrndeffect[4] = 1;
    flt.alpha[4][0] = alpha;
    flt.v_el[4][0] = v;
    flt.deldir[4][0] = 0;
    flt.machno = 0.1f;
    msc.ice = 0;
    atm.rho = 1.2f;
    atm.a = 340;
  }
  void coeffs(float* cl, float* cd, float* cm) { Fco_subsonic(0, 0, 0, cl, cd, cm, 4, 0); }
};

TEST_F(Element, PrandtlGlauertIsHeldAtItsMachPointEightValue) {
  float cl, cd, cm;
  plain_element(2.0f, 0.5f * 340);
  coeffs(&cl, &cd, &cm);
  EXPECT_NEAR(cl, 0.4f / std::sqrt(0.75f), 1e-4f);
  plain_element(2.0f, 0.8f * 340);
  coeffs(&cl, &cd, &cm);
  float at_08 = cl;
  EXPECT_NEAR(cl, 0.4f / 0.6f, 1e-4f);  // 1.667 times the section lift
  plain_element(2.0f, 0.95f * 340);
  coeffs(&cl, &cd, &cm);
  EXPECT_FLOAT_EQ(cl, at_08);
  // Drag divergence from Mach 0.7 - 0.2 cl: the held Mach number sets the rise.
  float mdd = 0.7f - 0.2f * cl;
  float cdi = (0.4f * 0.4f) / (8 * 0.9f * con.pi);
  EXPECT_NEAR(cd, 0.01f + 0.001f * 20 + cdi + 2.5f * (0.8f - mdd) * (0.8f - mdd), 1e-4f);
}

TEST_F(Element, GroundEffectActsOnLiftingWingsOnlyAndIceWorsensBoth) {
  float cl, cd, cm;
  plain_element(2.0f, 50);
  flt.CLgrndeffect[4] = 1.2f;
  flt.CDIgrndeffect[4] = 0.5f;
  coeffs(&cl, &cd, &cm);
  float pg = 1 / std::sqrt(1 - (50 / 340.0f) * (50 / 340.0f));
  float cdi = 0.16f / (8 * 0.9f * con.pi);
  EXPECT_NEAR(cl, 0.4f * 1.2f * pg, 1e-4f);
  EXPECT_NEAR(cd, 0.03f + cdi * 0.5f, 1e-5f);
  plain_element(-6.0f, 50);  // cl = 0.2 - 0.6 < 0: no ground effect
  flt.CLgrndeffect[4] = 1.2f;
  coeffs(&cl, &cd, &cm);
  EXPECT_NEAR(cl, -0.4f * pg, 1e-4f);
  plain_element(2.0f, 50);
  msc.ice = 0.5f;
  coeffs(&cl, &cd, &cm);
  EXPECT_NEAR(cl, 0.4f * pg / 1.25f, 1e-4f);
  EXPECT_NEAR(cd, (0.03f + cdi) * 3.0f, 1e-4f);
}

TEST_F(Element, ZeroSpeedGivesNoForceAndTheLowReynoldsAirfoil) {
  plain_element(4.0f, 0);
  pln.diffRe[4] = 1;
  pln.Re[4][0][0] = 3;
  pln.Re[4][0][1] = 6;
  for (int k = 0; k < AFL_DRAG; k++) afl.cdpos[4][1][0][k] = 0.5f;
  afl.clM[4][1][0] = 0.2f;
  afl.clB[4][1][0] = 0;
  afl.al_zl[4][1][0] = 0;
  float lift = 1, drag = 1, momt = 1;
  float cl = F_el_force(0, 0, 0, &lift, &drag, &momt, 4, 0);
  EXPECT_EQ(lift, 0.0f);
  EXPECT_EQ(drag, 0.0f);
  EXPECT_EQ(momt, 0.0f);
  EXPECT_NEAR(cl, 0.2f + 0.1f * 4, 1e-5f);  // Reynolds 0 is held at the low file's 3 million
  // Halfway in Reynolds number, halfway between the two airfoils.
  float v = 4.5e6f * con.muair / (1.5f * 1.2f);
  plain_element(4.0f, v);
  pln.diffRe[4] = 1;
  float cd, cm;
  Fco_subsonic(0, 0, 0, &cl, &cd, &cm, 4, 0);
  float pg = 1 / std::sqrt(1 - (v / 340) * (v / 340));
  EXPECT_NEAR(cl / pg, 0.5f * (0.6f + 0.8f), 2e-3f);
}

TEST_F(Element, TipAirfoilBlendsAcrossTheSpan) {
  plain_element(4.0f, 40);
  pln.diffRT[4] = 1;
  pln.els[4] = 4;
  afl.clM[4][0][1] = 0.1f;
  afl.clB[4][0][1] = 0.6f;  // the tip lifts 0.4 more
  afl.al_zl[4][0][1] = -6;
  for (int k = 0; k < AFL_DRAG; k++) afl.cdpos[4][0][1][k] = afl.cdpos[4][0][0][k];
  float cl[4], cd, cm;
  for (int e = 0; e < 4; e++) {
    flt.alpha[4][e] = 4.0f;
    flt.v_el[4][e] = 40;
    Fco_subsonic(0, 0, 0, &cl[e], &cd, &cm, 4, e);
  }
  float pg = 1 / std::sqrt(1 - (40 / 340.0f) * (40 / 340.0f));
  EXPECT_NEAR(cl[0] / pg, 0.6f + 0.4f * 0.5f / 4, 1e-4f);
  EXPECT_NEAR(cl[3] / pg, 0.6f + 0.4f * 3.5f / 4, 1e-4f);
}

TEST_F(Element, MachOneIsSupersonicWithTheMachNumberRaisedToOnePointOne) {
  plain_element(3.0f, 340);
  pln.AR[4] = 3;  // 4 degree wedge
  float l1, d1, m1, l2, d2, m2;
  flt.machno = 1.0f;
  float cl1 = F_el_force(0.01f, 0.002f, 0.003f, &l1, &d1, &m1, 4, 0);
  flt.machno = 1.1f;
  float cl2 = F_el_force(0.01f, 0.002f, 0.003f, &l2, &d2, &m2, 4, 0);
  EXPECT_FLOAT_EQ(cl1, cl2);
  EXPECT_FLOAT_EQ(d1, d2);
  // Four flat panels at 3 -/+ 4 degrees in a Mach 1.1 flow.
  float b = std::sqrt(1.1f * 1.1f - 1), cl = 0, cd = 0;
  for (float a : {-1.0f, 7.0f, 7.0f, -1.0f}) {
    float r = a * con.degtorad;
    cl += 2 * r / b * std::cos(r) * 0.5f;
    cd += 2 * r / b * std::sin(r) * 0.5f;
  }
  EXPECT_NEAR(cl1, cl + 0.01f, 1e-5f);
  float q = 2 * 340 * 340 * 1.2f * 0.5f;
  EXPECT_NEAR(d1 / q, cd + 0.0005f + 0.002f, 1e-5f);
  EXPECT_NEAR(m1 / (q * 1.5f), -0.25f * cl + 0.003f, 1e-5f);
  flt.machno = 0.99f;
  float cl3 = F_el_force(0.01f, 0.002f, 0.003f, &l2, &d2, &m2, 4, 0);
  EXPECT_GT(std::fabs(cl3 - cl1), 0.1f);
}

TEST_F(Aero, GroundEffectFactorsFromHeightInSemispans) {
  pln.is_heli = 0;
  pln.semilen[4] = 5;
  pln.zarm[4] = 0;
  pln.xarm[4] = 0;
  pln.AR[4] = 7.5f;
  flt.h = 102.5f;
  env.localh = 100;
  flt.the = 0;
  refresh_trig();
  set_slat_and_grndeffect();  // half a semispan up
  EXPECT_NEAR(flt.CDIgrndeffect[4], 16.0f / 17.0f, 1e-5f);
  EXPECT_NEAR(flt.CLgrndeffect[4], 1 + 3 * (1.091867f - 1) / 7.5f, 1e-5f);
  flt.h = 95;  // below the ground counts as a tenth of a semispan
  set_slat_and_grndeffect();
  EXPECT_NEAR(flt.CDIgrndeffect[4], 0.64f / 1.64f, 1e-5f);
  EXPECT_NEAR(flt.CLgrndeffect[4], 1 + 3 * (1.318312f - 1) / 7.5f, 1e-4f);
  flt.h = 10000;
  set_slat_and_grndeffect();
  EXPECT_NEAR(flt.CDIgrndeffect[4], 1.0f, 1e-5f);
  EXPECT_NEAR(flt.CLgrndeffect[4], 1.0f, 1e-5f);
}

// A lone straight wing of the symmetric section: its lift slope against
// a0 / (1 + a0 / (pi AR)) of lifting-line theory.
class LoneWing : public FlightTest {
 protected:
  void make(float semilen_ft, float croot_ft, float ctip_ft) {
    acft::Acf a = trainer();
    a.set(101, "numen", "0");
    for (int part : {106, 107}) {
      a.at(part, 2) = "N0012_Re3.afl";
      a.at(part, 3) = "";
      a.set(part, "diffRe", "0");
      a.set(part, "dihed", "0");
      a.set(part, "semilen ft", std::to_string(semilen_ft));
      a.set(part, "Croot ft", std::to_string(croot_ft));
      a.set(part, "Ctip ft", std::to_string(ctip_ft));
      a.set(part, "zarm ft", "0");
      a.lines[a.find(part, "incidences")] = "0 0 0 0 0 0 0 0 incidences";
    }
    for (int part : {110, 111, 112}) a.set(part, "semilen ft", "0");
    load(a, "LoneWing");
  }
  // The wing's lift coefficient at alpha from its own elements alone.
  float wing_cl(float alpha) {
    fly(1000, 50, alpha, alpha);
    set_a1();
    float q = 0.5f * atm.rho * flt.av * flt.av, s = 0;
    for (int p = 4; p <= 5; p++)
      for (int e = 0; e < pln.els[p]; e++) s += pln.s[p][e];
    return flt.fnrmlaero / (q * s);
  }
};

TEST_F(LoneWing, LiftSlopeAgreesWithLiftingLineTheory) {
  struct shape {
    float semilen, croot, ctip;
  };
  for (shape sh : {shape{20, 5, 5}, shape{18, 6, 3}, shape{15, 6, 4}}) {
    make(sh.semilen, sh.croot, sh.ctip);
    float ar = pln.AR[4];
    float slope = (wing_cl(4) - wing_cl(2)) / (2 * con.degtorad);
    float a0 = afl.clM[4][0][0] * con.radtodeg;
    float theory = a0 / (1 + a0 / (con.pi * ar));
    EXPECT_NEAR(slope / theory, 1.0f, 0.05f) << "AR " << ar << " slope " << slope << " theory " << theory;
    EXPECT_LT(slope, a0);
  }
}

}  // namespace
