// The control panel used as a user would, through the editor's script mode:
// clicks on the digits, identifier spinners, check box, side cycler, kind
// buttons, the name list and the quadrant's corner reach the saved files.
#include <cmath>
#include <cstring>
#include "../support/run_runner.h"
#include "editor_fixture.h"

namespace {

struct panel_run : ::testing::Test {
  editor_dir dir;
  void SetUp() override {
    editor_reset(dir);
    fs::create_directories(dir.nav_dir());
    ap_dir("additional nav data", "apt_dat", apt_path);
    ap_dir("additional nav data", "nav_dat", nav_path);
  }
  runner_test::run_result run(const std::string& script) {
    std::ofstream(dir.root / "script.txt") << script;
    // Preferences of its own, so that other tests' editors start where they expect.
    return runner_test::run_shell("XDG_CONFIG_HOME='" + (dir.root / "config").string() + "' " +
                                  std::string(TARVEL_BUILD_DIR) + "/gridwright --data '" + dir.root.string() +
                                  "' --script '" + (dir.root / "script.txt").string() + "' 2>&1");
  }
  // The world files back into the editor's tables, as a new start reads them.
  void reread() {
    editor_reset(dir);
    read_world_data();
  }
};

void one_airport() {
  apt_type[0] = 1;
  for (int r = 0; r < 3; r++) apt_lr[0][r] = 'x';
  apt_lat[0][0] = 34.0954f, apt_lon[0][0] = -117.2349f, apt_num[0][0] = 6, apt_hdng[0][0] = 63;
  apt_len[0][0] = 10000, apt_width[0][0] = 200, apt_lite[0][0] = 232232, apt_z[0] = 1159, apt_twr[0] = 0;
  std::strcpy(apt_id[0], "KSBD");
  std::strcpy(apt_name[0], "San Bernardino Intl");
}

// A click on the upper (+1) or lower (-1) half of column k of a field at (x, y).
std::string digit_click(int x, int y, int k, int up) {
  return "click " + std::to_string(x + 10 * k + 5) + " " + std::to_string(y + (up ? 5 : 28)) + "\n";
}

}  // namespace

TEST_F(panel_run, AirportFieldsChangeTheTableAndTheSavedFile) {
  one_airport();
  apt_type[1] = 1;
  std::strcpy(apt_id[1], "KONT");
  std::strcpy(apt_name[1], "Ontario Intl");
  apt_lr[1][0] = apt_lr[1][1] = apt_lr[1][2] = 'x';
  apt_twr[1] = 0;
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  std::string s = "menu 303\n";
  s += digit_click(170, 262, 4, 1) + digit_click(170, 262, 4, 1) + digit_click(170, 262, 2, 0);  // +2, -100 ft
  s += digit_click(30, 262, 0, 1);                   // K steps back to J
  s += digit_click(30, 262, 3, 0);                   // D on to E
  s += "click 296 278\n";                            // tower
  s += digit_click(125, 350, 0, 1);                  // heading 063 -> 163
  s += "click 105 375\n";                            // side: none -> L
  s += digit_click(170, 395, 1, 1);                  // runway 2 length 0 -> 1000
  s += digit_click(365, 350, 5, 0);                  // latitude -0.0001
  s += "menu 202\nmenu 205\n";
  auto r = run(s);
  ASSERT_EQ(r.status, 0) << r.out;
  reread();
  EXPECT_STREQ(apt_id[0], "JSBE");
  EXPECT_FLOAT_EQ(apt_z[0], 1061);
  EXPECT_EQ(apt_twr[0], 1);
  EXPECT_EQ(apt_hdng[0][0], 163);
  EXPECT_EQ(apt_lr[0][0], 'L');
  EXPECT_EQ(apt_len[0][1], 1000);
  EXPECT_NEAR(apt_lat[0][0], 34.0953f, 2e-5);
  EXPECT_NEAR(apt_lon[0][0], -117.2349f, 2e-5);
  // The other airport is untouched.
  EXPECT_STREQ(apt_id[1], "KONT");
  EXPECT_EQ(apt_twr[1], 0);
}

TEST_F(panel_run, TheNameListSelectsAndKindButtonsSwitchTheNavaids) {
  one_airport();
  // Navaids of several kinds mixed, as in the shipped file.
  const int types[5] = {3, 2, 3, 4, 3};
  const char* ids[5] = {"PDZ", "AB", "POM", "ISBD", "HEC"};
  for (int n = 0; n < 5; n++) {
    nav_type[n] = types[n], nav_lat[n] = 34 + n * 0.1f, nav_lon[n] = -117, nav_f1[n] = types[n] == 2 ? 338 : 112;
    nav_f2[n] = 20;
    std::strcpy(nav_id[n], ids[n]);
    std::snprintf(nav_name[n], APT_NAME_DIM, "Station %d", n);
  }
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  std::string s = "menu 304\n";
  s += "click 19 58\n";                              // VOR (second box)
  s += "click 400 104\n";                            // the row below the centre: POM
  s += digit_click(20, 262, 3, 0);                   // POM -> POM0: a blank steps on to 0
  s += "click 19 39\n";                              // NDB
  s += digit_click(430, 262, 0, 1);                  // 0338 -> 1338 kHz
  s += "menu 203\nmenu 205\n";
  auto r = run(s);
  ASSERT_EQ(r.status, 0) << r.out;
  reread();
  EXPECT_STREQ(nav_id[2], "POM0");
  EXPECT_EQ(nav_f1[1], 1338);
  // Nothing else moved.
  EXPECT_STREQ(nav_id[0], "PDZ ");
  EXPECT_STREQ(nav_id[4], "HEC ");
  EXPECT_EQ(nav_f1[0], 112);
  EXPECT_EQ(nav_type[3], 4);
}

TEST_F(panel_run, IdentifiersSurviveARoundTrip) {
  one_airport();
  const char* ids[4] = {"A", "Z9", "  X ", "Q1Q1"};
  for (int n = 0; n < 4; n++) {
    nav_type[n] = 3, nav_f1[n] = 110 + n;
    std::strcpy(nav_id[n], ids[n]);
    std::strcpy(nav_name[n], "Test");
  }
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  // Spin each identifier's last character up and down again, then save.
  std::string s = "menu 304\nclick 19 58\n";
  for (int n = 0; n < 4; n++) s += digit_click(20, 262, 3, 0) + digit_click(20, 262, 3, 1) + "key down\n";
  s += "menu 203\nmenu 205\n";
  auto r = run(s);
  ASSERT_EQ(r.status, 0) << r.out;
  reread();
  const char* want[4] = {"A   ", "Z9  ", "X   ", "Q1Q1"};
  for (int n = 0; n < 4; n++) EXPECT_STREQ(nav_id[n], want[n]) << n;
  // Read and written again, the file does not change.
  ASSERT_TRUE(writeout(MODE_NAV, (dir.root / "again").c_str()));
  EXPECT_EQ(read_file(dir.root / "again"), read_file(nav_path));
}

TEST_F(panel_run, CornerAndHeightFieldsMoveTheQuadrantAndTheSavedPoint) {
  one_airport();
  ASSERT_TRUE(writeout(MODE_APT, nullptr));
  ASSERT_TRUE(writeout(MODE_NAV, nullptr));
  fill_quadrant(34, -119);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  float z0 = planez[29][39];
  std::string s = "menu 301\n";
  s += digit_click(16, 14, 1, 1);                    // 33 -> 34 N: the quadrant on disk
  s += digit_click(24, 268, 2, 1) + digit_click(24, 268, 3, 0);  // +100 ft, -10 ft
  s += "menu 201\nmenu 205\n";
  auto r = run(s);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("alert"), std::string::npos) << r.out;
  // The corner is what the preferences keep.
  EXPECT_NE(read_file(dir.root / "config" / "gridwright" / "Gridwright.prf").find("\n34 dat\n-119 dat\n"), std::string::npos);
  editor_reset(dir);
  ASSERT_TRUE(read_quadrant(34, -119));
  float want_ft = std::round(z0 / 0.3048f) + 90;
  EXPECT_NEAR(planez[29][39], want_ft * 0.3048f, 1e-3);
  EXPECT_EQ(planez[30][39], 100.5f + 37 * 30 - 11 * 39 + 0.25f * (30 * 39 % 5));
}
