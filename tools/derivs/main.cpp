// derivs: the stability and control derivatives and the modes of an
// aircraft, measured from the flight model itself at a trimmed condition,
// printed beside the published values of its class.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "basekit/bk_const.h"
#include "sim/aircraft/pln.h"
#include "sim/flight/flt.h"
#include "tools/support/stability.h"
#include "tools/support/steadyair.h"

namespace {
void usage(FILE* to) {
  std::fprintf(to,
               "usage: derivs [--aircraft PATH] [--feet FT] [--kias KT] [--throttle T] [--weight LB] [--flaps N]\n"
               "              [--class NAME]\n"
               "Trims the aircraft level at FT feet (default 5000) and KT knots indicated (default 100) in calm\n"
               "standard air, then measures its stability and control derivatives by small perturbations of\n"
               "the trimmed state put through the flight model's force assembly, and the periods, damping and\n"
               "time constants of its modes from the linearised equations of motion. Each derivative is\n"
               "printed beside the published value for the class and the band around it.\n"
               "  --aircraft PATH  an aircraft file (default: the shipped default aircraft)\n"
               "  --throttle T     trim at this throttle (0..1), climbing or descending, rather than level\n"
               "  --weight LB      total weight (default: as the simulator loads it, half the payload)\n"
               "  --flaps N        flap setting 0..50 (default 0)\n"
               "  --class NAME     the published set to compare with: trainer (default), none\n"
               "The exit status is 0 when every derivative lies in its band, 1 when one does not, 2 on a\n"
               "usage error and 3 when the aircraft cannot be trimmed there.\n");
}

// Published values for a four-seat 160 hp high-wing trainer in cruise: the
// set that flight-dynamics texts give for the type whose handbook the
// default aircraft follows (tools/acfgen/DEFAULT_AIRCRAFT.md). The band is
// 30 percent either way.
struct published {
  const char* name;
  float stab_derivs::*field;
  float value;
};
const published trainer_class[] = {
    {"CL_alpha", &stab_derivs::CL_alpha, 4.6f},   {"Cm_alpha", &stab_derivs::Cm_alpha, -0.89f},
    {"Cm_q", &stab_derivs::Cm_q, -12.4f},         {"Cm_de", &stab_derivs::Cm_de, -1.28f},
    {"CY_beta", &stab_derivs::CY_beta, -0.31f},   {"Cl_beta", &stab_derivs::Cl_beta, -0.089f},
    {"Cl_p", &stab_derivs::Cl_p, -0.47f},         {"Cl_r", &stab_derivs::Cl_r, 0.096f},
    {"Cl_da", &stab_derivs::Cl_da, 0.178f},       {"Cn_beta", &stab_derivs::Cn_beta, 0.065f},
    {"Cn_p", &stab_derivs::Cn_p, -0.03f},         {"Cn_r", &stab_derivs::Cn_r, -0.099f},
    {"Cn_dr", &stab_derivs::Cn_dr, -0.0657f},
};
const float BAND = 0.30f;
// The type's published moments of inertia, kg m2 at 1043 kg (2300 lb).
const float PUB_MASS = 1043, PUB_IXX = 1285, PUB_IYY = 1825, PUB_IZZ = 2667;

void mode_line(const char* name, const stab_mode& m, const char* reference) {
  if (!m.found) {
    std::printf("%-13s %-34s %s\n", name, "(not separated)", reference);
    return;
  }
  char what[64];
  if (m.oscillatory)
    std::snprintf(what, sizeof what, "period %6.2f s  damping %5.2f", m.period, m.damping);
  else if (m.omega > 0 && m.damping >= 1 && std::strcmp(name, "roll") && std::strcmp(name, "spiral"))
    std::snprintf(what, sizeof what, "overdamped     damping %5.2f", m.damping);
  else if (m.tau >= 0)
    std::snprintf(what, sizeof what, "time constant %7.3f s", m.tau);
  else
    std::snprintf(what, sizeof what, "diverges, doubling in %5.1f s", -m.tau * std::log(2.0f));
  std::printf("%-13s %-34s %s\n", name, what, reference);
}
}  // namespace

int main(int argc, char** argv) {
  std::string aircraft, klass = "trainer";
  float feet = 5000, kias = 100, weight_lb = -1, fixed_throttle = -1;
  int flaps = 0;
  for (int i = 1; i < argc; i++) {
    auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
    const char* v = nullptr;
    std::string a = argv[i];
    char* end = nullptr;
    if (a == "--help" || a == "-h") {
      usage(stdout);
      return 0;
    } else if (a == "--aircraft" && (v = value())) {
      aircraft = v;
    } else if (a == "--feet" && (v = value()) && (feet = std::strtof(v, &end), *end == 0) && feet >= 0 &&
               feet <= 40000) {
    } else if (a == "--kias" && (v = value()) && (kias = std::strtof(v, &end), *end == 0) && kias > 0 &&
               kias <= 600) {
    } else if (a == "--throttle" && (v = value()) && (fixed_throttle = std::strtof(v, &end), *end == 0) &&
               fixed_throttle >= 0 && fixed_throttle <= 1) {
    } else if (a == "--weight" && (v = value()) && (weight_lb = std::strtof(v, &end), *end == 0) && weight_lb > 0) {
    } else if (a == "--flaps" && (v = value()) && (flaps = (int)std::strtol(v, &end, 10), *end == 0) && flaps >= 0 &&
               flaps <= 50) {
    } else if (a == "--class" && (v = value()) && (!std::strcmp(v, "trainer") || !std::strcmp(v, "none"))) {
      klass = v;
    } else {
      usage(stderr);
      return 2;
    }
  }

  if (!start_in_steady_air(aircraft.c_str())) {
    std::fprintf(stderr, "derivs: the simulator could not start\n");
    return 3;
  }
  if (weight_lb > 0) {
    float w = weight_lb * con.lbstokgs;
    flt.m_fixed = std::max(w - pln.m_empty - flt.m_fuel - flt.m_jettison, 0.0f);
  }

  float throttle = fixed_throttle;
  if (fixed_throttle >= 0 ? !air_trimmed(feet, kias, throttle, flaps).ok : !level_trimmed(feet, kias, flaps, &throttle)) {
    std::printf("derivs: %s cannot be trimmed %s at %.0f ft and %.0f KIAS\n", pln.C_file,
                fixed_throttle >= 0 ? "at that throttle" : "level", feet, kias);
    return 3;
  }
  stab_ref ref = stab_reference();
  stab_derivs d = stab_measure();
  stab_modes m = stab_linear_modes();

  std::printf("%s trimmed %s at %.0f ft, %.1f KIAS (%.1f KTAS), flaps %d, throttle %.3f\n", pln.C_file,
              fixed_throttle >= 0 ? "in steady flight" : "level", feet, flt.vind, ref.V * con.msctokts, flaps, throttle);
  std::printf("flight path %.2f deg; elevator %.2f deg (trailing edge down); trims: pitch %.3f, aileron %.3f,\n"
              "rudder %.3f\n", flt.avpath, -flt.lhstbdef, flt.trim, flt.ail_trim, flt.rud_trim);
  std::printf("mass %.0f kg (%.0f lb); alpha %.2f deg, pitch %.2f deg; CL %.3f, CD %.4f\n", ref.mass,
              ref.mass * con.kgstolbs, ref.alpha, ref.the, ref.CL, ref.CD);
  std::printf("reference: S %.2f m2, b %.2f m, c %.3f m, q %.0f Pa\n", ref.S, ref.b, ref.c, ref.q);
  std::printf("inertia (kg m2): Ixx %.0f  Iyy %.0f  Izz %.0f", ref.Ixx, ref.Iyy, ref.Izz);
  int compare = klass != "none";
  if (compare)
    std::printf("   the type's, at this mass: %.0f  %.0f  %.0f", PUB_IXX * ref.mass / PUB_MASS,
                PUB_IYY * ref.mass / PUB_MASS, PUB_IZZ * ref.mass / PUB_MASS);
  std::printf("\n\n");

  int outside = 0;
  std::printf("%-9s %9s %9s %21s\n", "derivative", "measured", "class", compare ? "band (30 %)" : "");
  for (const published& p : trainer_class) {
    float val = d.*(p.field);
    if (!compare) {
      std::printf("%-10s %9.4f\n", p.name, val);
      continue;
    }
    float lo = p.value * (1 - BAND), hi = p.value * (1 + BAND);
    if (lo > hi) std::swap(lo, hi);
    int in = val >= lo && val <= hi;
    outside += !in;
    std::printf("%-10s %9.4f %9.4f   %8.4f .. %8.4f  %s\n", p.name, val, p.value, lo, hi, in ? "within" : "OUTSIDE");
  }
  std::printf("per radian; rates as p b/2V, q c/2V, r b/2V; beta positive with the wind from the right;\n"
              "elevator positive trailing edge down, aileron positive rolling right, rudder positive\n"
              "trailing edge left.\n");
  if (compare)
    std::printf("class: published derivatives of the four-seat 160 hp high-wing trainer in cruise, as the\n"
                "flight-dynamics texts give them (the set whose zero-lift drag 0.031 and span efficiency\n"
                "0.75 tools/flightcheck/REFERENCE.md cites).\n");

  std::printf("\nfull aileron, one degree of freedom: p b/2V %.3f", d.pb2v_full);
  if (compare) std::printf("   (class 0.06 .. 0.10, light single-engine aircraft)");
  std::printf("\n\nmodes of the linearised model (longitudinal and lateral blocks):\n");
  char roll_ref[160] = "";
  if (compare) {
    // The roll time constant the type's own inertia and roll damping give here.
    float lp = 0.47f * ref.q * ref.S * ref.b * ref.b / (2 * ref.V);
    float tau = PUB_IXX * ref.mass / PUB_MASS / lp;
    std::snprintf(roll_ref, sizeof roll_ref, "class: %.2f s (the type's Ixx and Cl_p); at most 1.4 s", tau);
  }
  mode_line("phugoid", m.phugoid, compare ? "class: damping at least 0.04" : "");
  mode_line("short period", m.short_period, compare ? "class: damping 0.30 .. 2.0" : "");
  mode_line("dutch roll", m.dutch_roll, compare ? "class: damping at least 0.08, frequency at least 0.4 rad/s" : "");
  mode_line("roll", m.roll, roll_ref);
  mode_line("spiral", m.spiral, compare ? "class: if divergent, doubling in 20 s or more" : "");
  if (compare)
    std::printf("class limits of the modes: flying-qualities requirements for small light aircraft in cruise\n"
                "(class I, flight phase category B, level 1; US military specification MIL-F-8785C).\n");
  return outside ? 1 : 0;
}
