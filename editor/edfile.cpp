// The editor's files: its preferences, the world's airport and navaid files,
// and one environment quadrant, read and written.
#include <sys/stat.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include "basekit/bk_funct.h"
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"
#include "basekit/bk_world.h"
#include "basekit/platform/desktop.h"
#include "editor/ed.h"
#include "editor/ui.h"

float planelat[QI][QJ], planelon[QI][QJ], planez[QI][QJ];
int   planediv[QI][QJ];
int   on_water[QI][QJ][2];
int   planetex[QI][QJ];
int   int_plotx[QI][QJ], int_ploty[QI][QJ];
char  texname[ENV_TEXNAMES][ENV_NAME_DIM];

int   obs_type[OBS_MAX];
float obs_lat[OBS_MAX], obs_lon[OBS_MAX], obs_dz[OBS_MAX];
char  obj_name[OBS_MAX][ENV_NAME_DIM];

int   apt_type[ED_APT_MAX], apt_twr[ED_APT_MAX];
float apt_lat[ED_APT_MAX][3], apt_lon[ED_APT_MAX][3];
int   apt_num[ED_APT_MAX][3], apt_hdng[ED_APT_MAX][3], apt_len[ED_APT_MAX][3];
int   apt_width[ED_APT_MAX][3], apt_lite[ED_APT_MAX][3];
char  apt_lr[ED_APT_MAX][3];
float apt_z[ED_APT_MAX];
char  apt_id[ED_APT_MAX][APT_ID_DIM];
char  apt_name[ED_APT_MAX][APT_NAME_DIM];
int   nav_type[ED_NAV_MAX], nav_f1[ED_NAV_MAX], nav_f2[ED_NAV_MAX], nav_hdng[ED_NAV_MAX];
float nav_lat[ED_NAV_MAX], nav_lon[ED_NAV_MAX], nav_z[ED_NAV_MAX];
char  nav_id[ED_NAV_MAX][APT_ID_DIM];
char  nav_name[ED_NAV_MAX][APT_NAME_DIM];
char  apt_path[STR_DIM], nav_path[STR_DIM];

enum { PREFS_VERSION = 354 };

// ---- the quadrant ----

void set_flat_sea() {
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) {
      planelat[i][j] = msc.map_latfile + j / 79.0f;
      planelon[i][j] = msc.map_lonfile + i / 59.0f;
      planez[i][j] = 0;
      planediv[i][j] = 0;
      on_water[i][j][0] = on_water[i][j][1] = 1;
      planetex[i][j] = 0;
    }
}

void quadrant_path(int lat, int lon, char* path) {
  char name[STR_DIM];
  return_latlon_str_ENV(lat, lon, name, 1);
  ap_dir("additional nav data", name, path);
}

// No file: the quadrant the simulator would build from the global models,
// for the user to refine and save; flat sea when they are not shipped.
static void build_from_models(int lat, int lon) {
  static wldrunway rwy[WLD_RUNWAYS_MAX];
  static envquad q;
  const float FT = 0.3048f;
  int n = 0;
  for (int a = 0; a < ED_APT_MAX && n < WLD_RUNWAYS_MAX; a++) {
    if (apt_type[a] == 0 || apt_lat[a][0] < lat - 0.2f || apt_lat[a][0] > lat + 1.2f) continue;
    if (std::fabs(std::remainder(apt_lon[a][0] - (lon + 0.5f), 360.0f)) > 0.75f) continue;
    for (int r = 0; r < 3 && n < WLD_RUNWAYS_MAX; r++)
      if (apt_len[a][r] > 0)
        rwy[n++] = wldrunway{apt_lat[a][r], apt_lon[a][r], (float)apt_hdng[a][r], apt_len[a][r] * FT,
                             apt_width[a][r] * FT, apt_z[a] * FT};
  }
  if (!build_quadrant(lat, lon, rwy, n, WLD_SEED, &q)) return;
  std::memcpy(planelat, q.lat, sizeof planelat);
  std::memcpy(planelon, q.lon, sizeof planelon);
  std::memcpy(planez, q.z, sizeof planez);
  std::memcpy(planediv, q.div, sizeof planediv);
  std::memcpy(on_water, q.water, sizeof on_water);
  msc.map_built = 1;
}

static void clear_obstacles() {
  for (int n = 0; n < OBS_MAX; n++) obs_type[n] = 0;
}

int read_quadrant(int lat, int lon) {
  msc.map_latfile = lat;
  msc.map_lonfile = lon;
  msc.map_loaded_lat = lat;
  msc.map_loaded_lon = lon;
  set_flat_sea();
  clear_obstacles();
  for (auto& t : texname) t[0] = 0;
  msc.map_built = 0;
  char path[STR_DIM];
  if (!env_open_quadrant(app_path, app_path, lat, lon, path)) {
    build_from_models(lat, lon);
    return 0;
  }
  // A broken file gets a message, not the end of the program: the grid
  // falls back to flat sea and is not marked changed.
  scan_soft = 1;
  scan_failed = 0;
  scan_problem[0][0] = 0;
  const char* label = env_scan_label(path);
  for (int j = 0; j < QJ && !scan_failed; j++)
    for (int i = 0; i < QI && !scan_failed; i++) {
      int div, w0, w1, tex;
      env_scan_point(label, &planelat[i][j], &planelon[i][j], &planez[i][j], &div, &w0, &w1, &tex);
      planediv[i][j] = div;
      on_water[i][j][0] = w0;
      on_water[i][j][1] = w1;
      planetex[i][j] = tex;
    }
  if (!scan_failed && !inf_is_bin && intscan(label) != 1) scan_failed = 1;
  int n = 0;
  while (!scan_failed) {
    float la = 0, lo = 0, h = 0;
    int ci = 0, cj = 0;
    char name[ENV_NAME_DIM] = {0};
    int type = env_scan_object(label, &la, &lo, &h, &ci, &cj, name);
    if (scan_failed || type == ENV_END) break;
    if (type < 1 || type > 8 || type == 7) {
      scan_failed = 1;
      break;
    }
    if (n >= OBS_MAX) continue;
    obs_type[n] = type;
    obs_lat[n] = la;
    obs_lon[n] = lo;
    obs_dz[n] = h;
    std::memcpy(obj_name[n], name, ENV_NAME_DIM);
    n++;
  }
  if (!scan_failed && inf_is_bin) {
    // The editor's own trailer: eight texture names.
    for (auto& t : texname) {
      char field[ENV_NAME_DIM];
      if (!inf.read(field, ENV_NAME_DIM)) break;
      field[ENV_NAME_DIM - 1] = 0;
      std::memcpy(t, field, ENV_NAME_DIM);
    }
  }
  int bad = scan_failed;
  scan_soft = 0;
  scan_failed = 0;
  inf.close();
  inf.clear();
  if (bad) {
    set_flat_sea();
    clear_obstacles();
    // A number out of range says which and what it is.
    ed_alert("I could not read this environment file; the quadrant is shown as sea:", path,
             scan_problem[0][0] ? scan_problem[2] : "", "");
    return 0;
  }
  return 1;
}

// The cell whose triangles hold the point; the regular grid's cell when none does.
static float cross(float ax, float ay, float bx, float by, float px, float py) {
  return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
}

static int in_tri(int i, int j, int t, float lat, float lon) {
  int ii[3], jj[3];
  tri_points(i, j, t, ii, jj);
  float c[3];
  for (int k = 0; k < 3; k++) {
    int a = k, b = (k + 1) % 3;
    c[k] = cross(planelon[ii[a]][jj[a]], planelat[ii[a]][jj[a]], planelon[ii[b]][jj[b]], planelat[ii[b]][jj[b]],
                 lon, lat);
  }
  return (c[0] >= 0 && c[1] >= 0 && c[2] >= 0) || (c[0] <= 0 && c[1] <= 0 && c[2] <= 0);
}

int find_ij_with_loc(float lat, float lon, int* i, int* j) {
  int gi = intlim(flt_to_int(std::floor((lon - msc.map_lonfile) * CELLS_I)), 0, CELLS_I - 1);
  int gj = intlim(flt_to_int(std::floor((lat - msc.map_latfile) * CELLS_J)), 0, CELLS_J - 1);
  for (int r = 0; r <= 4; r++)
    for (int a = gi - r; a <= gi + r; a++)
      for (int b = gj - r; b <= gj + r; b++) {
        if (a < 0 || b < 0 || a >= CELLS_I || b >= CELLS_J) continue;
        if (std::abs(a - gi) != r && std::abs(b - gj) != r) continue;
        if (in_tri(a, b, 0, lat, lon) || in_tri(a, b, 1, lat, lon)) {
          *i = a;
          *j = b;
          return 1;
        }
      }
  *i = gi;
  *j = gj;
  return 0;
}

int find_tri_with_loc(float lat, float lon, int* i, int* j, int* tri) {
  find_ij_with_loc(lat, lon, i, j);
  for (int t = 0; t < 2; t++)
    if (in_tri(*i, *j, t, lat, lon)) {
      *tri = t;
      return 1;
    }
  return 0;
}

// ---- writing ----

static int make_parent_dirs(const char* path) {
  std::string p(path);
  size_t slash = p.rfind('/');
  if (slash == std::string::npos) return 1;
  for (size_t k = 1; k <= slash; k++) {
    if (k == slash || p[k] == '/') {
      std::string part = p.substr(0, k);
      struct stat st;
      if (stat(part.c_str(), &st) != 0 && mkdir(part.c_str(), 0755) != 0) return 0;
    }
  }
  return 1;
}

static int in_quadrant(float lat, float lon) {
  return lon >= msc.map_lonfile && lon <= msc.map_lonfile + 1 && lat >= msc.map_latfile && lat <= msc.map_latfile + 1;
}

static int write_quadrant(const char* path) {
  // A fresh install has no ten-degree folder yet.
  make_parent_dirs(path);
  if (!ouf_open(path, FTYPE_ANY_BINARY, ENV_VERSION)) return 0;
  for (int j = 0; j < QJ; j++)
    for (int i = 0; i < QI; i++) {
      int flags = 0;
      if (i < CELLS_I && j < CELLS_J) flags = env_point_flags(planediv[i][j], on_water[i][j][0], on_water[i][j][1], planetex[i][j]);
      env_dump_point(planelat[i][j], planelon[i][j], planez[i][j], flags);
    }
  for (int n = 0; n < OBS_MAX; n++) {
    if (obs_type[n] < 1 || obs_type[n] > 8 || !in_quadrant(obs_lat[n], obs_lon[n])) continue;
    int ci = 0, cj = 0;
    if (obs_type[n] != 8) find_ij_with_loc(obs_lat[n], obs_lon[n], &ci, &cj);
    env_dump_object(obs_type[n], obs_lat[n], obs_lon[n], obs_dz[n], ci, cj, obj_name[n]);
  }
  env_dump_end(texname);
  return ouf_close();
}

static int write_airports(const char* path) {
  make_parent_dirs(path);
  if (!ouf_open(path, FTYPE_ANY_TEXT, APT_NAV_VERSION)) return 0;
  ouf << APT_NAV_VERSION << " version code 2\n";
  for (int n = 0; n < ED_APT_MAX; n++)
    if (apt_type[n] == 1)
      dump_apt_line(1, apt_lat[n], apt_lon[n], apt_num[n], apt_lr[n], apt_hdng[n], apt_len[n], apt_width[n],
                    apt_lite[n], apt_z[n], apt_twr[n], apt_id[n], apt_name[n]);
  ouf << "99\n";
  return ouf_close();
}

// A navaid identifier is read after its leading blanks: it must start the
// field and must not be blank, or the name would be read into it.
static void left_justify(char* id) {
  char out[APT_ID_DIM];
  const char* p = id;
  while (*p == ' ') p++;
  int k = 0;
  for (; k < 4 && p[k]; k++) out[k] = p[k];
  for (; k < 4; k++) out[k] = ' ';
  out[4] = 0;
  std::memcpy(id, out, APT_ID_DIM);
}

static int write_navaids(const char* path) {
  for (int n = 0; n < ED_NAV_MAX; n++) {
    if (nav_type[n] < 2 || nav_type[n] > 9) continue;
    left_justify(nav_id[n]);
    if (std::strcmp(nav_id[n], "    ") == 0) {
      char line[STR_DIM];
      std::snprintf(line, sizeof line, "\"%s\" has no identifier.", nav_name[n]);
      ed_alert("The navaids were not saved:", line, "Give every navaid an identifier of one to four characters.", "");
      return 0;
    }
  }
  make_parent_dirs(path);
  if (!ouf_open(path, FTYPE_ANY_TEXT, APT_NAV_VERSION)) return 0;
  ouf << APT_NAV_VERSION << " version code 2\n";
  for (int n = 0; n < ED_NAV_MAX; n++)
    if (nav_type[n] >= 2 && nav_type[n] <= 9)
      dump_nav_line(nav_type[n], nav_lat[n], nav_lon[n], nav_z[n], nav_f1[n], nav_f2[n], nav_hdng[n], nav_id[n],
                    nav_name[n]);
  ouf << "99\n";
  return ouf_close();
}

int writeout(int what, const char* where) {
  char path[STR_DIM];
  int ok = 0;
  if (what == MODE_TERRAIN) {
    if (where && where[0]) std::snprintf(path, sizeof path, "%s", where);
    else quadrant_path(msc.map_latfile, msc.map_lonfile, path);
    ok = write_quadrant(path);
    if (ok) msc.map_dirty = 0;
    // Saved where the simulator looks first, the file now wins over the models.
    if (ok && !(where && where[0])) msc.map_built = 0;
  } else if (what == MODE_APT) {
    ok = write_airports(where && where[0] ? where : apt_path);
    if (ok) msc.apt_dirty = 0;
  } else if (what == MODE_NAV) {
    ok = write_navaids(where && where[0] ? where : nav_path);
    if (ok) msc.nav_dirty = 0;
  }
  return ok;
}

int handle_save(int what, int dirty) {
  if (!dirty) return 1;
  const char* kind = what == MODE_TERRAIN ? "Terrain file" : what == MODE_APT ? "Airport file" : "Navaid file";
  char q[STR_DIM];
  std::snprintf(q, sizeof q, "Save the changes to the %s?", kind);
  const char* lines[1] = {q};
  const char* labels[3] = {"Save", "Don't Save", "Cancel"};
  int b = msc.batch ? 0 : desk_alert("Gridwright Message", lines, 1, 3, labels);
  if (b == 0) return writeout(what, nullptr);  // a failed save stops the action too
  return b == 1;
}

// ---- preferences ----

int read_prefs() {
  if (!inf_open(prefs_path, FTYPE_ANY_TEXT, PREFS_VERSION, 0)) return 0;
  scan_soft = 1;
  scan_failed = 0;
  int lat = intscan(prefs_path), lon = intscan(prefs_path), mode = intscan(prefs_path);
  int ai = intscan(prefs_path), ni = intscan(prefs_path);
  int ok = !scan_failed;
  scan_soft = 0;
  scan_failed = 0;
  inf.close();
  inf.clear();
  if (!ok) return 0;
  msc.map_latfile = intlim(lat, -89, 88);
  msc.map_lonfile = intlim(lon, -180, 179);
  msc.map_mode = intlim(mode, 0, 3);
  msc.apt_index = intlim(ai, 0, ED_APT_MAX - 1);
  msc.nav_index = intlim(ni, 0, ED_NAV_MAX - 1);
  return 1;
}

int write_prefs() {
  if (!ouf_open(prefs_path, FTYPE_ANY_TEXT, PREFS_VERSION)) return 0;
  ouf << msc.map_latfile << " dat\n" << msc.map_lonfile << " dat\n" << msc.map_mode << " dat\n"
      << msc.apt_index << " dat\n" << msc.nav_index << " dat\n";
  return ouf_close();
}

// ---- the world's airports and navaids, kept in feet ----

static void open_world_file(const char* path, const char* what) {
  if (!inf_open(path, FTYPE_ANY_TEXT, APT_NAV_VERSION, 1))
    MACIBM_exitalert(what, "The path I am looking at is as follows:", path,
                     "Make sure the file listed above is available in the path listed above!");
  if (!inf.good()) MACIBM_exitalert("Error reading in global data file after version-scan!", path, "", "");
  aptnav_set_file(path);
  intscan(path);  // the third header line
}

void read_world_data() {
  for (int n = 0; n < ED_APT_MAX; n++) apt_type[n] = 0;
  for (int n = 0; n < ED_NAV_MAX; n++) nav_type[n] = 0;
  ap_dir("additional nav data", "apt_dat", apt_path);
  ap_dir("additional nav data", "nav_dat", nav_path);
  open_world_file(apt_path, "I am unable to access the airport data file!");
  for (int n = 0;; n++) {
    int type = intscanNOSN(apt_path);
    if (type == 99) break;
    if (n >= ED_APT_MAX) MACIBM_numberexitalert("Too many airports in world database!", n);
    apt_type[n] = type;
    aptnav_set_line(4 + n);
    scan_apt_line(apt_lat[n], apt_lon[n], apt_num[n], apt_lr[n], apt_hdng[n], apt_len[n], apt_width[n],
                  apt_lite[n], &apt_z[n], &apt_twr[n], apt_id[n], apt_name[n]);
    if (n % 200 == 0) up_progress();
  }
  inf.close();
  open_world_file(nav_path, "I am unable to access the nav data file!");
  for (int n = 0;; n++) {
    int type = intscanNOSN(nav_path);
    if (type == 99) break;
    if (n >= NAV_FILE_LIMIT) MACIBM_numberexitalert("Too many navs in world database!", n);
    nav_type[n] = type;
    aptnav_set_line(4 + n);
    scan_nav_line(&nav_lat[n], &nav_lon[n], &nav_z[n], &nav_f1[n], &nav_f2[n], &nav_hdng[n], nav_id[n], nav_name[n]);
    if (n % 200 == 0) up_progress();
  }
  inf.close();
}
