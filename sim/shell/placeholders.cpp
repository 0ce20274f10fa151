// Stand-ins for what later subsystems build (see placeholders.h). Each keeps
// the program running with the least behaviour a user would expect.
#include "sim/shell/placeholders.h"
#include <cmath>
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/records.h"
#include "sim/view/point.h"
#include "sim/view/startscn.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"

// ---- flight model ----
// Nothing fails yet; only the health of what works is kept.
void failures_sec() {
  for (int n = 0; n < ENGINES; n++)
    flt.eng_running[n] = n < pln.numen && flt.m_fuel > 0.01f && flt.mixt_powr_rat[n] > 0.01f && rel.engine[n];
  rel.oil_rat = 1;
  rel.hyd_rat = 1;
}

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
// Until the instrument panel is built, its place is a plain panel face.
// A repaint may come while the view's surface is locked (a palette change
// repaints the window): the face goes on the window, never into that surface.
void panplot() {
  if (!active_dc) return;
  int was_locked = locked;
  locked = 0;
  MACIBM_fillrect(24, 0, 0, active_dc->dx - 1, active_dc->dy - 1);
  locked = was_locked;
}
void panclick(int, int) {}
void enginecondrag(int, int) {}
void init_tape_colors() {}
void init_nav_pic(int) {}
static void step_wrapped(int* v, int step, int lo, int hi) {
  *v += step;
  if (*v > hi) *v = lo;
  if (*v < lo) *v = hi;
}
void NAVinc(int* mhz, int step) { step_wrapped(mhz, step, 108, 117); }
void COMinc(int* mhz, int step) { step_wrapped(mhz, step, 118, 134); }
void HUNinc(int* hundredths, int step) { step_wrapped(hundredths, step, 0, 95); }
void ADFinc(int* digit, int step) { step_wrapped(digit, step, 0, 9); }
void XPNinc(int* digit, int step) { step_wrapped(digit, step, 0, 7); }

// ---- ATC and speech ----
int initspeechsynth() { return 0; }
void handle_plan(int) {}
void controller_respond(const char*) {}
void speakstring(const char*) {}

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
// The graph channels follow the ticks, so that the graph window knows whether
// anything is chosen.
void set_rlt_grf_choices() {
  int n = 0;
  for (int k = 0; k < 4; k++) set.grfsel[k] = -1;
  for (int i = 0; i < DATA_ITEMS && n < 4; i++)
    if (set.Bgrf[i]) set.grfsel[n++] = i;
  set.grfout = n > 0;
}
void clear_path() {
  pat.cntr_record = 0;
  for (int s = 0; s < PATH_SLOTS; s++) {
    pat.inited[s] = 0;
    for (int k = 0; k < 6; k++) pat.xyztpp[s][k] = 0;
  }
}
void start_movie() {}
void stop_movie() {}

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
