// Panel instruments and their redraw requests.
#pragma once

struct inststruct {
  int tickle_all;   // redraw every instrument
  int thro, prop, mixt, flap;  // power-quadrant lever rows
  int osthr, oseng, osmix, ostrm, ospau, osrad;  // panel offsets of the levers and stacks
};
extern inststruct ins;
