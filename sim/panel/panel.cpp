// Stand-in until the instrument panel exists: a plain panel face.
#include "sim/panel/panel.h"
#include "basekit/bk_graph.h"
#include "basekit/bk_mnw.h"

void init_tape_colors() {}

// A repaint may come while the view's surface is locked (a palette change
// repaints the window): the face goes on the window, never into that surface.
void panplot() {
  if (!active_dc) return;
  int was_locked = locked;
  locked = 0;
  MACIBM_fillrect(24, 0, 0, active_dc->dx - 1, active_dc->dy - 1);
  locked = was_locked;
}

void updatepanel() {}
