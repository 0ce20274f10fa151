// The flight-plan window: one flight rule at a time, identifiers clicked or
// typed, closing files the plan and Escape leaves it as it was.
#include "basekit/platform/platform.h"
#include "sim/shell/event.h"
#include "tests/atc/atc_fixture.h"

namespace atc_test {

class PlanWindowTest : public AtcTest {
 protected:
  void SetUp() override {
    AtcTest::SetUp();
    over(ksbd, 0, 70);
    fpl.ifr = 1, fpl.vfr = fpl.dvfr = 0;
    std::snprintf(fpl.arr_id_str, sizeof fpl.arr_id_str, "%s", "KAAA");
    atc.menu_up = 1;
    atc.menu_level = ATC_MENU_MAIN;
    ASSERT_EQ(atc_row(0), 1);  // "File flight plan"
    ASSERT_EQ(mnw.up[WIN_FLIGHT_PLAN], 1);
  }
  static void click(int x, int y) {
    msc.mx = x;
    msc.my = y;
    msc.mousedown = 1;
    handlewindowclick(WIN_FLIGHT_PLAN);
    msc.mousedown = 0;
  }
  static void type(const char* text) {
    for (const char* c = text; *c; c++) window_key(WIN_FLIGHT_PLAN, *c >= 'A' && *c <= 'Z' ? *c + 32 : *c, *c);
  }
  static std::string rules() {
    return std::to_string(fpl.ifr) + std::to_string(fpl.vfr) + std::to_string(fpl.dvfr);
  }
};

TEST_F(PlanWindowTest, TickingOneRuleClearsTheOthers) {
  click(33, 81);  // VFR
  EXPECT_EQ(rules(), "010");
  click(33, 107);  // DVFR
  EXPECT_EQ(rules(), "001");
  click(33, 107);  // ticking it again leaves one rule set
  EXPECT_EQ(rules(), "001");
  click(33, 55);
  EXPECT_EQ(rules(), "100");
}

TEST_F(PlanWindowTest, TypedIdentifiersAreFiledOnClosing) {
  EXPECT_STREQ(fpl.dep_id_str, "KSBD");  // the airport the aircraft is at
  type("kriv");
  EXPECT_STREQ(fpl.arr_id_str, "KRIV");
  window_key(WIN_FLIGHT_PLAN, KEY_TAB, 0);
  type("KTRX");
  window_key(WIN_FLIGHT_PLAN, KEY_BACKSPACE, 0);
  type("M");
  EXPECT_STREQ(fpl.dep_id_str, "KTRM");
  click(276, 50);  // the upper half of the departure's second letter steps it back
  EXPECT_STREQ(fpl.dep_id_str, "KSRM");
  window_key(WIN_FLIGHT_PLAN, KEY_RETURN, 0);
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], 0);
  EXPECT_EQ(fpl.onfile, 1);
  EXPECT_EQ(atc.plan_index, kriv);
  EXPECT_TRUE(heard().empty());
}

TEST_F(PlanWindowTest, EscapeLeavesThePlanAsItWas) {
  type("KONT");
  click(33, 81);
  window_key(WIN_FLIGHT_PLAN, KEY_ESCAPE, 0);
  EXPECT_EQ(mnw.up[WIN_FLIGHT_PLAN], 0);
  EXPECT_STREQ(fpl.arr_id_str, "KAAA");
  EXPECT_EQ(rules(), "100");
  EXPECT_EQ(fpl.onfile, 0);
  EXPECT_TRUE(heard().empty());
}

TEST_F(PlanWindowTest, UnknownArrivalAndAmendments) {
  MACIBM_killwind(WIN_FLIGHT_PLAN);  // KAAA is nowhere
  EXPECT_EQ(fpl.onfile, 0);
  EXPECT_EQ(last(), "I am unable to find an airport with that identifier. You will need to file to an airport that I have "
                    "in my computer.");
  fpl.onfile = fpl.activated = 1;
  atc_row(1);  // "Amend flight plan"
  type("KRIV");
  MACIBM_killwind(WIN_FLIGHT_PLAN);
  EXPECT_EQ(last(), "flight plan amended as requested.");
  EXPECT_EQ(atc.plan_index, kriv);
}

}  // namespace atc_test
