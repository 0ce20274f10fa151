// The grids of the loaded region: terrain points and triangles, the cloud
// layer around it and the weather field (atm.wxr). Written by the region
// loader and the slide; read by the flight model, the view and the maps.
#pragma once
#include "basekit/bk_funct.h"

enum {
  GRID_I = 178, GRID_J = 159,        // terrain points, west to east and south to north
  QUAD_CELLS_I = 59, QUAD_CELLS_J = 79,  // cells per quadrant (points 60 x 80, edges shared)
  CLOUD_I = 41, CLOUD_J = 33,        // cloud points, one degree beyond the region all round
  WXR_I = 601, WXR_J = 401           // weather cells, 200 per degree
};
enum { SLIDE_NONE = 0, SLIDE_WEST = 2, SLIDE_EAST = 3, SLIDE_NORTH = 4, SLIDE_SOUTH = 5 };
enum { COL_LEVEL = 65, COL_CLIFF = 75, COL_WATER = 79 };

extern float planex[GRID_I][GRID_J], planey[GRID_I][GRID_J], planez[GRID_I][GRID_J];
extern int   planediv[GRID_I][GRID_J];
extern int   planecol[GRID_I][GRID_J][2];
extern int   on_water[GRID_I][GRID_J][2], on_field[GRID_I][GRID_J][2], on_cliff[GRID_I][GRID_J][2];
extern int   light_on_poly[GRID_I][GRID_J][2];
extern float cityx[GRID_I][GRID_J][2][3], cityy[GRID_I][GRID_J][2][3], cityz[GRID_I][GRID_J][2][3];
extern int   on_fire_now[GRID_I][GRID_J][2], was_on_fire[GRID_I][GRID_J][2];
extern int   boat_on_poly[GRID_I][GRID_J], carr_on_poly[GRID_I][GRID_J];
extern int   beacon_index[GRID_I][GRID_J];

extern float cloudx[CLOUD_I][CLOUD_J], cloudy[CLOUD_I][CLOUD_J], cloudz[CLOUD_I][CLOUD_J];
extern int   clouddiv[CLOUD_I][CLOUD_J];
extern int   cloudcol[CLOUD_I][CLOUD_J][2];

// Where the folder "DATA" lies; empty means the application folder.
extern char env_data_root[STR_DIM];

void  load_region();
void  read_quadrant(int lat, int lon, int quadrant);
// The quadrant at the corner from the global models, with the database's
// runways flat; 0 when the models are not shipped.
struct envquad;
int   build_env_quadrant(int lat, int lon, envquad* q);
void  drop_old_quadrants(int direction);
void  shift_geo(int i1, int i2, int j1, int j2, int deli, int delj);
void  shift_weather(int i1, int i2, int j1, int j2, int deli, int delj);
void  shift_cloud(int i1, int i2, int j1, int j2, int deli, int delj);
void  shift_ref(int i1, int j1, int i2, int j2);
void  fill_a_sector_with_ocast(int isec, int jsec);
void  gen_wx_for_sec(int quadrant);
void  fractalize(int i1_sec, int j1_sec, int i2_sec, int j2_sec, float* z, int jdim, float delzlo,
                 float delzhi, int level1, int level2);
int   ontri(float bx, float by, float hx, float hy, float vx, float vy, float xtest, float ytest);
float cloudsep(int code);
int   find_var(float latdeg, float londeg);

// Which way the region must slide for an aircraft at (lat, lon), SLIDE_NONE if none.
int   region_slide_dir(float lat, float lon);
// Slides one degree: moves the grids, reads the new quadrants, rebuilds the lists and clouds.
void  slide_region(int direction);

// Region coordinates of a position, with the quadrant references.
float env_y_of_lat(float lat);
float env_x_of_latlon(float lat, float lon);
// The environment file of a quadrant corner, with or without its block folder.
void  env_file_name(int lat, int lon, int with_folder, char* name);
