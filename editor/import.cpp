// Elevation import: a model file read through GDAL (the one-degree elevation
// files in both their header forms, SRTM tiles, GeoTIFF and the rest of what
// GDAL reads), resampled to the one-degree 1201 x 1201 grid and thinned to
// 121 x 121 heights, from which the quadrant's grid is built.
#include <gdal.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "editor/ed.h"

float int_rawz[RAW_N][RAW_N];
float i_in_size = 120, j_in_size = 120;
int   int_regwet[QI][QJ][2];

enum { SAMPLES = 1201 };

static void log_line(const char* what, const char* path) {
  if (err) std::fprintf(err, "%s: %s\n", what, path);
}

static void quiet_gdal(CPLErr, CPLErrorNum, const char* msg) {
  if (err) std::fprintf(err, "GDAL: %s\n", msg);
}

// Where the file lies: a file of about one degree names its own quadrant;
// a larger one must hold the current quadrant.
static int choose_corner(const double* gt, int w, int h, int* lat, int* lon) {
  double x0 = gt[0], x1 = gt[0] + w * gt[1], y1 = gt[3], y0 = gt[3] + h * gt[5];
  double px = std::fabs(gt[1]), py = std::fabs(gt[5]);
  if (x1 - x0 <= 1 + 2.5 * px && y1 - y0 <= 1 + 2.5 * py) {
    *lon = flt_to_int(std::floor(x0 + px / 2 + 1e-7));
    *lat = flt_to_int(std::floor(y0 + py / 2 + 1e-7));
  } else {
    *lon = msc.map_lonfile;
    *lat = msc.map_latfile;
  }
  // Sample centres must cover the degree (half a pixel of slack at each edge).
  return x0 <= *lon + px && x1 >= *lon + 1 - px && y0 <= *lat + py && y1 >= *lat + 1 - py;
}

// Why the last read_model failed, as a line for the alert.
static const char* model_problem = "";

// Heights of the file into raw, corner into lat and lon; 1 on success.
static int read_model(const char* path, int* lat, int* lon, float (*raw)[RAW_N]) {
  // GDAL would wait for ever on a pipe: only a regular file is opened.
  int kind = file_kind(path);
  if (kind != INF_OK) {
    model_problem = inf_why_text(kind);
    log_line(model_problem, path);
    return 0;
  }
  model_problem = "It is not an elevation model that can be read.";
  static int registered = 0;
  if (!registered) {
    GDALAllRegister();
    registered = 1;
  }
  CPLPushErrorHandler(quiet_gdal);
  GDALDatasetH ds = GDALOpen(path, GA_ReadOnly);
  CPLPopErrorHandler();
  if (!ds) {
    log_line("Can't open the elevation file", path);
    return 0;
  }
  double gt[6];
  if (GDALGetRasterCount(ds) < 1 || GDALGetGeoTransform(ds, gt) != CE_None) {
    // A model cut short loses the position its tags at the end held.
    model_problem = "Its place on the globe cannot be read: the file may be cut short.";
    log_line(model_problem, path);
    GDALClose(ds);
    return 0;
  }
  int ok = gt[2] == 0 && gt[4] == 0 && gt[1] > 0 && gt[5] < 0;
  // Only latitude and longitude grids: a projected model would need a reprojection.
  const char* wkt = GDALGetProjectionRef(ds);
  if (ok && wkt && wkt[0] && (std::strstr(wkt, "PROJCS") || std::strstr(wkt, "PROJCRS"))) ok = 0;
  int w = GDALGetRasterXSize(ds), h = GDALGetRasterYSize(ds);
  if (ok) ok = choose_corner(gt, w, h, lat, lon);
  if (!ok) {
    model_problem = "It is not a latitude-longitude model holding one whole degree.";
    log_line(model_problem, path);
    GDALClose(ds);
    return 0;
  }
  // The window of pixels around the degree.
  int c0 = intlim(flt_to_int(std::floor((*lon - gt[0]) / gt[1])) - 1, 0, w - 1);
  int c1 = intlim(flt_to_int(std::ceil((*lon + 1 - gt[0]) / gt[1])) + 1, 0, w - 1);
  int r0 = intlim(flt_to_int(std::floor((*lat + 1 - gt[3]) / gt[5])) - 1, 0, h - 1);
  int r1 = intlim(flt_to_int(std::ceil((*lat - gt[3]) / gt[5])) + 1, 0, h - 1);
  int nw = c1 - c0 + 1, nh = r1 - r0 + 1;
  std::vector<float> px((size_t)nw * nh);
  GDALRasterBandH band = GDALGetRasterBand(ds, 1);
  CPLPushErrorHandler(quiet_gdal);
  CPLErr e = GDALRasterIO(band, GF_Read, c0, r0, nw, nh, px.data(), nw, nh, GDT_Float32, 0, 0);
  CPLPopErrorHandler();
  int has_nodata = 0;
  double nodata = GDALGetRasterNoDataValue(band, &has_nodata);
  GDALClose(ds);
  if (e != CE_None) {
    model_problem = "Its heights cannot be read: the file may be cut short.";
    log_line(model_problem, path);
    return 0;
  }
  // Voids count as sea level.
  for (float& v : px)
    if (!std::isfinite(v) || (has_nodata && v == (float)nodata) || v < -11000 || v > 9000) v = 0;
  auto at = [&](int c, int r) { return px[(size_t)intlim(r - r0, 0, nh - 1) * nw + intlim(c - c0, 0, nw - 1)]; };
  // Profile p (west to east), sample k (south to north) of the one-degree
  // grid; a later sample overwrites an earlier one of the same thinned cell.
  for (int p = 0; p < SAMPLES; p++) {
    double x = (*lon + p / 1200.0 - gt[0]) / gt[1] - 0.5;
    int cx = flt_to_int(std::floor(x + 1e-9));
    double u = std::fmax(0.0, x - cx);
    for (int k = 0; k < SAMPLES; k++) {
      double y = (*lat + k / 1200.0 - gt[3]) / gt[5] - 0.5;
      int ry = flt_to_int(std::floor(y + 1e-9));
      double v = std::fmax(0.0, y - ry);
      double top = at(cx, ry) + u * (at(cx + 1, ry) - at(cx, ry));
      double bot = at(cx, ry + 1) + u * (at(cx + 1, ry + 1) - at(cx, ry + 1));
      float z = (float)(top + v * (bot - top));
      raw[bk::round(p / 10.0f)][bk::round(k / 10.0f)] = z;
    }
  }
  return 1;
}

int import_USGS(const char* name, const char* path) {
  // Into temporaries first: a failed read leaves the quadrant as it was.
  static float raw[RAW_N][RAW_N];
  int lat = 0, lon = 0;
  if (!read_model(path, &lat, &lon, raw)) {
    ed_alert("Unable to read file!", name, model_problem, "");
    return 0;
  }
  msc.map_latfile = lat;
  msc.map_lonfile = lon;
  std::memcpy(int_rawz, raw, sizeof raw);
  i_in_size = j_in_size = 120;
  set_grid_water_diags();
  // The grid now belongs to this corner, and it has not been saved yet.
  msc.map_loaded_lat = lat;
  msc.map_loaded_lon = lon;
  msc.map_dirty = 1;
  return 1;
}
