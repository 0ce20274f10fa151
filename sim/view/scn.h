// View state, the star field and the carrier.
#pragma once

struct scenerystruct {
  int time;        // 1 day, 2 dusk, 3 dusk with lights, 4 night
  int lamp;        // light amplification
  int belowbases;  // the aircraft is below the cloud bases
  float psi180rad, the180rad, phi180rad;
  // ---- view set-up and scene pass ----
  int   abovetops;              // the eye is above the cloud tops
  int   poly_breakup;           // subdivision of near ground polygons, 0..3
  int   rway_breakup;           // runway marks drawn in strips
  int   i1_plot_bound, j1_plot_bound, i2_plot_bound, j2_plot_bound;  // grid window
  int   plot_i_start, plot_i_stop, plot_j_start, plot_j_stop;        // sweep, stops one past
  int   i_inc, j_inc;
  int   sweepcon;               // 1..4 by the view octant
  int   vlines;                 // 1: the outer sweep loop runs over i
  int   obs_max;                // last entry of obs_ind, -1 for none
  int   starmax;                // last star drawn
  int   draw_lights;            // dusk and night
  int   base_color;             // what the view is cleared to
  int   straightin[3];          // per runway: approached from its second end
  int   rb_cycle;               // frame counter for flashing lights, 0..299
  float zoom;                   // view zoom factor, 1 = 90 degrees across
};
extern scenerystruct scn;

// Terrain points within drawing range, the buildings in view (nearest first)
// and the towers within sight.
extern int invrange[178][159];
extern int obs_ind[800];
extern int twr_inrange[1200];

// The scene's base colours (fractions 0..1) the palette is built from.
extern float r_csky, g_csky, b_csky;   // clear sky
extern float r_ctop, g_ctop, b_ctop;   // cloud tops
extern float r_cbot, g_cbot, b_cbot;   // cloud bottoms
extern float r_ocen, g_ocen, b_ocen;   // water
extern float r_levl, g_levl, b_levl;   // level ground
extern float r_hill, g_hill, b_hill;   // hills
extern float rgb_lit, rgb_med, rgb_drk;  // greys of runways and buildings

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
