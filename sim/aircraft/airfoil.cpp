// Airfoil files: section lift and drag over the whole angle range, the linear
// lift law and the moment law of one airfoil at one Reynolds number.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <charconv>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"
#include "sim/aircraft/initpln.h"
#include "sim/aircraft/pln.h"
#include "sim/aircraft/plnutil.h"

static char name_line[STR_DIM + 40];
static char use_line[STR_DIM];

static void foil_fatal(const char* first, const char* last) {
  MACIBM_exitalert(first, name_line, use_line, last);
}

static void set_message_lines(const char* name, int EN) {
  std::snprintf(name_line, sizeof name_line, "The name of the airfoil file is: %s", name);
  const char* use = "";
  switch (EN) {
    case 0: use = "The foil file is used by prop 1."; break;
    case 1: use = "The foil file is used by prop 2."; break;
    case 2: use = "The foil file is used by prop 3."; break;
    case 3: use = "The foil file is used by prop 4."; break;
    case 4: case 5: use = "The foil file is used by wing number one."; break;
    case 6: case 7: use = "The foil file is used by wing number two."; break;
    case 8: case 9: use = "The foil file is used by the horiz stab."; break;
    case 10: use = "The foil file is used by vertical stab number one."; break;
    case 11: use = "The foil file is used by vertical stab number two."; break;
  }
  C_to_C(use, use_line);
}

static const char* corrupted = "An airfoil file that is required by the aircraft you are attempting to fly is corrupted.";

// A value the tables cannot use (an infinity, not a number) is a corrupt file;
// a finite one must lie within what a section coefficient can be.
static const char* cur_name = "";
static float value(float v, const char* field = "section coefficient", float lo = -10, float hi = 10) {
  if (!std::isfinite(v)) foil_fatal(corrupted, "Revert to back-up.");
  return flt_in(v, cur_name, field, lo, hi);
}

static float grid_angle(int k) { return k <= 200 ? k / 10.0f : (float)(k - 180); }

void wingalign(float angle_read, float angle_expected, const char* name) {
  if (std::fabs(angle_read - angle_expected) > 0.00001f) {
    geo_printf("Exited because looking in wingfile %s for alpha %g but found alpha %g\n", name, angle_expected,
               angle_read);
    MACIBM_exitalert("An error occurred during read-in of the airfoil file.",
                     "Either the file has been corrupted, or it is not really an airfoil file.",
                     "The corrupted file is:", name);
  }
}

static void check_drag(float cd, float least) {
  if (cd < least)
    foil_fatal("An airfoil used by this aircraft has negative drag at some angle of attack!",
               "This is not possible! Modify the airfoil in 'Sparwright' to have positive drag.");
}

// The header line: a one-word label, thickness, Reynolds number (millions),
// one further value and the stalling angle; the rest of the line is free.
static void read_header(const char* name, float* Re, float* alpha_max) {
  char line[STR_DIM];
  stringscan(line, name, STR_DIM);
  float v[4];
  int got = 0;
  const char* c = line;
  for (int word = 0; word < 5; word++) {
    while (*c == ' ' || *c == '\t') c++;
    const char* end = c;
    while (*end && *end != ' ' && *end != '\t' && *end != '\r' && *end != '\n') end++;
    if (end == c) break;
    // The label is any word; the numbers are plain decimals in any locale.
    if (word > 0) {
      auto r = std::from_chars(c, end, v[word - 1]);
      if (r.ec != std::errc() || r.ptr != end || !std::isfinite(v[word - 1])) break;
    }
    got++;
    c = end;
  }
  if (got < 5) MACIBM_exitalert("File-scanning error!", "fltscan", "file:", name);
  *Re = flt_in(v[1], name, "Reynolds number (millions)", 0, 10000);
  *alpha_max = flt_in(v[3], name, "stalling angle", -90, 90);
}

void grabafoil(const char* name, int EN, int Re, int RT) {
  set_message_lines(name, EN);
  cur_name = name;
  if (!inf_open(name, FTYPE_ANY_TEXT, 363, 1)) {
    if (inf_open_why == INF_MISSING)
      foil_fatal("An airfoil file that is required by the aircraft you are attempting to fly could not be found.",
                 "Make sure the missing airfoil file is in the 'airfoils' folder.");
    foil_fatal("An airfoil file that is required by the aircraft you are attempting to fly could not be read.",
               inf_why_text(inf_open_why));
  }
  if (intscan(name) != 1234) foil_fatal(corrupted, "Revert to back-up.");
  float re_meg = 0, amax = 0;
  read_header(name, &re_meg, &amax);
  rln(name);

  // Negative side, from -90 degrees in to 0.
  for (int k = AFL_DRAG - 1; k >= 100; k--) {
    wingalign(fltscanNOSN(name), -grid_angle(k), name);
    afl.clneg[EN][Re][RT][k - 100] = value(fltscanNOSN(name));
    float cd = value(fltscanNOSN(name));
    check_drag(cd, 0);
    afl.cdneg[EN][Re][RT][k] = cd;
  }
  for (int k = 99; k >= 0; k--) {
    wingalign(fltscanNOSN(name), -grid_angle(k), name);
    float cd = value(fltscanNOSN(name));
    check_drag(cd, -0.01f);  // a table may dip just below zero near zero lift
    afl.cdneg[EN][Re][RT][k] = cd;
  }
  rln(name);
  afl.clM[EN][Re][RT] = value(fltscan(name), "lift slope (per degree)", -5, 5);
  afl.clB[EN][Re][RT] = value(fltscan(name));
  afl.cmal2[EN][Re][RT] = value(fltscan(name), "moment law angle", -90, 90);
  afl.cmal3[EN][Re][RT] = value(fltscan(name), "moment law angle", -90, 90);
  afl.cm1[EN][Re][RT] = value(fltscan(name));
  afl.cm2[EN][Re][RT] = value(fltscan(name));
  afl.cm3[EN][Re][RT] = value(fltscan(name));
  afl.cm4[EN][Re][RT] = value(fltscan(name));
  rln(name);

  // Positive side, from 0 out to +90 degrees.
  for (int k = 0; k < 100; k++) {
    wingalign(fltscanNOSN(name), grid_angle(k), name);
    float cd = value(fltscanNOSN(name));
    check_drag(cd, 0);
    afl.cdpos[EN][Re][RT][k] = cd;
  }
  for (int k = 100; k < AFL_DRAG; k++) {
    wingalign(fltscanNOSN(name), grid_angle(k), name);
    afl.clpos[EN][Re][RT][k - 100] = value(fltscanNOSN(name));
    float cd = value(fltscanNOSN(name));
    check_drag(cd, 0);
    afl.cdpos[EN][Re][RT][k] = cd;
  }
  inf.close();

  // The zero-lift angle divides by the slope, and the stalling angle is
  // divided into by the slat and finite-wing laws: neither may be zero.
  if (afl.clM[EN][Re][RT] == 0)
    foil_fatal("An airfoil used by this aircraft has a lift slope of zero!",
               "Modify the airfoil in 'Sparwright' to have a lift slope above zero.");
  if (!(amax > 0))
    foil_fatal("An airfoil used by this aircraft has a stalling angle of zero or less!",
               "Modify the airfoil in 'Sparwright' to have a maximum angle of attack above zero.");
  pln.Re[EN][RT][Re] = re_meg;
  pln.alpha_max[EN] = amax;
  afl.al_zl[EN][Re][RT] = -afl.clB[EN][Re][RT] / afl.clM[EN][Re][RT];
}

void checkRediff(const char* name1, const char* name2, int EN, int RT) {
  if (std::fabs(pln.Re[EN][RT][1] - pln.Re[EN][RT][0]) < 0.99f)
    MACIBM_exitalert("You are attempting Reynolds number interpolation with two airfoils of similar Reynolds "
                     "numbers.",
                     name1, name2, "You must use Reynolds numbers at lest 1 meg apart for Re interpolation.");
}
