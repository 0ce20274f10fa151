// The flight-plan window: flight rules, departure and arrival, cruise
// altitude. Closing it files the plan; Escape leaves the plan as it was.
#include <cctype>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/do_atc.h"
#include "sim/atc/voice.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/windows/winkit.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

enum {
  RULES_X = 30, RULES_Y = 52, RULES_DY = 26,
  ID_X = 262, DEP_Y = 42, ARR_Y = 86, ID_DX = 41, ID_DY = 35,
  ALT_X = 34, ALT_Y = 168
};

static int focus = 1;            // the identifier typed into: 0 departure, 1 arrival
static int fresh = 1;            // the next character typed starts the identifier anew
static int opened;               // the plan as it was is kept
static int cancelled;            // Escape: closing files nothing
static flightplanstruct before;

static char* focused_id() { return focus ? fpl.arr_id_str : fpl.dep_id_str; }

static int airport_of(const char* id) {
  int found = -1;
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (std::strncmp(apt_id[n], id, 4) == 0) found = n;  // the last match, as filing takes it
  return found;
}

static void airport_line(int y, const char* id) {
  wk_erase(ID_X + 50, y - 2, 260, 20);
  int n = airport_of(id);
  if (n >= 0) wk_text(ID_X + 50, y, WK_LABEL, apt_name[n]);
  else wk_text(ID_X + 50, y, WK_ALARM, "not in the database");
}

static void rules_boxes() {
  int rule = fpl.vfr ? 2 : fpl.dvfr ? 3 : 1;
  inonebool(RULES_X, RULES_Y, &rule, 1);
  inonebool(RULES_X, RULES_Y + RULES_DY, &rule, 2);
  inonebool(RULES_X, RULES_Y + 2 * RULES_DY, &rule, 3);
}

// The rule clicked is the only one set.
static int rules_click() {
  int rule = fpl.vfr ? 2 : fpl.dvfr ? 3 : 1, was = rule;
  for (int k = 0; k < 3; k++) inonebool(RULES_X, RULES_Y + k * RULES_DY, &rule, k + 1);
  if (rule == was) return 0;
  fpl.ifr = rule == 1;
  fpl.vfr = rule == 2;
  fpl.dvfr = rule == 3;
  wk_mouse_away();
  rules_boxes();
  wk_mouse_back();
  return 1;
}

static void focus_frames() {
  MACIBM_framerect(focus == 0 ? WK_MARK : WK_BACK, ID_X - 3, DEP_Y - 2, ID_DX + 4, ID_DY + 4);
  MACIBM_framerect(focus == 1 ? WK_MARK : WK_BACK, ID_X - 3, ARR_Y - 2, ID_DX + 4, ID_DY + 4);
}

static void clearance_info() {
  wk_erase(294, 160, 276, 60);  // inside the group's frame
  int dep = airport_of(fpl.dep_id_str);
  float field = dep >= 0 ? apt_z[dep] * con.mtrstoft : 0;
  wk_textf(304, 166, WK_LABEL, "initial altitude  %.0f feet", initial_altitude(field, fpl.cruise_alt));
  const char* state = !fpl.onfile ? "not filed" : fpl.activated ? "on file, activated" : "on file";
  wk_textf(304, 186, WK_LABEL, "the plan            %s", state);
}

static void ids(int redraw) {
  in4charbtn(WK_VALUE, ID_X, DEP_Y, fpl.dep_id_str, redraw);
  in4charbtn(WK_VALUE, ID_X, ARR_Y, fpl.arr_id_str, redraw);
}

static void keep_plan_once() {
  if (opened) return;
  opened = 1;
  cancelled = 0;
  focus = 1;
  fresh = 1;
  before = fpl;
}

void plnplot() {
  if (!wk_begin(WIN_FLIGHT_PLAN)) return;
  keep_plan_once();
  wk_mouse_away();
  wk_clear();
  char title[STR_DIM];
  C_to_C("Flight plan of ", title);
  app_C(title, pln.tailnum);
  app_C(title, "  (");
  app_C(title, pln.C_file);
  app_C(title, ")");
  wk_text(16, 8, WK_TITLE, title);

  wk_group(16, 38, 180, 104, "flight rules");
  rules_boxes();
  static const char* const rules[3] = {"IFR   instrument", "VFR   visual", "DVFR  defense visual"};
  for (int k = 0; k < 3; k++) wk_text(RULES_X + 20, RULES_Y + k * RULES_DY - 2, WK_LABEL, rules[k]);

  wk_group(210, 38, 363, 104, "route");
  wk_text(222, DEP_Y + 11, WK_LABEL, "from");
  wk_text(222, ARR_Y + 11, WK_LABEL, "to");
  wk_spinner(ID_X, DEP_Y, 4, 0);
  wk_spinner(ID_X, ARR_Y, 4, 0);
  ids(1);
  focus_frames();
  airport_line(DEP_Y + 11, fpl.dep_id_str);
  airport_line(ARR_Y + 11, fpl.arr_id_str);

  wk_group(16, 154, 262, 70, "cruise altitude");
  wk_spinner(ALT_X, ALT_Y, 5, 0);
  instdbtn_range(WK_VALUE, ALT_X, ALT_Y, &fpl.cruise_alt, 5, 0, 1, 0, 99999);
  wk_text(ALT_X + 60, ALT_Y + 11, WK_LABEL, "feet above sea level");

  wk_group(292, 154, 281, 70, "clearance");
  clearance_info();

  wk_wrapped(16, 244, 557, WK_LABEL,
             "Click the upper or lower half of a letter or digit to step it, or type the identifier: Tab moves "
             "between departure and arrival, Backspace takes a letter back.",
             3);
  wk_wrapped(16, 290, 557, WK_LABEL,
             "Closing the window (or Return) files the plan with the controller, to be picked up from the "
             "ATC menu (space bar). Escape leaves the plan as it was.",
             3);
  wk_mouse_back();
}

void plnclick() {
  if (!wk_begin(WIN_FLIGHT_PLAN)) return;
  keep_plan_once();
  rules_click();
  int old_focus = focus;
  if (wk_hit(ID_X, DEP_Y, ID_DX, ID_DY)) focus = 0;
  if (wk_hit(ID_X, ARR_Y, ID_DX, ID_DY)) focus = 1;
  if (focus != old_focus) {
    fresh = 1;
    focus_frames();
  }
  char dep[STR_DIM], arr[STR_DIM];
  C_to_C(fpl.dep_id_str, dep);
  C_to_C(fpl.arr_id_str, arr);
  ids(0);
  if (std::strcmp(dep, fpl.dep_id_str) != 0 || std::strcmp(arr, fpl.arr_id_str) != 0) {
    fresh = 0;
    airport_line(DEP_Y + 11, fpl.dep_id_str);
    airport_line(ARR_Y + 11, fpl.arr_id_str);
  }
  if (instdbtn_range(WK_VALUE, ALT_X, ALT_Y, &fpl.cruise_alt, 5, 0, 0, 0, 99999) ||
      std::strcmp(dep, fpl.dep_id_str) != 0)
    clearance_info();
}

int plnkey(int key, int character) {
  if (key == KEY_RETURN) {
    MACIBM_killwind(WIN_FLIGHT_PLAN);
    return 1;
  }
  if (key == KEY_ESCAPE) {
    fpl = before;
    cancelled = 1;
    MACIBM_killwind(WIN_FLIGHT_PLAN);
    return 1;
  }
  if (!wk_begin(WIN_FLIGHT_PLAN)) return 0;
  keep_plan_once();
  char* id = focused_id();
  int n = (int)strnlen(id, 4);
  if (key == KEY_TAB) {
    focus = !focus;
    fresh = 1;
    focus_frames();
    return 1;
  }
  if (key == KEY_BACKSPACE || key == KEY_DELETE) {
    n = fresh ? 0 : n > 0 ? n - 1 : 0;
  } else if (std::isalnum(character)) {
    if (fresh) n = 0;
    if (n >= 4) return 1;
    id[n++] = (char)std::toupper(character);
  } else {
    return 0;
  }
  id[n] = 0;
  fresh = 0;
  wk_mouse_away();
  wk_erase(ID_X, focus ? ARR_Y : DEP_Y, ID_DX, ID_DY);
  wk_spinner(ID_X, focus ? ARR_Y : DEP_Y, 4, 0);
  ids(1);
  wk_mouse_back();
  airport_line((focus ? ARR_Y : DEP_Y) + 11, id);
  if (!focus) clearance_info();
  return 1;
}

void file_flight_plan() {
  opened = 0;
  if (cancelled) {
    cancelled = 0;
    return;
  }
  int found = airport_of(fpl.arr_id_str);
  if (found < 0) {
    speakstring("I am unable to find an airport with that identifier. You will need to file to an airport that I "
                "have in my computer.");
    return;
  }
  atc.plan_index = found;
  atc.ils_vec_in_progress = 0;
  if (fpl.onfile && fpl.activated) speakstring("flight plan amended as requested.");
  fpl.onfile = 1;
}
