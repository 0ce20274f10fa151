// The loaded scenery region and its runways.
#pragma once

struct environmentstruct {
  int lat_sou, lon_wes;   // south-west corner of the region, degrees
  int apt_list_max;
  int near_apt_max, near_vor_max, near_ndb_max;  // nearest-airport and navaid list maxima
};
extern environmentstruct env;

struct runwaystruct {
  int count;
};
extern runwaystruct rwy;
