// The pilot's menu over the view: what he may say now, the step expected of
// him pulsing, and the lists of airports and localizers a request names.
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/do_atc.h"
#include "sim/atc/voice.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

// In the view's pixels (ATC_VIEW_Y above them in the main window).
enum {
  MENU_ROWS = 17,
  ROW_TOP = 31,    // first row
  ROW_DY = 10,
  MENU_X = 6,
  LIST_ROWS = 15,  // entries per list column
  LIST_DX = 200,   // list column width
  STRIP_TOP = 27,  // the view's strip of the main window, which takes the presses
  STRIP_BOT = 242,
  SURF_TOP = 20,   // what the menu draws over: list title to last row
  SURF_DY = ROW_TOP + ROW_DY * MENU_ROWS - SURF_TOP + 2
};

// ---------------------------------------------------------------- the main level

struct menu_row {
  int shown, expected;
  char text[STR_DIM];
};

static int here() { return msc.loc_index >= 0 && msc.loc_index < APT_MAX ? msc.loc_index : 0; }

static void tail_says(char* text, const char* words) {
  C_to_C(pln.tailnum, text);
  app_C(text, words);
}

static void build_rows(menu_row rows[MENU_ROWS]) {
  std::memset(rows, 0, sizeof(menu_row) * MENU_ROWS);
  int ground = flt.onsurface != 0, towered = apt_twr[here()] != 0;
  auto row = [&](int r, int shown, int expected, const char* text) {
    rows[r].shown = shown;
    rows[r].expected = shown && expected;
    if (text != rows[r].text) C_to_C(text, rows[r].text);
  };
  row(0, !fpl.onfile, 1, "File flight plan");
  row(1, fpl.onfile, 0, "Amend flight plan");
  row(2, 1, 0, "Get ATIS...");
  tail_says(rows[4].text, " would like to pick up my flight plan.");
  row(4, fpl.onfile && !fpl.activated, 1, rows[4].text);
  tail_says(rows[5].text, " would like to close my flight plan.");
  row(5, fpl.activated, 0, rows[5].text);
  checkin_text(rows[6].text);
  row(6, atc.waiting_new_frq, 1, rows[6].text);
  tail_says(rows[7].text, " say again please.");
  row(7, atc.response[0] != 0, 0, rows[7].text);
  int at_tower = ground && towered, taxi_time = fpl.activated && atc.plan_phase == PLAN_DEPARTURE;
  tail_says(rows[9].text, " request taxi to active ");
  app_C(rows[9].text, apt_name[here()]);
  row(9, at_tower, taxi_time, rows[9].text);
  tail_says(rows[10].text, " request take off ");
  app_C(rows[10].text, apt_name[here()]);
  row(10, at_tower, taxi_time, rows[10].text);
  static const char* const asks[4] = {" request vectors...", " request landing...", " request ILS...",
                                      " request localizer..."};
  for (int k = 0; k < 4; k++) {
    tail_says(rows[11 + k].text, asks[k]);
    row(11 + k, !ground, 0, rows[11 + k].text);
  }
  tail_says(rows[16].text, " DECLARING AN EMERGENCY, REQUEST VECTORS NEAREST FIELD!");
  row(16, !ground, 0, rows[16].text);
}

static void open_plan_window() { MACIBM_startwind(WIN_FLIGHT_PLAN, 1); }

int atc_row(int r) {
  menu_row rows[MENU_ROWS];
  build_rows(rows);
  // Rows that open a list keep the menu up; every other closes it.
  if (r < 0 || r >= MENU_ROWS || !rows[r].shown) {
    atc.menu_up = 0;
    return 0;
  }
  if (r != 2 && !(r >= 11 && r <= 14)) atc.menu_up = 0;
  char text[STR_DIM];
  switch (r) {
    case 0:
      C_to_C(apt_id[here()], fpl.dep_id_str);
      open_plan_window();
      break;
    case 1: open_plan_window(); break;
    case 2: atc.menu_level = ATC_LIST_ATIS; break;
    case 4:
      pilot_transmits(rows[r].text);
      pick_up_plan();
      break;
    case 5:
      pilot_transmits(rows[r].text);
      close_plan();
      C_to_C(pln.tailnum, text);
      app_C(text, " flight plan closed. Squawk 1 2 0 0. Good day.");
      speakstring(text);
      break;
    case 6:
      pilot_transmits(rows[r].text);
      check_in();
      break;
    case 7:
      pilot_transmits(rows[r].text);
      speakstring(atc.response);
      break;
    case 9:
    case 10:
      pilot_transmits(rows[r].text);
      C_to_C(r == 9 ? "request taxi " : "request takeoff ", text);
      app_C(text, apt_name[here()]);
      app_C(text, ".");
      controller_respond(text);
      break;
    case 11: atc.menu_level = ATC_LIST_VECTORS; break;
    case 12: atc.menu_level = ATC_LIST_LANDING; break;
    case 13: atc.menu_level = ATC_LIST_ILS; break;
    case 14: atc.menu_level = ATC_LIST_LOCALIZER; break;
    case 16:
      pilot_transmits(rows[r].text);
      controller_respond("declaring an emergency");
      break;
    default: break;
  }
  return 1;
}

// ---------------------------------------------------------------- the lists

int atc_list(int level, int* entries) {
  int count = 0;
  // A dense region has more than a list can show: the first ones are listed.
  if (level == ATC_LIST_ATIS || level == ATC_LIST_VECTORS || level == ATC_LIST_LANDING) {
    for (int a = 0; a <= env.aptmax && a < APT_MAX && count < ATC_LIST_MAX; a++)
      if (apt_inreg[a] && apt_type[a] == 1 && (level == ATC_LIST_VECTORS || apt_twr[a])) entries[count++] = a;
  } else if (level == ATC_LIST_ILS || level == ATC_LIST_LOCALIZER) {
    int type = level == ATC_LIST_ILS ? NAV_LOC : NAV_LOC_ONLY;
    for (int n = 0; n <= env.navmax && n < NAV_MAX && count < ATC_LIST_MAX; n++)
      if (nav_inreg[n] && nav_type[n] == type && nav_name[n][0] && std::strncmp(nav_id[n], "----", 4) != 0)
        entries[count++] = n;
  }
  return count;
}

void atc_choose(int level, int index) {
  static const struct {
    int level;
    const char* request;  // what the controller is asked
    const char* said;     // what the pilot says
  } asks[4] = {{ATC_LIST_VECTORS, "request vectors ", " request vectors to "},
               {ATC_LIST_LANDING, "request landing ", " request landing "},
               {ATC_LIST_ILS, "request I L S ", " request ILS "},
               {ATC_LIST_LOCALIZER, "request localizer ", " request localizer "}};
  if (level == ATC_LIST_ATIS) return give_ATIS(index);
  for (const auto& a : asks) {
    if (a.level != level) continue;
    const char* name = level == ATC_LIST_ILS || level == ATC_LIST_LOCALIZER ? nav_name[index] : apt_name[index];
    char text[STR_DIM];
    C_to_C(pln.tailnum, text);
    app_C(text, a.said);
    app_C(text, name);
    pilot_transmits(text);
    C_to_C(a.request, text);
    app_C(text, name);
    controller_respond(text);
  }
}

static const char* list_title(int level) {
  switch (level) {
    case ATC_LIST_ATIS: return "ATIS of:";
    case ATC_LIST_VECTORS: return "Vectors to:";
    case ATC_LIST_LANDING: return "Landing at:";
    case ATC_LIST_ILS: return "ILS approach:";
    case ATC_LIST_LOCALIZER: return "Localizer approach:";
    default: return "";
  }
}

// An airport's name; a localizer's with the frequency to tune for it.
static void entry_text(int level, int index, char* text) {
  if (level != ATC_LIST_ILS && level != ATC_LIST_LOCALIZER) return C_to_C(apt_name[index], text);
  std::snprintf(text, STR_DIM, "%.*s  %d.%02d", APT_NAME_DIM, nav_name[index], nav_f1[index], nav_f2[index]);
}

// ---------------------------------------------------------------- drawing and clicks

// The row under a main-window pixel row.
static int row_at(int window_y) {
  int y = window_y - ATC_VIEW_Y;
  return y >= ROW_TOP ? (y - ROW_TOP) / ROW_DY : -1;
}

// Where the view's row 0 lies in the surface drawn into.
static int origin_y;
// Drawn through a surface keyed on black, black text takes the darkest grey.
static int keyed;
static int ink(int color) { return keyed && color == 11 ? 22 : color; }

static void text_at(int x, int row, int color, const char* text, int right) {
  HS_plot_string(x, origin_y + ROW_TOP + ROW_DY * row + 2, ink(color), text, right, 0);
}

static void frame_row(int x, int row, int width, int color) {
  MACIBM_framerect(ink(color), x - 3, origin_y + ROW_TOP + ROW_DY * row, width + 5, ROW_DY);
}

static void draw_main(const menu_row rows[MENU_ROWS]) {
  static const int pulse[10] = {14, 13, 12, 12, 13, 14, 15, 16, 16, 15};
  int normal = atc_text_color(), hover = row_at(msc.my);
  for (int r = 0; r < MENU_ROWS; r++) {
    if (!rows[r].shown) continue;
    int color = rows[r].expected ? pulse[(msc.cntr10 % 10 + 10) % 10] : normal;
    int width = 6 * (int)strnlen(rows[r].text, 130);
    if (width > 790 - MENU_X) width = 790 - MENU_X;
    text_at(MENU_X, r, color, rows[r].text, MENU_X + width);
    if (r == hover) frame_row(MENU_X, r, width, normal);
  }
}

static void draw_list(int level) {
  int entries[ATC_LIST_MAX];
  int count = atc_list(level, entries), normal = atc_text_color();
  HS_plot_string(MENU_X, origin_y + 21, ink(normal), list_title(level), 790, 0);
  if (count == 0) text_at(MENU_X, 0, normal, "(none in this region)", 790);
  int hover_row = row_at(msc.my), hover_col = msc.mx / LIST_DX;
  for (int k = 0; k < count; k++) {
    int col = k / LIST_ROWS, r = k % LIST_ROWS, x = MENU_X + LIST_DX * col;
    char text[STR_DIM];
    entry_text(level, entries[k], text);
    text_at(x, r, normal, text, x + LIST_DX - 12);
    if (r == hover_row && col == hover_col) frame_row(x, r, LIST_DX - 12, normal);
  }
}

static void click_list(int level) {
  int entries[ATC_LIST_MAX];
  int count = atc_list(level, entries);
  int r = row_at(msc.my), col = msc.mx / LIST_DX, k = col * LIST_ROWS + r;
  atc.menu_up = 0;
  if (r >= 0 && r < LIST_ROWS && col >= 0 && col < 4 && k < count) atc_choose(level, entries[k]);
}

void plot_atc_options(int click) {
  if (!atc.menu_up) return;
  int level = atc.menu_level;
  if (click) {
    if (msc.mx < 0 || msc.mx > 800 || msc.my < STRIP_TOP || msc.my > STRIP_BOT) return;
    if (level == ATC_MENU_MAIN) {
      atc_row(row_at(msc.my));
    } else {
      click_list(level);
    }
    return;
  }
  if (set.view_type == VIEW_REPLAY) return;  // the replay shows no menu
  // Into the view itself, or over it once it is on the screen.
  keyed = !locked;
  origin_y = 0;
  if (keyed) {
    int px = 0, py = ATC_VIEW_Y;
    MACIBM_startsurf3(0, ATC_VIEW_Y + SURF_TOP, 800, SURF_DY, 11, &px, &py, 0);
    origin_y = py;
  }
  if (level == ATC_MENU_MAIN) {
    menu_row rows[MENU_ROWS];
    build_rows(rows);
    draw_main(rows);
  } else {
    draw_list(level);
  }
  if (keyed) MACIBM_finishsurf3();
}
