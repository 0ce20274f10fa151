// The two chart windows: the region from above with its water, coast,
// obstacles, navaids, airports, the flight-path trail and the aircraft, and
// below it a side view of the approach to the tuned glide slope.
#include "sim/map/do_app.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_btn.h"
#include "basekit/bk_const.h"
#include "basekit/bk_fields.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/wintab.h"
#include "sim/view/scn.h"
#include "sim/view/traffic.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "sim/world/terrain.h"

static const float D2R = 0.017453292519943295f;
enum { MAP_WORLD = 4, COLUMN_W = 71 };
// Black for the panel font drawn straight into a window, where 11 is the see-through key.
enum { INK = 22 };

// ---- placement ----

static int window_of(int kind) { return kind == CHART_AIRPORT ? WIN_AIRPORT_CHART : WIN_AREA_CHART; }

static void window_size(int kind, int* dx, int* dy) {
  int w = window_of(kind);
  *dx = mnw.dx[w] > 0 ? mnw.dx[w] : (kind == CHART_AIRPORT ? 432 : AREA_CHART_DX);
  *dy = mnw.dy[w] > 0 ? mnw.dy[w] : (kind == CHART_AIRPORT ? 494 : AREA_CHART_DY);
}

void chart_map_rect(int kind, int* left, int* top, int* right, int* bottom) {
  if (kind == CHART_AIRPORT) {
    *left = 7, *top = 7, *right = 354, *bottom = 310;
    return;
  }
  int dx, dy;
  window_size(kind, &dx, &dy);
  *left = 0, *top = 0, *right = dx - COLUMN_W - 1, *bottom = dy - 80;
}

static float grid_w() { return fltmax2(planex[GRID_I - 1][0], planex[GRID_I - 1][GRID_J - 1]) - planex[0][0]; }
static float grid_h() { return planey[0][GRID_J - 1] - planey[0][0]; }

// The area chart's scale fits the whole region into its map at zoom 1.
static void fit_area_scale() {
  int l, t, r, b;
  chart_map_rect(CHART_AREA, &l, &t, &r, &b);
  float w = grid_w(), h = grid_h();
  if (!(w > 0 && h > 0)) return;
  con.mtrtonrt = fltmin2((r - l) / w, (b - t) / h);
  con.nrttomtr = 1.0f / con.mtrtonrt;
}

static float scale_of(int kind) {
  float s = kind == CHART_AIRPORT ? con.mtrtoplt : con.mtrtonrt;
  float z = env.zoom_rat > 0 ? env.zoom_rat : 1;
  return s * z;
}

static int base_row(int kind) {
  int l, t, r, b;
  chart_map_rect(kind, &l, &t, &r, &b);
  return kind == CHART_AIRPORT ? 310 : b;
}

int pixelxfinder(float x, int kind) {
  return flt_to_int((x - env.os_x_plan) * scale_of(kind)) + (kind == CHART_AIRPORT ? 7 : 0);
}

int pixelyfinder(float y, int kind) { return base_row(kind) - flt_to_int((y - env.os_y_plan) * scale_of(kind)); }

float twodxcalc(int px, int kind) {
  return env.os_x_plan + (px - (kind == CHART_AIRPORT ? 7 : 0) + 0.5f) / scale_of(kind);
}

float twodycalc(int py, int kind) { return env.os_y_plan + (base_row(kind) - py + 0.5f) / scale_of(kind); }

static void visible_span(int kind, float* w, float* h) {
  int l, t, r, b;
  chart_map_rect(kind, &l, &t, &r, &b);
  *w = (r - l) / scale_of(kind);
  *h = (b - t) / scale_of(kind);
}

// The map never leaves the region's grid; a span wider than the grid keeps its west or south edge.
static void keep_on_grid(int kind) {
  float w, h;
  visible_span(kind, &w, &h);
  float x0 = planex[0][0], y0 = planey[0][0];
  env.os_x_plan = fltmax2(fltmin2(env.os_x_plan, x0 + grid_w() - w), x0);
  env.os_y_plan = fltmax2(fltmin2(env.os_y_plan, y0 + grid_h() - h), y0);
}

void reset_chart(int kind) {
  env.zoom_rat = 1;
  env.os_x_gs = 0;
  if (kind == CHART_AREA) {
    fit_area_scale();
    env.os_x_plan = planex[0][0];
    env.os_y_plan = planey[0][0];
    return;
  }
  int n = intlim(msc.plate_index, 0, APT_MAX - 1);
  env.os_x_plan = env_x_of_latlon(apt_lat[n][0], apt_lon[n][0]) - 25950.0f;
  env.os_y_plan = env_y_of_lat(apt_lat[n][0]) - 25950.0f;
}

// ---- symbols ----

struct stroke { signed char x0, y0, x1, y1; };
static stroke plane_pic[8], vor_pic[6], ndb_pic[12];
static int plane_n, vor_n, ndb_n;

void init_nav_pic(int kind) {
  if (kind == 1) {  // the aeroplane, nose up: fuselage, wings, tail
    const stroke s[] = {{0, -7, 0, 6}, {-6, -1, 6, -1}, {-5, -2, 5, -2}, {-3, 5, 3, 5}};
    plane_n = 4;
    std::memcpy(plane_pic, s, sizeof s);
  } else if (kind == 2) {  // the VOR's hexagon
    vor_n = 6;
    for (int k = 0; k < 6; k++) {
      float a = k * 60 * D2R, b = (k + 1) * 60 * D2R;
      vor_pic[k] = {(signed char)std::lround(5 * std::cos(a)), (signed char)std::lround(5 * std::sin(a)),
                    (signed char)std::lround(5 * std::cos(b)), (signed char)std::lround(5 * std::sin(b))};
    }
  } else if (kind == 3) {  // the NDB's ring of dots
    ndb_n = 12;
    for (int k = 0; k < 12; k++) {
      signed char x = (signed char)std::lround(5 * std::cos(k * 30 * D2R));
      signed char y = (signed char)std::lround(5 * std::sin(k * 30 * D2R));
      ndb_pic[k] = {x, y, x, y};
    }
  }
}

// Drawing context: into the map surface (locked, clipped) at an offset.
static int ox, oy;

static void line(int color, int x0, int y0, int x1, int y1) {
  MACIBM_hsclippedline(color, x0 - ox, y0 - oy, x1 - ox, y1 - oy);
}

static void text(int color, int x, int y, const char* s) {
  // The panel font writes straight into the surface: keep it inside.
  int n = (int)std::strlen(s);
  if (x - ox < X_LFT || x - ox + 6 * n > X_RGT || y - 7 - oy < Y_TOP || y - oy > Y_BOT) return;
  MACIBM_drstring(color, x - ox, y - oy, s, 5);
}

int ret_col(int kind) {
  if (kind == CHART_AIRPORT) return 11;
  if (kind == 20) return 13;
  switch (msc.map_type) {
    case 504: return 33 - 2 * intlim(scn.time, 1, 4);
    case 505: return 31;
    default: return 11;
  }
}

static void strokes(const stroke* s, int n, int x, int y, float heading, int color) {
  float c = std::cos(heading * D2R), sn = std::sin(heading * D2R);
  for (int k = 0; k < n; k++) {
    // Picture y grows downwards with the nose at -y; turned clockwise by the heading.
    float ax = s[k].x0 * c - s[k].y0 * sn, ay = s[k].x0 * sn + s[k].y0 * c;
    float bx = s[k].x1 * c - s[k].y1 * sn, by = s[k].x1 * sn + s[k].y1 * c;
    line(color, x + flt_to_int(std::lround(ax)), y + flt_to_int(std::lround(ay)), x + flt_to_int(std::lround(bx)),
         y + flt_to_int(std::lround(by)));
  }
}

void plane_line(int x, int y, int color) {
  if (pln.is_heli) {
    line(color, x - 5, y - 5, x + 5, y + 5);
    line(color, x - 5, y + 5, x + 5, y - 5);
    return;
  }
  strokes(plane_pic, plane_n, x, y, flt.psi, color);
}

void plot_freqbox(int x, int y, int n, int color) {
  char f[16];
  int t = nav_type[n];
  if (t == NAV_VOR || t == NAV_LOC || t == NAV_LOC_ONLY || t == NAV_GS) std::snprintf(f, sizeof f, "%d.%02d", nav_f1[n], nav_f2[n]);
  else std::snprintf(f, sizeof f, "%d", nav_f1[n]);
  int w = 6 * (int)std::strlen(f) + 3;
  int x0 = x - ox, y0 = y - oy;
  if (x0 < X_LFT || x0 + w > X_RGT || y0 < Y_TOP || y0 + 10 > Y_BOT) return;
  // The radar chart's text is the usual box colour: its box is dark instead.
  MACIBM_fillrect(color == 31 ? 11 : 31, x0, y0, w, 10);
  MACIBM_framerect(color, x0, y0, w, 10);
  MACIBM_drstring(color, x0 + 2, y0 + 9, f, 5);
}

void plot_name(int x, int y, const char* name, int color) { text(color, x, y, name); }

void plot_navaid(int kind, int n) {
  int x = pixelxfinder(env_x_of_latlon(nav_lat[n], nav_lon[n]), kind);
  int y = pixelyfinder(env_y_of_lat(nav_lat[n]), kind);
  int color = ret_col(kind), t = nav_type[n];
  float h = (float)nav_hdng[n];
  switch (t) {
    case NAV_NDB: strokes(ndb_pic, ndb_n, x, y, 0, color); break;
    case NAV_VOR:
      strokes(vor_pic, vor_n, x, y, 0, color);
      line(color, x, y, x, y);
      break;
    case NAV_LOC: case NAV_LOC_ONLY: {
      // The beam's feather, pointing back down the approach.
      float bx = -std::sin(h * D2R), by = std::cos(h * D2R);
      int ex = x + flt_to_int(bx * 30), ey = y + flt_to_int(by * 30);
      line(color, x, y, ex, ey);
      line(color, ex, ey, ex + flt_to_int(by * 4), ey - flt_to_int(bx * 4));
      line(color, ex, ey, ex - flt_to_int(by * 4), ey + flt_to_int(bx * 4));
      break;
    }
    case NAV_GS: line(color, x - 2, y - 2, x + 2, y + 2), line(color, x - 2, y + 2, x + 2, y - 2); break;
    default:  // the marker beacons' ellipse across the course
      for (int k = 0; k < 12; k++) {
        float a = k * 30 * D2R, b = (k + 1) * 30 * D2R;
        line(color, x + flt_to_int(2 * std::cos(a)), y + flt_to_int(4 * std::sin(a)), x + flt_to_int(2 * std::cos(b)),
             y + flt_to_int(4 * std::sin(b)));
      }
      return;
  }
  if (t == NAV_GS) return;
  plot_name(x + 8, y - 2, nav_id[n], color);
  plot_freqbox(x + 8, y + 1, n, color);
}

int split_name(const char* name, char* line1, char* line2, int size) {
  int n = (int)std::strlen(name);
  while (n > 0 && name[n - 1] == ' ') n--;
  int best = -1;
  for (int i = 1; i < n - 1; i++)
    if ((name[i] == ' ' || name[i] == '-') && (best < 0 || std::abs(2 * i - n) < std::abs(2 * best - n))) best = i;
  if (best < 0) {
    std::snprintf(line1, size, "%.*s", n, name);
    line2[0] = 0;
    return 1;
  }
  int cut = name[best] == '-' ? best + 1 : best;  // a hyphen stays on the first line
  std::snprintf(line1, size, "%.*s", cut, name);
  const char* rest = name + best + 1;
  while (*rest == ' ') rest++;
  std::snprintf(line2, size, "%.*s", (int)(name + n - rest), rest);
  return 2;
}

static void runway_strokes(int a, int kind, int color) {
  for (int r = 0; r < 3; r++) {
    if (apt_len[a][r] <= 1) continue;
    float x = env_x_of_latlon(apt_lat[a][r], apt_lon[a][r]), y = env_y_of_lat(apt_lat[a][r]);
    float h = apt_hdng[a][r] * D2R, half = 0.5f * apt_len[a][r];
    line(color, pixelxfinder(x - half * std::sin(h), kind), pixelyfinder(y - half * std::cos(h), kind),
         pixelxfinder(x + half * std::sin(h), kind), pixelyfinder(y + half * std::cos(h), kind));
  }
}

void plot_apt(int kind, int a, int with_name) {
  int color = kind == CHART_AIRPORT ? 11 : (msc.map_type == 503 ? 45 : ret_col(kind));
  int x = pixelxfinder(env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]), kind);
  int y = pixelyfinder(env_y_of_lat(apt_lat[a][0]), kind);
  for (int k = 0; k < 16; k++) {
    float p = k * 22.5f * D2R, q = (k + 1) * 22.5f * D2R;
    line(color, x + flt_to_int(std::lround(6 * std::sin(p))), y - flt_to_int(std::lround(6 * std::cos(p))),
         x + flt_to_int(std::lround(6 * std::sin(q))), y - flt_to_int(std::lround(6 * std::cos(q))));
  }
  runway_strokes(a, kind, color);
  if (!with_name) return;
  char l1[APT_NAME_DIM], l2[APT_NAME_DIM];
  int lines = split_name(apt_name[a], l1, l2, sizeof l1);
  plot_name(x + 9, y - 1, l1, color);
  if (lines > 1) plot_name(x + 9, y + 9, l2, color);
}

// The trail joins consecutive held samples only: an empty slot ends a stroke.
void plot_path(int kind) {
  for (int i = 0; i < PATH_SLOTS; i++) {
    int a = (i + PATH_SLOTS - 1) % PATH_SLOTS;
    if (!pat.inited[a] || !pat.inited[i]) continue;
    line(18, pixelxfinder(pat.xyztpp[a][0], kind), pixelyfinder(pat.xyztpp[a][1], kind),
         pixelxfinder(pat.xyztpp[i][0], kind), pixelyfinder(pat.xyztpp[i][1], kind));
  }
}

// ---- the map ----

static int land_near(int i, int j) {
  for (int di = -1; di <= 1; di++)
    for (int dj = -1; dj <= 1; dj++) {
      int a = i + di, b = j + dj;
      if (a < 0 || b < 0 || a >= GRID_I - 1 || b >= GRID_J - 1) continue;
      if (!on_water[a][b][0] || !on_water[a][b][1]) return 1;
    }
  return 0;
}

// The weather radar chart: precipitation returns where the radar map shows
// them, then the traffic, coloured by how close it is.
static void plot_radar(int kind, int left, int top, int right, int bottom) {
  if (atm.rain_tstm > 1.01f)
    for (int y = top; y + 1 <= bottom; y += 2)
      for (int x = left; x + 1 <= right; x += 2) {
        float wx = wxr_at(twodxcalc(x, kind), twodycalc(y, kind), 0);
        if (wx < 0.3f) continue;
        MACIBM_fillrect(wx > 0.8f ? 18 : wx > 0.6f ? 17 : 13, x - ox, y - oy, 2, 2);
      }
  for (int k = 0; k < TRAFFIC; k++) {
    int x = pixelxfinder(traf_x[k][0], kind), y = pixelyfinder(traf_y[k][0], kind);
    if (x < left + 3 || x > right - 3 || y < top + 3 || y > bottom - 12) continue;
    float dist_nm = std::hypot(traf_x[k][0] - (float)flt.x, traf_y[k][0] - (float)flt.y) * con.mtrstonm;
    float above_ft = (traf_z[k][0] - (float)flt.z) * con.mtrstoft;
    int near = std::fabs(above_ft) <= 2000 && dist_nm <= 10, colour = !near ? 33 : dist_nm <= 5 ? 18 : 17;
    MACIBM_fillrect(colour, x - 2 - ox, y - 2 - oy, 5, 5);
    if (!near) continue;
    char alt[8];
    std::snprintf(alt, sizeof alt, "%+d", flt_to_int(above_ft / 100));
    text(colour, x - 6, y + 11, alt);
  }
}

static int px_[GRID_I][GRID_J], py_[GRID_I][GRID_J];
static unsigned char seen_[GRID_I][GRID_J];

void plot_sea_and_navaids(int kind, int left, int top, int right, int bottom) {
  int style = kind == CHART_AIRPORT ? 999 : msc.map_type;
  int w = right - left + 1, h = bottom - top + 1;
  if (w <= 0 || h <= 0) return;
  if (!gw_inuse[MAP_WORLD]) MACIBM_initgworld(MAP_WORLD, 640, 500);
  ox = left, oy = top;
  MACIBM_settogworld(MAP_WORLD, w, h, style == 505 ? 23 : style == 504 ? 11 : 31);
  X_LFT = 0, Y_TOP = 0, X_RGT = w - 1, Y_BOT = h - 1;

  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) {
      px_[i][j] = pixelxfinder(planex[i][j], kind);
      py_[i][j] = pixelyfinder(planey[i][j], kind);
      seen_[i][j] = px_[i][j] >= left && px_[i][j] <= right && py_[i][j] >= top && py_[i][j] <= bottom;
    }
  for (int i = 0; i < GRID_I - 1; i++)
    for (int j = 0; j < GRID_J - 1; j++) {
      // A cell is drawn when a corner is in sight, or when the chart lies inside it.
      int any = seen_[i][j] || seen_[i + 1][j] || seen_[i][j + 1] || seen_[i + 1][j + 1];
      if (!any && !(px_[i][j] <= right && px_[i + 1][j + 1] >= left && py_[i + 1][j + 1] <= bottom &&
                    py_[i][j] >= top))
        continue;
      for (int tri = 0; tri < 2; tri++) {
        int water = on_water[i][j][tri];
        if (!water && style != 504) continue;
        int color;
        if (kind == CHART_AIRPORT) color = 27;
        else if (style == 504) color = planecol[i][j][tri];
        else if (style == 505) color = 11;
        else color = land_near(i, j) ? 13 : 12;
        int a1, b1, a2, b2, a3, b3;
        convert_ij_dxy(i, j, tri, &a1, &b1, &a2, &b2, &a3, &b3, planediv[i][j]);
        MACIBM_clipped_poly3(color, px_[a1][b1] - ox, py_[a1][b1] - oy, px_[a2][b2] - ox, py_[a2][b2] - oy,
                             px_[a3][b3] - ox, py_[a3][b3] - oy, 0);
      }
    }

  if (style == 505) plot_radar(kind, left, top, right, bottom);

  int tc = ret_col(kind);
  for (int k = 0; k < OBS_MAX; k++) {
    if (obs_type[k] < 2 || obs_type[k] > 92) continue;
    int x = pixelxfinder(obs_x[k], kind), y = pixelyfinder(obs_y[k], kind);
    if (x < left + 4 || x > right - 4 || y < top + 4 || y > bottom - 4) continue;
    line(tc, x - 2, y + 3, x, y - 3);
    line(tc, x, y - 3, x + 2, y + 3);
  }

  if (kind == CHART_AIRPORT) {
    int a = intlim(msc.plate_index, 0, APT_MAX - 1);
    plot_apt(kind, a, 0);
    int x = pixelxfinder(env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]), kind);
    int y = pixelyfinder(env_y_of_lat(apt_lat[a][0]), kind);
    float r = 10 * con.nmtomtrs * scale_of(kind);
    for (int k = 0; k < 90; k++) {
      float p = k * 4 * D2R, q = (k + 1) * 4 * D2R;
      line(11, x + flt_to_int(std::lround(r * std::sin(p))), y - flt_to_int(std::lround(r * std::cos(p))),
           x + flt_to_int(std::lround(r * std::sin(q))), y - flt_to_int(std::lround(r * std::cos(q))));
    }
    text(11, x + flt_to_int(r * 0.72f) + 3, y - flt_to_int(r * 0.72f) - 2, "1O nm");
  }
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) {
    if (!nav_inreg[n]) continue;
    int t = nav_type[n];
    if (kind == CHART_AREA ? (t == NAV_NDB || t == NAV_VOR) : (t >= NAV_NDB && t <= NAV_IM)) plot_navaid(kind, n);
  }
  if (kind == CHART_AREA)
    for (int a = 0; a <= env.aptmax && a < APT_MAX; a++)
      if (apt_inreg[a]) plot_apt(kind, a, 1);
  plot_path(kind);
}

// ---- the approach side view ----

// The glide slope of the receiver chosen for the side view: its navaid, or -1.
static int tuned_glide_slope() {
  int r = intlim(pat.gs_dest, 0, 1);
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++)
    if (nav_inreg[n] && nav_type[n] == NAV_GS && nav_f1[n] == nav.nf[r] && nav_f2[n] == nav.nf100[r]) return n;
  return -1;
}

static void side_view(int l, int t, int r, int b) {
  MACIBM_fillrect(31, l, t, r - l, b - t);
  MACIBM_framerect(25, l, t, r - l, b - t);
  int n = tuned_glide_slope();
  char title[64];
  std::snprintf(title, sizeof title, "NAV %d glide slope%s", intlim(pat.gs_dest, 0, 1) + 1,
                n < 0 ? ": none tuned" : "");
  MACIBM_drstring(11, l + 4, t + 12, title, 4);
  if (n < 0) return;
  // Distance out from the antenna, 12 nm across the box, shifted by os_x_gs.
  float span = 12 * con.nmtomtrs, top_ft = 4500;
  float gx = env_x_of_latlon(nav_lat[n], nav_lon[n]), gy = env_y_of_lat(nav_lat[n]);
  float h = nav_hdng[n] * D2R, gz = nav_z[n];
  auto sx = [&](float d) { return r - 6 - flt_to_int((d - env.os_x_gs) / span * (r - l - 12)); };
  auto sy = [&](float z) { return b - 4 - flt_to_int((z - gz) * con.mtrstoft / top_ft * (b - t - 20)); };
  int px = 0, py = 0;
  for (int k = 0; k <= 60; k++) {  // the ground under the approach course
    float d = env.os_x_gs + span * k / 60;
    float z = terrain_height(gx - d * std::sin(h), gy - d * std::cos(h));
    int x = sx(d), y = intlim(sy(z), t + 16, b - 1);
    if (k) MACIBM_line(14, px, py, x, y);
    px = x, py = y;
  }
  float slope = std::tan(3 * D2R);
  MACIBM_line(18, sx(env.os_x_gs), sy(gz + env.os_x_gs * slope), sx(env.os_x_gs + span),
              intlim(sy(gz + (env.os_x_gs + span) * slope), t + 16, b));
  float d = -(((float)flt.x - gx) * std::sin(h) + ((float)flt.y - gy) * std::cos(h));
  int ax = sx(d), ay = sy((float)flt.z);
  if (ax > l + 3 && ax < r - 3 && ay > t + 16 && ay < b - 3) MACIBM_fillrect(17, ax - 2, ay - 2, 4, 4);
}

// ---- the window ----

static void button(int x, int y, int w, int h, const char* label) {
  MACIBM_fillrect(29, x, y, w, h);
  MACIBM_framerect(11, x, y, w, h);
  MACIBM_drstring(INK, x + (w - 6 * (int)std::strlen(label)) / 2, y + h / 2 + 4, label, 5);
}

static float fld_hdg, fld_alt, fld_spd;

static void controls(int kind, int redraw) {
  int dx, dy;
  window_size(kind, &dx, &dy);
  int x = dx - COLUMN_W;
  if (redraw) {
    MACIBM_fillrect(27, x, 0, COLUMN_W, dy);
    MACIBM_drstring(INK, x + 4, 14, "HDG", 5);
    MACIBM_drstring(INK, x + 4, 74, "ALT FT", 5);
    MACIBM_drstring(INK, x + 4, 134, "KTS", 5);
    MACIBM_drstring(INK, x + 4, 196, "CLICK THE", 5);
    MACIBM_drstring(INK, x + 4, 206, "MAP TO FLY", 5);
    MACIBM_drstring(INK, x + 4, 216, "FROM THERE", 5);
    button(x + 4, 263, 63, 18, "IN");
    button(x + 4, 281, 63, 18, "OUT");
    button(x + 18, 310, 35, 18, "N");
    button(x + 2, 328, 33, 20, "W");
    button(x + 36, 328, 33, 20, "E");
    button(x + 18, 348, 35, 18, "S");
    button(x + 4, 372, 63, 40, "CENTRE");
    if (kind == CHART_AIRPORT) {
      button(x + 4, 460, 30, 20, "<");
      button(x + 37, 460, 30, 20, ">");
    } else {
      MACIBM_drstring(INK, x + 18, 440, "NAV1", 5);
      MACIBM_drstring(INK, x + 18, 455, "NAV2", 5);
    }
    fld_hdg = (float)intlim(flt_to_int(std::lround(wrap360(set.cus_psi))), 0, 359);
    fld_alt = (float)std::lround(set.cus_alt * con.mtrstoft);
    fld_spd = (float)std::lround(set.cus_spd * con.msctokts);
  }
  if (kind == CHART_AREA) {
    int g = intlim(pat.gs_dest, 0, 1);
    int changed = inonebool(x + 4, 431, &g, 0) | inonebool(x + 4, 446, &g, 1);
    if (changed || redraw) {
      pat.gs_dest = g;
      inonebool(x + 4, 431, &pat.gs_dest, 0);
      inonebool(x + 4, 446, &pat.gs_dest, 1);
    }
  }
  if (instdbtn_range(12, x + 4, 16, &fld_hdg, 3, 0, redraw, 0, 359)) set.cus_psi = fld_hdg;
  if (instdbtn_range(12, x + 4, 76, &fld_alt, 6, 0, redraw, 0, 60000)) set.cus_alt = fld_alt * con.fttomtrs;
  if (instdbtn_range(12, x + 4, 136, &fld_spd, 5, 0, redraw, 0, 2000)) set.cus_spd = fld_spd * con.ktstomsc;
}

int chart_button_at(int kind, int mx, int my) {
  int dx, dy;
  window_size(kind, &dx, &dy);
  int x = mx - (dx - COLUMN_W);
  if (x < 0 || x >= COLUMN_W) return 0;
  if (my >= 263 && my < 281) return CHART_ZOOM_IN;
  if (my >= 281 && my < 299) return CHART_ZOOM_OUT;
  if (my >= 310 && my < 328) return CHART_UP;
  if (my >= 328 && my < 348) return x < 35 ? CHART_LEFT : CHART_RIGHT;
  if (my >= 348 && my < 366) return CHART_DOWN;
  if (my >= 370 && my < 415) return CHART_CENTRE;
  if (kind == CHART_AIRPORT && my >= 460 && my < 480) return x < 35 ? CHART_GS_LEFT : CHART_GS_RIGHT;
  return 0;
}

void chart_button(int kind, int b) {
  float w, h;
  visible_span(kind, &w, &h);
  float z = env.zoom_rat > 0 ? env.zoom_rat : 1, nz = z;
  switch (b) {
    case CHART_ZOOM_IN: if (z < 10) nz = z * 1.5f; break;
    case CHART_ZOOM_OUT: nz = fltmax2(z / 1.5f, 1); break;
    case CHART_UP: env.os_y_plan += 0.2f * h; break;
    case CHART_DOWN: env.os_y_plan -= 0.2f * h; break;
    case CHART_LEFT: env.os_x_plan -= 0.2f * w; break;
    case CHART_RIGHT: env.os_x_plan += 0.2f * w; break;
    case CHART_CENTRE:
      env.os_x_plan = (float)flt.x - 0.5f * w;
      env.os_y_plan = (float)flt.y - 0.5f * h;
      break;
    case CHART_GS_LEFT: env.os_x_gs += 0.1f * 12 * con.nmtomtrs; break;
    case CHART_GS_RIGHT: env.os_x_gs = fltmax2(env.os_x_gs - 0.1f * 12 * con.nmtomtrs, 0); break;
    default: return;
  }
  if (nz != z) {
    // The middle of the map stays where it is.
    env.os_x_plan += 0.5f * w * (1 - z / nz);
    env.os_y_plan += 0.5f * h * (1 - z / nz);
    env.zoom_rat = nz;
  }
  if (b != CHART_GS_LEFT && b != CHART_GS_RIGHT) keep_on_grid(kind);
}

static int flash_on = 0;
static uint64_t flash_ticks = 0;

// The aircraft's symbol straight into the window, over the map's copy.
static void flashplane_at(int kind, int x, int y, int color) {
  int l, t, r, b;
  chart_map_rect(kind, &l, &t, &r, &b);
  if (x < l + 8 || x > r - 8 || y < t + 8 || y > b - 8) return;
  MACIBM_copytoport(MAP_WORLD, l, t, x - 8 - l, y - 8 - t, x + 9 - l, y + 9 - t, 1);
  if (color) {
    ox = oy = 0;
    int xl = X_LFT, xr = X_RGT, yt = Y_TOP, yb = Y_BOT;
    X_LFT = l, X_RGT = r, Y_TOP = t, Y_BOT = b;
    plane_line(x, y, color);
    X_LFT = xl, X_RGT = xr, Y_TOP = yt, Y_BOT = yb;
  }
}

void flashplane(int kind, int on) {
  flashplane_at(kind, pixelxfinder((float)flt.x, kind), pixelyfinder((float)flt.y, kind), on ? 17 : 0);
}

void plt_nrt_flash(int kind) {
  if (!mnw.up[window_of(kind)]) return;
  uint64_t now = plat_ticks_ms();
  if (now - flash_ticks < 300) return;
  flash_ticks = now;
  flash_on = !flash_on;
  MACIBM_startwind(window_of(kind), 0);
  flashplane(kind, flash_on);
}

static void draw_map(int kind) {
  int l, t, r, b;
  chart_map_rect(kind, &l, &t, &r, &b);
  plot_sea_and_navaids(kind, l, t, r, b);
  MACIBM_startwind(window_of(kind), 0);
  MACIBM_copytoport(MAP_WORLD, l, t, 0, 0, r - l + 1, b - t + 1, 1);
  flashplane(kind, 1);
}

static void draw_below(int kind) {
  int dx, dy, l, t, r, b;
  window_size(kind, &dx, &dy);
  chart_map_rect(kind, &l, &t, &r, &b);
  if (kind == CHART_AREA) {
    MACIBM_line(11, 0, b + 1, r, b + 1);
    side_view(2, b + 4, r - 2, dy - 3);
    return;
  }
  side_view(7, 322, 290, 480);
}

void plt_nrt_plot(int kind, int partial) {
  int dx, dy;
  window_size(kind, &dx, &dy);
  if (!partial) {
    if (kind == CHART_AREA)
      set_win_title(WIN_AREA_CHART, msc.map_type == 504   ? "Local Virtual-World"
                                    : msc.map_type == 505 ? "Weather Radar Map"
                                                          : "Low Enroute");
    MACIBM_fillrect(kind == CHART_AIRPORT ? 29 : 31, 0, 0, dx, dy);
    reset_chart(kind);
    controls(kind, 1);
    if (kind == CHART_AIRPORT) {
      int a = intlim(msc.plate_index, 0, APT_MAX - 1);
      char elev[16];
      std::snprintf(elev, sizeof elev, "%d FT", intlim((int)std::lround(apt_z[a] * con.mtrstoft), -9999, 9999));
      MACIBM_drstring(INK, 306, 321, elev, 5);
      MACIBM_drstring(INK, 297, 375, apt_id[a], 5);
      // The name in lines of ten characters, between the map and the buttons.
      char line[12] = "";
      int y = 387;
      for (const char* p = apt_name[a]; *p && y < 455;) {
        while (*p == ' ') p++;
        int n = 0;
        while (p[n] && p[n] != ' ') n++;
        int have = (int)std::strlen(line);
        if (have && have + 1 + n > 10) {
          MACIBM_drstring(INK, 297, y, line, 5);
          y += 10;
          line[0] = 0, have = 0;
        }
        std::snprintf(line + have, sizeof line - have, "%s%.*s", have ? " " : "", n, p);
        p += n;
      }
      if (line[0] && y < 455) MACIBM_drstring(INK, 297, y, line, 5);
    }
  }
  draw_map(kind);
  draw_below(kind);
}

// A click on the map flies from there: the symbol flashes at the click and
// the flight starts afresh with the heading, height and speed of the fields.
static void reposition(int kind, int mx, int my) {
  set.cus_x = twodxcalc(mx, kind);
  set.cus_y = twodycalc(my, kind);
  set.cus_psi = fld_hdg;
  set.cus_z = set.cus_alt;
  set.cus_v = set.cus_spd;
  for (int k = 0; k < 6; k++) {
    flashplane_at(kind, mx, my, k % 2 ? 18 : 17);
    desk_present();
    plat_delay_ms(150);
  }
  if (kind == CHART_AREA) MACIBM_killwind(WIN_AREA_CHART);
  set_fltvars(12);
  if (kind == CHART_AIRPORT) draw_map(kind);
}

void plt_nrt_click(int redraw, int kind) {
  MACIBM_startwind(window_of(kind), 0);
  if (redraw) {
    controls(kind, 1);
    return;
  }
  int b = chart_button_at(kind, msc.mx, msc.my);
  if (b) {
    chart_button(kind, b);
    if (b == CHART_GS_LEFT || b == CHART_GS_RIGHT) draw_below(kind);
    else draw_map(kind);
    return;
  }
  int l, t, r, bt;
  chart_map_rect(kind, &l, &t, &r, &bt);
  if (msc.mx >= l && msc.mx <= r && msc.my >= t && msc.my <= bt) {
    if (msc.dragtime > 0.5f) return;  // a held press is not a second click
    reposition(kind, msc.mx, msc.my);
    return;
  }
  int g = pat.gs_dest;
  controls(kind, 0);
  if (g != pat.gs_dest) draw_below(kind);
}
