// tarvel-headless: runs the simulator without a display, from a script, and
// writes screenshots. It links the simulator's own code and leaves through the
// program's own quit command.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"
#include "basekit/bk_world.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_file.h"
#include "sim/output/do_graph.h"
#include "sim/set.h"
#include "sim/shell/lax.h"
#include "sim/shell/menus.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"
#include "tools/headless/flight_out.h"
#include "tools/headless/script.h"
#include "tools/support/placeeye.h"

namespace {
struct options {
  int frames = 600;
  int seed = 1;
  float step = 0.05f;
  std::string aircraft, airport;
  int geometry_report = 0;
  std::string csv;
  float csv_every = 1.0f;
  std::string audio_out;
  int start_air = 0;
  float turbulence = 0;
  air_start air = {};
  // The view and the conditions it shows; -1 (or below 0) leaves what the start-up chose.
  int view = -1, time = -1, clouds_set = 0;
  float zoom = 1, vis_nm = -1, temp_f = -1000, base_ft = 0, tops_ft = 0;
  int eye_runway = -1;
  float eye_above_ft = -1;
  std::vector<script_event> events;
  std::vector<int> data_items;
  std::string data_csv;
  // --write-quadrant: build this quadrant as the region loader would and write it, then stop.
  int write_quadrant = 0, wq_lat = 0, wq_lon = 0;
  std::string wq_path;
};

void usage(FILE* to) {
  std::fprintf(to,
               "usage: tarvel-headless [options]\n"
               "Runs tarvel on SDL's dummy drivers with a fake clock and a fixed time step.\n"
               "  --frames N               frames to run (default 600)\n"
               "  --seed N                 random seed (default 1); the same seed repeats a run exactly\n"
               "  --step SECONDS           fixed flight-model time step (default 0.05)\n"
               "  --script PATH            commands at given frames (below)\n"
               "  --screenshot FRAME:PATH  write a PNG of the screen after FRAME (repeatable)\n"
               "  --aircraft PATH          fly this aircraft file instead of the one the preferences name\n"
               "  --geometry-report        print the aircraft's geometry report after loading it\n"
               "  --airport ID             start on the runway of airport ID; prints the region loaded\n"
               "                           (region LAT_SOU LON_WES airports N navaids M) and its Location menus\n"
               "  --write-quadrant LAT,LON PATH\n"
               "                           write the quadrant whose south-west corner this is, built from the\n"
               "                           global models as the region loader builds it where no file exists,\n"
               "                           as an environment file at PATH, and stop\n"
               "  --start-air FEET,KNOTS,HEADING\n"
               "                           start in the air at FEET above sea level, KNOTS indicated, true\n"
               "                           HEADING, engine idle, trimmed for steady flight (gliding without\n"
               "                           thrust); prints the trim found (trim: found|not found ...)\n"
               "  --turbulence LEVEL       turbulence 1 (none) .. 5, the wind layers drawn for it from the seed\n"
               "  --csv PATH               write the flight state to PATH as CSV: time, position, height,\n"
               "                           true and indicated airspeed, attitude, rates, alpha, beta, load\n"
               "                           factor, the force sums (N) and moments (N m)\n"
               "  --csv-every SECONDS      simulated seconds between CSV rows (default 1; 0 every frame)\n"
               "  --audio-out PATH         write everything the mixer plays (sounds and speech) to PATH as a\n"
               "                           22050 Hz mono 16-bit WAVE file, in the simulation's time: each\n"
               "                           frame adds its time step of sound\n"
               "  --view COMMAND           start in view COMMAND (601..626, as the View menu's items)\n"
               "  --zoom FACTOR            multiply the view's zoom (1 = 90 degrees across)\n"
               "  --time N                 time of day: 1 day, 2 dusk, 3 evening, 4 night\n"
               "  --vis NM                 visibility, nautical miles\n"
               "  --clouds BASE:TOPS|none  an overcast from BASE to TOPS feet above sea level, or clear sky\n"
               "  --temp F                 sea-level temperature, degrees F (32 or below: snow)\n"
               "  --eye-runway N           put the aircraft on runway end N (0..5) of the start airport\n"
               "  --eye-above FT           put the aircraft FT feet above the start airport, 3 nm out\n"
               "                           on its first runway's centre line, heading for it\n"
               "  --data-items N,N,...     tick these output items (catalogue numbers 0..50) for the data\n"
               "                           file \"Tarvel.box\"\n"
               "  --data-csv PATH          also write the ticked items to PATH as CSV: a header row naming\n"
               "                           each column and its unit, then one row per output cycle\n"
               "  --help                   this text\n"
               "Every alert is printed as it is shown; with no queued answer it gets OK. Every file dialog\n"
               "is printed with its folder and choice; with no queued answer an aircraft dialog takes the\n"
               "default aircraft and any other dialog is cancelled. So a first start (no preferences in\n"
               "$XDG_CONFIG_HOME/tarvel) shows the welcome alert and the aircraft dialog, and flies.\n"
               "After the last frame the run leaves through the quit command (File > Exit), which writes\n"
               "the preferences; the next run starts from them.\n\n%s",
               script_help);
}

int view_command_ok(int v) {
  return (v >= 601 && v <= 626 && v != 604 && v != 611 && v != 613 && v != 618 && v != 624);
}

// What the View menu's items do: the panel is hidden for the side, rear and
// outside views and the two full-screen views, then the view is laid out.
void select_view(int v) {
  if (!view_command_ok(v)) {
    std::fprintf(stderr, "tarvel-headless: no view %d\n", v);
    return;
  }
  set.view_is_fullscreen = (v >= 605 && v <= 610) || v == 612 || (v >= 614 && v <= 617) || (v >= 620 && v <= 623) ||
                           v == 625 || v == 626;
  set_mon(v, 1);
}

int parse_int(const char* s, int* out) {
  char* end;
  long v = std::strtol(s, &end, 10);
  if (*s == 0 || *end != 0) return 0;
  *out = (int)v;
  return 1;
}

// "N,N,...": item numbers of the output catalogue.
int parse_items(const char* text, std::vector<int>* items) {
  std::string t = text;
  size_t start = 0;
  items->clear();
  for (;;) {
    size_t comma = t.find(',', start);
    int n;
    if (!parse_int(t.substr(start, comma == std::string::npos ? std::string::npos : comma - start).c_str(), &n) ||
        n < 0 || n >= OUT_ITEMS_DEFINED)
      return 0;
    items->push_back(n);
    if (comma == std::string::npos) return 1;
    start = comma + 1;
  }
}

int parse(int argc, char** argv, options* o) {
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    if (a == "--help" || a == "-h") {
      usage(stdout);
      std::exit(0);
    } else if (a == "--frames") {
      if (!(v = value()) || !parse_int(v, &o->frames) || o->frames < 0) return 0;
    } else if (a == "--seed") {
      if (!(v = value()) || !parse_int(v, &o->seed)) return 0;
    } else if (a == "--step") {
      if (!(v = value())) return 0;
      o->step = (float)std::atof(v);
      if (!(o->step > 0 && o->step <= 0.07f)) {
        std::fprintf(stderr, "tarvel-headless: --step must be above 0 and at most 0.07\n");
        return 0;
      }
    } else if (a == "--aircraft") {
      if (!(v = value())) return 0;
      o->aircraft = v;
    } else if (a == "--geometry-report") {
      o->geometry_report = 1;
    } else if (a == "--airport") {
      if (!(v = value())) return 0;
      o->airport = v;
    } else if (a == "--write-quadrant") {
      if (!(v = value()) || std::sscanf(v, "%d,%d", &o->wq_lat, &o->wq_lon) != 2 || o->wq_lat < -90 ||
          o->wq_lat > 89 || o->wq_lon < -180 || o->wq_lon > 179) {
        std::fprintf(stderr, "tarvel-headless: --write-quadrant wants LAT,LON PATH, such as 46,-122 q.env\n");
        return 0;
      }
      if (!(v = value())) return 0;
      o->write_quadrant = 1;
      o->wq_path = v;
    } else if (a == "--start-air") {
      if (!(v = value()) || !parse_air_start(v, &o->air)) {
        std::fprintf(stderr, "tarvel-headless: --start-air wants FEET,KNOTS,HEADING (0..60000 ft, 0..1000 kt)\n");
        return 0;
      }
      o->start_air = 1;
    } else if (a == "--turbulence") {
      if (!(v = value()) || !((o->turbulence = (float)std::atof(v)) >= 1 && o->turbulence <= 5)) {
        std::fprintf(stderr, "tarvel-headless: --turbulence wants a level from 1 to 5\n");
        return 0;
      }
    } else if (a == "--csv") {
      if (!(v = value())) return 0;
      o->csv = v;
    } else if (a == "--csv-every") {
      char* end;
      if (!(v = value())) return 0;
      o->csv_every = std::strtof(v, &end);
      if (end == v || *end || !(o->csv_every >= 0 && o->csv_every <= 3600)) {
        std::fprintf(stderr, "tarvel-headless: --csv-every wants seconds between 0 and 3600\n");
        return 0;
      }
    } else if (a == "--audio-out") {
      if (!(v = value())) return 0;
      o->audio_out = v;
    } else if (a == "--view") {
      if (!(v = value()) || !parse_int(v, &o->view) || !view_command_ok(o->view)) {
        std::fprintf(stderr, "tarvel-headless: --view wants a view command 601..626\n");
        return 0;
      }
    } else if (a == "--zoom") {
      if (!(v = value()) || !((o->zoom = (float)std::atof(v)) > 0)) return 0;
    } else if (a == "--time") {
      if (!(v = value()) || !parse_int(v, &o->time) || o->time < 1 || o->time > 4) return 0;
    } else if (a == "--vis") {
      if (!(v = value()) || !((o->vis_nm = (float)std::atof(v)) > 0)) return 0;
    } else if (a == "--temp") {
      if (!(v = value())) return 0;
      o->temp_f = (float)std::atof(v);
    } else if (a == "--clouds") {
      if (!(v = value())) return 0;
      o->clouds_set = 1;
      if (std::strcmp(v, "none") == 0) {
        o->base_ft = o->tops_ft = -1;
      } else if (std::sscanf(v, "%f:%f", &o->base_ft, &o->tops_ft) != 2 || !(o->tops_ft > o->base_ft)) {
        std::fprintf(stderr, "tarvel-headless: --clouds wants BASE:TOPS (feet, tops above base) or none\n");
        return 0;
      }
    } else if (a == "--eye-runway") {
      if (!(v = value()) || !parse_int(v, &o->eye_runway) || o->eye_runway < 0 || o->eye_runway > 5) return 0;
    } else if (a == "--eye-above") {
      if (!(v = value()) || !((o->eye_above_ft = (float)std::atof(v)) > 0)) return 0;
    } else if (a == "--data-items") {
      if (!(v = value()) || !parse_items(v, &o->data_items)) {
        std::fprintf(stderr, "tarvel-headless: --data-items wants item numbers 0..50 separated by commas\n");
        return 0;
      }
    } else if (a == "--data-csv") {
      if (!(v = value()) || !*v) return 0;
      o->data_csv = v;
    } else if (a == "--script") {
      if (!(v = value()) || !read_script(v, &o->events)) return 0;
    } else if (a == "--screenshot") {
      if (!(v = value())) return 0;
      const char* colon = std::strchr(v, ':');
      int frame;
      if (!colon || !parse_int(std::string(v, colon).c_str(), &frame) || frame < 0 || !colon[1]) {
        std::fprintf(stderr, "tarvel-headless: --screenshot wants FRAME:PATH\n");
        return 0;
      }
      o->events.push_back({frame, "screenshot", {colon + 1}, 0});
    } else {
      std::fprintf(stderr, "tarvel-headless: unknown option %s\n", a.c_str());
      return 0;
    }
  }
  return 1;
}

void print_dialog(int save, const char* folder, const char* ext, const char* chosen) {
  std::printf("dialog: %s *.%s in %s\n  -> %s\n", save ? "save" : "open", ext, folder,
              chosen[0] ? chosen : "(cancelled)");
  std::fflush(stdout);
}

void print_alert(const char* title, const char* text) {
  std::printf("alert: %s\n", title);
  std::string t = text;
  size_t start = 0;
  for (;;) {
    size_t nl = t.find('\n', start);
    std::printf("  | %s\n", t.substr(start, nl == std::string::npos ? std::string::npos : nl - start).c_str());
    if (nl == std::string::npos) break;
    start = nl + 1;
  }
  std::fflush(stdout);
}

int key_code(const std::string& name) {
  if (name.size() == 1) return (unsigned char)std::tolower((unsigned char)name[0]);
  static const struct {
    const char* name;
    int code;
  } named[] = {{"UP", KEY_UP},         {"DOWN", KEY_DOWN},     {"LEFT", KEY_LEFT},
               {"RIGHT", KEY_RIGHT},   {"BACKSPACE", KEY_BACKSPACE}, {"RETURN", KEY_RETURN},
               {"ESCAPE", KEY_ESCAPE}, {"TAB", KEY_TAB},       {"space", ' '},
               {"comma", ','},         {"hash", '#'},          {"PAGEUP", KEY_PAGEUP},
               {"PAGEDOWN", KEY_PAGEDOWN}};
  for (const auto& k : named)
    if (name == k.name) return k.code;
  if ((name[0] == 'F' || name[0] == 'f') && std::isdigit((unsigned char)name[1])) {
    int n = std::atoi(name.c_str() + 1);
    if (n >= 1 && n <= 12) return KEY_F1 + n - 1;
  }
  if (name.size() == 3 && name.compare(0, 2, "KP") == 0 && std::isdigit((unsigned char)name[2]))
    return KEY_KP0 + (name[2] - '0');
  return 0;
}

// The key that types character c on a US keyboard, and whether Shift is needed.
void key_for_char(char c, int* key, int* shift) {
  static const char plain[] = "1234567890-=[];',./`\\";
  static const char shifted[] = "!@#$%^&*()_+{}:\"<>?~|";
  *shift = 0;
  *key = (unsigned char)c;
  if (c >= 'A' && c <= 'Z') {
    *shift = 1;
    *key = c - 'A' + 'a';
  }
  for (int i = 0; shifted[i]; i++)
    if (shifted[i] == c) {
      *shift = 1;
      *key = plain[i];
    }
}

void inject_mouse(int type, int x, int y, int button) {
  plat_event e{};
  e.type = type;
  e.x = x;
  e.y = y;
  e.button = button;
  plat_inject_event(&e);
}

plat_joy_state joys[2];
int joy_plugged[2];

void apply(const script_event& e, int* quit_requested) {
  const std::vector<std::string>& a = e.args;
  if (e.verb == "key") {
    int code = key_code(a[0]);
    if (!code) {
      std::fprintf(stderr, "tarvel-headless: line %d: unknown key %s\n", e.line, a[0].c_str());
      return;
    }
    int shift = a.size() > 1 && a[1] == "shift";
    int key = code;
    if (code < 127 && a[0].size() == 1) key_for_char(a[0][0], &key, &shift);
    plat_inject_key(key, shift);
  } else if (e.verb == "type") {
    for (char c : a[0]) {
      int key, shift;
      key_for_char(c, &key, &shift);
      plat_inject_key(key, shift);
    }
  } else if (e.verb == "click" || e.verb == "press" || e.verb == "release" || e.verb == "move") {
    int x = std::atoi(a[0].c_str()), y = std::atoi(a[1].c_str());
    int button = a.size() > 2 && a[2] == "right" ? 3 : 1;
    inject_mouse(PLAT_EV_MOUSEMOVE, x, y, 0);
    if (e.verb == "click" || e.verb == "press") inject_mouse(PLAT_EV_BUTTONDOWN, x, y, button);
    if (e.verb == "click" || e.verb == "release") inject_mouse(PLAT_EV_BUTTONUP, x, y, button);
  } else if (e.verb == "wclick" || e.verb == "wpress" || e.verb == "wrelease") {
    int n = std::atoi(a[0].c_str()), cx, cy, cw, ch;
    if (n < 0 || n >= MNW_WINDOWS || !mnw.up[n] || !desk_window_client_rect(mnw.wind[n], &cx, &cy, &cw, &ch)) {
      std::fprintf(stderr, "tarvel-headless: line %d: window %d is not open\n", e.line, n);
      return;
    }
    int x = cx + std::atoi(a[1].c_str()), y = cy + std::atoi(a[2].c_str());
    int button = a.size() > 3 && a[3] == "right" ? 3 : 1;
    inject_mouse(PLAT_EV_MOUSEMOVE, x, y, 0);
    if (e.verb != "wrelease") inject_mouse(PLAT_EV_BUTTONDOWN, x, y, button);
    if (e.verb != "wpress") inject_mouse(PLAT_EV_BUTTONUP, x, y, button);
  } else if (e.verb == "close") {
    // What the window's close box does.
    int n = std::atoi(a[0].c_str());
    if (n > 0 && n < MNW_WINDOWS && mnw.up[n]) desk_window_destroy(mnw.wind[n]);
    else std::fprintf(stderr, "tarvel-headless: line %d: window %d is not open\n", e.line, n);
  } else if (e.verb == "menu") {
    desk_post(mnw.wind[MAIN_WINDOW], WM_COMMAND, std::atoi(a[0].c_str()), 0);
  } else if (e.verb == "openmenu") {
    desk_menu_open(std::atoi(a[0].c_str()));
  } else if (e.verb == "joy") {
    int dev = std::atoi(a[0].c_str());
    if (dev < 0 || dev > 1) return;
    plat_joy_state& j = joys[dev];
    if (a[1] == "off") {
      joy_plugged[dev] = 0;
      plat_joy_set_fake(dev, nullptr);
      return;
    }
    if (!joy_plugged[dev]) {
      j = plat_joy_state{};
      j.axes = 4;
      j.buttons = 8;
      joy_plugged[dev] = 1;
    }
    int n = std::atoi(a[2].c_str());
    if (a[1] == "axis" && n >= 0 && n < PLAT_JOY_AXES) {
      j.axis[n] = std::atoi(a[3].c_str());
      if (n >= j.axes) j.axes = n + 1;
    } else if (a[1] == "button" && n >= 0 && n < PLAT_JOY_BUTTONS) {
      j.button[n] = std::atoi(a[3].c_str()) != 0;
      if (n >= j.buttons) j.buttons = n + 1;
    } else if (a[1] == "hat") {
      j.hat = n;
    }
    plat_joy_set_fake(dev, &j);
  } else if (e.verb == "answer") {
    desk_answer_push_button(std::atoi(a[0].c_str()));
  } else if (e.verb == "answer-path") {
    desk_answer_push_path(a[0].c_str());
  } else if (e.verb == "answer-cancel") {
    desk_answer_push_cancel();
  } else if (e.verb == "view") {
    select_view(std::atoi(a[0].c_str()));
  } else if (e.verb == "zoom") {
    set_mon(-1, (float)std::atof(a[0].c_str()));
  } else if (e.verb == "time") {
    scn.time = intlim(std::atoi(a[0].c_str()), 1, 4);
  } else if (e.verb == "vis") {
    atm.vis = fltmax2((float)std::atof(a[0].c_str()), 0.01f) * 1852.0f;
  } else if (e.verb == "quit") {
    *quit_requested = 1;
  } else {
    apply_flight_verb(e.verb, a, e.frame);
  }
}

// A menu and its sub-menus, one item a line.
void print_menu(int menu, const std::string& indent) {
  for (int pos = 0; pos < desk_menu_item_count(menu); pos++) {
    const char* text = desk_menu_item_text(menu, pos);
    if (text[0] == '-') continue;
    int sub = desk_menu_item_submenu(menu, pos);
    if (sub) {
      std::printf("%s%s >\n", indent.c_str(), text);
      print_menu(sub, indent + "    ");
    } else {
      std::printf("%s%d %s\n", indent.c_str(), desk_menu_item_id(menu, pos), text);
    }
  }
}

void print_location_menus() {
  static const int menus[] = {9, 10, 11, 12, 13, 5};
  for (int m : menus) {
    if (!desk_menu_exists(m)) continue;
    std::printf("menu %d %s\n", m, desk_menu_title(m));
    print_menu(m, "    ");
  }
}

// What the command line asks for beyond the preferences: another aircraft,
// another airport. Both are placed as the menus place them.
int apply_start_options(const options& o) {
  if (!o.aircraft.empty()) {
    std::snprintf(pln.C_path, sizeof pln.C_path, "%s", o.aircraft.c_str());
    const char* slash = std::strrchr(pln.C_path, '/');
    std::snprintf(pln.C_file, sizeof pln.C_file, "%s", slash ? slash + 1 : pln.C_path);
    load_plane();
  }
  if (o.geometry_report) write_geo_report(stdout);
  if (!o.airport.empty()) {
    int n = start_at_airport(o.airport.c_str());
    if (n < 0) {
      std::fprintf(stderr, "tarvel-headless: no airport %s in the database\n", o.airport.c_str());
      return 0;
    }
    msc.loc_index = n;  // the runway start, and the preferences written on quit, are there
    msc.rway_sel = 0;
    update_location_menus();
    char line[STR_DIM];
    region_line(line);
    std::printf("%s\n", line);
    print_location_menus();
  }
  if (!o.aircraft.empty() || !o.airport.empty()) {
    msc.typestart = 900;
    set_fltvars(10);
  }
  if (o.turbulence >= 1) set_turbulence(o.turbulence);
  if (o.time > 0) scn.time = o.time;
  if (o.vis_nm > 0) atm.vis = o.vis_nm * 1852.0f;
  if (o.temp_f > -1000) atm.temp_SL = o.temp_f;
  if (o.clouds_set) {
    atm.cld_type = o.base_ft >= 0 ? 1 : 0;
    if (atm.cld_type) {
      atm.baseMSL = o.base_ft * 0.3048f;
      atm.topsMSL = o.tops_ft * 0.3048f;
    }
  }
  if (o.eye_runway >= 0) place_on_runway(msc.loc_index, o.eye_runway);
  if (o.eye_above_ft > 0) place_over_airport(msc.loc_index, o.eye_above_ft * 0.3048f);
  if (!o.data_items.empty() || !o.data_csv.empty()) {
    for (int i = 0; i < DATA_ITEMS; i++) set.Bdsk[i] = 0;
    for (int n : o.data_items) set.Bdsk[n] = 1;
    if (!o.data_csv.empty()) {
      set_data_csv_path(o.data_csv.c_str());
      set.dskcsv = 1;
    }
    set_rlt_grf_choices();
    if (!o.data_csv.empty() && !data_csv_on()) {
      std::fprintf(stderr, "tarvel-headless: cannot write %s\n", o.data_csv.c_str());
      return 0;
    }
  }
  if (o.view > 0) select_view(o.view);
  if (o.zoom != 1) set_mon(-1, o.zoom);
  std::fflush(stdout);
  return 1;
}

void screenshot(const std::string& path) {
  desk_compose();
  if (plat_save_png(path.c_str())) std::printf("screenshot %s\n", path.c_str());
  else std::fprintf(stderr, "tarvel-headless: cannot write %s\n", path.c_str());
  std::fflush(stdout);
}

// Runs the commands of one frame; screenshots wait until the frame is drawn.
void run_commands(const options& o, int frame, std::vector<std::string>* shots, int* quit_requested) {
  for (const script_event& e : o.events) {
    if (e.frame != frame) continue;
    if (e.verb == "screenshot") shots->push_back(e.args[0]);
    else apply(e, quit_requested);
  }
}
}  // namespace

int main(int argc, char** argv) {
  options o;
  if (!parse(argc, argv, &o)) {
    usage(stderr);
    return 2;
  }
  std::stable_sort(o.events.begin(), o.events.end(),
                   [](const script_event& a, const script_event& b) { return a.frame < b.frame; });
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // The generator is seeded from the clock at start-up: start the clock at the seed.
  plat_use_fake_clock((uint64_t)((unsigned)o.seed % 32000u));
  desk_set_alert_listener(print_alert);
  desk_set_dialog_listener(print_dialog);

  // The mix follows the fake clock, frame by frame, rather than the device's.
  if (!o.audio_out.empty()) {
    plat_audio_capture(1);
    if (!plat_audio_record(o.audio_out.c_str())) {
      std::fprintf(stderr, "tarvel-headless: cannot write %s\n", o.audio_out.c_str());
      return 1;
    }
  }
  int quit_requested = 0;
  std::vector<std::string> shots;
  run_commands(o, 0, &shots, &quit_requested);
  if (!tarvel_start()) {
    std::fprintf(stderr, "tarvel-headless: the simulator could not start its window\n");
    return 1;
  }
  simulate_startup();
  if (o.write_quadrant) {
    static envquad q;
    if (!build_env_quadrant(o.wq_lat, o.wq_lon, &q)) {
      std::fprintf(stderr, "tarvel-headless: the global models are not in %s/world\n", app_path);
      return 1;
    }
    if (!write_built_quadrant(&q, o.wq_path.c_str())) return 1;
    std::printf("wrote %s\n", o.wq_path.c_str());
    return 0;
  }
  if (!apply_start_options(o)) return 1;
  set_fixed_time_step(o.step);
  if (o.start_air) start_in_air(o.air);
  FILE* csv = nullptr;
  if (!o.csv.empty()) {
    csv = std::fopen(o.csv.c_str(), "w");
    if (!csv) {
      std::fprintf(stderr, "tarvel-headless: cannot write %s\n", o.csv.c_str());
      return 1;
    }
    csv_header(csv);
    csv_row(csv);
  }
  // Rows are timed by frames run, so that float sums of the clock drop none.
  double next_row = o.csv_every;
  std::fflush(stdout);
  for (const std::string& s : shots) screenshot(s);
  shots.clear();
  const uint64_t step_ms = (uint64_t)(o.step * 1000.0f + 0.5f);
  for (int frame = 1; frame <= o.frames && !quit_requested; frame++) {
    run_commands(o, frame, &shots, &quit_requested);
    plat_advance_fake_clock(step_ms);
    simulate_frame();
    if (!o.audio_out.empty()) plat_audio_advance(o.step);
    if (csv && frame * (double)o.step >= next_row - 0.25 * o.step) {
      csv_row(csv);
      next_row += o.csv_every;
    }
    for (const std::string& s : shots) screenshot(s);
    shots.clear();
  }
  if (csv && std::fclose(csv) != 0) std::fprintf(stderr, "tarvel-headless: writing %s failed\n", o.csv.c_str());
  std::printf("frames done\n");
  std::fflush(stdout);
  handlemenu(206);  // the quit command: writes the preferences and ends the program
  return 0;
}
