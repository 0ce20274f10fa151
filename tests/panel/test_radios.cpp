// The radios against stations placed around the aircraft: what each receiver
// hears, the needles and how the instruments show them, the DME, the GPS,
// the marker beacons and the identifiers in Morse.
#include <cmath>
#include <cstring>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/platform/platform.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/panel/nav.h"
#include "sim/panel/panel_internal.h"
#include "sim/panel/radios.h"
#include "sim/sound/do_sound.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "tests/panel/panel_fixture.h"

using namespace panel_test;

namespace {

const float NM = 1852.0f;

// Sound on, the mix held so that a clip started stays playing until stopped;
// as it was again afterwards.
struct sound_held {
  int on = msc.sound_on, ready = msc.ready_to_update;
  sound_held() {
    msc.sound_on = msc.ready_to_update = 1;
    plat_audio_capture(1);
  }
  ~sound_held() {
    msc.sound_on = on;
    msc.ready_to_update = ready;
    plat_audio_capture(0);
  }
  // The Morse clips: stopped, and then which of them a call started (1 dot, 2 dash).
  static void hush() {
    plat_clip_stop(SND_DOT);
    plat_clip_stop(SND_DASH);
  }
  static int heard() { return (plat_clip_playing(SND_DOT) ? 1 : 0) + (plat_clip_playing(SND_DASH) ? 2 : 0); }
};

// Stations written above the file's records for one test, and taken away after.
class Radios : public PanelTest {
 protected:
  int saved_navmax = 0, first = 0, next = 0;
  double ox = 0, oy = 0;  // the local point stations are placed from

  void SetUp() override {
    PanelTest::SetUp();
    fly(shipped("Trainer"));  // a VOR/ILS indicator with DME, and an HSI
    saved_navmax = env.navmax;
    first = next = env.navmax + 1;
    ox = flt.x;
    oy = flt.y;
    init_radios();
    env.mvar = 0;
    nav.obs[0] = nav.obs[1] = 0;
    flt.onsurface = 0;
  }
  void TearDown() override {
    for (int n = first; n < next + 3; n++) nav_type[n] = 0, nav_inreg[n] = 0;
    env.navmax = saved_navmax;
    init_radios();
    fly(shipped("Trainer"));
  }
  // A station at east, north nautical miles from the origin, on mhz.hundredths.
  int station(int type, float east_nm, float north_nm, int mhz, int hundredths, int course, const char* id,
              float z_m = 0) {
    int n = next++;
    double x = ox + east_nm * NM, y = oy + north_nm * NM;
    nav_type[n] = type;
    nav_lat[n] = (float)lat_with_y(y);
    nav_lon[n] = (float)lon_with_xy(x, y);
    nav_z[n] = z_m;
    nav_f1[n] = mhz;
    nav_f2[n] = hundredths;
    nav_hdng[n] = course;
    nav_inreg[n] = 1;
    std::snprintf(nav_id[n], APT_ID_DIM, "%-4s", id);
    std::snprintf(nav_name[n], APT_NAME_DIM, "Test %s", id);
    // As read from a file: the carrier's two slots and an empty one above the last record.
    nav_type[n + 1] = nav_type[n + 2] = nav_type[n + 3] = 0;
    env.navmax = n + 3;
    return n;
  }
  // The aircraft at east, north nautical miles from the origin, z metres, heading true.
  void aircraft_at(float east_nm, float north_nm, float z_m = 1000, float heading = 0) {
    flt.x = ox + east_nm * NM;
    flt.y = oy + north_nm * NM;
    flt.z = z_m;
    flt.h = z_m;
    flt.lat = (float)lat_with_y(flt.y);
    flt.lon = (float)lon_with_xy(flt.x, flt.y);
    flt.psi = flt.magpsi = heading;
    flt.psi_int = (int)heading;
  }
  void tune(int mhz, int hundredths) {
    for (int r = 0; r < 2; r++) {
      nav.nf[r] = mhz;
      nav.nf100[r] = hundredths;
      setnav(r);
    }
    nav_deflections();
  }
  // Shown on the panel: the needles redrawn with the heading card at north.
  static void show() {
    ins.tickle_all = 1;
    updatepanel();
  }
};

TEST_F(Radios, VorNeedleToAndFromOnBothIndicators) {
  station(NAV_VOR, 0, 10, 117, 33, 0, "TVA");
  aircraft_at(0.5f, 0);
  tune(117, 33);
  ASSERT_EQ(nav.goodnav[0], 1);
  EXPECT_EQ(nav.ilsgs[0], 9);
  EXPECT_STREQ(nav.nav_id[0], "TVA ");
  EXPECT_NEAR(nav.hdef[0], -2.86, 0.01);
  EXPECT_NEAR(nav.hdef[1], -2.86, 0.01);
  EXPECT_EQ(nav.ntf[0], 1);
  EXPECT_EQ(nav.ntf[1], 1);
  show();
  int vx = ins.x_loc[INS_SUPP], vy = ins.y_loc[INS_SUPP], hx = ins.x_loc[INS_HSI], hy = ins.y_loc[INS_HSI];
  // The course needle 11 pixels left on the VOR/ILS indicator, the deviation bar on the HSI.
  EXPECT_GE(column(vx - 11, vy - 20, vy - 2, 33), 15);
  EXPECT_EQ(column(vx, vy - 20, vy - 2, 33), 0);
  EXPECT_GE(column(hx - 11, hy - 16, hy - 2, 12), 12);

  aircraft_at(1, 0);  // 5.7 degrees off: the needles stop at the edge
  nav_deflections();
  EXPECT_EQ(nav.hdef[0], -5);
  show();
  EXPECT_GE(column(vx - 20, vy - 20, vy - 2, 33), 15);
  EXPECT_GE(column(hx - 20, hy - 16, hy - 2, 12), 12);

  aircraft_at(0.1f, 12);  // past the station: FROM, the needle still on the same side
  nav_deflections();
  EXPECT_EQ(nav.ntf[0], 2);
  EXPECT_NEAR(nav.hdef[0], -std::atan2(0.1, 2) * 57.29578, 0.01);
  nav.obs[0] = 180;  // and inbound on the 180 course it reads TO, course to the right
  nav_deflections();
  EXPECT_EQ(nav.ntf[0], 1);
  EXPECT_GT(nav.hdef[0], 0);
}

TEST_F(Radios, NearerVorWinsAndAVorBeatsALocalizer) {
  station(NAV_LOC, 0, -3, 117, 33, 180, "ILOC");
  int far = station(NAV_VOR, 0, 30, 117, 33, 0, "FAR");
  int near = station(NAV_VOR, 0, -20, 117, 33, 0, "NEAR");
  aircraft_at(0, 0);
  tune(117, 33);
  EXPECT_EQ(nav.station[0], near);
  EXPECT_EQ(nav.ilsgs[0], 9);
  nav_type[near] = 0;
  tune(117, 33);
  EXPECT_EQ(nav.station[0], far);
  nav_type[far] = 0;
  tune(117, 33);  // only the localizer is left
  EXPECT_EQ(nav.ilsgs[0], 0);
  EXPECT_EQ(nav.ilscrs[0], 180);
  EXPECT_STREQ(nav.nav_id[0], "ILOC");
}

TEST_F(Radios, LocalizerAndGlideSlope) {
  station(NAV_LOC, 0, 0, 111, 33, 90, "ITST", 300);
  station(NAV_GS, -0.5f, 0, 111, 33, 90, "ITST", 300);
  aircraft_at(-5, 0.1f, 1000, 90);
  tune(111, 33);
  ASSERT_EQ(nav.goodnav[0], 1);
  EXPECT_EQ(nav.ilsgs[0], 3);
  EXPECT_NEAR(nav.hdef[0], 1.15, 0.01);
  EXPECT_EQ(nav.ntf[0], 1);
  EXPECT_EQ(bk::round(nav.hdef[0] * 4), 5);

  // 350 m above the transmitter 3 nm out: 0.60 degrees high; 291 m is on the path.
  aircraft_at(-3.5f, 0, 300 + 350, 90);
  nav_deflections();
  EXPECT_NEAR(nav.vdef[0], 0.60, 0.01);
  show();
  int vx = ins.x_loc[INS_SUPP], vy = ins.y_loc[INS_SUPP];
  EXPECT_GE(row(vy + 6, vx - 20, vx - 2, 33), 15);  // the glide-slope needle 6 pixels down
  EXPECT_EQ(row(vy, vx - 20, vx - 2, 33), 0);
  EXPECT_GE(column(pln.gsx1 + 1, pln.gsyc + 7 - 1, pln.gsyc + 7 + 1, 17), 3);  // the HSI's pointers 7 down
  EXPECT_EQ(column(pln.gsx1 + 1, pln.gsyc - 2, pln.gsyc + 2, 17), 0);
  aircraft_at(-3.5f, 0, 300 + 291, 90);
  nav_deflections();
  EXPECT_NEAR(nav.vdef[0], 0, 0.01);

  // From behind the localizer nothing is heard; one heard before shows no needle there.
  aircraft_at(5, 0.1f, 1000, 270);
  nav_deflections();
  EXPECT_EQ(nav.ntf[0], 0);
  EXPECT_EQ(nav.hdef[0], 0);
  EXPECT_EQ(nav.vdef[0], 0);
  tune(111, 33);
  EXPECT_EQ(nav.goodnav[0], 0);
}

TEST_F(Radios, GlideSlopeOnlyHeadingAlongTheApproach) {
  station(NAV_LOC, 0, 0, 111, 33, 90, "ITST");
  station(NAV_GS, -0.5f, 0, 111, 33, 90, "ITST");
  aircraft_at(-5, 0, 1000, 270);  // on the approach side, heading away
  tune(111, 33);
  EXPECT_EQ(nav.goodnav[0], 1);
  EXPECT_EQ(nav.ilsgs[0], 0);
  aircraft_at(-5, 0, 1000, 10);  // 80 degrees off the course
  tune(111, 33);
  EXPECT_EQ(nav.ilsgs[0], 3);
}

TEST_F(Radios, RangesGrowWithHeight) {
  EXPECT_NEAR(vor_range_deg(0), 0.889, 0.001);
  EXPECT_NEAR(vor_range_deg(15000), 2.0, 0.001);
  EXPECT_NEAR(vor_range_deg(30000), 28.0 / 9, 0.001);
  EXPECT_NEAR(loc_range_deg(0), 0.444, 0.001);
  EXPECT_NEAR(loc_range_deg(15000), 1.0, 0.001);
  EXPECT_NEAR(loc_range_deg(-200), 0.444, 0.001);  // below the sea as at the sea
  // A VOR 1.5 degrees of latitude north: not heard at sea level, heard at 15000 ft.
  station(NAV_VOR, 0, 90, 117, 33, 0, "FAR");
  aircraft_at(0, 0, 0);
  tune(117, 33);
  EXPECT_EQ(nav.goodnav[0], 0);
  EXPECT_EQ(nav.ntf[0], 0);
  aircraft_at(0, 0, 15000 * 0.3048f);
  tune(117, 33);
  EXPECT_EQ(nav.goodnav[0], 1);
  // check_nav: a negative part matches anything; the nearest so far wins.
  float best = 9.9e9f;
  EXPECT_EQ(check_nav(next - 1, 117, -1, &best, 2.0f), 1);
  EXPECT_NEAR(best, 1.5, 0.01);
  EXPECT_EQ(check_nav(next - 1, 117, 33, &best, 2.0f), 0);  // not nearer than itself
}

TEST_F(Radios, DmeSmoothsAndNeverDividesByZero) {
  float d = 0, speed = 0, minutes = 0;
  const float reads[4] = {4.0f, 6.4f, 7.84f, 8.704f};
  for (float r : reads) {
    dme_step(10, 1, &d, &speed, &minutes);
    EXPECT_NEAR(d, r, 0.001);
  }
  EXPECT_EQ(speed, 999);  // 0.864 nm in a second, limited
  d = 10;
  dme_step(10, 1, &d, &speed, &minutes);  // held: not closing
  EXPECT_EQ(speed, 0);
  EXPECT_EQ(minutes, 999);
  dme_step(10, 0, &d, &speed, &minutes);  // no time passed
  EXPECT_EQ(minutes, 999);
  d = 10;
  dme_step(9.9f, 1, &d, &speed, &minutes);  // 0.04 nm in a second: 144 knots, 4.1 minutes
  EXPECT_NEAR(speed, 144, 0.1);
  EXPECT_NEAR(minutes, 9.96 / 144 * 60, 0.01);
  // GPS: standing still there is no time to the waypoint.
  EXPECT_EQ(gps_minutes(20000, 0), 999);
  EXPECT_NEAR(gps_minutes(20000, 50), 6.67, 0.01);
}

TEST_F(Radios, DmeReadOutDotsBeyondFiftyMiles) {
  nav.goodnav[0] = 1;
  nav.dmesel = 0;
  nav.dme_nm[0] = 12.3f;
  nav.dme_kts[0] = 120;
  nav.dme_min[0] = 6;
  show();
  int o = ins.osrad;
  EXPECT_GT(row(304, o + 501, o + 520, 12), 0);  // digits' top segments
  nav.dme_nm[0] = 60;
  updatepanel();
  EXPECT_EQ(row(304, o + 501, o + 590, 12), 0);
  EXPECT_GT(row(310, o + 501, o + 515, 12), 0);  // "..."
  nav.dme_nm[0] = 12.3f;
  nav.dme_kts[0] = 0;
  nav.dme_min[0] = 999;  // not closing: ".." in the minutes
  updatepanel();
  EXPECT_EQ(row(304, o + 567, o + 580, 12), 0);
  EXPECT_GT(row(310, o + 567, o + 580, 12), 0);
}

TEST_F(Radios, AdfKeepsItsLastStation) {
  int ndb = station(NAV_NDB, 3, 4, 333, 0, 0, "TN");
  aircraft_at(0, 0);
  nav.adf1 = 3, nav.adf2 = 3, nav.adf3 = 3;
  setnav(4);
  ASSERT_EQ(nav.goodnav[4], 1);
  EXPECT_EQ(nav.station[4], ndb);
  EXPECT_NEAR(nav.adfx, ox + 3 * NM, 1);
  EXPECT_NEAR(nav.adfy, oy + 4 * NM, 1);
  nav.adf3 = 4;  // nothing on 334 kHz
  setnav(4);
  EXPECT_EQ(nav.goodnav[4], 0);
  EXPECT_NEAR(nav.adfx, ox + 3 * NM, 1);
  // The needle's redraw leaves the frequency's digits below the dial whole:
  // the 4's top-left and the 3's top segment.
  int x = ins.x_loc[INS_ADF], y = ins.y_loc[INS_ADF];
  ins.tickle_rad = 1;
  show();
  ins.adf_card = 90;
  updatepanel();
  EXPECT_GT(row(y + 46, x - 13, x + 10, 12), 5);
  ins.adf_card = 0;
}

TEST_F(Radios, GpsFindsTheNearestOfItsKindAndNeverIndexesNone) {
  pln.supptype = 4;  // the GPS in NAV 1's place
  int vor = station(NAV_VOR, 1, 1, 117, 33, 0, "GPV");
  aircraft_at(0, 0);
  nav.gps_index_mode = 3;
  nav.gps_index = nav.gps_vor_index = -1;  // nothing valid
  setnav(5);
  EXPECT_EQ(nav.gps_ok, 1);
  EXPECT_EQ(nav.gps_index, vor);
  EXPECT_EQ(nav.gps_vor_index, vor);
  // A course locked to it; 1 nm off the course line reads 4 quarter-miles.
  nav_deflections();
  // Over the earth, which the region's flat frame matches to within a percent.
  EXPECT_NEAR(nav.gps_dis, std::sqrt(2.0) * NM, 0.01 * std::sqrt(2.0) * NM);
  EXPECT_NEAR(nav.gps_crs, 45, 1);
  nav.gps_lock_crs = 0;
  nav_deflections();
  EXPECT_NEAR(nav.hdef[0], 45.0 * std::sqrt(2.0) / 57.3 * 4, 0.2);

  // No NDB anywhere in the tables: the GPS has no waypoint rather than entry -1.
  std::vector<int> types(nav_type, nav_type + NAV_MAX);
  for (int n = 0; n < NAV_MAX; n++)
    if (nav_type[n] == NAV_NDB) nav_type[n] = 0;
  nav.gps_index_mode = 2;
  nav.gps_index = -1;
  setnav(5);
  EXPECT_EQ(nav.gps_ok, 0);
  EXPECT_EQ(nav.gps_index, -1);
  nav_deflections();
  EXPECT_TRUE(std::isfinite(nav.hdef[0]));
  std::copy(types.begin(), types.end(), nav_type);
  nav.gps_index_mode = 1;
  nav.gps_index = 0;
}

TEST_F(Radios, MarkerBeaconsLightWhenOverhead) {
  station(NAV_MM, 0.05f, 0, 75, 0, 90, "ITST");
  aircraft_at(0, 0);
  msc.cntr10 = 9;
  radios_evt();
  EXPECT_EQ(nav.marker_over[0], 0);
  EXPECT_EQ(nav.marker_over[1], 1);
  EXPECT_EQ(nav.marker_over[2], 0);
  int o = ins.osrad;
  auto light = [&]() {
    std::vector<int> p;
    for (int y = 276; y < 286; y++)
      for (int x = o + 508; x < o + 518; x++) p.push_back(px(x, y));
    return p;
  };
  auto shown_at = [&](int tenth) {  // the lights change with the tenths counter
    msc.cntr10 = tenth;
    updatepanel();
    return light();
  };
  shown_at(1);
  std::vector<int> lit = shown_at(0), dark = shown_at(2);
  EXPECT_NE(lit, dark);  // the middle marker blinks
  if (msc.sound_avail) {  // its tones: a dot at tenth 0, a dash at tenth 4, nothing between
    sound_held sound;
    auto tone = [&](int tenth) {
      sound_held::hush();
      msc.cntr10 = tenth;
      radios_evt();
      return sound_held::heard();
    };
    EXPECT_EQ(tone(0), 1);
    EXPECT_EQ(tone(2), 0);
    EXPECT_EQ(tone(4), 2);
  }
  flt.onsurface = 1;  // on the ground the flags go
  msc.cntr10 = 9;
  radios_evt();
  EXPECT_EQ(nav.marker_over[1], 0);
  shown_at(1);
  std::vector<int> at0 = shown_at(0), at4 = shown_at(4);
  EXPECT_EQ(at0, dark);  // dark when it would be lit
  EXPECT_EQ(at4, dark);
}

// The glide-slope call: established on the approach, more than a degree low
// and under 1000 ft over the ground, at a field 1300 ft above the sea.
TEST_F(Radios, GlideSlopeCallBelowThePathNearTheGround) {
  if (!msc.sound_avail) GTEST_SKIP() << "no sound device";
  station(NAV_LOC, 1, 0, 111, 33, 90, "ITST", 400);
  station(NAV_GS, -1, 0, 111, 33, 90, "ITST", 400);
  env.localh = 400;
  int equipped = pln.bitchinbettyEQ, warn = msc.warn_bb;
  pln.bitchinbettyEQ = msc.warn_bb = 1;
  sound_held sound;
  flt.vu = -3;
  auto call = [&](float t, float z) {
    plat_clip_stop(SND_GLIDESLP);
    msc.elap_time = t;
    flt.z = flt.h = z;
    nav_deflections();
    return plat_clip_playing(SND_GLIDESLP);
  };
  aircraft_at(-5, 0, 400 + 4 * NM * 0.0524f, 90);  // on the path 4 nm out
  tune(111, 33);
  EXPECT_FALSE(call(600, 400 + 4 * NM * 0.0524f));  // established, on the path
  aircraft_at(-3, 0, 500, 90);  // 2 nm out, 330 ft over the ground: 1.5 degrees low
  EXPECT_TRUE(call(601, 500));
  EXPECT_LT(nav.vdef[0], -1);
  EXPECT_FALSE(call(602, 500));  // not again within 2 seconds
  EXPECT_TRUE(call(603.5f, 500));
  aircraft_at(-12, 0, 400, 90);  // far below the path, but 1100 ft over the ground
  EXPECT_FALSE(call(610, 400 + 1100 * 0.3048f));
  EXPECT_LT(nav.vdef[0], -1);
  pln.bitchinbettyEQ = equipped;
  msc.warn_bb = warn;
}

TEST_F(Radios, MorseLettersAndTheirTimes) {
  int kinds[MORSE_SLOTS] = {0};
  float times[MORSE_SLOTS] = {0};
  int count = 0;
  times[0] = 100;
  build_morse_id('A', kinds, times, &count);
  ASSERT_EQ(count, 3);
  EXPECT_EQ(kinds[0], MORSE_DOT);
  EXPECT_EQ(kinds[1], MORSE_DASH);
  EXPECT_EQ(kinds[2], MORSE_QUIET);
  EXPECT_FLOAT_EQ(times[0], 100);
  EXPECT_FLOAT_EQ(times[1], 100.3f);
  EXPECT_FLOAT_EQ(times[3], 101.8f);  // the next letter
  build_morse_id('5', kinds, times, &count);  // digits and others are silent
  build_morse_id(' ', kinds, times, &count);
  EXPECT_EQ(count, 3);
  build_morse_id('O', kinds, times, &count);
  EXPECT_EQ(count, 7);
  EXPECT_FLOAT_EQ(times[7], 101.8f + 1.5f + 1.0f);
  // Four long letters fit the schedule; more never writes past it.
  for (int k = 0; k < 10; k++) build_morse_id('Y', kinds, times, &count);
  EXPECT_EQ(count, MORSE_SLOTS - 1);
}

TEST_F(Radios, IdentifierPlaysItsDotsAndDashesInTime) {
  if (!msc.sound_avail) GTEST_SKIP() << "no sound device";
  station(NAV_VOR, 0, 10, 117, 33, 0, "A1N");
  aircraft_at(0, 0);
  tune(117, 33);
  sound_held sound;
  nav.radio_output = 0;
  msc.cntr = 100;
  auto at = [&](float t) {
    sound_held::hush();
    msc.elap_time = t;
    radios_step();
    return sound_held::heard();
  };
  float t0 = 500;
  EXPECT_EQ(at(t0), 1);          // A: dot
  EXPECT_EQ(at(t0 + 0.29f), 0);
  EXPECT_EQ(at(t0 + 0.3f), 2);   // dash
  EXPECT_EQ(at(t0 + 0.8f), 0);   // the quiet after the letter; the digit adds nothing
  EXPECT_EQ(at(t0 + 1.8f), 2);   // N: dash
  EXPECT_EQ(at(t0 + 2.3f), 1);   // dot
  EXPECT_EQ(at(t0 + 5), 0);
  EXPECT_EQ(at(t0 + 10), 1);     // ten seconds on it starts again
  nav.radio_output = 2;
}

// The shipped ILS of three airports, tuned from their ILS final: each
// localizer on the extended centre line beyond the far end, each glide slope
// beside the touchdown zone, heard from 5 nm out on the approach.
TEST_F(Radios, ShippedIlsStandOnTheirRunways) {
  struct ils_end {
    const char* airport;
    int rway_sel;  // 2 x runway slot, + 1 for its reverse end
  } ends[] = {{"KSBD", 0}, {"KONT", 1}, {"KLAX", 3}};  // runways 06, 26R, 25L
  for (const ils_end& e : ends) {
    SCOPED_TRACE(e.airport);
    int a = find_apt_by_id(e.airport), r = e.rway_sel / 2;
    ASSERT_GE(a, 0);
    float course = std::fmod(apt_hdng[a][r] + (e.rway_sel % 2 ? 180.0f : 0.0f), 360.0f);
    float s = std::sin(course / 57.29578f), c = std::cos(course / 57.29578f), half = 0.5f * apt_len[a][r];
    double cx = x_with_latlon(apt_lat[a][r], apt_lon[a][r]), cy = y_with_lat(apt_lat[a][r]);
    flt.x = cx - s * (half + 5 * NM);
    flt.y = cy - c * (half + 5 * NM);
    flt.z = flt.h = apt_z[a] + 600;
    flt.lat = (float)lat_with_y(flt.y);
    flt.lon = (float)lon_with_xy(flt.x, flt.y);
    flt.psi = course;
    ASSERT_EQ(tune_ils_for_runway(a, e.rway_sel), 1);
    ASSERT_EQ(nav.goodnav[1], 1);
    EXPECT_EQ(nav.ilsgs[1], 3);
    EXPECT_NEAR(nav.ilscrs[1], course, 1);
    EXPECT_EQ(nav.nf[0], nav.nf[1]);
    auto along = [&](float x, float y) { return (x - (float)cx) * s + (y - (float)cy) * c; };
    auto right = [&](float x, float y) { return (x - (float)cx) * c - (y - (float)cy) * s; };
    EXPECT_NEAR(along(nav.vorx[1], nav.vory[1]), half + 1000 * 0.3048f, 60);
    EXPECT_LT(std::fabs(right(nav.vorx[1], nav.vory[1])), 25);
    EXPECT_NEAR(along(nav.gsx[1], nav.gsy[1]), -half + 1000 * 0.3048f, 60);
    EXPECT_NEAR(right(nav.gsx[1], nav.gsy[1]), 400 * 0.3048f, 25);
    EXPECT_NEAR(nav.gsz[1], apt_z[a], 1);
    // On the centre line at 5 nm, a little under the path the start's height gives.
    EXPECT_LT(std::fabs(nav.hdef[1]), 0.3);
    EXPECT_EQ(nav.ntf[1], 1);
  }
}

}  // namespace
