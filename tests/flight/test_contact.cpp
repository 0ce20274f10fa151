// Ground and water contact: the terrain under a point, the spring and damper,
// friction and brakes by the runway's state, steering, skids, a hull panel,
// and an aircraft parked on the runway.
#include "tests/flight/flight_fixture.h"
#include "sim/world/terrain.h"

namespace {
using flight::FlightTest;

class Contact : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    env.over_carr = env.over_boat = env.over_obs = 0;
    atm.rway_fric_code = 1;
    atm.temp_SL = 59;
    set.parkbrake = 0;
    set.eq_toebrakes = 0;
    set.toe_brake[0] = set.toe_brake[1] = 0;
    set.YK_roll = set.YK_hdng = 0;
    set.eq_ped = 0;
    set.joy_rat_hdng = 1;
  }
  static void level_ground(float z) {
    for (auto& row : planez)
      for (float& h : row) h = z;
  }
  // Level attitude, heading 0, moving at (ve, vn, vu); the point at height
  // arms zarm pressed d metres into level ground at 0.
  static void press(float zarm, float d, float ve = 0, float vn = 0, float vu = 0) {
    level_ground(0);
    flt.psi = flt.the = flt.phi = 0;
    flt.the180 = flt.psi180 = flt.phi180 = 0;
    refresh_trig();
    flt.z = flt.h = -zarm - d;
    flt.vx = ve;
    flt.vy = vn;
    flt.vz = vu;
    flt.vu = vu;
    flt.v = std::sqrt(ve * ve + vn * vn + vu * vu);
    flt.P = flt.Q = flt.R = flt.Prad = flt.Qrad = flt.Rrad = 0;
    flt.cosBeta = 1;
    clear_sums();
  }
  static void clear_sums() {
    flt.faxilgear = flt.fsidegear = flt.fnrmlgear = 0;
    flt.L = flt.M = flt.N = 0;
    flt.onsurface = 0;
    flt.gearf[0] = flt.gearf[1] = flt.gearf[2] = 0;
  }
  // The braking force of a main wheel (1 left, 2 right) pressed 0.1 m into the ground, rolling north at v.
  static float wheel_drag(float v, int wheel = 1) {
    press(pln.mgearz, 0.1f, 0, v);
    handle_contact_point(wheel, pln.mgearx, wheel == 1 ? -pln.mgeary : pln.mgeary, pln.mgearz);
    return -flt.faxilgear;
  }
};

// Every point of the mesh is found in the triangle that holds it, at the
// height of that triangle's plane.
TEST_F(Contact, EveryPointOfTheMeshIsFoundOnItsTriangle) {
  plat_srand(3);
  int checked = 0;
  for (int k = 0; k < 3000; k++) {
    int i = intrand(0, GRID_I - 2), j = intrand(0, GRID_J - 2), t = intrand(0, 1);
    int i1, j1, i2, j2, i3, j3;
    convert_ij_dxy(i, j, t, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j]);
    float a = fltrand(0.05f, 0.9f), b = fltrand(0.05f, 0.9f);
    if (a + b > 0.95f) continue;
    float x = planex[i1][j1] + a * (planex[i2][j2] - planex[i1][j1]) + b * (planex[i3][j3] - planex[i1][j1]);
    float y = planey[i1][j1] + a * (planey[i2][j2] - planey[i1][j1]) + b * (planey[i3][j3] - planey[i1][j1]);
    float want = planez[i1][j1] + a * (planez[i2][j2] - planez[i1][j1]) + b * (planez[i3][j3] - planez[i1][j1]);
    float h;
    int fi, fj, ft;
    find_local_h(x, y, &h, &fi, &fj, &ft);
    ASSERT_NEAR(h, want, 0.05f) << "cell " << i << "," << j << " tri " << t;
    EXPECT_LE(std::abs(fi - i) + std::abs(fj - j), 2) << i << "," << j;
    checked++;
  }
  EXPECT_GT(checked, 1200);
}

// Off the mesh no triangle holds the point: the answer is triangle 0 of the
// first-guess cell, found without searching the whole grid.
TEST_F(Contact, APointOffTheMeshGetsItsFirstGuessCell) {
  float h;
  int i, j, t;
  const float far[][2] = {{-1e6f, -1e6f}, {1e7f, 5e6f}, {NAN, 0}, {0, INFINITY}};
  for (auto& p : far) {
    find_local_h(p[0], p[1], &h, &i, &j, &t);
    EXPECT_GE(i, 0);
    EXPECT_LE(i, GRID_I - 2);
    EXPECT_GE(j, 0);
    EXPECT_LE(j, GRID_J - 2);
    EXPECT_EQ(t, 0);
    EXPECT_TRUE(std::isfinite(h));
  }
  // Just past the narrower northern edge, inside the region's bounding box.
  float x = planex[GRID_I - 1][GRID_J - 1] + 20, y = planey[GRID_I - 1][GRID_J - 1] - 5;
  ASSERT_LT(x, planex[GRID_I - 1][0]);
  find_local_h(x, y, &h, &i, &j, &t);
  EXPECT_EQ(t, 0);
  EXPECT_TRUE(std::isfinite(h));
}

TEST_F(Contact, TheSpringCarriesFromTheSurfaceDownAndIsCapped) {
  press(pln.mgearz, 0);
  EXPECT_EQ(handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz), 0);
  EXPECT_EQ(flt.fnrmlgear, 0);
  EXPECT_EQ(flt.onsurface, 0);
  press(pln.mgearz, 0.05f);
  EXPECT_EQ(handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz), 1);
  EXPECT_NEAR(flt.fnrmlgear, pln.mgearcon * 0.05f, 1e-2f);
  EXPECT_EQ(flt.gearf[1], flt.fnrmlgear);
  EXPECT_EQ(flt.onsurface, 1);
  // A hard touch-down is capped at five times the maximum weight.
  press(pln.mgearz, 0.3f, 0, 0, -30);
  handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz);
  EXPECT_NEAR(flt.fnrmlgear, 5 * pln.m_max * con.g, 1);
}

// Below 1 m/s every friction force scales with the ground speed; at a
// standstill it is zero; rolling backwards turns it round.
TEST_F(Contact, FrictionRampsUpToOneMetreASecondAndTurnsRoundBackwards) {
  set.parkbrake = 1;
  float full = wheel_drag(5);
  EXPECT_NEAR(full, 0.9f * pln.mgearcon * 0.1f, 1);
  EXPECT_NEAR(wheel_drag(0.5f), 0.5f * full, 1);
  EXPECT_EQ(wheel_drag(0), 0);
  EXPECT_NEAR(wheel_drag(-3), -full, 1);  // rolling tail first: the force points forward
  set.parkbrake = 0;
  EXPECT_NEAR(wheel_drag(5), 0.04f * pln.mgearcon * 0.1f, 0.5f);  // rolling only
}

TEST_F(Contact, WetAndIcyRunwaysBrakeLess) {
  set.parkbrake = 1;
  float dry = wheel_drag(5);
  struct c {
    int code;
    float temp, factor;
  } cases[] = {{2, 50, 0.8f}, {2, 20, 0.4f}, {3, 50, 0.4f}, {3, 20, 0.2f}, {1, 20, 1}};
  for (const c& k : cases) {
    atm.rway_fric_code = k.code;
    atm.temp_SL = k.temp;
    EXPECT_NEAR(wheel_drag(5), k.factor * dry, 1) << k.code << " " << k.temp;
  }
}

// Toe brakes brake their own wheel; without them or a steerable nose wheel
// the pilot steers with the brakes.
TEST_F(Contact, ToeBrakesAndSteeringByBrakesActOnOneWheel) {
  set.eq_toebrakes = 1;
  set.toe_brake[0] = 1;
  EXPECT_NEAR(wheel_drag(5, 1), 0.9f * pln.mgearcon * 0.1f, 1);
  EXPECT_NEAR(wheel_drag(5, 2), 0.04f * pln.mgearcon * 0.1f, 0.5f);
  set.eq_toebrakes = 0;
  set.toe_brake[0] = 0;
  pln.nwsteerEQ = 0;
  set.YK_roll = 1;  // right
  EXPECT_GT(wheel_drag(5, 2), 5 * wheel_drag(5, 1));
  // and the free nose wheel casters: no side force in a skid
  press(pln.ngearz, 0.1f, 2, 5);
  handle_contact_point(0, pln.ngearx, 0, pln.ngearz);
  EXPECT_EQ(flt.fsidegear, 0);
}

TEST_F(Contact, TheNoseWheelSteersTheYawRate) {
  ASSERT_TRUE(pln.nwsteerEQ);
  for (float s : {0.3f, -0.3f}) {
    press(pln.ngearz, 0.1f, 0, 10);
    flt.cosBeta = 1;
    set.YK_roll = s;
    handle_contact_point(0, pln.ngearx, 0, pln.ngearz);
    float gv = fltlim(interp(0, 5, 20, 1, 10), 1, 5);
    EXPECT_NEAR(flt.R, 10 * gv * s * pln.nwsteer / (pln.mgearx - pln.ngearx), 1e-3f);
    EXPECT_NEAR(flt.Rrad, flt.R * con.degtorad, 1e-6f);
  }
  // With pedals fitted the pedals steer, not the stick.
  set.eq_ped = 1;
  set.YK_roll = 1;
  set.YK_hdng = 0;
  press(pln.ngearz, 0.1f, 0, 10);
  handle_contact_point(0, pln.ngearx, 0, pln.ngearz);
  EXPECT_EQ(flt.R, 0);
}

TEST_F(Contact, SkidsStopTheYaw) {
  press(-1, 0.1f, 0, 3);
  flt.R = 20;
  flt.Rdot = 40;
  msc.prd = 0.025f;
  handle_contact_point(3, 0, -1, -1);
  EXPECT_NEAR(flt.R, -1, 1e-5f);
}

// A deck, a roof and a boat give the surface instead of the terrain.
TEST_F(Contact, DecksAndRoofsCarryTheWheels) {
  press(pln.mgearz, -10);  // 10 m above the terrain
  env.over_obs = 1;
  env.obsz = 10.1f;
  EXPECT_EQ(handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz), 1);
  EXPECT_NEAR(flt.fnrmlgear, pln.mgearcon * 0.1f, 1);
  env.over_obs = 0;
  env.over_carr = 1;
  env.carrz = 9.9f;
  clear_sums();
  EXPECT_EQ(handle_contact_point(1, pln.mgearx, -pln.mgeary, pln.mgearz), 0);
}

// A hull panel edge-on to the flow (no length along the flight path) plans no
// force rather than an infinite one.
TEST_F(Contact, AHullPanelWithoutLengthGivesFiniteForces) {
  pln.body_x[12][3][4] = pln.body_x[12][2][4] = pln.body_x[12][4][4] = 1;
  pln.body_z[12][2][4] = pln.body_z[12][4][4] = pln.body_z[12][3][4];
  flt.the = 0;
  refresh_trig();
  flt.z = flt.h = -5;
  env.localh = 0;
  flt.vaxial = 20;
  flt.vu = -1;
  clear_sums();
  handle_float_point(12, 3, 4, 0, 0, 0);
  EXPECT_TRUE(std::isfinite(flt.fnrmlgear));
  EXPECT_TRUE(std::isfinite(flt.faxilgear));
  EXPECT_TRUE(std::isfinite(flt.M));
  EXPECT_EQ(flt.onsurface, 1);
}

// Parked on the runway, engine idle, brakes set: for a minute the aircraft
// neither sinks nor rocks.
TEST_F(Contact, AParkedAircraftStaysWhereItIs) {
  msc.typestart = 900;
  set_fltvars(10);
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0;
  msc.prd = 0.05f;
  msc.evup = evup_for_step(msc.prd);
  for (int k = 0; k < 100; k++) frame();  // the first five seconds settle the springs
  double z0 = flt.z;
  float the0 = flt.the180;
  float zlo = 1e9f, zhi = -1e9f, tlo = 1e9f, thi = -1e9f;
  for (int k = 0; k < 1200; k++) {
    frame();
    zlo = fltmin2(zlo, (float)flt.z);
    zhi = fltmax2(zhi, (float)flt.z);
    tlo = fltmin2(tlo, flt.the180);
    thi = fltmax2(thi, flt.the180);
    ASSERT_EQ(flt.onsurface, 1) << k;
  }
  EXPECT_LT(std::fabs(zlo - z0), 0.05);
  EXPECT_LT(std::fabs(zhi - z0), 0.05);
  EXPECT_LT(std::fabs(tlo - the0), 0.5f);
  EXPECT_LT(std::fabs(thi - the0), 0.5f);
  EXPECT_NEAR(flt.z - (env.localh + pln.h_eqlbm), 0, 0.3);  // resting near its equilibrium height
}

}  // namespace
