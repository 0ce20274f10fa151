#include "sim/shell/lax.h"
#include "sim/records.h"

int tarvel_winmain() {
  clear_records();
  return 0;
}

void simulate() {}
