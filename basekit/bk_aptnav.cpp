#include "basekit/bk_aptnav.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"

static char apt_label[STR_DIM] = "scan apt line";
static char nav_label[STR_DIM] = "scan nav line";
static char file_path[STR_DIM];
static int cur_line = 0;

void aptnav_set_file(const char* path) {
  std::snprintf(file_path, sizeof file_path, "%s", path);
  std::snprintf(apt_label, sizeof apt_label, "scan apt line: %s", path);
  std::snprintf(nav_label, sizeof nav_label, "scan nav line: %s", path);
}

void aptnav_set_line(int line) { cur_line = line; }

// The field names carry the line, so that a bad number can be found.
static float fin(const char* field, float lo, float hi) {
  char f[STR_DIM];
  std::snprintf(f, sizeof f, "%s on line %d", field, cur_line);
  return fltscanNOSN_in(file_path, f, lo, hi);
}
static int iin(const char* field, int lo, int hi) {
  char f[STR_DIM];
  std::snprintf(f, sizeof f, "%s on line %d", field, cur_line);
  return intscanNOSN_in(file_path, f, lo, hi);
}

static void line_fatal(const char* what) {
  char l[STR_DIM];
  std::snprintf(l, sizeof l, "Line %d %s", cur_line, what);
  MACIBM_exitalert("An error occurred during read-in of the airport or navaid file.", l, "file:", file_path);
}

int wrap_hdng(int h) {
  h %= 360;
  return h < 0 ? h + 360 : h;
}

// One character of the line; running off the end of the file is a scanning error.
static char take_char(const char* label) {
  int c = inf.get();
  if (c == EOF) MACIBM_exitalert("File-scanning error!", "char scan", "file:", label);
  return (char)c;
}

static char take_nonblank(const char* label) {
  char c;
  do c = take_char(label);
  while (c == ' ' || c == '\t');
  return c;
}

// Exactly four characters, as they stand.
static void take_id(char* id, const char* label) {
  for (int k = 0; k < 4; k++) {
    char c = take_char(label);
    // An identifier cut by the end of the line would swallow the next record.
    if (c == x_eln || c == '\n' || c == '\r') line_fatal("has no identifier of four characters.");
    id[k] = c;
  }
  id[4] = 0;
}

// The name: the rest of the line, at most 38 characters kept. A line that
// ends right after the identifier gives an empty name.
static void take_name(char* name, const char* label) {
  int c = inf.peek();
  if (c == EOF) MACIBM_exitalert("File-scanning error!", "stringscan", "file:", label);
  if ((char)c == x_eln) {
    inf.get();
    name[0] = 0;
    return;
  }
  inf.get();  // the separator
  if (inf.peek() == EOF) {
    name[0] = 0;
    return;
  }
  stringscan(name, label, APT_NAME_DIM);
  name[APT_NAME_DIM - 1] = 0;
  size_t n = std::strlen(name);
  while (n > 0 && name[n - 1] == '\r') name[--n] = 0;
}

void scan_apt_line(float* apt_lat, float* apt_lon, int* apt_num, char* apt_lr, int* apt_hdng,
                   int* apt_len, int* apt_width, int* apt_lite, float* apt_z, int* apt_twr,
                   char* apt_id, char* apt_name) {
  const char* f = apt_label;
  for (int r = 0; r < 3; r++) {
    apt_lat[r] = fin("runway latitude", -90, 90);
    apt_lon[r] = fin("runway longitude", -180, 180);
    apt_num[r] = iin("runway number", 0, 99);
    apt_lr[r] = take_nonblank(f);
    apt_hdng[r] = wrap_hdng(intscanNOSN(f));
    apt_len[r] = iin("runway length (ft)", 0, 100000);
    apt_width[r] = iin("runway width (ft)", 0, 5000);
    apt_lite[r] = iin("runway lighting code", 0, 999999);
  }
  // From the shore of the Dead Sea to above the highest airfield.
  *apt_z = fin("airport elevation (ft)", -1500, 30000);
  *apt_twr = intscanNOSN(f) == 1;
  // The blank before the identifier: a line that ends here has none.
  char sep = take_char(f);
  if (sep == x_eln || sep == '\n' || sep == '\r') line_fatal("has no airport identifier.");
  take_id(apt_id, f);
  take_name(apt_name, f);
}

void scan_nav_line(float* nav_lat, float* nav_lon, float* nav_z, int* nav_f1, int* nav_f2,
                   int* nav_hdng, char* nav_id, char* nav_name) {
  const char* f = nav_label;
  *nav_lat = fin("navaid latitude", -90, 90);
  *nav_lon = fin("navaid longitude", -180, 180);
  *nav_z = fin("navaid elevation (ft)", -1500, 30000);
  *nav_f1 = iin("navaid frequency", -1, 100000);
  *nav_f2 = iin("navaid frequency hundredths", -1, 999);
  *nav_hdng = wrap_hdng(intscanNOSN(f));
  char c = take_nonblank(f);
  if (c == x_eln || c == '\n' || c == '\r') line_fatal("has no navaid identifier.");
  inf.putback(c);
  take_id(nav_id, f);
  take_name(nav_name, f);
}

// Writers never put NaN or infinity into a file.
static double finite_or_zero(float v) { return std::isfinite(v) ? (double)v : 0.0; }

// Four characters exactly: shorter identifiers are padded with blanks so that
// the reader, which takes four, does not eat into the name.
static void id4(const char* id, char* out, int skip_leading_blanks) {
  if (skip_leading_blanks)
    while (*id == ' ') id++;
  int k = 0;
  for (; k < 4 && id[k] && id[k] != '\n' && id[k] != '\r'; k++) out[k] = id[k];
  for (; k < 4; k++) out[k] = ' ';
  out[4] = 0;
}

// A name is the rest of its line: no line ends inside it.
static void one_line(const char* name, char* out) {
  int k = 0;
  for (; name[k] && k < APT_NAME_DIM - 1; k++) out[k] = (name[k] == '\n' || name[k] == '\r') ? ' ' : name[k];
  out[k] = 0;
}

void dump_apt_line(int apt_type, const float* apt_lat, const float* apt_lon, const int* apt_num,
                   const char* apt_lr, const int* apt_hdng, const int* apt_len, const int* apt_width,
                   const int* apt_lite, float apt_z, int apt_twr, const char* apt_id,
                   const char* apt_name) {
  char line[STR_DIM * 2];
  int p = std::snprintf(line, sizeof line, "%1d ", apt_type);
  for (int r = 0; r < 3; r++) {
    char lr = apt_lr[r];
    if (lr == 0 || lr == ' ' || lr == '\n' || lr == '\r' || lr == '\t') lr = 'x';
    p += std::snprintf(line + p, sizeof line - p, "%10.6f %11.6f %2d %c %3d %6d %3d %6d ",
                       finite_or_zero(apt_lat[r]), finite_or_zero(apt_lon[r]), apt_num[r], lr,
                       wrap_hdng(apt_hdng[r]), apt_len[r], apt_width[r], apt_lite[r]);
  }
  char id[5], name[APT_NAME_DIM];
  id4(apt_id, id, 0);
  one_line(apt_name, name);
  std::snprintf(line + p, sizeof line - p, "%6.0f %1d %s %s\n", finite_or_zero(apt_z),
                apt_twr == 1 ? 1 : 0, id, name);
  ouf << line;
}

void dump_nav_line(int nav_type, float nav_lat, float nav_lon, float nav_z, int nav_f1, int nav_f2,
                   int nav_hdng, const char* nav_id, const char* nav_name) {
  char id[5], name[APT_NAME_DIM], line[STR_DIM];
  id4(nav_id, id, 1);
  one_line(nav_name, name);
  std::snprintf(line, sizeof line, "%d %10.6f %11.6f %8.1f %8d %8d %4d %s %s\n", nav_type,
                finite_or_zero(nav_lat), finite_or_zero(nav_lon), finite_or_zero(nav_z), nav_f1,
                nav_f2, wrap_hdng(nav_hdng), id, name);
  ouf << line;
}
