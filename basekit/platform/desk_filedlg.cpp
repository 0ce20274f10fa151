// Open and save file dialogs: a modal box listing a folder's entries filtered
// by extension, with a name field, folder navigation, OK and Cancel.
#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/platform/desk_draw.h"
#include "basekit/platform/desk_internal.h"
#include "basekit/platform/plat_internal.h"

namespace {
enum { BOX_W = 540, BOX_H = 420, ROWS = 15, ROW_H = 17, BUTTON_W = 84, BUTTON_H = 24 };

struct entry {
  std::string name;
  int is_dir;
};

struct dialog {
  int save;
  std::string folder, ext, name;
  std::vector<entry> entries;
  int selected = -1, top = 0;
  int x, y;
  int pressed = -1;  // 0 OK, 1 Cancel, 2 Up
  uint64_t last_click_ms = 0;
  int last_click_row = -1;
};

int is_dir(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
int is_file(const std::string& p) {
  struct stat st;
  return stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string lower(std::string s) {
  for (char& c : s) c = (char)std::tolower((unsigned char)c);
  return s;
}

int matches(const std::string& name, const std::string& ext) {
  if (ext.empty() || ext == "*") return 1;
  std::string tail = "." + lower(ext);
  std::string n = lower(name);
  return n.size() > tail.size() && n.compare(n.size() - tail.size(), tail.size(), tail) == 0;
}

void read_folder(dialog* d) {
  d->entries.clear();
  d->selected = -1;
  d->top = 0;
  DIR* dir = opendir(d->folder.c_str());
  if (!dir) return;
  while (dirent* e = readdir(dir)) {
    std::string n = e->d_name;
    if (n.empty() || n[0] == '.') continue;
    std::string full = d->folder + "/" + n;
    if (is_dir(full)) d->entries.push_back({n, 1});
    else if (matches(n, d->ext)) d->entries.push_back({n, 0});
  }
  closedir(dir);
  std::sort(d->entries.begin(), d->entries.end(), [](const entry& a, const entry& b) {
    if (a.is_dir != b.is_dir) return a.is_dir > b.is_dir;
    return lower(a.name) < lower(b.name);
  });
  // Opening, the entry named by the caller (else the first) is ready for Enter;
  // saving keeps the name given.
  if (!d->save && !d->entries.empty()) {
    int pick = 0;
    for (size_t i = 0; i < d->entries.size(); i++)
      if (d->entries[i].name == d->name) pick = (int)i;
    d->selected = pick;
    if (pick >= ROWS) d->top = pick - ROWS + 1;
    if (!d->entries[(size_t)pick].is_dir) d->name = d->entries[(size_t)pick].name;
  }
}

void go_up(dialog* d) {
  size_t slash = d->folder.rfind('/');
  d->folder = slash == 0 || slash == std::string::npos ? "/" : d->folder.substr(0, slash);
  read_folder(d);
}

void enter(dialog* d, const std::string& sub) {
  d->folder = d->folder == "/" ? "/" + sub : d->folder + "/" + sub;
  read_folder(d);
}

int list_x(const dialog* d) { return d->x + 12; }
int list_y(const dialog* d) { return d->y + DESK_CAPTION_H + 34; }
int list_w() { return BOX_W - 24; }

void button_rect(const dialog* d, int b, int* x, int* y) {
  // OK and Cancel at the right, Up at the left.
  *x = b == 0 ? d->x + BOX_W - 12 - 2 * BUTTON_W - 10 : b == 1 ? d->x + BOX_W - 12 - BUTTON_W : d->x + 12;
  *y = d->y + BOX_H - BUTTON_H - 12;
}

void draw(const dialog* d) {
  desk_compose();
  ds_fill(d->x, d->y, BOX_W, BOX_H, DC_FACE);
  ds_bevel(d->x, d->y, BOX_W, BOX_H, 1);
  ds_fill(d->x + 3, d->y + 3, BOX_W - 6, DESK_CAPTION_H - 2, DC_CAPTION);
  ds_text(d->x + 8, d->y + 5, PLAT_FONT_BOLD, d->save ? "Save As" : "Open", DC_WHITE);
  std::string shown = d->folder;
  while (shown.size() > 4 && plat_text_width(PLAT_FONT_PROPORTIONAL, ("Folder: " + shown).c_str()) > list_w())
    shown = "..." + shown.substr(4);
  ds_text(d->x + 12, d->y + DESK_CAPTION_H + 10, PLAT_FONT_PROPORTIONAL, ("Folder: " + shown).c_str(), DC_BLACK);
  int lx = list_x(d), ly = list_y(d);
  ds_fill(lx, ly, list_w(), ROWS * ROW_H + 4, DC_WHITE);
  ds_bevel(lx, ly, list_w(), ROWS * ROW_H + 4, 0);
  for (int r = 0; r < ROWS; r++) {
    int i = d->top + r;
    if (i >= (int)d->entries.size()) break;
    const entry& e = d->entries[(size_t)i];
    int ry = ly + 2 + r * ROW_H;
    int color = DC_BLACK;
    if (i == d->selected) {
      ds_fill(lx + 2, ry, list_w() - 4, ROW_H, DC_SELECT);
      color = DC_WHITE;
    }
    std::string label = e.is_dir ? "[" + e.name + "]" : e.name;
    ds_text(lx + 6, ry + 1, PLAT_FONT_PROPORTIONAL, label.c_str(), color);
  }
  if ((int)d->entries.size() > ROWS) {  // a plain scroll position mark
    int track = ROWS * ROW_H;
    int mark_y = ly + 2 + track * d->top / (int)d->entries.size();
    int mark_h = track * ROWS / (int)d->entries.size();
    ds_fill(lx + list_w() - 8, mark_y, 5, mark_h < 6 ? 6 : mark_h, DC_SHADOW);
  }
  int fy = ly + ROWS * ROW_H + 14;
  ds_text(d->x + 12, fy + 3, PLAT_FONT_PROPORTIONAL, "File name:", DC_BLACK);
  ds_fill(d->x + 90, fy, BOX_W - 102, 20, DC_WHITE);
  ds_bevel(d->x + 90, fy, BOX_W - 102, 20, 0);
  std::string field = d->name + "_";
  ds_text(d->x + 94, fy + 3, PLAT_FONT_PROPORTIONAL, field.c_str(), DC_BLACK);
  std::string type = "Files of type: " + (d->ext == "*" ? std::string("all files") : "*." + d->ext);
  ds_text(d->x + 12, fy + 28, PLAT_FONT_PROPORTIONAL, type.c_str(), DC_BLACK);
  const char* labels[3] = {d->save ? "Save" : "Open", "Cancel", "Up"};
  for (int b = 0; b < 3; b++) {
    int bx, by;
    button_rect(d, b, &bx, &by);
    ds_button(bx, by, BUTTON_W, BUTTON_H, labels[b], d->pressed == b, b == 0);
  }
  desk_modal_present();
}

int button_at(const dialog* d, int x, int y) {
  for (int b = 0; b < 3; b++) {
    int bx, by;
    button_rect(d, b, &bx, &by);
    if (x >= bx && x < bx + BUTTON_W && y >= by && y < by + BUTTON_H) return b;
  }
  return -1;
}

int row_at(const dialog* d, int x, int y) {
  int lx = list_x(d), ly = list_y(d) + 2;
  if (x < lx || x >= lx + list_w() || y < ly || y >= ly + ROWS * ROW_H) return -1;
  int i = d->top + (y - ly) / ROW_H;
  return i < (int)d->entries.size() ? i : -1;
}

void select_row(dialog* d, int i) {
  if (i < 0 || i >= (int)d->entries.size()) return;
  d->selected = i;
  if (i < d->top) d->top = i;
  if (i >= d->top + ROWS) d->top = i - ROWS + 1;
  if (!d->entries[(size_t)i].is_dir) d->name = d->entries[(size_t)i].name;
  else if (!d->save) d->name.clear();  // Enter then opens the folder
}

int ask(const char* line1, const char* line2, int buttons) {
  const char* lines[2] = {line1, line2};
  const char* labels[2] = {buttons == 2 ? "Yes" : "OK", "No"};
  return desk_alert(buttons == 2 ? "Save As" : "Open", lines, 2, buttons, labels);
}

// 1 when the dialog is done with a choice in *chosen.
int accept(dialog* d, std::string* chosen) {
  if (d->name.empty()) {
    if (d->selected >= 0 && d->entries[(size_t)d->selected].is_dir) enter(d, d->entries[(size_t)d->selected].name);
    return 0;
  }
  std::string target = d->name[0] == '/' ? d->name : (d->folder == "/" ? "/" : d->folder + "/") + d->name;
  if (is_dir(target)) {
    d->folder = target;
    d->name.clear();
    read_folder(d);
    return 0;
  }
  if (d->save && d->ext != "*" && d->name.find('.') == std::string::npos) target += "." + d->ext;
  if (!d->save && !is_file(target)) {
    ask("The file could not be found:", target.c_str(), 1);
    return 0;
  }
  if (d->save && is_file(target) && ask("This file already exists. Replace it?", target.c_str(), 2) != 0)
    return 0;
  *chosen = target;
  return 1;
}

int run(dialog* d, std::string* chosen) {
  int redraw = 1;
  for (;;) {
    if (redraw) draw(d);
    redraw = 0;
    plat_event ev;
    while (plat_poll_event(&ev)) {
      redraw = 1;
      switch (ev.type) {
        case PLAT_EV_QUIT: {
          plat_event again = ev;
          plat_inject_event(&again);
          return 0;
        }
        case PLAT_EV_KEYDOWN:
          if (ev.key == KEY_ESCAPE) return 0;
          if (ev.key == KEY_RETURN || ev.key == KEY_KP_ENTER) {
            if (accept(d, chosen)) return 1;
          } else if (ev.key == KEY_BACKSPACE) {
            if (!d->name.empty()) d->name.pop_back();
          } else if (ev.key == KEY_UP) {
            select_row(d, d->selected < 0 ? 0 : d->selected - 1);
          } else if (ev.key == KEY_DOWN) {
            select_row(d, d->selected + 1);
          } else if (ev.text >= 32 && ev.text < 127 && d->name.size() < 200) {
            d->name += (char)ev.text;
          }
          break;
        case PLAT_EV_WHEEL:
          d->top -= ev.button * 3;
          if (d->top > (int)d->entries.size() - ROWS) d->top = (int)d->entries.size() - ROWS;
          if (d->top < 0) d->top = 0;
          break;
        case PLAT_EV_BUTTONDOWN: {
          d->pressed = button_at(d, ev.x, ev.y);
          int r = row_at(d, ev.x, ev.y);
          if (r >= 0) {
            uint64_t now = plat_ticks_ms();
            int twice = r == d->last_click_row && now - d->last_click_ms < 450;
            d->last_click_row = r;
            d->last_click_ms = now;
            select_row(d, r);
            if (twice) {
              if (d->entries[(size_t)r].is_dir) enter(d, d->entries[(size_t)r].name);
              else if (accept(d, chosen)) return 1;
            }
          }
          break;
        }
        case PLAT_EV_BUTTONUP: {
          int b = d->pressed >= 0 && button_at(d, ev.x, ev.y) == d->pressed ? d->pressed : -1;
          d->pressed = -1;
          if (b == 1) return 0;
          if (b == 2) go_up(d);
          if (b == 0 && accept(d, chosen)) return 1;
          break;
        }
        default: break;
      }
    }
    if (!redraw) plat_delay_ms(10);
  }
}
}  // namespace

static desk_dialog_chooser dialog_default = nullptr;
static void (*dialog_listener)(int, const char*, const char*, const char*) = nullptr;

void desk_set_dialog_default(desk_dialog_chooser choose) { dialog_default = choose; }
void desk_set_dialog_listener(void (*listener)(int, const char*, const char*, const char*)) {
  dialog_listener = listener;
}

static int choose_path(int save, const char* start_folder, const char* ext, const char* default_name,
                       std::string* chosen) {
  int kind, button;
  char queued[4096];
  if (desk_take_answer(&kind, &button, queued, sizeof queued)) {
    if (kind != DESK_ANSWER_PATH) return 0;
    *chosen = queued;
    return 1;
  }
  if (plat_headless() || !plat_started()) {
    if (!dialog_default || !dialog_default(save, start_folder ? start_folder : "", ext ? ext : "*", queued,
                                           sizeof queued))
      return 0;
    *chosen = queued;
    return 1;
  }
  static dialog d;
  d = dialog();
  d.save = save;
  d.folder = start_folder && start_folder[0] ? start_folder : "/";
  while (d.folder.size() > 1 && d.folder.back() == '/') d.folder.pop_back();
  if (!is_dir(d.folder)) d.folder = "/";
  d.ext = ext && ext[0] ? ext : "*";
  d.name = default_name ? default_name : "";
  d.x = (PLAT_SCREEN_W - BOX_W) / 2;
  d.y = (PLAT_SCREEN_H - BOX_H) / 2;
  read_folder(&d);
  desk_menu_close_all();
  int ok = run(&d, chosen);
  desk_present();
  return ok;
}

int desk_file_dialog(int save, const char* start_folder, const char* ext, const char* default_name,
                     char* path, int path_size, char* name, int name_size) {
  std::string chosen;
  int ok = choose_path(save, start_folder, ext, default_name, &chosen);
  if (dialog_listener)
    dialog_listener(save, start_folder ? start_folder : "", ext ? ext : "*", ok ? chosen.c_str() : "");
  if (!ok) return 0;
  size_t slash = chosen.rfind('/');
  std::string bare = slash == std::string::npos ? chosen : chosen.substr(slash + 1);
  if ((int)chosen.size() >= path_size || (int)bare.size() >= name_size) return 0;
  std::strcpy(path, chosen.c_str());
  std::strcpy(name, bare.c_str());
  return 1;
}
