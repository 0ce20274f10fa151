// The loaded scenery region and its runways.
#pragma once

struct environmentstruct {
  int lat_sou, lon_wes;   // south-west corner of the region, degrees
  int apt_list_max;
  // ---- world database and region (airports, navaids, quadrants) ----
  int aptmax;                    // index of the last airport record, -1 for none
  int navmax;                    // navaid records + 2: the two slots above the file's are the carrier's
  int vor_list_max, ndb_list_max;
  int apt_list_num, vor_list_num, ndb_list_num;  // entries listed, 0..70 (the maxima are clamped)
  int lonwes_ref[3][2];          // per quadrant: longitude and x origin its x were computed with
  float planex_ref[3][2];
  int i_aircraft, j_aircraft;    // terrain cell of the aircraft and of the eye, moved by a slide
  int i_viewpoint, j_viewpoint;
  float boat_cgx, boat_cgy, boat_cgz;
  int near_apt_max, near_vor_max, near_ndb_max;  // nearest-airport and navaid list maxima
  // ---- under the aircraft, written by the flight model ----
  float localh;                  // ground height, m (-999 until the first frame)
  int t_aircraft;                // triangle of the cell
  int over_carr, over_boat;      // over the carrier deck or a boat
  float boat_the, boat_phi, boat_psi;  // deck motion, radians
  float carrz, obsz;             // deck and roof heights, m
  int over_obs;                  // over an obstacle's roof (obsz)
  int mvar;                      // magnetic variation, degrees
  // ---- the local airport's runways and light groups (airport scenery) ----
  int rwaymax;                   // last runway of the local airport, -1 for none
  int tway[3], runoff[3];        // taxiway and apron; shoulders and overruns
  int rwaymax1[3], rwaymax2[3];  // edge lights: 0.. and 50.. up to one before these
  int twaymax1[3], twaymax2[3];  // taxiway lights: 150.. and 200..
  int amber1[3], amber2[3], amber3[3], amber4[3];  // caution-zone bounds of the edge lights
  int red1[3], altred1[3], red2[3], altred2[3];    // centre-line colour bounds
  int RCLSmax[3];                // last centre-line light (from 100)
  int lgt_gls[3][2], lgt_rwy[3][2], lgt_app[3][2];  // lighting options per runway end
  // ---- the moving map's placement ----
  float os_x_plan, os_y_plan;    // local metres of the chart's lower-left corner
  float zoom_rat;                // 1 .. about 11.4
  float os_x_gs;                 // horizontal offset of the approach side view, m
};
extern environmentstruct env;

enum { RWY_MARKS = 173, RWY_LIGHTS = 812 };
struct runwaystruct {
  int   max[3];                          // last mark of each runway
  float markx[RWY_MARKS][4][3], marky[RWY_MARKS][4][3], markz[RWY_MARKS][4][3];
  float rwayx[RWY_LIGHTS][3], rwayy[RWY_LIGHTS][3], rwayz[RWY_LIGHTS][3];
  // 1 where a light stands: slots never placed and lights removed (lying on
  // another surface) are 0 and must not be drawn; their positions stay valid.
  int   rwayuse[RWY_LIGHTS][3];
};
extern runwaystruct rwy;
