// The airport and navaid files, the region lists and the Location menus.
#include "world_fixture.h"
#include "sim/world/terrain.h"
#include <cmath>
#include "sim/world/env.h"

namespace {

struct InitNav : ::testing::Test {
  world_dir dir;
  void SetUp() override { world_reset(); }
  void files(const std::vector<std::string>& apts, const std::vector<std::string>& navs) {
    dir.write("additional nav data/apt_dat", apt_file(apts));
    dir.write("additional nav data/nav_dat", apt_file(navs));
  }
};

const apt_rec ksbd = {"KSBD", "San Bernardino International Airport", 34.0954f, -117.2345f, 6, 'x', 70,
                      10000, 200, 1159, 1};

TEST_F(InitNav, ReadsAirportsInMetresWithWrappedHeadings) {
  apt_rec a = ksbd;
  apt_rec b = {"L18", "Fallbrook Community Airpark", 33.35f, -117.25f, 18, 'x', 360, 5000, 75, -115, 0};
  apt_rec c = {"KX Y", "Blank In Id", 33.5f, -117.5f, 9, 'L', -10, 1000, 150, 10, 2};
  files({apt_line(a), apt_line(b), apt_line(c)}, {});
  init_country_data();
  ASSERT_EQ(env.aptmax, 2);
  EXPECT_STREQ(apt_id[0], "KSBD");
  EXPECT_EQ(apt_len[0][0], 3048);   // 10000 ft
  EXPECT_EQ(apt_width[0][0], 60);   // 200 ft = 60.96 m, truncated
  EXPECT_EQ(apt_len[1][0], 1524);   // 5000 ft exactly
  EXPECT_EQ(apt_width[1][0], 22);   // 22.86 m
  EXPECT_NEAR(apt_z[0], 353.26f, 0.01f);
  EXPECT_NEAR(apt_z[1], -35.05f, 0.01f);
  EXPECT_EQ(apt_hdng[1][0], 0);     // 360
  EXPECT_EQ(apt_hdng[2][0], 350);   // -10
  EXPECT_EQ(apt_twr[0], 1);
  EXPECT_EQ(apt_twr[2], 0);         // 2 is not a tower
  EXPECT_STREQ(apt_id[1], "L18 ");  // a three-letter identifier keeps its name whole
  EXPECT_STREQ(apt_name[1], "Fallbrook Community Airpark");
  EXPECT_STREQ(apt_id[2], "KX Y");
  EXPECT_EQ(apt_len[0][1], 0);      // empty slots
  EXPECT_EQ(find_apt_by_id("l18"), 1);
  EXPECT_EQ(find_apt_by_id("ksbd "), 0);
  EXPECT_EQ(find_apt_by_id("KSB"), -1);
}

TEST_F(InitNav, LongNamesAreCutTo38) {
  apt_rec a = ksbd;
  a.name = "An Airport Whose Name Is Far Too Long For The Table";
  files({apt_line(a)}, {nav_line(3, 34, -117, "PDZ", "A Navaid Whose Name Is Far Too Long For The Table")});
  init_country_data();
  EXPECT_EQ(std::strlen(apt_name[0]), 38u);
  EXPECT_STREQ(apt_name[0], "An Airport Whose Name Is Far Too Long ");
  EXPECT_EQ(std::strlen(nav_name[0]), 38u);
}

TEST_F(InitNav, BeaconStandsThreeWidthsLeftOfRunwayZero) {
  apt_rec a = ksbd;
  a.hdng = 90;  // runway pointing east: left is north
  a.lat = 34.0f;
  files({apt_line(a)}, {});
  init_country_data();
  float d_nm = apt_width[0][0] * 3 / 1852.0f;
  EXPECT_NEAR(beaclat[0], 34.0f + d_nm / 60, 1e-5f);
  EXPECT_NEAR(beaclon[0], apt_lon[0][0], 1e-5f);
  EXPECT_NEAR(beacz[0], apt_z[0] + 27, 1e-3f);
}

// Exactly full tables load (the navaids with the carrier's two slots above
// them); one line more is fatal.
TEST_F(InitNav, FullTablesLoadAndOneMoreLineIsFatal) {
  std::vector<std::string> lines(APT_MAX, apt_line(ksbd)), navs(NAV_FILE_MAX, nav_line(3, 1, 1, "ABC", "X"));
  files(lines, navs);
  EXPECT_FALSE(WORLD_FATAL(init_country_data()));
  EXPECT_EQ(env.aptmax, APT_MAX - 1);
  EXPECT_EQ(env.navmax, NAV_FILE_MAX + 2);
  lines.push_back(apt_line(ksbd));
  files(lines, navs);
  EXPECT_TRUE(WORLD_FATAL(init_country_data()));
  EXPECT_EQ(last_alert(), "Too many airports in world database!\n15000\n\n");
  navs.push_back(nav_line(3, 1, 1, "ABC", "X"));
  files({}, navs);
  EXPECT_TRUE(WORLD_FATAL(init_country_data()));
  EXPECT_EQ(last_alert(), "Too many navs in world database!\n19997\n\n");
}

TEST_F(InitNav, WrittenLinesReadBackUnchanged) {
  float lat[3] = {34.0954f, 0, 0}, lon[3] = {-117.2345f, 0, 0};
  int num[3] = {6, 0, 0}, hdng[3] = {70, 0, 0}, len[3] = {10000, 0, 0}, wid[3] = {200, 0, 0};
  int lite[3] = {232355, 0, 0};
  char lr[3] = {'L', 'x', 'x'};
  std::string path = (dir.nav_dir() / "apt_dat").string();
  ASSERT_TRUE(ouf_open(path.c_str(), FTYPE_ANY_TEXT, 354));
  ouf << "354 version code 2\n";
  dump_apt_line(1, lat, lon, num, lr, hdng, len, wid, lite, 1159, 1, "L18", "Fallbrook Community Airpark");
  dump_apt_line(1, lat, lon, num, lr, hdng, len, wid, lite, 12, 0, "KX Y", "Blank");
  ouf << "99\n";
  ouf.close();
  path = (dir.nav_dir() / "nav_dat").string();
  ASSERT_TRUE(ouf_open(path.c_str(), FTYPE_ANY_TEXT, 354));
  ouf << "354 version code 2\n";
  dump_nav_line(2, 32.7399f, -117.216f, 15, 245, 0, 0, "AN", "Boing NDB");
  dump_nav_line(4, 34.1f, -117.2f, 1159, 110, 15, 70, "ISBD", "KSBD ILS 06");
  ouf << "99\n";
  ouf.close();
  init_country_data();
  ASSERT_EQ(env.aptmax, 1);
  EXPECT_STREQ(apt_id[0], "L18 ");
  EXPECT_STREQ(apt_name[0], "Fallbrook Community Airpark");
  EXPECT_STREQ(apt_id[1], "KX Y");
  EXPECT_STREQ(apt_name[1], "Blank");
  EXPECT_EQ(apt_lite[0][0], 232355);
  EXPECT_EQ(apt_lr[0][0], 'L');
  EXPECT_NEAR(apt_lat[0][0], 34.0954f, 1e-6f);
  ASSERT_EQ(env.navmax, 4);  // the two records and the carrier's slots
  EXPECT_STREQ(nav_id[0], "AN  ");
  EXPECT_STREQ(nav_name[0], "Boing NDB");
  EXPECT_EQ(nav_f1[0], 245);
  EXPECT_STREQ(nav_id[1], "ISBD");
  EXPECT_EQ(nav_f2[1], 15);
  EXPECT_EQ(nav_hdng[1], 70);
  EXPECT_STREQ(nav_name[1], "KSBD ILS 06");
}

TEST_F(InitNav, CrLfAndCrFilesReadTheSame) {
  for (const char* eol : {"\r\n", "\r"}) {
    std::string text = apt_file({apt_line(ksbd)});
    std::string conv;
    for (char c : text) {
      if (c == '\n') conv += eol;
      else conv += c;
    }
    dir.write("additional nav data/apt_dat", conv);
    dir.write("additional nav data/nav_dat", apt_file({}));
    init_country_data();
    ASSERT_EQ(env.aptmax, 0);
    EXPECT_STREQ(apt_name[0], "San Bernardino International Airport");
    EXPECT_STREQ(apt_id[0], "KSBD");
  }
}

// A missing file, a wrong version, a cut or malformed line, a number no
// airport can have (naming the line, the field and the value) and a line
// that ends before its identifier (which would take the next line's first
// characters and lose that airport) each end the read naming the file.
TEST_F(InitNav, BadFilesEndTheReadNamingTheFile) {
  const std::string good = apt_line(ksbd), apt = "additional nav data/apt_dat", nav = "additional nav data/nav_dat";
  const std::string rest = " 6 x 70 10000 200 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 ";
  struct Case {
    std::string apt_text, nav_text;
    std::vector<std::string> says;
  };
  const Case cases[] = {
      {"", apt_file({}),
       {"I am unable to access a nav, airport, or fix data file!\nThe path I am looking at is as follows:\n" +
        (dir.nav_dir() / "apt_dat").string() + "\nMake sure the file listed above is available in the path listed above!"}},
      {"I\n353 version\n0\n99\n", apt_file({}), {"wrong version", "apt_dat"}},
      {"I\n354 version\n0\n" + good.substr(0, 40), apt_file({}), {"File-scanning error!", "apt_dat"}},
      {"I\n354 version\n0\n1 34.0 -117.0 six x 70 10000 200 0\n", apt_file({}), {"File-scanning error!", "apt_dat"}},
      {apt_file({good}), "I\n354 version\n0\n3 34.0 -117.0 100 113 50", {"nav_dat"}},
      {apt_file({good, "1 1e30 -117" + rest + "1159 1 KBAD Bad\n"}), apt_file({}),
       {"out of range", "The runway latitude on line 5 is 1e+30", "apt_dat"}},
      {apt_file({good, "1 34 -3e38" + rest + "1159 1 KBAD Bad\n"}), apt_file({}),
       {"The runway longitude on line 5 is -3e+38", "apt_dat"}},
      {apt_file({good, "1 95.5 -117" + rest + "1159 1 KBAD Bad\n"}), apt_file({}), {"The runway latitude on line 5 is 95.5"}},
      {apt_file({good, "1 34 -117" + rest + "3e38 1 KBAD Bad\n"}), apt_file({}),
       {"The airport elevation (ft) on line 5 is 3e+38"}},
      {apt_file({good, "1 34 -117 6 x 70 2000000000 200 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 1159 1 KBAD Bad\n"}),
       apt_file({}), {"The runway length (ft) on line 5 is 2000000000"}},
      {apt_file({good}), apt_file({nav_line(3, 1e30f, 5, "BAD", "Bad")}),
       {"out of range", "The navaid latitude on line 4 is 1e+30", "nav_dat"}},
      {apt_file({good, good.substr(0, good.find(" KSBD")) + "\n", good}), apt_file({}),
       {"Line 5 has no airport identifier.", "apt_dat"}},
  };
  for (const Case& c : cases) {
    fs::remove(dir.root / apt);
    if (!c.apt_text.empty()) dir.write(apt, c.apt_text);
    dir.write(nav, c.nav_text);
    EXPECT_TRUE(WORLD_FATAL(init_country_data())) << c.says[0];
    for (const std::string& say : c.says) EXPECT_NE(last_alert().find(say), std::string::npos) << last_alert();
  }
}

// The simulator cannot start anywhere without an airport: it says which
// file is empty, not "loc_index out of range!".
TEST_F(InitNav, NoAirportsIsAClearMessageAtStart) {
  files({}, {});
  init_country_data();
  EXPECT_EQ(env.aptmax, -1);
  EXPECT_EQ(env.navmax, 2);
  EXPECT_TRUE(WORLD_FATAL(need_airports()));
  EXPECT_EQ(last_alert().rfind("The airport file holds no airports!", 0), 0u) << last_alert();
  EXPECT_NE(last_alert().find("apt_dat"), std::string::npos) << last_alert();
  files({apt_line(ksbd)}, {});
  init_country_data();
  EXPECT_FALSE(WORLD_FATAL(need_airports()));
}

TEST(RunwayNames, NumbersLettersAndPads) {
  char s[STR_DIM];
  rway_to_cs(9, 'L', 0, s);
  EXPECT_STREQ(s, "Rwy 09L");
  rway_to_cs(4, 'x', 1, s);
  EXPECT_STREQ(s, "Pad 04");
  rway_to_cs(36, 'C', 0, s);
  EXPECT_STREQ(s, "Rwy 36C");
  EXPECT_EQ(rev_rway_num(36), 18);
  EXPECT_EQ(rev_rway_num(9), 27);
  EXPECT_EQ(rev_rway_num(1), 19);
  EXPECT_EQ(rev_rway_num(2147483647), 1);  // 19 on the 36-point card, without overflowing
  EXPECT_EQ(rev_rway_lr('L'), 'R');
  EXPECT_EQ(rev_rway_lr('R'), 'L');
  EXPECT_EQ(rev_rway_lr('C'), 'L');
  EXPECT_EQ(rev_rway_lr('x'), 'x');
}

// ---- the region ----

// The menus the generated entries go into, as the menu bar makes them.
static void location_menus() {
  for (int m = 1; m < DESK_MENUS - 1; m++)
    if (desk_menu_exists(m)) MACIBM_delete_menu(m);
  MACIBM_create_menu(3, "Location");
  MACIBM_create_submenu(3, 9, 301, "Takeoff");
  MACIBM_create_submenu(3, 10, 302, "VFR Final");
  MACIBM_create_submenu(3, 11, 303, "ILS Final");
  MACIBM_create_submenu(3, 12, 305, "Over VOR");
  MACIBM_create_submenu(3, 13, 306, "Over NDB");
  MACIBM_create_menu(5, "Output");
}

struct Region : InitNav {
  void SetUp() override {
    InitNav::SetUp();
    location_menus();
    env.lat_sou = 33;
    env.lon_wes = -119;
  }
};

TEST_F(Region, MembershipBoundsAreInclusive) {
  std::vector<std::string> a;
  const float pts[][2] = {{33.0f, -119.0f}, {35.0f, -116.0f}, {34.0f, -116.0f}, {32.999f, -118.0f},
                          {34.0f, -115.999f}, {35.001f, -117.0f}, {34.0f, -119.001f}};
  for (auto& p : pts) {
    apt_rec r = ksbd;
    r.lat = p[0];
    r.lon = p[1];
    a.push_back(apt_line(r));
  }
  files(a, {nav_line(3, 35.0f, -116.0f, "EDG", "Edge VOR"), nav_line(3, 35.01f, -116.0f, "OUT", "Out VOR")});
  init_country_data();
  finish_nav_readin();
  const int want[] = {1, 1, 1, 0, 0, 0, 0};
  for (int n = 0; n < 7; n++) EXPECT_EQ(apt_inreg[n], want[n]) << n;
  EXPECT_EQ(nav_inreg[0], 1);
  EXPECT_EQ(nav_inreg[1], 0);
  EXPECT_EQ(region_airport_count(), 3);
  EXPECT_EQ(region_navaid_count(), 1);
}

TEST_F(Region, ListsStopAtSeventyAndTheMenuTailFollowsTheListed) {
  std::vector<std::string> a;
  for (int n = 0; n < 85; n++) {
    apt_rec r = ksbd;
    char id[16];
    std::snprintf(id, sizeof id, "K%03d", n);
    r.id = id;
    r.lat = 34.0f + n * 0.001f;
    a.push_back(apt_line(r));
  }
  std::vector<std::string> v;
  for (int n = 0; n < 75; n++) v.push_back(nav_line(n % 2 ? 3 : 2, 34.0f, -118.0f, "ABC", "Station"));
  files(a, v);
  init_country_data();
  finish_nav_readin();
  EXPECT_EQ(env.apt_list_num, 70);
  EXPECT_EQ(env.apt_list_max, 69);
  EXPECT_EQ(apt_to_index[69], 69);
  EXPECT_EQ(env.vor_list_num, 37);
  EXPECT_EQ(env.ndb_list_num, 38);
  EXPECT_EQ(env.vor_list_max, 36);
  EXPECT_EQ(vor_to_index[0], 1);
  EXPECT_EQ(ndb_to_index[0], 0);
  // 70 approach-plate entries, the separator and "Reset Flight Path" at 580/581, not past 596.
  ASSERT_EQ(desk_menu_item_count(5), 72);
  EXPECT_STREQ(desk_menu_item_text(5, 71), "Reset Flight Path");
  EXPECT_EQ(desk_menu_item_id(5, 0), 510);
  EXPECT_EQ(desk_menu_item_id(5, 69), 579);
  EXPECT_EQ(desk_menu_item_id(5, 70), 580);  // the separator
  EXPECT_EQ(desk_menu_item_id(5, 71), 581);  // 512 + the last listed entry, 69
  EXPECT_EQ(desk_menu_item_submenu(9, 69), 84);
  EXPECT_EQ(desk_menu_item_count(9), 70);
  EXPECT_EQ(desk_menu_item_count(12), 37);
  // Loading again replaces the entries instead of adding to them.
  finish_nav_readin();
  EXPECT_EQ(desk_menu_item_count(5), 72);
  EXPECT_EQ(desk_menu_item_count(9), 70);
  EXPECT_EQ(desk_menu_item_count(13), 38);
}

TEST_F(Region, RunwayItemsOfAnAirportSubmenu) {
  std::string l = "1 34.0 -117.5 9 L 90 8000 150 0 34.0 -117.5 27 R 270 400 50 0 34.0 -117.5 4 x 40 1 1 0 1000 1 KABC Abc Field\n";
  files({l}, {});
  init_country_data();
  finish_nav_readin();
  ASSERT_EQ(env.apt_list_num, 1);
  ASSERT_EQ(desk_menu_item_count(15), 4);  // the third slot's 1 ft runway is empty
  EXPECT_EQ(desk_menu_item_id(15, 0), 1501);
  EXPECT_EQ(desk_menu_item_id(15, 3), 1504);
  EXPECT_EQ(desk_menu_item_id(155, 3), 15504);
  EXPECT_STREQ(desk_menu_item_text(15, 0), "Rwy 09L");
  EXPECT_STREQ(desk_menu_item_text(15, 1), "Rwy 27R");
  EXPECT_STREQ(desk_menu_item_text(15, 2), "Pad 27R");  // 400 ft: under 500 ft
  EXPECT_STREQ(desk_menu_item_text(15, 3), "Pad 09L");
  EXPECT_STREQ(desk_menu_item_text(9, 0), "Abc Field");
  EXPECT_EQ(desk_menu_item_count(85), 4);
  EXPECT_EQ(desk_menu_item_count(155), 4);
}

TEST_F(Region, EmptyRegionListsNothing) {
  files({apt_line(ksbd)}, {});
  init_country_data();
  env.lat_sou = 0;
  env.lon_wes = 0;
  finish_nav_readin();
  EXPECT_EQ(env.apt_list_num, 0);
  EXPECT_EQ(env.apt_list_max, 0);
  EXPECT_EQ(desk_menu_item_count(9), 0);
  EXPECT_EQ(desk_menu_item_count(5), 2);  // separator and "Reset Flight Path"
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) ASSERT_EQ(beacon_index[i][j], -1);
}

// ---- the shipped database ----

TEST(ShippedWorld, StartsAtKsbd) {
  world_reset();
  std::snprintf(app_path, STR_DIM, "%s", TARVEL_SOURCE_DATA_DIR);
  env_data_root[0] = 0;
  init_country_data();
  EXPECT_GT(env.aptmax, 4000);
  int n = start_at_airport("KSBD");
  ASSERT_GE(n, 0);
  EXPECT_EQ(env.lat_sou, 33);
  EXPECT_EQ(env.lon_wes, -119);
  EXPECT_GT(region_airport_count(), 40);
  char line[STR_DIM];
  region_line(line);
  EXPECT_EQ(std::string(line).rfind("region 33 -119 airports ", 0), 0u) << line;
  EXPECT_GT(region_navaid_count(), 60);
  // The field and its surroundings are on land at the field's elevation.
  // The grid follows the ground, so the field's cell is found by position.
  float h;
  int i, j, t;
  find_local_h(env_x_of_latlon(apt_lat[n][0], apt_lon[n][0]), env_y_of_lat(apt_lat[n][0]), &h, &i, &j, &t);
  EXPECT_TRUE(on_field[i][j][0] || on_field[i][j][1]);
  EXPECT_NEAR(planez[i][j], apt_z[n], 0.5f);
  EXPECT_NEAR(h, apt_z[n], 0.5f);
  // Favorites and a far airport.
  for (const char* id : {"KTRM", "KBKL", "KCGX", "EGLL"}) EXPECT_GE(find_apt_by_id(id), 0) << id;
  ASSERT_GE(start_at_airport("KBKL"), 0);
  EXPECT_EQ(env.lat_sou, 41);
  EXPECT_EQ(env.lon_wes, -83);
  // The ILS of the home field is there, with its glide slope and markers.
  int loc = 0, gs = 0, om = 0;
  for (int k = 0; k < env.navmax - 2; k++) {
    if (std::strcmp(nav_id[k], "ISBD") != 0) continue;
    loc += nav_type[k] == 4;
    gs += nav_type[k] == 6;
    om += nav_type[k] == 7;
  }
  EXPECT_EQ(loc, 1);
  EXPECT_EQ(gs, 1);
  EXPECT_EQ(om, 1);
}

}  // namespace
