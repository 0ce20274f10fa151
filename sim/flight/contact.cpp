// Ground and water contact. Each contact point is a spring and damper acting
// straight up, with rolling, braking and sliding friction and nose-wheel
// steering; each wet hull point gives buoyancy, heave damping, planing and
// skin friction.
#include "sim/flight/contact.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/records.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"

static float z_use[7];  // the ground height last found under each contact kind

// The terrain triangle under a point, searched in rings out from the cell the
// grid spacing predicts, so the search stays short.
static int on_triangle(int i, int j, int tri, float x, float y) {
  float i1, j1, i2, j2, i3, j3;
  convert_ij_cw((float)i, (float)j, tri, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j], 1, 1);
  const int ii[3] = {(int)i1, (int)i2, (int)i3}, jj[3] = {(int)j1, (int)j2, (int)j3};
  for (int e = 0; e < 3; e++) {
    int a = e, b = (e + 1) % 3;
    if (!inside_cw_reg(planex[ii[a]][jj[a]], planey[ii[a]][jj[a]], planex[ii[b]][jj[b]], planey[ii[b]][jj[b]], x, y,
                       0.01f))
      return 0;
  }
  return 1;
}

// The mesh's outline point k, walked round the edge: south, east, north, west.
static void outline(int k, float* x, float* y) {
  int i, j;
  if (k < GRID_I - 1) i = k, j = 0;
  else if ((k -= GRID_I - 1) < GRID_J - 1) i = GRID_I - 1, j = k;
  else if ((k -= GRID_J - 1) < GRID_I - 1) i = GRID_I - 1 - k, j = GRID_J - 1;
  else k -= GRID_I - 1, i = 0, j = GRID_J - 1 - k;
  *x = planex[i][j];
  *y = planey[i][j];
}

// Whether the point lies inside the mesh's outline (its cells narrow toward
// the pole degree by degree, so the outline is no rectangle): a crossing count.
static int on_mesh(float x, float y) {
  if (!std::isfinite(x) || !std::isfinite(y)) return 0;
  const int n = 2 * (GRID_I - 1) + 2 * (GRID_J - 1);
  int inside = 0;
  float x0, y0, x1, y1;
  outline(n - 1, &x0, &y0);
  for (int k = 0; k < n; k++, x0 = x1, y0 = y1) {
    outline(k, &x1, &y1);
    if ((y1 > y) != (y0 > y) && x < x0 + (y - y0) * (x1 - x0) / (y1 - y0)) inside = !inside;
  }
  return inside;
}

// The first guess is a few cells from the answer anywhere on the mesh. A point
// the nearest rings do not hold and that lies off the mesh is not searched for
// further: no triangle holds it, and every contact point of every half-step
// would search the whole grid for nothing.
enum { NEAR_RINGS = 3 };

void find_local_h(float x, float y, float* h, int* i, int* j, int* t) {
  float dx = planex[58][0] - planex[0][0], dy = planey[0][78] - planey[0][0];
  int i0 = dx != 0 && std::isfinite(x) ? (int)fltlim(58.0f * (x - planex[0][0]) / dx, 0, GRID_I - 2) : 0;
  int j0 = dy != 0 && std::isfinite(y) ? (int)fltlim(78.0f * (y - planey[0][0]) / dy, 0, GRID_J - 2) : 0;
  int fi = i0, fj = j0, ft = 0;
  int searching = std::isfinite(x) && std::isfinite(y);
  // The rings start from the cell the guess's own row predicts: the columns
  // narrow from row to row, the rows do not.
  float rx = planex[58][j0] - planex[0][j0];
  int is = rx != 0 && searching ? (int)fltlim(58.0f * (x - planex[0][j0]) / rx, 0, GRID_I - 2) : i0;
  for (int ring = 0; ring < GRID_I && searching; ring++) {
    if (ring == NEAR_RINGS && !on_mesh(x, y)) break;
    int found = 0;
    for (int a = intmax2(is - ring, 0); a <= intmin2(is + ring, GRID_I - 2); a++)
      for (int b = intmax2(j0 - ring, 0); b <= intmin2(j0 + ring, GRID_J - 2); b++) {
        if (a != is - ring && a != is + ring && b != j0 - ring && b != j0 + ring) continue;
        for (int tri = 0; tri < 2; tri++)
          if (on_triangle(a, b, tri, x, y)) {
            fi = a;
            fj = b;
            ft = tri;
            found = 1;
          }
      }
    if (found) break;
  }
  int i1, j1, i2, j2, i3, j3;
  convert_ij_dxy(fi, fj, ft, &i1, &j1, &i2, &j2, &i3, &j3, planediv[fi][fj]);
  float x1 = planex[i1][j1], y1 = planey[i1][j1], z1 = planez[i1][j1];
  float x2 = planex[i2][j2], y2 = planey[i2][j2], z2 = planez[i2][j2];
  float x3 = planex[i3][j3], y3 = planey[i3][j3], z3 = planez[i3][j3];
  float det = (x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1);
  if (std::fabs(det) < 1e-6f) {
    *h = z1;
  } else {
    float a = ((x - x1) * (y3 - y1) - (x3 - x1) * (y - y1)) / det;
    float b = ((x2 - x1) * (y - y1) - (x - x1) * (y2 - y1)) / det;
    *h = z1 + a * (z2 - z1) + b * (z3 - z1);
    if (!std::isfinite(*h)) *h = z1;  // a position that is not a number
  }
  *i = fi;
  *j = fj;
  *t = ft;
}

// Friction coefficients by the runway's state: dry, wet, icy; colder is slicker.
static float condition_factor() {
  int warm = atm.temp_SL > 32;
  if (atm.rway_fric_code == 2) return warm ? 0.8f : 0.4f;
  if (atm.rway_fric_code == 3) return warm ? 0.4f : 0.2f;
  return 1;
}

// The yaw the pilot asks for: pedals when fitted, else the stick's roll.
static float yaw_input() { return set.eq_ped ? set.YK_hdng : set.YK_roll; }

int handle_contact_point(int kind, float xarm, float yarm, float zarm) {
  if (kind < 0 || kind > 6) return 0;
  float cf = condition_factor();
  float brake_k = 0.9f * cf, slide_k = cf;

  float spring, damper;
  if (kind == 0) { spring = pln.ngearcon; damper = pln.ngeardmp; }
  else if (kind <= 2) { spring = pln.mgearcon; damper = pln.mgeardmp; }
  else { spring = pln.skidcon; damper = pln.skiddmp; }

  float xg = (float)flt.x + yarm * flt.cospsi - xarm * flt.sinpsi;
  float yg = (float)flt.y - xarm * flt.cospsi - yarm * flt.sinpsi;
  // A boat's deck moves under the wheels.
  float ue = 0, un = 0;
  if (env.over_boat && !env.over_carr) {
    ue = 10 * phi_dot_now();
    un = 10 * the_dot_now();
  }
  float ve = (float)flt.vx - ue, vn = (float)flt.vy - un;
  float hg = wrap360(std::atan2(ve, vn) * con.radtodeg);
  float beta_g = wrap180(flt.psi - hg);
  float vg = std::sqrt(ve * ve + vn * vn);

  if (env.over_carr) {
    z_use[kind] = env.carrz;
  } else if (env.over_obs) {
    z_use[kind] = env.obsz;
  } else if (env.over_boat) {
    float th = env.boat_the, ph = env.boat_phi;
    z_use[kind] = env.boat_cgz + 10 * std::cos(th) * std::cos(ph) + std::tan(th) * (yg - env.boat_cgy) -
                  std::tan(ph) * (xg - env.boat_cgx);
  } else {
    int ci, cj, ct;
    find_local_h(xg, yg, &z_use[kind], &ci, &cj, &ct);
  }

  float d = (z_use[kind] - flt.h) + (xarm * flt.sinthe + yarm * flt.sinphi - zarm * flt.costhe * flt.cosphi);
  float w = flt.vu - xarm * flt.Qrad - yarm * flt.Prad;
  float fn = dampedforce(d, -w, spring, damper);
  if (fn < 0) fn = 0;

  float f = fltlim(vg, 0, 1);
  if (std::fabs(beta_g) > 90) f = -f;  // rolling backwards

  int tricycle = pln.ngearx < pln.mgearx;
  float fa;
  if (kind == 0) {
    fa = fn * 0.04f * f;
  } else if (kind <= 2) {
    float b = set.parkbrake;
    if (set.eq_toebrakes) b += set.toe_brake[kind == 1 ? 0 : 1];
    else if (!pln.nwsteerEQ) b += (kind == 1 ? -0.5f : 0.5f) * yaw_input();  // steering by the brakes
    b = fltlim(b, 0, 1);
    fa = interp(0, 0.04f, 1, brake_k, b) * fn * f;
  } else {
    fa = fn * cf * f;
  }

  float k = kind <= 2 ? brake_k : slide_k;
  float fs = k * fn * fltlim(std::sin(beta_g * con.degtorad) * vg + flt.Rrad * xarm, -1, 1);
  if (kind == 0 && tricycle && !pln.nwsteerEQ) fs = 0;  // a free nose wheel casters
  if ((kind == 1 || kind == 2) && !tricycle) fs *= 0.5f;
  if (kind <= 2) flt.gearf[kind] = fn;

  if (kind == 0 && fn > 1) {
    if (pln.nwsteerEQ) {
      float rat = set.joy_rat_hdng != 0 ? set.joy_rat_hdng : 1;
      float s = fltlim(yaw_input() / rat, -1, 1);
      float gd = fltlim(interp(0.5f, 1, 1, 5, std::fabs(s)), 1, 5);
      float gv = fltlim(interp(0, 5, 20, 1, flt.v), 1, 5);
      float base = pln.mgearx - pln.ngearx;
      if (std::fabs(base) > 0.01f) {
        flt.R = flt.v * flt.cosBeta * gd * gv * s * pln.nwsteer / base;
        flt.Rrad = flt.R * con.degtorad;
      }
    } else if (flt.v < 1) {
      flt.R = flt.Rrad = 0;
    }
  }
  if ((kind == 3 || kind == 4) && fn > 1) {  // skids stop the yaw
    flt.R = -flt.Rdot * msc.prd;
    flt.Rrad = flt.R * con.degtorad;
  }

  addFagear(-fa, yarm, zarm);
  addFsgear(fs, xarm, zarm);
  addFngear(fn, xarm, yarm);
  if (fn > 0) {
    flt.onsurface = 1;
    return 1;
  }
  return 0;
}

void handle_float_point(int part, int s, int r, float xos, float yos, float zos) {
  if (part < 12 || part >= PARTS) return;
  int ns = f_body_s_dim(part), nr = BODY_POINTS;
  s = intlim(s, 0, ns - 1);
  r = intlim(r, 0, nr - 1);
  float px = pln.body_x[part][s][r] + xos, py = pln.body_y[part][s][r] + yos, pz = pln.body_z[part][s][r] + zos;
  float hp = flt.h + pz * flt.costhe * flt.cosphi - px * flt.sinthe - py * flt.sinphi;
  float w = flt.vu - px * flt.Qrad - py * flt.Prad;
  float u = flt.vaxial - py * flt.Rrad;
  float depth = env.localh - hp;
  if (depth < 0) return;

  int s0 = intlim(s - 1, 0, ns - 1), s1 = intlim(s + 1, 0, ns - 1);
  int r0 = intlim(r - 1, 0, nr - 1), r1 = intlim(r + 1, 0, nr - 1);
  float dx = (pln.body_x[part][s1][r] - pln.body_x[part][s0][r]) * 0.5f;
  float dz = (pln.body_z[part][s1][r] - pln.body_z[part][s0][r]) * 0.5f;
  float dy = (pln.body_y[part][s][r0] - pln.body_y[part][s][r1]) * 0.5f;
  float dxf = dz * flt.sinthe + dx * flt.costhe;
  float dzf = dz * flt.costhe - dx * flt.sinthe;
  float area = std::fabs(dx * dy);
  float vol = depth * area;
  float slope = dxf != 0 ? dzf / dxf : 0;
  if (slope > 1) slope = 0;

  float rw = con.rho_h20, g = atm.g > 0 ? atm.g : con.g;
  float buoy = vol * rw * g;
  float heave = -std::fabs(w) * w * area * rw;
  float plane = -std::fabs(u) * u * slope * std::fabs(dy * dzf) * rw;
  float plane_drag = dxf != 0 ? plane * dzf / dxf : 0;
  float skin = -0.00165f * area * u * std::fabs(u) * rw;
  addFngear(buoy, px, py);
  addFngear(heave, px, py);
  addFngear(plane, px, py);
  addFagear(plane_drag, py, pz);
  addFagear(skin, py, pz);
  flt.onsurface = 1;
}
