// The location windows: typing or clicking an identifier, finding a name, the
// world map's reference points, latitude and longitude, where am I, and
// close actions that act only for what the user chose.
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <string>
#include "basekit/bk_funct.h"
#include "basekit/platform/platform.h"
#include "sim/windows/windows.h"
#include "sim/world/apt.h"
#include "tests/windows/windows_fixture.h"

using namespace windows_test;
using shell_test::airport_index;

namespace {

class LocationWindows : public WindowTest {};

TEST_F(LocationWindows, TypingAnIdentifierAndClosingGoesThere) {
  gotofield("KSBD", 0);
  desk_alert_record_clear();
  handlemenu(309);
  type_into(1, "klax");
  EXPECT_STREQ(msc.apt_id_req, "KLAX") << "typed in lower case, kept in capitals";
  type_into(1, "Q");
  EXPECT_STREQ(msc.apt_id_req, "KLAX") << "four characters at most";
  MACIBM_killwind(1);
  EXPECT_EQ(desk_alert_count(), 0) << alerts();
  EXPECT_EQ(msc.loc_index, airport_index("KLAX"));
  EXPECT_EQ(apt_inreg[msc.loc_index], 1);
}

TEST_F(LocationWindows, ClosingUntouchedOrEscapingGoesNowhere) {
  gotofield("KSBD", 0);
  int ksbd = msc.loc_index;
  C_to_C("KAAA", msc.apt_id_req);
  desk_alert_record_clear();
  handlemenu(309);
  MACIBM_killwind(1);
  EXPECT_EQ(desk_alert_count(), 0) << "no 'not found' for an identifier nobody typed";
  EXPECT_EQ(msc.loc_index, ksbd);
  handlemenu(309);
  type_into(1, "KTRM");
  window_key(1, KEY_ESCAPE, 27);
  EXPECT_EQ(mnw.up[1], 0);
  EXPECT_EQ(msc.loc_index, ksbd);
  EXPECT_STREQ(msc.apt_id_req, "KAAA") << "Escape puts the identifier back";
  // A typed identifier that is not in the database is said to be so.
  handlemenu(309);
  type_into(1, "0XYZ");
  window_key(1, KEY_RETURN, 13);
  EXPECT_EQ(mnw.up[1], 0);
  ASSERT_EQ(desk_alert_count(), 1);
  EXPECT_NE(std::string(desk_alert_text(0)).find("could not find an airport"), std::string::npos);
  EXPECT_EQ(msc.loc_index, ksbd);
}

TEST_F(LocationWindows, ClickingTheColumnsSpellsTheIdentifier) {
  C_to_C("KAAA", msc.apt_id_req);
  handlemenu(309);
  // Column 2 (x 110..127), row of "T" (code 30): y = 16 + 11 * 30.
  click_in(1, 115, 16 + 11 * 30 + 3);
  EXPECT_STREQ(msc.apt_id_req, "KTAA");
  click_in(1, 131, 16 + 11 * 28 + 3);  // "R"
  click_in(1, 150, 16 + 11 * 23 + 3);  // "M"
  EXPECT_STREQ(msc.apt_id_req, "KTRM");
  click_in(1, 150, 16 + 3);  // the blank ends it
  EXPECT_STREQ(msc.apt_id_req, "KTR");
  click_in(1, 150, 16 + 11 * 23 + 3);
  MACIBM_killwind(1);
  EXPECT_EQ(msc.loc_index, airport_index("KTRM"));
}

TEST_F(LocationWindows, FindingANameAndClosingStartsThere) {
  gotofield("KSBD", 0);
  handlemenu(310);
  type_into(2, "burke");
  int kbkl = airport_index("KBKL");
  EXPECT_EQ(chosen_airport(), kbkl);
  MACIBM_killwind(2);
  EXPECT_EQ(msc.loc_index, kbkl);
  EXPECT_EQ(msc.typestart, 900);
  EXPECT_EQ(env.lat_sou, bk::round(apt_lat[kbkl][0] - 1));
  // Scrolled by clicks: one row below the centre is the next airport.
  handlemenu(310);
  click_in(2, 50, 36 + 3 + 10 * 4 + 5);
  EXPECT_EQ(chosen_airport(), kbkl + 1);
  window_key(2, KEY_ESCAPE, 27);
  EXPECT_EQ(msc.loc_index, kbkl) << "Escape leaves the flight where it was";
  // The identifier list only browses.
  handlemenu(325);
  type_into(7, "KTRM");
  MACIBM_killwind(7);
  EXPECT_EQ(msc.loc_index, kbkl);
}

TEST_F(LocationWindows, AClickOnTheWorldMapLoadsTheRegionThere) {
  // The reference points sit where the map says.
  float lat, lon;
  world_latlon_of_pixel(144, 126, &lat, &lon);
  EXPECT_NEAR(lat, 34, 0.5f);
  EXPECT_NEAR(lon, -118, 0.5f);
  world_latlon_of_pixel(682, 262, &lat, &lon);
  EXPECT_NEAR(lat, -34, 0.5f);
  EXPECT_NEAR(lon, 151, 0.5f);
  struct place {
    float lat, lon;
  } places[] = {{41.98f, -87.9f}, {51.47f, -0.45f}, {-33.9f, 151.2f}, {35.2f, -117.3f}};
  for (const place& p : places) {
    int x, y;
    world_pixel_of_latlon(p.lat, p.lon, &x, &y);
    world_latlon_of_pixel(x, y, &lat, &lon);
    EXPECT_NEAR(lat, p.lat, 0.5f);
    EXPECT_NEAR(lon, p.lon, 0.5f);
    handlemenu(313);
    ASSERT_EQ(mnw.up[4], 1);
    click_in(4, x, y);
    EXPECT_EQ(mnw.up[4], 0) << "the click closes the map";
    // The corner from the place clicked (the aircraft then starts at the
    // airport nearest the region's middle).
    int lat_sou, lon_wes;
    region_corner_of(lat, lon, &lat_sou, &lon_wes);
    EXPECT_EQ(lat_sou, bk::round(lat - 1));
    EXPECT_EQ(lon_wes, bk::round(lon - 1.5f));
    float d = pythag(apt_lat[msc.loc_index][0] - (lat_sou + 1.0f), apt_lon[msc.loc_index][0] - (lon_wes + 1.5f));
    for (int n = 0; n <= env.aptmax; n++)
      ASSERT_GE(pythag(apt_lat[n][0] - (lat_sou + 1.0f), apt_lon[n][0] - (lon_wes + 1.5f)), d);
    EXPECT_NEAR(flt.lat, apt_lat[msc.loc_index][0], 0.2f) << "on the runway of that airport";
  }
  // A click outside the map does nothing; closing the map moves nothing.
  int before = msc.loc_index;
  handlemenu(313);
  click_in(4, 5, 5);
  EXPECT_EQ(mnw.up[4], 1);
  MACIBM_killwind(4);
  EXPECT_EQ(msc.loc_index, before);
}

TEST_F(LocationWindows, TheLatLonFieldsShowTheRegionsMiddle) {
  gotofield("KSBD", 0);
  int lat_sou = env.lat_sou, lon_wes = env.lon_wes;
  handlemenu(314);
  // Latitude shown as lat_sou + 1: its units digit up moves the corner one degree.
  click_in(5, 40 + 15, 34 + 5);
  EXPECT_EQ(env.lat_sou, lat_sou + 1);
  // Longitude shown as lon_wes + 1.5: its units digit up moves the corner one
  // degree east (had it shown lon_wes + 1, the corner would round back).
  click_in(5, 140 + 25, 34 + 5);
  EXPECT_EQ(env.lon_wes, lon_wes + 1);
  click_in(5, 140 + 25, 34 + 30);
  click_in(5, 140 + 25, 34 + 30);
  EXPECT_EQ(env.lon_wes, lon_wes - 1);
  MACIBM_killwind(5);
  EXPECT_EQ(env.lat_sou, lat_sou + 1);
  EXPECT_EQ(env.lon_wes, lon_wes - 1);
  float d = pythag(apt_lat[msc.loc_index][0] - (env.lat_sou + 1.0f), apt_lon[msc.loc_index][0] - (env.lon_wes + 1.5f));
  for (int n = 0; n <= env.aptmax; n++)
    ASSERT_GE(pythag(apt_lat[n][0] - (env.lat_sou + 1.0f), apt_lon[n][0] - (env.lon_wes + 1.5f)), d);
}

TEST_F(LocationWindows, WhereAmINamesTheNearestAirportAndTheSector) {
  int ksbd = airport_index("KTRM");  // in the desert, far from the next field
  char line[200];
  flt.lat = apt_lat[ksbd][0] + 0.1f;
  flt.lon = apt_lon[ksbd][0] + 0.1f;
  where_am_i_line(line, sizeof line);
  std::string expect = std::string(" nm north-east of ") + apt_name[ksbd] + " (KTRM)";
  EXPECT_NE(std::string(line).find(expect), std::string::npos) << line;
  flt.lat = apt_lat[ksbd][0] - 0.1f;
  flt.lon = apt_lon[ksbd][0];
  where_am_i_line(line, sizeof line);
  EXPECT_EQ(std::string(line).rfind("6 nm south of ", 0), 0u) << line;
  flt.lat = apt_lat[ksbd][0];
  flt.lon = apt_lon[ksbd][0];
  where_am_i_line(line, sizeof line);
  EXPECT_EQ(std::string(line), std::string("At ") + apt_name[ksbd] + " (KTRM)");
}

}  // namespace
