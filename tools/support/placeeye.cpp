// The aircraft put straight onto a runway or into the air near an airport.
#include "tools/support/placeeye.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f;

// Centre, length and heading of runway r of airport a, the heading from end `end`.
static int runway_of(int a, int r, int end, float* x, float* y, float* len, float* hdng) {
  if (a < 0 || a > env.aptmax || r < 0 || r > 2 || apt_len[a][r] <= 1) return 0;
  *x = env_x_of_latlon(apt_lat[a][r], apt_lon[a][r]);
  *y = env_y_of_lat(apt_lat[a][r]);
  *len = (float)apt_len[a][r];
  *hdng = fltwrap((float)apt_hdng[a][r] + (end ? 180.0f : 0.0f), 0, 360);
  return 1;
}

static void level_at(float x, float y, float z, float psi) {
  flt.x = x;
  flt.y = y;
  flt.z = z;
  flt.psi = psi;
  flt.the = flt.phi = 0;
  flt.v = flt.vu = 0;
}

void place_on_runway(int apt, int rway_sel) {
  rway_sel = intlim(rway_sel, 0, 5);
  float x, y, len, h;
  if (!runway_of(apt, rway_sel / 2, rway_sel % 2, &x, &y, &len, &h) && !runway_of(apt, 0, 0, &x, &y, &len, &h)) return;
  msc.loc_index = apt;
  msc.rway_sel = rway_sel;
  // Just past the threshold, on the centre line, resting on the gear.
  float back = 0.5f * len - 5.0f;
  float gear = pln.mgearz < 0 ? -pln.mgearz : 1.5f;
  level_at(x - back * std::sin(h * D2R), y - back * std::cos(h * D2R), apt_z[apt] + gear, h);
}

void place_over_airport(int apt, float height_m) {
  float x, y, len, h;
  if (!runway_of(apt, 0, 0, &x, &y, &len, &h)) return;
  msc.loc_index = apt;
  msc.rway_sel = 0;
  // Three miles out on the extended centre line, heading for the runway.
  float back = 0.5f * len + 3 * 1852.0f;
  level_at(x - back * std::sin(h * D2R), y - back * std::cos(h * D2R), apt_z[apt] + height_m, h);
}
