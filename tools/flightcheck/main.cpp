// flightcheck: flies the default aircraft headless through the handbook's
// manoeuvres and prints each figure against its reference:
//   name value unit reference deviation%
// and last "within N of 11".
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "tools/flightcheck/fc.h"

static void usage(FILE* to) {
  std::fprintf(to,
               "usage: flightcheck [--step SECONDS] [--seed N] [--verbose]\n"
               "Flies the default aircraft at its maximum weight in calm standard air over level ground\n"
               "at sea level (light turbulence for the autopilot), and prints one line a figure:\n"
               "  name value unit reference deviation%%\n"
               "Handbook figures count when within 10 percent of the reference, handling figures when\n"
               "within their limit (the reference column). The last line is \"within N of 11\"; the\n"
               "exit status is 0 when all are within, else 1. REFERENCE.md gives the sources.\n"
               "  --step SECONDS   flight-model time step (default 0.05, at most 0.07)\n"
               "  --seed N         random seed for the turbulence (default 1)\n"
               "  --verbose        how each manoeuvre went, on stderr\n");
}

int main(int argc, char** argv) {
  float step = 0.05f;
  unsigned seed = 1;
  int verbose = 0;
  for (int i = 1; i < argc; i++) {
    if (!std::strcmp(argv[i], "--step") && i + 1 < argc) {
      step = (float)std::atof(argv[++i]);
      if (!(step > 0 && step <= 0.07f)) {
        usage(stderr);
        return 2;
      }
    } else if (!std::strcmp(argv[i], "--seed") && i + 1 < argc) {
      seed = (unsigned)std::strtoul(argv[++i], nullptr, 10);
    } else if (!std::strcmp(argv[i], "--verbose")) {
      verbose = 1;
    } else if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
      usage(stdout);
      return 0;
    } else {
      usage(stderr);
      return 2;
    }
  }
  fc_start(step);
  figure f[FIGURES];
  fc_fly_all(f, verbose, seed);
  int within = 0;
  for (const figure& x : f) {
    float dev = x.reference != 0 ? (x.value - x.reference) / x.reference * 100 : 0;
    std::printf("%s %.2f %s %g %+.1f%%\n", x.name, x.value, x.unit, x.reference, dev);
    within += x.ok;
  }
  std::printf("within %d of %d\n", within, FIGURES);
  return within == FIGURES ? 0 : 1;
}
