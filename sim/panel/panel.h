// The instrument panel: its drawing whole (window 0's paint) and the
// incremental update of every frame.
#pragma once

void init_tape_colors();  // the heading and speed tapes' colour tables
void panplot();           // the whole panel
void updatepanel();       // what changed since the last frame
