// Stand-in until the instrument panel exists: a plain panel face.
#include "sim/panel/panel.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"

void init_tape_colors() {}

void panplot() {
  if (!active_dc) return;
  MACIBM_fillrect(24, 0, 0, active_dc->dx - 1, active_dc->dy - 1);
}

void updatepanel() {}
