// Where the parts and elements of the aircraft are, and which parts exist.
#include <cstdarg>
#include <cstring>
#include "basekit/bk_funct.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"

static int is_left(int p) { return p == 4 || p == 6 || p == 8; }

int have_this_part(int part) {
  if (part < 0 || part >= PARTS) return 0;
  if (flt.over_vne && part == pln.fwd_foil) return 0;  // broken off
  if (part <= 3) {
    if (pln.is_heli && part <= 1) return 1;
    return pln.entype != 3 && pln.numen > part;
  }
  if (part <= 11)  // a surface with no chord has no area: it is not there
    return pln.semilen[part] > 0.05f && (pln.Croot[part] > 0 || pln.Ctip[part] > 0);
  if (part == 12) return 1;
  if (part <= 16) return pln.nace_eq && pln.numen > part - 13;
  if (part == 17) return pln.misc_eq;
  return pln.misc_eq && pln.misc_y > 0.01f;
}

float get_wing_rarm(int p, int j) {
  int n = pln.els[p] > 0 ? pln.els[p] : 1;
  return pln.semilen[p] * (j + 0.5f) / n;
}

float get_wing_xarm(int p, float r) { return pln.xarm[p] + isin(pln.sweepnow[p]) * r; }

float get_wing_yarm(int p, float r) {
  float side = is_left(p) ? -1.0f : 1.0f;
  return pln.yarm[p] + side * icos(pln.dihed[p]) * icos(pln.sweepnow[p]) * r;
}

float get_wing_zarm(int p, float r) {
  return pln.zarm[p] + isin(pln.dihed[p]) * icos(pln.sweepnow[p]) * r;
}

int f_body_s_dim(int p) {
  if (p == 12) return 9;
  if (p >= 13 && p <= 18) return 5;
  return 1;
}

int f_body_r_dim(int p) {
  if (p >= 12 && p <= 18) return 8;
  return 1;
}

void get_body_os(int part, float* x, float* y, float* z) {
  *x = *y = *z = 0;
  if (part >= 13 && part <= 16) {
    *x = pln.xarm[part - 13];
    *y = pln.yarm[part - 13];
    *z = pln.zarm[part - 13];
  } else if (part == 17 || part == 18) {
    *x = pln.misc_x;
    *y = part == 17 ? -pln.misc_y : pln.misc_y;
    *z = pln.misc_z;
  }
}

// ---- the report ----
enum { GEO_REP_DIM = 1 << 18 };
static char geo_rep[GEO_REP_DIM];
static int geo_rep_len = 0;
static FILE* geo_live = nullptr;

void geo_rep_clear() {
  geo_rep_len = 0;
  geo_rep[0] = 0;
}

void geo_printf(const char* fmt, ...) {
  char line[2048];
  va_list ap;
  va_start(ap, fmt);
  int n = std::vsnprintf(line, sizeof line, fmt, ap);
  va_end(ap);
  if (n < 0) return;
  if (n >= (int)sizeof line) n = sizeof line - 1;
  if (geo_live) {
    std::fwrite(line, 1, n, geo_live);
    std::fflush(geo_live);
  }
  int room = GEO_REP_DIM - 1 - geo_rep_len;  // a huge report is cut, never overrun
  if (n > room) n = room;
  std::memcpy(geo_rep + geo_rep_len, line, n);
  geo_rep_len += n;
  geo_rep[geo_rep_len] = 0;
}

void write_geo_report(FILE* out) {
  if (out) std::fwrite(geo_rep, 1, geo_rep_len, out);
}

const char* geo_report_text() { return geo_rep; }

void set_geo_report_stream(FILE* out) { geo_live = out; }
