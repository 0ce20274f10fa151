// One-time initialisation of the global records, the start-up progress bar,
// the output streams and joystick discovery.
#include "sim/shell/initgen.h"
#include <cmath>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/flight/forcefeed.h"
#include "sim/atc/atc.h"
#include "sim/atc/voice.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/map/do_app.h"
#include "sim/msc.h"
#include "sim/output/do_file.h"
#include "sim/output/do_graph.h"
#include "sim/output/grf.h"
#include "sim/panel/nav.h"
#include "sim/panel/radios.h"
#include "sim/panel/panel.h"
#include "sim/set.h"
#include "sim/shell/prefs.h"
#include "sim/shell/wintab.h"
#include "sim/sound/do_sound.h"
#include "sim/view/carrier.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"

static int init_loc = 0;

void assign_hr(int index, float height_kft, float density_slug_ft3) {
  if (index < 0 || index >= 22) return;
  // The standard-atmosphere table belongs to atm; start-up fills it once.
  atm.hr[index][0] = height_kft * 1000.0f * con.fttomtrs;
  atm.hr[index][1] = density_slug_ft3 * con.endtomed;
}

static void fill_density_table() {
  static const float rows[22][2] = {
      {0, 0.0023769f}, {10, 0.001756f},  {20, 0.001267f},  {30, 0.0008907f}, {40, 0.0005873f},
      {50, 0.0003639f}, {60, 0.0002256f}, {70, 0.0001399f}, {80, 8.594e-5f},  {90, 5.253e-5f},
      {100, 3.211e-5f}, {110, 2.001e-5f}, {120, 1.27e-5f},  {130, 8.19e-6f},  {140, 5.364e-6f},
      {150, 3.564e-6f}, {160, 2.433e-6f}, {170, 1.693e-6f}, {180, 1.2e-6f},   {190, 8.589e-7f},
      {200, 6.061e-7f}, {259, 0}};
  for (int i = 0; i < 22; i++) assign_hr(i, rows[i][0], rows[i][1]);
}

// Star 0 stands low in the sky; no other star may sit on top of it.
static void make_stars() {
  for (int i = 0; i < STARS; i++) {
    sta.ele[i] = i == 0 ? fltrand(6.0f, 12.0f) : fltrand(0.0f, 80.0f);
    sta.azi[i] = fltrand(0.0f, 360.0f);
    if (i > 0 && std::fabs(sta.ele[i] - sta.ele[0]) < 1.0f && std::fabs(sta.azi[i] - sta.azi[0]) < 1.0f)
      sta.ele[i] += 2.0f;
  }
}

static void set_defaults() {
  // Start-up sets the first values of every record here (flt, atm, rel, env, nav, fpl, pat included).
  fpl.IFR = 1;
  fpl.VFR = 0;
  fpl.DVFR = 0;
  C_to_C("KAAA", fpl.dep_id);
  C_to_C("KAAA", fpl.arr_id);
  C_to_C("KAAA", msc.apt_id_req);
  fpl.cruise_alt = 5000;
  set.hud_on = 1;
  set.hoops_on = 0;
  set.radar_on = 1;
  set.map_mode = 1;
  set.arg_mode = 1;
  set.map_range = 30;
  set.arg_range = 30;
  set.radar_range = 30;
  set.ecam_page = 4;
  msc.typestart = 900;
  set.cus_alt = 5000 * con.fttomtrs;
  set.cus_spd = 200 * con.ktstomsc;
  flt.cell_i = 89;
  flt.cell_j = 79;
  flt.cell_tri = 0;
  nav.radio_output = 2;
  init_radios();
  pat.gs_dest = 1;
  rel.ins_fail_rat = 0;
  rel.eq1_fail_rat = rel.eq2_fail_rat = 0;
  for (int k = 0; k < FAILURE_KINDS; k++) {
    rel.fail_type[k] = 1;
    rel.fail_time_max[k] = 10;
  }
  mnw.dragging_index = 0;
  msc.rtrat = 1.0f;
  msc.zulu_time = 0;
  atm.rate_change = 4;
  set.hud_bright = 1;
  set.hud_color = 57;
  env.near_apt_max = env.near_vor_max = env.near_ndb_max = -999;
  nav.xfer_sel[0] = 1;
  nav.xfer_sel[1] = 2;
  nav.xfer_sel[2] = 0;
  nav.xfer_sel[3] = 0;
}

void initgen() {
  plat_srand((uint32_t)(plat_ticks_ms() % 32000));
  msc.sound_avail = init_sound();
  if (!msc.sound_avail)
    MACIBM_alert("Sound init failure!", "Sound will not be available, but you can still fly.",
                 "Pretend you are wearing ANR headsets!", "", 0);
  msc.speech_avail = initspeechsynth();
  fill_density_table();
  init_tape_colors();
  init_panel_pictures();
  for (int kind = 1; kind <= 3; kind++) init_nav_pic(kind);
  register_windows();
  make_stars();
  init_carrier();
  init_graph_choices();
  set_defaults();
  open_output_streams();
}

void show_init() {
  if (msc.ready_to_update) return;
  init_loc = intlim(init_loc + 1, 0, 43);
  if (!mnw.up[WIN_MAIN]) return;
  MACIBM_startwind(WIN_MAIN, 0);
  MACIBM_fillrect(12, 59 + 5 * init_loc, 541, 2, 4);  // fills w + 1 by h + 1 pixels
  desk_present();
}

int MACIBM_initjoy() {
  set.controls_type = -1;
  int not_set_up = !plat_joy_subsystem();
  plat_joy_state st;
  if (!not_set_up && plat_joy_count() > 0) {
    if (plat_joy_read(0, &st)) set.controls_type = 5;
    else if (plat_joy_read(1, &st)) set.controls_type = 6;
  }
  if (set.controls_type > 0) {
    _SetJoystickPort(1);
    _InitStick(0);
    _EnableForces();
    return 1;
  }
  if (!joysticks_changed()) return 0;  // told at an earlier start, and nothing was plugged in or out
  if (not_set_up)
    MACIBM_alert("My system-checking indicates that this computer is NOT set up to handle any joysticks!",
                 "The problem is in the joystick devices: plug the joystick in, make sure you may read "
                 "/dev/input, and see 'Set Joystick Options...' in the 'Settings' menu.",
                 "Flight control will therefore be with the mouse.",
                 "Click the mouse in the center of the windshield to toggle between flight-control and "
                 "regular mouse mode.",
                 0);
  else
    MACIBM_alert("My system-checking indicates that there are no joysticks on this computer",
                 "Plug your joystick or gamepad in at any time, and see 'Set Joystick Options...' in the "
                 "'Settings' menu to set it up.",
                 "Flight control will therefore be with the mouse.",
                 "Click the mouse in the center of the windshield to toggle between flight-control and "
                 "regular mouse mode.",
                 0);
  return 0;
}
