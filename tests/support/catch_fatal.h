// Catching a fatal alert in a test: the program's end is turned into a jump
// back, and the alert's text returned.
#pragma once
#include <csetjmp>
#include <string>
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/platform/desktop.h"

inline std::jmp_buf& fatal_jmp() {
  static std::jmp_buf j;
  return j;
}
inline int fatal_status = -1;  // the exit status the fatal alert asked for
[[noreturn]] inline void jump_back_from_fatal(int status) {
  fatal_status = status;
  std::longjmp(fatal_jmp(), 1);
}

// Runs f, which must end in a fatal alert; returns that alert's lines joined
// by '\n', or "(no fatal)". A file the fatal path left open is closed.
template <class F> std::string fatal_text(F f) {
  hookstruct saved = hok;
  hok.end_process = jump_back_from_fatal;
  fatal_status = -1;
  desk_answer_clear();
  desk_alert_record_clear();
  volatile int died = 0;
  if (setjmp(fatal_jmp()) == 0)
    f();
  else
    died = 1;
  hok = saved;
  if (inf.is_open()) inf.close();
  inf.clear();
  if (!died) return "(no fatal)";
  return desk_alert_count() > 0 ? desk_alert_text(desk_alert_count() - 1) : "(fatal without alert)";
}
