// Modal alert boxes drawn over the desktop, with their own event loop.
#include <cstdio>
#include <cstring>
#include "basekit/platform/desk_draw.h"
#include "basekit/platform/desk_internal.h"
#include "basekit/platform/desk_wrap.h"
#include "basekit/platform/plat_internal.h"

int desk_wrap(const char* text, int font, int width, char out[][WRAP_LINE_DIM], int max_lines) {
  int n = 0;
  char line[WRAP_LINE_DIM] = "";
  const char* p = text;
  while (*p && n < max_lines) {
    while (*p == ' ') p++;
    const char* e = p;
    while (*e && *e != ' ') e++;
    char word[WRAP_LINE_DIM];
    int len = (int)(e - p) < WRAP_LINE_DIM - 1 ? (int)(e - p) : WRAP_LINE_DIM - 1;
    std::memcpy(word, p, (size_t)len);
    word[len] = 0;
    p = e;
    if (!len) break;
    char trial[2 * WRAP_LINE_DIM];
    std::snprintf(trial, sizeof trial, "%s%s%s", line, line[0] ? " " : "", word);
    if (line[0] && (plat_text_width(font, trial) > width || (int)std::strlen(trial) >= WRAP_LINE_DIM)) {
      std::strcpy(out[n++], line);
      std::strcpy(line, word);
    } else {
      std::strncpy(line, trial, WRAP_LINE_DIM - 1);
      line[WRAP_LINE_DIM - 1] = 0;
    }
  }
  if (line[0] && n < max_lines) std::strcpy(out[n++], line);
  return n;
}

namespace {
enum { BOX_W = 500, BUTTON_W = 84, BUTTON_H = 24, TEXT_X = 62 };

struct alert_layout {
  int x, y, w, h;
  int nlines;
  char lines[WRAP_MAX_LINES][WRAP_LINE_DIM];
  int gap_after[WRAP_MAX_LINES];  // a blank line follows this one
};

void lay_out(alert_layout* a, const char* const* lines, int nlines) {
  a->nlines = 0;
  int last = nlines - 1;
  while (last >= 0 && (!lines[last] || !lines[last][0])) last--;  // no trailing empty lines
  for (int i = 0; i <= last && a->nlines < WRAP_MAX_LINES; i++) {
    int got = 0;
    if (lines[i] && lines[i][0])
      got = desk_wrap(lines[i], PLAT_FONT_PROPORTIONAL, BOX_W - TEXT_X - 20, a->lines + a->nlines,
                      WRAP_MAX_LINES - a->nlines);
    for (int k = 0; k < got; k++) a->gap_after[a->nlines + k] = 0;
    a->nlines += got;
    if (got) a->gap_after[a->nlines - 1] = i < last;
  }
  int lh = plat_font_height(PLAT_FONT_PROPORTIONAL) + 1;
  int text_h = 0;
  for (int i = 0; i < a->nlines; i++) text_h += lh + (a->gap_after[i] ? lh / 2 + 2 : 0);
  if (text_h < 36) text_h = 36;
  a->w = BOX_W;
  a->h = DESK_CAPTION_H + 18 + text_h + 18 + BUTTON_H + 14;
  if (a->h > PLAT_SCREEN_H) a->h = PLAT_SCREEN_H;
  a->x = (PLAT_SCREEN_W - a->w) / 2;
  a->y = (PLAT_SCREEN_H - a->h) / 2;
}

void button_rect(const alert_layout* a, int buttons, int b, int* x, int* y) {
  int total = buttons * BUTTON_W + (buttons - 1) * 10;
  *x = a->x + (a->w - total) / 2 + b * (BUTTON_W + 10);
  *y = a->y + a->h - BUTTON_H - 12;
}

void draw_icon(int x, int y) {
  for (int dy = -14; dy <= 14; dy++)
    for (int dx = -14; dx <= 14; dx++)
      if (dx * dx + dy * dy <= 196) ds_fill(x + dx, y + dy, 1, 1, DC_INFO);
  ds_fill(x - 2, y - 9, 4, 4, DC_WHITE);
  ds_fill(x - 2, y - 3, 4, 12, DC_WHITE);
}

void draw(const alert_layout* a, const char* title, int buttons, const char* const* labels, int pressed) {
  desk_compose();
  ds_fill(a->x, a->y, a->w, a->h, DC_FACE);
  ds_bevel(a->x, a->y, a->w, a->h, 1);
  ds_fill(a->x + 3, a->y + 3, a->w - 6, DESK_CAPTION_H - 2, DC_CAPTION);
  ds_text(a->x + 8, a->y + 5, PLAT_FONT_BOLD, title, DC_WHITE);
  draw_icon(a->x + 32, a->y + DESK_CAPTION_H + 34);
  int lh = plat_font_height(PLAT_FONT_PROPORTIONAL) + 1;
  int y = a->y + DESK_CAPTION_H + 18;
  for (int i = 0; i < a->nlines; i++) {
    ds_text(a->x + TEXT_X, y, PLAT_FONT_PROPORTIONAL, a->lines[i], DC_BLACK);
    y += lh + (a->gap_after[i] ? lh / 2 + 2 : 0);
  }
  for (int b = 0; b < buttons; b++) {
    int bx, by;
    button_rect(a, buttons, b, &bx, &by);
    ds_button(bx, by, BUTTON_W, BUTTON_H, labels[b], b == pressed, b == 0);
  }
  desk_modal_present();
}

int button_at(const alert_layout* a, int buttons, int x, int y) {
  for (int b = 0; b < buttons; b++) {
    int bx, by;
    button_rect(a, buttons, b, &bx, &by);
    if (x >= bx && x < bx + BUTTON_W && y >= by && y < by + BUTTON_H) return b;
  }
  return -1;
}
}  // namespace

int desk_alert(const char* title, const char* const* lines, int nlines, int buttons,
               const char* const* labels) {
  if (buttons < 1) buttons = 1;
  if (buttons > 3) buttons = 3;
  desk_record_alert(title, lines, nlines);
  int kind, button;
  if (desk_take_answer(&kind, &button, nullptr, 0))
    return kind == DESK_ANSWER_BUTTON && button >= 0 && button < buttons ? button : 0;
  if (plat_headless() || !plat_started()) return 0;

  static alert_layout a;
  lay_out(&a, lines, nlines);
  desk_menu_close_all();
  int pressed = -1, chosen = -1, redraw = 1;
  while (chosen < 0) {
    if (redraw) draw(&a, title, buttons, labels, pressed);
    redraw = 0;
    plat_event ev;
    while (chosen < 0 && plat_poll_event(&ev)) {
      switch (ev.type) {
        case PLAT_EV_QUIT: {
          chosen = 0;
          plat_event again = ev;  // leave the quit for the program once the box is gone
          plat_inject_event(&again);
          break;
        }
        case PLAT_EV_KEYDOWN:
          if (ev.key == KEY_RETURN || ev.key == KEY_KP_ENTER || ev.key == ' ') chosen = 0;
          else if (ev.key == KEY_ESCAPE) chosen = buttons - 1;
          break;
        case PLAT_EV_BUTTONDOWN:
          pressed = button_at(&a, buttons, ev.x, ev.y);
          redraw = 1;
          break;
        case PLAT_EV_BUTTONUP:
          if (pressed >= 0 && button_at(&a, buttons, ev.x, ev.y) == pressed) chosen = pressed;
          pressed = -1;
          redraw = 1;
          break;
        case PLAT_EV_EXPOSE: redraw = 1; break;
        default: break;
      }
    }
    if (chosen < 0) plat_delay_ms(10);
  }
  desk_present();
  return chosen;
}
