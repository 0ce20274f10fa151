// Filing the flight plan; the controller's answers are stand-ins until ATC exists.
#include "sim/atc/do_atc.h"
#include <cstring>
#include "sim/atc/atc.h"
#include "sim/atc/voice.h"
#include "sim/world/apt.h"
#include "sim/world/env.h"

void handle_plan(int) {}
void controller_respond(const char*) {}
void plnplot() {}
void plnclick() {}

void file_flight_plan() {
  int found = -1;
  for (int n = 0; n <= env.aptmax && n < APT_MAX; n++)
    if (std::strncmp(apt_id[n], fpl.arr_id, 4) == 0) found = n;
  if (found < 0) {
    speakstring("I am unable to find an airport with that identifier. You will need to file to an airport that I "
                "have in my computer.");
    return;
  }
  atc.plan_index = found;
  atc.ils_vectoring = 0;
  if (fpl.on_file && fpl.activated) speakstring("flight plan amended as requested.");
  fpl.on_file = 1;
}
