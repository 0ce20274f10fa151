// Stand-ins for what later subsystems build (see placeholders.h). Each keeps
// the program running with the least behaviour a user would expect.
#include "sim/shell/placeholders.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/records.h"
#include "sim/view/point.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"

// ---- preferences, keys and menus ----
// The defaults of a first start: KSBD, dusk, an overcast at 4000 ft.
void initprefs() {
  msc.prd = 0.05f;
  msc.warn_frame = 1;
  msc.loc_index = intmax2(find_apt_by_id("KSBD"), 0);
  msc.rway_sel = 0;
  set_region_from_apt(msc.loc_index);
  scn.time = 2;
  atm.temp_SL = 59;
  atm.rain_tstm = 1;
  atm.cld_type = 1;
  atm.topsMSL = 5000 * 0.3048f;
  atm.baseMSL = 4000 * 0.3048f;
  atm.vis = 10 * 1852.0f;
}
void write_prefs() {}
void set_up_menus() {
  MACIBM_create_menu(2, "File");
  MACIBM_append_menu(2, 206, 1, "Exit");
  MACIBM_create_menu(8, "?");
  MACIBM_append_menu(8, 801, 0, "About Tarvel...");
}
void handlemenu(int command) {
  if (command == 206) {
    write_prefs();
    MACIBM_exitalert(nullptr, nullptr, nullptr, nullptr);
  }
  if (command == 801) MACIBM_aboutalert();
}
void handle_simkey(int) {}
void function_key(int) {}
void yoke_key(int) {}
void freeview_key(int) {}
void process_zap(int) {}


// ---- flight model ----
void set_fltvars(int) { place_on_runway(msc.loc_index, msc.rway_sel); }
void deg2integ() { msc.elap_time += msc.prd; }
void control() {}
void cal_stick() {}
void _SetJoystickPort(int) {}
void _InitStick(int) {}
void _EnableForces() {}

// ---- flight model: ground height and weather limits ----
static int on_triangle(int i, int j, int tri, float x, float y) {
  float i1, j1, i2, j2, i3, j3;
  convert_ij_cw((float)i, (float)j, tri, &i1, &j1, &i2, &j2, &i3, &j3, planediv[i][j], 1, 1);
  const int ii[3] = {(int)i1, (int)i2, (int)i3}, jj[3] = {(int)j1, (int)j2, (int)j3};
  for (int e = 0; e < 3; e++) {
    int a = e, b = (e + 1) % 3;
    if (!inside_cw_reg(planex[ii[a]][jj[a]], planey[ii[a]][jj[a]], planex[ii[b]][jj[b]], planey[ii[b]][jj[b]], x, y,
                       0.01f))
      return 0;
  }
  return 1;
}

void find_local_h(float x, float y, float* h, int* i, int* j, int* t) {
  float dx = planex[58][0] - planex[0][0], dy = planey[0][78] - planey[0][0];
  int i0 = dx != 0 ? (int)fltlim(58.0f * (x - planex[0][0]) / dx, 0, GRID_I - 2) : 0;
  int j0 = dy != 0 ? (int)fltlim(78.0f * (y - planey[0][0]) / dy, 0, GRID_J - 2) : 0;
  int fi = i0, fj = j0, ft = 0;
  // Off the region no triangle holds the point: the first guess stands.
  float xlo = fltmin2(planex[0][0], planex[0][GRID_J - 1]), xhi = fltmax2(planex[GRID_I - 1][0], planex[GRID_I - 1][GRID_J - 1]);
  float ylo = fltmin2(planey[0][0], planey[GRID_I - 1][0]), yhi = fltmax2(planey[0][GRID_J - 1], planey[GRID_I - 1][GRID_J - 1]);
  int off = !(x >= xlo && x <= xhi && y >= ylo && y <= yhi);
  for (int ring = 0; ring < GRID_I && !off; ring++) {
    int found = 0;
    for (int a = intmax2(i0 - ring, 0); a <= intmin2(i0 + ring, GRID_I - 2); a++)
      for (int b = intmax2(j0 - ring, 0); b <= intmin2(j0 + ring, GRID_J - 2); b++) {
        if (a != i0 - ring && a != i0 + ring && b != j0 - ring && b != j0 + ring) continue;
        for (int tri = 0; tri < 2; tri++)
          if (on_triangle(a, b, tri, x, y)) {
            fi = a;
            fj = b;
            ft = tri;
            found = 1;
          }
      }
    if (found) break;
  }
  int i1, j1, i2, j2, i3, j3;
  convert_ij_dxy(fi, fj, ft, &i1, &j1, &i2, &j2, &i3, &j3, planediv[fi][fj]);
  float x1 = planex[i1][j1], y1 = planey[i1][j1], z1 = planez[i1][j1];
  float x2 = planex[i2][j2], y2 = planey[i2][j2], z2 = planez[i2][j2];
  float x3 = planex[i3][j3], y3 = planey[i3][j3], z3 = planez[i3][j3];
  float det = (x2 - x1) * (y3 - y1) - (x3 - x1) * (y2 - y1);
  if (std::fabs(det) < 1e-6f) {
    *h = z1;
  } else {
    float a = ((x - x1) * (y3 - y1) - (x3 - x1) * (y - y1)) / det;
    float b = ((x2 - x1) * (y - y1) - (x - x1) * (y2 - y1)) / det;
    *h = z1 + a * (z2 - z1) + b * (z3 - z1);
  }
  *i = fi;
  *j = fj;
  *t = ft;
}
void limwx() {}

// ---- lights and sky ----
int show_light(float depth, int index) {
  if (depth < 3.0f) return 0;
  if (depth < atm.vis1_lite) return 1;
  if (depth < atm.vis2_lite) return index % 2 == 0;
  if (depth < atm.vis3_lite) return index % 8 == 0;
  return 0;
}
void cityplot(int, int, int, int, int) {}
void generalplot(float x, float y, float z, int color, int size) {
  float ex, ey, ez;
  int sx, sy;
  xfrm_SCENE(x - con.VIEW_loc_x, y - con.VIEW_loc_y, z - con.VIEW_loc_z, &ex, &ey, &ez);
  if (ey <= 3.0f || ey >= atm.vis2_lite || !find_pxy(ex, ey, ez, &sx, &sy)) return;
  MACIBM_hshline(color, intlim(sx - size, con.off_int_lft, con.off_int_rgt), sy,
                 intlim(sx + size, con.off_int_lft, con.off_int_rgt) - intlim(sx - size, con.off_int_lft, con.off_int_rgt) + 1);
  int y1 = intlim(sy - size, con.off_int_top, con.off_int_bot), y2 = intlim(sy + size, con.off_int_top, con.off_int_bot);
  MACIBM_hsvline(color, sx, y1, y2 - y1 + 1);
}
int pulse_color(int t) {
  static const int ramp[12] = {35, 35, 21, 20, 19, 18, 36, 18, 19, 20, 21, 35};
  int p = ((scn.rb_cycle + t) % 25 + 25) % 25;
  return p < 12 ? ramp[p] : 11;
}
void plotVASI(int, int) {}
void plotrunwaylights(int, int) {}
void plotnightsky() {}

// ---- lightning, snow and rain ----
void manage_strike() {}
void do_window_precip() {}

// ---- traffic, head-up display, own aircraft, ships ----
float traf_x[10][4], traf_y[10][4], traf_z[10][4];
void draw_a_plane(int) {}
void plot_nrml_hud() {}
void plot_cool_hud() {}
void plot_plane() {}
void draw_a_carr(float, float, float) {}
void draw_a_boat(float, float, float) {}

// ---- panel ----
void updatepanel() {}
void panplot() {}
void panclick(int, int) {}
void enginecondrag(int, int) {}
void init_tape_colors() {}
void init_nav_pic(int) {}

// ---- ATC and speech ----
int initspeechsynth() { return 0; }
void handle_plan(int) {}
void controller_respond(const char*) {}

// ---- sound ----
int initsound() { return 1; }
void play_engine_and_windrain() {}
void stop_engine_and_windrain() {}
void maintain_engine_sound() {}
void maintain_windrain_sound() {}
void play_sound(int) {}

// ---- data output and replay ----
void init_graph_choices() {}
void grfload() {}
void grfdrag() {}
void grfplot() {}
void grfclick() {}
void play_movie() {}
void plot_flight_path() {}

// ---- carrier ----
void init_carrier() {}

// ---- moving map ----
void plt_nrt_plot(int, int) {}
void plt_nrt_click(int, int) {}

// ---- settings windows ----
void id_plot() {}  void id_click() {}
void namplot() {}  void namclick() {}
void wrlplot() {}  void wrlclick() {}
void latplot() {}  void latclick() {}
void whrplot() {}
void gidplot() {}  void gidclick() {}
void datplot() {}  void datclick() {}
void timplot() {}  void timclick() {}
void spaplot() {}  void spaclick() {}
void atmplot() {}  void atmclick() {}
void gndplot() {}  void gndclick() {}
void watplot() {}  void watclick() {}
void fltplot() {}  void fltclick() {}
void joyplot() {}  void joyclick() {}  void drawnull() {}
void fueplot() {}  void fueclick() {}
void wgtplot() {}  void wgtclick() {}
void relplot() {}  void relclick() {}
void insplot() {}  void insclick() {}
void eqpplot() {}  void eqpclick() {}
void sndplot() {}  void sndclick() {}
void wrnplot() {}  void wrnclick() {}
void isoplot() {}
void plnplot() {}  void plnclick() {}
