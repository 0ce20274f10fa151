// The loaded scenery region and its runways.
#pragma once

struct environmentstruct {
  int lat_sou, lon_wes;   // south-west corner of the region, degrees
  int apt_list_max;
};
extern environmentstruct env;

struct runwaystruct {
  int count;
};
extern runwaystruct rwy;
