// The whole simulator started once per test program (as the shell tests do),
// with the records a test may change put back after it, and a user's press
// in a settings window.
#pragma once
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/shell/event.h"
#include "sim/shell/menus.h"
#include "sim/shell/wintab.h"
#include "sim/view/scn.h"
#include "sim/world/env.h"
#include "tests/shell/shell_fixture.h"

namespace windows_test {

// A press and release at (x, y) of window `index`, as the window procedure
// delivers it.
inline void click_in(int index, int x, int y) {
  msc.mx = x;
  msc.my = y;
  msc.mousedown = 1;
  msc.dragtime = 0;
  handlewindowclick(index);
  msc.mousedown = 0;
}

inline void type_into(int index, const char* text) {
  for (const char* c = text; *c; c++) {
    int key = *c >= 'A' && *c <= 'Z' ? *c + 32 : *c;
    window_key(index, key, *c);
  }
}

class WindowTest : public shell_test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    kept_rel = rel;
    kept_atm = atm;
    kept_flt = flt;
    kept_msc = msc;
    kept_set = set;
    kept_env = env;
    kept_scn = scn;
    kept_pln = pln;
  }
  void TearDown() override {
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    rel = kept_rel;
    atm = kept_atm;
    flt = kept_flt;
    msc = kept_msc;
    set = kept_set;
    env = kept_env;
    scn = kept_scn;
    pln = kept_pln;
  }
  static relstruct kept_rel;
  static atmospherestruct kept_atm;
  static flightstruct kept_flt;
  static miscstruct kept_msc;
  static settingstruct kept_set;
  static environmentstruct kept_env;
  static scenerystruct kept_scn;
  static planestruct kept_pln;
};

}  // namespace windows_test
