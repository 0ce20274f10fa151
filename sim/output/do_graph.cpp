// The graph's choices; the sampling and its window are stand-ins until the
// graph exists.
#include "sim/output/do_graph.h"
#include "sim/set.h"

void init_graph_choices() {}

void set_rlt_grf_choices() {
  int n = 0;
  for (int k = 0; k < 4; k++) set.grfsel[k] = -1;
  for (int i = 0; i < DATA_ITEMS && n < 4; i++)
    if (set.Bgrf[i]) set.grfsel[n++] = i;
  set.grfout = n > 0;
}

void grfload() {}
void grfdrag() {}
void grfplot() {}
void grfclick() {}
