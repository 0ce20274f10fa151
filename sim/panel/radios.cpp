// The radios: tuning, needles, DME, GPS, marker beacons and Morse identifiers.
// The instruments that show them are drawn in p_up_uti.cpp and p_up_cen.cpp.
#include "sim/panel/radios.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/panel/nav.h"
#include "sim/sound/do_sound.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float R2D = 57.29577951308232f;
static const float FAR = 9.9e9f;  // no station found yet

static int nav1_is_radio() { return pln.supptype == 1 || pln.supptype == 7; }
static int top_navaid() { return env.navmax < NAV_MAX ? env.navmax : NAV_MAX - 1; }
static int is_localizer(int n) { return nav_type[n] == NAV_LOC || nav_type[n] == NAV_LOC_ONLY; }
static float height_ft() { return (float)flt.h * con.mtrstoft; }

void init_radios() {
  for (int k = 0; k < 5; k++) {
    nav.station[k] = -1;
    nav.goodnav[k] = 0;
    nav.nav_id[k][0] = 0;
  }
  for (int r = 0; r < 2; r++) {
    nav.gs_station[r] = -1;
    nav.ntf[r] = 0;
    nav.hdef[r] = nav.vdef[r] = 0;
    nav.ilsgs[r] = 9;
    nav.dme_nm[r] = nav.dme_kts[r] = 0;
    nav.dme_min[r] = 999;
  }
  for (int k = 0; k < 3; k++) nav.marker_over[k] = 0;
  ins.lock_GPS = 1;  // the first waypoint's course line starts where the aircraft is
}

// ---------------------------------------------------------------- tuning

// Straight lines through the values at sea level and at 30,000 ft, carried on
// above; below sea level the sea-level range.
float vor_range_deg(float feet) { return 8.0f / 9 + (20.0f / 9) * fltmax2(feet, 0) / 30000; }
float loc_range_deg(float feet) { return 4.0f / 9 + (10.0f / 9) * fltmax2(feet, 0) / 30000; }

int check_nav(int n, int f_whole, int f_hundredths, float* best, float range) {
  if (f_whole >= 0 && nav_f1[n] != f_whole) return 0;
  if (f_hundredths >= 0 && nav_f2[n] != f_hundredths) return 0;
  float d = pythag(nav_lat[n] - flt.lat, nav_lon[n] - flt.lon);
  if (!(d < range) || !(d < *best)) return 0;
  *best = d;
  return 1;
}

static void station_xy(int n, float* x, float* y) {
  *x = (float)x_with_latlon(nav_lat[n], nav_lon[n]);
  *y = (float)y_with_lat(nav_lat[n]);
}

// True bearing from the aircraft to a local point, degrees.
static float bearing_to(float x, float y) { return std::atan2(x - (float)flt.x, y - (float)flt.y) * R2D; }

static void copy_id(int receiver, int n) {
  std::memcpy(nav.nav_id[receiver], nav_id[n], 4);
  nav.nav_id[receiver][4] = 0;
}

// Where the station of each receiver is now: the region may have slid under
// the aircraft, and the carrier's localizer moves with the ship.
static void place_stations() {
  for (int r = 0; r < 2; r++) {
    int n = nav.station[r];
    if (n >= 0 && n < NAV_MAX) {
      station_xy(n, &nav.vorx[r], &nav.vory[r]);
      nav.vorz[r] = nav_z[n];
    }
    int g = nav.gs_station[r];
    if (g >= 0 && g < NAV_MAX) {
      station_xy(g, &nav.gsx[r], &nav.gsy[r]);
      nav.gsz[r] = nav_z[g];
    }
  }
  int a = nav.station[4];
  if (a >= 0 && a < NAV_MAX) station_xy(a, &nav.adfx, &nav.adfy);
}

static void tune_nav(int r) {
  nav.goodnav[r] = 0;
  int f1 = nav.nf[r], f2 = nav.nf100[r], top = top_navaid();
  float feet = height_ft();
  // A localizer heard only from its approach side.
  float best = FAR;
  int found = -1;
  for (int n = 0; n <= top; n++) {
    if (!is_localizer(n) || nav_f1[n] != f1 || nav_f2[n] != f2) continue;
    float x, y;
    station_xy(n, &x, &y);
    if (std::fabs(wrap180(bearing_to(x, y) - (float)nav_hdng[n])) > 90) continue;
    if (check_nav(n, f1, f2, &best, loc_range_deg(feet))) found = n;
  }
  if (found >= 0) {
    nav.goodnav[r] = 1;
    nav.station[r] = found;
    nav.ilscrs[r] = (float)nav_hdng[found];
    nav.ilsgs[r] = 0;
    copy_id(r, found);
  }
  // Its glide slope, when the aircraft heads within 90 degrees of the approach course.
  best = FAR;
  found = -1;
  int heading = bk::round(wrap360(flt.psi));
  for (int n = 0; n <= top; n++) {
    if (nav_type[n] != NAV_GS) continue;
    if (std::fabs(wrap180((float)(nav_hdng[n] - heading))) >= 90) continue;
    if (check_nav(n, f1, f2, &best, loc_range_deg(feet))) found = n;
  }
  if (found >= 0) {
    nav.gs_station[r] = found;
    nav.ilsgs[r] = 3;  // the path's angle, degrees
  }
  // A VOR on the frequency wins over a localizer.
  best = FAR;
  found = -1;
  for (int n = 0; n <= top; n++)
    if (nav_type[n] == NAV_VOR && check_nav(n, f1, f2, &best, vor_range_deg(feet))) found = n;
  if (found >= 0) {
    nav.goodnav[r] = 1;
    nav.station[r] = found;
    nav.ilsgs[r] = 9;
    copy_id(r, found);
  }
}

static void tune_adf() {
  nav.goodnav[4] = 0;
  int khz = nav.adf1 * 100 + nav.adf2 * 10 + nav.adf3, top = top_navaid();
  float best = FAR, range = loc_range_deg(height_ft());
  int found = -1;
  for (int n = 0; n <= top; n++)
    if (nav_type[n] == NAV_NDB && check_nav(n, khz, -1, &best, range)) found = n;
  // Nothing heard: the needle keeps pointing at the last station.
  if (found < 0) return;
  nav.goodnav[4] = 1;
  nav.station[4] = found;
  copy_id(4, found);
}

// ---------------------------------------------------------------- GPS

static int last_file_navaid() { return env.navmax - 3; }  // the two slots above are the carrier's

static int gps_type(int mode) { return mode == 3 ? NAV_VOR : NAV_NDB; }

static int gps_entry_ok(int mode, int i) {
  if (mode == 1) return i >= 0 && i <= env.aptmax && i < APT_MAX;
  return i >= 0 && i <= last_file_navaid() && i < NAV_MAX && nav_type[i] == gps_type(mode);
}

// The nearest airport, VOR or NDB to the aircraft; -1 when the tables hold none.
static int nearest_of_kind(int mode) {
  int best = -1;
  float bd = FAR;
  if (mode == 1) {
    for (int a = 0; a <= env.aptmax && a < APT_MAX; a++) {
      float d = pythag(apt_lat[a][0] - flt.lat, (apt_lon[a][0] - flt.lon) * std::cos(flt.lat / R2D));
      if (d < bd) bd = d, best = a;
    }
    return best;
  }
  for (int n = 0; n <= last_file_navaid() && n < NAV_MAX; n++) {
    if (nav_type[n] != gps_type(mode)) continue;
    float d = pythag(nav_lat[n] - flt.lat, (nav_lon[n] - flt.lon) * std::cos(flt.lat / R2D));
    if (d < bd) bd = d, best = n;
  }
  return best;
}

void get_gps_data(float* course, float* distance) {
  double p1 = flt.lat / (double)R2D, p2 = nav.gps_lat / (double)R2D;
  double dl = (nav.gps_lon - flt.lon) / (double)R2D;
  double a = std::sin((p2 - p1) / 2) * std::sin((p2 - p1) / 2) + std::cos(p1) * std::cos(p2) * std::sin(dl / 2) * std::sin(dl / 2);
  double c = 2 * std::asin(std::sqrt(fltlim((float)a, 0, 1)));
  *distance = (float)(c * R2D * 60 * con.nmtomtrs);  // a degree of arc is 60 nm
  double y = std::sin(dl) * std::cos(p2), x = std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl);
  *course = *distance > 0 ? wrap360((float)(std::atan2(y, x) * R2D)) : 0;
}

static void tune_gps() {
  int mode = nav.gps_index_mode;
  // A waypoint of the wrong kind (or none) gives way to the nearest of the kind.
  if (!gps_entry_ok(mode, nav.gps_index)) {
    int n = nearest_of_kind(mode);
    if (n < 0) {
      nav.gps_ok = 0;
      return;
    }
    nav.gps_index = n;
    if (mode == 1) nav.gps_apt_index = n;
    else if (mode == 3) nav.gps_vor_index = n;
    else nav.gps_ndb_index = n;
    ins.lock_GPS = 1;
    ins.tickle_gps = 1;
  }
  int i = nav.gps_index;
  nav.gps_lat = mode == 1 ? apt_lat[i][0] : nav_lat[i];
  nav.gps_lon = mode == 1 ? apt_lon[i][0] : nav_lon[i];
  nav.gps_ok = 1;
  if (ins.lock_GPS) {
    get_gps_data(&nav.gps_crs, &nav.gps_dis);
    nav.gps_lock_crs = nav.gps_crs;
    ins.lock_GPS = 0;
  }
}

float gps_minutes(float distance_m, float speed_ms) {
  if (!(speed_ms > 0.5f)) return 999;  // standing still: no time to show
  return fltlim(distance_m / (speed_ms * 60), 0, 999);
}

void setnav(int receiver) {
  if (receiver == 0 || receiver == 1) tune_nav(receiver);
  else if (receiver == 4) tune_adf();
  else if (receiver == 5) tune_gps();
  place_stations();
}

// ---------------------------------------------------------------- needles

// Glide-slope call: established on the approach, below 1000 ft over the
// ground and more than a degree under the path, at most every 2 seconds.
static void glide_slope_warning(int r) {
  static int established[2];
  static float last_call = -99;
  if (!pln.bitchinbettyEQ || !msc.warn_bb || !nav.goodnav[r] || nav.ilsgs[r] != 3) {
    established[r] = 0;
    return;
  }
  float fpm = flt.vu * con.msctofpm;
  float off = std::fabs(wrap180(flt.psi - nav.ilscrs[r]));
  float to_loc = pythag(nav.vorx[r] - (float)flt.x, nav.vory[r] - (float)flt.y) * con.mtrstonm;
  if (!established[r] && std::fabs(nav.hdef[r]) < 5 && std::fabs(nav.vdef[r]) < 2 && off < 10 && fpm < 100 && to_loc < 10)
    established[r] = 1;
  if (established[r] && (fpm > 1000 || flt.onsurface || off > 45)) established[r] = 0;
  float above_ground = ((float)flt.z - env.localh) * con.mtrstoft;
  if (established[r] && above_ground < 1000 && nav.vdef[r] < -1 && msc.elap_time - last_call >= 2) {
    play_buffer(SND_GLIDESLP, 0);
    last_call = msc.elap_time;
  }
}

void nav_deflections() {
  place_stations();
  for (int r = 0; r < 2; r++) {
    float h = 0, v = 0;
    if (!nav.goodnav[r]) {
      nav.ntf[r] = 0;
    } else if (nav.ilsgs[r] == 9) {
      h = wrap180(bearing_to(nav.vorx[r], nav.vory[r]) - (nav.obs[r] - env.mvar));
      if (std::fabs(h) <= 90) {
        nav.ntf[r] = 1;
      } else {
        nav.ntf[r] = 2;
        h = -wrap180(h + 180);
      }
    } else {
      h = wrap180(bearing_to(nav.vorx[r], nav.vory[r]) - nav.ilscrs[r]);
      if (std::fabs(h) > 90) {  // behind the localizer
        h = 0;
        nav.ntf[r] = 0;
      } else {
        nav.ntf[r] = 1;
        if (nav.ilsgs[r] > 0) {
          float d = pythag(nav.gsx[r] - (float)flt.x, nav.gsy[r] - (float)flt.y);
          v = std::atan2((float)flt.z - nav.gsz[r], d) * R2D - nav.ilsgs[r];
        }
      }
    }
    nav.hdef[r] = fltlim(h, -5, 5);
    nav.vdef[r] = fltlim(v, -2, 2);
    glide_slope_warning(r);
  }
  // Without NAV 1's receiver the GPS takes its needle: the distance off the
  // locked course line in quarter-miles.
  if (!nav1_is_radio() && nav.gps_ok) {
    get_gps_data(&nav.gps_crs, &nav.gps_dis);
    nav.hdef[0] = wrap180(nav.gps_crs - nav.gps_lock_crs) * nav.gps_dis * con.mtrstonm / 57.3f * 4;
  }
}

// ---------------------------------------------------------------- DME

void dme_step(float range_nm, float dt, float* d, float* speed, float* minutes) {
  float prev = *d;
  *d = fltlim(0.6f * prev + 0.4f * range_nm, 0, 999);
  if (dt > 0) *speed = fltlim(std::fabs(*d - prev) / dt * 3600, 0, 999);
  // No closing speed, no time: 999 rather than a division by zero.
  *minutes = *speed > 0 ? fltlim(*d / *speed * 60, 0, 999) : 999;
}

static void update_dmes() {
  static float last = -1;
  float dt = last >= 0 && msc.elap_time > last ? msc.elap_time - last : 0;
  last = msc.elap_time;
  for (int r = 0; r < 2; r++) {
    if (!nav.goodnav[r]) continue;  // nothing to range on: the reading waits for a station
    float dx = nav.vorx[r] - (float)flt.x, dy = nav.vory[r] - (float)flt.y, dz = nav.vorz[r] - (float)flt.z;
    float range = pythag3(dx, dy, dz) * con.mtrstonm;
    dme_step(range, dt, &nav.dme_nm[r], &nav.dme_kts[r], &nav.dme_min[r]);
  }
}

// ---------------------------------------------------------------- marker beacons

static void find_markers() {
  for (int k = 0; k < 3; k++) nav.marker_over[k] = 0;
  if (flt.onsurface) return;
  static const float within[3] = {0.004f, 0.003f, 0.002f};
  for (int n = 0; n <= top_navaid(); n++) {
    int k = nav_type[n] - NAV_OM;
    if (k < 0 || k > 2 || !nav_inreg[n]) continue;
    if (std::fabs(nav_lat[n] - flt.lat) < within[k] && std::fabs(nav_lon[n] - flt.lon) < within[k]) nav.marker_over[k] = 1;
  }
}

static void marker_tones(int c) {
  if (nav.marker_over[0] && c == 0) beepme(MORSE_DASH);
  if (nav.marker_over[1] && (c == 0 || c == 4)) beepme(c == 0 ? MORSE_DOT : MORSE_DASH);
  if (nav.marker_over[2] && (c == 0 || c == 3 || c == 6)) beepme(MORSE_DOT);
}

// ---------------------------------------------------------------- Morse

void add_dot(int kinds[], float times[], int* count) {
  if (*count >= MORSE_SLOTS - 1) return;
  kinds[*count] = MORSE_DOT;
  times[*count + 1] = times[*count] + 0.3f;
  ++*count;
}

void add_das(int kinds[], float times[], int* count) {
  if (*count >= MORSE_SLOTS - 1) return;
  kinds[*count] = MORSE_DASH;
  times[*count + 1] = times[*count] + 0.5f;
  ++*count;
}

void add_qui(int kinds[], float times[], int* count) {
  if (*count >= MORSE_SLOTS - 1) return;
  kinds[*count] = MORSE_QUIET;
  times[*count + 1] = times[*count] + 1.0f;
  ++*count;
}

void build_morse_id(char letter, int kinds[], float times[], int* count) {
  static const char* const code[26] = {".-",   "-...", "-.-.", "-..",  ".",   "..-.", "--.",  "....", "..",
                                       ".---", "-.-",  ".-..", "--",   "-.",  "---",  ".--.", "--.-", ".-.",
                                       "...",  "-",    "..-",  "...-", ".--", "-..-", "-.--", "--.."};
  if (letter < 'A' || letter > 'Z') return;
  for (const char* p = code[letter - 'A']; *p; p++) {
    if (*p == '.') add_dot(kinds, times, count);
    else add_das(kinds, times, count);
  }
  add_qui(kinds, times, count);
}

static struct {
  int kinds[MORSE_SLOTS];
  float times[MORSE_SLOTS];
  int count;
  float started;
  int receiver, station;  // what is being identified; -1 nothing
} morse = {{0}, {0}, 0, 0, -1, -1};

static void identify() {
  int r = nav.radio_output;
  int heard = (r == 0 || r == 1 || r == 4) && nav.goodnav[r];
  // A station lost or another one selected stops the identifier it was playing.
  if (!heard || r != morse.receiver || nav.station[r] != morse.station) {
    morse.receiver = morse.station = -1;
    morse.count = 0;
  }
  if (heard && (morse.receiver < 0 || msc.elap_time - morse.started >= 10)) {
    for (int k = 0; k < MORSE_SLOTS; k++) morse.kinds[k] = MORSE_QUIET;
    morse.count = 0;
    morse.times[0] = morse.started = msc.elap_time;
    morse.receiver = r;
    morse.station = nav.station[r];
    for (int k = 0; k < 4 && nav.nav_id[r][k]; k++) build_morse_id(nav.nav_id[r][k], morse.kinds, morse.times, &morse.count);
  }
  for (int k = 0; k < morse.count; k++)
    if (morse.kinds[k] != MORSE_QUIET && morse.times[k] <= msc.elap_time) {
      beepme(morse.kinds[k]);
      morse.kinds[k] = MORSE_QUIET;
    }
}

// ---------------------------------------------------------------- the frame loop's calls

void radios_retune() {
  if (nav1_is_radio()) setnav(0);
  setnav(1);
  setnav(4);
  if (!nav1_is_radio()) setnav(5);
  nav_deflections();
}

void radios_step() {
  // A new start sets the step counter back: the receivers find their stations at once.
  if (msc.cntr == 1) radios_retune();
  identify();
}

void radios_evt() {
  nav_deflections();
  int c = msc.cntr10;
  if (c == 9) find_markers();
  marker_tones(c);
}

void radios_sec() {
  static int passes = 0;
  if (passes++ % 6 == 0) radios_retune();
  update_dmes();
}

// ---------------------------------------------------------------- an ILS final

int tune_ils_for_runway(int apt, int rway_sel) {
  if (apt < 0 || apt > env.aptmax || apt >= APT_MAX || rway_sel < 0 || rway_sel > 5) return 0;
  int r = rway_sel / 2;
  if (apt_len[apt][r] <= 1) return 0;
  float course = wrap360((float)apt_hdng[apt][r] + (rway_sel % 2 ? 180 : 0));
  float cx = (float)x_with_latlon(apt_lat[apt][r], apt_lon[apt][r]), cy = (float)y_with_lat(apt_lat[apt][r]);
  float s = std::sin(course / R2D), c = std::cos(course / R2D), half = 0.5f * apt_len[apt][r];
  // The localizer beyond the far end facing the approach, nearest the centre
  // line (a parallel runway's stands beside it).
  float best = FAR;
  int found = -1;
  for (int n = 0; n <= last_file_navaid() && n < NAV_MAX; n++) {
    if (!is_localizer(n) || std::fabs(wrap180(nav_hdng[n] - course)) > 5) continue;
    float x, y;
    station_xy(n, &x, &y);
    float along = (x - cx) * s + (y - cy) * c, off = std::fabs((x - cx) * c - (y - cy) * s);
    if (along > 0 && along < half + 3000 && off < 300 && off < best) best = off, found = n;
  }
  if (found < 0) return 0;
  int mvar = -find_var(apt_lat[apt][r], apt_lon[apt][r]);
  for (int k = 0; k < 2; k++) {
    nav.nf[k] = nav_f1[found];
    nav.nf100[k] = nav_f2[found];
    nav.obs[k] = wrap360((float)nav_hdng[found] + mvar);
  }
  ins.tickle_rad = 1;
  radios_retune();
  return 1;
}

// ---------------------------------------------------------------- phonetic alphabet

void get_phonetic(char c, char* out) {
  static const char* const digits[10] = {"zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "niner"};
  static const char* const letters[26] = {"alpha",  "bravo",  "charlie", "delta",   "echo",  "foxtrot", "golf",
                                          "hotel",  "india",  "juliet",  "kilo",    "lima",  "mike",    "november",
                                          "oscar",  "papa",   "quebec",  "romeo",   "sierra", "tango",  "uniform",
                                          "victor", "whiskey", "x ray",  "yankee",  "zooloo"};
  const char* s = "";
  if (c >= '0' && c <= '9') s = digits[c - '0'];
  else if (c >= 'A' && c <= 'Z') s = letters[c - 'A'];
  else if (c >= 'a' && c <= 'z') s = letters[c - 'a'];
  std::strcpy(out, s);
}
