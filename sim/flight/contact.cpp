// Ground and water contact. Each contact point is a spring and damper acting
// straight up, with rolling, braking and sliding friction; each wet hull
// point gives buoyancy, heave damping, planing and skin friction.
//
// The ground is flat for now, at the elevation of the airport the flight
// started from (sea level without one): enough to stand, roll and land on.
// Ships, roofs and nose-wheel steering come with the terrain.
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

void find_local_h(float x, float y, float* h, int* i, int* j, int* t) {
  float dx = planex[58][0] - planex[0][0], dy = planey[0][78] - planey[0][0];
  int i0 = dx != 0 ? (int)fltlim(58.0f * (x - planex[0][0]) / dx, 0, GRID_I - 2) : 0;
  int j0 = dy != 0 ? (int)fltlim(78.0f * (y - planey[0][0]) / dy, 0, GRID_J - 2) : 0;
  int fi = i0, fj = j0, ft = 0;
  // Off the region no triangle holds the point: the first guess stands.
  float xlo = fltmin2(planex[0][0], planex[0][GRID_J - 1]), xhi = fltmax2(planex[GRID_I - 1][0], planex[GRID_I - 1][GRID_J - 1]);
  float ylo = fltmin2(planey[0][0], planey[GRID_I - 1][0]), yhi = fltmax2(planey[0][GRID_J - 1], planey[GRID_I - 1][GRID_J - 1]);
  int off = !(x >= xlo && x <= xhi && y >= ylo && y <= yhi);
  for (int ring = 0; ring < GRID_I && !off; ring++) {
    int found = 0;
    for (int a = intmax2(i0 - ring, 0); a <= intmin2(i0 + ring, GRID_I - 2); a++)
      for (int b = intmax2(j0 - ring, 0); b <= intmin2(j0 + ring, GRID_J - 2); b++) {
        if (a != i0 - ring && a != i0 + ring && b != j0 - ring && b != j0 + ring) continue;
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
  }
  *i = fi;
  *j = fj;
  *t = ft;
}

int handle_contact_point(int kind, float xarm, float yarm, float zarm) {
  if (kind < 0 || kind > 6) return 0;
  float cf = 1;  // runway condition comes with the weather
  float brake_k = 0.9f * cf, slide_k = cf;

  float spring, damper;
  if (kind == 0) { spring = pln.ngearcon; damper = pln.ngeardmp; }
  else if (kind <= 2) { spring = pln.mgearcon; damper = pln.mgeardmp; }
  else { spring = pln.skidcon; damper = pln.skiddmp; }

  float xg = (float)flt.x + yarm * flt.cospsi - xarm * flt.sinpsi;
  float yg = (float)flt.y - xarm * flt.cospsi - yarm * flt.sinpsi;
  float ue = 0, un = 0;
  float ve = (float)flt.vx - ue, vn = (float)flt.vy - un;
  float hg = wrap360(std::atan2(ve, vn) * con.radtodeg);
  float beta_g = wrap180(flt.psi - hg);
  float vg = std::sqrt(ve * ve + vn * vn);

  int ci, cj, ct;
  find_local_h(xg, yg, &z_use[kind], &ci, &cj, &ct);

  float d = (z_use[kind] - flt.h) + (xarm * flt.sinthe + yarm * flt.sinphi - zarm * flt.costhe * flt.cosphi);
  float w = flt.vu - xarm * flt.Qrad - yarm * flt.Prad;
  float fn = dampedforce(d, -w, spring, damper);
  if (fn < 0) fn = 0;

  float f = fltlim(vg, 0, 1);
  if (std::fabs(beta_g) > 90) f = -f;  // rolling backwards

  float fa;
  if (kind == 0) fa = fn * 0.04f * f;
  else if (kind <= 2) {
    float b = fltlim(set.parkbrake, 0, 1);
    fa = interp(0, 0.04f, 1, brake_k, b) * fn * f;
  } else fa = fn * cf * f;

  float k = kind <= 2 ? brake_k : slide_k;
  float fs = k * fn * fltlim(std::sin(beta_g * con.degtorad) * vg + flt.Rrad * xarm, -1, 1);
  int tricycle = pln.ngearx < pln.mgearx;
  if (kind == 0 && tricycle && !pln.nwsteerEQ) fs = 0;  // a free nose wheel casters
  if ((kind == 1 || kind == 2) && !tricycle) fs *= 0.5f;
  if (kind <= 2) flt.gearf[kind] = fn;

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
