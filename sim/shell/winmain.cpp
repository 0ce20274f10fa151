// Tarvel's entry: the command line, then the simulator.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/shell/lax.h"
#include "sim/shell/menus.h"

static long frames_to_run = 0;  // 0: until the user quits

static int tarvel_option(int argc, char** argv, int i) {
  if (std::strcmp(argv[i], "--frames") != 0) return 0;
  char* end = nullptr;
  if (i + 1 < argc) frames_to_run = std::strtol(argv[i + 1], &end, 10);
  if (i + 1 >= argc || frames_to_run <= 0 || *end) {
    std::fprintf(stderr, "tarvel: --frames wants a number of frames above 0\n");
    return -1;
  }
  return 2;
}

// Without a window nobody would see an alert or a dialog: they go to the terminal.
static void print_alert(const char* title, const char* text) {
  if (!plat_headless()) return;
  std::fprintf(stderr, "%s:\n", title);
  size_t len = std::strlen(text);
  while (len > 0 && text[len - 1] == '\n') len--;  // the empty last lines
  std::string lines(text, len);
  for (const char* line = lines.c_str(); line;) {
    const char* nl = std::strchr(line, '\n');
    std::fprintf(stderr, "  %.*s\n", nl ? (int)(nl - line) : (int)std::strlen(line), line);
    line = nl ? nl + 1 : nullptr;
  }
}

static void print_dialog(int save, const char* folder, const char* ext, const char* chosen) {
  if (!plat_headless()) return;
  std::fprintf(stderr, "%s dialog: *.%s in %s\n  -> %s\n", save ? "save" : "open", ext, folder,
               chosen[0] ? chosen : "(cancelled)");
}

int main(int argc, char** argv) {
  static const plat_program program = {
      "tarvel", TARVEL_VERSION,
      "Fly an aircraft from its own geometry: a flight simulator for the desktop.",
      "      --frames N       run N frames, then quit as File > Exit does (for runs\n"
      "                       without a display)\n",
      "Alt+Enter switches between a window and full screen; the last switch is kept\n"
      "for the next start.\n\n"
      "Tarvel keeps its preferences and saved situations in $XDG_CONFIG_HOME/tarvel\n"
      "(~/.config/tarvel) and writes Tarvel.box, Tarvel.out and Error.out to\n"
      "$XDG_DATA_HOME/tarvel (~/.local/share/tarvel). With SDL_VIDEODRIVER=dummy it\n"
      "runs without a display, printing its alerts.\n",
      tarvel_option, "org.tarvel.Tarvel"};
  int status = plat_command_line(&program, argc, argv, stdout, stderr);
  if (status != PLAT_RUN) return status;
  desk_set_alert_listener(print_alert);
  desk_set_dialog_listener(print_dialog);
  if (!tarvel_start()) return 1;
  if (!frames_to_run) simulate();  // never returns: the program ends through File > Exit
  simulate_startup();
  for (long n = 0; n < frames_to_run; n++) simulate_frame();
  handlemenu(206);  // File > Exit: writes the preferences and ends the program
  return 0;
}
