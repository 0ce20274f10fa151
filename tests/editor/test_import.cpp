// Elevation import: the file forms, the thinning, the grid's drift, the
// diagonals, flat regions and water, and what a failure leaves alone.
#include <cmath>
#include <sys/stat.h>
#include <cstring>
#include "editor_fixture.h"

class Import : public ::testing::Test {
 protected:
  editor_dir dir;
  void SetUp() override {
    editor_reset(dir);
    msc.batch = 0;
  }
  int import(const fs::path& p) { return import_USGS(p.filename().c_str(), p.c_str()); }
  static float max_drift() {
    float worst = 0;
    for (int i = 0; i < QI; i++)
      for (int j = 0; j < QJ; j++) {
        worst = std::fmax(worst, std::fabs((planelat[i][j] - msc.map_latfile) * 79 - j));
        worst = std::fmax(worst, std::fabs((planelon[i][j] - msc.map_lonfile) * 59 - i));
      }
    return worst;  // in cells
  }
  struct snapshot {
    float lat[QI][QJ], lon[QI][QJ], z[QI][QJ], raw[RAW_N][RAW_N];
    int div[QI][QJ], water[QI][QJ][2];
    void take() {
      std::memcpy(lat, planelat, sizeof lat);
      std::memcpy(lon, planelon, sizeof lon);
      std::memcpy(z, planez, sizeof z);
      std::memcpy(raw, int_rawz, sizeof raw);
      std::memcpy(div, planediv, sizeof div);
      std::memcpy(water, on_water, sizeof water);
    }
  };
};

static float hills(int p, int k) {
  return (float)(400 + 300 * std::sin(p * 0.011) * std::cos(k * 0.007) + 0.2 * ((p * 31 + k * 17) % 50));
}

TEST_F(Import, BothHeaderFormsAndSrtmAndGeoTiffGiveTheSameQuadrant) {
  fs::path dem = dir.root / "d.dem", dec = dir.root / "decimal.dem", hgt = dir.root / "N34W118.hgt",
           tif = dir.root / "hills.tif";
  // Whole metres: the elevation files and SRTM tiles store integers.
  auto z = [](int p, int k) { return std::round(hills(p, k)); };
  ASSERT_TRUE(write_model(dem, "USGSDEM", 34, -118, z));
  dem_to_decimal_headers(dem, dec);
  std::string a = read_file(dem), b = read_file(dec);
  ASSERT_EQ(a.size(), b.size());
  ASSERT_NE(a, b);
  ASSERT_EQ(b.substr(1024, 144).find("D+"), std::string::npos);
  ASSERT_TRUE(write_model(hgt, "SRTMHGT", 34, -118, z));
  ASSERT_TRUE(write_model(tif, "GTiff", 34, -118, z));

  auto first = std::make_unique<snapshot>(), other = std::make_unique<snapshot>();
  for (const fs::path& p : {dem, dec, hgt, tif}) {
    plat_srand(5);
    msc.map_latfile = 10, msc.map_lonfile = 10;
    ASSERT_TRUE(import(p)) << p;
    EXPECT_EQ(msc.map_latfile, 34) << p;
    EXPECT_EQ(msc.map_lonfile, -118) << p;
    if (p == dem) {
      first->take();
      continue;
    }
    other->take();  // heights, points, diagonals and water alike
    EXPECT_EQ(std::memcmp(first.get(), other.get(), sizeof *other), 0) << p;
  }
  // The hills pull the grid towards their slopes.
  EXPECT_GT(max_drift(), 0.2f);
}

TEST_F(Import, ThinningKeepsTheLastSampleOfEachTenth) {
  fs::path tif = dir.root / "id.tif";
  // Every sample of a thinned cell has its own height (below the import's 9000 m ceiling).
  auto z = [](int p, int k) { return (float)((p % 90) * 100 + k % 90); };
  ASSERT_TRUE(write_model(tif, "GTiff", 34, -118, z));
  ASSERT_TRUE(import(tif));
  for (int q : {0, 1, 57, 119, 120})
    for (int r : {0, 3, 119, 120}) {
      // Samples 10q - 5 ... 10q + 4 round to q; the last of them stays.
      int p = q == 120 ? 1200 : 10 * q + 4, k = r == 120 ? 1200 : 10 * r + 4;
      EXPECT_EQ(int_rawz[q][r], z(p, k)) << q << "," << r;
    }
}

TEST_F(Import, FlatAndEvenSlopesLeaveTheGridEven) {
  fs::path tif = dir.root / "r.tif";
  // Gentle and steep, along each axis and across both.
  struct ramp { float ap, ak, c; } ramps[] = {{0, 0, 250}, {0.3f, 0, 10}, {0, 0.7f, 10}, {0.2f, 0.1f, 900},
                                              {1.0f, 0.5f, 100}};
  for (const ramp& r : ramps) {
    ASSERT_TRUE(write_model(tif, "GTiff", 36, -112, [&](int p, int k) { return r.c + r.ap * p + r.ak * k; }));
    ASSERT_TRUE(import(tif));
    EXPECT_LT(max_drift(), 0.05f) << r.ap << " " << r.ak;
    EXPECT_NEAR(planez[30][40], r.c + r.ap * 30 * 1200 / 59.0f + r.ak * 40 * 1200 / 79.0f, 0.03f);
  }
}

TEST_F(Import, DiagonalJoinsTheCornersThatDifferLess) {
  fs::path tif = dir.root / "d.tif";
  // z = 2 m x (i + j) on the grid's own points.
  ASSERT_TRUE(write_model(tif, "GTiff", 36, -112, [](int p, int k) { return 2 * (59 * p / 1200.0f + 79 * k / 1200.0f); }));
  ASSERT_TRUE(import(tif));
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) ASSERT_EQ(planediv[i][j], 0) << i << "," << j;
  // Mirrored: z = 2 m x (i - j) joins the other pair.
  ASSERT_TRUE(write_model(tif, "GTiff", 36, -112, [](int p, int k) { return 300 + 2 * (59 * p / 1200.0f - 79 * k / 1200.0f); }));
  ASSERT_TRUE(import(tif));
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) ASSERT_EQ(planediv[i][j], 1) << i << "," << j;
  // Ties go either way.
  ASSERT_TRUE(write_model(tif, "GTiff", 36, -112, [](int, int) { return 700.0f; }));
  int ones = 0;
  plat_srand(3);
  ASSERT_TRUE(import(tif));
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) ones += planediv[i][j];
  EXPECT_GT(ones, 1000);
  EXPECT_LT(ones, 59 * 79 - 1000);
}

static int water_count() {
  int n = 0;
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) n += on_water[i][j][0] + on_water[i][j][1];
  return n;
}

TEST_F(Import, FlatGroundIsWaterNorthOf28AndOnlySeaLevelSouthOfIt) {
  fs::path tif = dir.root / "w.tif";
  const int all = 2 * CELLS_I * CELLS_J;
  ASSERT_TRUE(write_model(tif, "GTiff", 34, -118, [](int, int) { return 0.0f; }));
  ASSERT_TRUE(import(tif));
  EXPECT_EQ(water_count(), all);
  ASSERT_TRUE(write_model(tif, "GTiff", 34, -118, [](int, int) { return 12.0f; }));
  ASSERT_TRUE(import(tif));
  EXPECT_EQ(water_count(), all);  // a lake
  ASSERT_TRUE(write_model(tif, "GTiff", 27, -90, [](int, int) { return 12.0f; }));
  ASSERT_TRUE(import(tif));
  EXPECT_EQ(water_count(), 0);
  // South of 28: the sea-level half is water, the raised half is not.
  ASSERT_TRUE(write_model(tif, "GTiff", 27, -90, [](int p, int) { return p < 600 ? 0.0f : 5.0f; }));
  ASSERT_TRUE(import(tif));
  EXPECT_GT(water_count(), all / 3);
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++)
      for (int t = 0; t < 2; t++)
        if (on_water[i][j][t]) {
          int ii[3], jj[3];
          tri_points(i, j, t, ii, jj);
          for (int k = 0; k < 3; k++) ASSERT_LE(std::fabs(planez[ii[k]][jj[k]]), 1.5f);
        }
}

TEST_F(Import, AnUnreadableFileLeavesTheQuadrantAlone) {
  fill_quadrant(33, -119);
  msc.map_dirty = 0;
  auto before = std::make_unique<snapshot>(), after = std::make_unique<snapshot>();
  before->take();
  std::ofstream(dir.root / "junk.dem") << "not an elevation model\n";
  fs::create_directories(dir.root / "folder.dem");
  ASSERT_TRUE(write_model(dir.root / "far.tif", "GTiff", 34, -118, [](int, int) { return 5.0f; }));
  fs::resize_file(dir.root / "far.tif", 3000);  // cut short
  ASSERT_EQ(mkfifo((dir.root / "pipe.dem").c_str(), 0600), 0);  // never waited on
  const std::pair<const char*, const char*> cases[] = {{"junk.dem", "not an elevation model"},
                                                       {"missing.dem", "There is no such file."},
                                                       {"folder.dem", "not a regular file"},
                                                       {"pipe.dem", "not a regular file"},
                                                       {"far.tif", "cut short"}};
  for (const auto& [f, why] : cases) {
    desk_alert_record_clear();
    EXPECT_FALSE(import(dir.root / f)) << f;
    EXPECT_EQ(last_alert().substr(0, 20), "Unable to read file!") << f;
    EXPECT_NE(last_alert().find(why), std::string::npos) << f << ": " << last_alert();
    EXPECT_EQ(msc.map_latfile, 33);
    EXPECT_EQ(msc.map_lonfile, -119);
    EXPECT_EQ(msc.map_dirty, 0);
    after->take();
    EXPECT_EQ(std::memcmp(before.get(), after.get(), sizeof *after), 0) << f;
  }
  // A later save still goes to the quadrant the grid holds.
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  EXPECT_TRUE(fs::exists(dir.nav_dir() / "+030-120" / "+033-119.env"));
  EXPECT_FALSE(fs::exists(dir.nav_dir() / "+030-120" / "+034-118.env"));
}

TEST_F(Import, TheImportIsUnsavedWorkOfItsOwnCorner) {
  fill_quadrant(33, -119);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  // The new corner's own file has an obstacle, which the import keeps.
  fill_quadrant(34, -118);
  ASSERT_TRUE(writeout(MODE_TERRAIN, nullptr));
  read_quadrant(33, -119);
  fs::path tif = dir.root / "h.tif";
  ASSERT_TRUE(write_model(tif, "GTiff", 34, -118, hills));
  ASSERT_TRUE(import(tif));
  EXPECT_EQ(msc.map_dirty, 1);
  EXPECT_EQ(msc.map_loaded_lat, 34);
  EXPECT_EQ(msc.map_loaded_lon, -118);
  EXPECT_NEAR(planez[30][40], findz(planelon[30][40], planelat[30][40]), 1.1f);
  EXPECT_EQ(obs_type[0], 2);
  // Changing the quadrant asks first; cancel keeps the import.
  desk_answer_push_button(2);
  change_quadrant(35, -118);
  EXPECT_EQ(msc.map_latfile, 34);
  EXPECT_EQ(msc.map_dirty, 1);
  // Save writes it under its own corner before the grid moves on.
  desk_answer_push_button(0);
  float z = planez[30][40];
  change_quadrant(35, -118);
  EXPECT_EQ(msc.map_latfile, 35);
  read_quadrant(34, -118);
  EXPECT_EQ(planez[30][40], z);
}
