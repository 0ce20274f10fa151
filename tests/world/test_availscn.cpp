// Environment quadrants: file names and search order, both byte orders and
// text, bad files, sea, sliding and seams, generated fields.
#include <algorithm>
#include "world_fixture.h"
#include <cmath>
#include <memory>
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/world/env.h"

namespace {

// Everything a quadrant read leaves behind, for comparing two loads.
struct grid_copy {
  float z[GRID_I][GRID_J], x[GRID_I][GRID_J], y[GRID_I][GRID_J];
  int div[GRID_I][GRID_J], water[GRID_I][GRID_J][2], col[GRID_I][GRID_J][2], field[GRID_I][GRID_J][2];
  void take() {
    std::memcpy(z, planez, sizeof z);
    std::memcpy(x, planex, sizeof x);
    std::memcpy(y, planey, sizeof y);
    std::memcpy(div, planediv, sizeof div);
    std::memcpy(water, on_water, sizeof water);
    std::memcpy(col, planecol, sizeof col);
    std::memcpy(field, on_field, sizeof field);
  }
};

struct Quadrants : ::testing::Test {
  world_dir dir;
  quad_data q;
  void SetUp() override {
    world_reset();
    dir.write("additional nav data/apt_dat", apt_file({}));
    dir.write("additional nav data/nav_dat", apt_file({}));
    init_country_data();
  }
  void write_all(int lat0, int lat1, int lon0, int lon1) {
    for (int la = lat0; la <= lat1; la++)
      for (int lo = lon0; lo <= lon1; lo++) {
        make_quad(q, la, lo);
        write_env_binary(env_path(dir.root, la, lo), q, 0);
      }
  }
  // The text twin's place: the country folder, the bare name.
  fs::path text_path(int lat, int lon) {
    char bare[STR_DIM];
    env_file_name(lat, lon, 0, bare);
    return dir.root / "DATA" / "United States" / bare;
  }
  void load(int lat, int lon) {
    env.lat_sou = lat;
    env.lon_wes = lon;
    load_region();
  }
};

TEST(EnvNames, EverySignCombination) {
  char s[STR_DIM];
  const struct { int lat, lon; const char* folder; const char* bare; } cases[] = {
      {34, -118, "+030-120/+034-118.env", "+034-118.env"},
      {0, 0, "+000+000/+000+000.env", "+000+000.env"},
      {-1, -1, "-010-010/-001-001.env", "-001-001.env"},
      {-5, 12, "-010+010/-005+012.env", "-005+012.env"},
      {34, 180, "+030-180/+034-180.env", "+034-180.env"},  // past the date line
  };
  for (auto& c : cases) {
    env_file_name(c.lat, c.lon, 1, s);
    EXPECT_STREQ(s, c.folder);
    env_file_name(c.lat, c.lon, 0, s);
    EXPECT_STREQ(s, c.bare);
  }
}

TEST_F(Quadrants, ByteSwappedAndTextTwinsLoadIdentically) {
  make_quad(q, 33, -119);
  write_env_binary(env_path(dir.root, 33, -119), q, 0);
  plat_srand(7);
  load(33, -119);
  auto little = std::make_unique<grid_copy>();
  little->take();

  write_env_binary(env_path(dir.root, 33, -119), q, 1);
  plat_srand(7);
  load(33, -119);
  auto big = std::make_unique<grid_copy>();
  big->take();
  EXPECT_EQ(std::memcmp(little.get(), big.get(), sizeof(grid_copy)), 0);

  fs::remove(env_path(dir.root, 33, -119));
  write_env_text(text_path(33, -119), q);
  plat_srand(7);
  load(33, -119);
  auto text = std::make_unique<grid_copy>();
  text->take();
  EXPECT_EQ(std::memcmp(little->z, text->z, sizeof text->z), 0);
  EXPECT_EQ(std::memcmp(little->water, text->water, sizeof text->water), 0);
  EXPECT_EQ(std::memcmp(little->div, text->div, sizeof text->div), 0);
}

TEST_F(Quadrants, SearchOrderPrefersTheUsersFolder) {
  make_quad(q, 33, -119);
  write_env_binary(env_path(dir.root, 33, -119), q, 0);
  q.z[30][40] = 1234;
  char name[STR_DIM];
  env_file_name(33, -119, 1, name);
  write_env_binary(dir.nav_dir() / name, q, 0, 3);
  load(33, -119);
  EXPECT_EQ(planez[30][40], 1234);
  // A wrong version is passed over for the next place.
  write_env_binary(dir.nav_dir() / name, q, 0, 5);
  load(33, -119);
  EXPECT_NE(planez[30][40], 1234);
}

TEST_F(Quadrants, MissingQuadrantIsFlatSea) {
  make_quad(q, 33, -118);
  write_env_binary(env_path(dir.root, 33, -118), q, 0);
  load(33, -119);
  for (int i = 0; i < 59; i++)
    for (int j = 0; j < 79; j++) {
      ASSERT_EQ(planez[i][j], 0);
      ASSERT_TRUE(on_water[i][j][0] && on_water[i][j][1]);
      ASSERT_EQ(planediv[i][j], 0);
      ASSERT_EQ(planecol[i][j][0], COL_WATER);
      ASSERT_FALSE(light_on_poly[i][j][0] || light_on_poly[i][j][1]);
      ASSERT_FALSE(boat_on_poly[i][j] || carr_on_poly[i][j]);
      ASSERT_EQ(atm.wxr[i * 3][j * 2], 0);
    }
  EXPECT_GT(planez[59 + 40][30], 0);  // the quadrant that has a file
}

TEST_F(Quadrants, FarCornersLoadAsSea) {
  for (auto c : {std::pair<int, int>{80, 170}, {89, 179}, {-90, -180}}) {
    EXPECT_FALSE(WORLD_FATAL(load(c.first, c.second)));
    EXPECT_LE(env.lat_sou, 87);
    for (int i = 0; i < GRID_I; i += 7)
      for (int j = 0; j < GRID_J; j += 7) {
        ASSERT_TRUE(std::isfinite(planex[i][j]) && std::isfinite(planey[i][j]));
        ASSERT_EQ(planez[i][j], 0);
      }
    EXPECT_GT(planex[177][0], planex[0][0]);
  }
}

TEST_F(Quadrants, NoFileIsOpenedAbove100000Feet) {
  write_all(33, 34, -119, -117);
  flt.z = 100000 * 0.3048f;
  load(33, -119);
  EXPECT_EQ(planez[100][100], 0);
  flt.z = 99999 * 0.3048f;
  load(33, -119);
  EXPECT_GT(planez[100][100], 0);
}

TEST_F(Quadrants, ObjectsBecomeBuildingsAndTowers) {
  make_quad(q, 33, -119);
  // (Cells and heights no quadrant can hold are refused: see BadFilesAndExtremeNumbersEndTheReadNamingTheFile.)
  q.objects.push_back({2, 33.5f, -118.5f, 50, 58, 0});
  write_env_binary(env_path(dir.root, 33, -119), q, 0);
  load(33, -119);
  int b = 0, tall = 0, t = 0;
  for (int k = 0; k < OBS_MAX; k++) {
    b += obs_type[k] != 0;
    tall += obs_type[k] >= 90 && obs_type[k] <= 92;
  }
  for (int k = 0; k < TWR_MAX; k++) t += twr_type[k] != 0;
  EXPECT_EQ(b, 3);
  EXPECT_EQ(tall, 1);  // 600 ft is over 130 m
  EXPECT_EQ(t, 1);
  EXPECT_EQ(twr_type[0], 3);
  EXPECT_NEAR(twr_dz[0], 500 * 0.3048f, 1e-3f);
  EXPECT_EQ(obs_twr_update, 1);
  // A full load clears the slots first.
  load(33, -119);
  b = 0;
  for (int k = 0; k < OBS_MAX; k++) b += obs_type[k] != 0;
  EXPECT_EQ(b, 3);
}

// Cut files, a busted checkpoint, an unknown object type and numbers no
// quadrant can hold end the read naming the file (and the field and value).
TEST_F(Quadrants, BadFilesAndExtremeNumbersEndTheReadNamingTheFile) {
  make_quad(q, 33, -119);
  fs::path p = env_path(dir.root, 33, -119), tp = text_path(33, -119);
  auto expect_fatal = [&](const fs::path& file, const char* says) {
    EXPECT_TRUE(WORLD_FATAL(load(33, -119))) << says;
    EXPECT_NE(last_alert().find(says), std::string::npos) << last_alert();
    EXPECT_NE(last_alert().find(file.string()), std::string::npos) << last_alert();
  };
  write_env_binary(p, q, 0);
  std::string whole = file_bytes(p);
  for (size_t cut : {(size_t)7, whole.size() / 2, whole.size() - 330}) {
    dir.write(p.lexically_relative(dir.root), whole.substr(0, cut));
    expect_fatal(p, "File-scanning error!");
  }
  q.z[10][10] = 3e38f;
  write_env_binary(p, q, 0);
  expect_fatal(p, "The point's height (m) is 3e+38");
  fs::remove(p);
  make_quad(q, 33, -119);
  write_env_text(tp, q, 3, 2);
  expect_fatal(tp, "Env file checkpoint busted!");
  q.objects.push_back({7, 33.5f, -118.5f, 10, 1, 1});
  write_env_text(tp, q);
  expect_fatal(tp, "");
  q.objects.back() = {2, 33.5f, -118.5f, 1e30f, 1, 1};
  write_env_text(tp, q);
  expect_fatal(tp, "The object's height (ft) is 1e+30");
  q.objects.back() = {2, 33.5f, -118.5f, 50, 999, -5};
  write_env_text(tp, q);
  expect_fatal(tp, "The object's cell column is 999");
  EXPECT_EQ(last_alert().find("text env"), std::string::npos) << last_alert();
}

// A file that is there but whose header is wrong (mark, version, byte order)
// is not silently taken for a missing one: one alert names it, and the
// quadrant is built without it.
TEST_F(Quadrants, AWrongHeaderIsToldNamingTheFile) {
  const std::pair<int, const char*> heads[] = {
      {-119, "empty or not a data file"}, {-118, "byte order"}, {-117, "version is not 3 or 4"}};
  std::vector<fs::path> paths;
  for (const auto& h : heads) {
    make_quad(q, 33, h.first);
    fs::path p = env_path(dir.root, 33, h.first);
    write_env_binary(p, q, 0);
    std::string whole = file_bytes(p);
    if (h.first == -119) whole[0] = 'x';
    if (h.first == -118) whole.replace(1, 4, std::string("\0\0\0\4", 4));  // 'i' with a big-endian 4
    if (h.first == -117) whole.replace(1, 4, std::string("\7\0\0\0", 4));
    dir.write(p.lexically_relative(dir.root), whole);
    paths.push_back(p);
  }
  fs::path tp = text_path(34, -119);
  dir.write(tp.lexically_relative(dir.root), "I\n3 version\n1002\n60\n80\n");
  EXPECT_FALSE(WORLD_FATAL(load(33, -119)));
  std::string all;
  for (int k = 0; k < desk_alert_count(); k++) all += std::string(desk_alert_text(k)) + "\n";
  for (size_t k = 0; k < paths.size(); k++) {
    EXPECT_NE(all.find("An environment file could not be used:\n" + paths[k].string() + "\n"), std::string::npos)
        << all;
    EXPECT_NE(all.find(heads[k].second), std::string::npos) << all;
  }
  EXPECT_NE(all.find("An environment file could not be used:\n" + tp.string() + "\nIts header does not read 1001"),
            std::string::npos)
      << all;
  EXPECT_EQ(planez[30][40], 0.0f);  // not the file's hills
}

TEST_F(Quadrants, RunwayAcrossTwoCellsFlattensBoth) {
  // A 3000 ft runway heading east whose centre sits on a cell boundary.
  float lon = -119 + 30 / 59.0f;
  std::string l = "1 33.5 " + std::to_string(lon) + " 9 x 90 3000 60 0 0 0 0 x 0 0 0 0 0 0 0 x 0 0 0 0 800 1 KTST Test\n";
  dir.write("additional nav data/apt_dat", apt_file({l}));
  init_country_data();
  write_all(33, 33, -119, -119);
  load(33, -119);
  int j = (int)(0.5f * 79);
  for (int i : {29, 30}) {
    EXPECT_TRUE(on_field[i][j][0] && on_field[i][j][1]) << i;
    EXPECT_FALSE(on_water[i][j][0]);
    EXPECT_NEAR(planez[i][j], 800 * 0.3048f, 1e-3f);
    EXPECT_NEAR(planez[i + 1][j + 1], 800 * 0.3048f, 1e-3f);
  }
  EXPECT_FALSE(on_field[20][j][0]);
  // Its beacon, three widths to the left (north), is in a field cell.
  int found = 0;
  for (int i = 0; i < GRID_I; i++)
    for (int jj = 0; jj < GRID_J; jj++) found += beacon_index[i][jj] == 0;
  EXPECT_GE(found, 1);
  // City lights stand near the field.
  EXPECT_TRUE(light_on_poly[30][j + 3][0] || light_on_poly[30][j + 3][1] || on_field[30][j + 3][0]);
}

TEST_F(Quadrants, SlopeColoursAndCliffs) {
  make_quad(q, 33, -119);
  float dx = 60 * 1852.0f * std::cos(33.5f * 3.14159265f / 180) / 59;
  for (int i = 0; i < 60; i++)
    for (int j = 0; j < 80; j++) {
      // Flat, then a 0.3 grade eastwards, levelling off below the highest height a file may hold.
      q.z[i][j] = i < 30 ? 0.0f : (std::min(i, 50) - 30) * dx * 0.3f;
      q.flags[i][j] = 0;
    }
  q.objects.clear();
  write_env_binary(env_path(dir.root, 33, -119), q, 0);
  load(33, -119);
  EXPECT_EQ(planecol[10][40][0], 65);
  EXPECT_FALSE(on_cliff[10][40][0]);
  EXPECT_TRUE(on_cliff[45][40][0]);
  EXPECT_EQ(planecol[45][40][0], 76);  // 0.3 on 0.15..0.6 -> 75..78
}

TEST_F(Quadrants, BoatsOnlyOffTheCoastAndOneCarrierAtMost) {
  write_all(33, 34, -119, -117);
  for (int seed = 1; seed < 4; seed++) {
    plat_srand(seed);
    load(33, -119);
    int carriers = 0;
    for (int i = 0; i < GRID_I - 1; i++)
      for (int j = 0; j < GRID_J - 1; j++) {
        if (boat_on_poly[i][j] || carr_on_poly[i][j]) {
          ASSERT_TRUE(on_water[i][j][0] && on_water[i][j][1]);
          int land = 0;
          for (auto d : {std::pair<int, int>{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            land += !on_water[i + d.first][j + d.second][0] + !on_water[i + d.first][j + d.second][1];
          ASSERT_EQ(land, 1);
        }
        carriers += carr_on_poly[i][j];
      }
    EXPECT_GE(carriers, 1);
    EXPECT_LE(carriers, 6);
  }
}

TEST_F(Quadrants, WeatherAndCloudFieldsStayInRange) {
  write_all(33, 34, -119, -117);
  load(33, -119);
  float wmax = 0;
  for (int i = 0; i < WXR_I; i++)
    for (int j = 0; j < WXR_J; j++) {
      ASSERT_GE(atm.wxr[i][j], 0);
      ASSERT_LE(atm.wxr[i][j], 1);
      wmax = fltmax2(wmax, atm.wxr[i][j]);
    }
  EXPECT_GT(wmax, 0);
  for (int i = 0; i < CLOUD_I; i++)
    for (int j = 0; j < CLOUD_J; j++) {
      ASSERT_GE(cloudz[i][j], -2000 * 0.3048f - 1e-3f);
      ASSERT_LE(cloudz[i][j], 0);
      if (i < CLOUD_I - 1 && j < CLOUD_J - 1) {
        ASSERT_GE(cloudcol[i][j][0], 65);
        ASSERT_LE(cloudcol[i][j][1], 245);
      }
    }
  // Cloud column 8 lies on terrain column 0, column 32 on 177; rows likewise.
  EXPECT_NEAR(cloudx[8][8], planex[0][0], 1);
  EXPECT_NEAR(cloudx[32][24], planex[177][158], 1);
  EXPECT_NEAR(cloudy[8][24], planey[0][158], 1);
}

TEST(Fractal, LevelZeroRaisesTheCentreAndInterpolates) {
  world_reset();
  float z[9 * 9] = {0};
  fractalize(0, 0, 8, 8, z, 9, 10, 10, 0, 0);
  EXPECT_FLOAT_EQ(z[4 * 9 + 4], 10);
  EXPECT_FLOAT_EQ(z[4 * 9 + 2], 5);   // centre column, halfway to the edge
  EXPECT_FLOAT_EQ(z[2 * 9 + 4], 5);   // centre row
  EXPECT_FLOAT_EQ(z[2 * 9 + 2], 2.5f);
  EXPECT_FLOAT_EQ(z[0], 0);           // corners stay
  EXPECT_FLOAT_EQ(z[8 * 9 + 8], 0);
}

TEST(Triangles, OntriAndItsMirroredWedge) {
  // b (0,0), h (10,0), v (0,10): the lower-left half of a square.
  EXPECT_TRUE(ontri(0, 0, 10, 0, 0, 10, 2, 2));
  EXPECT_FALSE(ontri(0, 0, 10, 0, 0, 10, 8, 8));
  EXPECT_FALSE(ontri(0, 0, 10, 0, 0, 10, -1, 2));
  EXPECT_FALSE(ontri(0, 0, 10, 0, 0, 10, 1, -1));
  EXPECT_FALSE(ontri(0, 0, 10, 0, 0, 10, 0.5f, 12));  // beyond v, where the sides cross
  // An upper triangle: b (10,10), h (0,10), v (10,0).
  EXPECT_TRUE(ontri(10, 10, 0, 10, 10, 0, 8, 8));
  EXPECT_FALSE(ontri(10, 10, 0, 10, 10, 0, 2, 2));
}

TEST(MagneticVariation, TableInterpolation) {
  EXPECT_EQ(find_var(34, -117), 14);
  // Negative positions come down to the grid line below them: (-15, 25) lies
  // between the -30 and 0 rows, (5, -5) between the -10 and 0 columns.
  EXPECT_EQ(find_var(-15, 25), -11);
  EXPECT_EQ(find_var(5, -5), -8);
  EXPECT_EQ(find_var(-15.9f, 25.9f), -11);  // whole degrees
  // Beyond the table's rows the nearest row holds, instead of extrapolating.
  EXPECT_EQ(find_var(-89, 0), find_var(-60, 0));
}

TEST(Slides, DecisionMargins) {
  world_reset();
  env.lat_sou = 33;
  env.lon_wes = -119;
  EXPECT_EQ(region_slide_dir(34.0f, -119 + 0.95f), SLIDE_NONE);
  EXPECT_EQ(region_slide_dir(34.0f, -119 + 0.949f), SLIDE_WEST);
  EXPECT_EQ(region_slide_dir(34.0f, -119 + 2.05f), SLIDE_NONE);
  EXPECT_EQ(region_slide_dir(34.0f, -119 + 2.051f), SLIDE_EAST);
  EXPECT_EQ(region_slide_dir(33.45f, -117.5f), SLIDE_NONE);
  EXPECT_EQ(region_slide_dir(33.44f, -117.5f), SLIDE_SOUTH);
  EXPECT_EQ(region_slide_dir(34.56f, -117.5f), SLIDE_NORTH);
  EXPECT_EQ(region_slide_dir(33.1f, -118.9f), SLIDE_WEST);  // across a corner: longitude first
}

struct SlideCase {
  int dir, lat, lon;  // direction and the corner it leads to from (33, -118)
};

struct Slide : Quadrants, ::testing::WithParamInterface<SlideCase> {};

TEST_P(Slide, KeepsStateMatchesAFreshLoadAndMeetsAtTheSeams) {
  SlideCase c = GetParam();
  write_all(32, 35, -119, -115);
  load(33, -118);
  int di = c.lon - -118, dj = c.lat - 33;  // the kept grid moves by -di, -dj quadrants
  // A fire, a lit cell and the aircraft in a quadrant that stays (the middle column).
  int fi = 59 + 20, fj = dj > 0 ? 79 + 10 : 10;
  on_fire_now[fi][fj][1] = 1;
  was_on_fire[fi][fj][0] = 1;
  env.i_aircraft = fi;
  env.j_aircraft = fj;
  // The kept quadrants' lights, in particular those of the cells beside the seam.
  auto before = std::make_unique<grid_copy>();
  before->take();
  static int lights_before[GRID_I][GRID_J][2];
  std::memcpy(lights_before, light_on_poly, sizeof lights_before);
  static float cityx_before[GRID_I][GRID_J][2][3];
  std::memcpy(cityx_before, cityx, sizeof cityx_before);

  slide_region(c.dir);
  ASSERT_EQ(env.lat_sou, c.lat);
  ASSERT_EQ(env.lon_wes, c.lon);
  int si = -59 * di, sj = -79 * dj;
  EXPECT_EQ(on_fire_now[fi + si][fj + sj][1], 1);
  EXPECT_EQ(was_on_fire[fi + si][fj + sj][0], 1);
  EXPECT_EQ(env.i_aircraft, fi + si);
  EXPECT_EQ(env.j_aircraft, fj + sj);
  // Every kept cell keeps its lights and heights.
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      int oi = i - si, oj = j - sj;
      if (oi < 0 || oj < 0 || oi >= GRID_I - 1 || oj >= GRID_J - 1) continue;
      ASSERT_EQ(light_on_poly[i][j][0], lights_before[oi][oj][0]) << i << "," << j;
      ASSERT_EQ(light_on_poly[i][j][1], lights_before[oi][oj][1]) << i << "," << j;
      if (lights_before[oi][oj][0]) {
        ASSERT_EQ(cityx[i][j][0][0], cityx_before[oi][oj][0][0]);
      }
      ASSERT_EQ(planez[i][j], before->z[oi][oj]);
      ASSERT_EQ(planex[i][j], before->x[oi][oj]);
    }
  // The new quadrants hold what a fresh load of the new corner reads.
  auto slid = std::make_unique<grid_copy>();
  slid->take();
  load(c.lat, c.lon);
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      ASSERT_EQ(slid->z[i][j], planez[i][j]) << i << "," << j;
      if (i < GRID_I - 1 && j < GRID_J - 1) {
        ASSERT_EQ(slid->water[i][j][0], on_water[i][j][0]);
        ASSERT_EQ(slid->div[i][j], planediv[i][j]);
      }
    }
  // Seams: the grid spacing runs on unbroken across every quadrant edge.
  for (int j = 0; j < GRID_J; j++)
    for (int i : {58, 117}) {
      float left = slid->x[i][j] - slid->x[i - 1][j], right = slid->x[i + 2][j] - slid->x[i + 1][j];
      float seam = slid->x[i + 1][j] - slid->x[i][j];
      ASSERT_NEAR(seam, 0.5f * (left + right), 0.5f) << "column " << i << " row " << j;
    }
  for (int i = 0; i < GRID_I; i++) {
    float below = slid->y[i][78] - slid->y[i][77], above = slid->y[i][81] - slid->y[i][80];
    ASSERT_NEAR(slid->y[i][79] - slid->y[i][78], 0.5f * (below + above), 0.5f);
    ASSERT_NEAR(slid->y[i][0], env_y_of_lat((float)c.lat) + (slid->y[0][0] - planey[0][0]), 0.5f);
  }
}

INSTANTIATE_TEST_SUITE_P(FourWays, Slide,
                         ::testing::Values(SlideCase{SLIDE_WEST, 33, -119}, SlideCase{SLIDE_EAST, 33, -117},
                                           SlideCase{SLIDE_NORTH, 34, -118}, SlideCase{SLIDE_SOUTH, 32, -118}));

}  // namespace
