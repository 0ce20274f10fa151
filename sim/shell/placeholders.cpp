// Stand-ins for what later subsystems build (see placeholders.h). Each keeps
// the program running with the least behaviour a user would expect.
#include "sim/shell/placeholders.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/records.h"

// ---- flight model ----
void cal_stick() {}

// ---- crash handling ----
// The flight ends and a new one starts on the runway.
void bendmetal(int) {
  forcecall(24, 0, 0, 0);
  forcecall(23, 100, intrand(0, 359), 250);
  msc.typestart = 900;
  set_fltvars(10);
}

// ---- view ----
void start_looking() {}
void set_mon(int, float) {}
void set_palette_for_conditions(int) {}

// ---- panel ----
void updatepanel() {}
void panplot() {}
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
