#include "tools/headless/atc_verbs.h"
#include <cmath>
#include <cstdio>
#include <sstream>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/do_atc.h"
#include "sim/atc/phrases.h"
#include "sim/atc/voice.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/ott.h"
#include "sim/msc.h"
#include "sim/panel/nav.h"
#include "sim/panel/radios.h"
#include "sim/set.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

static void heard(int pilot, const char* text) {
  std::printf("%s: %s\n", pilot ? "pilot" : "atc", text);
  std::fflush(stdout);
}

void print_radio() { set_radio_listener(heard); }

static std::vector<std::string> words_of(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> w;
  for (std::string x; in >> x;) w.push_back(x);
  return w;
}

static std::string rest_after_first(const std::string& s) {
  size_t start = s.find_first_not_of(' ');
  size_t space = start == std::string::npos ? std::string::npos : s.find(' ', start);
  if (space == std::string::npos) return "";
  size_t text = s.find_first_not_of(' ', space);
  return text == std::string::npos ? "" : s.substr(text);
}

std::string check_atc(const std::string& line) {
  std::vector<std::string> w = words_of(line);
  if (w.empty()) return "atc needs landing ID, atis ID, plan, checkin, say TEXT or follow on|off";
  if (w[0] == "landing" || w[0] == "atis") return w.size() == 2 ? "" : "atc " + w[0] + " needs an airport ID";
  if (w[0] == "plan" || w[0] == "checkin") return w.size() == 1 ? "" : "atc " + w[0] + " takes nothing more";
  if (w[0] == "say") return w.size() >= 2 ? "" : "atc say needs the words";
  if (w[0] == "follow") return w.size() == 2 && (w[1] == "on" || w[1] == "off") ? "" : "atc follow needs on or off";
  return "atc: unknown '" + w[0] + "'";
}

static int following;

// An airport of a list the ATC menu shows, as its rows pick it.
static void choose_from_list(int level, const std::string& id, int line) {
  int n = find_apt_by_id(id.c_str()), entries[ATC_LIST_MAX];
  int count = atc_list(level, entries);
  for (int k = 0; k < count; k++)
    if (entries[k] == n) return atc_choose(level, n);
  std::fprintf(stderr, "tarvel-headless: line %d: %s is not a towered airport of the loaded region\n", line,
               id.c_str());
}

void apply_atc(const std::string& line, int line_no) {
  std::vector<std::string> w = words_of(line);
  if (w.empty()) return;
  if (w[0] == "landing") return choose_from_list(ATC_LIST_LANDING, w[1], line_no);
  if (w[0] == "atis") return choose_from_list(ATC_LIST_ATIS, w[1], line_no);
  if (w[0] == "plan" || w[0] == "checkin") {
    int row = w[0] == "plan" ? ATC_ROW_PICK_UP : ATC_ROW_CHECK_IN;
    if (!atc_row(row))
      std::fprintf(stderr, "tarvel-headless: line %d: %s\n", line_no,
                   row == ATC_ROW_PICK_UP ? "no flight plan on file to pick up" : "no check-in is awaited");
    return;
  }
  if (w[0] == "say") {
    std::string text = rest_after_first(line);
    pilot_transmits(text.c_str());
    return controller_respond(text.c_str());
  }
  if (w[0] == "follow") following = w[1] == "on";
}

// ---------------------------------------------------------------- the scripted pilot

static float knots(float ms) { return ms * con.msctokts; }

static void fly_heading(float magnetic) {
  ott.HDSLCT = 1;
  ott.NAV[0] = ott.NAV[1] = 0;
  nav.hdsel = (int)wrap360(std::round(magnetic));
}

static void hold_altitude(float ft) {
  ott.ALHOLD = 1;
  ott.VVHOLD = ott.GS2 = 0;
  ott.al_hold = ft;
  ott.vv_hold = 700;
}

static void hold_speed(float kt) {
  ott.ASHOLD = 1;
  ott.as_hold = kt;
}

// Down the runway's centre line on a three-degree path to a point 300 m past
// its threshold; rounds out and closes the throttle over the runway.
static void fly_final(int a) {
  int r, e, found, loc;
  get_active_rway(a, &r, &e, &found, &loc);
  float h = (float)apt_hdng[a][r] + 180.0f * (float)e, rad = h * con.degtorad;
  float half = 0.5f * (float)apt_len[a][r] - 300.0f, m_per_deg = 60.0f * con.nmtomtrs;
  float coslat = std::cos(apt_lat[a][r] * con.degtorad);
  float north = (flt.lat - apt_lat[a][r]) * m_per_deg + half * std::cos(rad);
  float east = (flt.lon - apt_lon[a][r]) * m_per_deg * coslat + half * std::sin(rad);
  float before = -(east * std::sin(rad) + north * std::cos(rad));  // metres short of the aim point
  float right = east * std::cos(rad) - north * std::sin(rad);
  fly_heading(h - fltlim(0.15f * right, -30, 30) + (float)env.mvar);
  float field = apt_z[a] * con.mtrstoft, z = (float)flt.z * con.mtrstoft;
  float path = field + fltmax2(before, 0) * con.mtrstoft * std::tan(3.0f * con.degtorad);
  float gs = knots(flt.v);
  float vs = fltlim(-5.3f * gs + 3.0f * (path - z), -1200, before > 3 * con.nmtomtrs ? 0 : 300);
  float vs_stall = msc.est_Vs > 0 ? knots(msc.est_Vs) : 50;
  if (before < 4 * con.nmtomtrs) flt.flaprequest = 17;
  hold_speed(1.35f * vs_stall);
  if (z - field < 20) {
    ott.ASHOLD = 0;
    set.YK_thro = 0;
    for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = 0;
    vs = -100;
  }
  ott.VVHOLD = 1;
  ott.ALHOLD = ott.GS2 = 0;
  ott.vv_hold = vs;
}

// Cleared onto a localizer: the autopilot flies it, and the glide slope once
// the aircraft is no longer below it, on the NAV receivers tuned to it, and
// down the localizer through the round-out; 0 when nothing usable is heard
// (then the whole final is flown by eye).
static int fly_localizer(int a, int loc) {
  if (loc < 0 || nav.station[1] != loc || !nav.goodnav[1] || nav.ntf[1] != 1) return 0;
  float field = apt_z[a] * con.mtrstoft, z = (float)flt.z * con.mtrstoft;
  if (z - field < 100) fly_final(a);  // the round-out is flown by eye, the localizer kept
  ott.NAV[1] = 1;
  ott.HDSLCT = ott.NAV[0] = 0;
  if (z - field < 100) return 1;
  int glide = nav.ilsgs[1] > 0 && nav.ilsgs[1] < 9;
  if (glide && (ott.GS2 || nav.vdef[1] > -0.3f)) {
    ott.GS2 = 1;
    ott.ALHOLD = ott.VVHOLD = 0;
  } else if (!ott.ALHOLD) {
    hold_altitude(z);  // level until the glide slope comes down to meet it
  }
  float vs_stall = msc.est_Vs > 0 ? knots(msc.est_Vs) : 50;
  if (nav.dme_nm[1] < 5) flt.flaprequest = 17;
  hold_speed(1.35f * vs_stall);
  return 1;
}

void atc_pilot_frame() {
  static float checkin_at = -1;
  static int tuned = -1;
  if (!following) return;
  // Vectored to a localizer: both NAV receivers to its frequency, once.
  int loc = atc.ils_vec_in_progress || atc.plan_phase == PLAN_TOWER || atc.plan_phase == PLAN_LANDING
                ? requested_localizer(atc.ils_command)
                : -1;
  if (loc >= 0 && loc != tuned && tune_localizer(loc)) tuned = loc;
  // A pilot takes a few seconds to change frequency before checking in, and
  // checks in with centre once airborne.
  int may_call = !flt.onsurface || atc.plan_phase == PLAN_GROUND;
  if (!atc.waiting_new_frq || !may_call) checkin_at = -1;
  else if (checkin_at < 0) checkin_at = msc.elap_time + 4;
  else if (msc.elap_time >= checkin_at) {
    checkin_at = -1;
    atc_row(ATC_ROW_CHECK_IN);
  }
  int dest = atc.plan_index;
  int have_dest = dest >= 0 && dest <= env.aptmax && fpl.activated;
  if (flt.onsurface) {
    if (atc.plan_phase >= PLAN_LANDING || !fpl.activated) {
      ott.ASHOLD = 0;
      set.YK_thro = 0;
      for (int n = 0; n < ENGINES; n++) flt.throrequest[n] = 0;
      set.parkbrake = 1;
    }
    return;
  }
  float vs_stall = msc.est_Vs > 0 ? knots(msc.est_Vs) : 50;
  float heading, altitude;
  if (have_dest && (atc.plan_phase == PLAN_TOWER || atc.plan_phase == PLAN_LANDING)) {
    if (!fly_localizer(dest, loc)) fly_final(dest);
    return;
  }
  hold_speed(1.9f * vs_stall);
  if (assigned_vector(&heading, &altitude)) {
    fly_heading(heading);
    hold_altitude(altitude > 0 ? altitude : fpl.cruise_alt);
  } else if (have_dest) {
    fly_heading(bearing_between(flt.lat, flt.lon, apt_lat[dest][0], apt_lon[dest][0]) + (float)env.mvar);
    hold_altitude(atc.plan_phase <= PLAN_DEPARTURE && fpl.init_alt > 0 ? fpl.init_alt : fpl.cruise_alt);
  }
}
