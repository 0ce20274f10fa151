// The location windows: the airport by identifier, by name and the list of
// identifiers, the world map, latitude and longitude, and where am I.
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

#include "sim/windows/worldmask.inc"

static int is_id_char(int c) { return std::isalnum(c) != 0; }

// ================================================================ airport by identifier

enum { ID_ROW0 = 16, ID_ROW = 11, ID_CODES = 37 };
static const int id_col_x[5] = {93, 110, 127, 144, 161};

static struct {
  int started;
  int fresh;           // the first key typed replaces the identifier
  char before[STR_DIM];  // as it was when the window opened, for Escape
} idw;

static void id_start() {
  if (idw.started) return;
  idw.started = 1;
  idw.fresh = 1;
  C_to_C(msc.apt_id_req, idw.before);
}

static void id_field() {
  wk_erase(8, 28, 78, 26);
  MACIBM_framerect(WK_FRAME, 8, 28, 77, 25);
  char shown[8];
  std::snprintf(shown, sizeof shown, "%.4s", msc.apt_id_req);
  int n = (int)std::strlen(shown);
  while (n > 0 && shown[n - 1] == ' ') shown[--n] = 0;
  wk_text(16, 34, WK_VALUE, shown);
  if (n < 4) MACIBM_hshline(WK_VALUE, 16 + wk_text_width(shown) + 1, 46, 7);  // the caret
  wk_erase(4, 60, 86, 76);
  int apt = find_apt_by_id(msc.apt_id_req);
  if (n == 0) wk_text(8, 60, WK_LABEL, "no ID yet");
  else if (apt < 0) wk_wrapped(8, 60, 80, WK_ALARM, "not in the database", 3);
  else wk_wrapped(8, 60, 80, WK_TITLE, apt_name[apt], 5);
}

static void id_columns() {
  wk_erase(id_col_x[0] - 2, 0, id_col_x[4] - id_col_x[0] + 8, ID_ROW0 + ID_ROW * ID_CODES + 4);
  for (int k = 0; k < 4; k++) {
    MACIBM_framerect(WK_FRAME, id_col_x[k], ID_ROW0 - 2, 17, ID_ROW * ID_CODES + 2);
    int len = (int)strnlen(msc.apt_id_req, 4);
    char now = k < len ? (char)std::toupper((unsigned char)msc.apt_id_req[k]) : ' ';
    for (int r = 0; r < ID_CODES; r++) {
      char c = code_to_char(r);
      int y = ID_ROW0 + ID_ROW * r;
      if (c == now) MACIBM_fillrect(WK_FACE, id_col_x[k] + 1, y - 1, 15, ID_ROW - 1);
      if (r == 0) {
        MACIBM_hshline(c == now ? WK_MARK : WK_LABEL, id_col_x[k] + 6, y + 7, 5);  // the blank
        continue;
      }
      char s[2] = {c, 0};
      MACIBM_drstring(c == now ? WK_MARK : WK_VALUE, id_col_x[k] + 6, y + 8, s, 5);
    }
  }
}

void id_plot() {
  if (!wk_begin(WIN_APT_ID)) return;
  wk_mouse_away();
  id_start();
  wk_clear();
  wk_text(8, 8, WK_TITLE, "Identifier");
  id_field();
  wk_text(8, 330, WK_LABEL, "Type it, or");
  wk_text(8, 344, WK_LABEL, "click letters.");
  wk_text(8, 372, WK_LABEL, "Enter or close:");
  wk_text(8, 386, WK_LABEL, "fly there.");
  wk_text(8, 408, WK_LABEL, "Esc: cancel.");
  id_columns();
  wk_mouse_back();
}

static void id_changed() {
  mark_edited(WIN_APT_ID);
  idw.fresh = 0;
  id_field();
  id_columns();
}

void id_click() {
  if (!wk_begin(WIN_APT_ID)) return;
  id_start();
  int r = (msc.my - ID_ROW0 + 1) / ID_ROW;
  if (msc.my < ID_ROW0 - 1 || r < 0 || r >= ID_CODES) return;
  for (int k = 0; k < 4; k++) {
    if (msc.mx < id_col_x[k] || msc.mx >= id_col_x[k + 1]) continue;
    char id[8] = "    ";
    std::memcpy(id, msc.apt_id_req, strnlen(msc.apt_id_req, 4));
    id[k] = code_to_char(r);
    id[4] = 0;
    for (int i = 3; i >= 0 && id[i] == ' '; i--) id[i] = 0;
    C_to_C(id, msc.apt_id_req);
    id_changed();
    return;
  }
}

static int id_key(int key, int character) {
  id_start();
  int n = (int)strnlen(msc.apt_id_req, 4);
  if (key == KEY_RETURN) {
    MACIBM_killwind(WIN_APT_ID);
    return 1;
  }
  if (key == KEY_ESCAPE) {
    C_to_C(idw.before, msc.apt_id_req);
    settings_window_closed(WIN_APT_ID);  // forgets the edit, so closing goes nowhere
    MACIBM_killwind(WIN_APT_ID);
    return 1;
  }
  if (!wk_begin(WIN_APT_ID)) return 0;
  if (key == KEY_BACKSPACE || key == KEY_DELETE) {
    if (idw.fresh) n = 0;
    else if (n > 0) n--;
    msc.apt_id_req[n] = 0;
    id_changed();
    return 1;
  }
  if (!is_id_char(character)) return 0;
  if (idw.fresh) n = 0;
  if (n >= 4) return 1;  // full: the key is still the window's
  msc.apt_id_req[n] = (char)std::toupper(character);
  msc.apt_id_req[n + 1] = 0;
  id_changed();
  return 1;
}

// ================================================================ airport lists

enum { LIST_X = 8, LIST_Y = 36, FIND_Y = 150 };

struct listwin {
  int started;
  int index;
  char find[32];
};
static listwin namw, gidw;

static int last_airport() { return intmin2(env.aptmax, APT_MAX - 1); }

static void list_start(listwin* w, int index) {
  if (w->started) return;
  w->started = 1;
  w->index = intlim(index, 0, intmax2(last_airport(), 0));
  w->find[0] = 0;
}

static int starts_with(const char* s, const char* prefix) {
  for (; *prefix; s++, prefix++)
    if (std::toupper((unsigned char)*s) != std::toupper((unsigned char)*prefix)) return 0;
  return 1;
}

static int contains(const char* s, const char* part) {
  for (; *s; s++)
    if (starts_with(s, part)) return 1;
  return 0;
}

// The first airport whose name (or identifier) begins with the text, else
// the first that contains it; -1 for none.
static int find_airport(const char* text, int by_id) {
  if (!*text) return -1;
  for (int pass = 0; pass < 2; pass++)
    for (int n = 0; n <= last_airport(); n++) {
      const char* s = by_id ? apt_id[n] : apt_name[n];
      if (pass == 0 ? starts_with(s, text) : contains(s, text)) return n;
    }
  return -1;
}

static void list_details(const listwin* w) {
  wk_erase(282, 30, 66, 110);
  int n = w->index;
  if (n < 0 || n > last_airport()) return;
  wk_text(286, 36, WK_TITLE, apt_id[n]);
  wk_textf(286, 54, WK_LABEL, "%.2f%c", std::fabs(apt_lat[n][0]), apt_lat[n][0] < 0 ? 'S' : 'N');
  wk_textf(286, 68, WK_LABEL, "%.2f%c", std::fabs(apt_lon[n][0]), apt_lon[n][0] < 0 ? 'W' : 'E');
  wk_textf(286, 86, WK_LABEL, "%.0f ft", apt_z[n] * 3.2808399f);
}

static void list_find_line(const listwin* w, const char* what) {
  wk_erase(0, FIND_Y - 2, 351, 26);
  wk_textf(LIST_X, FIND_Y, WK_LABEL, "Find %s:", what);
  int x = LIST_X + wk_text_width(what) + 40;
  MACIBM_framerect(WK_FRAME, x - 4, FIND_Y - 2, 170, 18);
  wk_text(x, FIND_Y, WK_VALUE, w->find);
  MACIBM_hshline(WK_VALUE, x + wk_text_width(w->find) + 1, FIND_Y + 12, 6);
}

static void list_plot(int index, listwin* w, const char* what, const char* hint) {
  if (!wk_begin(index)) return;
  wk_clear();
  wk_text(LIST_X, 8, WK_LABEL, "click here: back 10");
  wk_text(LIST_X, 116, WK_LABEL, "click here: on 10");
  wk_text(190, 8, WK_LABEL, hint);
  plot_name_list(LIST_X, LIST_Y, apt_name, apt_id, &w->index, 0, last_airport(), 0);
  list_details(w);
  list_find_line(w, what);
}

static void list_click(int index, listwin* w) {
  if (!wk_begin(index)) return;
  int before = w->index;
  plot_name_list(LIST_X, LIST_Y, apt_name, apt_id, &w->index, 0, last_airport(), 1);
  if (w->index != before) {
    mark_edited(index);
    list_details(w);
  }
}

static int list_key(int index, listwin* w, int by_id, int key, int character) {
  if (key == KEY_ESCAPE) {
    settings_window_closed(index);
    MACIBM_killwind(index);
    return 1;
  }
  if (key == KEY_RETURN) {
    MACIBM_killwind(index);
    return 1;
  }
  int n = (int)std::strlen(w->find);
  if (key == KEY_BACKSPACE || key == KEY_DELETE) {
    if (n > 0) w->find[n - 1] = 0;
  } else if (character >= 32 && character < 127 && (by_id ? is_id_char(character) : 1)) {
    if (n >= (int)sizeof w->find - 1) return 1;
    w->find[n] = (char)(by_id ? std::toupper(character) : character);
    w->find[n + 1] = 0;
  } else {
    return 0;
  }
  int found = find_airport(w->find, by_id);
  if (found >= 0 && found != w->index) {
    w->index = found;
    mark_edited(index);
  }
  if (wk_begin(index)) {
    plot_name_list(LIST_X, LIST_Y, apt_name, apt_id, &w->index, 0, last_airport(), 0);
    list_details(w);
    list_find_line(w, by_id ? "ID" : "name");
    if (found < 0 && w->find[0]) wk_text(250, FIND_Y, WK_ALARM, "none");
  }
  return 1;
}

void namplot() {
  list_start(&namw, msc.loc_index);
  list_plot(WIN_APT_NAME, &namw, "name", "Enter or close: fly there");
}

void namclick() {
  list_start(&namw, msc.loc_index);
  list_click(WIN_APT_NAME, &namw);
}

int chosen_airport() { return namw.started && window_edited(WIN_APT_NAME) ? namw.index : -1; }

void gidplot() {
  list_start(&gidw, msc.loc_index);
  list_plot(WIN_APT_IDS, &gidw, "ID", "to look up, not to fly");
}

void gidclick() {
  list_start(&gidw, msc.loc_index);
  list_click(WIN_APT_IDS, &gidw);
}

// ================================================================ the world map

enum { MAP_X = 20, MAP_Y = 14, MAP_W = 720, MAP_H = 360 };
// The map's two reference points: pixel and place.
static const float ref_x[2] = {144, 682}, ref_y[2] = {126, 262};
static const float ref_lat[2] = {34, -34}, ref_lon[2] = {-118, 151};

void world_latlon_of_pixel(int x, int y, float* lat, float* lon) {
  // The centre of the pixel clicked.
  *lat = interp(ref_y[0], ref_lat[0], ref_y[1], ref_lat[1], (float)y + 0.5f);
  *lon = interp(ref_x[0], ref_lon[0], ref_x[1], ref_lon[1], (float)x + 0.5f);
}

void world_pixel_of_latlon(float lat, float lon, int* x, int* y) {
  *x = flt_to_int(std::floor(interp(ref_lon[0], ref_x[0], ref_lon[1], ref_x[1], lon)));
  *y = flt_to_int(std::floor(interp(ref_lat[0], ref_y[0], ref_lat[1], ref_y[1], lat)));
}

void region_corner_of(float lat, float lon, int* lat_sou, int* lon_wes) {
  *lat_sou = bk::round(lat - 1.0f);
  *lon_wes = bk::round(lon - 1.5f);
}

static int land_at(int col, int row) {
  const char* r = world_land_rows[row];
  int byte = col / 8;
  char hex[3] = {r[2 * byte], r[2 * byte + 1], 0};
  int v = (int)std::strtol(hex, nullptr, 16);
  return (v >> (7 - col % 8)) & 1;
}

static void world_marker(float lat, float lon, int color, const char* label, int label_right) {
  int x, y;
  world_pixel_of_latlon(lat, lon, &x, &y);
  MACIBM_hshline(color, x - 4, y, 9);
  MACIBM_hsvline(color, x, y - 4, 9);
  if (label) wk_text(label_right ? x + 6 : x - 6 - wk_text_width(label), y - 15, color, label);
}

void wrlplot() {
  if (!wk_begin(WIN_WORLD)) return;
  wk_clear();
  MACIBM_fillrect(WK_WATER, MAP_X, MAP_Y, MAP_W, MAP_H);
  for (int row = 0; row < MAP_H; row++)
    for (int col = 0; col < MAP_W;) {
      if (!land_at(col, row)) {
        col++;
        continue;
      }
      int start = col;
      while (col < MAP_W && land_at(col, row)) col++;
      MACIBM_hshline(WK_LAND, MAP_X + start, MAP_Y + row, col - start);
    }
  for (int lon = -150; lon < 180; lon += 30) MACIBM_hsvline(WK_FRAME, MAP_X + 2 * (lon + 180), MAP_Y, MAP_H);
  for (int lat = -60; lat <= 60; lat += 30) MACIBM_hshline(WK_FRAME, MAP_X, MAP_Y + 2 * (90 - lat), MAP_W);
  MACIBM_framerect(WK_LABEL, MAP_X - 1, MAP_Y - 1, MAP_W + 1, MAP_H + 1);
  for (int k = 0; k < 2; k++) {
    char label[32];
    std::snprintf(label, sizeof label, "%.0f%c %.0f%c", std::fabs(ref_lat[k]), ref_lat[k] < 0 ? 'S' : 'N',
                  std::fabs(ref_lon[k]), ref_lon[k] < 0 ? 'W' : 'E');
    world_marker(ref_lat[k], ref_lon[k], WK_TITLE, label, k == 0);
  }
  // The loaded region, over the reference cross that may share its place.
  int x0, y0, x1, y1;
  world_pixel_of_latlon((float)env.lat_sou + 2, (float)env.lon_wes, &x0, &y0);
  world_pixel_of_latlon((float)env.lat_sou, (float)env.lon_wes + 3, &x1, &y1);
  MACIBM_framerect(WK_MARK, x0 - 1, y0 - 1, intmax2(x1 - x0, 2) + 2, intmax2(y1 - y0, 2) + 2);
  MACIBM_framerect(WK_MARK, x0, y0, intmax2(x1 - x0, 2), intmax2(y1 - y0, 2));
  wk_text(MAP_X, 384, WK_TITLE, "Click a place on the map: the scenery is loaded around it and you start");
  wk_text(MAP_X, 398, WK_TITLE, "at the airport nearest to it.");
  wk_text(MAP_X, 418, WK_LABEL, "Yellow: the region loaded now. White crosses: the map's reference points.");
  wk_textf(MAP_X, 432, WK_LABEL, "Region now: %d..%d %s, %d..%d %s", std::abs(env.lat_sou), std::abs(env.lat_sou + 2),
           env.lat_sou < 0 ? "S" : "N", std::abs(env.lon_wes), std::abs(env.lon_wes + 3), env.lon_wes < 0 ? "W" : "E");
}

void wrlclick() {
  if (msc.mx < MAP_X || msc.mx >= MAP_X + MAP_W || msc.my < MAP_Y || msc.my >= MAP_Y + MAP_H) return;
  float lat, lon;
  world_latlon_of_pixel(msc.mx, msc.my, &lat, &lon);
  region_corner_of(lat, lon, &env.lat_sou, &env.lon_wes);
  mark_edited(WIN_WORLD);
  MACIBM_killwind(WIN_WORLD);  // its close action loads the region chosen
}

// ================================================================ latitude and longitude

enum { LAT_X = 40, LON_X = 140, LL_Y = 34 };

static struct {
  int started;
  int lat_sou, lon_wes;  // as they were when the window opened
} llw;

static void ll_start() {
  if (llw.started) return;
  llw.started = 1;
  llw.lat_sou = env.lat_sou;
  llw.lon_wes = env.lon_wes;
}

static void ll_readout() {
  wk_erase(8, 90, 236, 70);
  float lat = env.lat_sou + 1.0f, lon = env.lon_wes + 1.5f;
  wk_textf(12, 92, WK_VALUE, "centre %.1f %s  %.1f %s", std::fabs(lat), lat < 0 ? "S" : "N", std::fabs(lon),
           lon < 0 ? "W" : "E");
  wk_textf(12, 108, WK_LABEL, "region %d..%d %s, %d..%d %s", std::abs(env.lat_sou), std::abs(env.lat_sou + 2),
           env.lat_sou < 0 ? "S" : "N", std::abs(env.lon_wes), std::abs(env.lon_wes + 3), env.lon_wes < 0 ? "W" : "E");
  wk_text(12, 130, WK_LABEL, "Close the window to fly there.");
  wk_text(12, 144, WK_LABEL, "North and east are positive.");
}

static int ll_fields(int redraw) {
  float lat = env.lat_sou + 1.0f, lon = env.lon_wes + 1.5f;
  int a = instdbtn_range(WK_VALUE, LAT_X, LL_Y, &lat, 2, 0, redraw, -89, 89);
  int b = instdbtn_range(WK_VALUE, LON_X, LL_Y, &lon, 3, 0, redraw, -179.5f, 179.5f);
  if (a || b) {
    env.lat_sou = bk::round(lat - 1.0f);
    env.lon_wes = bk::round(lon - 1.5f);
  }
  return a || b;
}

void latplot() {
  if (!wk_begin(WIN_LATLON)) return;
  wk_mouse_away();
  ll_start();
  wk_clear();
  wk_text(LAT_X - 6, 12, WK_TITLE, "latitude");
  wk_text(LON_X - 6, 12, WK_TITLE, "longitude");
  wk_spinner(LAT_X, LL_Y, 2, 0);
  wk_spinner(LON_X, LL_Y, 3, 0);
  ll_fields(1);
  ll_readout();
  wk_mouse_back();
}

void latclick() {
  if (!wk_begin(WIN_LATLON)) return;
  ll_start();
  if (!ll_fields(0)) return;
  if (env.lat_sou != llw.lat_sou || env.lon_wes != llw.lon_wes) mark_edited(WIN_LATLON);
  wk_mouse_away();
  ll_fields(1);
  ll_readout();
  wk_mouse_back();
}

// ================================================================ where am I

static const char* const sectors[8] = {"north", "north-east", "east", "south-east",
                                       "south", "south-west", "west", "north-west"};

void where_am_i_line(char* line, int size) {
  int best = -1;
  float best_d = 0;
  for (int n = 0; n <= last_airport(); n++) {
    float d = pythag(apt_lat[n][0] - flt.lat, apt_lon[n][0] - flt.lon);
    if (best < 0 || d < best_d) best = n, best_d = d;
  }
  if (best < 0) {
    std::snprintf(line, (size_t)size, "There is no airport in the database.");
    return;
  }
  float north = (flt.lat - apt_lat[best][0]) * 60.0f;
  float east = (flt.lon - apt_lon[best][0]) * 60.0f * std::cos(apt_lat[best][0] * 0.0174532925f);
  float nm = pythag(north, east);
  if (nm < 0.5f) {
    std::snprintf(line, (size_t)size, "At %s (%s)", apt_name[best], apt_id[best]);
    return;
  }
  float bearing = std::atan2(east, north) * 57.2957795f;
  if (bearing < 0) bearing += 360;
  int sector = flt_to_int(std::floor((bearing + 22.5f) / 45.0f)) % 8;
  std::snprintf(line, (size_t)size, "%.0f nm %s of %s (%s)", nm, sectors[sector], apt_name[best], apt_id[best]);
}

void whrplot() {
  if (!wk_begin(WIN_WHERE_AM_I)) return;
  wk_clear();
  wk_group(8, 12, 515, 100, "Where am I?");
  wk_textf(20, 28, WK_LABEL, "latitude");
  wk_textf(110, 28, WK_VALUE, "%.2f %s", std::fabs(flt.lat), flt.lat < 0 ? "S" : "N");
  wk_textf(240, 28, WK_LABEL, "longitude");
  wk_textf(330, 28, WK_VALUE, "%.2f %s", std::fabs(flt.lon), flt.lon < 0 ? "W" : "E");
  char line[200];
  where_am_i_line(line, sizeof line);
  wk_text(20, 56, WK_TITLE, line);
  wk_textf(20, 84, WK_LABEL, "%.0f ft above sea level", flt.h * 3.2808399f);
}

// ================================================================ the group

void loc_windows_closed(int index) {
  if (index == WIN_APT_ID) idw.started = 0;
  if (index == WIN_APT_NAME) namw.started = 0;
  if (index == WIN_APT_IDS) gidw.started = 0;
  if (index == WIN_LATLON) llw.started = 0;
}

int loc_windows_key(int index, int key, int character) {
  if (index == WIN_APT_ID) return id_key(key, character);
  if (index == WIN_APT_NAME) {
    list_start(&namw, msc.loc_index);
    return list_key(WIN_APT_NAME, &namw, 0, key, character);
  }
  if (index == WIN_APT_IDS) {
    list_start(&gidw, msc.loc_index);
    return list_key(WIN_APT_IDS, &gidw, 1, key, character);
  }
  return 0;
}
