// Start-up, the frame loop and its governors, on the dummy drivers and a fake clock.
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/shell/event.h"
#include "sim/shell/initgen.h"
#include "sim/shell/lax.h"
#include "sim/view/scn.h"
#include "tests/shell/shell_fixture.h"

namespace {
class FrameLoop : public ::testing::Test {
 protected:
  // The program's one start-up, shared with the other shell tests.
  static void SetUpTestSuite() { shell_test::start_simulator_once(); }
  void SetUp() override {
    desk_alert_record_clear();
    desk_answer_clear();
    set_fixed_time_step(0);
    msc.event = 0;
    msc.prd = 0.05f;
    msc.rtrat = 1.0f;
    msc.paused = 0;
    time_step_governor();  // takes the reference time now
  }
  // One governor measurement after ten frames of ms milliseconds in all.
  void measure(uint64_t ms) {
    plat_advance_fake_clock(ms);
    time_step_governor();
  }
};

TEST_F(FrameLoop, StartUpFillsTheAtmosphereTable) {
  // Sea-level density in kg/m3 and the last row at 259000 ft.
  EXPECT_NEAR(atm.hr[0][1], 1.2250f, 0.002f);
  EXPECT_NEAR(atm.hr[21][0], 259000 * 0.3048f, 1.0f);
  EXPECT_FLOAT_EQ(atm.hr[21][1], 0.0f);
  for (int i = 1; i < 22; i++) EXPECT_GT(atm.hr[i][0], atm.hr[i - 1][0]);
}

// Each window fits whole on the screen, under the menu bar and with its title.
TEST_F(FrameLoop, EverySettingsWindowFitsOnTheScreen) {
  for (int i = 1; i <= 27; i++) {
    EXPECT_LE(mnw.dx[i], 800) << i;
    EXPECT_LE(mnw.dy[i], 540) << i;
  }
}

TEST_F(FrameLoop, StarZeroStandsLowAndNoStarSitsOnIt) {
  EXPECT_GE(sta.ele[0], 6.0f);
  EXPECT_LE(sta.ele[0], 12.0f);
  for (int i = 1; i < STARS; i++) {
    EXPECT_GE(sta.azi[i], 0.0f);
    EXPECT_LE(sta.azi[i], 360.0f);
    bool on_star_zero = std::fabs(sta.ele[i] - sta.ele[0]) < 1 && std::fabs(sta.azi[i] - sta.azi[0]) < 1;
    EXPECT_FALSE(on_star_zero) << i;
  }
}

// Ten frames against ten steps: slower raises the step by sqrt(5) at most and
// never above 70 ms; faster shrinks it slowly; on time leaves it alone.
TEST_F(FrameLoop, TheGovernorFollowsTheFrameTime) {
  const struct {
    float prd;
    uint64_t ms;
    float rtrat, prd_after;
    int slow;
  } cases[] = {{0.05f, 500, 1.0f, 0.05f, 0},
               {0.01f, 1000, 5.0f, 0.01f * std::sqrt(5.0f), 0},
               {0.05f, 5000, 5.0f, 0.07f, 1},
               {0.05f, 50, 0.2f, 0.05f * std::pow(0.2f, 0.2f), 0}};  // rtrat 0.1, limited to 0.2
  for (const auto& c : cases) {
    msc.prd = c.prd;
    msc.running_slow = 0;
    measure(c.ms);
    EXPECT_FLOAT_EQ(msc.rtrat, c.rtrat) << c.ms;
    EXPECT_NEAR(msc.prd, c.prd_after, 1e-6) << c.ms;
    EXPECT_EQ(msc.running_slow, c.slow) << c.ms;
  }
}

TEST_F(FrameLoop, ARepaintOrClickSpoilsTheMeasurement) {
  msc.event = 1;
  measure(5000);
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  EXPECT_EQ(msc.event, 0);
  measure(500);  // the next interval counts again
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
}

TEST_F(FrameLoop, TenFramesWithinOneTickKeepTheStepFiniteAndPositive) {
  for (int i = 0; i < 200; i++) measure(0);
  EXPECT_TRUE(std::isfinite(msc.prd));
  EXPECT_FLOAT_EQ(msc.prd, 0.05f);
  for (int i = 0; i < 200; i++) measure(1);  // far faster than the step
  EXPECT_TRUE(std::isfinite(msc.prd));
  EXPECT_GT(msc.prd, 0.0f);
}

TEST_F(FrameLoop, SlowTaskSpacingFollowsTheStep) {
  EXPECT_EQ(evup_for_step(0.07f), 1);
  EXPECT_EQ(evup_for_step(0.05f), 2);
  EXPECT_EQ(evup_for_step(0.01f), 10);
  EXPECT_EQ(evup_for_step(0.0001f), 99);
}

TEST_F(FrameLoop, VisibilityIsTradedOnlyBelowTheCloudsAndNotBelowThreeMiles) {
  msc.warn_frame = 1;
  atm.cld_type = 0;
  atm.vis = 10.0f * con.nmtomtrs;
  for (int i = 0; i < 10; i++) measure(5000);  // ten slow measurements: not yet
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);
  measure(5000);
  EXPECT_FLOAT_EQ(atm.vis, 9.5f * con.nmtomtrs);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_NE(std::strstr(desk_alert_text(0), "running too slow"), nullptr);
  measure(5000);
  EXPECT_EQ(desk_alert_count(), 1);  // warned once per run
  atm.vis = 3.1f * con.nmtomtrs;
  measure(5000);
  EXPECT_FLOAT_EQ(atm.vis, 3.1f * con.nmtomtrs);
  atm.vis = 2.0f * con.nmtomtrs;
  measure(5000);
  EXPECT_NEAR(atm.vis, 2.0f / 0.95f * con.nmtomtrs, 0.01f);
  // Above an overcast the governor leaves the visibility alone.
  atm.cld_type = 1;
  scn.belowbases = 0;
  atm.vis = 10.0f * con.nmtomtrs;
  for (int i = 0; i < 20; i++) measure(5000);
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);
  // A normal measurement resets the count.
  atm.cld_type = 0;
  msc.prd = 0.05f;
  measure(500);
  measure(5000);
  EXPECT_FLOAT_EQ(atm.vis, 10.0f * con.nmtomtrs);
}

TEST_F(FrameLoop, FrameCounterWrapsAfter30000) {
  set_fixed_time_step(0.05f);
  msc.cntr = 29999;
  simulate_frame();
  EXPECT_EQ(msc.cntr, 30000);
  simulate_frame();
  EXPECT_EQ(msc.cntr, 0);
  simulate_frame();
  EXPECT_EQ(msc.cntr, 1);
}

TEST_F(FrameLoop, PausedOrBehindASettingsWindowTheFlightDoesNotAdvance) {
  set_fixed_time_step(0.05f);
  int before = msc.cntr;
  msc.paused = 1;
  simulate_frame();
  EXPECT_EQ(msc.cntr, before);
  msc.paused = 0;
  MACIBM_startwind(9, 1);
  EXPECT_EQ(winsup(), 1);
  simulate_frame();
  EXPECT_EQ(msc.cntr, before);
  MACIBM_killwind(9);
  EXPECT_EQ(winsup(), 0);
  simulate_frame();
  EXPECT_EQ(msc.cntr, before + 1);
}

TEST_F(FrameLoop, MouseMessagesStoreTheClientPosition) {
  plat_event e{};
  e.type = PLAT_EV_MOUSEMOVE;
  e.x = 123;
  e.y = 20 + 456;
  plat_inject_event(&e);
  MACIBM_pump();
  EXPECT_EQ(msc.mx, 123);
  EXPECT_EQ(msc.my, 456);
  e.type = PLAT_EV_BUTTONDOWN;
  e.button = 1;
  plat_inject_event(&e);
  MACIBM_pump();
  EXPECT_EQ(msc.mousedown, 1);
  EXPECT_EQ(msc.event, 1);
  e.type = PLAT_EV_BUTTONUP;
  plat_inject_event(&e);
  MACIBM_pump();
  EXPECT_EQ(msc.mousedown, 0);
}

TEST_F(FrameLoop, ProgressBarAdvancesDuringStartUpOnly) {
  int saved = msc.ready_to_update;
  msc.ready_to_update = 0;
  MACIBM_startwind(0, 0);
  uint8_t* at = active_dc->pix + 541 * active_dc->row;
  int lit_before = 0, lit_after = 0;
  for (int x = 59; x < 59 + 5 * 44; x++) lit_before += at[x] == 12;
  show_init();
  for (int x = 59; x < 59 + 5 * 44; x++) lit_after += at[x] == 12;
  msc.ready_to_update = 1;
  show_init();
  int lit_done = 0;
  for (int x = 59; x < 59 + 5 * 44; x++) lit_done += at[x] == 12;
  msc.ready_to_update = saved;
  EXPECT_EQ(lit_after, lit_before + 3);  // one more 3-pixel-wide block
  EXPECT_EQ(lit_done, lit_after);
}
}  // namespace
