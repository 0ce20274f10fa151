// Which settings windows the user changed, and the keys typed into them.
#include "sim/windows/windows.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"

static int edited[WIN_LAST + 1];

void mark_edited(int index) {
  if (index >= 0 && index <= WIN_LAST) edited[index] = 1;
}

int window_edited(int index) { return index >= 0 && index <= WIN_LAST && edited[index]; }

void settings_window_closed(int index) {
  if (index < 0 || index > WIN_LAST) return;
  edited[index] = 0;
  loc_windows_closed(index);
  rel_windows_closed(index);
  ctl_windows_closed(index);
}

int settings_window_key(int index, int key, int character) { return loc_windows_key(index, key, character); }
