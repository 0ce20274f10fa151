#include "sim/aircraft/plnutil.h"
#include <cstdio>
#include <cstring>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/pln.h"

void trim_name(char* name) {
  int n = (int)std::strlen(name);
  while (n > 0 && (unsigned char)name[n - 1] <= ' ') name[--n] = 0;
  int start = 0;
  while (start < n && (unsigned char)name[start] <= ' ') start++;
  if (start > 0) std::memmove(name, name + start, n - start + 1);
  for (char* c = name; *c; c++)
    if (*c == '\\') *c = '/';
}

static int climbs_out(const char* name) {
  if (name[0] == '/') return 1;
  for (const char* c = name; *c; c++) {
    int at_start = c == name || c[-1] == '/';
    if (at_start && c[0] == '.' && c[1] == '.' && (c[2] == 0 || c[2] == '/')) return 1;
  }
  return 0;
}

void plane_data_path(const char* dir, const char* name, char* path, const char* used_by) {
  path[0] = 0;
  if (name[0] == 0) return;
  if (climbs_out(name))
    MACIBM_exitalert("A file named in a data file lies outside the application folder:", name,
                     "The file that names it is:", used_by);
  if (!ap_dir(dir, name, path))
    MACIBM_exitalert("Path too long!", name, "The file that names it is:", used_by);
}

const char* part_name(int part) {
  static const char* const names[PARTS] = {
      "propeller of engine 1", "propeller of engine 2", "propeller of engine 3", "propeller of engine 4",
      "left wing #1",          "right wing #1",         "left wing #2",          "right wing #2",
      "left horizontal stab",  "right horizontal stab", "vertical stab #1",      "vertical stab #2",
      "fuselage",              "nacelle 1",             "nacelle 2",             "nacelle 3",
      "nacelle 4",             "miscellaneous body",    "mirrored miscellaneous body"};
  if (part < 0 || part >= PARTS) return "part";
  if (pln.is_heli && part == 0) return "main rotor";
  if (pln.is_heli && part == 1) return "tail rotor";
  return names[part];
}

void plane_banner(char* text, int dim) {
  // A plain separator: the reports are read in any text editor.
  char sep[101];
  std::memset(sep, '=', 100);
  sep[100] = 0;
  std::snprintf(text, dim, "%s\n%s %s\nSimulating %s\n%s\n", sep, hok.product_name ? hok.product_name : "Tarvel",
                hok.version_text ? hok.version_text : "", pln.C_file, sep);
}
