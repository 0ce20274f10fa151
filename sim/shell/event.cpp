// The window procedure: window messages turned into simulator events.
#include "sim/shell/event.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/msc.h"
#include "sim/panel/dasclick.h"
#include "sim/shell/keys.h"
#include "sim/shell/menus.h"
#include "sim/shell/wintab.h"

int winsup() {
  for (int i = 1; i <= WIN_LAST; i++)
    if (mnw.up[i]) return 1;
  return 0;
}

void updatewin(int index) {
  msc.event = 1;
  const window_entry* w = window_entry_of(index);
  if (w && w->plot) w->plot();
}

void window_click_handler(int index) {
  const window_entry* w = window_entry_of(index);
  if (w && w->click) w->click();
}

void handlewindowclick(int index) {
  msc.event = 1;
  mnw.dragging_index = index;
  if (!winsup()) {
    panclick(msc.mx, msc.my);
    enginecondrag(msc.mx, msc.my);
  } else if (index != WIN_MAIN) {
    MACIBM_startwind(index, 1);
    window_click_handler(index);
  }
}

// Function keys, the keypad yoke and the arrow free view have their own
// handlers; every other key arrives as the character it types.
static void translate_key(int key, int character, int mods) {
  int shift = (mods & PLAT_MOD_SHIFT) != 0;
  if (key >= KEY_F1 && key <= KEY_F1 + 8) {
    function_key(19 + (key - KEY_F1) + (shift ? 12 : 0));
    return;
  }
  if (key == KEY_BACKSPACE) {  // stands in for F10, which opens the menu bar
    function_key(shift ? 40 : 28);
    return;
  }
  if (key == KEY_F1 + 10 || key == KEY_F1 + 11) {
    function_key(29 + (key - KEY_F1 - 10) + (shift ? 12 : 0));
    return;
  }
  static const int yoke_keys[7] = {5, 2, 8, 4, 6, 1, 3};
  for (int i = 0; i < 7; i++)
    if (key == KEY_KP0 + yoke_keys[i]) {
      yoke_key(207 + i);
      return;
    }
  switch (key) {
    case KEY_UP: freeview_key(27); return;
    case KEY_LEFT: freeview_key(25); return;
    case KEY_DOWN: freeview_key(28); return;
    case KEY_RIGHT: freeview_key(26); return;
    default: break;
  }
  if (character >= 32 && character < 127) handle_simkey(character);
}

static void show_or_hide_cursor(int index) {
  if (index == WIN_MAIN && !winsup()) plat_show_cursor(0);
}

void handle_IBM_win(int window, int message, long wparam, long lparam) {
  int index = win_to_index(window);
  switch (message) {
    case WM_KEYDOWN:
      if (!window_key(index, (int)wparam, (int)(lparam & 0xFF)))
        translate_key((int)wparam, (int)(lparam & 0xFF), (int)(lparam >> 8));
      break;
    case WM_MOVE: set_up_win_globals(index); break;
    case WM_DESTROY: MACIBM_handlezap(index); break;
    case WM_COMMAND:
      MACIBM_startwind(WIN_MAIN, 1);
      handlemenu((int)wparam);
      break;
    case WM_MOUSEMOVE:
      msc.mx = (short)(lparam & 0xFFFF);
      msc.my = (short)((lparam >> 16) & 0xFFFF);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
      msc.mx = (short)(lparam & 0xFFFF);
      msc.my = (short)((lparam >> 16) & 0xFFFF);
      MACIBM_startwind(index, 1);
      msc.mousedown = 1;
      msc.dragtime = 0;
      handlewindowclick(index);
      show_or_hide_cursor(index);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
      msc.mousedown = 0;
      show_or_hide_cursor(index);
      break;
    case WM_PAINT:
      MACIBM_startwind(index, 0);
      updatewin(index);
      break;
    default: break;
  }
}
