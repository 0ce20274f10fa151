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
  int mvar;                      // magnetic variation, degrees
};
extern environmentstruct env;

struct runwaystruct {
  int count;
};
extern runwaystruct rwy;
