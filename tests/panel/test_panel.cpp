// The panel as drawn in the simulator's window: needles where the flight
// state puts them, nothing redrawn while nothing changes, frozen failed
// instruments, the knobs' limits, every press on every kind of aircraft,
// and a missing picture.
#include <sys/stat.h>
#include <cmath>
#include <filesystem>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel_internal.h"
#include "sim/shell/keys.h"
#include "sim/shell/wintab.h"
#include "sim/sound/do_sound.h"
#include "tests/panel/panel_fixture.h"

using namespace panel_test;

namespace {

class Panel : public PanelTest {};

TEST_F(Panel, DefaultStartShowsTheFlightState) {
  fly(shipped("Trainer"));
  settle();
  // Standing still: the airspeed needle rests at the top of the dial.
  EXPECT_GE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], 0, 8, 33, 33), 20);
  // The altimeter's long needle at the field's elevation.
  int l, s, h;
  altimeter_reading(flt.h_ind * con.mtrstoft, &l, &s, &h);
  EXPECT_GE(on_ray(ins.x_loc[INS_ALT], ins.y_loc[INS_ALT], l, 8, 34, 33), 20) << l;
  // Level on the ground: sky above the centre of the ball, ground below.
  EXPECT_EQ(px(ins.x_loc[INS_AH] + 3, ins.y_loc[INS_AH] - 42), 39);
  EXPECT_EQ(px(ins.x_loc[INS_AH] + 3, ins.y_loc[INS_AH] + 42), 41);
  // The bank ring outside the pitch disc, darker.
  EXPECT_EQ(px(ins.x_loc[INS_AH] + 3, ins.y_loc[INS_AH] - 54), 40);
  // The parking brake is set at the start; the throttle at idle; the mixture rich.
  EXPECT_EQ(px(ins.osrad + 498, 563), 17);
  EXPECT_GE(ins.thro[0], 560);
  EXPECT_EQ(ins.mixt[0], 515);
  // The fuel pointer where the tank stands.
  int p = fuel_position(flt.m_fuel, pln.m_fuel);
  int q = p == 0 || p == 15 || p == 30 ? p + 1 : p;
  EXPECT_EQ(px(ins.osrad + 514 + q, 535), 17);
}

TEST_F(Panel, AnUnchangedStateRedrawsNoPixel) {
  fly(shipped("Trainer"));
  settle();
  std::vector<uint8_t> before = window_pixels();
  for (int k = 0; k < 10; k++) updatepanel();
  EXPECT_TRUE(before == window_pixels());
  // A speed change moves the airspeed needle, and only inside its own face.
  flt.vind = 100;
  updatepanel();
  std::vector<uint8_t> after = window_pixels();
  int changed = 0, outside = 0, w = desk_window_dc(mnw.wind[MAIN_WINDOW])->dx;
  for (size_t i = 0; i < after.size(); i++)
    if (after[i] != before[i]) {
      changed++;
      int x = (int)i % w, y = (int)i / w;
      if (std::abs(x - ins.x_loc[INS_ASI]) > 64 || std::abs(y - ins.y_loc[INS_ASI]) > 64) outside++;
    }
  EXPECT_GT(changed, 40);
  EXPECT_EQ(outside, 0);
  EXPECT_GE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], asi_dial_angle(100), 8, 33, 33), 20);
  // The old needle is gone, the scale under it is back.
  EXPECT_LE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], 0, 8, 33, 33), 3);
}

TEST_F(Panel, FailedInstrumentsKeepTheirLastIndication) {
  fly(shipped("Trainer"));
  flt.vind = 80;
  settle();
  int a80 = asi_dial_angle(80);
  rel.ss_asi = 0;
  flt.vind = 130;
  updatepanel();
  redraw();  // a full redraw shows the frozen speed too
  EXPECT_GE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], a80, 8, 33, 33), 20);
  EXPECT_LE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], asi_dial_angle(130), 8, 33, 33), 3);
  rel.ss_asi = 1;
  updatepanel();
  EXPECT_GE(on_ray(ins.x_loc[INS_ASI], ins.y_loc[INS_ASI], asi_dial_angle(130), 8, 33, 33), 20);
}

TEST_F(Panel, VacuumGyrosDriftAndStopThreeMinutesAfterTheFailure) {
  fly(shipped("Trainer"));
  msc.elap_time = 100;
  flt.onsurface = 0;
  flt.the180 = 0, flt.phi180 = 0, flt.magpsi = 90;
  panel_gyros();
  EXPECT_FLOAT_EQ(ins.phi180, 0);
  rel.vacuum = 0;
  rel.vac_death_time = 100;
  rel.the_fail_err = 30;
  rel.phi_fail_err = -20;
  float last = ins.the180, step_early, step_late = 0;
  msc.elap_time = 110;
  panel_gyros();
  step_early = std::fabs(ins.the180 - last);
  for (float t = 111; t < 320; t += 1) {
    msc.elap_time = t;
    last = ins.the180;
    panel_gyros();
    if (t > 285) step_late += std::fabs(ins.the180 - last);
  }
  EXPECT_GT(step_early, 0.1f);
  EXPECT_EQ(step_late, 0);  // three minutes after the failure the indication is frozen
  float frozen = ins.phi180;
  flt.phi180 = 45;
  msc.elap_time = 330;
  panel_gyros();
  EXPECT_EQ(ins.phi180, frozen);
  rel.vacuum = 1;
}

TEST_F(Panel, AltimeterSettingStopsAtItsLimits) {
  fly(shipped("Trainer"));
  int x = ins.x_loc[INS_BARO_KNOB], y = ins.y_loc[INS_BARO_KNOB];
  ins.baro = 29.92f;
  panclick(x, y - 5);
  EXPECT_NEAR(ins.baro, 29.923f, 1e-4f);
  for (int k = 0; k < 1000; k++) panclick(x, y - 5);
  EXPECT_FLOAT_EQ(ins.baro, 32.0f);
  for (int k = 0; k < 2000; k++) panclick(x, y + 5);
  EXPECT_FLOAT_EQ(ins.baro, 28.0f);
  ins.baro = 29.92f;
  updatepanel();
}

TEST_F(Panel, KnobsHeldOverTwoSecondsTurnThreeDegrees) {
  fly(shipped("Trainer"));
  int x = ins.x_loc[INS_HSI], y = ins.y_loc[INS_HSI];
  nav.hdsel = 358;
  panclick(x + 60, y + 50);
  EXPECT_EQ(nav.hdsel, 359);
  panclick(x + 60, y + 50);
  EXPECT_EQ(nav.hdsel, 0);
  msc.dragtime = 2.5f;
  panclick(x + 60, y + 50);
  EXPECT_EQ(nav.hdsel, 3);
  panclick(x + 35, y + 50);
  EXPECT_EQ(nav.hdsel, 0);
}

TEST_F(Panel, EachEngineKeyMovesItsOwnLeverAndTheGangBarMovesAll) {
  fly(four_engines());
  ASSERT_EQ(pln.numen, 4);
  set.eq_thr = 1;
  for (int k = 0; k < 30; k++) function_key(19 + 1);  // engine 2 back to idle
  for (int k = 0; k < 30; k++) function_key(31 + 1);  // and forward to full
  EXPECT_FLOAT_EQ(flt.throrequest[1], 1);
  for (int n : {0, 2, 3}) EXPECT_LT(flt.throrequest[n], 1) << n;
  set.eq_thr = 0;
  for (int k = 0; k < 30; k++) function_key(20);
  for (int n = 0; n < 4; n++) EXPECT_FLOAT_EQ(flt.throrequest[n], 1) << n;
  // Props (F5 to F8) and mixtures (F9 to F12) alike: back alone, forward with Shift.
  fly(shipped("LightTwin"));
  set.eq_thr = 1;
  for (int first : {23, 27}) {
    int* rows = first == 23 ? ins.prop : ins.mixt;
    for (int k = 0; k < 40; k++) function_key(first + 1);
    EXPECT_EQ(rows[1], 550) << first;
    EXPECT_LT(rows[0], 550) << first;
    for (int k = 0; k < 40; k++) function_key(first + 12 + 1);
    EXPECT_EQ(rows[1], 515) << first;
    set.eq_thr = 0;  // F5 and F6, F9 and F10 move the gang bar
    for (int k = 0; k < 40; k++) function_key(first);
    EXPECT_EQ(rows[0] + rows[1], 2 * 550) << first;
    for (int k = 0; k < 40; k++) function_key(first + 1);
    EXPECT_EQ(rows[0] + rows[1], 2 * 515) << first;
    set.eq_thr = 1;
  }
  // Three engines: the middle engine's own column lies on the gang bar.
  Acf three = four_engines();
  three.set(101, "numen", "3");
  fly(three);
  set.eq_thr = 1;
  for (int k = 0; k < 30; k++) function_key(19 + 1);
  EXPECT_EQ(ins.thro[1], 563);
  for (int k = 0; k < 30; k++) function_key(31 + 1);
  EXPECT_EQ(ins.thro[1], 515);
  EXPECT_GT(ins.thro[0], 515);
  EXPECT_GT(ins.thro[2], 515);
  set.eq_thr = 0;
  for (int k = 0; k < 30; k++) function_key(20);
  for (int n = 0; n < 3; n++) EXPECT_EQ(ins.thro[n], 515) << n;
}

TEST_F(Panel, GearHandleTakesThreeToFiveSecondsAndAFailedGearNever) {
  fly(shipped("LightTwin"));
  ASSERT_TRUE(pln.retractEQ);
  rel.lagear[2] = 0;
  int down = set.gear_handle;
  handle_simkey('g');
  EXPECT_NE(set.gear_handle, down);
  for (int g = 0; g < 2; g++) {
    EXPECT_GE(set.gear_time[g], msc.elap_time + 3);
    EXPECT_LE(set.gear_time[g], msc.elap_time + 5);
  }
  EXPECT_GT(set.gear_time[2], 1e9f);
  updatepanel();
  // Handle and gear disagree while the legs move: red lights.
  EXPECT_EQ(px(ins.osrad + 623, 559), 18);
  rel.lagear[2] = 1;
  handle_simkey('g');
}

TEST_F(Panel, PauseStopsTheFlightAndSaysSo) {
  fly(shipped("Trainer"));
  settle();
  flt.vu = 5;  // a climb the lagged needle has not caught up with
  handle_simkey('p');
  EXPECT_EQ(msc.paused, 1);
  updatepanel();
  std::vector<uint8_t> paused = window_pixels();
  for (int k = 0; k < 50; k++) updatepanel();
  EXPECT_TRUE(paused == window_pixels());  // no time passes: the needles stay
  EXPECT_GT(count(ins.ospau + 746, 256, ins.ospau + 789, 263, 17), 20);  // "PAUSED"
  handle_simkey('p');
  EXPECT_EQ(msc.paused, 0);
}

TEST_F(Panel, GpsShowsNoTimeToTheWaypointStandingStill) {
  fly(jet());  // a radar altimeter: the GPS stands in for NAV 1
  nav.gps_dis = 20000;
  flt.v = 0;
  ins.tickle_gps = 1;
  updatepanel();
  int o = ins.osrad;
  EXPECT_EQ(row(335, o + 580, o + 596, 12), 0);
  EXPECT_GT(row(341, o + 580, o + 596, 12), 0);  // "..."
  flt.v = 50;
  updatepanel();
  EXPECT_GT(row(335, o + 580, o + 596, 12), 0);  // 20 km at 50 m/s: 6 minutes
}

// Every press, anywhere in the window, on every kind of aircraft: nothing
// breaks and every control stays within its range.
TEST_F(Panel, PressesAnywhereOnEveryKindOfAircraft) {
  const Acf kinds[5] = {shipped("Trainer"), shipped("LightTwin"), four_engines(), jet(), helicopter()};
  for (const Acf& a : kinds) {
    fly(a);
    SCOPED_TRACE(pln.C_path);
    EXPECT_EQ(desk_alert_count(), 0) << (desk_alert_count() ? desk_alert_text(0) : "");
    int joy = msc.mouse_is_joy;
    const int edges[] = {-5, -1, 0, 1, 799, 800, 801};
    for (int x = -4; x <= 804; x += 3)
      for (int y = 22; y <= 584; y += 3) {
        msc.dragtime = (x + y) % 7 == 0 ? 3.0f : 0.0f;
        panclick(x, y);
        enginecondrag(x, y);
      }
    for (int x : edges)
      for (int y : {-5, -1, 0, 579, 580, 600}) {
        if (y >= 5 && y <= 20) continue;
        panclick(x, y);
        enginecondrag(x, y);
      }
    panclick(-1, -1);
    msc.mouse_is_joy = joy;
    msc.dragtime = 0;
    updatepanel();
    for (int n = 0; n < ENGINES; n++) {
      EXPECT_TRUE(flt.throrequest[n] >= 0 && flt.throrequest[n] <= 1);
      EXPECT_TRUE(flt.mixt[n] >= 0 && flt.mixt[n] <= 1);
    }
    EXPECT_TRUE(flt.flaprequest >= 0 && flt.flaprequest <= 50);
    EXPECT_TRUE(nav.nf[0] >= 108 && nav.nf[0] <= 117 && nav.nf[1] >= 108 && nav.nf[1] <= 117);
    EXPECT_TRUE(nav.cf[0] >= 118 && nav.cf[0] <= 134 && nav.cf[1] >= 118 && nav.cf[1] <= 134);
    EXPECT_TRUE(nav.tran1 >= 0 && nav.tran1 <= 7 && nav.tran4 >= 0 && nav.tran4 <= 7);
    EXPECT_TRUE(ins.baro >= 28 && ins.baro <= 32);
    EXPECT_TRUE(set.ah_bar_adjust >= -10 && set.ah_bar_adjust <= 10);
    EXPECT_TRUE(ott.al_hold >= 0 && ott.al_hold <= 90000);
    EXPECT_TRUE(set.map_range >= 7.5f && set.map_range <= 30);
    EXPECT_TRUE(std::isfinite(flt.trim) && std::fabs(flt.trim) <= std::fabs(pln.hstbtrimmax));
    EXPECT_EQ(desk_alert_count(), 0);
    msc.paused = 0;
  }
  fly(shipped("Trainer"));
}

TEST_F(Panel, TheStatusStripOpensItsWindows) {
  fly(shipped("Trainer"));
  for (auto [x, window] : {std::pair{50, WIN_JOYSTICK}, std::pair{200, WIN_FLIGHT_MODE}}) {
    panclick(x, 10);
    EXPECT_EQ(mnw.up[window], 1) << x;
    MACIBM_killwind(window);
    MACIBM_pump();
  }
}

// The fatal alert ends the process, so each case runs in a child of its own.
class PanelDeathTest : public PanelTest {};

TEST_F(PanelDeathTest, AMissingOrSpoiltPictureIsFatalAndNamed) {
  namespace fs = std::filesystem;
  ::testing::FLAGS_gtest_death_test_style = "threadsafe";
  std::string dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/panel/nopic";
  fs::remove_all(dir);
  fs::create_directories(dir + "/panel");
  for (const auto& e : fs::directory_iterator(std::string(TARVEL_SOURCE_DATA_DIR) + "/panel"))
    if (e.path().filename() != "180.png") fs::copy(e.path(), dir + "/panel/" + e.path().filename().string());
  auto read_from = [](const std::string& folder) {
    std::snprintf(app_path, STR_DIM, "%s", folder.c_str());
    init_panel_pictures();
  };
  EXPECT_DEATH(read_from(dir), "missing or cannot be read:[^/]*/.*nopic/panel/180.png");
  acft::write_lines(dir + "/panel/180.png", {"not a picture"});
  EXPECT_DEATH(read_from(dir), "nopic/panel/180.png.*It is not an 8-bit palette PNG picture.");
  // A pipe there is told about, never waited on.
  fs::remove(dir + "/panel/180.png");
  ASSERT_EQ(mkfifo((dir + "/panel/180.png").c_str(), 0600), 0);
  EXPECT_DEATH(read_from(dir), "nopic/panel/180.png.*It is not a regular file");
}

TEST_F(Panel, ElectronicPanel) {
  fly(glass());
  settle();
  ASSERT_EQ(pln.paneltype, 2);
  EXPECT_TRUE(pln.ecam);
  // Speed and altitude tapes, the ball, the map display.
  EXPECT_EQ(px(ins.x_loc[INS_ASI] + 2, ins.y_loc[INS_ASI] + 3), 46);
  EXPECT_EQ(px(ins.x_loc[INS_ALT] + 12, ins.y_loc[INS_ALT] + 3), 46);
  EXPECT_EQ(px(ins.x_loc[INS_AH] + 20, ins.y_loc[INS_AH] - 30), 39);
  EXPECT_EQ(ins.avail[INS_TSI], 0);
  // The setting steps by a hundredth here.
  ins.baro = 29.92f;
  panclick(ins.x_loc[INS_BARO_KNOB], ins.y_loc[INS_BARO_KNOB] - 5);
  EXPECT_NEAR(ins.baro, 29.93f, 1e-4f);
  // Map range buttons stop at 7.5 and 30.
  for (int k = 0; k < 5; k++) panclick(ins.x_loc[INS_EFIS] + 245, ins.y_loc[INS_EFIS] + 265);
  EXPECT_FLOAT_EQ(set.map_range, 7.5f);
  for (int k = 0; k < 5; k++) panclick(ins.x_loc[INS_EFIS] + 215, ins.y_loc[INS_EFIS] + 265);
  EXPECT_FLOAT_EQ(set.map_range, 30);
}

TEST_F(Panel, EnginePageOfAFourEngineAircraft) {
  fly(four_engines());
  ASSERT_EQ(pln.numen, 4);
  EXPECT_TRUE(pln.tape);
  // The fuel page with no fuel flowing: no endurance or range, no division by zero.
  panclick(ins.oseng + 645 + 30 + 10, 430);
  EXPECT_EQ(set.ecam_page, 5);
  for (int n = 0; n < ENGINES; n++) flt.ff_[n] = 0;
  updatepanel();
  // Line 7, ENDURANCE: dashes (the font's middle row), no digit's top segment.
  int base = 301 + 10 * 7, e = ins.oseng;
  EXPECT_EQ(row(base - 6, e + 720, e + 773, 47), 0);
  EXPECT_GT(row(base - 4, e + 720, e + 773, 47), 0);
  // With fuel flowing the same line shows a number.
  for (int n = 0; n < 4; n++) flt.ff_[n] = 0.01f;
  updatepanel();
  EXPECT_GT(row(base - 6, e + 720, e + 773, 47), 0);
  // Back to the engines: four tapes in each group, growing with the engines.
  panclick(ins.oseng + 645 + 10, 430);
  EXPECT_EQ(set.ecam_page, 4);
  for (int n = 0; n < 4; n++) flt.tac[n] = pln.omegamax;
  updatepanel();
  for (int n = 0; n < 4; n++) EXPECT_EQ(px(ins.oseng + 685 + 10 * n + 2, 412 - 50), 12) << n;
  set.ecam_page = 4;
}

TEST_F(Panel, HelicopterCollectiveTakesTheLeverBox) {
  fly(helicopter());
  ASSERT_TRUE(pln.is_heli);
  ASSERT_EQ(pln.collectEQ, 1);
  settle();  // no right-hand column: the airspeed dial 155 pixels further right, its needle up
  EXPECT_GE(on_ray(66 + 155, ins.y_loc[INS_ASI], 0, 8, 33, 33), 20);
  float pitch = flt.proppitch[0];
  enginecondrag(ins.osthr + 673, 530);
  EXPECT_NE(flt.proppitch[0], pitch);
  fly(shipped("Trainer"));
}

}  // namespace
