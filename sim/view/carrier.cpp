// The carrier: its angled deck with wires, markings and lights, the island and
// the glide-path lens, and its localizer and glide slope; and the frigate.
#include "sim/view/carrier.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/flight/fltutil.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/poly3d.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

static const float D2R = 0.017453292519943295f, R2D = 57.29577951308232f;

// The landing area: its centre line starts at the stern and runs along the
// approach heading for LAND_LEN metres.
static const float LAND_X0 = 5, LAND_Y0 = -306, LAND_LEN = 190, LAND_HALF = 10;

// A point s metres along the landing line and q metres to its right.
static void landing_point(float s, float q, float* x, float* y) {
  float a = car.appang * D2R, ux = std::sin(a), uy = std::cos(a);
  *x = LAND_X0 + s * ux + q * uy;
  *y = LAND_Y0 + s * uy - q * ux;
}

static void build_mark(int m, float x1, float y1, float x2, float y2, float z, float hw, int code) {
  if (m < 0 || m >= CAR_MARKS) return;
  float dx = x2 - x1, dy = y2 - y1, l = pythag(dx, dy);
  float px = l > 0 ? dy / l * hw : hw, py = l > 0 ? -dx / l * hw : 0;  // to the right of 1 -> 2
  // Clockwise seen from above.
  car.mx[m][0] = x1 - px, car.my[m][0] = y1 - py;
  car.mx[m][1] = x2 - px, car.my[m][1] = y2 - py;
  car.mx[m][2] = x2 + px, car.my[m][2] = y2 + py;
  car.mx[m][3] = x1 + px, car.my[m][3] = y1 + py;
  for (int c = 0; c < 4; c++) car.mz[m][c] = z;
  car.mc[m] = code + 65;
  car.marks = intmax2(car.marks, m + 1);
}

// A mark along the landing line from s1 to s2, q to the right of it.
static void landing_mark(int m, float s1, float s2, float q, float hw, int code) {
  float x1, y1, x2, y2;
  landing_point(s1, q, &x1, &y1);
  landing_point(s2, q, &x2, &y2);
  build_mark(m, x1, y1, x2, y2, CAR_DECK_Z, hw, code);
}

// A wire across the landing line at station s: [0] its port end, [1] starboard.
static void build_cable(int k, float s) {
  landing_point(s, -13, &car.cx[k][0], &car.cy[k][0]);
  landing_point(s, 13, &car.cx[k][1], &car.cy[k][1]);
  car.cz[k][0] = car.cz[k][1] = CAR_DECK_Z + 0.1f;
}

static void build_line(int k, float x1, float y1, float x2, float y2) {
  car.cx[k][0] = x1, car.cy[k][0] = y1, car.cx[k][1] = x2, car.cy[k][1] = y2;
  car.cz[k][0] = car.cz[k][1] = CAR_DECK_Z + 0.05f;
}

static void build_light(int k, float x, float y, float z, int color) {
  car.lx[k] = x, car.ly[k] = y, car.lz[k] = z, car.lc[k] = color;
}

// A light of the lens box, offsets from the lens.
static void build_vasi(int k, float dx, float dz, int color) {
  build_light(k, car.vasix + dx, car.vasiy, car.vasiz + dz, color);
}

static void island_ring(int k, float x1, float x2, float y1, float y2, float z, int color) {
  // Corners clockwise from above: (-, +), (+, +), (+, -), (-, -).
  const float xs[4] = {x1, x2, x2, x1}, ys[4] = {y2, y2, y1, y1};
  for (int c = 0; c < 4; c++) car.tx[k][c] = xs[c], car.ty[k][c] = ys[c], car.tz[k][c] = z;
  car.tc[k] = color;
}

void init_carrier() {
  std::memset(&car, 0, sizeof car);
  car.appang = 352;  // the angled deck points 8 degrees to port
  car.catang = 0;
  car.catx = 8;
  car.caty = -165;
  static const float hull[CAR_HULL][4] = {{-18.4f, -306, -18.4f, -306}, {-18.4f, -105, -18.4f, -80},
                                          {0.4f, -5, 0, -2},           {18.4f, -105, 18.4f, -80},
                                          {18.4f, -306, 18.4f, -306}};
  for (int i = 0; i < CAR_HULL; i++) {
    car.hx[i][0] = hull[i][0], car.hy[i][0] = hull[i][1], car.hz[i][0] = 0;
    car.hx[i][1] = hull[i][2], car.hy[i][1] = hull[i][3], car.hz[i][1] = 20;
  }
  static const float deck[CAR_DECK][2] = {{-19, -314}, {-19, -98}, {-15, 0},   {15, 0},    {19, -92},   {19, -308},
                                          {-19, -266}, {-35, -234}, {-35, -103}, {19, -251}, {36, -115}, {36, -251}};
  for (int i = 0; i < CAR_DECK; i++) {
    car.dx[i][0] = car.dx[i][1] = deck[i][0];
    car.dy[i][0] = car.dy[i][1] = deck[i][1];
    car.dz[i][0] = CAR_DECK_Z - 1, car.dz[i][1] = CAR_DECK_Z;
  }
  // Markings: the landing area's darker strip, its edges and centre dashes,
  // the ramp stripes, the wire zone's ends, the bow catapults.
  int m = 0;
  landing_mark(m++, 0, LAND_LEN, 0, LAND_HALF, 16);
  landing_mark(m++, 0, LAND_LEN, -LAND_HALF, 0.3f, 15);
  landing_mark(m++, 0, LAND_LEN, LAND_HALF, 0.3f, 15);
  for (int k = 0; k < 14; k++) landing_mark(m++, 8 + 13.5f * k, 15 + 13.5f * k, 0, 0.3f, 15);
  for (int k = 0; k < 4; k++) build_mark(m++, -15 + 10 * k, -306, -15 + 10 * k, -296, CAR_DECK_Z, 1.0f, 15);
  landing_mark(m++, 40, 41, 0, 12, 15);
  landing_mark(m++, 98, 99, 0, 12, 15);
  build_mark(m++, car.catx, car.caty, car.catx, -4, CAR_DECK_Z, 0.3f, 15);
  build_mark(m++, -car.catx, car.caty + 10, -car.catx, -4, CAR_DECK_Z, 0.3f, 15);
  build_mark(m++, car.catx - 3, car.caty - 1, car.catx + 3, car.caty - 1, CAR_DECK_Z, 0.4f, 15);
  build_mark(m++, -car.catx - 3, car.caty + 9, -car.catx + 3, car.caty + 9, CAR_DECK_Z, 0.4f, 15);
  // Lines: the five wires, the two catapult tracks, the elevators' edges.
  for (int k = 0; k < 5; k++) build_cable(k, 45 + 12 * k);
  int l = 5;
  build_line(l++, car.catx, car.caty, car.catx, -2);
  build_line(l++, -car.catx, car.caty + 10, -car.catx, -2);
  static const float elev[3][4] = {{-35, -30, -190, -172}, {19, 36, -200, -182}, {19, 36, -240, -222}};
  for (const auto& e : elev) {
    build_line(l++, e[0], e[2], e[0], e[3]);
    build_line(l++, e[0], e[3], e[1], e[3]);
    build_line(l++, e[1], e[3], e[1], e[2]);
    build_line(l++, e[1], e[2], e[0], e[2]);
  }
  build_line(l++, -19, -98, 19, -92);      // the foul line ahead of the landing area
  build_line(l++, -19, -266, -19, -98);    // the angled deck's inner edge
  build_line(l++, -15, -1, 15, -1);        // the bow's edge
  // Lights: the landing area's edges and centre line (light 41 at its far
  // end), the drop lights down the stern, the lens's green datum bars and
  // the deck's corners; then the lens cells.
  for (int k = 0; k < 11; k++) {
    float x, y;
    landing_point(19.0f * k, -LAND_HALF, &x, &y);
    build_light(k, x, y, CAR_DECK_Z + 0.2f, LITE_WHITE);
    landing_point(19.0f * k, LAND_HALF, &x, &y);
    build_light(11 + k, x, y, CAR_DECK_Z + 0.2f, LITE_WHITE);
  }
  for (int k = 0; k < 20; k++) {
    float x, y;
    landing_point(10.0f * k, 0, &x, &y);
    build_light(22 + k, x, y, CAR_DECK_Z + 0.2f, LITE_WHITE);
  }
  for (int k = 0; k < 6; k++) build_light(42 + k, LAND_X0, -306.5f, 19 - 2.5f * k, LITE_AMBER);
  landing_point(110, -16, &car.vasix, &car.vasiy);
  car.vasiz = CAR_DECK_Z + 3;
  for (int k = 0; k < 5; k++) {
    build_vasi(48 + k, -3.0f - 1.2f * k, 0, LITE_GREEN);
    build_vasi(53 + k, 3.0f + 1.2f * k, 0, LITE_GREEN);
  }
  static const int corner[10] = {0, 1, 2, 3, 4, 5, 7, 8, 10, 11};
  for (int k = 0; k < 10; k++)
    build_light(58 + k, car.dx[corner[k]][1], car.dy[corner[k]][1], CAR_DECK_Z + 0.3f, LITE_BLUE);
  for (int k = 0; k < 5; k++) build_vasi(68 + k, 0, 0.8f * (k - 2), k == 0 ? LITE_RED : LITE_AMBER);
  // The island on the starboard extension: hull of the superstructure, the
  // bridge, the mast.
  island_ring(0, 24, 34, -150, -115, CAR_DECK_Z, 81);
  island_ring(1, 24, 34, -150, -115, 30, 80);
  island_ring(2, 24, 34, -150, -115, 38, 82);
  island_ring(3, 23, 35, -152, -113, 40, 81);
  island_ring(4, 23, 35, -152, -113, 44, 81);
  island_ring(5, 26, 32, -140, -122, 46, 80);
  island_ring(6, 26, 32, -140, -122, 54, 82);
  island_ring(7, 28.5f, 29.5f, -132, -130, 56, 82);
  island_ring(8, 28.5f, 29.5f, -132, -130, 70, 82);
  car.built = 1;
}

int lens_cell(float angle) {
  if (!std::isfinite(angle)) return CAR_LENS - 2;
  float d = angle - 3.5f;
  int k = d >= 2 ? 2 : (d <= -2 ? -2 : flt_to_int(d));  // whole degrees towards 0
  return CAR_LENS + k;
}

// ---- drawing ----

// A ship-frame point into the eye frame.
static void ship_eye(float x, float y, float z, float* ex, float* ey, float* ez) {
  float wx, wy, wz;
  xfrm_BOAT(x, y, z, &wx, &wy, &wz);
  xfrm_SCENE(wx - con.VIEW_loc_x, wy - con.VIEW_loc_y, wz - con.VIEW_loc_z, ex, ey, ez);
}

// A wall from point 0 to point 1, each given at its foot and its top,
// drawn when its outside faces the eye (walls run clockwise seen from above).
static void wall(int color, float x0, float y0, float z0, float x0t, float y0t, float z0t, float x1, float y1, float z1,
                 float x1t, float y1t, float z1t) {
  float a[3], b[3], c[3], d[3];
  ship_eye(x1, y1, z1, &a[0], &a[1], &a[2]);
  ship_eye(x1t, y1t, z1t, &b[0], &b[1], &b[2]);
  ship_eye(x0t, y0t, z0t, &c[0], &c[1], &c[2]);
  ship_eye(x0, y0, z0, &d[0], &d[1], &d[2]);
  if (!poly4_normal(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2])) return;
  manage_poly4(color, a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2], d[0], d[1], d[2], 1, 0);
}

// A straight wall between two heights.
static void side_panel(int color, float x0, float y0, float x1, float y1, float zlo, float zhi) {
  wall(color, x0, y0, zlo, x0, y0, zhi, x1, y1, zlo, x1, y1, zhi);
}

static void flat_quad(int color, const float* x, const float* y, const float* z) {
  float p[4][3];
  for (int c = 0; c < 4; c++) ship_eye(x[c], y[c], z[c], &p[c][0], &p[c][1], &p[c][2]);
  manage_poly4(color, p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2], p[2][0], p[2][1], p[2][2], p[3][0],
               p[3][1], p[3][2], 1, 0);
}

static void ship_light(int k, float x, float y, float z, int color) {
  float ex, ey, ez;
  int sx, sy;
  ship_eye(x, y, z, &ex, &ey, &ez);
  if (!show_light(ey, k) || !find_pxy(ex, ey, ez, &sx, &sy)) return;
  int bx = intmin2(sx, con.off_int_rgt - 1), by = intmin2(sy, con.off_int_bot - 2);
  MACIBM_hshline(color, bx, by, 2);
  MACIBM_hshline(color, bx, by + 1, 2);
}

static void ship_line(int color, float x1, float y1, float z1, float x2, float y2, float z2) {
  float a, b, c, d, e, f;
  ship_eye(x1, y1, z1, &a, &b, &c);
  ship_eye(x2, y2, z2, &d, &e, &f);
  thr_line(color, a, b, c, d, e, f);
}

static void deck_quad(int color, int i0, int i1, int i2, int i3) {
  const float x[4] = {car.dx[i0][1], car.dx[i1][1], car.dx[i2][1], car.dx[i3][1]};
  const float y[4] = {car.dy[i0][1], car.dy[i1][1], car.dy[i2][1], car.dy[i3][1]};
  const float z[4] = {CAR_DECK_Z, CAR_DECK_Z, CAR_DECK_Z, CAR_DECK_Z};
  flat_quad(color, x, y, z);
}

void carrier_aids(float x, float y, float z) {
  int n = env.navmax;
  if (n < 2 || n > NAV_MAX) return;
  float a = car.appang * D2R;
  float lx = x + car.lx[41] + std::sin(a) * 80, ly = y + car.ly[41] + std::cos(a) * 80;
  float lat = (float)lat_with_y(ly), lon = (float)lon_with_xy(lx, ly);
  // The carrier's two navaid slots are the carrier's own to write.
  for (int slot = n - 1; slot >= n - 2; slot--) {
    nav_type[slot] = slot == n - 1 ? NAV_LOC : NAV_GS;
    nav_lat[slot] = lat;
    nav_lon[slot] = lon;
    nav_z[slot] = z + car.vasiz;
    nav_f1[slot] = 108;
    nav_f2[slot] = 0;
    nav_hdng[slot] = flt_to_int(car.appang);
    nav_inreg[slot] = 1;
    std::snprintf(nav_id[slot], APT_ID_DIM, "----");
    std::snprintf(nav_name[slot], APT_NAME_DIM, "Carrier");
  }
}

void draw_a_carr(float x, float y, float z) {
  if (!car.built) return;
  set_boat_trig(x, y, z, 0, 0, 0);
  carrier_aids(x, y, z);
  // 1-2. Hull and the deck's edge.
  for (int i = 0; i < CAR_HULL; i++) {
    int k = (i + 1) % CAR_HULL;
    wall(81, car.hx[i][0], car.hy[i][0], car.hz[i][0], car.hx[i][1], car.hy[i][1], car.hz[i][1], car.hx[k][0],
         car.hy[k][0], car.hz[k][0], car.hx[k][1], car.hy[k][1], car.hz[k][1]);
  }
  static const int edge[12][2] = {{0, 6}, {6, 7}, {7, 8}, {8, 1}, {1, 2}, {2, 3},
                                  {3, 4}, {4, 10}, {10, 11}, {11, 9}, {9, 5}, {5, 0}};
  for (const auto& e : edge)
    side_panel(80, car.dx[e[0]][0], car.dy[e[0]][0], car.dx[e[1]][0], car.dy[e[1]][0], car.dz[e[0]][0],
               car.dz[e[0]][1]);
  int above = con.VIEW_loc_z > z + CAR_DECK_Z;
  // 3. The deck, its paint and its lights, seen from above.
  if (above) {
    deck_quad(82, 0, 1, 4, 5);
    deck_quad(82, 1, 2, 3, 4);
    deck_quad(82, 6, 7, 8, 1);
    deck_quad(82, 9, 4, 10, 11);
    for (int m = 0; m < car.marks; m++) flat_quad(car.mc[m], car.mx[m], car.my[m], car.mz[m]);
    for (int k = 0; k < CAR_DECK_LIGHTS; k++) ship_light(k, car.lx[k], car.ly[k], car.lz[k], car.lc[k]);
  }
  // 4. The lens: one cell lit, a step a degree off the 3.5-degree path.
  float dx = con.VIEW_loc_x - (x + car.vasix), dy = con.VIEW_loc_y - (y + car.vasiy);
  float angle = std::atan2(con.VIEW_loc_z - (z + car.vasiz), pythag(dx, dy)) * R2D;
  int cell = lens_cell(angle);
  ship_light(cell, car.lx[cell], car.ly[cell], car.lz[cell], car.lc[cell]);
  // 5. Wires and the other lines.
  if (above)
    for (int k = 0; k < CAR_LINES; k++)
      ship_line(k < 5 ? 80 : 81, car.cx[k][0], car.cy[k][0], car.cz[k][0], car.cx[k][1], car.cy[k][1], car.cz[k][1]);
  // 6. The island, side panels and roof.
  for (int k = 0; k + 1 < CAR_ISLAND; k++)
    for (int w = 0; w < 4; w++) {
      int c0 = w, c1 = (w + 1) % 4;
      wall(car.tc[k], car.tx[k][c0], car.ty[k][c0], car.tz[k][c0], car.tx[k + 1][c0], car.ty[k + 1][c0],
           car.tz[k + 1][c0], car.tx[k][c1], car.ty[k][c1], car.tz[k][c1], car.tx[k + 1][c1], car.ty[k + 1][c1],
           car.tz[k + 1][c1]);
    }
  const int t = CAR_ISLAND - 1;
  if (con.VIEW_loc_z > z + car.tz[t][0]) flat_quad(82, car.tx[t], car.ty[t], car.tz[t]);
}

// ---- the frigate ----

void draw_a_boat(float x, float y, float z) {
  set_boat_trig(x, y, z, 0, env.boat_the * R2D, env.boat_phi * R2D);
  static const float hull[6][2] = {{-7, -130}, {-7, -40}, {0, 0}, {7, -40}, {7, -130}, {0, -130}};
  for (int i = 0; i < 5; i++) {
    int k = (i + 1) % 5;
    side_panel(81, hull[i][0], hull[i][1], hull[k][0], hull[k][1], 0, BOAT_DECK_Z);
  }
  if (con.VIEW_loc_z > z) {
    const float dx1[4] = {-7, -7, 7, 7}, dy1[4] = {-130, -40, -40, -130}, dz[4] = {BOAT_DECK_Z, BOAT_DECK_Z, BOAT_DECK_Z, BOAT_DECK_Z};
    flat_quad(82, dx1, dy1, dz);
    const float dx2[4] = {-7, 0, 7, 0}, dy2[4] = {-40, 0, -40, -40};
    flat_quad(82, dx2, dy2, dz);
    // The pad's square and its centre line.
    const float px[4] = {-5, -5, 5, 5}, py[4] = {-126, -104, -104, -126}, pz[4] = {BOAT_DECK_Z + 0.05f, BOAT_DECK_Z + 0.05f, BOAT_DECK_Z + 0.05f, BOAT_DECK_Z + 0.05f};
    for (int c = 0; c < 4; c++)
      ship_line(80, px[c], py[c], pz[c], px[(c + 1) % 4], py[(c + 1) % 4], pz[c]);
    ship_line(80, 0, -126, BOAT_DECK_Z + 0.05f, 0, -104, BOAT_DECK_Z + 0.05f);
  }
  // Hangar and bridge, then the mast.
  static const float box[2][5] = {{-5, 5, -100, -55, 18}, {-1, 1, -75, -72, 30}};
  for (const auto& b : box) {
    const float xs[4] = {b[0], b[1], b[1], b[0]}, ys[4] = {b[3], b[3], b[2], b[2]};
    for (int w = 0; w < 4; w++) {
      int c0 = w, c1 = (w + 1) % 4;
      side_panel(w % 2 ? 81 : 80, xs[c0], ys[c0], xs[c1], ys[c1], BOAT_DECK_Z, b[4]);
    }
    const float zs[4] = {b[4], b[4], b[4], b[4]};
    if (con.VIEW_loc_z > z + b[4]) flat_quad(82, xs, ys, zs);
  }
  ship_light(8, 0, -73.5f, 30.5f, LITE_WHITE);
  ship_light(16, -7, -40, BOAT_DECK_Z, LITE_RED);
  ship_light(24, 7, -40, BOAT_DECK_Z, LITE_GREEN);
}
