// Panel instruments and their redraw requests.
#pragma once

struct inststruct {
  int tickle_all;   // redraw every instrument
  int thro[4], prop[4], mixt[4];  // power-quadrant lever rows, per engine
  int flap, slat, sbrk;           // flap, slat and speed-brake lever rows
  float baro;                     // altimeter setting, inHg
  int osthr, oseng, osmix, ostrm, ospau, osrad;  // panel offsets of the levers and stacks
  // Layout and scale factors, set when the aircraft is read.
  int   avail[11];              // instrument 1..10 present
  int   x_loc[11], y_loc[11];   // instrument centres in panel pixels (9: display origin)
  float indtoASI, msctoVVI;
  float tactoINS, n1_toINS, mprtoINS, trqtoINS, ff_toINS;
  // ---- switches the flight model reads ----
  int   jato_on, chute_on;
  int   antiice_on;
  int   hook_down;     // the arresting hook is lowered
  int   HUD_on, HOOP_on;  // the panel's head-up and synthetic-vision switches
};
extern inststruct ins;
