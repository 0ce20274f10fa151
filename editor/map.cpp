// The terrain and obstacle screens: the map of the quadrant, zoom and pan,
// the quadrant's corner, the terrain sub-modes and the obstacle tools.
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "editor/ed.h"
#include "editor/ui.h"

static const int SX = 167, SY = 5, SDX = 628, SDY = 550;   // the map's drawing surface

static const uirect ZOOM_IN = {105, 7, 155, 23}, ZOOM_OUT = {105, 24, 155, 40};
static const uirect PAN_N = {121, 47, 140, 65}, PAN_W = {103, 65, 121, 84}, PAN_E = {140, 65, 158, 84},
                    PAN_S = {121, 84, 140, 102};

void ui_draw_view_buttons() {
  ui_button(ZOOM_IN, "IN", 0);
  ui_button(ZOOM_OUT, "OUT", 0);
  ui_button(PAN_N, "N", 0);
  ui_button(PAN_W, "W", 0);
  ui_button(PAN_E, "E", 0);
  ui_button(PAN_S, "S", 0);
  ui_corner_fields(1);
  char s[32];
  std::snprintf(s, sizeof s, "ZOOM %.1f", msc.map_zoom);
  ui_text(8, 96, PANEL_TEXT, s);
}

// The corner is typed digit by digit; the quadrant changes at once (after
// the offer to save the one being left).
int ui_corner_fields(int redraw) {
  float lat = (float)msc.map_latfile, lon = (float)msc.map_lonfile;
  int changed = ui_number(16, 14, &lat, 2, 0, -89, 88, redraw);
  changed |= ui_number(16, 50, &lon, 3, 0, -180, 179, redraw);
  if (redraw) {
    ui_text(54, 36, PANEL_TEXT, "LAT");
    ui_text(54, 72, PANEL_TEXT, "LON");
  }
  if (!changed) return 0;
  int before_lat = msc.map_latfile, before_lon = msc.map_lonfile;
  change_quadrant(bk::round(lat), bk::round(lon));
  return msc.map_latfile != before_lat || msc.map_lonfile != before_lon;
}

void change_quadrant(int lat, int lon) {
  lat = intlim(lat, -89, 88);
  lon = ((lon + 180) % 360 + 360) % 360 - 180;
  // Saved under the corner the grid belongs to, before the corner moves.
  if (!handle_save(MODE_TERRAIN, msc.map_dirty)) return;
  read_quadrant(lat, lon);
  msc.map_dirty = 0;
  msc.map_zoom = 1;
  msc.map_os_lat = msc.map_os_lon = 0;
}

int ui_view_click(int x, int y) {
  if (ui_in(ZOOM_IN, x, y)) zoom_map(1.2f);
  else if (ui_in(ZOOM_OUT, x, y)) zoom_map(1 / 1.2f);
  else if (ui_in(PAN_N, x, y)) pan_map(0.1f, 0);
  else if (ui_in(PAN_S, x, y)) pan_map(-0.1f, 0);
  else if (ui_in(PAN_W, x, y)) pan_map(0, -0.1f);
  else if (ui_in(PAN_E, x, y)) pan_map(0, 0.1f);
  else if (ui_corner_fields(0)) return 1;
  else return 0;
  return 1;
}

static int in_map(int x, int y) { return x >= 172 && x <= 790 && y >= 10 && y <= 550; }

// ---- the map ----

static int height_colour(float z, float lo, float hi) {
  return intlim(51 + flt_to_int((z - lo) / (hi - lo) * 194), 51, 245);
}

static void plot_runways() {
  const float FT_PER_DEG = 6076.1155f * 60;
  for (int n = 0; n < ED_APT_MAX; n++) {
    if (apt_type[n] != 1) continue;
    for (int r = 0; r < 3; r++) {
      float la = apt_lat[n][r], lo = apt_lon[n][r];
      if (apt_len[n][r] <= 1 || la < msc.map_latfile || la > msc.map_latfile + 1 || lo < msc.map_lonfile ||
          lo > msc.map_lonfile + 1)
        continue;
      float sh = std::sin(apt_hdng[n][r] * 0.0174533f), ch = std::cos(apt_hdng[n][r] * 0.0174533f);
      float c = std::cos(la * 0.0174533f);
      int xs[4], ys[4];
      for (int box = 0; box < 2; box++) {
        float w0 = box ? -0.5f : -0.5f, w1 = box ? 0.5f : 4.5f;
        float across[4] = {w0, w1, w1, w0}, along[4] = {-0.5f, -0.5f, 0.5f, 0.5f};
        for (int k = 0; k < 4; k++) {
          float e = along[k] * apt_len[n][r] * sh + across[k] * apt_width[n][r] * ch;
          float nn = along[k] * apt_len[n][r] * ch - across[k] * apt_width[n][r] * sh;
          xs[k] = ret_x(lo + e / (FT_PER_DEG * c)) - SX;
          ys[k] = ret_y(la + nn / FT_PER_DEG) - SY;
        }
        MACIBM_clipped_poly4(box ? 33 : 29, xs[0], ys[0], xs[1], ys[1], xs[2], ys[2], xs[3], ys[3], 0);
      }
    }
  }
}

static void plot_symbol(int type, int x, int y, int color) {
  if (x < 8 || x > SDX - 8 || y < 8 || y > SDY - 8) return;
  switch (type) {
    case 2: MACIBM_framerect(color, x - 2, y - 2, 5, 5); break;
    case 3:
      MACIBM_line(color, x - 3, y + 3, x, y - 4);
      MACIBM_line(color, x, y - 4, x + 3, y + 3);
      break;
    case 4:
      MACIBM_line(color, x, y - 5, x, y + 3);
      MACIBM_line(color, x - 2, y - 3, x + 2, y - 3);
      break;
    case 5:
      MACIBM_line(color, x - 3, y + 3, x - 1, y - 4);
      MACIBM_line(color, x + 3, y + 3, x + 1, y - 4);
      MACIBM_line(color, x - 1, y - 4, x + 1, y - 4);
      MACIBM_line(color, x - 3, y + 3, x + 3, y + 3);
      MACIBM_line(color, x - 2, y, x + 2, y);
      break;
    case 6: MACIBM_fillrect(color, x - 1, y - 2, 2, 5); break;
    default: MACIBM_hspoint(color, x, y); break;
  }
}

void plot_obstacles() {
  for (int n = 0; n < OBS_MAX; n++) {
    if (obs_type[n] < 1 || obs_type[n] > 6) continue;
    int x = ret_x(obs_lon[n]) - SX, y = ret_y(obs_lat[n]) - SY;
    plot_symbol(obs_type[n], x, y, n == msc.obs_index_selected ? 18 : 37);
  }
}

void plot_terrain() {
  set_up_win_globals(0);
  float lo = 1e30f, hi = -1e30f;
  for (int i = 0; i < QI; i++)
    for (int j = 0; j < QJ; j++) {
      int_plotx[i][j] = ret_x(planelon[i][j]);
      int_ploty[i][j] = ret_y(planelat[i][j]);
      lo = fltmin2(lo, planez[i][j]);
      hi = fltmax2(hi, planez[i][j]);
    }
  lo -= 1;
  hi += 1;
  MACIBM_startsurf3(SX, SY, SDX, SDY, MAP_BACK, nullptr, nullptr, 1);
  X_LFT = 172 - SX;
  Y_TOP = 10 - SY;
  X_RGT = 790 - SX;
  Y_BOT = SDY - 1;
  auto px = [](int i, int j) { return int_plotx[i][j] - SX; };
  auto py = [](int i, int j) { return int_ploty[i][j] - SY; };
  if (msc.map_res == 99) {
    for (int i = 0; i < CELLS_I; i++)
      for (int j = 0; j < CELLS_J; j++)
        for (int t = 0; t < 2; t++) {
          int ii[3], jj[3];
          tri_points(i, j, t, ii, jj);
          float z = (planez[ii[0]][jj[0]] + planez[ii[1]][jj[1]] + planez[ii[2]][jj[2]]) / 3;
          int col = on_water[i][j][t] ? 45 : height_colour(z, lo, hi);
          MACIBM_clipped_poly3(col, px(ii[0], jj[0]), py(ii[0], jj[0]), px(ii[1], jj[1]), py(ii[1], jj[1]),
                               px(ii[2], jj[2]), py(ii[2], jj[2]), 0);
        }
    for (int i = 0; i < QI; i++)
      for (int j = 0; j < QJ; j++) {
        if (i + 1 < QI) MACIBM_hsclippedline(27, px(i, j), py(i, j), px(i + 1, j), py(i + 1, j));
        if (j + 1 < QJ) MACIBM_hsclippedline(27, px(i, j), py(i, j), px(i, j + 1), py(i, j + 1));
      }
  } else {
    int r = msc.map_res;
    for (int i = 0; i < CELLS_I; i += r)
      for (int j = 0; j < CELLS_J; j += r) {
        int i2 = intmin2(i + r, QI - 1), j2 = intmin2(j + r, QJ - 1);
        float z = (planez[i][j] + planez[i2][j] + planez[i2][j2] + planez[i][j2]) / 4;
        int col = on_water[i][j][0] && on_water[i][j][1] ? 45 : height_colour(z, lo, hi);
        MACIBM_clipped_poly4(col, px(i, j), py(i, j), px(i2, j), py(i2, j), px(i2, j2), py(i2, j2), px(i, j2),
                             py(i, j2), 0);
        MACIBM_hsclippedline(27, px(i, j), py(i, j), px(i2, j), py(i2, j));
        MACIBM_hsclippedline(27, px(i, j), py(i, j), px(i, j2), py(i, j2));
      }
  }
  plot_runways();
  if (msc.edit_mode == MODE_TERRAIN) {
    int x = px(msc.map_ic_elev, msc.map_jc_elev), y = py(msc.map_ic_elev, msc.map_jc_elev);
    for (int i = msc.map_i1_elev; i <= msc.map_i2_elev; i++)
      for (int j = msc.map_j1_elev; j <= msc.map_j2_elev; j++)
        if (i != msc.map_ic_elev || j != msc.map_jc_elev) MACIBM_hsclippedline(17, x, y, px(i, j), py(i, j));
    MACIBM_hsclippedline(18, x - 4, y, x + 4, y);
    MACIBM_hsclippedline(18, x, y - 4, x, y + 4);
  }
  plot_obstacles();
  MACIBM_finishsurf3();
  MACIBM_framerect(PANEL_FRAME, 171, 9, 621, 543);
}

// ---- terrain mode ----

static const char* const MODE_NAMES[4] = {"DRAG POINT", "SELECT POINT", "WATER", "DIAGONAL"};
static const int RES[5] = {4, 5, 16, 32, 99};

static uirect mode_button(int k) { return uirect{5, 115 + 20 * k, 160, 132 + 20 * k}; }
static uirect res_button(int k) { return uirect{5 + 31 * k, 215, 33 + 31 * k, 232}; }

// The selected point's height in feet, stored in metres.
static int height_field(int redraw) {
  float& z = planez[msc.map_ic_elev][msc.map_jc_elev];
  float ft = (float)bk::round(z / 0.3048f);
  if (!ui_number(24, 268, &ft, 5, 0, -1640, 29500, redraw)) return 0;
  z = ft * 0.3048f;
  msc.map_dirty = 1;
  return 1;
}

static void draw_terrain_panel() {
  ui_draw_view_buttons();
  for (int k = 0; k < 4; k++) ui_button(mode_button(k), MODE_NAMES[k], msc.map_mode == k);
  ui_text(8, 210, PANEL_TEXT, "CELLS DRAWN");
  for (int k = 0; k < 5; k++) {
    char s[8];
    std::snprintf(s, sizeof s, k == 4 ? "ALL" : "%d", RES[k]);
    ui_button(res_button(k), s, msc.map_res == RES[k]);
  }
  char s[64];
  std::snprintf(s, sizeof s, "POINT %d %d", msc.map_ic_elev, msc.map_jc_elev);
  ui_text(8, 260, PANEL_TEXT, s);
  height_field(1);
  ui_text(84, 289, PANEL_TEXT, "FT");
  std::snprintf(s, sizeof s, "%.4f %.4f", planelat[msc.map_ic_elev][msc.map_jc_elev],
                planelon[msc.map_ic_elev][msc.map_jc_elev]);
  ui_text(8, 316, PANEL_TEXT, s);
  if (msc.map_built) {
    ui_text(8, 500, PANEL_TEXT, "NO FILE: BUILT FROM");
    ui_text(8, 511, PANEL_TEXT, "THE WORLD MODELS");
  }
  if (msc.map_dirty) ui_text(8, 526, 18, "NOT SAVED");
}

static void select_point(int x, int y) {
  int best = 1 << 30;
  for (int i = 1; i < QI - 1; i++)
    for (int j = 1; j < QJ - 1; j++) {
      int d = std::abs(int_plotx[i][j] - x) + std::abs(int_ploty[i][j] - y);
      if (d < best) {
        best = d;
        msc.map_ic_elev = i;
        msc.map_jc_elev = j;
      }
    }
  msc.map_i1_elev = msc.map_ic_elev - 1;
  msc.map_i2_elev = msc.map_ic_elev + 1;
  msc.map_j1_elev = msc.map_jc_elev - 1;
  msc.map_j2_elev = msc.map_jc_elev + 1;
}

static void terrain_click(int x, int y) {
  float lat = ret_lat(y), lon = ret_lon(x);
  int i, j, t;
  // Choosing a point changes nothing in the file.
  if (msc.map_mode == 1) {
    if (!msc.dragging) select_point(x, y);
    return;
  }
  switch (msc.map_mode) {
    case 0: interp_points(x, y); break;
    case 2:
      if (!msc.dragging && find_tri_with_loc(lat, lon, &i, &j, &t)) on_water[i][j][t] = !on_water[i][j][t];
      break;
    case 3:
      if (!msc.dragging && msc.map_res == 99 && find_tri_with_loc(lat, lon, &i, &j, &t))
        planediv[i][j] = !planediv[i][j];
      break;
  }
  msc.map_dirty = 1;
}

static void change_height(float dft) {
  float& z = planez[msc.map_ic_elev][msc.map_jc_elev];
  z = fltlim(z + dft * 0.3048f, -500, 9000);
  msc.map_dirty = 1;
}

void handle_map(int redraw) {
  if (msc.map_latfile != msc.map_loaded_lat || msc.map_lonfile != msc.map_loaded_lon) {
    read_quadrant(msc.map_latfile, msc.map_lonfile);
    msc.map_zoom = 1;
    msc.map_os_lat = msc.map_os_lon = 0;
    msc.map_dirty = 0;
    redraw = 1;
  }
  if (!redraw && msc.mousedown) {
    int x = msc.mx, y = msc.my;
    if (in_map(x, y)) {
      terrain_click(x, y);
      paint_background();
      plot_terrain();
      draw_terrain_panel();
      return;
    }
    if (msc.dragging) return;
    // Buttons and fields act once per click, while the button is still down.
    if (!ui_view_click(x, y) && !height_field(0)) {
      for (int k = 0; k < 4; k++)
        if (ui_in(mode_button(k), x, y)) msc.map_mode = k;
      for (int k = 0; k < 5; k++)
        if (ui_in(res_button(k), x, y)) msc.map_res = RES[k];
    }
    msc.mousedown = 0;
    redraw = 1;
  }
  if (redraw) {
    paint_background();
    plot_terrain();
    draw_terrain_panel();
  }
}

// ---- obstacle mode ----

static const int OBS_MODES[8] = {OBS_SELECT, OBS_MOVE, OBS_DELETE, 2, 3, 4, 5, 6};
static const char* const OBS_NAMES[8] = {"SELECT", "MOVE", "DELETE", "BUILDING", "TOWER", "MAST", "LATTICE", "SMALL BLDG"};
static const float NEW_HEIGHT_FT[7] = {0, 0, 60, 400, 300, 200, 100};

static uirect obs_button(int k) { return uirect{5, 115 + 20 * k, 160, 132 + 20 * k}; }

int obs_nearest(float lat, float lon) {
  int best = -1;
  float bd = 1e30f;
  for (int n = 0; n < OBS_MAX; n++) {
    if (obs_type[n] < 1 || obs_type[n] > 6) continue;
    if (obs_lat[n] < msc.map_latfile || obs_lat[n] > msc.map_latfile + 1 || obs_lon[n] < msc.map_lonfile ||
        obs_lon[n] > msc.map_lonfile + 1)
      continue;
    float d = std::hypot(obs_lat[n] - lat, obs_lon[n] - lon);
    if (d < bd) bd = d, best = n;
  }
  return best;
}

int obs_new(int type, float lat, float lon) {
  for (int n = 0; n < OBS_MAX; n++)
    if (obs_type[n] == 0) {
      obs_type[n] = type;
      obs_lat[n] = lat;
      obs_lon[n] = lon;
      obs_dz[n] = NEW_HEIGHT_FT[intlim(type, 0, 6)];
      obj_name[n][0] = 0;
      return n;
    }
  return -1;
}

// The selected obstacle's height and place, kept within the quadrant.
static int obs_fields(int redraw) {
  int n = msc.obs_index_selected;
  if (n < 0 || n >= OBS_MAX || obs_type[n] < 1) return 0;
  float la0 = (float)msc.map_latfile, lo0 = (float)msc.map_lonfile;
  int changed = ui_number(24, 296, &obs_dz[n], 4, 0, 1, 3000, redraw);
  changed |= ui_number(24, 336, &obs_lat[n], 6, 4, la0, la0 + 1, redraw);
  changed |= ui_number(24, 376, &obs_lon[n], 7, 4, lo0, lo0 + 1, redraw);
  if (changed) msc.map_dirty = 1;
  return changed;
}

static void draw_obs_panel() {
  ui_draw_view_buttons();
  for (int k = 0; k < 8; k++) ui_button(obs_button(k), OBS_NAMES[k], msc.obs_mode == OBS_MODES[k]);
  int n = msc.obs_index_selected;
  if (n >= 0 && n < OBS_MAX && obs_type[n] >= 1) {
    char s[64];
    std::snprintf(s, sizeof s, "SELECTED: %s", OBS_NAMES[intlim(obs_type[n], 2, 6) + 1]);
    if (obs_type[n] == 8) std::snprintf(s, sizeof s, "SELECTED: %.26s", obj_name[n]);
    ui_text(8, 292, PANEL_ON, s);
    obs_fields(1);
    ui_text(70, 317, PANEL_TEXT, "FT");
    ui_text(94, 357, PANEL_TEXT, "LAT");
    ui_text(104, 397, PANEL_TEXT, "LON");
  }
  if (msc.map_dirty) ui_text(8, 526, 18, "NOT SAVED");
}

static void obs_click(int x, int y) {
  float lat = ret_lat(y), lon = ret_lon(x);
  lat = fltlim(lat, (float)msc.map_latfile, msc.map_latfile + 1.0f);
  lon = fltlim(lon, (float)msc.map_lonfile, msc.map_lonfile + 1.0f);
  if (msc.obs_mode == OBS_MOVE) {
    if (!msc.dragging) msc.obs_index_selected = obs_nearest(lat, lon);
    int n = msc.obs_index_selected;
    if (n < 0 || obs_type[n] < 1) {
      if (!msc.dragging) ed_alert("There is no obstacle in this quadrant to move.", "", "", "");
      msc.mousedown = 0;
      return;
    }
    obs_lat[n] = lat;
    obs_lon[n] = lon;
    msc.map_dirty = 1;
    return;
  }
  if (msc.dragging) return;
  if (msc.obs_mode == OBS_DELETE || msc.obs_mode == OBS_SELECT) {
    int n = obs_nearest(lat, lon);
    if (n < 0) {
      ed_alert(msc.obs_mode == OBS_DELETE ? "There is no obstacle in this quadrant to delete."
                                          : "There is no obstacle in this quadrant to select.",
               "", "", "");
      msc.mousedown = 0;
      return;
    }
    if (msc.obs_mode == OBS_DELETE) {
      obs_type[n] = 0;
      msc.obs_index_selected = -1;
      msc.map_dirty = 1;
    } else {
      msc.obs_index_selected = n;
    }
    return;
  }
  int n = obs_new(msc.obs_mode, lat, lon);
  if (n < 0) {
    ed_alert("There is no room for another obstacle.", "Delete one first.", "", "");
    msc.mousedown = 0;
    return;
  }
  msc.obs_index_selected = n;
  msc.map_dirty = 1;
}

void handle_obs(int redraw) {
  if (msc.map_latfile != msc.map_loaded_lat || msc.map_lonfile != msc.map_loaded_lon) {
    read_quadrant(msc.map_latfile, msc.map_lonfile);
    msc.map_dirty = 0;
    redraw = 1;
  }
  if (!redraw && msc.mousedown) {
    int x = msc.mx, y = msc.my;
    if (in_map(x, y)) {
      obs_click(x, y);
      paint_background();
      plot_terrain();
      draw_obs_panel();
      return;
    }
    if (msc.dragging) return;
    if (!ui_view_click(x, y) && !obs_fields(0))
      for (int k = 0; k < 8; k++)
        if (ui_in(obs_button(k), x, y)) msc.obs_mode = OBS_MODES[k];
    msc.mousedown = 0;
    redraw = 1;
  }
  if (redraw) {
    paint_background();
    plot_terrain();
    draw_obs_panel();
  }
}

// Every pass in obstacle mode: the symbols again over the map, the selected
// one blinking so that it can be found among many.
void redraw_obstacles() {
  static int pass = 0;
  pass++;
  if (!mnw.up[0]) return;
  set_up_win_globals(0);
  MACIBM_startsurf3(SX, SY, SDX, SDY, MAP_BACK, nullptr, nullptr, 0);
  X_LFT = 172 - SX;
  Y_TOP = 10 - SY;
  X_RGT = 790 - SX;
  Y_BOT = SDY - 1;
  for (int n = 0; n < OBS_MAX; n++) {
    if (obs_type[n] < 1 || obs_type[n] > 6) continue;
    int on = n == msc.obs_index_selected && (pass / 20) % 2;
    plot_symbol(obs_type[n], ret_x(obs_lon[n]) - SX, ret_y(obs_lat[n]) - SY, on ? 17 : n == msc.obs_index_selected ? 18 : 37);
  }
  MACIBM_finishsurf3();
}

int ui_key(int key) {
  if (msc.edit_mode == MODE_TERRAIN) {
    float step = key == KEY_UP ? 10 : key == KEY_DOWN ? -10 : key == KEY_PAGEUP ? 100 : key == KEY_PAGEDOWN ? -100 : 0;
    if (step == 0) return 0;
    change_height(step);
    handle_screen(1);
    return 1;
  }
  if (msc.edit_mode == MODE_APT || msc.edit_mode == MODE_NAV) {
    int d = key == KEY_UP ? -1 : key == KEY_DOWN ? 1 : 0;
    if (d == 0) return 0;
    step_list(msc.edit_mode == MODE_APT ? &msc.apt_index : &msc.nav_index, d);
    handle_screen(1);
    return 1;
  }
  return 0;
}
