// Controls: the stick through a fake joystick (axes, odd devices,
// two devices, buttons, the hat, calibration), the null zone and curve, mouse
// and keys, failures and trims, the autopilot and the touch-down.
#include "sim/shell/initgen.h"
#include "tests/flight/flight_fixture.h"

namespace {
using flight::FlightTest;

class Controls : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    flight::quiet_controls();
    for (int k = 0; k < JOY_RESPONSES; k++) set.joy_response[k] = 0;
  }
  void TearDown() override {
    plat_joy_set_fake(0, nullptr);
    plat_joy_set_fake(1, nullptr);
  }
  static plat_joy_state stick(int x, int y, int z, int r) {
    plat_joy_state s{};
    s.axes = 4;
    s.buttons = 12;
    s.axis[0] = x;
    s.axis[1] = y;
    s.axis[2] = z;
    s.axis[3] = r;
    return s;
  }
  static void plug(int dev, const plat_joy_state& s) {
    plat_joy_set_fake(dev, &s);
    set.controls_type = dev == 0 ? 5 : 6;
  }
  // Level flight at v m/s, 1000 m up, for the control law.
  void cruise(float v) {
    fly(1000, v, 2);
    flt.onsurface = 0;
    reset_controls();
    control();  // the touch-down memory sees the aircraft airborne
  }
};

TEST_F(Controls, TheNullZoneIsCutOutAndTheCurveReachesOne) {
  float d = 0.05f;
  EXPECT_EQ(curve_joy(&d, 0.1f), 0);
  d = -0.1f;
  EXPECT_EQ(curve_joy(&d, 0.1f), 0);
  d = 0.11f;
  EXPECT_NEAR(curve_joy(&d, 0.1f), std::pow(0.01f, 1.5f), 1e-6f);  // from 0, not from the edge
  d = -0.6f;
  EXPECT_NEAR(curve_joy(&d, 0.1f), -std::pow(0.5f, 1.5f), 1e-6f);
  d = 1;
  EXPECT_EQ(curve_joy(&d, 0), 1);
}

// The axes in the original interface's sense: Y pitch, X roll, R yaw, Z throttle.
TEST_F(Controls, AJoystickFliesTheAircraft) {
  plug(0, stick(32767, -32768, -32768, 0));
  float p, r, y, t;
  MACIBM_getjoy(&p, &r, &y, &t, 0, 0, 0);
  EXPECT_NEAR(p, -1, 1e-3f);  // stick forward, nose down
  EXPECT_NEAR(r, 1, 1e-3f);   // right
  EXPECT_NEAR(y, 0, 1e-3f);
  EXPECT_EQ(t, 1);  // throttle forward
  plug(0, stick(0, 0, 32767, -32768));
  MACIBM_getjoy(&p, &r, &y, &t, 0, 0, 0);
  EXPECT_NEAR(p, 0, 1e-3f);
  EXPECT_NEAR(y, -1, 1e-3f);
  EXPECT_LE(t, 0);
  // Sensitivity and the calibrated centre.
  set.joy_rat_roll = 0.5f;
  set.OS_ptch = 0.5f;
  plug(0, stick(32767, 0, 0, 0));
  MACIBM_getjoy(&p, &r, &y, &t, 0, 0, 0);
  EXPECT_NEAR(r, 0.5f, 1e-3f);
  EXPECT_NEAR(p, -std::pow(0.5f, 1.5f), 1e-3f);
  // With two devices the one chosen is read.
  plat_joy_state a = stick(0, 0, 0, 0), b = stick(32767, 0, 0, 0);
  plat_joy_set_fake(0, &a);
  plat_joy_set_fake(1, &b);
  for (int type : {6, 5}) {
    set.controls_type = type;
    MACIBM_getjoy(&p, &r, &y, &t, 0, 0, 0);
    EXPECT_NEAR(r, type == 6 ? 0.5f : 0, 1e-3f) << type;
  }
}

// Axis counts and values a device should not report are clamped.
TEST_F(Controls, OddDevicesAreClamped) {
  float p, r, y, t;
  plat_joy_state s = stick(1000000, -1000000, 5, 99999);
  s.axes = 99;
  s.buttons = -4;
  plug(0, s);
  MACIBM_getjoy(&p, &r, &y, &t, 0, 1, 0);
  for (float v : {p, r, y, t}) {
    EXPECT_TRUE(std::isfinite(v));
    EXPECT_GE(v, -1);
    EXPECT_LE(v, 1);
  }
  EXPECT_NEAR(r, 1, 1e-3f);
  // No axes at all: centred, and the throttle stays where it was.
  s = plat_joy_state{};
  plug(0, s);
  set.FC_thro = 0.3f;
  MACIBM_getjoy(&p, &r, &y, &t, 0, 1, 0);
  EXPECT_NEAR(p, 0, 1e-3f);
  EXPECT_NEAR(r, 0, 1e-3f);
  EXPECT_FLOAT_EQ(t, 0.3f);
}

// Buttons 1 to 4 count only when pressed alone; the hat is four buttons.
TEST_F(Controls, ButtonsAloneAndTogetherAndTheHat) {
  set.joy_response[4] = 20;  // button 1: parking brake while held
  set.joy_response[5] = 20;  // button 2: the same
  set.joy_response[0] = 20;  // hat up
  set.parkbrake = 0.5f;
  auto read = [](int b1, int b2, int hat, int buttons_on) {
    plat_joy_state s = stick(0, 0, 0, 0);
    s.button[0] = b1;
    s.button[1] = b2;
    s.hat = hat;
    plug(0, s);
    float p, r, y, t;
    MACIBM_getjoy(&p, &r, &y, &t, 0, buttons_on, 0);
    return set.parkbrake;
  };
  EXPECT_EQ(read(1, 1, 0, 1), 0.5f);  // together: neither
  EXPECT_EQ(read(1, 0, 0, 1), 1);
  EXPECT_EQ(read(0, 0, 0, 1), 0);  // released
  EXPECT_EQ(read(0, 0, 1, 1), 1);
  EXPECT_EQ(read(0, 0, 0, 0), 1);  // with the buttons off nothing happens
}

TEST_F(Controls, CalibrationFindsTheCentre) {
  plug(0, stick(3277, -6554, 0, 1638));
  cal_stick();
  EXPECT_NEAR(set.OS_roll, 0.1f, 1e-3f);
  EXPECT_NEAR(set.OS_ptch, -0.2f, 1e-3f);
  EXPECT_NEAR(set.OS_hdng, 0.05f, 1e-3f);
  float p, r, y, t;
  MACIBM_getjoy(&p, &r, &y, &t, 0, 0, 0);
  EXPECT_NEAR(p, 0, 1e-3f);
  EXPECT_NEAR(r, 0, 1e-3f);
  plat_joy_set_fake(0, nullptr);
  set.controls_type = -1;
  cal_stick();
  EXPECT_EQ(set.OS_roll, 0);
}

TEST_F(Controls, WithTheMouseAsStickItsPositionFlies) {
  cruise(50);
  msc.mouse_is_joy = 1;
  msc.mx = 500;
  msc.my = 127;
  control();
  EXPECT_NEAR(set.YK_roll, 1, 1e-3f);
  EXPECT_NEAR(set.YK_ptch, 0, 1e-3f);
}

// A failed aileron control gives no roll command, but the roll trim still acts.
TEST_F(Controls, AFailedAileronKeepsOnlyItsTrim) {
  cruise(50);
  set.MK_roll = 1;
  flt.ail_trim = 1;
  rel.fc_ail = 0;
  control();
  EXPECT_NEAR(set.FC_roll, 0.1f, 1e-5f);
  EXPECT_NEAR(flt.railndef, 0.1f * pln.ailn_up, 1e-4f);
  rel.fc_ail = 1;
  flt.ail_trim = 0;
  control();
  EXPECT_NEAR(flt.railndef, pln.ailn_up, 1e-3f);
  EXPECT_NEAR(flt.lailndef, -pln.ailn_dn, 1e-3f);
}

// The heading bug is set on the magnetic card; the autopilot banks toward it,
// with a quarter of its authority or less above twice the stall speed.
TEST_F(Controls, HeadingSelectBanksTowardTheBug) {
  cruise(2.2f * msc.est_Vs);
  ASSERT_GE(flt.vind * con.ktstomsc, 2 * msc.est_Vs);
  env.mvar = 14;
  ott.HDSLCT = 1;
  nav.hdsel = bk::round(wrap360(flt.psi + 14));
  control();
  EXPECT_NEAR(set.YK_roll, 0, 1e-3f);
  nav.hdsel = bk::round(wrap360(flt.psi + 14 + 10));
  control();
  EXPECT_GT(set.YK_roll, 0);
  EXPECT_LE(set.YK_roll, 0.25f * 0.01f * 10 + 1e-4f);
  nav.hdsel = bk::round(wrap360(flt.psi + 14 - 10));
  control();
  EXPECT_LT(set.YK_roll, 0);
}

// Engaged, altitude hold starts from the trim it found and trims up while
// below its height; at touch-down it lets go.
TEST_F(Controls, AltitudeHoldCapturesTheTrimAndLetsGoAtTouchDown) {
  cruise(60);
  flt.trim = 0.1f;
  flt.h_ind = flt.h;
  ott.ALHOLD = 1;
  ott.vv_hold = 200;
  ott.al_hold = flt.h * con.mtrstoft + 500;  // 500 ft to climb, at 200 ft/min
  msc.prd = 0.05f;
  flt.Q = 0;
  flt.az = 0;
  flt.vu = 0;
  control();
  float first = flt.trim;
  float A = 1 / fltlim(std::pow(flt.vind * con.ktstomsc / msc.est_Vs, 2), 1, 100);
  float path = std::asin(200 * con.fpmtomsc / flt.v) * con.radtodeg;
  EXPECT_NEAR(first, 0.1f + 0.5f * (path - flt.the180) * pln.hstbtrimmax * A, 0.01f);
  for (int k = 0; k < 100; k++) control();
  EXPECT_GT(flt.trim, first);  // the integrator pulls for the height
  EXPECT_LE(flt.trim, pln.hstbtrimmax);
  flt.onsurface = 1;
  control();
  EXPECT_EQ(ott.ALHOLD, 0);
  EXPECT_EQ(ott.HDSLCT, 1);
}

// The glide-slope mode follows the path of the glide slope NAV 2 hears; with
// none (a VOR's code 9 is no angle) it holds the height.
TEST_F(Controls, GlideSlopeModeDescendsOnlyOnAGlideSlope) {
  cruise(60);
  msc.prd = 0.05f;
  float A = 1 / fltlim(std::pow(flt.vind * con.ktstomsc / msc.est_Vs, 2), 1, 100);
  auto engage = [&](int ilsgs) {
    ott.GS2 = 0;
    control();
    nav.goodnav[1] = 1;
    nav.ilsgs[1] = ilsgs;
    nav.vdef[1] = 0;
    flt.trim = 0.1f;
    flt.Q = flt.az = flt.vu = 0;
    ott.GS2 = 1;
    control();
    return flt.trim;
  };
  float on_vor = engage(9), on_ils = engage(3);
  EXPECT_NEAR(on_vor, 0.1f + 0.5f * (0 - flt.the180) * pln.hstbtrimmax * A, 0.01f);
  EXPECT_NEAR(on_ils - on_vor, 0.5f * -3 * pln.hstbtrimmax * A, 0.01f);  // down the 3-degree path
  nav.goodnav[1] = 0;  // an ILS lost: level again
  ott.GS2 = 0;
  control();
  flt.trim = 0.1f;
  ott.GS2 = 1;
  control();
  EXPECT_NEAR(flt.trim, on_vor, 0.01f);
  ott.GS2 = 0;
  nav.ilsgs[1] = 9;
}

TEST_F(Controls, TheAutoThrottleMovesTheLeverSlowly) {
  cruise(40);
  set.FC_thro = 0.5f;
  ott.ASHOLD = 1;
  ott.as_hold = 200;
  msc.prd = 0.05f;
  control();
  EXPECT_NEAR(set.YK_thro, 0.5f + 0.1f * 0.05f, 1e-5f);
}

}  // namespace
