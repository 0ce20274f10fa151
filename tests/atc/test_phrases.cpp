// The controller's phrases: what a pilot reads back must be what was meant.
#include <regex>
#include "tests/atc/atc_fixture.h"

namespace atc_test {

static std::string heading(float h, int step) {
  char t[STR_DIM] = "";
  app_heading_string(t, h, step);
  return t;
}

TEST_F(AtcTest, HeadingsMoveToTheNextStepAbove) {
  EXPECT_EQ(heading(270, 10), "2 8 0");
  EXPECT_EQ(heading(355, 10), "3 6 0");
  EXPECT_EQ(heading(0, 10), "0 1 0");
  EXPECT_EQ(heading(87, 5), "0 9 0");
  EXPECT_EQ(heading(-10, 10), "3 6 0");  // wrapped first
  EXPECT_EQ(heading(365, 10), "0 1 0");
  EXPECT_EQ(heading(359.9f, 10), "3 6 0");
}

TEST_F(AtcTest, FrequenciesSquawksAndCallsigns) {
  char t[STR_DIM] = "";
  app_freq(t, 118, 25);
  EXPECT_STREQ(t, "1 1 8 point 2 5");
  t[0] = 0;
  app_freq(t, 121, 5);
  EXPECT_STREQ(t, "1 2 1 point 0 5");

  std::regex controller("1 ([1-3]) ([0-9]) point ([0-9]) ([05])"), ground("1 2 1 point [0-9] 0"),
      squawk("([0-7]) ([0-7]) ([0-7]) ([0-7])");
  int octal_seen[8] = {};
  for (int k = 0; k < 400; k++) {
    std::smatch m;
    std::string s;
    t[0] = 0;
    app_random_freq(t);
    ASSERT_TRUE(std::regex_match(s = t, m, controller)) << t;
    int mhz = 100 + 10 * std::stoi(m[1]) + std::stoi(m[2]);
    EXPECT_TRUE(mhz >= 118 && mhz <= 134) << t;
    int gm, gh;
    ground_freq(&gm, &gh);
    t[0] = 0;
    app_freq(t, gm, gh);
    EXPECT_TRUE(std::regex_match(std::string(t), ground)) << t;
    t[0] = 0;
    app_squawk(t);
    ASSERT_TRUE(std::regex_match(s = t, m, squawk)) << t;
    for (int d = 1; d <= 4; d++) octal_seen[std::stoi(m[d])] = 1;
  }
  for (int d = 0; d < 8; d++) EXPECT_TRUE(octal_seen[d]) << "digit " << d << " never squawked";

  t[0] = 0;
  start_command_string(t, 1);
  EXPECT_STREQ(t, call());
  // Typed in lower case it is the same callsign; a mark has no word.
  std::snprintf(pln.tailnum, sizeof pln.tailnum, "%s", "N1ab-");
  t[0] = 0;
  start_command_string(t, 1);
  EXPECT_STREQ(t, "november one alpha bravo  ");
  std::regex other("november( (zero|one|two|three|four|five|six|seven|eight|niner)){3}( [a-z]+| x ray){2} ");
  for (int k = 0; k < 50; k++) {
    t[0] = 0;
    start_command_string(t, 0);
    EXPECT_TRUE(std::regex_match(std::string(t), other)) << t;
  }
}

TEST_F(AtcTest, TurnsGoTheShorterWay) {
  auto turn = [](float now, float to) {
    flt.magpsi = now;
    char t[STR_DIM] = "";
    app_turn_string(t, to, 5);
    return std::string(t);
  };
  EXPECT_EQ(turn(90, 80), "turn left heading 0 8 5");
  EXPECT_EQ(turn(90, 100), "turn right heading 1 0 5");
  EXPECT_EQ(turn(90, 90), "turn left heading 0 9 5");  // less than a degree of right turn
  EXPECT_EQ(turn(90, 91), "turn right heading 0 9 5");
  EXPECT_EQ(turn(90, 269), "turn right heading 2 7 0");
  EXPECT_EQ(turn(90, 271), "turn left heading 2 7 5");
  EXPECT_EQ(turn(350, 10), "turn right heading 0 1 5");
  EXPECT_EQ(turn(10, 350), "turn left heading 3 5 5");
}

TEST_F(AtcTest, AltimeterSaysTheSettingItWasGiven) {
  auto altimeter = []() {
    char t[STR_DIM] = "";
    app_altimeter_string(t);
    return std::string(t);
  };
  atm.baro = 29.92f;
  EXPECT_EQ(altimeter(), "altimeter 2 9 9 2");
  // Every setting as the weather window stores it and as a weather report's
  // three digits are converted ("992" is 29.92): said as it was given.
  for (int h = 2800; h <= 3100; h++) {
    char want[STR_DIM], report[64];
    std::snprintf(want, sizeof want, "altimeter %d %d %d %d", h / 1000, h / 100 % 10, h / 10 % 10, h % 10);
    atm.baro = (float)h / 100.0f;
    ASSERT_EQ(altimeter(), want) << atm.baro;
    std::snprintf(report, sizeof report, "KSBD 1200 CLR 10 15/05/2710/%03d", h % 1000);
    float t = 0, base = 0, tops = 0, vis = 0, temp = 0, dewp = 0, dir = 0, spd = 0, gust = 0;
    int type = 0, obs_vis = 0, obs_den = 0;
    decode_wxr(report, 0, &t, &type, &base, &tops, &vis, &obs_vis, &obs_den, &temp, &dewp, &dir, &spd, &gust,
               &atm.baro);
    ASSERT_EQ(altimeter(), want) << report << " gave " << atm.baro;
  }
  atm.baro = 30.20f;
  flt.z = 18000 * con.fttomtrs;  // flight levels: standard setting
  EXPECT_EQ(altimeter(), "altimeter 2 9 9 2");
}

TEST_F(AtcTest, WindCalmLightShearAndGusts) {
  EXPECT_EQ(wind_of(ksbd), "Wind calm");
  wind(270, 3);
  EXPECT_EQ(wind_of(ksbd), "Wind light and variable");
  wind(270, 15);
  EXPECT_EQ(wind_of(ksbd), "Wind 2 8 0 at 1 5");
  wind(270, 15, 8);
  EXPECT_EQ(wind_of(ksbd), "Wind shear alert. Wind 2 8 0 at 1 5 gust 2 3");
  wind(270, 15, 4);  // gusts of 5 knots or less are not reported
  EXPECT_EQ(wind_of(ksbd), "Wind 2 8 0 at 1 5");
  wind(270, 15, 0, 30);
  EXPECT_EQ(wind_of(ksbd), "Wind shear alert. Wind 2 8 0 at 1 5 variable 2 5 0 to 3 1 0");
  wind(270, 15, 0, 10);  // a spread of 10 degrees is steady enough
  EXPECT_EQ(wind_of(ksbd), "Wind 2 8 0 at 1 5");
  // The layer at the field's elevation speaks, not the one at the aircraft.
  wind(270, 0);
  atm.wndspd[8] = 40 * con.ktstomsc;
  flt.z = 20000 * con.fttomtrs;
  EXPECT_EQ(wind_of(ksbd), "Wind calm");
}

// Runways: the longest by default, into a wind above 5 knots, or the one a
// localizer serves; the reciprocal end numbered + 18 with its side swapped.
TEST_F(AtcTest, ActiveRunwayAndItsReciprocal) {
  kept_airport keep(ktrm);  // Thermal has no localizer within 5 nm
  apt_num[ktrm][0] = 9, apt_lr[ktrm][0] = 'L', apt_hdng[ktrm][0] = 90, apt_len[ktrm][0] = 2000;
  apt_num[ktrm][1] = 9, apt_lr[ktrm][1] = 'R', apt_hdng[ktrm][1] = 90, apt_len[ktrm][1] = 1500;
  apt_num[ktrm][2] = 0, apt_len[ktrm][2] = 0;
  EXPECT_EQ(runway_of(ktrm), "runway 9 left");
  wind(270, 15);
  EXPECT_EQ(runway_of(ktrm), "runway 2 7 right");
  apt_lr[ktrm][0] = 'R';
  EXPECT_EQ(runway_of(ktrm), "runway 2 7 left");
  wind(270, 4);  // too light to choose: the longest, its own end
  EXPECT_EQ(runway_of(ktrm), "runway 9 right");
  apt_num[ktrm][0] = 36, apt_lr[ktrm][0] = 'x', apt_hdng[ktrm][0] = 0;
  wind(180, 20);
  EXPECT_EQ(runway_of(ktrm), "runway 1 8");
  // San Bernardino's localizer serves runway 6 even with the wind favouring 24.
  wind(250, 20);
  int r, e, found, loc;
  get_active_rway(ksbd, &r, &e, &found, &loc);
  EXPECT_TRUE(found);
  EXPECT_EQ(loc, navaid_named("KSBD ILS 06"));
  EXPECT_EQ(runway_of(ksbd), "runway 6");
}

}  // namespace atc_test
