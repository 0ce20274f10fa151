// Panel instruments, the power quadrant's lever rows and the redraw requests.
// Written by the panel (and the aircraft reader for the layout); the flight
// model reads the switches.
#pragma once
#include <stdint.h>

enum { PANEL_INSTRUMENTS = 11 };  // 0 empty .. 10 the altimeter-setting knob

struct inststruct {
  // Redraw requests: every instrument, or one display.
  int tickle_all, tickle_gps, tickle_str, tickle_map, tickle_arg, tickle_rad, tickle_ecam;
  int thro[4], prop[4], mixt[4];  // power-quadrant lever rows, per engine
  int flap, slat, sbrk, swee, vect;  // upper lever box rows
  float baro;                     // altimeter setting, inHg
  int osthr, oseng, osmix, ostrm, ospau, osrad;  // panel offsets of the levers and stacks
  // Layout and scale factors, set when the aircraft is read.
  int   avail[PANEL_INSTRUMENTS];                          // instrument 1..10 present
  int   x_loc[PANEL_INSTRUMENTS], y_loc[PANEL_INSTRUMENTS];  // centres (9: display origin)
  float indtoASI, msctoVVI;
  float tactoINS, n1_toINS, mprtoINS, trqtoINS, ff_toINS;
  // ---- switches the flight model reads ----
  int   jato_on, chute_on;
  int   antiice_on;
  int   hook_down;     // the arresting hook is lowered
  int   HUD_on, HOOP_on;  // the panel's head-up and synthetic-vision switches
  // ---- gyro indications (vacuum model) ----
  float the180, phi180;   // indicated pitch and roll, -180..180
  float psimag;           // indicated magnetic heading, 0..360
  // ---- knobs and displays ----
  float radalt_ft;        // radar-altimeter decision height, ft
  float adf_card;         // ADF card rotation, degrees
  int   efis_wxr, efis_tcas;  // map display overlays
  int   lock_GPS;         // a new GPS waypoint asks for its course
  // Transponder reply light: level 0 dark .. 3 steady, and the reply's start and end.
  int   reply_level;
  float reply_time1, reply_time2;
  // Pre-rendered columns: rolling digits, the airspeed drum and the course cards.
  uint8_t v_tape_col[5][90];
  uint8_t h_tape_col0[200][12];
  uint8_t h_tape_col1[360][12];
  uint8_t h_tape_col2[360][12];
};
extern inststruct ins;
