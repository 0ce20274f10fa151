// The simulator started once, without a display or a sound device.
#include "tools/support/headless_start.h"
#include <cstdlib>
#include <filesystem>
#include "basekit/platform/platform.h"
#include "sim/shell/lax.h"

void start_headless_once() {
  static int done = 0;
  if (done) return;
  done = 1;
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  // From a configuration of its own: a start airport or a joystick that other
  // runs left in the user's preferences stays out of the timing.
  static char home[] = "/tmp/tarvel-bench-XXXXXX";
  if (mkdtemp(home)) {
    setenv("XDG_CONFIG_HOME", home, 1);
    setenv("XDG_DATA_HOME", home, 1);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(home, ec);
    });
  }
  plat_use_fake_clock(1000);
  tarvel_start();
  simulate_startup();
}
