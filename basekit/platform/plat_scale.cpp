// Where the 800 x 600 picture goes in a window of any size, and back from a
// window pixel to the virtual-screen pixel it shows. No SDL here, so that the
// sums can be checked without a display.
#include <cstring>
#include <vector>
#include "basekit/platform/platform.h"

plat_rect plat_picture_rect(int w, int h, int whole_only) {
  plat_rect r{0, 0, PLAT_SCREEN_W, PLAT_SCREEN_H};
  if (w <= 0 || h <= 0) return r;
  int k = w / PLAT_SCREEN_W < h / PLAT_SCREEN_H ? w / PLAT_SCREEN_W : h / PLAT_SCREEN_H;
  if (whole_only && k >= 1) {
    r.w = PLAT_SCREEN_W * k;
    r.h = PLAT_SCREEN_H * k;
  } else if ((long)w * PLAT_SCREEN_H >= (long)h * PLAT_SCREEN_W) {
    // Wider than 4:3: the height decides, borders left and right.
    r.h = h;
    r.w = (int)(((long)h * PLAT_SCREEN_W + PLAT_SCREEN_H / 2) / PLAT_SCREEN_H);
    if (r.w > w) r.w = w;
  } else {
    r.w = w;
    r.h = (int)(((long)w * PLAT_SCREEN_H + PLAT_SCREEN_W / 2) / PLAT_SCREEN_W);
    if (r.h > h) r.h = h;
  }
  if (r.w < 1) r.w = 1;
  if (r.h < 1) r.h = 1;
  r.x = (w - r.w) / 2;
  r.y = (h - r.h) / 2;
  return r;
}

int plat_whole_factor(const plat_rect& pic) {
  int kx = pic.w / PLAT_SCREEN_W, ky = pic.h / PLAT_SCREEN_H;
  int k = kx < ky ? kx : ky;
  return k < 1 ? 1 : k;
}

// The virtual pixel under the centre of window pixel d along an axis the
// picture spans with `span` window pixels for `n` virtual ones. When the
// picture is scaled down a window pixel's centre can fall exactly on the
// edge between two virtual pixels: it then goes to the one nearer the
// picture's own edge, so that the corners of the picture are the corners of
// the screen.
static int axis_to_screen(int d, int span, int n) {
  if (d < 0) return 0;
  if (d >= span) return n - 1;
  long num = (2L * d + 1) * n, den = 2L * span;
  int v = (int)(num / den);
  if (num % den == 0 && v > 0 && 2 * v <= n) v--;
  return v < 0 ? 0 : v >= n ? n - 1 : v;
}

void plat_window_to_screen(const plat_rect& pic, int wx, int wy, int* sx, int* sy) {
  *sx = axis_to_screen(wx - pic.x, pic.w, PLAT_SCREEN_W);
  *sy = axis_to_screen(wy - pic.y, pic.h, PLAT_SCREEN_H);
}

void plat_first_window_size(int usable_w, int usable_h, int* w, int* h) {
  // Whole steps of 4 x 3 so that the shape is exact.
  int steps = usable_w / 4 < usable_h / 3 ? usable_w / 4 : usable_h / 3;
  if (steps < PLAT_SCREEN_W / 8) steps = PLAT_SCREEN_W / 8;  // never below the smallest window
  *w = steps * 4;
  *h = steps * 3;
}

// ---- the picture drawn by the processor ----
// Each picture pixel is the average of the virtual pixels under it (a box
// filter): inside one virtual pixel it is that pixel, sharp; only along the
// edges between them does it blend. At whole factors it is nearest-neighbour
// exactly; scaled down it averages.

namespace {
enum { MAX_TAPS = 8 };  // enough down to an eighth of the screen's size

struct axis_taps {
  int n = 0;                     // picture pixels along the axis
  int two = 1;                   // no pixel lies over more than two virtual ones
  std::vector<int> first;        // the first virtual pixel under each
  std::vector<uint8_t> count;    // how many
  std::vector<uint16_t> weight;  // MAX_TAPS per picture pixel, summing to 256
  std::vector<uint16_t> second;  // the weight of the second, 0 when there is none
};

void make_taps(axis_taps* t, int n, int src) {
  if (t->n == n) return;
  t->n = n;
  t->two = 1;
  t->first.assign((size_t)n, 0);
  t->count.assign((size_t)n, 1);
  t->weight.assign((size_t)n * MAX_TAPS, 0);
  t->second.assign((size_t)n, 0);
  for (int x = 0; x < n; x++) {
    // The pixel spans [x*src, (x+1)*src) in units of 1/n virtual pixel.
    long a = (long)x * src, b = (long)(x + 1) * src;
    int t0 = (int)(a / n), t1 = (int)((b - 1) / n);
    if (t1 - t0 + 1 > MAX_TAPS) t1 = t0 + MAX_TAPS - 1;
    int sum = 0, big = 0;
    uint16_t* w = &t->weight[(size_t)x * MAX_TAPS];
    for (int k = t0; k <= t1; k++) {
      long lo = a > (long)k * n ? a : (long)k * n, hi = b < (long)(k + 1) * n ? b : (long)(k + 1) * n;
      w[k - t0] = (uint16_t)((hi - lo) * 256 / (b - a));
      sum += w[k - t0];
      if (w[k - t0] > w[big]) big = k - t0;
    }
    w[big] = (uint16_t)(w[big] + 256 - sum);  // the rounding goes to the largest share
    if (t1 > t0 && w[0] == 256) t1 = t0;      // a sliver too thin to count
    t->first[(size_t)x] = t0;
    t->count[(size_t)x] = (uint8_t)(t1 - t0 + 1);
    t->second[(size_t)x] = t1 > t0 ? w[1] : 0;
    if (t1 - t0 > 1) t->two = 0;
  }
}

// c scaled by w/256, red and blue in one multiply, green in another.
inline uint32_t part(uint32_t c, uint32_t w) {
  return ((((c & 0xFF00FFu) * w) >> 8) & 0xFF00FFu) | ((((c & 0x00FF00u) * w) >> 8) & 0x00FF00u);
}

inline uint32_t mix(uint32_t a, uint32_t b, uint32_t w) { return part(a, 256 - w) + part(b, w); }
}  // namespace

void plat_scale_screen(const uint8_t* screen, const uint32_t* palette, uint32_t* out, int pitch_bytes, int w, int h,
                       const uint8_t* row_changed) {
  static axis_taps across, down;
  enum { RING = MAX_TAPS * 2 };
  static std::vector<uint32_t> rows;  // a ring of virtual rows scaled across
  int row_of[RING];
  if (w <= 0 || h <= 0) return;
  make_taps(&across, w, PLAT_SCREEN_W);
  make_taps(&down, h, PLAT_SCREEN_H);
  rows.resize((size_t)w * RING);
  for (int& r : row_of) r = -1;
  const int* first = across.first.data();
  const uint16_t* second = across.second.data();
  auto scaled_row = [&](int j) -> const uint32_t* {
    uint32_t* r = &rows[(size_t)(j % RING) * w];
    if (row_of[j % RING] == j) return r;
    row_of[j % RING] = j;
    const uint8_t* s = screen + (size_t)j * PLAT_SCREEN_W;
    if (across.two) {
      for (int x = 0; x < w; x++) {
        const uint8_t* p = s + first[x];
        r[x] = second[x] ? mix(palette[p[0]], palette[p[1]], second[x]) | 0xFF000000u : palette[p[0]] | 0xFF000000u;
      }
      return r;
    }
    for (int x = 0; x < w; x++) {
      const uint8_t* p = s + first[x];
      const uint16_t* wt = &across.weight[(size_t)x * MAX_TAPS];
      uint32_t c = 0;
      for (int k = 0; k < across.count[(size_t)x]; k++) c += part(palette[p[k]], wt[k]);
      r[x] = c | 0xFF000000u;
    }
    return r;
  };
  for (int y = 0; y < h; y++) {
    uint32_t* o = (uint32_t*)((uint8_t*)out + (size_t)y * pitch_bytes);
    int j = down.first[(size_t)y], n = down.count[(size_t)y];
    if (row_changed) {
      int changed = 0;
      for (int k = 0; k < n; k++) changed |= row_changed[j + k];
      if (!changed) continue;  // the picture there is as it was
    }
    const uint32_t* a = scaled_row(j);
    if (n == 1) {
      std::memcpy(o, a, (size_t)w * 4);
    } else if (n == 2) {
      const uint32_t* b = scaled_row(j + 1);
      uint32_t wb = down.second[(size_t)y], wa = 256 - wb;
      for (int x = 0; x < w; x++) o[x] = (part(a[x], wa) + part(b[x], wb)) | 0xFF000000u;
    } else {
      const uint16_t* wt = &down.weight[(size_t)y * MAX_TAPS];
      const uint32_t* src[MAX_TAPS];
      for (int k = 0; k < n; k++) src[k] = scaled_row(j + k);
      for (int x = 0; x < w; x++) {
        uint32_t c = 0;
        for (int k = 0; k < n; k++) c += part(src[k][x], wt[k]);
        o[x] = c | 0xFF000000u;
      }
    }
  }
}
