// The SDL window showing the 8-bit virtual screen, scaled by whole factors.
#include <SDL.h>
#include <png.h>
#include <cstdio>
#include <cstring>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

static uint8_t screen[PLAT_SCREEN_W * PLAT_SCREEN_H];
static uint8_t palette_rgb[256][3];
static uint32_t palette_argb[256];
static SDL_Window* window = nullptr;
static SDL_Renderer* renderer = nullptr;
static SDL_Texture* texture = nullptr;
static int headless = 0;
static int started = 0;

static int driver_is_headless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// The largest whole multiple of 800 x 600 that fits the desktop.
static int window_scale() {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  int scale = 1;
  while (PLAT_SCREEN_W * (scale + 1) <= usable.w && PLAT_SCREEN_H * (scale + 1) + 40 <= usable.h) scale++;
  return scale;
}

int plat_init(const char* window_title) {
  if (started) return 1;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "0");
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    std::fprintf(stderr, "tarvel: cannot start the display: %s\n", SDL_GetError());
    return 0;
  }
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  SDL_InitSubSystem(SDL_INIT_HAPTIC);
  headless = driver_is_headless();
  for (int i = 0; i < 256; i++) plat_set_palette_entry(i, 0, 0, 0);
  if (!headless) {
    int scale = window_scale();
    window = SDL_CreateWindow(window_title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              PLAT_SCREEN_W * scale, PLAT_SCREEN_H * scale, SDL_WINDOW_RESIZABLE);
    if (!window) {
      std::fprintf(stderr, "tarvel: cannot open a window: %s\n", SDL_GetError());
      SDL_Quit();
      return 0;
    }
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) {
      std::fprintf(stderr, "tarvel: cannot draw in the window: %s\n", SDL_GetError());
      SDL_DestroyWindow(window);
      SDL_Quit();
      return 0;
    }
    SDL_RenderSetLogicalSize(renderer, PLAT_SCREEN_W, PLAT_SCREEN_H);
    SDL_RenderSetIntegerScale(renderer, SDL_TRUE);
    texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                PLAT_SCREEN_W, PLAT_SCREEN_H);
    SDL_SetWindowMinimumSize(window, PLAT_SCREEN_W / 2, PLAT_SCREEN_H / 2);
  }
  plat_text_init();
  started = 1;
  return 1;
}

void plat_quit() {
  if (!started) return;
  plat_audio_quit();
  plat_haptic_close();
  plat_joy_close_all();
  plat_text_quit();
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  texture = nullptr;
  renderer = nullptr;
  window = nullptr;
  SDL_Quit();
  started = 0;
}

int plat_headless() { return headless; }
int plat_started() { return started; }

uint8_t* plat_screen() { return screen; }

void plat_set_palette_entry(int index, uint8_t r, uint8_t g, uint8_t b) {
  if (index < 0 || index > 255) return;
  palette_rgb[index][0] = r;
  palette_rgb[index][1] = g;
  palette_rgb[index][2] = b;
  palette_argb[index] = 0xFF000000u | ((uint32_t)r << 16) | ((uint32_t)g << 8) | b;
}

void plat_get_palette_entry(int index, uint8_t* r, uint8_t* g, uint8_t* b) {
  if (index < 0 || index > 255) index = 0;
  *r = palette_rgb[index][0];
  *g = palette_rgb[index][1];
  *b = palette_rgb[index][2];
}

void plat_screen_to_argb(uint32_t* argb, int pitch_bytes) {
  for (int y = 0; y < PLAT_SCREEN_H; y++) {
    uint32_t* out = (uint32_t*)((uint8_t*)argb + y * pitch_bytes);
    const uint8_t* in = screen + y * PLAT_SCREEN_W;
    for (int x = 0; x < PLAT_SCREEN_W; x++) out[x] = palette_argb[in[x]];
  }
}

void plat_present() {
  if (!renderer || !texture) return;
  void* pixels;
  int pitch;
  if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return;
  plat_screen_to_argb((uint32_t*)pixels, pitch);
  SDL_UnlockTexture(texture);
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_RenderCopy(renderer, texture, nullptr, nullptr);
  SDL_RenderPresent(renderer);
}

int plat_save_png(const char* path) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    if (png) png_destroy_write_struct(&png, nullptr);
    std::fclose(f);
    return 0;
  }
  static uint8_t line[PLAT_SCREEN_W * 3];
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
    std::remove(path);
    return 0;
  }
  png_init_io(png, f);
  png_set_IHDR(png, info, PLAT_SCREEN_W, PLAT_SCREEN_H, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < PLAT_SCREEN_H; y++) {
    for (int x = 0; x < PLAT_SCREEN_W; x++) {
      const uint8_t* c = palette_rgb[screen[y * PLAT_SCREEN_W + x]];
      line[x * 3] = c[0];
      line[x * 3 + 1] = c[1];
      line[x * 3 + 2] = c[2];
    }
    png_write_row(png, line);
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return std::fclose(f) == 0;
}
