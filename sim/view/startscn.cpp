// The scene pass: slide the region, place the eye, keep the palette, the
// building order and the grid window up to date, then draw far to near into
// the off-screen world and copy it to the screen.
#include "sim/view/startscn.h"
#include <algorithm>
#include <cmath>
#include <cstring>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/output/do_movie.h"
#include "sim/set.h"
#include "sim/view/carrier.h"
#include "sim/view/drplane.h"
#include "sim/view/drterrain.h"
#include "sim/view/lights.h"
#include "sim/view/point.h"
#include "sim/view/scn.h"
#include "sim/view/storm.h"
#include "sim/view/traffic.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/genwrld2.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"
#include "sim/world/terrain.h"

int invrange[178][159];
int obs_ind[800];
int twr_inrange[1200];

static const float DEG_M = 60.0f * 1852.0f;
static const float R2D = 57.29577951308232f, D2R = 0.017453292519943295f;

// ---- frame-to-frame memory of the pass ----
static int   pal_time = -1, pal_temp, pal_lamp, pal_clights, pal_panel, pal_above, pal_cld;
static int   bnd_above = -1, bnd_below, bnd_cld, bnd_i, bnd_j, bnd_oct, bnd_view, bnd_vis;
static int   lay_surface = -1, lay_heli, lay_full;
static float sort_x = 1e30f, sort_y = 1e30f;
static int   locale_built = -1;
static int   car_aids_placed;
static float eye_x, eye_y, eye_z;   // outside views: where the camera is
static int   eye_jump = 1;          // the camera goes straight to its place next frame
static float spot_x, spot_y, spot_z;
static float wisp_t, wisp_len;      // the cloud wisp passing, seconds
static jump_watch camera_watch;     // the aircraft put elsewhere: the camera goes with it

static float closer_assymp(float old, float target, float prd) { return target * prd + (1 - prd) * old; }

// ---- layout ----

int view_is_outside(int v) { return (v >= VIEW_SATELLITE && v <= VIEW_ABOVE10 && v != 618) || v == VIEW_REPLAY; }

void set_mon(int view_type, float zoom) {
  if (view_type >= 0) {
    set.view_type = view_type;
    eye_jump = 1;
    if (view_type == VIEW_SPOT) {
      spot_x = flt.x + 20.0f;
      spot_y = flt.y;
      spot_z = flt.z;
    }
  }
  if (!(scn.zoom > 0)) scn.zoom = 1;
  if (zoom > 0) scn.zoom = fltlim(scn.zoom * zoom, 0.125f, 16.0f);
  con.gwor_x_size = 800;
  con.gwor_y_size = 568;
  con.off_int_lft = 0;
  con.off_int_top = 5;
  con.off_int_rgt = 799;
  float half_w = 400;
  // The bottom bound is the first row not copied to the screen: the
  // rasteriser leaves a polygon's last row empty, and that row is never shown.
  if (set.view_type == VIEW_REPLAY) {
    con.off_int_rgt = 578;
    con.off_int_bot = 361;
    con.off_view_center_fy = 183;
    half_w = 289.5f;
  } else if (set.view_is_fullscreen) {
    con.off_int_bot = 563;
    con.off_view_center_fy = 284;
  } else {
    // A helicopter's chin window shows the lower part beside the panel.
    con.off_int_bot = pln.is_heli ? 563 : 230;
    con.off_view_center_fy = 117.5f;
  }
  con.off_view_center_fx = 0.5f * (con.off_int_lft + con.off_int_rgt + 1);
  con.off_flt_lft = (float)con.off_int_lft;
  con.off_flt_top = (float)con.off_int_top;
  con.off_flt_rgt = (float)con.off_int_rgt;
  con.off_flt_bot = (float)con.off_int_bot;
  con.zom_pp45 = half_w * scn.zoom;
  con.zom_45pp = 1.0f / con.zom_pp45;
  con.rat_lft = (con.off_flt_lft - con.off_view_center_fx) / con.zom_pp45;
  con.rat_rgt = (con.off_flt_rgt - con.off_view_center_fx) / con.zom_pp45;
  con.rat_top = (con.off_view_center_fy - con.off_flt_top) / con.zom_pp45;
  con.rat_bot = (con.off_view_center_fy - con.off_flt_bot) / con.zom_pp45;
  con.HUD_lft = flt_to_int(con.off_view_center_fx) - 160;
  con.HUD_rgt = flt_to_int(con.off_view_center_fx) + 160;
  con.HUD_top = con.off_int_top + 10;
  con.HUD_bot = con.off_int_bot - 10;
  lay_surface = set.view_type == VIEW_REPLAY;
  lay_heli = pln.is_heli;
  lay_full = set.view_is_fullscreen;
}

int view_octant(float heading) {
  if (!std::isfinite(heading)) return 1;
  double h = std::fmod((double)heading, 360.0);
  if (h < 0) h += 360.0;
  int d = flt_to_int(std::floor(h));
  return d >= 360 ? 1 : d / 45 + 1;
}

// ---- region position ----

static float lat_of_y(float y) { return env.lat_sou + (y - planey[0][0]) / DEG_M; }

static float lon_of_xy(float x, float lat) {
  int qj = intlim(flt_to_int(std::floor(lat)) - env.lat_sou, 0, 1);
  float c = std::cos(lat * D2R);
  if (c < 0.01f) c = 0.01f;
  float lon = env.lonwes_ref[1][qj] + (x - env.planex_ref[1][qj]) / (DEG_M * c);
  int qi = intlim(flt_to_int(std::floor(lon)) - env.lon_wes, 0, 2);
  return env.lonwes_ref[qi][qj] + (x - env.planex_ref[qi][qj]) / (DEG_M * c);
}

// ---- the eye ----

// Heading, pitch and roll (degrees) of the frame whose right, forward and up
// axes are these world vectors.
static void angles_of(const float* r, const float* f, const float* u, float* psi, float* the, float* phi) {
  *the = std::asin(fltlim(f[2], -1, 1)) * R2D;
  *psi = std::atan2(f[0], f[1]) * R2D;
  *phi = std::atan2(-r[2], u[2]) * R2D;
}

// The pilot's eye looking yaw degrees right of the nose and down degrees down.
static void cockpit_eye(float yaw, float down) {
  set_plan_trig(flt.x, flt.y, flt.z, flt.psi, flt.the, flt.phi);
  float ex, ey, ez;
  xfrm_VIEWP(pln.pey, -pln.pex, pln.pez, &ex, &ey, &ez);
  con.VIEW_loc_x = flt.x + ex;
  con.VIEW_loc_y = flt.y + ey;
  con.VIEW_loc_z = flt.z + ez;
  float sy = std::sin(yaw * D2R), cy = std::cos(yaw * D2R), sd = std::sin(down * D2R), cd = std::cos(down * D2R);
  // The view's axes in the aircraft's body frame, then in the world.
  const float fb[3] = {sy * cd, cy * cd, -sd}, rb[3] = {cy, -sy, 0}, ub[3] = {sy * sd, cy * sd, cd};
  float f[3], r[3], u[3];
  xfrm_VIEWP(fb[0], fb[1], fb[2], &f[0], &f[1], &f[2]);
  xfrm_VIEWP(rb[0], rb[1], rb[2], &r[0], &r[1], &r[2]);
  xfrm_VIEWP(ub[0], ub[1], ub[2], &u[0], &u[1], &u[2]);
  float psi, the, phi;
  angles_of(r, f, u, &psi, &the, &phi);
  scn.psi180rad = psi * D2R;
  scn.the180rad = the * D2R;
  scn.phi180rad = phi * D2R;
}

static void outside_target(int v, float* x, float* y, float* z, int* smooth) {
  float sp = std::sin(flt.psi * D2R), cp = std::cos(flt.psi * D2R);
  *smooth = 0;
  *x = flt.x, *y = flt.y, *z = flt.z;
  switch (v) {
    case VIEW_SATELLITE: *z += 2500; break;
    case VIEW_TOWER:
      if (!locale_tower(x, y, z)) {
        int a = msc.loc_index;
        if (a >= 0 && a <= env.aptmax) {
          *x = env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]);
          *y = env_y_of_lat(apt_lat[a][0]);
          *z = apt_z[a] + 30;
        }
      }
      break;
    case VIEW_RUNWAY: {
      int a = msc.loc_index;
      if (a >= 0 && a <= env.aptmax && apt_len[a][0] > 1) {
        float h = apt_hdng[a][0] * D2R, off = -(0.6f * apt_width[a][0] + 10);
        *x = env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]) + off * std::cos(h);
        *y = env_y_of_lat(apt_lat[a][0]) - off * std::sin(h);
        *z = apt_z[a] + 2;
      }
      break;
    }
    case VIEW_SPOT: *x = spot_x, *y = spot_y, *z = spot_z; break;
    case VIEW_CIRCLE: {
      float a = msc.elap_time * 12.0f * D2R;
      *x += 40 * std::sin(a), *y += 40 * std::cos(a), *z += 4;
      break;
    }
    case VIEW_FREE: {
      float az = flt.psi * D2R + msc.freeviewxy, el = msc.freeviewz;
      *x -= 40 * std::cos(el) * std::sin(az), *y -= 40 * std::cos(el) * std::cos(az), *z += 40 * std::sin(el);
      break;
    }
    case VIEW_ABOVE40: case VIEW_ABOVE10: {
      float el = (v == VIEW_ABOVE40 ? 40 : 10) * D2R;
      *x -= 50 * std::cos(el) * sp, *y -= 50 * std::cos(el) * cp, *z += 50 * std::sin(el);
      *smooth = 1;
      break;
    }
    default:  // chase
      *x -= 30 * sp, *y -= 30 * cp, *z += 6;
      *smooth = 1;
      break;
  }
}

static void place_eye(int v) {
  static const struct { int view; float yaw, down; } cockpit[] = {
      {VIEW_FORWARD, 0, 0},   {VIEW_DOWN4, 0, 4},     {VIEW_DOWN8, 0, 8},     {VIEW_LEFT45, -45, 0},
      {VIEW_RIGHT45, 45, 0},  {VIEW_LEFT90, -90, 0},  {VIEW_RIGHT90, 90, 0},  {VIEW_LEFT135, -135, 0},
      {VIEW_RIGHT135, 135, 0}, {VIEW_BACK, 180, 0},   {VIEW_HUD, 0, 0},       {VIEW_NOHUD, 0, 0}};
  if (v == VIEW_REPLAY) {
    con.VIEW_loc_x = msc.x_view;
    con.VIEW_loc_y = msc.y_view;
    con.VIEW_loc_z = msc.z_view;
    return;
  }
  if (!view_is_outside(v)) {
    for (const auto& c : cockpit)
      if (c.view == v) {
        cockpit_eye(c.yaw, c.down);
        return;
      }
    cockpit_eye(0, 0);
    return;
  }
  if (aircraft_jumped(&camera_watch, flt.x, flt.y, flt.z)) {
    eye_jump = 1;
    if (v == VIEW_SPOT) spot_x = (float)flt.x + 20.0f, spot_y = (float)flt.y, spot_z = (float)flt.z;
  }
  float tx, ty, tz;
  int smooth;
  outside_target(v, &tx, &ty, &tz, &smooth);
  if (eye_jump || !smooth) {
    eye_x = tx, eye_y = ty, eye_z = tz;
  } else {
    float rate = fltlim(msc.prd, 0.0f, 1.0f);
    eye_x = closer_assymp(eye_x, tx, rate);
    eye_y = closer_assymp(eye_y, ty, rate);
    eye_z = closer_assymp(eye_z, tz, rate);
  }
  eye_jump = 0;
  con.VIEW_loc_x = eye_x, con.VIEW_loc_y = eye_y, con.VIEW_loc_z = eye_z;
  set_plan_trig(flt.x, flt.y, flt.z, flt.psi, flt.the, flt.phi);
  if (v == VIEW_SATELLITE) {
    scn.psi180rad = flt.psi * D2R;
    scn.the180rad = -90 * D2R;
    scn.phi180rad = 0;
    return;
  }
  float dx = flt.x - eye_x, dy = flt.y - eye_y, dz = flt.z - eye_z;
  scn.psi180rad = std::atan2(dx, dy);
  scn.the180rad = std::atan2(dz, pythag(dx, dy));
  scn.phi180rad = 0;
}

// ---- what is in sight ----

void sort_obs_twr() {
  obs_twr_update = 0;
  sort_x = con.VIEW_loc_x;
  sort_y = con.VIEW_loc_y;
  static float dist[OBS_MAX];
  int n = 0;
  for (int b = 0; b < OBS_MAX; b++) {
    if (!obs_type[b]) continue;
    float d = pythag(obs_x[b] - sort_x, obs_y[b] - sort_y);
    if (!(d < atm.vis)) continue;
    dist[b] = d;
    obs_ind[n++] = b;
  }
  // Nearest first; one as far as another already listed is left out.
  std::stable_sort(obs_ind, obs_ind + n, [](int a, int b) { return dist[a] < dist[b]; });
  int m = 0;
  for (int k = 0; k < n; k++)
    if (m == 0 || dist[obs_ind[k]] != dist[obs_ind[m - 1]]) obs_ind[m++] = obs_ind[k];
  scn.obs_max = m - 1;
  for (int t = 0; t < TWR_MAX; t++)
    twr_inrange[t] = twr_type[t] && pythag(twr_x[t] - sort_x, twr_y[t] - sort_y) < atm.vis;
}

static int ground_drawn() {
  return atm.cld_type == 0 || scn.belowbases || (!scn.abovetops && flt.vu <= 0);
}

// The nearest in-region airport ahead (within 45 degrees of the view) or
// within 3 nm becomes the local airport.
static void pick_local_airport() {
  int v = set.view_type;
  if (v == VIEW_TOWER || v == VIEW_RUNWAY || v == VIEW_CIRCLE) return;
  float view_psi = scn.psi180rad * R2D, best = 1e30f;
  int pick = -1;
  for (int k = 0; k < env.apt_list_num; k++) {
    int a = apt_to_index[k];
    float dx = env_x_of_latlon(apt_lat[a][0], apt_lon[a][0]) - con.VIEW_loc_x;
    float dy = env_y_of_lat(apt_lat[a][0]) - con.VIEW_loc_y;
    float d = pythag(dx, dy);
    float off = std::fabs(fltwrap(std::atan2(dx, dy) * R2D - view_psi, -180, 180));
    if ((off <= 45 || d < 3 * 1852.0f) && d < best) {
      best = d;
      pick = a;
    }
  }
  if (pick >= 0) msc.loc_index = pick;
}

// A sweep from `from` to `to` inclusive: start, one-past stop, step.
static void sweep_range(int from, int to, int* start, int* stop, int* inc) {
  *start = from;
  *inc = to >= from ? 1 : -1;
  *stop = to + *inc;
}

void set_bounds(int view_oct) {
  scn.vlines = view_oct == 2 || view_oct == 3 || view_oct == 6 || view_oct == 7;
  scn.sweepcon = (view_oct + 1) / 2;
  float ex = con.VIEW_loc_x, ey = con.VIEW_loc_y;
  int i1, j1, i2, j2;
  if (ground_drawn()) {
    pick_local_airport();
    if (msc.loc_index != locale_built) {
      locale_built = msc.loc_index;
      setnewlocale();
      sort_obs_twr();
    }
    float R;
    if (set.view_type == VIEW_SATELLITE) R = 20000;
    else if (set.view_type == VIEW_REPLAY) R = 1.5f * atm.vis_effective;
    else R = 1.5f * atm.vis + flt.v;
    R = fltmax2(R, 1852.0f);
    // Points outside this frame's square must not keep an old mark.
    std::memset(invrange, 0, sizeof invrange);
    i1 = GRID_I, j1 = GRID_J, i2 = -1, j2 = -1;
    for (int i = 1; i < GRID_I; i++)
      for (int j = 1; j < GRID_J; j++) {
        float dx = planex[i][j] - ex, dy = planey[i][j] - ey;
        if (std::fabs(dx) >= R || std::fabs(dy) >= R) continue;
        invrange[i][j] = dx * dx + dy * dy < R * R;
        i1 = intmin2(i1, i), i2 = intmax2(i2, i);
        j1 = intmin2(j1, j), j2 = intmax2(j2, j);
      }
    if (i2 < 0) {
      i1 = i2 = j1 = j2 = 0;
    } else {
      if (set.view_type != VIEW_SATELLITE) {
        int vi = env.i_viewpoint, vj = env.j_viewpoint;
        if (view_oct == 2 || view_oct == 3) i1 = vi - 1;
        else if (view_oct == 4 || view_oct == 5) j2 = vj + 1;
        else if (view_oct == 6 || view_oct == 7) i2 = vi + 1;
        else j1 = vj - 1;
      }
      i1 = intlim(i1 - 1, 0, GRID_I - 2), i2 = intlim(i2 + 1, 0, GRID_I - 2);
      j1 = intlim(j1 - 1, 0, GRID_J - 2), j2 = intlim(j2 + 1, 0, GRID_J - 2);
    }
  } else {
    float ci = interp(cloudx[0][0], 0, cloudx[CLOUD_I - 1][0], CLOUD_I - 1, ex);
    float cj = interp(cloudy[0][0], 0, cloudy[0][CLOUD_J - 1], CLOUD_J - 1, ey);
    int vi = flt_to_int(fltlim(ci, -100, 100)), vj = flt_to_int(fltlim(cj, -100, 100));
    i1 = 0, j1 = 0, i2 = CLOUD_I - 1, j2 = CLOUD_J - 1;
    if (view_oct == 2 || view_oct == 3) i1 = vi - 2;
    else if (view_oct == 4 || view_oct == 5) j2 = vj + 2;
    else if (view_oct == 6 || view_oct == 7) i2 = vi + 2;
    else j1 = vj - 2;
    i1 = intlim(i1, 0, CLOUD_I - 2), i2 = intlim(i2, 0, CLOUD_I - 2);
    j1 = intlim(j1, 0, CLOUD_J - 2), j2 = intlim(j2, 0, CLOUD_J - 2);
  }
  if (i2 < i1) i2 = i1;
  if (j2 < j1) j2 = j1;
  scn.i1_plot_bound = i1, scn.j1_plot_bound = j1, scn.i2_plot_bound = i2, scn.j2_plot_bound = j2;
  // Cells i1..i2-1 and j1..j2-1, far to near.
  int is, ip, ii, js, jp, ji;
  if (i2 == i1) is = ip = i1, ii = 1;
  else if (scn.sweepcon == 3 || scn.sweepcon == 4) sweep_range(i1, i2 - 1, &is, &ip, &ii);
  else sweep_range(i2 - 1, i1, &is, &ip, &ii);
  if (j2 == j1) js = jp = j1, ji = 1;
  else if (scn.sweepcon == 2 || scn.sweepcon == 3) sweep_range(j1, j2 - 1, &js, &jp, &ji);
  else sweep_range(j2 - 1, j1, &js, &jp, &ji);
  // The outer loop takes the plot_i values: i when vlines is set, else j.
  if (scn.vlines) {
    scn.plot_i_start = is, scn.plot_i_stop = ip, scn.i_inc = ii;
    scn.plot_j_start = js, scn.plot_j_stop = jp, scn.j_inc = ji;
  } else {
    scn.plot_i_start = js, scn.plot_i_stop = jp, scn.i_inc = ji;
    scn.plot_j_start = is, scn.plot_j_stop = ip, scn.j_inc = ii;
  }
}

// ---- visibility ----

// Under the base of an overcast, wisps of cloud drift past now and then.
static float wisp_factor(float eye_z) {
  int scud = atm.cld_type == 1 && !scn.abovetops && eye_z > atm.baseMSL - 150.0f;
  if (wisp_len > 0) {
    wisp_t += msc.prd;
    if (wisp_t >= wisp_len) wisp_len = 0;
  } else if (scud && fltrand(0, 1) < msc.prd / 4.0f) {
    wisp_t = 0;
    wisp_len = fltrand(0.5f, 3.0f);
  }
  if (!(wisp_len > 0)) return 1.0f;
  float s = std::sin(3.1415927f * wisp_t / wisp_len);
  return 1.0f - 0.8f * s * s;
}

static void set_visibility() {
  float v = atm.vis * wisp_factor(con.VIEW_loc_z) / (atm.level + 1.0f);
  // The view derives the light and ground visibility bands from the weather (atm).
  atm.vis_effective = fltmax2(v, 1.0f);
  atm.vis1_grnd = 0.1f * atm.vis_effective;
  atm.vis2_grnd = 1.5f * atm.vis_effective;
  atm.vis1_lite = 0.5f * atm.vis_effective;
  atm.vis2_lite = 1.0f * atm.vis_effective;
  atm.vis3_lite = 1.5f * atm.vis_effective;
  float nm = atm.vis_effective * con.mtrstonm;
  if (scn.abovetops) scn.poly_breakup = 0;
  else scn.poly_breakup = nm > 3 ? 0 : (nm > 2 ? 1 : (nm > 1 ? 2 : 3));
}

// ---- the pass ----

static void draw_runways() {
  int bu = scn.poly_breakup > 0;
  for (int r = 0; r <= env.rwaymax && r < 3; r++) {
    if (rwy.max[r] < 0) continue;
    if (env.tway[r]) {
      plot_runway(MARK_TAXIWAY, MARK_TAXIWAY, r, 82, bu);
      plot_runway(MARK_CONNECT_1, MARK_CONNECT_3, r, 82, 0);
      plot_runway(MARK_APRON, MARK_APRON, r, 82, bu);
    }
  }
  for (int r = 0; r <= env.rwaymax && r < 3; r++) {
    if (rwy.max[r] < 0) continue;
    // Dark asphalt, lighter shoulders, white paint.
    plot_runway(MARK_SURFACE, MARK_SURFACE, r, 82, bu);
    if (env.runoff[r]) plot_runway(MARK_SHOULDER_L, MARK_SHOULDER_R, r, 81, bu);
    plot_runway(MARK_EDGE_L, MARK_EDGE_R, r, 80, bu);
    plot_runway(MARK_PAINT, rwy.max[r], r, 80, 0);
  }
  int lit = (scn.time >= 2 && scn.time <= 4) || atm.vis_effective < 5 * 1852.0f;
  for (int r = 0; r <= env.rwaymax && r < 3; r++) {
    if (rwy.max[r] < 0) continue;
    for (int end = 0; end < 2; end++) {
      plotVASI(r, end);
      if (lit) plotrunwaylights(r, end);
    }
  }
}

// A runway is lit for the end the aircraft is heading for: by its ground
// track when it moves, else by its nose.
void set_straightin() {
  int a = msc.loc_index;
  float dir = flt.psi;
  if (pythag((float)flt.vx, (float)flt.vy) > 2.0f) dir = std::atan2((float)flt.vx, (float)flt.vy) * R2D;
  for (int r = 0; r < 3; r++) {
    scn.straightin[r] = 0;
    if (a < 0 || a > env.aptmax || r > env.rwaymax) continue;
    scn.straightin[r] = std::cos((dir - apt_hdng[a][r]) * D2R) < 0;
  }
}

// Under the view in the full-screen cockpit views, where no panel shows the
// ball: the slip as a ball between two marks.
void slip_string(float fside, float fnrml, char* out) {
  if (std::fabs(fnrml) < 0.1f) fnrml = fnrml < 0 ? -0.1f : 0.1f;
  float px = fltlim(std::atan(fside / fnrml) * R2D * 3, -15, 15);
  int k = 5 - flt_to_int(std::lround(px / 3));  // the ball goes left of the force
  for (int i = 0; i < 11; i++) out[i] = ' ';
  out[3] = out[7] = 'I';  // the panel font has no bar
  out[k] = 'o';
  out[11] = 0;
}

static void overlays() {
  int v = set.view_type;
  if (flt.cat_stage == 27) MACIBM_drstring(55, con.off_int_lft + 10, con.off_int_top + 20, "Space bar to launch.", 5);
  // Not in the view chosen to show nothing over the scene.
  int cockpit_fwd = v == VIEW_FORWARD || v == VIEW_DOWN4 || v == VIEW_DOWN8 || v == VIEW_HUD;
  if (cockpit_fwd && set.view_is_fullscreen) {
    char s[16];
    slip_string(flt.fsideprop + flt.fsideaero + flt.fsidegear, flt.fnrmlprop + flt.fnrmlaero + flt.fnrmlgear, s);
    MACIBM_drstring(55, flt_to_int(con.off_view_center_fx) - 33, con.off_int_bot - 6, s, 5);
  }
}

// The carrier's approach aids are tunable wherever it is in the region.
static void place_carrier_aids() {
  double x, y;
  float z;
  if (nearest_ship(1, flt.x, flt.y, &x, &y, &z)) carrier_aids((float)x, (float)y, z);
}

static void copy_to_screen() {
  // The replay goes into the flight-path window, which its caller made current.
  if (set.view_type == VIEW_REPLAY) {
    MACIBM_copytoport(1, 11, 6, 0, 5, 579, 361, 1);
    return;
  }
  MACIBM_startwind(MAIN_WINDOW, 0);
  if (!set.view_is_fullscreen) {
    MACIBM_copytoport(0, 0, 17, 0, 5, 800, 230, 1);
    if (pln.is_heli) MACIBM_copytoport(0, 0, 17, 629, 230, 800, 563, 1);
  } else {
    MACIBM_copytoport(0, 0, 17, 0, 5, 800, 563, 1);
    // With the panel hidden nothing else covers the strip above the view.
    MACIBM_fillrect(11, 0, 0, 799, 21);
  }
}

void start_looking() {
  // 1. The region follows the aircraft.
  int region_changed = 0;
  float lat = lat_of_y(flt.y), lon = lon_of_xy(flt.x, lat);
  int dir = region_slide_dir(lat, lon);
  if (dir != SLIDE_NONE) {
    slide_region(dir);
    region_changed = 1;
  }
  if (obs_twr_update) region_changed = 1;  // loaded or slid elsewhere
  if (region_changed) locale_built = -1;
  if (set.view_type == 0) set_mon(VIEW_FORWARD, 1);
  int surface = set.view_type == VIEW_REPLAY;
  if (!(con.zom_pp45 > 0) || surface != lay_surface || pln.is_heli != lay_heli || set.view_is_fullscreen != lay_full)
    set_mon(-1, 1);
  // Flashing lights run on the clock: the same rate at any frame rate.
  scn.view_time += fltlim(msc.prd, 0.0f, 0.2f);
  scn.rb_cycle = flt_to_int(std::fmod(scn.view_time * RB_RATE, 300.0f));
  if (region_changed || !car_aids_placed) {
    car_aids_placed = 1;
    place_carrier_aids();
  }
  int time = intlim(scn.time, 1, 4);

  // 2-4. The eye, the ground under it, the view's rotations.
  place_eye(set.view_type);
  float h;
  int gi, gj, gt;
  find_local_h(con.VIEW_loc_x, con.VIEW_loc_y, &h, &gi, &gj, &gt);
  // The view keeps the cell under the eye in env.
  env.i_viewpoint = gi;
  env.j_viewpoint = gj;
  if (con.VIEW_loc_z < h + 2) con.VIEW_loc_z = h + 2;
  set_view_trig();

  // 5-6.
  scn.abovetops = atm.cld_type != 0 && con.VIEW_loc_z > atm.topsMSL;
  scn.belowbases = atm.cld_type != 0 && con.VIEW_loc_z < atm.baseMSL;
  int oct = view_octant(scn.psi180rad * R2D);

  // 7. The palette when the conditions change.
  int temp = flt_to_int(std::floor(atm.temp_SL));
  if (time != pal_time || temp != pal_temp || scn.lamp != pal_lamp || rel.clights != pal_clights ||
      pln.paneltype != pal_panel || scn.abovetops != pal_above || atm.cld_type != pal_cld) {
    pal_time = time, pal_temp = temp, pal_lamp = scn.lamp, pal_clights = rel.clights;
    pal_panel = pln.paneltype, pal_above = scn.abovetops, pal_cld = atm.cld_type;
    set_palette_for_conditions(0);
  }

  // 8-9. Building order and grid window.
  if (obs_twr_update || std::fabs(con.VIEW_loc_x - sort_x) > 200 || std::fabs(con.VIEW_loc_y - sort_y) > 200)
    sort_obs_twr();
  set_visibility();
  int vis_nm = flt_to_int(atm.vis * con.mtrstonm);
  if (region_changed || scn.abovetops != bnd_above || scn.belowbases != bnd_below || atm.cld_type != bnd_cld ||
      gi != bnd_i || gj != bnd_j || oct != bnd_oct || set.view_type != bnd_view || vis_nm != bnd_vis) {
    bnd_above = scn.abovetops, bnd_below = scn.belowbases, bnd_cld = atm.cld_type;
    bnd_i = gi, bnd_j = gj, bnd_oct = oct, bnd_view = set.view_type, bnd_vis = vis_nm;
    set_bounds(oct);
  }
  set_straightin();

  // 12-13. The surface, cleared to the background (a flash lights it).
  if (atm.rain_tstm > 1) manage_strike();
  else atm.strike_up = atm.strike_lighting = 0;
  if (atm.strike_lighting && !scn.abovetops) scn.base_color = 55;
  else scn.base_color = (atm.cld_type == 0 || scn.abovetops) ? 62 : 63;
  env.over_carr = env.over_boat = 0;
  if (surface && !gw_inuse[1]) MACIBM_initgworld(1, 580, 362);
  int sx = surface ? 580 : con.gwor_x_size, sy = surface ? 362 : con.gwor_y_size;
  MACIBM_settogworld(surface, sx, sy, scn.base_color);
  X_LFT = con.off_int_lft, X_RGT = con.off_int_rgt, Y_TOP = con.off_int_top, Y_BOT = con.off_int_bot;

  // 14-16. Sky, ground, runways, buildings, towers, clouds.
  if ((time == 3 || time == 4) && ((atm.cld_type == 0 && atm.vis > 3 * 1852.0f) || scn.abovetops)) plotnightsky();
  if (atm.cld_type == 0 || scn.belowbases) {
    plot_terrain();
    draw_runways();
    for (int k = scn.obs_max; k >= 0; k--) plot_a_bldng(obs_ind[k]);
    for (int t = 0; t < TWR_MAX; t++)
      if (twr_inrange[t]) plot_a_tower(t);
  }
  if (!scn.abovetops) {
    if (atm.rain_tstm > 1 && set.view_type != VIEW_REPLAY) do_window_precip();
  } else {
    plot_ocastclouds();
  }

  // 17-18. Traffic, effects, the own aircraft, the head-up display.
  for (int k = 0; k < 10; k++)
    if (atm.cld_type == 0 || (scn.abovetops && traf_z[k][0] > atm.topsMSL) ||
        (scn.belowbases && traf_z[k][0] < atm.baseMSL))
      draw_a_plane(k);
  plot_flight_path();
  int v = set.view_type;
  if (view_is_outside(v)) plot_plane();
  int hud = hud_kinds(v, pln.HUDtype, ins.HUD_on, ins.HOOP_on);
  if (hud & HUD_SYNTHETIC) plot_cool_hud();
  if (hud & HUD_NORMAL) plot_nrml_hud();
  overlays();

  // 19.
  copy_to_screen();
}
