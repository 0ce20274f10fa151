// A private copy of the application folder per test, the shipped aircraft as
// editable lines, and a way to catch fatal alerts without leaving the process.
#pragma once
#include <gtest/gtest.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/records.h"
#include "tests/support/catch_fatal.h"

namespace acft {

namespace fs = std::filesystem;

using ::fatal_text;

inline std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream f(path);
  std::vector<std::string> out;
  for (std::string l; std::getline(f, l);) out.push_back(l);
  return out;
}

inline void write_lines(const std::string& path, const std::vector<std::string>& lines, const char* eol = "\n") {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream f(path, std::ios::binary);
  for (auto& l : lines) f << l << eol;
}

// The lines of an aircraft file, edited by checkpoint block and label.
struct Acf {
  std::vector<std::string> lines;
  int block(int cp) const {
    std::string want = std::to_string(cp) + " checkpoint";
    for (size_t i = 0; i < lines.size(); i++)
      if (lines[i] == want) return (int)i;
    ADD_FAILURE() << "no checkpoint " << cp;
    return 0;
  }
  // The first line after checkpoint cp that ends in " label" (the n-th with n).
  int find(int cp, const std::string& label, int nth = 0) const {
    for (size_t i = block(cp) + 1; i < lines.size(); i++) {
      const std::string& l = lines[i];
      bool ends = l.size() > label.size() && l.compare(l.size() - label.size(), label.size(), label) == 0 &&
                  l[l.size() - label.size() - 1] == ' ';
      if ((ends || l == label) && nth-- == 0)
        return (int)i;
    }
    ADD_FAILURE() << "no " << label << " after checkpoint " << cp;
    return 0;
  }
  void set(int cp, const std::string& label, const std::string& value, int nth = 0) {
    lines[find(cp, label, nth)] = value + " " + label;
  }
  std::string get(int cp, const std::string& label) const {
    std::string l = lines[find(cp, label)];
    return l.substr(0, l.size() - label.size() - 1);
  }
  // The line after the checkpoint line plus offset (names have no label).
  std::string& at(int cp, int offset) { return lines[block(cp) + offset]; }
};

class AircraftTest : public ::testing::Test {
 protected:
  std::string dir;
  void SetUp() override {
    dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/aircraft/" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy(std::string(TARVEL_SOURCE_DATA_DIR) + "/airfoils", dir + "/airfoils");
    fs::copy(std::string(TARVEL_SOURCE_DATA_DIR) + "/flaps", dir + "/flaps");
    fs::copy(std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft", dir + "/Aircraft", fs::copy_options::recursive);
    clear_records();
    init_constants();
    std::snprintf(app_path, STR_DIM, "%s", dir.c_str());
    desk_answer_clear();
    desk_alert_record_clear();
  }
  void TearDown() override {
    if (inf.is_open()) inf.close();
    inf.clear();
  }
  static Acf shipped(const char* name) {
    return Acf{read_lines(std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/" + name + "/" + name + ".acf")};
  }
  // Writes the lines as Test.acf in the private folder and loads them.
  // No string may live across a fatal alert's jump back, so the path is a member.
  std::string acf_path;
  void load(const Acf& a, const char* eol = "\n") {
    acf_path = dir + "/Aircraft/Test/Test.acf";
    write_lines(acf_path, a.lines, eol);
    std::snprintf(pln.C_path, STR_DIM, "%s", acf_path.c_str());
    std::snprintf(pln.C_file, STR_DIM, "Test.acf");
    load_plane();
  }
  std::string load_fatal(const Acf& a) {
    return fatal_text([&] { load(a); });
  }
  std::string foil(const char* name) const { return dir + "/airfoils/" + name; }
};

inline bool contains(const std::string& s, const std::string& part) { return s.find(part) != std::string::npos; }

}  // namespace acft
