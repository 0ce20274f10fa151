// Numbered windows, menus and alerts, and the programs' start and exit.
#pragma once
#include <cstdio>
#include "basekit/bk_funct.h"
#include "basekit/platform/desktop.h"

enum { MNW_WINDOWS = 62, MNW_MENUS = 236 };
enum { WIN_TYPE_MAIN = 6, WIN_TYPE_CAPTION = 7, WIN_TYPE_SETTINGS = 8 };
enum { MAIN_WINDOW = 0 };  // the program's main window; the others are numbered by the program

struct menuwindowstruct {
  int  up[MNW_WINDOWS];
  int  wind[MNW_WINDOWS];       // desktop window handle, 0 while down
  int  win_type[MNW_WINDOWS];
  int  x[MNW_WINDOWS], y[MNW_WINDOWS], dx[MNW_WINDOWS], dy[MNW_WINDOWS];
  char windowname[MNW_WINDOWS][STR_DIM];
  int  menu[MNW_MENUS];         // 1 once menu n exists
  int  dragging_index;
};
extern menuwindowstruct mnw;

struct screenrect { int left, top, right, bottom; };
extern screenrect wrc;            // client rectangle of the current window, screen coordinates
extern drawcontext* active_dc;    // where unlocked drawing goes
extern int hres_orig, vres_orig, cres_orig;
extern FILE* err;                 // the error log "Error.out"

int  MACIBM_init(const char* main_name, int main_dx, int main_dy, int main_type);
void set_win_params(int index, const char* C_string, int dx, int dy, int win_type);
void MACIBM_startwind(int index, int bringtofront);
void MACIBM_killwind(int index);
void MACIBM_handlezap(int index);
void MACIBM_invalwind(int index);
int  win_to_index(int handle);
void set_up_win_globals(int index);
void set_win_title(int index, const char* text);
void MACIBM_create_menu(int menu_index, const char* C_string);
void MACIBM_create_submenu(int menu_index_to_append_on, int menu_index_this_is, int item_to_append_to,
                           const char* C_string);
void MACIBM_append_menu(int menu_index, int item_index, int command_key_index, const char* C_string);
void MACIBM_delete_menu_item(int men, int id);
void MACIBM_delete_menu(int men);
void MACIBM_check_menu(int menu_ind, int id, int val);
void MACIBM_gray_menu(int menu_ind, int id, int val);
void MACIBM_alert(const char* C_string1, const char* C_string2, const char* C_string3,
                  const char* C_string4, int is_about);
[[noreturn]] void MACIBM_exitalert(const char* C_string1, const char* C_string2, const char* C_string3,
                                   const char* C_string4);
[[noreturn]] void MACIBM_numberexitalert(const char* C_string1, int number);
// A fatal error spoils the preferences file (version -1) so that the next
// start uses the defaults; the file as it was is kept as prefs_path + ".bak".
// 1 when the file at path is such a spoilt one; its error line goes to why.
int prefs_spoilt(const char* path, char* why, int why_size);
void MACIBM_aboutalert();
void set_res(int init_call);
void MACIBM_pump();   // every queued window message, dispatched
