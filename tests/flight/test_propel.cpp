// Propulsion: the propeller against the engine, windmilling, the propwash,
// mixture, jets with their spool and reverse, fuel flow, the gauge scales,
// and engine data the laws cannot use.
#include "sim/flight/propel.h"
#include "tests/flight/flight_fixture.h"

namespace {
using flight::FlightTest;

class Propel : public FlightTest {
 protected:
  // The engine turning for a while with the aircraft held at its state.
  static void run_engine(float seconds) {
    msc.prd = 0.025f;
    for (int k = 0; k < (int)(seconds / msc.prd); k++) {
      for (int n = 0; n < ENGINES; n++) flt.thro[n] = flt.throrequest[n];
      set_a1();
    }
  }
  // At speed v (0: standing still), the engine running (or not) at the throttle.
  void engine(float throttle, float v = 50, int running = 1) {
    fly(v ? 1000 : 500, v, 0);
    initpower(throttle);
    flt.eng_running[0] = running;
    atm_at_height(flt.h);
  }
  // The trainer with a jet, running at 80 m/s.
  void jet() {
    acft::Acf a = trainer();
    a.set(101, "entype", "3");
    a.set(101, "tmax lb", "2000");
    a.set(101, "spooltime s", "4");
    a.set(101, "facejet sq ft", "2");
    load(a, "Jet");
    engine(0, 80);
    msc.prd = 0.05f;
  }
};

// Full throttle at a standstill: the propeller comes to a speed below the
// redline where the engine's torque meets the blades' drag, and pushes.
TEST_F(Propel, AtFullThrottleTheRunUpSettlesWhereTorqueMeetsDrag) {
  engine(1, 0);
  run_engine(15);
  float rpm = flt.tac[0] * con.rsctorpm;
  EXPECT_GT(rpm, 2000);
  EXPECT_LT(rpm, 2700);
  EXPECT_NEAR(flt.trq[0], flt.Dtq[0], 0.01f * flt.trq[0]);
  EXPECT_NEAR(flt.power[0], flt.tac[0] * flt.trq[0], 1);
  float lbf = flt.thrust[0] * con.ntntolbs;
  EXPECT_GT(lbf, 450);  // a 160 hp engine on a fixed-pitch propeller
  EXPECT_LT(lbf, 750);
  // At zero airspeed the wash divides by 5 m/s, never by nothing.
  EXPECT_TRUE(std::isfinite(flt.DVinc[0]));
  EXPECT_GT(flt.DVinc[0], 5);
  EXPECT_EQ(flt.DVinc[1], flt.DVinc[0]);  // a single engine's wash also reaches engine 2's surfaces
  for (int k = 0; k < pln.els[0]; k++) EXPECT_TRUE(std::isfinite(flt.ringDVinc[0][k])) << k;
}

TEST_F(Propel, MoreThrottleMoreThrust) {
  float thrust[3];
  const float t[3] = {0, 0.4f, 1};
  for (int i = 0; i < 3; i++) {
    engine(t[i]);
    run_engine(10);
    thrust[i] = flt.thrust[0];
  }
  EXPECT_LT(thrust[0], thrust[1]);
  EXPECT_LT(thrust[1], thrust[2]);
  EXPECT_LT(thrust[0], 100);  // idle hardly pulls in flight
}

// A stopped engine still turns in the airflow: the blades drive it against
// its friction.
TEST_F(Propel, AStoppedEngineWindmills) {
  engine(0, 50, 0);
  ASSERT_EQ(flt.tac[0], 1);
  run_engine(20);
  EXPECT_GT(flt.tac[0] * con.rsctorpm, 300);
  EXPECT_LT(flt.trq[0], 0);
  EXPECT_LT(flt.Dtq[0], 0);  // the air turns the blades
  EXPECT_LT(flt.thrust[0], 0);
}

TEST_F(Propel, AStarvedMixtureGivesNoPower) {
  engine(1);
  flt.mixt[0] = 0.1f;  // below the density ratio less 0.4
  atm_at_height(flt.h);
  EXPECT_EQ(flt.mixt_powr_rat[0], 0);
  EXPECT_EQ(flt.mixt_temp_rat[0], 0);
  apropengine(0);
  EXPECT_LE(flt.trq[0], 0);
  flt.mixt[0] = atm.crtsig - 0.3f;  // best power
  atm_at_height(flt.h);
  EXPECT_NEAR(flt.mixt_powr_rat[0], 1, 1e-5f);
}

// The engine's torque rolls the aircraft the other way, by the turning direction.
TEST_F(Propel, TheTorqueReactionRollsAgainstThePropeller) {
  engine(1);
  for (int dir : {1, -1}) {
    pln.propdir[0] = dir;
    flt.L = flt.N = 0;
    apropengine(0);
    ASSERT_GT(flt.trq[0], 0);
    EXPECT_NEAR(flt.L, -dir * flt.trq[0], 1e-2f);
  }
}

TEST_F(Propel, FuelFlowFromIdleToFullPowerAndItsGaugeScale) {
  float lbh = con.kgstolbs * 3600;
  EXPECT_NEAR(burnin_fuel(pln.pmax) * lbh, 160 * 0.42f, 0.1f);
  EXPECT_NEAR(burnin_fuel(0) * lbh, 0.01f * 160 * 0.42f, 0.01f);
  EXPECT_NEAR(burnin_fuel(-5000) * lbh, 0.01f * 160 * 0.42f, 0.01f);  // never below idle
  EXPECT_NEAR(burnin_fuel(0.5f * pln.pmax) * lbh, interp(0, 0.672f, 1, 67.2f, 0.5f), 0.05f);
  // Gauge scales end on the next tick above.
  EXPECT_EQ(gage_me(95), 100);
  EXPECT_EQ(gage_me(100), 110);  // an exact multiple still moves a step
  EXPECT_EQ(gage_me(101), 120);
  EXPECT_EQ(gage_me(2700), 3000);
  EXPECT_EQ(gage_me(600000), 700000);
  EXPECT_EQ(ff__max(), 70);  // 67.2 lb/h at full power
}

// Below 25 % N1 a jet spools up at one slow rate whatever the throttle; above,
// the throttle leads it.
TEST_F(Propel, AJetSpoolsSlowlyFromRestThenFollowsTheThrottle) {
  jet();
  float rise[2];
  for (int i = 0; i < 2; i++) {
    flt.parteqlbmthrust[0] = 0.01f;
    flt.n1_[0] = 10;
    flt.thro[0] = i ? 1.0f : 0.0f;
    ajet(0, 0, 0, 0);
    rise[i] = flt.parteqlbmthrust[0] - 0.01f;
  }
  EXPECT_GT(rise[0], 0);
  EXPECT_FLOAT_EQ(rise[0], rise[1]);
  flt.parteqlbmthrust[0] = 0.3f;
  flt.n1_[0] = 100 * std::sqrt(0.3f);
  flt.thro[0] = 1;
  ajet(0, 0, 0, 0);
  EXPECT_GT(flt.parteqlbmthrust[0] - 0.3f, rise[0] * 5);
}

TEST_F(Propel, ReverseThrustIsFortyPercentBackwards) {
  jet();
  flt.thro[0] = 1;
  flt.parteqlbmthrust[0] = 1;
  flt.n1_[0] = 100;
  ajet(0, 0, 0, 0);
  float forward = flt.thrust[0];
  ASSERT_GT(forward, 1000);
  flt.parteqlbmthrust[0] = 1;
  flt.n1_[0] = 100;
  flt.revving_thrust[0] = 1;
  ajet(0, 0, 0, 0);
  EXPECT_NEAR(flt.thrust[0], -0.4f * forward, 1);
  // A stopped jet only drags its intake.
  flt.revving_thrust[0] = 0;
  flt.eng_running[0] = 0;
  ajet(0, 0, 0, 0);
  EXPECT_NEAR(flt.thrust[0], -0.3f * pln.facejet * flt.Qstatic, 1e-2f);
}

// Engine numbers the laws would divide by zero with are refused at load, with
// the file named.
TEST_F(Propel, EngineDataTheLawsCannotUseIsRefused) {
  struct bad {
    const char* label;
    const char* value;
    const char* entype;
    const char* expect;
  } cases[] = {{"omegamax rpm", "600", "1", "Invalid propeller speed range!"},
               {"omegamin rpm", "2800", "1", "Invalid propeller speed range!"},
               {"spooltime s", "0", "3", "Invalid jet spool time!"},
               {"numblades", "0", "1", "Invalid propeller!"}};
  for (const bad& c : cases) {
    acft::Acf a = trainer();
    a.set(101, "entype", c.entype);
    if (!std::strcmp(c.entype, "3")) a.set(101, "tmax lb", "2000");
    a.set(std::strcmp(c.label, "numblades") ? 101 : 102, c.label, c.value);
    std::string text = acft::fatal_text([&] { load(a, "BadEngine"); });
    EXPECT_NE(text.find(c.expect), std::string::npos) << c.label << ": " << text;
    EXPECT_NE(text.find("BadEngine.acf"), std::string::npos) << text;
  }
}

}  // namespace
