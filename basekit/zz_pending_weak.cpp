// Weak stand-ins for library functions whose real definitions are on their
// way from other branches; removed when those land.
#define W __attribute__((weak))
#include "basekit/bk_file.h"
#include "basekit/bk_const.h"
#include "basekit/bk_graph.h"
#include "basekit/platform/platform.h"
#include "basekit/bk_mnw.h"
#include <cstdio>
W void init_graph_tables() {}
W void set_xsys_colors() {}
W void MACIBM_apply_palette() {
  for (int i = 11; i < 246; i++) plat_set_palette_entry(i, (uint8_t)i, (uint8_t)(255 - i), 128);
}
W void MACIBM_initgworld(int, int, int) {}
W void MACIBM_fillrect(int color, int x, int y, int w, int h) {
  extern drawcontext* active_dc;
  if (!active_dc) return;
  for (int yy = y; yy <= y + h; yy++) for (int xx = x; xx <= x + w; xx++)
    if (xx >= 0 && yy >= 0 && xx < active_dc->dx && yy < active_dc->dy) active_dc->pix[yy * active_dc->row + xx] = (uint8_t)color;
}
