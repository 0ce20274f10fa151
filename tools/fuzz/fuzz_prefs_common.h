// Shared by the preferences and situation fuzz targets: reading a bad file is
// never fatal, and a small table of airports and navaids for the indices a
// file names.
#pragma once
#include <cstdio>
#include <cstdlib>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"
#include "fuzz_scratch.h"
#include "sim/msc.h"
#include "sim/shell/prefs.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

static void fatal_is_a_fault(int) { std::abort(); }

static void small_world() {
  env.aptmax = 9;
  for (int n = 0; n <= env.aptmax; n++) {
    apt_lat[n][0] = 30.0f + n;
    apt_lon[n][0] = -120.0f + n;
    apt_len[n][0] = 1000;
    apt_len[n][1] = n % 2 ? 800 : 0;
    std::snprintf(apt_id[n], APT_ID_DIM, "K%03d", n);
  }
  env.navmax = 22;
}
