// Numbered windows as rectangles of the virtual screen, each with its own
// pixels; the message queue; routing of the platform's events.
#include <cstring>
#include <deque>
#include <vector>
#include "basekit/platform/desk_draw.h"
#include "basekit/platform/desk_internal.h"

namespace {
struct dwin {
  int handle = 0, index = 0;
  int x = 0, y = 0, dx = 0, dy = 0;  // client rectangle on the screen
  int framed = 0;
  char title[256] = {};
  std::vector<uint8_t> pixels;
  drawcontext dc{};
};
struct message {
  int handle, msg;
  long wparam, lparam;
};

enum { MAX_WINDOWS = 64 };
dwin pool[MAX_WINDOWS];     // window slots; a slot is free while its handle is 0
std::vector<dwin*> zorder;  // back to front
std::deque<message> queue;
desk_window_proc window_proc = nullptr;
void (*quit_handler)() = nullptr;
int next_handle = 1;
int capture = 0;  // the window a held button went down in
int drag_handle = 0, drag_dx = 0, drag_dy = 0;

dwin* find(int handle) {
  for (dwin* w : zorder)
    if (w->handle == handle) return w;
  return nullptr;
}

void outer_rect(const dwin* w, int* x, int* y, int* dx, int* dy) {
  if (w->framed) {
    *x = w->x - DESK_BORDER;
    *y = w->y - DESK_BORDER - DESK_CAPTION_H;
    *dx = w->dx + 2 * DESK_BORDER;
    *dy = w->dy + 2 * DESK_BORDER + DESK_CAPTION_H;
  } else {
    *x = w->x;
    *y = w->y;
    *dx = w->dx;
    *dy = w->dy;
  }
}

int in_rect(int px, int py, int x, int y, int dx, int dy) {
  return px >= x && px < x + dx && py >= y && py < y + dy;
}

void close_box(const dwin* w, int* x, int* y, int* dx, int* dy) {
  *dx = 16;
  *dy = 14;
  *x = w->x + w->dx - 18;
  *y = w->y - DESK_CAPTION_H + 3;
}

long pack(int x, int y) { return (long)(((unsigned)(y & 0xFFFF) << 16) | (unsigned)(x & 0xFFFF)); }

void draw_frame(const dwin* w, int active) {
  int x, y, dx, dy;
  outer_rect(w, &x, &y, &dx, &dy);
  ds_fill(x, y, dx, dy, DC_FACE);
  ds_bevel(x, y, dx, dy, 1);
  ds_fill(w->x, w->y - DESK_CAPTION_H, w->dx, DESK_CAPTION_H - 1, active ? DC_CAPTION : DC_CAPTION_OFF);
  ds_text(w->x + 5, w->y - DESK_CAPTION_H + 3, PLAT_FONT_BOLD, w->title, DC_WHITE);
  int bx, by, bw, bh;
  close_box(w, &bx, &by, &bw, &bh);
  ds_fill(bx, by, bw, bh, DC_FACE);
  ds_bevel(bx, by, bw, bh, 1);
  for (int i = 0; i < 7; i++) {  // the cross
    ds_fill(bx + 4 + i, by + 3 + i, 2, 1, DC_BLACK);
    ds_fill(bx + 10 - i, by + 3 + i, 2, 1, DC_BLACK);
  }
}

void draw_client(const dwin* w) {
  uint8_t* s = plat_screen();
  for (int yy = 0; yy < w->dy; yy++) {
    int sy = w->y + yy;
    if (sy < 0 || sy >= PLAT_SCREEN_H) continue;
    int x0 = w->x < 0 ? -w->x : 0;
    int x1 = w->x + w->dx > PLAT_SCREEN_W ? PLAT_SCREEN_W - w->x : w->dx;
    if (x1 > x0) std::memcpy(s + sy * PLAT_SCREEN_W + w->x + x0, &w->pixels[(size_t)yy * w->dx + x0], (size_t)(x1 - x0));
  }
}
}  // namespace

int desk_window_create(int index, int x, int y, int dx, int dy, int framed, const char* title) {
  if (dx <= 0 || dy <= 0 || dx > 4096 || dy > 4096) return 0;
  dwin* w = nullptr;
  for (dwin& slot : pool)
    if (!slot.handle) {
      w = &slot;
      break;
    }
  if (!w) return 0;
  *w = dwin();
  w->handle = next_handle++;
  w->index = index;
  w->x = x;
  w->y = y;
  w->dx = dx;
  w->dy = dy;
  w->framed = framed;
  std::strncpy(w->title, title ? title : "", sizeof w->title - 1);
  w->pixels.assign((size_t)dx * dy, 0);
  w->dc = drawcontext{w->pixels.data(), dx, dx, dy};
  zorder.push_back(w);
  desk_post(w->handle, WM_PAINT, 0, 0);
  return w->handle;
}

void desk_window_destroy(int handle) {
  dwin* w = find(handle);
  if (!w) return;
  // The destroy message runs while the window still exists, as it would natively.
  if (window_proc) window_proc(handle, WM_DESTROY, 0, 0);
  for (size_t i = 0; i < zorder.size(); i++)
    if (zorder[i] == w) zorder.erase(zorder.begin() + (long)i);
  for (auto it = queue.begin(); it != queue.end();)
    it = it->handle == handle ? queue.erase(it) : it + 1;
  if (capture == handle) capture = 0;
  if (drag_handle == handle) drag_handle = 0;
  w->handle = 0;
  w->pixels.clear();
  w->pixels.shrink_to_fit();
}

void desk_window_raise(int handle) {
  dwin* w = find(handle);
  if (!w || w->index == 0) return;  // the main window stays behind its windows
  for (size_t i = 0; i < zorder.size(); i++)
    if (zorder[i] == w) zorder.erase(zorder.begin() + (long)i);
  zorder.push_back(w);
}

void desk_window_set_title(int handle, const char* title) {
  if (dwin* w = find(handle)) std::strncpy(w->title, title ? title : "", sizeof w->title - 1);
}

int desk_window_client_rect(int handle, int* x, int* y, int* dx, int* dy) {
  dwin* w = find(handle);
  if (!w) return 0;
  *x = w->x;
  *y = w->y;
  *dx = w->dx;
  *dy = w->dy;
  return 1;
}

drawcontext* desk_window_dc(int handle) {
  dwin* w = find(handle);
  return w ? &w->dc : nullptr;
}

int desk_window_index(int handle) {
  dwin* w = find(handle);
  return w ? w->index : -1;
}

int desk_window_at(int x, int y) {
  for (size_t i = zorder.size(); i-- > 0;) {
    int ox, oy, odx, ody;
    outer_rect(zorder[i], &ox, &oy, &odx, &ody);
    if (in_rect(x, y, ox, oy, odx, ody)) return zorder[i]->handle;
  }
  return 0;
}

int desk_window_front() { return zorder.empty() ? 0 : zorder.back()->handle; }

void desk_set_window_proc(desk_window_proc proc) { window_proc = proc; }
void desk_set_quit_handler(void (*on_quit)()) { quit_handler = on_quit; }

void desk_post(int handle, int message, long wparam, long lparam) {
  queue.push_back({handle, message, wparam, lparam});
}

void desk_send(int handle, int message, long wparam, long lparam) {
  if (window_proc && find(handle)) window_proc(handle, message, wparam, lparam);
}

int desk_main_handle() {
  for (dwin* w : zorder)
    if (w->index == 0) return w->handle;
  return 0;
}

static void route_mouse(const plat_event& ev) {
  if (drag_handle) {
    dwin* w = find(drag_handle);
    if (!w) {
      drag_handle = 0;
    } else if (ev.type == PLAT_EV_MOUSEMOVE) {
      w->x = ev.x - drag_dx;
      w->y = ev.y - drag_dy;
      if (w->y < DESK_MENUBAR_H + DESK_CAPTION_H) w->y = DESK_MENUBAR_H + DESK_CAPTION_H;
      desk_post(w->handle, WM_MOVE, 0, pack(w->x, w->y));
      return;
    } else if (ev.type == PLAT_EV_BUTTONUP) {
      drag_handle = 0;
      return;
    }
  }
  int target = (capture && ev.type != PLAT_EV_BUTTONDOWN) ? capture : desk_window_at(ev.x, ev.y);
  dwin* w = find(target);
  if (!w) return;
  if (ev.type == PLAT_EV_BUTTONDOWN && w->framed && !in_rect(ev.x, ev.y, w->x, w->y, w->dx, w->dy)) {
    int bx, by, bw, bh;
    close_box(w, &bx, &by, &bw, &bh);
    if (in_rect(ev.x, ev.y, bx, by, bw, bh)) {
      desk_window_destroy(w->handle);
    } else if (ev.y < w->y) {
      desk_window_raise(w->handle);
      drag_handle = w->handle;
      drag_dx = ev.x - w->x;
      drag_dy = ev.y - w->y;
    }
    return;
  }
  long at = pack(ev.x - w->x, ev.y - w->y);
  switch (ev.type) {
    case PLAT_EV_MOUSEMOVE: desk_post(w->handle, WM_MOUSEMOVE, 0, at); break;
    case PLAT_EV_BUTTONDOWN:
      capture = w->handle;
      desk_post(w->handle, ev.button == 3 ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, 0, at);
      break;
    case PLAT_EV_BUTTONUP:
      capture = 0;
      desk_post(w->handle, ev.button == 3 ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
      break;
    default: break;
  }
}

void desk_pump() {
  plat_wait_frame();  // once a frame: the loop keeps to the display's pace here
  plat_event ev;
  while (plat_poll_event(&ev)) {
    switch (ev.type) {
      case PLAT_EV_QUIT:
        if (quit_handler) quit_handler();
        break;
      case PLAT_EV_KEYDOWN: {
        if (desk_menu_key(&ev)) break;
        int front = desk_window_front();
        if (!front) front = desk_main_handle();
        if (front && ev.key != KEY_SHIFT && ev.key != KEY_CTRL && ev.key != KEY_ALT)
          desk_post(front, WM_KEYDOWN, ev.key, (ev.text & 0xFF) | (ev.mods << 8));
        break;
      }
      case PLAT_EV_MOUSEMOVE:
      case PLAT_EV_BUTTONDOWN:
      case PLAT_EV_BUTTONUP:
        if (ev.type == PLAT_EV_MOUSEMOVE) {
          // The program may hide the pointer over its main window; the desktop's own parts show it.
          dwin* over = find(desk_window_at(ev.x, ev.y));
          if (ev.y < DESK_MENUBAR_H || desk_menu_is_open() || (over && over->framed)) plat_show_cursor(1);
        }
        if (!drag_handle && desk_menu_mouse(&ev)) break;
        route_mouse(ev);
        break;
      default: break;
    }
  }
  while (!queue.empty()) {
    message m = queue.front();
    queue.pop_front();
    if (window_proc && find(m.handle)) window_proc(m.handle, m.msg, m.wparam, m.lparam);
  }
}

void desk_compose() {
  uint8_t* s = plat_screen();
  std::memset(s, DC_BLACK, PLAT_SCREEN_W * PLAT_SCREEN_H);
  int front = desk_window_front();
  for (dwin* w : zorder)
    if (w->index == 0) draw_client(w);
  desk_menu_draw_bar();
  for (dwin* w : zorder) {
    if (w->index == 0) continue;
    if (w->framed) draw_frame(w, w->handle == front);
    draw_client(w);
  }
  desk_menu_draw_open();
}

void desk_present() {
  desk_compose();
  plat_present();
}

void desk_modal_present() { plat_present(); }
