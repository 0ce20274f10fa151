// The scene part of the palette: sky and cloud colours, ten haze levels of
// the eighteen ground shades, the overcast seen from above, the chart colours.
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/atm.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"

float r_csky, g_csky, b_csky, r_ctop, g_ctop, b_ctop, r_cbot, g_cbot, b_cbot;
float r_ocen, g_ocen, b_ocen, r_levl, g_levl, b_levl, r_hill, g_hill, b_hill;
float rgb_lit, rgb_med, rgb_drk;

void build_pal(float r, float g, float b, float L) {
  if (atm.cld_type == 1) L *= 0.8f;
  float k = atm.cld_type ? 0.6f : 1.0f;
  r_csky = r * 1.2f, g_csky = g * 1.2f, b_csky = b * 1.2f;
  r_ctop = g_ctop = b_ctop = L * 0.7f;
  r_cbot = g_cbot = b_cbot = L * 0.4f;
  r_ocen = L * 0.05f, g_ocen = L * 0.1f, b_ocen = L * 0.2f;
  if (atm.temp_SL <= 32) {  // snow
    r_levl = g_levl = b_levl = fltlim(L * 1.1f, 0, 1);
    r_hill = L * 0.3f, g_hill = L * 0.6f, b_hill = L * 0.2f;
  } else {
    r_levl = L * k * 0.4f, g_levl = L * k * 0.8f, b_levl = L * k * 0.3f;
    r_hill = L * k * 0.52f, g_hill = L * k * 0.45f, b_hill = L * k * 0.07f;
  }
  float f[3] = {0.6f, 0.4f, 0.16f};
  if (atm.cld_type) f[0] = 0.3f, f[1] = 0.2f, f[2] = 0.08f;
  rgb_lit = L * f[0], rgb_med = L * f[1], rgb_drk = L * f[2];
}

// Shade k (0..17) before haze.
static void base_shade(int k, float* r, float* g, float* b) {
  if (k <= 9) {
    float f = 0.6f - 0.5f * k / 9;
    *r = r_levl * f, *g = g_levl * f, *b = b_levl * f;
  } else if (k <= 13) {
    float f = 0.6f - 0.5f * (k - 9) / 4;
    *r = r_hill * f, *g = g_hill * f, *b = b_hill * f;
  } else if (k == 14) {
    *r = r_ocen, *g = g_ocen, *b = b_ocen;
  } else {
    float v = k == 15 ? rgb_lit : (k == 16 ? rgb_med : rgb_drk);
    *r = *g = *b = v;
  }
}

void set_palette_for_conditions(int map_mode) {
  int time = intlim(scn.time, 1, 4);
  scn.starmax = time == 2 ? 999 : 1999;
  scn.draw_lights = time >= 2;
  set_xsys_colors();
  static const float base[4][4] = {
      {0.3f, 0.5f, 1.0f, 1.2f}, {0.12f, 0.2f, 0.35f, 0.6f}, {0.06f, 0.1f, 0.2f, 0.3f}, {0.02f, 0.04f, 0.08f, 0.2f}};
  build_pal(base[time - 1][0], base[time - 1][1], base[time - 1][2], base[time - 1][3]);
  MACIBM_assigncolor(64, r_ctop, g_ctop, b_ctop);
  MACIBM_assigncolor(63, r_cbot, g_cbot, b_cbot);
  MACIBM_assigncolor(62, r_csky, g_csky, b_csky);
  int mode = map_mode ? 4 : (atm.cld_type == 1 && scn.abovetops ? 3 : 2);
  if (mode == 2) {
    float fr = r_csky, fg = g_csky, fb = b_csky;
    if (atm.cld_type) fr = r_cbot, fg = g_cbot, fb = b_cbot;
    for (int h = 0; h < 10; h++)
      for (int k = 0; k < 18; k++) {
        float r, g, b;
        base_shade(k, &r, &g, &b);
        // h = -1 would be the shade itself, h = 10 the fog.
        float t = (h + 1) / 11.0f;
        MACIBM_assigncolor(65 + 18 * h + k, r + t * (fr - r), g + t * (fg - g), b + t * (fb - b));
      }
  } else if (mode == 3) {
    for (int c = 65; c <= 245; c++) {
      float f = 1.0f + (c - 65) / 180.0f;
      MACIBM_assigncolor(c, r_ctop * f, g_ctop * f, b_ctop * f);
    }
  } else {
    MACIBM_assigncolor(65, 0, 0.15f, 0.3f);
    for (int c = 66; c <= 155; c++) {
      float f = 1.0f - 0.5f * (c - 66) / 89.0f;
      MACIBM_assigncolor(c, 0.2f * f, 0.6f * f, 0.15f * f);
    }
    for (int c = 156; c <= 245; c++) {
      float f = 1.0f - 0.5f * (c - 156) / 89.0f;
      MACIBM_assigncolor(c, 0.4f * f, 0.35f * f, 0.05f * f);
    }
  }
  MACIBM_apply_palette();
  // The replay draws into its own window; the main one is repainted when it closes.
  if (!map_mode && mnw.up[MAIN_WINDOW] && set.view_type != VIEW_REPLAY) MACIBM_invalwind(MAIN_WINDOW);
}
