// The instruments' laws and the controls' detents and steppers, with the
// numbers a pilot reads off the panel.
#include <gtest/gtest.h>
#include <cmath>
#include "basekit/bk_const.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/sound/do_sound.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

namespace {

// The simulator may be running in this program: what a test changes is put back.
class Laws : public ::testing::Test {
 protected:
  static planestruct saved_pln;
  static inststruct saved_ins;
  int saved_aptmax = 0, saved_navmax = 0, saved_types[10] = {};
  void SetUp() override {
    init_constants();
    saved_pln = pln;
    saved_ins = ins;
    saved_aptmax = env.aptmax, saved_navmax = env.navmax;
    for (int k = 0; k < 10; k++) saved_types[k] = nav_type[k];
    pln.paneltype = 1;
    pln.AStype = 1;
    pln.VVItype = 1;
    pln.numen = 1;
    pln.is_heli = pln.vectEQ = pln.autosbrkEQ = 0;
  }
  void TearDown() override {
    pln = saved_pln;
    ins = saved_ins;
    env.aptmax = saved_aptmax, env.navmax = saved_navmax;
    for (int k = 0; k < 10; k++) nav_type[k] = saved_types[k];
  }
  static void speeds(float vso, float vne) {
    pln.Vso = vso;
    pln.Vne = vne;
    finish_readin2();
  }
};
planestruct Laws::saved_pln;
inststruct Laws::saved_ins;

TEST_F(Laws, AirspeedDialSpansItsRangeOverThreeHundredThirtyDegrees) {
  speeds(50, 200);
  EXPECT_FLOAT_EQ(pln.Vmin, 40);
  EXPECT_FLOAT_EQ(pln.Vmax, 210);
  EXPECT_EQ(asi_dial_angle(100), 116);  // (100 - 40) x 330 / 170 = 116.5, truncated
  EXPECT_EQ(asi_dial_angle(40), 0);
  EXPECT_EQ(asi_dial_angle(210), 330);
  // Pinned at both ends, and never a number from a negative speed.
  EXPECT_EQ(asi_dial_angle(0), 0);
  EXPECT_EQ(asi_dial_angle(-30), 0);
  EXPECT_EQ(asi_dial_angle(400), 330);
}

TEST_F(Laws, CompressedAirspeedDialTakesNoPowerOfANegativeSpeed) {
  pln.AStype = 2;
  speeds(50, 200);
  EXPECT_FLOAT_EQ(pln.ASpwr, 0.3f);
  EXPECT_EQ(asi_dial_angle(-12), 0);
  EXPECT_EQ(asi_dial_angle(60), 0);
  EXPECT_EQ(asi_dial_angle(449), 330);
  // Compressed: the first hundred knots above 60 take more of the dial than the next.
  int a160 = asi_dial_angle(160), a260 = asi_dial_angle(260);
  EXPECT_GT(a160, a260 - a160);
  EXPECT_LT(a160, a260);
}

TEST_F(Laws, AltimeterNeedlesAndDrum) {
  int l, s, h;
  altimeter_reading(12345, &l, &s, &h);
  EXPECT_EQ(l, 124);  // trunc(12345 x 0.36) = 4444, mod 360
  EXPECT_EQ(s, 84);   // 444 mod 360
  EXPECT_EQ(h, 123);  // drum "123" then the fixed "00"
  altimeter_reading(999, &l, &s, &h);
  EXPECT_EQ(l, 359);
  EXPECT_EQ(h, 9);
  altimeter_reading(-300, &l, &s, &h);  // below sea level the needles rest at zero
  EXPECT_EQ(l, 0);
  EXPECT_EQ(h, 0);
}

TEST_F(Laws, RadarAltimeterFillsHalfATurnWithFiveHundredFeet) {
  EXPECT_EQ(radalt_dial_angle(250), 90);
  EXPECT_EQ(radalt_dial_angle(500), 180);
  EXPECT_EQ(radalt_dial_angle(1000), 198);
  EXPECT_EQ(radalt_dial_angle(2500), 252);
  EXPECT_EQ(radalt_dial_angle(9000), 252);
  EXPECT_EQ(radalt_dial_angle(-20), 0);
}

TEST_F(Laws, VerticalSpeedScales) {
  speeds(50, 200);
  float fpm = con.fpmtomsc;
  EXPECT_NEAR(vvi_target(1000 * fpm), 80, 0.01f);   // 0.08 degrees per ft/min
  EXPECT_NEAR(vvi_target(-2000 * fpm), -160, 0.01f);
  EXPECT_NEAR(vvi_target(3000 * fpm), 160, 0.01f);  // pinned
  pln.VVItype = 2;
  finish_readin2();
  EXPECT_NEAR(vvi_target(5000 * fpm), 160, 0.01f);
  EXPECT_NEAR(vvi_target(2500 * fpm), 80, 0.01f);
  pln.paneltype = 2;
  finish_readin2();
  EXPECT_NEAR(vvi_target(2000 * fpm), 45, 0.01f);
  EXPECT_NEAR(vvi_target(-6000 * fpm), -90, 0.01f);
}

TEST_F(Laws, GroundProximityLines) {
  // At 1000 ft the pull-up line is at -3700 ft/min and the sink-rate line at -2600.
  EXPECT_EQ(gpws_call(1000, -3800, 0, 100, 85), SND_PULLUP);
  EXPECT_EQ(gpws_call(1000, -3600, 0, 100, 85), SND_SINKRATE);
  EXPECT_EQ(gpws_call(1000, -2500, 0, 100, 85), -1);
  EXPECT_EQ(gpws_call(0, -1600, 0, 100, 85), SND_PULLUP);
  EXPECT_EQ(gpws_call(2600, -9000, 0, 100, 85), -1);  // above 2500 ft neither line
  // Low with the gear up and descending: slow means gear, fast means terrain.
  EXPECT_EQ(gpws_call(400, -100, 1, 70, 85), SND_GEAR);
  EXPECT_EQ(gpws_call(400, -100, 1, 120, 85), SND_TERRAIN);
  EXPECT_EQ(gpws_call(400, -100, 0, 70, 85), -1);
  EXPECT_EQ(gpws_call(400, 100, 1, 70, 85), -1);
  EXPECT_EQ(gpws_call(600, -100, 1, 70, 85), -1);
}

TEST_F(Laws, HeightCallOutsOncePerDescent) {
  int armed[3] = {0, 0, 0};
  EXPECT_EQ(gpws_callout(100, 1, armed), -1);
  EXPECT_EQ(gpws_callout(45, 1, armed), SND_50);
  EXPECT_EQ(gpws_callout(40, 1, armed), -1);  // still below 50: no repeat
  EXPECT_EQ(gpws_callout(20, 1, armed), SND_25);
  EXPECT_EQ(gpws_callout(8, 1, armed), SND_10);
  EXPECT_EQ(gpws_callout(5, 1, armed), -1);
  EXPECT_EQ(gpws_callout(60, 1, armed), -1);  // climbing back above re-arms
  EXPECT_EQ(gpws_callout(30, 1, armed), SND_50);
  // Down from 60 to 5 between two ticks: the lowest call, once.
  EXPECT_EQ(gpws_callout(60, 1, armed), -1);
  EXPECT_EQ(gpws_callout(5, 1, armed), SND_10);
  EXPECT_EQ(gpws_callout(4, 1, armed), -1);
  // On the ground nothing is called, and nothing is saved up for later.
  EXPECT_EQ(gpws_callout(60, 0, armed), -1);
  EXPECT_EQ(gpws_callout(2, 0, armed), -1);
  EXPECT_EQ(gpws_callout(1, 1, armed), -1);
}

TEST_F(Laws, FuelPointer) {
  EXPECT_EQ(fuel_position(50, 0.005f), 0);  // no tank to read
  EXPECT_EQ(fuel_position(100, 100), 31);
  EXPECT_EQ(fuel_position(50, 100), 15);
  EXPECT_EQ(fuel_position(250, 100), 31);
  EXPECT_EQ(fuel_position(-1, 100), 0);
}

TEST_F(Laws, FlapDetentsAndTheirSettings) {
  const int rows[5] = {446, 454, 468, 484, 500}, settings[5] = {0, 7, 20, 35, 50};
  for (int k = 0; k < 5; k++) {
    int request;
    EXPECT_EQ(flap_detent(rows[k] + 3, &request), rows[k]);
    EXPECT_EQ(request, settings[k]) << rows[k];
  }
  int r;
  EXPECT_EQ(flap_detent(449 + 3, &r), 446);
  EXPECT_EQ(flap_detent(450 + 3, &r), 454);
  EXPECT_EQ(flap_detent(476 + 3, &r), 484);
  EXPECT_EQ(flap_detent(493 + 3, &r), 500);
  EXPECT_EQ(flap_detent(0, &r), 446);
  EXPECT_EQ(flap_detent(9999, &r), 500);
}

TEST_F(Laws, SlatDetents) {
  float req;
  EXPECT_EQ(slat_detent(465, &req), 463);
  EXPECT_FLOAT_EQ(req, 0);
  EXPECT_EQ(slat_detent(475, &req), 473);
  EXPECT_FLOAT_EQ(req, 0.5f);
  EXPECT_EQ(slat_detent(485, &req), 483);
  EXPECT_FLOAT_EQ(req, 1);
}

TEST_F(Laws, SpeedBrakeExtendsWithoutTheAutomaticBrake) {
  float req;
  pln.autosbrkEQ = 0;
  // Nothing to arm: the top detent retracts, and both extended positions stay in reach.
  EXPECT_EQ(speedbrake_detent(453 + 2, &req), 463);
  EXPECT_FLOAT_EQ(req, 0);
  EXPECT_EQ(speedbrake_detent(473 + 2, &req), 473);
  EXPECT_FLOAT_EQ(req, 1);
  EXPECT_EQ(speedbrake_detent(483 + 2, &req), 483);
  EXPECT_FLOAT_EQ(req, 2);
  pln.autosbrkEQ = 1;
  EXPECT_EQ(speedbrake_detent(453 + 2, &req), 453);
  EXPECT_FLOAT_EQ(req, -1);
  EXPECT_EQ(speedbrake_detent(463 + 2, &req), 463);
  EXPECT_FLOAT_EQ(req, 0);
}

TEST_F(Laws, RadioSteppersWrapWithoutCarrying) {
  int mhz = 117, hund = 95, digit = 7, adf = 9;
  NAVinc(&mhz, 1);
  EXPECT_EQ(mhz, 108);
  NAVinc(&mhz, -1);
  EXPECT_EQ(mhz, 117);
  mhz = 118;
  COMinc(&mhz, -1);
  EXPECT_EQ(mhz, 134);
  COMinc(&mhz, 1);
  EXPECT_EQ(mhz, 118);
  HUNinc(&hund, 5);
  EXPECT_EQ(hund, 0);
  EXPECT_EQ(mhz, 118);  // no carry into the megahertz
  HUNinc(&hund, -5);
  EXPECT_EQ(hund, 95);
  XPNinc(&digit, 1);
  EXPECT_EQ(digit, 0);  // octal: never 8 or 9
  XPNinc(&digit, -1);
  EXPECT_EQ(digit, 7);
  ADFinc(&adf, 1);
  EXPECT_EQ(adf, 0);
  float vol = 0.95f;
  VOLinc(&vol, 0.1f);
  EXPECT_FLOAT_EQ(vol, 1);
  VOLinc(&vol, -0.1f);
  EXPECT_NEAR(vol, 0.9f, 1e-6f);
  vol = 0.05f;
  VOLinc(&vol, -0.1f);
  EXPECT_FLOAT_EQ(vol, 0);
}

TEST_F(Laws, GpsScrollSearchesOnePassAtMost) {
  env.aptmax = -1;
  EXPECT_EQ(gps_scroll(7, 1, 1), 7);  // no airports: the index stays, never -1
  env.aptmax = 9;
  EXPECT_EQ(gps_scroll(9, 1, 1), 0);
  EXPECT_EQ(gps_scroll(0, 1, -1), 9);
  // Navaids: 0..7 of the file (navmax counts the carrier's two slots and one more).
  env.navmax = 8 + 2;
  const int types[8] = {NAV_VOR, NAV_NDB, NAV_LOC, NAV_VOR, NAV_GS, NAV_NDB, NAV_OM, NAV_VOR};
  for (int k = 0; k < 8; k++) nav_type[k] = types[k];
  nav_type[8] = nav_type[9] = NAV_VOR;  // the carrier's slots are never waypoints
  EXPECT_EQ(gps_scroll(0, 3, 1), 3);
  EXPECT_EQ(gps_scroll(3, 3, 1), 7);
  EXPECT_EQ(gps_scroll(7, 3, 1), 0);    // wraps to the first VOR, skipping the NDB on the way
  EXPECT_EQ(gps_scroll(0, 3, -1), 7);
  EXPECT_EQ(gps_scroll(1, 2, 1), 5);
  EXPECT_EQ(gps_scroll(5, 2, 1), 1);
  EXPECT_EQ(gps_scroll(0, 3, 2), 7);
  // No NDB at all: one pass, then the index stays.
  for (int k = 0; k < 8; k++)
    if (nav_type[k] == NAV_NDB) nav_type[k] = NAV_LOC;
  EXPECT_EQ(gps_scroll(4, 2, 1), 4);
  EXPECT_EQ(gps_scroll(4, 2, -100), 4);
}

}  // namespace
