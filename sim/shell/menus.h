// Keys and menus: the menu bar and its commands, and the start-location
// commands. A menu command is menu x 100 + its position; the View menu's
// commands are the view types of the view (VIEW_* in sim/view/startscn.h).
#pragma once

// The commands the program sends itself.
enum {
  CMD_OPEN_AIRCRAFT = 201, CMD_LOAD_SITUATION = 203, CMD_SAVE_SITUATION = 204, CMD_EXIT = 206,
  CMD_APT_ID = 309, CMD_APT_NAME = 310, CMD_ENROUTE_CHART = 311, CMD_LOCAL_CHART = 312,
  CMD_WORLD_MAP = 313, CMD_LATLON = 314, CMD_FRIGATE = 318, CMD_CARRIER = 319, CMD_CATSHOT = 320,
  CMD_FIND_ME = 322, CMD_GET_LOST = 323, CMD_FIND_APT_ID = 325,
  CMD_FLIGHT_MODE = 410, CMD_JOYSTICK_OPTIONS = 411,
  CMD_GRAPH = 501, CMD_LOW_ENROUTE = 503, CMD_LOCAL_VR = 504, CMD_WX_RADAR = 505, CMD_FLIGHT_PATH = 506,
  CMD_ISOMETRIC = 507, CMD_WORLD_CHART = 508, CMD_PLATES = 510,
  CMD_ZOOM_IN = 628, CMD_ZOOM_OUT = 629, CMD_LAMP = 631,
  CMD_CYCLE_DUMP = 701, CMD_RESET_PREFS = 703, CMD_LOG_TIME = 711, CMD_ABOUT = 801,
  CMD_OVER_VOR = 1201, CMD_OVER_NDB = 1301
};

void set_up_menus();
void handlemenu(int command);
void gotofield(const char* id, int runway);
void goto_chosen_airport();  // the airport of the airport-by-name window
// First match of the first four characters of id among the airports (kind 1)
// or navaids (any other kind), entries 0..max: 1 and its index, or 0.
int  get_index_from_id(const char* id, int kind, int max, int* index);
void set_up_env_with_request_latlon();
// Greys the Location items the loaded region cannot serve (no airports,
// navaids or ships); run after a region load.
void update_location_menus();
