// Stand-ins for what later subsystems build (see placeholders.h). Each keeps
// the program running with the least behaviour a user would expect.
#include "sim/shell/placeholders.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/records.h"

// ---- preferences, keys and menus ----
void initprefs() {
  msc.prd = 0.05f;
  msc.warn_frame = 1;
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
