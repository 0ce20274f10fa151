// Requests by their words, the ATIS, and transmissions that must stay inside
// their buffers.
#include "tests/atc/atc_fixture.h"

namespace atc_test {

TEST_F(AtcTest, GoldenLandingClearance) {
  kept_airport keep(ktrm);  // calm, longest runway 27, no localizer near
  apt_num[ktrm][0] = 17, apt_hdng[ktrm][0] = 180, apt_len[ktrm][0] = 2500;
  apt_num[ktrm][1] = 27, apt_lr[ktrm][1] = 'x', apt_hdng[ktrm][1] = 270, apt_len[ktrm][1] = 3000;
  over(ktrm, 2000, 0);
  controller_respond("request landing Jacqueline Cochran Regional Airport");
  ASSERT_EQ(said().size(), 1u);
  EXPECT_EQ(last(), "november one two alpha bravo Wind calm, cleared to land runway 2 7 Jacqueline Cochran Regional "
                    "Airport.");
  EXPECT_EQ(std::string(atc.response), last());  // kept for "say again"
}

TEST_F(AtcTest, RequestsByTheirWords) {
  controller_respond("request taxi San Bernardino International Airport.");
  EXPECT_EQ(last(), std::string(call()) + "taxi runway 6.");
  controller_respond("request takeoff San Bernardino International Airport.");
  EXPECT_EQ(last(), std::string(call()) + "fly runway heading cleared for take off runway 6.");
  // Ten and a half miles north of the field, heading north: it lies behind.
  env.mvar = 12;
  at(apt_lat[ksbd][0] + 10.5f / 60, apt_lon[ksbd][0], 5000, 1000, 0);
  controller_respond("request vectors San Bernardino International Airport");
  EXPECT_EQ(last(), std::string(call()) + "turn right heading 1 9 5 vectors San Bernardino International Airport.. "
                                          "They are about 10 miles from your current position.");
  size_t before = said().size();
  controller_respond("request landing Atlantis.");  // not in the region: nobody answers
  controller_respond("request I L S KXYZ ILS 99");
  EXPECT_EQ(said().size(), before);
  for (const char* garbled : {"hello", "request pizza", "", "requests"}) {
    controller_respond(garbled);
    EXPECT_EQ(last(), std::string(call()) + "say again please") << garbled;
  }
}

TEST_F(AtcTest, EmergencyVectorsToTheNearestField) {
  fpl.onfile = fpl.activated = 1;
  atc.plan_phase = PLAN_ENROUTE;
  // 2.5 nm east and 0.5 nm south of Thermal, heading east: it lies behind, on the right.
  at(apt_lat[ktrm][0] - 0.5f / 60, apt_lon[ktrm][0] + 2.5f / 60 / std::cos(apt_lat[ktrm][0] * con.degtorad), 3000, 0,
     90);
  controller_respond("declaring an emergency");
  EXPECT_EQ(last(), std::string(call()) + "squawk 7 7 0 0 turn left heading 2 8 5 vectors Jacqueline Cochran Regional "
                                          "Airport, they are about 2 miles from your current position.");
  EXPECT_EQ(fpl.activated, 0);
  EXPECT_EQ(atc.plan_phase, PLAN_CLEARANCE);
}

// Vectors to a field, asked for or in an emergency, stand: the vectors to a
// localizer that were under way would turn the pilot back, so they end.
TEST_F(AtcTest, VectorsToAFieldEndVectorsToALocalizer) {
  for (const char* ask : {"declaring an emergency", "request vectors San Bernardino International Airport"}) {
    at(apt_lat[ksbd][0] + 10.5f / 60, apt_lon[ksbd][0], 5000, 1000, 0);
    controller_respond("request I L S KRIV ILS 32");
    ASSERT_EQ(atc.ils_vec_in_progress, 1);
    controller_respond(ask);
    EXPECT_EQ(atc.ils_vec_in_progress, 0) << ask;
    size_t at = last().find(" heading ");
    ASSERT_NE(at, std::string::npos) << last();
    int said = 100 * (last()[at + 9] - '0') + 10 * (last()[at + 11] - '0') + (last()[at + 13] - '0');
    float h, alt;
    EXPECT_TRUE(assigned_vector(&h, &alt));
    EXPECT_EQ((int)h, said % 360) << last();  // the heading said is the one to fly
  }
  EXPECT_NE(last().find("turn right heading 1 8 5 vectors San Bernardino"), std::string::npos) << last();
}

static std::string atis_of(int a) {
  heard().clear();
  give_ATIS(a);
  return heard().empty() ? "" : heard().back().text;
}

TEST_F(AtcTest, AtisVisibilityCeilingAndPrecipitation) {
  atm.cld_type = 0;
  atm.rain_tstm = 1;
  atm.temp_SL = 59;
  atm.dewp_SL = 48;
  atm.vis = 10 * con.nmtomtrs;
  std::string a = atis_of(ksbd);
  EXPECT_NE(a.find(". Sky clear visibility 1 0. Temperature 5 9 dewpoint 4 8. Wind calm, altimeter 2 9 9 2. "
                   "Arriving and departing runway 6."),
            std::string::npos)
      << a;
  // The information letter opens and closes the broadcast.
  size_t info = a.find(" information ") + 13;
  std::string closing = "you have " + a.substr(info, a.find('.', info) - info) + ".";
  EXPECT_EQ(a.substr(a.size() - closing.size()), closing);
  EXPECT_EQ(a.find("San Bernardino International Airport information "), 0u);

  float field = apt_z[ksbd];
  struct {
    float vis_nm, base_agl_ft;
    const char* want;
  } cases[] = {{7.5f, 740, "Measured ceiling 700 overcast visibility 7"},
               {1.0f, 2870, "Measured ceiling 2800 overcast R V R 6000"},
               {0.25f, 12345, "Measured ceiling 12000 overcast R V R 1500"},
               {20, 1000, "Measured ceiling 1000 overcast visibility 2 0"}};
  atm.cld_type = 1;
  for (const auto& c : cases) {
    atm.vis = c.vis_nm * con.nmtomtrs;
    atm.baseMSL = field + c.base_agl_ft * con.fttomtrs;
    EXPECT_NE(atis_of(ksbd).find(c.want), std::string::npos) << c.want << "\n" << atis_of(ksbd);
  }
  // Whole miles, and tenths as the weather window keeps them: never a mile short.
  atm.cld_type = 0;
  for (int tenths = 11; tenths <= 200; tenths++) {
    atm.vis = (float)tenths / 10.0f * con.nmtomtrs;
    std::string want = "visibility " + std::to_string(tenths / 100) + " " + std::to_string(tenths / 10 % 10) + ".";
    if (tenths < 100) want = "visibility " + std::to_string(tenths / 10) + ".";
    ASSERT_NE(atis_of(ksbd).find(want), std::string::npos) << tenths << ": " << atis_of(ksbd);
    // A hair short after the units went round (the frame-rate governor's 0.95 and back).
    atm.vis = std::nextafter(atm.vis, 0.0f);
    ASSERT_NE(atis_of(ksbd).find(want), std::string::npos) << tenths << " less a hair: " << atis_of(ksbd);
  }
  atm.rain_tstm = 3;
  atm.temp_SL = 70;
  EXPECT_NE(atis_of(ksbd).find("2 0, rain. Temperature 7 0"), std::string::npos);
  atm.temp_SL = 30;
  EXPECT_NE(atis_of(ksbd).find("2 0, snow. Temperature 3 0"), std::string::npos);
}

// A tail number as long as its field makes a callsign ten times longer:
// every transmission and every row of the menu is cut, none overflows.
TEST_F(AtcTest, LongTailNumbersAreCut) {
  std::memset(pln.tailnum, 'N', sizeof pln.tailnum - 1);
  pln.tailnum[sizeof pln.tailnum - 1] = 0;
  controller_respond("request landing San Bernardino International Airport");
  ASSERT_EQ(said().size(), 1u);
  EXPECT_EQ(last().size(), (size_t)STR_DIM - 1);
  EXPECT_EQ(last().compare(0, 18, "november november "), 0);
  fpl.onfile = 1;
  atc.waiting_new_frq = 1;
  for (int phase : {PLAN_RADAR, PLAN_ENROUTE, PLAN_APPROACH, PLAN_TOWER, PLAN_GROUND}) {
    char text[STR_DIM];
    atc.plan_phase = phase;
    checkin_text(text);
    EXPECT_LT(std::strlen(text), (size_t)STR_DIM);
  }
  EXPECT_EQ(atc_row(ATC_ROW_PICK_UP), 1);  // the pilot's own words, cut as well
  EXPECT_EQ(heard().back().pilot, 1);
  EXPECT_EQ(heard().back().text.size(), (size_t)STR_DIM - 1);
}

}  // namespace atc_test
