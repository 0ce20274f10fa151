#include "sim/view/point.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "sim/flight/atm.h"
#include "sim/view/scn.h"

float ax[PT_I][PT_J], ay[PT_I][PT_J], az[PT_I][PT_J];
int   in_front[PT_I][PT_J], point_os[PT_I][PT_J];
int   px[PT_I][PT_J], py[PT_I][PT_J];
int   drawing_cloud;

static const float D2R = 0.017453292519943295f;

void set_view_trig() {
  con.sinVIEWpsi = std::sin(scn.psi180rad);
  con.cosVIEWpsi = std::cos(scn.psi180rad);
  con.sinVIEWthe = std::sin(scn.the180rad);
  con.cosVIEWthe = std::cos(scn.the180rad);
  con.sinVIEWphi = std::sin(scn.phi180rad);
  con.cosVIEWphi = std::cos(scn.phi180rad);
}

void set_plan_trig(float x, float y, float z, float psi, float the, float phi) {
  con.PLAN_loc_x = x;
  con.PLAN_loc_y = y;
  con.PLAN_loc_z = z;
  con.sinPLANpsi = std::sin(psi * D2R);
  con.cosPLANpsi = std::cos(psi * D2R);
  con.sinPLANthe = std::sin(the * D2R);
  con.cosPLANthe = std::cos(the * D2R);
  con.sinPLANphi = std::sin(phi * D2R);
  con.cosPLANphi = std::cos(phi * D2R);
}

void set_boat_trig(float x, float y, float z, float psi, float the, float phi) {
  con.BOAT_loc_x = x;
  con.BOAT_loc_y = y;
  con.BOAT_loc_z = z;
  con.sinBOATpsi = std::sin(psi * D2R);
  con.cosBOATpsi = std::cos(psi * D2R);
  con.sinBOATthe = std::sin(the * D2R);
  con.cosBOATthe = std::cos(the * D2R);
  con.sinBOATphi = std::sin(phi * D2R);
  con.cosBOATphi = std::cos(phi * D2R);
}

// Roll, then pitch, then heading.
static void body_to_world(float x, float y, float z, float sps, float cps, float sth, float cth, float sph,
                          float cph, float* xo, float* yo, float* zo) {
  float a = z * cph - x * sph, b = z * sph + x * cph;
  float m = y * cth - a * sth;
  *zo = y * sth + a * cth;
  *xo = m * sps + b * cps;
  *yo = m * cps - b * sps;
}

void xfrm_VIEWP(float x, float y, float z, float* xo, float* yo, float* zo) {
  body_to_world(x, y, z, con.sinPLANpsi, con.cosPLANpsi, con.sinPLANthe, con.cosPLANthe, con.sinPLANphi,
                con.cosPLANphi, xo, yo, zo);
}

void xfrm_VVECT(float x, float y, float z, float* xo, float* yo, float* zo) {
  // Heading, then pitch, then roll: the exact inverse of xfrm_VIEWP.
  float m = x * con.sinPLANpsi + y * con.cosPLANpsi;   // forward, level
  float b = x * con.cosPLANpsi - y * con.sinPLANpsi;   // right, level
  float fy = m * con.cosPLANthe + z * con.sinPLANthe;  // forward
  float a = z * con.cosPLANthe - m * con.sinPLANthe;   // up, before roll
  *yo = fy;
  *xo = b * con.cosPLANphi - a * con.sinPLANphi;
  *zo = b * con.sinPLANphi + a * con.cosPLANphi;
}

void xfrm_PLANE(float x, float y, float z, float* xo, float* yo, float* zo) {
  float wx, wy, wz;
  xfrm_VIEWP(x, y, z, &wx, &wy, &wz);
  xfrm_SCENE(wx + con.PLAN_loc_x - con.VIEW_loc_x, wy + con.PLAN_loc_y - con.VIEW_loc_y,
             wz + con.PLAN_loc_z - con.VIEW_loc_z, xo, yo, zo);
}

void xfrm_BOAT(float x, float y, float z, float* xo, float* yo, float* zo) {
  float wx, wy, wz;
  body_to_world(x, y, z, con.sinBOATpsi, con.cosBOATpsi, con.sinBOATthe, con.cosBOATthe, con.sinBOATphi,
                con.cosBOATphi, &wx, &wy, &wz);
  *xo = wx + con.BOAT_loc_x;
  *yo = wy + con.BOAT_loc_y;
  *zo = wz + con.BOAT_loc_z;
}

float rx(float x, float y, int a) { return x * icos(a) + y * isin(a); }
float ry(float x, float y, int a) { return y * icos(a) - x * isin(a); }

int find_pxy(float x, float y, float z, int* pxo, int* pyo) {
  if (!(y > 0)) return 0;
  float tx = x / y, tz = z / y;
  if (!(tx > con.rat_lft && tx < con.rat_rgt && tz < con.rat_top && tz > con.rat_bot)) return 0;
  *pxo = XFRM_x(tx);
  *pyo = XFRM_y(tz);
  return 1;
}

void assign_pxy(float dx, float dy, float dz, int i, int j) {
  float x, y, z;
  xfrm_SCENE(dx, dy, dz, &x, &y, &z);
  ax[i][j] = x;
  ay[i][j] = y;
  az[i][j] = z;
  in_front[i][j] = y > NEAR_DEPTH;
  point_os[i][j] = in_front[i][j] && find_pxy(x, y, z, &px[i][j], &py[i][j]);
}

int haze_color(float dist, int* color) {
  if (drawing_cloud) return 1;
  if (dist >= atm.vis2_grnd) return 0;
  if (dist <= atm.vis1_grnd) return 1;
  float t = 9.0f * (dist - atm.vis1_grnd) / (atm.vis2_grnd - atm.vis1_grnd);
  *color += 18 * flt_to_int(t + 1.0f);
  return 1;
}

int aircraft_jumped(jump_watch* w, double x, double y, double z) {
  int jumped = !w->seen || std::fabs(x - w->x) > 500 || std::fabs(y - w->y) > 500 || std::fabs(z - w->z) > 500;
  w->x = x, w->y = y, w->z = z;
  w->seen = 1;
  return jumped;
}
