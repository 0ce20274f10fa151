// Entry, start-up and the frame loop with its time-step and visibility governors.
#include "sim/shell/lax.h"
#include <cmath>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/do_atc.h"
#include "sim/atc/voice.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_con.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_graph.h"
#include "sim/panel/dasclick.h"
#include "sim/panel/ins.h"
#include "sim/panel/panel.h"
#include "sim/panel/radios.h"
#include "sim/records.h"
#include "sim/set.h"
#include "sim/shell/crash.h"
#include "sim/shell/event.h"
#include "sim/shell/initgen.h"
#include "sim/shell/keys.h"
#include "sim/shell/menus.h"
#include "sim/shell/prefs.h"
#include "sim/shell/wintab.h"
#include "sim/sound/do_sound.h"
#include "sim/view/color_time.h"
#include "sim/view/scn.h"
#include "sim/view/startpic.h"
#include "sim/view/startscn.h"
#include "sim/view/storm.h"
#include "sim/view/traffic.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static uint64_t mouse_down_time = 0;
static uint64_t governor_ref = 0;
static int my_prev = 0, my_prev_set = 0;
static int warned_slow = 0;
static int slow_count = 0;
static float fixed_step = 0;

void set_fixed_time_step(float prd) {
  fixed_step = prd;
  if (prd > 0) msc.prd = prd;
}

static void alert_sound(int is_about) { play_buffer(is_about ? SND_ABOUT : SND_ALERT, 0); }
static void after_alert() { msc.mousedown = 0; }
static void quit_from_window_manager() { handlemenu(CMD_EXIT); }

static void before_exit(int fatal) {
  (void)fatal;
  if (msc.logtime) {
    char total[STR_DIM], night[STR_DIM], instrument[STR_DIM];
    int h, m;
    sec_to_hrs_min(msc.elap_time, &h, &m);
    std::snprintf(total, sizeof total, "Total time logged: %d hours, %d minutes", h, m);
    sec_to_hrs_min(msc.nigt_time, &h, &m);
    std::snprintf(night, sizeof night, "Night time logged: %d hours, %d minutes", h, m);
    sec_to_hrs_min(msc.aifr_time, &h, &m);
    std::snprintf(instrument, sizeof instrument, "Actual instrument time logged: %d hours, %d minutes", h, m);
    MACIBM_alert("Logbook results:", total, night, instrument, 0);
  }
  close_output_streams();
  stop_engine_and_windrain();
  _ClearForces();
  _CloseStick();
}

static void install_hooks() {
  hok.window_proc = handle_IBM_win;
  hok.set_up_menus = set_up_menus;
  hok.process_zap = process_zap;
  hok.stop_sounds = stop_engine_and_windrain;
  hok.restart_sounds = play_engine_and_windrain;
  hok.play_alert_sound = alert_sound;
  hok.after_alert = after_alert;
  hok.before_exit = before_exit;
  hok.change_colors_for_time = sim_change_colors_for_time;
  hok.draw_startup_picture = draw_startup_picture;
  hok.show_progress = show_init;
  hok.mouse = {&msc.mx, &msc.my, &msc.mousedown};
  hok.spoil_prefs_on_fatal = 1;
  hok.product_name = "Tarvel";
  hok.version_text = "version 1.0";
  hok.program_folder = "tarvel";
  hok.prefs_name = "Tarvel Ririzuz.prf";
  desk_set_quit_handler(quit_from_window_manager);
  desk_set_dialog_default(headless_dialog_choice);
}

int tarvel_start() {
  clear_records();
  install_hooks();
  const window_entry* main_window = window_entry_of(WIN_MAIN);
  return MACIBM_init(main_window->title, main_window->dx, main_window->dy, WIN_TYPE_MAIN);
}

void simulate_startup() {
  MACIBM_initgworld(0, 800, 568);
  initgen();
  init_country_data();
  need_airports();
  initprefs();
  load_region();
  update_location_menus();
  set_geo_report_stream(trk);
  if (bbx) write_plane_banner(bbx);
  load_plane();
  set_fltvars(10);
  msc.ready_to_update = 1;
  play_engine_and_windrain();
  if (MACIBM_initjoy())
    MACIBM_alert("Center the trim on your joystick.", "Get your feet off the rudder pedals if you have them.", "",
                 "Push the 'OK' button below, and don't touch your joystick or pedals for a few seconds.", 0);
  cal_stick();
  MACIBM_invalwind(WIN_MAIN);  // the start-up picture gives way to the panel
  governor_ref = plat_ticks_ms();
}

// Visibility is traded for frame rate only below the clouds; it never goes
// below about 3 nm.
static void visibility_governor() {
  if (!(scn.belowbases || atm.cld_type == 0)) return;
  if (!msc.running_slow) {
    slow_count = 0;
    return;
  }
  if (++slow_count <= 10) return;
  float nm = con.nmtomtrs > 0 ? atm.vis / con.nmtomtrs : 0;
  // The frame-rate governor trades the weather's visibility (atm) for speed.
  if (nm > 3.2f) atm.vis *= 0.95f;
  else if (nm < 3.0f) atm.vis /= 0.95f;
  if (!warned_slow && msc.warn_frame) {
    warned_slow = 1;
    MACIBM_alert("Warning: The simulator is running too slow for smooth animation and accurate flight dynamics.",
                 "The simulator will maintain smooth animation by changing the visibility somewhat, allowing a "
                 "higher frame rate for smoother animation.",
                 "Remember, it is possible to set the visibility too high for almost ANY CPU... this insures "
                 "that you can ask for all the visibility that YOUR CPU can handle!",
                 "To avoid this warning again, reduce the visibility, or go to the 'Warnings' item in the "
                 "'Settings' menu.",
                 0);
  }
}

void time_step_governor() {
  if (fixed_step > 0) return;
  uint64_t now = plat_ticks_ms();
  float t = (float)(now - governor_ref) / 1000.0f;
  governor_ref = now;
  if (msc.event) {
    msc.event = 0;
    return;
  }
  // Ten frames inside one clock tick say nothing about the frame time.
  if (t <= 0 || !(msc.prd > 0)) return;
  msc.rtrat = fltlim(t / (msc.prd * 10.0f), 0.2f, 5.0f);
  if (msc.rtrat >= 1.0f) msc.prd *= std::pow(msc.rtrat, 0.5f);
  else msc.prd *= std::pow(msc.rtrat, 0.2f);
  msc.running_slow = msc.prd > 0.07f;
  if (msc.running_slow) msc.prd = 0.07f;
  if (msc.prd < 0.0005f) msc.prd = 0.0005f;
  visibility_governor();
}

static void repeat_held_click() {
  const window_entry* w = window_entry_of(mnw.dragging_index);
  if (w && w->repeats && w->click) w->click();
}

int evup_for_step(float prd) { return prd > 0 ? intlim(bk::round(0.1f / prd), 1, 99) : 99; }

static void once_a_second() {
  msc.evup = evup_for_step(msc.prd);
  // The region may have slid under the aircraft: its lists feed the Location menu.
  static int lat_seen = -999, lon_seen = -999;
  if (env.lat_sou != lat_seen || env.lon_wes != lon_seen) {
    lat_seen = env.lat_sou;
    lon_seen = env.lon_wes;
    update_location_menus();
  }
  radios_sec();
  if (fpl.onfile && fpl.activated) handle_plan(0);
  if (atc.ils_vec_in_progress) controller_respond(atc.ils_command);
}

// About ten times a second: the throttle lever follows the joystick, and the
// sounds follow the flight.
static void slow_task() {
  if (pln.entype) {
    int lever_row = flt_to_int(interp(0, 563, 1, 515, set.FC_thro));
    if (!my_prev_set) {
      my_prev = lever_row;
      my_prev_set = 1;
    } else if (lever_row != my_prev) {
      enginecondrag(ins.osthr + 673, lever_row + 7);
      my_prev = lever_row;
    }
    maintain_engine_sound();
  }
  maintain_windrain_sound();
  start_strike();
}

static void simulation_step() {
  msc.cntr += 1;
  if (msc.cntr > 30000) msc.cntr = 0;
  control();
  do_button_deeds();
  deg2integ();
  radios_step();
  move_traffic();
  handle_crash();
  if (set.grfout) grfload();
  if (msc.cntr % 10 == 0) time_step_governor();
  if (msc.mousedown) enginecondrag(msc.mx, msc.my);
  msc.evup = intlim(msc.evup, 1, 99);
  if (msc.cntr % msc.evup == 0) {
    output_evt();  // as the flight model's event step ran
    msc.cntr10 += 1;
    if (msc.cntr10 >= 10) {
      msc.cntr10 = 0;
      once_a_second();
    }
    radios_evt();  // with the tenth the marker lights show
    slow_task();
  }
}

void simulate_frame() {
  plat_set_idle(msc.paused || winsup());  // a paused or covered flight needs few frames
  MACIBM_pump();
  animate_windows();
  uint64_t now = plat_ticks_ms();
  if (!msc.mousedown) {
    mouse_down_time = now;
  } else {
    msc.dragtime = (float)(now - mouse_down_time) / 1000.0f;
    if (msc.dragtime > 0.5f) repeat_held_click();
  }
  if (!winsup()) {
    if (!set.view_is_fullscreen) updatepanel();
    else ins.tickle_all = 0;
    start_looking();
    print_data_items();
    plot_atc_text();
    plot_atc_options(0);
  }
  if (!msc.paused && !winsup()) simulation_step();
  desk_present();
}

void simulate() {
  simulate_startup();
  for (;;) simulate_frame();
}
