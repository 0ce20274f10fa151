// The desktop drawn inside the virtual screen: numbered windows with their own
// pixels, the menu bar with its pull-downs, modal alerts and file dialogs, and
// the queue of window messages. The MACIBM_ window layer stands on this.
#pragma once
#include <stdint.h>

enum { DESK_MENUBAR_H = 20, DESK_CAPTION_H = 20, DESK_BORDER = 3 };

// What the program draws into when no off-screen surface is locked: the client
// pixels of one window (or of the screen itself).
struct drawcontext {
  uint8_t* pix;
  int row;     // bytes per row
  int dx, dy;  // client size
};

// ---- windows ----
// Creates a window whose client area is dx x dy with its top-left at (x, y)
// on the screen; framed windows get a caption bar and close box around it.
// Returns a handle (> 0), or 0 on failure.
int  desk_window_create(int index, int x, int y, int dx, int dy, int framed, const char* title);
void desk_window_destroy(int handle);  // queues the destroy message
void desk_window_raise(int handle);
void desk_window_set_title(int handle, const char* title);
int  desk_window_client_rect(int handle, int* x, int* y, int* dx, int* dy);  // screen coordinates
drawcontext* desk_window_dc(int handle);
int  desk_window_index(int handle);    // -1 for no window
int  desk_window_at(int x, int y);     // front-most handle under the point, 0 for none
int  desk_window_front();

// ---- the message queue: the ten window messages the program handles ----
enum { WM_KEYDOWN = 1, WM_MOVE, WM_DESTROY, WM_COMMAND, WM_MOUSEMOVE,
       WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP, WM_PAINT };
// Key down: wparam the key code, lparam the character it types | modifiers << 8.
// Mouse: lparam the client position, x | y << 16.
typedef void (*desk_window_proc)(int handle, int message, long wparam, long lparam);
void desk_set_window_proc(desk_window_proc proc);
void desk_post(int handle, int message, long wparam, long lparam);
// Waits for the next frame (plat_wait_frame), reads the platform's events into
// messages, then dispatches every queued one.
void desk_pump();
// Dispatches one message at once (a paint asked for by the program).
void desk_send(int handle, int message, long wparam, long lparam);
void desk_set_quit_handler(void (*on_quit)());  // the window manager's close of the program

// ---- menus ----
enum { DESK_MENUS = 236, DESK_MENU_ITEMS = 100 };
void desk_menu_create(int menu, const char* title, int in_bar);  // in_bar 0 for a sub-menu
// Items are known by their id, the menu command they send; text "-" is a
// separator; submenu 0 for a plain item.
void desk_menu_append(int menu, int id, int mnemonic_pos, const char* text, int new_column, int submenu);
void desk_menu_delete_item(int menu, int id);
void desk_menu_delete(int menu);  // also its entry on the bar or in another menu
void desk_menu_check(int menu, int id, int on);
void desk_menu_enable(int menu, int id, int on);
int  desk_menu_checked(int menu, int id);
int  desk_menu_enabled(int menu, int id);
// By position, 0 the first item.
int  desk_menu_item_count(int menu);
int  desk_menu_item_id(int menu, int pos);
const char* desk_menu_item_text(int menu, int pos);
int  desk_menu_item_column(int menu, int pos);
int  desk_menu_item_submenu(int menu, int pos);
const char* desk_menu_title(int menu);
int  desk_menu_exists(int menu);
// Opens pull-down `menu` as if the user clicked its title (scripts and tests).
void desk_menu_open(int menu);
int  desk_menu_is_open();

// ---- composition: windows back to front, the menu bar, then any modal box ----
void desk_compose();   // into the virtual screen
void desk_present();   // compose and show

// ---- modal boxes, with an answer queue for tests and headless runs ----
enum { DESK_ANSWER_BUTTON = 1, DESK_ANSWER_PATH, DESK_ANSWER_CANCEL };
void desk_answer_push_button(int button);     // 0 the first button (OK), 1 the second ...
void desk_answer_push_path(const char* path);  // a file dialog's choice
void desk_answer_push_cancel();
int  desk_answers_pending();
void desk_answer_clear();
// Every alert shown is recorded with its lines joined by '\n' (empty lines kept).
int  desk_alert_count();
const char* desk_alert_text(int n);
void desk_alert_record_clear();
void desk_set_alert_listener(void (*listener)(const char* title, const char* text));

// Shows a modal box with its lines (a blank line between each, long lines
// wrapped) and one to three buttons; returns the button chosen (0 the first).
int desk_alert(const char* title, const char* const* lines, int nlines, int buttons,
               const char* const* labels);
// File dialogs over a folder's entries filtered by extension ("acf", or "*" for all).
// On OK, fills path (full) and name (bare) and returns 1; cancel returns 0.
int desk_file_dialog(int save, const char* start_folder, const char* ext,
                     const char* default_name, char* path, int path_size, char* name, int name_size);
// Headless runs: what a file dialog with no queued answer chooses, when the
// program offers a choice (returns 1 with path filled); otherwise it cancels.
typedef int (*desk_dialog_chooser)(int save, const char* folder, const char* ext, char* path, int path_size);
void desk_set_dialog_default(desk_dialog_chooser choose);
// Told of every file dialog as it closes: its folder, file type and the path
// chosen ("" when cancelled).
void desk_set_dialog_listener(void (*listener)(int save, const char* folder, const char* ext, const char* chosen));

