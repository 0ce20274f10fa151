// Panel instruments and their redraw requests.
#pragma once

struct inststruct {
  int tickle_all;   // redraw every instrument
  int thro, prop, mixt, flap;  // power-quadrant lever rows
  int osthr, oseng, osmix, ostrm, ospau, osrad;  // panel offsets of the levers and stacks
  // Layout and scale factors, set when the aircraft is read.
  int   avail[11];              // instrument 1..10 present
  int   x_loc[11], y_loc[11];   // instrument centres in panel pixels (9: display origin)
  float indtoASI, msctoVVI;
  float tactoINS, n1_toINS, mprtoINS, trqtoINS, ff_toINS;
  // ---- switches the flight model reads ----
  int   jato_on, chute_on;
  float baro;                   // altimeter setting, inches of mercury
};
extern inststruct ins;
