// The whole simulator started once per test program, on the dummy drivers and
// a fake clock, with a configuration folder of its own: the first start takes
// the defaults, and no other test's preferences are read or overwritten.
#pragma once
#include <gtest/gtest.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/msc.h"
#include "sim/shell/lax.h"
#include "sim/shell/prefs.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

namespace shell_test {

inline std::string& config_home() {
  static std::string dir;
  return dir;
}

// The alerts of the start-up itself, kept before the tests clear the record.
inline std::vector<std::string>& startup_alerts() {
  static std::vector<std::string> alerts;
  return alerts;
}

// The folder holds only plain files the tests made.
inline void remove_config_home() {
  const std::string& dir = config_home();
  if (dir.empty()) return;
  for (const char* sub : {"/tarvel", ""}) {
    std::string d = dir + sub;
    if (DIR* h = opendir(d.c_str())) {
      while (dirent* e = readdir(h))
        if (e->d_name[0] != '.') unlink((d + "/" + e->d_name).c_str());
      closedir(h);
    }
    rmdir(d.c_str());
  }
}

// Where the start-up put the flight, kept before the tests move it.
struct startup_place {
  std::string airport, aircraft_file, aircraft_path;
  int lat_sou = 0, lon_wes = 0;
};
inline startup_place& startup() {
  static startup_place p;
  return p;
}

inline void start_simulator_once() {
  static int started = 0;
  if (started) return;
  started = 1;
  std::string base = std::string(TARVEL_BUILD_DIR) + "/testhome";
  mkdir(base.c_str(), 0755);
  std::string tmpl = base + "/config-XXXXXX";
  std::vector<char> buf(tmpl.begin(), tmpl.end());
  buf.push_back(0);
  ASSERT_NE(mkdtemp(buf.data()), nullptr);
  config_home() = buf.data();
  std::atexit(remove_config_home);
  setenv("XDG_CONFIG_HOME", config_home().c_str(), 1);
  plat_use_fake_clock(5000);
  ASSERT_EQ(tarvel_start(), 1);
  simulate_startup();
  for (int n = 0; n < desk_alert_count(); n++) startup_alerts().push_back(desk_alert_text(n));
  startup() = {std::string(apt_id[msc.loc_index]).substr(0, 4), pln.C_file, pln.C_path, env.lat_sou, env.lon_wes};
}

inline std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void write_file(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

inline void write_prefs_as_they_stand(const char* path) {
  ASSERT_EQ(ouf_open(path, FTYPE_ANY_TEXT, PREFS_VERSION), 1);
  dump_prefs();
  ASSERT_EQ(ouf_close(), 1);
}

// The preference items as they stand now, as the file writes them.
inline std::string prefs_as_they_stand() {
  std::string path = config_home() + "/now.prf";
  write_prefs_as_they_stand(path.c_str());
  return read_file(path);
}

inline int airport_index(const char* id) { return find_apt_by_id(id); }

class ShellTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { start_simulator_once(); }
  void SetUp() override {
    desk_alert_record_clear();
    desk_answer_clear();
  }
  // Every recorded alert, joined, for failure messages.
  static std::string alerts() {
    std::string all;
    for (int n = 0; n < desk_alert_count(); n++) all += std::string(desk_alert_text(n)) + "\n--\n";
    return all;
  }
  static std::string in_config(const char* name) { return config_home() + "/" + name; }
};

}  // namespace shell_test
