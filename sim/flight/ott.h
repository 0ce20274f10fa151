// Autopilot.
#pragma once

struct ottostruct {
  int HDSLCT, NAV[2], ALHOLD, VVHOLD, GS2, ASHOLD;
  // Hold values as the panel shows them.
  float al_hold;   // altitude, feet
  float vv_hold;   // vertical speed, feet a minute
  float as_hold;   // indicated airspeed, knots
};
extern ottostruct ott;
