// Where the 800 x 600 picture goes in a window of any size, and back from a
// window pixel to the virtual-screen pixel it shows. No SDL here, so that the
// sums can be checked without a display.
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
