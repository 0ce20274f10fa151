// Gridwright, the scenery editor: for now its window, its menu bar and quit.
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"

static int quit_requested = 0;

static void editor_window_proc(int wind, int message, long wparam, long) {
  int index = win_to_index(wind);
  if (message == WM_DESTROY) MACIBM_handlezap(index);
  if (message == WM_COMMAND && wparam == 206) quit_requested = 1;
}

static void editor_menus() {
  MACIBM_create_menu(2, "File");
  MACIBM_append_menu(2, 206, 1, "Quit");
}

static void editor_quit() { quit_requested = 1; }

int main() {
  hok.window_proc = editor_window_proc;
  hok.set_up_menus = editor_menus;
  hok.product_name = "Gridwright";
  hok.version_text = "version 1.0";
  hok.program_folder = "gridwright";
  hok.prefs_name = "Gridwright.prf";
  desk_set_quit_handler(editor_quit);
  if (!MACIBM_init("Gridwright", 800, 580, 6)) return 0;
  // Without a display there is nothing to look at: open, then leave.
  while (!quit_requested && !plat_headless()) {
    MACIBM_pump();
    desk_present();
    plat_delay_ms(15);
  }
  MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
}
