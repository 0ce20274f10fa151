// The airport and navaid screens: the list of one kind, new and delete, the
// selected entry's values and its name.
#include <cstdio>
#include <cstring>
#include "basekit/bk_graph.h"
#include "editor/ed.h"
#include "editor/ui.h"

static const uirect DELETE_BTN = {368, 165, 643, 185}, NEW_BTN = {368, 188, 643, 208};
static const int NAV_KINDS[8] = {2, 3, 4, 6, 5, 7, 8, 9};
static const char* const NAV_KIND_NAMES[8] = {"NDB", "VOR", "LOC", "GS", "LOC 5", "OUTER", "MIDDLE", "INNER"};
enum { LIST_X = 172, LIST_Y = 20, LIST_ROWS = 32, ROW_H = 16 };

static int is_kind(int n) {
  return msc.edit_mode == MODE_APT ? apt_type[n] == 1 : nav_type[n] == msc.nav_kind;
}
static int table_size() { return msc.edit_mode == MODE_APT ? ED_APT_MAX : ED_NAV_MAX; }

void set_list_range() {
  msc.lo_ind = msc.hi_ind = -1;
  for (int n = 0; n < table_size(); n++)
    if (is_kind(n)) {
      if (msc.lo_ind < 0) msc.lo_ind = n;
      msc.hi_ind = n;
    }
}

// ---- new and delete ----

static void apt_copy(int to, int from) {
  apt_type[to] = apt_type[from];
  apt_twr[to] = apt_twr[from];
  for (int r = 0; r < 3; r++) {
    apt_lat[to][r] = apt_lat[from][r];
    apt_lon[to][r] = apt_lon[from][r];
    apt_num[to][r] = apt_num[from][r];
    apt_hdng[to][r] = apt_hdng[from][r];
    apt_len[to][r] = apt_len[from][r];
    apt_width[to][r] = apt_width[from][r];
    apt_lite[to][r] = apt_lite[from][r];
    apt_lr[to][r] = apt_lr[from][r];
  }
  apt_z[to] = apt_z[from];
  std::memcpy(apt_id[to], apt_id[from], APT_ID_DIM);
  std::memcpy(apt_name[to], apt_name[from], APT_NAME_DIM);
}

static void nav_copy(int to, int from) {
  nav_type[to] = nav_type[from];
  nav_lat[to] = nav_lat[from];
  nav_lon[to] = nav_lon[from];
  nav_z[to] = nav_z[from];
  nav_f1[to] = nav_f1[from];
  nav_f2[to] = nav_f2[from];
  nav_hdng[to] = nav_hdng[from];
  std::memcpy(nav_id[to], nav_id[from], APT_ID_DIM);
  std::memcpy(nav_name[to], nav_name[from], APT_NAME_DIM);
}

void apt_new() {
  set_list_range();
  if (apt_type[ED_APT_MAX - 1] != 0) {
    ed_alert("The airport table is full.", "Delete an airport first.", "", "");
    return;
  }
  int at = msc.hi_ind + 1 > 0 ? msc.hi_ind + 1 : 0;
  for (int n = ED_APT_MAX - 1; n > at; n--) apt_copy(n, n - 1);
  apt_type[at] = 1;
  apt_twr[at] = 0;
  for (int r = 0; r < 3; r++) {
    apt_lat[at][r] = apt_lon[at][r] = 0;
    apt_num[at][r] = apt_hdng[at][r] = apt_len[at][r] = apt_width[at][r] = apt_lite[at][r] = 0;
    apt_lr[at][r] = 'x';
  }
  apt_z[at] = 0;
  std::strcpy(apt_id[at], "    ");
  std::strcpy(apt_name[at], "Untitled");
  msc.apt_index = at;
  msc.apt_dirty = msc.map_dirty = 1;
}

void apt_delete() {
  set_list_range();
  int at = msc.apt_index;
  if (msc.lo_ind < 0 || at < 0 || at >= ED_APT_MAX || apt_type[at] != 1) {
    ed_alert("There is no airport to delete.", "", "", "");
    return;
  }
  for (int n = at; n < ED_APT_MAX - 1; n++) apt_copy(n, n + 1);
  apt_type[ED_APT_MAX - 1] = 0;
  set_list_range();
  if (msc.lo_ind >= 0) msc.apt_index = intlim(at > msc.lo_ind ? at - 1 : msc.lo_ind, msc.lo_ind, msc.hi_ind);
  msc.apt_dirty = msc.map_dirty = 1;
}

void nav_new(int type) {
  msc.nav_kind = type;
  set_list_range();
  if (nav_type[NAV_FILE_LIMIT - 1] != 0) {
    ed_alert("The navaid table is full.", "Delete a navaid first.", "", "");
    return;
  }
  int at = msc.hi_ind + 1 > 0 ? msc.hi_ind + 1 : 0;
  for (int n = NAV_FILE_LIMIT - 1; n > at; n--) nav_copy(n, n - 1);
  nav_type[at] = type;
  nav_lat[at] = nav_lon[at] = nav_z[at] = 0;
  nav_f1[at] = nav_f2[at] = nav_hdng[at] = 0;
  std::strcpy(nav_id[at], "    ");
  std::strcpy(nav_name[at], "Untitled");
  msc.nav_index = at;
  msc.nav_dirty = 1;
}

void nav_delete() {
  set_list_range();
  int at = msc.nav_index;
  if (msc.lo_ind < 0 || at < 0 || at >= ED_NAV_MAX || nav_type[at] != msc.nav_kind) {
    ed_alert("There is no navaid of this kind to delete.", "", "", "");
    return;
  }
  for (int n = at; n < ED_NAV_MAX - 1; n++) nav_copy(n, n + 1);
  nav_type[ED_NAV_MAX - 1] = 0;
  set_list_range();
  if (msc.lo_ind >= 0) msc.nav_index = intlim(at > msc.lo_ind ? at - 1 : msc.lo_ind, msc.lo_ind, msc.hi_ind);
  msc.nav_dirty = 1;
}

// ---- drawing ----

static void plot_list(int selected) {
  MACIBM_fillrect(MAP_BACK, LIST_X - 4, 6, 190, 546);
  set_list_range();
  if (msc.lo_ind < 0) {
    ui_text(LIST_X, LIST_Y + 10, PANEL_TEXT, "NONE OF THIS KIND");
    return;
  }
  // The rows of this kind around the selected one.
  int rows[LIST_ROWS], count = 0, first = selected;
  for (int back = 0; first > msc.lo_ind && back < LIST_ROWS / 2;) {
    first--;
    if (is_kind(first)) back++;
  }
  for (int n = first; n <= msc.hi_ind && count < LIST_ROWS; n++)
    if (is_kind(n)) rows[count++] = n;
  for (int k = 0; k < count; k++) {
    int n = rows[k];
    char s[64];
    const char* id = msc.edit_mode == MODE_APT ? apt_id[n] : nav_id[n];
    const char* name = msc.edit_mode == MODE_APT ? apt_name[n] : nav_name[n];
    std::snprintf(s, sizeof s, "%-4.4s %.24s", id, name);
    if (n == selected) MACIBM_fillrect(28, LIST_X - 2, LIST_Y + k * ROW_H - 2, 186, ROW_H);
    ui_text(LIST_X, LIST_Y + k * ROW_H + 9, n == selected ? PANEL_ON : PANEL_TEXT, s);
  }
}

static int list_row_at(int x, int y, int selected) {
  if (x < LIST_X - 4 || x > LIST_X + 186 || y < LIST_Y - 2) return -1;
  int k = (y - LIST_Y + 2) / ROW_H;
  int first = selected;
  for (int back = 0; first > msc.lo_ind && back < LIST_ROWS / 2;) {
    first--;
    if (is_kind(first)) back++;
  }
  for (int n = first, c = 0; n <= msc.hi_ind; n++)
    if (is_kind(n) && c++ == k) return n;
  return -1;
}

static void value_line(int y, const char* label, const char* value) {
  ui_text(368, y, PANEL_TEXT, label);
  ui_text(480, y, PANEL_ON, value);
}

static void plot_apt_values(int n) {
  char s[80];
  if (n < 0 || apt_type[n] != 1) return;
  value_line(240, "NAME", apt_name[n]);
  value_line(256, "IDENTIFIER", apt_id[n]);
  std::snprintf(s, sizeof s, "%d FT", bk::round(apt_z[n]));
  value_line(272, "ELEVATION", s);
  for (int r = 0; r < 3; r++) {
    if (apt_len[n][r] <= 1 && r > 0) continue;
    std::snprintf(s, sizeof s, "%02d%c %.4f %.4f %03d %d X %d FT", apt_num[n][r], apt_lr[n][r] == 'x' ? ' ' : apt_lr[n][r],
                  apt_lat[n][r], apt_lon[n][r], apt_hdng[n][r], apt_len[n][r], apt_width[n][r]);
    char label[20];
    std::snprintf(label, sizeof label, "RUNWAY %d", r + 1);
    value_line(296 + 16 * r, label, s);
  }
  ui_text(368, 370, PANEL_TEXT, "TYPE TO EDIT THE NAME, - DELETES A LETTER");
}

static void plot_nav_values(int n) {
  char s[80];
  if (n < 0 || nav_type[n] < 2) return;
  value_line(240, "NAME", nav_name[n]);
  value_line(256, "IDENTIFIER", nav_id[n]);
  std::snprintf(s, sizeof s, "%.4f %.4f", nav_lat[n], nav_lon[n]);
  value_line(272, "POSITION", s);
  std::snprintf(s, sizeof s, "%d FT", bk::round(nav_z[n]));
  value_line(288, "ELEVATION", s);
  std::snprintf(s, sizeof s, "%d.%02d", nav_f1[n], nav_f2[n]);
  value_line(304, "FREQUENCY", s);
  std::snprintf(s, sizeof s, "%03d", nav_hdng[n]);
  value_line(320, "HEADING", s);
  ui_text(368, 350, PANEL_TEXT, "TYPE TO EDIT THE NAME, - DELETES A LETTER");
}

static uirect kind_button(int k) { return uirect{5, 115 + 20 * k, 160, 132 + 20 * k}; }

static void draw_apt_nav(int apt) {
  MACIBM_fillrect(PANEL_BACK, 0, 0, 800, 560);
  ui_text(5, 20, PANEL_TEXT, apt ? "AIRPORTS" : "NAVAIDS");
  if (!apt)
    for (int k = 0; k < 8; k++) ui_button(kind_button(k), NAV_KIND_NAMES[k], msc.nav_kind == NAV_KINDS[k]);
  int sel = apt ? msc.apt_index : msc.nav_index;
  plot_list(sel);
  ui_button(DELETE_BTN, "DELETE", 0);
  ui_button(NEW_BTN, "NEW", 0);
  if (apt) plot_apt_values(sel);
  else plot_nav_values(sel);
  if (apt ? msc.apt_dirty : msc.nav_dirty) ui_text(5, 540, 18, "NOT SAVED");
}

static void first_of_kind(int* index) {
  set_list_range();
  if (msc.lo_ind >= 0 && (*index < msc.lo_ind || *index > msc.hi_ind || !is_kind(*index))) *index = msc.lo_ind;
}

void handle_apt(int redraw) {
  if (!redraw && msc.mousedown && !msc.dragging) {
    int x = msc.mx, y = msc.my;
    msc.mousedown = 0;
    set_list_range();
    int n = list_row_at(x, y, msc.apt_index);
    if (n >= 0) msc.apt_index = n;
    else if (ui_in(DELETE_BTN, x, y)) apt_delete();
    else if (ui_in(NEW_BTN, x, y)) apt_new();
    redraw = 1;
  }
  if (redraw) {
    first_of_kind(&msc.apt_index);
    draw_apt_nav(1);
  }
}

void handle_nav(int redraw) {
  if (!redraw && msc.mousedown && !msc.dragging) {
    int x = msc.mx, y = msc.my;
    msc.mousedown = 0;
    set_list_range();
    int n = list_row_at(x, y, msc.nav_index);
    if (n >= 0) {
      msc.nav_index = n;
    } else if (ui_in(DELETE_BTN, x, y)) {
      nav_delete();
    } else if (ui_in(NEW_BTN, x, y)) {
      nav_new(msc.nav_kind);
    } else {
      for (int k = 0; k < 8; k++)
        if (ui_in(kind_button(k), x, y)) msc.nav_kind = NAV_KINDS[k];
    }
    redraw = 1;
  }
  if (redraw) {
    first_of_kind(&msc.nav_index);
    draw_apt_nav(0);
  }
}
