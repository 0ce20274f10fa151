// Panel instruments and their redraw requests.
#pragma once

struct inststruct {
  int tickle_all;   // redraw every instrument
  int thro, prop, mixt, flap;  // power-quadrant lever rows
};
extern inststruct ins;
