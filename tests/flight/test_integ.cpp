// Integration and time stepping: Euler rates through the vertical, air data
// edges, the path roll, frame conversions and the start of a flight.
#include "basekit/bk_mnw.h"
#include "sim/flight/forcefeed.h"
#include "sim/shell/initgen.h"
#include "tests/flight/flight_fixture.h"
#include "sim/output/do_file.h"

namespace {
using flight::FlightTest;

class Integ : public FlightTest {};

// The aircraft's nose and right wing in the world.
static void axes(float* nose, float* wing) {
  body_to_world(0, 1, 0, &nose[0], &nose[1], &nose[2]);
  body_to_world(1, 0, 0, &wing[0], &wing[1], &wing[2]);
}
static float angle_between(const float* a, const float* b) {
  float d = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  return std::acos(fltlim(d, -1, 1)) * con.radtodeg;
}

// A steady pitch rate carries the nose round a vertical circle: at every step
// the nose moves by the rate times the step, the wing never moves, and the
// re-expression over the top shows no jump.
TEST_F(Integ, PitchingThroughTheVerticalHasNoJump) {
  for (float q : {40.0f, -40.0f}) {
    flt.psi = 30;
    flt.the = 0;
    flt.phi = 0;
    flt.P = flt.R = 0;
    flt.Q = q;
    flt.Pdot = flt.Qdot = flt.Rdot = 0;
    flt.vx = flt.vy = flt.vz = 0;
    flt.ax = flt.ay = flt.az = 0;
    set.damp = 0;
    msc.prd = 0.01f;
    set_air_data();
    float nose0[3], wing0[3];
    axes(nose0, wing0);
    int flips = 0;
    for (int k = 0; k < 1000; k++) {  // 400 degrees of loop
      float nose[3], wing[3], was = flt.psi;
      axes(nose, wing);
      integ_v();
      integ_x();
      if (std::fabs(wrap180(flt.psi - was)) > 90) flips++;
      float n2[3], w2[3];
      axes(n2, w2);
      ASSERT_NEAR(angle_between(nose, n2), std::fabs(q) * msc.prd, 0.02f) << k << " the " << flt.the;
      ASSERT_LT(angle_between(wing0, w2), 0.05f) << k;
    }
    EXPECT_GE(flips, 2);  // over the top and again past the bottom
  }
}

TEST_F(Integ, ExactRestHasLevelPaths) {
  flt.vx = flt.vy = flt.vz = 0;
  atm.wind_x = atm.wind_y = atm.wind_z = 0;
  flt.the = 5;
  set_air_data();
  EXPECT_EQ(flt.vpath, 0.0f);
  EXPECT_EQ(flt.avpath, 0.0f);
  EXPECT_EQ(flt.Alpha, 0.0f);
  EXPECT_EQ(flt.Beta, 0.0f);
  EXPECT_TRUE(std::isfinite(flt.cosvpath));
  flt.vz = -3;  // straight down
  set_air_data();
  EXPECT_FLOAT_EQ(flt.vpath, -90);
  EXPECT_FLOAT_EQ(flt.avpath, -90);
}

TEST_F(Integ, DynamicPressureRatioAndIndicatedAirspeed) {
  fly(0, 50, 0);
  float vind = 50 * std::sqrt(atm.crtsig) * con.msctokts;
  EXPECT_NEAR(flt.vind, vind, 0.01f);
  EXPECT_NEAR(flt.Qratio, (vind / pln.Vne) * (vind / pln.Vne), 1e-4f);
  pln.Vne = 0;  // no never-exceed speed: no ratio rather than an infinite one
  set_air_data();
  EXPECT_EQ(flt.Qratio, 0.0f);
  pln.Vne = 150;
  // Flying backwards the indicated speed is negative: the ratio uses it, then it is held at 0.
  flt.vx = 0;
  flt.vy = -20;
  flt.vz = 0;
  flt.Alpha = 180;
  refresh_trig();
  msc.prd = 0.01f;
  integ_x();
  EXPECT_EQ(flt.vind, 0.0f);
  float back = 20 * std::sqrt(atm.crtsig) * con.msctokts;
  EXPECT_NEAR(flt.Qratio, (back / 150) * (back / 150), 1e-3f);
}

// As the track swings from ahead of the aircraft to behind it, banked 20
// degrees, the path roll turns smoothly from the bank to the bank mirrored,
// with the frame's normal pointing up all the way.
TEST_F(Integ, PathRollChangesContinuouslyAsTheTrackSwingsBehind) {
  for (float bank : {20.0f, -35.0f}) {
    flt.psi = 40;
    flt.the = 2;
    flt.phi = wrap360(bank);
    float last_s = 0, last_c = 0;
    for (int k = 0; k <= 360; k++) {
      float off = k * 0.5f;  // track against heading, 0..180
      float h = (flt.psi + off) * con.degtorad;
      flt.vx = 30 * std::sin(h);
      flt.vy = 30 * std::cos(h);
      flt.vz = -1;
      set_air_data();
      set_path_roll();
      EXPECT_GT(flt.cosphi_path, 0.5f) << off;
      if (k > 0) {
        EXPECT_LT(std::fabs(flt.sinphi_path - last_s), 0.02f) << off;
        EXPECT_LT(std::fabs(flt.cosphi_path - last_c), 0.02f) << off;
      }
      last_s = flt.sinphi_path;
      last_c = flt.cosphi_path;
      if (k == 0) {
        EXPECT_NEAR(flt.sinphi_path, std::sin(bank * con.degtorad), 0.01f);
      }
      if (off == 89 || off == 91) {
        EXPECT_EQ(crs_wrapped(), off == 91);
      }
    }
    EXPECT_NEAR(last_s, -std::sin(bank * con.degtorad), 0.01f);  // backwards the roll reads mirrored
  }
}

TEST_F(Integ, LatitudeAndLongitudeRoundTripAndFarPointsUseTheEdgeCell) {
  env.lat_sou = 33;
  env.lon_wes = -119;
  load_region();
  for (double lat : {33.2, 34.5, 34.9})
    for (double lon : {-118.9, -117.5, -116.1}) {
      double x = x_with_latlon(lat, lon), y = y_with_lat(lat);
      EXPECT_NEAR(lat_with_y(y), lat, 1e-9);
      EXPECT_NEAR(lon_with_xy(x, y), lon, 1e-4) << lat << " " << lon;
    }
  // Well outside the region the nearest edge cell stands: north-east, and south-west.
  env.planex_ref[2][1] = 1000;
  env.lonwes_ref[2][1] = -118;
  double far_y = y_with_lat(40), cl = std::cos(40 * 0.017453292519943295);
  double lon = lon_with_xy(5e6, far_y);
  EXPECT_NEAR(lon, (5e6 - 1000) / (60 * con.nmtomtrs * cl) - 118, 1e-3);
  env.planex_ref[0][0] = -500;
  env.lonwes_ref[0][0] = -119;
  double sy = y_with_lat(20), sc = std::cos(20 * 0.017453292519943295);
  EXPECT_NEAR(lon_with_xy(-9e6, sy), (-9e6 + 500) / (60 * con.nmtomtrs * sc) - 119, 1e-3);
}

// Where the variation is easterly the compass reads less than the true
// heading: in southern California a true 070 is about 056 magnetic.
TEST_F(Integ, AnEasterlyVariationTakesOffTheTrueHeading) {
  env.lat_sou = 33;
  env.lon_wes = -119;
  load_region();
  flt.y = y_with_lat(34.1);
  flt.x = x_with_latlon(34.1, -117.2);
  fly(1000, 50, 0);
  flt.psi = 70;
  integ_x();
  ASSERT_GT(find_var(flt.lat, flt.lon), 5);
  EXPECT_EQ(env.mvar, -find_var(flt.lat, flt.lon));
  EXPECT_NEAR(flt.magpsi, 70 - find_var(flt.lat, flt.lon), 0.01f);
}

class Start : public FlightTest {
 protected:
  // Airport 0 as a runway heading 100 degrees, 2000 m long, at 300 m.
  void airport() {
    env.lat_sou = 33;
    env.lon_wes = -119;
    load_region();
    env.aptmax = intmax2(env.aptmax, 0);
    msc.loc_index = 0;
    apt_lat[0][0] = 34.0f;
    apt_lon[0][0] = -118.0f;
    apt_hdng[0][0] = 100;
    apt_len[0][0] = 2000;
    apt_z[0] = 300;
    for (auto& row : planez)  // flat ground at the field's height
      for (float& z : row) z = 300;
  }
};

TEST_F(Start, OnTheRunwayHalfItsLengthBackFacingDownIt) {
  airport();
  msc.typestart = 900;
  for (int sel : {0, 1}) {
    msc.rway_sel = sel;
    set_fltvars(10);
    float hdg = sel ? 280.0f : 100.0f;
    double cx = x_with_latlon(34, -118), cy = y_with_lat(34);
    EXPECT_NEAR(flt.psi, hdg, 1e-3f);
    EXPECT_NEAR(flt.x, cx - std::sin(hdg * con.degtorad) * 1000, 0.5);
    EXPECT_NEAR(flt.y, cy - std::cos(hdg * con.degtorad) * 1000, 0.5);
    EXPECT_NEAR(flt.z, 300 + pln.h_eqlbm, 1e-3);
    EXPECT_NEAR(flt.the, wrap360(pln.the_eqlbm), 1e-3f);
    EXPECT_NEAR(std::sqrt(flt.vx * flt.vx + flt.vy * flt.vy + flt.vz * flt.vz), 0.1, 1e-4);
    EXPECT_FLOAT_EQ(flt.thro[0], 0.02f);
    EXPECT_EQ(set.gear_handle, 1);
    EXPECT_EQ(set.parkbrake, 1.0f);
  }
  // Runway two of an airport that has only one: its first runway instead of a point at 0, 0.
  apt_len[0][1] = 0;
  apt_lat[0][1] = apt_lon[0][1] = 0;
  msc.rway_sel = 2;
  set_fltvars(10);
  EXPECT_NEAR(flt.psi, 100, 1e-3f);
  EXPECT_NEAR(flt.y, y_with_lat(34) - std::cos(100 * con.degtorad) * 1000, 0.5);
}

TEST_F(Start, OnTheApproachBackAlongThreeDegreesOrFiveHundredFeetUp) {
  airport();
  msc.rway_sel = 0;
  msc.typestart = 1100;
  set_fltvars(10);
  double cx = x_with_latlon(34, -118) - std::sin(100 * con.degtorad) * 1000;
  double d = 9 * con.nmtomtrs;
  EXPECT_NEAR(flt.x, cx - std::sin(100 * con.degtorad) * d, 1.0);
  EXPECT_NEAR(flt.z, 300 + pln.h_eqlbm + d * std::sin(3 * con.degtorad), 0.01);
  EXPECT_NEAR(flt.vy * flt.vy + flt.vx * flt.vx, (1.2f * msc.est_Vs) * (1.2f * msc.est_Vs), 0.1);
  EXPECT_FLOAT_EQ(flt.thro[0], 0.5f);
  EXPECT_EQ(desk_alert_count(), 0);
  // The short final from a runway start on a strip above its surroundings: raised, with an alert.
  msc.typestart = 1000;
  apt_z[0] = 300;
  set_fltvars(10);
  float ground = 300, low = 300 + pln.h_eqlbm + 1.5f * con.nmtomtrs * std::sin(3 * con.degtorad);
  EXPECT_GE(flt.z, ground + 500 * con.fttomtrs - 0.01);
  EXPECT_GT(flt.z, low);
  EXPECT_EQ(desk_alert_count(), 1);
}

TEST_F(Start, CustomStartInTheAirBelowTheGroundEndsOnIt) {
  airport();
  set.cus_x = 1000;
  set.cus_y = 2000;
  set.cus_z = 100;  // the ground is at 300 m
  set.cus_psi = 45;
  set.cus_v = 60;
  set_fltvars(12);
  EXPECT_NEAR(flt.z, 300 + pln.h_eqlbm, 1e-3);
  EXPECT_NEAR(flt.the, wrap360(pln.the_eqlbm), 1e-3f);
  EXPECT_FLOAT_EQ(flt.thro[0], 0.02f);
  EXPECT_EQ(set.gear_handle, 1);
  set.cus_z = 2000;
  set_fltvars(12);
  EXPECT_NEAR(flt.z, 2000, 1e-3);
  EXPECT_FLOAT_EQ(flt.thro[0], 0.5f);
  EXPECT_NEAR(flt.vx, 60 * std::sin(45 * con.degtorad), 1e-3);
}

TEST_F(Start, BadRunwaySelectionsAndMissingShipsAreFatal) {
  airport();
  msc.typestart = 900;
  msc.rway_sel = 6;
  EXPECT_NE(acft::fatal_text([] { set_fltvars(10); }).find("rway_sel out of range!\n6"), std::string::npos);
  msc.rway_sel = 0;
  msc.loc_index = APT_MAX + 5;
  EXPECT_NE(acft::fatal_text([] { set_fltvars(10); }).find("loc_index out of range!"), std::string::npos);
  msc.loc_index = 0;
  for (auto& row : boat_on_poly)
    for (int& b : row) b = 0;
  EXPECT_EQ(acft::fatal_text([] { set_fltvars(13); }), "I can't find any ships in the area!\n\n\n");
}

TEST_F(Start, EveryStartMakesTheStateFreshAndClearsTheForces) {
  airport();
  flt.P = 5;
  flt.trim = 0.3f;
  flt.flap = 20;
  flt.wired = 1;
  rel.fc_flp = 0;
  msc.cntr = 77;
  set.fcon_force_rat = 1;
  ff_log_start();
  msc.typestart = 900;
  msc.rway_sel = 0;
  set_fltvars(10);
  ff_log_stop();
  EXPECT_EQ(flt.P, 0.0f);
  EXPECT_EQ(flt.trim, 0.0f);
  EXPECT_EQ(flt.flap, 0);
  EXPECT_EQ(flt.wired, 0);
  EXPECT_EQ(rel.fc_flp, 1);
  EXPECT_EQ(msc.cntr, 0);
  ASSERT_EQ(ff_log_count(), 1);
  EXPECT_STREQ(ff_log_at(0)->name, "_ClearForces");
  // Wings lift from the first frame: the slower factors are ready.
  EXPECT_NEAR(flt.CLgrndeffect[4], 1.0f, 0.01f);
  EXPECT_GT(flt.alpha_max[4], 5.0f);
}

TEST_F(Start, AnEngineBelowATenthStartsStoppedAndFixedGearStaysDown) {
  initpower(0.05f);
  EXPECT_EQ(flt.tac[0], 1.0f);
  EXPECT_EQ(flt.n1_[0], 0.0f);
  EXPECT_EQ(flt.parteqlbmthrust[0], 0.0f);
  pln.retractEQ = 1;
  setgear(0);
  EXPECT_EQ(set.gear_handle, 0);
  EXPECT_EQ(set.parkbrake, 0.0f);
  pln.retractEQ = 0;  // fixed gear is always down
  setgear(0);
  EXPECT_EQ(set.gear_handle, 1);
  for (int k = 0; k < 3; k++) EXPECT_EQ(set.gear_stat[k], 1);
}

// A requested cycle dump traces the first half-step of one frame to the report.
TEST_F(Integ, ACycleDumpTracesOneHalfStepOnly) {
  FILE* saved = trk;
  std::string path = std::string(TARVEL_BUILD_DIR) + "/testtmp/flight/cycle.out";
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  trk = std::fopen(path.c_str(), "w");
  ASSERT_TRUE(trk);
  fly(1500, 50, 3, 3);
  msc.prd = 0.05f;
  set.cycoutwaiting = 1;
  deg2integ();
  long after_one = std::ftell(trk);
  deg2integ();
  long after_two = std::ftell(trk);
  std::fclose(trk);
  trk = saved;
  EXPECT_EQ(set.cycout, 0);
  EXPECT_EQ(set.cycoutwaiting, 0);
  EXPECT_GT(after_one, 1000);
  EXPECT_EQ(after_two, after_one);
  std::string text = flight::read_text(path);
  EXPECT_EQ(text.find("RUNNING AERODYNAMIC FORCE AND TOTAL MOMENT TOTALS"), text.rfind("RUNNING AERODYNAMIC FORCE"));
  EXPECT_NE(text.find("FINAL TOTAL LINEAR ACCELS, ALONG GLOBAL AXIS (pos north/east/up)"), std::string::npos);
}

TEST_F(Integ, EventsMoveFlapsSlatsAndGearTowardTheirRequests) {
  rel.fc_flp = rel.fc_slt = 1;
  pln.flapEQ = pln.slatEQ = 1;
  flt.flap = 0;
  flt.flaprequest = 3;
  flt.slat = 0;
  flt.slatrequest = 0.05f;
  pln.retractEQ = 1;
  set.gear_handle = 0;
  set.gear_stat[0] = set.gear_stat[1] = set.gear_stat[2] = 1;
  set.gear_time[0] = 1;
  set.gear_time[1] = set.gear_time[2] = 50;
  msc.elap_time = 2;
  mod_evt();
  EXPECT_EQ(flt.flap, 1);
  EXPECT_NEAR(flt.slat, 0.02f, 1e-6f);
  EXPECT_EQ(set.gear_stat[0], 0);
  EXPECT_EQ(set.gear_stat[1], 1);
  mod_evt();
  mod_evt();
  EXPECT_FLOAT_EQ(flt.slat, 0.05f);  // the last bit snaps
  mod_evt();
  EXPECT_EQ(flt.flap, 3);
  rel.fc_flp = 0;  // a failed flap drive holds
  flt.flaprequest = 0;
  mod_evt();
  EXPECT_EQ(flt.flap, 3);
}

}  // namespace
