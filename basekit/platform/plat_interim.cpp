// Interim screen palette and text calls for the rasteriser's callers and
// tests, until the SDL screen provides them: delete this file then.
#include "basekit/platform/platform.h"

static uint8_t interim_palette[256][3];

void plat_set_palette_entry(int index, uint8_t r, uint8_t g, uint8_t b) {
  if (index < 0 || index > 255) return;
  interim_palette[index][0] = r;
  interim_palette[index][1] = g;
  interim_palette[index][2] = b;
}

void plat_get_palette_entry(int index, uint8_t* r, uint8_t* g, uint8_t* b) {
  if (index < 0 || index > 255) return;
  *r = interim_palette[index][0];
  *g = interim_palette[index][1];
  *b = interim_palette[index][2];
}

void plat_draw_text(uint8_t*, int, int, int, int, int, int, const char*, uint8_t) {}
