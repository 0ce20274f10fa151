// Thunderstorms and precipitation made visible: jagged bolts from the cloud
// to the ground with a flickering sky and thunder, snowflakes streaming at
// the viewer and raindrops running over the windshield.
#include "sim/view/storm.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"
#include "sim/world/grid.h"
#include "sim/world/terrain.h"

float rainx[PRECIP], rainy[PRECIP], rainz[PRECIP];
static int quickdrop = -1;   // the drop running fast, -1 while none is
static int precip_n;

static const float NM = 1852.0f;

int precip_count() { return precip_n; }

// ---- strikes ----

void build_branch(int k, float x, float y, float z, float ground) {
  if (k < 0 || k > 3) return;
  // Steps sized by the height the polyline starts from.
  const float z0 = z, s = 0.025f * z0 * 1.5f * (k ? 2.0f : 1.0f);
  atm.lightx[k][0] = x;
  atm.lighty[k][0] = y;
  atm.lightz[k][0] = ground + z;
  int n = 1;
  for (int p = 1; p < STRIKE_POINTS; p++) {
    x += fltrand(-s, s);
    y += fltrand(-s, s);
    z -= fltrand(0.025f * z0, 0.1f * z0);
    int down = z < 0 || p == STRIKE_POINTS - 1;
    if (down) z = 0;
    atm.lightx[k][p] = x;
    atm.lighty[k][p] = y;
    atm.lightz[k][p] = ground + z;
    n = p + 1;
    if (down) {
      // A bolt that struck early ends there: the ground point once more,
      // only while a slot is left.
      if (p + 1 < STRIKE_POINTS) {
        atm.lightx[k][p + 1] = x;
        atm.lighty[k][p + 1] = y;
        atm.lightz[k][p + 1] = ground + z;
        n = p + 2;
      }
      break;
    }
  }
  atm.strike_size[k] = n;
}

void start_strike() {
  if (!(atm.rain_tstm > 1) || !(atm.temp_SL > 32)) return;
  float x = (float)flt.x + fltrand(-20 * NM, 20 * NM), y = (float)flt.y + fltrand(-20 * NM, 20 * NM);
  if (!(wxr_at(x, y, 1) * atm.rain_tstm > 2)) return;
  float ground;
  int i, j, t;
  find_local_h(x, y, &ground, &i, &j, &t);
  atm.i_strike = intlim(i, 0, GRID_I - 2);
  atm.j_strike = intlim(j, 0, GRID_J - 2);
  // Lightning is the storm's, written by the view that shows it.
  atm.strike_ring = (atm.strike_ring + 1) % STRIKE_RING;
  atm.strike_x[atm.strike_ring] = x;
  atm.strike_y[atm.strike_ring] = y;
  atm.strike_t_exp[atm.strike_ring] = msc.elap_time + 120;
  atm.strike_count++;
  if (scn.abovetops) return;
  float d = pythag(x - (float)flt.x, y - (float)flt.y);
  play_thunder(5 * NM / fltmax2(d, 1.0f));
  ground = fltmax2(ground, 0.0f);
  build_branch(0, x, y, 3000, ground);
  for (int k = 1; k <= atm.num_branches && k < 4; k++) {
    int mid = atm.strike_size[k - 1] / 2;
    build_branch(k, atm.lightx[k - 1][mid], atm.lighty[k - 1][mid], atm.lightz[k - 1][mid] - ground, ground);
  }
  atm.strike_up = 1;
  atm.strike_start_time = msc.elap_time;
  atm.strike_duration = fltrand(0.2f, 0.6f);
  atm.num_branches = intrand(0, 3);
}

void manage_strike() {
  if (atm.strike_up && msc.elap_time - atm.strike_duration > atm.strike_start_time) atm.strike_up = 0;
  // The flash toggles twenty times a second, whatever the frame rate.
  if (atm.strike_up) atm.strike_lighting = flt_to_int((msc.elap_time - atm.strike_start_time) * 20) % 2 == 0;
  else atm.strike_lighting = 0;
}

// ---- snow and rain ----

static int forward_view(int v) { return v == VIEW_FORWARD || v == VIEW_DOWN4 || v == VIEW_DOWN8 || v == VIEW_HUD || v == VIEW_NOHUD; }
static int side_view(int v) { return v >= VIEW_LEFT45 && v <= VIEW_RIGHT135; }

static void reborn_flake(int k, float speed) {
  float top = con.off_flt_top, bot = con.off_flt_bot - 1;
  rainx[k] = fltrand(con.off_flt_lft, con.off_flt_rgt);
  rainy[k] = fltrand(top, top + (bot - top) * fltlim(speed / 20.0f, 0, 1));
  rainz[k] = fltrand(10, 100);
}

static int in_rect(float x, float y) {
  return x >= con.off_flt_lft && x <= con.off_flt_rgt && y >= con.off_flt_top && y < con.off_flt_bot;
}

static void snowfall(int n, int color) {
  int v = set.view_type;
  if (v == VIEW_BACK) return;
  float prd = msc.prd, speed = flt.av;
  float down = v == VIEW_DOWN4 ? 4 : v == VIEW_DOWN8 ? 8 : v == VIEW_ABOVE40 ? 40 : v == VIEW_ABOVE10 ? 10 : 0;
  float vpx = con.off_view_center_fx - flt.Beta * con.zom_pp45 / 90;
  float vpy = con.off_view_center_fy + flt.Alpha * con.zom_pp45 / 90 - std::tan(down * 0.0174533f) * con.zom_pp45;
  int left = v == VIEW_LEFT45 || v == VIEW_LEFT90 || v == VIEW_LEFT135;
  for (int k = 0; k <= n; k++) {
    float d = rainz[k];
    if (!(d >= 10 && d <= 100) || !in_rect(rainx[k], rainy[k])) {
      reborn_flake(k, speed);
      d = rainz[k];
    }
    if (side_view(v)) {
      rainx[k] += (left ? -1 : 1) * speed * prd * 400 / d;
    } else if (forward_view(v) || v == VIEW_ABOVE40 || v == VIEW_ABOVE10) {
      float f = 2 * speed * prd / d;
      rainx[k] += (rainx[k] - vpx) * f;
      rainy[k] += (rainy[k] - vpy) * f;
    }
    rainy[k] += prd * 4000 / d;
    rainz[k] = d - speed * prd;
    if (rainz[k] >= 10 && rainz[k] <= 100 && in_rect(rainx[k], rainy[k]))
      MACIBM_hspoint(color, flt_to_int(rainx[k]), flt_to_int(rainy[k]));
  }
}

static void reborn_drop(int k) {
  rainx[k] = fltrand(con.off_flt_lft, con.off_flt_rgt);
  rainy[k] = fltrand(con.off_flt_top, con.off_flt_bot - 1);
}

static void windshield_rain(int n, int color) {
  int v = set.view_type;
  float prd = msc.prd;
  float f = std::sqrt(fltlim(flt.vind - 1, 0, 999)) * prd * 1.5f, g = prd * 2;
  int fwd = forward_view(v);
  // One drop in ten frames at twenty frames a second turns quick.
  if (fltrand(0, 1) < prd * 2) quickdrop = quickdrop >= 0 ? (quickdrop + 1) % (n + 1) : 0;
  if (quickdrop > n) quickdrop = -1;
  for (int k = 0; k <= n; k++) {
    float sx = fwd ? (rainx[k] - 400) * f * 0.01f : 0;
    float sy = fwd ? (rainy[k] * 0.005f - 2) * f + g : g;
    if (k == quickdrop) sx *= 5, sy *= 8;
    for (int step = 0; step < 4; step++) {
      rainx[k] += 0.25f * sx;
      rainy[k] += 0.25f * sy;
      if (in_rect(rainx[k], rainy[k])) {
        MACIBM_hspoint(color, flt_to_int(rainx[k]), flt_to_int(rainy[k]));
      } else {
        if (k == quickdrop && rainy[k] >= con.off_flt_bot) quickdrop = -1;
        reborn_drop(k);
      }
    }
  }
}

void do_window_precip() {
  if (!(atm.rain_tstm > 1) || scn.abovetops || set.view_type == VIEW_REPLAY) return;
  float c = fltlim(interp(atm.topsMSL, 0, atm.baseMSL, 1, con.VIEW_loc_z), 0, 1);
  if (atm.cld_type == 0) c = 1;  // no layer to be above
  // The windshield's wetness is the view's, read by the rain sound.
  atm.rain_rat = (interp(0, 0, 4, 1, atm.level) + interp(1, 0, 5, 1, atm.rain_tstm)) * c * 0.5f;
  precip_n = intlim(flt_to_int(atm.rain_rat * PRECIP), 0, PRECIP - 1);
  int t = intlim(scn.time, 1, 4) - 1;
  static const int snow_col[4] = {33, 31, 31, 55}, rain_col[4] = {29, 27, 25, 27};
  if (atm.temp_SL <= 32) snowfall(precip_n, snow_col[t]);
  else if (!view_is_outside(set.view_type)) windshield_rain(precip_n, rain_col[t]);
}
