// The world database: airports and navaids read once at start-up, and after
// each region load the in-region flags, the Location menus and the beacons.
#include "sim/world/apt.h"
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

int   apt_type[APT_MAX], apt_twr[APT_MAX], apt_inreg[APT_MAX];
float apt_lat[APT_MAX][3], apt_lon[APT_MAX][3];
int   apt_num[APT_MAX][3], apt_hdng[APT_MAX][3], apt_len[APT_MAX][3];
int   apt_width[APT_MAX][3], apt_lite[APT_MAX][3];
char  apt_lr[APT_MAX][3];
float apt_z[APT_MAX];
char  apt_id[APT_MAX][APT_ID_DIM];
char  apt_name[APT_MAX][APT_NAME_DIM];
float beaclat[APT_MAX], beaclon[APT_MAX], beacz[APT_MAX];

int   nav_type[NAV_MAX], nav_f1[NAV_MAX], nav_f2[NAV_MAX], nav_hdng[NAV_MAX], nav_inreg[NAV_MAX];
float nav_lat[NAV_MAX], nav_lon[NAV_MAX], nav_z[NAV_MAX];
char  nav_id[NAV_MAX][APT_ID_DIM];
char  nav_name[NAV_MAX][APT_NAME_DIM];

int apt_to_index[REG_LIST_MAX], ndb_to_index[REG_LIST_MAX], vor_to_index[REG_LIST_MAX];

enum { MENU_PLATES = 5, MENU_TAKEOFF = 9, MENU_VFR = 10, MENU_ILS = 11, MENU_VOR = 12, MENU_NDB = 13 };
enum { SUB_TAKEOFF = 15, SUB_VFR = 85, SUB_ILS = 155 };

static const float NM_PER_M = 1.0f / 1852.0f;
static char file_label[STR_DIM];

void open_apt_nav_dat(const char* name) {
  char path[STR_DIM];
  ap_dir("additional nav data", name, path);
  if (!inf_open(path, FTYPE_ANY_TEXT, APT_NAV_VERSION, 1)) {
    if (inf_open_why == INF_MISSING)
      MACIBM_exitalert("I am unable to access a nav, airport, or fix data file!",
                       "The path I am looking at is as follows:", path,
                       "Make sure the file listed above is available in the path listed above!");
    MACIBM_exitalert("I am unable to read a nav, airport, or fix data file!", path, inf_why_text(inf_open_why),
                     "Make sure the file listed above is the one that came with the program.");
  }
  if (!inf.good()) MACIBM_exitalert("Error reading in global data file after version-scan!", path, "", "");
  aptnav_set_file(path);
  std::snprintf(file_label, sizeof file_label, "%s", path);
  intscan(file_label);  // the third header line
}

// Three runway widths to the left of runway 0's reference point.
static void place_beacon(int n) {
  int h = apt_hdng[n][0];
  float d = apt_width[n][0] * 3 * NM_PER_M;
  float c = icos(flt_to_int(fltlim(std::fabs(apt_lat[n][0]), 0, 90)));
  if (c < 0.01f) c = 0.01f;  // at the poles a longitude offset means nothing
  beaclat[n] = apt_lat[n][0] + d * isin(h) / 60;
  beaclon[n] = apt_lon[n][0] - d * icos(h) / (60 * c);
  beacz[n] = apt_z[n] + 27;
}

static void read_airports() {
  open_apt_nav_dat("apt_dat");
  int n = 0;
  while (1) {
    // The type goes into the table only once there is room for the record.
    int type = intscanNOSN(file_label);
    if (type == 99) break;
    if (n >= APT_MAX) MACIBM_numberexitalert("Too many airports in world database!", n);
    apt_type[n] = type;
    aptnav_set_line(4 + n);  // after the three header lines
    scan_apt_line(apt_lat[n], apt_lon[n], apt_num[n], apt_lr[n], apt_hdng[n], apt_len[n], apt_width[n],
                  apt_lite[n], &apt_z[n], &apt_twr[n], apt_id[n], apt_name[n]);
    for (int r = 0; r < 3; r++) {
      apt_len[n][r] = flt_to_int(apt_len[n][r] * 0.3048);
      apt_width[n][r] = flt_to_int(apt_width[n][r] * 0.3048);
    }
    apt_z[n] *= 0.3048f;
    apt_inreg[n] = 0;
    place_beacon(n);
    if (n % 400 == 0) if (hok.show_progress) hok.show_progress();
    n++;
  }
  inf.close();
  env.aptmax = n - 1;
}

static void read_navaids() {
  open_apt_nav_dat("nav_dat");
  int n = 0;
  while (1) {
    int type = intscanNOSN(file_label);
    if (type == 99) break;
    if (n >= NAV_FILE_MAX) MACIBM_numberexitalert("Too many navs in world database!", n);
    nav_type[n] = type;
    aptnav_set_line(4 + n);
    scan_nav_line(&nav_lat[n], &nav_lon[n], &nav_z[n], &nav_f1[n], &nav_f2[n], &nav_hdng[n], nav_id[n],
                  nav_name[n]);
    nav_z[n] *= 0.3048f;
    nav_inreg[n] = 0;
    if (n % 1000 == 0) if (hok.show_progress) hok.show_progress();
    n++;
  }
  inf.close();
  // The carrier's localizer and glide slope get the two slots above the
  // file's records (navmax - 1 and navmax - 2); the loops' extra slot stays empty.
  for (int k = n; k <= n + 2 && k < NAV_MAX; k++) {
    nav_type[k] = 0;
    nav_inreg[k] = 0;
    nav_id[k][0] = nav_name[k][0] = 0;
  }
  env.navmax = n + 2;
}

void init_country_data() {
  read_airports();
  read_navaids();
}

void need_airports() {
  // Every flight starts at an airport of the file.
  if (env.aptmax >= 0) return;
  char path[STR_DIM];
  ap_dir("additional nav data", "apt_dat", path);
  MACIBM_exitalert("The airport file holds no airports!", path, "Tarvel needs at least one airport to start from.",
                   "Make sure the file listed above is the one that came with the program.");
}

// ---- runway names ----

int rev_rway_num(int num) { return ((num % 36 + 17) % 36 + 36) % 36 + 1; }

char rev_rway_lr(char lr) {
  if (lr == 'x') return 'x';
  if (lr == 'L') return 'R';
  return 'L';
}

void rway_to_cs(int input, char lr, int helipad, char* C_string) {
  if (lr == 'x' || lr == 0) std::snprintf(C_string, STR_DIM, "%s %02d", helipad ? "Pad" : "Rwy", input);
  else std::snprintf(C_string, STR_DIM, "%s %02d%c", helipad ? "Pad" : "Rwy", input, lr);
}

void tack_on_runway_items(int menu, int item, int n) {
  if (n < 0 || n > env.aptmax) return;
  for (int r = 0; r < 3; r++) {
    if (apt_len[n][r] <= 1) continue;
    int helipad = apt_len[n][r] < 500 * 0.3048;
    char name[STR_DIM];
    rway_to_cs(apt_num[n][r], apt_lr[n][r], helipad, name);
    MACIBM_append_menu(menu, item + 1 + 2 * r, -1, name);
    rway_to_cs(rev_rway_num(apt_num[n][r]), rev_rway_lr(apt_lr[n][r]), helipad, name);
    MACIBM_append_menu(menu, item + 2 + 2 * r, -1, name);
  }
}

// ---- region lists and the Location menus ----

static int in_region(float lat, float lon) {
  return lat >= env.lat_sou && lat <= env.lat_sou + 2 && lon >= env.lon_wes && lon <= env.lon_wes + 3;
}

// What the last build appended, so that exactly that is removed.
static int menus_apt = 0, menus_vor = 0, menus_ndb = 0, menus_tail = -1;

static void remove_location_menus() {
  for (int n = 0; n < menus_apt; n++) {
    // Deleting a submenu also takes its item out of the menu it hangs on.
    MACIBM_delete_menu(SUB_TAKEOFF + n);
    MACIBM_delete_menu(SUB_VFR + n);
    MACIBM_delete_menu(SUB_ILS + n);
    MACIBM_delete_menu_item(MENU_PLATES, 510 + n);
  }
  if (menus_tail >= 0) {
    MACIBM_delete_menu_item(MENU_PLATES, 511 + menus_tail);
    MACIBM_delete_menu_item(MENU_PLATES, 512 + menus_tail);
  }
  for (int n = 0; n < menus_vor; n++) MACIBM_delete_menu_item(MENU_VOR, 1201 + n);
  for (int n = 0; n < menus_ndb; n++) MACIBM_delete_menu_item(MENU_NDB, 1301 + n);
  menus_apt = menus_vor = menus_ndb = 0;
  menus_tail = -1;
}

static void build_location_menus() {
  for (int n = 0; n < env.apt_list_num; n++) {
    int a = apt_to_index[n];
    char name[14];
    std::strncpy(name, apt_name[a], 13);
    name[13] = 0;
    MACIBM_create_submenu(MENU_TAKEOFF, SUB_TAKEOFF + n, n, name);
    tack_on_runway_items(SUB_TAKEOFF + n, 100 * (SUB_TAKEOFF + n), a);
    MACIBM_create_submenu(MENU_VFR, SUB_VFR + n, n, name);
    tack_on_runway_items(SUB_VFR + n, 100 * (SUB_VFR + n), a);
    MACIBM_create_submenu(MENU_ILS, SUB_ILS + n, n, name);
    tack_on_runway_items(SUB_ILS + n, 100 * (SUB_ILS + n), a);
    MACIBM_append_menu(MENU_PLATES, 510 + n, -1, name);
  }
  // Numbered after the listed airports: with more than 70 in the region the
  // count of all of them would run into the next menu's commands.
  menus_tail = env.apt_list_max;
  MACIBM_append_menu(MENU_PLATES, 511 + menus_tail, -1, "-");
  MACIBM_append_menu(MENU_PLATES, 512 + menus_tail, -1, "Reset Flight Path");
  for (int n = 0; n < env.vor_list_num; n++)
    MACIBM_append_menu(MENU_VOR, 1201 + n, -1, nav_name[vor_to_index[n]]);
  for (int n = 0; n < env.ndb_list_num; n++)
    MACIBM_append_menu(MENU_NDB, 1301 + n, -1, nav_name[ndb_to_index[n]]);
  menus_apt = env.apt_list_num;
  menus_vor = env.vor_list_num;
  menus_ndb = env.ndb_list_num;
}

static void build_region_lists() {
  int na = 0, nv = 0, nn = 0;
  for (int n = 0; n <= env.aptmax; n++) {
    if (!apt_inreg[n]) continue;
    if (na < REG_LIST_MAX) apt_to_index[na] = n;
    na++;  // counted beyond the 70th, not listed
  }
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) {
    if (!nav_inreg[n]) continue;
    if (nav_type[n] == NAV_VOR && nv < REG_LIST_MAX) vor_to_index[nv++] = n;
    if (nav_type[n] == NAV_NDB && nn < REG_LIST_MAX) ndb_to_index[nn++] = n;
  }
  env.apt_list_num = intmin2(na, REG_LIST_MAX);
  env.vor_list_num = nv;
  env.ndb_list_num = nn;
  env.apt_list_max = intlim(na - 1, 0, REG_LIST_MAX - 1);
  env.vor_list_max = intlim(nv - 1, 0, REG_LIST_MAX - 1);
  env.ndb_list_max = intlim(nn - 1, 0, REG_LIST_MAX - 1);
}

static void build_beacon_grid() {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) beacon_index[i][j] = -1;
  for (int k = 0; k < env.apt_list_num; k++) {
    int n = apt_to_index[k];
    float bx = env_x_of_latlon(beaclat[n], beaclon[n]), by = env_y_of_lat(beaclat[n]);
    // The grid is near-regular in latitude and longitude: look around the estimate.
    int ic = flt_to_int(fltlim((float)std::floor((beaclon[n] - env.lon_wes) * 59), -10, GRID_I + 10));
    int jc = flt_to_int(fltlim((float)std::floor((beaclat[n] - env.lat_sou) * 79), -10, GRID_J + 10));
    for (int i = intmax2(ic - 3, 0); i <= intmin2(ic + 3, GRID_I - 2); i++)
      for (int j = intmax2(jc - 3, 0); j <= intmin2(jc + 3, GRID_J - 2); j++)
        for (int t = 0; t < 2; t++) {
          if (!on_field[i][j][t]) continue;
          int i1, j1, i2, j2, i3, j3;
          convert_ij_dxy(i, j, t, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j]);
          if (ontri(planex[i1][j1], planey[i1][j1], planex[i2][j2], planey[i2][j2], planex[i3][j3],
                    planey[i3][j3], bx, by))
            beacon_index[i][j] = n;
        }
  }
}

// The cloud grid lies one degree beyond the region on every side.
static void place_cloud_grid() {
  for (int c = 0; c < CLOUD_I; c++)
    for (int r = 0; r < CLOUD_J; r++) {
      float lat = env.lat_sou + (r - 8) / 8.0f, lon = env.lon_wes + (c - 8) / 8.0f;
      cloudx[c][r] = env_x_of_latlon(lat, lon);
      cloudy[c][r] = env_y_of_lat(lat);
    }
}

void finish_nav_readin() {
  for (int n = 0; n <= env.aptmax; n++) apt_inreg[n] = in_region(apt_lat[n][0], apt_lon[n][0]);
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) nav_inreg[n] = in_region(nav_lat[n], nav_lon[n]);
  remove_location_menus();
  build_region_lists();
  build_location_menus();
  build_beacon_grid();
  place_cloud_grid();
}

// ---- starting somewhere ----

static int same_id(const char* a, const char* b) {
  int la = (int)std::strlen(a), lb = (int)std::strlen(b);
  while (la > 0 && a[la - 1] == ' ') la--;
  while (lb > 0 && b[lb - 1] == ' ') lb--;
  if (la != lb || la == 0) return 0;
  for (int k = 0; k < la; k++)
    if (std::toupper((unsigned char)a[k]) != std::toupper((unsigned char)b[k])) return 0;
  return 1;
}

int find_apt_by_id(const char* id) {
  if (!id) return -1;
  for (int n = 0; n <= env.aptmax; n++)
    if (same_id(apt_id[n], id)) return n;
  return -1;
}

void set_region_from_apt(int n) {
  if (n < 0 || n > env.aptmax) return;
  env.lat_sou = bk::round(apt_lat[n][0] - 1.0f);
  env.lon_wes = bk::round(apt_lon[n][0] - 1.5f);
}

int start_at_airport(const char* id) {
  int n = find_apt_by_id(id);
  if (n < 0) return -1;
  set_region_from_apt(n);
  load_region();
  return n;
}

int region_airport_count() {
  int c = 0;
  for (int n = 0; n <= env.aptmax; n++) c += apt_inreg[n];
  return c;
}

int region_navaid_count() {
  int c = 0;
  for (int n = 0; n < env.navmax - 2; n++) c += nav_inreg[n];
  return c;
}

void region_line(char* C_string) {
  std::snprintf(C_string, STR_DIM, "region %d %d airports %d navaids %d", env.lat_sou, env.lon_wes,
                region_airport_count(), region_navaid_count());
}
