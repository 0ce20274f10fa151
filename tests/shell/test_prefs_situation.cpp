// Situation files: the preferences plus the aircraft's position and speed.
// A good one comes back whole; a bad one gives an alert and changes nothing.
#include <cmath>
#include <cstring>
#include "sim/shell/menus.h"
#include "sim/shell/prefs.h"
#include "sim/world/grid.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/kept.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

using namespace shell_test;

namespace {

class Situation : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    path = in_config("test.sit");
    // The start-up region around San Bernardino, loaded fresh.
    set_region_from_apt(msc.loc_index);
    load_region();
  }
  void place_aircraft() {
    flt.x = 123456.5f;
    flt.y = 98765.25f;
    flt.psi = 271.5f;
    flt.z = 2345.75f;
    flt.v = 61.25f;
  }
  std::string path;
};

TEST_F(Situation, PositionSpeedAndWeatherComeBack) {
  place_aircraft();
  atm.vis = 12345;
  atm.wndspd[3] = 7.5f;
  atm.cld_type = 0;
  nav.cf[0] = 127;
  ASSERT_EQ(write_situation(path.c_str()), 1);
  atm.vis = 999;
  atm.wndspd[3] = 0;
  atm.cld_type = 1;
  nav.cf[0] = 121;
  set.cus_x = set.cus_y = set.cus_z = set.cus_psi = set.cus_v = 0;
  ASSERT_EQ(read_situation(path.c_str(), "test.sit"), 1) << alerts();
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  EXPECT_NEAR(set.cus_x, 123456.5f, 1.0f);
  EXPECT_NEAR(set.cus_y, 98765.25f, 1.0f);
  EXPECT_NEAR(set.cus_psi, 271.5f, 0.01f);
  EXPECT_NEAR(set.cus_z, 2345.75f, 0.01f);
  EXPECT_NEAR(set.cus_v, 61.25f, 0.001f);
  EXPECT_FLOAT_EQ(atm.vis, 12345);
  EXPECT_FLOAT_EQ(atm.wndspd[3], 7.5f);
  EXPECT_EQ(atm.cld_type, 0);
  EXPECT_EQ(nav.cf[0], 127);
  // The five lines close the file, after the preferences' last item.
  std::vector<std::string> l = lines_of(read_file(path));
  ASSERT_GE(l.size(), 6u);
  EXPECT_NE(l[l.size() - 6].find(" total failure chance"), std::string::npos);
  for (size_t k = l.size() - 5; k < l.size(); k++)
    EXPECT_NE(l[k].find(" situation data"), std::string::npos) << l[k];
}

TEST_F(Situation, APositionSavedAfterTheRegionSlidComesBackAtTheSamePlace) {
  // A point in the eastern third of the region, which survives a slide east.
  float lat = env.lat_sou + 1.3f, lon = env.lon_wes + 2.4f;
  slide_region(SLIDE_EAST);
  flt.x = env_x_of_latlon(lat, lon);
  flt.y = env_y_of_lat(lat);
  flt.psi = 90;
  flt.z = 1000;
  flt.v = 50;
  // The nearest airport is now one whose own region is the slid one: the
  // frame the aircraft flies in is still the first region's.
  int there = -1;
  for (int n = 0; n <= env.aptmax && there < 0; n++)
    if (bk::round(apt_lat[n][0] - 1.0f) == env.lat_sou && bk::round(apt_lon[n][0] - 1.5f) == env.lon_wes) there = n;
  ASSERT_GE(there, 0) << "no airport of the slid region in the database";
  msc.loc_index = there;
  msc.rway_sel = 0;
  ASSERT_EQ(write_situation(path.c_str()), 1);
  // Reading it loads that airport's region, fresh.
  ASSERT_EQ(read_situation(path.c_str(), "test.sit"), 1) << alerts();
  load_region();
  EXPECT_NEAR(set.cus_x, env_x_of_latlon(lat, lon), 5.0f);
  EXPECT_NEAR(set.cus_y, env_y_of_lat(lat), 5.0f);
}

TEST_F(Situation, MenuSaveAndLoadGoThroughTheDialogs) {
  place_aircraft();
  atm.temp_SL = 33;
  desk_answer_push_path(path.c_str());
  handlemenu(204);
  ASSERT_EQ(read_file(path).substr(0, 13), "I\n38 version\n");
  atm.temp_SL = 90;
  desk_answer_push_path(path.c_str());
  handlemenu(203);
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  EXPECT_FLOAT_EQ(atm.temp_SL, 33);
  EXPECT_NEAR(set.cus_z, 2345.75f, 0.01f);
  // The save dialog offers "Untitled.sit" in the user's folder; a cancelled one writes nothing.
  std::remove(path.c_str());
  desk_answer_push_cancel();
  handlemenu(204);
  EXPECT_EQ(read_file(path), "");
}

// Everything a situation may set, to see that a failed read set none of it:
// every preference item, the region and the start position.
struct watched {
  std::string prefs;
  int lat_sou;
  float cus_x;
};
watched watch() { return watched{prefs_as_they_stand(), env.lat_sou, set.cus_x}; }
void expect_same(const watched& a, const watched& b, const std::string& what) {
  EXPECT_EQ(a.prefs, b.prefs) << what;
  EXPECT_EQ(a.lat_sou, b.lat_sou) << what;
  EXPECT_EQ(a.cus_x, b.cus_x) << what;
}

TEST_F(Situation, ABadFileGivesAnAlertAndChangesNothing) {
  // A good situation from a different flight: other airport, weather, radios.
  watched before = watch();
  kept<miscstruct> m{&msc};
  kept<atmospherestruct> w{&atm};
  kept<settingstruct> st{&set};
  kept<inststruct> i{&ins};
  kept<navstruct> n{&nav};
  kept<scenerystruct> sc{&scn};
  msc.loc_index = airport_index("KBKL"), msc.rway_sel = 1, msc.prd = 0.02f, msc.logtime = !msc.logtime;
  atm.vis = 4321, atm.temp_SL = 12, set.joy_rat_ptch = 0.3f, set.joy_response[3] = 40;
  ins.baro = 30.5f, nav.cf[0] = 133, scn.time = 3;
  place_aircraft();
  ASSERT_EQ(write_situation(path.c_str()), 1);
  std::string good = read_file(path);
  // Back to this flight.
  m.restore(), w.restore(), st.restore(), i.restore(), n.restore(), sc.restore();
  ASSERT_EQ(env.lat_sou, before.lat_sou);
  expect_same(watch(), before, "back to this flight");
  int check_711 = desk_menu_checked(7, 711);

  std::vector<std::pair<std::string, std::string>> bad;
  for (double f : {0.05, 0.3, 0.6, 0.9, 0.99}) bad.push_back({good.substr(0, (size_t)(good.size() * f)), "cut"});
  bad.push_back({good.substr(0, good.rfind(" situation data")), "last line cut"});
  std::string no_lines = good.substr(0, good.find(" situation data"));
  no_lines = no_lines.substr(0, no_lines.rfind('\n') + 1);
  bad.push_back({no_lines, "a preferences file, no situation lines"});
  std::string v37 = good;
  v37.replace(0, 13, "I\n37 version\n");
  bad.push_back({v37, "version 37"});
  std::string cp = good;
  cp.replace(cp.find("104 checkpoint"), 3, "105");
  bad.push_back({cp, "checkpoint out of place"});
  std::string apt = good;
  size_t at = apt.find(" apt start");
  apt.replace(apt.rfind('\n', at) + 1, at - apt.rfind('\n', at) - 1, "99999");
  bad.push_back({apt, "no such airport"});
  std::string plane = good;
  size_t p3 = plane.find('\n', plane.find('\n', plane.find('\n') + 1) + 1) + 1;  // the aircraft path line
  plane.replace(p3, plane.find('\n', p3) - p3, "Aircraft/Nothing/Nothing.acf");
  bad.push_back({plane, "the aircraft is missing"});

  for (const auto& b : bad) {
    write_file(path, b.first);
    desk_alert_record_clear();
    EXPECT_EQ(read_situation(path.c_str(), "test.sit"), 0) << b.second;
    ASSERT_EQ(desk_alert_count(), 1) << b.second;
    EXPECT_STREQ(desk_alert_text(0),
                 "Couldn't read prefs file!\nAre situation and Tarvel the same version?\n"
                 "I cannot read this situation.\nWe will just pretend this never happened.")
        << b.second;
    expect_same(watch(), before, b.second);
    EXPECT_EQ(desk_menu_checked(7, 711), check_711) << b.second;
  }

  // Through the menu, a bad file leaves the flight as it was, region included.
  write_file(path, bad[2].first);
  desk_answer_push_path(path.c_str());
  handlemenu(203);
  expect_same(watch(), before, "through the menu");

  desk_alert_record_clear();
  std::string missing = in_config("none.sit");
  EXPECT_EQ(read_situation(missing.c_str(), "none.sit"), 0);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_EQ(std::string(desk_alert_text(0)), "Couldn't open file:\nnone.sit\nCouldn't open path:\n" + missing);
  expect_same(watch(), before, "missing file");
}

// Well-formed numbers far outside any flight (x, z or v of 3e38) are refused
// naming the file, the field and the value, and change nothing.
TEST_F(Situation, ExtremePositionOrSpeedIsRefusedNamingIt) {
  watched before = watch();
  place_aircraft();
  ASSERT_EQ(write_situation(path.c_str()), 1);
  std::string good = read_file(path);
  std::vector<std::string> lines;
  for (size_t at = 0, nl; (nl = good.find('\n', at)) != std::string::npos; at = nl + 1)
    lines.push_back(good.substr(at, nl - at));
  size_t first = lines.size() - 5;  // x, y, heading, height, speed
  const std::pair<size_t, const char*> cases[] = {
      {0, "situation's east position (m)"}, {3, "situation's height (m)"}, {4, "situation's speed (m/s)"}};
  for (const auto& c : cases) {
    std::vector<std::string> l = lines;
    l[first + c.first] = "3e38 situation data";
    std::string text;
    for (const auto& x : l) text += x + "\n";
    write_file(path, text);
    desk_alert_record_clear();
    EXPECT_EQ(read_situation(path.c_str(), "test.sit"), 0) << c.second;
    ASSERT_EQ(desk_alert_count(), 2) << c.second;
    std::string msg = desk_alert_text(0);
    EXPECT_NE(msg.find(path), std::string::npos) << msg;
    EXPECT_NE(msg.find(std::string("The ") + c.second + " is 3e+38"), std::string::npos) << msg;
    expect_same(watch(), before, c.second);
  }
}

}  // namespace
