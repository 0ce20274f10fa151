// The menu bar and its pull-down menus: titles, items, separators, check
// marks, greyed items, sub-menus, new columns and keyboard mnemonics. A chosen
// item is posted to the main window as a menu command.
#include <cctype>
#include <cstring>
#include <vector>
#include "basekit/platform/desk_draw.h"
#include "basekit/platform/desk_internal.h"

namespace {
struct ditem {
  int id = 0;
  char text[128] = {};
  int mnemonic = -1;  // position of the mnemonic letter in text, -1 none
  int checked = 0, enabled = 1, new_column = 0, submenu = 0, separator = 0;
};
struct dmenu {
  int exists = 0, in_bar = 0;
  char title[64] = {};
  int mnemonic = 0;
  std::vector<ditem> items;
};
dmenu menus[DESK_MENUS];
std::vector<int> bar;  // menus on the bar, left to right

enum { ITEM_H = 18, SEPARATOR_H = 8, MARGIN_L = 22, MARGIN_R = 22, MAX_LEVELS = 6, BAR_PAD = 8 };
struct level {
  int menu, x, y, hilite;
};
level open[MAX_LEVELS];
int open_count = 0;
int pressed_on_bar = 0;

int valid(int m) { return m >= 1 && m < DESK_MENUS && menus[m].exists; }

ditem* item_by_id(int m, int id) {
  if (!valid(m)) return nullptr;
  for (ditem& it : menus[m].items)
    if (it.id == id) return &it;
  return nullptr;
}

int bar_title_x(int n) {
  int x = 4;
  for (int i = 0; i < n; i++) x += plat_text_width(PLAT_FONT_PROPORTIONAL, menus[bar[(size_t)i]].title) + 2 * BAR_PAD;
  return x;
}
int bar_title_w(int n) { return plat_text_width(PLAT_FONT_PROPORTIONAL, menus[bar[(size_t)n]].title) + 2 * BAR_PAD; }

int bar_at(int x, int y) {
  if (y < 0 || y >= DESK_MENUBAR_H) return -1;
  for (size_t n = 0; n < bar.size(); n++) {
    int bx = bar_title_x((int)n);
    if (x >= bx && x < bx + bar_title_w((int)n)) return (int)n;
  }
  return -1;
}

// Where each item of a pull-down lies, column by column.
struct item_box {
  int x, y, w, h;
};
int layout(int m, int x0, int y0, item_box* boxes, int* total_w, int* total_h) {
  const std::vector<ditem>& items = menus[m].items;
  int n = (int)items.size();
  int col_x = x0, y = y0 + 3, col_start = 0, max_h = 0;
  for (int i = 0; i <= n; i++) {
    if (i == n || (i > col_start && items[(size_t)i].new_column)) {
      int w = 60;
      for (int k = col_start; k < i; k++)
        if (!items[(size_t)k].separator) {
          int tw = plat_text_width(PLAT_FONT_PROPORTIONAL, items[(size_t)k].text) + MARGIN_L + MARGIN_R;
          if (tw > w) w = tw;
        }
      for (int k = col_start; k < i; k++) {
        boxes[k].x = col_x;
        boxes[k].w = w;
      }
      if (y - y0 > max_h) max_h = y - y0;
      col_x += w;
      col_start = i;
      y = y0 + 3;
      if (i == n) break;
    }
    boxes[i].y = y;
    boxes[i].h = items[(size_t)i].separator ? SEPARATOR_H : ITEM_H;
    y += boxes[i].h;
  }
  *total_w = col_x - x0 + 3;
  *total_h = (max_h > 3 ? max_h : 3 + ITEM_H) + 3;
  return n;
}

// A pull-down kept on the screen.
void place(int m, int* x, int* y) {
  static item_box boxes[DESK_MENU_ITEMS * 4];
  int w, h;
  if ((int)menus[m].items.size() > DESK_MENU_ITEMS * 4) return;
  layout(m, 0, 0, boxes, &w, &h);
  if (*x + w > PLAT_SCREEN_W) *x = PLAT_SCREEN_W - w;
  if (*x < 0) *x = 0;
  if (*y + h > PLAT_SCREEN_H) *y = PLAT_SCREEN_H - h;
  if (*y < DESK_MENUBAR_H) *y = DESK_MENUBAR_H;
}

item_box level_boxes[MAX_LEVELS][DESK_MENU_ITEMS * 4];
int level_w[MAX_LEVELS], level_h[MAX_LEVELS], level_n[MAX_LEVELS];

void relayout(int lv) {
  level& l = open[lv];
  if ((int)menus[l.menu].items.size() > DESK_MENU_ITEMS * 4) {
    level_n[lv] = 0;
    return;
  }
  level_n[lv] = layout(l.menu, l.x, l.y, level_boxes[lv], &level_w[lv], &level_h[lv]);
}

void open_level(int lv, int m, int x, int y) {
  if (lv >= MAX_LEVELS || !valid(m)) return;
  place(m, &x, &y);
  open[lv] = {m, x, y, -1};
  open_count = lv + 1;
  relayout(lv);
}

void open_bar_menu(int n) {
  if (n < 0 || n >= (int)bar.size()) return;
  open_level(0, bar[(size_t)n], bar_title_x(n), DESK_MENUBAR_H);
}

int open_bar_index() {
  if (!open_count) return -1;
  for (size_t n = 0; n < bar.size(); n++)
    if (bar[n] == open[0].menu) return (int)n;
  return -1;
}

int item_at(int lv, int x, int y) {
  for (int i = 0; i < level_n[lv]; i++) {
    const item_box& b = level_boxes[lv][i];
    if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) return i;
  }
  return -1;
}

int level_at(int x, int y) {
  for (int lv = open_count - 1; lv >= 0; lv--)
    if (x >= open[lv].x && x < open[lv].x + level_w[lv] && y >= open[lv].y && y < open[lv].y + level_h[lv])
      return lv;
  return -1;
}

const ditem& item_of(int lv, int i) { return menus[open[lv].menu].items[(size_t)i]; }

int selectable(const ditem& it) { return !it.separator && it.enabled; }

void hilite(int lv, int i) {
  open[lv].hilite = i;
  open_count = lv + 1;
  if (i >= 0 && item_of(lv, i).submenu && item_of(lv, i).enabled) {
    const item_box& b = level_boxes[lv][i];
    open_level(lv + 1, item_of(lv, i).submenu, b.x + b.w - 3, b.y - 3);
    open[lv].hilite = i;
  }
}

void choose(int lv, int i) {
  const ditem& it = item_of(lv, i);
  if (!selectable(it)) return;
  if (it.submenu) {
    hilite(lv, i);
    if (open_count > lv + 1) open[lv + 1].hilite = -1;
    return;
  }
  int id = it.id;
  desk_menu_close_all();
  if (int main = desk_main_handle()) desk_post(main, WM_COMMAND, id, 0);
}

void draw_text_with_mnemonic(int x, int y, const char* text, int mnemonic, int color) {
  ds_text(x, y, PLAT_FONT_PROPORTIONAL, text, color);
  if (mnemonic >= 0 && mnemonic < (int)std::strlen(text)) {
    char before[128];
    std::strncpy(before, text, (size_t)mnemonic);
    before[mnemonic] = 0;
    char letter[2] = {text[mnemonic], 0};
    int ux = x + plat_text_width(PLAT_FONT_PROPORTIONAL, before);
    ds_hline(ux, y + plat_font_ascent(PLAT_FONT_PROPORTIONAL) + 1, plat_text_width(PLAT_FONT_PROPORTIONAL, letter), color);
  }
}

void draw_check(int x, int y, int color) {
  for (int i = 0; i < 3; i++) ds_fill(x + i, y + 3 + i, 1, 3, color);
  for (int i = 0; i < 5; i++) ds_fill(x + 3 + i, y + 5 - i, 1, 3, color);
}

void draw_arrow(int x, int y, int color) {
  for (int i = 0; i < 4; i++) ds_vline(x + i, y + i, 7 - 2 * i, color);
}

void draw_level(int lv) {
  const level& l = open[lv];
  ds_fill(l.x, l.y, level_w[lv], level_h[lv], DC_FACE);
  ds_bevel(l.x, l.y, level_w[lv], level_h[lv], 1);
  int th = plat_font_height(PLAT_FONT_PROPORTIONAL);
  for (int i = 0; i < level_n[lv]; i++) {
    const ditem& it = item_of(lv, i);
    const item_box& b = level_boxes[lv][i];
    if (it.separator) {
      ds_hline(b.x + 3, b.y + 3, b.w - 6, DC_SHADOW);
      ds_hline(b.x + 3, b.y + 4, b.w - 6, DC_WHITE);
      continue;
    }
    int lit = i == l.hilite;
    if (lit) ds_fill(b.x + 2, b.y, b.w - 4, b.h, DC_SELECT);
    int ty = b.y + (b.h - th) / 2;
    int color = lit ? DC_WHITE : DC_BLACK;
    if (!it.enabled) {
      if (!lit) draw_text_with_mnemonic(b.x + MARGIN_L + 1, ty + 1, it.text, it.mnemonic, DC_WHITE);
      color = DC_GREYTEXT;
    }
    draw_text_with_mnemonic(b.x + MARGIN_L, ty, it.text, it.mnemonic, color);
    if (it.checked) draw_check(b.x + 7, b.y + 4, color);
    if (it.submenu) draw_arrow(b.x + b.w - 14, b.y + 5, color);
  }
}

int find_mnemonic(int lv, int c) {
  c = std::tolower(c);
  for (int i = 0; i < level_n[lv]; i++) {
    const ditem& it = item_of(lv, i);
    if (selectable(it) && it.mnemonic >= 0 && std::tolower((unsigned char)it.text[it.mnemonic]) == c) return i;
  }
  return -1;
}

void step_hilite(int lv, int dir) {
  int n = level_n[lv];
  if (n == 0) return;
  int i = open[lv].hilite;
  for (int k = 0; k < n; k++) {
    i = i < 0 ? (dir > 0 ? 0 : n - 1) : (i + dir + n) % n;
    if (selectable(item_of(lv, i))) {
      open[lv].hilite = i;
      open_count = lv + 1;
      return;
    }
  }
}
}  // namespace

void desk_menu_create(int menu, const char* title, int in_bar) {
  if (menu < 1 || menu >= DESK_MENUS) return;
  dmenu& m = menus[menu];
  m = dmenu();
  m.exists = 1;
  m.in_bar = in_bar;
  std::strncpy(m.title, title ? title : "", sizeof m.title - 1);
  m.mnemonic = 0;
  if (in_bar) bar.push_back(menu);
  desk_menu_close_all();
}

void desk_menu_append(int menu, int item, int mnemonic_pos, const char* text, int new_column, int submenu) {
  if (!valid(menu) || menus[menu].items.size() >= DESK_MENU_ITEMS * 4) return;
  ditem it;
  it.id = item;
  std::strncpy(it.text, text ? text : "", sizeof it.text - 1);
  it.separator = text && text[0] == '-';
  it.mnemonic = mnemonic_pos >= 0 && mnemonic_pos < (int)std::strlen(it.text) ? mnemonic_pos : -1;
  it.new_column = new_column;
  it.submenu = submenu;
  menus[menu].items.push_back(it);
  desk_menu_close_all();
}

void desk_menu_delete_item(int menu, int item) {
  if (!valid(menu)) return;
  std::vector<ditem>& items = menus[menu].items;
  for (size_t i = 0; i < items.size(); i++)
    if (items[i].id == item) {
      items.erase(items.begin() + (long)i);
      break;
    }
  desk_menu_close_all();
}

void desk_menu_delete(int menu) {
  if (!valid(menu)) return;
  for (size_t n = 0; n < bar.size(); n++)
    if (bar[n] == menu) bar.erase(bar.begin() + (long)n);
  for (dmenu& m : menus)
    for (size_t i = 0; i < m.items.size(); i++)
      if (m.items[i].submenu == menu) m.items.erase(m.items.begin() + (long)i--);
  menus[menu] = dmenu();
  desk_menu_close_all();
}

void desk_menu_check(int menu, int item, int on) {
  if (ditem* it = item_by_id(menu, item)) it->checked = on != 0;
}
void desk_menu_enable(int menu, int item, int on) {
  if (ditem* it = item_by_id(menu, item)) it->enabled = on != 0;
}
int desk_menu_checked(int menu, int item) {
  ditem* it = item_by_id(menu, item);
  return it && it->checked;
}
int desk_menu_enabled(int menu, int item) {
  ditem* it = item_by_id(menu, item);
  return it && it->enabled;
}
int desk_menu_item_count(int menu) { return valid(menu) ? (int)menus[menu].items.size() : 0; }
int desk_menu_item_id(int menu, int pos) {
  if (!valid(menu) || pos < 0 || pos >= (int)menus[menu].items.size()) return 0;
  return menus[menu].items[(size_t)pos].id;
}
const char* desk_menu_item_text(int menu, int pos) {
  if (!valid(menu) || pos < 0 || pos >= (int)menus[menu].items.size()) return "";
  return menus[menu].items[(size_t)pos].text;
}
int desk_menu_item_column(int menu, int pos) {
  if (!valid(menu) || pos < 0 || pos >= (int)menus[menu].items.size()) return -1;
  int col = 0;
  for (int i = 1; i <= pos; i++) col += menus[menu].items[(size_t)i].new_column;
  return col;
}
int desk_menu_item_submenu(int menu, int pos) {
  if (!valid(menu) || pos < 0 || pos >= (int)menus[menu].items.size()) return 0;
  return menus[menu].items[(size_t)pos].submenu;
}
const char* desk_menu_title(int menu) { return valid(menu) ? menus[menu].title : ""; }
int desk_menu_exists(int menu) { return valid(menu); }

void desk_menu_open(int menu) {
  for (size_t n = 0; n < bar.size(); n++)
    if (bar[n] == menu) open_bar_menu((int)n);
}
int desk_menu_is_open() { return open_count > 0; }
void desk_menu_close_all() {
  open_count = 0;
  pressed_on_bar = 0;
}

void desk_menu_draw_bar() {
  if (bar.empty()) return;
  ds_fill(0, 0, PLAT_SCREEN_W, DESK_MENUBAR_H, DC_FACE);
  ds_hline(0, DESK_MENUBAR_H - 1, PLAT_SCREEN_W, DC_SHADOW);
  int opened = open_bar_index();
  int th = plat_font_height(PLAT_FONT_PROPORTIONAL);
  for (size_t n = 0; n < bar.size(); n++) {
    int x = bar_title_x((int)n), w = bar_title_w((int)n);
    int lit = (int)n == opened;
    if (lit) ds_fill(x, 1, w, DESK_MENUBAR_H - 3, DC_SELECT);
    draw_text_with_mnemonic(x + BAR_PAD, (DESK_MENUBAR_H - th) / 2, menus[bar[n]].title, 0, lit ? DC_WHITE : DC_BLACK);
  }
}

void desk_menu_draw_open() {
  for (int lv = 0; lv < open_count; lv++) draw_level(lv);
}

int desk_menu_mouse(const plat_event* ev) {
  int on_bar = bar_at(ev->x, ev->y);
  if (!open_count) {
    if (ev->type == PLAT_EV_BUTTONDOWN && ev->y < DESK_MENUBAR_H && !bar.empty()) {
      if (on_bar >= 0) {
        open_bar_menu(on_bar);
        pressed_on_bar = 1;
      }
      return 1;
    }
    return 0;
  }
  int lv = level_at(ev->x, ev->y);
  int i = lv >= 0 ? item_at(lv, ev->x, ev->y) : -1;
  switch (ev->type) {
    case PLAT_EV_MOUSEMOVE:
      if (on_bar >= 0 && on_bar != open_bar_index()) open_bar_menu(on_bar);
      else if (lv >= 0 && i >= 0 && i != open[lv].hilite) hilite(lv, i);
      break;
    case PLAT_EV_BUTTONDOWN:
      if (on_bar >= 0) {
        if (on_bar == open_bar_index()) desk_menu_close_all();
        else open_bar_menu(on_bar);
      } else if (lv >= 0) {
        if (i >= 0) choose(lv, i);
      } else {
        desk_menu_close_all();
      }
      break;
    case PLAT_EV_BUTTONUP:
      // Press on the title, drag, release on an item: the item is chosen.
      if (pressed_on_bar && lv >= 0 && i >= 0 && !item_of(lv, i).submenu) choose(lv, i);
      pressed_on_bar = 0;
      break;
    default: break;
  }
  return 1;
}

int desk_menu_key(const plat_event* ev) {
  if (!open_count) {
    if (ev->key == KEY_F1 + 9 && !bar.empty()) {
      open_bar_menu(0);
      return 1;
    }
    if ((ev->mods & PLAT_MOD_ALT) && ev->key < 127 && std::isalpha(ev->key)) {
      for (size_t n = 0; n < bar.size(); n++)
        if (std::tolower((unsigned char)menus[bar[n]].title[0]) == std::tolower(ev->key)) {
          open_bar_menu((int)n);
          return 1;
        }
    }
    return 0;
  }
  int lv = open_count - 1;
  // Keys act on the deepest level that has a highlight, or on the newest one.
  if (lv > 0 && open[lv].hilite < 0) lv--;
  if (open_count - 1 > lv && open[open_count - 1].hilite >= 0) lv = open_count - 1;
  int bar_n = open_bar_index();
  switch (ev->key) {
    case KEY_ESCAPE:
      if (open_count > 1) open_count--;
      else desk_menu_close_all();
      return 1;
    case KEY_UP: step_hilite(lv, -1); return 1;
    case KEY_DOWN: step_hilite(lv, +1); return 1;
    case KEY_RIGHT:
      if (open[lv].hilite >= 0 && item_of(lv, open[lv].hilite).submenu) {
        hilite(lv, open[lv].hilite);
        if (open_count > lv + 1) step_hilite(lv + 1, +1);
      } else if (!bar.empty()) {
        open_bar_menu((bar_n + 1) % (int)bar.size());
      }
      return 1;
    case KEY_LEFT:
      if (open_count > 1) open_count--;
      else if (!bar.empty()) open_bar_menu((bar_n - 1 + (int)bar.size()) % (int)bar.size());
      return 1;
    case KEY_RETURN:
    case KEY_KP_ENTER:
      if (open[lv].hilite >= 0) choose(lv, open[lv].hilite);
      return 1;
    default: break;
  }
  if (ev->key < 127 && std::isalnum(ev->key)) {
    int i = find_mnemonic(open_count - 1, ev->key);
    if (i >= 0) choose(open_count - 1, i);
  }
  return 1;
}
