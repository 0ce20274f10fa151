// The pilot's menu over the view: its rows by the situation, the step
// expected pulsing, presses in the view strip, and lists of a dense region.
#include "basekit/bk_graph.h"
#include "sim/panel/ins.h"
#include "sim/shell/event.h"
#include "sim/view/scn.h"
#include "tests/atc/atc_fixture.h"

namespace atc_test {

class MenuTest : public AtcTest {
 protected:
  enum { W = 3, DX = 800, DY = 260 };
  void SetUp() override {
    AtcTest::SetUp();
    scn.time = 3;  // at dusk the normal text colour is 12
    atc.menu_up = 1;
    atc.menu_level = ATC_MENU_MAIN;
    msc.mx = msc.my = -100;  // no row under the mouse
  }
  // The menu drawn into the view's own surface; counts of each colour per row.
  void draw() {
    if (!gw_inuse[W]) MACIBM_initgworld(W, DX, DY);
    MACIBM_settogworld(W, DX, DY, 62);
    plot_atc_options(0);
  }
  int ink(int row, int color = -1) {
    int row_bytes, dx, dy, k = 0;
    const uint8_t* p = gworld_pixels(W, &row_bytes, &dx, &dy);
    for (int y = 31 + 10 * row + 2; y < 31 + 10 * row + 9; y++)
      for (int x = 0; x < dx; x++) {
        int c = p[(size_t)y * row_bytes + x];
        k += color < 0 ? c != 62 : c == color;
      }
    return k;
  }
  std::vector<int> shown() {
    draw();
    std::vector<int> rows;
    for (int r = 0; r < 17; r++)
      if (ink(r) > 0) rows.push_back(r);
    return rows;
  }
  // A press on row r (or list column col) as the main window gets it.
  static void press(int r, int col = 0) {
    msc.mx = 40 + 200 * col;
    msc.my = ATC_VIEW_Y + 31 + 10 * r + 5;
    msc.mousedown = 1;
    handlewindowclick(WIN_MAIN);
    msc.mousedown = 0;
  }
};

TEST_F(MenuTest, RowsFollowTheSituation) {
  over(ksbd, 0, 70);  // on the ground at a towered field, no plan
  EXPECT_EQ(shown(), (std::vector<int>{0, 2, 9, 10}));
  std::snprintf(atc.response, sizeof atc.response, "%s", "roger");
  over(ksbd, 2000, 70);
  EXPECT_EQ(shown(), (std::vector<int>{0, 2, 7, 11, 12, 13, 14, 16}));
  fpl.onfile = 1;
  EXPECT_EQ(shown(), (std::vector<int>{1, 2, 4, 7, 11, 12, 13, 14, 16}));
  fpl.activated = 1;
  atc.waiting_new_frq = 1;
  EXPECT_EQ(shown(), (std::vector<int>{1, 2, 5, 6, 7, 11, 12, 13, 14, 16}));
  over(ktrm, 0, 170);  // an untowered field: no taxi or take-off requests
  EXPECT_EQ(shown(), (std::vector<int>{1, 2, 5, 6, 7}));
}

TEST_F(MenuTest, TheExpectedStepPulses) {
  over(ksbd, 0, 70);
  static const int pulse[10] = {14, 13, 12, 12, 13, 14, 15, 16, 16, 15};
  for (int k : {0, 6, 7}) {
    msc.cntr10 = k;
    draw();
    EXPECT_GT(ink(0, pulse[k]), 100) << "at " << k;  // "File flight plan" is expected
    EXPECT_GT(ink(2, 12), 50);                        // "Get ATIS..." is not
    EXPECT_EQ(ink(2) - ink(2, 12), 0);
  }
  // In clear daylight the normal text is black (11) drawn into the view.
  scn.time = 1;
  atm.cld_type = 0;
  draw();
  EXPECT_GT(ink(2, 11), 50);
  // The row under the mouse is framed.
  msc.mx = 30;
  msc.my = ATC_VIEW_Y + 31 + 25;
  draw();
  int row_bytes, dx, dy;
  const uint8_t* p = gworld_pixels(W, &row_bytes, &dx, &dy);
  int framed = 0;
  for (int x = 0; x < 200; x++) framed += p[(size_t)(31 + 20) * row_bytes + x] == 11;
  EXPECT_GT(framed, 60);
}

TEST_F(MenuTest, PressesInTheViewStrip) {
  over(ksbd, 0, 70);
  press(16);  // not shown on the ground: closes without a word
  EXPECT_EQ(atc.menu_up, 0);
  EXPECT_TRUE(heard().empty());
  atc.menu_up = 1;
  press(2);
  EXPECT_EQ(atc.menu_up, 1);
  ASSERT_EQ(atc.menu_level, ATC_LIST_ATIS);
  int entries[ATC_LIST_MAX];
  ASSERT_GT(atc_list(ATC_LIST_ATIS, entries), 1);
  press(1);  // the second airport of the first column
  EXPECT_EQ(atc.menu_up, 0);
  ASSERT_EQ(said().size(), 1u);
  EXPECT_EQ(last().find(std::string(apt_name[entries[1]]) + " information "), 0u) << last();
  atc.menu_up = 1;
  atc.menu_level = ATC_MENU_MAIN;
  press(9);
  EXPECT_EQ(heard().at(1).text, "N12AB request taxi to active San Bernardino International Airport");
  EXPECT_EQ(last(), std::string(call()) + "taxi runway 6.");
  atc.menu_up = 1;
  press(7);  // "say again": the same words once more
  EXPECT_EQ(heard().back().text, std::string(call()) + "taxi runway 6.");
  EXPECT_EQ(heard().at(heard().size() - 2).text, "N12AB say again please.");
  atc.menu_up = 1;
  press(0);
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], 1);
  EXPECT_STREQ(fpl.dep_id_str, "KSBD");
  MACIBM_killwind(WIN_FLIGHT_PLAN);
  // With the menu down a press in the view takes the mouse as the stick, as before.
  int joy = msc.mouse_is_joy;
  press(2);
  EXPECT_NE(msc.mouse_is_joy, joy);
}

// A region with more towered airports than a list shows lists the first
// sixty and goes on; the program is not ended.
TEST_F(MenuTest, DenseRegionListsTheFirstSixty) {
  std::vector<int> twr(apt_twr, apt_twr + APT_MAX), inreg(apt_inreg, apt_inreg + APT_MAX);
  for (int a = 0; a < 200; a++) apt_twr[a] = apt_inreg[a] = apt_type[a] == 1;
  int entries[ATC_LIST_MAX + 1];
  int n = atc_list(ATC_LIST_LANDING, entries);
  EXPECT_EQ(n, ATC_LIST_MAX);
  atc.menu_level = ATC_LIST_LANDING;
  over(ksbd, 2000, 0);
  draw();
  EXPECT_GT(ink(14), 0);
  press(14, 3);  // the last of the fourth column: entry 59
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  EXPECT_EQ(heard().at(0).text, std::string("N12AB request landing ") + apt_name[entries[59]]);
  std::copy(twr.begin(), twr.end(), apt_twr);
  std::copy(inreg.begin(), inreg.end(), apt_inreg);
}

}  // namespace atc_test
