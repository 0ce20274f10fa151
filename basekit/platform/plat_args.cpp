// The command line both programs share: help, version, the window's display
// choices, and the usage message for anything else.
#include <cstring>
#include "basekit/platform/platform.h"
#include "basekit/platform/plat_internal.h"

static const char* program_name = "tarvel";
static const char* desktop_id = nullptr;

const char* plat_program_name() { return program_name; }
const char* plat_desktop_id() { return desktop_id; }

static void usage_line(const plat_program* p, FILE* to) {
  std::fprintf(to, "Usage: %s [OPTION]...\n", p->name);
}

static void help(const plat_program* p, FILE* out) {
  usage_line(p, out);
  std::fprintf(out, "%s\n\nOptions:\n", p->summary);
  if (p->options_help && p->options_help[0]) std::fprintf(out, "%s", p->options_help);
  std::fprintf(out,
               "  -f, --fullscreen     start full screen this time (Alt+Enter switches at any\n"
               "                       time)\n"
               "  -w, --window         start in a window this time\n"
               "      --whole-scale    scale the 800 x 600 picture by whole factors only, with\n"
               "                       black borders around it\n"
               "      --smooth-scale   fill the window: whole factors sharply, the rest smoothly\n"
               "                       (the default)\n"
               "  -h, --help           display this help and exit\n"
               "  -V, --version        output version information and exit\n");
  if (p->notes && p->notes[0]) std::fprintf(out, "\n%s", p->notes);
}

static void try_help(const plat_program* p, FILE* err) {
  std::fprintf(err, "Try '%s --help' for more information.\n", p->name);
}

int plat_command_line(const plat_program* p, int argc, char** argv, FILE* out, FILE* err) {
  program_name = p->name;
  desktop_id = p->desktop_id;
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    if (!std::strcmp(a, "-h") || !std::strcmp(a, "--help")) {
      help(p, out);
      return 0;
    }
    if (!std::strcmp(a, "-V") || !std::strcmp(a, "--version")) {
      std::fprintf(out, "%s %s\n", p->name, p->version);
      return 0;
    }
  }
  for (int i = 1; i < argc; i++) {
    const char* a = argv[i];
    if (!std::strcmp(a, "-f") || !std::strcmp(a, "--fullscreen")) {
      plat_force_fullscreen(1);
    } else if (!std::strcmp(a, "-w") || !std::strcmp(a, "--window")) {
      plat_force_fullscreen(0);
    } else if (!std::strcmp(a, "--whole-scale")) {
      plat_force_whole_scale(1);
    } else if (!std::strcmp(a, "--smooth-scale")) {
      plat_force_whole_scale(0);
    } else {
      int used = p->option ? p->option(argc, argv, i) : 0;
      if (used > 0) {
        i += used - 1;
        continue;
      }
      if (used == 0) {
        if (a[0] == '-') std::fprintf(err, "%s: unrecognized option '%s'\n", p->name, a);
        else std::fprintf(err, "%s: unexpected argument '%s'\n", p->name, a);
      }
      usage_line(p, err);
      try_help(p, err);
      return 2;
    }
  }
  return PLAT_RUN;
}
