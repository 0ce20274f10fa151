// The height under a point, by a search of the terrain triangles, and the ships.
#include "sim/world/terrain.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "sim/world/grid.h"

// The terrain triangle under a point, searched in rings out from the cell the
// grid spacing predicts, so the search stays short.
static int on_triangle(int i, int j, int tri, float x, float y) {
  float i1, j1, i2, j2, i3, j3;
  convert_ij_cw((float)i, (float)j, tri, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j], 1, 1);
  const int ii[3] = {flt_to_int(i1), flt_to_int(i2), flt_to_int(i3)}, jj[3] = {flt_to_int(j1), flt_to_int(j2), flt_to_int(j3)};
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
  int i0 = dx != 0 && std::isfinite(x) ? flt_to_int(fltlim(58.0f * (x - planex[0][0]) / dx, 0, GRID_I - 2)) : 0;
  int j0 = dy != 0 && std::isfinite(y) ? flt_to_int(fltlim(78.0f * (y - planey[0][0]) / dy, 0, GRID_J - 2)) : 0;
  int fi = i0, fj = j0, ft = 0;
  int searching = std::isfinite(x) && std::isfinite(y);
  // The rings start from the cell the guess's own row predicts: the columns
  // narrow from row to row, the rows do not.
  float rx = planex[58][j0] - planex[0][j0];
  int is = rx != 0 && searching ? flt_to_int(fltlim(58.0f * (x - planex[0][j0]) / rx, 0, GRID_I - 2)) : i0;
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

float terrain_height(float x, float y) {
  float h;
  int i, j, t;
  find_local_h(x, y, &h, &i, &j, &t);
  return h;
}

int region_has_ship(int carrier) {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++)
      if (carrier ? carr_on_poly[i][j] : boat_on_poly[i][j]) return 1;
  return 0;
}

void ship_position(int i, int j, float* x, float* y, float* z) {
  i = intlim(i, 0, GRID_I - 2);
  j = intlim(j, 0, GRID_J - 2);
  *x = 0.25f * (planex[i][j] + planex[i + 1][j] + planex[i][j + 1] + planex[i + 1][j + 1]);
  *y = 0.25f * (planey[i][j] + planey[i + 1][j] + planey[i][j + 1] + planey[i + 1][j + 1]);
  *z = 0.25f * (planez[i][j] + planez[i + 1][j] + planez[i][j + 1] + planez[i + 1][j + 1]);
}

int nearest_ship(int carrier, double x0, double y0, double* x, double* y, float* z) {
  double best = 1e300;
  int found = 0;
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      if (!(carrier ? carr_on_poly[i][j] : boat_on_poly[i][j])) continue;
      float cx, cy, cz;
      ship_position(i, j, &cx, &cy, &cz);
      double d = (cx - x0) * (cx - x0) + (cy - y0) * (cy - y0);
      if (d < best) {
        best = d;
        *x = cx;
        *y = cy;
        *z = cz;
        found = 1;
      }
    }
  return found;
}
