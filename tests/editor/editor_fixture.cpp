#include "editor_fixture.h"
#include <gdal.h>
#include <cpl_conv.h>
#include <ogr_srs_api.h>
#include <unistd.h>
#include <cstring>
#include <fstream>
#include <regex>
#include <sstream>
#include <vector>

static int serial = 0;

editor_dir::editor_dir() {
  root = fs::temp_directory_path() / ("gridwright_" + std::to_string(getpid()) + "_" + std::to_string(serial++));
  fs::remove_all(root);
  fs::create_directories(root);
}

editor_dir::~editor_dir() {
  std::error_code ec;
  fs::remove_all(root, ec);
}

void editor_reset(const editor_dir& dir) {
  std::snprintf(app_path, STR_DIM, "%s", dir.root.c_str());
  std::snprintf(prefs_path, STR_DIM, "%s/Gridwright.prf", dir.root.c_str());
  std::memset(&msc, 0, sizeof msc);
  init_data(0);
  desk_alert_record_clear();
  desk_answer_clear();
}

std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string last_alert() {
  int n = desk_alert_count();
  return n > 0 ? desk_alert_text(n - 1) : "";
}

int write_model(const fs::path& path, const char* driver, int lat, int lon,
                const std::function<float(int p, int k)>& z) {
  GDALAllRegister();
  GDALDriverH mem = GDALGetDriverByName("MEM"), out = GDALGetDriverByName(driver);
  if (!mem || !out) return 0;
  int integer = std::strcmp(driver, "GTiff") != 0;
  GDALDatasetH ds = GDALCreate(mem, "", 1201, 1201, 1, integer ? GDT_Int16 : GDT_Float32, nullptr);
  double gt[6] = {lon - 1.5 / 3600, 3.0 / 3600, 0, lat + 1 + 1.5 / 3600, 0, -3.0 / 3600};
  GDALSetGeoTransform(ds, gt);
  OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
  OSRImportFromEPSG(srs, 4326);
  char* wkt = nullptr;
  OSRExportToWkt(srs, &wkt);
  GDALSetProjection(ds, wkt);
  CPLFree(wkt);
  OSRDestroySpatialReference(srs);
  std::vector<float> px(1201 * 1201);
  for (int row = 0; row < 1201; row++)
    for (int p = 0; p < 1201; p++) px[(size_t)row * 1201 + p] = z(p, 1200 - row);
  if (GDALRasterIO(GDALGetRasterBand(ds, 1), GF_Write, 0, 0, 1201, 1201, px.data(), 1201, 1201, GDT_Float32, 0, 0) != CE_None) {
    GDALClose(ds);
    return 0;
  }
  const char* dem_opts[] = {"PRODUCT=DEFAULT", nullptr};
  CPLPushErrorHandler(CPLQuietErrorHandler);
  GDALDatasetH copy = GDALCreateCopy(out, path.c_str(), ds, 0,
                                     std::strcmp(driver, "USGSDEM") == 0 ? (char**)dem_opts : nullptr, nullptr, nullptr);
  CPLPopErrorHandler();
  GDALClose(ds);
  if (!copy) return 0;
  GDALClose(copy);
  return 1;
}

void dem_to_decimal_headers(const fs::path& from, const fs::path& to) {
  std::string s = read_file(from);
  const std::regex num("-?[0-9]\\.[0-9]+D[+-][0-9][0-9]");
  // Each profile starts a block of its own after the 1024-byte header record.
  for (size_t at = 1024; at + 144 <= s.size(); at += 1024) {
    std::string head = s.substr(at, 144);
    if (head.compare(0, 12, "            ") == 0 || head.find("D+") == std::string::npos) continue;
    std::string out;
    size_t last = 0;
    for (std::sregex_iterator it(head.begin(), head.end(), num), end; it != end; ++it) {
      std::string m = it->str();
      std::string e = m;
      e[e.find('D')] = 'E';
      char plain[40];
      std::snprintf(plain, sizeof plain, "%*.1f", (int)m.size(), std::strtod(e.c_str(), nullptr));
      out += head.substr(last, it->position() - last) + plain;
      last = it->position() + m.size();
    }
    out += head.substr(last);
    s.replace(at, 144, out.substr(0, 144));
  }
  std::ofstream o(to, std::ios::binary);
  o << s;
}

void fill_quadrant(int lat, int lon) {
  msc.map_latfile = msc.map_loaded_lat = lat;
  msc.map_lonfile = msc.map_loaded_lon = lon;
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) {
      planelat[i][j] = lat + j / 79.0f + ((i > 0 && i < 59 && j > 0 && j < 79) ? 0.002f * ((i * 7 + j) % 3 - 1) : 0);
      planelon[i][j] = lon + i / 59.0f;
      planez[i][j] = 100.5f + 37 * i - 11 * j + 0.25f * (i * j % 5);
      planediv[i][j] = (i + 2 * j) % 3 == 0;
      on_water[i][j][0] = i < 5;
      on_water[i][j][1] = i < 4 || (j % 11 == 0);
      planetex[i][j] = (i * j) % 13 == 0 ? 2000 + (i + j) % 8 : 0;
    }
  for (int n = 0; n < OBS_MAX; n++) obs_type[n] = 0;
  obs_type[0] = 2, obs_lat[0] = lat + 0.5f, obs_lon[0] = lon + 0.25f, obs_dz[0] = 80;
  obs_type[1] = 3, obs_lat[1] = lat + 0.7f, obs_lon[1] = lon + 0.6f, obs_dz[1] = 400;
  obs_type[5] = 8, obs_lat[5] = lat + 0.1f, obs_lon[5] = lon + 0.9f, obs_dz[5] = 5000;
  std::strcpy(obj_name[5], "Old Baldy");
  obs_type[7] = 4, obs_lat[7] = lat + 0.3f, obs_lon[7] = (float)(lon + 1), obs_dz[7] = 250;  // the east edge
  obs_type[9] = 5, obs_lat[9] = lat + 1.3f, obs_lon[9] = lon + 0.5f, obs_dz[9] = 90;       // another quadrant's
  std::strcpy(texname[0], "grass");
  std::strcpy(texname[7], "rock");
}
