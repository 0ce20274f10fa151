// The global models shipped in the application folder's "world" folder: the
// heights of the whole globe at 5 arc-minutes and the land and water of the
// globe at 1 arc-minute, in tiles read from disk only when first asked for;
// and the builder that makes a quadrant out of them where no environment
// file exists. The simulator's region loader and the editor both use it.
#pragma once
#include "basekit/bk_env.h"

enum { WLD_OCEAN = 0, WLD_LAND = 1, WLD_LAKE = 2 };
enum { WLD_SEED = 1954 };             // the detail of every built quadrant

// The folder the models are read from; by default app_path's "world".
// Setting it closes what was open and empties the caches.
void  wld_set_folder(const char* dir);
// 1 when both models open and are well formed.
int   wld_available();
// Height in metres at a place: the 5-minute nodes, bilinear. 0 without models.
float wld_height(float lat, float lon);
// What the mask says at a place: WLD_OCEAN, WLD_LAND or WLD_LAKE (ocean without models).
int   wld_surface(float lat, float lon);
// Bytes of decompressed tiles held now (measured by the benchmark).
long  wld_cache_bytes();

// One runway of an airport, for flattening: centre, heading in degrees,
// length and width in metres, the airport's elevation in metres.
struct wldrunway {
  float lat, lon, hdng, len, width, elev;
};
enum { WLD_RUNWAYS_MAX = 400 };

// One quadrant as an environment file holds it, index [i][j], i west to east.
struct envquad {
  float lat[ENV_PTS_I][ENV_PTS_J], lon[ENV_PTS_I][ENV_PTS_J], z[ENV_PTS_I][ENV_PTS_J];
  int   div[ENV_PTS_I][ENV_PTS_J];
  int   water[ENV_PTS_I][ENV_PTS_J][2];
};

// Builds the quadrant whose south-west corner is (lat, lon): the regular
// 60 x 80 points, heights from the height model with seeded detail finer than
// its 5 minutes where the ground is rough (its large shapes kept), each
// runway's ground flat at its airport's elevation, water from the mask (sea
// at 0 m, each lake level), and each cell's diagonal along the corners whose
// heights differ less. The same corner, runways and seed give the same
// quadrant. Returns 0, q untouched, when the models cannot be read.
int build_quadrant(int lat, int lon, const wldrunway* rwy, int nrwy, unsigned seed, envquad* q);

// Points, flags and the end of an environment file for a built quadrant
// (binary version 4, no objects) at path; 1 on success.
int write_built_quadrant(const envquad* q, const char* path);
