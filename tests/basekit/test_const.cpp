// Constants, unit conversions and the whole-degree tables.
#include <gtest/gtest.h>
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"

namespace {

class ConstTest : public ::testing::Test {
 protected:
  void SetUp() override { init_constants(); }
};

TEST_F(ConstTest, GravityComesFromTheEarthsParameterSoForcesFollowIt) {
  EXPECT_NEAR(con.g, 9.7983f, 5e-4f);
  // One pound of force is 4.4444 N with this gravity, not the standard 4.4482.
  EXPECT_NEAR(con.lbstontn, 4.4444f, 5e-4f);
  EXPECT_NEAR(con.ftlbtonm, 4.4444f * 0.3048f, 5e-4f);
  EXPECT_NEAR(con.enptomep, 47.84f, 0.01f);   // lb/ft2 to Pa
  EXPECT_NEAR(con.endtomed, 514.9f, 0.1f);    // slug/ft3 to kg/m3
}

TEST_F(ConstTest, ConversionsHaveTheirPublishedValuesAndTheirInverses) {
  EXPECT_NEAR(con.ktstomsc, 0.514444f, 1e-6f);
  EXPECT_NEAR(con.nmtomtrs, 1852.0f, 0.01f);
  EXPECT_NEAR(con.fpmtomsc, 0.00508f, 1e-7f);
  EXPECT_NEAR(con.sftosmtr, 0.09290304f, 1e-8f);
  EXPECT_NEAR(con.rpmtorsc, 0.1047198f, 1e-6f);
  EXPECT_NEAR(con.enItomtI, 0.0421401f, 1e-6f);  // lb ft2 to kg m2
  EXPECT_NEAR(con.radtodeg, 57.29578f, 1e-4f);
  EXPECT_FLOAT_EQ(con.pim2, 2.0f * con.pi);
  const float pairs[][2] = {
      {con.lbstokgs, con.kgstolbs}, {con.fttomtrs, con.mtrstoft}, {con.dgrtodgk, con.dgktodgr},
      {con.radtodeg, con.degtorad}, {con.ktstomsc, con.msctokts}, {con.rpmtorsc, con.rsctorpm},
      {con.fpmtomsc, con.msctofpm}, {con.nmtomtrs, con.mtrstonm}, {con.sftosmtr, con.smtrtosf},
      {con.lbstontn, con.ntntolbs}, {con.ftlbtonm, con.nmtoftlb}, {con.endtomed, con.medtoend},
      {con.enptomep, con.meptoenp}, {con.enItomtI, con.mtltoenl}, {con.nm_to_sm, con.sm_to_nm},
      {con.mtrtoplt, con.plttomtr}, {con.hptowatt, con.watttohp}};
  for (const auto& p : pairs) EXPECT_NEAR(p[0] * p[1], 1.0f, 1e-6f) << p[0];
}

// Quarter points exact, and any whole angle wraps onto the table.
TEST_F(ConstTest, WholeDegreeTablesCoverAFullTurnAndWrap) {
  for (int i = 0; i <= 360; i++) {
    EXPECT_NEAR(lookup_sin[i], std::sin(i * M_PI / 180.0), 1e-7) << i;
    EXPECT_NEAR(lookup_cos[i], std::cos(i * M_PI / 180.0), 1e-7) << i;
  }
  EXPECT_EQ(lookup_sin[180], 0.0f);
  EXPECT_EQ(lookup_cos[90], 0.0f);
  EXPECT_EQ(isin(-90), -1.0f);
  EXPECT_EQ(isin(450), 1.0f);
  EXPECT_EQ(icos(-180), -1.0f);
  EXPECT_FLOAT_EQ(icos(-1000000), icos(80));  // -1000000 = -2778 turns + 80
}

}  // namespace
