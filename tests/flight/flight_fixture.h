// The simulator started once per test program, its records kept as they
// were after start-up and put back before every test; aircraft variants
// written from the shipped trainer and loaded in place.
#pragma once
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>
#include <tuple>
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

// Every record a test may change, copied once after start-up.
template <class... T> struct records_kept {
  std::tuple<kept<T>...> k;
  explicit records_kept(T*... p) : k(kept<T>(p)...) {}
  void restore() {
    std::apply([](auto&... x) { (x.restore(), ...); }, k);
  }
};
inline auto keep_records() {
  return records_kept(&flt, &pln, &afl, &atm, &set, &msc, &env, &ins, &rel, &ott, &nav, &car, &on_water, &planex,
                      &planey, &planez, &boat_on_poly, &apt_lat, &apt_lon, &apt_hdng, &apt_len, &apt_z);
}
using snapshot = decltype(keep_records());

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
    started() = new snapshot(keep_records());
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
  // A refused file jumps out of load_plane (see acft::fatal_text), past any
  // destructor still to run here: nothing that owns memory may be alive then.
  void load(const acft::Acf& a, const std::string& name) {
    {
      std::string dir = std::string(TARVEL_BUILD_DIR) + "/testtmp/flight";
      std::filesystem::create_directories(dir);
      std::string path = dir + "/" + name + ".acf";
      acft::write_lines(path, a.lines);
      std::snprintf(pln.C_path, STR_DIM, "%s", path.c_str());
      std::snprintf(pln.C_file, STR_DIM, "%s.acf", name.c_str());
    }
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
  // One frame as the frame loop runs it.
  static void frame() {
    msc.cntr++;
    control();
    deg2integ();
    if (msc.cntr % msc.evup == 0 && ++msc.cntr10 >= 10) msc.cntr10 = 0;
  }
  // Forces and accelerations at the present state, downwash settled.
  static void forces() {
    for (int k = 0; k < 3; k++) set_a1();
    set_a2();
  }
};

inline std::string read_text(const std::string& path) {
  std::string out;
  for (const std::string& l : acft::read_lines(path)) out += l + "\n";
  return out;
}

}  // namespace flight
