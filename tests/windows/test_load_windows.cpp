// Fuel and weights: the total from its parts, loads as fractions of their
// capacities, the endurance of an aircraft without engines, and the warning
// above the maximum weight.
#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include "basekit/bk_const.h"
#include "sim/windows/windows.h"
#include "tests/windows/windows_fixture.h"

using namespace windows_test;

namespace {

class LoadWindows : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    pln.m_empty = 600;
    pln.m_max = 1100;
    pln.m_fuel = 200;
    pln.m_jettison = 100;
    flt.m_fuel = 100;
    flt.m_jettison = 0;
    flt.m_fixed = 200;
  }
};

TEST_F(LoadWindows, TheTotalIsEmptyPlusPayloadFuelAndJettison) {
  handlemenu(414);
  // Jettisonable load: units digit of the fraction (1.00 = full) up, once.
  click_in(17, 170 + 5, 98 + 5);
  EXPECT_FLOAT_EQ(flt.m_jettison, 100);
  EXPECT_FLOAT_EQ(flt.m_total, 600 + 200 + 100 + 100);
  // Fuel: tenths down twice, 0.50 -> 0.30.
  click_in(17, 170 + 15 + 2, 54 + 30);
  click_in(17, 170 + 15 + 2, 54 + 30);
  EXPECT_NEAR(flt.m_fuel, 60, 1e-3);
  EXPECT_NEAR(flt.m_total, 600 + 200 + 60 + 100, 1e-3);
  // Payload in pounds: the hundreds digit of six up adds 100 lb.
  click_in(17, 170 + 35, 10 + 5);
  EXPECT_NEAR(flt.m_fixed, 200 + 100 * con.lbstokgs, 0.5f);
  EXPECT_NEAR(flt.m_total, pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison, 1e-3);
}

TEST_F(LoadWindows, ACapacityOfAHundredthOfAKiloOrLessShowsZero) {
  EXPECT_FLOAT_EQ(load_fraction(0.005f, 0.01f), 0);
  EXPECT_FLOAT_EQ(load_fraction(5, 0), 0);
  EXPECT_FLOAT_EQ(load_fraction(50, 200), 0.25f);
  EXPECT_FLOAT_EQ(load_fraction(NAN, 200), 0);
  pln.m_jettison = 0.01f;
  flt.m_jettison = 0;
  handlemenu(414);
  click_in(17, 170 + 5, 98 + 5);
  EXPECT_FLOAT_EQ(flt.m_jettison, 0) << "nothing to load";
}

TEST_F(LoadWindows, AGliderHasNoEnduranceAndAnEngineHasSome) {
  pln.entype = 0;
  pln.numen = 0;
  EXPECT_FLOAT_EQ(fuel_endurance_hours(), -1);
  pln.entype = 1;
  pln.numen = 0;
  EXPECT_FLOAT_EQ(fuel_endurance_hours(), -1) << "no engine counted: no division by zero";
  pln.entype = 1;
  pln.numen = 2;
  pln.pmax = 150000;
  float one = fuel_endurance_hours();
  EXPECT_TRUE(std::isfinite(one));
  EXPECT_GT(one, 0);
  pln.numen = 1;
  EXPECT_NEAR(fuel_endurance_hours(), 2 * one, 1e-3f * one) << "half the engines, twice as long";
}

TEST_F(LoadWindows, ClosingAboveTheMaximumWarns) {
  flt.m_fuel = 200;
  flt.m_fixed = 300;  // 1100 in all: exactly at the maximum
  handlemenu(413);
  desk_alert_record_clear();
  MACIBM_killwind(16);
  EXPECT_EQ(desk_alert_count(), 0);
  flt.m_fuel = 150;
  flt.m_fixed = 350;
  handlemenu(413);
  click_in(16, 150 + 5, 8 + 5);  // full tanks: 1150
  desk_alert_record_clear();
  MACIBM_killwind(16);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_NE(std::string(desk_alert_text(0)).find("above the maximum allowable weight"), std::string::npos);
}

}  // namespace
