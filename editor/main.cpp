// Gridwright, the scenery editor: the window and its loop, a batch mode that
// imports and saves a quadrant with no window, and a script mode for tests.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include "basekit/bk_file.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "editor/ed.h"

void handle_IBM_win(int wind, int message, long wparam, long lparam);

static const char* const OPTIONS =
    "      --quadrant LAT,LON  work on the quadrant whose south-west corner this is\n"
    "      --import FILE    build the quadrant's terrain from an elevation model (no\n"
    "                       window)\n"
    "      --save           write the quadrant to its environment file (no window)\n"
    "      --output FILE    with --save: write the quadrant to FILE instead\n"
    "      --data DIR       use DIR as the application folder instead of the shipped one\n"
    "      --seed N         the random choices of the import (diagonal ties)\n"
    "      --script FILE    run a script of clicks, keys and menu commands without a\n"
    "                       display\n";

static const char *import_file = nullptr, *output = nullptr, *script = nullptr, *data_dir = nullptr;
static int save = 0, have_quad = 0, qlat = 0, qlon = 0;
static long seed = -1;

// The editor's own options, for the command line both programs share.
static int editor_option(int argc, char** argv, int k) {
  std::string a = argv[k];
  const char* v = k + 1 < argc ? argv[k + 1] : nullptr;
  if (a == "--save") {
    save = 1;
    return 1;
  }
  const char** target = a == "--import" ? &import_file : a == "--output" ? &output : a == "--script" ? &script
                        : a == "--data" ? &data_dir : nullptr;
  if (!target && a != "--seed" && a != "--quadrant") return 0;
  if (!v) {
    std::fprintf(stderr, "gridwright: %s needs a value\n", a.c_str());
    return -1;
  }
  if (target) {
    *target = v;
  } else if (a == "--seed") {
    seed = std::atol(v);
  } else if (std::sscanf(v, "%d,%d", &qlat, &qlon) != 2) {
    std::fprintf(stderr, "gridwright: --quadrant wants LAT,LON such as 34,-118\n");
    return -1;
  } else {
    have_quad = 1;
  }
  return 2;
}

static void on_window_close() { handlemenu(205); }

static void print_alert(const char*, const char* text) { std::fprintf(stderr, "alert: %s\n", text); }

// One editor pass: messages, the mouse's drag state, the mode's handler.
static void one_pass(int* was_down) {
  MACIBM_pump();
  if (msc.mousedown && *was_down) {
    if (!msc.dragging) msc.dragtime = 0;
    msc.dragging = 1;
    msc.dragtime += 0.015f;
  } else {
    msc.dragging = 0;
    msc.dragtime = 0;
  }
  *was_down = msc.mousedown;
  if (msc.mousedown) handle_screen(0);
  msc.down_unseen = 0;
  if (msc.up_pending) msc.mousedown = msc.up_pending = 0;
  if (msc.edit_mode == MODE_OBS) redraw_obstacles();
  desk_present();
}

static int key_code(const std::string& k) {
  if (k == "up") return KEY_UP;
  if (k == "down") return KEY_DOWN;
  if (k == "pageup") return KEY_PAGEUP;
  if (k == "pagedown") return KEY_PAGEDOWN;
  if (k == "space") return ' ';
  if (k == "minus") return '-';
  return k.empty() ? 0 : k[0];
}

// Script lines: menu N | click X Y | down X Y | move X Y | up | key K | type TEXT |
// answer N | file PATH | cancel | frames N | shot FILE.png  (window coordinates)
static int run_script(const char* path) {
  std::ifstream in(path);
  if (!in) {
    std::fprintf(stderr, "gridwright: cannot read the script %s\n", path);
    return 1;
  }
  int was_down = 0;
  std::string line;
  handle_screen(1);
  while (!ed_quit && std::getline(in, line)) {
    std::istringstream ls(line);
    std::string cmd;
    ls >> cmd;
    if (cmd.empty() || cmd[0] == '#') continue;
    int a = 0, b = 0;
    if (cmd == "menu") {
      ls >> a;
      handlemenu(a);
    } else if (cmd == "click" || cmd == "down") {
      ls >> a >> b;
      desk_post(mnw.wind[0], WM_LBUTTONDOWN, 0, a | (long)b << 16);
      one_pass(&was_down);
      if (cmd == "click") {
        desk_post(mnw.wind[0], WM_LBUTTONUP, 0, a | (long)b << 16);
        one_pass(&was_down);
      }
    } else if (cmd == "move") {
      ls >> a >> b;
      desk_post(mnw.wind[0], WM_MOUSEMOVE, 0, a | (long)b << 16);
      one_pass(&was_down);
    } else if (cmd == "up") {
      desk_post(mnw.wind[0], WM_LBUTTONUP, 0, msc.mx | (long)msc.my << 16);
      one_pass(&was_down);
    } else if (cmd == "key") {
      std::string k;
      ls >> k;
      int code = key_code(k);
      desk_post(mnw.wind[0], WM_KEYDOWN, code, code < 256 ? code : 0);
      one_pass(&was_down);
    } else if (cmd == "type") {
      std::string text;
      std::getline(ls, text);
      for (size_t k = 1; k < text.size(); k++) handle_wrlkey(text[k]);
    } else if (cmd == "answer") {
      ls >> a;
      desk_answer_push_button(a);
    } else if (cmd == "file") {
      std::string p;
      ls >> p;
      desk_answer_push_path(p.c_str());
    } else if (cmd == "cancel") {
      desk_answer_push_cancel();
    } else if (cmd == "frames") {
      ls >> a;
      for (int k = 0; k < a; k++) one_pass(&was_down);
    } else if (cmd == "shot") {
      std::string p;
      ls >> p;
      desk_present();
      if (!plat_save_png(p.c_str())) std::fprintf(stderr, "gridwright: cannot write %s\n", p.c_str());
    } else {
      std::fprintf(stderr, "gridwright: unknown script line: %s\n", line.c_str());
      return 1;
    }
  }
  return 0;
}

int main(int argc, char** argv) {
  static const plat_program program = {
      "gridwright", TARVEL_VERSION,
      "Edits the scenery of one quadrant (terrain, water, obstacles) and the airport and navaid files.",
      OPTIONS,
      "Gridwright keeps its preferences in $XDG_CONFIG_HOME/gridwright\n"
      "(~/.config/gridwright) and writes Error.out to $XDG_DATA_HOME/gridwright\n"
      "(~/.local/share/gridwright).\n",
      editor_option, "org.tarvel.Gridwright"};
  int status = plat_command_line(&program, argc, argv, stdout, stderr);
  if (status != PLAT_RUN) return status;
  msc.batch = import_file || save;
  if (msc.batch || script) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }
  hok.window_proc = handle_IBM_win;
  hok.set_up_menus = msc.batch ? nullptr : set_up_menus;
  hok.product_name = "Gridwright";
  hok.version_text = "version 1.0";
  hok.program_folder = "gridwright";
  hok.prefs_name = "Gridwright.prf";
  desk_set_quit_handler(on_window_close);
  if (!MACIBM_init("Gridwright", 800, 560, 6)) return 1;  // it has said why
  desk_set_alert_listener(print_alert);
  if (data_dir) std::snprintf(app_path, STR_DIM, "%s", data_dir);
  plat_srand(seed >= 0 ? (uint32_t)seed : (uint32_t)plat_ticks_ms());
  if (seed >= 0) std::srand((unsigned)seed);
  init_data(!msc.batch);
  if (have_quad) {
    msc.map_latfile = qlat;
    msc.map_lonfile = qlon;
  }
  if (msc.batch) {
    read_quadrant(msc.map_latfile, msc.map_lonfile);
    if (import_file && !import_USGS(import_file, import_file)) return 1;
    if (save && !writeout(MODE_TERRAIN, output)) return 1;
    return 0;
  }
  if (script) {
    int status = run_script(script);
    if (status) return status;
    MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
  }
  handle_screen(1);
  int was_down = 0;
  while (!ed_quit) {
    // The pump keeps to the display's pace; with no button held nothing moves
    // by itself, and frames come with input.
    plat_set_idle(!msc.mousedown);
    one_pass(&was_down);
  }
  MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
}
