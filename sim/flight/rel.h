// Failures: 1 = working, 0 = failed.
#pragma once

enum { FAILURE_KINDS = 30 };
struct relstruct {
  int   clights;                      // cockpit lights
  int   vacuum;
  float inst_fail_rate, equip_fail_rate;
  int   fail_type[FAILURE_KINDS];
  float fail_time_max[FAILURE_KINDS];
};
extern relstruct rel;
