// The simulator started once per test program, its records kept as they
// were after start-up and put back before every test; aircraft variants
// written from the shipped trainer and loaded in place.
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_con.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltcalc.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/flight/ott.h"
#include "sim/flight/rel.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/lax.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"
#include "tests/aircraft/acft_fixture.h"
#include "tests/support/kept.h"

namespace flight {

// The pilot's inputs at rest: no stick, mouse, offsets, null zones, trims or
// autopilot, full sensitivity, every control working, the throttle closed.
inline void quiet_controls() {
  reset_controls();
  set.controls_type = -1;
  msc.mouse_is_joy = 0;
  set.MK_ptch = set.MK_roll = set.MK_hdng = 0;
  set.OS_ptch = set.OS_roll = set.OS_hdng = 0;
  set.NZptch = set.NZroll = 0;
  set.joy_rat_ptch = set.joy_rat_roll = set.joy_rat_hdng = 1;
  ott = ottostruct{};
  flt.trim = flt.ail_trim = flt.rud_trim = 0;
  rel.fc_ail = rel.fc_elv = rel.fc_rud = rel.otto = rel.sttrim = rel.stbaug = 1;
  rel.hyd_rat = 1;
  set.FC_thro = 0;
}

struct snapshot {
  kept<flightstruct> f{&flt};
  kept<planestruct> p{&pln};
  kept<airfoilstruct> a{&afl};
  kept<atmospherestruct> at{&atm};
  kept<settingstruct> s{&set};
  kept<miscstruct> m{&msc};
  kept<environmentstruct> e{&env};
  kept<inststruct> i{&ins};
  kept<relstruct> r{&rel};
  kept<ottostruct> o{&ott};
  kept<navstruct> n{&nav};
  kept<carrierstruct> c{&car};
  kept<decltype(on_water)> w{&on_water};
  kept<decltype(planex)> px{&planex};
  kept<decltype(planey)> py{&planey};
  kept<decltype(planez)> pz{&planez};
  kept<decltype(boat_on_poly)> boats{&boat_on_poly};
  kept<decltype(apt_lat)> alat{&apt_lat};
  kept<decltype(apt_lon)> alon{&apt_lon};
  kept<decltype(apt_hdng)> ahdg{&apt_hdng};
  kept<decltype(apt_len)> alen{&apt_len};
  kept<decltype(apt_z)> az{&apt_z};
  void restore() {
    f.restore(); p.restore(); a.restore(); at.restore(); s.restore(); m.restore(); e.restore();
    i.restore(); r.restore(); o.restore(); n.restore(); c.restore(); w.restore(); px.restore(); py.restore(); pz.restore();
    boats.restore(); alat.restore(); alon.restore(); ahdg.restore(); alen.restore(); az.restore();
  }
};

inline snapshot*& started() {
  static snapshot* s = nullptr;
  return s;
}

class FlightTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (started()) return;
    plat_use_fake_clock(5000);
    ASSERT_EQ(tarvel_start(), 1);
    simulate_startup();
    started() = new snapshot();
  }
  void SetUp() override {
    started()->restore();
    clear_force_memory();
    reset_controls();  // the autopilot's own memory goes with its record
    desk_alert_record_clear();
    desk_answer_clear();
  }

  // The shipped trainer as editable lines.
  static acft::Acf trainer() {
    return acft::Acf{acft::read_lines(std::string(TARVEL_SOURCE_DATA_DIR) + "/Aircraft/Trainer/Trainer.acf")};
  }
  // Loads the lines as an aircraft of the build's scratch folder.
  void load(const acft::Acf& a, const std::string& name) {
    std::string dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/flight";
    std::filesystem::create_directories(dir);
    std::string path = dir + "/" + name + ".acf";
    acft::write_lines(path, a.lines);
    std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
    std::snprintf(pln.C_file, STR_DIM, "%s.acf", name.c_str());
    load_plane();
  }
  void load_file(const std::string& path) {
    std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
    std::snprintf(pln.C_file, STR_DIM, "%s", std::filesystem::path(path).filename().c_str());
    load_plane();
  }

  // Straight flight at tas (m/s) and height h (m), heading 0, pitch the and
  // roll 0, the air data worked out and the slower factors up to date.
  void fly(float h, float tas, float the, float alpha_deg = 0, float beta_deg = 0) {
    flt.z = h;
    flt.h = h;
    flt.psi = 0;
    flt.the = wrap360(the);
    flt.phi = 0;
    // The velocity that gives this alpha and beta at this attitude.
    float f = 1, n = -std::tan(alpha_deg * con.degtorad), s = -std::tan(beta_deg * con.degtorad);
    float len = std::sqrt(f * f + n * n + s * s);
    flt.the180 = wrap180(flt.the);
    refresh_trig();
    float e, no, u;
    body_to_world(s / len * tas, f / len * tas, n / len * tas, &e, &no, &u);
    flt.vx = e;
    flt.vy = no;
    flt.vz = u;
    flt.P = flt.Q = flt.R = flt.Prad = flt.Qrad = flt.Rrad = 0;
    flt.m_total = pln.m_empty + flt.m_fixed + flt.m_fuel + flt.m_jettison;
    atm_at_height(h);
    env.localh = -999;
    set_air_data();
    set_path_roll();
    set_slat_and_grndeffect();
  }
  // Forces and accelerations at the present state, downwash settled.
  static void forces() {
    for (int k = 0; k < 3; k++) set_a1();
    set_a2();
  }
};

inline std::string data_path(const char* name) { return std::string(TARVEL_TEST_DIR) + "/flight/data/" + name; }

inline std::string read_text(const std::string& path) {
  std::string out;
  for (const std::string& l : acft::read_lines(path)) out += l + "\n";
  return out;
}

}  // namespace flight
