// The view octant, the visible grid window and its far-to-near sweep.
#include <cmath>
#include <set>
#include <utility>
#include <vector>
#include "sim/view/point.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"
#include "tests/view/view_fixture.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

namespace {
class Bounds : public ::testing::Test {
 protected:
  void SetUp() override { view_start(); }
  // The cells of the sweep in the order the terrain pass visits them.
  std::vector<std::pair<int, int>> swept() {
    std::vector<std::pair<int, int>> cells;
    for (int a = scn.plot_i_start; a != scn.plot_i_stop; a += scn.i_inc) {
      for (int b = scn.plot_j_start; b != scn.plot_j_stop; b += scn.j_inc) {
        cells.push_back(scn.vlines ? std::make_pair(a, b) : std::make_pair(b, a));
        if (cells.size() > 40000) return cells;
      }
    }
    return cells;
  }
};

TEST(Octant, EachFortyFiveDegreesIsAnOctantWrappingPastFullCircles) {
  const struct { float psi; int oct; } cases[] = {{44.9f, 1}, {45, 2}, {359.9f, 8}, {360, 1}, {-1, 8}, {725, 1}};
  for (auto c : cases) EXPECT_EQ(view_octant(c.psi), c.oct) << c.psi;
}

TEST_F(Bounds, EveryOctantSweepsEachWindowCellOnceFarToNear) {
  for (int oct = 1; oct <= 8; oct++) {
    float psi = 45.0f * oct - 22.5f;
    view_eye(flt.x, flt.y, flt.z + 300, psi, 0, 0);
    env.i_viewpoint = 89;
    env.j_viewpoint = 79;
    set_bounds(oct);
    EXPECT_EQ(scn.vlines, oct == 2 || oct == 3 || oct == 6 || oct == 7) << oct;
    EXPECT_EQ(scn.sweepcon, (oct + 1) / 2) << oct;
    std::vector<std::pair<int, int>> c = swept();
    std::set<std::pair<int, int>> unique(c.begin(), c.end());
    int cells = (scn.i2_plot_bound - scn.i1_plot_bound) * (scn.j2_plot_bound - scn.j1_plot_bound);
    EXPECT_EQ((int)c.size(), cells) << oct;
    EXPECT_EQ(unique.size(), c.size()) << oct;
    for (auto& p : c) {
      ASSERT_GE(p.first, scn.i1_plot_bound);
      ASSERT_LT(p.first, scn.i2_plot_bound);
      ASSERT_GE(p.second, scn.j1_plot_bound);
      ASSERT_LT(p.second, scn.j2_plot_bound);
    }
    // A cell's neighbours farther along the view come before it.
    static int order[178][159];
    for (size_t k = 0; k < c.size(); k++) order[c[k].first][c[k].second] = (int)k;
    int di = std::sin(psi * 0.0174533f) > 0 ? 1 : -1, dj = std::cos(psi * 0.0174533f) > 0 ? 1 : -1;
    int wrong = 0;
    for (auto& p : c) {
      int i = p.first, j = p.second, fi = i + di, fj = j + dj;
      if (fi >= scn.i1_plot_bound && fi < scn.i2_plot_bound && order[fi][j] > order[i][j]) wrong++;
      if (fj >= scn.j1_plot_bound && fj < scn.j2_plot_bound && order[i][fj] > order[i][j]) wrong++;
    }
    EXPECT_EQ(wrong, 0) << oct;
  }
}

TEST_F(Bounds, TheEdgeBehindTheEyeIsPulledToItsCell) {
  float h;
  int t;
  find_local_h(flt.x, flt.y, &h, &env.i_viewpoint, &env.j_viewpoint, &t);
  view_eye(flt.x, flt.y, flt.z + 300, 10, 0, 0);  // octant 1: north
  set_bounds(1);
  EXPECT_EQ(scn.j1_plot_bound, env.j_viewpoint - 2);  // the eye's row - 1, widened by one
  view_eye(flt.x, flt.y, flt.z + 300, 100, 0, 0);  // octant 3: east
  set_bounds(3);
  EXPECT_EQ(scn.i1_plot_bound, env.i_viewpoint - 2);
  view_eye(flt.x, flt.y, flt.z + 300, 200, 0, 0);  // octant 5: south
  set_bounds(5);
  EXPECT_EQ(scn.j2_plot_bound, env.j_viewpoint + 2);
}

TEST_F(Bounds, TurningAcrossFortyFiveDegreesChangesTheSweepNotTheEye) {
  view_conditions(1, 10, 0, VIEW_NOHUD);
  flt.psi = 44;
  view_draw();
  float x = con.VIEW_loc_x, y = con.VIEW_loc_y;
  flt.psi = 46;
  view_draw();
  EXPECT_FLOAT_EQ(con.VIEW_loc_x, x);
  EXPECT_FLOAT_EQ(con.VIEW_loc_y, y);
  EXPECT_EQ(scn.vlines, 1);
}

// A stale mark outside this frame's square would draw cells beyond the range.
TEST_F(Bounds, PointsOutsideTheSquareLoseTheirOldMark) {
  for (int i = 0; i < 178; i++)
    for (int j = 0; j < 159; j++) invrange[i][j] = 1;
  atm.vis = 1852;
  flt.v = 0;
  view_eye(planex[89][79], planey[89][79], planez[89][79] + 100, 0, 0, 0);
  env.i_viewpoint = 89;
  env.j_viewpoint = 79;
  set_bounds(1);
  int marked = 0;
  float R = 1.5f * 1852;
  for (int i = 0; i < 178; i++)
    for (int j = 0; j < 159; j++) {
      if (!invrange[i][j]) continue;
      marked++;
      float dx = planex[i][j] - con.VIEW_loc_x, dy = planey[i][j] - con.VIEW_loc_y;
      ASSERT_LT(dx * dx + dy * dy, R * R) << i << " " << j;
    }
  EXPECT_GT(marked, 0);
  EXPECT_LT(marked, 40);
}

// With clouds the ground is prepared inside the layer only while descending.
TEST_F(Bounds, InsideTheLayerTheGroundIsPreparedOnlyWhileDescending) {
  view_conditions(1, 10, 1, VIEW_NOHUD);
  flt.z = atm.baseMSL - pln.pez;  // the eye exactly at the base
  flt.vu = -2;
  view_draw();
  EXPECT_FLOAT_EQ(con.VIEW_loc_z, atm.baseMSL);
  EXPECT_EQ(scn.belowbases, 0);
  EXPECT_EQ(scn.abovetops, 0);
  EXPECT_GT(scn.i2_plot_bound, 40);  // the terrain grid's window
  flt.vu = 2;
  flt.z += 1;  // moves the eye's cell test along: the window is rebuilt
  view_draw();
  set_bounds(view_octant(flt.psi));
  EXPECT_LE(scn.i2_plot_bound, 39);  // the cloud grid's window
  EXPECT_EQ(view_pixel(400, 100), 63);  // in cloud: nothing but the cloud colour
  EXPECT_EQ(view_pixel(400, 500), 63);
}
}  // namespace
