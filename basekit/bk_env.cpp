#include "basekit/bk_env.h"
#include <stdint.h>
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"

// a/b/c, cut at STR_DIM.
static void join(char* out, const char* a, const char* b, const char* c) {
  const char* parts[5] = {a, "/", b, "/", c};
  int n = 0;
  for (const char* p : parts)
    for (; *p && n < STR_DIM - 1; p++) out[n++] = *p;
  out[n] = 0;
}

static int try_binary(const char* path) {
  return inf_open(path, FTYPE_ANY_BINARY, 3, 0) || inf_open(path, FTYPE_ANY_BINARY, ENV_VERSION, 0);
}

int env_open_quadrant(const char* app, const char* root, int lat, int lon, char* path) {
  char folder_name[STR_DIM], bare[STR_DIM];
  // Longitudes past the date line name the same cell on the other side.
  lon = ((lon + 180) % 360 + 360) % 360 - 180;
  return_latlon_str_ENV(lat, lon, folder_name, 1);
  return_latlon_str_ENV(lat, lon, bare, 0);
  join(path, app, "additional nav data", folder_name);
  if (try_binary(path)) return 1;
  join(path, root, "DATA", folder_name);
  if (try_binary(path)) return 1;
  join(path, root, "DATA/United States", bare);
  if (inf_open(path, FTYPE_ANY_TEXT, 3, 0) || inf_open(path, FTYPE_ANY_TEXT, ENV_VERSION, 0)) {
    rln(path);  // 1001, points per row, rows
    rln(path);
    rln(path);
    return 1;
  }
  if (inf.is_open()) inf.close();
  return 0;
}

const char* env_scan_label(const char* path) { return inf_is_bin ? path : "text env"; }

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
  *lat = fltscan(label);
  *lon = fltscan(label);
  *z = fltscan(label);
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
    *lat = fltscan(label);
    *lon = fltscan(label);
    *h_ft = fltscan(label);
    *ci = intscan(label);
    *cj = intscan(label);
  } else if (type == 8) {
    *lat = fltscan(label);
    *lon = fltscan(label);
    *ci = *cj = 0;
    if (inf_is_bin) {
      *h_ft = fltscan(label);
      stringscan(name, label, ENV_NAME_DIM);
    } else {
      // The name stands after the height on the same line.
      *h_ft = fltscanNOSN(label);
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
