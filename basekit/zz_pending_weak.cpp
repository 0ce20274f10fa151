// Weak stand-ins for library functions whose real definitions are on their
// way from other branches; removed when those land.
#define W __attribute__((weak))
#include "basekit/bk_file.h"
#include "basekit/bk_const.h"
#include "basekit/bk_graph.h"
#include "basekit/platform/platform.h"
#include "basekit/bk_mnw.h"
#include <cstdio>
W char app_path[STR_DIM];
W char prefs_path[STR_DIM];
W constantstruct con;
W void init_constants() {}
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
W float fltrand(float lo, float hi) { return lo + (hi - lo) * plat_rand() / 32767.0f; }
W int intlim(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }
W float fltlim(float v, float lo, float hi) { return v < lo ? lo : v > hi ? hi : v; }
W float interp(float x1, float y1, float x2, float y2, float x) { return y1 + (x - x1) * (y2 - y1) / (x2 - x1); }
namespace bk { W int round(float x) { return x >= 0 ? (int)(x + 0.5f) : (int)(x - 0.5f); } }
W void C_to_C(const char* s, char* d) { snprintf(d, STR_DIM, "%s", s); }
W void sec_to_hrs_min(float s, int* h, int* m) { int t = (int)s; *h = t / 3600; *m = t / 60 - 60 * *h; }
