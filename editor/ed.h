// Gridwright's records: one environment quadrant, the obstacles, the world's
// airport and navaid tables as stored in their files (feet), and the
// editor's state. One writer each: the edit modes, the readers and the import.
#pragma once
#include "basekit/bk_aptnav.h"
#include "basekit/bk_env.h"
#include "basekit/bk_funct.h"

enum { QI = ENV_PTS_I, QJ = ENV_PTS_J };           // points of the quadrant, west-east and south-north
enum { CELLS_I = QI - 1, CELLS_J = QJ - 1 };        // cells
enum { OBS_MAX = 60000, ED_APT_MAX = 15000, ED_NAV_MAX = 20000, NAV_FILE_LIMIT = 19997 };
enum { RAW_N = 121 };                               // imported heights, 120 cells per degree
enum { MODE_TERRAIN = 301, MODE_OBS = 302, MODE_APT = 303, MODE_NAV = 304 };
enum { OBS_DELETE = 0, OBS_SELECT = 94, OBS_MOVE = 95 };
enum { NAME_KEEP = 38 };                            // characters a name may hold

// ---- the quadrant ----
extern float planelat[QI][QJ], planelon[QI][QJ], planez[QI][QJ];
extern int   planediv[QI][QJ];
extern int   on_water[QI][QJ][2];
extern int   planetex[QI][QJ];
extern int   int_plotx[QI][QJ], int_ploty[QI][QJ];
extern char  texname[ENV_TEXNAMES][ENV_NAME_DIM];

// ---- obstacles ----
extern int   obs_type[OBS_MAX];
extern float obs_lat[OBS_MAX], obs_lon[OBS_MAX], obs_dz[OBS_MAX];
extern char  obj_name[OBS_MAX][ENV_NAME_DIM];

// ---- airports and navaids, feet as in the files ----
extern int   apt_type[ED_APT_MAX], apt_twr[ED_APT_MAX];
extern float apt_lat[ED_APT_MAX][3], apt_lon[ED_APT_MAX][3];
extern int   apt_num[ED_APT_MAX][3], apt_hdng[ED_APT_MAX][3], apt_len[ED_APT_MAX][3];
extern int   apt_width[ED_APT_MAX][3], apt_lite[ED_APT_MAX][3];
extern char  apt_lr[ED_APT_MAX][3];
extern float apt_z[ED_APT_MAX];
extern char  apt_id[ED_APT_MAX][APT_ID_DIM];
extern char  apt_name[ED_APT_MAX][APT_NAME_DIM];
extern int   nav_type[ED_NAV_MAX], nav_f1[ED_NAV_MAX], nav_f2[ED_NAV_MAX], nav_hdng[ED_NAV_MAX];
extern float nav_lat[ED_NAV_MAX], nav_lon[ED_NAV_MAX], nav_z[ED_NAV_MAX];
extern char  nav_id[ED_NAV_MAX][APT_ID_DIM];
extern char  nav_name[ED_NAV_MAX][APT_NAME_DIM];
extern char  apt_path[STR_DIM], nav_path[STR_DIM];

// ---- the import ----
extern float int_rawz[RAW_N][RAW_N];
extern float i_in_size, j_in_size;
extern int   int_regwet[QI][QJ][2];

// ---- the editor's state ----
struct miscstruct {
  int   mx, my, mousedown, dragging;
  int   down_unseen, up_pending;      // a quick click's release waits for its press to be handled
  float dragtime;
  int   edit_mode;
  int   map_dirty, apt_dirty, nav_dirty;
  int   map_latfile, map_lonfile;      // south-west corner of the quadrant
  int   map_loaded_lat, map_loaded_lon; // the corner whose file the grid holds
  int   map_built;                      // no file: the grid was built from the global models
  float map_zoom, map_os_lat, map_os_lon;
  int   map_mode, map_res;
  int   map_ic_elev, map_jc_elev, map_i1_elev, map_j1_elev, map_i2_elev, map_j2_elev;
  int   obs_mode, obs_index_selected;
  int   apt_index, nav_index, lo_ind, hi_ind;
  int   nav_kind;                       // navaid type listed
  int   batch;                          // no window: alerts go to standard error
};
extern miscstruct msc;

// ---- editor shell (main.cpp, shell.cpp) ----
void init_data(int read_world);
void set_up_menus();
void handlemenu(int item);
void handle_screen(int arg);
void handle_wrlkey(int key);
void edit_string(char* C_string, int key);
void up_progress();
// An alert of up to four lines; in batch runs printed to standard error.
void ed_alert(const char* l1, const char* l2, const char* l3, const char* l4);
extern int ed_quit;

// ---- files (edfile.cpp) ----
void set_flat_sea();
int  read_prefs();
int  write_prefs();
void read_world_data();
// Reads the quadrant at the corner into the grid and obstacles; flat sea
// when there is no file. Returns 1 when a file was read.
int  read_quadrant(int lat, int lon);
void quadrant_path(int lat, int lon, char* path);
int  writeout(int what, const char* where);
int  handle_save(int what, int dirty);
int  find_ij_with_loc(float lat, float lon, int* i, int* j);

// ---- import (import.cpp) ----
// Reads an elevation file and builds the quadrant from it; 1 on success.
// A file that cannot be read changes nothing.
int  import_USGS(const char* name, const char* path);

// ---- the grid (utils.cpp) ----
int   ret_x(float lon);
int   ret_y(float lat);
float ret_lon(int x);
float ret_lat(int y);
float findz(float lon, float lat);
float move_grid(float d1, float d2, float h1, float h2);
float space_grid(float a, float b, float c, float f);
int   water_check(int i, int j, int tri);
int   regional_water_check(int i, int j, int tri);
void  set_grid_water_diags();
void  smooth_terrain();
void  tri_points(int i, int j, int tri, int* ii, int* jj);
int   cell_has_water(int i, int j);
void  interp_points(int mx, int my);
void  zoom_map(float factor);
void  pan_map(float dlat, float dlon);

// ---- the modes (map.cpp, aptnav.cpp) ----
void handle_map(int redraw);
void handle_obs(int redraw);
void handle_apt(int redraw);
void handle_nav(int redraw);
void plot_terrain();
void plot_obstacles();
int  obs_new(int type, float lat, float lon);
int  obs_nearest(float lat, float lon);
void apt_new();
void apt_delete();
void nav_new(int type);
void nav_delete();
void set_list_range();
// Moves the selection d rows along the list of its kind.
void step_list(int* index, int d);
// Obstacle mode: the symbols painted again over the map each pass.
void redraw_obstacles();
