// Autopilot.
#pragma once

struct ottostruct {
  int HDSLCT, NAV[2], ALHOLD, VVHOLD, GS2, ASHOLD;
};
extern ottostruct ott;
