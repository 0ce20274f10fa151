// Radio receivers and GPS.
#pragma once

struct navstruct {
  int radio_output;
  int xfer_sel[4];
};
extern navstruct nav;
