// The world database: every airport and navaid, read once from "apt_dat" and
// "nav_dat", and the short lists of those inside the loaded region.
#pragma once
#include "basekit/bk_aptnav.h"

enum {
  APT_MAX = 15000,       // airports in the table
  NAV_MAX = 20000,       // navaid slots
  NAV_FILE_MAX = 19997,  // navaid records a file may hold; the carrier's two slots follow
  REG_LIST_MAX = 70      // airports, VORs and NDBs listed per region
};
enum { NAV_NDB = 2, NAV_VOR = 3, NAV_LOC = 4, NAV_LOC_ONLY = 5, NAV_GS = 6, NAV_OM = 7, NAV_MM = 8, NAV_IM = 9 };

// Airports, in file order. Runway lengths and widths are whole metres and
// elevations metres once read by the simulator.
extern int   apt_type[APT_MAX], apt_twr[APT_MAX], apt_inreg[APT_MAX];
extern float apt_lat[APT_MAX][3], apt_lon[APT_MAX][3];
extern int   apt_num[APT_MAX][3], apt_hdng[APT_MAX][3], apt_len[APT_MAX][3];
extern int   apt_width[APT_MAX][3], apt_lite[APT_MAX][3];
extern char  apt_lr[APT_MAX][3];
extern float apt_z[APT_MAX];
extern char  apt_id[APT_MAX][APT_ID_DIM];
extern char  apt_name[APT_MAX][APT_NAME_DIM];
extern float beaclat[APT_MAX], beaclon[APT_MAX], beacz[APT_MAX];

// Navaids, in file order; slots navmax - 1 and navmax - 2 belong to the carrier's ILS.
extern int   nav_type[NAV_MAX], nav_f1[NAV_MAX], nav_f2[NAV_MAX], nav_hdng[NAV_MAX], nav_inreg[NAV_MAX];
extern float nav_lat[NAV_MAX], nav_lon[NAV_MAX], nav_z[NAV_MAX];
extern char  nav_id[NAV_MAX][APT_ID_DIM];
extern char  nav_name[NAV_MAX][APT_NAME_DIM];

// The region's lists for the Location menus: indices into the tables above.
extern int apt_to_index[REG_LIST_MAX], ndb_to_index[REG_LIST_MAX], vor_to_index[REG_LIST_MAX];

void init_country_data();
// Ends the program with a message naming the file when it held no airport.
void need_airports();
void open_apt_nav_dat(const char* name);
void finish_nav_readin();
void tack_on_runway_items(int menu, int item, int n);
void rway_to_cs(int input, char lr, int helipad, char* C_string);
int  rev_rway_num(int num);
char rev_rway_lr(char lr);

// Airport lookup by identifier (trailing blanks and case ignored); -1 when not found.
int  find_apt_by_id(const char* id);
// Region corner for a start at airport n: round(latitude - 1), round(longitude - 1.5).
void set_region_from_apt(int n);
// Start at an airport by identifier: corner from it, region loaded. Index, or -1.
int  start_at_airport(const char* id);
int  region_airport_count();   // in-region airports
int  region_navaid_count();    // in-region navaids read from the file
// "region LAT_SOU LON_WES airports N navaids M" for the loaded region.
void region_line(char* C_string);
