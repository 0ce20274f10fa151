// The view's transforms, the projection onto the view surface, distance
// haze, and the per-point scratch arrays the drawing fills once a frame.
#pragma once
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"

enum { PT_I = 178, PT_J = 159 };
#define NEAR_DEPTH 3.0f   // metres: nothing nearer than this is drawn

// Per point of whichever grid is drawn ([i][j]); buildings use [corner][level].
extern float ax[PT_I][PT_J], ay[PT_I][PT_J], az[PT_I][PT_J];  // eye frame: x right, y depth, z up
extern int   in_front[PT_I][PT_J];   // depth beyond the near plane
extern int   point_os[PT_I][PT_J];   // projects strictly inside the view
extern int   px[PT_I][PT_J], py[PT_I][PT_J];
extern int   drawing_cloud;          // the cloud layer is drawn: no distance shading

// Sines and cosines of the view angles scn.psi180rad, the180rad, phi180rad.
void set_view_trig();
// Position and attitude (degrees) of the aircraft, or the ship, being drawn.
void set_plan_trig(float x, float y, float z, float psi, float the, float phi);
void set_boat_trig(float x, float y, float z, float psi, float the, float phi);

// Body (x right, y forward, z up) to world, rotation only, PLAN angles.
void xfrm_VIEWP(float x, float y, float z, float* xo, float* yo, float* zo);
// World vector to body, PLAN angles.
void xfrm_VVECT(float x, float y, float z, float* xo, float* yo, float* zo);
// World vector relative to the eye into the eye frame (x right, y depth, z up).
inline void xfrm_SCENE(float x, float y, float z, float* xo, float* yo, float* zo) {
  float a = x * con.cosVIEWpsi - y * con.sinVIEWpsi;
  float b = x * con.sinVIEWpsi + y * con.cosVIEWpsi;
  float m = z * con.cosVIEWthe - b * con.sinVIEWthe;
  *xo = a * con.cosVIEWphi - m * con.sinVIEWphi;
  *yo = z * con.sinVIEWthe + b * con.cosVIEWthe;
  *zo = a * con.sinVIEWphi + m * con.cosVIEWphi;
}
// A body point of the drawn aircraft into the eye frame.
void xfrm_PLANE(float x, float y, float z, float* xo, float* yo, float* zo);
// A ship-frame point to the world frame.
void xfrm_BOAT(float x, float y, float z, float* xo, float* yo, float* zo);

// A tangent (x or z over depth) to a view pixel column or row.
inline int view_round(float v) { return flt_to_int(v >= 0 ? v + 0.5f : v - 0.5f); }
inline int XFRM_x(float t) { return view_round(t * con.zom_pp45 + con.off_view_center_fx); }
inline int XFRM_y(float t) { return view_round(con.off_view_center_fy - t * con.zom_pp45); }

// Whole-degree rotations from the tables.
float rx(float x, float y, int a);
float ry(float x, float y, int a);

// 1 and the pixel when the eye-frame point lies strictly inside the view.
int  find_pxy(float x, float y, float z, int* pxo, int* pyo);
// Fills the scratch arrays at [i][j] for a point given relative to the eye.
void assign_pxy(float dx, float dy, float dz, int i, int j);
// Adds the haze level for mean depth dist to color; 0 when beyond sight.
int  haze_color(float dist, int* color);

// Notices the aircraft being put somewhere else (a new start, a location, a
// situation) rather than flying there: more than 500 m between two looks.
struct jump_watch {
  double x, y, z;
  int seen;
};
int aircraft_jumped(jump_watch* w, double x, double y, double z);
