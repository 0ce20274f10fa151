#include "basekit/bk_env.h"
#include <stdint.h>
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"

// a/b/c, cut at STR_DIM.
static void join(char* out, const char* a, const char* b, const char* c) {
  const char* parts[5] = {a, "/", b, "/", c};
  int n = 0;
  for (const char* p : parts)
    for (; *p && n < STR_DIM - 1; p++) out[n++] = *p;
  out[n] = 0;
}

// A file that is there but cannot be used is told about once per run and
// passed over, as if missing: the quadrant is then built without it.
static void tell_bad_file(const char* path, const char* why) {
  static char told[32][STR_DIM];
  static int next = 0;
  for (auto& t : told)
    if (std::strcmp(t, path) == 0) return;
  std::snprintf(told[next], STR_DIM, "%s", path);
  next = (next + 1) % 32;
  MACIBM_alert("An environment file could not be used:", path, why,
               "The quadrant is built without it (as sea, or from the world models).", 0);
}

// Version 3, else 4. 1 when open; a file that exists but has a wrong mark,
// version or byte order is told about.
static int try_open(const char* path, int ftype) {
  if (inf_open(path, ftype, 3, 0)) return 1;
  if (inf_open_why == INF_BAD_VERSION && inf_open(path, ftype, ENV_VERSION, 0)) return 1;
  if (inf_open_why == INF_MISSING) return 0;
  if (inf_open_why == INF_BAD_VERSION)
    tell_bad_file(path, ftype == FTYPE_ANY_BINARY
                            ? "Its version is not 3 or 4, or its byte order does not match its first letter."
                            : "Its version is not 3 or 4.");
  else
    tell_bad_file(path, inf_why_text(inf_open_why));
  return 0;
}

// The text form's three header numbers: the mark 1001, 60 points a row, 80 rows.
static int text_header_ok(const char* path) {
  int soft = scan_soft, failed = scan_failed;
  scan_soft = 1;
  scan_failed = 0;
  int mark = intscan(path), per_row = intscan(path), rows = intscan(path);
  int ok = !scan_failed && mark == 1001 && per_row == ENV_PTS_I && rows == ENV_PTS_J;
  scan_soft = soft;
  scan_failed = failed;
  if (!ok) {
    inf.close();
    tell_bad_file(path, "Its header does not read 1001, 60 and 80 (the mark, the points of a row and the rows).");
  }
  return ok;
}

int env_open_quadrant(const char* app, const char* root, int lat, int lon, char* path) {
  char folder_name[STR_DIM], bare[STR_DIM];
  // Longitudes past the date line name the same cell on the other side.
  lon = ((lon + 180) % 360 + 360) % 360 - 180;
  return_latlon_str_ENV(lat, lon, folder_name, 1);
  return_latlon_str_ENV(lat, lon, bare, 0);
  join(path, app, "additional nav data", folder_name);
  if (try_open(path, FTYPE_ANY_BINARY)) return 1;
  join(path, root, "DATA", folder_name);
  if (try_open(path, FTYPE_ANY_BINARY)) return 1;
  join(path, root, "DATA/United States", bare);
  if (try_open(path, FTYPE_ANY_TEXT) && text_header_ok(path)) return 1;
  if (inf.is_open()) inf.close();
  return 0;
}

// Scanning errors name the file, whichever form it has.
const char* env_scan_label(const char* path) { return path; }

int env_flags_tex(int flags) {
  for (int k = 0; k < 8; k++)
    if (flags & (1 << (9 + k))) return 2000 + k;
  return 0;
}

int env_point_flags(int div, int water0, int water1, int tex) {
  int f = (div ? 1 : 0) | (water0 ? 2 : 0) | (water1 ? 4 : 0);
  if (tex >= 2000 && tex <= 2007) f |= 1 << (9 + tex - 2000);
  return f;
}

void env_scan_point(const char* label, float* lat, float* lon, float* z, int* div, int* water0, int* water1,
                    int* tex) {
  // The Earth's: latitude, longitude a turn either way (files past the date
  // line count on), height from the deepest trench to above the highest summit.
  *lat = fltscan_in(label, "point's latitude", -90, 90);
  *lon = fltscan_in(label, "point's longitude", -360, 360);
  *z = fltscan_in(label, "point's height (m)", -12000, 12000);
  if (inf_is_bin) {
    int flags = intscan(label);
    *div = flags & 1;
    *water0 = (flags >> 1) & 1;
    *water1 = (flags >> 2) & 1;
    *tex = env_flags_tex(flags);
  } else {
    *div = bolscan(label);
    *water0 = bolscan(label);
    *water1 = bolscan(label);
    bolscan(label);
    bolscan(label);
    *tex = 0;
  }
}

int env_scan_object(const char* label, float* lat, float* lon, float* h_ft, int* ci, int* cj, char* name) {
  int type = intscan(label);
  if (type == ENV_END) return type;
  if (type >= 1 && type <= 6) {
    *lat = fltscan_in(label, "object's latitude", -90, 90);
    *lon = fltscan_in(label, "object's longitude", -360, 360);
    *h_ft = fltscan_in(label, "object's height (ft)", -40000, 40000);
    *ci = intscan_in(label, "object's cell column", 0, ENV_PTS_I - 1);
    *cj = intscan_in(label, "object's cell row", 0, ENV_PTS_J - 1);
  } else if (type == 8) {
    *lat = fltscan_in(label, "object's latitude", -90, 90);
    *lon = fltscan_in(label, "object's longitude", -360, 360);
    *ci = *cj = 0;
    if (inf_is_bin) {
      *h_ft = fltscan_in(label, "object's height (ft)", -40000, 40000);
      stringscan(name, label, ENV_NAME_DIM);
    } else {
      // The name stands after the height on the same line.
      *h_ft = fltscanNOSN_in(label, "object's height (ft)", -40000, 40000);
      char line[STR_DIM];
      stringscan(line, label, STR_DIM);
      const char* p = line;
      while (*p == ' ' || *p == '\t') p++;
      // Longer names are cut to the record's width.
      size_t n = std::strlen(p);
      if (n > ENV_NAME_DIM - 1) n = ENV_NAME_DIM - 1;
      std::memcpy(name, p, n);
      name[n] = 0;
    }
  }
  return type;
}

static void put4(const void* v) {
  unsigned char b[4];
  std::memcpy(b, v, 4);
  // Little-endian whatever the machine.
  uint32_t u = (uint32_t)b[0] | (uint32_t)b[1] << 8 | (uint32_t)b[2] << 16 | (uint32_t)b[3] << 24;
  uint32_t one = 1;
  unsigned char host_le;
  std::memcpy(&host_le, &one, 1);
  if (!host_le) u = (uint32_t)b[3] | (uint32_t)b[2] << 8 | (uint32_t)b[1] << 16 | (uint32_t)b[0] << 24;
  char out[4] = {(char)(u & 255), (char)((u >> 8) & 255), (char)((u >> 16) & 255), (char)(u >> 24)};
  ouf.write(out, 4);
}
static void put_int(int v) { put4(&v); }
static void put_flt(float v) { put4(&v); }

void env_dump_point(float lat, float lon, float z, int flags) {
  put_flt(lat);
  put_flt(lon);
  put_flt(z);
  put_int(flags);
}

void env_dump_object(int type, float lat, float lon, float h_ft, int ci, int cj, const char* name) {
  put_int(type);
  put_flt(lat);
  put_flt(lon);
  put_flt(h_ft);
  if (type == 8) {
    char field[ENV_NAME_DIM] = {0};
    std::strncpy(field, name ? name : "", ENV_NAME_DIM - 1);
    ouf.write(field, ENV_NAME_DIM);
  } else {
    put_int(ci);
    put_int(cj);
  }
}

void env_dump_end(const char (*texname)[ENV_NAME_DIM]) {
  put_int(ENV_END);
  for (int k = 0; k < ENV_TEXNAMES; k++) {
    char field[ENV_NAME_DIM] = {0};
    if (texname) std::strncpy(field, texname[k], ENV_NAME_DIM - 1);
    ouf.write(field, ENV_NAME_DIM);
  }
}
