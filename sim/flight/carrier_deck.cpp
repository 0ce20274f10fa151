#include "sim/flight/carrier_deck.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

// Inside the convex region of deck points idx[0..n-1], given clockwise from above.
static int inside_deck(const int* idx, int n, float x, float y) {
  for (int e = 0; e < n; e++) {
    int a = idx[e], b = idx[(e + 1) % n];
    if (!inside_cw_reg(car.dx[a][1], car.dy[a][1], car.dx[b][1], car.dy[b][1], x, y, 0)) return 0;
  }
  return 1;
}

int over_carrier_deck(float x, float y) {
  static const int main_deck[6] = {0, 1, 2, 3, 4, 5}, port[4] = {6, 7, 8, 1}, starboard[4] = {4, 10, 11, 9};
  return inside_deck(main_deck, 6, x, y) || inside_deck(port, 4, x, y) || inside_deck(starboard, 4, x, y);
}

int in_wire_zone(float x, float y) {
  // Wire ends [0] port, [1] starboard: port aft, port forward, starboard forward, starboard aft.
  const float qx[4] = {car.cx[0][0], car.cx[4][0], car.cx[4][1], car.cx[0][1]};
  const float qy[4] = {car.cy[0][0], car.cy[4][0], car.cy[4][1], car.cy[0][1]};
  for (int e = 0; e < 4; e++)
    if (!inside_cw_reg(qx[e], qy[e], qx[(e + 1) % 4], qy[(e + 1) % 4], x, y, 0)) return 0;
  return 1;
}

float trap_accel_for(float v) { return (v * 0.5f) * (v * 0.5f) * 2 / 100; }

// The ship of the kind asked for whose cell lies within two cells of the
// aircraft's, and where it is; 0 when there is none.
static int ship_near(int carrier, float* x, float* y, float* z) {
  int ai = env.i_aircraft, aj = env.j_aircraft;
  for (int i = intmax2(ai - 2, 0); i <= intmin2(ai + 2, GRID_I - 2); i++)
    for (int j = intmax2(aj - 2, 0); j <= intmin2(aj + 2, GRID_J - 2); j++)
      if (carrier ? carr_on_poly[i][j] : boat_on_poly[i][j]) {
        ship_position(i, j, x, y, z);
        return 1;
      }
  return 0;
}

static void carrier_deck() {
  float sx, sy, sz;
  int near = car.built && ship_near(1, &sx, &sy, &sz);
  // The carrier lies still, bow to the north: its frame is the world's, moved.
  float x = (float)flt.x - sx, y = (float)flt.y - sy;
  if (near && over_carrier_deck(x, y)) {
    env.over_carr = 1;
    env.carrz = sz + CAR_DECK_Z;
  } else {
    env.over_carr = 0;
  }
  if (flt.wired) {
    if (std::fabs(flt.Beta) > 90) flt.wired = 0;
  } else if (near && ins.hook_down && flt.onsurface && std::fabs(flt.Beta) < 90 && flt.vind > 10 && in_wire_zone(x, y)) {
    // Always caught at the longest step; a shorter step has its chance each time.
    if (fltrand(0, 2 * msc.prd) < 0.9f) {
      flt.wired = 1;
      car.trap_accel = trap_accel_for(flt.v);  // the wire is the flight model's to set
    }
  }
  // The shot ends where the deck does.
  if (flt.cat_stage == 28 && !env.over_carr) flt.cat_stage = 29;
}

static void boat_deck() {
  float sx, sy, sz;
  env.over_boat = 0;
  if (!ship_near(0, &sx, &sy, &sz)) return;
  float x = (float)flt.x - sx, y = (float)flt.y - sy;
  if (std::fabs(x) <= BOAT_PAD_X && y >= BOAT_PAD_Y1 && y <= BOAT_PAD_Y2) {
    env.over_boat = 1;
    env.boat_cgx = sx;
    env.boat_cgy = sy;
    env.boat_cgz = sz + BOAT_DECK_Z - 10;  // the contact puts the deck 10 m above this
  }
}

void ship_decks() {
  carrier_deck();
  boat_deck();
}
