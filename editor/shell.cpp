// The editor's shell: start-up, menus, the window procedure, the screen of
// each mode, typing into names, and the progress bar.
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "editor/ed.h"
#include "editor/ui.h"

miscstruct msc;
int ed_quit = 0;

void ed_alert(const char* l1, const char* l2, const char* l3, const char* l4) {
  if (msc.batch) {
    const char* l[4] = {l1, l2, l3, l4};
    for (const char* s : l)
      if (s && s[0]) std::fprintf(stderr, "%s\n", s);
    return;
  }
  MACIBM_alert(l1, l2, l3, l4, 0);
}

// ---- progress while the world files are read ----

static int progress_x = 0;

void up_progress() {
  if (msc.batch || !mnw.up[0]) return;
  if (progress_x == 0) progress_x = 5;
  if (progress_x >= 275) return;
  set_up_win_globals(0);
  MACIBM_fillrect(12, progress_x, 541, 3, 5);
  progress_x += 5;
}

// ---- start-up ----

static void editor_palette() {
  set_xsys_colors();
  // 51..245: the height ramp of the map, dark to light green.
  for (int k = 51; k <= 245; k++) {
    float f = (k - 51) / 194.0f;
    MACIBM_assigncolor(k, 0.2f * f, 0.8f * f, 0.2f * f);
  }
  MACIBM_apply_palette();
}

void init_data(int read_world) {
  msc.edit_mode = MODE_TERRAIN;
  msc.map_dirty = msc.apt_dirty = msc.nav_dirty = 0;
  msc.map_latfile = 33;
  msc.map_lonfile = -119;
  msc.map_zoom = 1;
  msc.map_os_lat = msc.map_os_lon = 0;
  msc.map_mode = 0;
  msc.map_res = 99;
  msc.map_ic_elev = 29;
  msc.map_jc_elev = 39;
  msc.map_i1_elev = 28;
  msc.map_j1_elev = 38;
  msc.map_i2_elev = 30;
  msc.map_j2_elev = 40;
  msc.obs_mode = OBS_SELECT;
  msc.obs_index_selected = -1;
  msc.apt_index = msc.nav_index = msc.lo_ind = msc.hi_ind = 0;
  msc.nav_kind = 3;
  read_prefs();
  set_flat_sea();
  // Nothing is loaded yet: the terrain screen reads the quadrant.
  msc.map_loaded_lat = msc.map_loaded_lon = 9999;
  for (int n = 0; n < ED_APT_MAX; n++) apt_type[n] = 0;
  for (int n = 0; n < ED_NAV_MAX; n++) nav_type[n] = 0;
  for (int n = 0; n < OBS_MAX; n++) obs_type[n] = 0;
  if (read_world) read_world_data();
  if (!msc.batch) editor_palette();
  hok.mouse = mousehook{&msc.mx, &msc.my, &msc.mousedown};
  register_backgrounds();
}

// ---- menus ----

void set_up_menus() {
  MACIBM_create_menu(2, "File");
  MACIBM_append_menu(2, 201, 1, "Save Terrain and Obstacles");
  MACIBM_append_menu(2, 202, 6, "Save Airports");
  MACIBM_append_menu(2, 203, 6, "Save Navaids");
  MACIBM_append_menu(2, 204, 0, "-");
  MACIBM_append_menu(2, 205, 2, "Exit");
  MACIBM_create_menu(3, "Edit");
  MACIBM_append_menu(3, 301, 1, "Terrain");
  MACIBM_append_menu(3, 302, 1, "Obstacles");
  MACIBM_append_menu(3, 303, 1, "Airports");
  MACIBM_append_menu(3, 304, 1, "Navaids");
  MACIBM_create_menu(4, "Special");
  MACIBM_append_menu(4, 401, 1, "Import 1200 x 1200 USGS File...");
  MACIBM_append_menu(4, 402, 0, "-");
  MACIBM_append_menu(4, 403, 1, "Smooth Terrain Data Except Water");
  MACIBM_create_menu(5, "About");
  MACIBM_append_menu(5, 501, 1, "About");
}

static void do_exit() {
  if (!handle_save(MODE_TERRAIN, msc.map_dirty)) return;
  if (!handle_save(MODE_APT, msc.apt_dirty)) return;
  if (!handle_save(MODE_NAV, msc.nav_dirty)) return;
  write_prefs();
  ed_quit = 1;
}

static void do_import() {
  if (!handle_save(MODE_TERRAIN, msc.map_dirty)) return;
  char file[STR_DIM] = "", path[STR_DIM] = "";
  if (!MACIBM_open(file, path, FTYPE_ANY_BINARY)) return;
  import_USGS(file, path);
  msc.edit_mode = MODE_TERRAIN;
  handle_screen(1);
}

void handlemenu(int item) {
  switch (item) {
    case 201: writeout(MODE_TERRAIN, nullptr); break;
    case 202: writeout(MODE_APT, nullptr); break;
    case 203: writeout(MODE_NAV, nullptr); break;
    case 205: do_exit(); return;
    case 301: case 302: case 303: case 304:
      msc.edit_mode = item;
      handle_screen(1);
      return;
    case 401: do_import(); return;
    case 403:
      smooth_terrain();
      msc.map_dirty = 1;
      handle_screen(1);
      return;
    case 501:
      MACIBM_alert("Gridwright version 1.0",
                   "The scenery editor: terrain, water, obstacles, airports and navaids of one quadrant at a time.",
                   "", "", 1);
      return;
  }
  handle_screen(1);
}

// ---- the screen ----

void handle_screen(int arg) {
  if (!mnw.up[0]) return;
  set_up_win_globals(0);
  if (arg) {
    for (int m = 301; m <= 304; m++) MACIBM_check_menu(3, m, m == msc.edit_mode);
    // A redraw paints; the fields must not take it for a click.
    msc.mousedown = 0;
    paint_background();
  }
  switch (msc.edit_mode) {
    case MODE_TERRAIN: handle_map(arg); break;
    case MODE_OBS: handle_obs(arg); break;
    case MODE_APT: handle_apt(arg); break;
    case MODE_NAV: handle_nav(arg); break;
  }
  if (arg) msc.mousedown = 0;
}

// ---- typing into names ----

void edit_string(char* C_string, int key) {
  int n = (int)std::strlen(C_string);
  if (key == '-' || key == 189) {
    if (n > 0) C_string[n - 1] = 0;
    return;
  }
  // A name keeps 38 characters, as the files' readers do.
  if (n >= NAME_KEEP) {
    ed_alert("A name holds at most 38 characters.", "", "", "");
    return;
  }
  C_string[n] = (char)key;
  C_string[n + 1] = 0;
}

static int name_key(int key) {
  return (key >= 'a' && key <= 'z') || (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || key == ' ' ||
         key == '-' || key == 189;
}

void handle_wrlkey(int key) {
  if (!name_key(key)) return;
  if (msc.edit_mode == MODE_APT && apt_type[msc.apt_index] == 1) {
    edit_string(apt_name[msc.apt_index], key);
    msc.apt_dirty = 1;
    handle_screen(1);
  } else if (msc.edit_mode == MODE_NAV && nav_type[msc.nav_index] >= 2) {
    edit_string(nav_name[msc.nav_index], key);
    msc.nav_dirty = 1;
    handle_screen(1);
  }
}

// ---- the window procedure ----

static void on_key(long wparam, long lparam) {
  int key = (int)wparam, text = (int)(lparam & 255);
  if (ui_key(key)) return;
  if (text >= 'a' && text <= 'z' && (lparam >> 8) & PLAT_MOD_SHIFT) text -= 32;
  if (text) handle_wrlkey(text);
}

void handle_IBM_win(int wind, int message, long wparam, long lparam) {
  int index = win_to_index(wind);
  switch (message) {
    case WM_COMMAND: handlemenu((int)wparam); break;
    case WM_KEYDOWN: on_key(wparam, lparam); break;
    case WM_LBUTTONDOWN:
      msc.mx = (int)(lparam & 0xffff);
      msc.my = (int)((lparam >> 16) & 0xffff);
      msc.mousedown = 1;
      msc.down_unseen = 1;
      break;
    case WM_LBUTTONUP:
      // Press and release can arrive in one pump: the press is acted on first.
      if (msc.down_unseen) msc.up_pending = 1;
      else msc.mousedown = 0;
      break;
    case WM_MOUSEMOVE:
      msc.mx = (int)(lparam & 0xffff);
      msc.my = (int)((lparam >> 16) & 0xffff);
      break;
    case WM_PAINT: handle_screen(1); break;
    case WM_DESTROY:
      MACIBM_handlezap(index);
      if (index == 0) ed_quit = 1;
      break;
    default: break;
  }
}
