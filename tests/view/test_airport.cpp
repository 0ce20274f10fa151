// The local airport: runway size classes and their marks, the painted
// numbers, the light groups and their clean-up, hangars and the tower.
#include <cmath>
#include <vector>
#include "sim/world/genwrld2.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "tests/view/view_fixture.h"
#include "sim/msc.h"
#include "sim/world/env.h"

namespace {
const float FT = 0.3048f;

struct quad { float x[4], y[4]; };
quad mark(int m, int r) {
  quad q;
  for (int c = 0; c < 4; c++) q.x[c] = rwy.markx[m][c][r], q.y[c] = rwy.marky[m][c][r];
  return q;
}
// A mark's centre in runway fractions of a heading-0 runway centred at the origin.
void centre(int m, int r, float w, float l, float* across, float* along) {
  quad q = mark(m, r);
  *across = 0.25f * (q.x[0] + q.x[1] + q.x[2] + q.x[3]) / w;
  *along = 0.25f * (q.y[0] + q.y[1] + q.y[2] + q.y[3]) / l;
}

class Airport : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    saved_aptmax = env.aptmax;
    saved_loc = msc.loc_index;
  }
  void TearDown() override {
    env.aptmax = saved_aptmax;
    for (int r = 0; r < 3; r++) apt_len[TEST_APT][r] = 0;
    msc.loc_index = saved_loc;
    setnewlocale();
  }
  // A made-up airport in the last table slot, at the start airport's place.
  void make_airport(int twr) {
    int k = saved_loc;
    env.aptmax = TEST_APT;
    apt_z[TEST_APT] = apt_z[k];
    apt_twr[TEST_APT] = twr;
    for (int r = 0; r < 3; r++) apt_len[TEST_APT][r] = 0;
    lat0 = apt_lat[k][0], lon0 = apt_lon[k][0];
  }
  void runway(int r, float dnorth_m, float deast_m, int hdng, float len_ft, float wid_ft, int num) {
    apt_lat[TEST_APT][r] = lat0 + dnorth_m / (60 * 1852.0f);
    apt_lon[TEST_APT][r] = lon0 + deast_m / (60 * 1852.0f * std::cos(lat0 * 0.0174533f));
    apt_hdng[TEST_APT][r] = hdng;
    apt_len[TEST_APT][r] = (int)(len_ft * FT);
    apt_width[TEST_APT][r] = (int)(wid_ft * FT);
    apt_num[TEST_APT][r] = num;
    apt_lr[TEST_APT][r] = 'x';
    apt_lite[TEST_APT][r] = 344344;
  }
  int count_type(int type) {
    int n = 0;
    for (int b = 0; b < OBS_MAX; b++) n += obs_type[b] == type;
    return n;
  }
  enum { TEST_APT = APT_MAX - 1 };
  int saved_aptmax = 0, saved_loc = 0;
  float lat0 = 0, lon0 = 0;
};

// Taxiways above 2500 of length x width / 100 (feet), run-off areas above 7000.
TEST_F(Airport, SizeClassesDecideTaxiwaysAndRunOffAreas) {
  EXPECT_FALSE(rway_has_taxiway(2500, 100));  // exactly 2500 is not above
  struct { float l_ft, w_ft; int tway, runoff; } cases[3] = {{8000, 150, 1, 1}, {5000, 75, 1, 0}, {3000, 60, 0, 0}};
  int marks[3];
  for (int k = 0; k < 3; k++) {
    float l = cases[k].l_ft * FT, w = cases[k].w_ft * FT;
    rway_paint_designation(36, 'x');
    setuprunway(0, 0, 100, l, w, 0, 0, 344344);  // at the region's corner
    EXPECT_EQ(env.tway[0], cases[k].tway) << k;
    EXPECT_EQ(env.runoff[0], cases[k].runoff) << k;
    marks[k] = rwy.max[0];
    // The surface takes the overrun areas only with run-off.
    quad s = mark(MARK_SURFACE, 0);
    float half = cases[k].runoff ? 0.55f : 0.5f;
    EXPECT_NEAR(s.y[0], -half * l, 0.01f) << k;
    EXPECT_NEAR(s.y[2], half * l, 0.01f) << k;
    EXPECT_NEAR(s.x[1], 0.5f * w, 0.01f) << k;
    EXPECT_FLOAT_EQ(rwy.markz[MARK_SURFACE][0][0], 100);
    // Connectors start beyond the shoulder with run-off, at the edge without.
    EXPECT_NEAR(mark(MARK_CONNECT_2, 0).x[0], (cases[k].runoff ? 0.65f : 0.5f) * w, 0.01f) << k;
    // Paint never strays off the runway surface.
    for (int m = MARK_PAINT; m <= rwy.max[0]; m++) {
      quad p = mark(m, 0);
      for (int q = 0; q < 4; q++) {
        EXPECT_LE(std::fabs(p.x[q]), 0.5f * w + 0.01f) << k << " mark " << m;
        EXPECT_LE(std::fabs(p.y[q]), half * l + 0.01f) << k << " mark " << m;
      }
    }
  }
  // Sixteen chevrons on the overruns of the largest class only.
  EXPECT_EQ(marks[0] - marks[1], 16);
  EXPECT_EQ(marks[1], marks[2]);
  EXPECT_LT(marks[0], RWY_MARKS);
}

TEST_F(Airport, MarksTurnWithTheRunwayHeading) {
  rway_paint_designation(9, 'x');
  setuprunway(1000, 2000, 50, 3000, 45, 90, 1, 0);
  // Running east, the runway's left side is its north side.
  quad s = mark(MARK_SURFACE, 1);
  EXPECT_NEAR(s.x[0], 1000 - 1650, 0.05f);
  EXPECT_NEAR(s.y[0], 2000 + 22.5f, 0.05f);
  EXPECT_NEAR(s.x[2], 1000 + 1650, 0.05f);
  EXPECT_NEAR(s.y[2], 2000 - 22.5f, 0.05f);
  EXPECT_LT(mark(MARK_APRON, 1).y[0], 2000 - 100);  // the apron lies to the right: south
}

// The number at the second end is the first end's paint of the reverse
// designation, turned about the runway's centre.
TEST_F(Airport, EachEndReadsItsOwnNumberFromItsApproach) {
  float l = 3000, w = 45;
  auto paint_in = [&](int seg) {
    std::vector<quad> v;
    for (int m = MARK_PAINT; m <= rwy.max[0]; m++) {
      float across, along;
      centre(m, 0, w, l, &across, &along);
      if (along > -0.5f + seg / 36.0f && along < -0.5f + (seg + 1) / 36.0f && std::fabs(across) < 0.3f)
        v.push_back(mark(m, 0));
    }
    return v;
  };
  rway_paint_designation(36, 'L');
  setuprunway(0, 0, 0, l, w, 0, 0, 0);
  std::vector<quad> far36 = paint_in(34);
  rway_paint_designation(18, 'R');
  setuprunway(0, 0, 0, l, w, 0, 0, 0);
  std::vector<quad> near18 = paint_in(1);
  ASSERT_GT(near18.size(), 5u);
  ASSERT_EQ(far36.size(), near18.size());
  for (size_t k = 0; k < near18.size(); k++) {
    float best = 1e9f;
    for (size_t q = 0; q < far36.size(); q++) {
      float d = 0;
      for (int c = 0; c < 4; c++) d += std::fabs(far36[q].x[(c + 2) % 4] + near18[k].x[c]) + std::fabs(far36[q].y[(c + 2) % 4] + near18[k].y[c]);
      best = std::fmin(best, d);
    }
    EXPECT_LT(best, 0.05f) << k;
  }
  // The side letter: what it adds at each end. A centre runway is C from both
  // ends; left from one end is right from the other.
  auto letter_marks = [&](int num, char lr, int seg) {
    rway_paint_designation(num, 'x');
    setuprunway(0, 0, 0, l, w, 0, 0, 0);
    size_t plain = paint_in(seg).size();
    rway_paint_designation(num, lr);
    setuprunway(0, 0, 0, l, w, 0, 0, 0);
    return (int)(paint_in(seg).size() - plain);
  };
  int c_near = letter_marks(36, 'C', 1), c_far = letter_marks(36, 'C', 34);
  EXPECT_GT(c_near, 0);
  EXPECT_EQ(c_far, c_near);
  EXPECT_EQ(letter_marks(36, 'L', 34), letter_marks(18, 'R', 1));
  EXPECT_NE(letter_marks(18, 'R', 1), letter_marks(18, 'L', 1));
  // Without a designation only the other paint remains.
  rway_paint_designation(0, 'x');
  setuprunway(0, 0, 0, l, w, 0, 0, 0);
  EXPECT_TRUE(paint_in(1).empty());
}

TEST_F(Airport, LightGroupsLineTheRunwayAndTaxiway) {
  rway_paint_designation(36, 'x');
  float l = 3000, w = 45;
  float x0 = planex[89][79], y0 = planey[89][79];
  setuprunway(x0, y0, 10, l, w, 0, 0, 344344);
  EXPECT_EQ(env.rwaymax2[0] - LGT_EDGE_B, env.rwaymax1[0] - LGT_EDGE_A);
  // Edge lights run from the second end to the first, just outside the edges.
  EXPECT_NEAR(rwy.rwayy[LGT_EDGE_A][0] - y0, 0.5f * l, 0.01f);
  EXPECT_NEAR(rwy.rwayy[env.rwaymax1[0] - 1][0] - y0, -0.5f * l, 0.01f);
  EXPECT_LT(rwy.rwayx[LGT_EDGE_A][0] - x0, -0.5f * w);
  EXPECT_GT(rwy.rwayx[LGT_EDGE_B][0] - x0, 0.5f * w);
  // The caution zone: the 2000 ft nearest the far end.
  EXPECT_NEAR(rwy.rwayy[env.amber1[0]][0] - y0, 0.5f * l - 600, 61);
  EXPECT_NEAR(rwy.rwayy[env.amber2[0]][0] - y0, -0.5f * l + 600, 61);
  // Approach lights of the first end stand beyond it, of the second beyond that.
  EXPECT_LT(rwy.rwayy[LGT_APP][0] - y0, -0.5f * l);
  EXPECT_GT(rwy.rwayy[LGT_END + LGT_APP][0] - y0, 0.5f * l);
  // Lighting code 344344: PAPI at both ends.
  EXPECT_EQ(env.lgt_gls[0][0], 3);
  EXPECT_EQ(env.lgt_rwy[0][1], 4);
  EXPECT_EQ(env.lgt_app[0][0], 4);
  // Taxiway entrances clear the right edge lights there, without moving them
  // (on a runway without shoulders, whose entrances meet its edge).
  l = 1500, w = 30;
  setuprunway(x0, y0, 10, l, w, 0, 0, 344344);
  ASSERT_TRUE(env.tway[0]);
  ASSERT_FALSE(env.runoff[0]);
  int cleared = 0;
  float x_before = rwy.rwayx[LGT_EDGE_B][0];
  for (int m = MARK_CONNECT_1; m <= MARK_CONNECT_3; m++) clear_region(m, 0, 0);
  for (int k = LGT_EDGE_B; k < env.rwaymax2[0]; k++) cleared += !rwy.rwayuse[k][0];
  EXPECT_GE(cleared, 2);
  EXPECT_FLOAT_EQ(rwy.rwayx[LGT_EDGE_B][0], x_before);
  for (int k = LGT_EDGE_A; k < env.rwaymax1[0]; k++) EXPECT_TRUE(rwy.rwayuse[k][0]);
  for (int k = LGT_TWY_3; k < LGT_TWY_3 + 34; k++) EXPECT_TRUE(rwy.rwayuse[k][0]) << k;
  // The lit area: runway and taxiway, not the apron beyond.
  env.rwaymax = 0;
  EXPECT_TRUE(in_runway123(x0, y0));
  EXPECT_TRUE(in_runway123(x0 + 2.2f * w, y0));
  EXPECT_FALSE(in_runway123(x0 + 3.5f * w, y0 - 0.2f * l));
  EXPECT_FALSE(in_runway123(x0, y0 + 0.6f * l));
}

TEST_F(Airport, HangarsStandBesideTheLongestRunwayAndATowerOnlyWhereThereIsOne) {
  make_airport(0);
  runway(0, 0, 0, 90, 6000, 100, 9);
  runway(1, 0, 800, 0, 8000, 150, 36);
  clear_obs_twr();
  msc.loc_index = TEST_APT;
  setnewlocale();
  EXPECT_EQ(env.rwaymax, 1);
  EXPECT_EQ(count_type(93), 4);
  EXPECT_EQ(count_type(1), 0);
  float tx, ty, tz;
  EXPECT_FALSE(locale_tower(&tx, &ty, &tz));
  // Beside the longest (runway 1, heading north): east of it, off every runway.
  float cx = env_x_of_latlon(apt_lat[TEST_APT][1], apt_lon[TEST_APT][1]);
  for (int b = 0; b < OBS_MAX; b++) {
    if (obs_type[b] != 93) continue;
    EXPECT_GT(obs_x[b] - cx, 4.0f * 150 * FT);
    EXPECT_FALSE(in_runway123(obs_x[b], obs_y[b]));
  }
  clear_obs_twr();
  apt_twr[TEST_APT] = 1;
  setnewlocale();
  EXPECT_EQ(count_type(93), 4);
  EXPECT_EQ(count_type(1), 1);
  EXPECT_TRUE(locale_tower(&tx, &ty, &tz));
}

// A runway ending on another loses the lights lying on it. Those keep their
// place: taken for lights at the region's corner they stretched the lit area
// out there, and the hangars walked off across the region.
TEST_F(Airport, RemovedLightsStayWhereTheyWereAndTheHangarsNearTheField) {
  make_airport(1);
  runway(0, 0, 0, 90, 9000, 150, 9);
  // Heading south, ending at runway 0's centre line: its second end lies on runway 0.
  runway(1, 1000, 0, 180, 6500, 150, 18);
  clear_obs_twr();
  msc.loc_index = TEST_APT;
  setnewlocale();
  ASSERT_EQ(rwy.rwayuse[LGT_EDGE_A][1], 0);  // the first edge light, on runway 0
  float ax0 = env_x_of_latlon(apt_lat[TEST_APT][0], apt_lon[TEST_APT][0]);
  float ay0 = env_y_of_lat(apt_lat[TEST_APT][0]);
  for (int r = 0; r <= 1; r++)
    for (int k = 0; k < RWY_LIGHTS; k++) {
      if (rwy.rwayuse[k][r]) continue;
      if (rwy.rwayx[k][r] == 0 && rwy.rwayy[k][r] == 0) continue;  // never placed
      EXPECT_LT(pythag(rwy.rwayx[k][r] - ax0, rwy.rwayy[k][r] - ay0), 5000) << r << " " << k;
    }
  EXPECT_LT(pythag(rwy.rwayx[LGT_EDGE_A][1] - ax0, rwy.rwayy[LGT_EDGE_A][1] - ay0), 100);
  // Nothing between the field and the region's corner is runway.
  for (float f = 0.1f; f < 1.0f; f += 0.1f)
    EXPECT_FALSE(in_runway123(ax0 + f * (planex[0][0] - ax0), ay0 + f * (planey[0][0] - ay0))) << f;
  int hangars = 0;
  for (int b = 0; b < OBS_MAX; b++) {
    if (obs_type[b] != 93 && obs_type[b] != 1) continue;
    hangars++;
    EXPECT_LT(pythag(obs_x[b] - ax0, obs_y[b] - ay0), 4000);
  }
  EXPECT_EQ(hangars, 5);
}
}  // namespace
