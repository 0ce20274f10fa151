// The shipped trainer trimmed at 5000 ft and 90 knots, engine idle, and left
// to glide hands off for ten simulated minutes.
#include "tests/flight/flight_fixture.h"
#include "tools/support/steadyair.h"

namespace {
using flight::FlightTest;

class Glide : public FlightTest {
 protected:
  // Level land at sea level under the whole region.
  void sea_level_land() {
    for (auto& row : on_water)
      for (auto& col : row) col[0] = col[1] = 0;
    for (auto& row : planez)
      for (float& z : row) z = 0;
    msc.loc_index = 0;
    apt_z[0] = 0;
  }
  trim_result start(float feet, float kias) { return air_trimmed(feet, kias, 0, 0); }
  static bool finite_state() {
    const float v[] = {(float)flt.x, (float)flt.y, (float)flt.z, (float)flt.vx, (float)flt.vy, (float)flt.vz, flt.the,
                       flt.phi, flt.psi, flt.P, flt.Q, flt.R, flt.Alpha, flt.Beta, flt.vind, flt.L, flt.M, flt.N};
    for (float x : v)
      if (!std::isfinite(x)) return false;
    return true;
  }
};

TEST_F(Glide, TrimmedAtIdleFromFiveThousandFeetItGlidesDownWithoutDivergence) {
  sea_level_land();
  trim_result t = start(5000, 90);
  ASSERT_TRUE(t.ok) << t.residual;
  EXPECT_GT(t.alpha, 0.0f);
  EXPECT_LT(t.alpha, 8.0f);
  EXPECT_LT(t.gamma, -2.0f);  // no thrust: down the glide path
  EXPECT_GT(t.gamma, -8.0f);
  EXPECT_LT(std::fabs(t.phi), 2.0f);
  EXPECT_NEAR(flt.vind, 90, 5);
  // Trimmed: every acceleration is nearly zero.
  EXPECT_LT(std::fabs(flt.ax) + std::fabs(flt.ay) + std::fabs(flt.az), 1e-3f);
  EXPECT_LT(std::fabs(flt.Qdot), 1e-2f);
  msc.prd = 0.05f;
  msc.evup = evup_for_step(msc.prd);
  double last_x = flt.x, last_y = flt.y;
  float sink0 = flt.vu;
  int airborne = 0, landed_at = -1;
  for (int k = 0; k < 12000; k++) {
    frame();
    ASSERT_TRUE(finite_state()) << "frame " << k;
    // No jump anywhere: a crash would have put the aircraft back on a runway.
    double step = std::hypot(flt.x - last_x, flt.y - last_y);
    ASSERT_LT(step, 5.0) << "frame " << k;
    last_x = flt.x;
    last_y = flt.y;
    if (flt.onsurface && landed_at < 0) landed_at = k;
    if (landed_at < 0) {
      airborne++;
      ASSERT_LT(std::fabs(flt.phi180), 10.0f) << "frame " << k;
      ASSERT_NEAR(flt.the180, t.the, 5.0f) << "frame " << k;
      ASSERT_NEAR(flt.vind, 90, 8) << "frame " << k;
      ASSERT_NEAR(flt.vu, sink0, 1.5f) << "frame " << k;
    } else {
      ASSERT_LT(std::fabs(flt.phi180), 30.0f) << "frame " << k;
    }
  }
  // The glide takes the aircraft down to the ground before ten minutes are
  // up; it lands and comes to rest.
  EXPECT_GT(airborne * 0.05f, 240.0f);
  EXPECT_GE(landed_at, 0);
  EXPECT_LT(flt.v, 1.0f);
}

TEST_F(Glide, HighEnoughItGlidesTheWholeTenMinutesSteadily) {
  sea_level_land();
  trim_result t = start(11000, 90);
  ASSERT_TRUE(t.ok);
  msc.prd = 0.05f;
  msc.evup = evup_for_step(msc.prd);
  float vind0 = flt.vind, turned = 0;
  std::vector<float> sink;
  for (int k = 0; k < 12000; k++) {
    float psi = flt.psi;
    frame();
    turned += wrap180(flt.psi - psi);
    ASSERT_TRUE(finite_state()) << k;
    ASSERT_EQ(flt.onsurface, 0) << k;
    if (k % 1200 == 0) sink.push_back(flt.vu);
  }
  EXPECT_NEAR(flt.vind, vind0, 3);
  EXPECT_LT(std::fabs(flt.phi180), 5.0f);
  // Hands off, the idle engine's torque and the slow spiral turn the heading,
  // gently: under a fifth of a degree a second, all turns counted (about 40
  // degrees in the ten minutes).
  EXPECT_LT(std::fabs(turned), 120.0f) << turned;
  for (float s : sink) EXPECT_NEAR(s, sink[0], 1.0f);  // the same descent, minute after minute
}

}  // namespace
