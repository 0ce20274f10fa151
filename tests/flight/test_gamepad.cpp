// A gamepad through SDL's game-controller layer, fed by an SDL virtual
// gamepad: found at start-up, read as a flight stick with its hat and
// buttons, flying the aircraft, its throttle lever, and plugged in and out
// while flying.
#include "basekit/bk_mnw.h"
#include "sim/shell/initgen.h"
#include "tests/flight/flight_fixture.h"

namespace {
using flight::FlightTest;

class Gamepad : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    flight::quiet_controls();
    set.NZptch = set.NZroll = 0.01f;  // the defaults
    ASSERT_EQ(plat_pad_attach(), 1);
    MACIBM_pump();  // the device-added event opens it
  }
  void TearDown() override {
    plat_pad_detach();
    MACIBM_pump();
  }
  // Steps of the control law and the flight model, the clock moving with them.
  void fly_for(float seconds) {
    for (float t = 0; t < seconds; t += msc.prd) {
      plat_advance_fake_clock((uint64_t)(msc.prd * 1000));
      control();
      deg2integ();
    }
  }
  void cruise() {
    fly(1000, 50, 2);
    flt.onsurface = 0;
    msc.prd = 0.02f;
  }
};

TEST_F(Gamepad, ReadsAsAFlightStick) {
  EXPECT_EQ(MACIBM_initjoy(), 1);
  EXPECT_EQ(set.controls_type, 5);
  EXPECT_EQ(desk_alert_count(), 0);
  ASSERT_EQ(plat_joy_is_pad(0), 1);
  plat_joy_state st;
  plat_pad_axis(PLAT_PAD_LEFTX, 32767);
  plat_pad_axis(PLAT_PAD_LEFTY, -32768);
  plat_pad_axis(PLAT_PAD_TRIGGERRIGHT, 32767);
  ASSERT_EQ(plat_joy_read(0, &st), 1);
  EXPECT_EQ(st.axes, 4);
  EXPECT_EQ(st.axis[0], 32767);   // roll right
  EXPECT_EQ(st.axis[1], -32768);  // pushed forward
  EXPECT_GT(st.axis[3], 32000);   // right pedal
  float idle = 1.1f - 1.2f * (st.axis[2] + 32768) / 65537;  // as the control code reads it
  EXPECT_NEAR(idle, 0, 1e-4f) << "the throttle lever starts at idle";
  // A stick resting a little off centre reads centred; both triggers cancel;
  // the right stick sideways is the rudder too.
  plat_pad_axis(PLAT_PAD_LEFTX, 2000);
  plat_pad_axis(PLAT_PAD_LEFTY, -2000);
  plat_pad_axis(PLAT_PAD_TRIGGERLEFT, 32767);
  plat_joy_read(0, &st);
  EXPECT_EQ(st.axis[0], 0);
  EXPECT_EQ(st.axis[1], 0);
  EXPECT_LT(std::abs(st.axis[3]), 100);
  plat_pad_axis(PLAT_PAD_TRIGGERLEFT, 0);
  plat_pad_axis(PLAT_PAD_TRIGGERRIGHT, 0);
  plat_pad_axis(PLAT_PAD_RIGHTX, -32768);
  plat_joy_read(0, &st);
  EXPECT_EQ(st.axis[3], -32768);
  // The d-pad is the hat; A, B, Y, X, Back and the stick clicks are buttons.
  plat_pad_button(PLAT_PAD_DPAD_UP, 1);
  plat_pad_button(PLAT_PAD_DPAD_LEFT, 1);
  plat_pad_button(PLAT_PAD_A, 1);
  plat_pad_button(PLAT_PAD_X, 1);
  plat_joy_read(0, &st);
  EXPECT_EQ(st.hat, 1 | 8);
  EXPECT_EQ(st.buttons, 12);
  for (int b = 0; b < st.buttons; b++) EXPECT_EQ(st.button[b], b == 3 || b == 5) << "button " << b + 1;
}

TEST_F(Gamepad, FliesTheAircraft) {
  ASSERT_EQ(MACIBM_initjoy(), 1);
  cal_stick();
  EXPECT_NEAR(set.OS_roll, 0, 1e-3f);
  cruise();
  struct {
    int axis, value;
    float* rate;
    float sign;
    const char* what;
  } moves[] = {{PLAT_PAD_LEFTX, 24000, &flt.P, 1, "left stick right: roll right"},
               {PLAT_PAD_LEFTX, -24000, &flt.P, -1, "left stick left: roll left"},
               {PLAT_PAD_LEFTY, 24000, &flt.Q, 1, "left stick back: nose up"},
               {PLAT_PAD_TRIGGERRIGHT, 32767, &flt.R, 1, "right trigger: yaw right"},
               {PLAT_PAD_RIGHTX, -32768, &flt.R, -1, "right stick left: yaw left"}};
  for (const auto& m : moves) {
    cruise();
    fly_for(0.2f);
    float before = *m.rate;
    plat_pad_axis(m.axis, m.value);
    fly_for(0.5f);
    plat_pad_axis(m.axis, 0);
    EXPECT_GT((*m.rate - before) * m.sign, 2.0f) << m.what << ": rate " << before << " -> " << *m.rate;
  }
}

// The shoulder buttons and the right stick move the throttle lever; it
// stays where it was left.
TEST_F(Gamepad, TheShoulderButtonsAndTheRightStickMoveTheThrottle) {
  ASSERT_EQ(MACIBM_initjoy(), 1);
  cruise();
  control();
  EXPECT_LE(set.FC_thro, 0.01f);
  plat_pad_button(PLAT_PAD_RIGHTSHOULDER, 1);
  fly_for(1.0f);
  EXPECT_NEAR(set.FC_thro, 0.5f, 0.08f) << "half way in a second";
  fly_for(1.5f);
  EXPECT_GE(set.FC_thro, 0.99f);
  plat_pad_button(PLAT_PAD_RIGHTSHOULDER, 0);
  fly_for(0.5f);
  EXPECT_GE(set.FC_thro, 0.99f) << "let go, it stays";
  plat_pad_button(PLAT_PAD_LEFTSHOULDER, 1);
  fly_for(0.6f);
  plat_pad_button(PLAT_PAD_LEFTSHOULDER, 0);
  float after_lb = set.FC_thro;
  EXPECT_LT(after_lb, 0.8f);
  plat_pad_axis(PLAT_PAD_RIGHTY, 32767);  // pulled back: less
  fly_for(0.6f);
  plat_pad_axis(PLAT_PAD_RIGHTY, 0);
  EXPECT_LT(set.FC_thro, after_lb - 0.2f);
  // A long pause between two reads does not jump the lever.
  float before = set.FC_thro;
  plat_pad_axis(PLAT_PAD_RIGHTY, -32768);
  plat_advance_fake_clock(30000);
  control();
  plat_pad_axis(PLAT_PAD_RIGHTY, 0);
  EXPECT_LE(set.FC_thro - before, 0.0501f);
}

// Flying with the mouse, a gamepad plugged in is taken into use; pulled out,
// the mouse flies again.
TEST_F(Gamepad, PluggedInWhileFlying) {
  plat_pad_detach();
  MACIBM_pump();
  EXPECT_EQ(MACIBM_initjoy(), 0);
  cruise();
  control();
  EXPECT_EQ(set.controls_type, -1);
  ASSERT_EQ(plat_pad_attach(), 1);
  MACIBM_pump();
  plat_pad_axis(PLAT_PAD_LEFTX, 32767);
  control();
  EXPECT_EQ(set.controls_type, 5);
  EXPECT_GT(set.YK_roll, 0.9f);
  plat_pad_detach();
  MACIBM_pump();
  set.MK_roll = -0.5f;
  control();
  EXPECT_LT(set.YK_roll, -0.1f);
  ASSERT_EQ(plat_pad_attach(), 1);  // for TearDown
}
}  // namespace
