// The "Set Data Output" window: for every item three boxes, the data file,
// the graph and the screen, in three columns of rows.
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_file.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"

static const int column_x[3] = {4, 236, 430};
static const int column_right[3] = {232, 426, 618};

// First item, row and length of every group of rows.
struct group { int column, first_item, first_row, count; };
static const group groups[] = {
    {0, 0, 0, 3},   {0, 3, 4, 2},   {0, 5, 7, 3},  {0, 8, 11, 7},  {0, 15, 19, 5},
    {1, 20, 0, 5},  {1, 25, 6, 3},  {1, 28, 10, 9}, {1, 37, 20, 2}, {1, 39, 23, 1},
    {2, 40, 0, 2},  {2, 42, 3, 6},  {2, 48, 10, 3},
};

// Where item's row stands; 0 for the items without one.
int datwin_row(int item, int* x, int* y) {
  for (const group& g : groups)
    if (item >= g.first_item && item < g.first_item + g.count) {
      *x = column_x[g.column];
      *y = 34 + 15 * (g.first_row + item - g.first_item);
      return 1;
    }
  return 0;
}

static int column_of(int item) {
  for (const group& g : groups)
    if (item >= g.first_item && item < g.first_item + g.count) return g.column;
  return 0;
}

static const int CSV_X = 435, CSV_Y = 34 + 15 * 15;

static void row_text(int item, int x, int y) {
  char text[48];
  const char* l = item_label(item);
  int n = 0;
  for (int i = 0; l[i] && n < (int)sizeof text - 1; i++)
    if (l[i] != ' ' || (n > 0 && text[n - 1] != ' ')) text[n++] = l[i];
  while (n > 0 && text[n - 1] == ' ') n--;
  text[n] = 0;
  int room = column_right[column_of(item)] - (x + 55);
  while (n > 2 && plat_text_width(PLAT_FONT_PROPORTIONAL, text) > room) {
    text[--n] = 0;
    text[n - 1] = text[n - 2] = '.';
  }
  MACIBM_drstring(11, x + 55, y + 10, text, 6);
  MACIBM_drstring(11, 0, 0, "", 4);
}

static void boxes(int item) {
  int x, y;
  if (!datwin_row(item, &x, &y)) return;
  inboolbtn(x + 5, y, &set.Bdsk[item]);
  inboolbtn(x + 22, y, &set.Bgrf[item]);
  inboolbtn(x + 39, y, &set.Brlt[item]);
}

void datplot() {
  MACIBM_fillrect(31, 0, 0, mnw.dx[WIN_DATA_OUTPUT], mnw.dy[WIN_DATA_OUTPUT]);
  for (int c = 0; c < 3; c++) {
    MACIBM_drstring(11, column_x[c] + 5, 28, "F", 4);
    MACIBM_drstring(11, column_x[c] + 22, 28, "G", 4);
    MACIBM_drstring(11, column_x[c] + 39, 28, "S", 4);
  }
  for (int i = 0; i < OUT_ITEMS_DEFINED; i++) {
    int x, y;
    if (!datwin_row(i, &x, &y)) continue;
    boxes(i);
    row_text(i, x, y);
  }
  MACIBM_drstring(11, 435, 34 + 15 * 14 + 10, "F: to the file Tarvel.box", 6);
  inboolbtn(CSV_X, CSV_Y, &set.dskcsv);
  MACIBM_drstring(11, CSV_X + 16, CSV_Y + 10, "and as Tarvel.csv", 6);
  MACIBM_drstring(11, 435, CSV_Y + 25, "(for spreadsheets)", 6);
  MACIBM_drstring(11, 435, CSV_Y + 45, "G: to the graph, 4 at most", 6);
  MACIBM_drstring(11, 435, CSV_Y + 60, "S: over the view, 10 at most", 6);
  MACIBM_drstring(11, 0, 0, "", 4);
}

// More than `most` ticked: the lowest-numbered ticked item other than `keep`
// gives way. Returns it, or -1.
int datwin_limit(int* ticks, int most, int keep) {
  int n = 0;
  for (int i = 0; i < DATA_ITEMS; i++) n += ticks[i] != 0;
  if (n <= most) return -1;
  for (int i = 0; i < DATA_ITEMS; i++)
    if (ticks[i] && i != keep) {
      ticks[i] = 0;
      return i;
    }
  return -1;
}

void datclick() {
  for (int i = 0; i < OUT_ITEMS_DEFINED; i++) {
    int x, y;
    if (!datwin_row(i, &x, &y)) continue;
    int was_grf = set.Bgrf[i], was_rlt = set.Brlt[i];
    boxes(i);
    int gone = -1;
    if (set.Bgrf[i] && !was_grf) gone = datwin_limit(set.Bgrf, 4, i);
    if (gone >= 0) boxes(gone);
    gone = -1;
    if (set.Brlt[i] && !was_rlt) gone = datwin_limit(set.Brlt, 10, i);
    if (gone >= 0) boxes(gone);
  }
  inboolbtn(CSV_X, CSV_Y, &set.dskcsv);
}
