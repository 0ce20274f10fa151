// The air the aircraft flies in: density, temperature and speed of sound at
// its height; the wind with its layers, gusts, thermals, storms and
// microbursts; the slow drift of the weather and the real-weather file.
#include "sim/flight/do_wx.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/flight/fltutil.h"
#include "sim/flight/rel.h"
#include "sim/msc.h"
#include "sim/panel/ins.h"
#include "sim/sound/do_sound.h"
#include "sim/view/scn.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f;

// Sea-level temperatures beyond these have never been seen on the ground;
// inside them the air's temperature stays far above absolute zero at every
// height of the table.
static const float TEMP_SL_MIN = -100.0f, TEMP_SL_MAX = 140.0f;

// A limit that also turns a NaN into the lower bound.
static float lim(float v, float lo, float hi) {
  if (!(v >= lo)) return lo;
  return v > hi ? hi : v;
}

// ---- the atmosphere at the aircraft ----

// Standard temperature, degrees Rankine against feet.
static const float temp_ft[5] = {0, 36152, 82346, 155348, 175344};
static const float temp_R[5] = {518.69f, 390.5f, 390.5f, 508.8f, 508.8f};

void atm_at_height(float h) {
  if (!std::isfinite(h)) h = 0;
  float rho;
  if (h <= atm.hr[0][0]) rho = atm.hr[0][1];
  else if (h >= atm.hr[21][0]) rho = atm.hr[21][1];
  else {
    int k = 0;
    while (k < 20 && h > atm.hr[k + 1][0]) k++;
    rho = interp(atm.hr[k][0], atm.hr[k][1], atm.hr[k + 1][0], atm.hr[k + 1][1], h);
  }
  float ft = h * con.mtrstoft, tr = temp_R[4];
  if (ft <= temp_ft[0]) tr = temp_R[0];
  for (int k = 0; k < 4; k++)
    if (ft > temp_ft[k] && ft <= temp_ft[k + 1]) tr = interp(temp_ft[k], temp_R[k], temp_ft[k + 1], temp_R[k + 1], ft);
  // The preferences or a weather file may carry any number: the day's
  // temperature is taken within what the ground has seen.
  float t_sl = lim(atm.temp_SL, TEMP_SL_MIN, TEMP_SL_MAX);
  atm.T = tr * con.dgrtodgk + (t_sl - 59.02f) * 5.0f / 9.0f;
  atm.a = std::sqrt(401.8f * atm.T);
  rho *= 518.69f / (t_sl + 459.67f);  // a hot day thins the air
  atm.rho = rho > 0 ? rho : 0;
  atm.crtsig = con.rhoSL > 0 ? atm.rho / con.rhoSL : 0;
  float r = h + con.rearth;
  atm.g = con.muearth / (r * r);
  for (int n = 0; n < ENGINES; n++) {
    float m = flt.mixt[n];
    if (pln.entype != 1) {
      flt.mixt_powr_rat[n] = m > 0.5f ? 1.0f : 0.0f;  // fuel cut off below half
      continue;
    }
    float c1 = atm.crtsig - 0.3f, c2 = atm.crtsig - 0.4f;
    int lean = m <= c1;
    float p_loss = lean ? 5 * (c1 - m) : 0.1f * (m - c1);
    float t_loss = lean ? 5 * (c1 - m) : 2 * (m - c1);
    float thro = flt.thro[n] > 0 ? flt.thro[n] : 0;
    flt.mixt_powr_rat[n] = m <= c2 ? 0 : fltlim(1 - p_loss, 0, 1);
    flt.mixt_temp_rat[n] = m <= c2 ? 0 : fltlim((1 - t_loss) * std::sqrt(thro), 0, 1);
  }
}

// ---- wind layers ----

int wind_index(float h) {
  static const float tops_ft[8] = {1000, 2000, 3000, 4000, 5000, 7000, 10000, 15000};
  float ft = h * con.mtrstoft;
  for (int i = 0; i < 8; i++)
    if (ft < tops_ft[i]) return i;
  return 8;
}

void transition(float* in, float goal, float newpart) { *in = newpart * goal + (1 - newpart) * *in; }

// Directions blend the short way round, so that 350 toward 10 passes north.
static void transition_dir(float* in, float goal, float newpart) {
  float d = wrap180(goal - *in);
  *in = wrap360(*in + newpart * d);
}

// The prevailing direction of the last draw stands between draws; -1 until
// the first, which is made whatever the blend weight.
static int prevailing = -1;

void assign_wind_tbl(float newpart) {
  if (newpart > 0.9f || prevailing < 0) prevailing = intrand(0, 359);
  float k = std::pow(lim((atm.wind_tbl - 1) / 4, 0, 1), 1.5f);
  for (int i = 0; i < 9; i++) {
    transition_dir(&atm.wnddir[i], wrap360(prevailing + fltrand(-90 * k, 90 * k)), newpart);
    transition(&atm.wndspd[i], fltrand(0, 90 * k) * con.ktstomsc, newpart);
    transition(&atm.shrdir[i], fltrand(0, 150 * k), newpart);
    transition(&atm.shrspd[i], fltrand(0, 30 * k) * con.ktstomsc, newpart);
    transition(&atm.tbl[i], fltrand(0, 15 * k), newpart);
  }
}

void choose_turbulence(float level) {
  atm.wind_tbl = lim(level, 1, 5);
  assign_wind_tbl(1.0f);
  for (int n = 0; n < 6; n++) assign_wind_tbl(0.1f);
}

// ---- limits ----

void limwx() {
  int n = intlim(msc.loc_index, 0, APT_MAX - 1);
  float elev = std::isfinite(apt_z[n]) ? apt_z[n] : 0;
  float ft = con.fttomtrs, kt = con.ktstomsc, nm = con.nmtomtrs;
  atm.rain_tstm = lim(atm.rain_tstm, 1, 5);
  atm.wind_tbl = lim(atm.wind_tbl, 1, 5);
  atm.burst_prob = lim(atm.burst_prob, 1, 5);
  if (atm.rain_tstm > 1.5f) atm.cld_type = 1;
  atm.baseMSL = lim(atm.baseMSL, elev + 50 * ft, 97999 * ft);
  atm.topsMSL = lim(atm.topsMSL, atm.baseMSL + 2000 * ft, 99999 * ft);
  atm.baseAGL = atm.baseMSL - elev;
  atm.vis = lim(atm.vis, 0.1f * nm, 20 * nm);
  for (int i = 0; i < 9; i++) {
    atm.wnddir[i] = std::isfinite(atm.wnddir[i]) ? wrap360(atm.wnddir[i]) : 0;
    atm.shrdir[i] = lim(atm.shrdir[i], 0, 180);
    atm.wndspd[i] = lim(atm.wndspd[i], 0, 99 * kt);
    atm.shrspd[i] = lim(atm.shrspd[i], 0, 99 * kt);
    atm.tbl[i] = lim(atm.tbl[i], 0, 9);
  }
  atm.wave_amp = lim(atm.wave_amp, 0, 9.9f);
  atm.wave_length = lim(atm.wave_length, 0, 99);
  atm.wave_speed = lim(atm.wave_speed, 0, 99);
  atm.wave_dir = intlim(atm.wave_dir, 0, 360);
  atm.thermal_part = lim(atm.thermal_part, 0, 0.99f);
  atm.thermal_vvi = lim(atm.thermal_vvi, 0, 999 * con.fpmtomsc);
  atm.temp_SL = lim(atm.temp_SL, TEMP_SL_MIN, TEMP_SL_MAX);
  atm.dewp_SL = lim(atm.dewp_SL, TEMP_SL_MIN, atm.temp_SL);
  if (!(atm.baro >= 25 && atm.baro <= 35)) atm.baro = std::isfinite(atm.baro) && atm.baro > 35 ? 35 : 29.92f;
  atm.rway_fric_code = intlim(atm.rway_fric_code, 1, 3);
  atm.rate_change = intlim(atm.rate_change, 1, 8);
}

// ---- the wind at every event ----

static float target_x, target_y, target_z;
static int calls;
static int shear_type;
static float shear_strt_time, shear_stop_time, shear_speed, shear_vertv;

int shear_now() { return shear_type; }

static float r1() { return fltrand(-1, 1); }

static void new_target() {
  int i = wind_index(flt.h);
  float s = atm.wndspd[i] + atm.shrspd[i] * r1();
  int d = intwrap(flt_to_int(atm.wnddir[i] - env.mvar + atm.shrdir[i] * r1()) % 360, 0, 359);
  float east = -s * isin(d), north = -s * icos(d);
  int ci = intlim(env.i_aircraft, 0, GRID_I - 1), cj = intlim(env.j_aircraft, 0, GRID_J - 1);
  float thermal = atm.therm_on_poly[ci][cj] ? atm.thermal_vvi : 0;
  float gust = 10 * atm.level + 2 * atm.tbl[i];
  float agl = (float)flt.z - env.localh;
  float fh = fltlim(agl / 20, 0.5f, 1), fv = fltlim(agl / 100, 0, 1);
  target_x = (gust * r1() + east) * fh;
  target_y = (gust * r1() + north) * fh;
  target_z = (gust * r1() + thermal) * fv;
}

static void microburst(float* sx, float* sy, float* sz) {
  *sx = *sy = *sz = 0;
  float agl = (float)flt.z - env.localh;
  if (!shear_type && atm.burst_prob > 1 && agl < 300) {
    float L = interp(1, 300, 5, 60, atm.burst_prob);
    if (fltrand(0, L) <= 0.1f) {
      shear_type = intrand(1, 3);
      shear_strt_time = msc.elap_time;
      shear_stop_time = msc.elap_time + fltrand(10, 20);
      shear_speed = fltrand(30, 90) * con.ktstomsc;
      shear_vertv = fltrand(2000, 8000) * con.fpmtomsc;
      if (pln.bitchinbettyEQ && msc.warn_bb) play_buffer(SND_WNDSHEAR, 0);
    }
  }
  atm.inshear = 0;
  if (!shear_type) return;
  if (msc.elap_time > shear_stop_time) {
    shear_type = 0;
    return;
  }
  float life = shear_stop_time - shear_strt_time;
  float p = life > 0 ? fltlim((msc.elap_time - shear_strt_time) / life, 0, 1) : 1;
  float k, q = 0;
  if (shear_type == 1) k = std::sin(con.pi * p);
  else if (shear_type == 2) k = -std::sin(con.pi * p);
  else {
    k = std::sin(2 * con.pi * p);
    q = (std::cos(2 * con.pi * p) - 1) / 2;
  }
  *sx = -shear_speed * k * flt.sinpsi;
  *sy = -shear_speed * k * flt.cospsi;
  *sz = shear_vertv * q;
  atm.inshear = 1;
}

void wxcalc() {
  // Every twelfth call a new target: the counter runs 0..11.
  if (calls > 10) {
    calls = 0;
    new_target();
  } else {
    calls++;
  }
  float sx, sy, sz;
  microburst(&sx, &sy, &sz);
  atm.wind_x = 0.1f * (target_x + sx) + 0.9f * atm.wind_x;
  atm.wind_y = 0.1f * (target_y + sy) + 0.9f * atm.wind_y;
  atm.wind_z = 0.1f * (target_z + sz) + 0.9f * atm.wind_z;
  if (!std::isfinite(atm.wind_x) || !std::isfinite(atm.wind_y) || !std::isfinite(atm.wind_z))
    atm.wind_x = atm.wind_y = atm.wind_z = 0;
}

// ---- storm level from the weather-radar map ----

float wxr_at(float x, float y, int clamp) {
  float wx = planex[GRID_I - 1][GRID_J - 1] - planex[0][0], wy = planey[GRID_I - 1][GRID_J - 1] - planey[0][0];
  if (!(wx > 0) || !(wy > 0)) return 0;
  float fi = WXR_I * (x - planex[0][0]) / wx, fj = WXR_J * (y - planey[0][0]) / wy;
  if (!std::isfinite(fi) || !std::isfinite(fj)) return 0;
  if (!clamp && (fi < 0 || fj < 0 || fi >= WXR_I || fj >= WXR_J)) return 0;
  int i = flt_to_int(fltlim(fi, 0, WXR_I - 1)), j = flt_to_int(fltlim(fj, 0, WXR_J - 1));
  return atm.wxr[i][j];
}

void storm_level() {
  if (scn.abovetops) {
    atm.level = 0;
    return;
  }
  float wx = planex[GRID_I - 1][GRID_J - 1] - planex[0][0], wy = planey[GRID_I - 1][GRID_J - 1] - planey[0][0];
  if (!(wx > 0) || !(wy > 0)) {
    atm.level = 0;
    return;
  }
  float fi = WXR_I * ((float)flt.x - planex[0][0]) / wx, fj = WXR_J * ((float)flt.y - planey[0][0]) / wy;
  // A position that is no number lies on no cell (and would not convert to one).
  if (!std::isfinite(fi) || !std::isfinite(fj)) {
    atm.level = 0;
    return;
  }
  int i = flt_to_int(fltlim(fi, -10, WXR_I + 10)), j = flt_to_int(fltlim(fj, -10, WXR_J + 10));
  // Cells beyond the map's edge bring no storm.
  float sum = 0;
  for (int di = -2; di <= 2; di++)
    for (int dj = -2; dj <= 2; dj++) {
      int a = i + di, b = j + dj;
      if (a >= 0 && a < WXR_I && b >= 0 && b < WXR_J) sum += atm.wxr[a][b];
    }
  atm.level = (atm.rain_tstm - 1) * sum / 25;
}

// ---- the real-weather file ----

static char wx_file[STR_DIM];
static int wx_in_use;        // a station of the file sets the weather
static int wx_told;          // the user has been told of the file
// A weather file that is no regular file, or a report out of range, is told about once.
static int told_kind = 0, told_range = 0;
static int wx_lat = -999, wx_lon = -999;
static float wx_since = 1e9f;  // seconds since the last read
static float goal_base, goal_tops, goal_vis, goal_rain;
static float trend_u = 4, trend_since = 1e9f;
static float fuel_time = -1;

void set_weather_file(const char* path) {
  if (path) std::snprintf(wx_file, sizeof wx_file, "%s", path);
  else wx_file[0] = 0;
}

void reset_weather() {
  target_x = target_y = target_z = 0;
  atm.wind_x = atm.wind_y = atm.wind_z = 0;
  atm.inshear = 0;
  calls = 0;
  shear_type = 0;
  shear_strt_time = shear_stop_time = shear_speed = shear_vertv = 0;
  prevailing = -1;
  wx_in_use = wx_told = 0;
  told_kind = told_range = 0;
  wx_lat = wx_lon = -999;
  wx_since = 1e9f;
  trend_u = 4;
  trend_since = 1e9f;
  fuel_time = -1;
}

// One line of the file, at most STR_DIM - 1 characters (the rest of a longer
// line is dropped); LF, CRLF and CR all end a line. 0 at the end.
static int read_line(std::FILE* f, char* line) {
  int n = 0, c, any = 0;
  while ((c = std::fgetc(f)) != EOF) {
    any = 1;
    if (c == '\n') break;
    if (c == '\r') {
      int d = std::fgetc(f);
      if (d != '\n' && d != EOF) std::ungetc(d, f);
      break;
    }
    if (n < STR_DIM - 1) line[n++] = (char)c;
  }
  line[n] = 0;
  return any;
}

// The region's airports, gathered once a read.
static int region_apts[APT_MAX];
static int region_apt_count;

static void gather_region_airports() {
  region_apt_count = 0;
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (apt_inreg[n]) region_apts[region_apt_count++] = n;
}

// The region's airport whose identifier (four characters, blank-padded)
// starts the line; -1 for none.
static int station_of(const char* line) {
  if (std::strlen(line) < 4 || (line[4] != 0 && line[4] != ' ')) return -1;
  for (int k = 0; k < region_apt_count; k++) {
    int n = region_apts[k];
    const char* id = apt_id[n];
    int same = 1, end = 0;
    for (int c = 0; c < 4 && same; c++) {
      if (!id[c]) end = 1;
      char want = end ? ' ' : id[c];
      same = want == line[c];
    }
    if (same) return n;
  }
  return -1;
}

struct station_wx {
  float z_time, base, tops, vis, temp, dewp, dir, spd, gust, baro;
  int cld_type, kind, density;
};

// Decodes a report; 0 unless it carries the whole main group.
static int decode_station(const char* line, int n, station_wx* w) {
  w->z_time = msc.zulu_time;
  w->cld_type = atm.cld_type;
  w->base = goal_base > 0 ? goal_base : atm.baseMSL;
  w->tops = goal_tops > 0 ? goal_tops : atm.topsMSL;
  w->vis = goal_vis > 0 ? goal_vis : atm.vis;
  w->kind = w->density = 0;
  w->temp = atm.temp_SL;
  w->dewp = atm.dewp_SL;
  w->dir = atm.wnddir[0];
  w->spd = -1;  // still -1 when the report's wind could not be read
  w->gust = 0;
  w->baro = atm.baro;
  decode_wxr(line, apt_z[n], &w->z_time, &w->cld_type, &w->base, &w->tops, &w->vis, &w->kind, &w->density,
             &w->temp, &w->dewp, &w->dir, &w->spd, &w->gust, &w->baro);
  const float v[] = {w->z_time, w->base, w->tops, w->vis, w->temp, w->dewp, w->dir, w->spd, w->gust, w->baro};
  for (float x : v)
    if (!std::isfinite(x)) return 0;
  return w->spd >= 0;
}

// A report's figures against what weather can be; the first that is not
// fills problem (field and value) and the report is passed over.
static int station_in_range(const station_wx& w, char* problem, int size) {
  struct { const char* field; float v, lo, hi; } f[] = {
      {"cloud base (m)", w.base, -1000, 40000}, {"cloud tops (m)", w.tops, -1000, 40000},
      {"visibility (m)", w.vis, 0, 1e6f},       {"temperature (F)", w.temp, -150, 200},
      {"dew point (F)", w.dewp, -150, 200},     {"barometer (inches)", w.baro, 15, 40}};
  for (const auto& x : f)
    if (!(x.v >= x.lo && x.v <= x.hi)) {
      std::snprintf(problem, (size_t)size, "The %s is %g, but it must lie between %g and %g.", x.field, x.v, x.lo,
                    x.hi);
      return 0;
    }
  return 1;
}

static void apply_station(const station_wx& w) {
  int dens = intlim(w.density, 1, 3);
  atm.burst_prob = 1;
  goal_rain = 1;
  if (w.kind == 1) atm.burst_prob = goal_rain = (float)(dens + 2);
  else if (w.kind >= 2 && w.kind <= 4) goal_rain = dens == 1 ? 2.0f : dens == 2 ? 3.5f : 5.0f;
  atm.cld_type = w.cld_type ? 1 : 0;
  goal_base = w.base;
  goal_tops = w.tops;
  goal_vis = w.vis;
  atm.temp_SL = w.temp;
  atm.dewp_SL = w.dewp;
  atm.baro = w.baro;
  float spd_kt = w.spd * con.msctokts, gust_kt = w.gust * con.msctokts;
  atm.wnddir[0] = wrap360(w.dir);
  atm.wndspd[0] = w.spd;
  atm.shrspd[0] = w.gust;
  atm.shrdir[0] = 2 * gust_kt;
  atm.tbl[0] = 0.1f * spd_kt + 0.2f * gust_kt;
  for (int i = 1; i < 9; i++) {
    atm.wnddir[i] = wrap360(atm.wnddir[0] + fltrand(-30, 30));
    atm.shrdir[i] = atm.shrdir[0] + fltrand(-30, 30);
    atm.wndspd[i] = atm.wndspd[0] * fltrand(0.5f, 1.5f);
    atm.shrspd[i] = atm.shrspd[0] * fltrand(0.5f, 1.5f);
    atm.tbl[i] = atm.tbl[0] * fltrand(0.5f, 1.5f);
  }
  if (!wx_told) {
    wx_told = 1;
    MACIBM_alert("I have detected the file 'world.rwx' in the Tarvel folder.", "", "", "", 0);
    float hour = std::fmod(flt.lon / 15 + w.z_time / 3600 + 3 + 48, 24.0f);
    // The clock of the weather file sets the time of day the view draws (scn).
    if (hour >= 6 && hour < 7) scn.time = 3;
    else if (hour >= 7 && hour < 8) scn.time = 2;
    else if (hour >= 8 && hour < 17) scn.time = 1;
    else if (hour >= 17 && hour < 19) scn.time = 2;
    else if (hour >= 19 && hour < 21) scn.time = 3;
    else scn.time = 4;
  }
}

// Reads the file when present. A line that does not decode is passed over,
// and a file without a single report that decodes is no weather file at all:
// the weather stays as it was set.
static void read_weather_file() {
  char path[STR_DIM];
  if (wx_file[0]) std::snprintf(path, sizeof path, "%s", wx_file);
  else if (!ap_dir("", "world.rwx", path)) return;
  // A pipe would block the program for ever: only a regular file is read,
  // and anything else there is told about once.
  int kind = file_kind(path);
  if (kind == INF_MISSING) return;
  std::FILE* f = kind == INF_OK ? plat_fopen_regular(path) : nullptr;
  if (!f) {
    if (!told_kind)
      MACIBM_alert("The weather file could not be read:", path, inf_why_text(kind == INF_OK ? INF_UNREADABLE : kind),
                   "The weather stays as it was set.", 0);
    told_kind = 1;
    return;
  }
  gather_region_airports();
  char problem[STR_DIM] = "";
  char line[STR_DIM];
  station_wx best = {}, w;
  float best_d = 1e30f;
  int found = 0, well_formed = 0, lines = 0;
  while (read_line(f, line) && lines++ < 1000000) {
    int n = station_of(line);
    if (n < 0) {
      // Any one report that reads shows that this is a weather file.
      if (!well_formed && std::strlen(line) >= 4) well_formed = decode_station(line, 0, &w);
      continue;
    }
    float dlat = apt_lat[n][0] - flt.lat, dlon = apt_lon[n][0] - flt.lon;
    float d = dlat * dlat + dlon * dlon;
    if (!(d < best_d) || !decode_station(line, n, &w)) continue;
    char why[STR_DIM];
    if (!station_in_range(w, why, sizeof why)) {
      if (!problem[0]) std::snprintf(problem, sizeof problem, "%s", why);
      continue;
    }
    best = w;
    best_d = d;
    found = well_formed = 1;
  }
  std::fclose(f);
  if (problem[0] && !told_range) {
    told_range = 1;
    MACIBM_alert("A report in the weather file was passed over:", path, problem, "", 0);
  }
  if (!well_formed) return;
  atm.wind_tbl = 1;
  atm.rate_change = 4;
  if (!found) return;
  wx_in_use = 1;
  apply_station(best);
}

// ---- once a second ----

static void follow_file() {
  if (!wx_in_use) return;
  transition(&atm.baseMSL, goal_base, 0.02f);
  transition(&atm.topsMSL, goal_tops, 0.02f);
  transition(&atm.rain_tstm, goal_rain, 0.02f);
  float three = 3 * con.nmtomtrs;
  int hold = msc.running_slow && ((atm.vis > three && goal_vis > atm.vis) || (atm.vis < three && goal_vis < atm.vis));
  if (!hold) transition(&atm.vis, goal_vis, 0.02f);
}

static void drift_level(float* v, float t) {
  if (fltrand(0, 1) < std::fabs(t)) *v = fltlim(*v - 0.01f * t, 1, 5);
}

static void trend() {
  if (atm.rate_change == 4) return;
  float u = (float)atm.rate_change;
  if (atm.rate_change == 8) {
    trend_since += 1;
    if (trend_since >= 600) {
      trend_since = 0;
      trend_u = fallout(fltrand(1, 7) - 4, -1, 1) + 4;  // out of the steady band 3..5
    }
    u = trend_u;
  }
  float t = (u - 4) / 3;
  if (atm.change_clouds) {
    atm.topsMSL *= (500 - t) / 500;
    atm.baseMSL *= (500 + t) / 500;
  }
  if (atm.change_vis) atm.vis *= (500 + t) / 500;
  if (atm.change_precip) drift_level(&atm.rain_tstm, t);
  if (atm.change_turb) drift_level(&atm.wind_tbl, t);
  if (atm.change_micro) drift_level(&atm.burst_prob, t);
  if (atm.change_turb) assign_wind_tbl(0.05f);
  limwx();
}

static void icing() {
  float c = atm.T - 273.15f;
  int anti = pln.antiiceEQ && ins.antiice_on && rel.antice;
  if (!anti) {
    int in_cloud = atm.cld_type == 1 && flt.h >= atm.baseMSL && flt.h <= atm.topsMSL;
    if (in_cloud && c >= -20 && c <= 0) {
      msc.ice += 0.00333f;
      msc.icebld = 1;
    }
    if (c > 0) msc.ice -= 0.000333f * c;
  } else {
    msc.ice -= 0.01f;
  }
  if (!(msc.ice > 0)) msc.ice = 0;
}

static void burn_fuel() {
  if (fuel_time < 0 || msc.elap_time < fuel_time) fuel_time = msc.elap_time;
  float dt = msc.elap_time - fuel_time;
  fuel_time = msc.elap_time;
  float ff = 0;
  for (int n = 0; n < intlim(pln.numen, 0, ENGINES); n++) ff += flt.ff_[n];
  flt.m_fuel = fltlim(flt.m_fuel - ff * dt, 0, pln.m_fuel);
}

void weather_sec() {
  int lat = flt_to_int(std::floor(flt.lat)), lon = flt_to_int(std::floor(flt.lon));
  wx_since += 1;
  if (lat != wx_lat || lon != wx_lon || wx_since >= 60) {
    wx_lat = lat;
    wx_lon = lon;
    wx_since = 0;
    read_weather_file();
    limwx();
  }
  follow_file();
  trend();
  icing();
  burn_fuel();
}

void draw_thermal_map() {
  for (int i = 0; i < GRID_I; i++)
    for (int j = 0; j < GRID_J; j++) atm.therm_on_poly[i][j] = fltrand(0, 0.99f) < atm.thermal_part;
}
