// Shared between the rasteriser's own files; not for callers.
#pragma once
#include "basekit/bk_graph.h"

// Where a primitive writes: the locked surface or the current window.
struct rastertarget {
  uint8_t* pix;
  int row, dx, dy;
};

extern int lock_dx, lock_dy;  // size of the locked surface, for the range checks
extern int lock_w;            // index of the locked gworld, -1 for none (or a bitmap)

// The locked surface as a target.
inline rastertarget locked_target() { return rastertarget{pix, row, lock_dx, lock_dy}; }
// The current window as a target; 0 when there is none.
int window_target(rastertarget* t);

// Stops the program naming the drawing call and its bad values.
[[noreturn]] void graph_range_fault(const char* fn, const char* fmt, ...)
    __attribute__((format(printf, 2, 3)));

#if BK_RANGE_CHECKS_ON
#define BK_CHECK(cond, fn, ...) \
  do { if (!(cond)) graph_range_fault(fn, __VA_ARGS__); } while (0)
#else
#define BK_CHECK(cond, fn, ...) do { } while (0)
#endif

// Window pixel writes and spans, clipped to the target.
void clip_point(const rastertarget& t, int x, int y, uint8_t color);
void clip_hspan(const rastertarget& t, int x_lo, int x_hi, int y, uint8_t color);

// A dx x dy strip cleared to 11 for a small item: in the locked surface, or
// with no lock in surface 3, copied whole into the window by close_strip.
// (*px, *py) is the strip's corner in what is drawn into; returns the flag
// close_strip takes.
int open_strip(int x, int y, int dx, int dy, int* px, int* py);
void close_strip(int through_surf3);
