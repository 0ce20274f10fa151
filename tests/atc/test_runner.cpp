// Whole dialogues through the headless runner, each compared with the
// transcript reviewed and kept beside its script, and what the menu and the
// flight-plan window look like on the screen. A change to the flight model
// moves the flights and so the controller's timing and draws: remake.sh in
// the dialogues folder writes the transcripts anew, to be read before they
// are kept.
#include <dirent.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <fstream>
#include "tests/shell/runner_fixture.h"
#include "tests/support/png_rgb.h"

namespace runner_test {

static std::vector<std::string> radio_of(const std::string& out) {
  std::vector<std::string> radio;
  for (const std::string& l : lines_of(out))
    if (l.compare(0, 5, "atc: ") == 0 || l.compare(0, 7, "pilot: ") == 0) radio.push_back(l);
  return radio;
}

static std::string field(const std::string& line, const std::string& name) {
  size_t at = line.find(" " + name + "=");
  if (at == std::string::npos) return "";
  at += name.size() + 2;
  return line.substr(at, line.find(' ', at) - at);
}

TEST(AtcRunner, DialoguesMatchTheirReviewedTranscripts) {
  const std::string dir = std::string(TARVEL_TEST_DIR) + "/atc/dialogues/";
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string n = e->d_name;
      if (n.size() > 7 && n.compare(n.size() - 7, 7, ".script") == 0) names.push_back(n.substr(0, n.size() - 7));
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  ASSERT_EQ(names.size(), 4u);
  for (const std::string& name : names) {
    std::string script = dir + name + ".script", args;
    for (const std::string& l : lines_of(read_all(script)))
      if (l.compare(0, 7, "# run: ") == 0) args = l.substr(7);
    home h("atc");
    run_result r = run_in(h, args + " --script '" + script + "'");
    ASSERT_EQ(r.status, 0) << name << "\n" << r.out;
    std::vector<std::string> got = radio_of(r.out), want = lines_of(read_all(dir + name + ".transcript"));
    if (got != want) {
      // Kept for review: remake.sh writes the same beside the script.
      std::ofstream(std::string(TARVEL_BUILD_DIR) + "/" + name + ".transcript") << [&] {
        std::string all;
        for (const std::string& l : got) all += l + "\n";
        return all;
      }();
      size_t k = 0;
      while (k < got.size() && k < want.size() && got[k] == want[k]) k++;
      ADD_FAILURE() << name << ": line " << k + 1 << " differs\n  got:  " << (k < got.size() ? got[k] : "(end)")
                    << "\n  want: " << (k < want.size() ? want[k] : "(end)");
    }
    if (name == "ifr_ksbd_kriv") {
      // Landed, stopped on the destination's runway and whole.
      std::string state;
      for (const std::string& l : lines_of(r.out))
        if (l.compare(0, 6, "state ") == 0) state = l;
      EXPECT_EQ(field(state, "on_surface"), "1") << state;
      EXPECT_EQ(field(state, "stopped"), "1");
      EXPECT_EQ(field(state, "crashes"), "0");
      EXPECT_EQ(field(state, "on_runway"), "1");
      EXPECT_NEAR(std::stod(field(state, "lat")), 33.88, 0.03);
      EXPECT_NEAR(std::stod(field(state, "lon")), -117.26, 0.03);
      // The pilot tuned the ILS he was vectored to: its localizer ahead, on the centre line.
      EXPECT_EQ(field(state, "flag2"), "1");
      EXPECT_LT(std::fabs(std::stod(field(state, "nav2_dots"))), 1);
    }
  }
}

// The menu over the view changes the rows it shows and nothing else; the
// flight-plan window shows the rule in force lit.
TEST(AtcRunner, MenuAndPlanWindowOnTheScreen) {
  home h("atc-shots");
  std::string plain = h.file("plain.png"), menu = h.file("menu.png"), window = h.file("window.png");
  std::string common = "--frames 16 --seed 2 --time 3 --clouds none --eye-above 2000 --view 626 ";
  ASSERT_EQ(run_in(h, common + "--screenshot 12:" + plain).status, 0);
  std::string script = "10 key space\n12 screenshot " + menu + "\n14 click 100 76\n16 screenshot " + window + "\n";
  ASSERT_EQ(run_with_script(h, common, script).status, 0);
  int w = 0, ht = 0, w2 = 0, h2 = 0;
  std::vector<unsigned char> a = png_rgb(plain, &w, &ht), b = png_rgb(menu, &w2, &h2);
  ASSERT_FALSE(a.empty());
  ASSERT_EQ(a.size(), b.size());
  // The screen's row y of the menu's row r: the menu bar, the view's place in the window.
  auto differ = [&](int y0, int y1) {
    int n = 0;
    for (int y = y0; y < y1; y++)
      for (int x = 0; x < w; x++)
        for (int c = 0; c < 3; c++) n += a[((size_t)y * w + x) * 3 + c] != b[((size_t)y * w + x) * 3 + c];
    return n;
  };
  auto row = [&](int r) { return differ(20 + 17 + 31 + 10 * r, 20 + 17 + 41 + 10 * r); };
  for (int r : {0, 2, 11, 12, 13, 14, 16}) EXPECT_GT(row(r), 100) << "row " << r;
  for (int r : {1, 3, 4, 5, 6, 7, 8, 9, 10, 15}) EXPECT_EQ(row(r), 0) << "row " << r;
  EXPECT_EQ(differ(0, 20 + 17 + 20), 0);
  EXPECT_EQ(differ(20 + 17 + 31 + 170, ht), 0);

  std::vector<unsigned char> p = png_rgb(window, &w, &ht);
  ASSERT_FALSE(p.empty());
  auto lit = [&](int x, int y) {
    const unsigned char* q = &p[((size_t)y * w + x) * 3];
    return q[1] > 90 && q[0] < 40 && q[2] < 40;  // the lamp's green, dimmed at dusk
  };
  // A lamp is a lit square; text and digits are thin strokes.
  auto lamp = [&](int x, int y) {
    for (int dy = 0; dy < 4; dy++)
      for (int dx = 0; dx < 4; dx++)
        if (!lit(x + dx, y + dy)) return false;
    return true;
  };
  int lx = -1, ly = -1;
  for (int y = 0; y + 4 < ht && lx < 0; y++)
    for (int x = 0; x + 4 < w && lx < 0; x++)
      if (lamp(x, y)) lx = x, ly = y;
  ASSERT_GE(lx, 0) << "no lit lamp";
  EXPECT_LT(std::abs(lx - 140), 40);  // the IFR lamp, lit, at the window's left
  EXPECT_FALSE(lamp(lx, ly + 26));    // VFR and DVFR below it, dark
  EXPECT_FALSE(lamp(lx, ly + 52));
}

}  // namespace runner_test
