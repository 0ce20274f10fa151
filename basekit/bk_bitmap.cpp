// Resource bitmaps: made by code (a generator draws the picture the first
// time it is needed) or read from a picture file; the pixels are kept.
#include <cstdlib>
#include <cstring>
#include "basekit/bk_graph_internal.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"

enum { BITMAPS = 160, BITMAP_MAX_SIDE = 4096 };

struct bitmapentry {
  int ID, dx, dy;
  bitmap_generator generate;
  uint8_t* pixels;  // null until first use
};
static bitmapentry bitmaps[BITMAPS];
static int bitmap_count = 0;

static bitmapentry* find_bitmap(int ID) {
  for (int i = 0; i < bitmap_count; i++)
    if (bitmaps[i].ID == ID) return &bitmaps[i];
  return nullptr;
}

int register_bitmap(int ID, int dx, int dy, bitmap_generator generate) {
  if (!generate || dx <= 0 || dy <= 0 || dx > BITMAP_MAX_SIDE || dy > BITMAP_MAX_SIDE) return 0;
  bitmapentry* b = find_bitmap(ID);
  if (!b) {
    if (bitmap_count >= BITMAPS) return 0;
    b = &bitmaps[bitmap_count++];
  } else {
    std::free(b->pixels);
  }
  *b = bitmapentry{ID, dx, dy, generate, nullptr};
  return 1;
}

int load_bitmap_file(int ID, const char* path) {
  int dx, dy;
  uint8_t* pixels;
  if (!plat_load_png_indices(path, &dx, &dy, &pixels)) return 0;
  bitmapentry* b = find_bitmap(ID);
  if (!b) {
    if (bitmap_count >= BITMAPS) {
      std::free(pixels);
      return 0;
    }
    b = &bitmaps[bitmap_count++];
  } else {
    std::free(b->pixels);
  }
  *b = bitmapentry{ID, dx, dy, nullptr, pixels};
  return 1;
}

// The generator draws with the locked primitives into the bitmap's buffer;
// whatever was locked before is locked again afterwards.
static int generate_bitmap(bitmapentry* b) {
  b->pixels = (uint8_t*)std::malloc((size_t)b->dx * (size_t)b->dy);
  if (!b->pixels) return 0;
  std::memset(b->pixels, 11, (size_t)b->dx * (size_t)b->dy);
  uint8_t* save_pix = pix;
  int save_row = row, save_locked = locked, save_dx = lock_dx, save_dy = lock_dy, save_w = lock_w;
  pix = b->pixels;
  row = b->dx;
  lock_dx = b->dx;
  lock_dy = b->dy;
  lock_w = -1;
  locked = 1;
  b->generate(b->dx, b->dy);
  pix = save_pix;
  row = save_row;
  locked = save_locked;
  lock_dx = save_dx;
  lock_dy = save_dy;
  lock_w = save_w;
  return 1;
}

const uint8_t* bitmap_pixels(int ID, int* dx, int* dy) {
  bitmapentry* b = find_bitmap(ID);
  if (!b) return nullptr;
  if (!b->pixels && (!b->generate || !generate_bitmap(b))) return nullptr;
  if (dx) *dx = b->dx;
  if (dy) *dy = b->dy;
  return b->pixels;
}

void MACIBM_bitmap(int x, int y, int ID) {
  if (locked) return;
  bitmapentry* b = find_bitmap(ID);
  if (!b) MACIBM_numberexitalert("Can't find resource bitmap!", ID);
  if (!b->pixels && (!b->generate || !generate_bitmap(b))) MACIBM_numberexitalert("Can't load resource bitmap!", ID);
  rastertarget t;
  if (!window_target(&t)) return;
  int sx = 0, sy = 0, w = b->dx, h = b->dy;
  if (x < 0) { sx = -x; w += x; x = 0; }
  if (y < 0) { sy = -y; h += y; y = 0; }
  if (x + w > t.dx) w = t.dx - x;
  if (y + h > t.dy) h = t.dy - y;
  if (w <= 0 || h <= 0) return;
  for (int r = 0; r < h; r++)
    std::memcpy(t.pix + (size_t)(y + r) * t.row + x, b->pixels + (size_t)(sy + r) * b->dx + sx, (size_t)w);
}

// ---- device-independent bitmap headers ----

static uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
static int le16(const uint8_t* p) { return p[0] | (p[1] << 8); }

// A core header (12 bytes) has 3-byte colour entries and no used-colour count.
static int dib_is_core(const uint8_t* dib) { return le32(dib) == 12; }

int DIBNumColors(const uint8_t* dib) {
  int bits;
  if (dib_is_core(dib)) {
    bits = le16(dib + 10);
  } else {
    uint32_t used = le32(dib + 32);
    if (used) return used > 256 ? 256 : (int)used;
    bits = le16(dib + 14);
  }
  switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
  }
}

int PaletteSize(const uint8_t* dib) { return DIBNumColors(dib) * (dib_is_core(dib) ? 3 : 4); }

const uint8_t* FindDIBBits(const uint8_t* dib) { return dib + le32(dib) + PaletteSize(dib); }
