#include "tools/headless/flight_out.h"
#include <cmath>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/contact.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/integ.h"
#include "sim/flight/ott.h"
#include "sim/flight/trim.h"
#include "sim/msc.h"
#include "sim/panel/nav.h"
#include "sim/set.h"
#include "sim/shell/crash.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/terrain.h"

static int read_number(const char** s, float* v) {
  char* end;
  double d = std::strtod(*s, &end);
  if (end == *s || !std::isfinite(d)) return 0;
  *v = (float)d;
  *s = end;
  return 1;
}

int parse_air_start(const char* text, air_start* out) {
  const char* s = text;
  if (!read_number(&s, &out->feet) || *s++ != ',') return 0;
  if (!read_number(&s, &out->knots) || *s++ != ',') return 0;
  if (!read_number(&s, &out->heading) || *s) return 0;
  return out->feet >= 0 && out->feet <= 60000 && out->knots > 0 && out->knots <= 1000;
}

int start_in_air(const air_start& a) {
  set.cus_x = (float)flt.x;
  set.cus_y = (float)flt.y;
  set.cus_z = a.feet * con.fttomtrs;
  set.cus_psi = a.heading;
  atm_at_height(set.cus_z);
  float sigma = atm.crtsig > 0 ? atm.crtsig : 1;
  set.cus_v = a.knots * con.ktstomsc / std::sqrt(sigma);
  float ground;
  int i, j, t;
  find_local_h(set.cus_x, set.cus_y, &ground, &i, &j, &t);
  set_fltvars(12);
  if (set.cus_z < ground) {
    std::printf("start-air: %.0f ft is below the ground here; starting on the ground\n", a.feet);
    return 0;
  }
  initpower(0);
  set.parkbrake = 0;  // fixed gear is down in the air too; the brake is not
  trim_result tr = find_trim(set.cus_v, wrap360(a.heading));
  std::printf("trim: %s pitch %.3f roll %.3f alpha %.3f path %.3f elevator-trim %.4f aileron-trim %.4f "
              "rudder-trim %.4f residual %.2e\n",
              tr.ok ? "found" : "not found", tr.the, tr.phi, tr.alpha, tr.gamma, tr.trim, tr.ail_trim,
              tr.rud_trim, tr.residual);
  return tr.ok;
}

// ---- the flight verbs ----

static float num(const std::string& s) { return (float)std::strtod(s.c_str(), nullptr); }

// Where the aircraft is from the centre of runway r of the start airport, metres
// along its heading and to the right of it; 0 when the airport has no such runway.
static int runway_frame(int r, float* along, float* across) {
  int n = intlim(msc.loc_index, 0, APT_MAX - 1);
  if (apt_len[n][r] <= 0) return 0;
  double cx = x_with_latlon(apt_lat[n][r], apt_lon[n][r]), cy = y_with_lat(apt_lat[n][r]);
  float h = apt_hdng[n][r] * con.degtorad;
  float dx = (float)(flt.x - cx), dy = (float)(flt.y - cy);
  *along = dx * std::sin(h) + dy * std::cos(h);
  *across = dx * std::cos(h) - dy * std::sin(h);
  return 1;
}

// Whether the aircraft stands inside one of the start airport's runways.
static int on_runway() {
  int n = intlim(msc.loc_index, 0, APT_MAX - 1);
  float along, across;
  for (int r = 0; r < 3; r++)
    if (runway_frame(r, &along, &across) && std::fabs(along) <= 0.5f * apt_len[n][r] &&
        std::fabs(across) <= 0.5f * apt_width[n][r])
      return 1;
  return 0;
}

static void print_state(int frame) {
  float along = 0, across = 0;
  runway_frame(0, &along, &across);
  std::printf("state frame=%d t=%.2f lat=%.6f lon=%.6f alt_ft=%.1f agl_ft=%.1f kias=%.1f hdg=%.1f maghdg=%.1f "
              "vs_fpm=%.0f rwy_along_ft=%.0f rwy_right_ft=%.0f on_surface=%d on_runway=%d stopped=%d crashes=%d "
              "throttle=%.3f brake=%.2f flaps=%d paused=%d ",
              frame, msc.elap_time, flt.lat, flt.lon, flt.z * con.mtrstoft,
              ((float)flt.z - env.localh - pln.h_eqlbm) * con.mtrstoft, flt.vind, flt.psi, flt.magpsi,
              flt.vu * con.msctofpm, along * con.mtrstoft, across * con.mtrstoft, flt.onsurface, on_runway(),
              flt.v < 0.5f, crash_count(), flt.throrequest[0], set.parkbrake, flt.flaprequest, msc.paused);
  // The needles as the VOR/ILS indicator and the HSI show them: 4 pixels a
  // degree sideways and 8 a dot, 10 pixels a degree and a dot up and down.
  std::printf("nav1_dots=%.2f gs_dots=%.2f nav2_dots=%.2f gs2_dots=%.2f flag1=%d flag2=%d ", nav.hdef[0] / 2,
              -nav.vdef[0], nav.hdef[1] / 2, -nav.vdef[1], nav.ntf[0], nav.ntf[1]);
  if (nav.goodnav[0] && nav.dme_nm[0] <= 50) std::printf("dme1_nm=%.1f\n", nav.dme_nm[0]);
  else std::printf("dme1_nm=...\n");
  std::fflush(stdout);
}

int apply_flight_verb(const std::string& verb, const std::vector<std::string>& a, int frame) {
  if (verb == "throttle") {
    for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = fltlim(num(a[0]), 0, 1);
  } else if (verb == "mixture") {
    for (int n = 0; n < ENGINES; n++) flt.mixt[n] = fltlim(num(a[0]), 0, 1);
  } else if (verb == "flaps") {
    flt.flaprequest = intlim((int)num(a[0]), 0, 50);
  } else if (verb == "brakes") {
    set.parkbrake = fltlim(num(a[0]), 0, 1);
  } else if (verb == "stick") {
    set.MK_ptch = fltlim(num(a[0]), -1, 1);
    set.MK_roll = fltlim(num(a[1]), -1, 1);
    set.MK_hdng = fltlim(num(a[2]), -1, 1);
  } else if (verb == "trim") {
    flt.trim = fltlim(num(a[0]), -std::fabs(pln.hstbtrimmax), std::fabs(pln.hstbtrimmax));
  } else if (verb == "ap") {
    if (a[0] == "off") {
      ott.HDSLCT = ott.NAV[0] = ott.NAV[1] = ott.ALHOLD = ott.VVHOLD = ott.GS2 = ott.ASHOLD = 0;
    } else if (a[0] == "heading") {
      nav.hdsel = intwrap(((int)num(a[1]) % 360 + 360) % 360, 0, 359);
      ott.HDSLCT = 1;
      ott.NAV[0] = ott.NAV[1] = 0;
    } else if (a[0] == "altitude") {
      ott.al_hold = num(a[1]);
      if (a.size() > 2) ott.vv_hold = num(a[2]);
      ott.ALHOLD = 1;
      ott.VVHOLD = ott.GS2 = 0;
    } else if (a[0] == "approach") {
      // The localizer and glide slope of NAV 2, which the glide-slope mode follows.
      ott.NAV[1] = 1;
      ott.GS2 = 1;
      ott.HDSLCT = ott.NAV[0] = ott.ALHOLD = ott.VVHOLD = 0;
    } else if (a[0] == "vs") {
      ott.vv_hold = num(a[1]);
      ott.VVHOLD = 1;
      ott.ALHOLD = ott.GS2 = 0;
    }
  } else if (verb == "state") {
    print_state(frame);
  } else {
    return 0;
  }
  return 1;
}

void set_turbulence(float level) { choose_turbulence(level); }

static const char* const columns =
    "time_s,x_m,y_m,height_ft,lat_deg,lon_deg,tas_kt,ias_kt,vs_fpm,heading_deg,pitch_deg,roll_deg,"
    "p_dps,q_dps,r_dps,alpha_deg,beta_deg,load_factor,"
    "faxil_aero_n,fside_aero_n,fnrml_aero_n,faxil_prop_n,fside_prop_n,fnrml_prop_n,"
    "faxil_gear_n,fside_gear_n,fnrml_gear_n,roll_moment_nm,pitch_moment_nm,yaw_moment_nm,on_surface";

void csv_header(FILE* f) { std::fprintf(f, "%s\n", columns); }

// Never a NaN or an infinity in the file: such a field is left empty.
static void field(FILE* f, double v, int first = 0) {
  if (!first) std::fputc(',', f);
  if (std::isfinite(v)) std::fprintf(f, "%.6g", v);
}

void csv_row(FILE* f) {
  float r, fw, up;
  world_to_body(flt.ax, flt.ay, flt.az + atm.g, &r, &fw, &up);
  float g = atm.g > 0 ? atm.g : con.g;
  field(f, msc.elap_time, 1);
  field(f, flt.x);
  field(f, flt.y);
  field(f, flt.z * con.mtrstoft);
  field(f, flt.lat);
  field(f, flt.lon);
  field(f, flt.av * con.msctokts);
  field(f, flt.vind);
  field(f, flt.vu * con.msctofpm);
  field(f, flt.psi);
  field(f, flt.the180);
  field(f, flt.phi180);
  field(f, flt.P);
  field(f, flt.Q);
  field(f, flt.R);
  field(f, flt.Alpha);
  field(f, flt.Beta);
  field(f, up / g);
  field(f, flt.faxilaero);
  field(f, flt.fsideaero);
  field(f, flt.fnrmlaero);
  field(f, flt.faxilprop);
  field(f, flt.fsideprop);
  field(f, flt.fnrmlprop);
  field(f, flt.faxilgear);
  field(f, flt.fsidegear);
  field(f, flt.fnrmlgear);
  field(f, flt.L);
  field(f, flt.M);
  field(f, flt.N);
  field(f, flt.onsurface);
  std::fputc('\n', f);
}
