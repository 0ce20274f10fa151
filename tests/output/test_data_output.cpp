// The data output's channels: the data file, the graph ring, the screen
// slots, the Set Data Output window's limits and the cycle dump.
#include <gtest/gtest.h>
#include <cmath>
#include <cstdio>
#include <string>
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_file.h"
#include "sim/output/do_graph.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/shell/menus.h"
#include "sim/shell/wintab.h"
#include "tests/shell/shell_fixture.h"

namespace {

class DataOutput : public ::testing::Test {
 protected:
  FILE* saved_bbx = nullptr;
  FILE* saved_trk = nullptr;
  void SetUp() override {
    shell_test::start_simulator_once();
    desk_alert_record_clear();
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    for (int i = 0; i < DATA_ITEMS; i++) set.Bdsk[i] = set.Brlt[i] = set.Bgrf[i] = 0;
    set.dskcsv = 0;
    set_rlt_grf_choices();
    saved_bbx = bbx;
    saved_trk = trk;
    bbx = std::tmpfile();
  }
  void TearDown() override {
    if (bbx) std::fclose(bbx);
    bbx = saved_bbx;
    trk = saved_trk;
  }
  static std::string contents(FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string s;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    return s;
  }
};

TEST_F(DataOutput, TheFileWritesEveryTenthRowAHeaderAfterABlankLineAndLeavesOutUnusedColumns) {
  set.Bdsk[2] = set.Bdsk[5] = 1;
  set_rlt_grf_choices();
  ASSERT_EQ(set.dskout, 1);
  msc.elap_time = 12.5f;
  flt.Alpha = 3.25f;
  flt.Beta = -999.004f;  // within 0.01 of the marker: left out
  for (int k = 0; k < 12; k++) {
    msc.cntr10 = k % 10;
    dskoutproc();
  }
  std::string f = contents(bbx);
  const std::string header = "\nTIME,_sec | ALPH,_deg | BETA,_deg | \n";
  const std::string row = "    12.50 |      3.25 | \n";
  ASSERT_EQ(f.substr(0, header.size()), header);
  std::string expected;
  for (int k = 0; k < 12; k++) expected += (k % 10 == 0 ? header : "") + row;
  EXPECT_EQ(f, expected);
}

TEST_F(DataOutput, AFifthLetterInTheLabelLeavesTheShownWordsAlone) {
  set.Bdsk[49] = 1;
  msc.cntr10 = 0;
  dskoutproc();
  EXPECT_EQ(contents(bbx).substr(0, 26), "\nEMPT,__lb | GROS,__lb | \n");
}

TEST_F(DataOutput, ValuesAreClampedAndNotANumberIsNeverWritten) {
  // At rest the lift over drag and a jet's propulsive efficiency are 0 / 0.
  flt.fnrmlaero = flt.faxilaero = 0;
  for (int i = 0; i < 4; i++) flt.thrust[i] = flt.power[i] = 0;
  flt.av = 0;
  float v[4];
  item_values(40, v);
  EXPECT_EQ(v[0], 0.0f);
  item_values(41, v);
  for (float x : v) EXPECT_EQ(x, 0.0f);
  msc.prd = 1e-12f;
  item_values(0, v);
  EXPECT_EQ(v[0], 9.9e9f);
  set.Bdsk[0] = set.Bdsk[40] = set.Bdsk[41] = 1;
  msc.cntr10 = 3;
  dskoutproc();
  std::string f = contents(bbx);
  EXPECT_EQ(f.find("nan"), std::string::npos) << f;
  EXPECT_NE(f.find("9900000256.00 | "), std::string::npos) << f;
  EXPECT_EQ(clamp_out(-1e20f), -9.9e9f);
  EXPECT_EQ(clamp_out(std::nanf("")), 0.0f);
  msc.prd = 0.05f;
}

TEST_F(DataOutput, TheScreenTurnsToExponentFormAt9999) {
  char t[32];
  rlt_value_text(9998.9f, 4, 1, t, sizeof t);
  EXPECT_STREQ(t, "9998.9");
  rlt_value_text(-12.25f, 3, 2, t, sizeof t);
  EXPECT_STREQ(t, "-12.25");
  rlt_value_text(9999.0f, 4, 1, t, sizeof t);
  EXPECT_STREQ(t, "1.0E4");
  rlt_value_text(-22040.0f, 4, 0, t, sizeof t);
  EXPECT_STREQ(t, "-2.2E4");
  rlt_value_text(1e30f, 4, 1, t, sizeof t);
  EXPECT_STREQ(t, "9.9E9");
}

TEST_F(DataOutput, TheGraphRingWrapsAfter1800SamplesAndAResetEmptiesIt) {
  set.Bgrf[5] = 1;
  set_rlt_grf_choices();
  ASSERT_EQ(set.grfsel[0], 5);
  ASSERT_EQ(grf.cntr, -1);
  for (int k = 0; k < GRAPH_SAMPLES; k++) {
    flt.Alpha = (float)k;
    grfload();
  }
  EXPECT_EQ(grf.cntr, 1799);
  EXPECT_EQ(grf.graphstruct_full, 1);
  EXPECT_EQ(grf.indexstart, (grf.cntr + 1) % GRAPH_SAMPLES);
  EXPECT_EQ(grf.data1[1799][0], 1799.0f);
  flt.Alpha = -7;
  grfload();
  EXPECT_EQ(grf.cntr, 0);
  EXPECT_EQ(grf.indexstart, 1);
  EXPECT_EQ(grf.data1[0][0], -7.0f);
  EXPECT_EQ(grf.data1[graph_index(0)][0], 1.0f) << "the oldest held sample";
  EXPECT_EQ(grf.data2[0][1], OUT_NONE) << "an empty channel";

  set_rlt_grf_choices();
  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(grf.graphstruct_full, 0);
  for (int s : {0, 900, 1799}) {
    EXPECT_EQ(grf.period[s], 999.0f);
    EXPECT_EQ(grf.data1[s][0], OUT_NONE);
    EXPECT_EQ(grf.data4[s][3], OUT_NONE);
  }
}

TEST_F(DataOutput, ClosingTheDataOutputWindowAppliesTheTicksAndClearsTheGraph) {
  set.Bgrf[15] = 1;
  set_rlt_grf_choices();
  grfload();
  grfload();
  ASSERT_EQ(grf.cntr, 1);
  flt.dist = 1234;
  MACIBM_startwind(WIN_DATA_OUTPUT, 1);
  set.Brlt[23] = 1;
  MACIBM_killwind(WIN_DATA_OUTPUT);
  EXPECT_EQ(grf.cntr, -1);
  EXPECT_EQ(grf.data1[1][0], OUT_NONE);
  EXPECT_EQ(set.rltsel[0], 23);
  EXPECT_EQ(set.rltout, 1);
  EXPECT_EQ(flt.dist, 0.0f);
}

// A click at the centre of one of item's three boxes in the open window.
void click_box(int item, int box) {
  int x, y;
  ASSERT_TRUE(datwin_row(item, &x, &y));
  msc.mx = x + 5 + 17 * box + 4;
  msc.my = y + 4;
  msc.mousedown = 1;
  datclick();
  msc.mousedown = 0;
}

TEST_F(DataOutput, AFifthGraphTickOrAnEleventhScreenTickUnticksTheLowestOther) {
  MACIBM_startwind(WIN_DATA_OUTPUT, 1);
  for (int item : {3, 7, 9, 12}) click_box(item, 1);
  for (int item : {3, 7, 9, 12}) EXPECT_EQ(set.Bgrf[item], 1) << item;
  click_box(1, 1);  // below all the others: item 3 is still the lowest other
  EXPECT_EQ(set.Bgrf[1], 1);
  EXPECT_EQ(set.Bgrf[3], 0);
  EXPECT_EQ(set.Bgrf[7] + set.Bgrf[9] + set.Bgrf[12], 3);

  for (int item : {0, 2, 4, 6, 8, 10, 13, 15, 17, 20}) click_box(item, 2);
  for (int item : {0, 2, 4, 6, 8, 10, 13, 15, 17, 20}) EXPECT_EQ(set.Brlt[item], 1) << item;
  click_box(44, 2);
  EXPECT_EQ(set.Brlt[44], 1);
  EXPECT_EQ(set.Brlt[0], 0);
  int n = 0;
  for (int i = 0; i < DATA_ITEMS; i++) n += set.Brlt[i];
  EXPECT_EQ(n, 10);
  click_box(5, 0);
  EXPECT_EQ(set.Bdsk[5], 1) << "the file has no limit";
  click_box(5, 0);
  EXPECT_EQ(set.Bdsk[5], 0);
  MACIBM_killwind(WIN_DATA_OUTPUT);
  EXPECT_EQ(set.grfsel[0], 1);
  EXPECT_EQ(set.grfsel[1], 7);
}

// Yellow value pixels of the main window inside a box.
int yellow_in(int x0, int y0, int x1, int y1) {
  drawcontext* dc = desk_window_dc(mnw.wind[MAIN_WINDOW]);
  int n = 0;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) n += dc->pix[y * dc->row + x] == 17;
  return n;
}

TEST_F(DataOutput, ScreenSlotsStandInTwoBlocks40PixelsApart) {
  for (int s = 0; s < 10; s++) {
    int x, y;
    rlt_slot_xy(s, &x, &y);
    EXPECT_EQ(x, (s < 5 ? 0 : 665) + 10) << s;
    EXPECT_EQ(y, 30 + 40 * (s % 5)) << s;
  }
  // Slot 7 (the right block's third row) shows the time; nothing else is ticked.
  for (int i = 0; i < DATA_ITEMS; i++) set.Brlt[i] = 0;
  set_rlt_grf_choices();
  for (int s = 0; s < 10; s++) set.rltsel[s] = -1;
  set.rltsel[7] = 2;
  set.rltout = 1;
  set.view_type = VIEW_FORWARD;
  msc.elap_time = 88.8f;
  MACIBM_startwind(MAIN_WINDOW, 0);
  MACIBM_fillrect(11, 0, 0, 799, 300);
  print_data_items();
  EXPECT_GT(yellow_in(675, 105, 705, 116), 20) << "the digits of 88.8 at y = 110";
  EXPECT_EQ(yellow_in(0, 0, 799, 95), 0);
  EXPECT_EQ(yellow_in(0, 125, 799, 299), 0);
  EXPECT_EQ(yellow_in(0, 96, 660, 124), 0);
  // The replay view has no slots.
  MACIBM_fillrect(11, 0, 0, 799, 300);
  set.view_type = VIEW_REPLAY;
  print_data_items();
  EXPECT_EQ(yellow_in(0, 0, 799, 299), 0);
  set.view_type = VIEW_FORWARD;
}

TEST_F(DataOutput, TheCycleDumpAsksOnceAndWritesTheFlightStateFirst) {
  handlemenu(CMD_CYCLE_DUMP);
  ASSERT_EQ(desk_alert_count(), 1);
  std::string a = desk_alert_text(0);
  size_t wrap = a.find("Be sure to turn off text-wrapping"), quit = a.find("Quit Tarvel and open the file");
  ASSERT_NE(wrap, std::string::npos);
  ASSERT_NE(quit, std::string::npos);
  EXPECT_LT(wrap, quit);
  EXPECT_EQ(set.cycoutwaiting, 1);
  trk = std::tmpfile();
  flt.h = 321.5f;
  trackdiv();
  std::string t = contents(trk);
  std::fclose(trk);
  trk = saved_trk;
  for (const char* key : {"h            =", "rho          =", "density ratio=", "vx=", "vy=", "vz=",
                          "total airspeed=", "psi  =", "the  =", "phi  =", "hpath=", "vpath=", "alpha=", "beta ="})
    EXPECT_NE(t.find(key), std::string::npos) << key;
  EXPECT_NE(t.find("321.500 m"), std::string::npos) << t;
  set.cycoutwaiting = 0;
}

TEST_F(DataOutput, TheCsvHasOneNamedColumnPerValueAndQuotesUnitsWithCommas) {
  set.Bdsk[2] = set.Bdsk[28] = 1;
  FILE* f = std::tmpfile();
  datcsv_header(f);
  msc.elap_time = 3.5f;
  for (int i = 0; i < 4; i++) flt.power[i] = 0;
  datcsv_row(f);
  std::string s = contents(f);
  std::fclose(f);
  EXPECT_EQ(s, "TIME (sec),\"POWR (1,hp)\",\"POWR (2,hp)\",\"POWR (3,hp)\",\"POWR (4,hp)\"\n3.5,0,0,0,0\n");
}

}  // namespace
