// The keys: translation from key events, the view cycles, keyboard flying,
// the free view, the presses on the panel and the power quadrant, the radios
// and the replay camera.
#include <cctype>
#include <cmath>
#include "sim/shell/keys.h"
#include "sim/shell/menus.h"
#include "tests/shell/shell_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/flt.h"
#include "sim/flight/ott.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/scn.h"

using namespace shell_test;

namespace {

class Keys : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    handlemenu(601);
    msc.prd = 0.05f;
  }
  // A key typed on the keyboard, through the platform's events and the window procedure.
  static void type_key(int key, int shift) {
    plat_inject_key(key, shift);
    MACIBM_pump();
  }
};

TEST_F(Keys, QAndETurnTheViewRoundInFortyFiveDegreeSteps) {
  const int left[9] = {601, 605, 607, 609, 612, 610, 608, 606, 601};
  for (int k = 1; k < 9; k++) {
    handle_simkey('q');
    EXPECT_EQ(set.view_type, left[k]) << "q press " << k;
  }
  for (int k = 7; k >= 0; k--) {
    handle_simkey('e');
    EXPECT_EQ(set.view_type, left[k]) << "e back to " << left[k];
  }
  handle_simkey('a');
  EXPECT_EQ(set.view_type, 619);
  handle_simkey('e');
  EXPECT_EQ(set.view_type, 606);
  handle_simkey('v');
  handle_simkey('q');
  EXPECT_EQ(set.view_type, 605);
}

// Every View menu item names the keys that give its view: pressed from the
// forward view they check that item.
TEST_F(Keys, EachViewItemsKeysGiveItsView) {
  int views = 0;
  for (int pos = 0; pos < desk_menu_item_count(6); pos++) {
    int id = desk_menu_item_id(6, pos);
    std::string text = desk_menu_item_text(6, pos);
    if (id > 626 || text[0] != '[') continue;
    handlemenu(601);
    for (size_t k = 1; text[k] != ']'; k++) handle_simkey(std::tolower(text[k]));
    EXPECT_EQ(set.view_type, id) << text;
    EXPECT_EQ(desk_menu_checked(6, id), 1) << text;
    views++;
  }
  EXPECT_EQ(views, 21);
  handle_simkey('d');
  EXPECT_EQ(msc.map_type, 503);
  int lamp = scn.lamp;
  handle_simkey(',');
  EXPECT_EQ(scn.lamp, !lamp);
}

TEST_F(Keys, TheKeypadFliesWithinItsLimits) {
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0;
  for (int k = 0; k < 21; k++) yoke_key(209);
  EXPECT_FLOAT_EQ(set.MK_ptch, -1);
  yoke_key(208);
  EXPECT_NEAR(set.MK_ptch, -0.95f, 1e-6f);
  for (int k = 0; k < 15; k++) yoke_key(211);
  EXPECT_FLOAT_EQ(set.MK_roll, 1);
  yoke_key(212);
  yoke_key(212);
  EXPECT_NEAR(set.MK_hdng, -0.2f, 1e-6f);
  yoke_key(207);
  EXPECT_FLOAT_EQ(set.MK_roll, 0);
  EXPECT_FLOAT_EQ(set.MK_hdng, 0);
  EXPECT_NEAR(set.MK_ptch, -0.95f, 1e-6f) << "centring leaves the pitch";
}

TEST_F(Keys, TheArrowsTurnTheFreeViewWrappedAndRaiseItWithinAQuarterTurn) {
  msc.freeviewxy = 0.02f;
  freeview_key(26);
  EXPECT_NEAR(msc.freeviewxy, 0.02f - 0.05f + 6.2831853f, 1e-5f);
  freeview_key(25);
  EXPECT_NEAR(std::fmod(msc.freeviewxy, 6.2831853f), 0.02f, 1e-5f);
  msc.freeviewz = 1.55f;
  freeview_key(27);
  EXPECT_NEAR(msc.freeviewz, 1.5707963f, 1e-6f);
  msc.freeviewz = 0.01f;
  freeview_key(28);
  EXPECT_FLOAT_EQ(msc.freeviewz, 0);
}

TEST_F(Keys, KeyEventsAreTranslatedAsOnAUsKeyboard) {
  type_key('q', 0);
  EXPECT_EQ(set.view_type, 605);
  type_key('3', 1);  // #
  EXPECT_EQ(set.view_type, 616);
  type_key('2', 1);  // @
  EXPECT_EQ(set.view_type, 617);
  type_key('\\', 1);  // |
  EXPECT_EQ(set.view_type, 621);
  type_key('-', 1);  // _
  EXPECT_EQ(set.view_type, 625);
  type_key('=', 1);  // +
  EXPECT_EQ(set.view_type, 626);
  set.MK_ptch = 0;
  type_key(KEY_KP0 + 8, 0);
  EXPECT_NEAR(set.MK_ptch, -0.05f, 1e-6f);
  type_key(KEY_KP0 + 2, 0);
  EXPECT_NEAR(set.MK_ptch, 0, 1e-6f);
  msc.freeviewz = 0;
  type_key(KEY_UP, 0);
  EXPECT_NEAR(msc.freeviewz, 0.05f, 1e-6f);
  // Shift and a letter tune a radio; the letter alone is a view.
  nav.cf[1] = 120;
  type_key('s', 1);
  EXPECT_EQ(nav.cf[1], 121);
  EXPECT_EQ(set.view_type, 626);
  type_key('s', 0);
  EXPECT_EQ(set.view_type, 602);
}

TEST_F(Keys, FunctionKeysBeyondTheLeversPressNothing) {
  set.eq_thr = 0;
  for (int code : {21, 22, 25, 26, 29, 30, 31, 33, 35, 42})
    EXPECT_EQ(function_key_press(code).where, PRESS_NONE) << "one set of levers: " << code;
  set.eq_thr = 1;
  EXPECT_EQ(function_key_press(18).where, PRESS_NONE);
  EXPECT_EQ(function_key_press(43).where, PRESS_NONE);
}

TEST_F(Keys, FlapSlatAndSpeedBrakeKeysGoToTheNextDetent) {
  ins.oseng = 0;
  const struct {
    int row, up, down;
  } flaps[] = {{446, 446, 454}, {454, 446, 468}, {468, 454, 484}, {484, 468, 500}, {500, 484, 500}};
  for (const auto& f : flaps) {
    ins.flap = f.row;
    EXPECT_EQ(simkey_press('1').y, f.up) << f.row;
    EXPECT_EQ(simkey_press('2').y, f.down) << f.row;
  }
  ins.slat = 463;
  EXPECT_EQ(simkey_press('3').y, 463);
  EXPECT_EQ(simkey_press('4').y, 473);
  ins.slat = 483;
  EXPECT_EQ(simkey_press('3').y, 473);
  EXPECT_EQ(simkey_press('4').y, 483);
  ins.sbrk = 453;
  EXPECT_EQ(simkey_press('5').y, 453);
  EXPECT_EQ(simkey_press('6').y, 463);
  ins.sbrk = 473;
  EXPECT_EQ(simkey_press('5').y, 463);
  EXPECT_EQ(simkey_press('6').y, 483);
  flt.revving_thrust[0] = 0;
  EXPECT_EQ(simkey_press('.').y, 570);
  flt.revving_thrust[0] = 1;
  EXPECT_EQ(simkey_press('.').y, 558);
  handle_simkey('.');
  EXPECT_FLOAT_EQ(msc.dragtime, 2.0f);
}

TEST_F(Keys, TheDisconnectLeavesNoAutopilotModeOn) {
  EXPECT_EQ(simkey_press('q').where, PRESS_NONE);
  // Heading mode only, then the heading button, which turns it off too.
  ott.NAV[0] = ott.ALHOLD = ott.ASHOLD = 1;
  ott.HDSLCT = 0;
  handle_simkey('!');
  EXPECT_EQ(ott.HDSLCT + ott.NAV[0] + ott.NAV[1] + ott.ALHOLD + ott.VVHOLD + ott.GS2 + ott.ASHOLD, 0);
}

TEST_F(Keys, CapitalsTuneTheRadiosAndNavOneOnlyWhereItIsShown) {
  pln.supptype = 3;  // the GPS stands in for nav 1
  nav.cf[0] = 121;
  handle_simkey('W');
  EXPECT_EQ(nav.cf[0], 121);
  pln.supptype = 1;
  handle_simkey('W');
  EXPECT_EQ(nav.cf[0], 122);
  nav.nf100[0] = 95;
  handle_simkey('I');
  EXPECT_EQ(nav.nf100[0], 0);
  nav.cf[1] = 134;
  handle_simkey('S');
  EXPECT_EQ(nav.cf[1], 118);
  nav.adf1 = 9;
  handle_simkey('P');
  EXPECT_EQ(nav.adf1, 0);
  nav.adf3 = 0;
  handle_simkey('>');
  EXPECT_EQ(nav.adf3, 9);
  nav.tran4 = 7;
  handle_simkey('<');
  EXPECT_EQ(nav.tran4, 0);
  nav.tran1 = 0;
  handle_simkey('Z');
  EXPECT_EQ(nav.tran1, 7);
}

TEST_F(Keys, SpaceLaunchesFromTheCatapultOrShowsTheControllersMenu) {
  flt.cat_stage = 27;
  atc.menu_up = 0;
  handle_simkey(' ');
  EXPECT_EQ(flt.cat_stage, 28);
  EXPECT_EQ(atc.menu_up, 0);
  handle_simkey(' ');
  EXPECT_EQ(atc.menu_up, 1);
  EXPECT_EQ(atc.menu_level, 5);
  handle_simkey(' ');
  EXPECT_EQ(atc.menu_up, 0);
}

class Replay : public Keys {
 protected:
  void SetUp() override {
    Keys::SetUp();
    set.view_type = 999;
    for (int s = 0; s < PATH_SLOTS; s++) pat.inited[s] = 0;
    msc.mousedown = 0;
    msc.x_view = msc.y_view = msc.z_view = 0;
    scn.psi180rad = scn.the180rad = 0;
  }
  // Out of the replay, back to the forward view.
  void TearDown() override { handlemenu(601); }
};

TEST_F(Replay, OnlyTheCameraKeysActAndCommaStillAmplifies) {
  handle_simkey('w');
  EXPECT_EQ(set.view_type, 999);
  handle_simkey('q');
  EXPECT_EQ(set.view_type, 999);
  int lamp = scn.lamp;
  handle_simkey(',');
  EXPECT_EQ(scn.lamp, !lamp);
  EXPECT_EQ(set.view_type, 999);
  // Forwards along the view, 100 m a press; faster while the button is held.
  scn.psi180rad = 1.5707963f;  // east
  handle_simkey('i');
  EXPECT_NEAR(msc.x_view, 100, 1e-3f);
  EXPECT_NEAR(msc.y_view, 0, 1e-3f);
  handle_simkey('l');  // right of east is south
  EXPECT_NEAR(msc.y_view, -100, 1e-3f);
  msc.mousedown = 1;
  handle_simkey('K');
  EXPECT_NEAR(msc.x_view, 100 - 0.05f * 2000, 1e-3f);
  msc.mousedown = 0;
  pat.centroid_x = 500;
  pat.centroid_y = 700;
  pat.circ_rad = 4000;
  handle_simkey('c');
  EXPECT_NEAR(std::hypot(msc.x_view - 500, msc.y_view - 700), 4000, 0.5f);
}

TEST_F(Replay, StepsSkipUnrecordedPointsAndAnEmptyPathStopsAfterOnePass) {
  pat.cntr_replay = 10;
  handle_simkey('f');  // nothing recorded: returns at once
  handle_simkey('F');
  EXPECT_EQ(pat.cntr_replay, 10);
  const int recorded[] = {5, 12, 13, 40, 5990};
  for (int s : recorded) {
    pat.inited[s] = 1;
    pat.xyztpp[s][0] = 1000.0f + s;
    pat.xyztpp[s][1] = 2000;
    pat.xyztpp[s][2] = 300;
    pat.xyztpp[s][3] = 0;
    pat.xyztpp[s][4] = 0;
  }
  handle_simkey('f');
  EXPECT_EQ(pat.cntr_replay, 12);
  handle_simkey('F');  // 13, 40, 5990, then round to 5
  EXPECT_EQ(pat.cntr_replay, 5);
  // Behind and below the point, looking along its heading.
  pln.is_heli = 0;
  pln.semilen[4] = 5;
  pln.semilen[6] = 0;
  handle_simkey('f');
  EXPECT_EQ(pat.cntr_replay, 12);
  float d = 100;  // 20 x the larger semi-span
  EXPECT_NEAR(msc.x_view, 1012 - d * std::sin(-0.2617994f) * std::cos(-0.0523599f), 0.01f);
  EXPECT_NEAR(msc.y_view, 2000 - d * std::cos(-0.2617994f) * std::cos(-0.0523599f), 0.01f);
  EXPECT_NEAR(msc.z_view, 300 - d * std::sin(-0.0523599f), 0.01f);
  EXPECT_NEAR(scn.psi180rad, -0.0174533f, 1e-5f);
  EXPECT_FLOAT_EQ(scn.phi180rad, 0);
}

}  // namespace
