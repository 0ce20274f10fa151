// View state, the star field and the carrier.
#pragma once

struct scenerystruct {
  int time;        // 1 day, 2 dusk, 3 dusk with lights, 4 night
  int lamp;        // light amplification
  int belowbases;  // the aircraft is below the cloud bases
  float psi180rad, the180rad, phi180rad;
};
extern scenerystruct scn;

enum { STARS = 2000 };
struct starstruct {
  float ele[STARS], azi[STARS];  // degrees
};
extern starstruct sta;

struct carrierstruct {
  int built;
  // ---- what the flight model reads ----
  float trap_accel;             // arresting-wire deceleration, m/s2
  float catang, appang;         // catapult and approach headings, degrees
  float catx, caty;             // catapult start from the carrier's cell, m
};
extern carrierstruct car;
