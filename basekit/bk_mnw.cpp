// Numbered windows, menus, alerts, and the programs' start and exit, on the
// desktop drawn inside the virtual screen.
#include "basekit/bk_mnw.h"
#include <sys/stat.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desk_draw.h"
#include "basekit/platform/platform.h"

hookstruct hok;
menuwindowstruct mnw;
screenrect wrc;
drawcontext* active_dc = nullptr;
int hres_orig, vres_orig, cres_orig;
FILE* err = nullptr;

static const char* const alert_title = "Corvane Message";

static void bounded_copy(char* dst, const char* src, size_t dim) {
  std::snprintf(dst, dim, "%s", src ? src : "");
}

static void check_window_index(int index, const char* message) {
  if (index < 0 || index >= MNW_WINDOWS) MACIBM_numberexitalert(message, index);
}

// ---- windows ----

void set_win_params(int index, const char* C_string, int dx, int dy, int win_type) {
  check_window_index(index, "Whoa! set_win_params out of bounds!");
  bounded_copy(mnw.windowname[index], C_string, STR_DIM);
  mnw.win_type[index] = win_type;
  if (win_type == WIN_TYPE_MAIN) dy += 24;
  if (win_type == WIN_TYPE_CAPTION) {
    dx += 6;
    dy += 44;
  }
  mnw.dx[index] = dx;
  mnw.dy[index] = dy;
  mnw.x[index] = (800 - dx) / 2;
  mnw.y[index] = (600 - dy) / 2;
}

// Where a window's client area lies on the screen and how big it is. The
// main window fills the screen under the menu bar.
static void client_geometry(int index, int* x, int* y, int* dx, int* dy, int* framed) {
  int type = mnw.win_type[index];
  *framed = index != 0 || type != WIN_TYPE_MAIN;
  if (type == WIN_TYPE_MAIN) {
    *dx = mnw.dx[index];
    *dy = mnw.dy[index] - 24;
    *x = 0;
    *y = DESK_MENUBAR_H;
    if (index != 0) {
      *x = mnw.x[index] + DESK_BORDER;
      *y = mnw.y[index] + DESK_BORDER + DESK_CAPTION_H;
    }
    return;
  }
  *dx = mnw.dx[index] - (type == WIN_TYPE_CAPTION ? 6 : 0);
  *dy = mnw.dy[index] - (type == WIN_TYPE_CAPTION ? 44 : 0);
  *x = mnw.x[index] + DESK_BORDER;
  *y = mnw.y[index] + DESK_BORDER + DESK_CAPTION_H;
  if (*y < DESK_MENUBAR_H + DESK_CAPTION_H) *y = DESK_MENUBAR_H + DESK_CAPTION_H;
}

void MACIBM_startwind(int index, int bringtofront) {
  check_window_index(index, "MACIBM_startwind out of bounds");
  if (!mnw.up[index]) {
    if (hok.stop_sounds) hok.stop_sounds();
    int x, y, dx, dy, framed;
    client_geometry(index, &x, &y, &dx, &dy, &framed);
    int handle = desk_window_create(index, x, y, dx, dy, framed, mnw.windowname[index]);
    if (!handle) MACIBM_exitalert("Can't create window!! Bu-bye!", "", "", "");
    mnw.wind[index] = handle;
    mnw.up[index] = 1;
  } else if (bringtofront) {
    desk_window_raise(mnw.wind[index]);
  }
  if (bringtofront) mnw.dragging_index = index;
  active_dc = desk_window_dc(mnw.wind[index]);
  set_up_win_globals(index);
}

void MACIBM_killwind(int index) {
  check_window_index(index, "killwin out of bounds");
  if (!mnw.up[index]) return;
  int handle = mnw.wind[index];
  drawcontext* dc = desk_window_dc(handle);
  desk_window_destroy(handle);  // its destroy message runs MACIBM_handlezap
  if (mnw.up[index]) MACIBM_handlezap(index);
  if (active_dc == dc) active_dc = mnw.up[0] ? desk_window_dc(mnw.wind[0]) : nullptr;
}

void MACIBM_handlezap(int index) {
  check_window_index(index, "zapwin out of bounds");
  if (!mnw.up[index]) return;
  mnw.up[index] = 0;
  mnw.wind[index] = 0;
  if (hok.process_zap) hok.process_zap(index);
  if (hok.restart_sounds) hok.restart_sounds();
}

void MACIBM_invalwind(int index) {
  check_window_index(index, "invalwind out of bounds");
  if (mnw.up[index]) desk_send(mnw.wind[index], WM_PAINT, 0, 0);
}

int win_to_index(int handle) {
  if (handle == 0) return 0;
  for (int i = 0; i < MNW_WINDOWS; i++)
    if (mnw.up[i] && mnw.wind[i] == handle) return i;
  return 0;
}

void set_up_win_globals(int index) {
  check_window_index(index, "set_up_win_globals out of bounds");
  int x, y, dx, dy;
  if (mnw.up[index] && desk_window_client_rect(mnw.wind[index], &x, &y, &dx, &dy))
    wrc = screenrect{x, y, x + dx, y + dy};
}

void set_win_title(int index, const char* text) {
  check_window_index(index, "set_win_title out of bounds");
  bounded_copy(mnw.windowname[index], text, STR_DIM);
  if (mnw.up[index]) desk_window_set_title(mnw.wind[index], mnw.windowname[index]);
}

void MACIBM_pump() { desk_pump(); }

// ---- menus ----

static void check_menu_index(int index, const char* message) {
  if (index > 234) MACIBM_numberexitalert(message, index);
  if (index < 1) MACIBM_numberexitalert("Menu index must be 1->235!", index);
}

void MACIBM_create_menu(int menu_index, const char* C_string) {
  check_menu_index(menu_index, "Menu index out of range in create_menu!");
  desk_menu_create(menu_index, C_string, 1);
  mnw.menu[menu_index] = 1;
}

void MACIBM_create_submenu(int menu_index_to_append_on, int menu_index_this_is, int item_to_append_to,
                           const char* C_string) {
  check_menu_index(menu_index_to_append_on, "Menu index out of range in create_sub_menu!");
  check_menu_index(menu_index_this_is, "Menu index out of range in create_sub_menu!");
  desk_menu_create(menu_index_this_is, C_string, 0);
  mnw.menu[menu_index_this_is] = 1;
  desk_menu_append(menu_index_to_append_on, item_to_append_to, -1, C_string, item_to_append_to % 25 == 0,
                   menu_index_this_is);
}

void MACIBM_append_menu(int menu_index, int item_index, int command_key_index, const char* C_string) {
  check_menu_index(menu_index, "Menu index out of range in append_menu!");
  desk_menu_append(menu_index, item_index, command_key_index, C_string, item_index % 25 == 0, 0);
}

void MACIBM_delete_menu_item(int men, int id) {
  check_menu_index(men, "Menu index out of range in delete_menu_item!");
  desk_menu_delete_item(men, id);
}

void MACIBM_delete_menu(int men) {
  check_menu_index(men, "Menu index out of range in delete_menu!");
  desk_menu_delete(men);
  mnw.menu[men] = 0;
}

void MACIBM_check_menu(int menu_ind, int id, int val) {
  check_menu_index(menu_ind, "Menu index out of range in check_menu!");
  desk_menu_check(menu_ind, id, val != 0);
}

void MACIBM_gray_menu(int menu_ind, int id, int val) {
  check_menu_index(menu_ind, "Menu index out of range in gray_menu!");
  desk_menu_enable(menu_ind, id, val != 0);
}

// ---- alerts and exit ----

void MACIBM_alert(const char* C_string1, const char* C_string2, const char* C_string3,
                  const char* C_string4, int is_about) {
  if (hok.stop_sounds) hok.stop_sounds();
  if (hok.play_alert_sound) hok.play_alert_sound(is_about);
  const char* lines[4] = {C_string1, C_string2, C_string3, C_string4};
  const char* ok[1] = {"OK"};
  desk_alert(alert_title, lines, 4, 1, ok);
  if (hok.restart_sounds) hok.restart_sounds();
  if (hok.after_alert) hok.after_alert();
}

void MACIBM_aboutalert() {
  char line1[STR_DIM], line2[STR_DIM];
  std::snprintf(line1, sizeof line1, "%s %s", hok.product_name ? hok.product_name : "",
                hok.version_text ? hok.version_text : "");
  std::snprintf(line2, sizeof line2, "%s",
                "A flight simulator that flies the aircraft from its own geometry, element by element.");
  MACIBM_alert(line1, line2, "Fly safe.", "", 1);
}

void set_res(int init_call) {
  // The virtual screen is always 800 x 600 x 8; there is no display mode to change.
  if (init_call) {
    hres_orig = 800;
    vres_orig = 600;
    cres_orig = 8;
  }
}

[[noreturn]] static void end_process(int status) {
  if (hok.end_process) hok.end_process(status);
  std::exit(status);
}

static const char SPOILT_HEAD[] = "I\n-1 version\nz\nz\nz\nz\nz\n";

int prefs_spoilt(const char* path, char* why, int why_size) {
  if (why_size > 0) why[0] = 0;
  std::FILE* f = plat_fopen_regular(path);
  if (!f) return 0;
  char text[1024];
  size_t n = std::fread(text, 1, sizeof text - 1, f);
  std::fclose(f);
  text[n] = 0;
  size_t head = sizeof SPOILT_HEAD - 1;
  if (n < head || std::memcmp(text, SPOILT_HEAD, head) != 0) return 0;
  // The line after the marks is the error that spoilt the file.
  const char* line = text + head;
  size_t len = std::strcspn(line, "\n");
  if (why_size > 0) std::snprintf(why, (size_t)why_size, "%.*s", (int)len, line);
  return 1;
}

// The next start finds version -1 and uses its defaults; the user's settings
// stay beside it in the ".bak" file (unless the file was spoilt already, so a
// second error does not lose them).
static void spoil_prefs(const char* line1, const char* line2) {
  if (!hok.spoil_prefs_on_fatal || !prefs_path[0]) return;
  char bak[STR_DIM + 8];
  std::snprintf(bak, sizeof bak, "%s.bak", prefs_path);
  struct stat st;
  if (lstat(prefs_path, &st) == 0 && S_ISREG(st.st_mode) && !prefs_spoilt(prefs_path, nullptr, 0))
    std::rename(prefs_path, bak);
  char text[3 * STR_DIM];
  std::snprintf(text, sizeof text, "%s%s %s\n", SPOILT_HEAD, line1, line2);
  save_text_file(prefs_path, text);
}

static int exiting = 0;

void MACIBM_exitalert(const char* C_string1, const char* C_string2, const char* C_string3,
                      const char* C_string4) {
  int fatal = C_string1 != nullptr && C_string1[0] != 0;
  // A close action that fails while the program is already leaving ends it at once.
  if (exiting) end_process(fatal ? 1 : 0);
  exiting = 1;
  if (fatal) {
    const char* l[4] = {C_string1, C_string2 ? C_string2 : "", C_string3 ? C_string3 : "",
                        C_string4 ? C_string4 : ""};
    std::fprintf(stderr, "%s\n%s\n%s\n%s\n", l[0], l[1], l[2], l[3]);
    if (err) std::fprintf(err, "%s\n%s\n%s\n%s\n", l[0], l[1], l[2], l[3]);
    MACIBM_alert(l[0], l[1], l[2], l[3], 0);
    spoil_prefs(l[0], l[1]);
  }
  if (hok.before_exit) hok.before_exit(fatal);
  if (err) {
    std::fclose(err);
    err = nullptr;
  }
  // The windows go without running their close actions.
  desk_set_window_proc(nullptr);
  for (int i = MNW_WINDOWS - 1; i >= 0; i--)
    if (mnw.up[i]) {
      desk_window_destroy(mnw.wind[i]);
      mnw.up[i] = 0;
      mnw.wind[i] = 0;
    }
  active_dc = nullptr;
  plat_quit();
  exiting = 0;
  end_process(fatal ? 1 : 0);
}

void MACIBM_numberexitalert(const char* C_string1, int number) {
  char num[STR_DIM];
  std::snprintf(num, sizeof num, "%d", number);
  MACIBM_exitalert(C_string1, num, "", "");
}

// ---- start-up ----

// dir/file; "" when there is no folder or the path does not fit, which
// must never quietly become a cut name.
static int join_path(char* dst, const char* dir, const char* file) {
  dst[0] = 0;
  if (!dir || !dir[0]) return 0;
  int n = std::snprintf(dst, STR_DIM, "%s/%s", dir, file);
  if (n < 0 || n >= STR_DIM) {
    dst[0] = 0;
    return 0;
  }
  return 1;
}

static void find_prefs_path(const char* folder) {
  const char* dir = plat_config_dir(folder);
  const char* name = hok.prefs_name ? hok.prefs_name : "Tarvel Ririzuz.prf";
  prefs_problem[0] = 0;
  if (join_path(prefs_path, dir, name)) return;
  if (!dir[0])
    std::snprintf(prefs_problem, STR_DIM, "There is no home folder ($HOME is empty) to keep them in.");
  else
    std::snprintf(prefs_problem, STR_DIM, "The path of the configuration folder is too long: %.300s", dir);
}

int MACIBM_init(const char* main_name, int main_dx, int main_dy, int main_type) {
  if (!plat_init(main_name)) return 0;
  const char* folder = hok.program_folder ? hok.program_folder : "tarvel";
  char err_path[STR_DIM];
  join_path(err_path, plat_data_dir(folder), "Error.out");
  err = fopen_output(err_path);
  if (err) std::setvbuf(err, nullptr, _IOFBF, 4096);
  bounded_copy(app_path, plat_app_dir(), STR_DIM);
  find_prefs_path(folder);
  // What saves cut short by a crash or a kill left beside the user's files.
  remove_stray_temps(plat_config_dir(folder));
  remove_stray_temps(plat_data_dir(folder));
  set_res(1);
  init_constants();
  init_graph_tables();
  desk_set_window_proc(hok.window_proc);
  set_win_params(0, main_name, main_dx, main_dy, main_type);
  MACIBM_startwind(0, 1);
  desk_set_system_colors();
  set_xsys_colors();
  set_startup_colors();
  MACIBM_apply_palette();
  if (hok.set_up_menus) hok.set_up_menus();
  if (hok.draw_startup_picture) hok.draw_startup_picture();
  desk_present();
  return 1;
}
