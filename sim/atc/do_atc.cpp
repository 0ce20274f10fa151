// The controller: answers to the pilot's requests, vectors to a localizer,
// the ATIS, calls to other traffic and the phases of a filed flight plan.
#include "sim/atc/do_atc.h"
#include <strings.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"
#include "sim/atc/atc.h"
#include "sim/atc/phrases.h"
#include "sim/atc/voice.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/panel/radios.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

// ---------------------------------------------------------------- private state

static float next_call_time;     // next unprompted transmission (msc.elap_time)
static float next_handoff_time;  // departure hands the pilot to centre
static float next_vector_time;   // next vector to the localizer
static int   last_heading = -1;  // last heading and altitude announced, -1 none
static int   last_altitude = -1;
static int   heading_assigned;   // the pilot is flying a vector, not his own course
static int   vectored_pilot;     // the last call to traffic turned the pilot
static char  info_letter = 'A';  // the ATIS's current information
// The frequency the pilot was last sent to, which his COM 1 is set to when he
// checks in there, and the one a clearance named for departure; 0 MHz none.
static int   sent_mhz, sent_hundredths, dep_mhz, dep_hundredths;

void reset_controller() {
  next_call_time = next_handoff_time = next_vector_time = 0;
  last_heading = last_altitude = -1;
  heading_assigned = vectored_pilot = 0;
  info_letter = 'A';
  sent_mhz = sent_hundredths = dep_mhz = dep_hundredths = 0;
}

int assigned_vector(float* heading, float* altitude_ft) {
  *heading = (float)last_heading;
  *altitude_ft = (float)last_altitude;
  return heading_assigned && last_heading >= 0;
}

// ---------------------------------------------------------------- where things are

static float altitude_ft() { return (float)flt.z * con.mtrstoft; }
static float ground_ft() { return env.localh * con.mtrstoft; }
static int valid_airport(int a) { return a >= 0 && a < APT_MAX && a <= env.aptmax; }

static float nm_to_airport(int a) { return nm_between(flt.lat, flt.lon, apt_lat[a][0], apt_lon[a][0]); }
static float magnetic_bearing_to(float lat, float lon) {
  return wrap360(bearing_between(flt.lat, flt.lon, lat, lon) + (float)env.mvar);
}

static int nearest_airport_to(float lat, float lon) {
  int best = -1;
  float best_d = 1e9f;
  for (int a = 0; a <= env.aptmax && a < APT_MAX; a++) {
    if (!apt_inreg[a] || apt_type[a] != 1) continue;
    float d = nm_between(lat, lon, apt_lat[a][0], apt_lon[a][0]);
    if (d < best_d) best_d = d, best = a;
  }
  return best;
}

static int nearest_airport() { return nearest_airport_to(flt.lat, flt.lon); }

static int region_airport_named(const char* name) {
  for (int a = 0; a <= env.aptmax && a < APT_MAX; a++)
    if (apt_inreg[a] && std::strncmp(apt_name[a], name, APT_NAME_DIM) == 0) return a;
  return -1;
}

static int region_navaid_named(const char* name, int type) {
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++)
    if (nav_inreg[n] && nav_type[n] == type && std::strncmp(nav_name[n], name, APT_NAME_DIM) == 0) return n;
  return -1;
}

static const char* destination_name() { return valid_airport(atc.plan_index) ? apt_name[atc.plan_index] : ""; }

static int departure_airport() {
  int a = find_apt_by_id(fpl.dep_id_str);
  return a >= 0 ? a : msc.loc_index;
}

static int cruise_ft() { return (int)fltmax2(std::floor(fpl.cruise_alt / 1000.0f) * 1000.0f, 0); }

float initial_altitude(float field_ft, float cruise) {
  float init = std::floor((field_ft + 2000.0f) / 500.0f) * 500.0f;
  float top = std::floor(cruise / 1000.0f) * 1000.0f - 500.0f;
  return init < top ? init : top;
}

static void say(const char* text) {
  // Spoken and shown; a trailing blank left by a phrase is not.
  char t[STR_DIM];
  C_to_C(text, t);
  size_t n = std::strlen(t);
  while (n > 0 && t[n - 1] == ' ') t[--n] = 0;
  speakstring(t);
}

// The pilot is sent to another frequency and must check in there.
static void hand_off(int phase) {
  atc.plan_phase = phase;
  atc.waiting_new_frq = 1;
}

static void app_sent_freq(char* text) {
  random_freq(&sent_mhz, &sent_hundredths);
  app_freq(text, sent_mhz, sent_hundredths);
}

static void callsign(char* text) {
  text[0] = 0;
  start_command_string(text, 1);
}

static void app_altitude(char* text, float ft) { app_number(text, (int)ft); }

// ---------------------------------------------------------------- vectors

int vector_me(float heading, int heading_step, float altitude, int altitude_step, int force, char* text) {
  int said = 0;
  if (heading_step < 1) heading_step = 1;
  if (altitude_step < 1) altitude_step = 1;
  int h = (int)std::floor(wrap360(heading));
  h -= h % heading_step;
  if (force || last_heading < 0 || std::fabs(wrap180((float)(h - last_heading))) > 5) {
    app_turn_string(text, (float)h, heading_step);
    app_C(text, " ");
    last_heading = h;
    said = 1;
  }
  heading_assigned = 1;
  float alt = fltmax2(altitude, ground_ft() + 1500.0f);
  int a = (int)std::floor(alt / (float)altitude_step) * altitude_step;
  float z = altitude_ft();
  int high = z > (float)a + 200 && flt.vu > -2, low = z < (float)a - 200 && flt.vu < 2;
  if (force || a != last_altitude || high || low) {
    app_C(text, (float)a >= z ? "climb and maintain " : "descend and maintain ");
    app_number(text, a);
    app_C(text, " feet ");
    last_altitude = a;
    said = 1;
  }
  return said;
}

// Where the aircraft is from a localizer: nm east and north of it.
static void from_localizer(int n, float* east, float* north) {
  *north = (flt.lat - nav_lat[n]) * 60.0f;
  *east = (flt.lon - nav_lon[n]) * 60.0f * std::cos(nav_lat[n] * con.degtorad);
}

// The magnetic heading that joins the localizer at its gate: towards a point
// 7 nm out on the centre line, set off to the aircraft's side by 1.1 turning
// radii, and tangent to a circle of that radius around it.
static float heading_to_gate(int n) {
  float c = (float)nav_hdng[n] * con.degtorad;
  float ex, ny;
  from_localizer(n, &ex, &ny);
  float r = fltlim(interp(100, 2, 200, 4, flt.vind), 2, 4);
  float side = ex * std::cos(c) - ny * std::sin(c) >= 0 ? 1.0f : -1.0f;  // right of the inbound course
  float px = -7.0f * std::sin(c) + side * 1.1f * r * std::cos(c);
  float py = -7.0f * std::cos(c) - side * 1.1f * r * std::sin(c);
  float dx = px - ex, dy = py - ny, d = pythag(dx, dy);
  float to_point = std::atan2(dx, dy) * con.radtodeg;
  float turn = d > r ? std::asin(r / d) * con.radtodeg : interp(0, 180, r, 90, d);
  float to_loc = std::atan2(-ex, -ny) * con.radtodeg;
  float h = wrap180(to_loc - (float)nav_hdng[n]) <= 0 ? to_point - turn : to_point + turn;
  return wrap360(h + (float)env.mvar);
}

static float altitude_for_localizer(int n, float distance_nm) {
  float alt = nav_z[n] * con.mtrstoft + (distance_nm < 15 ? 3000.0f : distance_nm < 30 ? 5000.0f : 10000.0f);
  alt = fltmin2(alt, fpl.cruise_alt);
  if (alt < ground_ft() + 1000) alt = ground_ft() + 2500;
  return alt;
}

static void ils_vectors(int n, const char* request) {
  char text[STR_DIM];
  int first = !atc.ils_vec_in_progress || std::strncmp(request, atc.ils_command, STR_DIM) != 0;
  float c = (float)nav_hdng[n];
  float ex, ny;
  from_localizer(n, &ex, &ny);
  float d = pythag(ex, ny), to_loc = std::atan2(-ex, -ny) * con.radtodeg;
  callsign(text);
  if (std::fabs(wrap180(to_loc - c)) < 8 && std::fabs(wrap180(flt.psi - c)) < 45 && d > 5 && d < 20) {
    app_C(text, "intercept localizer ");
    app_altimeter_string(text);
    app_C(text, " cleared ");
    app_C(text, nav_name[n]);
    app_C(text, " contact tower.");
    atc.ils_vec_in_progress = 0;
    heading_assigned = 0;
    fpl.onfile = fpl.activated = 1;
    hand_off(PLAN_TOWER);
    sent_mhz = 0;  // "contact tower" names none
    // The tower is the localizer's own airport's: the one nearest the
    // aircraft may be another field under the approach.
    int a = nearest_airport_to(nav_lat[n], nav_lon[n]);
    if (a >= 0) atc.plan_index = a;
    say(text);
    return;
  }
  if (!first && msc.elap_time < next_vector_time) return;
  next_vector_time = msc.elap_time + fltrand(15, 30);
  int said = vector_me(heading_to_gate(n), 5, altitude_for_localizer(n, d), 100, first, text);
  if (first) {
    C_to_C(request, atc.ils_command);
    atc.ils_vec_in_progress = 1;
    app_C(text, "vectors ");
    app_C(text, nav_name[n]);
    app_C(text, ", if you would like another approach instead just tell me");
  }
  if (!said && !first) {
    make_random_call(0, 0);
    return;
  }
  size_t k = std::strlen(text);
  while (k > 0 && text[k - 1] == ' ') text[--k] = 0;
  app_C(text, ".");
  say(text);
}

// ---------------------------------------------------------------- requests

enum { REQ_TAXI, REQ_TAKEOFF, REQ_VECTORS, REQ_LANDING, REQ_ILS, REQ_LOCALIZER, REQ_KINDS };
static const struct {
  const char* prefix;    // what the word after "request" begins with
  const char* selector;  // the words the name follows
} requests[REQ_KINDS] = {{"tax", "taxi "},    {"tak", "takeoff "}, {"vec", "vectors "},
                         {"lan", "landing "}, {"I L", "I L S "},   {"loc", "localizer "}};

// A turn towards an airport. It is the pilot's heading from now on: vectors
// to a localizer, which would turn him back, end.
static void app_vectors_to(char* text, int a) {
  float h = magnetic_bearing_to(apt_lat[a][0], apt_lon[a][0]);
  app_turn_string(text, h, 5);
  last_heading = intnear((int)std::floor(wrap360(h)), 5, 1) % 360;
  heading_assigned = 1;
  atc.ils_vec_in_progress = 0;
}

static void emergency() {
  char text[STR_DIM];
  callsign(text);
  app_C(text, "squawk 7 7 0 0 ");
  int a = nearest_airport();
  if (a >= 0) {
    app_vectors_to(text, a);
    app_C(text, " vectors ");
    app_C(text, apt_name[a]);
    app_C(text, ", they are about ");
    app_number(text, (int)nm_to_airport(a));
    app_C(text, " miles from your current position.");
  }
  fpl.activated = 0;
  atc.plan_phase = PLAN_CLEARANCE;
  atc.ils_vec_in_progress = 0;
  say(text);
}

// The kind of request (-1 when none is recognised) and the name it gives.
static int parse_request(const char* request, char* place) {
  place[0] = 0;
  const char* req = strcasestr(request, "request");
  if (!req) return -1;
  const char* w = req + 7;
  while (*w == ' ') w++;
  for (int k = 0; k < REQ_KINDS; k++) {
    if (strncasecmp(w, requests[k].prefix, 3) != 0) continue;
    size_t n = std::strlen(requests[k].selector);
    const char* name = w + n;
    if (strncasecmp(w, requests[k].selector, n) != 0) {
      const char* blank = std::strchr(w, ' ');
      name = blank ? blank + 1 : w + std::strlen(w);
    }
    C_to_C(name, place);
    size_t len = std::strlen(place);
    if (len > 0 && place[len - 1] == '.') place[len - 1] = 0;
    return k;
  }
  return -1;
}

int requested_localizer(const char* request) {
  char place[STR_DIM];
  int kind = request ? parse_request(request, place) : -1;
  if (kind != REQ_ILS && kind != REQ_LOCALIZER) return -1;
  return region_navaid_named(place, kind == REQ_ILS ? NAV_LOC : NAV_LOC_ONLY);
}

void controller_respond(const char* request) {
  if (!request) return;
  char text[STR_DIM], place[STR_DIM];
  if (strncasecmp(request, "dec", 3) == 0) return emergency();
  int kind = parse_request(request, place);
  if (kind < 0) {
    callsign(text);
    app_C(text, "say again please");
    return say(text);
  }
  if (kind == REQ_ILS || kind == REQ_LOCALIZER) {
    int loc = requested_localizer(request);
    if (loc >= 0) ils_vectors(loc, request);
    return;
  }
  int a = region_airport_named(place);
  if (a < 0) return;  // not in the region: nobody answers
  callsign(text);
  switch (kind) {
    case REQ_TAXI:
      app_C(text, "taxi ");
      app_current_rway_string(text, a);
      app_C(text, ".");
      break;
    case REQ_TAKEOFF:
      app_C(text, "fly runway heading cleared for take off ");
      app_current_rway_string(text, a);
      app_C(text, ".");
      break;
    case REQ_VECTORS:
      app_vectors_to(text, a);
      app_C(text, " vectors ");
      app_C(text, apt_name[a]);
      app_C(text, ".");
      app_C(text, ". They are about ");
      app_number(text, (int)nm_to_airport(a));
      app_C(text, " miles from your current position.");
      break;
    case REQ_LANDING:
      app_wind_string(text, a);
      app_C(text, ", cleared to land ");
      app_current_rway_string(text, a);
      app_C(text, " ");
      app_C(text, apt_name[a]);
      app_C(text, ".");
      break;
    default: break;
  }
  say(text);
}

// ---------------------------------------------------------------- ATIS

void give_ATIS(int a) {
  if (!valid_airport(a) || apt_type[a] != 1) {
    char number[32];
    std::snprintf(number, sizeof number, "%d", a);
    MACIBM_exitalert("Requesting ATIS for non-apt!", number, "", "");
  }
  char text[STR_DIM], word[16];
  info_letter = (char)('A' + intrand(0, 25));
  C_to_C(apt_name[a], text);
  app_C(text, " information ");
  get_phonetic(info_letter, word);
  app_C(text, word);
  app_C(text, ". ");
  int hour = (int)(fltmax2(msc.zulu_time, 0) / 3600.0f) % 24;
  app_digits_width(text, hour, 2);
  app_C(text, " hundred zooloo weather. ");

  if (atm.cld_type == 0) {
    app_C(text, "Sky clear ");
  } else {
    int base = intmax2(bk::round((atm.baseMSL - apt_z[a]) * con.mtrstoft), 0);
    int step = base <= 1000 ? 50 : base <= 10000 ? 100 : 500;
    app_C(text, "Measured ceiling ");
    app_number(text, base - base % step);
    app_C(text, " overcast ");
  }
  // Rounded to what is said before it is cut: 10 nm held in metres is 9.99...
  int tenths = bk::round(atm.vis * con.mtrstonm * 10.0f);
  if (tenths <= 10) {
    int feet = bk::round(atm.vis * con.mtrstoft);
    app_C(text, "R V R ");
    app_number(text, feet - feet % 100);
  } else {
    app_C(text, "visibility ");
    app_digits(text, tenths / 10);
  }
  if (atm.rain_tstm <= 1.5f) app_C(text, ". ");
  else app_C(text, atm.temp_SL <= 32 ? ", snow. " : ", rain. ");
  app_C(text, "Temperature ");
  app_digits(text, bk::round(atm.temp_SL));
  app_C(text, " dewpoint ");
  app_digits(text, bk::round(atm.dewp_SL));
  app_C(text, ". ");
  app_wind_string(text, a);
  app_C(text, ", ");
  app_altimeter_string(text);
  app_C(text, ". Arriving and departing ");
  app_current_rway_string(text, a);
  app_C(text, ". Advise on initial contact you have ");
  app_C(text, word);
  app_C(text, ".");
  say(text);
}

// ---------------------------------------------------------------- other traffic

int make_random_call(int vector_allowed, int handoff_allowed) {
  static const char* const clock[5] = {"10 o-clock,", "11 o-clock,", "12 o-clock,", "1 o-clock,", "2 o-clock,"};
  char text[STR_DIM] = "";
  int to_pilot = 0;
  switch (intrand(1, 8)) {
    case 1:
      start_command_string(text, 0);
      app_C(text, "squawk 1 2 0 0 good day.");
      break;
    case 2:
      start_command_string(text, 0);
      app_C(text, "can you keep your speed up a bit sir?");
      break;
    case 3:
      start_command_string(text, 0);
      app_C(text, "contact me on ");
      app_random_freq(text);
      app_C(text, " please.");
      break;
    case 4:
      start_command_string(text, 0);
      app_C(text, "you have traffic at your ");
      app_C(text, clock[intrand(0, 4)]);
      app_C(text, " should be no factor.");
      break;
    case 5:
    case 6: {
      if (altitude_ft() >= 20000) return 0;
      to_pilot = vector_allowed && fltrand(0, 1) < 0.1f;
      start_command_string(text, to_pilot);
      int turn = intrand(-45, 45);
      if (turn > -20 && turn < 20) turn = turn < 0 ? -20 : 20;
      float h = flt.magpsi + (float)turn;
      app_turn_string(text, h, 10);
      app_C(text, " vectors around a ");
      app_rand_plane(text, altitude_ft());
      app_C(text, turn < -30 ? " at your 12 o-clock." : turn < 0 ? " at your 1 o-clock."
                  : turn < 30 ? " at your 10 o-clock." : " at your 11 o-clock.");
      if (to_pilot) {
        last_heading = intnear((int)std::floor(wrap360(h)), 10, 1) % 360;
        heading_assigned = 1;
      }
      break;
    }
    default:
      to_pilot = vector_allowed && handoff_allowed && fltrand(0, 1) < 0.1f;
      start_command_string(text, to_pilot);
      app_C(text, "contact center on ");
      if (to_pilot) app_sent_freq(text);
      else app_random_freq(text);
      app_C(text, ".");
      if (to_pilot) atc.waiting_new_frq = 1;
      to_pilot = 0;  // a hand-off, not a vector
      break;
  }
  say(text);
  return to_pilot;
}

// ---------------------------------------------------------------- the flight plan

void pick_up_plan() {
  if (!fpl.onfile) return;
  fpl.activated = 1;
  atc.plan_phase = PLAN_CLEARANCE;
  atc.waiting_new_frq = 0;
}

void close_plan() {
  fpl.onfile = fpl.activated = 0;
  atc.plan_phase = PLAN_NONE;
  atc.ils_vec_in_progress = 0;
  atc.waiting_new_frq = 0;
  heading_assigned = 0;
}

void check_in() {
  // The pilot has changed to the frequency he was given and calls there.
  if (sent_mhz) tune_com(0, sent_mhz, sent_hundredths);
  sent_mhz = 0;
  atc.waiting_new_frq = 0;
  handle_plan(1);
}

void checkin_text(char* text) {
  const char* tail = pln.tailnum;
  int dep = departure_airport();
  text[0] = 0;
  switch (atc.plan_phase) {
    case PLAN_RADAR:
      C_to_C(valid_airport(dep) ? apt_name[dep] : "", text);
      app_C(text, " departure ");
      break;
    case PLAN_ENROUTE: C_to_C("Center, ", text); break;
    case PLAN_APPROACH:
    case PLAN_TOWER:
    case PLAN_GROUND:
      C_to_C(destination_name(), text);
      app_C(text, atc.plan_phase == PLAN_APPROACH ? " approach " : atc.plan_phase == PLAN_TOWER ? " tower " : " ground ");
      break;
    default: break;
  }
  app_C(text, tail);
  switch (atc.plan_phase) {
    case PLAN_APPROACH:
    case PLAN_TOWER: app_C(text, " with you inbound."); break;
    case PLAN_GROUND: app_C(text, " clear active."); break;
    default: app_C(text, " with you."); break;
  }
}

static void clearance() {
  char text[STR_DIM];
  int here = msc.loc_index;
  int towered = valid_airport(here) && apt_twr[here];
  int dep = departure_airport();
  fpl.init_alt = initial_altitude(valid_airport(dep) ? apt_z[dep] * con.mtrstoft : 0, fpl.cruise_alt);
  callsign(text);
  if (!flt.onsurface) {
    app_C(text, "cleared as filed contact center ");
    app_sent_freq(text);
    app_C(text, ".");
    hand_off(PLAN_ENROUTE);
  } else if (towered) {
    if (fpl.ifr) {
      app_C(text, "cleared as filed maintain at or below ");
      app_altitude(text, fpl.init_alt);
      app_C(text, " expect ");
      app_number(text, cruise_ft());
      app_C(text, " 10 minutes after departure. Departure will be on on ");
    } else {
      app_C(text, "you are cleared as filed maintain at or below ");
      app_altitude(text, fpl.init_alt);
      app_C(text, " initially, expect higher after that. Departure will be on on ");
    }
    random_freq(&dep_mhz, &dep_hundredths);
    app_freq(text, dep_mhz, dep_hundredths);
    app_C(text, " squawk ");
    app_squawk(text);
    app_C(text, " advise when ready to taxi.");
    atc.plan_phase = PLAN_DEPARTURE;
  } else if (!fpl.ifr) {
    app_C(text, "cleared as filed. Contact center on ");
    app_sent_freq(text);
    app_C(text, " when airborne. Squawk ");
    app_squawk(text);
    app_C(text, ".");
    hand_off(PLAN_ENROUTE);
  } else {
    int minutes = (int)(fltmax2(msc.zulu_time, 0) / 60.0f);
    app_C(text, "cleared as filed maintain at or below ");
    app_altitude(text, fpl.init_alt);
    app_C(text, " expect ");
    app_number(text, cruise_ft());
    app_C(text, " 10 minutes after that. Contact center on ");
    app_sent_freq(text);
    app_C(text, " when airborne, squawk ");
    app_squawk(text);
    for (int k = 0; k < 2; k++) {
      int m = minutes + 10 * k;
      app_C(text, k == 0 ? " time now " : " Z, clearance void if not off by ");
      app_digits_width(text, m / 60 % 24, 2);
      app_C(text, " ");
      app_digits_width(text, m % 60, 2);
    }
    app_C(text, " Z.");
    hand_off(PLAN_ENROUTE);
  }
  say(text);
}

// In cruise: hand-off to approach near the destination, or reminders, or other traffic.
static void enroute_step() {
  if (msc.elap_time < next_call_time) return;
  next_call_time = msc.elap_time + fltrand(15, 30);
  char text[STR_DIM];
  callsign(text);
  float z = altitude_ft(), cruise = (float)cruise_ft();
  float near_nm = 20.0f + 100.0f * fltmax2(z, 0) / 30000.0f;
  if (valid_airport(atc.plan_index) && nm_to_airport(atc.plan_index) < near_nm) {
    app_C(text, "contact ");
    app_C(text, destination_name());
    app_C(text, " approach on ");
    app_sent_freq(text);
    hand_off(PLAN_APPROACH);
  } else if ((z < cruise - 200 && flt.vu < 1) || (z > cruise + 200 && flt.vu > -1)) {
    app_C(text, "your flight plan calls for ");
    app_number(text, (int)cruise);
    app_C(text, " feet while enroute, sir. I will need you to ");
    app_C(text, z < cruise ? "climb" : "descend");
    app_C(text, " and maintain that altitude. You may amend your plan if you want a different altitude.");
  } else if (flt.vind > 250 && z < 10000) {
    app_C(text, "I will need you to stay below 2 5 0 knots while below ten thousand feet.");
  } else if (vectored_pilot) {
    vectored_pilot = 0;
    heading_assigned = 0;
    app_C(text, "proceed back on course to ");
    app_C(text, destination_name());
  } else {
    vectored_pilot = make_random_call(1, 1);
    return;
  }
  say(text);
}

static void approach_checked_in() {
  char text[STR_DIM];
  int r, e, found, loc;
  get_active_rway(atc.plan_index, &r, &e, &found, &loc);
  if (!found) {
    callsign(text);
    app_C(text, "cleared full approach of your choice.");
    close_plan();
    return say(text);
  }
  C_to_C(nav_type[loc] == NAV_LOC ? "request I L S " : "request localizer ", text);
  app_C(text, nav_name[loc]);
  controller_respond(text);
}

static void checked_in() {
  char text[STR_DIM];
  callsign(text);
  switch (atc.plan_phase) {
    case PLAN_RADAR:
      app_C(text, "radar contact. Climb to ");
      app_number(text, cruise_ft());
      app_C(text, " approved, proceed on course to ");
      app_C(text, destination_name());
      app_C(text, ".");
      heading_assigned = 0;
      next_handoff_time = msc.elap_time + fltrand(15, 45);
      break;
    case PLAN_ENROUTE:
      app_C(text, "roger proceed on course to ");
      app_C(text, destination_name());
      app_C(text, " ");
      app_altimeter_string(text);
      app_C(text, ". ");
      if (fltrand(0, 1) < 0.3f) {
        app_C(text, " Reset transponder squawk ");
        app_squawk(text);
        app_C(text, ".");
      }
      heading_assigned = vectored_pilot = 0;
      next_call_time = msc.elap_time + fltrand(15, 45);
      break;
    case PLAN_APPROACH: return approach_checked_in();
    case PLAN_TOWER:
      app_wind_string(text, atc.plan_index);
      app_C(text, ", cleared to land ");
      app_current_rway_string(text, atc.plan_index);
      app_C(text, ",");
      atc.plan_phase = PLAN_LANDING;
      break;
    case PLAN_GROUND:
      app_C(text, "taxi to the ramp.");
      close_plan();
      break;
    default: return;
  }
  say(text);
}

void handle_plan(int pilot_call) {
  if (pilot_call) return checked_in();
  if (atc.waiting_new_frq) return;  // nothing unprompted until the pilot is on the new frequency
  char text[STR_DIM];
  callsign(text);
  switch (atc.plan_phase) {
    case PLAN_CLEARANCE: return clearance();
    case PLAN_DEPARTURE:
      if (flt.z - env.localh <= 200) return;
      app_C(text, "contact departure.");
      sent_mhz = dep_mhz, sent_hundredths = dep_hundredths;
      hand_off(PLAN_RADAR);
      break;
    case PLAN_RADAR:
      if (msc.elap_time < next_handoff_time) return;
      app_C(text, "contact center ");
      app_sent_freq(text);
      app_C(text, ".");
      hand_off(PLAN_ENROUTE);
      break;
    case PLAN_ENROUTE: return enroute_step();
    case PLAN_APPROACH: {
      int a = atc.plan_index;
      if (atc.ils_vec_in_progress || !valid_airport(a) || !apt_twr[a] || nm_to_airport(a) >= 10) return;
      app_C(text, " contact ");
      app_C(text, apt_name[a]);
      app_C(text, " tower on ");
      app_sent_freq(text);
      hand_off(PLAN_TOWER);
      break;
    }
    case PLAN_LANDING:
      if (!flt.onsurface || flt.v >= 10) return;
      app_C(text, "make next turn-off contact ground ");
      ground_freq(&sent_mhz, &sent_hundredths);
      app_freq(text, sent_mhz, sent_hundredths);
      app_C(text, " when clear.");
      hand_off(PLAN_GROUND);
      break;
    default: return;
  }
  say(text);
}
