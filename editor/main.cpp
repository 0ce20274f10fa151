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

int main(int argc, char** argv) {
  static const plat_program program = {
      "gridwright", TARVEL_VERSION, "Edit the scenery that tarvel flies over: terrain, water, airports and navaids.",
      "",
      "Gridwright keeps its preferences in $XDG_CONFIG_HOME/gridwright\n"
      "(~/.config/gridwright) and writes Error.out to $XDG_DATA_HOME/gridwright\n"
      "(~/.local/share/gridwright).\n",
      nullptr, "org.tarvel.Gridwright"};
  int status = plat_command_line(&program, argc, argv, stdout, stderr);
  if (status != PLAT_RUN) return status;
  hok.window_proc = editor_window_proc;
  hok.set_up_menus = editor_menus;
  hok.product_name = "Gridwright";
  hok.version_text = "version 1.0";
  hok.program_folder = "gridwright";
  hok.prefs_name = "Gridwright.prf";
  desk_set_quit_handler(editor_quit);
  if (!MACIBM_init("Gridwright", 800, 580, 6)) return 1;
  plat_set_idle(1);  // nothing moves by itself: frames come with input
  // Without a display there is nothing to look at: open, then leave.
  while (!quit_requested && !plat_headless()) {
    MACIBM_pump();  // keeps to the display's pace
    desk_present();
  }
  MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
}
