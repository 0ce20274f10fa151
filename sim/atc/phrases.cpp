// The controller's phrases, appended to bounded texts.
#include "sim/atc/phrases.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/do_wx.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/panel/radios.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

// n's digits, `width` of them at least (leading zeros), a blank between each.
void app_digits_width(char* text, int n, int width) {
  char d[16], spoken[40] = "";
  if (n < 0) {
    app_C(text, "minus ");
    n = -n;
  }
  std::snprintf(d, sizeof d, "%0*d", width, n);
  for (int i = 0; d[i]; i++) {
    size_t k = std::strlen(spoken);
    spoken[k] = d[i];
    spoken[k + 1] = d[i + 1] ? ' ' : 0;
    spoken[k + 2] = 0;
  }
  app_C(text, spoken);
}

void app_digits(char* text, int n) { app_digits_width(text, n, 1); }

void app_number(char* text, int n) {
  char s[16];
  std::snprintf(s, sizeof s, "%d", n);
  app_C(text, s);
}

void start_command_string(char* text, int own) {
  char call[16];
  if (own) {
    std::snprintf(call, sizeof call, "%s", "");
  } else {
    int mixed = intrand(0, 35);
    std::snprintf(call, sizeof call, "N%d%d%d%c%c", intrand(0, 9), intrand(0, 9), intrand(0, 9),
                  mixed < 10 ? (char)('0' + mixed) : (char)('A' + mixed - 10), (char)('A' + intrand(0, 25)));
  }
  // A tail number may be as long as its field: the text is cut where it is full.
  const char* c = own ? pln.tailnum : call;
  char word[16];
  for (size_t i = 0; c[i] && i < STR_DIM; i++) {
    get_phonetic(c[i], word);
    app_C(text, word);
    app_C(text, " ");
    if (std::strlen(text) >= STR_DIM - 1) return;
  }
}

void app_freq(char* text, int mhz, int hundredths) {
  app_digits_width(text, mhz, 3);
  app_C(text, " point ");
  app_digits_width(text, hundredths, 2);
}

void random_freq(int* mhz, int* hundredths) {
  *mhz = intrand(118, 134);
  *hundredths = 5 * intrand(0, 19);
}

void ground_freq(int* mhz, int* hundredths) {
  *mhz = 121;
  *hundredths = 10 * intrand(0, 9);
}

void app_random_freq(char* text) {
  int m, h;
  random_freq(&m, &h);
  app_freq(text, m, h);
}

void app_squawk(char* text) {
  int code = 0;
  for (int k = 0; k < 4; k++) code = 10 * code + intrand(0, 7);  // octal digits, read as they are said
  app_digits_width(text, code, 4);
}

void app_heading_string(char* text, float heading, int step) {
  int h = (int)std::floor(wrap360(heading));
  if (step < 1) step = 1;
  app_digits_width(text, intnear(h, step, 1), 3);
}

void app_turn_string(char* text, float heading, int step) {
  float d = wrap180(heading - flt.magpsi);
  if (d < -179) d += 360;  // -180 reads as a turn of 180 to the right
  app_C(text, d < 1 ? "turn left heading " : "turn right heading ");
  app_heading_string(text, heading, step);
}

void app_altimeter_string(char* text) {
  float baro = bk::round((float)flt.z * con.mtrstoft) >= 18000 ? 29.92f : atm.baro;
  // Hundredths rounded, not truncated: 29.92 held in a float is 29.9199...
  int h = bk::round(baro * 100.0f);
  app_C(text, "altimeter ");
  app_digits(text, h / 100);
  app_C(text, " ");
  app_digits_width(text, h % 100, 2);
}

void airport_wind(int airport, float* dir, float* speed_kt, float* gust_kt, float* spread) {
  int i = wind_index(airport >= 0 && airport < APT_MAX ? apt_z[airport] : 0);
  *dir = atm.wnddir[i];
  *speed_kt = atm.wndspd[i] * con.msctokts;
  *gust_kt = (atm.wndspd[i] + atm.shrspd[i] + atm.tbl[i]) * con.msctokts;
  *spread = atm.shrdir[i];
}

void app_wind_string(char* text, int airport) {
  float d, s, g, v;
  airport_wind(airport, &d, &s, &g, &v);
  if (g < 1) {
    app_C(text, "Wind calm");
    return;
  }
  if (g < 5) {
    app_C(text, "Wind light and variable");
    return;
  }
  int gusting = g - s > 5, variable = v > 10;
  if (gusting || variable) app_C(text, "Wind shear alert. ");
  app_C(text, "Wind ");
  app_heading_string(text, d, 10);
  app_C(text, " at ");
  app_digits(text, bk::round(s));
  if (variable) {
    app_C(text, " variable ");
    app_heading_string(text, d - v, 10);
    app_C(text, " to ");
    app_heading_string(text, d + v, 10);
  }
  if (gusting) {
    app_C(text, " gust ");
    app_digits(text, bk::round(g));
  }
}

static int runway_exists(int airport, int r) { return r == 0 || apt_len[airport][r] > 1; }

void get_active_rway(int airport, int* runway, int* end, int* loc_found, int* loc) {
  *runway = *end = *loc_found = 0;
  *loc = -1;
  if (airport < 0 || airport >= APT_MAX) return;
  const int a = airport;
  float dir, speed, gust, spread;
  airport_wind(a, &dir, &speed, &gust, &spread);
  // Runway headings and courses are true; the wind is given magnetic.
  float wind = wrap360(dir - (float)env.mvar);
  for (int r = 1; r < 3; r++)
    if (apt_len[a][r] > apt_len[a][*runway]) *runway = r;

  float closest = 1e9f;
  for (int n = 0; n <= env.navmax && n < NAV_MAX; n++) {
    if (nav_type[n] != NAV_LOC && nav_type[n] != NAV_LOC_ONLY) continue;
    if (std::strncmp(nav_id[n], "----", 4) == 0) continue;  // the carrier's, wherever it sails
    if (pythag(nav_lat[n] - apt_lat[a][0], nav_lon[n] - apt_lon[a][0]) * 60 >= 5) continue;
    float off = std::fabs(wrap180((float)nav_hdng[n] - wind));
    if (off < closest) {
      closest = off;
      *loc = n;
      *loc_found = 1;
    }
  }
  // The runway end best lined up with the localizer's course, or into the wind.
  float course;
  if (*loc_found) course = (float)nav_hdng[*loc];
  else if (speed > 5) course = wind;
  else return;
  float best = 1e9f;
  for (int r = 0; r < 3; r++) {
    if (!runway_exists(a, r)) continue;
    for (int e = 0; e < 2; e++) {
      float off = std::fabs(wrap180(course - (float)apt_hdng[a][r] - 180.0f * (float)e));
      if (off < best) {
        best = off;
        *runway = r;
        *end = e;
      }
    }
  }
}

void app_current_rway_string(char* text, int airport) {
  int r, e, found, loc;
  get_active_rway(airport, &r, &e, &found, &loc);
  int num = airport >= 0 && airport < APT_MAX ? apt_num[airport][r] : 0;
  char lr = airport >= 0 && airport < APT_MAX ? apt_lr[airport][r] : 'x';
  if (e) {
    num = (num + 18 - 1) % 36 + 1;
    lr = lr == 'L' ? 'R' : lr == 'R' ? 'L' : lr;
  }
  app_C(text, "runway ");
  app_digits(text, num);
  if (lr == 'L') app_C(text, " left");
  if (lr == 'R') app_C(text, " right");
  if (lr == 'C') app_C(text, " center");
}

static const char* const plane_types[26] = {
    "Cessna 152",      "Cessna 172",     "Piper Warrior", "Piper Archer", "Piper Arrow",   "Beech Duke",
    "Tobago",          "Trinidad",       "Mooney",        "Glasair",      "Lancair",       "Beech Duchess",
    "Beech Baron",     "Cessna 310",     "Cessna 414",    "Pilatus PC 12", "Beech Starship", "Piaggio Avanti",
    "Lear 35",         "Lear 55",        "Cessna Citation", "Boeing 727", "Boeing 737",    "Boeing 757",
    "Boeing 767",      "Airbus A-300"};

void app_rand_plane(char* text, float altitude_ft) {
  app_C(text, plane_types[altitude_ft >= 10000 ? intrand(11, 25) : intrand(0, 17)]);
}

float nm_between(float lat1, float lon1, float lat2, float lon2) {
  float north = (lat2 - lat1) * 60.0f;
  float east = (lon2 - lon1) * 60.0f * std::cos(0.5f * (lat1 + lat2) * con.degtorad);
  return pythag(east, north);
}

float bearing_between(float lat1, float lon1, float lat2, float lon2) {
  float north = lat2 - lat1;
  float east = (lon2 - lon1) * std::cos(0.5f * (lat1 + lat2) * con.degtorad);
  return wrap360(std::atan2(east, north) * con.radtodeg);
}
