// Numbered windows, menus, alerts and the programs' exit.
#include "basekit/bk_mnw.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include "basekit/bk_hooks.h"
#include "basekit/platform/platform.h"

hookstruct hok;
menuwindowstruct mnw;
screenrect wrc;
drawcontext* active_dc = nullptr;
int hres_orig, vres_orig, cres_orig;
FILE* err = nullptr;

static const char* const alert_title = "Corvane Message";

void MACIBM_alert(const char* C_string1, const char* C_string2, const char* C_string3,
                  const char* C_string4, int is_about) {
  if (hok.stop_sounds) hok.stop_sounds();
  if (hok.play_alert_sound) hok.play_alert_sound(is_about);
  const char* lines[4] = {C_string1, C_string2, C_string3, C_string4};
  const char* ok[1] = {"OK"};
  desk_alert(alert_title, lines, 4, 1, ok);
  if (hok.restart_sounds) hok.restart_sounds();
  if (hok.after_alert) hok.after_alert();
}

[[noreturn]] static void end_process(int status) {
  if (hok.end_process) hok.end_process(status);
  std::exit(status);
}

static int exiting = 0;

void MACIBM_exitalert(const char* C_string1, const char* C_string2, const char* C_string3,
                      const char* C_string4) {
  int fatal = C_string1 != nullptr && C_string1[0] != 0;
  // A close action that fails while we are already leaving must not loop.
  if (exiting) end_process(fatal ? 1 : 0);
  exiting = 1;
  if (fatal) {
    std::fprintf(stderr, "%s\n%s\n%s\n%s\n", C_string1, C_string2 ? C_string2 : "",
                 C_string3 ? C_string3 : "", C_string4 ? C_string4 : "");
    if (err) std::fprintf(err, "%s\n%s\n%s\n%s\n", C_string1, C_string2 ? C_string2 : "",
                          C_string3 ? C_string3 : "", C_string4 ? C_string4 : "");
    MACIBM_alert(C_string1, C_string2, C_string3, C_string4, 0);
  }
  if (hok.before_exit) hok.before_exit(fatal);
  if (err) {
    std::fclose(err);
    err = nullptr;
  }
  exiting = 0;
  end_process(fatal ? 1 : 0);
}

void MACIBM_numberexitalert(const char* C_string1, int number) {
  char num[STR_DIM];
  std::snprintf(num, sizeof num, "%d", number);
  MACIBM_exitalert(C_string1, num, "", "");
}
