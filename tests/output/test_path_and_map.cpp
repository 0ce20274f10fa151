// The flight-path ring and its viewer, the charts' pixel mapping, zoom and
// trail, and the runner's CSV read by a spreadsheet-grade reader.
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include "basekit/bk_const.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/map/do_app.h"
#include "sim/msc.h"
#include "sim/output/do_movie.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"
#include "sim/view/traffic.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "tests/shell/runner_fixture.h"
#include "tests/shell/shell_fixture.h"

namespace {

class PathAndMap : public ::testing::Test {
 protected:
  void SetUp() override {
    shell_test::start_simulator_once();
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    clear_path();
  }
  static int held() {
    int n = 0;
    for (int s = 0; s < PATH_SLOTS; s++) n += pat.inited[s];
    return n;
  }
};

TEST_F(PathAndMap, AHoveringAircraftAddsNoSamples) {
  flt.x = 5000, flt.y = 7000;
  record_path();
  ASSERT_EQ(held(), 1);
  int newest = pat.cntr_record;
  for (int k = 0; k < 200; k++) {
    flt.x = 5000 + 9.9 * std::sin(k * 0.3);
    flt.y = 7000 - 9.9 * std::cos(k * 0.7);
    record_path();
  }
  EXPECT_EQ(held(), 1);
  EXPECT_EQ(pat.cntr_record, newest);
  flt.x = 5010.5;
  record_path();
  EXPECT_EQ(held(), 2);
  EXPECT_EQ(pat.cntr_record, (newest + 1) % PATH_SLOTS);
}

TEST_F(PathAndMap, AfterTheRingWrapsExactlyOneEmptySlotFollowsTheNewest) {
  for (int k = 0; k < PATH_SLOTS + 777; k++) {
    flt.x = 20.0 * k;
    flt.y = 1000;
    flt.psi180 = 90;
    record_path();
  }
  EXPECT_EQ(held(), PATH_SLOTS - 1);
  int empty = (pat.cntr_record + 1) % PATH_SLOTS;
  EXPECT_EQ(pat.inited[empty], 0);
  EXPECT_FLOAT_EQ(pat.xyztpp[pat.cntr_record][0], 20.0f * (PATH_SLOTS + 776));
  EXPECT_NEAR(pat.xyztpp[pat.cntr_record][4], 3.14159265f / 2, 1e-5);
}

TEST_F(PathAndMap, TheViewerClearsTheWeatherAndWithNoTrailCirclesTheAircraft) {
  flt.x = 40000, flt.y = 50000, flt.z = 800;
  atm.rain_tstm = 3;
  atm.cld_type = 1;
  start_movie();
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PATH], 1);
  EXPECT_EQ(set.view_type, VIEW_REPLAY);
  EXPECT_EQ(atm.cld_type, 0);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 1.0f);
  EXPECT_FLOAT_EQ(pat.centroid_x, 40000);
  EXPECT_FLOAT_EQ(pat.centroid_y, 50000);
  EXPECT_FLOAT_EQ(pat.circ_rad, 4000);
  EXPECT_TRUE(std::isfinite(msc.x_view) && std::isfinite(msc.y_view) && std::isfinite(msc.z_view));
  EXPECT_NEAR(pythag(msc.x_view - 40000, msc.y_view - 50000), 4000, 1);
  EXPECT_NEAR(msc.z_view, 800 + 400, 1);
  for (int k = 0; k < 3; k++) play_movie();
  MACIBM_killwind(WIN_FLIGHT_PATH);
  EXPECT_EQ(set.view_type, VIEW_FORWARD);
  EXPECT_EQ(atm.cld_type, 1);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 3.0f);
}

TEST_F(PathAndMap, TheCentroidAndRadiusComeFromTheHeldSamples) {
  const float xs[3] = {1000, 3000, 2000}, ys[3] = {1000, 1000, 4000};
  for (int k = 0; k < 3; k++) {
    flt.x = xs[k], flt.y = ys[k], flt.z = 300.0 * k;
    record_path();
  }
  path_centroid();
  EXPECT_FLOAT_EQ(pat.centroid_x, 2000);
  EXPECT_FLOAT_EQ(pat.centroid_y, 2000);
  EXPECT_FLOAT_EQ(pat.centroid_z, 300);
  EXPECT_NEAR(pat.circ_rad, 2000 + 4000, 0.5);
}

int airport_in_region() {
  for (int a = 0; a <= env.aptmax; a++)
    if (apt_inreg[a]) return a;
  return -1;
}

TEST_F(PathAndMap, TheAirportChartCentresItsAirportWithATenMileRing) {
  int a = airport_in_region();
  ASSERT_GE(a, 0);
  msc.plate_index = a;
  reset_chart(CHART_AIRPORT);
  float x = env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]), y = env_y_of_lat(apt_lat[a][0]);
  EXPECT_NEAR(pixelxfinder(x, CHART_AIRPORT), 180, 1);
  EXPECT_NEAR(pixelyfinder(y, CHART_AIRPORT), 137, 1);
  EXPECT_NEAR(pixelxfinder(x + 10 * con.nmtomtrs, CHART_AIRPORT) - pixelxfinder(x, CHART_AIRPORT), 123, 1);
}

TEST_F(PathAndMap, ZoomStopsAbove10AndAt1AndClicksMapBackWithinAPixel) {
  for (int kind : {CHART_AIRPORT, CHART_AREA}) {
    msc.plate_index = airport_in_region();
    reset_chart(kind);
    for (int k = 0; k < 12; k++) chart_button(kind, CHART_ZOOM_IN);
    EXPECT_NEAR(env.zoom_rat, std::pow(1.5f, 6.0f), 0.01) << kind;  // 11.39
    for (int px : {7, 100, 253, 354})
      for (int py : {7, 150, 310}) {
        EXPECT_NEAR(pixelxfinder(twodxcalc(px, kind), kind), px, 1) << kind;
        EXPECT_NEAR(pixelyfinder(twodycalc(py, kind), kind), py, 1) << kind;
      }
    for (int k = 0; k < 12; k++) chart_button(kind, CHART_ZOOM_OUT);
    EXPECT_FLOAT_EQ(env.zoom_rat, 1.0f) << kind;
  }
}

TEST_F(PathAndMap, PanningAgainstTheRegionEdgeStopsAtTheEdge) {
  reset_chart(CHART_AREA);
  chart_button(CHART_AREA, CHART_ZOOM_IN);
  chart_button(CHART_AREA, CHART_ZOOM_IN);
  for (int k = 0; k < 30; k++) chart_button(CHART_AREA, CHART_LEFT);
  EXPECT_FLOAT_EQ(env.os_x_plan, planex[0][0]);
  for (int k = 0; k < 30; k++) chart_button(CHART_AREA, CHART_UP);
  int l, t, r, b;
  chart_map_rect(CHART_AREA, &l, &t, &r, &b);
  EXPECT_NEAR(pixelyfinder(planey[0][GRID_J - 1], CHART_AREA), t, 1) << "the north edge at the top";
  chart_button(CHART_AREA, CHART_ZOOM_OUT);  // about the middle, then pulled back onto the grid
  EXPECT_NEAR(pixelyfinder(planey[0][GRID_J - 1], CHART_AREA), t, 1);
  EXPECT_FLOAT_EQ(env.os_x_plan, planex[0][0]);
}

TEST_F(PathAndMap, AnAirportNameOfThreeWordsTakesTwoLines) {
  char a[40], b[40];
  EXPECT_EQ(split_name("San Bernardino International Airport", a, b, 40), 2);
  EXPECT_STREQ(a, "San Bernardino");
  EXPECT_STREQ(b, "International Airport");
  EXPECT_EQ(split_name("Upland-Cable Airport Two", a, b, 40), 2);
  EXPECT_EQ(split_name("Thermal", a, b, 40), 1);
  EXPECT_STREQ(a, "Thermal");
}

// Pixels of one colour on the chart's map surface within a square around (x, y).
int colour_near(int kind, int x, int y, int half, int colour) {
  int l, t, r, b, row, dx, dy;
  chart_map_rect(kind, &l, &t, &r, &b);
  const uint8_t* p = gworld_pixels(4, &row, &dx, &dy);
  int n = 0;
  for (int j = y - half; j <= y + half; j++)
    for (int i = x - half; i <= x + half; i++)
      if (i >= l && i <= r && j >= t && j <= b) n += p[(j - t) * row + (i - l)] == colour;
  return n;
}
// Red trail pixels.
int trail_near(int kind, int x, int y, int half) { return colour_near(kind, x, y, half, 18); }

TEST_F(PathAndMap, TheChartsTrailJoinsOnlyConsecutiveSamples) {
  msc.map_type = 503;
  reset_chart(CHART_AREA);
  float x0 = planex[0][0], y0 = planey[0][0];
  // Two strokes far apart, with empty slots between them and after them.
  for (int s = 10; s < 15; s++) {
    pat.inited[s] = 1;
    pat.xyztpp[s][0] = x0 + 60000 + 3000 * (s - 10), pat.xyztpp[s][1] = y0 + 60000;
  }
  for (int s = 200; s < 205; s++) {
    pat.inited[s] = 1;
    pat.xyztpp[s][0] = x0 + 60000 + 3000 * (s - 200), pat.xyztpp[s][1] = y0 + 150000;
  }
  int l, t, r, b;
  chart_map_rect(CHART_AREA, &l, &t, &r, &b);
  plot_sea_and_navaids(CHART_AREA, l, t, r, b);
  int ax = pixelxfinder(x0 + 66000, CHART_AREA), ay1 = pixelyfinder(y0 + 60000, CHART_AREA);
  int ay2 = pixelyfinder(y0 + 150000, CHART_AREA);
  EXPECT_GT(trail_near(CHART_AREA, ax, ay1, 2), 0);
  EXPECT_GT(trail_near(CHART_AREA, ax, ay2, 2), 0);
  EXPECT_EQ(trail_near(CHART_AREA, ax, (ay1 + ay2) / 2, 8), 0) << "no stroke between the two";
  EXPECT_EQ(trail_near(CHART_AREA, pixelxfinder(x0, CHART_AREA) + 6, pixelyfinder(y0, CHART_AREA) - 6, 6), 0)
      << "no stroke to the origin";
}

// The weather radar chart shows the radar map's returns where they are, and
// the traffic: a close one in red with its height above us, a far one white.
TEST_F(PathAndMap, TheWeatherRadarChartShowsReturnsAndTraffic) {
  atmospherestruct atm_was = atm;
  float tx[2] = {traf_x[0][0], traf_x[1][0]}, ty[2] = {traf_y[0][0], traf_y[1][0]}, tz[2] = {traf_z[0][0], traf_z[1][0]};
  msc.map_type = 505;
  reset_chart(CHART_AREA);
  clear_path();
  for (auto& col : atm.wxr)
    for (float& v : col) v = 0;
  // A heavy cell 60-70 km east and 50-60 km north of the region's corner.
  float x0 = planex[0][0], y0 = planey[0][0];
  float wx = planex[GRID_I - 1][GRID_J - 1] - x0, wy = planey[GRID_I - 1][GRID_J - 1] - y0;
  for (int i = (int)(WXR_I * 60000 / wx); i <= (int)(WXR_I * 70000 / wx); i++)
    for (int j = (int)(WXR_J * 50000 / wy); j <= (int)(WXR_J * 60000 / wy); j++) atm.wxr[i][j] = 0.9f;
  // Over the open sea south of Santa Catalina, clear of every symbol.
  const float NM = 1852;
  double fx_was = flt.x, fy_was = flt.y;
  flt.x = x0 + 30000, flt.y = y0 + 20000;
  traf_x[0][0] = (float)flt.x + 3 * NM, traf_y[0][0] = (float)flt.y, traf_z[0][0] = (float)flt.z + 500 / 3.2808f;
  traf_x[1][0] = (float)flt.x, traf_y[1][0] = (float)flt.y + 25 * NM, traf_z[1][0] = (float)flt.z;
  int l, t, r, b;
  chart_map_rect(CHART_AREA, &l, &t, &r, &b);
  int cx = pixelxfinder(x0 + 65000, CHART_AREA), cy = pixelyfinder(y0 + 55000, CHART_AREA);
  int qx = pixelxfinder(x0 + 65000, CHART_AREA), qy = pixelyfinder(y0 + 120000, CHART_AREA);
  int ax = pixelxfinder(traf_x[0][0], CHART_AREA), ay = pixelyfinder(traf_y[0][0], CHART_AREA);
  int fx = pixelxfinder(traf_x[1][0], CHART_AREA), fy = pixelyfinder(traf_y[1][0], CHART_AREA);

  atm.rain_tstm = 3;
  plot_sea_and_navaids(CHART_AREA, l, t, r, b);
  EXPECT_GT(colour_near(CHART_AREA, cx, cy, 1, 18), 6) << "the cell, in red";
  EXPECT_EQ(colour_near(CHART_AREA, qx, qy, 3, 18) + colour_near(CHART_AREA, qx, qy, 3, 13), 0) << "clear air";
  EXPECT_EQ(colour_near(CHART_AREA, ax, ay, 2, 18), 25) << "a close aircraft: a red square";
  EXPECT_EQ(colour_near(CHART_AREA, fx, fy, 2, 33), 25) << "a far one: white";
  EXPECT_GT(colour_near(CHART_AREA, ax, ay + 9, 5, 18), 3) << "+5, its height above us in hundreds of feet";

  // A VOR's frequency box: light figures on a dark box, readable.
  int vor = -1;
  for (int n = 0; n <= env.navmax && n < NAV_MAX && vor < 0; n++) {
    int x = pixelxfinder(env_x_of_latlon(nav_lat[n], nav_lon[n]), CHART_AREA) + 8;
    int y = pixelyfinder(env_y_of_lat(nav_lat[n]), CHART_AREA) + 1;
    if (nav_inreg[n] && nav_type[n] == NAV_VOR && x > l + 4 && x + 40 < r && y > t + 4 && y + 14 < b) vor = n;
  }
  ASSERT_GE(vor, 0);
  int bx = pixelxfinder(env_x_of_latlon(nav_lat[vor], nav_lon[vor]), CHART_AREA) + 8 + 13;
  int by = pixelyfinder(env_y_of_lat(nav_lat[vor]), CHART_AREA) + 1 + 5;
  int figures = colour_near(CHART_AREA, bx, by, 3, 31), box = colour_near(CHART_AREA, bx, by, 3, 11);
  EXPECT_GT(figures, 5);
  EXPECT_GT(box, 10);

  atm.rain_tstm = 1;  // no precipitation set: no returns
  plot_sea_and_navaids(CHART_AREA, l, t, r, b);
  EXPECT_EQ(colour_near(CHART_AREA, cx, cy, 1, 18), 0);

  atm = atm_was;
  flt.x = fx_was, flt.y = fy_was;
  for (int k = 0; k < 2; k++) traf_x[k][0] = tx[k], traf_y[k][0] = ty[k], traf_z[k][0] = tz[k];
}

TEST(RunnerCsv, AScriptedFlightWritesACsvThatPythonsReaderTakesByName) {
  if (std::system("python3 -c 'import csv' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  runner_test::home h("csv");
  std::string csv = h.file("flight.csv");
  auto r = runner_test::run_in(h, "--frames 300 --data-items 2,5,15,26 --data-csv '" + csv + "'");
  ASSERT_EQ(r.status, 0) << r.out;
  std::string check = "python3 -c \"import csv,sys\n"
                      "rows=list(csv.DictReader(open(sys.argv[1])))\n"
                      "want=['TIME (sec)','ALPH (deg)','BETA (deg)','Vtru (ktas)','Vind (kias)','LAT (deg)',"
                      "'LON (deg)','ALT (ft)']\n"
                      "assert list(rows[0].keys())==want, list(rows[0].keys())\n"
                      "assert len(rows)>100, len(rows)\n"
                      "t=[float(r['TIME (sec)']) for r in rows]\n"
                      "assert all(b>a for a,b in zip(t,t[1:]))\n"
                      "assert 30<float(rows[-1]['LAT (deg)'])<40\n"
                      "\" '" + csv + "' 2>&1";
  auto p = runner_test::run_shell(check);
  EXPECT_EQ(p.status, 0) << p.out;
  auto bad = runner_test::run_in(h, "--frames 1 --data-items 2,99");
  EXPECT_EQ(bad.status, 2);
  EXPECT_NE(bad.out.find("--data-items wants item numbers"), std::string::npos) << bad.out;
}

}  // namespace
