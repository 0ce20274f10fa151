// Clearing the trail; recording and replay are stand-ins until they exist.
#include "sim/output/do_movie.h"
#include "sim/output/grf.h"

void clear_path() {
  pat.cntr_record = 0;
  for (int s = 0; s < PATH_SLOTS; s++) {
    pat.inited[s] = 0;
    for (int k = 0; k < 6; k++) pat.xyztpp[s][k] = 0;
  }
}

void start_movie() {}
void stop_movie() {}
void play_movie() {}
void plot_flight_path() {}
