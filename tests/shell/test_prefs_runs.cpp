// A new user's first start and the starts after it, through the headless
// runner from an empty home folder: the welcome, the aircraft dialog in the
// shipped aircraft folder, the flight, the preferences written on quit and
// read by the next start; a fatal error leaves them spoilt for the defaults.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <ctime>
#include <fstream>
#include "tests/shell/runner_fixture.h"

using namespace runner_test;

namespace {

// Line n (from 0) of a text.
std::string line(const std::string& text, int n) {
  std::vector<std::string> l = lines_of(text);
  return n < (int)l.size() ? l[n] : "";
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
  r = run_with_script(h, "--frames 2", "0 joy 0 axis 0 0\n");
  EXPECT_EQ(count_of(r.out, none), 0) << r.out;
  EXPECT_NE(r.out.find("Center the trim on your joystick."), std::string::npos) << r.out;
  r = run_in(h, "--frames 2");  // pulled out since
  EXPECT_EQ(count_of(r.out, none), 1) << r.out;
  r = run_in(h, "--frames 2");
  EXPECT_EQ(count_of(r.out, none), 0) << r.out;
}

TEST(FirstStart, TheScriptAnswersTheWelcomeAndTheDialog) {
  home h("answered");
  run_result r =
      run_with_script(h, "--frames 5", "0 answer 0\n0 answer-path " + data + "/Aircraft/LightTwin/LightTwin.acf\n");
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
  run_result r = run_with_script(h, "--frames 5", "0 answer 0\n0 answer-cancel\n");  // the welcome, then the dialog
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
  run_result r = run_with_script(h, "--frames 10", "3 menu 703\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_NE(r.out.find("I have disabled the preferences file."), std::string::npos) << r.out;
  const std::string spoilt = "I\n-1 version\nz\nz\nz\nz\nz\n";
  EXPECT_EQ(read_all(h.prefs()).substr(0, spoilt.size()), spoilt);
  // The settings the user had are kept beside it, readable as they were.
  std::string kept = read_all(h.prefs() + ".bak");
  EXPECT_EQ(kept.substr(0, 13), "I\n38 version\n");
  r = run_in(h, "--frames 2");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  | Tarvel started with its default settings because it last ended with this error:\n"
                       "  | I have disabled the preferences file. "),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("  | " + h.prefs() + ".bak\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find(welcome), std::string::npos) << r.out;
  EXPECT_EQ(read_all(h.prefs()).substr(0, 13), "I\n38 version\n");
  EXPECT_EQ(read_all(h.prefs() + ".bak"), kept);

  // Any fatal error does the same: here a start command out of range.
  std::string before = read_all(h.prefs());
  r = run_with_script(h, "--frames 10", "3 menu 1723\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(read_all(h.prefs()).substr(0, spoilt.size()), spoilt);
  EXPECT_EQ(read_all(h.prefs() + ".bak"), before);
  // A second error while the file is spoilt keeps the settings from before both.
  r = run_with_script(h, "--frames 10", "3 menu 1723\n");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(read_all(h.prefs() + ".bak"), before);
}

// With no home folder and no XDG folders nothing is written anywhere (least
// of all in a shared /tmp), and the user is told the settings are not kept.
TEST(FirstStart, WithoutAHomeFolderNothingIsSavedAndTheUserIsTold) {
  struct stat before_cfg, before_loc;
  int had_cfg = stat("/tmp/.config", &before_cfg) == 0, had_loc = stat("/tmp/.local", &before_loc) == 0;
  run_result r = run_shell(std::string("cd ") + TARVEL_BUILD_DIR +
                           " && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME= ./tarvel-headless --frames 2 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  | Your settings could not be saved.\n"
                       "  | There is no home folder ($HOME is empty) to keep them in."),
            std::string::npos)
      << r.out;
  struct stat after;
  EXPECT_EQ(stat("/tmp/.config/tarvel", &after) == 0 && !had_cfg, false);
  EXPECT_EQ(stat("/tmp/.local/share/tarvel", &after) == 0 && !had_loc, false);
  if (had_cfg && stat("/tmp/.config/tarvel/Tarvel Ririzuz.prf", &after) == 0) {
    EXPECT_LT(after.st_mtime, time(nullptr) - 1) << "written by this run";
  }
}

// A configuration folder whose path does not fit the name buffer is not cut
// into another name: the settings are not saved, and the user is told.
TEST(FirstStart, AConfigurationPathTooLongIsToldNotCut) {
  home h("long");
  std::string cfg = h.dir() + "/" + std::string(200, 'c') + "/" + std::string(200, 'd');
  run_result r = run_shell(std::string("cd ") + TARVEL_BUILD_DIR + " && env -u XDG_DATA_HOME HOME='" + h.dir() +
                           "' XDG_CONFIG_HOME='" + cfg + "' ./tarvel-headless --frames 2 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("  | Your settings could not be saved.\n"
                       "  | The path of the configuration folder is too long: "),
            std::string::npos)
      << r.out;
  // Nothing was written in the folder under a cut name.
  std::string listing = run_shell("ls -A '" + cfg + "/tarvel'").out;
  EXPECT_EQ(listing, "") << listing;
}

// A link planted as the preferences file is replaced on quit; what it points
// at is never written.
TEST(FirstStart, ALinkAtThePreferencesPathLeavesItsTargetUntouched) {
  home h("link");
  std::string target = h.file("precious.txt");
  std::ofstream(target) << "not yours to overwrite\n";
  std::string cfg = h.dir() + "/.config/tarvel";
  ASSERT_EQ(system(("mkdir -p '" + cfg + "'").c_str()), 0);
  ASSERT_EQ(symlink(target.c_str(), h.prefs().c_str()), 0);
  run_result r = run_in(h, "--frames 2");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(read_all(target), "not yours to overwrite\n");
  struct stat st;
  ASSERT_EQ(lstat(h.prefs().c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));
  EXPECT_EQ(read_all(h.prefs()).substr(0, 13), "I\n38 version\n");
}

// A save killed between its temporary file and the rename leaves the
// temporary file; the next start removes it and keeps the user's file.
TEST(FirstStart, AnInterruptedSavesTemporaryFileIsRemovedAtTheNextStart) {
  home h("stray");
  ASSERT_EQ(run_in(h, "--frames 2").status, 0);
  std::string prefs = read_all(h.prefs());
  std::string stray = h.prefs() + ".Xy12Zq.tmp~";
  std::ofstream(stray) << "I\n38 ver";
  ASSERT_EQ(run_in(h, "--frames 2").status, 0);
  struct stat st;
  EXPECT_NE(stat(stray.c_str(), &st), 0);
  EXPECT_EQ(read_all(h.prefs()).substr(0, 13), "I\n38 version\n");
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
