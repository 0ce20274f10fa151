// The preferences file: the first start, the layout written, the round trip
// of every item and its bounds, and bad files, which must lead silently to
// the defaults.
#include <sys/stat.h>
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "sim/aircraft/initpln.h"
#include "sim/shell/prefs.h"
#include "tests/shell/shell_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_con.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

using namespace shell_test;

namespace {

int kbkl() { return airport_index("KBKL"); }  // two runways
int ksbd() { return airport_index("KSBD"); }

// Values unlike the defaults for every item the file keeps.
void set_distinct_prefs() {
  msc.loc_index = kbkl(), msc.rway_sel = 3, scn.time = 4, atm.temp_SL = 77.5f;
  ins.baro = 30.12f, atm.baro = 29.5f, atm.rain_tstm = 2.5f, atm.wind_tbl = 3.25f, atm.burst_prob = 4.5f;
  atm.change_clouds = 0, atm.change_vis = 1, atm.change_precip = 0, atm.change_turb = 1, atm.change_micro = 0;
  atm.cld_type = 0, atm.topsMSL = 3048.5f, atm.baseMSL = 914.25f, atm.vis = 25000;
  for (int i = 0; i < 9; i++) {
    atm.wnddir[i] = 10.0f * i + 5, atm.wndspd[i] = 2.5f + i, atm.shrdir[i] = 20.0f + i;
    atm.shrspd[i] = 1.5f * i, atm.tbl[i] = (float)(i % 5);
  }
  atm.wave_amp = 1.5f, atm.wave_length = 42, atm.wave_speed = 3.5f, atm.wave_dir = 270;
  atm.meteorite_code = 4, atm.rway_fric_code = 3;
  msc.sound_on = 0, atc.voice_out = 1, atc.text_out = 0;
  msc.warn_frame = 0, msc.warn_overspeed = 1, msc.warn_flaps = 0, msc.warn_bb = 1;
  for (int i = 0; i < DATA_ITEMS; i++) set.Bdsk[i] = 1, set.Brlt[i] = i % 3 == 0, set.Bgrf[i] = i % 7 == 1;
  set.damp = 0.25f, set.joy_rat_ptch = 0.5f, set.joy_rat_hdng = 0.75f, set.joy_rat_roll = 1.25f;
  set.eq_ped = 1, set.eq_avi = 0, set.eq_thr = 1, set.eq_col = 1;
  set.fcon_force_rat = 1.5f, set.NZptch = 0.03f, set.NZroll = 0.04f;
  for (int k = 0; k < JOY_RESPONSES; k++) set.joy_response[k] = 30 - k;
  nav.vol[0] = 0.25f, nav.vol[1] = 0.75f;
  nav.nf[0] = 113, nav.nf100[0] = 45, nav.nf[1] = 116, nav.nf100[1] = 90;
  nav.cf[0] = 124, nav.cf100[0] = 35, nav.cf[1] = 132, nav.cf100[1] = 80;
  nav.adf1 = 3, nav.adf2 = 7, nav.adf3 = 9, nav.obs[0] = 123.5f, nav.obs[1] = 275, nav.dmesel = 1;
  nav.gps_index_mode = 3, nav.gps_index = 200, nav.gps_apt_index = 300, nav.gps_vor_index = 400;
  nav.gps_ndb_index = 500;
  const int ids[4] = {1, 2, 35, 36};
  for (int k = 0; k < 4; k++) nav.gps_id[k] = ids[k];
  msc.prd = 0.035f, msc.logtime = 1, rel.total_fail_entry = 2.5f;
}

// The value of the n-th line (from 0) ending in label is replaced.
std::string with_value(const std::string& text, const std::string& label, int n, const std::string& value) {
  std::vector<std::string> lines = lines_of(text);
  std::string out;
  int seen = 0, done = 0;
  for (const std::string& l : lines) {
    std::string line = l;
    if (!done && l.size() >= label.size() && l.compare(l.size() - label.size(), label.size(), label) == 0 &&
        seen++ == n) {
      line = value + label;
      done = 1;
    }
    out += line + "\n";
  }
  EXPECT_TRUE(done) << "no line " << n << " labelled '" << label << "'";
  return out;
}

std::string default_aircraft() {
  char p[STR_DIM];
  default_aircraft_path(p);
  return p;
}

const char* const welcome =
    "Welcome to Tarvel.\n"
    "Since you have never flown with us before, you will now select an aircraft to start your flying in "
    "Tarvel.\n\n";

class Prefs : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    msc.ready_to_update = 1;
  }
  // Some tests leave the aircraft path at a folder that does not exist.
  void TearDown() override { set_default_aircraft(); }
  // A good file holding the distinct values, as text.
  std::string good_file() {
    set_distinct_prefs();
    want_ = prefs_as_they_stand();
    write_file(prefs_path, want_);
    return want_;
  }
  // The distinct values came back, but for the disk column, which is not kept.
  void expect_distinct_prefs() {
    for (int i = 0; i < DATA_ITEMS; i++) EXPECT_EQ(set.Bdsk[i], 0) << "the disk column is not kept, item " << i;
    for (int i = 0; i < DATA_ITEMS; i++) set.Bdsk[i] = 1;
    EXPECT_EQ(prefs_as_they_stand(), want_);
  }
  std::string want_;
  // Reads `text` as the preferences file at start-up and expects the
  // defaults, reached without any message but the first start's.
  void expect_defaults_from(const std::string& text, const std::string& what) {
    write_file(prefs_path, text);
    set_distinct_prefs();
    msc.logtime = 0;  // not among the defaults: must not come from the file either
    desk_alert_record_clear();
    initprefs();
    ASSERT_GE(desk_alert_count(), 1) << what;
    EXPECT_EQ(std::string(desk_alert_text(0)), welcome) << what;
    EXPECT_EQ(msc.loc_index, ksbd()) << what;
    EXPECT_EQ(msc.rway_sel, 0) << what;
    EXPECT_EQ(scn.time, 2) << what;
    EXPECT_FLOAT_EQ(atm.vis, 10 * con.nmtomtrs) << what;
    EXPECT_FLOAT_EQ(msc.prd, 0.05f) << what;
    EXPECT_EQ(nav.gps_apt_index, 1600) << what;
    EXPECT_EQ(msc.logtime, 0) << what;
    EXPECT_EQ(std::string(pln.C_path), default_aircraft()) << what;
    EXPECT_EQ(set.Brlt[0], 0) << what << ": nothing kept of what was read";
    EXPECT_EQ(set.joy_response[0], 2) << what;
  }
};

TEST_F(Prefs, FirstStartWelcomesChoosesTheShippedAircraftAndStartsAtSanBernardino) {
  const std::vector<std::string>& shown = startup_alerts();
  ASSERT_GE(shown.size(), 2u);
  EXPECT_EQ(shown[0], welcome);
  // Then the first start's word on joysticks; nothing about another desktop.
  EXPECT_NE(shown[1].find("Plug your joystick or gamepad in at any time"), std::string::npos) << shown[1];
  for (const std::string& text : shown) {
    EXPECT_EQ(text.find("Windows"), std::string::npos) << text;
    EXPECT_EQ(text.find("task bar"), std::string::npos) << text;
  }
  ASSERT_GE(ksbd(), 0);
  const startup_place& at = startup();
  EXPECT_EQ(at.airport, "KSBD");
  EXPECT_EQ(at.lat_sou, bk::round(apt_lat[ksbd()][0] - 1.0f));
  EXPECT_EQ(at.lon_wes, bk::round(apt_lon[ksbd()][0] - 1.5f));
  EXPECT_EQ(at.aircraft_file, "Trainer.acf");
  EXPECT_EQ(at.aircraft_path, default_aircraft());
}

TEST_F(Prefs, EveryItemSurvivesTheWriteAndTheNextStart) {
  good_file();
  hardprefs();  // everything back to the factory values before reading
  desk_alert_record_clear();
  initprefs();
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  expect_distinct_prefs();
  EXPECT_EQ(desk_menu_checked(7, 711), 1) << "the logbook item follows the file";
  // The start is at the file's airport, in its region.
  EXPECT_FLOAT_EQ(flt.lat, apt_lat[kbkl()][0]);
  EXPECT_EQ(env.lat_sou, bk::round(apt_lat[kbkl()][0] - 1.0f));
}

// The layout older files were written in: every line's label in its place.
TEST_F(Prefs, TheFileHasThePartsLayout) {
  set_distinct_prefs();
  set_default_aircraft();
  env.apt_list_max = 3;
  write_prefs();
  std::vector<std::string> l = lines_of(read_file(prefs_path));
  // Labels and how many lines carry each; a count of 0 is a checkpoint.
  const std::pair<std::string, int> layout[] = {
      {" apt start ", 1}, {" rway selection", 1}, {" time", 1}, {" temp", 1}, {"101", 0}, {" wx", 5},
      {" prefs on/off", 5}, {" cld type", 1}, {" tops,  m", 1}, {" bases, m", 1}, {" vis,   km", 1},
      {"  wx data", 9}, {"102", 0}, {" wave stuff, metric", 4}, {" more stuff", 2}, {"103", 0},
      {" prefs on/off", 7}, {"<data>", DATA_ITEMS}, {" damping", 1}, {" joystick ratio (sensitivity)", 3},
      {" nwheel steering type", 2}, {" recip hel throt type", 1}, {" prefs on/off", 1}, {" force rat", 1},
      {" nullzone", 2}, {" joy use", JOY_RESPONSES}, {"104", 0}, {" nav volumes", 1}, {" nav 1", 1},
      {" nav 2", 1}, {" com 1", 1}, {" com 2", 1}, {" adf", 1}, {" obs 1", 1}, {" obs 2", 1}, {" dme mode", 1},
      {" gps mode", 1}, {" gps index", 4}, {" gps id code", 4}, {"105", 0}, {" period", 1},
      {" note time flown", 1}, {" total failure chance", 1}, {"106", 0}, {" full screen", 1},
      {" whole-factor scaling", 1}, {" joysticks seen", 1}, {" joystick axis", 4}};  // the desktop's lines close it
  std::vector<std::string> want = {"I", "38 version", "Trainer.acf", "Aircraft/Trainer/Trainer.acf", "",
                                   "100 checkpoint", ""};
  for (const auto& [label, n] : layout) {
    if (n == 0) want.insert(want.end(), {"", label + " checkpoint", ""});
    for (int k = 0; k < n; k++) want.push_back(label);
  }
  ASSERT_EQ(l.size(), want.size());
  for (size_t k = 0; k < want.size(); k++) {
    const std::string& w = want[k];
    if (k < 7 || w.empty() || w.find("checkpoint") != std::string::npos) {
      EXPECT_EQ(l[k], w) << "line " << k + 1;
    } else if (w == "<data>") {
      int a, b, c;
      char tail;
      EXPECT_EQ(std::sscanf(l[k].c_str(), "%d %d %d%c", &a, &b, &c, &tail), 3) << "line " << k + 1 << ": " << l[k];
    } else {
      ASSERT_GT(l[k].size(), w.size()) << "line " << k + 1;
      EXPECT_EQ(l[k].substr(l[k].size() - w.size()), w) << "line " << k + 1 << ": " << l[k];
      EXPECT_NE(l[k][0], ' ') << "line " << k + 1 << " starts with its value";
    }
  }
  EXPECT_EQ(l[7], std::to_string(kbkl()) + " apt start ");
  EXPECT_EQ(l[14], "30.12 wx");
  EXPECT_EQ(l[28], "5 2.5 20 0 0  wx data");
}

// The desktop's lines bring back full screen, whole-factor scaling, the
// joysticks seen and the axes chosen; a file without them (an older one) or
// with them spoilt reads as before, and then the joysticks count as new.
TEST_F(Prefs, TheDesktopLinesComeBackAndOlderFilesStillRead) {
  set_default_aircraft();
  good_file();
  env.apt_list_max = 3;
  plat_set_fullscreen(1);
  plat_set_whole_scale(1);
  const int axes[4] = {3, 2, 6, 0};  // pitch on axis 2, roll on 1, yaw on 5, throttle the usual
  for (int c = 0; c < 4; c++) set.joy_axis[c] = axes[c];
  write_prefs();
  std::string full = read_file(prefs_path);
  plat_set_fullscreen(0);
  plat_set_whole_scale(0);
  hardprefs();
  desk_alert_record_clear();
  initprefs();
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  expect_distinct_prefs();
  EXPECT_EQ(plat_fullscreen(), 1);
  EXPECT_EQ(plat_whole_scale(), 1);
  EXPECT_EQ(joysticks_changed(), 0);
  EXPECT_EQ(joy_axis_of(JOY_PITCH), 2);
  EXPECT_EQ(joy_axis_of(JOY_ROLL), 1);
  EXPECT_EQ(joy_axis_of(JOY_YAW), 5);
  EXPECT_EQ(joy_axis_of(JOY_THROTTLE), JOY_AXIS_DEFAULT[JOY_THROTTLE]);

  // Written before the axes were kept: the rest of the desktop's lines
  // still count, the axes stay the usual ones.
  std::string no_axes = full.substr(0, full.find(" joysticks seen\n") + 16);
  std::string bad_axis = with_value(full, " joystick axis", 0, "99");
  for (const std::string* text : {&no_axes, &bad_axis}) {
    write_file(prefs_path, *text);
    plat_set_fullscreen(0);
    hardprefs();
    initprefs();
    EXPECT_EQ(plat_fullscreen(), 1);
    EXPECT_EQ(joy_axis_of(JOY_PITCH), JOY_AXIS_DEFAULT[JOY_PITCH]) << "none kept, or axis 99 that does not exist";
    EXPECT_EQ(joy_axis_of(JOY_ROLL), text == &no_axes ? JOY_AXIS_DEFAULT[JOY_ROLL] : 1);
  }
  plat_joy_state st{};
  st.axes = 4;
  plat_joy_set_fake(0, &st);
  EXPECT_EQ(joysticks_changed(), 1) << "a joystick plugged in since";
  plat_joy_set_fake(0, nullptr);

  std::string older = full.substr(0, full.find("\n106 checkpoint"));
  std::string spoilt = with_value(full, " whole-factor scaling", 0, "x");
  for (const std::string* text : {&older, &spoilt}) {
    write_file(prefs_path, *text);
    plat_set_fullscreen(0);
    hardprefs();
    desk_alert_record_clear();
    initprefs();
    EXPECT_EQ(desk_alert_count(), 0) << alerts();
    expect_distinct_prefs();
    EXPECT_EQ(plat_fullscreen(), 0);
    EXPECT_EQ(joysticks_changed(), 1);
  }
}

TEST_F(Prefs, TheQuitWriteWaitsForTheRegionLists) {
  write_file(prefs_path, "as it was\n");
  env.apt_list_max = -999;
  write_prefs();
  EXPECT_EQ(read_file(prefs_path), "as it was\n");
  env.apt_list_max = 0;
  msc.ready_to_update = 0;
  write_prefs();
  EXPECT_EQ(read_file(prefs_path), "as it was\n");
  msc.ready_to_update = 1;
  write_prefs();
  EXPECT_EQ(read_file(prefs_path).substr(0, 13), "I\n38 version\n");
}

TEST_F(Prefs, ThePeriodIsHeldBetweenOneAndTenHundredths) {
  std::string good = good_file();
  const struct {
    const char* written;
    float read;
  } cases[] = {{"0.5", 0.1f}, {"0.001", 0.01f}, {"0.1", 0.1f}, {"0.01", 0.01f}, {"0.042", 0.042f}, {"-3", 0.01f}};
  for (const auto& c : cases) {
    write_file(prefs_path, with_value(good, " period", 0, c.written));
    msc.prd = 0.05f;
    initprefs();
    EXPECT_FLOAT_EQ(msc.prd, c.read) << c.written;
  }
}

TEST_F(Prefs, AvionicsSwitchStartsTheRadiosAtTheirDefaults) {
  set_distinct_prefs();
  set.eq_avi = 1;
  write_prefs_as_they_stand(prefs_path);
  initprefs();
  EXPECT_EQ(set.eq_avi, 1);
  EXPECT_EQ(nav.nf[0] * 100 + nav.nf100[0], 11170);
  EXPECT_EQ(nav.nf[1] * 100 + nav.nf100[1], 11170);
  EXPECT_EQ(nav.cf[0] * 100 + nav.cf100[0], 12100);
  EXPECT_EQ(nav.cf[1] * 100 + nav.cf100[1], 12100);
  EXPECT_EQ(nav.adf1 * 100 + nav.adf2 * 10 + nav.adf3, 210);
  EXPECT_FLOAT_EQ(nav.vol[1], 0.75f) << "only the frequencies are reset";
}

TEST_F(Prefs, LineEndsOfAnyKindReadTheSame) {
  std::string good = good_file();
  std::string crlf, cr;
  for (char c : good) {
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    cr += c == '\n' ? '\r' : c;
  }
  for (const std::string* text : {&crlf, &cr}) {
    write_file(prefs_path, *text);
    hardprefs();
    desk_alert_record_clear();
    initprefs();
    EXPECT_EQ(desk_alert_count(), 0) << alerts();
    expect_distinct_prefs();
  }
}

TEST_F(Prefs, EveryTruncationLeadsSilentlyToTheDefaults) {
  std::string good = good_file();
  std::vector<size_t> cuts = {0};  // an empty file too
  for (size_t k = 0; k < good.size(); k++)
    if (good[k] == '\n') {
      cuts.push_back(k);      // the line without its end
      cuts.push_back(k + 1);  // the whole line
      if (k > 3) cuts.push_back(k - 2);
    }
  // The last cut leaves all but the last item: nothing read before it is kept.
  for (size_t cut : cuts) {
    if (cut >= good.size()) continue;
    expect_defaults_from(good.substr(0, cut), "cut at " + std::to_string(cut));
    if (HasFailure()) return;
  }
}

TEST_F(Prefs, BadValuesAndBadFilesLeadSilentlyToTheDefaults) {
  std::string good = good_file();
  std::string last_apt = std::to_string(env.aptmax + 1), last_nav = std::to_string(env.navmax);
  const struct {
    const char* label;
    int n;
    std::string value;
  } bad[] = {
      {" apt start ", 0, "-1"},     {" apt start ", 0, last_apt},   {" apt start ", 0, "99999999999"},
      {" apt start ", 0, "abc"},    {" rway selection", 0, "6"},     {" rway selection", 0, "-1"},
      {" time", 0, "0"},            {" time", 0, "5"},               {" temp", 0, "nan"},
      {" temp", 0, "1e99"},         {" cld type", 0, "2"},           {" more stuff", 0, "5"},
      {" more stuff", 1, "0"},      {" dme mode", 0, "2"},           {" gps mode", 0, "4"},
      {" gps index", 0, "-5"},      {" gps index", 1, last_apt},     {" gps index", 2, last_nav},
      {" gps index", 3, "-1"},      {" gps id code", 0, "37"},       {" gps id code", 3, "-1"},
      {" adf", 0, "10 0 0"},        {" adf", 0, "1 2 -1"},           {" period", 0, "inf"},
  };
  for (const auto& b : bad)
    expect_defaults_from(with_value(good, b.label, b.n, b.value), std::string(b.label) + " = " + b.value);

  // A runway that the starting airport does not have: San Bernardino has one.
  std::string at_ksbd = with_value(good, " apt start ", 0, std::to_string(ksbd()));
  expect_defaults_from(with_value(at_ksbd, " rway selection", 0, "2"), "rway 2 at KSBD");

  std::string wrong_version = good;
  wrong_version.replace(0, 13, "I\n37 version\n");
  expect_defaults_from(wrong_version, "version 37");
  std::string cp = good;
  cp.replace(cp.find("102 checkpoint"), 3, "103");
  expect_defaults_from(cp, "checkpoint out of place");
  expect_defaults_from(std::string("A\n38 version\n\x01\x02\xff\xfe", 17), "binary junk");
  expect_defaults_from(std::string(5000, 'x'), "no header");
}

// Numbers far outside what a setting can be fail the read with a message
// naming the file, the field and the value; then the defaults, as for any
// file that does not read.
TEST_F(Prefs, ExtremeSettingsAreRefusedNamingTheFileFieldAndValue) {
  std::string good = good_file();
  const struct { const char* label; int n; const char* value; const char* says; } cases[] = {
      {" damping", 0, "1e12", "The damping is 1e+12"},
      {" wave stuff, metric", 3, "3e38", "The wave direction is 3e+38"},
      {" joystick ratio (sensitivity)", 0, "-5", "The joystick pitch ratio is -5"},
  };
  for (const auto& c : cases) {
    write_file(prefs_path, with_value(good, c.label, c.n, c.value));
    desk_alert_record_clear();
    initprefs();
    ASSERT_GE(desk_alert_count(), 2) << c.label;
    std::string first = desk_alert_text(0);
    EXPECT_NE(first.find(prefs_path), std::string::npos) << first;
    EXPECT_NE(first.find(c.says), std::string::npos) << first;
    EXPECT_EQ(std::string(desk_alert_text(1)), welcome) << c.label;
    EXPECT_EQ(set.damp, 0) << c.label;
    EXPECT_EQ(atm.wave_dir, 0) << c.label;
  }
}

// A pipe where the file should be is never opened (it would block for ever).
TEST_F(Prefs, APipeAsThePreferencesFileGivesAMessageNotAHang) {
  std::remove(prefs_path);
  ASSERT_EQ(mkfifo(prefs_path, 0600), 0);
  desk_alert_record_clear();
  initprefs();
  ASSERT_GE(desk_alert_count(), 2);
  std::string first = desk_alert_text(0);
  EXPECT_NE(first.find("not a regular file"), std::string::npos) << first;
  EXPECT_NE(first.find(prefs_path), std::string::npos) << first;
  EXPECT_EQ(std::string(desk_alert_text(1)), welcome);
  std::remove(prefs_path);
}

// The runner answers the aircraft dialog with the default aircraft only when
// that file can be flown: otherwise the same question would come back for
// ever (the first start then ends with "I did not get a valid aircraft").
TEST_F(Prefs, TheRunnerOffersNoDefaultAircraftThatCannotBeOpened) {
  char p[STR_DIM];
  ASSERT_EQ(headless_dialog_choice(0, "", "acf", p, STR_DIM), 1);
  EXPECT_EQ(std::string(p), default_aircraft());
  std::string saved = app_path;
  std::string empty = std::string(TARVEL_BUILD_DIR) + "/testtmp/no-aircraft";
  ASSERT_EQ(system(("mkdir -p '" + empty + "/Aircraft/Trainer'").c_str()), 0);
  std::snprintf(app_path, STR_DIM, "%s", empty.c_str());
  EXPECT_EQ(headless_dialog_choice(0, "", "acf", p, STR_DIM), 0);  // missing
  write_file(empty + "/Aircraft/Trainer/Trainer.acf", "");
  EXPECT_EQ(headless_dialog_choice(0, "", "acf", p, STR_DIM), 0);  // empty
  std::snprintf(app_path, STR_DIM, "%s", saved.c_str());
}

TEST_F(Prefs, AircraftPathsAreKeptRelativeToTheDataAndTrustedNoFurther) {
  char stored[STR_DIM], full[STR_DIM];
  std::string app = app_path;
  stored_aircraft_path((app + "/Aircraft/Trainer/Trainer.acf").c_str(), stored);
  EXPECT_STREQ(stored, "Aircraft/Trainer/Trainer.acf");
  stored_aircraft_path("/home/pilot/planes/Mine.acf", stored);
  EXPECT_STREQ(stored, "/home/pilot/planes/Mine.acf");
  stored_aircraft_path((app + "x/Other.acf").c_str(), stored);  // a sibling folder, not inside
  EXPECT_EQ(std::string(stored), app + "x/Other.acf");

  EXPECT_EQ(resolve_aircraft_path("Aircraft/LightTwin/LightTwin.acf", full), 1);
  EXPECT_EQ(std::string(full), app + "/Aircraft/LightTwin/LightTwin.acf");
  EXPECT_EQ(resolve_aircraft_path("/home/pilot/planes/Mine.acf", full), 1);
  EXPECT_STREQ(full, "/home/pilot/planes/Mine.acf");
  for (const char* bad : {"../../etc/passwd", "Aircraft/../../x.acf", "/home/../etc/x.acf", "", ".."}) {
    EXPECT_EQ(resolve_aircraft_path(bad, full), 0) << bad;
    EXPECT_STREQ(full, "") << bad;
  }
  std::string huge(STR_DIM + 10, 'a');
  EXPECT_EQ(resolve_aircraft_path(huge.c_str(), full), 0);

  // A file naming a path that climbs out, or a file that is no aircraft, is a bad file.
  std::string good = good_file();
  std::vector<std::string> l = lines_of(good);
  auto with_path = [&](const std::string& p) {
    std::string t;
    for (size_t k = 0; k < l.size(); k++) t += (k == 3 ? p : l[k]) + "\n";
    return t;
  };
  expect_defaults_from(with_path("../../../etc/passwd"), "a path climbing out");
  expect_defaults_from(with_path("additional nav data/apt_dat"), "no aircraft file");

  // The data folder moved: the stored path follows it. A missing aircraft is
  // not the file's fault; the aircraft reader asks for another.
  write_file(prefs_path, with_path("Aircraft/LightTwin/LightTwin.acf"));
  char kept[STR_DIM];
  std::snprintf(kept, sizeof kept, "%s", app_path);
  std::snprintf(app_path, sizeof app_path, "%s", "/somewhere/else/data");
  desk_alert_record_clear();
  initprefs();
  std::snprintf(app_path, sizeof app_path, "%s", kept);
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  EXPECT_STREQ(pln.C_path, "/somewhere/else/data/Aircraft/LightTwin/LightTwin.acf");
  EXPECT_STREQ(pln.C_file, "LightTwin.acf");
}

}  // namespace
