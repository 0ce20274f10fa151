// The force-feedback stick: what each effect request turns into, scaled and
// bounded, and the calls the simulator makes at start-up and once a second.
#include "sim/flight/forcefeed.h"
#include "sim/shell/initgen.h"
#include "tests/flight/flight_fixture.h"

namespace {
using flight::FlightTest;

class ForceFeed : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    set.fcon_force_rat = 0.5f;
    ff_log_start();
  }
  void TearDown() override { ff_log_stop(); }
  // The calls made by one request, as "name a b c" lines.
  std::string calls(int type, int a1, int a2, int a3) {
    int first = ff_log_count();
    forcecall(type, a1, a2, a3);
    std::string out;
    for (int n = first; n < ff_log_count(); n++) {
      const ff_call* c = ff_log_at(n);
      out += std::string(c->name) + " " + std::to_string(c->a[0]) + " " + std::to_string(c->a[1]) + " " +
             std::to_string(c->a[2]) + "\n";
    }
    return out;
  }
};

TEST_F(ForceFeed, EachRequestIsScaledByTheForceRatioAndBounded) {
  EXPECT_EQ(calls(16, 150, -150, 90), "_XSpring 100 45 45\n_YSpring -100 45 45\n");
  EXPECT_EQ(calls(16, 20, -30, 999), "_XSpring 20 100 100\n_YSpring -30 100 100\n");
  EXPECT_EQ(calls(17, 25, -3, 0), "_XVibration 12 12 0\n");  // 12.5 truncated
  EXPECT_EQ(calls(18, -40, 5, 0), "_YVibration 0 0 5\n");
  EXPECT_EQ(calls(21, 81, 0, 0), "_Buffeting 40 0 0\n");
  EXPECT_EQ(calls(23, 100, -30, 3000), "_Jolt 50 330 2500\n");
  EXPECT_EQ(calls(23, 100, 725, -5), "_Jolt 50 5 0\n");
  EXPECT_EQ(calls(23, 2147483647, 359, 250), "_Jolt 100 359 250\n");  // no overflow on the way
  EXPECT_EQ(calls(15, 1, 2, 3), "");
  EXPECT_EQ(calls(25, 1, 2, 3), "");
  set.fcon_force_rat = std::nanf("");
  EXPECT_EQ(calls(21, 50, 0, 0), "_Buffeting 0 0 0\n");
}

// Found at start-up, a stick is taken and its forces set up in order; with
// none there is nothing to set up and the user is told the mouse flies.
TEST_F(ForceFeed, AStickFoundIsSetUpInOrderAndWithoutOneTheMouseFlies) {
  plat_joy_state st{};
  st.axes = 4;
  st.buttons = 4;
  plat_joy_set_fake(0, &st);
  EXPECT_EQ(MACIBM_initjoy(), 1);
  EXPECT_EQ(set.controls_type, 5);
  EXPECT_EQ(desk_alert_count(), 0);
  ASSERT_EQ(ff_log_count(), 3);
  EXPECT_STREQ(ff_log_at(0)->name, "_SetJoystickPort");
  EXPECT_EQ(ff_log_at(0)->a[0], 1);
  EXPECT_STREQ(ff_log_at(1)->name, "_InitStick");
  EXPECT_EQ(ff_log_at(1)->a[0], 0);
  EXPECT_STREQ(ff_log_at(2)->name, "_EnableForces");
  // Effects go to a stick without force feedback and do nothing there.
  forcecall(23, 100, 0, 250);
  EXPECT_EQ(ff_log_count(), 4);
  plat_joy_set_fake(0, nullptr);
  ff_log_start();
  EXPECT_EQ(MACIBM_initjoy(), 0);
  EXPECT_EQ(ff_log_count(), 0);
  EXPECT_EQ(set.controls_type, -1);
  ASSERT_EQ(desk_alert_count(), 1);
  std::string text = desk_alert_text(0);
  EXPECT_NE(text.find("Flight control will therefore be with the mouse."), std::string::npos);
  EXPECT_NE(text.find("Click the mouse in the center of the windshield"), std::string::npos);
}

TEST_F(ForceFeed, OnceASecondTheSpringFollowsTheLoadsAndTheEngineShakes) {
  fly(1000, 60, 2, 2);
  set.fcon_force_rat = 1;
  flt.tac[0] = pln.omegamax * 0.8f;
  ff_log_start();
  mod_sec();
  ASSERT_EQ(ff_log_count(), 3);
  EXPECT_STREQ(ff_log_at(0)->name, "_XSpring");
  EXPECT_GT(flt.Qratio, 0.2f);
  EXPECT_EQ(ff_log_at(0)->a[1], (int)(75 * flt.Qratio));
  EXPECT_STREQ(ff_log_at(2)->name, "_XVibration");
  EXPECT_EQ(ff_log_at(2)->a[0], 16 / 2 + 10);  // 20 x 0.8, halved and raised on an aeroplane
  EXPECT_EQ(ff_log_at(2)->a[2], 36);  // 0.8 x 2700 rpm in hertz
}

}  // namespace
