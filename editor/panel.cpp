// The control panel's pieces: the background picture of each mode (bitmaps
// 128-131, made by code), buttons and labels, and the entry fields with the
// black read-out and spin marks they sit on.
#include <cstring>
#include "basekit/bk_fields.h"
#include "basekit/bk_graph.h"
#include "editor/ed.h"
#include "editor/ui.h"

int ui_in(const uirect& r, int x, int y) { return x >= r.x1 && x < r.x2 && y >= r.y1 && y < r.y2; }

void ui_text(int x, int y, int color, const char* text) { MACIBM_drstring(color, x, y, text, 5); }

void ui_button(const uirect& r, const char* label, int on) {
  MACIBM_fillrect(on ? 28 : 26, r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1);
  MACIBM_framerect(on ? PANEL_ON : PANEL_FRAME, r.x1, r.y1, r.x2 - r.x1, r.y2 - r.y1);
  int w = 6 * (int)std::strlen(label);
  ui_text(r.x1 + (r.x2 - r.x1 - w) / 2, r.y1 + (r.y2 - r.y1) / 2 + 4, on ? PANEL_ON : PANEL_TEXT, label);
}

// ---- entry fields ----

// Small chevrons over and under each digit say which half steps which way.
static void spin_marks(int x, int y, int columns, int pitch) {
  for (int k = 0; k < columns; k++) {
    int cx = x + pitch * k + 5;
    MACIBM_hshline(PANEL_FRAME, cx - 1, y + 6, 3);
    MACIBM_hspoint(PANEL_FRAME, cx, y + 5);
    MACIBM_hshline(PANEL_FRAME, cx - 1, y + 28, 3);
    MACIBM_hspoint(PANEL_FRAME, cx, y + 29);
  }
}

int ui_number(int x, int y, float* value, int digits, int decimals, float lo, float hi, int redraw) {
  if (redraw) {
    MACIBM_fillrect(MAP_BACK, x - 8, y + 10, 10 * digits + 9, 15);
    spin_marks(x, y, digits, 10);
  }
  return instdbtn_range(PANEL_ON, x, y, value, digits, decimals, redraw, lo, hi) && !redraw;
}

int ui_int(int x, int y, int* value, int digits, int lo, int hi, int redraw) {
  float f = (float)*value;
  int changed = ui_number(x, y, &f, digits, 0, (float)lo, (float)hi, redraw);
  if (changed) *value = bk::round(f);
  return changed;
}

int ui_ident(int x, int y, char* id, int redraw) {
  if (redraw) {
    MACIBM_fillrect(MAP_BACK, x - 2, y + 10, 45, 15);
    spin_marks(x, y, 4, 10);
  }
  return in4charbtn(PANEL_ON, x, y, id, redraw) && !redraw;
}

int ui_cycler(int x, int y, const char* const* texts, int* choice, int redraw) {
  if (redraw) {
    MACIBM_fillrect(MAP_BACK, x - 2, y - 12, 12, 15);
    ui_button(uirect{x + 10, y - 18, x + 25, y - 2}, "-", 0);
    ui_button(uirect{x + 10, y + 1, x + 25, y + 15}, "+", 0);
  }
  return in4textbtn(x, y, texts[0], texts[1], texts[2], texts[3], 10, 8, choice, redraw) && !redraw;
}

// ---- the background pictures ----

static void bevel(int x, int y, int w, int h, int raised) {
  int light = raised ? 28 : 22, dark = raised ? 22 : 28;
  MACIBM_hshline(light, x, y, w);
  MACIBM_hsvline(light, x, y, h);
  MACIBM_hshline(dark, x, y + h - 1, w);
  MACIBM_hsvline(dark, x + w - 1, y, h);
}

// A titled group: an etched frame with its name on the top edge.
static void group(int x, int y, int w, int h, const char* title) {
  bevel(x, y, w, h, 0);
  bevel(x + 1, y + 1, w - 2, h - 2, 1);
  if (title && title[0]) {
    int n = (int)std::strlen(title);
    MACIBM_fillrect(PANEL_BACK, x + 6, y - 3, 6 * n + 4, 7);
    ui_text(x + 8, y + 4, PANEL_TEXT, title);
  }
}

static void column_and_map(const char* mode_title) {
  MACIBM_fillrect(PANEL_BACK, 0, 0, 799, 559);  // both edges included
  bevel(0, 0, 167, 560, 1);
  group(3, 4, 98, 97, "QUADRANT");
  group(3, 108, 161, 436, mode_title);
  // The map sits sunk into the panel.
  bevel(168, 6, 626, 549, 0);
}

static void background_terrain(int, int) {
  column_and_map("TERRAIN");
  MACIBM_hshline(22, 8, 197, 152);
  MACIBM_hshline(22, 8, 246, 152);
  ui_text(8, 538, PANEL_FRAME, "ARROWS: 10 FT");
}

static void background_obstacles(int, int) {
  column_and_map("OBSTACLES");
  MACIBM_hshline(22, 8, 282, 152);
}

static void list_area(const char* title) {
  MACIBM_fillrect(PANEL_BACK, 0, 0, 799, 559);  // both edges included
  group(360, 12, 292, 204, title);
  ui_text(660, 40, PANEL_FRAME, "CLICK ABOVE:");
  ui_text(660, 52, PANEL_FRAME, "  BACK 10");
  ui_text(660, 70, PANEL_FRAME, "CLICK A ROW:");
  ui_text(660, 82, PANEL_FRAME, "  SELECT IT");
  ui_text(660, 145, PANEL_FRAME, "CLICK BELOW:");
  ui_text(660, 157, PANEL_FRAME, "  ON 10");
  ui_text(8, 548, PANEL_FRAME, "TYPE TO EDIT THE NAME, - DELETES A LETTER. CLICK THE UPPER OR LOWER HALF OF A DIGIT TO STEP IT.");
}

static void background_airports(int, int) {
  list_area("AIRPORTS");
  group(3, 222, 790, 92, "AIRPORT");
  ui_text(14, 280, PANEL_TEXT, "ID");
  ui_text(112, 280, PANEL_TEXT, "ELEV FT");
  ui_text(250, 280, PANEL_TEXT, "TOWER");
  group(3, 324, 790, 190, "RUNWAYS");
  static const struct { int x; const char* t; } head[] = {{60, "NO"}, {88, "SIDE"}, {125, "HDG"}, {170, "LENGTH"},
                                                          {235, "WIDTH"}, {280, "LIGHTS"}, {365, "LATITUDE"},
                                                          {450, "LONGITUDE"}};
  for (const auto& h : head) ui_text(h.x, 342, PANEL_TEXT, h.t);
  for (int r = 0; r < 3; r++) {
    char s[4] = {(char)('1' + r), 0};
    ui_text(14, 370 + 45 * r, PANEL_TEXT, s);
  }
  ui_text(540, 370, PANEL_FRAME, "LENGTH 0: NO RUNWAY");
  ui_text(540, 382, PANEL_FRAME, "FEET, DEGREES");
}

static void background_navaids(int, int) {
  list_area("NAVAIDS");
  group(3, 12, 150, 180, "KIND");
  group(3, 222, 790, 92, "NAVAID");
  static const struct { int x; const char* t; } head[] = {{20, "ID"}, {150, "LATITUDE"}, {240, "LONGITUDE"},
                                                          {340, "ELEV FT"}, {430, "FREQUENCY"}, {540, "HDG"}};
  for (const auto& h : head) ui_text(h.x, 258, PANEL_TEXT, h.t);
}

void register_backgrounds() {
  register_bitmap(128, 800, 560, background_terrain);
  register_bitmap(129, 800, 560, background_obstacles);
  register_bitmap(130, 800, 560, background_airports);
  register_bitmap(131, 800, 560, background_navaids);
}

void paint_background() {
  int id = 128 + intlim(msc.edit_mode, MODE_TERRAIN, MODE_NAV) - MODE_TERRAIN;
  MACIBM_bitmap(0, 0, id);
}
