#include "basekit/platform/desk_draw.h"
#include "basekit/platform/platform.h"

void desk_set_system_colors() {
  static const uint8_t colors[11][3] = {
      {0, 0, 0},       {255, 255, 255}, {212, 208, 200}, {128, 128, 128},
      {64, 64, 64},    {10, 36, 106},   {128, 128, 128}, {240, 240, 240},
      {141, 141, 141}, {36, 84, 150},   {30, 90, 200}};
  for (int i = 0; i < 11; i++) plat_set_palette_entry(i, colors[i][0], colors[i][1], colors[i][2]);
  for (int i = 246; i < 256; i++) {
    uint8_t v = (uint8_t)((i - 246) * 255 / 9);
    plat_set_palette_entry(i, v, v, v);
  }
}

void ds_fill(int x, int y, int w, int h, int color) {
  uint8_t* s = plat_screen();
  int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
  int x1 = x + w > PLAT_SCREEN_W ? PLAT_SCREEN_W : x + w;
  int y1 = y + h > PLAT_SCREEN_H ? PLAT_SCREEN_H : y + h;
  for (int yy = y0; yy < y1; yy++)
    for (int xx = x0; xx < x1; xx++) s[yy * PLAT_SCREEN_W + xx] = (uint8_t)color;
}

void ds_hline(int x, int y, int w, int color) { ds_fill(x, y, w, 1, color); }
void ds_vline(int x, int y, int h, int color) { ds_fill(x, y, 1, h, color); }

void ds_frame(int x, int y, int w, int h, int color) {
  ds_hline(x, y, w, color);
  ds_hline(x, y + h - 1, w, color);
  ds_vline(x, y, h, color);
  ds_vline(x + w - 1, y, h, color);
}

void ds_bevel(int x, int y, int w, int h, int raised) {
  int light = raised ? DC_WHITE : DC_SHADOW, dark = raised ? DC_SHADOW : DC_WHITE;
  ds_hline(x, y, w, light);
  ds_vline(x, y, h, light);
  ds_hline(x, y + h - 1, w, dark);
  ds_vline(x + w - 1, y, h, dark);
  if (raised) {
    ds_hline(x + 1, y + h - 2, w - 2, DC_SHADOW);
    ds_vline(x + w - 2, y + 1, h - 2, DC_SHADOW);
    ds_hline(x, y + h - 1, w, DC_DARK);
    ds_vline(x + w - 1, y, h, DC_DARK);
  }
}

void ds_text(int x, int y, int font, const char* text, int color) {
  plat_draw_text(plat_screen(), PLAT_SCREEN_W, PLAT_SCREEN_W, PLAT_SCREEN_H, font, x, y, text,
                 (uint8_t)color);
}

void ds_button(int x, int y, int w, int h, const char* label, int pressed, int is_default) {
  ds_fill(x, y, w, h, DC_FACE);
  if (is_default) ds_frame(x - 1, y - 1, w + 2, h + 2, DC_BLACK);
  ds_bevel(x, y, w, h, !pressed);
  int tw = plat_text_width(PLAT_FONT_PROPORTIONAL, label);
  int th = plat_font_height(PLAT_FONT_PROPORTIONAL);
  ds_text(x + (w - tw) / 2 + pressed, y + (h - th) / 2 + pressed, PLAT_FONT_PROPORTIONAL, label, DC_BLACK);
}
