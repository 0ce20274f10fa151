// SDL events turned into the platform's own events and key codes.
#include <SDL.h>
#include <deque>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

static std::deque<plat_event> injected;
static int fake_shift = 0;
static int mouse_x = 0, mouse_y = 0;

static int map_key(SDL_Keycode k) {
  if (k >= SDLK_F1 && k <= SDLK_F12) return KEY_F1 + (k - SDLK_F1);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return KEY_KP0 + 1 + (k - SDLK_KP_1);
  switch (k) {
    case SDLK_KP_0: return KEY_KP0;
    case SDLK_KP_PERIOD: return KEY_KP_PERIOD;
    case SDLK_KP_ENTER: return KEY_KP_ENTER;
    case SDLK_KP_PLUS: return KEY_KP_PLUS;
    case SDLK_KP_MINUS: return KEY_KP_MINUS;
    case SDLK_KP_MULTIPLY: return KEY_KP_MULTIPLY;
    case SDLK_KP_DIVIDE: return KEY_KP_DIVIDE;
    case SDLK_UP: return KEY_UP;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_HOME: return KEY_HOME;
    case SDLK_END: return KEY_END;
    case SDLK_PAGEUP: return KEY_PAGEUP;
    case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
    case SDLK_BACKSPACE: return KEY_BACKSPACE;
    case SDLK_TAB: return KEY_TAB;
    case SDLK_RETURN: return KEY_RETURN;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_DELETE: return KEY_DELETE;
    case SDLK_LSHIFT: case SDLK_RSHIFT: return KEY_SHIFT;
    case SDLK_LCTRL: case SDLK_RCTRL: return KEY_CTRL;
    case SDLK_LALT: case SDLK_RALT: return KEY_ALT;
    default: break;
  }
  if (k >= 32 && k < 127) return (int)k;
  return 0;
}

// The character a key types on a US keyboard.
static int key_text(int key, int mods) {
  if (key < 32 || key >= 127) return 0;
  if (!(mods & PLAT_MOD_SHIFT)) return key;
  if (key >= 'a' && key <= 'z') return key - 'a' + 'A';
  static const char plain[] = "1234567890-=[];',./`\\";
  static const char shifted[] = "!@#$%^&*()_+{}:\"<>?~|";
  for (int i = 0; plain[i]; i++)
    if (plain[i] == key) return shifted[i];
  return key;
}

static int map_mods(Uint16 m) {
  int mods = 0;
  if (m & KMOD_SHIFT) mods |= PLAT_MOD_SHIFT;
  if (m & KMOD_CTRL) mods |= PLAT_MOD_CTRL;
  if (m & KMOD_ALT) mods |= PLAT_MOD_ALT;
  return mods;
}

static int translate(const SDL_Event& e, plat_event* ev) {
  *ev = plat_event{};
  switch (e.type) {
    case SDL_QUIT: ev->type = PLAT_EV_QUIT; return 1;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      // Alt+Enter belongs to the window: full screen on and off.
      SDL_Keycode sym = e.key.keysym.sym;
      if ((sym == SDLK_RETURN || sym == SDLK_KP_ENTER) && (e.key.keysym.mod & KMOD_ALT)) {
        if (e.type == SDL_KEYDOWN && !e.key.repeat) plat_set_fullscreen(!plat_fullscreen());
        return 0;
      }
      ev->type = e.type == SDL_KEYDOWN ? PLAT_EV_KEYDOWN : PLAT_EV_KEYUP;
      ev->key = map_key(e.key.keysym.sym);
      ev->mods = map_mods(e.key.keysym.mod);
      ev->text = key_text(ev->key, ev->mods);
      return ev->key != 0;
    }
    case SDL_MOUSEMOTION:
      ev->type = PLAT_EV_MOUSEMOVE;
      plat_map_mouse(e.motion.x, e.motion.y, &ev->x, &ev->y);
      mouse_x = ev->x;
      mouse_y = ev->y;
      return 1;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      // A press on the black borders is not a press on the screen's edge.
      if (e.type == SDL_MOUSEBUTTONDOWN && !plat_in_picture(e.button.x, e.button.y)) return 0;
      ev->type = e.type == SDL_MOUSEBUTTONDOWN ? PLAT_EV_BUTTONDOWN : PLAT_EV_BUTTONUP;
      plat_map_mouse(e.button.x, e.button.y, &ev->x, &ev->y);
      mouse_x = ev->x;
      mouse_y = ev->y;
      ev->button = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 3 : 2;
      return 1;
    case SDL_MOUSEWHEEL:
      ev->type = PLAT_EV_WHEEL;
      ev->x = mouse_x;
      ev->y = mouse_y;
      ev->button = e.wheel.y > 0 ? 1 : -1;
      return e.wheel.y != 0;
    case SDL_WINDOWEVENT:
      if (e.window.event != SDL_WINDOWEVENT_MOVED) plat_picture_invalidate();
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_RESIZED ||
          e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
        ev->type = PLAT_EV_EXPOSE;
        return 1;
      }
      return 0;
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
      plat_joy_device_event(e.type == SDL_JOYDEVICEADDED, e.jdevice.which);
      ev->type = e.type == SDL_JOYDEVICEADDED ? PLAT_EV_JOYADDED : PLAT_EV_JOYREMOVED;
      return 1;
    default: return 0;
  }
}

int plat_poll_event(plat_event* ev) {
  if (!injected.empty()) {
    *ev = injected.front();
    injected.pop_front();
    if (ev->type == PLAT_EV_KEYDOWN || ev->type == PLAT_EV_KEYUP) {
      if (ev->key == KEY_SHIFT) fake_shift = ev->type == PLAT_EV_KEYDOWN;
      if (!ev->text) ev->text = key_text(ev->key, ev->mods);
    }
    if (ev->type == PLAT_EV_MOUSEMOVE || ev->type == PLAT_EV_BUTTONDOWN || ev->type == PLAT_EV_BUTTONUP) {
      mouse_x = ev->x;
      mouse_y = ev->y;
    }
    return 1;
  }
  if (!plat_started()) return 0;
  plat_fit_frame();  // alerts poll without waiting for frames
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (translate(e, ev)) return 1;
  return 0;
}

void plat_inject_event(const plat_event* ev) { injected.push_back(*ev); }

void plat_inject_key(int key, int shift) {
  plat_event e{};
  if (shift) {
    e.type = PLAT_EV_KEYDOWN;
    e.key = KEY_SHIFT;
    plat_inject_event(&e);
  }
  e = plat_event{};
  e.type = PLAT_EV_KEYDOWN;
  e.key = key;
  e.mods = shift ? PLAT_MOD_SHIFT : 0;
  plat_inject_event(&e);
  e.type = PLAT_EV_KEYUP;
  plat_inject_event(&e);
  if (shift) {
    e = plat_event{};
    e.type = PLAT_EV_KEYUP;
    e.key = KEY_SHIFT;
    plat_inject_event(&e);
  }
}

int plat_shift_down() {
  if (fake_shift) return 1;
  if (!plat_started()) return 0;
  return (SDL_GetModState() & KMOD_SHIFT) != 0;
}

int plat_key_down(int key) {
  if (key == KEY_SHIFT) return plat_shift_down();
  if (!plat_started()) return 0;
  int n;
  const Uint8* state = SDL_GetKeyboardState(&n);
  SDL_Keycode code;
  if (key >= KEY_F1 && key < KEY_F1 + 12) code = SDLK_F1 + (key - KEY_F1);
  else if (key >= 32 && key < 127) code = key;
  else if (key == KEY_UP) code = SDLK_UP;
  else if (key == KEY_DOWN) code = SDLK_DOWN;
  else if (key == KEY_LEFT) code = SDLK_LEFT;
  else if (key == KEY_RIGHT) code = SDLK_RIGHT;
  else if (key == KEY_CTRL) return (SDL_GetModState() & KMOD_CTRL) != 0;
  else if (key == KEY_ALT) return (SDL_GetModState() & KMOD_ALT) != 0;
  else return 0;
  SDL_Scancode sc = SDL_GetScancodeFromKey(code);
  return sc > 0 && sc < n && state[sc];
}

void plat_show_cursor(int on) {
  if (plat_started()) SDL_ShowCursor(on ? SDL_ENABLE : SDL_DISABLE);
}

void plat_mouse_position(int* x, int* y) {
  *x = mouse_x;
  *y = mouse_y;
}
