// The region around the aircraft: six one-degree quadrants read from
// environment files, slid one degree at a time, with the cloud layer and the
// weather field generated over it.
#include "sim/world/grid.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_env.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/bk_world.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/obs.h"

float planex[GRID_I][GRID_J], planey[GRID_I][GRID_J], planez[GRID_I][GRID_J];
int   planediv[GRID_I][GRID_J];
int   planecol[GRID_I][GRID_J][2];
int   on_water[GRID_I][GRID_J][2], on_field[GRID_I][GRID_J][2], on_cliff[GRID_I][GRID_J][2];
int   light_on_poly[GRID_I][GRID_J][2];
float cityx[GRID_I][GRID_J][2][3], cityy[GRID_I][GRID_J][2][3], cityz[GRID_I][GRID_J][2][3];
int   on_fire_now[GRID_I][GRID_J][2], was_on_fire[GRID_I][GRID_J][2];
int   boat_on_poly[GRID_I][GRID_J], carr_on_poly[GRID_I][GRID_J];
int   beacon_index[GRID_I][GRID_J];
float cloudx[CLOUD_I][CLOUD_J], cloudy[CLOUD_I][CLOUD_J], cloudz[CLOUD_I][CLOUD_J];
int   clouddiv[CLOUD_I][CLOUD_J];
int   cloudcol[CLOUD_I][CLOUD_J][2];
char  env_data_root[STR_DIM];

static const float DEG_M = 60.0f * 1852.0f;   // one degree of latitude, metres
static const float FT = 0.3048f;
static const float NO_FILE_ABOVE = 100000.0f * 0.3048f;

// y of the region's south edge: planey[0][0] once the grid is read.
static float y_org = 0;
// Quadrants that stay through a slide: their points are not read again.
static int kept[3][2];

// ---- coordinates ----

float env_y_of_lat(float lat) { return (lat - env.lat_sou) * DEG_M + planey[0][0]; }

float env_x_of_latlon(float lat, float lon) {
  // In floating point first: a position far outside the region must not overflow an int.
  float fi = fltlim((float)std::floor(lon) - env.lon_wes, 0, 2), fj = fltlim((float)std::floor(lat) - env.lat_sou, 0, 1);
  int i = flt_to_int(fi), j = flt_to_int(fj);
  return (lon - env.lonwes_ref[i][j]) * DEG_M * (float)std::cos(lat * 0.017453292519943295) +
         env.planex_ref[i][j];
}

void env_file_name(int lat, int lon, int with_folder, char* name) {
  // Longitudes past the date line name the same cell on the other side.
  lon = ((lon + 180) % 360 + 360) % 360 - 180;
  return_latlon_str_ENV(lat, lon, name, with_folder);
}

// ---- opening a quadrant's file, in the search order ----

// Opens the quadrant's file into inf; 0 when there is none. path gets its name.
static int open_env_file(int lat, int lon, char* path) {
  if (flt.z >= NO_FILE_ABOVE) return 0;
  return env_open_quadrant(app_path, env_data_root[0] ? env_data_root : app_path, lat, lon, path);
}

// ---- reading one quadrant ----

struct aptbox { float x1, x2, y1, y2, z; };
static aptbox boxes[REG_LIST_MAX][3];

static void collect_airport_boxes(int lat, int lon) {
  for (int a = 0; a < REG_LIST_MAX; a++)
    for (int r = 0; r < 3; r++) boxes[a][r].z = -999;
  int count = 0;
  for (int n = 0; n <= env.aptmax; n++) {
    if (apt_lat[n][0] < lat - 0.1f || apt_lat[n][0] > lat + 1.1f) continue;
    if (apt_lon[n][0] < lon - 0.1f || apt_lon[n][0] > lon + 1.1f) continue;
    int a = intlim(count++, 0, REG_LIST_MAX - 1);
    for (int r = 0; r < 3; r++) {
      boxes[a][r].z = -999;
      if (apt_len[n][r] <= 0) continue;
      float cx = env_x_of_latlon(apt_lat[n][r], apt_lon[n][r]), cy = env_y_of_lat(apt_lat[n][r]);
      float sh = isin(apt_hdng[n][r]), ch = icos(apt_hdng[n][r]);
      float half = 0.5f * apt_len[n][r], wid = (float)apt_width[n][r];
      aptbox b = {1e30f, -1e30f, 1e30f, -1e30f, apt_z[n]};
      for (int s = -1; s <= 1; s += 2)
        for (int k = 0; k < 2; k++) {
          float w = k ? 4.5f * wid : -0.5f * wid;
          float x = cx + s * half * sh + w * ch, y = cy + s * half * ch - w * sh;
          b.x1 = fltmin2(b.x1, x); b.x2 = fltmax2(b.x2, x);
          b.y1 = fltmin2(b.y1, y); b.y2 = fltmax2(b.y2, y);
        }
      boxes[a][r] = b;
    }
  }
}

// A point's values, made safe: edges of a quadrant are the regular corner
// grid (so neighbouring files meet), inner points stay within their quadrant.
static void sane_point(float* la, float* lo, float* z, int lat, int lon, int i, int j) {
  float la0 = lat + j / 79.0f, lo0 = lon + i / 59.0f;
  if (i == 0 || i == 59 || !std::isfinite(*lo)) *lo = lo0;
  if (j == 0 || j == 79 || !std::isfinite(*la)) *la = la0;
  *la = fltlim(*la, (float)lat, lat + 1.0f);
  *lo = fltlim(*lo, (float)lon, lon + 1.0f);
  if (!std::isfinite(*z)) *z = 0;
  *z = fltlim(*z, -1000.0f, 9000.0f);
}

// A point on a quadrant's edge is shared with its neighbours; a full load
// leaves it with the value of the last of them read (the highest quadrant
// number). A slide keeps that rule: a new quadrant does not write a point that
// a kept quadrant of higher number shares.
static int point_is_kept(int qx, int qy, int i, int j) {
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (dx == 0 && dy == 0) continue;
      if ((dx == 1 && i != 59) || (dx == -1 && i != 0) || (dy == 1 && j != 79) || (dy == -1 && j != 0)) continue;
      int nx = qx + dx, ny = qy + dy;
      if (nx < 0 || nx > 2 || ny < 0 || ny > 1) continue;
      if (nx + 3 * ny > qx + 3 * qy && kept[nx][ny]) return 1;
    }
  return 0;
}

// Where no file exists: the quadrant from the global models, its runways
// those of the database.
int build_env_quadrant(int lat, int lon, envquad* q) {
  static wldrunway rwy[WLD_RUNWAYS_MAX];
  int n = 0;
  for (int a = 0; a <= env.aptmax && a < APT_MAX && n < WLD_RUNWAYS_MAX; a++) {
    if (apt_type[a] == 0 || apt_lat[a][0] < lat - 0.2f || apt_lat[a][0] > lat + 1.2f) continue;
    float dlon = std::fabs(std::remainder(apt_lon[a][0] - (lon + 0.5f), 360.0f));
    if (dlon > 0.75f) continue;
    for (int r = 0; r < 3 && n < WLD_RUNWAYS_MAX; r++)
      if (apt_len[a][r] > 0)
        rwy[n++] = wldrunway{apt_lat[a][r], apt_lon[a][r], (float)apt_hdng[a][r], (float)apt_len[a][r],
                             (float)apt_width[a][r], apt_z[a]};
  }
  return build_quadrant(lat, lon, rwy, n, WLD_SEED, q);
}

static void read_points(int have_file, const envquad* built, const char* label, int lat, int lon, int qx, int qy) {
  int i0 = QUAD_CELLS_I * qx, j0 = QUAD_CELLS_J * qy;
  float ref_x = env.planex_ref[qx][qy];
  int ref_lon = env.lonwes_ref[qx][qy];
  for (int j = 0; j < 80; j++)
    for (int i = 0; i < 60; i++) {
      float la, lo, z;
      int div = 0, w0 = 1, w1 = 1, tex;
      if (have_file) {
        env_scan_point(label, &la, &lo, &z, &div, &w0, &w1, &tex);
      } else if (built) {
        la = built->lat[i][j];
        lo = built->lon[i][j];
        z = built->z[i][j];
        div = built->div[i][j];
        w0 = built->water[i][j][0];
        w1 = built->water[i][j][1];
      } else {
        la = lat + j / 79.0f;
        lo = lon + i / 59.0f;
        z = 0;
      }
      // Past the date line a file names its points -180..-179 where the region counts on to 181.
      if (std::isfinite(lo)) lo = lon + std::remainder(lo - lon, 360.0f);
      sane_point(&la, &lo, &z, lat, lon, i, j);
      int gi = i0 + i, gj = j0 + j;
      if (!point_is_kept(qx, qy, i, j)) {
        planex[gi][gj] = (lo - ref_lon) * DEG_M * (float)std::cos(la * 0.017453292519943295) + ref_x;
        planey[gi][gj] = (la - env.lat_sou) * DEG_M + y_org;
        planez[gi][gj] = z;
      }
      if (i < 59 && j < 79) {
        planediv[gi][gj] = div;
        on_water[gi][gj][0] = w0;
        on_water[gi][gj][1] = w1;
        on_field[gi][gj][0] = on_field[gi][gj][1] = 0;
        on_fire_now[gi][gj][0] = on_fire_now[gi][gj][1] = 0;
        was_on_fire[gi][gj][0] = was_on_fire[gi][gj][1] = 0;
      }
    }
}

static void flatten_airports(int i0, int j0) {
  // Only the runways there are, in the order of the slots (the last wins).
  const aptbox* live[REG_LIST_MAX * 3];
  int n = 0;
  for (int a = 0; a < REG_LIST_MAX; a++)
    for (int r = 0; r < 3; r++)
      if (boxes[a][r].z > -998) live[n++] = &boxes[a][r];
  if (!n) return;
  for (int i = i0; i < i0 + QUAD_CELLS_I; i++)
    for (int j = j0; j < j0 + QUAD_CELLS_J; j++) {
      float x1 = fltmin4(planex[i][j], planex[i + 1][j], planex[i][j + 1], planex[i + 1][j + 1]);
      float x2 = fltmax4(planex[i][j], planex[i + 1][j], planex[i][j + 1], planex[i + 1][j + 1]);
      float y1 = fltmin4(planey[i][j], planey[i + 1][j], planey[i][j + 1], planey[i + 1][j + 1]);
      float y2 = fltmax4(planey[i][j], planey[i + 1][j], planey[i][j + 1], planey[i + 1][j + 1]);
      for (int k = 0; k < n; k++) {
        const aptbox& b = *live[k];
        if (b.x2 < x1 || b.x1 > x2 || b.y2 < y1 || b.y1 > y2) continue;
        planez[i][j] = planez[i + 1][j] = planez[i][j + 1] = planez[i + 1][j + 1] = b.z;
        for (int t = 0; t < 2; t++) {
          on_field[i][j][t] = 1;
          on_water[i][j][t] = 0;
        }
      }
    }
}

static void place_object(int type, float la, float lo, float h, int ci, int cj, int lat, int lon) {
  if (!std::isfinite(la) || !std::isfinite(lo) || !std::isfinite(h)) return;
  if (la < lat - 0.5f || la > lat + 1.5f || lo < lon - 0.5f || lo > lon + 1.5f) return;  // not of this quadrant
  int i0 = QUAD_CELLS_I * (lon - env.lon_wes), j0 = QUAD_CELLS_J * (lat - env.lat_sou);
  h *= FT;
  if (h <= 0 || h > 1000) return;
  int gi = i0 + intlim(ci, 0, QUAD_CELLS_I - 1), gj = j0 + intlim(cj, 0, QUAD_CELLS_J - 1);
  if (type == 2) make_a_bldng(la, lo, h, h < 130 ? 2 : intrand(90, 92), gi, gj);
  else if (type == 3 || type == 4) make_a_tower(la, lo, h, type, gi, gj);
  else if (type == 5 || type == 6) make_a_bldng(la, lo, h, type, gi, gj);
}

static void read_objects(const char* label, const char* path, int lat, int lon) {
  if (!inf_is_bin && intscan(label) != 1) MACIBM_exitalert("Env file checkpoint busted!", path, "", "");
  while (1) {
    float la = 0, lo = 0, h = 0;
    int ci = 0, cj = 0;
    char name[ENV_NAME_DIM];
    int type = env_scan_object(label, &la, &lo, &h, &ci, &cj, name);
    if (type == ENV_END) break;
    if (type >= 1 && type <= 6) {
      place_object(type, la, lo, h, ci, cj, lat, lon);
    } else if (type != 8) {
      char num[STR_DIM];
      std::snprintf(num, sizeof num, "object type %d", type);
      MACIBM_exitalert("Unknown object in environment file!", num, "file:", path);
    }
  }
}

static void corners(int i, int j, int tri, float* x, float* y, float* z) {
  int ii[3], jj[3];
  convert_ij_dxy(i, j, tri, &ii[0], &jj[0], &ii[1], &jj[1], &ii[2], &jj[2], planediv[i][j]);
  for (int k = 0; k < 3; k++) {
    x[k] = planex[ii[k]][jj[k]];
    y[k] = planey[ii[k]][jj[k]];
    z[k] = planez[ii[k]][jj[k]];
  }
}

static float grade(float dz, float d) { return std::fabs(d) < 1e-3f ? 0.0f : std::fabs(dz / d); }

static void colour_cells(int i0, int j0) {
  for (int i = i0; i < i0 + QUAD_CELLS_I; i++)
    for (int j = j0; j < j0 + QUAD_CELLS_J; j++)
      for (int t = 0; t < 2; t++) {
        on_cliff[i][j][t] = 0;
        if (on_water[i][j][t]) {
          planecol[i][j][t] = COL_WATER;
          continue;
        }
        float x[3], y[3], z[3];
        corners(i, j, t, x, y, z);
        float s = grade(z[0] - z[2], y[0] - y[2]) + grade(z[0] - z[1], x[0] - x[1]);
        if (s >= 0.15f) {
          on_cliff[i][j][t] = 1;
          planecol[i][j][t] = intlim(bk::round(interp(0.15f, 75, 0.6f, 78, s)), 75, 78);
        } else {
          planecol[i][j][t] = intlim(bk::round(interp(0, 65, 0.15f, 74, s)), 65, 74);
        }
      }
}

// Airport cells counted from the grid's south-west corner (a summed-area
// table), so that "any airport within four cells" is four look-ups.
static int field_sum[GRID_I][GRID_J];

static void count_fields() {
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      int here = on_field[i][j][0] || on_field[i][j][1];
      field_sum[i][j] = here + (i ? field_sum[i - 1][j] : 0) + (j ? field_sum[i][j - 1] : 0) -
                        (i && j ? field_sum[i - 1][j - 1] : 0);
    }
}

static int near_airport(int i, int j) {
  int a1 = intmax2(i - 4, 0), a2 = intmin2(i + 4, GRID_I - 2);
  int b1 = intmax2(j - 4, 0), b2 = intmin2(j + 4, GRID_J - 2);
  int n = field_sum[a2][b2] - (a1 ? field_sum[a1 - 1][b2] : 0) - (b1 ? field_sum[a2][b1 - 1] : 0) +
          (a1 && b1 ? field_sum[a1 - 1][b1 - 1] : 0);
  return n > 0;
}

// Over the quadrant's cells only: its last point column and row belong to the
// next quadrant's cells (or to none), whose lights must stay as they are.
static void light_cells(int have_file, int i0, int j0) {
  if (have_file) count_fields();
  for (int i = i0; i < i0 + QUAD_CELLS_I; i++)
    for (int j = j0; j < j0 + QUAD_CELLS_J; j++) {
      light_on_poly[i][j][0] = light_on_poly[i][j][1] = 0;
      if (!have_file) continue;
      int near = near_airport(i, j);
      for (int t = 0; t < 2; t++) {
        if (on_water[i][j][t] || on_field[i][j][t] || on_cliff[i][j][t]) continue;
        if (!near && intrand(1, 10) != 1) continue;
        light_on_poly[i][j][t] = 1;
        float x[3], y[3], z[3];
        corners(i, j, t, x, y, z);
        for (int k = 0; k < 3; k++) {
          float f1 = fltrand(0.01f, 0.99f), f2 = fltrand(0.01f, 0.99f);
          float ex = x[1] + f1 * (x[2] - x[1]), ey = y[1] + f1 * (y[2] - y[1]), ez = z[1] + f1 * (z[2] - z[1]);
          cityx[i][j][t][k] = x[0] + f2 * (ex - x[0]);
          cityy[i][j][t][k] = y[0] + f2 * (ey - y[0]);
          cityz[i][j][t][k] = z[0] + f2 * (ez - z[0]);
        }
      }
    }
}

static int land_tris(int i, int j) { return !on_water[i][j][0] + !on_water[i][j][1]; }

static void place_boats(int have_file, int i0, int j0) {
  for (int i = i0; i < i0 + QUAD_CELLS_I; i++)
    for (int j = j0; j < j0 + QUAD_CELLS_J; j++) boat_on_poly[i][j] = carr_on_poly[i][j] = 0;
  env.boat_cgx = env.boat_cgy = env.boat_cgz = 0;
  if (!have_file) return;
  int carrier = 0;
  for (int i = i0 + 1; i <= i0 + 57; i++)
    for (int j = j0 + 1; j <= j0 + 77; j++) {
      if (!on_water[i][j][0] || !on_water[i][j][1]) continue;
      int land = land_tris(i - 1, j) + land_tris(i + 1, j) + land_tris(i, j - 1) + land_tris(i, j + 1);
      if (land != 1) continue;
      if (fltrand(0, 1) < 0.1f) boat_on_poly[i][j] = 1;
      else if (!carrier) carrier = carr_on_poly[i][j] = 1;
    }
}

static void zero_wx(int quadrant) {
  int qx = quadrant % 3, qy = quadrant / 3;
  for (int i = 200 * qx; i <= 200 * qx + 200; i++)
    // The weather-radar field (atm.wxr) follows the region's quadrants.
    for (int j = 200 * qy; j <= 200 * qy + 200; j++) atm.wxr[i][j] = 0;
}

void read_quadrant(int lat, int lon, int quadrant) {
  quadrant = intlim(quadrant, 0, 5);
  int qx = quadrant % 3, qy = quadrant / 3;
  int i0 = QUAD_CELLS_I * qx, j0 = QUAD_CELLS_J * qy;
  collect_airport_boxes(lat, lon);
  char path[STR_DIM];
  int have_file = open_env_file(lat, lon, path);
  const char* label = path;  // scanning errors name the file, in either form
  // No file: the global models, when shipped; else the flat sea.
  static envquad built;
  int have_built = !have_file && flt.z < NO_FILE_ABOVE && build_env_quadrant(lat, lon, &built);
  read_points(have_file, have_built ? &built : nullptr, label, lat, lon, qx, qy);
  flatten_airports(i0, j0);
  if (have_file) {
    read_objects(label, path, lat, lon);
    inf.close();
  }
  colour_cells(i0, j0);
  light_cells(have_file, i0, j0);
  place_boats(have_file, i0, j0);
  if (have_file || have_built) gen_wx_for_sec(quadrant);
  else zero_wx(quadrant);
}

// ---- the whole region ----

void load_region() {
  env.lat_sou = intlim(env.lat_sou, -89, 87);
  env.lon_wes = ((env.lon_wes + 180) % 360 + 360) % 360 - 180;
  clear_obs_twr();
  planex[0][0] = planey[0][0] = 0;
  y_org = 0;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++) {
      env.lonwes_ref[i][j] = env.lon_wes;
      env.planex_ref[i][j] = 0;
      kept[i][j] = 0;
    }
  for (int i = 0; i < QUAD_CELLS_I; i++)
    for (int j = 0; j < QUAD_CELLS_J; j++) planez[i][j] = -9999;
  for (int q = 0; q < 6; q++) read_quadrant(env.lat_sou + q / 3, env.lon_wes + q % 3, q);
  finish_nav_readin();
  obs_twr_update = 1;
  for (int isec = 0; isec < 5; isec++)
    for (int jsec = 0; jsec < 4; jsec++) fill_a_sector_with_ocast(isec, jsec);
}

// ---- sliding ----

template <class T, int NI, int NJ>
static void move_block(T (&a)[NI][NJ], int i1, int i2, int j1, int j2, int di, int dj) {
  i1 = intlim(i1, 0, NI - 1); i2 = intlim(i2, 0, NI - 1);
  j1 = intlim(j1, 0, NJ - 1); j2 = intlim(j2, 0, NJ - 1);
  if (i1 + di < 0 || i2 + di >= NI || j1 + dj < 0 || j2 + dj >= NJ || i2 < i1 || j2 < j1) return;
  size_t n = (size_t)(j2 - j1 + 1) * sizeof(T);
  // Columns are moved far end first so that no source is overwritten before it is read.
  if (di > 0)
    for (int i = i2; i >= i1; i--) std::memmove(&a[i + di][j1 + dj], &a[i][j1], n);
  else
    for (int i = i1; i <= i2; i++) std::memmove(&a[i + di][j1 + dj], &a[i][j1], n);
}

void shift_geo(int i1, int i2, int j1, int j2, int deli, int delj) {
  move_block(planex, i1, i2, j1, j2, deli, delj);
  move_block(planey, i1, i2, j1, j2, deli, delj);
  move_block(planez, i1, i2, j1, j2, deli, delj);
  move_block(planediv, i1, i2, j1, j2, deli, delj);
  move_block(planecol, i1, i2, j1, j2, deli, delj);
  move_block(on_water, i1, i2, j1, j2, deli, delj);
  move_block(on_field, i1, i2, j1, j2, deli, delj);
  move_block(on_cliff, i1, i2, j1, j2, deli, delj);
  move_block(light_on_poly, i1, i2, j1, j2, deli, delj);
  move_block(cityx, i1, i2, j1, j2, deli, delj);
  move_block(cityy, i1, i2, j1, j2, deli, delj);
  move_block(cityz, i1, i2, j1, j2, deli, delj);
  move_block(on_fire_now, i1, i2, j1, j2, deli, delj);
  move_block(was_on_fire, i1, i2, j1, j2, deli, delj);
  move_block(boat_on_poly, i1, i2, j1, j2, deli, delj);
  move_block(carr_on_poly, i1, i2, j1, j2, deli, delj);
  move_block(beacon_index, i1, i2, j1, j2, deli, delj);
}

void shift_weather(int i1, int i2, int j1, int j2, int deli, int delj) {
  move_block(atm.wxr, i1, i2, j1, j2, deli, delj);
}

void shift_cloud(int i1, int i2, int j1, int j2, int deli, int delj) {
  move_block(cloudx, i1, i2, j1, j2, deli, delj);
  move_block(cloudy, i1, i2, j1, j2, deli, delj);
  move_block(cloudz, i1, i2, j1, j2, deli, delj);
  move_block(clouddiv, i1, i2, j1, j2, deli, delj);
  move_block(cloudcol, i1, i2, j1, j2, deli, delj);
}

void shift_ref(int i1, int j1, int i2, int j2) {
  env.lonwes_ref[i2][j2] = env.lonwes_ref[i1][j1];
  env.planex_ref[i2][j2] = env.planex_ref[i1][j1];
}

static void shift_cells(int* i, int* j, int di, int dj) {
  *i = intlim(*i + di, 0, GRID_I - 2);
  *j = intlim(*j + dj, 0, GRID_J - 2);
}

void drop_old_quadrants(int direction) {
  int di = 0, dj = 0;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++) kept[i][j] = 1;
  switch (direction) {
    case SLIDE_WEST:
      shift_geo(0, 118, 0, 158, 59, 0);
      shift_weather(0, 400, 0, 400, 200, 0);
      shift_cloud(0, 32, 0, 32, 8, 0);
      // New quadrants take the reference of the quadrant they adjoin, so that
      // their points meet the kept grid along the whole seam.
      for (int j = 0; j < 2; j++) {
        shift_ref(1, j, 2, j);
        shift_ref(0, j, 1, j);
        kept[0][j] = 0;
      }
      env.lon_wes -= 1;
      di = QUAD_CELLS_I;
      break;
    case SLIDE_EAST:
      shift_geo(59, 177, 0, 158, -59, 0);
      shift_weather(200, 600, 0, 400, -200, 0);
      shift_cloud(8, 40, 0, 32, -8, 0);
      for (int j = 0; j < 2; j++) {
        shift_ref(1, j, 0, j);
        shift_ref(2, j, 1, j);
        kept[2][j] = 0;
      }
      env.lon_wes += 1;
      di = -QUAD_CELLS_I;
      break;
    case SLIDE_NORTH:
      shift_geo(0, 177, 79, 158, 0, -79);
      shift_weather(0, 600, 200, 400, 0, -200);
      shift_cloud(0, 40, 8, 32, 0, -8);
      for (int i = 0; i < 3; i++) {
        shift_ref(i, 1, i, 0);
        kept[i][1] = 0;
      }
      env.lat_sou += 1;
      y_org += DEG_M;
      dj = -QUAD_CELLS_J;
      break;
    case SLIDE_SOUTH:
      shift_geo(0, 177, 0, 79, 0, 79);
      shift_weather(0, 600, 0, 200, 0, 200);
      shift_cloud(0, 40, 0, 24, 0, 8);
      for (int i = 0; i < 3; i++) {
        shift_ref(i, 0, i, 1);
        kept[i][0] = 0;
      }
      env.lat_sou -= 1;
      y_org -= DEG_M;
      planey[0][0] = planey[59][0] = planey[118][0] = y_org;
      dj = QUAD_CELLS_J;
      break;
    default:
      for (int i = 0; i < 3; i++)
        for (int j = 0; j < 2; j++) kept[i][j] = 0;
      return;
  }
  shift_cells(&env.i_aircraft, &env.j_aircraft, di, dj);
  shift_cells(&env.i_viewpoint, &env.j_viewpoint, di, dj);
}

int region_slide_dir(float lat, float lon) {
  if (lon < env.lon_wes + 0.95f) return SLIDE_WEST;
  if (lon > env.lon_wes + 2.05f) return SLIDE_EAST;
  if (lat < env.lat_sou + 0.45f) return SLIDE_SOUTH;
  if (lat > env.lat_sou + 1.55f) return SLIDE_NORTH;
  return SLIDE_NONE;
}

void slide_region(int direction) {
  static const int new_quads[6][3] = {{-1}, {-1}, {0, 3, -1}, {2, 5, -1}, {3, 4, 5}, {0, 1, 2}};
  if (direction < SLIDE_WEST || direction > SLIDE_SOUTH) return;
  drop_old_quadrants(direction);
  for (int k = 0; k < 3; k++) {
    int q = new_quads[direction][k];
    if (q < 0) break;
    read_quadrant(env.lat_sou + q / 3, env.lon_wes + q % 3, q);
  }
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 2; j++) kept[i][j] = 0;
  finish_nav_readin();
  obs_twr_update = 1;
  if (direction == SLIDE_WEST || direction == SLIDE_EAST) {
    int isec = direction == SLIDE_WEST ? 0 : 4;
    for (int jsec = 0; jsec < 4; jsec++) fill_a_sector_with_ocast(isec, jsec);
  } else {
    int jsec = direction == SLIDE_NORTH ? 3 : 0;
    for (int isec = 0; isec < 5; isec++) fill_a_sector_with_ocast(isec, jsec);
  }
}

// ---- generated fields ----

void fractalize(int i1_sec, int j1_sec, int i2_sec, int j2_sec, float* z, int jdim, float delzlo,
                float delzhi, int level1, int level2) {
#define Z(i, j) z[(i) * jdim + (j)]
  for (int level = level1; level <= level2; level++) {
    int n = 1 << level;
    int di = (i2_sec - i1_sec) / n, dj = (j2_sec - j1_sec) / n;
    if (di < 1 || dj < 1) break;
    for (int bi = 0; bi < n; bi++)
      for (int bj = 0; bj < n; bj++) {
        int ia = i1_sec + bi * di, ib = ia + di, ja = j1_sec + bj * dj, jb = ja + dj;
        int ic = (ia + ib) / 2, jc = (ja + jb) / 2;
        Z(ic, jc) += fltrand(delzlo, delzhi) / n;
        // The centre column and row, from the block's edges to the centre.
        for (int j = ja + 1; j < jb; j++)
          if (j != jc) Z(ic, j) = j < jc ? interp(ja, Z(ic, ja), jc, Z(ic, jc), j) : interp(jc, Z(ic, jc), jb, Z(ic, jb), j);
        for (int i = ia + 1; i < ib; i++)
          if (i != ic) Z(i, jc) = i < ic ? interp(ia, Z(ia, jc), ic, Z(ic, jc), i) : interp(ic, Z(ic, jc), ib, Z(ib, jc), i);
        // The rest: the mean of the interpolations along i and along j.
        for (int i = ia + 1; i < ib; i++)
          for (int j = ja + 1; j < jb; j++) {
            if (i == ic || j == jc) continue;
            int ie = i < ic ? ia : ib, je = j < jc ? ja : jb;
            float zi = interp(ie, Z(ie, j), ic, Z(ic, j), i);
            float zj = interp(je, Z(i, je), jc, Z(i, jc), j);
            Z(i, j) = 0.5f * (zi + zj);
          }
      }
  }
#undef Z
}

void fill_a_sector_with_ocast(int isec, int jsec) {
  isec = intlim(isec, 0, 4);
  jsec = intlim(jsec, 0, 3);
  int i1 = 8 * isec, i2 = i1 + 8, j1 = 8 * jsec, j2 = j1 + 8;
  for (int i = i1; i <= i2; i++)
    for (int j = j1; j <= j2; j++) cloudz[i][j] = -1000 * FT;
  fractalize(i1, j1, i2, j2, &cloudz[0][0], CLOUD_J, -1000 * FT, 1000 * FT, 0, 2);
  for (int i = i1; i <= i2; i++)
    for (int j = j1; j <= j2; j++) cloudz[i][j] = fltlim(cloudz[i][j], -2000 * FT, 0);
  for (int i = i1; i < i2; i++)
    for (int j = j1; j < j2; j++) {
      clouddiv[i][j] = std::fabs(cloudz[i][j] - cloudz[i + 1][j + 1]) <
                       std::fabs(cloudz[i][j + 1] - cloudz[i + 1][j]);
      for (int t = 0; t < 2; t++) {
        int a1, b1, a2, b2, a3, b3;
        convert_ij_dxy(i, j, t, &a1, &b1, &a2, &b2, &a3, &b3, clouddiv[i][j]);
        float mean = 0.33f * (cloudz[a1][b1] + cloudz[a2][b2] + cloudz[a3][b3]);
        cloudcol[i][j][t] = bk::round(interp(-2000 * FT, 65, 0, 245, mean));
      }
    }
}

void gen_wx_for_sec(int quadrant) {
  quadrant = intlim(quadrant, 0, 5);
  int qx = quadrant % 3, qy = quadrant / 3;
  int i1 = 200 * qx, j1 = 200 * qy;
  zero_wx(quadrant);
  fractalize(i1, j1, i1 + 200, j1 + 200, &atm.wxr[0][0], WXR_J, -2.5f, 2.5f, 1, 4);
  for (int i = i1; i <= i1 + 200; i++)
    for (int j = j1; j <= j1 + 200; j++) atm.wxr[i][j] = fltlim(atm.wxr[i][j], 0, 1);
}

float cloudsep(int code) {
  switch (code) {
    case -2: return 3000 * fltrand(-1.0f, -0.8f);
    case -1: return 3000 * fltrand(-0.6f, -0.4f);
    case 0: return 3000 * fltrand(-0.2f, 0.2f);
    case 1: return 3000 * fltrand(0.4f, 0.6f);
    default: return 3000 * fltrand(0.8f, 1.0f);
  }
}

int ontri(float bx, float by, float hx, float hy, float vx, float vy, float xtest, float ytest) {
  // Within the triangle's rows first: beyond v the two side lines cross and
  // would admit a mirrored wedge.
  if (ytest < fltmin2(by, vy) || ytest > fltmax2(by, vy)) return 0;
  if (std::fabs(vy - by) < 1e-6f || std::fabs(vy - hy) < 1e-6f) return 0;
  float xa = interp(by, bx, vy, vx, ytest);
  float xb = interp(hy, hx, vy, vx, ytest);
  if (xtest < fltmin2(xa, xb) || xtest > fltmax2(xa, xb)) return 0;
  if (std::fabs(hx - bx) < 1e-6f) return 0;
  float ye = interp(bx, by, hx, hy, xtest);
  return vy > by ? ytest >= ye : ytest <= ye;
}

// ---- magnetic variation ----

static const float var_table[5][37] = {
  {44.7f, 43.8f, 42.8f, 41.9f, 41.2f, 40.3f, 39.0f, 36.8f, 33.6f, 29.3f, 23.8f, 17.6f, 11.1f, 4.8f,
   -0.9f, -5.8f, -10.2f, -14.5f, -19.3f, -24.8f, -31.2f, -38.2f, -45.4f, -52.5f, -59.0f, -64.7f,
   -69.6f, -73.2f, -75.0f, -73.5f, -63.8f, -30.5f, 18.2f, 37.8f, 43.7f, 45.0f, 44.7f},
  {16.7f, 16.9f, 16.8f, 16.8f, 16.8f, 16.8f, 16.7f, 16.6f, 16.1f, 14.3f, 9.9f, 2.6f, -6.5f, -15.0f,
   -21.1f, -24.5f, -25.8f, -25.7f, -24.3f, -21.9f, -20.3f, -21.9f, -26.2f, -30.2f, -31.8f, -30.5f,
   -26.4f, -19.8f, -12.0f, -5.0f, 0.2f, 4.2f, 7.8f, 11.1f, 13.8f, 15.7f, 16.7f},
  {10.3f, 9.8f, 9.1f, 9.0f, 9.3f, 9.3f, 9.2f, 9.1f, 8.2f, 5.4f, 0.3f, -6.6f, -13.6f, -18.6f, -20.7f,
   -19.7f, -16.2f, -11.6f, -7.6f, -4.7f, -2.0f, -0.1f, -0.1f, -2.0f, -4.2f, -5.0f, -4.3f, -2.5f,
   -0.7f, 0.5f, 1.1f, 1.9f, 3.6f, 5.9f, 8.1f, 9.8f, 10.3f},
  {8.1f, 10.3f, 11.7f, 12.8f, 13.6f, 13.7f, 13.0f, 11.1f, 7.3f, 1.4f, -5.8f, -12.4f, -16.6f, -17.7f,
   -16.2f, -13.0f, -9.1f, -5.3f, -2.1f, 0.1f, 1.5f, 2.5f, 2.9f, 2.6f, 1.9f, 1.2f, 0.8f, 0.4f, -0.6f,
   -2.4f, -4.3f, -5.4f, -4.9f, -2.6f, 0.9f, 4.8f, 8.1f},
  {5.5f, 11.9f, 17.7f, 22.5f, 26.0f, 27.5f, 26.2f, 20.5f, 8.4f, -8.7f, -23.4f, -31.0f, -32.6f,
   -30.7f, -26.7f, -21.7f, -16.3f, -10.8f, -5.5f, -0.6f, 3.9f, 7.8f, 11.3f, 14.0f, 15.8f, 15.9f,
   13.9f, 9.1f, 1.9f, -6.0f, -12.2f, -15.1f, -14.7f, -11.8f, -6.9f, -1.0f, 5.5f}};

// Whole degrees down to the grid line at or below them (also for negatives).
static int grid_floor(int v, int step) { return v >= 0 ? v / step * step : -((-v + step - 1) / step) * step; }

int find_var(float latdeg, float londeg) {
  if (!std::isfinite(latdeg) || !std::isfinite(londeg)) return 0;
  int lat = flt_to_int(fltlim(latdeg, -60, 60)), lon = flt_to_int(fltlim(londeg, -180, 180));
  int la0 = intlim(grid_floor(lat, 30), -60, 30), lo0 = intlim(grid_floor(lon, 10), -180, 170);
  int r = (la0 + 60) / 30, c = (lo0 + 180) / 10;
  float west = interp((float)la0, var_table[r][c], la0 + 30.0f, var_table[r + 1][c], (float)lat);
  float east = interp((float)la0, var_table[r][c + 1], la0 + 30.0f, var_table[r + 1][c + 1], (float)lat);
  return flt_to_int(interp((float)lo0, west, lo0 + 10.0f, east, (float)lon));
}
