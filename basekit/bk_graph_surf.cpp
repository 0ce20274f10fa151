// Off-screen surfaces (gworlds): plain 8-bit buffers, the lock that makes one
// the drawing target, and the copy into the current window.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_graph_internal.h"
#include "basekit/bk_mnw.h"

uint8_t* pix = nullptr;
int row = 0;
int locked = 0;
int gw_inuse[GWORLDS];
int lock_dx = 0, lock_dy = 0, lock_w = -1;
int surf3_x1, surf3_y1, surf3_dx, surf3_dy, surf3_blit_the_black;

// A surface keeps its buffer after disposal, so that surface 3, made and
// disposed for every small item, allocates only the first time.
static uint8_t* gw_buf[GWORLDS];
static size_t gw_cap[GWORLDS];
static int gw_dx[GWORLDS], gw_dy[GWORLDS], gw_row[GWORLDS];

enum { GWORLD_MAX_SIDE = 4096 };

static void check_index(int w) {
  if (w < 0 || w >= GWORLDS) MACIBM_numberexitalert("Gworld index out of range!", w);
}

void graph_range_fault(const char* fn, const char* fmt, ...) {
  char values[STR_DIM], size[STR_DIM];
  va_list ap;
  va_start(ap, fmt);
  std::vsnprintf(values, sizeof values, fmt, ap);
  va_end(ap);
  std::snprintf(size, sizeof size, "target %d x %d", lock_dx, lock_dy);
  MACIBM_exitalert("Drawing outside the locked surface!", fn, values, size);
}

int window_target(rastertarget* t) {
  if (!active_dc || !active_dc->pix) return 0;
  *t = rastertarget{active_dc->pix, active_dc->row, active_dc->dx, active_dc->dy};
  return 1;
}

void MACIBM_initgworld(int w, int dx, int dy) {
  check_index(w);
  if (gw_inuse[w]) MACIBM_numberexitalert("Trying to init a gworld that is already in use!", w);
  if (dx <= 0 || dy <= 0 || dx > GWORLD_MAX_SIDE || dy > GWORLD_MAX_SIDE)
    MACIBM_numberexitalert("Can't create surface", w);
  // Rows start on 4-byte boundaries so that the span fill's word stores line up.
  int r = (dx + 3) & ~3;
  size_t need = (size_t)r * (size_t)dy;
  if (need > gw_cap[w]) {
    std::free(gw_buf[w]);
    gw_buf[w] = (uint8_t*)std::malloc(need);
    gw_cap[w] = gw_buf[w] ? need : 0;
    if (!gw_buf[w]) MACIBM_numberexitalert("Can't create surface", w);
  }
  std::memset(gw_buf[w], 0, need);
  gw_dx[w] = dx;
  gw_dy[w] = dy;
  gw_row[w] = r;
  gw_inuse[w] = 1;
}

void MACIBM_settogworld(int w, int dx, int dy, int color) {
  check_index(w);
  if (!gw_inuse[w]) MACIBM_numberexitalert("Trying to set to a gworld that is not in use!", w);
  if (dx > gw_dx[w]) dx = gw_dx[w];
  if (dy > gw_dy[w]) dy = gw_dy[w];
  for (int y = 0; y < dy && dx > 0; y++) std::memset(gw_buf[w] + (size_t)y * gw_row[w], (uint8_t)color, (size_t)dx);
  pix = gw_buf[w];
  row = gw_row[w];
  lock_dx = gw_dx[w];
  lock_dy = gw_dy[w];
  lock_w = w;
  locked = 1;
}

void MACIBM_copytoport(int w, int x, int y, int left, int top, int right, int bottom, int blit_the_black) {
  check_index(w);
  if (!gw_inuse[w]) MACIBM_numberexitalert("Trying to copy from a gworld that is not in use!", w);
  locked = 0;
  lock_w = -1;
  rastertarget t;
  if (!window_target(&t)) return;
  // The source rectangle stays inside the surface.
  if (left < 0) left = 0;
  if (top < 0) top = 0;
  if (right > gw_dx[w]) right = gw_dx[w];
  if (bottom > gw_dy[w]) bottom = gw_dy[w];
  int tx = x + left, ty = y + top;
  // Then the target inside the window, on all four edges.
  if (tx < 0) { left -= tx; tx = 0; }
  if (ty < 0) { top -= ty; ty = 0; }
  if (tx + (right - left) > t.dx) right = left + (t.dx - tx);
  if (ty + (bottom - top) > t.dy) bottom = top + (t.dy - ty);
  if (right <= left || bottom <= top) return;
  int n = right - left;
  for (int sy = top; sy < bottom; sy++) {
    const uint8_t* s = gw_buf[w] + (size_t)sy * gw_row[w] + left;
    uint8_t* d = t.pix + (size_t)(ty + sy - top) * t.row + tx;
    if (blit_the_black) {
      std::memcpy(d, s, (size_t)n);
    } else {
      for (int i = 0; i < n; i++)
        if (s[i] != 11) d[i] = s[i];
    }
  }
}

void MACIBM_disposegworld(int w) {
  check_index(w);
  if (!gw_inuse[w]) return;
  gw_inuse[w] = 0;
  if (lock_w == w) {
    locked = 0;
    lock_w = -1;
  }
}

void MACIBM_startsurf3(int x1, int y1, int dx, int dy, int color, int* x, int* y, int blit_the_black) {
  surf3_x1 = x1;
  surf3_y1 = y1;
  surf3_dx = dx;
  surf3_dy = dy;
  surf3_blit_the_black = blit_the_black;
  if (x) *x -= x1;
  if (y) *y -= y1;
  MACIBM_initgworld(2, dx, dy);
  MACIBM_settogworld(2, dx, dy, color);
}

void MACIBM_finishsurf3() {
  MACIBM_copytoport(2, surf3_x1, surf3_y1, 0, 0, surf3_dx, surf3_dy, surf3_blit_the_black);
  MACIBM_disposegworld(2);
}

uint8_t* gworld_pixels(int w, int* row_bytes, int* dx, int* dy) {
  if (w < 0 || w >= GWORLDS || !gw_inuse[w]) return nullptr;
  if (row_bytes) *row_bytes = gw_row[w];
  if (dx) *dx = gw_dx[w];
  if (dy) *dy = gw_dy[w];
  return gw_buf[w];
}
