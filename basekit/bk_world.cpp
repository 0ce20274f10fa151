// The global models: a header, an index of tiles and zlib-compressed tiles,
// read with plain file calls. A tile is read and inflated the first time a
// place inside it is asked for and kept in a small cache, so a flight over
// the globe holds only the few tiles around it.
//
// File layout (little-endian): "TVWM", version 1, kind (1 heights, 2 mask),
// grid columns and rows, cells per degree, tile columns and rows (cells),
// then per tile its offset, compressed length and fill value (a tile of one
// value has length 0), then the tiles. Heights are int16 metres at nodes
// lon = -180 + i / 12, lat = -90 + j / 12; the mask holds two bits a cell
// (0 ocean, 1 land, 2 lake), four cells a byte, cell centres at
// -180 + (i + 0.5) / 60 and -90 + (j + 0.5) / 60. Rows run south to north.
#include "basekit/bk_world.h"
#include <zlib.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>
#include "basekit/bk_file.h"
#include "basekit/platform/platform.h"

namespace {

enum { KIND_HEIGHTS = 1, KIND_MASK = 2, CACHE_TILES = 16 };

struct tileref {
  uint32_t offset, length;
  int32_t fill;
};

struct model {
  model(const char* n, int k) : name(n), kind(k) {}
  const char* name;
  int kind;
  FILE* f = nullptr;
  int tried = 0, ok = 0;
  int cols = 0, rows = 0, per_deg = 0, tw = 0, th = 0, tiles_x = 0, tiles_y = 0;
  std::vector<tileref> index;
  // The cache: tile number and its cells, most recent use.
  int cached[CACHE_TILES] = {};
  long used[CACHE_TILES] = {};
  std::vector<uint8_t> data[CACHE_TILES];
  long clock = 0;
  int last = -1;  // slot of the tile asked for last
};

model heights("heights.tvw", KIND_HEIGHTS);
model mask("water.tvw", KIND_MASK);
char folder[STR_DIM] = "";
char opened_from[STR_DIM] = "";   // the folder the open models came from

void model_folder(char* out) {
  if (folder[0]) std::snprintf(out, STR_DIM, "%s", folder);
  else std::snprintf(out, STR_DIM, "%.*s/world", STR_DIM - 8, app_path);
}

uint32_t le32(const uint8_t* p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24; }

void close_model(model& m) {
  if (m.f) std::fclose(m.f);
  m.f = nullptr;
  m.tried = m.ok = 0;
  m.index.clear();
  for (int k = 0; k < CACHE_TILES; k++) {
    m.cached[k] = -1;
    m.used[k] = 0;
    m.data[k].clear();
    m.data[k].shrink_to_fit();
  }
  m.last = -1;
}

int open_model(model& m) {
  if (m.tried) return m.ok;
  m.tried = 1;
  for (int k = 0; k < CACHE_TILES; k++) m.cached[k] = -1;
  char dir[STR_DIM], path[2 * STR_DIM];
  model_folder(dir);
  std::snprintf(opened_from, STR_DIM, "%s", dir);
  std::snprintf(path, sizeof path, "%s/%s", dir, m.name);
  m.f = plat_fopen_regular(path);  // a pipe or folder there is no model
  if (!m.f) return 0;
  uint8_t h[40];
  if (std::fread(h, 1, 40, m.f) != 40 || std::memcmp(h, "TVWM", 4) != 0 || le32(h + 4) != 1 ||
      (int)le32(h + 8) != m.kind) {
    close_model(m);
    m.tried = 1;
    return 0;
  }
  m.cols = (int)le32(h + 12);
  m.rows = (int)le32(h + 16);
  m.per_deg = (int)le32(h + 20);
  m.tw = (int)le32(h + 24);
  m.th = (int)le32(h + 28);
  int sane = m.per_deg > 0 && m.per_deg <= 240 && m.cols == 360 * m.per_deg && m.rows >= 180 * m.per_deg &&
             m.rows <= 180 * m.per_deg + 1 && m.tw > 0 && m.th > 0 && m.cols % m.tw == 0 && m.tw <= 1200 &&
             m.th <= 1200;
  if (sane) {
    m.tiles_x = m.cols / m.tw;
    m.tiles_y = (m.rows + m.th - 1) / m.th;
    std::vector<uint8_t> raw((size_t)m.tiles_x * m.tiles_y * 12);
    sane = std::fread(raw.data(), 1, raw.size(), m.f) == raw.size();
    m.index.resize((size_t)m.tiles_x * m.tiles_y);
    for (size_t t = 0; sane && t < m.index.size(); t++)
      m.index[t] = tileref{le32(&raw[12 * t]), le32(&raw[12 * t + 4]), (int32_t)le32(&raw[12 * t + 8])};
  }
  if (!sane) {
    close_model(m);
    m.tried = 1;
    return 0;
  }
  m.ok = 1;
  return 1;
}

size_t tile_bytes(const model& m) {
  size_t cells = (size_t)m.tw * m.th;
  return m.kind == KIND_HEIGHTS ? 2 * cells : (cells + 3) / 4;
}

// The cells of tile t, or null for a tile of one value (*fill) or a broken one.
const uint8_t* tile(model& m, int t, int* fill) {
  const tileref& r = m.index[t];
  *fill = r.fill;
  if (r.length == 0) return nullptr;
  if (m.last >= 0 && m.cached[m.last] == t) return m.data[m.last].data();
  int slot = 0;
  for (int k = 0; k < CACHE_TILES; k++) {
    if (m.cached[k] == t) {
      m.used[k] = ++m.clock;
      m.last = k;
      return m.data[k].data();
    }
    if (m.used[k] < m.used[slot]) slot = k;
  }
  std::vector<uint8_t> packed(r.length);
  std::vector<uint8_t>& out = m.data[slot];
  out.assign(tile_bytes(m), 0);
  uLongf n = (uLongf)out.size();
  if (std::fseek(m.f, (long)r.offset, SEEK_SET) != 0 || std::fread(packed.data(), 1, r.length, m.f) != r.length ||
      uncompress(out.data(), &n, packed.data(), r.length) != Z_OK || n != out.size()) {
    // A damaged tile reads as its fill value rather than as garbage.
    m.cached[slot] = -1;
    return nullptr;
  }
  m.cached[slot] = t;
  m.used[slot] = ++m.clock;
  m.last = slot;
  return out.data();
}

// Value at column c (wrapping round the globe) and row r (limited).
int cell(model& m, int c, int r) {
  c %= m.cols;
  if (c < 0) c += m.cols;
  if (r < 0) r = 0;
  if (r >= m.rows) r = m.rows - 1;
  int tx = c / m.tw, ty = r / m.th;
  if (ty >= m.tiles_y) ty = m.tiles_y - 1;
  int fill;
  const uint8_t* p = tile(m, ty * m.tiles_x + tx, &fill);
  if (!p) return fill;
  int k = (r - ty * m.th) * m.tw + (c - tx * m.tw);
  if (m.kind == KIND_HEIGHTS) return (int16_t)(p[2 * k] | p[2 * k + 1] << 8);
  return (p[k >> 2] >> (2 * (k & 3))) & 3;
}

}  // namespace

void wld_set_folder(const char* dir) {
  close_model(heights);
  close_model(mask);
  std::snprintf(folder, sizeof folder, "%s", dir ? dir : "");
}

int wld_available() {
  // The application folder may have moved since the models were opened.
  char dir[STR_DIM];
  model_folder(dir);
  if ((heights.tried || mask.tried) && std::strcmp(dir, opened_from) != 0) {
    close_model(heights);
    close_model(mask);
  }
  return open_model(heights) && open_model(mask);
}

float wld_height(float lat, float lon) {
  if (!open_model(heights)) return 0;
  double u = (lon + 180.0) * heights.per_deg, v = (lat + 90.0) * heights.per_deg;
  int i = flt_to_int(std::floor(u)), j = flt_to_int(std::floor(v));
  float fu = (float)(u - i), fv = (float)(v - j);
  float s = cell(heights, i, j) + fu * (cell(heights, i + 1, j) - cell(heights, i, j));
  float n = cell(heights, i, j + 1) + fu * (cell(heights, i + 1, j + 1) - cell(heights, i, j + 1));
  return s + fv * (n - s);
}

int wld_surface(float lat, float lon) {
  if (!open_model(mask)) return WLD_OCEAN;
  int i = flt_to_int(std::floor((lon + 180.0) * mask.per_deg)), j = flt_to_int(std::floor((lat + 90.0) * mask.per_deg));
  int v = cell(mask, i, j);
  return v <= WLD_LAKE ? v : WLD_LAND;
}

long wld_cache_bytes() {
  long n = 0;
  for (const model* m : {&heights, &mask})
    for (int k = 0; k < CACHE_TILES; k++) n += (long)m->data[k].capacity();
  return n;
}
