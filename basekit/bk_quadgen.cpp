// A quadrant built from the global models where no environment file exists.
//
// Heights: the 5-minute nodes, bilinear, plus detail finer than 5 minutes
// scaled by the roughness of the nodes around: three octaves of bumps that
// each average to nothing over their own square (so every 5-minute mean, and
// with it the large shape of the ground, stays where the data puts it), and
// on each node that stands above all its neighbours a summit rising three
// times as far as the node stands above their mean, within half a node
// spacing: a cone about as wide as a node spacing averages to a third of its
// height, so a 5-minute model shaves mountains by thousands of feet (Mount
// Rainier's node is 2217 m, 570 m above its neighbours, under a 4392 m summit).
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_world.h"

namespace {

enum { QI = ENV_PTS_I, QJ = ENV_PTS_J, CI = QI - 1, CJ = QJ - 1 };
enum { NODES_PER_DEG = 12, PATCH = 2 * NODES_PER_DEG };   // the nodes around a quadrant, with a margin

const float KM_PER_DEG = 111.12f;

uint32_t mix(uint32_t h) {
  h ^= h >> 16;
  h *= 0x7feb352dU;
  h ^= h >> 15;
  h *= 0x846ca68bU;
  h ^= h >> 16;
  return h;
}

// A number in -1..1 fixed by a place on a lattice, an octave and the seed.
float lattice_rand(int ix, int iy, int octave, unsigned seed) {
  uint32_t h = mix((uint32_t)ix * 0x9E3779B1U ^ mix((uint32_t)iy * 0x85EBCA77U ^ mix((uint32_t)octave + seed * 0xC2B2AE3DU)));
  return (float)(h & 0xFFFFFF) / (float)0x7FFFFF - 1.0f;
}

// The nodes around the quadrant: heights, roughness and summit lift.
struct nodepatch {
  int i0, j0;   // global node of patch [0][0]
  float z[PATCH][PATCH], rough[PATCH][PATCH], lift[PATCH][PATCH];
};

float node_height(int gi, int gj) {
  // The node's own place: the bilinear lookup lands on it exactly.
  return wld_height(gj / (float)NODES_PER_DEG - 90.0f, gi / (float)NODES_PER_DEG - 180.0f);
}

void fill_patch(int lat, int lon, nodepatch* p) {
  p->i0 = (lon + 180) * NODES_PER_DEG - 6;
  p->j0 = (lat + 90) * NODES_PER_DEG - 6;
  for (int a = 0; a < PATCH; a++)
    for (int b = 0; b < PATCH; b++) p->z[a][b] = node_height(p->i0 + a, p->j0 + b);
  for (int a = 0; a < PATCH; a++)
    for (int b = 0; b < PATCH; b++) {
      p->rough[a][b] = p->lift[a][b] = 0;
      if (a == 0 || b == 0 || a == PATCH - 1 || b == PATCH - 1) continue;
      float sum = 0, sq = 0, top = -1e9f;
      for (int da = -1; da <= 1; da++)
        for (int db = -1; db <= 1; db++) {
          float z = p->z[a + da][b + db];
          sum += z;
          sq += z * z;
          if (da || db) top = std::fmax(top, z);
        }
      float mean = sum / 9;
      p->rough[a][b] = std::sqrt(std::fmax(sq / 9 - mean * mean, 0.0f));
      float around = (sum - p->z[a][b]) / 8, rise = p->z[a][b] - around;
      if (p->z[a][b] > top && rise > 150 && p->z[a][b] > 300) p->lift[a][b] = std::fmin(3 * rise, 3000.0f);
    }
}

float patch_value(const float (*f)[PATCH], float u, float v) {
  int a = flt_to_int(std::floor(u)), b = flt_to_int(std::floor(v));
  if (a < 0) a = 0;
  if (b < 0) b = 0;
  if (a > PATCH - 2) a = PATCH - 2;
  if (b > PATCH - 2) b = PATCH - 2;
  float fu = u - a, fv = v - b;
  float s = f[a][b] + fu * (f[a + 1][b] - f[a][b]), n = f[a][b + 1] + fu * (f[a + 1][b + 1] - f[a][b + 1]);
  return s + fv * (n - s);
}

float point_height(const nodepatch& p, float lat, float lon, unsigned seed) {
  float u = (lon + 180.0f) * NODES_PER_DEG - p.i0, v = (lat + 90.0f) * NODES_PER_DEG - p.j0;
  float z = patch_value(p.z, u, v);
  float rough = patch_value(p.rough, u, v);
  if (rough > 5) {
    // Bumps of 2.5, 1.25 and 0.6 minutes, each square's own sign and size.
    float amp = std::fmin(0.35f * rough, 350.0f), d = 0;
    for (int o = 1; o <= 3; o++) {
      float n = (float)(1 << o), su = u * n, sv = v * n;
      float fu = su - std::floor(su), fv = sv - std::floor(sv);
      int gi = flt_to_int(std::floor(su)) + p.i0 * (1 << o), gj = flt_to_int(std::floor(sv)) + p.j0 * (1 << o);
      d += amp * lattice_rand(gi, gj, o, seed) * std::sin(6.2831853f * fu) * std::sin(6.2831853f * fv);
      amp *= 0.5f;
    }
    z += d;
  }
  // A summit on the node nearest, if that node is one.
  int a = flt_to_int(std::lround(u)), b = flt_to_int(std::lround(v));
  if (a > 0 && b > 0 && a < PATCH - 1 && b < PATCH - 1 && p.lift[a][b] > 0) {
    float r2 = ((u - a) * (u - a) + (v - b) * (v - b)) / 0.25f;
    if (r2 < 1) z += p.lift[a][b] * (1 - r2) * (1 - r2);
  }
  return z;
}

// Runways: the ground within 0.8 km of a centre line is at the airport's
// elevation, blending back to the terrain over the next 2.5 km.
float runway_distance_km(const wldrunway& r, float lat, float lon) {
  float c = std::cos(r.lat * 0.017453293f);
  float px = (lon - r.lon) * c * KM_PER_DEG, py = (lat - r.lat) * KM_PER_DEG;
  float h = r.hdng * 0.017453293f, half = 0.0005f * r.len;
  float sx = std::sin(h), sy = std::cos(h);
  float t = px * sx + py * sy;
  t = std::fmax(-half, std::fmin(half, t));
  return std::hypot(px - t * sx, py - t * sy);
}

// The runway's box as the simulator flattens it: along the heading
// +-length/2, across from -0.5 to +4.5 widths to the right.
void runway_box(const wldrunway& r, float* la1, float* la2, float* lo1, float* lo2) {
  float h = r.hdng * 0.017453293f, sh = std::sin(h), ch = std::cos(h);
  float c = std::cos(r.lat * 0.017453293f);
  *la1 = *lo1 = 1e9f;
  *la2 = *lo2 = -1e9f;
  for (int s = -1; s <= 1; s += 2)
    for (int k = 0; k < 2; k++) {
      float w = k ? 4.5f * r.width : -0.5f * r.width;
      float x = s * 0.5f * r.len * sh + w * ch, y = s * 0.5f * r.len * ch - w * sh;  // metres east, north
      float la = r.lat + y / (KM_PER_DEG * 1000), lo = r.lon + x / (KM_PER_DEG * 1000 * c);
      *la1 = std::fmin(*la1, la);
      *la2 = std::fmax(*la2, la);
      *lo1 = std::fmin(*lo1, lo);
      *lo2 = std::fmax(*lo2, lo);
    }
}

void tri_points(int div, int tri, int* di, int* dj) {
  static const int d[2][2][3][2] = {{{{0, 0}, {1, 0}, {0, 1}}, {{1, 1}, {0, 1}, {1, 0}}},
                                    {{{0, 1}, {1, 1}, {0, 0}}, {{1, 0}, {0, 0}, {1, 1}}}};
  for (int k = 0; k < 3; k++) {
    di[k] = d[div][tri][k][0];
    dj[k] = d[div][tri][k][1];
  }
}

// Places inside a triangle where the mask is asked: the majority decides.
const float SAMPLE[5][2] = {{1 / 3.f, 1 / 3.f}, {1 / 6.f, 1 / 6.f}, {2 / 3.f, 1 / 6.f}, {1 / 6.f, 2 / 3.f}, {0.4f, 0.4f}};

struct scratch {
  int kind[CI][CJ][2];       // WLD_* of each triangle
  int field[CI][CJ];         // the cell lies under a runway's box
  int label[CI][CJ][2];
  int stack[CI * CJ * 2][3];
  float level[CI * CJ * 2];
};

}  // namespace

int build_quadrant(int lat, int lon, const wldrunway* rwy, int nrwy, unsigned seed, envquad* q) {
  if (!wld_available()) return 0;
  static nodepatch p;
  static scratch s;
  fill_patch(lat, lon, &p);
  // The runways that reach into this quadrant.
  int near[WLD_RUNWAYS_MAX], nnear = 0;
  for (int r = 0; r < nrwy && nnear < WLD_RUNWAYS_MAX; r++)
    if (rwy[r].len > 0 && rwy[r].lat > lat - 0.1f && rwy[r].lat < lat + 1.1f && rwy[r].lon > lon - 0.15f &&
        rwy[r].lon < lon + 1.15f)
      near[nnear++] = r;
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) {
      float la = lat + j / 79.0f, lo = lon + i / 59.0f;
      q->lat[i][j] = la;
      q->lon[i][j] = lo;
      float z = point_height(p, la, lo, seed);
      for (int k = 0; k < nnear; k++) {
        const wldrunway& r = rwy[near[k]];
        float d = runway_distance_km(r, la, lo);
        if (d >= 3.3f) continue;
        float t = std::fmax(0.0f, std::fmin(1.0f, (d - 0.8f) / 2.5f));
        t = t * t * (3 - 2 * t);
        z = r.elev + (z - r.elev) * t;
      }
      q->z[i][j] = z;
      q->div[i][j] = 0;
      q->water[i][j][0] = q->water[i][j][1] = 0;
    }
  // Cells under a runway's box, as the simulator's loader finds them.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++) s.field[i][j] = -1;
  for (int k = 0; k < nnear; k++) {
    float la1, la2, lo1, lo2;
    runway_box(rwy[near[k]], &la1, &la2, &lo1, &lo2);
    for (int i = 0; i < CI; i++)
      for (int j = 0; j < CJ; j++)
        if (q->lon[i + 1][j] >= lo1 && q->lon[i][j] <= lo2 && q->lat[i][j + 1] >= la1 && q->lat[i][j] <= la2)
          s.field[i][j] = near[k];
  }
  // Water by the mask; airport ground stays dry. The diagonal is chosen
  // afterwards, so the mask is asked of both halves of the cell's square.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++)
      for (int t = 0; t < 2; t++) {
        int votes[3] = {0, 0, 0};
        for (const auto& sp : SAMPLE) {
          float a = t ? 1 - sp[0] : sp[0], b = t ? 1 - sp[1] : sp[1];
          votes[wld_surface(lat + (j + b) / 79.0f, lon + (i + a) / 59.0f)]++;
        }
        int wet = votes[WLD_OCEAN] + votes[WLD_LAKE];
        s.kind[i][j][t] = s.field[i][j] >= 0 || wet * 2 < 5 ? WLD_LAND
                          : votes[WLD_LAKE] > votes[WLD_OCEAN] ? WLD_LAKE : WLD_OCEAN;
      }
  // Triangle t of every cell uses the regular split while the water is set:
  // the lower-left half is triangle 0 for diagonal 0.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++)
      for (int t = 0; t < 2; t++) q->water[i][j][t] = s.kind[i][j][t] != WLD_LAND;
  // Each lake level: the median height of its triangles' centres, so that a
  // lake lies flat across the cells it spans.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++) s.label[i][j][0] = s.label[i][j][1] = -1;
  int lakes = 0;
  static float heights[CI * CJ * 2];
  for (int i0 = 0; i0 < CI; i0++)
    for (int j0 = 0; j0 < CJ; j0++)
      for (int t0 = 0; t0 < 2; t0++) {
        if (s.kind[i0][j0][t0] != WLD_LAKE || s.label[i0][j0][t0] >= 0) continue;
        int top = 0, n = 0;
        s.stack[top][0] = i0, s.stack[top][1] = j0, s.stack[top][2] = t0;
        top++;
        s.label[i0][j0][t0] = lakes;
        while (top > 0) {
          top--;
          int i = s.stack[top][0], j = s.stack[top][1], t = s.stack[top][2];
          int di[3], dj[3];
          tri_points(0, t, di, dj);
          heights[n++] = (q->z[i + di[0]][j + dj[0]] + q->z[i + di[1]][j + dj[1]] + q->z[i + di[2]][j + dj[2]]) / 3;
          // Neighbours across the three edges (regular split): the other half
          // of the cell, and one cell to the west/south (t 0) or east/north (t 1).
          int nb[3][3] = {{i, j, 1 - t}, {t ? i + 1 : i - 1, j, 1 - t}, {i, t ? j + 1 : j - 1, 1 - t}};
          for (auto& c : nb) {
            if (c[0] < 0 || c[1] < 0 || c[0] >= CI || c[1] >= CJ) continue;
            if (s.kind[c[0]][c[1]][c[2]] != WLD_LAKE || s.label[c[0]][c[1]][c[2]] >= 0) continue;
            s.label[c[0]][c[1]][c[2]] = lakes;
            s.stack[top][0] = c[0], s.stack[top][1] = c[1], s.stack[top][2] = c[2];
            top++;
          }
        }
        // Median by partial selection.
        int mid = n / 2;
        for (int a = 0; a <= mid; a++) {
          int best = a;
          for (int b = a + 1; b < n; b++)
            if (heights[b] < heights[best]) best = b;
          float tmp = heights[a];
          heights[a] = heights[best];
          heights[best] = tmp;
        }
        s.level[lakes++] = heights[mid];
      }
  // Water lies level: sea at 0, each lake at its level; then runway ground flat.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++)
      for (int t = 0; t < 2; t++) {
        if (s.kind[i][j][t] == WLD_LAND) continue;
        float level = s.kind[i][j][t] == WLD_OCEAN ? 0.0f : s.level[s.label[i][j][t]];
        int di[3], dj[3];
        tri_points(0, t, di, dj);
        for (int k = 0; k < 3; k++) q->z[i + di[k]][j + dj[k]] = level;
      }
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++)
      if (s.field[i][j] >= 0) {
        float e = rwy[s.field[i][j]].elev;
        q->z[i][j] = q->z[i + 1][j] = q->z[i][j + 1] = q->z[i + 1][j + 1] = e;
      }
  // Diagonals by the editor's rule, ties by the seed. A cell whose water
  // differs between its halves keeps the split the water was set with.
  for (int i = 0; i < CI; i++)
    for (int j = 0; j < CJ; j++) {
      if (q->water[i][j][0] != q->water[i][j][1]) continue;
      int d1 = std::abs(flt_to_int(std::lround(q->z[i][j])) - flt_to_int(std::lround(q->z[i + 1][j + 1])));
      int d2 = std::abs(flt_to_int(std::lround(q->z[i][j + 1])) - flt_to_int(std::lround(q->z[i + 1][j])));
      q->div[i][j] = d1 < d2 ? 1 : d2 < d1 ? 0 : (int)(mix((uint32_t)(i * 131 + j) ^ mix(seed + (uint32_t)(lat * 977 + lon))) & 1);
    }
  return 1;
}

int write_built_quadrant(const envquad* q, const char* path) {
  if (!ouf_open(path, FTYPE_ANY_BINARY, ENV_VERSION)) return 0;
  for (int j = 0; j < QJ; j++)
    for (int i = 0; i < QI; i++) {
      int flags = i < CI && j < CJ ? env_point_flags(q->div[i][j], q->water[i][j][0], q->water[i][j][1], 0) : 0;
      env_dump_point(q->lat[i][j], q->lon[i][j], q->z[i][j], flags);
    }
  env_dump_end(nullptr);
  return ouf_close();
}
