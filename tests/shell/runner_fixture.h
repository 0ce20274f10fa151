// The headless runner run as a user would: in a home folder of its own, with
// the configuration and data folders left to their defaults under it.
#pragma once
#include <ftw.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "tests/support/run_runner.h"

namespace runner_test {

using runner_test::run_result;

inline int remove_entry(const char* path, const struct stat*, int, struct FTW*) { return std::remove(path); }
inline void remove_tree(const std::string& dir) {
  if (!dir.empty()) nftw(dir.c_str(), remove_entry, 16, FTW_DEPTH | FTW_PHYS);
}

// A fresh, empty home folder: a first start of the program.
class home {
 public:
  explicit home(const char* tag) {
    std::string base = std::string(TARVEL_BUILD_DIR) + "/testhome";
    mkdir(base.c_str(), 0755);
    std::string tmpl = base + "/" + tag + "-XXXXXX";
    std::vector<char> buf(tmpl.begin(), tmpl.end());
    buf.push_back(0);
    if (mkdtemp(buf.data())) dir_ = buf.data();
  }
  ~home() { remove_tree(dir_); }
  home(const home&) = delete;
  home& operator=(const home&) = delete;
  const std::string& dir() const { return dir_; }
  std::string prefs() const { return dir_ + "/.config/tarvel/Tarvel Ririzuz.prf"; }
  std::string file(const char* name) const { return dir_ + "/" + name; }

 private:
  std::string dir_;
};

inline run_result run_in(const home& h, const std::string& args) {
  std::string cmd = std::string("cd ") + TARVEL_BUILD_DIR + " && env -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME='" +
                    h.dir() + "' ./tarvel-headless " + args + " 2>&1";
  return run_shell(cmd);
}

// A run with this script, written into the home folder.
inline run_result run_with_script(const home& h, const std::string& args, const std::string& script) {
  std::ofstream(h.file("script.txt")) << script;
  return run_in(h, args + " --script '" + h.file("script.txt") + "'");
}

inline std::string read_all(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

inline int count_of(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
  return n;
}

}  // namespace runner_test
