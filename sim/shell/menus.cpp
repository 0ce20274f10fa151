// The menu bar and its commands, the start-location commands, and what
// happens when a settings window closes.
#include "sim/shell/menus.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/output/do_graph.h"
#include "sim/output/do_movie.h"
#include "sim/output/grf.h"
#include "sim/panel/radios.h"
#include "sim/set.h"
#include "sim/shell/prefs.h"
#include "sim/shell/wintab.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

enum {
  MENU_FILE = 2, MENU_LOCATION = 3, MENU_SETTINGS = 4, MENU_OUTPUT = 5, MENU_VIEW = 6, MENU_SPECIAL = 7,
  MENU_HELP = 8, MENU_TAKEOFF = 9, MENU_VFR = 10, MENU_ILS = 11, MENU_VOR = 12, MENU_NDB = 13, MENU_FAVORITES = 14
};

// ---- the menu bar ----

struct menu_item {
  int id;
  const char* text;  // "-" for a separator
};

static void append_items(int menu, const menu_item* items, int n) {
  for (int k = 0; k < n; k++) MACIBM_append_menu(menu, items[k].id, -1, items[k].text);
}

static const menu_item view_items[] = {
    {601, "[W] Forwards"}, {602, "[S] Down 4 Deg"}, {603, "[X] Down 8 Deg"}, {604, "-"},
    {605, "[Q] Left 45 Deg"}, {606, "[E] Right 45 Deg"}, {607, "[QQ] Left 90 Deg"}, {608, "[EE] Right 90 Deg"},
    {609, "[QQQ] Left 135 Deg"}, {610, "[EEE] Right 135 Deg"}, {611, "-"}, {612, "[Z] Backwards"}, {613, "-"},
    {614, "[V] Satellite"}, {615, "[T] Control Tower"}, {616, "[#] On Runway"}, {617, "[@] Spot View"},
    {618, "-"}, {619, "[A] Chase"}, {620, "[C] Circling"}, {621, "[|] Free: Arrow Keys Rotate"},
    {622, "[R] Above 40 Deg"}, {623, "[F] Above 10 Deg"}, {624, "-"}, {625, "[_] Full-Screen With HUD"},
    {626, "[+] Full-Screen Without HUD"}, {627, "-"}, {628, "[=] Zoom In"}, {629, "[-] Zoom Out"}, {630, "-"},
    {631, "[,] Light-Amplification"}};

static int is_view_item(int command) {
  for (const menu_item& m : view_items)
    if (m.id == command) return command <= VIEW_NOHUD && m.text[0] != '-';
  return 0;
}

static int view_hides_panel(int v) {
  return (v >= VIEW_LEFT45 && v <= VIEW_RIGHT135) || v == VIEW_BACK || (v >= VIEW_SATELLITE && v <= VIEW_SPOT) ||
         (v >= VIEW_CIRCLE && v <= VIEW_ABOVE10) || v == VIEW_HUD || v == VIEW_NOHUD;
}

void set_up_menus() {
  MACIBM_create_menu(MENU_FILE, "File");
  MACIBM_append_menu(MENU_FILE, 201, 0, "Open Aircraft");
  MACIBM_append_menu(MENU_FILE, 202, -1, "-");
  MACIBM_append_menu(MENU_FILE, 203, 0, "Load Situation");
  MACIBM_append_menu(MENU_FILE, 204, 0, "Save Situation");
  MACIBM_append_menu(MENU_FILE, 205, -1, "-");
  MACIBM_append_menu(MENU_FILE, 206, 1, "Exit");

  // The start-location lists are filled by the airport database after each
  // region load. 308 is not used, so that the items from "Airport ID..." on
  // keep the command numbers the rest of the program knows.
  MACIBM_create_menu(MENU_LOCATION, "Location");
  MACIBM_create_submenu(MENU_LOCATION, MENU_TAKEOFF, 301, "Takeoff");
  MACIBM_create_submenu(MENU_LOCATION, MENU_VFR, 302, "VFR Final");
  MACIBM_create_submenu(MENU_LOCATION, MENU_ILS, 303, "ILS Final");
  MACIBM_append_menu(MENU_LOCATION, 304, -1, "-");
  MACIBM_create_submenu(MENU_LOCATION, MENU_VOR, 305, "Over VOR");
  MACIBM_create_submenu(MENU_LOCATION, MENU_NDB, 306, "Over NDB");
  MACIBM_append_menu(MENU_LOCATION, 307, -1, "-");
  static const menu_item places[] = {{309, "Airport ID..."}, {310, "Airport Name..."}, {311, "Enroute..."},
                                     {312, "Local VR..."},   {313, "World Map..."},     {314, "Lat-Lon..."},
                                     {315, "-"}};
  append_items(MENU_LOCATION, places, 7);
  MACIBM_create_submenu(MENU_LOCATION, MENU_FAVORITES, 316, "Favorites");
  static const menu_item ships[] = {{317, "-"},       {318, "Frigate App"}, {319, "Carrier App"},
                                    {320, "Catshot"}, {321, "-"},           {322, "Find Me"},
                                    {323, "Get Me Lost"}, {324, "-"},       {325, "Find Apt ID"}};
  append_items(MENU_LOCATION, ships, 9);
  static const menu_item favorites[] = {
      {1401, "San Bernardino"}, {1402, "Thermal"}, {1403, "Burke Lakefront"}, {1404, "Merrill C Meigs"}};
  append_items(MENU_FAVORITES, favorites, 4);

  MACIBM_create_menu(MENU_SETTINGS, "Settings");
  static const menu_item settings[] = {
      {401, "Set Data Output..."},       {402, "-"},
      {403, "Set Time Of Day..."},       {404, "-"},
      {405, "Set Weather Space..."},     {406, "Set Weather Atmosphere..."},
      {407, "Set Weather Ground..."},    {408, "Set Weather Water..."},
      {409, "-"},                        {410, "Set Flight Mode..."},
      {411, "Set Joystick Options..."},  {412, "-"},
      {413, "Set Fuel Load..."},         {414, "Set Weights..."},
      {415, "-"},                        {416, "Set Realistic Reliability..."},
      {417, "Set Instrument Reliability..."}, {418, "Set Equipment Reliability..."},
      {419, "-"},                        {420, "Set Sound..."},
      {421, "-"},                        {422, "Set Warnings..."}};
  append_items(MENU_SETTINGS, settings, 22);

  // The approach plates of the region's airports follow, from 510.
  MACIBM_create_menu(MENU_OUTPUT, "Output");
  static const menu_item output[] = {{501, "Graphic Flight Record"}, {502, "-"},
                                     {503, "Low Enroute"},           {504, "Local Virtual-World"},
                                     {505, "Weather Radar Map"},     {506, "3-D Flight-Path"},
                                     {507, "Isometric Region"},      {508, "World Map"},
                                     {509, "-"}};
  append_items(MENU_OUTPUT, output, 9);

  MACIBM_create_menu(MENU_VIEW, "View");
  append_items(MENU_VIEW, view_items, (int)(sizeof view_items / sizeof view_items[0]));

  MACIBM_create_menu(MENU_SPECIAL, "Special");
  static const menu_item special[] = {{701, "Cycle Dump"},
                                      {702, "-"},
                                      {703, "Reset Preferences and Exit"},
                                      {704, "-"},
                                      {705, "Instructions: Flight Controls"},
                                      {706, "Instructions: Cockpit"},
                                      {707, "Instructions: Keyboard"},
                                      {708, "Instructions: Air Traffic Control"},
                                      {709, "Instructions: Tech Support"},
                                      {710, "-"},
                                      {711, "Report Logged Time on Exit"}};
  append_items(MENU_SPECIAL, special, 11);

  MACIBM_create_menu(MENU_HELP, "Help");
  MACIBM_append_menu(MENU_HELP, 801, 0, "About Tarvel...");

  // A flight starts looking forwards.
  if (!set.view_type) set.view_type = VIEW_FORWARD;
  if (is_view_item(set.view_type)) MACIBM_check_menu(MENU_VIEW, set.view_type, 1);
  MACIBM_check_menu(MENU_VIEW, CMD_LAMP, scn.lamp);
  MACIBM_check_menu(MENU_SPECIAL, CMD_LOG_TIME, msc.logtime);
}

void update_location_menus() {
  if (!mnw.menu[MENU_LOCATION]) return;
  for (int id = 301; id <= 303; id++) MACIBM_gray_menu(MENU_LOCATION, id, env.apt_list_num > 0);
  MACIBM_gray_menu(MENU_LOCATION, 305, env.vor_list_num > 0);
  MACIBM_gray_menu(MENU_LOCATION, 306, env.ndb_list_num > 0);
  int boat = region_has_ship(0), carrier = region_has_ship(1);
  MACIBM_gray_menu(MENU_LOCATION, 318, boat);
  MACIBM_gray_menu(MENU_LOCATION, 319, carrier);
  MACIBM_gray_menu(MENU_LOCATION, 320, carrier);
}

// ---- moving the aircraft ----

static void new_region() {
  load_region();
  update_location_menus();
}

void gotofield(const char* id, int runway) {
  int n = find_apt_by_id(id);
  if (n < 0) {
    MACIBM_alert("I could not find an airport with this ID anywhere in the country!",
                 "Small airports (with a NUMBER for the first digit) are not simulated.",
                 "There are still over 3,100 airports simulated by Tarvel.", "", 0);
    return;
  }
  set_region_from_apt(n);
  msc.typestart = 900;
  msc.loc_index = n;
  msc.rway_sel = runway >= 0 && runway <= 5 && apt_len[n][runway / 2] > 1 ? runway : 0;
  new_region();
  set_fltvars(10);
}

int get_index_from_id(const char* id, int kind, int max, int* index) {
  int top = kind == 1 ? intmin2(max, APT_MAX - 1) : intmin2(max, NAV_MAX - 1);
  for (int n = 0; n <= top; n++)
    if (std::strncmp(id, kind == 1 ? apt_id[n] : nav_id[n], 4) == 0) {
      *index = n;
      return 1;
    }
  return 0;
}

void set_up_env_with_request_latlon() {
  msc.typestart = 900;
  float lat = env.lat_sou + 1.0f, lon = env.lon_wes + 1.5f;
  int best = -1;
  float best_d = 0;
  for (int n = 0; n <= env.aptmax; n++) {
    float d = pythag(apt_lat[n][0] - lat, apt_lon[n][0] - lon);
    if (best < 0 || d < best_d) best = n, best_d = d;
  }
  if (best >= 0) {
    msc.loc_index = best;
    msc.rway_sel = 0;
  }
  new_region();
  set_fltvars(10);
}

// Takeoff, VFR final and ILS final at an airport of the region's list: the
// command is 100 x (the list's submenu) + runway item.
static void start_at_listed_airport(int command) {
  int base = command < 8500 ? 15 : command < 15500 ? 85 : 155;
  int entry = command / 100 - base;
  if (entry < 0 || entry >= REG_LIST_MAX || entry >= env.apt_list_num)
    MACIBM_numberexitalert("Apt sel out of range!", entry);
  int apt = apt_to_index[entry];
  if (apt < 0 || apt > env.aptmax) MACIBM_numberexitalert("loc_index out of range!", apt);
  int rway = command % 100 - 1;
  if (rway < 0 || rway > 5 || apt_len[apt][rway / 2] <= 1) MACIBM_numberexitalert("rway_sel out of range!", rway);
  msc.typestart = base == 15 ? 900 : base == 85 ? 1000 : 1100;
  msc.loc_index = apt;
  msc.rway_sel = rway;
  set_fltvars(10);
  // An ILS final starts with the runway's ILS tuned and its course set.
  if (base == 155) tune_ils_for_runway(apt, rway);
  MACIBM_invalwind(WIN_MAIN);
}

// Over a VOR or NDB of the region's list; commands of entries not listed do nothing.
static void start_over_navaid(const int* list, int listed, int entry) {
  if (entry < 0 || entry >= listed || entry >= REG_LIST_MAX) return;
  int n = list[entry];
  if (n < 0 || n >= NAV_MAX) return;
  set.cus_x = env_x_of_latlon(nav_lat[n], nav_lon[n]);
  set.cus_y = env_y_of_lat(nav_lat[n]);
  set.cus_z = nav_z[n] + 1000;
  set.cus_psi = 0;
  set.cus_v = 1.5f * msc.est_Vs;
  set_fltvars(12);
}

static void get_me_lost() {
  int i = intrand(1, GRID_I - 2), j = intrand(1, GRID_J - 2);
  float ground = planez[i][j] > -1000 ? planez[i][j] : 0;
  set.cus_x = planex[i][j];
  set.cus_y = planey[i][j];
  set.cus_z = ground + fltrand(1000, 3000);
  set.cus_psi = fltrand(0, 360);
  set.cus_v = 1.3f * msc.est_Vs;
  set_fltvars(11);
}

static void ship_start(int start) {
  if (!region_has_ship(start != 13)) {
    MACIBM_alert("I can't find any ships in the area!",
                 start == 13 ? "There is no frigate in the loaded scenery." : "There is no carrier in the loaded scenery.",
                 "Start at a coast where ships are under way, then try again.", "", 0);
    return;
  }
  set_fltvars(start);
  MACIBM_invalwind(WIN_MAIN);
}

// ---- the commands ----

// A window whose owner has not given it a size yet (the map's chart) stays shut.
static void open_window(int index) {
  if (mnw.dx[index] > 0 && mnw.dy[index] > 0) MACIBM_startwind(index, 1);
}

static char situation_folder[STR_DIM];

static void situation_start_path(const char* name, char* path) {
  if (!situation_folder[0])
    std::snprintf(situation_folder, sizeof situation_folder, "%s",
                  plat_config_dir(hok.program_folder ? hok.program_folder : "tarvel"));
  // The folder is at most STR_DIM - 1 long; a name that does not fit is dropped.
  size_t a = std::strlen(situation_folder), b = std::strlen(name);
  if (a + 1 + b >= STR_DIM) b = 0;
  std::memcpy(path, situation_folder, a);
  path[a] = '/';
  std::memcpy(path + a + 1, name, b);
  path[a + 1 + b] = 0;
}

static void remember_situation_folder(const char* path) {
  std::snprintf(situation_folder, sizeof situation_folder, "%s", path);
  char* slash = std::strrchr(situation_folder, '/');
  if (slash && slash != situation_folder) *slash = 0;
}

static void open_aircraft(const char* file_before, const char* path_before) {
  if (!MACIBM_open(pln.C_file, pln.C_path, FTYPE_AIRCRAFT)) {
    C_to_C(file_before, pln.C_file);
    C_to_C(path_before, pln.C_path);
    return;
  }
  stop_engine_and_windrain();
  load_plane();
  play_engine_and_windrain();
  msc.typestart = 900;
  set_fltvars(10);
  MACIBM_invalwind(WIN_MAIN);
}

static void load_situation() {
  char file[STR_DIM] = "", path[STR_DIM];
  situation_start_path("", path);
  if (!MACIBM_open(file, path, FTYPE_SITUATION)) return;
  remember_situation_folder(path);
  if (!read_situation(path, file)) return;
  new_region();
  stop_engine_and_windrain();
  load_plane();
  play_engine_and_windrain();
  set_fltvars(11);
  set_rlt_grf_choices();
  MACIBM_invalwind(WIN_MAIN);
}

static void save_situation() {
  char file[STR_DIM] = "Untitled.sit", path[STR_DIM];
  situation_start_path(file, path);
  if (!MACIBM_save(file, path, FTYPE_SITUATION)) return;
  remember_situation_folder(path);
  write_situation(path);
}

static void quit() {
  write_prefs();
  if (trk) std::fputs("\n\nend simulation.\n", trk);
  MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
}

static void select_view(int command) {
  for (const menu_item& m : view_items)
    if (is_view_item(m.id)) MACIBM_check_menu(MENU_VIEW, m.id, m.id == command);
  int was_fullscreen = set.view_is_fullscreen;
  set.view_is_fullscreen = view_hides_panel(command);
  if (command == VIEW_SPOT) {
    msc.x_view = (float)flt.x + 20;
    msc.y_view = (float)flt.y;
    msc.z_view = (float)flt.z;
  }
  set.view_type = command;
  set_mon(command, 1.0f);
  if (was_fullscreen && !set.view_is_fullscreen) MACIBM_invalwind(WIN_MAIN);
}

static void open_plate(int entry) {
  int n = apt_to_index[entry];
  if (n < 0 || n > env.aptmax) return;
  msc.map_type = 999;
  msc.plate_index = n;
  char title[STR_DIM];
  std::snprintf(title, sizeof title, "%s (%s)", apt_name[n], apt_id[n]);
  set_win_title(WIN_AIRPORT_CHART, title);
  if (mnw.up[WIN_AIRPORT_CHART]) MACIBM_invalwind(WIN_AIRPORT_CHART);
  else open_window(WIN_AIRPORT_CHART);
}

static void graphic_flight_record() {
  int any = 0;
  for (int k = 0; k < 4; k++) any |= set.grfsel[k] != -1;
  if (!any) {
    MACIBM_alert("You have not selected any data to view!",
                 "Go to the 'Settings' menu, and select 'Set Data Output'.",
                 "Then select whatever data you want to view... the middle column selects data for graphical "
                 "viewing.",
                 "Then fly around for awhile and then view the data with this menu item.", 0);
    return;
  }
  // The graph window opens at its start (grf).
  grf.lefttime = 0;
  open_window(WIN_GRAPH);
}

static void instructions(int command) {
  char folders[STR_DIM];
  switch (command) {
    case 705:
      MACIBM_alert("Fly with a joystick, or with the mouse when no joystick is found: click the middle of the "
                   "windshield to switch between flying and the ordinary mouse.",
                   "Keypad 8 and 2 push the nose down and pull it up, 4 and 6 roll, 1 and 3 yaw, 5 centres roll "
                   "and yaw.",
                   "F1 and F2 move the throttle back and forward, F5 and F6 the propeller, F9 and Backspace the "
                   "mixture.",
                   "With a lever per engine, F1..F4, F5..F8 and F9, Backspace, F11, F12 work each engine's levers; "
                   "with Shift they move forward.",
                   0);
      break;
    case 706:
      MACIBM_alert("Click the switches, knobs and buttons of the panel with the mouse; drag the levers of the "
                   "power quadrant.",
                   "Click the upper half of a knob or digit to raise it and the lower half to lower it; hold the "
                   "button to repeat.",
                   "The 'paused' switch at the top right of the panel stops the flight.",
                   "While a settings window is open the flight stands still; close it to fly on.", 0);
      break;
    case 707:
      MACIBM_alert("Views: W forwards, Q and E turn left and right, S and X look down, Z back; V T # @ A C | R F "
                   "look from outside.",
                   "_ and + full screen, = and - zoom, comma light amplification, the arrow keys turn the free "
                   "view.",
                   "1 2 flaps, 3 4 slats, 5 6 speed brakes, [ ] pitch trim, period reverse thrust, / centres the "
                   "joystick, P pause.",
                   "Capitals tune the radios (Q to K), the ADF (O P L : > ?) and the transponder (Z to M, <); "
                   "space shows the ATC menu.",
                   0);
      break;
    case 708:
      MACIBM_alert("Press space to show the air traffic control menu over the view, then click a request.",
                   "The controller answers in text over the view and aloud when speech is available (Set Sound).",
                   "File a flight plan in the 'Flight Plan' window to be handed from clearance delivery to the "
                   "ground controller at your destination.",
                   "Tune the radio to each frequency you are given and check in.", 0);
      break;
    default:
      std::snprintf(folders, sizeof folders,
                    "Preferences and situations are kept in %s; the reports Tarvel.out, Tarvel.box and Error.out "
                    "in %s.",
                    plat_config_dir("tarvel"), plat_data_dir("tarvel"));
      MACIBM_alert(folders,
                   "If the simulator misbehaves after a crash, 'Reset Preferences and Exit' starts the next run "
                   "from the factory settings.",
                   "Error.out and Tarvel.out hold the messages of the last run: include them with any report.",
                   "Aircraft, airfoils and scenery come from the program's own data folder; keep the files that "
                   "came with it.",
                   0);
      break;
  }
}

static int settings_window(int command) {
  static const int map[][2] = {
      {401, WIN_DATA_OUTPUT},    {403, WIN_TIME},          {405, WIN_WX_SPACE},        {406, WIN_WX_ATMOSPHERE},
      {407, WIN_WX_GROUND},      {408, WIN_WX_WATER},      {410, WIN_FLIGHT_MODE},     {411, WIN_JOYSTICK},
      {413, WIN_FUEL},           {414, WIN_WEIGHTS},       {416, WIN_REL_REALISTIC},   {417, WIN_REL_INSTRUMENT},
      {418, WIN_REL_EQUIPMENT},  {420, WIN_SOUND},         {422, WIN_WARNINGS}};
  for (const auto& m : map)
    if (m[0] == command) return m[1];
  return 0;
}

void handlemenu(int command) {
  char file_before[STR_DIM], path_before[STR_DIM];
  C_to_C(pln.C_file, file_before);
  C_to_C(pln.C_path, path_before);
  for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);

  if (command >= 1500 && command <= 22499) return start_at_listed_airport(command);
  if (command >= CMD_OVER_VOR && command < CMD_OVER_VOR + REG_LIST_MAX)
    return start_over_navaid(vor_to_index, env.vor_list_num, command - CMD_OVER_VOR);
  if (command >= CMD_OVER_NDB && command < CMD_OVER_NDB + REG_LIST_MAX)
    return start_over_navaid(ndb_to_index, env.ndb_list_num, command - CMD_OVER_NDB);
  if (command >= CMD_PLATES && command < CMD_PLATES + env.apt_list_num) return open_plate(command - CMD_PLATES);
  if (command == CMD_PLATES + 2 + env.apt_list_max) return clear_path();
  if (is_view_item(command)) return select_view(command);
  if (int w = settings_window(command)) return open_window(w);
  if (command >= 705 && command <= 709) return instructions(command);

  switch (command) {
    case CMD_OPEN_AIRCRAFT: open_aircraft(file_before, path_before); break;
    case CMD_LOAD_SITUATION: load_situation(); break;
    case CMD_SAVE_SITUATION: save_situation(); break;
    case CMD_EXIT: quit(); break;
    case CMD_APT_ID: open_window(WIN_APT_ID); break;
    case CMD_APT_NAME: open_window(WIN_APT_NAME); break;
    case CMD_ENROUTE_CHART: case CMD_LOCAL_CHART:
      msc.map_type = command == CMD_ENROUTE_CHART ? CMD_LOW_ENROUTE : CMD_LOCAL_VR;
      open_window(WIN_AREA_CHART);
      break;
    case CMD_WORLD_MAP: open_window(WIN_WORLD); break;
    case CMD_LATLON: open_window(WIN_LATLON); break;
    case CMD_FRIGATE: ship_start(13); break;
    case CMD_CARRIER: ship_start(14); break;
    case CMD_CATSHOT: ship_start(15); break;
    case CMD_FIND_ME: open_window(WIN_WHERE_AM_I); break;
    case CMD_GET_LOST: get_me_lost(); break;
    case CMD_FIND_APT_ID: open_window(WIN_APT_IDS); break;
    case 1401: gotofield("KSBD", 0); break;
    case 1402: gotofield("KTRM", 0); break;
    case 1403: gotofield("KBKL", 0); break;
    case 1404: gotofield("KCGX", 1); break;
    case CMD_GRAPH: graphic_flight_record(); break;
    case CMD_LOW_ENROUTE: case CMD_LOCAL_VR: case CMD_WX_RADAR:
      msc.map_type = command;
      open_window(WIN_AREA_CHART);
      break;
    case CMD_FLIGHT_PATH: start_movie(); break;
    case CMD_ISOMETRIC: open_window(WIN_ISOMETRIC); break;
    case CMD_WORLD_CHART: open_window(WIN_WORLD); break;
    case CMD_ZOOM_IN: set_mon(-1, 2.0f); break;
    case CMD_ZOOM_OUT: set_mon(-1, 0.5f); break;
    case CMD_LAMP:
      // Light amplification is the view's (scn); the menu toggles it.
      scn.lamp = !scn.lamp;
      MACIBM_check_menu(MENU_VIEW, CMD_LAMP, scn.lamp);
      break;
    case CMD_CYCLE_DUMP: request_cycle_dump(); break;
    case CMD_RESET_PREFS:
      MACIBM_exitalert("I have disabled the preferences file.",
                       "The next time you start Tarvel or, it will revert to the factory settings.",
                       "This should allow normal operation if the preferences file has become corrupted somehow.",
                       "I will now terminate the program. Run Tarvel again to start in the standard condition.");
    case CMD_LOG_TIME:
      msc.logtime = !msc.logtime;
      MACIBM_check_menu(MENU_SPECIAL, CMD_LOG_TIME, msc.logtime);
      break;
    case CMD_ABOUT: MACIBM_aboutalert(); break;
    default: break;
  }
}

// Closing the airport-by-name window starts at the airport chosen in it.
void goto_chosen_airport() {
  if (msc.loc_index < 0 || msc.loc_index > env.aptmax) return;
  set_region_from_apt(msc.loc_index);
  msc.typestart = 900;
  if (apt_len[msc.loc_index][intlim(msc.rway_sel, 0, 5) / 2] <= 1 || msc.rway_sel < 0 || msc.rway_sel > 5)
    msc.rway_sel = 0;
  new_region();
  set_fltvars(10);
}
