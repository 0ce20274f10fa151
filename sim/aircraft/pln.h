// The aircraft as read from its file and prepared for flight, and its airfoils.
#pragma once

enum { PARTS = 19, ELEMENTS = 8 };
struct planestruct {
  int entype;      // 0 no engine
  int paneltype;
};
extern planestruct pln;

struct airfoilstruct {
  int loaded;
};
extern airfoilstruct afl;
