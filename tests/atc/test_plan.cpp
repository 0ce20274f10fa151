// The filed flight plan's phases, from the clearance to the ramp.
#include <regex>
#include "tests/atc/atc_fixture.h"

namespace atc_test {

// The frequency a transmission names after `words` ("1 2 1 point 3 0" is
// 121.30), as MHz * 100 + hundredths; -1 when it names none.
static int named_frequency(const std::string& text, const std::string& words) {
  std::smatch m;
  std::regex f(words + "(\\d) (\\d) (\\d) point (\\d) (\\d)");
  if (!std::regex_search(text, m, f)) return -1;
  int v = 0;
  for (int k = 1; k <= 5; k++) v = 10 * v + std::stoi(m[k]);
  return v;
}
static int com1() { return 100 * nav.cf[0] + nav.cf100[0]; }

class PlanTest : public AtcTest {
 protected:
  void file(const char* dep, int dest, int ifr) {
    std::snprintf(fpl.dep_id_str, sizeof fpl.dep_id_str, "%s", dep);
    std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%s", apt_id[dest]);
    fpl.ifr = ifr, fpl.vfr = !ifr, fpl.dvfr = 0;
    fpl.cruise_alt = 5000;
    atc.plan_index = dest;
    fpl.onfile = 1;
    pick_up_plan();
  }
  // The once-a-second step for a while; what was said.
  std::vector<std::string> seconds(int n) {
    size_t before = said().size();
    for (int k = 0; k < n; k++) {
      msc.elap_time += 1;
      handle_plan(0);
    }
    std::vector<std::string> s = said();
    return std::vector<std::string>(s.begin() + (long)before, s.end());
  }
};

TEST_F(PlanTest, InitialAltitudeRule) {
  EXPECT_EQ(initial_altitude(1159, 5000), 3000);
  EXPECT_EQ(initial_altitude(1159, 3000), 2500);  // at most 500 ft below the cruise
  EXPECT_EQ(initial_altitude(1159, 3900), 2500);  // which is taken down to 1000 ft first
  EXPECT_EQ(initial_altitude(5300, 12000), 7000);
  EXPECT_EQ(initial_altitude(-115, 5000), 1500);  // below the sea
}

TEST_F(PlanTest, ClearancesByPlaceAndRules) {
  std::string c = call();
  over(ksbd, 0, 70);
  file("KSBD", kriv, 1);
  handle_plan(0);
  EXPECT_TRUE(std::regex_match(last(), std::regex(c + "cleared as filed maintain at or below 3000 expect 5000 10 "
                                                      "minutes after departure. Departure will be on on 1 [0-9 ]+ "
                                                      "point [0-9] [05] squawk [0-7 ]{7} advise when ready to taxi.")))
      << last();
  EXPECT_EQ(atc.plan_phase, PLAN_DEPARTURE);
  EXPECT_EQ(atc.waiting_new_frq, 0);
  file("KSBD", kriv, 0);
  handle_plan(0);
  EXPECT_EQ(last().find(c + "you are cleared as filed maintain at or below 3000 initially, expect higher after that."),
            0u);
  // An untowered field: straight to centre, once airborne.
  over(ktrm, 0, 170);
  file("KTRM", kriv, 0);
  handle_plan(0);
  EXPECT_TRUE(std::regex_match(last(), std::regex(c + "cleared as filed. Contact center on 1 [0-9 ]+ point [0-9] [05] "
                                                      "when airborne. Squawk [0-7 ]{7}.")))
      << last();
  EXPECT_EQ(atc.plan_phase, PLAN_ENROUTE);
  EXPECT_EQ(atc.waiting_new_frq, 1);
  file("KTRM", kriv, 1);
  msc.zulu_time = 13 * 3600 + 55 * 60 + 20;
  handle_plan(0);
  EXPECT_NE(last().find("maintain at or below 1500 expect 5000 10 minutes after that."), std::string::npos);
  EXPECT_NE(last().find(" time now 1 3 5 5 Z, clearance void if not off by 1 4 0 5 Z."), std::string::npos) << last();
  over(ksbd, 1500, 70);
  file("KSBD", kriv, 1);
  handle_plan(0);
  EXPECT_EQ(last().find(c + "cleared as filed contact center 1 "), 0u);
  EXPECT_EQ(atc.plan_phase, PLAN_ENROUTE);
}

TEST_F(PlanTest, NothingUnpromptedWhileACheckInIsAwaited) {
  // Far from the destination, off the cruise altitude, fast: there would be much to say.
  at(apt_lat[kriv][0] + 1.5f, apt_lon[kriv][0], 3000, 0, 0);
  flt.vind = 260;
  file("KSBD", kriv, 1);
  atc.waiting_new_frq = 1;
  for (int phase : {PLAN_DEPARTURE, PLAN_RADAR, PLAN_ENROUTE, PLAN_APPROACH, PLAN_LANDING}) {
    atc.plan_phase = phase;
    EXPECT_TRUE(seconds(120).empty()) << "phase " << phase << ": " << last();
  }
  atc.plan_phase = PLAN_ENROUTE;
  check_in();
  EXPECT_EQ(last().find(std::string(call()) + "roger proceed on course to March Air Reserve Base altimeter 2 9 9 2."),
            0u);
  std::vector<std::string> next = seconds(50);
  ASSERT_FALSE(next.empty());
  EXPECT_EQ(next[0], std::string(call()) + "your flight plan calls for 5000 feet while enroute, sir. I will need you to "
                                           "climb and maintain that altitude. You may amend your plan if you want a "
                                           "different altitude.");
}

TEST_F(PlanTest, FromDepartureToTheRamp) {
  std::string c = call();
  over(ksbd, 0, 70);
  file("KSBD", kriv, 1);
  handle_plan(0);
  ASSERT_EQ(atc.plan_phase, PLAN_DEPARTURE);
  int departure = named_frequency(last(), "Departure will be on on ");
  ASSERT_GT(departure, 0) << last();
  float field = apt_z[ksbd] * con.mtrstoft;
  at(flt.lat, flt.lon, field + 600, field, 70);  // 183 m up: not yet
  EXPECT_TRUE(seconds(5).empty());
  at(flt.lat, flt.lon, field + 700, field, 70);
  EXPECT_EQ(seconds(1), std::vector<std::string>{c + "contact departure."});
  EXPECT_EQ(atc.waiting_new_frq, 1);
  // Checking in is done on the frequency given: COM 1 is set to it.
  check_in();
  EXPECT_EQ(com1(), departure);
  EXPECT_EQ(last(), c + "radar contact. Climb to 5000 approved, proceed on course to March Air Reserve Base.");
  std::vector<std::string> handoff = seconds(46);
  ASSERT_EQ(handoff.size(), 1u);
  EXPECT_EQ(handoff[0].find(c + "contact center 1 "), 0u);
  EXPECT_EQ(atc.plan_phase, PLAN_ENROUTE);
  check_in();
  EXPECT_EQ(com1(), named_frequency(handoff[0], "contact center "));
  // At the cruise altitude but fast below ten thousand feet.
  at(apt_lat[kriv][0] + 1.0f, apt_lon[kriv][0], 5000, 1000, 180);
  flt.vind = 260;
  EXPECT_EQ(seconds(46).at(0), c + "I will need you to stay below 2 5 0 knots while below ten thousand feet.");
  // 30 nm out at 5000 ft is inside the approach's reach (20 nm + 100 nm per 30000 ft).
  at(apt_lat[kriv][0] + 0.5f, apt_lon[kriv][0], 5000, 1000, 180);
  flt.vind = 100;
  std::string to_approach = seconds(31).at(0);
  EXPECT_EQ(to_approach.find(c + "contact March Air Reserve Base approach on 1 "), 0u);
  EXPECT_EQ(atc.plan_phase, PLAN_APPROACH);
  check_in();
  EXPECT_EQ(com1(), named_frequency(to_approach, "approach on "));
  EXPECT_NE(last().find("vectors KRIV ILS 32, if you would like another approach instead just tell me."),
            std::string::npos)
      << last();
  ASSERT_EQ(atc.ils_vec_in_progress, 1);
  int loc = navaid_named("KRIV ILS 32");
  on_approach(loc, 9, 0.3f, 3500, (float)nav_hdng[loc]);
  controller_respond(atc.ils_command);  // as the frame loop does once a second
  EXPECT_EQ(last(), c + "intercept localizer altimeter 2 9 9 2 cleared KRIV ILS 32 contact tower.");
  EXPECT_EQ(atc.plan_phase, PLAN_TOWER);
  int approach = com1();
  check_in();
  EXPECT_EQ(com1(), approach);  // "contact tower" named no frequency: COM 1 stays
  EXPECT_EQ(last(), c + "Wind calm, cleared to land runway 3 2,");
  EXPECT_EQ(atc.plan_phase, PLAN_LANDING);
  over(kriv, 0, 329);
  flt.v = 20;  // still rolling out
  EXPECT_TRUE(seconds(5).empty());
  flt.v = 5;
  std::vector<std::string> turnoff = seconds(1);
  ASSERT_EQ(turnoff.size(), 1u);
  EXPECT_TRUE(std::regex_match(turnoff[0], std::regex(c + "make next turn-off contact ground 1 2 1 point [0-9] 0 "
                                                          "when clear.")));
  check_in();
  EXPECT_EQ(com1(), named_frequency(turnoff[0], "contact ground "));
  EXPECT_EQ(last(), c + "taxi to the ramp.");
  EXPECT_EQ(fpl.onfile + fpl.activated + atc.plan_phase, 0);
}

TEST_F(PlanTest, ApproachWithoutALocalizer) {
  file("KSBD", ktrm, 1);
  atc.plan_phase = PLAN_APPROACH;
  check_in();
  EXPECT_EQ(last(), std::string(call()) + "cleared full approach of your choice.");
  EXPECT_EQ(fpl.onfile, 0);
  // A towered destination within 10 nm hands the pilot to its tower when not vectoring.
  file("KSBD", kriv, 1);
  atc.plan_phase = PLAN_APPROACH;
  over(kriv, 2000, 0);
  std::vector<std::string> s = seconds(1);
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].find(std::string(call()) + " contact March Air Reserve Base tower on 1 "), 0u);
  EXPECT_EQ(atc.plan_phase, PLAN_TOWER);
}

}  // namespace atc_test
