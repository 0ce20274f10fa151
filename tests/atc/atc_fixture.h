// The simulator started once for the controller's tests, in the default
// region around San Bernardino; every test begins from the records as the
// start left them, with the aircraft placed by hand and every transmission
// heard by a listener.
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/do_atc.h"
#include "sim/atc/phrases.h"
#include "sim/atc/voice.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/panel/nav.h"
#include "sim/shell/wintab.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "tests/shell/shell_fixture.h"
#include "tests/support/kept.h"

namespace atc_test {

struct heard_line {
  int pilot;
  std::string text;
};
inline std::vector<heard_line>& heard() {
  static std::vector<heard_line> h;
  return h;
}
inline void listen(int pilot, const char* text) { heard().push_back({pilot, text}); }

struct snapshot {
  kept<atcstruct> a{&atc};
  kept<flightplanstruct> p{&fpl};
  kept<flightstruct> f{&flt};
  kept<atmospherestruct> w{&atm};
  kept<miscstruct> m{&msc};
  kept<planestruct> l{&pln};
  kept<environmentstruct> e{&env};
  kept<navstruct> n{&nav};
  void restore() {
    a.restore(), p.restore(), f.restore(), w.restore(), m.restore(), l.restore(), e.restore(), n.restore();
  }
};

// One airport's row of the database, put back when the test ends.
struct kept_airport {
  int n, twr, num[3], hdng[3], len[3];
  char lr[3];
  explicit kept_airport(int index) : n(index), twr(apt_twr[index]) {
    std::memcpy(num, apt_num[n], sizeof num), std::memcpy(hdng, apt_hdng[n], sizeof hdng);
    std::memcpy(len, apt_len[n], sizeof len), std::memcpy(lr, apt_lr[n], sizeof lr);
  }
  ~kept_airport() {
    apt_twr[n] = twr;
    std::memcpy(apt_num[n], num, sizeof num), std::memcpy(apt_hdng[n], hdng, sizeof hdng);
    std::memcpy(apt_len[n], len, sizeof len), std::memcpy(apt_lr[n], lr, sizeof lr);
  }
};

inline int navaid_named(const char* name) {
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++)
    if (std::strcmp(nav_name[n], name) == 0) return n;
  return -1;
}

class AtcTest : public shell_test::ShellTest {
 protected:
  static snapshot*& start() {
    static snapshot* s = nullptr;
    return s;
  }
  static void SetUpTestSuite() {
    shell_test::ShellTest::SetUpTestSuite();
    if (!start()) start() = new snapshot();
  }
  void SetUp() override {
    shell_test::ShellTest::SetUp();
    start()->restore();
    reset_controller();
    heard().clear();
    set_radio_listener(listen);
    atc.voice_out = 0;
    atc.text_out = 1;
    atc.response[0] = 0;
    atc.menu_up = 0;
    std::snprintf(pln.tailnum, sizeof pln.tailnum, "%s", "N12AB");
    for (int i = 0; i < 9; i++) atm.wnddir[i] = atm.wndspd[i] = atm.shrdir[i] = atm.shrspd[i] = atm.tbl[i] = 0;
    atm.baro = 29.92f;
    env.mvar = 0;
    msc.elap_time = 1000;
    ksbd = shell_test::airport_index("KSBD");
    ktrm = shell_test::airport_index("KTRM");
    kriv = shell_test::airport_index("KRIV");
    ASSERT_TRUE(ksbd >= 0 && ktrm >= 0 && kriv >= 0 && apt_inreg[ksbd] && apt_inreg[ktrm] && apt_inreg[kriv]);
    over(ksbd, 3000, 0);
  }
  void TearDown() override {
    set_radio_listener(nullptr);
    for (int w = 1; w <= WIN_LAST; w++) MACIBM_killwind(w);
    start()->restore();
  }
  // The aircraft at (lat, lon), alt_ft above sea level over ground at ground_ft.
  static void at(float lat, float lon, float alt_ft, float ground_ft, float heading) {
    flt.lat = lat;
    flt.lon = lon;
    flt.z = alt_ft * con.fttomtrs;
    env.localh = ground_ft * con.fttomtrs;
    flt.psi = heading;
    flt.magpsi = std::fmod(heading + (float)env.mvar + 360.0f, 360.0f);
    flt.onsurface = alt_ft <= ground_ft;
    flt.vu = 0;
    flt.v = flt.onsurface ? 0 : 50;
    flt.vind = flt.onsurface ? 0 : 100;
  }
  // Above airport a (on it when feet is 0).
  static void over(int a, float feet, float heading) {
    float field = apt_z[a] * con.mtrstoft;
    at(apt_lat[a][0], apt_lon[a][0], field + feet, field, heading);
    msc.loc_index = a;
  }
  // d nm out on localizer n's approach side, right nm to the right of its course.
  static void on_approach(int n, float d, float right, float alt_ft, float heading) {
    float c = (float)nav_hdng[n] * con.degtorad, k = std::cos(nav_lat[n] * con.degtorad);
    float north = -d * std::cos(c) - right * std::sin(c), east = -d * std::sin(c) + right * std::cos(c);
    at(nav_lat[n] + north / 60, nav_lon[n] + east / 60 / k, alt_ft, nav_z[n] * con.mtrstoft, heading);
  }
  static std::vector<std::string> said() {
    std::vector<std::string> s;
    for (const heard_line& h : heard())
      if (!h.pilot) s.push_back(h.text);
    return s;
  }
  static std::string last() { return said().empty() ? "" : said().back(); }
  static std::string wind_of(int a) {
    char t[STR_DIM] = "";
    app_wind_string(t, a);
    return t;
  }
  static std::string runway_of(int a) {
    char t[STR_DIM] = "";
    app_current_rway_string(t, a);
    return t;
  }
  // Wind in the lowest layers, magnetic, knots.
  static void wind(float dir, float kt, float gust_kt = 0, float spread = 0) {
    for (int i = 0; i < 4; i++) {
      atm.wnddir[i] = dir;
      atm.wndspd[i] = kt * con.ktstomsc;
      atm.shrspd[i] = gust_kt * con.ktstomsc;
      atm.shrdir[i] = spread;
    }
  }
  static const char* call() { return "november one two alpha bravo "; }
  int ksbd = -1, ktrm = -1, kriv = -1;
};

}  // namespace atc_test
