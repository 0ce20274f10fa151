// The whole simulator started once per test program (as the shell tests do),
// with the records a test may change put back after it, and a user's press
// in a settings window.
#pragma once
#include <memory>
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
#include "tests/support/kept.h"

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
  // The records a window may change, put back after each test.
  struct records {
    kept<relstruct> r{&rel};
    kept<atmospherestruct> a{&atm};
    kept<flightstruct> f{&flt};
    kept<miscstruct> m{&msc};
    kept<settingstruct> s{&set};
    kept<environmentstruct> e{&env};
    kept<scenerystruct> c{&scn};
    kept<planestruct> p{&pln};
    void restore() {
      r.restore(), a.restore(), f.restore(), m.restore(), s.restore(), e.restore(), c.restore(), p.restore();
    }
  };
  std::unique_ptr<records> saved;
  void SetUp() override {
    ShellTest::SetUp();
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    saved = std::make_unique<records>();
  }
  void TearDown() override {
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    saved->restore();
  }
};

}  // namespace windows_test
