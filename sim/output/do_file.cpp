// The output files: the data file "Tarvel.box" and its CSV twin, and the
// cycle dump's part of "Tarvel.out".
#include "sim/output/do_file.h"
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_funct.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/platform.h"
#include "sim/aircraft/initpln.h"
#include "sim/flight/atm.h"
#include "sim/flight/flt.h"
#include "sim/msc.h"
#include "sim/output/dat_items.h"
#include "sim/output/do_movie.h"
#include "sim/set.h"

FILE* bbx = nullptr;
FILE* trk = nullptr;

static FILE* csv = nullptr;
static char csv_path[STR_DIM];
static int csv_items[DATA_ITEMS];  // the ticks the open file's columns were written for

// "" without a data folder (no home): then no report is written.
static void output_path(const char* name, char* path, int size) {
  const char* dir = plat_data_dir("tarvel");
  int n = std::snprintf(path, size, "%s/%s", dir, name);
  if (!dir[0] || n < 0 || n >= size) path[0] = 0;
}

static FILE* open_output(const char* name) {
  char path[STR_DIM];
  output_path(name, path, sizeof path);
  FILE* f = fopen_output(path);
  if (f) std::setvbuf(f, nullptr, _IOFBF, 4096);
  return f;
}

void open_output_streams() {
  close_output_streams();
  bbx = open_output("Tarvel.box");
  trk = open_output("Tarvel.out");
}

static void close_csv() {
  if (csv) std::fclose(csv);
  csv = nullptr;
}

void close_output_streams() {
  if (bbx) std::fclose(bbx);
  if (trk) std::fclose(trk);
  bbx = trk = nullptr;
  close_csv();
  set_geo_report_stream(nullptr);  // the geometry report wrote into trk
}

// ---- the data file ----

void dskoutproc() {
  if (bbx) {
    if (msc.cntr10 == 0) {
      std::fputs("\n", bbx);
      for (int i = 0; i < DATA_ITEMS; i++)
        if (set.Bdsk[i]) out_label(OUT_FILE, i, 0);
      std::fputs("\n", bbx);
    }
    for (int i = 0; i < DATA_ITEMS; i++)
      if (set.Bdsk[i]) out_dat(OUT_FILE, i, 0);
    std::fputs("\n", bbx);
  }
  if (csv) {
    datcsv_row(csv);
    std::fflush(csv);
  }
}

void output_evt() {
  record_path();
  if (set.dskout) dskoutproc();
}

// ---- the CSV file ----

static std::string trimmed(const char* s) {
  std::string t = s;
  size_t a = t.find_first_not_of(' '), b = t.find_last_not_of(' ');
  return a == std::string::npos ? std::string() : t.substr(a, b - a + 1);
}

// Quoted when it holds a comma or a quote, as spreadsheets read it.
static void csv_field(FILE* f, const std::string& s, int first) {
  if (!first) std::fputc(',', f);
  if (s.find_first_of(",\"") == std::string::npos) {
    std::fputs(s.c_str(), f);
    return;
  }
  std::fputc('"', f);
  for (char c : s) {
    if (c == '"') std::fputc('"', f);
    std::fputc(c, f);
  }
  std::fputc('"', f);
}

void datcsv_header(FILE* f) {
  std::vector<std::string> seen;
  int first = 1;
  for (int i = 0; i < DATA_ITEMS; i++) {
    if (!set.Bdsk[i]) continue;
    char name[5], unit[5];
    for (int c = 0; c < OUT_COLUMNS; c++) {
      if (!item_column(i, c, name, unit)) continue;
      std::string u = trimmed(unit), cell = trimmed(name) + (u.empty() ? "" : " (" + u + ")");
      // Columns of the same name (the engines' columns, or two items) are numbered.
      int n = 1;
      for (const std::string& s : seen) n += s == cell;
      seen.push_back(cell);
      csv_field(f, n > 1 ? cell + " #" + std::to_string(n) : cell, first);
      first = 0;
    }
  }
  std::fputc('\n', f);
}

void datcsv_row(FILE* f) {
  int first = 1;
  for (int i = 0; i < DATA_ITEMS; i++) {
    if (!set.Bdsk[i]) continue;
    float v[OUT_COLUMNS];
    item_values(i, v);
    char name[5], unit[5];
    for (int c = 0; c < OUT_COLUMNS; c++) {
      if (!item_column(i, c, name, unit)) continue;
      char text[32] = "";
      if (std::fabs(v[c] - OUT_NONE) > 0.01f) std::snprintf(text, sizeof text, "%.7g", v[c]);
      csv_field(f, text, first);
      first = 0;
    }
  }
  std::fputc('\n', f);
}

void set_data_csv_path(const char* path) {
  std::snprintf(csv_path, sizeof csv_path, "%s", path ? path : "");
  close_csv();
}

int data_csv_on() { return csv != nullptr; }

void restart_data_csv() {
  if (!(set.dskcsv && set.dskout)) {
    close_csv();
    return;
  }
  if (csv && std::memcmp(csv_items, set.Bdsk, sizeof csv_items) == 0) return;
  close_csv();
  char path[STR_DIM];
  if (csv_path[0]) std::snprintf(path, sizeof path, "%s", csv_path);
  else output_path("Tarvel.csv", path, sizeof path);
  csv = fopen_output(path);
  if (!csv) {
    set.dskcsv = 0;
    MACIBM_alert("Couldn't open file:", path, std::strerror(errno), "The data will still go to 'Tarvel.box'.", 0);
    return;
  }
  std::memcpy(csv_items, set.Bdsk, sizeof csv_items);
  datcsv_header(csv);
  std::fflush(csv);
}

// ---- the cycle dump ----

void request_cycle_dump() {
  set.cycoutwaiting = 1;
  MACIBM_alert("I will dump all the data for the next cycle of Tarvel to the file 'Tarvel.out'.",
               "This will include all the angles of attack, forces, velocities, etc. for this instant in time.",
               "Be sure to turn off text-wrapping in your word processor or allow very wide text area for the file "
               "to look right.",
               "Quit Tarvel and open the file Tarvel.out' with a word processor to read the resultant file.", 0);
}

void trackdiv() {
  if (!trk) return;
  std::fprintf(trk, "\n\nCYCLE DUMP AT %.3f SECONDS\n\n", msc.elap_time);
  std::fprintf(trk, "h            = %12.3f m\n", flt.h);
  std::fprintf(trk, "rho          = %12.6f kg/m3\n", atm.rho);
  std::fprintf(trk, "density ratio= %12.6f\n", atm.crtsig);
  std::fprintf(trk, "vx= %12.4f m/s\nvy= %12.4f m/s\nvz= %12.4f m/s\n", flt.vx, flt.vy, flt.vz);
  std::fprintf(trk, "total airspeed= %12.4f m/s\n", flt.av);
  std::fprintf(trk, "psi  = %10.4f deg\nthe  = %10.4f deg\nphi  = %10.4f deg\n", flt.psi, flt.the, flt.phi);
  std::fprintf(trk, "hpath= %10.4f deg\nvpath= %10.4f deg\n", flt.hpath, flt.vpath);
  std::fprintf(trk, "alpha= %10.4f deg\nbeta = %10.4f deg\n\n", flt.Alpha, flt.Beta);
}
