// The menu bar, its command numbers, check marks and greying, and what the
// commands and the closing of the settings windows do.
#include <cstring>
#include "sim/aircraft/initpln.h"
#include "sim/output/do_graph.h"
#include "sim/shell/menus.h"
#include "sim/shell/prefs.h"
#include "sim/shell/event.h"
#include "sim/shell/wintab.h"
#include "sim/world/grid.h"
#include "tests/shell/shell_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

using namespace shell_test;

namespace {

class Menus : public ShellTest {};

TEST_F(Menus, TheRegionsListsHangInTheLocationMenusAndOutputMenu) {
  ASSERT_GT(env.apt_list_num, 0);
  // Takeoff, VFR Final, ILS Final, Over VOR, Over NDB and Favorites open their lists.
  const int subs[][2] = {{0, 9}, {1, 10}, {2, 11}, {4, 12}, {5, 13}, {14, 14}};
  for (const auto& s : subs) EXPECT_EQ(desk_menu_item_submenu(3, s[0]), s[1]) << "position " << s[0];
  EXPECT_EQ(desk_menu_item_count(9), env.apt_list_num);
  EXPECT_EQ(desk_menu_item_count(12), env.vor_list_num);
  EXPECT_EQ(desk_menu_item_count(13), env.ndb_list_num);
  // Output: the fixed items, the plates, a separator and "Reset Flight Path".
  EXPECT_EQ(desk_menu_item_count(5), 9 + env.apt_list_num + 2);
  EXPECT_EQ(desk_menu_item_id(5, 9), 510);
  EXPECT_EQ(desk_menu_item_id(5, 9 + env.apt_list_num + 1), 512 + env.apt_list_max);
  EXPECT_EQ(desk_menu_enabled(3, 301), 1);
  EXPECT_EQ(desk_menu_enabled(3, 305), env.vor_list_num > 0);
}

TEST_F(Menus, ViewCommandsMoveTheCheckMarkAndHideThePanelForOutsideViews) {
  EXPECT_EQ(set.view_type, 601);
  EXPECT_EQ(desk_menu_checked(6, 601), 1);
  const int fullscreen[] = {605, 606, 607, 608, 609, 610, 612, 614, 615, 616, 617, 620, 621, 622, 623, 625, 626};
  const int panel[] = {601, 602, 603, 619};
  for (int v : fullscreen) {
    handlemenu(v);
    EXPECT_EQ(set.view_type, v);
    EXPECT_EQ(set.view_is_fullscreen, 1) << v;
    for (int w = 601; w <= 626; w++) EXPECT_EQ(desk_menu_checked(6, w), w == v) << v << " " << w;
  }
  for (int v : panel) {
    handlemenu(v);
    EXPECT_EQ(set.view_type, v);
    EXPECT_EQ(set.view_is_fullscreen, 0) << v;
  }
  // Separators are no views.
  for (int sep : {604, 611, 613, 618, 624}) {
    handlemenu(sep);
    EXPECT_EQ(set.view_type, 619) << sep;
  }
  flt.x = 1000;
  flt.y = 2000;
  flt.z = 300;
  handlemenu(617);
  EXPECT_FLOAT_EQ(msc.x_view, 1020);
  EXPECT_FLOAT_EQ(msc.y_view, 2000);
  EXPECT_FLOAT_EQ(msc.z_view, 300);
}

TEST_F(Menus, TogglesKeepTheirCheckMarks) {
  int lamp = scn.lamp;
  handlemenu(631);
  EXPECT_EQ(scn.lamp, !lamp);
  EXPECT_EQ(desk_menu_checked(6, 631), !lamp);
  handlemenu(631);
  EXPECT_EQ(scn.lamp, lamp);
  int log = msc.logtime;
  handlemenu(711);
  EXPECT_EQ(msc.logtime, !log);
  EXPECT_EQ(desk_menu_checked(7, 711), !log);
}

TEST_F(Menus, TheGeneratedStartCommandsPickTheListedAirportAndRunway) {
  ASSERT_GE(env.apt_list_num, 3);
  handlemenu(1501);
  EXPECT_EQ(msc.typestart, 900);
  EXPECT_EQ(msc.loc_index, apt_to_index[0]);
  EXPECT_EQ(msc.rway_sel, 0);
  handlemenu(8602);
  EXPECT_EQ(msc.typestart, 1000);
  EXPECT_EQ(msc.loc_index, apt_to_index[1]);
  EXPECT_EQ(msc.rway_sel, 1);
  handlemenu(15701);
  EXPECT_EQ(msc.typestart, 1100);
  EXPECT_EQ(msc.loc_index, apt_to_index[2]);
  // The first runway item of a submenu starts at that runway's first end.
  int a = apt_to_index[2];
  for (int r = 0; r < 6; r++) {
    if (apt_len[a][r / 2] <= 1) continue;
    handlemenu(1700 + r + 1);
    EXPECT_EQ(msc.rway_sel, r);
    EXPECT_EQ(msc.typestart, 900);
  }
}

TEST_F(Menus, NavaidCommandsReachEveryListedEntryAndNothingBeyond) {
  // A full list of 70 VORs: the last entry has its own command, 1270.
  int saved_num = env.vor_list_num;
  env.vor_list_num = REG_LIST_MAX;
  for (int k = 0; k < REG_LIST_MAX; k++) vor_to_index[k] = k;
  msc.est_Vs = 30;
  handlemenu(1270);
  EXPECT_FLOAT_EQ(set.cus_z, nav_z[69] + 1000);
  EXPECT_FLOAT_EQ(set.cus_y, env_y_of_lat(nav_lat[69]));
  EXPECT_FLOAT_EQ(set.cus_psi, 0);
  EXPECT_FLOAT_EQ(set.cus_v, 45);
  handlemenu(1201);
  EXPECT_FLOAT_EQ(set.cus_z, nav_z[0] + 1000);
  // 1200 and 1271 are no entries: nothing moves.
  set.cus_z = -1;
  handlemenu(1200);
  handlemenu(1271);
  EXPECT_FLOAT_EQ(set.cus_z, -1);
  // Entries past the region's list do nothing either.
  env.vor_list_num = 2;
  handlemenu(1203);
  EXPECT_FLOAT_EQ(set.cus_z, -1);
  env.vor_list_num = saved_num;
  env.ndb_list_num = 1;
  ndb_to_index[0] = 5;
  handlemenu(1301);
  EXPECT_FLOAT_EQ(set.cus_z, nav_z[5] + 1000);
  set.cus_z = -1;
  handlemenu(1300);
  handlemenu(1302);
  EXPECT_FLOAT_EQ(set.cus_z, -1);
  // Numbers no item carries do nothing either.
  int view = set.view_type;
  for (int c : {509, 627, 999, 1371, 23000}) handlemenu(c);
  EXPECT_FLOAT_EQ(set.cus_z, -1);
  EXPECT_EQ(set.view_type, view);
}

TEST_F(Menus, FavoritesAndAirportIdsMoveTheFlight) {
  handlemenu(1402);
  int ktrm = airport_index("KTRM");
  EXPECT_EQ(msc.loc_index, ktrm);
  EXPECT_EQ(env.lat_sou, bk::round(apt_lat[ktrm][0] - 1.0f));
  EXPECT_EQ(env.lon_wes, bk::round(apt_lon[ktrm][0] - 1.5f));
  EXPECT_EQ(msc.typestart, 900);
  EXPECT_EQ(apt_inreg[ktrm], 1) << "the region was loaded around it";
  handlemenu(1404);
  EXPECT_EQ(msc.loc_index, airport_index("KCGX"));
  EXPECT_EQ(msc.rway_sel, 1);
  desk_alert_record_clear();
  gotofield("0XYZ", 0);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_STREQ(desk_alert_text(0),
               "I could not find an airport with this ID anywhere in the country!\n"
               "Small airports (with a NUMBER for the first digit) are not simulated.\n"
               "There are still over 3,100 airports simulated by Tarvel.\n");
  EXPECT_EQ(msc.loc_index, airport_index("KCGX"));
  // Closing the airport-by-ID window goes to the airport typed in it, and
  // only when one was typed.
  C_to_C("KBKL", msc.apt_id_req);
  handlemenu(309);
  EXPECT_EQ(mnw.up[1], 1);
  desk_alert_record_clear();
  handlemenu(601);  // every command closes the settings windows first
  EXPECT_EQ(mnw.up[1], 0);
  EXPECT_EQ(msc.loc_index, airport_index("KCGX")) << "nothing typed, nothing done";
  EXPECT_EQ(desk_alert_count(), 0);
  handlemenu(309);
  for (char c : std::string("KBKL")) window_key(1, c | 0x20, c);
  handlemenu(601);
  EXPECT_EQ(mnw.up[1], 0);
  EXPECT_EQ(msc.loc_index, airport_index("KBKL"));
}

TEST_F(Menus, IdentifierSearchComparesFourCharactersUpToTheGivenEntry) {
  int index = -1;
  int ksbd = airport_index("KSBD");
  ASSERT_EQ(get_index_from_id("KSBD", 1, env.aptmax, &index), 1);
  EXPECT_EQ(index, ksbd);
  EXPECT_EQ(get_index_from_id("KSBDX", 1, env.aptmax, &index), 1) << "only four characters count";
  EXPECT_EQ(get_index_from_id("KSBD", 1, ksbd - 1, &index), 0);
  EXPECT_EQ(get_index_from_id("KSB", 1, env.aptmax, &index), 0);
  EXPECT_EQ(get_index_from_id("KSBD", 1, 1000000, &index), 1) << "a huge maximum stays in the table";
  ASSERT_GT(env.navmax, 3);
  char id[8];
  std::snprintf(id, sizeof id, "%s", nav_id[3]);
  ASSERT_EQ(get_index_from_id(id, 2, env.navmax, &index), 1);
  EXPECT_EQ(std::strncmp(nav_id[index], id, 4), 0);
  EXPECT_LE(index, 3);
}

TEST_F(Menus, TheLatLonWindowStartsAtTheAirportNearestTheRegionsMiddle) {
  int kbkl = airport_index("KBKL");
  set_region_from_apt(kbkl);
  msc.loc_index = kbkl;
  handlemenu(314);
  EXPECT_EQ(mnw.up[5], 1);
  MACIBM_killwind(5);
  EXPECT_EQ(msc.loc_index, kbkl) << "closed untouched, it moves nothing";
  handlemenu(314);
  // One step up on the latitude's units digit.
  msc.mx = 55;
  msc.my = 40;
  msc.mousedown = 1;
  handlewindowclick(5);
  msc.mousedown = 0;
  EXPECT_EQ(env.lat_sou, bk::round(apt_lat[kbkl][0] - 1.0f) + 1);
  MACIBM_killwind(5);
  EXPECT_EQ(msc.typestart, 900);
  ASSERT_GE(msc.loc_index, 0);
  float lat = env.lat_sou + 1.0f, lon = env.lon_wes + 1.5f;
  float d = pythag(apt_lat[msc.loc_index][0] - lat, apt_lon[msc.loc_index][0] - lon);
  for (int n = 0; n <= env.aptmax; n++) EXPECT_GE(pythag(apt_lat[n][0] - lat, apt_lon[n][0] - lon), d) << n;
  EXPECT_EQ(apt_inreg[msc.loc_index], 1);
}

TEST_F(Menus, ClosingTheWeightWindowsWarnsOnlyAboveTheMaximum) {
  pln.m_empty = 600;
  pln.m_max = 1000;
  flt.m_fuel = 100;
  flt.m_jettison = 50;
  flt.m_fixed = 250;
  handlemenu(414);
  desk_alert_record_clear();
  MACIBM_killwind(17);
  EXPECT_EQ(desk_alert_count(), 0) << "exactly at the maximum";
  flt.m_fixed += 1;
  handlemenu(413);
  MACIBM_killwind(16);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_STREQ(desk_alert_text(0),
               "Your total weight is above the maximum allowable weight for the airplane!\n"
               "You will be breaking several Federal Aviation Regulations by flying this thing!\n"
               "You SHOULD reduce your fuel or fixed load.\n");
}

TEST_F(Menus, ClosingTheReliabilityWindowsRepairsTheirSystems) {
  rel.vacuum = rel.ss_alt = rel.efis_2 = 0;
  rel.engine[2] = rel.fc_rud = rel.lagear[1] = rel.otto = rel.trotor = 0;
  set.gear_time[1] = 55;
  handlemenu(417);
  MACIBM_killwind(19);
  EXPECT_EQ(rel.vacuum + rel.ss_alt + rel.efis_2, 3);
  EXPECT_EQ(rel.engine[2], 0) << "equipment waits for its own window";
  handlemenu(418);
  MACIBM_killwind(20);
  EXPECT_EQ(rel.engine[2] + rel.fc_rud + rel.lagear[1] + rel.otto + rel.trotor, 5);
  EXPECT_FLOAT_EQ(set.gear_time[1], 0);
}

TEST_F(Menus, ClosingTheFlightPlanFilesItToAKnownAirport) {
  fpl.onfile = 0;
  atc.plan_index = -1;
  std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%s", "QQQQ");
  handlemenu(405);  // any window: the plan window is closed the same way
  MACIBM_startwind(27, 1);
  MACIBM_killwind(27);
  EXPECT_EQ(fpl.onfile, 0);
  EXPECT_EQ(atc.plan_index, -1);
  std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%s", "KTRM");
  atc.ils_vec_in_progress = 1;
  MACIBM_startwind(27, 1);
  MACIBM_killwind(27);
  EXPECT_EQ(fpl.onfile, 1);
  EXPECT_EQ(atc.plan_index, airport_index("KTRM"));
  EXPECT_EQ(atc.ils_vec_in_progress, 0);
}

TEST_F(Menus, TheGraphNeedsDataAndThePlatesNeedAnAirport) {
  for (int i = 0; i < DATA_ITEMS; i++) set.Bgrf[i] = 0;
  set_rlt_grf_choices();
  handlemenu(501);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)).substr(0, 39), "You have not selected any data to view!");
  EXPECT_EQ(mnw.up[23], 0);
  set.Bgrf[7] = 1;
  set_rlt_grf_choices();
  handlemenu(501);
  EXPECT_EQ(mnw.up[23], 1);
  EXPECT_EQ(desk_alert_count(), 1);

  ASSERT_GT(env.apt_list_num, 1);
  handlemenu(511);
  EXPECT_EQ(mnw.up[26], 1);
  EXPECT_EQ(msc.map_type, 999);
  int n = apt_to_index[1];
  EXPECT_EQ(msc.plate_index, n);
  EXPECT_EQ(std::string(mnw.windowname[26]), std::string(apt_name[n]) + " (" + apt_id[n] + ")");
  handlemenu(503);
  EXPECT_EQ(msc.map_type, 503);
  EXPECT_EQ(mnw.up[26], 0);

  pat.inited[17] = 1;
  pat.cntr_record = 17;
  handlemenu(512 + env.apt_list_max);
  EXPECT_EQ(pat.inited[17], 0);
  EXPECT_EQ(pat.cntr_record, 0);
}

TEST_F(Menus, ShipStartsNeedAShipInTheRegion) {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) boat_on_poly[i][j] = carr_on_poly[i][j] = 0;
  update_location_menus();
  EXPECT_EQ(desk_menu_enabled(3, 318), 0);
  EXPECT_EQ(desk_menu_enabled(3, 320), 0);
  handlemenu(319);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)).substr(0, 36), "I can't find any ships in the area!\n");
  carr_on_poly[40][40] = 1;
  update_location_menus();
  EXPECT_EQ(desk_menu_enabled(3, 319), 1);
  EXPECT_EQ(desk_menu_enabled(3, 318), 0);
  desk_alert_record_clear();
  handlemenu(320);
  EXPECT_EQ(desk_alert_count(), 0);
}

TEST_F(Menus, TheInformationItemsAndTheCycleDumpSpeak) {
  for (int c = 705; c <= 709; c++) handlemenu(c);
  ASSERT_EQ(desk_alert_count(), 5);
  for (int n = 0; n < 5; n++) EXPECT_GT(std::strlen(desk_alert_text(n)), 100u) << n;
  handlemenu(701);
  EXPECT_EQ(set.cycoutwaiting, 1);
  EXPECT_EQ(std::string(desk_alert_text(5)).substr(0, 30), "I will dump all the data for t");
}

TEST_F(Menus, OpeningAnAircraftLoadsItAndACancelKeepsTheOld) {
  std::string before = pln.C_path;
  desk_answer_push_cancel();
  handlemenu(201);
  EXPECT_EQ(std::string(pln.C_path), before);
  std::string twin = std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/LightTwin/LightTwin.acf";
  desk_answer_push_path(twin.c_str());
  msc.typestart = 1100;
  handlemenu(201);
  EXPECT_EQ(std::string(pln.C_path), twin);
  EXPECT_STREQ(pln.C_file, "LightTwin.acf");
  EXPECT_EQ(pln.numen, 2);
  EXPECT_EQ(msc.typestart, 900);
}

}  // namespace
