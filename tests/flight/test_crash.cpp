// Crashes: the impact tests of the force assembly, what the user is told, and
// the new flight on the runway.
#include "sim/shell/crash.h"
#include "tests/flight/flight_fixture.h"
#include "sim/world/terrain.h"

namespace {
using flight::FlightTest;

class Crash : public FlightTest {
 protected:
  double run_x, run_y;
  void SetUp() override {
    FlightTest::SetUp();
    msc.typestart = 900;
    set_fltvars(10);
    run_x = flt.x;
    run_y = flt.y;
    msc.ice = 0;
    rel.vacuum = 1;
  }
  // Somewhere else, banked and falling.
  void elsewhere() {
    flt.x += 3000;
    flt.y -= 2000;
    flt.z += 100;
    flt.phi = 40;
    flt.vz = -15;
  }
};

TEST_F(Crash, ACrashRestartsOnTheRunwayTellingOnlyOfIceAndFailures) {
  int before = crash_count();
  elsewhere();
  bendmetal(0);
  EXPECT_EQ(crash_count(), before + 1);
  EXPECT_EQ(desk_alert_count(), 0);
  EXPECT_NEAR(flt.x, run_x, 0.01);
  EXPECT_NEAR(flt.y, run_y, 0.01);
  EXPECT_EQ(flt.phi, 0);
  EXPECT_NEAR(flt.vz, 0, 0.2);
  EXPECT_EQ(msc.typestart, 900);
  // Ice is explained before a vacuum failure; the new flight has everything working.
  msc.ice = 0.02f;
  rel.vacuum = 0;
  elsewhere();
  bendmetal(1);  // the severe picture
  EXPECT_EQ(crash_count(), before + 2);
  EXPECT_NEAR(flt.x, run_x, 0.01);
  ASSERT_EQ(desk_alert_count(), 2);
  EXPECT_NE(std::string(desk_alert_text(0)).find("The aircraft was carrying ice at time of impact."),
            std::string::npos);
  EXPECT_NE(std::string(desk_alert_text(1)).find("Your vacuum system had failed before impact."), std::string::npos);
  EXPECT_EQ(rel.vacuum, 1);
}

// A step that leaves the state infinite or NaN is recorded by the flight model
// and handled like a crash: a new flight on the runway, and the user is told.
TEST_F(Crash, ANonFiniteStateResetsToTheRunwayWithAnAlert) {
  int before = crash_count();
  elsewhere();
  flt.vx = std::nan("");
  deg2integ();
  EXPECT_EQ(flt.nonfinite, 1);
  handle_crash();
  EXPECT_EQ(crash_count(), before + 1);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_NE(std::string(desk_alert_text(0)).find("The flight starts again on the runway."), std::string::npos);
  EXPECT_EQ(flt.nonfinite, 0);
  EXPECT_NEAR(flt.x, run_x, 0.01);
  EXPECT_NEAR(flt.y, run_y, 0.01);
  EXPECT_TRUE(std::isfinite(flt.vx) && std::isfinite(flt.the) && std::isfinite(flt.Alpha));

  // Damping far beyond its slider (as a preferences file of 1e12 held) blows
  // the rates up within a step; the state is caught, never flown on.
  set.damp = 1e12f;
  flt.Q = 5;
  for (int k = 0; k < 5 && !flt.nonfinite; k++) deg2integ();
  EXPECT_EQ(flt.nonfinite, 1);
  set.damp = 0;
  handle_crash();
  EXPECT_EQ(crash_count(), before + 2);
  for (int k = 0; k < 40; k++) {
    deg2integ();
    ASSERT_EQ(flt.nonfinite, 0) << k;
  }
  EXPECT_TRUE(std::isfinite(flt.x) && std::isfinite(flt.z));
}

// On the surface, a sink rate beyond 10 m/s or a bank beyond 90 degrees ends
// the flight.
TEST_F(Crash, HardImpactsAndRollOversEndTheFlight) {
  struct c {
    float vz, phi;
    int crash;
  } cases[] = {{-25, 0, 1}, {-12, 0, 1}, {-8, 0, 0}, {-1, 120, 1}, {-1, 60, 0}};
  for (const c& k : cases) {
    msc.typestart = 900;
    set_fltvars(10);
    int before = crash_count();
    flt.z -= 0.2;  // the wheels in the ground
    flt.h = (float)flt.z;
    flt.vz = k.vz;
    flt.phi = k.phi;
    find_local_h((float)flt.x, (float)flt.y, &env.localh, &env.i_aircraft, &env.j_aircraft, &env.t_aircraft);
    set_air_data();
    set_a1();
    set_a2();
    handle_crash();
    EXPECT_EQ(crash_count() - before, k.crash) << k.vz << " " << k.phi;
  }
}

}  // namespace
