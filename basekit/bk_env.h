// Environment files: one quadrant's 60 x 80 points and its objects, read and
// written the same way by the simulator and the scenery editor.
#pragma once
#include "basekit/bk_funct.h"

enum { ENV_PTS_I = 60, ENV_PTS_J = 80, ENV_VERSION = 4, ENV_END = 99, ENV_NAME_DIM = 40, ENV_TEXNAMES = 8 };

// Opens a quadrant's file into inf in the search order: the user's
// "additional nav data" under app, then DATA under root (both binary, version
// 3 then 4), then the bare name in "DATA/United States" (text). 0 when none
// opens; path gets the last name tried. A file that is there but has a wrong
// header (mark, version, byte order) or is no regular file gets one alert
// naming it and is passed over.
int  env_open_quadrant(const char* app, const char* root, int lat, int lon, char* path);
// A file's label in scanning errors: the file's path.
const char* env_scan_label(const char* path);

// One point of the open file: position, height, diagonal, the two triangles'
// water, and the cell's texture (2000 + k, or 0).
void env_scan_point(const char* label, float* lat, float* lon, float* z, int* div, int* water0, int* water1,
                    int* tex);
// One object: returns its type (99 ends the list). Types 1..6 fill the cell,
// type 8 its name (ENV_NAME_DIM). Any other type reads nothing more.
int  env_scan_object(const char* label, float* lat, float* lon, float* h_ft, int* ci, int* cj, char* name);

// The binary point flags: bit 0 diagonal, bits 1, 2 water, bits 9.. texture.
int  env_point_flags(int div, int water0, int water1, int tex);
int  env_flags_tex(int flags);

// Writing into ouf (opened binary, ENV_VERSION), little-endian.
void env_dump_point(float lat, float lon, float z, int flags);
void env_dump_object(int type, float lat, float lon, float h_ft, int ci, int cj, const char* name);
void env_dump_end(const char (*texname)[ENV_NAME_DIM]);
