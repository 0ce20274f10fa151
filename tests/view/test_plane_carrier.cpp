// The own aircraft seen from outside, and the carrier: its deck, wires, lens,
// catapult and approach aids.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/carrier_deck.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/output/do_movie.h"
#include "sim/output/grf.h"
#include "sim/panel/ins.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"
#include "sim/view/carrier.h"
#include "sim/view/drplane.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"
#include "tests/view/view_fixture.h"
#include "tools/support/placeeye.h"

namespace {
const float D2R = 0.017453292519943295f;

class Outside : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    msc.prd = 0.05f;
  }
  static void fly(const char* name) {
    std::string path = std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/" + name + "/" + name + ".acf";
    std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
    load_plane();
    place_on_runway(msc.loc_index, 0);
  }
  // View v looking at the aircraft; zoom multiplies the view's.
  static void look(int v, float zoom) {
    view_conditions(1, 10, 0, v);
    set.view_is_fullscreen = 1;
    set_mon(-1, zoom);
    view_draw();
    view_draw();
  }
};

TEST_F(Outside, ColoursDarkenWithTheTimeOfDay) {
  for (int t = 1; t <= 4; t++) {
    EXPECT_EQ(plane_line_col(t), 26 - t);
    EXPECT_EQ(plane_wing_col(t), 30 - t);
    EXPECT_EQ(plane_fuse_col(t), 33 - t);
  }
  EXPECT_EQ(plane_wing_col(9), 26);  // out of range: night
}

TEST_F(Outside, PartsAreDrawnFarthestFirstAndThePropellerTurns) {
  look(VIEW_CIRCLE, 2);
  int parts[19];
  int n = plane_draw_order(parts);
  ASSERT_GE(n, 5);  // propeller, wings, tail, fuselage
  auto mean_depth = [](int p) {
    // The first four points, as the sort takes them.
    int cols = p <= 3 ? 4 : (p <= 11 ? 2 : 8);
    float d = 0;
    for (int k = 0; k < 4; k++) d += tran_y[p][k / cols][k % cols];
    return d / 4;
  };
  for (int k = 0; k + 1 < n; k++) EXPECT_GE(mean_depth(parts[k]), mean_depth(parts[k + 1])) << k;
  // 30 % of the blade spacing a twentieth of a second: 54 degrees for two blades.
  int before = track_ang;
  view_draw();
  EXPECT_EQ((track_ang - before + 360) % 360, 54);
  msc.prd = 0.025f;  // twice the frame rate: half the step
  before = track_ang;
  view_draw();
  EXPECT_EQ((track_ang - before + 360) % 360, 27);
  // A jet has no blades: the angle stays.
  int type = pln.entype;
  pln.entype = 3;
  before = track_ang;
  view_draw();
  EXPECT_EQ(track_ang, before);
  pln.entype = type;
  // Wings and fuselage in their colours.
  EXPECT_GT(view_count(plane_wing_col(1)), 100);
  EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)), 1000);
}

TEST_F(Outside, TooCloseTheViewStepsBackButNoFurtherThanItsWidest) {
  view_conditions(1, 10, 0, VIEW_CIRCLE);
  set_mon(-1, 16);  // the aircraft far wider than the view: half the zoom a frame
  view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 8);
  view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 4);
  // The camera inside the aircraft: points behind the eye never fit.
  view_conditions(1, 10, 0, VIEW_SPOT);
  flt.x += 20;  // the spot camera stood 20 m east: now at the aircraft
  for (int k = 0; k < 12; k++) view_draw();
  EXPECT_FLOAT_EQ(scn.zoom, 0.125f);
  view_draw();  // and it stays there, drawing what it can
  EXPECT_FLOAT_EQ(scn.zoom, 0.125f);
}

// The first column a propeller blade (black) reaches in the view.
int first_blade_column() {
  for (int x = 0; x < 800; x++)
    for (int y = con.off_int_top; y < con.off_int_bot; y++)
      if (view_pixel(x, y) == LITE_OFF) return x;
  return -1;
}

TEST_F(Outside, TheTrainerAndTheLightTwinFromTheChaseAndTheTower) {
  for (const char* c : {"Trainer", "LightTwin"}) {
    // Wings, fuselage and blades show, and the blades stand elsewhere a frame
    // later: the first column they reach moves.
    auto expect_aircraft = [c](const char* view, int wing, int fuse) {
      EXPECT_GT(view_count(plane_wing_col(1)), wing) << c << view;
      EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)), fuse) << c << view;
      EXPECT_GT(view_count(LITE_OFF), 10) << c << view << ": the blades";
      EXPECT_FALSE(view_shot((std::string(view) + "_" + c + ".png").c_str()).empty());
      int x0 = first_blade_column();
      view_draw();
      EXPECT_NE(x0, first_blade_column()) << c << view;
    };
    fly(c);
    look(VIEW_CHASE, 2);
    EXPECT_GT(view_count(36), 0) << c << ": the left tip light";
    EXPECT_GT(view_count(12), 0) << c << ": the right tip light";
    expect_aircraft("chase", 300, 0);
    // From the tower, taxied up to 150 m in front of it, its binoculars on.
    look(VIEW_TOWER, 1);
    float ex = con.VIEW_loc_x, ey = con.VIEW_loc_y, d = pythag((float)flt.x - ex, (float)flt.y - ey);
    flt.x = ex + ((float)flt.x - ex) * 150 / d, flt.y = ey + ((float)flt.y - ey) * 150 / d;
    set_mon(-1, 8);
    for (int k = 0; k < 4; k++) view_draw();
    EXPECT_GT(scn.zoom, 1) << c;
    expect_aircraft("tower", 100, 500);
  }
  fly("Trainer");
}

// A picture of the view and the screen boxes of chosen elements, to tell
// where a change of the controls shows.
std::vector<int> picture() {
  std::vector<int> px;
  for (int y = con.off_int_top; y < con.off_int_bot; y++)
    for (int x = con.off_int_lft; x <= con.off_int_rgt; x++) px.push_back(view_pixel(x, y));
  return px;
}
struct Box {
  int x0 = 9999, y0 = 9999, x1 = -9999, y1 = -9999;
  int holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};
// The boxes, a little widened, of the elements of part p for which has(e).
template <class F>
void boxes_of(int p, F has, std::vector<Box>* out) {
  for (int e = 0; e < pln.els[p]; e++) {
    if (!has(e)) continue;
    Box b;
    for (int r = 2 * e; r <= 2 * e + 1; r++)
      for (int c = 0; c < 2; c++) {
        b.x0 = std::min(b.x0, plot_x[p][r][c] - 10), b.x1 = std::max(b.x1, plot_x[p][r][c] + 10);
        b.y0 = std::min(b.y0, plot_y[p][r][c] - 10), b.y1 = std::max(b.y1, plot_y[p][r][c] + 10);
      }
    out->push_back(b);
  }
}
// Pixels that differ from `before` inside the boxes `in` but none of `not_in`,
// and outside all of them.
void changed(const std::vector<int>& before, const std::vector<Box>& in, const std::vector<Box>& not_in, int* inside,
             int* outside) {
  std::vector<int> now = picture();
  *inside = *outside = 0;
  size_t k = 0;
  auto hits = [](const std::vector<Box>& boxes, int x, int y) {
    for (const Box& b : boxes)
      if (b.holds(x, y)) return 1;
    return 0;
  };
  for (int y = con.off_int_top; y < con.off_int_bot; y++)
    for (int x = con.off_int_lft; x <= con.off_int_rgt; x++, k++) {
      if (now[k] == before[k]) continue;
      if (hits(not_in, x, y)) continue;
      (hits(in, x, y) ? *inside : *outside) += 1;
    }
}

TEST_F(Outside, EachControlSurfaceMovesWithItsControlAndNothingElseMoves) {
  fly("Trainer");
  msc.prd = 0;  // the blades and the beacon stand still
  look(VIEW_CHASE, 2);
  view_draw();
  std::vector<int> rest = picture();
  auto neutral = [] {
    flt.lailndef = flt.railndef = flt.lhstbdef = flt.rhstbdef = flt.ruddef = 0;
    flt.flap = 0;
  };
  // The surfaces on `parts` for which fitted(p, e): each part's own pixels
  // change, those of no other part do, and neutral brings the picture back.
  auto check = [&](const char* name, std::initializer_list<int> parts, int (*fitted)(int, int)) {
    std::vector<Box> all, each[PARTS];
    view_draw();
    for (int p : parts) {
      boxes_of(p, [&](int e) { return fitted(p, e); }, &each[p]);
      ASSERT_FALSE(each[p].empty()) << name << " on part " << p;
      all.insert(all.end(), each[p].begin(), each[p].end());
    }
    int inside, outside;
    for (int p : parts) {
      std::vector<Box> others;
      for (int q : parts)
        if (q != p) others.insert(others.end(), each[q].begin(), each[q].end());
      changed(rest, each[p], others, &inside, &outside);
      EXPECT_GT(inside, 30) << name << " on part " << p;
    }
    changed(rest, all, {}, &inside, &outside);
    EXPECT_EQ(outside, 0) << name;
    neutral();
    view_draw();
    changed(rest, all, {}, &inside, &outside);
    EXPECT_EQ(inside + outside, 0) << name << " back to neutral";
  };
  flt.lailndef = pln.ailn_up, flt.railndef = -pln.ailn_dn;
  check("aileron", {4, 5}, [](int p, int e) { return pln.ailn[p][e]; });
  flt.lhstbdef = flt.rhstbdef = -pln.elev_up;
  check("elevator", {8, 9}, [](int p, int e) { return pln.elev[p][e]; });
  flt.ruddef = pln.rudd_def;
  check("rudder", {10}, [](int p, int e) { return pln.rudd[p][e]; });
  flt.flap = 50;
  check("flaps", {4, 5}, [](int p, int e) { return pln.flap[p][e]; });
}
TEST_F(Outside, FlapsThatFailedOnOneSideStayUpThere) {
  fly("Trainer");
  msc.prd = 0;
  look(VIEW_CHASE, 2);
  view_draw();
  std::vector<int> rest = picture();
  std::vector<Box> flaps[PARTS];
  for (int p = 4; p <= 5; p++) boxes_of(p, [&](int e) { return pln.flap[p][e]; }, &flaps[p]);
  rel.symflp = 0;
  flt.flap = 50;
  set_a1();  // a step with the flaps out draws the side that keeps them
  int keeps = flaps_work_on(4) ? 4 : 5, lost = 9 - keeps;
  ASSERT_FALSE(flaps_work_on(lost));
  view_draw();
  int inside, outside;
  changed(rest, flaps[keeps], flaps[lost], &inside, &outside);
  EXPECT_GT(inside, 30);
  changed(rest, flaps[lost], flaps[keeps], &inside, &outside);
  EXPECT_EQ(inside, 0) << "the failed side's flaps moved";
  rel.symflp = 1;
  view_draw();
  changed(rest, flaps[lost], flaps[keeps], &inside, &outside);
  EXPECT_GT(inside, 30) << "repaired, both sides";
}

// The span distance at which the chord line at fraction f of part p leaves
// the fuselage, found from the fuselage's outline at the root's height: the
// widest crossing of that height by the cross-section at the point's x.
float fuselage_edge(int p, float f) {
  float r = scoot_out_wing(p, 0, f);
  float c = pln.Croot[p] + (pln.Ctip[p] - pln.Croot[p]) * r / pln.semilen[p];
  float a = pln.anginc[p][0] * D2R;
  float x = get_wing_xarm(p, r) + f * c * std::cos(a);
  float z = get_wing_zarm(p, r) - f * c * std::sin(a) * icos(pln.dihed[p]);
  int s = 0;
  while (s + 2 < BODY_SECTIONS && pln.body_x[12][s + 1][0] < x) s++;
  float t = (x - pln.body_x[12][s][0]) / (pln.body_x[12][s + 1][0] - pln.body_x[12][s][0]), half = 0;
  for (int m = 0; m < BODY_POINTS; m++) {
    int n = (m + 1) % BODY_POINTS;
    float ya = pln.body_y[12][s][m] + t * (pln.body_y[12][s + 1][m] - pln.body_y[12][s][m]);
    float za = pln.body_z[12][s][m] + t * (pln.body_z[12][s + 1][m] - pln.body_z[12][s][m]);
    float yb = pln.body_y[12][s][n] + t * (pln.body_y[12][s + 1][n] - pln.body_y[12][s][n]);
    float zb = pln.body_z[12][s][n] + t * (pln.body_z[12][s + 1][n] - pln.body_z[12][s][n]);
    if ((za - z) * (zb - z) <= 0 && za != zb)
      half = std::max(half, std::fabs(ya + (yb - ya) * (z - za) / (zb - za)));
  }
  return half / icos(pln.dihed[p]);
}

TEST_F(Outside, WingRootsArePushedOutToTheFuselageAndTheTipsStay) {
  fly("LightTwin");  // a low wing: its root chord lies inside the fuselage
  look(VIEW_CHASE, 1);
  for (int p = 4; p <= 5; p++) {
    float L = pln.semilen[p];
    for (float f : {-0.25f, 0.75f}) {
      EXPECT_GT(scoot_out_wing(p, 0, f), 0.2f) << p;
      EXPECT_NEAR(scoot_out_wing(p, 0, f), fuselage_edge(p, f), 0.03f) << p << " " << f;
      EXPECT_FLOAT_EQ(scoot_out_wing(p, L, f), L);
      EXPECT_GT(scoot_out_wing(p, 0.5f * L, f), scoot_out_wing(p, 0, f));
    }
  }
  fly("Trainer");  // a high wing on the fuselage's top: nothing to push
  look(VIEW_CHASE, 1);
  EXPECT_FLOAT_EQ(scoot_out_wing(4, 0, -0.25f), 0);
  EXPECT_FLOAT_EQ(scoot_out_wing(5, 0, 0.75f), 0);
}

TEST_F(Outside, TheReplayDrawsTheAircraftWhereThePathHasItWithItsSurfacesAtRest) {
  fly("Trainer");
  msc.prd = 0;
  clear_path();
  record_path();
  double px = flt.x, py = flt.y;
  float pz = (float)flt.z, psi = flt.psi;
  start_movie();
  flt.x += 3000;  // the aircraft flew on; the replay shows where it was
  flt.lailndef = pln.ailn_up, flt.railndef = -pln.ailn_dn;
  pat.cntr_replay = pat.cntr_record;
  msc.x_view = (float)px - 20 * std::sin(psi * D2R), msc.y_view = (float)py - 20 * std::cos(psi * D2R);
  msc.z_view = pz + 4;
  scn.psi180rad = psi * D2R, scn.the180rad = -10 * D2R, scn.phi180rad = 0;
  auto wing_pixels = [] {
    int row, dx, dy, n = 0;
    const uint8_t* w = gworld_pixels(1, &row, &dx, &dy);
    for (int y = 0; w && y < dy; y++)
      for (int x = 0; x < dx; x++) n += w[(size_t)y * row + x] == plane_wing_col(1);
    return n;
  };
  view_draw();
  float depth = 0;
  for (int m = 0; m < 8; m++) depth += tran_y[12][4][m] / 8;
  EXPECT_NEAR(depth, 20, 3);
  int deflected = wing_pixels();
  EXPECT_GT(deflected, 300);
  flt.lailndef = flt.railndef = 0;
  view_draw();
  EXPECT_EQ(wing_pixels(), deflected) << "the path holds no controls: the surfaces rest";
  MACIBM_killwind(WIN_FLIGHT_PATH);
  EXPECT_EQ(set.view_type, VIEW_FORWARD);
}

// ---- the carrier ----

class Carrier : public ::testing::Test {
 protected:
  void SetUp() override {
    view_start();
    ASSERT_TRUE(nearest_ship(1, flt.x, flt.y, &sx, &sy, &sz)) << "the shipped region holds a carrier";
  }
  // The aircraft at ship-frame point (x, y), the flight model's cell with it.
  void at(float x, float y, float z) {
    flt.x = sx + x, flt.y = sy + y, flt.z = sz + z;
    float h;
    int t;
    find_local_h((float)flt.x, (float)flt.y, &h, &env.i_aircraft, &env.j_aircraft, &t);
  }
  double sx = 0, sy = 0;
  float sz = 0;
};

TEST_F(Carrier, TheDeckAndBothExtensions) {
  // The angled deck's extension to port, the island's to starboard, and just off each end.
  const struct { float x, y; bool on; } points[] = {{0, -200, 1},  {-30, -200, 1}, {30, -200, 1}, {0, -1, 1},
                                                    {-30, -60, 0}, {30, -300, 0},  {0, 5, 0},     {0, -320, 0}};
  for (auto p : points) EXPECT_EQ(over_carrier_deck(p.x, p.y), p.on) << p.x << ", " << p.y;
  at(-30, -200, 30);
  ship_decks();
  EXPECT_EQ(env.over_carr, 1);
  EXPECT_FLOAT_EQ(env.carrz, sz + 21);
  at(-60, -200, 30);
  ship_decks();
  EXPECT_EQ(env.over_carr, 0);
}

TEST_F(Carrier, TheHookCatchesAWireOnlyWhereAndWhenItShould) {
  float wx = 0.5f * (car.cx[2][0] + car.cx[2][1]), wy = 0.5f * (car.cy[2][0] + car.cy[2][1]);
  // Over a wire, hook down, rolling at 60 kt; the longest step: always caught.
  auto expect_caught = [&](int want, const char* what, void (*change)()) {
    at(wx, wy, 22);
    ins.hook_down = 1, flt.onsurface = 1;
    flt.wired = 0, flt.Beta = 0, flt.vind = 60, flt.v = 30, msc.prd = 0.07f;
    change();
    ship_decks();
    EXPECT_EQ(flt.wired, want) << what;
  };
  expect_caught(1, "on the wire", [] {});
  EXPECT_FLOAT_EQ(car.trap_accel, 30 * 30 / 200.0f);
  EXPECT_FLOAT_EQ(trap_accel_for(40), 8);
  flt.Beta = 95;  // a sideslip past 90 degrees lets go
  ship_decks();
  EXPECT_EQ(flt.wired, 0);
  expect_caught(0, "hook up", [] { ins.hook_down = 0; });
  expect_caught(0, "below 10 kt", [] { flt.vind = 9; });
  expect_caught(0, "in the air", [] { flt.onsurface = 0; });
  expect_caught(0, "going backwards", [] { flt.Beta = -95; });
  // Beyond the last wire.
  float fx = car.cx[4][0] + 10 * std::sin(car.appang * D2R) + 13, fy = car.cy[4][0] + 10 * std::cos(car.appang * D2R);
  EXPECT_TRUE(over_carrier_deck(fx, fy));
  EXPECT_FALSE(in_wire_zone(fx, fy));
  EXPECT_TRUE(in_wire_zone(wx, wy));
  wx = fx, wy = fy;
  expect_caught(0, "past the wires", [] {});
}

TEST_F(Carrier, TheLensCellRisesAStepADegree) {
  const struct { float deg; int cell; } cases[] = {{3.5f, 70}, {5.6f, 72}, {1.0f, 68}, {4.6f, 71},
                                                   {2.4f, 69}, {40, 72},   {-10, 68},  {NAN, 68}};
  for (auto c : cases) EXPECT_EQ(lens_cell(c.deg), c.cell) << c.deg;
}

TEST_F(Carrier, ItsLocalizerAndGlideSlopeFollowTheApproachHeading) {
  view_draw();
  int n = env.navmax;
  EXPECT_EQ(nav_type[n - 1], NAV_LOC);
  EXPECT_EQ(nav_type[n - 2], NAV_GS);
  for (int k = n - 2; k <= n - 1; k++) {
    EXPECT_EQ(nav_hdng[k], (int)car.appang);  // the glide slope too, not 4
    EXPECT_EQ(nav_f1[k], 108);
    EXPECT_EQ(nav_f2[k], 0);
    EXPECT_EQ(nav_inreg[k], 1);
    EXPECT_STREQ(nav_id[k], "----");
    // 80 m beyond the far end of the landing area's centre line.
    float x = env_x_of_latlon(nav_lat[k], nav_lon[k]), y = env_y_of_lat(nav_lat[k]);
    float fx = (float)sx + car.lx[41], fy = (float)sy + car.ly[41];
    EXPECT_NEAR(pythag(x - fx, y - fy), 80, 2);
  }
}

TEST_F(Carrier, TheCatapultShotEndsAtTheBow) {
  at(car.catx, car.caty, 22);
  flt.cat_stage = 28;
  ship_decks();
  EXPECT_EQ(flt.cat_stage, 28);
  at(car.catx, 5, 22);
  ship_decks();
  EXPECT_EQ(flt.cat_stage, 29);
}

TEST_F(Carrier, FromAMileOutOnTheGlidePathTheLensShowsTheBall) {
  // A mile out along the approach heading, 3.5 degrees above the lens.
  float a = car.appang * D2R, d = 1852;
  at(car.vasix - d * std::sin(a), car.vasiy - d * std::cos(a), car.vasiz + d * std::tan(3.5f * D2R));
  flt.psi = car.appang, flt.the = -3, flt.phi = 0;
  view_conditions(1, 10, 0, VIEW_NOHUD);
  set_mon(-1, 4);
  view_draw();
  EXPECT_GT(view_count_range(82, 82 + 18 * 2), 300);  // the deck
  float x, y, z;
  int px, py;
  xfrm_SCENE((float)sx + car.lx[70] - con.VIEW_loc_x, (float)sy + car.ly[70] - con.VIEW_loc_y,
             sz + car.lz[70] - con.VIEW_loc_z, &x, &y, &z);
  ASSERT_TRUE(find_pxy(x, y, z, &px, &py));
  EXPECT_EQ(view_pixel(px, py), LITE_AMBER);  // on the path: the middle cell
  EXPECT_FALSE(view_shot("carrier_final.png").empty());
}

TEST_F(Carrier, CaughtOnTheWire) {
  float wx = 0.5f * (car.cx[1][0] + car.cx[1][1]), wy = 0.5f * (car.cy[1][0] + car.cy[1][1]);
  at(wx, wy, 21 + 1.2f);
  flt.psi = car.appang, flt.the = 0, flt.phi = 0;
  ins.hook_down = 1, flt.onsurface = 1, flt.Beta = 0, flt.vind = 70, flt.v = 36, msc.prd = 0.07f;
  ship_decks();
  ASSERT_EQ(flt.wired, 1);
  view_conditions(1, 10, 0, VIEW_ABOVE10);
  set.view_is_fullscreen = 1;
  set_mon(-1, 1);
  view_draw();
  view_draw();
  // Seen from 50 m behind and 10 degrees up, the wing is a thin strip.
  EXPECT_GT(view_count(plane_wing_col(1)), 40);
  EXPECT_GT(view_count_range(plane_fuse_col(1) - 6, plane_fuse_col(1)), 100);
  EXPECT_GT(view_count_range(82, 82 + 18 * 2), 10000);  // the deck around it
  EXPECT_FALSE(view_shot("carrier_wire.png").empty());
}
}  // namespace
