// The quadrant's grid: map coordinates, the imported height field, the
// drift of the grid towards changing ground, diagonals, flat regions and
// water, smoothing and the terrain drag.
#include <cmath>
#include "basekit/bk_funct.h"
#include "editor/ed.h"

// ---- map geometry: the quadrant's degree spans 618 x 540 pixels at zoom 1 ----

static const int MAP_X0 = 172, MAP_Y0 = 550;
static const float PX_LON = 618, PX_LAT = 540;

int ret_x(float lon) { return MAP_X0 + bk::round((lon - msc.map_os_lon - msc.map_lonfile) * msc.map_zoom * PX_LON); }
int ret_y(float lat) { return MAP_Y0 + bk::round((lat - msc.map_os_lat - msc.map_latfile) * msc.map_zoom * -PX_LAT); }
float ret_lon(int x) { return (x - MAP_X0) / (msc.map_zoom * PX_LON) + msc.map_os_lon + msc.map_lonfile; }
float ret_lat(int y) { return (y - MAP_Y0) / (msc.map_zoom * -PX_LAT) + msc.map_os_lat + msc.map_latfile; }

static void limit_view() {
  msc.map_zoom = fltlim(msc.map_zoom, 1, 20);
  if (msc.map_zoom <= 1) msc.map_os_lat = msc.map_os_lon = 0;
  msc.map_os_lat = fltlim(msc.map_os_lat, -0.9f, 0.9f);
  msc.map_os_lon = fltlim(msc.map_os_lon, -0.9f, 0.9f);
}

void zoom_map(float factor) {
  // Offsets move by the same step either way, so the centre stays put.
  float step = (factor > 1 ? 0.09f : -0.09f) / msc.map_zoom;
  msc.map_zoom *= factor;
  msc.map_os_lat += step;
  msc.map_os_lon += step;
  if (msc.map_zoom < 1) msc.map_zoom = 1, msc.map_os_lat = msc.map_os_lon = 0;
  limit_view();
}

void pan_map(float dlat, float dlon) {
  msc.map_os_lat += dlat / msc.map_zoom;
  msc.map_os_lon += dlon / msc.map_zoom;
  limit_view();
}

// ---- triangles ----

void tri_points(int i, int j, int tri, int* ii, int* jj) {
  static const int d[2][2][3][2] = {
      {{{0, 0}, {1, 0}, {0, 1}}, {{1, 1}, {0, 1}, {1, 0}}},
      {{{0, 1}, {1, 1}, {0, 0}}, {{1, 0}, {0, 0}, {1, 1}}}};
  int div = planediv[i][j] ? 1 : 0;
  for (int k = 0; k < 3; k++) {
    ii[k] = i + d[div][tri][k][0];
    jj[k] = j + d[div][tri][k][1];
  }
}

static int in_cells(int i, int j) { return i >= 0 && i < CELLS_I && j >= 0 && j < CELLS_J; }

// Cells outside the grid are dry.
int cell_has_water(int i, int j) { return in_cells(i, j) && (on_water[i][j][0] || on_water[i][j][1]); }

// ---- the imported height field ----

// Where the height kept in thinned cell q was measured, in cells from the
// corner: the thinning keeps the last of the ten samples rounding to q, four
// samples past q's own place, and the edge sample in the last cell.
static float raw_pos(int q) { return q < RAW_N - 1 ? q + 0.4f : (float)(RAW_N - 1); }

// The cell of the measured places that holds f, and the fraction across it;
// beyond the first or last place the outer cell's slope goes on.
static void raw_cell(float f, int* q, float* u) {
  *q = intlim(flt_to_int(std::floor(f - 0.4f)), 0, RAW_N - 2);
  *u = fltlim((f - raw_pos(*q)) / (raw_pos(*q + 1) - raw_pos(*q)), -1, 2);
}

float findz(float lon, float lat) {
  int i, j;
  float u, v;
  raw_cell((lon - msc.map_lonfile) * i_in_size, &i, &u);
  raw_cell((lat - msc.map_latfile) * j_in_size, &j, &v);
  float s = int_rawz[i][j] + u * (int_rawz[i + 1][j] - int_rawz[i][j]);
  float n = int_rawz[i][j + 1] + u * (int_rawz[i + 1][j + 1] - int_rawz[i][j + 1]);
  return s + v * (n - s);
}

// Towards the side where the height changes more.
float move_grid(float d1, float d2, float h1, float h2) {
  float m = fltmax2((h1 + h2) / 2, 1);
  return 0.2f * (d2 - d1) / 2 + 0.7f * ((d2 * h2 - d1 * h1) / 2) / m;
}

float space_grid(float a, float b, float c, float f) { return f * (a + c) / 2 + (1 - f) * b; }

int water_check(int i, int j, int tri) {
  int ii[3], jj[3];
  tri_points(i, j, tri, ii, jj);
  float z[3];
  for (int k = 0; k < 3; k++) z[k] = planez[ii[k]][jj[k]];
  float mean = (z[0] + z[1] + z[2]) / 3;
  for (int k = 0; k < 3; k++) {
    if (std::fabs(z[k] - mean) > 1.01f) return 0;
    if (msc.map_latfile < 28 && std::fabs(z[k]) > 1.5f) return 0;
  }
  return 1;
}

int regional_water_check(int i, int j, int tri) {
  static const int side[5][2] = {{0, 0}, {-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& s : side) {
    int a = i + s[0], b = j + s[1];
    if (in_cells(a, b) && !water_check(a, b, tri)) return 0;
  }
  return 1;
}

static void find_regions() {
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++)
      for (int t = 0; t < 2; t++) int_regwet[i][j][t] = regional_water_check(i, j, t);
}

// The neighbours' heights are taken along the axis of the move, level with
// the point: taken at the neighbours' own places, a slope across the axis
// would push the point too, and on steep even ground the grid folds up.
static void drift_point(int i, int j) {
  float& lo = planelon[i][j];
  float& la = planelat[i][j];
  float z = findz(lo, la);
  float zw = findz(planelon[i - 1][j], la), ze = findz(planelon[i + 1][j], la);
  lo += move_grid(lo - planelon[i - 1][j], planelon[i + 1][j] - lo, std::fabs(z - zw), std::fabs(ze - z));
  z = findz(lo, la);
  float zs = findz(lo, planelat[i][j - 1]), zn = findz(lo, planelat[i][j + 1]);
  la += move_grid(la - planelat[i][j - 1], planelat[i][j + 1] - la, std::fabs(z - zs), std::fabs(zn - z));
  lo = 0.3f * (planelon[i - 1][j] + planelon[i + 1][j]) + 0.4f * lo;
  la = 0.3f * (planelat[i][j - 1] + planelat[i][j + 1]) + 0.4f * la;
  lo = space_grid(planelon[i - 1][j], lo, planelon[i + 1][j], 0.1f);
  la = space_grid(planelat[i][j - 1], la, planelat[i][j + 1], 0.1f);
}

// A cell whose corners still run round it anticlockwise with some room:
// then either diagonal gives two proper triangles.
static int cell_convex(int i, int j) {
  if (i < 0 || j < 0 || i >= CELLS_I || j >= CELLS_J) return 1;
  const int ci[4] = {i, i + 1, i + 1, i}, cj[4] = {j, j, j + 1, j + 1};
  // Degrees of longitude shrunk to the cell's shape, so that the margin means the same both ways.
  const float kx = 59, ky = 79;
  for (int k = 0; k < 4; k++) {
    int a = k, b = (k + 1) % 4, c = (k + 2) % 4;
    float ux = (planelon[ci[b]][cj[b]] - planelon[ci[a]][cj[a]]) * kx, uy = (planelat[ci[b]][cj[b]] - planelat[ci[a]][cj[a]]) * ky;
    float vx = (planelon[ci[c]][cj[c]] - planelon[ci[b]][cj[b]]) * kx, vy = (planelat[ci[c]][cj[c]] - planelat[ci[b]][cj[b]]) * ky;
    if (ux * vy - uy * vx < 0.1f) return 0;
  }
  return 1;
}

static int cells_around_convex(int i, int j) {
  return cell_convex(i - 1, j - 1) && cell_convex(i, j - 1) && cell_convex(i - 1, j) && cell_convex(i, j);
}

// The drift may pull a point across its neighbours on rough ground; a move
// that would fold a cell is shortened until it does not.
static void drift_point_safely(int i, int j) {
  float lo0 = planelon[i][j], la0 = planelat[i][j];
  drift_point(i, j);
  float dlo = planelon[i][j] - lo0, dla = planelat[i][j] - la0;
  for (int k = 0; k < 6 && !cells_around_convex(i, j); k++) {
    dlo *= 0.5f;
    dla *= 0.5f;
    planelon[i][j] = lo0 + dlo;
    planelat[i][j] = la0 + dla;
  }
  if (!cells_around_convex(i, j)) planelon[i][j] = lo0, planelat[i][j] = la0;
}

void set_grid_water_diags() {
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) {
      planelat[i][j] = msc.map_latfile + j / 79.0f;
      planelon[i][j] = msc.map_lonfile + i / 59.0f;
    }
  for (int round = 0; round < 41; round++)
    for (int i = 1; i < QI - 1; i++)
      for (int j = 1; j < QJ - 1; j++) drift_point_safely(i, j);
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) planez[i][j] = findz(planelon[i][j], planelat[i][j]);
  // The diagonal joins the corners whose heights differ less.
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) {
      int d1 = std::abs(bk::round(planez[i][j]) - bk::round(planez[i + 1][j + 1]));
      int d2 = std::abs(bk::round(planez[i][j + 1]) - bk::round(planez[i + 1][j]));
      planediv[i][j] = d1 < d2 ? 1 : d2 < d1 ? 0 : intrand(0, 1);
    }
  find_regions();
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++)
      for (int t = 0; t < 2; t++) {
        if (!int_regwet[i][j][t]) continue;
        int ii[3], jj[3];
        tri_points(i, j, t, ii, jj);
        float sum = 0;
        int zero = 0;
        for (int k = 0; k < 3; k++) {
          sum += planez[ii[k]][jj[k]];
          zero |= planez[ii[k]][jj[k]] == 0;
        }
        float level = zero ? 0 : sum / 3;
        for (int k = 0; k < 3; k++) planez[ii[k]][jj[k]] = level;
      }
  find_regions();
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++) on_water[i][j][0] = on_water[i][j][1] = 0;
  for (int i = 0; i < CELLS_I; i++)
    for (int j = 0; j < CELLS_J; j++)
      for (int t = 0; t < 2; t++) {
        if (!int_regwet[i][j][t]) continue;
        for (int a = i - 1; a <= i + 1; a++)
          for (int b = j - 1; b <= j + 1; b++)
            if (in_cells(a, b) && water_check(a, b, t)) on_water[a][b][t] = 1;
      }
}

// ---- smoothing ----

void smooth_terrain() {
  for (int j = 0; j < QJ; j++)
    for (int i = 0; i < QI; i++) {
      // Every cell the point is a corner of: a point of a lake or the sea keeps its level.
      if (cell_has_water(i, j) || cell_has_water(i - 1, j) || cell_has_water(i, j - 1) ||
          cell_has_water(i - 1, j - 1))
        continue;
      float sum = planez[intmax2(i - 1, 0)][j] + planez[intmin2(i + 1, QI - 1)][j] + planez[i][intmax2(j - 1, 0)] +
                  planez[i][intmin2(j + 1, QJ - 1)];
      planez[i][j] = 0.9f * planez[i][j] + 0.025f * sum;
    }
}

// ---- the terrain drag: the selected point follows the mouse inside its ring ----

void interp_points(int mx, int my) {
  int i = msc.map_ic_elev, j = msc.map_jc_elev;
  if (i < 1 || i > QI - 2 || j < 1 || j > QJ - 2) return;
  float lon = ret_lon(mx), lat = ret_lat(my);
  // Keep a tenth of each neighbour gap so that no cell folds over.
  float w = planelon[i - 1][j], e = planelon[i + 1][j], s = planelat[i][j - 1], n = planelat[i][j + 1];
  planelon[i][j] = fltlim(lon, w + 0.1f * (e - w), e - 0.1f * (e - w));
  planelat[i][j] = fltlim(lat, s + 0.1f * (n - s), n - 0.1f * (n - s));
}
