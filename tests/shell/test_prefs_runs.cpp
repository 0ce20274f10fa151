// A new user's first start and the starts after it, through the headless
// runner from an empty home folder: the welcome, the aircraft dialog in the
// shipped aircraft folder, the flight, the preferences written on quit and
// read by the next start; a fatal error leaves them spoilt for the defaults.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include "tests/shell/runner_fixture.h"

using namespace runner_test;

namespace {

std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string line(const std::string& text, int n) {
  std::istringstream in(text);
  std::string l;
  for (int k = 0; k <= n && std::getline(in, l); k++) {
  }
  return l;
}

const std::string data = TARVEL_SOURCE_DATA_DIR;
const char* const welcome = "  | Welcome to Tarvel.\n";

TEST(FirstStart, WelcomesAsksForAnAircraftWhereTheyAreFliesAndRemembers) {
  home h("first");
  run_result r = run_in(h, "--frames 30");
  ASSERT_EQ(r.status, 0) << r.out;
  size_t w = r.out.find(welcome), d = r.out.find("dialog: open *.acf in " + data + "/Aircraft\n"),
         done = r.out.find("frames done");
  ASSERT_NE(w, std::string::npos) << r.out;
  ASSERT_NE(d, std::string::npos) << r.out;
  ASSERT_NE(done, std::string::npos) << r.out;
  EXPECT_LT(w, d);
  EXPECT_LT(d, done);
  EXPECT_NE(r.out.find("  -> " + data + "/Aircraft/Trainer/Trainer.acf"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("no joysticks on this computer"), std::string::npos) << r.out;

  std::string prefs = read_all(h.prefs());
  ASSERT_FALSE(prefs.empty()) << "no preferences after quitting";
  EXPECT_EQ(prefs.substr(0, 13), "I\n38 version\n");
  EXPECT_EQ(line(prefs, 2), "Trainer.acf");
  EXPECT_EQ(line(prefs, 3), "Aircraft/Trainer/Trainer.acf");
  EXPECT_EQ(line(prefs, 5), "100 checkpoint");

  // The next start goes straight to the flight.
  r = run_in(h, "--frames 30");
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out.find("Welcome"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("dialog:"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("no joysticks"), std::string::npos) << "the same joysticks as before: " << r.out;
  EXPECT_NE(r.out.find("frames done"), std::string::npos) << r.out;
  EXPECT_EQ(read_all(h.prefs()), prefs) << "the same flight writes the same file";
}

// The no-joystick alert comes at the first start and when the joysticks
// plugged in are not those of the last run, not at every start.
TEST(FirstStart, TheNoJoystickAlertComesWhenTheJoysticksChange) {
  home h("joysticks");
  const std::string none = "no joysticks on this computer";
  run_result r = run_in(h, "--frames 2");
  EXPECT_EQ(count_of(r.out, none), 1) << r.out;
  r = run_in(h, "--frames 2");
  EXPECT_EQ(count_of(r.out, none), 0) << r.out;
  std::string script = h.file("stick.txt");
  std::ofstream(script) << "0 joy 0 axis 0 0\n";
  r = run_in(h, "--frames 2 --script " + script);
  EXPECT_EQ(count_of(r.out, none), 0) << r.out;
  EXPECT_NE(r.out.find("Center the trim on your joystick."), std::string::npos) << r.out;
  r = run_in(h, "--frames 2");  // pulled out since
  EXPECT_EQ(count_of(r.out, none), 1) << r.out;
  r = run_in(h, "--frames 2");
  EXPECT_EQ(count_of(r.out, none), 0) << r.out;
}

TEST(FirstStart, TheScriptAnswersTheWelcomeAndTheDialog) {
  home h("answered");
  std::string script = h.file("first.txt");
  std::ofstream(script) << "0 answer 0\n0 answer-path " << data << "/Aircraft/LightTwin/LightTwin.acf\n";
  run_result r = run_in(h, "--frames 5 --script " + script);
  ASSERT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  -> " + data + "/Aircraft/LightTwin/LightTwin.acf"), std::string::npos) << r.out;
  std::string prefs = read_all(h.prefs());
  EXPECT_EQ(line(prefs, 2), "LightTwin.acf");
  EXPECT_EQ(line(prefs, 3), "Aircraft/LightTwin/LightTwin.acf");
  r = run_in(h, "--frames 2 --geometry-report");
  EXPECT_NE(r.out.find("Simulating LightTwin.acf"), std::string::npos) << r.out;
}

TEST(FirstStart, DecliningToChooseAnAircraftEndsTheProgram) {
  home h("declined");
  std::string script = h.file("cancel.txt");
  std::ofstream(script) << "0 answer 0\n0 answer-cancel\n";  // the welcome, then the dialog
  run_result r = run_in(h, "--frames 5 --script " + script);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("  -> (cancelled)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("I did not get a valid aircraft from you.\n"
                       "If you want to try again, navigate to the same folder that this program is in.\n"
                       "Then select an aircraft file.\n"
                       "Aircraft files have a '.acf' suffix."),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.out.find("frames done"), std::string::npos);
}

TEST(FirstStart, AFatalErrorSpoilsThePreferencesAndTheNextStartUsesTheDefaults) {
  home h("fatal");
  ASSERT_EQ(run_in(h, "--frames 2").status, 0);
  std::string script = h.file("reset.txt");
  std::ofstream(script) << "3 menu 703\n";
  run_result r = run_in(h, "--frames 10 --script " + script);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("I have disabled the preferences file."), std::string::npos) << r.out;
  EXPECT_EQ(read_all(h.prefs()), "I\n-1 version\nz\nz\nz\nz\nz\n");
  r = run_in(h, "--frames 2");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find(welcome), std::string::npos) << r.out;
  EXPECT_EQ(read_all(h.prefs()).substr(0, 13), "I\n38 version\n");

  // Any fatal error does the same: here a start command out of range.
  std::ofstream(script) << "3 menu 1723\n";
  r = run_in(h, "--frames 10 --script " + script);
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(read_all(h.prefs()), "I\n-1 version\nz\nz\nz\nz\nz\n");
}

TEST(FirstStart, TheRunnersAirportIsWhereTheNextStartBegins) {
  home h("airport");
  ASSERT_EQ(run_in(h, "--frames 2").status, 0);
  std::string at_ksbd = line(read_all(h.prefs()), 7);
  ASSERT_EQ(run_in(h, "--frames 2 --airport KBKL").status, 0);
  std::string at_kbkl = line(read_all(h.prefs()), 7);
  EXPECT_NE(at_kbkl, at_ksbd);
  EXPECT_NE(at_kbkl.find(" apt start "), std::string::npos) << at_kbkl;
  // A plain start begins where the last flight did, and keeps it.
  ASSERT_EQ(run_in(h, "--frames 2").status, 0);
  EXPECT_EQ(line(read_all(h.prefs()), 7), at_kbkl);
}

}  // namespace
