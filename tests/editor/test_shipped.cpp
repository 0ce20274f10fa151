// The shipped scenery against the elevation data it was made from.
#include <gdal.h>
#include <cmath>
#include "editor_fixture.h"

// The data's own height at a place: the 30-second cell that holds it.
static float data_height(const char* file, float lat, float lon) {
  GDALAllRegister();
  std::string path = std::string(TARVEL_TEST_DIR) + "/../tools/worldgen/source/elevation/" + file;
  GDALDatasetH ds = GDALOpen(path.c_str(), GA_ReadOnly);
  if (!ds) return NAN;
  double gt[6];
  GDALGetGeoTransform(ds, gt);
  int c = (int)std::floor((lon - gt[0]) / gt[1]), r = (int)std::floor((lat - gt[3]) / gt[5]);
  float v = NAN;
  if (GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Read, c, r, 1, 1, &v, 1, 1, GDT_Float32, 0, 0) != CE_None) v = NAN;
  GDALClose(ds);
  return v;
}

// The shipped grid's height at a place: its triangle's plane there.
static float grid_height(float lat, float lon, int* water) {
  std::snprintf(app_path, STR_DIM, "%s", TARVEL_SOURCE_DATA_DIR);
  int qlat = (int)std::floor(lat), qlon = (int)std::floor(lon);
  msc.map_latfile = qlat, msc.map_lonfile = qlon;
  if (!read_quadrant(qlat, qlon)) return NAN;
  int i, j, t;
  if (!find_tri_with_loc(lat, lon, &i, &j, &t)) return NAN;
  int ii[3], jj[3];
  tri_points(i, j, t, ii, jj);
  float x[3], y[3], z[3];
  for (int k = 0; k < 3; k++) x[k] = planelon[ii[k]][jj[k]], y[k] = planelat[ii[k]][jj[k]], z[k] = planez[ii[k]][jj[k]];
  float d = (y[1] - y[2]) * (x[0] - x[2]) + (x[2] - x[1]) * (y[0] - y[2]);
  float a = ((y[1] - y[2]) * (lon - x[2]) + (x[2] - x[1]) * (lat - y[2])) / d;
  float b = ((y[2] - y[0]) * (lon - x[2]) + (x[0] - x[2]) * (lat - y[2])) / d;
  *water = on_water[i][j][t];
  return a * z[0] + b * z[1] + (1 - a - b) * z[2];
}

TEST(ShippedScenery, HeightsFollowTheElevationData) {
  editor_dir dir;
  editor_reset(dir);
  struct place { const char* name; float lat, lon; int water; } places[] = {
      {"Mt San Antonio", 34.29f, -117.65f, 0},
      {"San Bernardino airport", 34.0954f, -117.2349f, 0},
      {"LAX", 33.9425f, -118.4081f, 0},
      {"the Pacific", 33.5f, -118.8f, 1},
  };
  for (const place& p : places) {
    float want = data_height("gmted2010_md30_crop_northridge.tif", p.lat, p.lon);
    ASSERT_TRUE(std::isfinite(want)) << p.name;
    int water = -1;
    float got = grid_height(p.lat, p.lon, &water);
    EXPECT_NEAR(got, want, std::fmax(30.0f, 0.1f * want)) << p.name;
    EXPECT_EQ(water, p.water) << p.name;
  }
  // The mountains stand far above the basin the airport lies in.
  int w;
  EXPECT_GT(grid_height(34.29f, -117.65f, &w) - grid_height(34.0954f, -117.2349f, &w), 2000);
}
