// The 256-entry palette: the program's 235 entries (11..245), the fixed
// interface colours and start-up ramps, and the time-of-day adjustment hook.
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/platform.h"

palentry pe[235];

void change_colors_for_time(int index, float* r, float* g, float* b) {
  if (hok.change_colors_for_time) hok.change_colors_for_time(index, r, g, b);
}

static uint8_t to_byte(float v) {
  if (!(v > 0.0f)) return 0;  // NaN too
  float s = v * 255.0f + 0.5f;
  return s >= 255.0f ? 255 : (uint8_t)s;
}

void MACIBM_assigncolor(int index, float r, float g, float b) {
  if (index < 11 || index > 245) return;
  change_colors_for_time(index, &r, &g, &b);
  pe[index - 11] = palentry{to_byte(r), to_byte(g), to_byte(b)};
}

void set_xsys_colors() {
  struct fixedcolor { int index; float r, g, b; };
  static const fixedcolor fixed[] = {
      {11, 0, 0, 0},
      {12, 0.2f, 0.8f, 0.2f},
      {13, 0, 0.6667f, 0},
      {14, 0, 0.3333f, 0},
      {15, 0, 0.2667f, 0},
      {16, 0, 0.1333f, 0},
      {17, 1, 1, 0},
      {18, 1, 0, 0},
      {19, 0.9333f, 0, 0},
      {20, 0.7333f, 0, 0},
      {21, 0.5333f, 0, 0},
      {34, 0.047f, 0.0633f, 0.035f},
      {35, 0.2667f, 0, 0},
      {36, 1, 0.2f, 0.2f},
      {37, 1, 1, 0.6f},
      {38, 0.8f, 0.8f, 0},
      {39, 0.11f, 0.22f, 0.55f},
      {40, 0.08f, 0.16f, 0.4f},
      {41, 0.66f, 0.44f, 0.22f},
      {42, 0.48f, 0.32f, 0.16f},
      {43, 0.2f, 0.6f, 0.8f},
      {44, 0.4f, 0.4f, 0.8f},
      {45, 0, 0, 0.4f},
      {46, 0.2f, 0.2f, 0.4f},
      {47, 0.2f, 0.4f, 0.8f},
      {48, 1, 0.8f, 0.2f},
      {49, 0.2f, 0.2f, 0.6f},
      {50, 0.2f, 0.2f, 0.8f},
      {51, 0.4f, 0.2f, 0.8f},
      {52, 0, 0, 0.3333f},
      {53, 0.4f, 1, 0.6f},
      {54, 1, 0.85f, 0},
      {55, 1, 1, 1},
      {56, 0.7f, 0.7f, 0.7f},
      {57, 0.2f, 0.8f, 0.2f},
      {58, 0.1f, 0.4f, 0.1f},
      {59, 1, 1, 0.6f},
      {60, 1, 0.4f, 0},
      {61, 0.4f, 0.4f, 1},
  };
  for (const fixedcolor& c : fixed) MACIBM_assigncolor(c.index, c.r, c.g, c.b);
  // 22-33: the grey ramp.
  static const float grey[12] = {0.0667f, 0.1333f, 0.2f, 0.2667f, 0.3333f, 0.4f,
                                 0.4667f, 0.5333f, 0.6f, 0.7333f, 0.8667f, 1};
  for (int i = 0; i < 12; i++) MACIBM_assigncolor(22 + i, grey[i], grey[i], grey[i]);
}

void set_startup_colors() {
  MACIBM_assigncolor(56, 0, 0, 0);
  MACIBM_assigncolor(57, 1, 1, 1);
  MACIBM_assigncolor(58, 1, 1, 1);
  // 59-88: muted purple-greys, dark to light.
  for (int i = 0; i < 30; i++) {
    float f = i / 29.0f;
    MACIBM_assigncolor(59 + i, 0.24f + 0.56f * f, 0.21f + 0.47f * f, 0.37f + 0.39f * f);
  }
  // 228-245: dark blue-greys, dark to light.
  for (int i = 0; i < 18; i++) {
    float f = i / 17.0f;
    MACIBM_assigncolor(228 + i, 0.03f + 0.20f * f, 0.04f + 0.16f * f, 0.10f + 0.26f * f);
  }
}

void restore_sys_palette() {}

// Only the program's entries: 0-10 and 246-255 are the desktop's own colours.
void MACIBM_apply_palette() {
  for (int i = 0; i < 235; i++) plat_set_palette_entry(11 + i, pe[i].r, pe[i].g, pe[i].b);
}

void init_palette() {
  init_graph_tables();
  set_xsys_colors();
  set_startup_colors();
  MACIBM_apply_palette();
}
