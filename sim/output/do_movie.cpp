// The flight-path trail, the 3-D flight-path window and its replay camera.
#include "sim/output/do_movie.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_con.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/output/grf.h"
#include "sim/set.h"
#include "sim/shell/keys.h"
#include "sim/shell/wintab.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/view/startscn.h"

static const float D2R = 0.017453292519943295f, PI = 3.14159265f;

// What the viewer cleared, to put back when it closes.
static float saved_rain_tstm = 1, saved_vis = 0;
static int saved_cld_type = 0, replay_frames = 0;
static uint64_t visrat_ticks = 0;

void clear_path() {
  pat.cntr_record = 0;
  for (int s = 0; s < PATH_SLOTS; s++) {
    pat.inited[s] = 0;
    for (int k = 0; k < 6; k++) pat.xyztpp[s][k] = 0;
  }
}

void record_path() {
  int n = intlim(pat.cntr_record, 0, PATH_SLOTS - 1);
  const float* p = pat.xyztpp[n];
  if (pat.inited[n] && std::fabs((float)flt.x - p[0]) <= 10 && std::fabs((float)flt.y - p[1]) <= 10) return;
  n = (n + 1) % PATH_SLOTS;
  float* q = pat.xyztpp[n];
  q[0] = (float)flt.x, q[1] = (float)flt.y, q[2] = (float)flt.z;
  q[3] = flt.the180 * D2R, q[4] = flt.psi180 * D2R, q[5] = flt.phi180 * D2R;
  pat.inited[n] = 1;
  pat.inited[(n + 1) % PATH_SLOTS] = 0;
  pat.cntr_record = n;
}

void path_centroid() {
  double sx = 0, sy = 0, sz = 0;
  int n = 0;
  for (int s = 0; s < PATH_SLOTS; s++)
    if (pat.inited[s]) sx += pat.xyztpp[s][0], sy += pat.xyztpp[s][1], sz += pat.xyztpp[s][2], n++;
  if (n == 0) {
    // Nothing recorded yet (a fresh flight, or the trail just cleared).
    pat.centroid_x = (float)flt.x, pat.centroid_y = (float)flt.y, pat.centroid_z = (float)flt.z;
    pat.circ_rad = 4000;
    return;
  }
  pat.centroid_x = (float)(sx / n), pat.centroid_y = (float)(sy / n), pat.centroid_z = (float)(sz / n);
  float far = 0;
  for (int s = 0; s < PATH_SLOTS; s++)
    if (pat.inited[s]) far = fltmax2(far, pythag(pat.xyztpp[s][0] - pat.centroid_x, pat.xyztpp[s][1] - pat.centroid_y));
  pat.circ_rad = far + 4000;
}

// The oldest held sample: the first after the empty slot that follows the newest.
static int oldest_slot() {
  for (int k = 1; k <= PATH_SLOTS; k++) {
    int s = (pat.cntr_record + k) % PATH_SLOTS;
    if (pat.inited[s]) return s;
  }
  return -1;
}

void movie_plot() {
  int dx = mnw.dx[WIN_FLIGHT_PATH], dy = mnw.dy[WIN_FLIGHT_PATH];
  MACIBM_fillrect(23, 0, 0, dx, dy);
  MACIBM_framerect(27, 9, 4, 582, 359);
  MACIBM_drstring(33, 12, 382, "I, K: forwards, backwards    J, L: left, right    C: circle the path", 4);
  MACIBM_drstring(33, 12, 398, "F, f: follow the recorded path    joystick: turn the camera", 4);
  MACIBM_drstring(31, 12, 414, "Hold a mouse button for faster moves.", 4);
}

void start_movie() {
  saved_rain_tstm = atm.rain_tstm;
  saved_cld_type = atm.cld_type;
  atm.rain_tstm = 1.0f;
  atm.cld_type = 0;
  limwx();
  saved_vis = atm.vis;

  MACIBM_startwind(WIN_FLIGHT_PATH, 1);
  if (gw_inuse[1]) MACIBM_disposegworld(1);
  MACIBM_initgworld(1, 580, 371);  // the view's replay surface is 580 x 362 of it
  movie_plot();

  set.view_is_fullscreen = 1;
  set_mon(VIEW_REPLAY, 1);

  int first = oldest_slot();
  if (first >= 0) {
    const float* p = pat.xyztpp[first];
    const float* q = pat.xyztpp[(first + 10) % PATH_SLOTS];
    msc.x_view = p[0], msc.y_view = p[1], msc.z_view = p[2];
    scn.psi180rad = std::atan2(q[0] - p[0], q[1] - p[1]);
  } else {
    msc.x_view = (float)flt.x, msc.y_view = (float)flt.y, msc.z_view = (float)flt.z;
    scn.psi180rad = flt.psi180 * D2R;
  }
  scn.the180rad = 0;
  scn.phi180rad = 0;
  pat.visrat = 1.0f;
  path_centroid();
  pat.cntr_replay = intwrap(pat.cntr_record, 0, PATH_SLOTS - 1);
  handle_simkey('C');
  msc.z_view = pat.centroid_z + 0.1f * pat.circ_rad;
  cal_stick();
  replay_frames = 0;
  visrat_ticks = plat_ticks_ms();
}

void stop_movie() {
  if (gw_inuse[1]) MACIBM_disposegworld(1);
  set.view_is_fullscreen = 0;
  set_mon(VIEW_FORWARD, 1);
  atm.rain_tstm = saved_rain_tstm;
  atm.cld_type = saved_cld_type;
  if (saved_vis > 0) atm.vis = saved_vis;
  limwx();
  cal_stick();
  MACIBM_invalwind(MAIN_WINDOW);  // the panel comes back
}

// Frame time is traded for distance: a quick frame rate lets the viewer see farther.
static void adjust_visrat() {
  uint64_t now = plat_ticks_ms();
  float t = (float)(now - visrat_ticks) / 1000.0f;
  visrat_ticks = now;
  if (t > 0) pat.visrat = fltlim(pat.visrat / std::sqrt(t), 0.5f, 2.0f);
  float seven = 7 * con.nmtomtrs;
  if (saved_vis * pat.visrat < seven && saved_vis > 0) pat.visrat = seven / saved_vis;
}

void play_movie() {
  if (set.view_type != VIEW_REPLAY) return;
  float p = 0, r = 0, h = 0, t = 0;
  MACIBM_getjoy(&p, &r, &h, &t, 0, 0, 0);
  scn.the180rad = fltlim(scn.the180rad + p * msc.prd * 2.0f, -PI / 2, PI / 2);
  scn.psi180rad = fltwrap(scn.psi180rad + r * msc.prd * 4.0f, -PI, PI);
  atm.vis = saved_vis * pat.visrat;
  MACIBM_startwind(WIN_FLIGHT_PATH, 0);  // where the scene pass puts the replay
  start_looking();
  atm.vis = saved_vis;
  if (++replay_frames % 15 == 0) adjust_visrat();
}

// Clipped in the view's tangent plane, where a straight line stays straight.
static int clip_to_view(float* x0, float* z0, float* x1, float* z1) {
  float t0 = 0, t1 = 1, dx = *x1 - *x0, dz = *z1 - *z0;
  const float p[4] = {-dx, dx, -dz, dz};
  const float q[4] = {*x0 - con.rat_lft, con.rat_rgt - *x0, *z0 - con.rat_bot, con.rat_top - *z0};
  for (int i = 0; i < 4; i++) {
    if (p[i] == 0) {
      if (q[i] < 0) return 0;
      continue;
    }
    float u = q[i] / p[i];
    if (p[i] < 0) t0 = fltmax2(t0, u);
    else t1 = fltmin2(t1, u);
  }
  if (t0 > t1) return 0;
  float ax = *x0 + t0 * dx, az = *z0 + t0 * dz;
  *x1 = *x0 + t1 * dx, *z1 = *z0 + t1 * dz;
  *x0 = ax, *z0 = az;
  return 1;
}

static int inside_view(float tx, float tz) {
  return tx >= con.rat_lft && tx <= con.rat_rgt && tz >= con.rat_bot && tz <= con.rat_top;
}

void plot_flight_path() {
  if (set.view_type != VIEW_REPLAY) return;
  for (int i = 0; i < PATH_SLOTS; i++) {
    int a = (i + PATH_SLOTS - 1) % PATH_SLOTS;
    if (!pat.inited[a] || !pat.inited[i]) continue;
    float ex0, ey0, ez0, ex1, ey1, ez1;
    const float* p = pat.xyztpp[a];
    const float* q = pat.xyztpp[i];
    xfrm_SCENE(p[0] - con.VIEW_loc_x, p[1] - con.VIEW_loc_y, p[2] - con.VIEW_loc_z, &ex0, &ey0, &ez0);
    xfrm_SCENE(q[0] - con.VIEW_loc_x, q[1] - con.VIEW_loc_y, q[2] - con.VIEW_loc_z, &ex1, &ey1, &ez1);
    if (!(ey0 > NEAR_DEPTH && ey1 > NEAR_DEPTH)) continue;
    float x0 = ex0 / ey0, z0 = ez0 / ey0, x1 = ex1 / ey1, z1 = ez1 / ey1;
    if (!inside_view(x0, z0) && !inside_view(x1, z1)) continue;
    if (!clip_to_view(&x0, &z0, &x1, &z1)) continue;
    int color = i % 3 == 0 ? 23 : 19;
    int px0 = XFRM_x(x0), py0 = XFRM_y(z0), px1 = XFRM_x(x1), py1 = XFRM_y(z1);
    MACIBM_hsclippedline(color, px0, py0, px1, py1);
    MACIBM_hsclippedline(color, px0, py0 + 1, px1, py1 + 1);
  }
}
