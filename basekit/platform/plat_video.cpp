// The SDL window showing the 8-bit virtual screen: scaled to fill the window
// at any size keeping its shape (by a graphics card: whole factors
// nearest-neighbour, the rest smooth; by the processor: an equivalent box
// filter), full screen on Alt+Enter, and the frame pacing.
#include <SDL.h>
#include <png.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

static uint8_t screen[PLAT_SCREEN_W * PLAT_SCREEN_H];
static uint8_t palette_rgb[256][3];
static uint32_t palette_argb[256];
static SDL_Window* window = nullptr;
static SDL_Renderer* renderer = nullptr;
static SDL_Texture* texture = nullptr;  // the virtual screen in true colour
static SDL_Texture* stage = nullptr;    // it again, blown up by the whole factor
static int stage_k = 0;
static int targets = 0;                 // the renderer can draw into a texture
static int headless = 0;
static int started = 0;
static int fullscreen = 0, fullscreen_chosen = 0, fullscreen_forced = 0;
static int whole_scale = 0, whole_scale_chosen = 0, whole_scale_forced = 0;
static int idle = 0;

static int driver_is_headless() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "dummy") == 0 || std::strcmp(driver, "offscreen") == 0);
}

// SDL falls back to its offscreen driver when no display answers; only a
// driver that was asked for by name makes a headless run.
static int headless_asked_for() {
  const char* want = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const char* driver = SDL_GetCurrentVideoDriver();
  return want && driver && std::strstr(want, driver) != nullptr;
}

static void fail(const char* what) {
  std::fprintf(stderr, "%s: cannot open a window: %s\n", plat_program_name(), what);
}

static void no_display(const char* what) {
  fail(what);
  const char* x = SDL_getenv("DISPLAY");
  const char* wl = SDL_getenv("WAYLAND_DISPLAY");
  std::fprintf(stderr,
               "%s: no display answers (DISPLAY=%s, WAYLAND_DISPLAY=%s); start it from a desktop session,\n"
               "or with SDL_VIDEODRIVER=dummy to run without a display\n",
               plat_program_name(), x && x[0] ? x : "unset", wl && wl[0] ? wl : "unset");
}

static void first_window_size(int* w, int* h) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) {
    *w = PLAT_SCREEN_W;
    *h = PLAT_SCREEN_H;
    return;
  }
  plat_first_window_size(usable.w, usable.h, w, h);
}

// With a window manager's frame around it the window may no longer fit the
// desktop. The frame is known only some time after the window is shown
// (or leaves full screen): the frames look for it for a second, counted from
// the first frame that waits, as a first start may spend longer than that in
// loading and alerts before it.
static int fit_pending = 0;
static uint64_t fit_until_ms = 0;

static void fit_frame_soon() {
  fit_pending = 1;
  fit_until_ms = 0;
}

void plat_fit_frame() {
  if (!fit_pending) return;
  if (!fit_until_ms) fit_until_ms = SDL_GetTicks64() + 1000;
  int top = 0, left = 0, bottom = 0, right = 0;
  SDL_Rect usable;
  if (fullscreen || SDL_GetTicks64() > fit_until_ms) {
    fit_pending = 0;
    return;
  }
  if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0 || top + left + bottom + right == 0) return;
  fit_pending = 0;
  if (SDL_GetDisplayUsableBounds(SDL_GetWindowDisplayIndex(window), &usable) != 0) return;
  int w, h, fw, fh;
  SDL_GetWindowSize(window, &w, &h);
  plat_first_window_size(usable.w - left - right, usable.h - top - bottom, &fw, &fh);
  if (fw < w || fh < h) {
    SDL_SetWindowSize(window, fw, fh);
    // Centred with its frame, so that the title bar stays on the desktop.
    SDL_SetWindowPosition(window, usable.x + left + (usable.w - left - right - fw) / 2,
                          usable.y + top + (usable.h - top - bottom - fh) / 2);
  }
}

// OpenGL drawn by the processor (no graphics card, a virtual machine, a
// virtual display) costs several times what scaling the picture ourselves does.
static int gl_in_software(SDL_Renderer* r) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(r, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return 0;
  typedef const unsigned char* (*get_string)(unsigned int);
  get_string gl_get_string = (get_string)SDL_GL_GetProcAddress("glGetString");
  const char* name = gl_get_string ? (const char*)gl_get_string(0x1F01 /* GL_RENDERER */) : nullptr;
  return name && (std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") || std::strstr(name, "swrast") ||
                  std::strstr(name, "Software Rasterizer"));
}

static SDL_Window* make_window(const char* title, int w, int h) {
  Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI |
                 (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  return SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h, flags);
}

int plat_init(const char* window_title) {
  if (started) return 1;
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  // The desktop finds the window's entry, and so its icon, by its class.
  if (const char* id = plat_desktop_id()) {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", id, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", id, 0);
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    no_display(SDL_GetError());
    return 0;
  }
  headless = driver_is_headless();
  if (headless && !headless_asked_for()) {
    no_display("no display");
    SDL_Quit();
    return 0;
  }
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  SDL_InitSubSystem(SDL_INIT_HAPTIC);
  for (int i = 0; i < 256; i++) plat_set_palette_entry(i, 0, 0, 0);
  if (!headless) {
    int w, h;
    first_window_size(&w, &h);
    window = make_window(window_title, w, h);
    if (!window) {
      fail(SDL_GetError());
      SDL_Quit();
      return 0;
    }
    renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (renderer && gl_in_software(renderer)) {
      // The processor draws the picture itself, straight into a fresh window.
      SDL_DestroyRenderer(renderer);
      SDL_DestroyWindow(window);
      renderer = nullptr;
      if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
      window = make_window(window_title, w, h);
    }
    if (renderer)
      texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, PLAT_SCREEN_W,
                                  PLAT_SCREEN_H);
    if (renderer && !texture) {
      SDL_DestroyRenderer(renderer);
      renderer = nullptr;
    }
    if (!window || (!renderer && !SDL_GetWindowSurface(window))) {
      fail(SDL_GetError());
      if (window) SDL_DestroyWindow(window);
      window = nullptr;
      SDL_Quit();
      return 0;
    }
    targets = renderer && SDL_RenderTargetSupported(renderer);
    SDL_SetWindowMinimumSize(window, PLAT_SCREEN_W / 2, PLAT_SCREEN_H / 2);
    SDL_ShowWindow(window);
    fit_frame_soon();
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
  if (stage) SDL_DestroyTexture(stage);
  if (texture) SDL_DestroyTexture(texture);
  if (renderer) SDL_DestroyRenderer(renderer);
  if (window) SDL_DestroyWindow(window);
  stage = texture = nullptr;
  stage_k = 0;
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

// ---- scaling ----

static plat_rect current_picture(int* out_w, int* out_h) {
  int w = PLAT_SCREEN_W, h = PLAT_SCREEN_H;
  if (renderer) SDL_GetRendererOutputSize(renderer, &w, &h);
  else if (window) SDL_GetWindowSizeInPixels(window, &w, &h);
  if (out_w) *out_w = w;
  if (out_h) *out_h = h;
  return plat_picture_rect(w, h, whole_scale);
}

// The screen blown up by k with nearest-neighbour, kept between frames.
static SDL_Texture* staged(int k) {
  if (!targets) return nullptr;
  if (stage && stage_k == k) return stage;
  if (stage) SDL_DestroyTexture(stage);
  stage = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, PLAT_SCREEN_W * k,
                            PLAT_SCREEN_H * k);
  stage_k = stage ? k : 0;
  if (stage) SDL_SetTextureScaleMode(stage, SDL_ScaleModeLinear);
  else targets = 0;
  return stage;
}

// Without a graphics card's renderer: the picture scaled by the processor
// into the window's own pixels, black around it.
// What the window's pixels show, so that a frame redraws only the rows that changed.
static uint8_t shown[PLAT_SCREEN_W * PLAT_SCREEN_H];
static uint32_t shown_palette[256];
static SDL_Surface* shown_on = nullptr;
static void* shown_pixels = nullptr;
static plat_rect shown_pic;

void plat_picture_invalidate() { shown_on = nullptr; }

static void present_on_surface() {
  static SDL_Surface* scratch = nullptr;  // for a window of another pixel format
  SDL_Surface* s = SDL_GetWindowSurface(window);
  if (!s) return;
  plat_rect pic = plat_picture_rect(s->w, s->h, whole_scale);
  const SDL_PixelFormat* f = s->format;
  if (f->BytesPerPixel == 4 && f->Rmask == 0xFF0000u && f->Gmask == 0xFF00u && f->Bmask == 0xFFu) {
    if (SDL_LockSurface(s) != 0) return;
    int whole = s != shown_on || s->pixels != shown_pixels || std::memcmp(&pic, &shown_pic, sizeof pic) != 0 ||
                std::memcmp(palette_argb, shown_palette, sizeof shown_palette) != 0;
    static uint8_t changed[PLAT_SCREEN_H];
    for (int y = 0; y < PLAT_SCREEN_H; y++)
      changed[y] = whole || std::memcmp(screen + y * PLAT_SCREEN_W, shown + y * PLAT_SCREEN_W, PLAT_SCREEN_W) != 0;
    if (whole) {
      const SDL_Rect borders[4] = {{0, 0, s->w, pic.y},
                                   {0, pic.y + pic.h, s->w, s->h - pic.y - pic.h},
                                   {0, pic.y, pic.x, pic.h},
                                   {pic.x + pic.w, pic.y, s->w - pic.x - pic.w, pic.h}};
      SDL_FillRects(s, borders, 4, SDL_MapRGB(s->format, 0, 0, 0));
    }
    plat_scale_screen(screen, palette_argb, (uint32_t*)((uint8_t*)s->pixels + pic.y * s->pitch + pic.x * 4),
                      s->pitch, pic.w, pic.h, changed);
    SDL_UnlockSurface(s);
    std::memcpy(shown, screen, sizeof shown);
    std::memcpy(shown_palette, palette_argb, sizeof shown_palette);
    shown_on = s;
    shown_pixels = s->pixels;
    shown_pic = pic;
  } else {
    const SDL_Rect borders[4] = {{0, 0, s->w, pic.y},
                                 {0, pic.y + pic.h, s->w, s->h - pic.y - pic.h},
                                 {0, pic.y, pic.x, pic.h},
                                 {pic.x + pic.w, pic.y, s->w - pic.x - pic.w, pic.h}};
    SDL_FillRects(s, borders, 4, SDL_MapRGB(s->format, 0, 0, 0));
    if (!scratch || scratch->w != pic.w || scratch->h != pic.h) {
      SDL_FreeSurface(scratch);
      scratch = SDL_CreateRGBSurfaceWithFormat(0, pic.w, pic.h, 32, SDL_PIXELFORMAT_ARGB8888);
      if (!scratch) return;
    }
    plat_scale_screen(screen, palette_argb, (uint32_t*)scratch->pixels, scratch->pitch, pic.w, pic.h);
    SDL_Rect dst{pic.x, pic.y, pic.w, pic.h};
    SDL_BlitSurface(scratch, nullptr, s, &dst);
  }
  SDL_UpdateWindowSurface(window);
}

void plat_present() {
  if (!window) return;
  if (SDL_GetWindowFlags(window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) return;
  if (!renderer) {
    present_on_surface();
    return;
  }
  void* pixels;
  int pitch;
  if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) != 0) return;
  plat_screen_to_argb((uint32_t*)pixels, pitch);
  SDL_UnlockTexture(texture);
  plat_rect pic = current_picture(nullptr, nullptr);
  int k = plat_whole_factor(pic);
  SDL_Texture* src = texture;
  int exact = pic.w == PLAT_SCREEN_W * k && pic.h == PLAT_SCREEN_H * k;
  SDL_SetTextureScaleMode(texture, exact || k > 1 ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
  if (!exact && k > 1) {
    if (SDL_Texture* s = staged(k)) {
      SDL_SetRenderTarget(renderer, s);
      SDL_RenderCopy(renderer, texture, nullptr, nullptr);
      SDL_SetRenderTarget(renderer, nullptr);
      src = s;
    }
  }
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  SDL_Rect dst{pic.x, pic.y, pic.w, pic.h};
  SDL_RenderCopy(renderer, src, nullptr, &dst);
  SDL_RenderPresent(renderer);
}

void plat_map_mouse(int wx, int wy, int* sx, int* sy) {
  if (!window) {
    *sx = wx;
    *sy = wy;
    return;
  }
  int ow, oh, ww, wh;
  plat_rect pic = current_picture(&ow, &oh);
  SDL_GetWindowSize(window, &ww, &wh);
  // Window points to drawable pixels (they differ on high-density screens).
  int px = ww > 0 ? (int)((long)wx * ow / ww) : wx;
  int py = wh > 0 ? (int)((long)wy * oh / wh) : wy;
  plat_window_to_screen(pic, px, py, sx, sy);
}

int plat_in_picture(int wx, int wy) {
  if (!window) return 1;
  int ow, oh, ww, wh;
  plat_rect pic = current_picture(&ow, &oh);
  SDL_GetWindowSize(window, &ww, &wh);
  int px = ww > 0 ? (int)((long)wx * ow / ww) : wx;
  int py = wh > 0 ? (int)((long)wy * oh / wh) : wy;
  return px >= pic.x && px < pic.x + pic.w && py >= pic.y && py < pic.y + pic.h;
}

// What is in force, and what the user chose in the program or the
// preferences remember: a choice on the command line holds for its run only.
static void apply_fullscreen(int on) {
  fullscreen = on ? 1 : 0;
  if (!window) return;
  SDL_SetWindowFullscreen(window, fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullscreen) fit_frame_soon();
}
void plat_set_fullscreen(int on) {
  fullscreen_chosen = on ? 1 : 0;
  apply_fullscreen(on);
}
int plat_fullscreen() { return fullscreen; }
int plat_fullscreen_choice() { return fullscreen_chosen; }
void plat_prefer_fullscreen(int on) {
  fullscreen_chosen = on ? 1 : 0;
  if (!fullscreen_forced) apply_fullscreen(on);
}
void plat_force_fullscreen(int on) {
  fullscreen_forced = 1;
  apply_fullscreen(on);
}
void plat_set_whole_scale(int on) { whole_scale = whole_scale_chosen = on ? 1 : 0; }
int plat_whole_scale() { return whole_scale; }
int plat_whole_scale_choice() { return whole_scale_chosen; }
void plat_prefer_whole_scale(int on) {
  whole_scale_chosen = on ? 1 : 0;
  if (!whole_scale_forced) whole_scale = whole_scale_chosen;
}
void plat_force_whole_scale(int on) {
  whole_scale_forced = 1;
  whole_scale = on ? 1 : 0;
}

// ---- frame pacing ----

static const int64_t IDLE_PERIOD_US = 100000, NAP_US = 4000;
static int64_t next_frame_us = 0, last_frame_us = 0;

static int64_t now_us() {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

static void sleep_us(int64_t us) {
  if (us > 0) std::this_thread::sleep_for(std::chrono::microseconds(us));
}

static int refresh_hz() {
  SDL_DisplayMode mode;
  int d = SDL_GetWindowDisplayIndex(window);
  if (d >= 0 && SDL_GetCurrentDisplayMode(d, &mode) == 0 && mode.refresh_rate > 0) return mode.refresh_rate;
  return 60;
}

// Input worth waking an idle loop for. The joysticks are read by polling, so
// their own motion events only wake it for nothing: they go.
static int input_waiting() {
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_JOYAXISMOTION, SDL_JOYBUTTONUP);
  SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONUP);
  SDL_FlushEvents(SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERSENSORUPDATE);
  SDL_FlushEvent(SDL_SENSORUPDATE);
  SDL_FlushEvents(SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED);
  return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

void plat_set_idle(int on) { idle = on ? 1 : 0; }

void plat_wait_frame() {
  if (!window) return;
  plat_fit_frame();
  int64_t period = 1000000 / refresh_hz();
  int64_t now = now_us();
  if (idle || (SDL_GetWindowFlags(window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN))) {
    int64_t until = last_frame_us + IDLE_PERIOD_US;
    while (now < until) {
      if (now >= last_frame_us + period && input_waiting()) break;
      sleep_us(until - now < NAP_US ? until - now : NAP_US);
      now = now_us();
    }
    next_frame_us = now + period;
  } else {
    // A deadline a period after the last one; one missed by more than a
    // period is given up rather than caught up. Where presenting waits for
    // vertical sync the deadline has mostly passed already.
    if (next_frame_us == 0 || now > next_frame_us + period) next_frame_us = now;
    if (now < next_frame_us) {
      sleep_us(next_frame_us - now);
      now = now_us();
    }
    next_frame_us += period;
  }
  last_frame_us = now;
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
