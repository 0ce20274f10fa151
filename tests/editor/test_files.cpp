// The editor's files: the quadrant in binary version 4, the airport and
// navaid files, the preferences, and what a failed step must leave alone.
#include <cmath>
#include <cstring>
#include "editor_fixture.h"

class Files : public ::testing::Test {
 protected:
  editor_dir dir;
  void SetUp() override { editor_reset(dir); }
  fs::path quad(int lat, int lon) {
    char p[STR_DIM];
    quadrant_path(lat, lon, p);
    return p;
  }
};

TEST_F(Files, QuadrantSizeObstaclesAndByteIdenticalRewrite) {
  // No obstacles: 5 header bytes, 4800 points of 16, the end mark, 8 names of 40.
  msc.map_latfile = msc.map_loaded_lat = 34;
  msc.map_lonfile = msc.map_loaded_lon = -118;
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  EXPECT_EQ(fs::file_size(quad(34, -118)), 77129u);

  fill_quadrant(34, -118);
  msc.map_dirty = 1;
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  EXPECT_EQ(msc.map_dirty, 0);
  // Types 2, 3, 4 (on the east edge, kept) at 24 bytes; the name of type 8 makes 56; the
  // obstacle north of the quadrant is not this file's.
  EXPECT_EQ(fs::file_size(quad(34, -118)), 77129u + 3 * 24 + 56);
  std::string first = read_file(quad(34, -118));

  float z = planez[17][23], la = planelat[17][23];
  int w = on_water[3][30][1], d = planediv[10][10], t = planetex[13][1];
  ASSERT_TRUE(read_quadrant(34, -118));
  EXPECT_EQ(planez[17][23], z);
  EXPECT_EQ(planelat[17][23], la);
  EXPECT_EQ(on_water[3][30][1], w);
  EXPECT_EQ(planediv[10][10], d);
  EXPECT_EQ(planetex[13][1], t);
  EXPECT_STREQ(texname[7], "rock");
  int kinds[9] = {0};
  for (int n = 0; n < OBS_MAX; n++) kinds[obs_type[n] < 9 ? obs_type[n] : 0]++;
  EXPECT_EQ(kinds[2] + kinds[3] + kinds[4] + kinds[8], 4);
  EXPECT_EQ(kinds[5], 0);
  ASSERT_TRUE(writeout(MODE_TERRAIN, (dir.root / "again.env").c_str()));
  EXPECT_EQ(read_file(dir.root / "again.env"), first);

  // The cell written for each obstacle holds it.
  for (int n = 0; n < OBS_MAX; n++)
    if (obs_type[n] == 2) {
      int i, j;
      EXPECT_TRUE(find_ij_with_loc(obs_lat[n], obs_lon[n], &i, &j));
      EXPECT_LE(planelon[i][j], obs_lon[n] + 0.02f);
      EXPECT_GE(planelon[i + 1][j], obs_lon[n] - 0.02f);
    }
}

TEST_F(Files, SavingCreatesTheFoldersAFreshInstallLacks) {
  ASSERT_FALSE(fs::exists(dir.nav_dir()));
  fill_quadrant(-2, 171);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  EXPECT_TRUE(fs::exists(dir.nav_dir() / "-010+170" / "-002+171.env"));
}

TEST_F(Files, ABrokenQuadrantFileIsReportedAndShownAsSea) {
  fs::create_directories(quad(34, -118).parent_path());
  std::string good;
  fill_quadrant(34, -118);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  good = read_file(quad(34, -118));
  for (size_t cut : {size_t(3), size_t(5000), good.size() - 400}) {
    std::ofstream(quad(34, -118), std::ios::binary) << good.substr(0, cut);
    desk_alert_record_clear();
    EXPECT_FALSE(read_quadrant(34, -118)) << cut;
    if (cut > 5) {
      EXPECT_NE(last_alert().find("could not read"), std::string::npos) << cut;
    }
    EXPECT_EQ(planez[20][20], 0);
    EXPECT_TRUE(on_water[20][20][0]);
  }
}

TEST_F(Files, PreferencesAfterExit) {
  ASSERT_TRUE(write_prefs());
  EXPECT_EQ(read_file(prefs_path), "I\n354 version\n33 dat\n-119 dat\n0 dat\n0 dat\n0 dat\n");
  msc.map_latfile = 35, msc.map_lonfile = -117, msc.map_mode = 2, msc.nav_index = 12;
  ASSERT_TRUE(write_prefs());
  editor_reset(dir);
  EXPECT_EQ(msc.map_latfile, 35);
  EXPECT_EQ(msc.map_lonfile, -117);
  EXPECT_EQ(msc.map_mode, 2);
  EXPECT_EQ(msc.nav_index, 12);
  // A spoilt file leaves the defaults.
  std::ofstream(prefs_path) << "I\n354 version\n35 dat\nzz\n";
  editor_reset(dir);
  EXPECT_EQ(msc.map_latfile, 33);
  EXPECT_EQ(msc.map_lonfile, -119);
}

static void put_airport(int n, const char* id, const char* name, float lat, float lon, int type) {
  apt_type[n] = type;
  for (int r = 0; r < 3; r++) {
    apt_lat[n][r] = lat + r * 0.01f, apt_lon[n][r] = lon, apt_num[n][r] = r == 0 ? 6 : 0;
    apt_lr[n][r] = r == 0 ? 'L' : 'x', apt_hdng[n][r] = 63, apt_len[n][r] = r == 0 ? 10000 : 0;
    apt_width[n][r] = r == 0 ? 150 : 0, apt_lite[n][r] = r == 0 ? 232232 : 0;
  }
  apt_z[n] = 1159, apt_twr[n] = 1;
  std::strcpy(apt_id[n], id);
  std::strcpy(apt_name[n], name);
}

TEST_F(Files, AirportFileHoldsTypeOneAirportsAndReadsBack) {
  ap_dir("additional nav data", "apt_dat", apt_path);
  put_airport(0, "KSBD", "San Bernardino Intl", 34.0954f, -117.2349f, 1);
  put_airport(1, "XHEL", "Heliport", 34.2f, -117.3f, 2);
  put_airport(2, " AB ", "Blank Edges", 33.5f, -118.1f, 1);
  msc.apt_dirty = 1;
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  EXPECT_EQ(msc.apt_dirty, 0);
  std::string text = read_file(apt_path);
  std::vector<std::string> lines;
  for (size_t a = 0, b; (b = text.find('\n', a)) != std::string::npos; a = b + 1) lines.push_back(text.substr(a, b - a));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "I");
  EXPECT_EQ(lines[1], "354 version");
  EXPECT_EQ(lines[2], "354 version code 2");
  EXPECT_EQ(lines[3].substr(0, 2), "1 ");
  EXPECT_EQ(lines[4].substr(0, 2), "1 ");
  EXPECT_EQ(lines[5], "99");

  ASSERT_TRUE(inf_open(apt_path, FTYPE_ANY_TEXT, 354, 0));
  intscan(apt_path);
  for (int want : {0, 2}) {
    EXPECT_EQ(intscanNOSN(apt_path), 1);
    float lat[3], lon[3], z;
    int num[3], hd[3], len[3], wid[3], lite[3], twr;
    char lr[3], id[5], name[40];
    scan_apt_line(lat, lon, num, lr, hd, len, wid, lite, &z, &twr, id, name);
    EXPECT_NEAR(lat[0], apt_lat[want][0], 1e-5);
    EXPECT_NEAR(lon[0], apt_lon[want][0], 1e-5);
    EXPECT_EQ(len[0], 10000);
    EXPECT_EQ(z, 1159);
    EXPECT_STREQ(id, apt_id[want]);
    EXPECT_STREQ(name, apt_name[want]);
  }
  inf.close();
}

TEST_F(Files, NavaidIdentifiersSurviveTheFileOrAreRefused) {
  ap_dir("additional nav data", "nav_dat", nav_path);
  msc.nav_kind = 3;
  nav_new(3);
  EXPECT_STREQ(nav_name[0], "Untitled");
  EXPECT_STREQ(nav_id[0], "    ");
  // Four blanks would be skipped by the reader and the name read as the identifier.
  EXPECT_FALSE(writeout(MODE_NAV, nullptr));
  EXPECT_NE(last_alert().find("not saved"), std::string::npos);
  EXPECT_FALSE(fs::exists(nav_path));
  EXPECT_EQ(msc.nav_dirty, 1);

  std::strcpy(nav_id[0], "  PD");
  nav_f1[0] = 112, nav_f2[0] = 20, nav_lat[0] = 34.1f, nav_lon[0] = -117.5f;
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  ASSERT_TRUE(inf_open(nav_path, FTYPE_ANY_TEXT, 354, 0));
  intscan(nav_path);
  EXPECT_EQ(intscanNOSN(nav_path), 3);
  float lat, lon, z;
  int f1, f2, hd;
  char id[5], name[40];
  scan_nav_line(&lat, &lon, &z, &f1, &f2, &hd, id, name);
  inf.close();
  EXPECT_STREQ(id, "PD  ");
  EXPECT_STREQ(name, "Untitled");
  EXPECT_EQ(f1, 112);
  EXPECT_EQ(f2, 20);
}

TEST_F(Files, ListsNewDeleteAndTheirLimits) {
  // Three VORs and an NDB; a new VOR goes after the last VOR.
  for (int n = 0; n < 4; n++) {
    nav_type[n] = n == 2 ? 2 : 3;
    std::snprintf(nav_name[n], 40, "N%d", n);
  }
  msc.nav_kind = 3;
  nav_new(3);
  EXPECT_EQ(msc.nav_index, 4);
  EXPECT_STREQ(nav_name[2], "N2");
  // Deleting shifts the rest down; the last slot frees.
  msc.nav_index = 1;
  nav_delete();
  EXPECT_STREQ(nav_name[1], "N2");
  EXPECT_EQ(nav_type[4], 0);
  // An empty kind: delete says so; new goes to index 0.
  msc.nav_kind = 6;
  desk_alert_record_clear();
  nav_delete();
  EXPECT_NE(last_alert().find("no navaid"), std::string::npos);
  nav_new(6);
  EXPECT_EQ(msc.nav_index, 0);
  EXPECT_EQ(nav_type[0], 6);
  EXPECT_STREQ(nav_name[1], "N0");
  // A full table takes no more.
  for (int n = 0; n < NAV_FILE_LIMIT; n++) nav_type[n] = 3;
  desk_alert_record_clear();
  nav_new(3);
  EXPECT_NE(last_alert().find("full"), std::string::npos);
  for (int n = 0; n < ED_APT_MAX; n++) apt_type[n] = 1;
  apt_new();
  EXPECT_NE(last_alert().find("full"), std::string::npos);
  for (int n = 0; n < ED_APT_MAX; n++) apt_type[n] = 0;
  apt_delete();
  EXPECT_NE(last_alert().find("no airport"), std::string::npos);
  // No free obstacle slot: nothing placed.
  for (int n = 0; n < OBS_MAX; n++) obs_type[n] = 2;
  EXPECT_EQ(obs_new(3, 34.5f, -118.5f), -1);
}

TEST_F(Files, NamesStopAt38CharactersAndMinusDeletes) {
  char name[40] = "";
  edit_string(name, '-');
  EXPECT_STREQ(name, "");
  for (int k = 0; k < 45; k++) edit_string(name, 'A' + k % 26);
  EXPECT_EQ(std::strlen(name), 38u);
  EXPECT_NE(last_alert().find("38"), std::string::npos);
  edit_string(name, 189);
  EXPECT_EQ(std::strlen(name), 37u);
}

TEST_F(Files, SmoothingKeepsWaterAndStaysInsideTheGrid) {
  fill_quadrant(34, -118);
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) on_water[i][j][0] = on_water[i][j][1] = (i >= 20 && i < 25 && j >= 20 && j < 25);
  static float before[QI][QJ];
  std::memcpy(before, planez, sizeof before);
  smooth_terrain();
  for (int i = 19; i <= 25; i++)
    for (int j = 19; j <= 25; j++) {
      int near = 0;
      for (int a = i - 1; a <= i; a++)
        for (int b = j - 1; b <= j; b++) near |= cell_has_water(a, b);
      if (near) {
        EXPECT_EQ(planez[i][j], before[i][j]) << i << "," << j;
      }
    }
  // The corner point takes its missing neighbours from itself.
  float c = before[0][0];
  EXPECT_NEAR(planez[0][0], 0.9f * c + 0.025f * (c + before[1][0] + c + before[0][1]), 1e-3);
  EXPECT_NE(planez[40][40], before[40][40]);
}

TEST_F(Files, ZoomAndPanLimits) {
  zoom_map(1 / 1.2f);
  EXPECT_EQ(msc.map_zoom, 1);
  EXPECT_EQ(msc.map_os_lat, 0);
  for (int k = 0; k < 30; k++) zoom_map(1.2f);
  EXPECT_EQ(msc.map_zoom, 20);
  for (int k = 0; k < 500; k++) pan_map(0.1f, -0.1f);
  EXPECT_FLOAT_EQ(msc.map_os_lat, 0.9f);
  EXPECT_FLOAT_EQ(msc.map_os_lon, -0.9f);
  msc.map_zoom = 1.1f;
  zoom_map(1 / 1.2f);
  EXPECT_EQ(msc.map_os_lat, 0);
  EXPECT_EQ(msc.map_os_lon, 0);
  // At zoom 1 the quadrant's corners are the map's.
  EXPECT_EQ(ret_x((float)msc.map_lonfile), 172);
  EXPECT_EQ(ret_y((float)msc.map_latfile), 550);
  EXPECT_EQ(ret_x(msc.map_lonfile + 1.0f), 790);
  EXPECT_EQ(ret_y(msc.map_latfile + 1.0f), 10);
  EXPECT_NEAR(ret_lon(481), msc.map_lonfile + 0.5f, 1e-3);
}
