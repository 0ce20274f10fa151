// Reliability windows and the failures they set up: the slider's draw of mean
// times, the once-a-second failure draws, one engine at a time, hydraulics
// and oil running down, a gear leg that stays, and the surface that breaks
// off above the redline.
#include <gtest/gtest.h>
#include <string>
#include "sim/aircraft/initpln.h"
#include "sim/flight/failures.h"
#include "sim/flight/integ.h"
#include "sim/windows/windows.h"
#include "tests/windows/windows_fixture.h"

using namespace windows_test;

namespace {

class Failures : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    set_fltvars(10);  // every flag working
    rel.total_fail_entry = 0;
    for (int k = 0; k < FAILURE_KINDS; k++) rel.fail_type[k] = FAIL_NEVER;
    msc.warn_overspeed = msc.warn_flaps = 0;
  }
};

TEST_F(Failures, TheSliderDrawsMeanTimesBetweenRAndTwiceR) {
  EXPECT_FLOAT_EQ(rel_mean_time(0.25f), 50);
  EXPECT_FLOAT_EQ(rel_mean_time(1.0f), 5);
  const float rates[] = {0, 0.0099f, 0.01f, 0.25f, 0.6f, 1.0f};
  for (float rate : rates) {
    float r = rel_mean_time(rate);
    for (int draw = 0; draw < 20; draw++) {
      rel_redraw_kinds(rate, 0, FAILURE_KINDS - 1);
      for (int k = 0; k < FAILURE_KINDS; k++) {
        ASSERT_GE(rel.fail_time_max[k], std::min(r, 99.0f)) << rate;
        ASSERT_LE(rel.fail_time_max[k], std::min(2 * r, 99.0f)) << rate;
        ASSERT_EQ(rel.fail_type[k], rate >= 0.01f ? FAIL_MEAN_TIME : FAIL_NEVER) << rate;
      }
    }
  }
}

TEST_F(Failures, TheInstrumentSliderRedrawsOnlyItsOwnKindsWhenItsRowChanges) {
  handlemenu(417);
  for (int k = 0; k < FAILURE_KINDS; k++) rel.fail_time_max[k] = 77;
  // The slider runs from y 62 (rate 1) to 422 (rate 0); a press near the top.
  click_in(19, 26, 72);
  EXPECT_NEAR(rel.ins_fail_rat, (422 - 72) / 360.0f, 0.01f);
  for (int k = KIND_INS_FIRST; k <= KIND_INS_LAST; k++) {
    EXPECT_EQ(rel.fail_type[k], FAIL_MEAN_TIME);
    EXPECT_LE(rel.fail_time_max[k], 2 * rel_mean_time(rel.ins_fail_rat));
  }
  EXPECT_FLOAT_EQ(rel.fail_time_max[KIND_EQ1_FIRST], 77) << "equipment is another window's";
  float kept = rel.fail_time_max[3];
  click_in(19, 26, 72);
  EXPECT_FLOAT_EQ(rel.fail_time_max[3], kept) << "the same row draws nothing new";
  // The altimeter's own selector: "inoperative", then its time.
  int y = 48 + 46 * 3;
  click_in(19, 64 + 124 + 5, y + 24 + 5);  // on: mean time -> inoperative
  EXPECT_EQ(rel.fail_type[3], FAIL_NOW);
  MACIBM_killwind(19);
  failures_sec();
  EXPECT_EQ(rel.ss_alt, 0) << "fails at the first one-second draw";
  handlemenu(417);
  MACIBM_killwind(19);
  EXPECT_EQ(rel.ss_alt, 1) << "closing the window repairs the instruments";
}

TEST_F(Failures, NothingFailsWithoutAChanceAndFailNowFailsAtOnce) {
  for (int n = 0; n < 2000; n++) ASSERT_EQ(failme(n % FAILURE_KINDS), 0);
  rel.fail_type[5] = FAIL_NOW;
  EXPECT_EQ(failme(5), 1);
  // A mean time of one minute: about one second in sixty.
  rel.fail_type[6] = FAIL_MEAN_TIME;
  rel.fail_time_max[6] = 1;
  int fails = 0;
  for (int n = 0; n < 6000; n++) fails += failme(6);
  EXPECT_GT(fails, 60);
  EXPECT_LT(fails, 140);
  // The general chance alone: two draws in a thousand both below it.
  rel.fail_type[6] = FAIL_NEVER;
  rel.total_fail_entry = 100;
  fails = 0;
  for (int n = 0; n < 20000; n++) fails += failme(6);
  EXPECT_GT(fails, 20000 / 100 / 2);
  EXPECT_LT(fails, 20000 / 100 * 2);
}

TEST_F(Failures, OneEngineFailsAndNoSecondInTheSameKind) {
  pln.entype = 1;
  pln.numen = 2;
  rel.fail_type[9] = FAIL_NOW;
  rel.fail_type[26] = FAIL_NOW;
  failures_sec();
  EXPECT_EQ(rel.engine[0] + rel.engine[1], 1);
  EXPECT_EQ(rel.oilpmp[0] + rel.oilpmp[1], 1);
  int failed = rel.engine[0] ? 1 : 0;
  for (int s = 0; s < 20; s++) failures_sec();
  EXPECT_EQ(rel.engine[1 - failed], 1) << "the other engine keeps running";
  EXPECT_EQ(flt.eng_running[failed], 0);
}

TEST_F(Failures, HydraulicsBleedDownInNinetySecondsAndOilInFiveMinutes) {
  pln.ff_hydraulic = 1;
  pln.is_heli = 0;
  msc.elap_time = 100;
  rel.fail_type[19] = FAIL_NOW;
  failures_sec();
  EXPECT_EQ(rel.hydsys, 0);
  EXPECT_NEAR(rel.hyd_rat, 0.85f, 1e-4);
  msc.elap_time = 145;
  failures_sec();
  EXPECT_NEAR(rel.hyd_rat, 0.425f, 1e-3);
  msc.elap_time = 191;
  failures_sec();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 0);
  // Without hydraulic controls the controls keep full authority.
  pln.ff_hydraulic = 0;
  rel.hydsys = 1;
  failures_sec();
  EXPECT_FLOAT_EQ(rel.hyd_rat, 1);
  // Oil: one minus the share of five minutes since the pump failed.
  pln.entype = 1;
  pln.numen = 1;
  msc.elap_time = 1000;
  rel.fail_type[26] = FAIL_NOW;
  failures_sec();
  EXPECT_EQ(rel.oilpmp[0], 0);
  EXPECT_FLOAT_EQ(rel.oil_rat, 1);
  msc.elap_time = 1150;
  failures_sec();
  EXPECT_NEAR(rel.oil_rat, 0.5f, 1e-4);
  msc.elap_time = 1400;
  failures_sec();
  EXPECT_FLOAT_EQ(rel.oil_rat, 0);
}

TEST_F(Failures, AFailedGearLegStaysWhereItWas) {
  pln.gearEQ = pln.retractEQ = 1;
  for (int g = 0; g < 3; g++) set.gear_stat[g] = 1;
  rel.fail_type[17] = FAIL_NOW;  // left leg
  failures_sec();
  EXPECT_EQ(rel.lagear[1], 0);
  set.gear_handle = 0;
  for (int g = 0; g < 3; g++) set.gear_time[g] = 0;
  msc.elap_time = 10;
  mod_evt();
  EXPECT_EQ(set.gear_stat[0], 0);
  EXPECT_EQ(set.gear_stat[1], 1) << "stuck down";
  EXPECT_EQ(set.gear_stat[2], 0);
}

TEST_F(Failures, AboveTheRedlineTheForwardSurfaceBreaksOff) {
  pln.is_heli = 0;
  pln.asi_units = 2;
  pln.Vne = 150;
  flt.vind = 170;
  ASSERT_TRUE(have_this_part(pln.fwd_foil));
  failures_sec();
  EXPECT_EQ(flt.over_vne, 0) << "not with the warning switched off";
  EXPECT_EQ(desk_alert_count(), 0);
  msc.warn_overspeed = 1;
  flt.vind = 164;  // 1.09 Vne
  failures_sec();
  EXPECT_EQ(flt.over_vne, 0);
  flt.vind = 166;
  failures_sec();
  EXPECT_EQ(flt.over_vne, 1);
  EXPECT_FALSE(have_this_part(pln.fwd_foil));
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)).rfind("You just busted the redline speed.\n", 0), 0u);
  failures_sec();
  EXPECT_EQ(desk_alert_count(), 1) << "told once";
  set_fltvars(10);
  EXPECT_TRUE(have_this_part(pln.fwd_foil)) << "a new flight starts whole";
}

TEST_F(Failures, FlapsAboveVfeAreToldOnceUntilRaised) {
  pln.is_heli = 0;
  pln.asi_units = 2;
  pln.flapEQ = 1;
  pln.Vfe = 100;
  pln.Vne = 300;
  msc.warn_flaps = 1;
  flt.vind = 120;
  flt.flaprequest = 20;
  failures_sec();
  failures_sec();
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)).rfind("You just extended the flaps above Vfe.\n", 0), 0u);
  flt.flaprequest = 0;
  failures_sec();
  flt.flaprequest = 10;
  failures_sec();
  EXPECT_EQ(desk_alert_count(), 2) << "again after they were raised";
}

}  // namespace
