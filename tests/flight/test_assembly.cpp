// Force assembly: symmetry, the signs of the stability and control moments,
// the propwash and downwash lookups, the frames the sums are turned through.
#include "sim/flight/forcefeed.h"
#include "tests/flight/flight_fixture.h"
#include "sim/world/terrain.h"

namespace {
using flight::FlightTest;

class Assembly : public FlightTest {
 protected:
  // The trainer without its engine: left and right are mirror images.
  void glider() {
    acft::Acf a = trainer();
    a.set(101, "numen", "0");
    load(a, "Glider");
  }
  // The pilot's commands come in through the stick, here the keyboard's.
  void hands_off() {
    set.MK_ptch = set.MK_roll = set.MK_hdng = 0;
    flt.trim = flt.ail_trim = flt.rud_trim = 0;
    control();
  }
};

TEST_F(Assembly, SymmetricAircraftHasNoRollYawOrSideForceWithoutSideslip) {
  glider();
  hands_off();
  for (float alpha : {-4.0f, 2.0f, 8.0f, 14.0f}) {
    fly(1500, 50, alpha, alpha);
    forces();
    float lift = std::fabs(flt.fnrmlaero), span = pln.semilen[4];
    EXPECT_LT(std::fabs(flt.L), 1e-5f * lift * span) << alpha;
    EXPECT_LT(std::fabs(flt.N), 1e-5f * lift * span) << alpha;
    EXPECT_LT(std::fabs(flt.fsideaero), 1e-5f * lift) << alpha;
    EXPECT_GT(std::fabs(flt.M), 0.0f);  // while the pitching moment is not zero
  }
}

TEST_F(Assembly, WashShareRisesToFullAtItsMiddleAngleAndFallsToNone) {
  pln.lo_washdir[4][0] = -5;
  pln.max_washdir[4][0] = 5;
  pln.hi_washdir[4][0] = 25;
  EXPECT_EQ(wash_share(4, 0, -5.01f), 0.0f);
  EXPECT_FLOAT_EQ(wash_share(4, 0, 0), 0.5f);
  EXPECT_FLOAT_EQ(wash_share(4, 0, 5), 1.0f);  // the edge itself carries the full wash
  EXPECT_NEAR(wash_share(4, 0, 4.999f), 1.0f, 1e-3f);
  EXPECT_NEAR(wash_share(4, 0, 5.001f), 1.0f, 1e-3f);
  EXPECT_FLOAT_EQ(wash_share(4, 0, 20), 0.25f);
  EXPECT_EQ(wash_share(4, 0, 25.01f), 0.0f);
}

TEST_F(Assembly, PropwashSpeedsUpOnlyTheElementsBehindTheDisc) {
  hands_off();
  fly(1500, 40, 2, 2);
  // The wash direction right at the middle angle of wing one's wash band.
  pln.max_washdir[4][0] = pln.max_washdir[5][0] = 0;
  pln.lo_washdir[4][0] = pln.lo_washdir[5][0] = -20;
  pln.hi_washdir[4][0] = pln.hi_washdir[5][0] = 20;
  flt.DVinc[0] = flt.DVinc[1] = 0;
  atm.rho = 0;  // no engine step to change the wash
  set_a1();
  float calm[2][ELEMENTS];
  for (int e = 0; e < ELEMENTS; e++) calm[0][e] = flt.v_el[4][e], calm[1][e] = flt.v_el[8][e];
  flt.DVinc[0] = flt.DVinc[1] = 15;
  set_a1();
  int reached = 0;
  for (int e = 0; e < pln.els[4]; e++) {
    if (pln.in_propwash[4][0][e]) {
      reached++;
      EXPECT_GT(flt.v_el[4][e], calm[0][e] + 7) << e;
    } else {
      EXPECT_FLOAT_EQ(flt.v_el[4][e], calm[0][e]) << e;
    }
  }
  EXPECT_GT(reached, 0);
  EXPECT_LT(reached, pln.els[4]);
}

// The downwash a surface sheds in one sub-step is what the tail takes in the next.
TEST_F(Assembly, DownwashFromTheWingReachesTheTailOneSubStepLater) {
  glider();
  hands_off();
  fly(1500, 50, 4, 4);
  set_a1();
  float first = flt.alpha[8][0];
  // The wing's source: its wash factor times its mean element lift coefficient.
  float mean_cl = 0;
  for (int e = 0; e < pln.els[4]; e++) {
    float cl, cd, cm;
    Fco_subsonic(0, 0, 0, &cl, &cd, &cm, 4, e);
    mean_cl += cl / pln.els[4];
  }
  ASSERT_TRUE(pln.in_wash[4][8][0]);
  ASSERT_FALSE(pln.in_wash[6][8][0]);  // no wing two
  set_a1();
  EXPECT_NEAR(first - flt.alpha[8][0], pln.spec_wash[4] * mean_cl, 1e-3f);
  EXPECT_GT(first - flt.alpha[8][0], 0.5f);
  // The fin takes none.
  float fin = flt.alpha[10][0];
  set_a1();
  EXPECT_FLOAT_EQ(flt.alpha[10][0], fin);
}

TEST_F(Assembly, AsymmetricFlapsStayOnOneSideForTheWholeRun) {
  hands_off();
  fly(1500, 40, 2, 2);
  flt.flap = 30;
  rel.symflp = 1;
  set_a1();
  EXPECT_FLOAT_EQ(flt.alpha[4][0], flt.alpha[5][0]);
  rel.symflp = 0;
  set_a1();
  // The flap's induced angle is on the side that keeps it.
  float split = flt.alpha[4][0] - flt.alpha[5][0];
  EXPECT_GT(std::fabs(split), 0.1f);
  for (int k = 0; k < 5; k++) {
    set_a1();
    EXPECT_NEAR(flt.alpha[4][0] - flt.alpha[5][0], split, 1e-3f);
  }
}

TEST_F(Assembly, AWheelWhoseGearIsUpNeverTouches) {
  hands_off();
  float ground;
  int i, j, t;
  fly(0, 0.01f, 0);
  find_local_h((float)flt.x, (float)flt.y, &ground, &i, &j, &t);
  for (auto& row : on_water)
    for (auto& col : row) col[0] = col[1] = 0;
  env.i_aircraft = i;
  env.j_aircraft = j;
  env.t_aircraft = t;
  flt.z = flt.h = ground + pln.h_eqlbm - 0.05f;  // just below the resting height
  set.fcon_force_rat = 1;
  ff_log_start();
  for (int k = 0; k < 3; k++) set.gear_stat[k] = 0;
  set_a1();
  set_a2();
  for (int k = 0; k < 3; k++) EXPECT_EQ(flt.gearf[k], 0.0f) << k;
  for (int n = 0; n < ff_log_count(); n++) EXPECT_NE(std::string(ff_log_at(n)->name), "_Jolt");
  for (int k = 0; k < 3; k++) set.gear_stat[k] = 1;
  set_a1();
  set_a2();
  for (int k = 0; k < 3; k++) EXPECT_GT(flt.gearf[k], 0.0f) << k;
  EXPECT_EQ(flt.onsurface, 1);
  ASSERT_GT(ff_log_count(), 0);  // touch-down jolts, direction 0, 300 ms
  const ff_call* c = ff_log_at(ff_log_count() - 1);
  EXPECT_STREQ(c->name, "_Jolt");
  EXPECT_EQ(c->a[1], 0);
  EXPECT_EQ(c->a[2], 300);
  ff_log_stop();
}

TEST_F(Assembly, AeroSumsTurnIntoMomentsThroughAlphaAndBeta) {
  auto moments = [](float alpha, float beta, float fa, float fs, float fn, float x, float y, float z) {
    flt.Alpha = alpha;
    flt.Beta = beta;
    refresh_trig();
    flt.L = flt.M = flt.N = 0;
    addFaero(fa, fs, fn, x, y, z);
  };
  moments(0, 0, 0, 0, 100, 2, 0, 0);  // lift behind the centre of gravity: nose down
  EXPECT_NEAR(flt.M, -200, 1e-3f);
  moments(0, 0, 0, 0, 100, 0, 1, 0);  // lift on the right wing: right wing up
  EXPECT_NEAR(flt.L, -100, 1e-3f);
  moments(90, 0, 0, 0, 100, 0, 0, 1);  // at 90 degrees the path normal is the body's forward
  EXPECT_NEAR(flt.M, -100, 1e-3f);
  moments(0, 90, 100, 0, 0, 2, 0, 0);  // sliding sideways the path axis points left: nose right
  EXPECT_NEAR(flt.N, 200, 1e-3f);
  moments(0, 0, 0, 50, 0, 0, 0, 1);  // a side force above the centre: right wing down
  EXPECT_NEAR(flt.L, 50, 1e-3f);
}

// The world frame of the aerodynamic sums is orthonormal whatever the attitude
// and path, with its axial along the air path.
TEST_F(Assembly, AerodynamicFrameIsOrthonormalAlongTheAirPath) {
  const float cases[][5] = {{10, -5, 30, 5, 0}, {200, 40, -20, 15, 4}, {355, -60, 70, -10, -8}, {90, 5, 5, 30, 0}};
  for (auto& c : cases) {
    flt.psi = c[0];
    flt.the = wrap360(c[1] + c[3]);
    flt.phi = wrap360(c[2]);
    flt.ahpath = c[0] + c[4];
    flt.avpath = c[1];
    refresh_trig();
    set_path_roll();
    float v[3][3];
    aero_to_world(1, 0, 0, &v[0][0], &v[0][1], &v[0][2]);
    aero_to_world(0, 1, 0, &v[1][0], &v[1][1], &v[1][2]);
    aero_to_world(0, 0, 1, &v[2][0], &v[2][1], &v[2][2]);
    for (int a = 0; a < 3; a++)
      for (int b = 0; b < 3; b++) {
        float dot = v[a][0] * v[b][0] + v[a][1] * v[b][1] + v[a][2] * v[b][2];
        EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-5f) << c[0] << " " << a << b;
      }
    float ah = flt.ahpath * con.degtorad, av = flt.avpath * con.degtorad;
    EXPECT_NEAR(v[0][0], std::cos(av) * std::sin(ah), 1e-5f);
    EXPECT_NEAR(v[0][1], std::cos(av) * std::cos(ah), 1e-5f);
    EXPECT_NEAR(v[0][2], std::sin(av), 1e-5f);
    // The normal leans the way the wings do.
    EXPECT_GT(v[2][2], 0.0f);
  }
}

// The sums turned into the world keep their size, and ice adds to the mass
// the linear accelerations move and to the inertia, squared, of the angular.
TEST_F(Assembly, IceWeighsOnTheLinearAndTwiceOnTheAngularAccelerations) {
  glider();  // aerodynamic sums only
  hands_off();
  fly(1500, 50, 3, 3, 2);
  for (float ice : {0.0f, 0.5f}) {
    msc.ice = ice;
    forces();
    float k = 1 + ice;
    float sum = std::sqrt(flt.faxilaero * flt.faxilaero + flt.fsideaero * flt.fsideaero + flt.fnrmlaero * flt.fnrmlaero);
    float acc = std::sqrt(flt.ax * flt.ax + flt.ay * flt.ay + (flt.az + atm.g) * (flt.az + atm.g));
    EXPECT_NEAR(acc * flt.m_total * k / sum, 1.0f, 1e-4f) << ice;
    EXPECT_NEAR(flt.Pdot, flt.L / (pln.Jxx_unitmass * flt.m_total * k * k) * con.radtodeg, 1e-3f) << ice;
    EXPECT_NEAR(flt.Qdot, flt.M / (pln.Jyy_unitmass * flt.m_total * k * k) * con.radtodeg, 1e-3f) << ice;
  }
}

TEST_F(Assembly, NoAirNoEngineStepButTheRestStillRuns) {
  hands_off();
  fly(1500, 50, 3, 3);
  flt.DVinc[0] = 7;
  atm.rho = 0;
  forces();
  EXPECT_FLOAT_EQ(flt.DVinc[0], 7.0f);  // the engines were not stepped
  EXPECT_NEAR(flt.az, -atm.g, 1e-4f);   // and with no air there is no lift
  atm_at_height(1500);
  forces();
  EXPECT_LT(flt.DVinc[0], 7.0f);
}

}  // namespace
