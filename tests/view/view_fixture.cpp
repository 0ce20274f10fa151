#include "tests/view/view_fixture.h"
#include <filesystem>
#include "basekit/bk_mnw.h"
#include "sim/view/point.h"
#include "tools/support/placeeye.h"
#include "sim/flight/atm.h"
#include "sim/msc.h"
#include "sim/set.h"
#include "sim/view/scn.h"
#include "sim/flight/flt.h"
#include "sim/flight/rel.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "tests/support/kept.h"

// The records the tests change, as start-up left them.
struct start_state {
  kept<flightstruct> f{&flt};
  kept<atmospherestruct> a{&atm};
  kept<inststruct> i{&ins};
  kept<navstruct> n{&nav};
  kept<relstruct> r{&rel};
  float prd = msc.prd;
};
static start_state* start = nullptr;

void view_start() {
  if (!start) {
    plat_use_fake_clock(4000);
    ASSERT_EQ(tarvel_start(), 1);
    simulate_startup();
    start = new start_state;
  }
  start->f.restore(), start->a.restore(), start->i.restore(), start->n.restore(), start->r.restore();
  msc.prd = start->prd;
  scn.rb_cycle = 0;
  desk_alert_record_clear();
  view_conditions(1, 10, 0, VIEW_FORWARD);
  msc.loc_index = find_apt_by_id("KSBD");
  place_on_runway(msc.loc_index, 0);
}

void view_conditions(int time, float vis_nm, int clouds, int view) {
  scn.time = time;
  scn.lamp = 0;
  atm.temp_SL = 59;
  atm.level = 0;
  atm.rain_tstm = 1;
  atm.vis = vis_nm * 1852.0f;
  atm.cld_type = clouds;
  atm.baseMSL = 4000 * 0.3048f;
  atm.topsMSL = 5000 * 0.3048f;
  set.view_is_fullscreen = view != VIEW_FORWARD;
  scn.zoom = 1;
  set_mon(view, 1);
}

void view_draw() { start_looking(); }

void view_canvas(int color) {
  MACIBM_settogworld(0, 800, 568, color);
  X_LFT = con.off_int_lft, X_RGT = con.off_int_rgt, Y_TOP = con.off_int_top, Y_BOT = con.off_int_bot;
}

void view_eye(float x, float y, float z, float psi, float the, float phi) {
  con.VIEW_loc_x = x, con.VIEW_loc_y = y, con.VIEW_loc_z = z;
  scn.psi180rad = psi * 0.017453292519943295f;
  scn.the180rad = the * 0.017453292519943295f;
  scn.phi180rad = phi * 0.017453292519943295f;
  set_view_trig();
}

int view_pixel(int x, int y) {
  int row, dx, dy;
  const uint8_t* p = gworld_pixels(0, &row, &dx, &dy);
  if (!p || x < 0 || y < 0 || x >= dx || y >= dy) return -1;
  return p[(size_t)y * row + x];
}

int view_count_range(int lo, int hi) {
  int n = 0;
  for (int y = con.off_int_top; y < con.off_int_bot; y++)
    for (int x = con.off_int_lft; x <= con.off_int_rgt; x++) {
      int c = view_pixel(x, y);
      n += c >= lo && c <= hi;
    }
  return n;
}

int view_count(int color) { return view_count_range(color, color); }

std::string view_shot(const char* name) {
  std::filesystem::path dir = std::filesystem::path(TARVEL_BUILD_DIR) / "view-shots";
  std::filesystem::create_directories(dir);
  std::string path = (dir / name).string();
  desk_compose();
  return plat_save_png(path.c_str()) ? path : std::string();
}

rgb view_rgb(int x, int y) {
  int c = view_pixel(x, y);
  if (c < 0) return {-1, -1, -1};
  uint8_t r, g, b;
  plat_get_palette_entry(c, &r, &g, &b);
  return {r, g, b};
}

rgb view_mean(int y0, int y1) {
  long r = 0, g = 0, b = 0, n = 0;
  for (int y = y0; y < y1; y++)
    for (int x = con.off_int_lft; x <= con.off_int_rgt; x++, n++) {
      rgb c = view_rgb(x, y);
      r += c.r, g += c.g, b += c.b;
    }
  if (!n) return {-1, -1, -1};
  return {(int)(r / n), (int)(g / n), (int)(b / n)};
}

::std::ostream& operator<<(::std::ostream& o, rgb c) { return o << "rgb(" << c.r << "," << c.g << "," << c.b << ")"; }
