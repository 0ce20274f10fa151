#include "sim/flight/fltutil.h"
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include "basekit/bk_const.h"
#include "basekit/bk_funct.h"
#include "sim/flight/flt.h"
#include "sim/output/do_file.h"
#include "sim/set.h"
#include "sim/world/env.h"
#include "sim/world/grid.h"

static const float D2R = 0.017453292519943295f;
static const double D2R_D = 0.017453292519943295;

float wrap360(float deg) {
  if (deg >= 0.0f && deg < 360.0f) return deg;
  if (!std::isfinite(deg)) return 0;
  float w = std::fmod(deg, 360.0f);
  if (w < 0) w += 360.0f;
  return w >= 360.0f ? 0.0f : w;  // -1e-8 + 360 rounds to 360
}

float wrap180(float deg) {
  if (deg >= -180.0f && deg < 180.0f) return deg;
  float w = wrap360(deg + 180.0f) - 180.0f;
  return w < 180.0f ? w : -180.0f;
}

void refresh_trig() {
  flt.sinthe = std::sin(flt.the * D2R); flt.costhe = std::cos(flt.the * D2R);
  flt.sinpsi = std::sin(flt.psi * D2R); flt.cospsi = std::cos(flt.psi * D2R);
  flt.sinphi = std::sin(flt.phi * D2R); flt.cosphi = std::cos(flt.phi * D2R);
  flt.sinhpath = std::sin(flt.hpath * D2R); flt.coshpath = std::cos(flt.hpath * D2R);
  flt.sinvpath = std::sin(flt.vpath * D2R); flt.cosvpath = std::cos(flt.vpath * D2R);
  flt.sinahpath = std::sin(flt.ahpath * D2R); flt.cosahpath = std::cos(flt.ahpath * D2R);
  flt.sinavpath = std::sin(flt.avpath * D2R); flt.cosavpath = std::cos(flt.avpath * D2R);
  flt.sinAlpha = std::sin(flt.Alpha * D2R); flt.cosAlpha = std::cos(flt.Alpha * D2R);
  flt.sinBeta = std::sin(flt.Beta * D2R); flt.cosBeta = std::cos(flt.Beta * D2R);
}

void world_to_body(float east, float north, float up, float* right, float* fwd, float* nup) {
  float m = east * flt.sinpsi + north * flt.cospsi;   // forward, level
  float b = east * flt.cospsi - north * flt.sinpsi;   // right, level
  float a = up * flt.costhe - m * flt.sinthe;         // up, pitched
  *fwd = m * flt.costhe + up * flt.sinthe;
  *right = b * flt.cosphi - a * flt.sinphi;
  *nup = b * flt.sinphi + a * flt.cosphi;
}

void body_to_world(float right, float fwd, float nup, float* east, float* north, float* up) {
  float a = nup * flt.cosphi - right * flt.sinphi;
  float b = nup * flt.sinphi + right * flt.cosphi;
  float m = fwd * flt.costhe - a * flt.sinthe;
  *up = fwd * flt.sinthe + a * flt.costhe;
  *east = m * flt.sinpsi + b * flt.cospsi;
  *north = m * flt.cospsi - b * flt.sinpsi;
}

// The axes of the air-path frame: axial along (ahpath, avpath), side and
// normal rolled about it by the path roll. The normal's vertical part is
// cos(avpath): with the pitch angle there the frame would not be orthogonal
// and a force across the path would grow or shrink with the angle of attack.
void aero_to_world(float faxil, float fside, float fnrml, float* east, float* north, float* up) {
  float sa = flt.sinavpath, ca = flt.cosavpath, sh = flt.sinahpath, ch = flt.cosahpath;
  float sp = flt.sinphi_path, cp = flt.cosphi_path;
  *north = (sp * sa * ch - cp * sh) * fside + ca * ch * faxil - (cp * sa * ch + sp * sh) * fnrml;
  *east = (sp * sa * sh + cp * ch) * fside + ca * sh * faxil - (cp * sa * sh - sp * ch) * fnrml;
  *up = faxil * sa - fside * sp * ca + fnrml * cp * ca;
}

int crs_wrapped() { return std::fabs(wrap180(flt.psi180 - wrap180(flt.hpath))) > 90.0f; }

// The path roll is the roll about the air path that brings the frame's normal
// nearest the aircraft's own up axis. In forward flight without angle of attack
// or sideslip it is the roll angle itself; flying backwards the normal still
// points up; and it turns smoothly as the track swings round the heading.
void set_path_roll() {
  float ue, un, uu;  // the aircraft's up axis in the world
  body_to_world(0, 0, 1, &ue, &un, &uu);
  float sa = flt.sinavpath, ca = flt.cosavpath, sh = flt.sinahpath, ch = flt.cosahpath;
  // Unrolled side axis (-sin ah, cos ah, 0) and normal (-sin av cos ah, -sin av sin ah, cos av),
  // as (north, east, up).
  float on_side = -sh * un + ch * ue;
  float on_nrml = -sa * ch * un - sa * sh * ue + ca * uu;
  float len = std::sqrt(on_side * on_side + on_nrml * on_nrml);
  if (!(len > 1e-4f)) return;  // up axis along the path: keep the last roll
  flt.sinphi_path = on_side / len;
  flt.cosphi_path = on_nrml / len;
}

// ---- frame conversions ----

static double deg_m() { return 60.0 * con.nmtomtrs; }

double y_with_lat(double lat) { return (lat - env.lat_sou) * deg_m() + planey[0][0]; }

double lat_with_y(double y) { return (y - planey[0][0]) / deg_m() + env.lat_sou; }

double x_with_latlon(double lat, double lon) {
  // Clamped as floating point first, so that a far position cannot overflow an int.
  int i = flt_to_int(fltlim((float)bk::round((float)(lon - 0.5)) - env.lon_wes, 0, 2));
  int j = flt_to_int(fltlim((float)bk::round((float)(lat - 0.5)) - env.lat_sou, 0, 1));
  return (lon - env.lonwes_ref[i][j]) * deg_m() * std::cos(lat * D2R_D) + env.planex_ref[i][j];
}

// The cell indices are clamped like those of x_with_latlon: a point outside
// the region uses the nearest edge cell instead of reading past the tables.
double lon_with_xy(double x, double y) {
  double wx = planex[GRID_I - 1][GRID_J - 1] - planex[0][0];
  double wy = planey[GRID_I - 1][GRID_J - 1] - planey[0][0];
  double fi = wx != 0 ? 3.0 * (x - planex[0][0]) / wx : 0;
  double fj = wy != 0 ? 2.0 * (y - planey[0][0]) / wy : 0;
  int i = flt_to_int(fltlim(std::isfinite(fi) ? (float)fi : 0, 0, 2));
  int j = flt_to_int(fltlim(std::isfinite(fj) ? (float)fj : 0, 0, 1));
  double c = std::cos(lat_with_y(y) * D2R_D);
  if (std::fabs(c) < 1e-6) c = 1e-6;
  return (x - env.planex_ref[i][j]) / (deg_m() * c) + env.lonwes_ref[i][j];
}

void cyc(const char* fmt, ...) {
  if (!set.cycout || !trk) return;
  va_list ap;
  va_start(ap, fmt);
  std::vfprintf(trk, fmt, ap);
  va_end(ap);
}
