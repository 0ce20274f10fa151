// Atmosphere and weather: the day's temperature and density, the wind with its
// layers, gusts, thermals and microbursts, the storm level from the radar map,
// the limits, the slow trend, icing, fuel, and the real-weather file.
#include <sys/stat.h>
#include <fstream>
#include "tests/flight/flight_fixture.h"
#include "sim/world/terrain.h"

namespace {
using flight::FlightTest;

class Weather : public FlightTest {
 protected:
  void SetUp() override {
    FlightTest::SetUp();
    reset_weather();
    plat_srand(11);
    calm();
    set_weather_file(nullptr);
  }
  void TearDown() override { set_weather_file(nullptr); }
  static void calm() {
    for (int i = 0; i < 9; i++) atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0;
    atm.wind_x = atm.wind_y = atm.wind_z = 0;
    atm.level = 0;
    atm.burst_prob = atm.rain_tstm = atm.wind_tbl = 1;
    atm.thermal_vvi = 0;
    atm.rate_change = 4;
    msc.elap_time = 0;
  }
  // The aircraft h metres above the ground under it.
  static void above_ground(float h) {
    find_local_h((float)flt.x, (float)flt.y, &env.localh, &env.i_aircraft, &env.j_aircraft, &env.t_aircraft);
    flt.z = env.localh + h;
    flt.h = (float)flt.z;
  }
  static void settle(int calls = 400) {
    for (int k = 0; k < calls; k++) wxcalc();
  }
  std::string path(const char* name) {
    std::string dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/flight";
    std::filesystem::create_directories(dir);
    return dir + "/" + name;
  }
  void write_file(const std::string& p, const std::string& text) {
    std::ofstream f(p, std::ios::binary);
    f << text;
  }
};

TEST_F(Weather, TheDaysTemperatureWarmsAndThinsTheAir) {
  atm.temp_SL = 59;
  atm_at_height(0);
  float rho0 = atm.rho, t0 = atm.T;
  EXPECT_NEAR(t0, 288.15f, 0.1f);
  EXPECT_NEAR(atm.a, 340.3f, 0.5f);
  atm.temp_SL = 95;  // 20 degrees C warmer
  atm_at_height(0);
  EXPECT_NEAR(atm.T - t0, 20.0f, 0.05f);
  EXPECT_NEAR(atm.rho / rho0, 518.69f / (95 + 459.67f), 1e-4f);
  // The offset holds at every height.
  atm_at_height(3000);
  float hot = atm.T;
  atm.temp_SL = 59;
  atm_at_height(3000);
  EXPECT_NEAR(hot - atm.T, 20.0f, 0.05f);
}

// A sea-level temperature from a broken preferences file or weather report
// never gives a temperature at or below absolute zero, or a NaN.
TEST_F(Weather, AnyDaysTemperatureGivesPhysicalAir) {
  for (float t : {-5000.0f, -459.67f, -300.0f, 2000.0f, NAN, INFINITY}) {
    atm.temp_SL = t;
    for (float h : {0.0f, 11000.0f, 25000.0f, 60000.0f}) {
      atm_at_height(h);
      EXPECT_GT(atm.T, 100.0f) << t << " " << h;
      EXPECT_LT(atm.T, 400.0f) << t << " " << h;
      EXPECT_TRUE(std::isfinite(atm.a) && atm.a > 0) << t;
      EXPECT_TRUE(std::isfinite(atm.rho) && atm.rho >= 0) << t;
    }
    limwx();
    EXPECT_GE(atm.temp_SL, -100.0f);
    EXPECT_LE(atm.temp_SL, 140.0f);
  }
}

// Layers a thousand feet deep up to 7000 ft, then wider; below the ground the first.
TEST_F(Weather, WindLayersByHeight) {
  const float ft = con.fttomtrs;
  const float h[] = {-50, 999 * ft, 1001 * ft, 6999 * ft, 7001 * ft, 14999 * ft, 15001 * ft};
  const int layer[] = {0, 0, 1, 5, 6, 7, 8};
  for (int k = 0; k < 7; k++) EXPECT_EQ(wind_index(h[k]), layer[k]) << h[k];
}

// A north wind blows toward the south; near the ground it is halved, and on
// the ground the vertical gusts and thermals vanish.
TEST_F(Weather, SteadyWindFromItsDirectionHalvedNearTheGround) {
  env.mvar = 0;
  for (int i = 0; i < 9; i++) {
    atm.wnddir[i] = 0;
    atm.wndspd[i] = 10;
  }
  above_ground(500);
  settle();
  EXPECT_NEAR(atm.wind_y, -10, 0.05f);
  EXPECT_NEAR(atm.wind_x, 0, 0.05f);
  for (int i = 0; i < 9; i++) atm.wnddir[i] = 90;  // from the east
  settle();
  EXPECT_NEAR(atm.wind_x, -10, 0.05f);
  above_ground(5);
  settle();
  EXPECT_NEAR(atm.wind_x, -5, 0.05f);
  // Thermals lift only off the ground.
  atm.thermal_vvi = 3;
  for (auto& row : atm.therm_on_poly)
    for (int& c : row) c = 1;
  above_ground(0);
  settle();
  EXPECT_NEAR(atm.wind_z, 0, 1e-4f);
  above_ground(300);
  settle();
  EXPECT_NEAR(atm.wind_z, 3, 0.05f);
}

// Gusts come from the seeded generator: the same seed, the same wind.
TEST_F(Weather, TurbulenceRepeatsExactlyWithTheSameSeed) {
  above_ground(600);
  atm.wind_tbl = 4;
  auto run = [&](unsigned seed) {
    reset_weather();
    plat_srand(seed);
    assign_wind_tbl(1);
    std::vector<float> w;
    for (int k = 0; k < 300; k++) {
      wxcalc();
      w.push_back(atm.wind_x + 3 * atm.wind_y + 7 * atm.wind_z);
    }
    return w;
  };
  std::vector<float> a = run(5), b = run(5), c = run(6);
  EXPECT_EQ(a, b);
  EXPECT_NE(a, c);
  float spread = 0;
  for (float v : a) spread = fltmax2(spread, std::fabs(v - a[0]));
  EXPECT_GT(spread, 0.5f);  // it is turbulent
}

TEST_F(Weather, MicroburstsOnlyLowAndAboveLevelOneAndTheyEnd) {
  auto bursts = [&](float level, float agl, int calls) {
    reset_weather();
    atm.burst_prob = level;
    above_ground(agl);
    int seen = 0;
    for (int k = 0; k < calls; k++) {
      msc.elap_time = k * 0.1f;
      wxcalc();
      seen |= shear_now() != 0;
    }
    return seen;
  };
  EXPECT_FALSE(bursts(1, 50, 20000));
  EXPECT_FALSE(bursts(5, 320, 20000));
  EXPECT_TRUE(bursts(5, 100, 20000));
  // A type 3 burst is a downdraft in its middle, and the burst ends at its time.
  reset_weather();
  atm.burst_prob = 5;
  above_ground(100);
  float least_z = 0;
  int acted = 0, k = 0;
  for (; k < 200000; k++) {
    msc.elap_time = k * 0.1f;
    wxcalc();
    if (atm.inshear) acted = 1;
    if (shear_now() == 3) least_z = fltmin2(least_z, atm.wind_z);
    if (acted && least_z < -2 && !atm.inshear) break;
  }
  ASSERT_TRUE(acted);
  EXPECT_LT(least_z, -2.0f);  // at least about 400 ft/min down
  EXPECT_EQ(atm.inshear, 0);
}

// The first blend draws the prevailing direction whatever its weight, and
// later gentle blends keep to it.
TEST_F(Weather, TheLayersKeepThePrevailingDirectionBetweenDraws) {
  atm.wind_tbl = 1;  // no spread: every layer takes the prevailing direction
  for (int i = 0; i < 9; i++) atm.wnddir[i] = 0;
  assign_wind_tbl(0.05f);
  for (int i = 0; i < 9; i++) {
    EXPECT_GE(atm.wnddir[i], 0);
    EXPECT_LT(atm.wnddir[i], 360);
    EXPECT_FLOAT_EQ(atm.wnddir[i], atm.wnddir[0]);
  }
  assign_wind_tbl(1.0f);
  float d = atm.wnddir[0];
  EXPECT_GE(d, 0);
  EXPECT_LT(d, 360);
  for (int i = 1; i < 9; i++) EXPECT_FLOAT_EQ(atm.wnddir[i], d);
  for (int k = 0; k < 50; k++) assign_wind_tbl(0.05f);
  EXPECT_NEAR(wrap180(atm.wnddir[4] - d), 0, 1e-3f);
  // Directions blend the short way round: D - 20 halfway toward D is D - 10,
  // through north when D is near it.
  for (int i = 0; i < 9; i++) atm.wnddir[i] = wrap360(d - 20);
  assign_wind_tbl(0.5f);
  EXPECT_NEAR(wrap180(atm.wnddir[0] - d), -10, 1e-2f);
}

TEST_F(Weather, StormLevelFromTheRadarMapAndNeverOutsideIt) {
  for (auto& row : atm.wxr)
    for (float& w : row) w = 1;
  atm.rain_tstm = 5;
  scn.abovetops = 0;
  flt.x = 0.5 * (planex[0][0] + planex[GRID_I - 1][GRID_J - 1]);
  flt.y = 0.5 * (planey[0][0] + planey[GRID_I - 1][GRID_J - 1]);
  storm_level();
  EXPECT_NEAR(atm.level, 4, 1e-4f);
  // At the corner only the cells inside the map count; far off it, none.
  flt.x = planex[0][0];
  flt.y = planey[0][0];
  storm_level();
  EXPECT_NEAR(atm.level, 4 * 9 / 25.0f, 1e-4f);
  flt.x = planex[0][0] - 1e7;
  flt.y = planey[0][0] + 1e7;
  storm_level();
  EXPECT_EQ(atm.level, 0);
  // A position that is no number, or infinitely far, brings none either.
  flt.x = NAN;
  storm_level();
  EXPECT_EQ(atm.level, 0);
  flt.x = planex[0][0];
  flt.y = INFINITY;
  storm_level();
  EXPECT_EQ(atm.level, 0);
  scn.abovetops = 1;
  storm_level();
  EXPECT_EQ(atm.level, 0);
}

TEST_F(Weather, LimitsKeepEverySettingInRange) {
  const float ft = con.fttomtrs, kt = con.ktstomsc, nm = con.nmtomtrs;
  msc.loc_index = 0;
  apt_z[0] = 300;
  atm.rain_tstm = 2;
  atm.cld_type = 0;
  atm.baseMSL = -50;
  atm.topsMSL = 0;
  atm.vis = NAN;
  atm.wind_tbl = 9;
  atm.burst_prob = -3;
  for (int i = 0; i < 9; i++) {
    atm.wnddir[i] = 725;
    atm.shrdir[i] = 400;
    atm.wndspd[i] = 1000;
    atm.shrspd[i] = -1;
    atm.tbl[i] = NAN;
  }
  atm.wave_dir = 999;
  atm.thermal_vvi = 1e6f;
  atm.thermal_part = 2;
  atm.rway_fric_code = 7;
  atm.baro = 0;
  limwx();
  EXPECT_EQ(atm.cld_type, 1);  // rain brings cloud
  EXPECT_NEAR(atm.baseMSL, 300 + 50 * ft, 1e-2f);
  EXPECT_NEAR(atm.topsMSL, atm.baseMSL + 2000 * ft, 1e-2f);
  EXPECT_NEAR(atm.baseAGL, 50 * ft, 1e-2f);
  EXPECT_NEAR(atm.vis, 0.1f * nm, 1e-2f);
  EXPECT_EQ(atm.wind_tbl, 5);
  EXPECT_EQ(atm.burst_prob, 1);
  for (int i = 0; i < 9; i++) {
    EXPECT_NEAR(atm.wnddir[i], 5, 1e-3f);
    EXPECT_EQ(atm.shrdir[i], 180);
    EXPECT_NEAR(atm.wndspd[i], 99 * kt, 1e-3f);
    EXPECT_EQ(atm.shrspd[i], 0);
    EXPECT_EQ(atm.tbl[i], 0);
  }
  EXPECT_EQ(atm.wave_dir, 360);
  EXPECT_NEAR(atm.thermal_vvi, 999 * con.fpmtomsc, 1e-3f);
  EXPECT_NEAR(atm.thermal_part, 0.99f, 1e-6f);
  EXPECT_EQ(atm.rway_fric_code, 3);
  EXPECT_NEAR(atm.baro, 29.92f, 1e-4f);
}

TEST_F(Weather, ASteadyTrendNeverDriftsAndAWorseningOneDoes) {
  atm.cld_type = 1;
  atm.baseMSL = 3000;
  atm.topsMSL = 6000;
  atm.vis = 15000;
  atm.change_clouds = atm.change_vis = atm.change_precip = atm.change_turb = atm.change_micro = 1;
  flt.lat = 34.1f;
  flt.lon = -117.2f;
  set_weather_file("/nonexistent/world.rwx");
  atm.rate_change = 4;
  for (int k = 0; k < 100; k++) weather_sec();
  EXPECT_EQ(atm.baseMSL, 3000);
  EXPECT_EQ(atm.topsMSL, 6000);
  EXPECT_EQ(atm.vis, 15000);
  atm.rate_change = 1;
  for (int k = 0; k < 100; k++) weather_sec();
  EXPECT_LT(atm.baseMSL, 3000);
  EXPECT_GT(atm.topsMSL, 6000);
  EXPECT_LT(atm.vis, 15000);
  EXPECT_GT(atm.rain_tstm, 1);
}

TEST_F(Weather, IceBuildsInFreezingCloudAndMeltsInWarmAir) {
  set_weather_file("/nonexistent/world.rwx");
  atm.cld_type = 1;
  atm.baseMSL = 1000;
  atm.topsMSL = 5000;
  atm.temp_SL = 40;  // about 4.4 C at sea level: freezing near 2200 m
  flt.z = flt.h = 3000;
  atm_at_height(flt.h);
  ASSERT_LT(atm.T - 273.15f, 0);
  msc.ice = 0;
  for (int k = 0; k < 10; k++) weather_sec();
  EXPECT_NEAR(msc.ice, 0.0333f, 1e-4f);
  EXPECT_EQ(msc.icebld, 1);
  flt.z = flt.h = 200;  // below the clouds, above freezing
  atm_at_height(flt.h);
  for (int k = 0; k < 2000; k++) weather_sec();
  EXPECT_EQ(msc.ice, 0);
}

TEST_F(Weather, FuelBurnsAtTheFlowAndNeverBelowEmpty) {
  set_weather_file("/nonexistent/world.rwx");
  flt.m_fuel = pln.m_fuel;
  flt.ff_[0] = 0.01f;  // kg/s
  msc.elap_time = 100;
  weather_sec();  // the first second only starts the clock
  msc.elap_time = 110;
  weather_sec();
  EXPECT_NEAR(flt.m_fuel, pln.m_fuel - 0.1f, 1e-3f);
  msc.elap_time = 1e6f;
  weather_sec();
  EXPECT_EQ(flt.m_fuel, 0);
}

// A report for an airport of the region sets the weather; the user is told
// once; the cloud and visibility move toward the file's values.
TEST_F(Weather, TheRealWeatherFileSetsTheNearestAirportsWeather) {
  int ksbd = find_apt_by_id("KSBD");
  ASSERT_GE(ksbd, 0);
  ASSERT_TRUE(apt_inreg[ksbd]);
  flt.lat = apt_lat[ksbd][0];
  flt.lon = apt_lon[ksbd][0];
  std::string p = path("world.rwx");
  write_file(p, "ZZZZ 1200 50 BKN 10 R 045/030/0101/992\r\n"
                "KSBD 1953 20 BKN 40 OVC 3 R+ 077/050/2412G20/013\r\n");
  set_weather_file(p.c_str());
  atm.wind_tbl = 3;
  atm.rate_change = 6;
  atm.cld_type = 0;
  atm.baseMSL = 9000;
  weather_sec();
  EXPECT_EQ(atm.wind_tbl, 1);
  EXPECT_EQ(atm.rate_change, 4);
  EXPECT_EQ(atm.cld_type, 1);
  EXPECT_EQ(atm.temp_SL, 77);
  EXPECT_EQ(atm.dewp_SL, 50);
  EXPECT_NEAR(atm.baro, 30.13f, 1e-3f);
  EXPECT_NEAR(atm.wnddir[0], 240, 1e-3f);
  EXPECT_NEAR(atm.wndspd[0], 12 * con.ktstomsc, 1e-3f);
  EXPECT_NEAR(atm.shrspd[0], 8 * con.ktstomsc, 1e-3f);
  EXPECT_NEAR(atm.tbl[0], 0.1f * 12 + 0.2f * 8, 1e-3f);
  EXPECT_EQ(desk_alert_count(), 1);
  EXPECT_NE(std::string(desk_alert_text(0)).find("I have detected the file 'world.rwx' in the Tarvel folder."),
            std::string::npos);
  float base_goal = 2000 * con.fttomtrs + apt_z[ksbd];
  float before = std::fabs(atm.baseMSL - base_goal);
  for (int k = 0; k < 20; k++) weather_sec();
  EXPECT_LT(std::fabs(atm.baseMSL - base_goal), before);  // moving toward the report
  EXPECT_GT(atm.rain_tstm, 1.5f);                         // heavy rain
  EXPECT_EQ(desk_alert_count(), 1);                       // told once
}

TEST_F(Weather, AFileWithoutAnAirportOfTheRegionChangesOnlyTrendAndTurbulence) {
  std::string p = path("world.rwx");
  write_file(p, "ZZZZ 1200 50 BKN 10 R 045/030/0101/992\n");
  set_weather_file(p.c_str());
  atm.wind_tbl = 3;
  atm.rate_change = 6;
  atm.temp_SL = 59;
  weather_sec();
  EXPECT_EQ(atm.wind_tbl, 1);
  EXPECT_EQ(atm.rate_change, 4);
  EXPECT_EQ(atm.temp_SL, 59);
  EXPECT_EQ(desk_alert_count(), 0);
}

// Truncated, garbled or binary files are no weather: the weather stays as set.
TEST_F(Weather, ABrokenFileIsIgnored) {
  const std::string files[] = {"", "KSBD", "KSBD 1953 20 BKN 40 OVC 3 R+ 077/05", "KSBD 1953 077/050/24X2/013\n",
                               std::string("\0\xff\x80KSBD\x01\x02//\n", 13), std::string(5000, 'K') + "\n",
                               "KSBD 1953 20 BKN 40 OVC 3 R+ 077/050/2412G2", "KSBD 1953 077/050/2412G20/013/9/9\n"};
  for (const std::string& text : files) {
    std::string p = path("world.rwx");
    write_file(p, text);
    set_weather_file(p.c_str());
    reset_weather();
    atm.wind_tbl = 3;
    atm.rate_change = 6;  // a trend that changes nothing
    atm.change_clouds = atm.change_vis = atm.change_precip = atm.change_turb = atm.change_micro = 0;
    atm.temp_SL = 59;
    atm.baro = 29.92f;
    atm.wndspd[0] = 3;
    weather_sec();
    EXPECT_EQ(atm.wind_tbl, 3) << text.size();
    EXPECT_EQ(atm.rate_change, 6) << text.size();
    EXPECT_EQ(atm.temp_SL, 59) << text.size();
    EXPECT_EQ(atm.baro, 29.92f) << text.size();
    EXPECT_EQ(atm.wndspd[0], 3) << text.size();
  }
  EXPECT_EQ(desk_alert_count(), 0);
}

// A report whose figures no weather has is passed over, and the user is told
// once which file and which figure.
TEST_F(Weather, AReportOutOfRangeIsPassedOverNamingTheFileAndFigure) {
  int ksbd = find_apt_by_id("KSBD");
  ASSERT_GE(ksbd, 0);
  flt.lat = apt_lat[ksbd][0];
  flt.lon = apt_lon[ksbd][0];
  std::string p = path("world.rwx");
  write_file(p, "KSBD 1953 20 BKN 40 OVC 3 R+ 999/050/2412G20/013\n");
  set_weather_file(p.c_str());
  atm.temp_SL = 59;
  atm.cld_type = 0;
  weather_sec();
  EXPECT_EQ(atm.temp_SL, 59);
  EXPECT_EQ(atm.cld_type, 0);
  ASSERT_EQ(desk_alert_count(), 1);
  std::string text = desk_alert_text(0);
  EXPECT_NE(text.find("A report in the weather file was passed over:\n" + p), std::string::npos) << text;
  EXPECT_NE(text.find("The temperature (F) is 999, but it must lie between -150 and 200."), std::string::npos)
      << text;
}

// A pipe named as the weather file would block the program for ever: it is
// not opened, and the user is told once.
TEST_F(Weather, APipeAsTheWeatherFileIsToldNotWaitedOn) {
  std::string p = path("pipe.rwx");
  std::remove(p.c_str());
  ASSERT_EQ(mkfifo(p.c_str(), 0600), 0);
  set_weather_file(p.c_str());
  weather_sec();
  for (int k = 0; k < 61; k++) weather_sec();  // read again each minute: told once
  ASSERT_EQ(desk_alert_count(), 1);
  std::string text = desk_alert_text(0);
  EXPECT_NE(text.find("The weather file could not be read:\n" + p), std::string::npos) << text;
  EXPECT_NE(text.find("not a regular file"), std::string::npos) << text;
  std::remove(p.c_str());
}

}  // namespace
