// The time and weather windows: the clouds' linked heights, precipitation and
// cloud type, values that reopen as they were set, wind layers by their
// buttons, and the thermal map redrawn only when the weather was changed.
#include <gtest/gtest.h>
#include <cmath>
#include "basekit/bk_const.h"
#include "sim/flight/do_wx.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"
#include "sim/world/apt.h"
#include "tests/windows/windows_fixture.h"

using namespace windows_test;

namespace {

class WeatherWindows : public WindowTest {
 protected:
  float field = 0;
  void SetUp() override {
    WindowTest::SetUp();
    msc.loc_index = shell_test::airport_index("KSBD");
    field = apt_z[msc.loc_index] / 0.3048f;
    atm.cld_type = 1;
  }
  static float ft(float m) { return m / 0.3048f; }
};

TEST_F(WeatherWindows, CloudHeightsStayLinkedThroughTheField) {
  wx_set_tops_ft(field + 9000);
  wx_set_base_ft(field + 3000);
  EXPECT_NEAR(ft(atm.topsMSL), field + 9000, 0.5f);
  // Raising the base to within 2000 ft of the tops pushes the tops up.
  wx_set_base_ft(field + 8000);
  EXPECT_NEAR(ft(atm.baseMSL), field + 8000, 0.5f);
  EXPECT_NEAR(ft(atm.topsMSL), field + 10000, 0.5f);
  // Lowering the tops pushes the base down.
  wx_set_tops_ft(field + 5000);
  EXPECT_NEAR(ft(atm.baseMSL), field + 3000, 0.5f);
  // Tops never below field + 2000, base never below field + 50.
  wx_set_tops_ft(0);
  EXPECT_GE(ft(atm.topsMSL), field + 2000 - 0.5f);
  EXPECT_NEAR(ft(atm.baseMSL), field + 50, 0.5f) << "pushed down to its own floor";
  EXPECT_GE(atm.topsMSL - atm.baseMSL, 2000 * 0.3048f - 0.01f) << "and still 2000 ft below the tops";
  wx_set_base_ft(0);
  EXPECT_NEAR(ft(atm.baseMSL), field + 50, 0.5f);
  EXPECT_NEAR(ft(atm.baseAGL), 50, 0.5f);
  // Above the field, and kept within 50 .. 97999 - field.
  wx_set_base_agl_ft(1500);
  EXPECT_NEAR(ft(atm.baseMSL), field + 1500, 0.5f);
  wx_set_base_agl_ft(99999);
  EXPECT_NEAR(ft(atm.baseMSL), 97999, 0.5f);
  EXPECT_NEAR(ft(atm.topsMSL), 99999, 0.5f);
}

TEST_F(WeatherWindows, ClearSkiesStopThePrecipitationAndRainMakesOvercast) {
  wx_set_precipitation(5);
  EXPECT_EQ(atm.cld_type, 1);
  atm.strike_lighting = atm.strike_up = 1;
  wx_set_cloud_type(0);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 1.0f);
  EXPECT_EQ(atm.strike_lighting + atm.strike_up, 0) << "no lightning without a storm";
  wx_set_precipitation(2);
  EXPECT_EQ(atm.cld_type, 1) << "precipitation above 1 forces overcast";
}

TEST_F(WeatherWindows, TheWindowsButtonsMoveTheLinkedHeights) {
  wx_set_tops_ft(6000);
  wx_set_base_ft(4000);
  handlemenu(406);
  ASSERT_EQ(mnw.up[11], 1);
  // The base's thousands digit (second column), upper half: +1000, twice.
  click_in(11, 145, 100);
  click_in(11, 145, 100);
  EXPECT_NEAR(ft(atm.baseMSL), 6000, 0.5f);
  EXPECT_NEAR(ft(atm.topsMSL), 8000, 0.5f) << "the tops went up with the base";
  // The precipitation cycler's lower button: none -> light -> overcast forced.
  atm.cld_type = 0;
  atm.rain_tstm = 1;
  click_in(11, 130 + 145, 268 + 6);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 2.0f);
  EXPECT_EQ(atm.cld_type, 1);
  // The cloud type's upper button: overcast -> clear sets the lowest precipitation.
  click_in(11, 130 + 145, 38 - 8);
  EXPECT_EQ(atm.cld_type, 0);
  EXPECT_FLOAT_EQ(atm.rain_tstm, 1.0f);
}

TEST_F(WeatherWindows, ValuesReopenAsTheyWereSet) {
  // Every visibility the field can show comes back the same from metres.
  for (int tenths = 1; tenths <= 200; tenths++) {
    float nm = tenths / 10.0f;
    EXPECT_FLOAT_EQ(wk_shown(nm * con.nmtomtrs, con.nmtomtrs, 1), nm) << nm;
  }
  // Through the window: the visibility set by its tens digit reads 10.0 again.
  atm.vis = 9 * con.nmtomtrs;
  handlemenu(406);
  click_in(11, 145, 212);  // the units digit, upper half: +1.0
  EXPECT_NEAR(atm.vis / con.nmtomtrs, 10.0f, 1e-4f);
  EXPECT_FLOAT_EQ(wk_shown(atm.vis, con.nmtomtrs, 1), 10.0f);
  // Wave height in feet: 3 ft kept in metres reads 3 again.
  atm.wave_amp = 3 * con.fttomtrs;
  EXPECT_FLOAT_EQ(wk_shown(atm.wave_amp, con.fttomtrs, 0), 3.0f);
}

TEST_F(WeatherWindows, WindLayerButtonsStepAndTheLimitsHold) {
  for (int i = 0; i < 9; i++) atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0;
  handlemenu(406);
  int y = 40 + 40 * 2;  // the third layer
  click_in(11, 318 + 86 + 5, y + 5);   // direction hundreds: +100
  click_in(11, 318 + 86 + 15, y + 5);  // direction tens: +10
  click_in(11, 318 + 86 + 25, y + 5);  // the units column takes no clicks
  EXPECT_FLOAT_EQ(atm.wnddir[2], 110);
  click_in(11, 318 + 86 + 5, y + 30);  // -100
  click_in(11, 318 + 86 + 5, y + 30);  // -100 wraps round the compass
  EXPECT_FLOAT_EQ(atm.wnddir[2], 270);
  click_in(11, 318 + 130 + 5, y + 5);  // speed tens: +10 kt
  EXPECT_NEAR(atm.wndspd[2] / con.ktstomsc, 10, 1e-3);
  for (int k = 0; k < 12; k++) click_in(11, 318 + 254 + 5, y + 5);  // turbulence +1, twelve times
  EXPECT_FLOAT_EQ(atm.tbl[2], 9) << "the limit of the layers' turbulence";
  EXPECT_FLOAT_EQ(atm.wnddir[1], 0) << "the next layer is untouched";
}

TEST_F(WeatherWindows, TimeOfDayIsARadioChoice) {
  scn.time = 1;
  handlemenu(403);
  click_in(9, 20, 18 + 26 * 3 + 4);
  EXPECT_EQ(scn.time, 4);
  click_in(9, 20, 18 + 26 * 1 + 4);
  EXPECT_EQ(scn.time, 2);
  EXPECT_TRUE(window_edited(9));
}

TEST_F(WeatherWindows, TheThermalMapIsDrawnAnewOnlyAfterAChange) {
  atm.thermal_part = 0.5f;
  for (int i = 0; i < 178; i++)
    for (int j = 0; j < 159; j++) atm.therm_on_poly[i][j] = 7;
  handlemenu(406);
  MACIBM_killwind(11);
  EXPECT_EQ(atm.therm_on_poly[40][40], 7) << "closed untouched";
  atm.vis = 5 * con.nmtomtrs;
  handlemenu(406);
  click_in(11, 145, 212);
  MACIBM_killwind(11);
  int thermals = 0;
  for (int i = 0; i < 178; i++)
    for (int j = 0; j < 159; j++) thermals += atm.therm_on_poly[i][j] == 1;
  EXPECT_GT(thermals, 178 * 159 / 4);
  EXPECT_LT(thermals, 178 * 159 * 3 / 4);
}

}  // namespace
