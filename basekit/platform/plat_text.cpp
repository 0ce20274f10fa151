// Window-system text: a Debian font rendered once per glyph into 1-bit masks,
// then copied into 8-bit pixels in one palette index.
#include <SDL_ttf.h>
#include <cstdio>
#include <cstring>
#include <vector>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

namespace {
struct glyph {
  int w, h, advance;
  std::vector<uint8_t> mask;
};
struct font {
  int loaded;
  int height, ascent;
  glyph glyphs[96];  // ' ' .. '~' and a box for anything else
};
font fonts[3];
int text_ready = 0;

const char* const font_files[3] = {"DejaVuSansMono.ttf", "DejaVuSans.ttf", "DejaVuSans-Bold.ttf"};
const int font_points[3] = {11, 11, 11};
const char* const font_dirs[] = {"/usr/share/fonts/truetype/dejavu/", "/usr/share/fonts/dejavu/",
                                 "/usr/local/share/fonts/"};

TTF_Font* open_font(const char* file, int points) {
  char path[512];
  for (const char* dir : font_dirs) {
    std::snprintf(path, sizeof path, "%s%s", dir, file);
    if (TTF_Font* f = TTF_OpenFont(path, points)) return f;
  }
  return nullptr;
}

void load_font(int n) {
  font& fo = fonts[n];
  TTF_Font* f = open_font(font_files[n], font_points[n]);
  if (!f) {
    std::fprintf(stderr, "tarvel: font %s not found (install fonts-dejavu-core)\n", font_files[n]);
    return;
  }
  TTF_SetFontHinting(f, TTF_HINTING_MONO);
  fo.height = TTF_FontHeight(f);
  fo.ascent = TTF_FontAscent(f);
  SDL_Color ink = {255, 255, 255, 255};
  for (int c = 32; c < 128; c++) {
    glyph& g = fo.glyphs[c - 32];
    Uint16 ch = c == 127 ? 0x25A1 : (Uint16)c;
    int minx, maxx, miny, maxy, advance;
    if (TTF_GlyphMetrics(f, ch, &minx, &maxx, &miny, &maxy, &advance) != 0) advance = fo.height / 2;
    g.advance = advance;
    SDL_Surface* s = TTF_RenderGlyph_Solid(f, ch, ink);
    if (!s) continue;
    g.w = s->w;
    g.h = s->h;
    g.mask.assign((size_t)g.w * g.h, 0);
    SDL_LockSurface(s);
    for (int y = 0; y < g.h; y++)
      for (int x = 0; x < g.w; x++) g.mask[(size_t)y * g.w + x] = ((uint8_t*)s->pixels)[y * s->pitch + x] != 0;
    SDL_UnlockSurface(s);
    SDL_FreeSurface(s);
  }
  TTF_CloseFont(f);
  fo.loaded = 1;
}

const glyph* glyph_of(const font& fo, unsigned char c) {
  if (c < 32 || c > 126) c = 127;
  return &fo.glyphs[c - 32];
}

const font* font_of(int n) {
  if (!text_ready) plat_text_init();
  if (n < 0 || n > 2) n = 0;
  return fonts[n].loaded ? &fonts[n] : nullptr;
}
}  // namespace

void plat_text_init() {
  if (text_ready) return;
  text_ready = 1;
  if (!TTF_WasInit() && TTF_Init() != 0) return;
  for (int n = 0; n < 3; n++) load_font(n);
}

void plat_text_quit() {
  // The masks stay: text drawn after a restart of the display looks the same.
}

int plat_text_width(int font_n, const char* text) {
  const font* fo = font_of(font_n);
  if (!fo) return 0;
  int w = 0;
  for (const unsigned char* p = (const unsigned char*)text; *p; p++) w += glyph_of(*fo, *p)->advance;
  return w;
}

int plat_font_height(int font_n) {
  const font* fo = font_of(font_n);
  return fo ? fo->height : 13;
}

int plat_font_ascent(int font_n) {
  const font* fo = font_of(font_n);
  return fo ? fo->ascent : 10;
}

void plat_draw_text(uint8_t* pix, int row, int w, int h, int font_n, int x, int y, const char* text,
                    uint8_t color) {
  const font* fo = font_of(font_n);
  if (!fo || !pix) return;
  for (const unsigned char* p = (const unsigned char*)text; *p; p++) {
    const glyph* g = glyph_of(*fo, *p);
    for (int gy = 0; gy < g->h; gy++) {
      int sy = y + gy;
      if (sy < 0 || sy >= h) continue;
      for (int gx = 0; gx < g->w; gx++) {
        int sx = x + gx;
        if (sx >= 0 && sx < w && g->mask[(size_t)gy * g->w + gx]) pix[sy * row + sx] = color;
      }
    }
    x += g->advance;
  }
}
