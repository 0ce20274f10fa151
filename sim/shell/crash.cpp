// A crash: the picture over the last frame, the sound and the jolt, what went
// wrong when a system had failed, and a new flight on the runway.
#include "sim/shell/crash.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "sim/flight/forcefeed.h"
#include "sim/flight/integ.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/shell/wintab.h"
#include "sim/sound/do_sound.h"

// Cracks across the windshield and spatters of mud.
static void broken_windshield() {
  for (int c = 0; c < 11; c++) {
    int x = intrand(50, 750), y = intrand(25, 210);
    int dx = intrand(-50, 50), dy = intrand(-20, 20);
    x += dx;
    y += dy;
    // Each walk ends at the edge; the step bound only guards against a walk that never leaves.
    for (int step = 0; step < 10000; step++) {
      dx += intrand(-40, 40);
      dy += intrand(-40, 40);
      int nx = x + dx, ny = y + dy;
      int out = nx < 0 || nx > 800 || ny < 5 || ny > 230;
      nx = intlim(nx, 0, 800);
      ny = intlim(ny, 5, 230);
      MACIBM_line(33, x, y, nx, ny);
      x = nx;
      y = ny;
      if (out) break;
    }
  }
  for (int k = 0; k <= 100; k++) {
    int r = k % 25 == 0 ? intrand(5, 15) : intrand(1, 4);
    int x = intrand(0, 660);
    if (k % 4 == 0) MACIBM_filloval(20, x, intrand(20, 200), r, 3 * r);
    else MACIBM_filloval(20, x, intrand(200, 460), r, r);
  }
}

static void flashes() {
  for (int k = 0; k < 10; k++) {
    MACIBM_fillrect(18, 0, 0, 800, 600);
    desk_present();
    delay(0.04f);
    MACIBM_fillrect(11, 0, 0, 800, 600);
    desk_present();
    delay(0.04f);
  }
}

static int crashes;

int crash_count() { return crashes; }

void bendmetal(int severe) {
  crashes++;
  stop_engine_and_windrain();
  play_buffer(SND_BOOM, 0);
  forcecall(FF_CLEAR, 0, 0, 0);
  forcecall(FF_JOLT, 100, intrand(0, 359), 250);
  if (mnw.up[WIN_MAIN]) {
    MACIBM_startwind(WIN_MAIN, 0);
    if (severe) flashes();
    else broken_windshield();
    desk_present();
  }
  delay(4.0f);
  if (msc.ice > 0.01f)
    MACIBM_alert("The aircraft was carrying ice at time of impact.",
                 "You have to keep out of the clouds between 0 and 32 deg F.",
                 "There is a thermometer in the upper-right hand corner of the screen.", "", 0);
  if (!rel.vacuum)
    MACIBM_alert("Your vacuum system had failed before impact.", "You have to keep a cross-check going.",
                 "The rest of the airplane was in one piece until you buried it.",
                 "Tarvel features realistic gyro spin-down effects, including gyro sluggishness and tumble.", 0);
  msc.typestart = 900;
  set_fltvars(10);
  MACIBM_invalwind(WIN_MAIN);
  play_engine_and_windrain();
}

// The flight model's state went infinite or not a number: no picture, but
// the same new start on the runway, and the user is told why.
static void lost_state() {
  crashes++;
  stop_engine_and_windrain();
  MACIBM_alert("The flight model's numbers ran out of range (infinite or not a number).",
               "Extreme values in the aircraft, the weather or the settings can do this.",
               "The flight starts again on the runway.", "", 0);
  recover_flight_state();
  msc.typestart = 900;
  set_fltvars(10);
  MACIBM_invalwind(WIN_MAIN);
  play_engine_and_windrain();
}

void handle_crash() {
  if (flt.nonfinite) lost_state();
  else if (flt.crash) bendmetal(flt.crash == CRASH_SEVERE);
}
