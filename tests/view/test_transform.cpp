// The view's rotations and projection, and the eye of each cockpit view.
#include <cmath>
#include "sim/view/point.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/view/scn.h"

namespace {
class Transform : public ::testing::Test {
 protected:
  void SetUp() override { view_start(); }
};

TEST_F(Transform, HeadingPitchAndRollMoveThePictureTheWayAPilotSeesIt) {
  // Heading 90: a point east lies straight ahead at depth 100, north on the left.
  view_eye(0, 0, 0, 90, 0, 0);
  float x, y, z;
  xfrm_SCENE(100, 0, 0, &x, &y, &z);
  EXPECT_NEAR(x, 0, 1e-3);
  EXPECT_NEAR(y, 100, 1e-3);
  EXPECT_NEAR(z, 0, 1e-3);
  xfrm_SCENE(0, 100, 0, &x, &y, &z);
  EXPECT_NEAR(x, -100, 1e-3);
  // Nose 10 degrees up: a level point ahead sits 10 degrees below the centre.
  view_eye(0, 0, 0, 0, 10, 0);
  xfrm_SCENE(0, 1000, 0, &x, &y, &z);
  EXPECT_NEAR(z / y, -std::tan(10 * 0.0174533f), 1e-4);
  // Rolled 30 degrees right: a point on the horizon to the right rises.
  view_eye(0, 0, 0, 0, 0, 30);
  xfrm_SCENE(1000, 1000, 0, &x, &y, &z);
  EXPECT_NEAR(std::atan2(z, x), 30 * 0.0174533f, 1e-4);
}

TEST_F(Transform, BodyToWorldAndBackAreInverse) {
  set_plan_trig(0, 0, 0, 37, -12, 64);
  float wx, wy, wz, bx, by, bz;
  xfrm_VIEWP(1.5f, -2.0f, 3.25f, &wx, &wy, &wz);
  xfrm_VVECT(wx, wy, wz, &bx, &by, &bz);
  EXPECT_NEAR(bx, 1.5f, 1e-4);
  EXPECT_NEAR(by, -2.0f, 1e-4);
  EXPECT_NEAR(bz, 3.25f, 1e-4);
  // Heading 90, level: the nose points east, the right wing south.
  set_plan_trig(0, 0, 0, 90, 0, 0);
  xfrm_VIEWP(0, 1, 0, &wx, &wy, &wz);
  EXPECT_NEAR(wx, 1, 1e-5);
  EXPECT_NEAR(wy, 0, 1e-5);
  xfrm_VIEWP(1, 0, 0, &wx, &wy, &wz);
  EXPECT_NEAR(wy, -1, 1e-5);
  // Pitched up 20: the nose rises, the wing stays level.
  set_plan_trig(0, 0, 0, 0, 20, 0);
  xfrm_VIEWP(0, 1, 0, &wx, &wy, &wz);
  EXPECT_NEAR(wz, std::sin(20 * 0.0174533f), 1e-5);
  // The aircraft's own point through the view: the eye at the aircraft sees its nose ahead.
  view_eye(0, 0, 0, 0, 20, 0);
  set_plan_trig(0, 0, 0, 0, 20, 0);
  float x, y, z;
  xfrm_PLANE(0, 10, 0, &x, &y, &z);
  EXPECT_NEAR(x, 0, 1e-4);
  EXPECT_NEAR(y, 10, 1e-4);
  EXPECT_NEAR(z, 0, 1e-4);
}

TEST_F(Transform, ProjectionFindsPixelsOnlyStrictlyInsideTheView) {
  set.view_is_fullscreen = 1;
  set_mon(VIEW_NOHUD, 1);
  int sx, sy;
  ASSERT_TRUE(find_pxy(0, 100, 0, &sx, &sy));
  EXPECT_EQ(sx, 400);
  EXPECT_EQ(sy, 284);
  // At zoom 1 the view spans 45 degrees each side: tangent 1 is its edge, not inside it.
  EXPECT_FALSE(find_pxy(100.5f, 100, 0, &sx, &sy));
  EXPECT_TRUE(find_pxy(99, 100, 0, &sx, &sy));
  EXPECT_LE(sx, con.off_int_rgt);
  EXPECT_FALSE(find_pxy(0, -100, 0, &sx, &sy));  // behind
  EXPECT_EQ(XFRM_x(0.5f), 600);
  EXPECT_EQ(XFRM_y(0.25f), 184);
  // Zooming in by 2 doubles the pixels per tangent.
  set_mon(-1, 2);
  EXPECT_EQ(XFRM_x(0.25f), 600);
}

// The cockpit views turn with the aircraft: looking along the right wing of
// an aircraft pitched up 10 degrees the horizon is level in pitch but rolled.
TEST_F(Transform, SideViewsTurnWithTheAircraft) {
  place_on_runway(msc.loc_index, 0);
  flt.psi = 0;
  flt.the = 10;
  flt.phi = 0;
  view_conditions(1, 10, 0, VIEW_RIGHT90);
  view_draw();
  EXPECT_NEAR(scn.psi180rad, 90 * 0.0174533f, 1e-3);
  EXPECT_NEAR(scn.the180rad, 0, 1e-3);
  EXPECT_NEAR(std::fabs(scn.phi180rad), 10 * 0.0174533f, 1e-3);
  view_conditions(1, 10, 0, VIEW_BACK);
  view_draw();
  EXPECT_NEAR(std::cos(scn.psi180rad), -1, 1e-4);
  EXPECT_NEAR(scn.the180rad, -10 * 0.0174533f, 1e-3);
  view_conditions(1, 10, 0, VIEW_DOWN8);
  view_draw();
  EXPECT_NEAR(scn.the180rad, 2 * 0.0174533f, 1e-3);
  // The pilot's eye stands at the eye point, ahead of and above the C.G.
  flt.the = 0;
  view_conditions(1, 10, 0, VIEW_FORWARD);
  view_draw();
  EXPECT_NEAR(con.VIEW_loc_y - flt.y, -pln.pex, 0.01f);
  EXPECT_NEAR(con.VIEW_loc_z - flt.z, pln.pez, 0.01f);
}
}  // namespace
