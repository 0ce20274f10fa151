// The simulator started once, without a display or a sound device.
#include "tools/support/headless_start.h"
#include <cstdlib>
#include "basekit/platform/platform.h"
#include "sim/shell/lax.h"

void start_headless_once() {
  static int done = 0;
  if (done) return;
  done = 1;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  plat_use_fake_clock(1000);
  tarvel_start();
  simulate_startup();
}
