// The sound and warnings windows, and the isometric drawing of the region.
#include <cmath>
#include "basekit/bk_btn.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/atc/atc.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/windows/wininternal.h"
#include "sim/windows/windows.h"
#include "sim/windows/winkit.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

struct checkline {
  int* flag;
  const char* name;
  const char* what;
};

static int check_lines(const checkline* lines, int n, int x, int y, int dy, int paint) {
  int changed = 0;
  for (int k = 0; k < n; k++) {
    changed |= inboolbtn(x, y + dy * k + 3, lines[k].flag);
    if (!paint) continue;
    wk_text(x + 20, y + dy * k, WK_TITLE, lines[k].name);
    wk_text(x + 20, y + dy * k + 15, WK_LABEL, lines[k].what);
  }
  return changed;
}

// ================================================================ sound

static const checkline sound_lines[4] = {
    {&msc.sound_on, "sound", "engines, wind, rain and thunder"},
    {&msc.warn_bb, "warning voice", "call-outs and warnings"},
    {&atc.voice_out, "spoken controller", "air traffic control is heard"},
    {&atc.text_out, "printed controller", "and shown over the view"}};

void sndplot() {
  if (!wk_begin(WIN_SOUND)) return;
  wk_mouse_away();
  wk_clear();
  check_lines(sound_lines, 4, 20, 16, 46, 1);
  if (!msc.sound_avail) wk_text(20, 200, WK_ALARM, "No sound device: nothing is heard.");
  if (!msc.speech_avail) wk_text(20, 218, WK_ALARM, "No speech: the controller is printed.");
  wk_mouse_back();
}

void sndclick() {
  if (!wk_begin(WIN_SOUND)) return;
  if (check_lines(sound_lines, 4, 20, 16, 46, 0)) mark_edited(WIN_SOUND);
}

// ================================================================ warnings

static const checkline warning_lines[3] = {
    {&msc.warn_frame, "slow-running warning", "say so once when the computer cannot keep up with the flight"},
    {&msc.warn_overspeed, "overspeed", "above 1.1 times the redline speed a flying surface breaks off"},
    {&msc.warn_flaps, "flap overspeed", "say so when the flaps are lowered above their speed"}};

void wrnplot() {
  if (!wk_begin(WIN_WARNINGS)) return;
  wk_mouse_away();
  wk_clear();
  check_lines(warning_lines, 3, 20, 16, 48, 1);
  wk_mouse_back();
}

void wrnclick() {
  if (!wk_begin(WIN_WARNINGS)) return;
  if (check_lines(warning_lines, 3, 20, 16, 48, 0)) mark_edited(WIN_WARNINGS);
}

// ================================================================ the isometric region

enum { ISO_DX = 2, ISO_X0 = 330, ISO_Y0 = 500 };
static const float iso_rise = 0.05f;  // pixels per metre of height

// Below the sea (and unloaded points) drawn at sea level.
static float hz(int i, int j) { return planez[i][j] > 0 ? planez[i][j] : 0; }

static void iso_point(int i, int j, int* x, int* y) {
  float z = hz(i, j);
  *x = ISO_X0 + ISO_DX * (i - j);
  *y = ISO_Y0 - (i + j) - flt_to_int(z * iso_rise);
}

static int iso_color(int i, int j) {
  if (on_water[i][j][0] && on_water[i][j][1]) return WK_WATER;
  float z = (hz(i, j) + hz(i + 1, j) + hz(i, j + 1) + hz(i + 1, j + 1)) / 4;
  // Slopes facing away from the light (north-east) darker.
  float slope = hz(i + 1, j + 1) - hz(i, j);
  static const int ramp[6] = {14, 13, 12, 42, 41, 33}, shaded[3] = {16, 14, 13};
  int band = z < 300 ? 0 : z < 800 ? 1 : z < 1500 ? 2 : z < 2200 ? 3 : z < 3000 ? 4 : 5;
  if (slope > 40 && band <= 2) return shaded[band];
  return ramp[band];
}

// The terrain point nearest the aircraft.
static void aircraft_cell(int* ai, int* aj) {
  *ai = *aj = 0;
  for (int i = 1; i < GRID_I; i++)
    if (std::fabs(planex[i][GRID_J / 2] - (float)flt.x) < std::fabs(planex[*ai][GRID_J / 2] - (float)flt.x)) *ai = i;
  for (int j = 1; j < GRID_J; j++)
    if (std::fabs(planey[*ai][j] - (float)flt.y) < std::fabs(planey[*ai][*aj] - (float)flt.y)) *aj = j;
}

void isoplot() {
  if (!wk_begin(WIN_ISOMETRIC)) return;
  wk_clear();
  // Far cells first: the north-east corner is farthest from the eye.
  for (int s = (GRID_I - 2) + (GRID_J - 2); s >= 0; s--)
    for (int i = intmin2(s, GRID_I - 2); i >= 0 && s - i <= GRID_J - 2; i--) {
      int j = s - i;
      int x[4], y[4];
      iso_point(i, j, &x[0], &y[0]);
      iso_point(i + 1, j, &x[1], &y[1]);
      iso_point(i + 1, j + 1, &x[2], &y[2]);
      iso_point(i, j + 1, &x[3], &y[3]);
      MACIBM_poly4(iso_color(i, j), x[0], y[0], x[1], y[1], x[2], y[2], x[3], y[3], 0);
    }
  int ai, aj, ax, ay;
  aircraft_cell(&ai, &aj);
  iso_point(ai, aj, &ax, &ay);
  int lift = flt_to_int(fltmax2((float)flt.h - hz(ai, aj), 0) * iso_rise);
  MACIBM_hsvline(WK_MARK, ax, ay - lift, lift + 1);
  MACIBM_fillrect(WK_ALARM, ax - 2, ay - lift - 2, 5, 5);
  wk_textf(12, 8, WK_TITLE, "Region %d..%d %s, %d..%d %s", std::abs(env.lat_sou), std::abs(env.lat_sou + 2),
           env.lat_sou < 0 ? "S" : "N", std::abs(env.lon_wes), std::abs(env.lon_wes + 3), env.lon_wes < 0 ? "W" : "E");
  wk_text(12, 24, WK_LABEL, "seen from the south-west, heights exaggerated forty times");
  wk_text(12, 38, WK_LABEL, "red: the aircraft");
}
