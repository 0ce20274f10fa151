// The installation a package makes, into a folder of its own: the programs,
// the data they find there, the desktop entries, icons, metadata and manual
// pages, and the installed simulator flying from another folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include "tests/support/run_runner.h"

namespace {
using runner_test::run_result;
using runner_test::run_shell;

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

bool exists(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0;
}

bool has_tool(const char* name) { return run_shell(std::string("command -v ") + name + " >/dev/null").status == 0; }

class Install : public ::testing::Test {
 protected:
  static std::string prefix, home;
  static void SetUpTestSuite() {
    std::string base = std::string(TARVEL_BUILD_DIR) + "/testtmp/install-" + std::to_string(getpid());
    prefix = base + "/prefix";
    home = base + "/home";
    run_shell("rm -rf '" + base + "' && mkdir -p '" + home + "'");
    run_result r = run_shell(std::string("'") + TARVEL_CMAKE_COMMAND + "' --install '" + TARVEL_BUILD_DIR +
                             "' --prefix '" + prefix + "' 2>&1");
    ASSERT_EQ(r.status, 0) << r.out;
  }
  static void TearDownTestSuite() {
    run_shell("rm -rf '" + std::string(TARVEL_BUILD_DIR) + "/testtmp/install-" + std::to_string(getpid()) + "'");
  }
};
std::string Install::prefix, Install::home;

TEST_F(Install, PutsEverythingUnderThePrefix) {
  for (const char* f : {"bin/tarvel", "bin/gridwright", "share/tarvel/Aircraft/Trainer/Trainer.acf",
                        "share/tarvel/additional nav data/apt_dat", "share/applications/org.tarvel.Tarvel.desktop",
                        "share/applications/org.tarvel.Gridwright.desktop",
                        "share/metainfo/org.tarvel.Tarvel.metainfo.xml",
                        "share/metainfo/org.tarvel.Gridwright.metainfo.xml", "share/man/man1/tarvel.1",
                        "share/man/man1/gridwright.1", "share/icons/hicolor/scalable/apps/org.tarvel.Tarvel.svg"})
    EXPECT_TRUE(exists(prefix + "/" + f)) << f;
  // Each icon is a PNG of its size.
  for (const char* id : {"org.tarvel.Tarvel", "org.tarvel.Gridwright"})
    for (int n : {16, 24, 32, 48, 64, 128, 256}) {
      std::string png = read_file(prefix + "/share/icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) +
                                  "/apps/" + id + ".png");
      ASSERT_GT(png.size(), 24u) << id << " " << n;
      EXPECT_EQ(png.substr(1, 3), "PNG");
      auto be32 = [&](size_t at) {
        return (unsigned char)png[at] << 24 | (unsigned char)png[at + 1] << 16 | (unsigned char)png[at + 2] << 8 |
               (unsigned char)png[at + 3];
      };
      EXPECT_EQ(be32(16), n) << id;
      EXPECT_EQ(be32(20), n) << id;
    }
}

TEST_F(Install, TheInstalledSimulatorFindsItsDataThere) {
  run_result r = run_shell("'" + prefix + "/bin/tarvel' --version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, run_shell(std::string("'") + TARVEL_BUILD_DIR + "/tarvel' --version").out);
  // From another folder, with a home of its own and no display: the first
  // start's dialog opens in the installed data and the flight runs.
  r = run_shell("cd / && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME='" + home +
                "' SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy '" + prefix + "/bin/tarvel' --frames 20 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("open dialog: *.acf in " + prefix + "/share/tarvel/Aircraft\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("-> " + prefix + "/share/tarvel/Aircraft/Trainer/Trainer.acf"), std::string::npos) << r.out;
  EXPECT_EQ(read_file(home + "/.config/tarvel/Tarvel Ririzuz.prf").substr(0, 13), "I\n38 version\n");
}

// The pages are made from --help: an option the page lacks means it is stale
// (tools/mangen/mangen remakes it).
TEST_F(Install, TheManualPagesNameEveryOption) {
  for (const char* program : {"tarvel", "gridwright"}) {
    std::string help = run_shell(std::string("'") + TARVEL_BUILD_DIR + "/" + program + "' --help").out;
    std::string page = read_file(prefix + "/share/man/man1/" + program + ".1");
    ASSERT_FALSE(page.empty()) << program;
    std::regex option("--([a-z][a-z-]*)");
    std::set<std::string> options;
    for (auto it = std::sregex_iterator(help.begin(), help.end(), option); it != std::sregex_iterator(); ++it)
      options.insert((*it)[1]);
    EXPECT_GE(options.size(), 6u) << help;
    for (const std::string& o : options) {
      std::string roff = "\\-\\-";  // every hyphen escaped in the page
      for (char c : o) roff += c == '-' ? std::string("\\-") : std::string(1, c);
      EXPECT_NE(page.find(roff), std::string::npos) << program << " --" << o;
    }
  }
}

TEST_F(Install, DesktopEntriesAndMetadataValidate) {
  if (!has_tool("desktop-file-validate") || !has_tool("appstreamcli"))
    GTEST_SKIP() << "desktop-file-utils and appstream are not installed (tools/setup installs them)";
  run_result r = run_shell("desktop-file-validate '" + prefix + "'/share/applications/*.desktop 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_EQ(r.out, "") << "warnings too";
  r = run_shell("appstreamcli validate --no-net '" + prefix + "'/share/metainfo/*.metainfo.xml 2>&1");
  EXPECT_EQ(r.status, 0) << r.out;
  // Each entry names its program and an icon that is installed.
  for (const char* id : {"org.tarvel.Tarvel", "org.tarvel.Gridwright"}) {
    std::string entry = read_file(prefix + "/share/applications/" + id + ".desktop");
    EXPECT_NE(entry.find(std::string("Icon=") + id + "\n"), std::string::npos) << entry;
    std::string exec = entry.substr(entry.find("Exec=") + 5);
    exec = exec.substr(0, exec.find('\n'));
    EXPECT_TRUE(exists(prefix + "/bin/" + exec)) << exec;
    std::string info = read_file(prefix + "/share/metainfo/" + id + ".metainfo.xml");
    EXPECT_NE(info.find(std::string("<launchable type=\"desktop-id\">") + id + ".desktop<"), std::string::npos);
  }
}

}  // namespace
