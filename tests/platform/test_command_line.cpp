// Both programs' command lines as a user meets them in a terminal: help,
// version, a wrong option, no display, and a run without a display.
#include <gtest/gtest.h>
#include <unistd.h>
#include <fstream>
#include <string>
#include "basekit/platform/platform.h"
#include "tests/support/run_runner.h"

namespace {
using runner_test::run_result;
using runner_test::run_shell;

struct output {
  int status;
  std::string out, err;
};

// The program from the build folder, its standard output and error kept apart.
output run(const std::string& program, const std::string& args, const std::string& env = "") {
  std::string err_file = std::string(TARVEL_BUILD_DIR) + "/testtmp/cmdline-" + std::to_string(getpid()) + ".err";
  run_shell(std::string("mkdir -p ") + TARVEL_BUILD_DIR + "/testtmp");
  run_result r = run_shell("cd /tmp && " + env + " timeout 60 " + TARVEL_BUILD_DIR + "/" + program + " " + args +
                           " 2>'" + err_file + "'");
  std::ifstream in(err_file);
  std::string err((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  unlink(err_file.c_str());
  return {r.status, r.out, err};
}

bool has(const std::string& text, const std::string& what) { return text.find(what) != std::string::npos; }

TEST(CommandLine, HelpAndVersionPrintAndLeave) {
  for (const char* program : {"tarvel", "gridwright"}) {
    for (const char* flag : {"--help", "-h"}) {
      output o = run(program, flag);
      EXPECT_EQ(o.status, 0) << program << " " << flag;
      EXPECT_TRUE(has(o.out, std::string("Usage: ") + program + " [OPTION]...\n")) << o.out;
      for (const char* option : {"--fullscreen", "--window", "--whole-scale", "--help", "--version"})
        EXPECT_TRUE(has(o.out, option)) << program << " help lacks " << option;
      EXPECT_EQ(o.err, "") << program;
    }
    output o = run(program, "--version");
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out.rfind(std::string(program) + " ", 0), 0u) << o.out;
    EXPECT_TRUE(o.out.size() > std::string(program).size() + 2 && o.out.back() == '\n') << o.out;
    EXPECT_EQ(run(program, "-V").out, o.out);
    // Help wins over a display that is not there.
    EXPECT_EQ(run(program, "--help", "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER").status, 0);
  }
  EXPECT_TRUE(has(run("tarvel", "--help").out, "--frames N"));
}

TEST(CommandLine, WrongOptionsGetTheUsageAndStatusTwo) {
  const struct {
    const char* program;
    const char* args;
    const char* said;
  } cases[] = {{"tarvel", "--bogus", "unrecognized option '--bogus'"},
               {"tarvel", "-x", "unrecognized option '-x'"},
               {"tarvel", "aircraft.acf", "unexpected argument 'aircraft.acf'"},
               {"tarvel", "--frames", "--frames wants a number"},
               {"tarvel", "--frames ten", "--frames wants a number"},
               {"tarvel", "--frames 0", "--frames wants a number"},
               {"gridwright", "--frames 5", "unrecognized option '--frames'"}};
  for (const auto& c : cases) {
    output o = run(c.program, c.args);
    EXPECT_EQ(o.status, 2) << c.program << " " << c.args;
    EXPECT_EQ(o.out, "") << c.args;
    EXPECT_TRUE(has(o.err, c.said)) << c.args << ": " << o.err;
    EXPECT_TRUE(has(o.err, std::string("Usage: ") + c.program)) << o.err;
    EXPECT_TRUE(has(o.err, std::string("Try '") + c.program + " --help'")) << o.err;
  }
}

// With no display SDL would fall back to drawing nowhere: the programs say
// so and leave with status 1 instead.
TEST(CommandLine, NoDisplayIsSaidWithStatusOne) {
  for (const char* program : {"tarvel", "gridwright"}) {
    output o = run(program, "", "env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER");
    EXPECT_EQ(o.status, 1) << program << ": " << o.err;
    EXPECT_TRUE(has(o.err, std::string(program) + ": cannot open a window: no display")) << o.err;
    EXPECT_TRUE(has(o.err, "SDL_VIDEODRIVER=dummy")) << o.err;
    // A display named but not there.
    o = run(program, "--window", "env -u WAYLAND_DISPLAY DISPLAY=:97 SDL_VIDEODRIVER=x11");
    EXPECT_EQ(o.status, 1) << program << ": " << o.err;
    EXPECT_TRUE(has(o.err, std::string(program) + ": cannot open a window")) << o.err;
    EXPECT_TRUE(has(o.err, "DISPLAY=:97")) << o.err;
  }
}

// Asked for without a display, the simulator runs its frames, prints its
// alerts and quits as File > Exit does, writing the preferences.
TEST(CommandLine, ARunWithoutADisplayFliesAndQuits) {
  std::string home = std::string(TARVEL_BUILD_DIR) + "/testtmp/cmdline-home-" + std::to_string(getpid());
  run_shell("rm -rf '" + home + "' && mkdir -p '" + home + "'");
  std::string env = "env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME='" + home + "' SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy";
  output o = run("tarvel", "--frames 20", env);
  EXPECT_EQ(o.status, 0) << o.err;
  EXPECT_TRUE(has(o.err, "Welcome to Tarvel.")) << o.err;
  std::ifstream prefs(home + "/.config/tarvel/Tarvel Ririzuz.prf");
  EXPECT_TRUE(prefs.good()) << "no preferences written";
  run_shell("rm -rf '" + home + "'");
}

}  // namespace

namespace {
// Full screen or whole factors asked for on the command line hold for that
// run; what the preferences keep is the choice made in the program.
TEST(CommandLine, ADisplayChoiceOnTheCommandLineHoldsForItsRunOnly) {
  char a0[] = "tarvel", a1[] = "--fullscreen", a2[] = "--whole-scale";
  char* argv[] = {a0, a1, a2};
  const plat_program p = {"tarvel", "1.0", "A test.", "", "", nullptr, nullptr};
  ASSERT_EQ(plat_command_line(&p, 3, argv, stdout, stderr), PLAT_RUN);
  EXPECT_EQ(plat_fullscreen(), 1);
  EXPECT_EQ(plat_whole_scale(), 1);
  plat_prefer_fullscreen(0);  // what the preferences say, read later
  plat_prefer_whole_scale(0);
  EXPECT_EQ(plat_fullscreen(), 1);
  EXPECT_EQ(plat_whole_scale(), 1);
  EXPECT_EQ(plat_fullscreen_choice(), 0);
  EXPECT_EQ(plat_whole_scale_choice(), 0);
  plat_set_fullscreen(0);  // Alt+Enter
  EXPECT_EQ(plat_fullscreen(), 0);
  plat_set_fullscreen(1);
  EXPECT_EQ(plat_fullscreen_choice(), 1);
}
}  // namespace
