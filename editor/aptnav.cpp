// The airport and navaid screens: the list of one kind, new and delete, the
// selected entry's values and its name.
#include <cstdio>
#include <cstring>
#include "basekit/bk_fields.h"
#include "basekit/bk_graph.h"
#include "editor/ed.h"
#include "editor/ui.h"

static const uirect DELETE_BTN = {368, 165, 643, 185}, NEW_BTN = {368, 188, 643, 208};
static const int NAV_KINDS[8] = {2, 3, 4, 6, 5, 7, 8, 9};
static const char* const NAV_KIND_NAMES[8] = {"NDB", "VOR", "LOC", "GS", "LOC 5", "OUTER", "MIDDLE", "INNER"};

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

// ---- the list: the entries of the selected kind, in table order ----

static char list_names[ED_NAV_MAX][APT_NAME_DIM];
static char list_ids[ED_NAV_MAX][APT_ID_DIM];
static int  list_index[ED_NAV_MAX];   // table index of each row
static int  list_count = 0;

// Navaids of different kinds stand mixed in the file, so the list is
// gathered rather than taken as a range of the table.
static void gather_list() {
  list_count = 0;
  for (int n = 0; n < table_size(); n++) {
    if (!is_kind(n)) continue;
    std::memcpy(list_names[list_count], msc.edit_mode == MODE_APT ? apt_name[n] : nav_name[n], APT_NAME_DIM);
    std::memcpy(list_ids[list_count], msc.edit_mode == MODE_APT ? apt_id[n] : nav_id[n], APT_ID_DIM);
    list_index[list_count++] = n;
  }
}

static int list_row_of(int index) {
  for (int k = 0; k < list_count; k++)
    if (list_index[k] == index) return k;
  return 0;
}

enum { LIST_X = 368, LIST_Y = 60 };

// Paints the list; with click set a click on it moves the selection. 1 when it did.
static int name_list(int* index, int click) {
  gather_list();
  int row = list_row_of(*index);
  int moved = plot_name_list(LIST_X, LIST_Y, list_names, list_ids, &row, 0, list_count - 1, click);
  if (list_count > 0) *index = list_index[row];
  return moved;
}

void step_list(int* index, int d) {
  gather_list();
  if (list_count == 0) return;
  *index = list_index[intlim(list_row_of(*index) + d, 0, list_count - 1)];
}

// ---- the selected entry's fields ----

static const char* const SIDES[4] = {"-", "L", "C", "R"};
static const char SIDE_CHARS[4] = {'x', 'L', 'C', 'R'};

static int side_choice(char c) {
  for (int k = 1; k < 4; k++)
    if (c == SIDE_CHARS[k]) return k + 1;
  return 1;
}

// Clicked (redraw clear) or painted; 1 when a value changed.
static int apt_fields(int n, int redraw) {
  if (n < 0 || apt_type[n] != 1) return 0;
  int changed = ui_ident(30, 262, apt_id[n], redraw);
  changed |= ui_number(170, 262, &apt_z[n], 5, 0, -1500, 29000, redraw);
  if (redraw || msc.mousedown) {
    int tower = apt_twr[n] == 1;
    // A click elsewhere leaves the box alone; the box is painted either way.
    if (inboolbtn(292, 274, &tower)) {
      apt_twr[n] = tower;
      changed = 1;
    }
  }
  for (int r = 0; r < 3; r++) {
    int y = 350 + 45 * r;
    changed |= ui_int(60, y, &apt_num[n][r], 2, 0, 36, redraw);
    int side = side_choice(apt_lr[n][r]);
    if (ui_cycler(88, y + 17, SIDES, &side, redraw)) {
      apt_lr[n][r] = SIDE_CHARS[side - 1];
      changed = 1;
    }
    changed |= ui_int(125, y, &apt_hdng[n][r], 3, 0, 359, redraw);
    changed |= ui_int(170, y, &apt_len[n][r], 5, 0, 99999, redraw);
    changed |= ui_int(235, y, &apt_width[n][r], 3, 0, 999, redraw);
    changed |= ui_int(280, y, &apt_lite[n][r], 6, 0, 999999, redraw);
    changed |= ui_number(365, y, &apt_lat[n][r], 6, 4, -90, 90, redraw);
    changed |= ui_number(450, y, &apt_lon[n][r], 7, 4, -180, 180, redraw);
  }
  return changed;
}

static int nav_fields(int n, int redraw) {
  if (n < 0 || nav_type[n] < 2) return 0;
  int changed = ui_ident(20, 262, nav_id[n], redraw);
  changed |= ui_number(150, 262, &nav_lat[n], 6, 4, -90, 90, redraw);
  changed |= ui_number(240, 262, &nav_lon[n], 7, 4, -180, 180, redraw);
  changed |= ui_number(340, 262, &nav_z[n], 5, 0, -1500, 29000, redraw);
  // NDBs are tuned in kHz, up to 1750.
  int ndb = nav_type[n] == 2;
  changed |= ui_int(430, 262, &nav_f1[n], ndb ? 4 : 3, 0, ndb ? 1799 : 999, redraw);
  if (!ndb) changed |= ui_int(482, 262, &nav_f2[n], 2, 0, 99, redraw);
  changed |= ui_int(540, 262, &nav_hdng[n], 3, 0, 359, redraw);
  if (redraw && !ndb) MACIBM_fillrect(PANEL_ON, 468, 282, 2, 2);
  return changed;
}

static void draw_apt_nav(int apt) {
  paint_background();
  if (!apt)
    for (int k = 0; k < 8; k++) {
      inonebool(14, 34 + 19 * k, &msc.nav_kind, NAV_KINDS[k]);
      ui_text(32, 43 + 19 * k, PANEL_TEXT, NAV_KIND_NAMES[k]);
    }
  int* sel = apt ? &msc.apt_index : &msc.nav_index;
  name_list(sel, 0);
  char s[64];
  std::snprintf(s, sizeof s, "%d OF THIS KIND", list_count);
  ui_text(LIST_X + 150, 28, PANEL_TEXT, s);
  ui_button(DELETE_BTN, "DELETE", 0);
  ui_button(NEW_BTN, "NEW", 0);
  if (list_count == 0) {
    ui_text(20, 245, PANEL_TEXT, "NONE OF THIS KIND: NEW MAKES ONE");
  } else {
    ui_text(20, 243, PANEL_TEXT, "NAME");
    ui_text(60, 243, PANEL_ON, apt ? apt_name[*sel] : nav_name[*sel]);
    if (apt) apt_fields(*sel, 1);
    else nav_fields(*sel, 1);
  }
  if (apt ? msc.apt_dirty : msc.nav_dirty) ui_text(700, 540, 18, "NOT SAVED");
}

static void first_of_kind(int* index) {
  set_list_range();
  if (msc.lo_ind >= 0 && (*index < msc.lo_ind || *index > msc.hi_ind || !is_kind(*index))) *index = msc.lo_ind;
}

void handle_apt(int redraw) {
  if (!redraw && msc.mousedown && !msc.dragging) {
    int x = msc.mx, y = msc.my;
    first_of_kind(&msc.apt_index);
    if (apt_fields(msc.apt_index, 0)) {
      // Runways draw on the terrain map, so the quadrant's picture changes too.
      msc.apt_dirty = msc.map_dirty = 1;
    } else if (!name_list(&msc.apt_index, 1)) {
      if (ui_in(DELETE_BTN, x, y)) apt_delete();
      else if (ui_in(NEW_BTN, x, y)) apt_new();
    }
    msc.mousedown = 0;
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
    first_of_kind(&msc.nav_index);
    if (nav_fields(msc.nav_index, 0)) {
      msc.nav_dirty = 1;
    } else if (!name_list(&msc.nav_index, 1)) {
      if (ui_in(DELETE_BTN, x, y)) nav_delete();
      else if (ui_in(NEW_BTN, x, y)) nav_new(msc.nav_kind);
      else
        for (int k = 0; k < 8; k++) inonebool(14, 34 + 19 * k, &msc.nav_kind, NAV_KINDS[k]);
    }
    msc.mousedown = 0;
    redraw = 1;
  }
  if (redraw) {
    first_of_kind(&msc.nav_index);
    draw_apt_nav(0);
  }
}
